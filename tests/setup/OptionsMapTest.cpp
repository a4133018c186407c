// The mapping between the parameter block and the global parameter screen's
// controls, without a window: a table per tab of bytes in, label shown, bytes
// after saving with the label untouched; the round trip of every byte; the
// inverse conversions when a label is edited; the gate.

#include "core/ParamOffsets.h"
#include "core/UnitBytes.h"
#include "core/WtsDis.h"
#include "platform/NumberRules.h"
#include "tests/setup/SetupTestSupport.h"

using namespace OptionsMap;

namespace {

struct ByteRow {
    int address;
    int byte;
    Slider slider;
    const char* label;
    int value; // where the slider stands
};

class OptionsMapTabs : public ParamImageTest, public ::testing::WithParamInterface<ByteRow> {};

} // namespace

// Speed, Analog and Ignition tabs, and the switch points, at 4 cylinders.
TEST_P(OptionsMapTabs, ShowsTheLabelAndSavesTheByteBack) {
    const ByteRow& row = GetParam();
    ParamBlock[row.address] = static_cast<std::int16_t>(row.byte);
    if (row.address == Idx_SwitchRpm)
        ParamBlock[Idx_SwitchRpmLow] = static_cast<std::int16_t>(row.byte);
    Controls c = open();
    EXPECT_EQ(c.sliders[row.slider].label, QString::fromUtf8(row.label));
    EXPECT_EQ(c.sliders[row.slider].Value, row.value);
    EXPECT_EQ(c.sliders[row.slider].SelStart, row.value);
    const ImageTable opened = block();
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[row.address], opened[row.address]);
    EXPECT_EQ(block(), opened);
}

INSTANTIATE_TEST_SUITE_P(
    PerTab, OptionsMapTabs,
    ::testing::Values(
        // Speed
        ByteRow{128, 255, sldSpe1, "99", 255}, ByteRow{128, 1, sldSpe1, "-99", 1},
        ByteRow{128, 128, sldSpe1, "0", 128}, ByteRow{128, 130, sldSpe1, "2", 130},
        ByteRow{129, 77, sldSpe2, "77", 77},
        // Analog
        ByteRow{130, 255, sldAna1, "-1", -1}, ByteRow{130, 5, sldAna1, "5", 5},
        ByteRow{130, 128, sldAna1, "-128", -127}, ByteRow{132, 200, sldAna2, "7.84", 200},
        ByteRow{133, 255, sldAna3, "9.99", 255}, ByteRow{133, 1, sldAna3, ".04", 1},
        // Ignition
        ByteRow{131, 255, sldIgn5, "26.1", 255}, ByteRow{146, 60, sldIgn3, "60", 60},
        ByteRow{147, 3, sldIgn4, "3", 3}, ByteRow{148, 88, sldIgn1, "31", 31},
        ByteRow{148, 89, sldIgn1, "31", 31}, ByteRow{149, 228, sldIgn2, "-10", -10},
        ByteRow{149, 128, sldIgn2, "-45", -45},
        // Switch points: RPM off, temperature (K 8, C 0), AMP (K 1/3, C 0), deflection
        ByteRow{136, 0, sldSwi1, "OFF", 499}, ByteRow{137, 255, sldSwi2, "OFF", 0},
        ByteRow{137, 85, sldSwi2, "40", 40}, ByteRow{138, 255, sldSwi3, "OFF", 0},
        ByteRow{138, 51, sldSwi3, "1.00", 100}, ByteRow{139, 255, sldSwi4, "OFF", 0},
        ByteRow{139, 128, sldSwi4, "50", 50}),
    [](const ::testing::TestParamInfo<ByteRow>& info) {
        return "Address" + std::to_string(info.param.address) + "Byte" +
               std::to_string(info.param.byte);
    });

