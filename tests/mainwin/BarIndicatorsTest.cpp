#include "ReadoutFixture.h"

#include "mainwin/BarIndicators.h"
#include "mainwin/RpmIndication.h"

#include <QImage>
#include <QPaintEvent>
#include <QTest>

using namespace Readouts;

TEST(BarLength, ScalesTheValueIntoTheRangeAndClampsBothEnds) {
    struct Case {
        double value;
        int min, max;
        int length;
    };
    const Case cases[] = {
        {50, 0, 100, 1088},                      // 1087.5, halves to even
        {25, 0, 100, 544},                       // 543.75
        {0, 0, 100, 5},                          // at the minimum: the shortest bar
        {-20, 0, 100, 5},                        // below it
        {0.1, 0, 100, 5},                        // 2.175 twips is still the shortest bar
        {100, 0, 100, 2175},                     // at the maximum: full length
        {400, 0, 100, 2175},                     // above it
        {0, -45, 45, 1088},                      // a range around 0
        {15, 10, 20, 1088},  {50, 100, 0, 1088}, // a reversed range counts from its minimum
    };
    for (const Case& c : cases)
        EXPECT_EQ(Bar_Length(c.value, c.min, c.max), c.length)
            << c.value << " in " << c.min << ".." << c.max;
}

TEST(BarLength, ARangeWithoutSpanHasNoBar) {
    EXPECT_EQ(Bar_Length(5, 5, 5), std::nullopt);
    EXPECT_EQ(Bar_Length(0, 0, 0), std::nullopt);
}

TEST_F(ReadoutTest, BarDrawShowsEachBarRowInItsSlot) {
    addRows({{"9", "1", "0", "RPM", "0", "8000", "0"},
             {"8", "3", "0", "AFR Input V", "0", "1", "0"},
             {"5", "6", "0", "Ign Mod", "-45", "45", "0"},
             {"7", "4", "0", "AFR", "10", "20", "0"}});
    ReadingSet set;
    set.LiveRpm = 4000;
    set.LambdaRaw = 102;
    set.CellValue = -45;
    BarSlots6 bars;
    Bar_Draw(bars, Offered_Rows(), set);

    EXPECT_TRUE(bars[0].visible);
    EXPECT_EQ(bars[0].name, QStringLiteral("RPM"));
    EXPECT_EQ(bars[0].minText, QStringLiteral("0"));
    EXPECT_EQ(bars[0].maxText, QStringLiteral("8000"));
    EXPECT_EQ(bars[0].numText, QStringLiteral("4000"));
    EXPECT_EQ(bars[0].length, 1088);
    // The value is the reading's leading number, shown without pattern or unit.
    EXPECT_EQ(bars[2].numText, QStringLiteral("0.5"));
    EXPECT_EQ(bars[2].length, 1088);
    EXPECT_EQ(bars[5].minText, QStringLiteral("-45"));
    EXPECT_EQ(bars[5].length, 5);
    EXPECT_EQ(bars[3].numText, QStringLiteral("14.7"));
    for (const int s : {1, 4})
        EXPECT_FALSE(bars[s].visible) << "slot " << s;
}

TEST_F(ReadoutTest, BarDrawLeavesSlotsOfOtherRowsAsTheyAre) {
    BarSlots6 bars;
    bars[3] = BarSlot{true, "Old", "0", "1", "1", 2175};
    addRows({{"9", "1", "0", "RPM", "0", "8000", "0"}});
    Bar_Draw(bars, Offered_Rows(), ReadingSet{});
    EXPECT_TRUE(bars[3].visible);
    EXPECT_EQ(bars[3].name, QStringLiteral("Old"));
}

TEST_F(ReadoutTest, DegenerateBarRowsAreLeftOutAndTheRestDrawn) {
    addRows({{"9", "1", "0", "No span", "50", "50", "0"},
             {"9", "7", "0", "No slot 7", "0", "8000", "0"},
             {"9", "-1", "0", "Negative", "0", "8000", "0"},
             {"4", "2", "0", "Inj", "0", "255", "0"},
             {"9", "4", "0", "Empty range", "", "", "0"}});
    ReadingSet set;
    set.Reading4 = 255;
    BarSlots6 bars;
    Bar_Draw(bars, Offered_Rows(), set);
    EXPECT_FALSE(bars[0].visible);
    EXPECT_FALSE(bars[3].visible);
    EXPECT_TRUE(bars[1].visible);
    EXPECT_EQ(bars[1].length, 2175);
}

