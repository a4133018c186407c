// How long a full download takes against the simulated unit on a pseudo-terminal,
// through the real serial port code, compared with the line time of its bytes.
//
// A pseudo-terminal carries the program's bytes at once, so the arrival of each
// write is also run through a 19200 bit/s line model (10 bits a byte, a byte
// starts when the line is free): that is when the last byte would reach a unit
// on a real line. Prints the figures and fails when the modelled time exceeds
// 1.3 times the line time.

#include "core/CoreState.h"
#include "link/Download.h"
#include "link/LinkState.h"
#include "link/UnitLink.h"
#include "sim/PtyServer.h"
#include "sim/SimUnit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

constexpr double LineBytesPerSecond = 19200.0 / 10.0;
constexpr double Limit = 1.3;

void fillImage() {
    for (int a = 0; a < 256; ++a) {
        ParamBlock[a] = static_cast<std::int16_t>((a * 7 + 1) % 256);
        Map5Image[a] = static_cast<std::int16_t>((a * 3 + 2) % 256);
        Map6Image[a] = static_cast<std::int16_t>((a * 5 + 3) % 256);
    }
    ParamBlock[Idx_Cylinders] = 4;
    MapDscr = QStringLiteral("Benchmark map");
    MapId = QString(64, 'I');
    WiringDiagramName = QString(16, 'W');
    NoTuneFlag = 255;
    ActiveMap = 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("KVR6_HOME", home.path().toLocal8Bit());

    sim::Unit unit;
    sim::PtyServer server(unit);
    QString error;
    if (!server.open(&error)) {
        std::fprintf(stderr, "simulated unit: %s\n", qPrintable(error));
        return 2;
    }
    server.setPaced(true);
    qputenv("KVR6_COM4", server.devicePath().toLocal8Bit());

    fillImage();
    UnitLink link;
    cfg_CommPort = 4;
    link.SerialPortOn();
    if (!link.Comm1.PortOpen()) {
        std::fprintf(stderr, "the serial port did not open\n");
        return 2;
    }
    link.GO_ONLine();

    // Wait for live polling; without a receive handler the link is put there.
    QElapsedTimer wait;
    wait.start();
    while (CommStatus != 10 && wait.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (CommStatus != 10) {
        CommStatus = 10;
        send_receive = 2;
    }

    // Download frames are every frame but the poll.
    const QByteArray poll("1\0\x10\r", 4);
    QElapsedTimer clock;
    qint64 bytes = 0;
    double lineFreeMs = 0;  // when the modelled line has carried everything so far
    double lastArrival = 0; // when the pseudo-terminal delivered the last download byte
    QObject::connect(&server, &sim::PtyServer::received, [&](const QByteArray& chunk) {
        QByteArray data = chunk;
        data.replace(poll, QByteArray());
        if (data.isEmpty())
            return;
        const double now = clock.nsecsElapsed() / 1e6;
        bytes += data.size();
        lastArrival = now;
        lineFreeMs = std::max(lineFreeMs, now) + data.size() * 1000.0 / LineBytesPerSecond;
    });

    unit.clearFrames();
    clock.start();
    if (!WtsCM::Download_All()) {
        std::fprintf(stderr, "the download was refused\n");
        return 2;
    }
    const qint64 expected = 2200;
    while (bytes < expected && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);

    const double lineMs = bytes * 1000.0 / LineBytesPerSecond;
    std::printf("full download: %lld bytes (2200 expected)\n", static_cast<long long>(bytes));
    std::printf("line time of the bytes at 19200 bit/s: %8.1f ms\n", lineMs);
    std::printf("last byte through the pseudo-terminal:  %8.1f ms\n", lastArrival);
    std::printf("last byte over a 19200 bit/s line:      %8.1f ms (%.2f x the line time, "
                "limit %.1f)\n",
                lineFreeMs, lineFreeMs / lineMs, Limit);
    link.Form_Unload();
    qunsetenv("KVR6_COM4");
    if (bytes != expected)
        return 1;
    return lineFreeMs <= Limit * lineMs ? 0 : 1;
}
