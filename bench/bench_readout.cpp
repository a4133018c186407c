// How long the read-out after connecting takes against kvr6-sim at 19200 bit/s
// on a pseudo-terminal, next to the line time of every byte it moves (requests
// and replies, 10 bits a byte). The read-out should take at most 1.3 times that.

#include "core/CoreState.h"
#include "link/CommDevice.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/SerialDevice.h"
#include "link/UnitLink.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr double BitsPerSecond = 19200;
constexpr double BitsPerByte = 10;
constexpr double Limit = 1.3;
constexpr int Runs = 5;

// The real serial port, counting the bytes that go each way.
class CountingDevice : public CommDevice {
public:
    CountingDevice() {
        port_.received = [this](const QByteArray& bytes) {
            in += bytes.size();
            if (received)
                received(bytes);
        };
        port_.lost = [this] {
            if (lost)
                lost();
        };
    }
    int open(const QString& path) override { return port_.open(path); }
    void close() override { port_.close(); }
    bool isOpen() const override { return port_.isOpen(); }
    void write(const QByteArray& bytes) override {
        out += bytes.size();
        port_.write(bytes);
    }
    int bytesToWrite() const override { return port_.bytesToWrite(); }

    qint64 in = 0;
    qint64 out = 0;

private:
    SerialDevice port_;
};

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return done();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("KVR6_HOME", home.path().toLocal8Bit());
    Dialogs::ScriptedProvider quiet; // a port failure is printed below, not shown

    const QString port = home.filePath("com1");
    QProcess sim;
    sim.start(QStringLiteral(KVR6_SIM_PROGRAM), {QStringLiteral("--link"), port});
    if (!sim.waitForStarted(3000) || !sim.waitForReadyRead(3000)) {
        std::fprintf(stderr, "kvr6-sim did not start\n");
        return 2;
    }
    qputenv("KVR6_COM1", port.toLocal8Bit());

    UnitLink link;
    auto device = std::make_unique<CountingDevice>();
    CountingDevice& counter = *device;
    link.Comm1.setDevice(std::move(device));
    cfg_CommPort = 1;
    link.SerialPortOn();
    if (!link.Comm1.PortOpen()) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(port),
                     qPrintable(quiet.texts().join('|')));
        return 2;
    }

    // The closing poll's answer is the first live reply taken after the read-out.
    bool finished = false;
    qint64 endNs = 0;
    qint64 endBytes = 0;
    QElapsedTimer clock;
    Hooks().Text_Values = [&] {
        if (finished || UnitOnline != 1)
            return;
        finished = true;
        endNs = clock.nsecsElapsed();
        endBytes = counter.in + counter.out;
    };

    std::vector<double> ratios;
    std::printf("read-out after connecting, kvr6-sim at 19200 bit/s on a pseudo-terminal\n");
    for (int run = 1; run <= Runs; ++run) {
        link.Comm_Timer.stop();
        wait(300); // the line falls quiet
        link.Comm1.Input();
        finished = false;
        counter.in = 0;
        counter.out = 0;
        clock.start();
        link.GO_ONLine();
        link.Comm_Timer_Timer();
        if (!waitFor([&] { return finished; }, 10000)) {
            std::fprintf(stderr, "run %d: the read-out did not finish (CommStatus %d)\n", run,
                         CommStatus);
            return 2;
        }
        const double took = static_cast<double>(endNs) / 1e6;
        const double line = static_cast<double>(endBytes) * BitsPerByte / BitsPerSecond * 1000;
        ratios.push_back(took / line);
        std::printf("run %d: %lld bytes, line time %.1f ms, took %.1f ms, ratio %.3f\n", run,
                    static_cast<long long>(endBytes), line, took, took / line);
    }
    link.Form_Unload();
    sim.terminate();
    sim.waitForFinished(3000);

    const double worst = *std::max_element(ratios.begin(), ratios.end());
    std::printf("worst ratio %.3f, limit %.1f: %s\n", worst, Limit,
                worst <= Limit ? "met" : "NOT met");
    return worst <= Limit ? 0 : 1;
}
