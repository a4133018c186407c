#include "ReadoutFixture.h"

#include "mainwin/StripChart.h"

#include <QImage>
#include <QPaintEvent>
#include <QTest>

using namespace Readouts;

namespace {

// A chart with trace 1 over 0..100 and the scales set.
StripChartModel Chart_0_100() {
    StripChartModel chart;
    chart.TraceMin[1] = 0;
    chart.TraceMax[1] = 100;
    chart.Plot_Clear();
    return chart;
}

} // namespace

TEST(StripChartModel, ValuesLieBetweenTheBottomAndTheTop) {
    StripChartModel chart = Chart_0_100();
    const std::pair<float, int> cases[] = {{0, 1200},   {100, 120}, {50, 660},
                                           {-10, 1200}, {250, 120}, {25.05f, 929}};
    for (const auto& [value, y] : cases) {
        chart.TraceValue[1] = value;
        EXPECT_EQ(chart.Trace_Y(1), y) << value;
    }
}

TEST(StripChartModel, EachSegmentStartsWhereTheLastEnded) {
    StripChartModel chart = Chart_0_100();
    chart.TraceValue[1] = 0;
    chart.Plot_Graph();
    chart.TraceValue[1] = 100;
    chart.Plot_Graph();

    const auto& first = chart.segment(1, 0);
    EXPECT_TRUE(first.visible);
    EXPECT_EQ(first.width, 2);
    EXPECT_EQ(first.y1, 1200); // a sweep begins flat
    EXPECT_EQ(first.y2, 1200);
    EXPECT_EQ(first.x1, 39);
    EXPECT_EQ(first.x2, 78);
    const auto& second = chart.segment(1, 1);
    EXPECT_EQ(second.y1, 1200);
    EXPECT_EQ(second.y2, 120);
    EXPECT_EQ(second.x1, 78);
    EXPECT_EQ(chart.sweepX(), 39 * 3);
    EXPECT_EQ(chart.PlotPos, 3);
}

TEST(StripChartModel, TheSweepWrapsAfterTwoHundredPositions) {
    StripChartModel chart = Chart_0_100();
    for (int i = 0; i < 200; ++i) {
        chart.TraceValue[1] = static_cast<float>(i % 100);
        chart.Plot_Graph();
    }
    EXPECT_EQ(chart.PlotPos, 1);
    EXPECT_EQ(chart.segment(1, 199).x2, 39 * 201);
    EXPECT_EQ(chart.sweepX(), 39 * 201);

    // The 201st point draws at position 1 again, flat, over the old segment.
    chart.TraceValue[1] = 100;
    chart.Plot_Graph();
    EXPECT_EQ(chart.sweepX(), 39 * 2);
    EXPECT_EQ(chart.segment(1, 0).y1, 120);
    EXPECT_EQ(chart.segment(1, 0).y2, 120);
    // The rest of the last sweep stays until the sweep reaches it.
    EXPECT_TRUE(chart.segment(1, 150).visible);
    EXPECT_EQ(chart.PlotPos, 2);
}

TEST(StripChartModel, RangesWithoutSpanOrReversedAreNotDrawn) {
    StripChartModel chart;
    chart.TraceMin = {0, 0, 7, 50};
    chart.TraceMax = {0, 0, 7, 10};
    chart.TraceScale = {0, 5, 5, 5}; // left from an earlier range
    chart.Plot_Clear();
    EXPECT_FLOAT_EQ(chart.TraceScale[1], 0); // both 0
    EXPECT_FLOAT_EQ(chart.TraceScale[2], 0); // equal: no span
    EXPECT_LT(chart.TraceScale[3], 0);       // reversed
    chart.Plot_Graph();
    for (int t = 1; t <= 3; ++t)
        EXPECT_FALSE(chart.segment(t, 0).visible) << "trace " << t;
    // The sweep still moves on.
    EXPECT_EQ(chart.PlotPos, 2);
    EXPECT_EQ(chart.sweepX(), 78);
}

TEST(StripChartModel, ClearHidesEverySegmentAndRestarts) {
    StripChartModel chart = Chart_0_100();
    for (int i = 0; i < 10; ++i)
        chart.Plot_Graph();
    chart.Plot_Clear();
    EXPECT_EQ(chart.PlotPos, 1);
    for (int k = 0; k < StripChartModel::SegmentCount; ++k)
        EXPECT_FALSE(chart.segment(1, k).visible);
    EXPECT_EQ(chart.segment(1, 0).width, 1);
}

