#include "LinkTestSupport.h"

#include "link/SendPath.h"
#include "link/WtsCM.h"
#include "link/WtsUp.h"

namespace {

const QByteArray Poll("1\0\x10\r", 4);

QByteArray element(char tag, int i) {
    return QByteArray(1, tag) + QByteArray::number(i) + "\r";
}

std::vector<QByteArray> elements(char tag, int n) {
    std::vector<QByteArray> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(element(tag, i));
    return v;
}

// What went out, polls left out.
std::vector<QByteArray> withoutPolls(const std::vector<QByteArray>& writes) {
    std::vector<QByteArray> v;
    for (const QByteArray& w : writes)
        if (w != Poll)
            v.push_back(w);
    return v;
}

using SendPathTest = LinkTest;

TEST_F(SendPathTest, ShorterQueueAfterALongerOneSendsOnlyItsOwnElements) {
    startPolling();
    SendPath::Queue_Elements(elements('a', 5), SendKind::Queue);
    tick(12);
    SendPath::Queue_Elements(elements('b', 2), SendKind::Queue);
    unit.writes.clear();
    tick(12);
    EXPECT_EQ(withoutPolls(unit.writes), elements('b', 2));
    EXPECT_EQ(SendPending, 0);
    EXPECT_EQ(CommStatus, 10);
    EXPECT_EQ(unit.writes.back(), Poll) << "back to live polling";
}

TEST_F(SendPathTest, FinishedQueueWaitsSendingNothingUntilTheOutputHasDrained) {
    startPolling();
    SendPath::Queue_Elements(elements('q', 2), SendKind::Queue);
    dev->outPending = 40;
    tick(2);
    EXPECT_EQ(unit.writes, elements('q', 2));
    tick(5);
    EXPECT_EQ(unit.writes, elements('q', 2)) << "nothing past the count, no poll";
    EXPECT_EQ(CommStatus, 13);
    dev->outPending = 0;
    tick(3);
    EXPECT_EQ(CommStatus, 10);
    EXPECT_EQ(SendPending, 0);
    EXPECT_EQ(withoutPolls(unit.writes), elements('q', 2));
    EXPECT_EQ(unit.writes.back(), Poll);
}

TEST_F(SendPathTest, QueueSlowsThePollWhileItGoesOutAndGivesTheTimeBack) {
    startPolling();
    link->Comm_Timer.setInterval(120);
    SendPath::Queue_Elements(elements('q', 3), SendKind::Queue);
    tick();
    EXPECT_EQ(link->interval(), 130);
    tick(5);
    EXPECT_EQ(CommStatus, 10);
    EXPECT_EQ(withoutPolls(unit.writes), elements('q', 3));
    EXPECT_EQ(link->interval(), 120);
}

TEST_F(SendPathTest, RequestsRaisedInOneGoArriveInOrderAndComplete) {
    startPolling();
    WtsCM::Select_Map_A();
    SendPath::Queue_Elements(elements('x', 3), SendKind::Queue);
    Map5Image[17] = 99;
    SendPath::Queue_Command(WtsUp::Build_Analog_Cell_Frame(17));
    Map6Image[3] = 44;
    SendPath::Queue_Command(WtsUp::Build_Inject_Cell_Frame(3));
    SendPath::Queue_Elements(elements('y', 2), SendKind::QueueWithProgress);
    WtsCM::Reset_Unit();
    EXPECT_EQ(SendPath::Requests_Outstanding(), 6);
    tick(30);

    std::vector<QByteArray> expected = {WtsUp::Map_Select_Frame(1)};
    for (const QByteArray& e : elements('x', 3))
        expected.push_back(e);
    expected.push_back(QByteArray("5\x11\x63\r"));
    expected.push_back(QByteArray("6\x03\x2c\r"));
    for (const QByteArray& e : elements('y', 2))
        expected.push_back(e);
    expected.push_back(WtsUp::Map_Select_Frame(255));
    // The queue with progress ends in a read-out, after the reset raised behind it:
    // the connection then starts again with a poll.
    const std::vector<QByteArray> sent = withoutPolls(unit.writes);
    ASSERT_GE(sent.size(), expected.size());
    EXPECT_EQ(std::vector<QByteArray>(sent.begin(), sent.begin() + 9), expected);
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0) << "the read-out has begun";
    EXPECT_LT(CommStatus, 10);
}

TEST_F(SendPathTest, RepeatedWritesToOneCellMergeAndOtherCellsAreKept) {
    startPolling();
    Map5Image[40] = 1;
    SendPath::Queue_Command(WtsUp::Build_Analog_Cell_Frame(40));
    Map5Image[40] = 2;
    SendPath::Queue_Command(WtsUp::Build_Analog_Cell_Frame(40));
    Map5Image[41] = 3;
    SendPath::Queue_Command(WtsUp::Build_Ign_Cell_Frame(41));
    Map5Image[40] = 4;
    SendPath::Queue_Command(WtsUp::Build_Analog_Cell_Frame(40));
    tick(8);
    const std::vector<QByteArray> expected = {"5\x28\x02\r", "5\x29\x03\r", "5\x28\x04\r"};
    EXPECT_EQ(withoutPolls(unit.writes), expected);
}

