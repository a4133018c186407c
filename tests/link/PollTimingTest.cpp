// The reply-rate measurement and the poll interval that follows it.

#include "LinkTestSupport.h"

#include "link/PollTiming.h"

#include <QTime>

namespace {

QTime second(int s) {
    return QTime(12, 0, s % 60);
}

} // namespace

TEST(PollTimingSteps, StepsAddUpByTheDifference) {
    struct Case {
        int rate, target, expected;
    } cases[] = {
        {3, 10, 100 - 61},  {4, 10, 100 - 31},  {6, 10, 100 - 11},  {8, 10, 100 - 1},
        {10, 10, 100 - 1},  {11, 10, 100 + 1},  {13, 10, 100 + 11}, {15, 10, 100 + 31},
        {17, 10, 100 + 61}, {30, 10, 100 + 61},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PollTiming::Step_Interval(100, c.rate, c.target), c.expected) << c.rate;
}

TEST(PollTimingSteps, IntervalStaysNearTheBaseAndAboveTheFloor) {
    EXPECT_EQ(PollTiming::Clamp_Interval(39, 100), 70);
    EXPECT_EQ(PollTiming::Clamp_Interval(161, 100), 130);
    EXPECT_EQ(PollTiming::Clamp_Interval(130, 100), 130);
    EXPECT_EQ(PollTiming::Clamp_Interval(70, 100), 70);
    EXPECT_EQ(PollTiming::Clamp_Interval(99, 100), 99);
    // A small base cannot take the interval to nothing.
    EXPECT_EQ(PollTiming::Clamp_Interval(-40, 20), PollTiming::MinInterval);
    EXPECT_EQ(PollTiming::Clamp_Interval(0, 5), PollTiming::MinInterval);
}

class PollTimingTest : public LinkTest {
protected:
    PollTimingTest() {
        cfg_CommSpeed = 100;
        link->Comm_Timer.setInterval(100);
        Hooks().SetStatusPanel = [this](int panel, const QString& text) {
            if (panel == 2)
                panel2 = text;
        };
    }
    // Past the warm-up, with the last boundary at second 0.
    void warmedUp() {
        CommTimeCNT = 21;
        RateSampleTime = second(0);
        TimeCNTDO = 0;
        CommCnt = 0;
    }
    // One second of n replies: a boundary, then n - 1 more in the same second.
    void secondOf(int s, int n) {
        PollTiming::Rate_Sample_At(second(s));
        for (int i = 1; i < n; ++i)
            PollTiming::Rate_Sample_At(second(s));
    }
    QString panel2;
};

TEST_F(PollTimingTest, RepliesInOneSecondAreCounted) {
    RateSampleTime = second(0);
    for (int i = 0; i < 4; ++i)
        PollTiming::Rate_Sample_At(second(0));
    EXPECT_EQ(CommCnt, 4);
    EXPECT_TRUE(panel2.isEmpty());
}

TEST_F(PollTimingTest, ANewSecondSmoothsTheRateAndShowsIt) {
    warmedUp();
    CommCnt = 9;
    TimeCNTDO = 4;
    PollTiming::Rate_Sample_At(second(1));
    // 9 / 2 + 4 / 2 = 6.5, halves to even
    EXPECT_EQ(TimeCNTDO, 6);
    EXPECT_EQ(panel2, QStringLiteral("Com Speed :6 /s"));
    EXPECT_EQ(CommCnt, 0);
    EXPECT_EQ(RateSampleTime, second(1));
}

TEST_F(PollTimingTest, WarmUpOf21SecondsLeavesTheInterval) {
    RateSampleTime = second(0);
    for (int s = 1; s <= 21; ++s)
        secondOf(s, 3);
    EXPECT_EQ(CommTimeCNT, 21);
    EXPECT_EQ(link->interval(), 100);
    secondOf(22, 3);
    EXPECT_NE(link->interval(), 100) << "adapts from the 22nd boundary";
}

TEST_F(PollTimingTest, SlowRepliesShortenTheIntervalDownToTheClamp) {
    warmedUp();
    CommCnt = 3;
    TimeCNTDO = 3; // d = 7 against the target 10
    PollTiming::Rate_Sample_At(second(1));
    EXPECT_EQ(link->interval(), 70) << "100 - 61, held at the base - 30";
    EXPECT_TRUE(link->timerEnabled());
}