TEST_F(ParamImageTest, SliderRangesAndCaptionsFollowTheImage) {
    const Controls c = open();
    EXPECT_TRUE(dialogs.records().empty());
    const SliderRow& adv = c.sliders[sldIgn1];
    EXPECT_EQ(adv.Min, 0);
    EXPECT_EQ(adv.Max, 45);
    EXPECT_EQ(adv.maxCaption, QStringLiteral("45"));
    EXPECT_EQ(adv.TickFrequency, 3);
    EXPECT_EQ(c.sliders[sldIgn2].Min, -45);
    const SliderRow& rpm = c.sliders[sldSwi1];
    // Break points 0 and 15 are the periods 2344 and 146: 499.9 and 8026.5 RPM.
    EXPECT_EQ(rpm.Min, 499);
    EXPECT_EQ(rpm.Max, 8026);
    EXPECT_EQ(rpm.minCaption, QStringLiteral("499"));
    EXPECT_EQ(rpm.maxCaption, QStringLiteral("8026"));
    EXPECT_EQ(rpm.TickFrequency, NumberRules::RoundEven(7527 / 14.0));
    EXPECT_EQ(c.sliders[sldSwi2].maxCaption, QStringLiteral("120"));
    EXPECT_EQ(c.sliders[sldSwi3].Max, 500);
    EXPECT_EQ(c.sliders[sldSwi3].maxCaption, QStringLiteral("5.00"));
    EXPECT_EQ(c.sliders[sldSwi4].maxCaption, QStringLiteral("99%"));
    EXPECT_EQ(c.sliders[sldSpe1].minCaption, QStringLiteral("-99"));
    EXPECT_EQ(c.sliders[sldAna2].maxCaption, QStringLiteral("9.99V"));
    EXPECT_EQ(c.sliders[sldIgn5].maxCaption, QStringLiteral("25.5"));
    EXPECT_TRUE(c.sliders[sldSpe2].minCaption.isEmpty()) << "the limit has no end captions";
}

// Every byte the screen shows, opened and saved without an edit, stays exactly as
// it was read, whatever its label shows: a switch point below its range ("OFF"),
// above it, or of no period, a cylinders byte outside 1..12.
TEST_F(ParamImageTest, EveryShownByteOpensAndSavesAsItWas) {
    const ImageTable factory = block();
    const std::vector<int> shownAddresses{128, 129, 130, 131, 132, 133, 136, 137, 138, 139,
                                          144, 145, 146, 147, 148, 149, 150, 151, 203};
    for (const int address : shownAddresses) {
        for (int b = 0; b < 256; ++b) {
            ParamBlock = factory;
            ParamBlock[address] = static_cast<std::int16_t>(b);
            const ImageTable read = block();
            const Controls c = open();
            ASSERT_EQ(block(), read) << "opening, address " << address << " byte " << b;
            ASSERT_TRUE(save(c));
            ASSERT_EQ(block(), read) << "saving, address " << address << " byte " << b;
        }
    }
}

// Where the label says everything the byte holds, its inverse gives the byte back
// even when the row counts as edited: the fuel limits store with the factor they
// are shown with (200 "7.84" stays 200).
TEST_F(ParamImageTest, EditedLabelsOfExactRowsGiveTheirBytesBack) {
    const ImageTable factory = block();
    for (const int address : {129, 130, 131, 132, 133, 146, 147}) {
        for (int b = 0; b < 256; ++b) {
            ParamBlock = factory;
            ParamBlock[address] = static_cast<std::int16_t>(b);
            const Controls c = open();
            ASSERT_TRUE(saveEdited(c));
            ASSERT_EQ(ParamBlock[address], b) << "address " << address;
        }
    }
}

// Where the label rounds (whole percent, whole degrees), an edited label stores a
// byte that shows that label again, at every cylinder count.
TEST_F(ParamImageTest, EditedRoundedLabelsStoreABytesThatShowsThem) {
    const ImageTable factory = block();
    for (const int cylinders : {1, 4, 6, 8, 12}) {
        for (const int address : {128, 148, 149, 139}) {
            for (int b = 0; b < 256; ++b) {
                ParamBlock = factory;
                ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(cylinders);
                ParamBlock[address] = static_cast<std::int16_t>(b);
                Controls c = open();
                const Slider s = address == 128   ? sldSpe1
                                 : address == 148 ? sldIgn1
                                 : address == 149 ? sldIgn2
                                                  : sldSwi4;
                // A label the slider offers: the one shown, moved into the range.
                c.sliders[s].label = Live_Label(s, c.sliders[s].Value);
                const QString label = c.sliders[s].label;
                ASSERT_TRUE(saveEdited(c));
                const Controls again = open();
                ASSERT_EQ(again.sliders[s].label, label)
                    << "address " << address << " byte " << b << " cylinders " << cylinders;
            }
        }
    }
}