TEST_F(SendPathTest, RefreshWaitsBehindTheWritesAlreadyWaiting) {
    startPolling();
    SendPath::Queue_Command(WtsUp::Map_Select_Frame(0));
    WtsCM::Request_Upload();
    WtsCM::Request_Upload(); // a second refresh adds nothing
    EXPECT_EQ(SendPath::Requests_Outstanding(), 2);
    tick();
    EXPECT_EQ(unit.writes, std::vector<QByteArray>{WtsUp::Map_Select_Frame(0)});
    EXPECT_EQ(CommStatus, 10);
    tick();
    EXPECT_EQ(CommStatus, 0) << "the whole unit is read again";
    EXPECT_EQ(SendPending, 0);
    EXPECT_EQ(unit.writes.size(), 1u) << "a refresh sends nothing itself";
    tick();
    EXPECT_EQ(unit.writes.back(), Poll);
}

// A queue with the progress window ends in a read-out of its own: a refresh asked
// for behind it, waiting or already going out, adds no second read-out.
TEST_F(SendPathTest, RefreshBehindAQueueWithProgressAddsNoSecondReadOut) {
    startPolling();
    SendPath::Queue_Elements(elements('p', 3), SendKind::QueueWithProgress);
    WtsCM::Request_Upload();
    EXPECT_EQ(SendPath::Requests_Outstanding(), 1) << "while the queue waits";
    tick();
    ASSERT_EQ(withoutPolls(unit.writes), elements('p', 1));
    WtsCM::Request_Upload();
    EXPECT_EQ(SendPath::Requests_Outstanding(), 1) << "while the queue goes out";
}

TEST_F(SendPathTest, CommandDuringTheReadOutWaitsAndLeavesTheReadRequestAlone) {
    startOnline();
    CommStatus = 3;
    comm_rth = 130;
    ReadRequest = WtsUp::Read_Frame('9', 0, 128);
    WtsCM::Select_Map_B();
    tick();
    EXPECT_EQ(unit.writes, std::vector<QByteArray>{WtsUp::Read_Frame('9', 0, 128)});
    EXPECT_EQ(link->Comm1.RThreshold(), 130);
    EXPECT_EQ(SendPending, 1);
    CommStatus = 11; // the read-out ended
    tick();
    EXPECT_EQ(unit.writes.back(), WtsUp::Map_Select_Frame(0));
    EXPECT_EQ(SendPending, 0);
}

TEST_F(SendPathTest, EmptyReadRequestStartsTheReadOutAgain) {
    startOnline();
    CommStatus = 5;
    tick();
    EXPECT_EQ(CommStatus, 0);
    EXPECT_TRUE(unit.writes.empty());
}

TEST_F(SendPathTest, QueueWithProgressAdvancesTheBarAndEndsInAReadOut) {
    startPolling();
    Progress().Show();
    SendPath::Queue_Elements(elements('p', 30), SendKind::QueueWithProgress);
    tick(30);
    EXPECT_EQ(Progress().value(), 100) << "kept within the bar's range";
    EXPECT_EQ(CommStatus, 13);
    tick();
    EXPECT_EQ(CommStatus, 0);
    EXPECT_FALSE(Progress().loaded());
    EXPECT_EQ(StatusMsg, "");
    EXPECT_EQ(withoutPolls(unit.writes), elements('p', 30));
}

TEST_F(SendPathTest, ClearingQueueShowsTheElementNumberAndReleasesTheSequencerAtTheEnd) {
    startPolling();
    SendPath::Queue_Elements(elements('c', 3), SendKind::QueueWithProgress);
    PauseMode = 2;
    tick(2);
    EXPECT_EQ(Progress().value(), 2);
    EXPECT_EQ(recorder.last("C_Pause="), "C_Pause=0");
    tick();
    EXPECT_EQ(PauseMode, 0);
    EXPECT_EQ(recorder.last("C_Pause="), "C_Pause=1");
    EXPECT_EQ(Progress().value(), 2 + 5) << "the last element counts as a plain step";
}

TEST_F(SendPathTest, EmptyQueueSendsNothing) {
    startPolling();
    SendPath::Queue_Elements({}, SendKind::Queue);
    tick(3);
    EXPECT_TRUE(withoutPolls(unit.writes).empty());
    EXPECT_EQ(SendPending, 0);
    EXPECT_EQ(CommStatus, 10);
}

TEST_F(SendPathTest, FailedPortHoldsRequestsUntilAPortIsChosen) {
    startPolling();
    SendPending = 99;
    WtsCM::Select_Map_A();
    EXPECT_EQ(SendPending, 99);
    tick();
    EXPECT_EQ(unit.writes, std::vector<QByteArray>{Poll});
    link->mnuPort_Click(1);
    EXPECT_NE(SendPending, 99);
    CommStatus = 10;
    tick(2);
    EXPECT_EQ(withoutPolls(unit.writes), std::vector<QByteArray>{WtsUp::Map_Select_Frame(1)});
}

} // namespace
