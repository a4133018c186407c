#include "core/AxisLabels.h"
#include "tests/core/ImageFixture.h"

#include <array>

class AxisLabelsTest : public ImageTest {
protected:
    // 625 RPM at break point 0 up to 9375 RPM at break point 15 (4 cylinders).
    static void rpmScale() {
        for (int n = 0; n < 16; ++n)
            setBreakPoint(n, 1000);
        setBreakPoint(0, 1875);
        setBreakPoint(15, 125);
    }
};

TEST_F(AxisLabelsTest, RpmCaptions) {
    rpmScale();
    const struct {
        int n;
        int period;
        const char* caption;
    } cases[] = {
        {1, 0, "?????"},                           // no period
        {2, 50, "?????"},                          // 23437 RPM
        {3, 200 * 256, "?????"},                   // high byte 200 is no 15-bit period
        {4, 750, "1562"},                          // 1562.5 goes to the even neighbour
        {5, 1250, "938"},                          // 937.5
        {6, 59, "19862"},        {7, 58, "?????"}, // 20205 RPM
        {8, 1000, "1172"},
    };
    for (const auto& c : cases)
        setBreakPoint(c.n, c.period);
    const WtsUp::AxisLabels labels = WtsUp::Set_Axis_Labels(1000);
    for (const auto& c : cases)
        EXPECT_EQ(labels.lblrpm[c.n], c.caption) << c.n;
    EXPECT_EQ(labels.lblrpm[0], "625");
    EXPECT_EQ(labels.lblrpm[15], "9375");
    EXPECT_EQ(labels.lastRpm, 9375);
}

TEST_F(AxisLabelsTest, DeflectionCaptions) {
    rpmScale();
    const std::array<int, 8> bytes{0, 26, 128, 200, 255, 256, 300, 3};
    const std::array<const char*, 8> captions{"0%", "10%", "50%", "78%", "99%", "??%", "??%", "1%"};
    for (int i = 0; i < 8; ++i)
        ParamBlock[Idx_DeflScale + i] = static_cast<std::int16_t>(bytes[i]);
    const auto labels = WtsUp::Set_Axis_Labels(1000);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(labels.lblDef[i], captions[i]) << i;
}

TEST_F(AxisLabelsTest, RpmIndicationScaleRunsFromBottomToTop) {
    rpmScale();
    const auto labels = WtsUp::Set_Axis_Labels(1000);
    const std::array<QString, 10> expected{"625",  "1597", "2569", "3541", "4513",
                                           "5486", "6458", "7430", "8402", "9375"};
    EXPECT_EQ(labels.lblrunrpm, expected);
}

TEST_F(AxisLabelsTest, LiveRpmBar) {
    rpmScale();
    const struct {
        int liveRpm;
        int shownRpm;
        double height;
    } cases[] = {
        {0, 627, 2 * 2175.0 / 8750}, // stopped engine: bottom + 2, a sliver
        {625, 627, 2 * 2175.0 / 8750}, {5000, 5000, 4375 * 2175.0 / 8750}, {9375, 9375, 2175},
        {20000, 20000, 2175}, // the bar never grows past its frame
    };
    for (const auto& c : cases) {
        const auto labels = WtsUp::Set_Axis_Labels(c.liveRpm);
        EXPECT_EQ(labels.liveRpm, c.shownRpm) << c.liveRpm;
        ASSERT_TRUE(labels.bar) << c.liveRpm;
        EXPECT_NEAR(labels.bar->height, c.height, 1e-9) << c.liveRpm;
        EXPECT_NEAR(labels.bar->top, 2175 + 120 - c.height, 1e-9) << c.liveRpm;
    }
}

TEST_F(AxisLabelsTest, ScalesWithoutSpanOrEnds) {
    // Equal ends: the indication scale repeats the bottom and there is no bar.
    for (int n = 0; n < 16; ++n)
        setBreakPoint(n, 1875);
    auto labels = WtsUp::Set_Axis_Labels(0);
    EXPECT_EQ(labels.lblrunrpm[9], "625");
    EXPECT_EQ(labels.liveRpm, 627);
    EXPECT_FALSE(labels.bar);

    // A reversed scale keeps the bar empty rather than negative.
    setBreakPoint(0, 125);
    labels = WtsUp::Set_Axis_Labels(10000);
    ASSERT_TRUE(labels.bar);
    EXPECT_EQ(labels.bar->height, 0.0);
    EXPECT_EQ(labels.bar->top, 2295.0);

    // Unusable ends: no scale, no bar, the live RPM as it was.
    setBreakPoint(15, 0);
    labels = WtsUp::Set_Axis_Labels(1234);
    for (const QString& caption : labels.lblrunrpm)
        EXPECT_EQ(caption, "?????");
    EXPECT_EQ(labels.liveRpm, 1234);
    EXPECT_FALSE(labels.bar);
    EXPECT_EQ(labels.lblrpm[15], "?????");
    EXPECT_EQ(labels.lblrpm[1], "625");
}

