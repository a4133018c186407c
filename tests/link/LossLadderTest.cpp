#include "LinkTestSupport.h"

#include "link/WtsUp.h"

namespace {

const QByteArray Poll("1\0\x10\r", 4);

QString line(int prefix, int count, int interval, int status, int sendReceive = 1) {
    return QStringLiteral("Comm->%1bad_cnt = %2 Comm_Timer.Interval=%3 CommStatus = %4 "
                          "cfg_CommSpeed = 100 TimeRun = 0 send_receive=%5")
        .arg(prefix)
        .arg(count)
        .arg(interval)
        .arg(status)
        .arg(sendReceive);
}

using LossLadder = LinkTest;

TEST_F(LossLadder, SilentUnitShowsNoCommsReconnectsAndGoesOffLine) {
    unit.silent = true;
    startOnline();
    tick(); // the first poll
    ASSERT_EQ(send_receive, 1);
    tick(19);
    EXPECT_EQ(bad_cnt, 19);
    EXPECT_FALSE(recorder.has("caption0=NO COMM'S"));
    tick();
    EXPECT_EQ(bad_cnt, 20);
    EXPECT_EQ(recorder.last("caption0="), "caption0=NO COMM'S");
    EXPECT_EQ(recorder.last("visible0="), "visible0=1");
    EXPECT_EQ(link->interval(), 120) << "a tick in state 0 ends at the base interval";

    const int opensBefore = dev->opens;
    tick(40);
    EXPECT_EQ(dev->opens, opensBefore + 1) << "the port was reopened";
    EXPECT_EQ(bad_cnt, 20);
    EXPECT_EQ(OnlineState, "Online2");
    EXPECT_EQ(CommStatus, 0);

    tick(39);
    EXPECT_EQ(OnlineState, "Online2");
    tick();
    EXPECT_EQ(OnlineState, "Offline");
    EXPECT_EQ(recorder.last("caption0="), "caption0=Status: Off-Line");
    EXPECT_TRUE(recorder.has("visible1=1"));

    const std::size_t writes = unit.writes.size();
    tick(5);
    EXPECT_EQ(unit.writes.size(), writes) << "off-line ticks send nothing";
    EXPECT_TRUE(link->timerEnabled());
    EXPECT_TRUE(dialogs.records().empty());

    const QStringList lines = traceLines();
    ASSERT_EQ(lines.size(), 100 + 2);
    EXPECT_EQ(lines[0], line(1, 1, 120, 0));
    EXPECT_EQ(lines[19], line(1, 20, 120, 0));
    EXPECT_EQ(lines[59], line(1, 60, 120, 0));
    EXPECT_EQ(lines[60], line(3, 60, 120, 0));
    EXPECT_EQ(lines[61], line(1, 21, 120, 0));
    EXPECT_EQ(lines[100], line(1, 60, 120, 0));
    EXPECT_EQ(lines[101], line(3, 60, 120, 0));
}

TEST_F(LossLadder, UnitFallingSilentWhilePollingSlowsThePollAndReconnects) {
    unit.silent = true;
    startPolling();
    link->Comm_Timer.setInterval(120);
    tick(30);
    EXPECT_EQ(bad_cnt, 29);
    tick();
    EXPECT_EQ(bad_cnt, 30);
    EXPECT_EQ(recorder.last("caption0="), "caption0=NO COMM'S");
    EXPECT_EQ(link->interval(), 140);
    EXPECT_EQ(traceLines().last(), line(2, 30, 120, 10));
    tick(30);
    EXPECT_EQ(CommStatus, 0);
    EXPECT_EQ(bad_cnt, 20);
    EXPECT_EQ(OnlineState, "Online2");
}

TEST_F(LossLadder, SlowerPollIsCappedAtTwiceTheBase) {
    unit.silent = true;
    cfg_CommSpeed = 50;
    startPolling();
    link->Comm_Timer.setInterval(90);
    bad_cnt = 29;
    send_receive = 1;
    tick();
    EXPECT_EQ(link->interval(), 100);
}

// A poll faster than the base that goes unanswered five times is slowed to well
// above the base; one at the base or slower is left alone.
TEST_F(LossLadder, FastPollUnansweredFiveTimesIsSlowedAboveTheBase) {
    unit.silent = true;
    startPolling();
    for (const auto& [before, after] : {std::pair{50, 170}, std::pair{100, 100}}) {
        link->Comm_Timer.setInterval(before);
        bad_cnt = 5;
        send_receive = 1;
        tick();
        EXPECT_EQ(link->interval(), after) << before;
    }
}

// Bytes of a reply cut short are dropped on the next unanswered tick, so the
// answer to the next poll does not start behind them.
TEST_F(LossLadder, UnansweredConnectingTickDropsAPartReply) {
    unit.silent = true;
    startOnline();
    tick(); // the first poll
    dev->received(QByteArray(5, '\x05'));
    ASSERT_EQ(link->Comm1.InBufferCount(), 5);
    tick();
    EXPECT_EQ(link->Comm1.InBufferCount(), 5) << "it may be a reply still arriving";
    EXPECT_EQ(unit.polls(), 1) << "no poll overtakes it";
    tick();
    EXPECT_EQ(link->Comm1.InBufferCount(), 0) << "nothing more came in a whole tick";
    EXPECT_EQ(unit.polls(), 2);
}

TEST_F(LossLadder, FirstPageRequestWaitsForItsAnswer) {
    unit.silent = true;
    startOnline();
    CommStatus = 1;
    send_receive = 2; // the poll was answered
    tick();
    EXPECT_EQ(unit.writes.back(), WtsUp::Read_Frame('8', 0, 128));
    EXPECT_EQ(link->Comm1.RThreshold(), 130);
    EXPECT_EQ(send_receive, 1);
    tick(29);
    EXPECT_EQ(bad_cnt, 29);
    EXPECT_EQ(traceLines().last(), line(2, 29, 120, 1));
    tick(31);
    EXPECT_EQ(CommStatus, 0) << "a unit answering polls only is reconnected";
    EXPECT_EQ(OnlineState, "Online2");
}

TEST_F(LossLadder, AnsweredTickHidesTheLossLabels) {
    startPolling();
    send_receive = 2;
    tick();
    EXPECT_EQ(recorder.calls.mid(0, 2).join(','), "visible0=0,visible1=0");
    EXPECT_EQ(bad_cnt, 0);
}

TEST_F(LossLadder, NoTuneUnitGetsItsSetFrameBeforeEveryPoll) {
    unit.silent = true;
    NoTuneFlag = 170;
    startOnline();
    tick(2);
    const std::vector<QByteArray> expected = {WtsUp::NoTune_Set_Frame(), Poll,
                                              WtsUp::NoTune_Set_Frame(), Poll};
    EXPECT_EQ(unit.writes, expected);
    EXPECT_EQ(WtsUp::NoTune_Set_Frame().size(), 35);
}

TEST_F(LossLadder, MapFileNoTuneSetsTheMenusOnce) {
    NoTuneFlag = 171;
    startPolling();
    tick(2);
    EXPECT_EQ(recorder.count("no-tune menus"), 1);
    EXPECT_EQ(NoTuneFlag, 170);
}

TEST_F(LossLadder, OffLineTickOnlyFeedsPlayBack) {
    startOnline();
    OnlineState = QStringLiteral("Offline");
    tick();
    EXPECT_TRUE(unit.writes.empty());
    EXPECT_FALSE(recorder.has("OnComm"));
    LogState = 3;
    tick();
    EXPECT_TRUE(recorder.has("OnComm"));
    EXPECT_TRUE(unit.writes.empty());
    EXPECT_TRUE(link->timerEnabled());
}

TEST_F(LossLadder, LostDeviceIsToldOnceAndRunsTheLadderToOffLine) {
    startPolling();
    tick();
    dev->openError = KvrError::InvalidPortNumber; // gone for good
    dev->lose();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, "No communication to KVR Unit !!");
    EXPECT_TRUE(dialogs.records()[0].text.contains("HARDWARE IS NOT AVAILABLE"));
    EXPECT_FALSE(link->Comm1.PortOpen());
    tick(150);
    EXPECT_EQ(OnlineState, "Offline");
    EXPECT_EQ(dialogs.records().size(), 1u) << "no storm of message boxes";

    // Going on-line with the device still gone says so on the status label.
    recorder.calls.clear();
    link->GO_ONLine();
    EXPECT_EQ(recorder.last("caption0="), "caption0=NO COMM'S");
    EXPECT_EQ(recorder.last("visible0="), "visible0=1");
    EXPECT_EQ(dialogs.records().size(), 1u);

    // Back again: going on-line polls.
    dev->openError = 0;
    unit.writes.clear();
    link->GO_ONLine();
    EXPECT_TRUE(link->Comm1.PortOpen());
    EXPECT_TRUE(link->timerEnabled());
    EXPECT_NE(SendPending, 99);
    tick();
    EXPECT_EQ(unit.writes, std::vector<QByteArray>{Poll});
}

} // namespace
