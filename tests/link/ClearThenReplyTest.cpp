// The clear-unit sequence against the simulated unit, with a poll's answer that
// was still on its way when the queue's last element went out.

#include "ReceiveTestSupport.h"

#include "link/ClearUnit.h"
#include "link/WtsUp.h"
#include "tests/support/CaseNames.h"

namespace {

class ClearThenReplyTest : public SimReceiveTest {
protected:
    ClearThenReplyTest() {
        CaptionProduct = QStringLiteral("KVR6");
        folder.copyData(WtsCM::ClearFileName);
        ParamBlock[Idx_Cylinders] = 4;
    }
    // A reply the unit sent for a poll the link has stopped waiting for.
    void lateLiveReply() {
        link->Comm1.setRThreshold(0);
        dev->received(sim.liveReply());
        ReceiveHandler::Comm1_OnComm();
    }
    int reads() const {
        return static_cast<int>(
            std::count_if(sim.frames().begin(), sim.frames().end(),
                          [](const QByteArray& f) { return f == WtsUp::Read_Frame('8', 0, 128); }));
    }
};

struct ClearCase {
    const char* name;
    bool offline; // cleared off-line: the sequence goes on-line first
};

class LateLiveReplyAfterTheLastElement : public ClearThenReplyTest,
                                         public ::testing::WithParamInterface<ClearCase> {};

TEST_P(LateLiveReplyAfterTheLastElement, LeavesTheLinkRunning) {
    const ClearCase& c = GetParam();
    cfg_CommPort = 1;
    if (c.offline) {
        link->SerialPortOn();
        OnlineState = QStringLiteral("Offline");
    } else {
        connect();
        ASSERT_EQ(UnitOnline, 1);
        // Right after a live reply, before the next tick: not state 10, so
        // the sequence goes on-line again as well.
        tick();
        settle();
        ASSERT_EQ(CommStatus, 11);
    }
    dialogs.clear();
    dialogs.answer(Dialogs::Answer::Yes);
    WtsCM::Clear_Unit([] { return QDateTime(QDate(2025, 3, 1), QTime(14, 7)); });
    ASSERT_EQ(PauseMode, 2);
    const int readsBefore = reads();

    // The queue goes out one element a tick, until its last one has left.
    for (int i = 0; i < 200 && !(CommStatus == 13 && SendSubState == 1); ++i) {
        tick();
        settle();
    }
    ASSERT_EQ(CommStatus, 13);
    ASSERT_EQ(SendSubState, 1);
    ASSERT_EQ(PauseMode, 0) << "the last element is out";

    lateLiveReply();
    EXPECT_EQ(CommStatus, 13) << "the request keeps its state";

    // The unit is read again and live polling goes on.
    const int pollsBefore = sim.polls();
    for (int i = 0; i < 20; ++i) {
        tick();
        settle();
    }
    EXPECT_EQ(reads(), readsBefore + 1) << "the read-out after the clear";
    EXPECT_EQ(UnitOnline, 1);
    EXPECT_TRUE(CommStatus == 10 || CommStatus == 11) << CommStatus;
    EXPECT_GT(sim.polls(), pollsBefore + 5) << "polls go on";
    EXPECT_EQ(Map5Image[0], sim.byte(5, 0)) << "the image is the cleared unit's";
}

INSTANTIATE_TEST_SUITE_P(Ways, LateLiveReplyAfterTheLastElement,
                         ::testing::Values(ClearCase{"cleared off-line", true},
                                           ClearCase{"cleared while polling", false}),
                         By_Case_Name());

TEST_F(ClearThenReplyTest, ALateLiveReplyDuringTheQueueKeepsItsPace) {
    cfg_CommPort = 1;
    link->SerialPortOn();
    OnlineState = QStringLiteral("Offline");
    dialogs.answer(Dialogs::Answer::Yes);
    WtsCM::Clear_Unit([] { return QDateTime(QDate(2025, 3, 1), QTime(14, 7)); });
    for (int i = 0; i < 5; ++i) {
        tick();
        settle();
    }
    ASSERT_EQ(CommStatus, 13);
    const int sent = SendLineNo;
    lateLiveReply();
    EXPECT_EQ(SendLineNo, sent) << "no element goes out early";
    EXPECT_EQ(CommStatus, 13);
    EXPECT_EQ(PauseMode, 2);
    tick();
    EXPECT_EQ(SendLineNo, sent + 1) << "one element a tick";
}

} // namespace