TEST_F(AxisLabelsTest, AmpLabelsRewriteTheAmpTable) {
    ampCalibration();
    MapTab = 2;
    const auto captions = WtsUp::Set_Amp_Labels();
    ASSERT_TRUE(captions);
    EXPECT_EQ((*captions)[0], "0.46");
    EXPECT_EQ((*captions)[1], "0.50");
    EXPECT_EQ((*captions)[8], "0.75");
    EXPECT_EQ((*captions)[15], "1.00");
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ParamBlock[Idx_AmpTable + i], 15 * i + 5) << i;
}

TEST_F(AxisLabelsTest, AmpCalibrationDefaults) {
    // All zero: nothing at all.
    ParamBlock[Idx_AmpTable + 3] = 99;
    EXPECT_FALSE(WtsUp::Set_Amp_Labels());
    EXPECT_EQ(ParamBlock[Idx_AmpTable + 3], 99);
    EXPECT_EQ(ParamBlock[Idx_AmpCal2], 0);

    // Only point 1 set: point 2 becomes step 15, value 1.0.
    ParamBlock[Idx_AmpCal0] = 1;
    ParamBlock[Idx_AmpCal5] = 128;
    ParamBlock[Idx_AmpTable + 1] = 20;
    ParamBlock[Idx_AmpTable + 15] = 230;
    const auto captions = WtsUp::Set_Amp_Labels();
    EXPECT_EQ(ParamBlock[Idx_AmpCal3], 1);
    EXPECT_EQ(ParamBlock[Idx_AmpCal2], 15);
    ASSERT_TRUE(captions);
    EXPECT_EQ((*captions)[15], "1.00");

    // Only point 2 set: point 1 becomes step 1, value 0.5.
    ParamBlock[Idx_AmpCal0] = 9;
    ParamBlock[Idx_AmpCal1] = 0;
    ParamBlock[Idx_AmpCal5] = 0;
    WtsUp::Set_Amp_Labels();
    EXPECT_EQ(ParamBlock[Idx_AmpCal5], 128);
    EXPECT_EQ(ParamBlock[Idx_AmpCal0], 1);
}

TEST_F(AxisLabelsTest, AmpTableBytesStayInRange) {
    ampCalibration();
    ParamBlock[Idx_AmpCal2] = 8;
    ParamBlock[Idx_AmpTable + 1] = 100;
    ParamBlock[Idx_AmpTable + 8] = 250; // 150 / 7 a step from 100 at step 1
    WtsUp::Set_Amp_Labels();
    EXPECT_EQ(ParamBlock[Idx_AmpTable + 0], 79);   // 78.57
    EXPECT_EQ(ParamBlock[Idx_AmpTable + 15], 255); // 400 clamps
}

TEST_F(AxisLabelsTest, TemperatureLabelsRewriteTheTemperatureTable) {
    EXPECT_FALSE(WtsUp::Set_Temp_Labels()); // no calibration values
    tempCalibration();
    const auto captions = WtsUp::Set_Temp_Labels();
    ASSERT_TRUE(captions);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ((*captions)[i], QString::number(10 * i + 10)) << i;
        EXPECT_EQ(ParamBlock[Idx_TempTable + i], std::min(15 * i + 10, 255)) << i;
    }
}

TEST_F(AxisLabelsTest, CalibrationWithoutScaleShowsNoValues) {
    tempCalibration();
    ParamBlock[Idx_TempCal2] = 2; // equal steps
    ParamBlock[Idx_TempTable + 5] = 77;
    const auto temp = WtsUp::Set_Temp_Labels();
    ASSERT_TRUE(temp);
    EXPECT_EQ((*temp)[0], "?????");
    EXPECT_EQ(ParamBlock[Idx_TempTable + 5], 77);

    ampCalibration();
    ParamBlock[Idx_AmpCal2] = 200; // a step past the table
    const auto amp = WtsUp::Set_Amp_Labels();
    ASSERT_TRUE(amp);
    EXPECT_EQ((*amp)[15], "?????");
}

// Working the captions out reads the image only: a cylinders byte of 0 is
// divided as 4 and stays 0, and the last bar value is returned, not stored.
TEST_F(AxisLabelsTest, CaptionsChangeNoByte) {
    setBreakPoint(0, 1875);
    setBreakPoint(15, 125);
    ParamBlock[Idx_Cylinders] = 0;
    BarValue = 1234;
    const ImageTable before = ParamBlock;
    const WtsUp::AxisLabels labels = WtsUp::Set_Axis_Labels(1000);
    EXPECT_EQ(labels.lblrpm[0], "625");
    EXPECT_EQ(labels.lblrpm[15], "9375");
    EXPECT_EQ(labels.lastRpm, 9375);
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 0);
    EXPECT_TRUE(ParamBlock == before);
    EXPECT_EQ(BarValue, 1234);
    ParamBlock[Idx_Cylinders] = 13; // no count the unit takes: divided as 4 too
    EXPECT_EQ(WtsUp::Set_Axis_Labels(1000).lblrpm[0], "625");
    ParamBlock[Idx_Cylinders] = 12;
    EXPECT_EQ(WtsUp::Set_Axis_Labels(1000).lblrpm[0], "208");
}
