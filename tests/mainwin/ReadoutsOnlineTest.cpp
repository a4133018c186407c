// On-line against the simulated unit over the real serial port: the readings, the
// bars, the RPM bar and the strip chart follow the engine from reply to reply.

#include "core/WtsAFR.h"
#include "link/LinkState.h"
#include "mainwin/BarIndicators.h"
#include "mainwin/StripChart.h"
#include "platform/NumberRules.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/Screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTest>

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