TEST_F(ParamImageTest, IgnitionLimitsReachWhatTheSlidersOffer) {
    Controls c = open();
    struct Case {
        Slider slider;
        int degrees;
        int byte;
    };
    for (const Case k : {Case{sldIgn1, 31, 88}, Case{sldIgn1, 32, 91}, Case{sldIgn1, 45, 127},
                         Case{sldIgn1, 0, 0}, Case{sldIgn2, -10, 228}, Case{sldIgn2, -32, 165},
                         Case{sldIgn2, -45, 128}, Case{sldIgn2, 0, 0}}) {
        c.sliders[k.slider].setValue(k.degrees);
        c.sliders[k.slider].label = Live_Label(k.slider, k.degrees);
        ASSERT_TRUE(save(c));
        EXPECT_EQ(ParamBlock[k.slider == sldIgn1 ? Idx_IgnAdvLimit : Idx_IgnRetLimit], k.byte)
            << k.degrees << " degrees";
    }
}

// Every position of every slider, its live label saved: every byte of the block
// stays a byte.
TEST_F(ParamImageTest, NoSliderPositionStoresANonByte) {
    const ImageTable factory = block();
    for (int s = 0; s < SliderCount; ++s) {
        ParamBlock = factory;
        Controls c = open();
        SliderRow& row = c.sliders[static_cast<std::size_t>(s)];
        for (int v = row.Min; v <= row.Max; ++v) {
            row.setValue(v);
            row.label = Live_Label(static_cast<Slider>(s), v);
            ASSERT_TRUE(save(c));
            for (int a = 128; a < 256; ++a)
                ASSERT_TRUE(ParamBlock[a] >= 0 && ParamBlock[a] <= 255)
                    << "slider " << s << " at " << v << ": address " << a;
        }
    }
}

TEST_F(ParamImageTest, TheTemperatureSwitchAtTheTopStaysANumber) {
    Controls c = open();
    SliderRow& temp = c.sliders[sldSwi2];
    temp.setValue(temp.Max);
    temp.label = Live_Label(sldSwi2, temp.Max);
    ASSERT_EQ(temp.label, QStringLiteral("120"));
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_SwitchTemp], 254) << "255 would read as OFF";
    EXPECT_EQ(open().sliders[sldSwi2].label, QStringLiteral("120"));
}

TEST_F(ParamImageTest, TheRpmSwitchPointStoresItsPeriod) {
    Controls c = open();
    SliderRow& rpm = c.sliders[sldSwi1];
    rpm.setValue(3000);
    rpm.label = Live_Label(sldSwi1, 3000);
    ASSERT_TRUE(save(c));
    const int period = ParamBlock[Idx_SwitchRpm] * 256 + ParamBlock[Idx_SwitchRpmLow];
    EXPECT_EQ(period, 391) << "120000 / 3000 / 4 / 0.0256 = 390.6";
    EXPECT_EQ(open().sliders[sldSwi1].label, QStringLiteral("2997")) << "what period 391 is";
    // At the first break point the label reads OFF and saving clears both bytes.
    rpm.setValue(rpm.Min);
    rpm.label = Live_Label(sldSwi1, rpm.Min);
    EXPECT_EQ(rpm.label, QStringLiteral("OFF"));
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_SwitchRpm], 0);
    EXPECT_EQ(ParamBlock[Idx_SwitchRpmLow], 0);
}

TEST_F(ParamImageTest, NewCylindersKeepWhatTheDegreeAndRpmLabelsSay) {
    ParamBlock[Idx_IgnAdvLimit] = 57; // 20 degrees at 4 cylinders
    ParamBlock[Idx_SwitchRpm] = 1;
    ParamBlock[Idx_SwitchRpmLow] = 135; // period 391: 2997 RPM at 4
    Controls c = open();
    const QString rpm = c.sliders[sldSwi1].label;
    c.optcyl.fill(false);
    c.optcyl[5] = true; // 6
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 6);
    EXPECT_EQ(ParamBlock[Idx_IgnAdvLimit], 85) << "20 x 6 x 256 / 360 = 85.3";
    const Controls again = open();
    EXPECT_EQ(again.sliders[sldIgn1].label, QStringLiteral("20"));
    // 2997 RPM at 6 cylinders is period 260.7: the nearest period, 261, is 2993 RPM.
    EXPECT_EQ(ParamBlock[Idx_SwitchRpm] * 256 + ParamBlock[Idx_SwitchRpmLow], 261);
    EXPECT_EQ(rpm, QStringLiteral("2997"));
    EXPECT_EQ(again.sliders[sldSwi1].label, QStringLiteral("2993"));
}

