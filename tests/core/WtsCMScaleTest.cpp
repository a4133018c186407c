#include "core/WtsCMScale.h"
#include "tests/core/ImageFixture.h"

using WtsCMScaleTest = ImageTest;

TEST_F(WtsCMScaleTest, AmpScaleFromItsCalibration) {
    ampCalibration();
    WtsCM::Calc_Amp_Scale();
    ASSERT_TRUE(AmpScale.valid);
    EXPECT_FLOAT_EQ(AmpScale.K, 0.5f / 14);
    EXPECT_FLOAT_EQ(AmpScale.C, 0.5f - 0.5f / 14);
    EXPECT_FLOAT_EQ(AmpScale.G, 15.0f);
    EXPECT_FLOAT_EQ(AmpScale.O, 5.0f);
}

TEST_F(WtsCMScaleTest, TemperatureScaleFromItsCalibration) {
    tempCalibration();
    WtsCM::Calc_Temp_Scale();
    ASSERT_TRUE(TempScale.valid);
    EXPECT_FLOAT_EQ(TempScale.K, 10.0f);
    EXPECT_FLOAT_EQ(TempScale.C, 10.0f);
    EXPECT_FLOAT_EQ(TempScale.G, 15.0f);
    EXPECT_FLOAT_EQ(TempScale.O, 10.0f);
}

TEST_F(WtsCMScaleTest, AmpBytesToValuesAndBack) {
    ampCalibration();
    const float K = 0.5f / 14, C = 0.5f - 0.5f / 14;
    const struct {
        int byte;
        float value;
    } toValue[] = {
        {5, C}, {0, C}, {125, 0.75f}, {230, 1.0f}, {255, 15.9f * K + C}, // step clamps at 15.9
    };
    for (const auto& c : toValue) {
        const auto v = WtsCM::Conv_Byte_To_Volts_Amp(c.byte);
        ASSERT_TRUE(v) << c.byte;
        EXPECT_NEAR(*v, c.value, 1e-6) << c.byte;
    }
    const struct {
        double value;
        float byte;
    } toByte[] = {
        {0.75, 125.0f}, {1.0, 230.0f}, {0.0, 5.0f}, {2.0, 15.99f * 15 + 5}, // one step further
    };
    for (const auto& c : toByte) {
        const auto b = WtsCM::Conv_Volts_To_Byte_Amp(c.value);
        ASSERT_TRUE(b) << c.value;
        EXPECT_NEAR(*b, c.byte, 1e-3) << c.value;
    }
}

TEST_F(WtsCMScaleTest, TemperatureBytesToValuesAndBack) {
    tempCalibration();
    const struct {
        int byte;
        float value;
    } toValue[] = {{10, 10.0f}, {0, 10.0f}, {85, 60.0f}, {255, 169.0f}};
    for (const auto& c : toValue) {
        const auto v = WtsCM::Conv_Byte_To_Volts_Temp(c.byte);
        ASSERT_TRUE(v) << c.byte;
        EXPECT_NEAR(*v, c.value, 1e-4) << c.byte;
    }
    const struct {
        double value;
        float byte;
    } toByte[] = {{60, 85.0f}, {10, 10.0f}, {-40, 10.0f}, {500, 15.9f * 15 + 10}};
    for (const auto& c : toByte) {
        const auto b = WtsCM::Conv_Volts_To_Byte_Temp(c.value);
        ASSERT_TRUE(b) << c.value;
        EXPECT_NEAR(*b, c.byte, 1e-3) << c.value;
    }
}

TEST_F(WtsCMScaleTest, ByteResultsStayUnitBytes) {
    // Steep tables: byte = 18.2 x step - 18.2 (AMP), 21 x step - 2 (temperature).
    ampCalibration();
    ParamBlock[Idx_AmpTable + 1] = 0;
    ParamBlock[Idx_AmpTable + 15] = 255;
    tempCalibration();
    ParamBlock[Idx_TempTable + 12] = 250;
    EXPECT_EQ(WtsCM::Conv_Volts_To_Byte_Amp(5.0), 255.0f);
    EXPECT_EQ(WtsCM::Conv_Volts_To_Byte_Amp(0.0), 0.0f);
    EXPECT_EQ(WtsCM::Conv_Volts_To_Byte_Temp(500), 255.0f);
    EXPECT_EQ(WtsCM::Conv_Volts_To_Byte_Temp(10), 0.0f);
}

