// On-line against the simulated unit over the real serial port: the readings, the
// bars, the RPM bar and the strip chart follow the engine from reply to reply.

#include "core/WtsAFR.h"
#include "core/WtsDis.h"
#include "link/LinkState.h"
#include "mainwin/BarIndicators.h"
#include "mainwin/StripChart.h"
#include "platform/NumberRules.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/CaseNames.h"
#include "tests/support/Screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <functional>

namespace {

// The shipped display: text slot 1 and bar 1 RPM, slot 2 and bar 2 deflection,
// traces Deflection %, AFR, RPM.
class ReadoutsOnlineTest : public MainTest {
protected:
    ReadoutsOnlineTest() {
        WtsAFR::Init_AFR_Tables();
        cfg_CommSpeed = 10;
        OnlineState = QStringLiteral("Online");
    }
    frmMain& goOnline() { return loadOnline(); }
    // Waits until the engine's RPM is shown, with a few replies more.
    static bool settlesAt(int low, int high) {
        return QTest::qWaitFor([&] { return LiveRpm >= low && LiveRpm <= high; }, 5000);
    }
};

} // namespace

TEST_F(ReadoutsOnlineTest, TheReadoutsFollowTheEngineAsItRevsAndLoads) {
    unit.setEngine(900, 20);
    frmMain& w = goOnline();
    ASSERT_TRUE(settlesAt(880, 920)) << LiveRpm;
    QTest::qWait(100);
    const QString idleRpm = w.RCNum[0]->text();
    const QString idleLoad = w.RCNum[1]->text();
    const int idleBar = w.BarSet->bars()[0].length;
    const int idleRpmBar = w.ImgRPM->height();
    const int idleY = w.Chart->model().Trace_Y(3);
    const int positions = w.Chart->model().PlotPos;

    unit.setEngine(5000, 200);
    ASSERT_TRUE(settlesAt(4950, 5050)) << LiveRpm;
    QTest::qWait(100);
    EXPECT_NE(w.RCNum[0]->text(), idleRpm);
    EXPECT_EQ(NumberRules::Val(w.RCNum[0]->text()), LiveRpm) << "the text shows the reading";
    EXPECT_NE(w.RCNum[1]->text(), idleLoad);
    EXPECT_GT(w.BarSet->bars()[0].length, idleBar);
    EXPECT_GT(w.BarSet->bars()[1].length, 1088) << "200 of 255 is well past half way";
    EXPECT_GT(w.ImgRPM->height(), idleRpmBar);
    EXPECT_LT(w.Chart->model().Trace_Y(3), idleY) << "higher revs lie higher";
    EXPECT_NE(w.Chart->model().PlotPos, positions) << "the sweep moved on";
    EXPECT_EQ(w.lblRC[0]->text(), QStringLiteral("RPM"));

    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-online-readings.png"))));
}

TEST_F(ReadoutsOnlineTest, AStoppedEngineShowsZeroAndTheChartStandsStill) {
    unit.setEngine(0, 0);
    frmMain& w = goOnline();
    QTest::qWait(300);
    EXPECT_EQ(LiveRpm, 0);
    EXPECT_EQ(w.RCNum[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(w.BarSet->bars()[0].numText, QStringLiteral("0"));
    const int positions = w.Chart->model().PlotPos;
    const int polls = unit.polls();
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.polls() >= polls + 5; }, 3000));
    EXPECT_EQ(w.Chart->model().PlotPos, positions);
    EXPECT_LE(w.ImgRPM->height(), 2) << "the RPM bar keeps a sliver";
}

namespace {

// A unit found locked when it is read again: the readouts keep their names and
// show no value of the unit before it.
struct LockedRead {
    const char* name;
    std::function<void(frmMain&)> start;
};

class ALockedUnitReadAgain : public ReadoutsOnlineTest,
                             public ::testing::WithParamInterface<LockedRead> {};

} // namespace

TEST_P(ALockedUnitReadAgain, ShowsNoReadingOfTheUnitBefore) {
    unit.setEngine(3000, 120);
    frmMain& w = goOnline();
    ASSERT_TRUE(settlesAt(2950, 3050)) << LiveRpm;
    QTest::qWait(100);
    ASSERT_EQ(NumberRules::Val(w.lblRPMShow->text()), LiveRpm);
    ASSERT_TRUE(w.BarSet->bars()[0].visible);
    ASSERT_GT(w.BarSet->bars()[0].length, 0);

    unit.faults.locked = true;
    GetParam().start(w);
    ASSERT_TRUE(QTest::qWaitFor([] { return UnitLocked == 1 && UnitOnline == 1; }, 10000));
    const int polls = unit.polls();
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.polls() > polls + 3; }, 5000));

    EXPECT_EQ(w.lblNoComms[0]->text(), QStringLiteral("Status: On-Line"));
    EXPECT_EQ(w.lblRC[0]->text(), QStringLiteral("RPM"));
    EXPECT_EQ(w.RCNum[0]->text(), WtsDis::NoValue);
    EXPECT_EQ(w.lblRPMShow->text(), WtsDis::NoValue) << "the big RPM figure";
    EXPECT_EQ(w.lblRPM_Map->text(), WtsDis::NoValue);
    EXPECT_EQ(w.lblAnalog_Defl->text(), WtsDis::NoValue);
    int shown = 0;
    for (const Readouts::BarSlot& bar : w.BarSet->bars()) {
        if (!bar.visible)
            continue;
        ++shown;
        EXPECT_FALSE(bar.name.isEmpty());
        EXPECT_EQ(bar.numText, WtsDis::NoValue) << bar.name.toStdString();
        EXPECT_EQ(bar.length, 0) << bar.name.toStdString();
    }
    EXPECT_GT(shown, 0) << "the bars keep their names";
    int drawn = 0;
    for (int t = 1; t <= Readouts::StripChartModel::Traces; ++t)
        for (int k = 0; k < Readouts::StripChartModel::SegmentCount; ++k)
            drawn += w.Chart->model().segment(t, k).visible ? 1 : 0;
    EXPECT_EQ(drawn, 0) << "segments of the chart still drawn";
    if (std::string_view(GetParam().name) == "read from the Tools menu")
        EXPECT_TRUE(
            w.grab().save(Screenshot_Path(QStringLiteral("main-locked-after-readings.png"))));
}

INSTANTIATE_TEST_SUITE_P(Reads, ALockedUnitReadAgain,
                         ::testing::Values(LockedRead{"read from the Tools menu",
                                                      [](frmMain& w) { w.mnuUpload->trigger(); }},
                                           LockedRead{"going on-line again",
                                                      [](frmMain& w) {
                                                          w.mnuOffline->trigger();
                                                          w.mnuOnline->trigger();
                                                      }}),
                         By_Case_Name());