TEST_F(ReadoutTest, BarWidgetClearsAndDrawsItsBars) {
    addRows({{"4", "1", "0", "Inj", "0", "255", "0"}});
    ReadingSet set;
    set.Reading4 = 255;
    BarIndicators widget;
    widget.resize(widget.sizeHint());
    widget.Bar_Draw(Offered_Rows(), set);
    ASSERT_TRUE(widget.bars()[0].visible);

    // The full bar of slot 0 (700..2875 twips across, 290..455 down) is filled to
    // its right end.
    const QImage shot = widget.grab().toImage();
    const int barY = 25;
    EXPECT_EQ(shot.pixelColor(50, barY), QColor(0x00, 0x00, 0xC0));
    EXPECT_EQ(shot.pixelColor(190, barY), QColor(0x00, 0x00, 0xC0));

    widget.Bar_Clear();
    for (const BarSlot& s : widget.bars())
        EXPECT_FALSE(s.visible);
    const QImage cleared = widget.grab().toImage();
    EXPECT_NE(cleared.pixelColor(50, barY), QColor(0x00, 0x00, 0xC0));
}

// RPM break points from 600 (period 1953) to 7812 (period 150) at 4 cylinders.
class RpmIndicationTest : public ReadoutTest {
protected:
    RpmIndicationTest() {
        for (int n = 0; n < 16; ++n)
            setBreakPoint(n, 1953 - n * (1953 - 150) / 15);
    }
};

TEST_F(RpmIndicationTest, LabelsStepFromTheLowestBreakPointInWholeSteps) {
    const auto labels = Rpm_Indication_Labels();
    ASSERT_TRUE(labels);
    // step = (7812 - 600) / 9 = 801.3, rounded to 801
    const std::array<QString, 10> expected{"600",  "1401", "2202", "3003", "3804",
                                           "4605", "5406", "6207", "7008", "7809"};
    EXPECT_EQ(*labels, expected);
}

TEST_F(RpmIndicationTest, NoLabelsWithoutUnitDataOrAMap) {
    MapLoaded = 0;
    UnitOnline = 0;
    EXPECT_EQ(Rpm_Indication_Labels(), std::nullopt);
    UnitOnline = 1;
    EXPECT_TRUE(Rpm_Indication_Labels());
}

TEST_F(RpmIndicationTest, UnusableBreakPointsLeaveTheLabels) {
    setBreakPoint(15, 0);
    EXPECT_EQ(Rpm_Indication_Labels(), std::nullopt);
    setBreakPoint(15, 150);
    ParamBlock[Idx_RpmScale] = 128; // a period beyond 15 bits
    EXPECT_EQ(Rpm_Indication_Labels(), std::nullopt);
}

TEST_F(RpmIndicationTest, AStoppedEngineShowsASliverAndKeepsItsReading) {
    LiveRpm = 0;
    const auto bar = Rpm_Bar_For(LiveRpm);
    ASSERT_TRUE(bar);
    EXPECT_DOUBLE_EQ(bar->height, 2.0 * 2175 / (7812 - 600));
    EXPECT_DOUBLE_EQ(bar->top + bar->height, 2175 + 120);
    EXPECT_EQ(LiveRpm, 0);
    EXPECT_EQ(Conv_Input_to_readings(9), QStringLiteral("0"));
}

TEST_F(RpmIndicationTest, TheBarGrowsWithTheRpmUpToItsFullHeight) {
    const auto mid = Rpm_Bar_For((600 + 7812) / 2);
    ASSERT_TRUE(mid);
    EXPECT_DOUBLE_EQ(mid->height, 2175.0 / 2);
    const auto over = Rpm_Bar_For(9000);
    ASSERT_TRUE(over);
    EXPECT_DOUBLE_EQ(over->height, 2175);
    EXPECT_DOUBLE_EQ(over->top, 120);
}

TEST_F(RpmIndicationTest, NoSpanOrNoPeriodGivesNoBar) {
    setBreakPoint(15, 1953); // top equals bottom
    EXPECT_EQ(Rpm_Bar_For(3000), std::nullopt);
    setBreakPoint(15, 150);
    setBreakPoint(0, 0);
    EXPECT_EQ(Rpm_Bar_For(3000), std::nullopt);
}

TEST_F(ReadoutTest, ALiveReplyRepaintsOnlyTheBarsThatChanged) {
    addRows({{"9", "1", "0", "RPM", "0", "8000", "0"}, {"4", "3", "0", "Inj", "0", "255", "0"}});
    Recording<BarIndicators> bars;
    bars.resize(bars.sizeHint());
    bars.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bars));
    ReadingSet set;
    set.LiveRpm = 3000;
    set.Reading4 = 10;
    bars.Bar_Draw(Offered_Rows(), set);
    QCoreApplication::processEvents();
    bars.painted = QRegion();

    set.Reading4 = 200; // slot 3 (top 60 + 2 x 480 twips = 68 px) changes, slot 1 not
    bars.Bar_Draw(Offered_Rows(), set);
    QCoreApplication::processEvents();
    EXPECT_TRUE(bars.painted.contains(QPoint(100, 80)));
    EXPECT_FALSE(bars.painted.contains(QPoint(100, 20)));
}