// A cylinder button chosen on the screen: the ignition limits and the RPM switch
// point keep the degrees and the RPM they showed, within the ranges at the new
// count; what no longer fits is moved to the end of its range and told; saving
// stores what is shown.
TEST_F(ParamImageTest, TheDegreeAndRpmRowsFollowTheChosenCylinders) {
    struct Case {
        const char* what;
        int advance, retard, period; // bytes at 4 cylinders
        int to;
        int advMax, retMin, rpmMin, rpmMax;
        const char *advLabel, *retLabel, *rpmLabel;
        const char* told; // "" when all fits
    };
    const Case cases[] = {
        // 2997 RPM at 6 cylinders is period 260.7; the nearest period, 261, is 2993 RPM.
        {"everything fits", 57, 228, 391, 6, 30, -30, 333, 5351, "20", "-10", "2993", ""},
        {"advance too far", 127, 0, 0, 6, 30, -30, 333, 5351, "30", "0", "OFF",
         "the advance limit reaches 30 degrees: the limit of 45 degrees now reads 30"},
        {"retard too far", 0, 128, 0, 8, 22, -22, 249, 4013, "0", "-22", "OFF",
         "the retard limit reaches -22 degrees: the limit of -45 degrees now reads -22"},
        {"switch above the scale", 0, 0, 200, 6, 30, -30, 333, 5351, "0", "0", "5351",
         "the RPM switch point of 5859 RPM lies above it and now reads 5351 RPM"},
        {"switch below the scale", 0, 0, 2000, 2, 89, -90, 999, 16053, "0", "0", "OFF",
         "the RPM switch point of 586 RPM lies below it and is now OFF"},
    };
    const ImageTable factory = block();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        ParamBlock = factory;
        ParamBlock[Idx_IgnAdvLimit] = static_cast<std::int16_t>(k.advance);
        ParamBlock[Idx_IgnRetLimit] = static_cast<std::int16_t>(k.retard);
        UnitBytes::Store_Period(Idx_SwitchRpm, Idx_SwitchRpmLow, k.period);
        Controls c = open();
        c.optcyl.fill(false);
        c.optcyl[static_cast<std::size_t>(
            std::find(CylinderButtons.begin(), CylinderButtons.end(), k.to) -
            CylinderButtons.begin())] = true;
        const QString told = Follow_Cylinders(c);
        EXPECT_EQ(c.cylinders, k.to);
        EXPECT_EQ(c.sliders[sldIgn1].Max, k.advMax);
        EXPECT_EQ(c.sliders[sldIgn1].maxCaption, QString::number(k.advMax));
        EXPECT_EQ(c.sliders[sldIgn2].Min, k.retMin);
        EXPECT_EQ(c.sliders[sldSwi1].Min, k.rpmMin);
        EXPECT_EQ(c.sliders[sldSwi1].Max, k.rpmMax);
        EXPECT_EQ(c.sliders[sldIgn1].label, QString::fromLatin1(k.advLabel));
        EXPECT_EQ(c.sliders[sldIgn2].label, QString::fromLatin1(k.retLabel));
        EXPECT_EQ(c.sliders[sldSwi1].label, QString::fromLatin1(k.rpmLabel));
        EXPECT_EQ(c.sliders[sldIgn1].Value, NumberRules::Val(c.sliders[sldIgn1].label));
        if (*k.told == 0)
            EXPECT_TRUE(told.isEmpty()) << told;
        else
            EXPECT_TRUE(told.contains(QString::fromLatin1(k.told))) << told;
        ASSERT_TRUE(save(c));
        EXPECT_EQ(ParamBlock[Idx_Cylinders], k.to);
        const Controls again = open();
        for (const Slider s : {sldIgn1, sldIgn2, sldSwi1})
            EXPECT_EQ(again.sliders[s].label, c.sliders[s].label) << "slider " << s;
    }
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(ParamImageTest, EqualCalibrationStepsAreToldAndTheRestIsShown) {
    ParamBlock[Idx_AmpCal2] = ParamBlock[Idx_AmpCal0];
    ParamBlock[Idx_SwitchAmp] = 40;
    ParamBlock[Idx_SpeedLimit] = 77;
    ParamBlock[Idx_IgnAdvLimit] = 88;
    Controls c = open();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Unexpected Error !!"));
    EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_TRUE(dialogs.records()[0].text.startsWith(
        QStringLiteral("There was an unexpected error on the GLOBAL screen, due to a value "
                       "being out of range.\r The error code is = ")));
    EXPECT_TRUE(dialogs.records()[0].text.endsWith(
        QStringLiteral("\r\rTo continue, check all the global settings carefully and adjust "
                       "where necessary")));
    EXPECT_EQ(c.sliders[sldSpe2].label, QStringLiteral("77"));
    EXPECT_EQ(c.sliders[sldIgn1].label, QStringLiteral("31"));
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_SwitchAmp], 40);
}