TEST_F(WtsCMScaleTest, FlatTemperatureTableCountsOneBytePerStep) {
    tempCalibration();
    ParamBlock[Idx_TempTable + 2] = 100;
    ParamBlock[Idx_TempTable + 12] = 100; // byte per step 0
    EXPECT_NEAR(*WtsCM::Conv_Byte_To_Volts_Temp(103), 40.0f, 1e-4);
    EXPECT_NEAR(*WtsCM::Conv_Volts_To_Byte_Temp(60), 100.0f, 1e-4);
}

TEST_F(WtsCMScaleTest, WithNoImageTheScalesKeepTheirNumbers) {
    ampCalibration();
    tempCalibration();
    MapLoaded = 0;
    UnitOnline = 0;
    AmpScale = {1, 2, 3, 4, true};
    TempScale = {5, 6, 7, 8, true};
    EXPECT_FALSE(WtsCM::Conv_Byte_To_Volts_Amp(100));
    EXPECT_FALSE(WtsCM::Conv_Byte_To_Volts_Temp(100));
    WtsCM::Calc_Amp_Scale();
    WtsCM::Calc_Temp_Scale();
    EXPECT_EQ(AmpScale.C, 2.0f);
    EXPECT_EQ(TempScale.C, 6.0f);
    // The value-to-byte twins work on the scale as it stands.
    EXPECT_NEAR(*WtsCM::Conv_Volts_To_Byte_Amp(2.0 + 5), 3.0f * 5 + 4, 1e-4);
    UnitOnline = 1; // a finished read-out counts as an image
    EXPECT_TRUE(WtsCM::Conv_Byte_To_Volts_Amp(100));
    EXPECT_FLOAT_EQ(AmpScale.G, 15.0f);
}

TEST_F(WtsCMScaleTest, DegenerateCalibrationsGiveNoValue) {
    const struct {
        const char* what;
        int ampStep1, ampStep2, ampTable2; // steps and the table byte at step 2
        int ampValue2;                     // whole part of the value at point 2
    } cases[] = {
        {"equal steps", 15, 15, 230, 1},
        {"step above 15", 1, 16, 230, 1},
        {"step far outside the table", 1, 200, 230, 1},
    };
    for (const auto& c : cases) {
        ampCalibration();
        ParamBlock[Idx_AmpCal0] = static_cast<std::int16_t>(c.ampStep1);
        ParamBlock[Idx_AmpCal2] = static_cast<std::int16_t>(c.ampStep2);
        EXPECT_NO_THROW(WtsCM::Calc_Amp_Scale()) << c.what;
        EXPECT_FALSE(AmpScale.valid) << c.what;
        EXPECT_FALSE(WtsCM::Conv_Byte_To_Volts_Amp(100)) << c.what;
        EXPECT_FALSE(WtsCM::Conv_Volts_To_Byte_Amp(0.7)) << c.what;
    }
    // A flat AMP table cannot be read back into a value; equal values cannot give a byte.
    ampCalibration();
    ParamBlock[Idx_AmpTable + 15] = 20;
    EXPECT_FALSE(WtsCM::Conv_Byte_To_Volts_Amp(100));
    ampCalibration();
    ParamBlock[Idx_AmpCal3] = 0;
    ParamBlock[Idx_AmpCal4] = 128; // point 2 = 0.5, as point 1
    EXPECT_FALSE(WtsCM::Conv_Volts_To_Byte_Amp(0.7));
    tempCalibration();
    ParamBlock[Idx_TempCal2] = 2;
    EXPECT_FALSE(WtsCM::Conv_Byte_To_Volts_Temp(100));
    EXPECT_FALSE(WtsCM::Conv_Volts_To_Byte_Temp(50));
    tempCalibration();
    ParamBlock[Idx_TempCal3] = 30; // both points 30
    EXPECT_FALSE(WtsCM::Conv_Volts_To_Byte_Temp(50));
}