TEST_F(ReadoutTest, PlotSetupTakesThePlottedRowsInOrder) {
    addRows({{"9", "0", "0", "RPM", "0", "8000", "1"},
             {"4", "0", "0", "Not plotted", "0", "255", "0"},
             {"3", "0", "0", "Deflection %", "0", "100", "1"},
             {"7", "0", "0", "AFR", "10", "20", "1"},
             {"8", "0", "0", "A fourth", "0", "1", "1"}});
    ReadingSet set;
    set.LiveRpm = 4000;
    set.Reading3 = 2.5f;
    set.LambdaRaw = 184;

    StripChartModel chart;
    chart.Plot_Setup(Offered_Rows(), set);
    EXPECT_EQ(chart.TraceMax[1], 8000);
    EXPECT_FLOAT_EQ(chart.TraceValue[1], 4000);
    EXPECT_FLOAT_EQ(chart.TraceValue[2], 50);
    EXPECT_EQ(chart.TraceMin[3], 10);
    EXPECT_FLOAT_EQ(chart.TraceValue[3], 13.7f);

    // New ranges take effect at the next clear; values at once.
    chart.Plot_Clear();
    chart.Plot_Graph();
    EXPECT_EQ(chart.segment(1, 0).y2, 660);
    EXPECT_EQ(chart.segment(2, 0).y2, 660);
    EXPECT_EQ(chart.segment(3, 0).y2, 1200 - 400); // 13.7 of 10..20, 1080 x 0.37 = 399.6
}

TEST_F(ReadoutTest, PlotSetupWithNoPlottedRowsOnlyMovesTheSweep) {
    addRows({{"9", "0", "0", "RPM", "0", "8000", ""}, {"9", "0", "0", "RPM", "0", "8000", "x"}});
    StripChartModel chart = Chart_0_100();
    chart.Plot_Setup(Offered_Rows(), ReadingSet{});
    EXPECT_EQ(chart.TraceMax[1], 0);
    EXPECT_EQ(chart.PlotPos, 2);
}

TEST_F(ReadoutTest, ChartWidgetDrawsTheTracesInTheirColours) {
    addRows({{"9", "0", "0", "RPM", "0", "8000", "1"}, {"3", "0", "0", "Defl", "0", "100", "1"}});
    ReadingSet set;
    set.LiveRpm = 8000; // top
    set.Reading3 = 0;   // bottom
    StripChart chart;
    chart.resize(chart.sizeHint());
    chart.Plot_Setup(Offered_Rows(), set);
    chart.Plot_Clear();
    for (int i = 0; i < 20; ++i)
        chart.Plot_Setup(Offered_Rows(), set);

    const QImage shot = chart.grab().toImage();
    // Position 10 spans 390..429 twips: pixels 26..28; top at 120 twips = 8 px, bottom 80 px.
    EXPECT_EQ(shot.pixelColor(27, 8), QColor(0x00, 0x00, 0xC0));
    EXPECT_EQ(shot.pixelColor(27, 80), QColor(0xC0, 0x00, 0x00));
    EXPECT_NE(shot.pixelColor(27, 44), QColor(0x00, 0x00, 0xC0));
    EXPECT_NE(shot.pixelColor(27, 44), QColor(0xC0, 0x00, 0x00));
}

TEST_F(ReadoutTest, EachNewPositionRepaintsOnlyTheNewSegmentAndTheOldSweepLine) {
    addRows({{"9", "0", "0", "RPM", "0", "8000", "1"}});
    Recording<StripChart> chart;
    chart.resize(chart.sizeHint());
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    ReadingSet set;
    set.LiveRpm = 8000;
    chart.Plot_Setup(Offered_Rows(), set); // the range, for the scale
    chart.Plot_Clear();
    for (int i = 0; i < 9; ++i)
        chart.Plot_Setup(Offered_Rows(), set);
    QCoreApplication::processEvents();
    chart.painted = QRegion();

    // Position 10: its segments span 390..429 twips (26..29 px), the old sweep line
    // stood at 390 twips.
    chart.Plot_Setup(Offered_Rows(), set);
    QCoreApplication::processEvents();
    EXPECT_TRUE(chart.painted.contains(QRect(24, 0, 7, chart.height())));
    EXPECT_FALSE(chart.painted.contains(QRect(100, 40, 1, 1)));

    // At the wrap the old sweep line at the right end goes too.
    for (int i = 0; i < 190; ++i)
        chart.Plot_Setup(Offered_Rows(), set);
    QCoreApplication::processEvents();
    chart.painted = QRegion();
    chart.Plot_Setup(Offered_Rows(), set);
    QCoreApplication::processEvents();
    EXPECT_TRUE(chart.painted.contains(QRect(2, 0, 4, chart.height())));
    EXPECT_TRUE(chart.painted.contains(QRect(522, 0, 3, chart.height())));
}