TEST_F(ParamImageTest, ASwitchPointOfNoPeriodKeepsItsBytesWhenTheCylindersChange) {
    ParamBlock[Idx_SwitchRpm] = 255;
    ParamBlock[Idx_SwitchRpmLow] = 255;
    Controls c = open();
    EXPECT_EQ(c.sliders[sldSwi1].label, WtsDis::NoValue);
    ASSERT_EQ(dialogs.records().size(), 1u);
    // Only the label's step failed: the slider has its range from break points 0 and 15.
    EXPECT_EQ(c.sliders[sldSwi1].Min, 499);
    EXPECT_EQ(c.sliders[sldSwi1].Max, 8026);
    EXPECT_EQ(c.sliders[sldSwi1].maxCaption, QStringLiteral("8026"));
    EXPECT_EQ(c.sliders[sldSwi1].Value, 499);
    c.optcyl.fill(false);
    c.optcyl[5] = true;
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 6);
    EXPECT_EQ(ParamBlock[Idx_SwitchRpm], 255);
    EXPECT_EQ(ParamBlock[Idx_SwitchRpmLow], 255);
}

TEST_F(ParamImageTest, ABreakPointOfNoPeriodIsToldAndSkipped) {
    ParamBlock[Idx_RpmScale] = 0;
    ParamBlock[Idx_RpmScale + 1] = 0;
    const Controls c = open();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Unexpected Error !!"));
    EXPECT_EQ(c.sliders[sldSwi1].label, QStringLiteral("OFF"));
    EXPECT_EQ(c.sliders[sldSpe1].label, QStringLiteral("-100")) << "the rest is shown";
}

// --- Modes, Cylinders, System Config and Global tabs --------------------------

TEST_F(ParamImageTest, ModeCodesPickTheirListEntry) {
    ParamBlock[Idx_Mode] = 11;
    Controls c = open();
    EXPECT_EQ(c.ComModes, 2);
    EXPECT_EQ(c.lblModes,
              QStringLiteral("11-Single ignition advance and retard + road speed governor"));
    EXPECT_EQ(c.lblModeDesc, ModeDescriptions[2]);
    EXPECT_EQ(ModeIndex, 2);
    c.ComModes = 5;
    c.modeChosen = true;
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_Mode], 20);
}

TEST_F(ParamImageTest, AnUnknownModeShowsThePreviousAndIsKept) {
    ParamBlock[Idx_Mode] = 12;
    open();
    ParamBlock[Idx_Mode] = 15;
    const Controls c = open();
    EXPECT_EQ(c.ComModes, 3) << "the mode of the previous opening";
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_Mode], 15) << "not chosen, not changed";
}

TEST_F(ParamImageTest, ModeZeroLeavesTheModeControlsAlone) {
    ParamBlock[Idx_Mode] = 0;
    Controls c;
    c.lblModes = QStringLiteral("design");
    Set_New_Values(c);
    EXPECT_EQ(c.lblModes, QStringLiteral("design"));
    EXPECT_EQ(c.ComModes, -1);
}

