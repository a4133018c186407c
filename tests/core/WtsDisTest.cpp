#include "core/WtsDis.h"
#include "core/WtsUpFormat.h"
#include "tests/core/ImageFixture.h"

#include <functional>

using WtsDisTest = ImageTest;

namespace {

// One byte of a clamped switch point and what its label shows; showing it
// changes no byte of the image.
struct SwitchCase {
    int byte;
    const char* text;
};

void expectSwitchPoint(int index, QString (*member)(int), std::initializer_list<SwitchCase> cases) {
    for (const SwitchCase& c : cases) {
        ParamBlock[index] = static_cast<std::int16_t>(c.byte);
        const ImageTable before = ParamBlock;
        EXPECT_EQ(member(index), c.text) << c.byte;
        EXPECT_EQ(ParamBlock, before) << c.byte;
    }
}

} // namespace

TEST_F(WtsDisTest, PlainParameterAndValueTexts) {
    ParamBlock[Idx_SpeedAdjust] = 192;
    ParamBlock[Idx_FuelZeroCal] = 200;
    ParamBlock[Idx_IgnDwell] = 255;
    ParamBlock[Idx_FuelUpperLimit] = 255;
    ParamBlock[Idx_TeethPerTurn] = 60;
    const struct {
        const char* what;
        std::function<QString()> call;
        const char* text;
    } cases[] = {
        {"volts 255", [] { return WtsDis::Fmt_Volts(255); }, "9.99"},
        {"volts 128", [] { return WtsDis::Fmt_Volts(128); }, "5.01"},
        {"volts 10", [] { return WtsDis::Fmt_Volts(10); }, ".39"},
        {"volts 0", [] { return WtsDis::Fmt_Volts(0); }, ".00"},
        {"param volts", [] { return WtsUp::Fmt_Param_Volts(Idx_FuelUpperLimit); }, "9.99"},
        {"dwell byte", [] { return WtsDis::Fmt_Param_x01024(Idx_IgnDwell); }, "26.1"},
        {"dwell 5", [] { return WtsDis::Fmt_Value_x01024(5); }, ".5"},
        {"dwell 0", [] { return WtsDis::Fmt_Value_x01024(0); }, ".0"},
        {"int", [] { return WtsDis::Fmt_Param_Int(Idx_TeethPerTurn); }, "60"},
        {"percent byte 192", [] { return WtsUp::Fmt_Param_Percent(Idx_SpeedAdjust); }, "50"},
        {"percent 128", [] { return WtsUp::Fmt_Value_Percent(128); }, "0"},
        {"percent 1", [] { return WtsUp::Fmt_Value_Percent(1); }, "-99"},
        {"percent 255", [] { return WtsUp::Fmt_Value_Percent(255); }, "99"},
        {"signed 200", [] { return WtsUp::Fmt_Param_Signed(Idx_FuelZeroCal); }, "-56"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.call(), QString::fromLatin1(c.text)) << c.what;
}

TEST_F(WtsDisTest, MapCellsAndAmpColumns) {
    const struct {
        int byte;
        const char* analog;
        const char* inject;
        const char* analogAmp;
        const char* injectAmp;
    } cases[] = {
        {0, "0", "0", ".00", ".00"},        {1, "1", "1", ".00", ".01"},
        {127, "127", "127", ".50", ".99"},  {128, "-128", "128", ".50", "1.00"},
        {200, "-56", "200", ".78", "1.56"}, {255, "-1", "255", "1.00", "1.99"},
    };
    for (const auto& c : cases) {
        Map5Image[Idx_AnaMap + 37] = static_cast<std::int16_t>(c.byte);
        Map6Image[Idx_InjMap + 37] = static_cast<std::int16_t>(c.byte);
        Map6Image[Idx_AnaAmpCol + 3] = static_cast<std::int16_t>(c.byte);
        Map6Image[Idx_InjAmpCol + 3] = static_cast<std::int16_t>(c.byte);
        EXPECT_EQ(WtsDis::Fmt_Analog_Cell(Idx_AnaMap + 37), c.analog) << c.byte;
        EXPECT_EQ(WtsDis::Fmt_Inject_Cell(Idx_InjMap + 37), c.inject) << c.byte;
        EXPECT_EQ(WtsDis::Fmt_Analog_Amp(Idx_AnaAmpCol + 3), c.analogAmp) << c.byte;
        EXPECT_EQ(WtsDis::Fmt_Inject_Amp(Idx_InjAmpCol + 3), c.injectAmp) << c.byte;
    }
}

TEST_F(WtsDisTest, DegreesRoundHalvesToEvenAndLeaveCellValue) {
    // degrees = signed byte / cylinders x 360 / 256; byte 64 at 4 cylinders is 22.5.
    const struct {
        int cylinders;
        int byte;
        int degrees;
    } cases[] = {
        {4, 127, 45}, {4, 128, -45}, {4, 10, 4},   {4, 255, 0},
        {4, 64, 22},  {4, 0, 0},     {6, 127, 30}, {8, 128, -22},
    };
    for (const auto& c : cases) {
        ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(c.cylinders);
        const QString expected = QString::number(c.degrees);
        ParamBlock[Idx_IgnAdvLimit] = static_cast<std::int16_t>(c.byte);
        Map5Image[Idx_IgnMap + 5] = static_cast<std::int16_t>(c.byte);
        Map6Image[Idx_IgnAmpCol + 5] = static_cast<std::int16_t>(c.byte);
        for (const auto& call : std::initializer_list<std::function<QString()>>{
                 [] { return WtsDis::Fmt_Param_Signed_Scaled(Idx_IgnAdvLimit); },
                 [] { return WtsDis::Fmt_Ign_Cell(Idx_IgnMap + 5); },
                 [] { return WtsDis::Fmt_Ign_Amp(Idx_IgnAmpCol + 5); }}) {
            CellValue = 999;
            EXPECT_EQ(call(), expected) << c.cylinders << " " << c.byte;
            EXPECT_EQ(CellValue, c.degrees) << c.cylinders << " " << c.byte;
        }
    }
}

TEST_F(WtsDisTest, AdvanceEndsAndWholeNumbers) {
    EXPECT_EQ(WtsDis::Fmt_Max_Advance(), "45");
    EXPECT_EQ(CellValue, 45);
    EXPECT_EQ(WtsDis::Fmt_Min_Advance(), "-45");
    EXPECT_EQ(CellValue, -45);
    ParamBlock[Idx_Cylinders] = 8;
    EXPECT_EQ(WtsDis::Fmt_Min_Advance(), "-22"); // -22.5 goes to the even neighbour
    EXPECT_EQ(CellValue, -22);

    const struct {
        double v;
        int whole;
    } cases[] = {{2.5, 2}, {3.5, 4}, {-7, -7}, {44.4, 44}, {1e9, 32767}};
    for (const auto& c : cases) {
        EXPECT_EQ(WtsDis::Fmt_Int(c.v), QString::number(c.whole)) << c.v;
        EXPECT_EQ(CellValue, c.whole) << c.v;
    }
}

TEST_F(WtsDisTest, IgnitionDegreesOfTheEntryBoxUseTheFormatRounding) {
    Map5Image[Idx_IgnMap + 9] = 64; // 22.5 degrees
    ParamBlock[0] = 50;             // no part of the degrees
    CellValue = 7;
    EXPECT_EQ(WtsUp::Fmt_Ign_Degrees(Idx_IgnMap + 9), "23");
    EXPECT_EQ(CellValue, 7);
    Map5Image[Idx_IgnMap + 9] = 200;
    EXPECT_EQ(WtsUp::Fmt_Ign_Degrees(Idx_IgnMap + 9), "-20"); // -56 -> -19.69
}

TEST_F(WtsDisTest, IndexOutsideTheImageIsRefused) {
    try {
        WtsDis::Fmt_Analog_Cell(257);
        FAIL();
    } catch (const KvrError& e) {
        EXPECT_EQ(e.number(), KvrError::SubscriptOutOfRange);
    }
    EXPECT_THROW(WtsDis::Fmt_Param_Int(-1), KvrError);
    EXPECT_NO_THROW(WtsDis::Fmt_Inject_Cell(256));
}

TEST_F(WtsDisTest, DeflectionSwitchPointClampsToTheDeflectionScale) {
    ParamBlock[Idx_DeflScale] = 26;      // 10 %
    ParamBlock[Idx_DeflScale + 7] = 230; // 89 %
    expectSwitchPoint(Idx_SwitchDefl, &WtsDis::Fmt_Percent_Limited,
                      {
                          {255, "OFF"}, // switched off
                          {26, "OFF"},  // 10 % is the first point
                          {0, "OFF"},
                          {27, "11"}, // 10.6 % shows as 11
                          {128, "50"},
                          {226, "89"}, // 88.6 % shows as 89, the top
                          {240, "89"}, // 94 % shows clamped to the top
                      });
    EXPECT_EQ(WtsDis::Fmt_Percent_Or_Off(10), "OFF");
    EXPECT_EQ(WtsDis::Fmt_Percent_Or_Off(11), "11");
}

TEST_F(WtsDisTest, RpmSwitchPointClampsToTheRpmScale) {
    setBreakPoint(0, 2930); // 399.9 RPM
    setBreakPoint(15, 195); // 6009.6 RPM
    const struct {
        int period;
        const char* text;
    } cases[] = {
        {0, "OFF"},           // switched off
        {1000, "1172"},       // 1171.875 RPM
        {2930, "400"},        // 399.9 shows as 400, above the whole bottom 399
        {2935, "OFF"},        // 399.2 shows as 399: at the bottom
        {150, "6009"},        // above the top: shown as the top RPM
        {32767, "OFF"},       // 35.8 RPM
        {128 * 256, "?????"}, // not a 15-bit period
        {255 * 256 + 255, "?????"},
    };
    for (const auto& c : cases) {
        setPeriod(Idx_SwitchRpm, Idx_SwitchRpmLow, c.period);
        const ImageTable before = ParamBlock;
        EXPECT_EQ(WtsDis::Fmt_RPM_Limited(Idx_SwitchRpm), c.text) << c.period;
        EXPECT_EQ(ParamBlock, before) << c.period << ": showing changes no byte";
    }
    EXPECT_EQ(WtsDis::Fmt_RPM_Or_Off(399), "OFF");
    EXPECT_EQ(WtsDis::Fmt_RPM_Or_Off(400), "400");
}

TEST_F(WtsDisTest, RpmSwitchPointWithoutAUsableScaleIsShownUnclamped) {
    setBreakPoint(0, 0);
    setBreakPoint(15, 195);
    setPeriod(Idx_SwitchRpm, Idx_SwitchRpmLow, 150);
    EXPECT_EQ(WtsDis::Fmt_RPM_Limited(Idx_SwitchRpm), "7813");
    EXPECT_EQ(ParamBlock[Idx_SwitchRpm] * 256 + ParamBlock[Idx_SwitchRpmLow], 150);
    EXPECT_EQ(WtsDis::Fmt_RPM_Or_Off(0), "0");
}

TEST_F(WtsDisTest, TemperatureSwitchPointClampsToItsScale) {
    tempCalibration(); // 10 at step 0, 160 at step 15
    expectSwitchPoint(Idx_SwitchTemp, &WtsDis::Fmt_Temp_Limited,
                      {
                          {255, "OFF"},
                          {85, "60"},
                          {10, "OFF"},
                          {0, "OFF"},
                          {11, "11"},
                          {240, "160"},
                      });
    EXPECT_EQ(WtsDis::Fmt_Temp_Or_Off(10), "OFF");
    EXPECT_EQ(WtsDis::Fmt_Temp_Or_Off(11), "11");
}

TEST_F(WtsDisTest, TemperatureSliderBottomIsOffWhenTheScaleStartsBetweenWholeUnits) {
    // K = 0.5, C = 10.5: the slider's bottom is 10.
    ParamBlock[Idx_TempCal0] = 1;
    ParamBlock[Idx_TempCal1] = 11;
    ParamBlock[Idx_TempCal2] = 3;
    ParamBlock[Idx_TempCal3] = 12;
    EXPECT_EQ(WtsDis::Fmt_Temp_Or_Off(10), "OFF");
    EXPECT_EQ(WtsDis::Fmt_Temp_Or_Off(11), "11");
}

TEST_F(WtsDisTest, AmpSwitchPointClampsToItsScale) {
    ampCalibration(); // 0.464 at step 0, 1.0 at step 15
    expectSwitchPoint(Idx_SwitchAmp, &WtsDis::Fmt_Amp_Limited,
                      {
                          {255, "OFF"},
                          {125, ".75"},
                          {5, "OFF"}, // .46 is at or below 0.464
                          {6, ".47"},
                          {230, "1"},
                          {240, "1"},
                      });
    EXPECT_EQ(WtsDis::Fmt_Amp_Or_Off(46), "OFF");
    EXPECT_EQ(WtsDis::Fmt_Amp_Or_Off(47), ".47");
    EXPECT_EQ(WtsDis::Fmt_Amp_Or_Off(100), "1.00");
}

TEST_F(WtsDisTest, AmpSliderOffComparesWholeHundredths) {
    // Value at step 0 = 74 / 256 = 0.289, shown 0.29; 0.29 x 100 is not exactly 29.
    ParamBlock[Idx_AmpCal0] = 0;
    ParamBlock[Idx_AmpCal1] = 0;
    ParamBlock[Idx_AmpCal5] = 74;
    ParamBlock[Idx_AmpCal2] = 15;
    ParamBlock[Idx_AmpCal3] = 1;
    ParamBlock[Idx_AmpTable + 15] = 200;
    EXPECT_EQ(WtsDis::Fmt_Amp_Or_Off(29), "OFF");
    EXPECT_EQ(WtsDis::Fmt_Amp_Or_Off(30), ".30");
    // The scale is recomputed on every call: a new calibration moves the bottom.
    ParamBlock[Idx_AmpCal5] = 128;
    EXPECT_EQ(WtsDis::Fmt_Amp_Or_Off(29), ".29");
    EXPECT_EQ(WtsDis::Fmt_Amp_Or_Off(50), "OFF");
}
