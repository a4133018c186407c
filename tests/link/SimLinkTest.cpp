#include "LinkTestSupport.h"

#include "link/SendPath.h"
#include "link/WtsUp.h"
#include "sim/PtyServer.h"
#include "sim/SimUnit.h"

#include <QTest>

namespace {

// The link against the simulated unit, in process behind the serial control.
class SimLink : public LinkTest {
protected:
    SimLink() {
        link->Comm1.setDevice(
            std::make_unique<InProcessDevice>([this](const QByteArray& b) { return sim.feed(b); }));
    }
    sim::Unit sim;
};

TEST_F(SimLink, SilentSimulatedUnitTakesTheLadderToOffLine) {
    sim.faults.silent = true;
    startOnline();
    tick(1 + 60);
    EXPECT_EQ(OnlineState, "Online2");
    tick(40);
    EXPECT_EQ(OnlineState, "Offline");
    EXPECT_EQ(sim.polls(), 101) << "one poll a tick until the link gave up";
    EXPECT_TRUE(recorder.has("caption0=NO COMM'S"));
    EXPECT_EQ(traceLines().size(), 102);
}

TEST_F(SimLink, QueuedRowsAndCommandsLandInTheUnitInOrder) {
    startPolling();
    for (int a = 0; a < 16; ++a)
        Map6Image[a] = static_cast<std::int16_t>(100 + a);
    std::vector<QByteArray> rows = {WtsUp::Row_Write_Frame('>', 0, Map6Image)};
    SendPath::Queue_Elements(rows, SendKind::Queue);
    Map6Image[3] = 7;
    SendPath::Queue_Command(WtsUp::Build_Inject_Cell_Frame(3));
    tick(6);
    EXPECT_EQ(sim.byte(6, 0), 100);
    EXPECT_EQ(sim.byte(6, 15), 115);
    EXPECT_EQ(sim.byte(6, 3), 7) << "the later single write wins";
}

// The real serial port code against the simulated unit on a pseudo-terminal.
class SimPseudoTerminal : public ::testing::Test, protected FreshState {};

TEST_F(SimPseudoTerminal, PollsArriveAndTheUnitAnswers) {
    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;
    sim::Unit unit;
    sim::PtyServer server(unit);
    QString error;
    ASSERT_TRUE(server.open(&error)) << error;
    server.setPaced(false);
    qputenv("KVR6_COM4", server.devicePath().toLocal8Bit());

    int events = 0;
    QByteArray reply;
    {
        UnitLink link;
        Hooks().Comm1_OnComm = [&] {
            ++events;
            reply = link.Comm1.Input();
        };
        cfg_CommPort = 4;
        link.SerialPortOn();
        ASSERT_TRUE(link.Comm1.PortOpen()) << dialogs.texts().join('|');
        link.GO_ONLine();
        link.Comm_Timer_Timer();
        EXPECT_TRUE(QTest::qWaitFor([&] { return events > 0; }, 5000));
        EXPECT_GE(unit.polls(), 1);
        EXPECT_EQ(reply.size(), 18);
        EXPECT_EQ(reply.left(1), "1");
        link.Form_Unload();
    }
    qunsetenv("KVR6_COM4");
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(SimPseudoTerminal, ClosedTerminalIsAVanishedDevice) {
    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;
    sim::Unit unit;
    auto server = std::make_unique<sim::PtyServer>(unit);
    ASSERT_TRUE(server->open());
    server->setPaced(false);
    qputenv("KVR6_COM4", server->devicePath().toLocal8Bit());
    {
        UnitLink link;
        cfg_CommPort = 4;
        link.SerialPortOn();
        ASSERT_TRUE(link.Comm1.PortOpen());
        link.GO_ONLine();
        link.Comm_Timer_Timer();
        server.reset(); // the terminal goes away under the link
        EXPECT_TRUE(QTest::qWaitFor([&] { return PortLost == 1; }, 5000));
        EXPECT_FALSE(link.Comm1.PortOpen());
        EXPECT_EQ(dialogs.records().size(), 1u);
        link.Form_Unload();
    }
    qunsetenv("KVR6_COM4");
}

} // namespace