TEST_F(ParamImageTest, CylinderButtons) {
    ParamBlock[Idx_Cylinders] = 0;
    Controls c = open();
    EXPECT_EQ(c.optcyl, (std::array<bool, 9>{false, false, false, true})) << "shown as 4";
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 0);
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 0) << "nobody chose a button";
    ParamBlock[Idx_Cylinders] = 7;
    c = open();
    EXPECT_EQ(c.optcyl, (std::array<bool, 9>{})) << "no button for 7";
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 7);
    c.optcyl[8] = true;
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 12);
}

TEST_F(ParamImageTest, OptionBitsOneButtonOfEachPair) {
    ParamBlock[Idx_OptionBits1] = 0b10100101;
    ParamBlock[Idx_OptionBits2] = 0b11111010;
    Controls c = open();
    const std::array<bool, 11> on{true,  false, true,  false, false, true,
                                  false, true,  false, true,  false};
    EXPECT_EQ(c.optOn, on);
    for (std::size_t r = 0; r < 11; ++r)
        EXPECT_NE(c.optOn[r], c.optOff[r]) << r;
    c.optOn[1] = true;
    c.optOff[1] = false;
    c.optOn[9] = false;
    c.optOff[9] = true;
    c.optOn[10] = true;
    c.optOff[10] = false;
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_OptionBits1], 0b10100111);
    EXPECT_EQ(ParamBlock[Idx_OptionBits2], 0b11111100) << "bits 3..7 are kept";
}

TEST_F(ParamImageTest, MaxRpmResetAndTestDates) {
    MaxRpmSeen = 6012;
    const QChar none(255);
    TestDates = {QStringLiteral("FACT251219991432"),
                 QStringLiteral("DELV010220200905"),
                 QString(16, none),
                 QStringLiteral("USR3"),
                 QString(),
                 QStringLiteral("USR5abcdefgh1200")};
    Controls c = open();
    EXPECT_EQ(c.lblMRE, QStringLiteral("6012"));
    EXPECT_EQ(c.lblTestDate[0], QStringLiteral("FACT -> 25/12/1999 14:32"));
    EXPECT_EQ(c.lblTestDate[1], QStringLiteral("DELV -> 1/02/2020 9:05")) << "leading zeros go";
    EXPECT_EQ(c.lblTestDate[2], QStringLiteral(" ->  "));
    EXPECT_EQ(c.lblTestDate[3], QStringLiteral("USR3 ->  "));
    EXPECT_EQ(c.lblTestDate[5], QStringLiteral("USR5 -> abcdefgh 12:00"));
    ASSERT_TRUE(save(c));
    EXPECT_NE(ParamBlock[Idx_MreReset1], 255) << "an unticked box changes nothing";
    c.chkMRE = true;
    ASSERT_TRUE(save(c));
    EXPECT_EQ(ParamBlock[Idx_MreReset1], 255);
    EXPECT_EQ(ParamBlock[Idx_MreReset2], 255);
}

// --- the gate -----------------------------------------------------------------

TEST_F(ParamImageTest, AClosedGateFillsAndStoresNothing) {
    struct Case {
        int online;
        int loaded;
        int locked;
    };
    const ImageTable factory = block();
    for (const Case k : {Case{0, 0, 0}, Case{1, 0, 1}, Case{0, -1, 1}}) {
        ParamBlock = factory;
        ParamBlock[Idx_Cylinders] = 0;
        UnitOnline = k.online;
        MapLoaded = k.loaded;
        UnitLocked = k.locked;
        Controls c;
        c.sliders[sldSpe2].label = QStringLiteral("design");
        const ImageTable read = block();
        Set_New_Values(c);
        EXPECT_EQ(block(), read);
        EXPECT_EQ(c.sliders[sldSpe2].label, QStringLiteral("design"));
        c.chkMRE = true;
        c.sliders[sldSpe2].label = QStringLiteral("9");
        FrameText = "kept";
        const ImageTable before = block();
        EXPECT_FALSE(save(c));
        EXPECT_EQ(block(), before);
        EXPECT_EQ(FrameText, QByteArray("kept"));
    }
    UnitOnline = 1;
    MapLoaded = 0;
    UnitLocked = 0;
    EXPECT_TRUE(Gate_Open());
}
