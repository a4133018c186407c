#include "core/AxisLabels.h"
#include "core/UnitBytes.h"
#include "core/WtsAFR.h"
#include "core/WtsCMScale.h"
#include "core/WtsDef.h"
#include "core/WtsDis.h"
#include "core/WtsUpFormat.h"
#include "tests/core/ImageFixture.h"

#include <functional>

// Images whose bytes no conversion can make sense of: every conversion still
// answers, with its no-value text where it cannot compute, and nothing throws.
class DegenerateImageTest : public ImageTest {
protected:
    DegenerateImageTest() { WtsAFR::Init_AFR_Tables(); }
};

namespace {

struct Image {
    const char* what;
    std::function<void()> fill;
    // Expected texts of the members that depend on the degenerate bytes.
    const char* rpmLimited;
    const char* tempLimited;
    const char* ampLimited;
    const char* rpmCaption;
    const char* degrees;
};

void fillAll(ImageTable& t, int value) {
    for (int i = 0; i < ImageTable::Size; ++i)
        t[i] = static_cast<std::int16_t>(value);
}

} // namespace

namespace {

std::vector<Image> images() {
    return {
        {"all zero (cylinders 0, periods 0, equal calibration steps)",
         [] {
             fillAll(ParamBlock, 0);
             ParamBlock[Idx_SwitchRpmLow] = 1; // a switch point whose period is 1
             ParamBlock[Idx_SwitchTemp] = 7;
             ParamBlock[Idx_SwitchAmp] = 7;
         },
         "1171875", "?????", "?????", "?????", "0"},
        {"all 255 (periods with high byte 255, steps far past the tables)",
         [] {
             fillAll(ParamBlock, 255);
             fillAll(Map5Image, 255);
             fillAll(Map6Image, 255);
             ParamBlock[Idx_SwitchTemp] = 7;
             ParamBlock[Idx_SwitchAmp] = 7;
         },
         "?????", "?????", "?????", "?????", "0"},
        {"high bytes of 128",
         [] {
             fillAll(ParamBlock, 128);
             ParamBlock[Idx_Cylinders] = 4;
             Map5Image[0] = 128;
         },
         "?????", "?????", "?????", "?????", "-45"},
        {"flat calibration tables",
         [] {
             fillAll(ParamBlock, 0);
             ParamBlock[Idx_Cylinders] = 4;
             ParamBlock[Idx_AmpCal0] = 1;
             ParamBlock[Idx_AmpCal2] = 15;
             ParamBlock[Idx_AmpCal3] = 1;
             ParamBlock[Idx_TempCal0] = 1;
             ParamBlock[Idx_TempCal2] = 15;
             ParamBlock[Idx_SwitchTemp] = 7;
             ParamBlock[Idx_SwitchAmp] = 7;
             ParamBlock[Idx_SwitchRpmLow] = 1;
             Map5Image[0] = 128;
         },
         // A flat temperature table counts one byte per step; a flat AMP table
         // cannot turn a byte into a value; an equal-valued temperature scale is
         // at its bottom.
         "1171875", "OFF", "?????", "?????", "-45"},
    };
}

// Each image in a fixture of its own.
class DegenerateImage : public DegenerateImageTest, public ::testing::WithParamInterface<Image> {};

} // namespace

TEST_P(DegenerateImage, EveryConversionAnswers) {
    const Image& image = GetParam();
    SCOPED_TRACE(image.what);
    MapLoaded = -1;
    image.fill();
    ASSERT_NO_THROW({
        EXPECT_EQ(WtsDis::Fmt_RPM_Limited(Idx_SwitchRpm), image.rpmLimited);
        EXPECT_EQ(WtsDis::Fmt_Temp_Limited(Idx_SwitchTemp), image.tempLimited);
        EXPECT_EQ(WtsDis::Fmt_Amp_Limited(Idx_SwitchAmp), image.ampLimited);
        EXPECT_EQ(WtsDis::Fmt_Ign_Cell(Idx_IgnMap), image.degrees);
        EXPECT_GE(UnitBytes::Usable_Cylinders(), 1);

        const auto labels = WtsUp::Set_Axis_Labels(0);
        EXPECT_EQ(labels.lblrpm[0], image.rpmCaption);
        EXPECT_EQ(labels.lblrunrpm[0], "?????");
        EXPECT_FALSE(labels.bar);
        EXPECT_FALSE(WtsDef::Rebuild_RPM_Scale());

        // The rest answers whatever it shows.
        WtsDis::Fmt_RPM_Or_Off(0);
        WtsDis::Fmt_Temp_Or_Off(0);
        WtsDis::Fmt_Amp_Or_Off(0);
        WtsDis::Fmt_Percent_Limited(Idx_SwitchDefl);
        WtsDis::Fmt_Percent_Or_Off(0);
        WtsDis::Fmt_Param_Signed_Scaled(Idx_IgnAdvLimit);
        WtsDis::Fmt_Max_Advance();
        WtsDis::Fmt_Min_Advance();
        WtsDis::Fmt_Ign_Amp(Idx_IgnAmpCol);
        WtsUp::Fmt_Ign_Degrees(Idx_IgnMap);
        WtsCM::Conv_Byte_To_Volts_Amp(100);
        WtsCM::Conv_Byte_To_Volts_Temp(100);
        WtsCM::Conv_Volts_To_Byte_Amp(1.0);
        WtsCM::Conv_Volts_To_Byte_Temp(50);
        WtsUp::Set_Amp_Labels();
        WtsUp::Set_Temp_Labels();
        WtsDef::Fill_Deflect_Weighted();
        WtsDef::Fill_Deflect_Linear();
    });
    // Whatever was written back is still a unit byte.
    for (int i = 0; i < ImageTable::Size; ++i) {
        EXPECT_GE(ParamBlock[i], 0) << i;
        EXPECT_LE(ParamBlock[i], 255) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Images, DegenerateImage, ::testing::ValuesIn(images()));
