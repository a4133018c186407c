#include "sim/PtyServer.h"
#include "SimFrames.h"
#include "tests/support/ResetAllState.h"
#include "tests/support/TempProgramFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <ctime>

using namespace simframes;
using sim::PtyServer;
using sim::Unit;

namespace {

bool openPort(QSerialPort& port, const QString& path) {
    port.setPortName(path);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    port.setBaudRate(19200);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    return true;
}

// Sends a request and collects what comes back until expected bytes are in or
// the time is up, keeping the event loop (and so the server) running.
QByteArray exchange(QSerialPort& port, const QByteArray& request, int expected,
                    int timeoutMs = 2000) {
    port.write(request);
    QByteArray in;
    QElapsedTimer t;
    t.start();
    while (in.size() < expected && t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        in.append(port.readAll());
    }
    return in;
}

// Lets the event loop run for a while and returns what arrived meanwhile.
QByteArray collect(QSerialPort& port, int ms) {
    QByteArray in;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        in.append(port.readAll());
    }
    return in;
}

class PtyServerTest : public ::testing::Test, protected FreshState {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(server.open(&error)) << error.toStdString();
        server.setPaced(false);
        ASSERT_TRUE(server.devicePath().startsWith("/dev/pts/"));
    }
    Unit unit;
    PtyServer server{unit};
};

} // namespace

TEST_F(PtyServerTest, SerialPortGetsTheLiveReplyToAPoll) {
    QSerialPort port;
    ASSERT_TRUE(openPort(port, server.devicePath())) << port.errorString().toStdString();
    Unit twin;
    const QByteArray expected = twin.feed(poll()).at(0);
    EXPECT_EQ(exchange(port, poll(), 18), expected);
    // Padding and several frames in one write; the read is answered once.
    const QByteArray reply = exchange(port, row('=', 0, 7) + read('9', 0, 16), 18);
    ASSERT_EQ(reply.size(), 18);
    EXPECT_EQ(reply.left(2), bytes({'9', 0}));
    EXPECT_EQ(at(reply, 2), 7);
    EXPECT_EQ(unit.frames().size(), 3u);
}

TEST_F(PtyServerTest, SurvivesTheDeviceBeingClosedAndReopened) {
    for (int round = 0; round < 3; ++round) {
        QSerialPort port;
        ASSERT_TRUE(openPort(port, server.devicePath()));
        EXPECT_EQ(exchange(port, poll(), 18).size(), 18) << round;
        // A reply still owed when the program goes away is not served to the next
        // opener.
        unit.faults.delayNext = 1;
        unit.faults.delayMs = 100;
        port.write(poll());
        collect(port, 20);
        port.close();
        // Nobody holds the device: the server must wait, not spin.
        const std::clock_t cpu = std::clock();
        QTest::qWait(300);
        const double cpuMs = 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC;
        EXPECT_LT(cpuMs, 150.0) << round;
    }
    QSerialPort port;
    ASSERT_TRUE(openPort(port, server.devicePath()));
    const QByteArray in = exchange(port, poll(), 18);
    EXPECT_EQ(in.size(), 18);
    EXPECT_EQ(collect(port, 50), QByteArray()); // nothing stale behind it
}

TEST_F(PtyServerTest, PacedRepliesTakeTheLineTime) {
    QSerialPort port;
    ASSERT_TRUE(openPort(port, server.devicePath()));
    QElapsedTimer t;
    t.start();
    ASSERT_EQ(exchange(port, read('8', 0, 128), 130).size(), 130);
    const qint64 fast = t.elapsed();
    server.setPaced(true);
    t.restart();
    ASSERT_EQ(exchange(port, read('8', 0, 128), 130).size(), 130);
    const qint64 paced = t.elapsed();
    // 130 bytes of 10 bits at 19200 bit/s: 67.7 ms.
    EXPECT_GE(paced, 65);
    EXPECT_LT(paced, 400);
    EXPECT_LT(fast, 40);
}

TEST_F(PtyServerTest, DelayedReplyComesLate) {
    QSerialPort port;
    ASSERT_TRUE(openPort(port, server.devicePath()));
    unit.faults.delayNext = 1;
    unit.faults.delayMs = 300;
    QElapsedTimer t;
    t.start();
    port.write(poll());
    EXPECT_EQ(collect(port, 200), QByteArray());
    QByteArray in = exchange(port, QByteArray(), 18, 1000);
    EXPECT_EQ(in.size(), 18);
    EXPECT_GE(t.elapsed(), 290);
    t.restart();
    EXPECT_EQ(exchange(port, poll(), 18).size(), 18);
    EXPECT_LT(t.elapsed(), 100);
}

TEST_F(PtyServerTest, SplitReplyLeavesInPiecesWithPauses) {
    QSerialPort port;
    ASSERT_TRUE(openPort(port, server.devicePath()));
    unit.faults.splitPieces = 3;
    unit.faults.splitGapMs = 60;
    std::vector<std::pair<qint64, int>> writes;
    QElapsedTimer t;
    t.start();
    QObject::connect(&server, &PtyServer::sent,
                     [&](const QByteArray& b) { writes.emplace_back(t.elapsed(), b.size()); });
    const QByteArray in = exchange(port, poll(), 18);
    EXPECT_EQ(in.size(), 18);
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].second + writes[1].second + writes[2].second, 18);
    EXPECT_GE(writes[1].first - writes[0].first, 55);
    EXPECT_GE(writes[2].first - writes[1].first, 55);
}

TEST_F(PtyServerTest, LinkPointsAtTheDeviceAndGoesOnClose) {
    QTemporaryDir dir;
    const QString link = dir.filePath("kvr6port");
    QString error;
    ASSERT_TRUE(server.setLinkPath(link, &error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), server.devicePath());
    // An old link is replaced; a plain file is left alone.
    PtyServer second(unit);
    ASSERT_TRUE(second.open());
    EXPECT_TRUE(second.setLinkPath(link));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), second.devicePath());
    const QString plain = dir.filePath("plain");
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(second.setLinkPath(plain, &error));
    EXPECT_TRUE(QFileInfo(plain).isFile());
    second.close();
    EXPECT_FALSE(QFileInfo::exists(link));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST(Kvr6SimProgram, ServesPollsOnItsLinkUntilStopped) {
    const QString bin = TempProgramFolder::binDir();
    QTemporaryDir dir;
    const QString link = dir.filePath("com1");
    QProcess sim;
    sim.start(bin + "/kvr6-sim", {"--no-pacing", "--link", link, "--toggle-map", "2"});
    ASSERT_TRUE(sim.waitForStarted(3000));
    ASSERT_TRUE(sim.waitForReadyRead(3000));
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    EXPECT_TRUE(device.startsWith("/dev/pts/")) << device.toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), device);

    QSerialPort port;
    ASSERT_TRUE(openPort(port, link)) << port.errorString().toStdString();
    const QByteArray first = exchange(port, poll(), 18);
    const QByteArray second = exchange(port, poll(), 18);
    ASSERT_EQ(first.size(), 18);
    ASSERT_EQ(second.size(), 18);
    EXPECT_EQ(first.at(0), '1');
    // The switch reached the unit: the active map flips at the second poll.
    EXPECT_EQ(at(first, 14) & Unit::FlagMapA, Unit::FlagMapA);
    EXPECT_EQ(at(second, 14) & Unit::FlagMapA, 0);
    port.close();

    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(3000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}