TEST_F(PollTimingTest, FastRepliesLengthenTheInterval) {
    warmedUp();
    CommCnt = 15;
    TimeCNTDO = 15; // d = 5
    PollTiming::Rate_Sample_At(second(1));
    EXPECT_EQ(link->interval(), 130) << "100 + 31, held at the base + 30";
    link->Comm_Timer.setInterval(100);
    CommCnt = 12;
    TimeCNTDO = 12; // d = 2
    PollTiming::Rate_Sample_At(second(2));
    EXPECT_EQ(link->interval(), 101);
}

TEST_F(PollTimingTest, TheLearnedBaseIsStoredEvery41Samples) {
    warmedUp();
    TimeCNTDO = 10;
    link->Comm_Timer.setInterval(96);
    // Exactly on target: each second shortens by 1 ms until the clamp at 70.
    // A speed line the store would change, whatever it stores.
    folder.writeLines(QStringLiteral("KVR6.cfg"), {QStringLiteral("CommSpeed=7")});
    const QByteArray before = folder.read(QStringLiteral("KVR6.cfg"));
    Hooks().Store_Comm_Speed = &PollTiming::Store_Learned_Base; // the real store
    for (int s = 1; s <= 40; ++s)
        secondOf(s, 10);
    EXPECT_EQ(TimeRun[3], 40);
    EXPECT_EQ(folder.read(QStringLiteral("KVR6.cfg")), before) << "nothing stored yet";
    EXPECT_EQ(cfg_CommSpeed, 100);
    secondOf(41, 10);
    EXPECT_EQ(folder.read(QStringLiteral("KVR6.cfg")), QByteArray("CommSpeed=82\r\n"));
    EXPECT_EQ(TimeRun[3], 0);
    // The running mean, rounded at every sample, of 95, 94, ..., 71 and sixteen
    // times 70.
    EXPECT_EQ(cfg_CommSpeed, 82);
}

TEST_F(PollTimingTest, LearnedBaseStaysInItsRange) {
    warmedUp();
    cfg_CommSpeed = 15;
    link->Comm_Timer.setInterval(15);
    for (int s = 1; s <= 41; ++s)
        secondOf(s, 1); // far too slow: the interval goes to its floor
    EXPECT_EQ(link->interval(), PollTiming::MinInterval);
    EXPECT_EQ(cfg_CommSpeed, PollTiming::MinCommSpeed);
}

TEST_F(PollTimingTest, PlaybackPacesButLearnsNothing) {
    for (int state : {2, 3}) {
        warmedUp();
        LogState = state;
        TimeRun = {};
        link->Comm_Timer.setInterval(100);
        folder.writeLines(QStringLiteral("KVR6.cfg"), {QStringLiteral("CommSpeed=7")});
        Hooks().Store_Comm_Speed = &PollTiming::Store_Learned_Base;
        for (int s = 1; s <= 45; ++s)
            secondOf(s, 1);
        EXPECT_EQ(link->interval(), 70) << "the feed is still paced";
        EXPECT_EQ(TimeRun[3], 0) << state;
        EXPECT_EQ(TimeRun[5], 0) << state;
        EXPECT_EQ(cfg_CommSpeed, 100) << state;
        EXPECT_EQ(folder.read(QStringLiteral("KVR6.cfg")), QByteArray("CommSpeed=7\r\n")) << state;
    }
}

TEST_F(PollTimingTest, SecondsThatArriveDuringAStoreBeginANewRun) {
    warmedUp();
    TimeCNTDO = 10;
    for (int s = 1; s <= 40; ++s)
        secondOf(s, 10);
    // While the store runs (a slow disk, a box a user has not closed) the event
    // loop goes on and the next seconds' replies come in.
    int stores = 0;
    Hooks().Store_Comm_Speed = [&] {
        ++stores;
        if (stores == 1)
            for (int s = 42; s <= 44; ++s)
                secondOf(s, 10);
    };
    PollTiming::Rate_Sample_At(second(41));
    EXPECT_EQ(stores, 1) << "no second store stacked inside the first";
    EXPECT_EQ(TimeRun[3], 3) << "the seconds during the store count toward the next";
}
