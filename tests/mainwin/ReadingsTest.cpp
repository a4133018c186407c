#include "ReadoutFixture.h"

#include "mainwin/Readings.h"

using namespace Readouts;

namespace {

struct ReadingCase {
    int id;
    void (*set)(ReadingSet&);
    const char* text;
};

const ReadingCase Cases[] = {
    {0, [](ReadingSet& s) { s.Reading0 = 3.14f; }, "3.14 V"},
    {0, [](ReadingSet& s) { s.Reading0 = 0.5f; }, ".50 V"},
    {1, [](ReadingSet& s) { s.Reading1 = -12; }, "-12"},
    {2, [](ReadingSet& s) { s.Reading2 = 4.5f; }, "4.50 V"},
    {3, [](ReadingSet& s) { s.Reading3 = 2.5f; }, "50 %"},
    {3, [](ReadingSet& s) { s.Reading3 = 0.0f; }, "0 %"},
    {4, [](ReadingSet& s) { s.Reading4 = 200; }, "200"},
    {5, [](ReadingSet& s) { s.CellValue = -7; }, "-7"},
    {6, [](ReadingSet& s) { s.EnginePeriod = 100.0f; }, "2.56 ms"},
    {7, [](ReadingSet& s) { s.LambdaRaw = 184; }, "13.7"},
    {7, [](ReadingSet& s) { s.LambdaRaw = 0; }, "26.4"},
    {7, [](ReadingSet& s) { s.LambdaRaw = 250; }, "11.6"},
    {8, [](ReadingSet& s) { s.LambdaRaw = 102; }, ".50 V"},
    {9, [](ReadingSet& s) { s.LiveRpm = 3456; }, "3456"},
    {9, [](ReadingSet& s) { s.LiveRpm = 0; }, "0"},
    {10, [](ReadingSet& s) { s.LiveMapCell = 37; }, "37"},
    {11, [](ReadingSet& s) { s.Reading11 = 5; }, "5"},
    {12, [](ReadingSet& s) { s.LiveAmpCellB = 3; }, "3"},
    {13, [](ReadingSet& s) { s.LiveAmpCellA = 9; }, "9"},
    {14, [](ReadingSet& s) { s.LiveRpm = 3000; }, ""},
    {15, [](ReadingSet& s) { s.AnalogIn1 = 85; }, "60"},
    {15, [](ReadingSet& s) { s.AnalogIn1 = 255; }, "169"},
    {16, [](ReadingSet& s) { s.AnalogIn2 = 155; }, ".82"},
    {16, [](ReadingSet& s) { s.AnalogIn2 = 0; }, ".46"},
    {17, [](ReadingSet& s) { s.AnalogIn1 = 102; }, "2.00"},
    {18, [](ReadingSet& s) { s.AnalogIn2 = 51; }, "1.00"},
    {19, [](ReadingSet& s) { s.LiveRpm = 3000; }, ""},
    {-1, [](ReadingSet& s) { s.LiveRpm = 3000; }, ""},
};

} // namespace

TEST_F(ReadoutTest, EachReadingIdGivesItsTextWithItsUnit) {
    ampCalibration();
    tempCalibration();
    for (const ReadingCase& c : Cases) {
        ReadingSet set;
        c.set(set);
        EXPECT_EQ(Conv_Input_to_readings(c.id, set), QString::fromLatin1(c.text)) << "id " << c.id;
    }
}

TEST_F(ReadoutTest, InputReadingsWithoutAnImageAreEmpty) {
    ampCalibration();
    tempCalibration();
    MapLoaded = 0;
    UnitOnline = 0;
    ReadingSet set;
    set.AnalogIn1 = 85;
    set.AnalogIn2 = 155;
    EXPECT_EQ(Conv_Input_to_readings(15, set), QString());
    EXPECT_EQ(Conv_Input_to_readings(16, set), QString());
    // The plain volts of the same inputs need no scale.
    EXPECT_EQ(Conv_Input_to_readings(17, set), QStringLiteral("1.67"));
    EXPECT_EQ(Conv_Input_to_readings(18, set), QStringLiteral("3.04"));
}

TEST_F(ReadoutTest, AfrReadingLeavesTheLambdaReadingAsItWas) {
    LambdaRaw = 184;
    EXPECT_EQ(Conv_Input_to_readings(7), QStringLiteral("13.7"));
    EXPECT_EQ(LambdaRaw, 184);
    EXPECT_EQ(Conv_Input_to_readings(8), QStringLiteral(".90 V"));
}

TEST_F(ReadoutTest, ALambdaValueOutsideTheTableGivesNoText) {
    ReadingSet set;
    set.LambdaRaw = 300;
    EXPECT_EQ(Conv_Input_to_readings(7, set), QString());
    set.LambdaRaw = -1;
    EXPECT_EQ(Conv_Input_to_readings(7, set), QString());
}

TEST_F(ReadoutTest, TheCurrentSetIsWhatTheReceiveHandlerStored) {
    Reading0 = 1.25f;
    EnginePeriod = 1000.0f;
    CellValue = 12;
    LiveRpm = 4321;
    AnalogIn2 = 102;
    EXPECT_EQ(Conv_Input_to_readings(0), QStringLiteral("1.25 V"));
    EXPECT_EQ(Conv_Input_to_readings(6), QStringLiteral("25.60 ms"));
    EXPECT_EQ(Conv_Input_to_readings(5), QStringLiteral("12"));
    EXPECT_EQ(Conv_Input_to_readings(9), QStringLiteral("4321"));
    EXPECT_EQ(Conv_Input_to_readings(18), QStringLiteral("2.00"));
}

TEST_F(ReadoutTest, ReadingNumberIsTheLeadingNumberOfTheText) {
    EXPECT_DOUBLE_EQ(Reading_Number(QStringLiteral(".50 V")), 0.5);
    EXPECT_DOUBLE_EQ(Reading_Number(QStringLiteral("50 %")), 50.0);
    EXPECT_DOUBLE_EQ(Reading_Number(QString()), 0.0);
}

TEST_F(ReadoutTest, OfferedRowsAreTheEnabledRowsUpToTheLastUsed) {
    addRows({{"9", "1", "1", "RPM", "0", "8000", "1"},
             {"3", "2", "2", "Deflection %", "0", "100", "0", false},
             {"x", "0", "3", "Bad id", "0", "10", "0"},
             {"7", "3", "4", "AFR", "10", "20", "1"}});
    // A row past the last used row does not count.
    DisplaySetTable[5] = {QString(), "5", "5", "5", "Ign", "Ign", "0", "1", "0"};
    DisplayFuncTable[5][3] = "1";

    const auto rows = Offered_Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].id, 9);
    EXPECT_EQ(rows[0].max, 8000);
    EXPECT_EQ(rows[1].id, 0); // a non-numeric id counts as id 0
    EXPECT_EQ(rows[1].name, QStringLiteral("Bad id"));
    EXPECT_EQ(rows[2].min, 10);
    EXPECT_DOUBLE_EQ(rows[2].plotFlag, 1.0);
}

TEST_F(ReadoutTest, ARowCountBeyondTheTableReadsOnlyTheTable) {
    for (int i = 0; i < 27; ++i) {
        DisplaySetTable[i] = {QString(), "9", "0", "1", "RPM", "RPM", "0", "1", "0"};
        DisplayFuncTable[i][3] = "1";
    }
    DisplaySetTable[0][0] = QStringLiteral("500");
    EXPECT_EQ(Offered_Rows().size(), 27u);
}

TEST_F(ReadoutTest, TextValuesFillsTheNamedSlotsAndHidesTheRest) {
    addRows({{"9", "0", "1", "RPM", "0", "8000", "0"},
             {"3", "0", "0", "No text", "0", "100", "0"},
             {"4", "0", "", "Empty slot", "0", "255", "0"},
             {"8", "0", "3", "Disabled", "0", "1", "0", false},
             {"0", "0", "10", "Analog In", "0", "10", "0"}});
    ReadingSet set;
    set.LiveRpm = 2500;
    set.Reading0 = 2.0f;

    const auto readouts = Text_Values(Offered_Rows(), set);
    EXPECT_TRUE(readouts[0].visible);
    EXPECT_EQ(readouts[0].name, QStringLiteral("RPM"));
    EXPECT_EQ(readouts[0].value, QStringLiteral("2500"));
    EXPECT_TRUE(readouts[9].visible);
    EXPECT_EQ(readouts[9].value, QStringLiteral("2.00 V"));
    for (int s = 1; s < 9; ++s)
        EXPECT_FALSE(readouts[s].visible) << "slot " << s;
}

TEST_F(ReadoutTest, TheLaterRowNamingASlotKeepsIt) {
    addRows({{"9", "0", "2", "RPM", "0", "8000", "0"}, {"4", "0", "2", "Inj", "0", "255", "0"}});
    ReadingSet set;
    set.LiveRpm = 2500;
    set.Reading4 = 77;
    const auto readouts = Text_Values(Offered_Rows(), set);
    EXPECT_EQ(readouts[1].name, QStringLiteral("Inj"));
    EXPECT_EQ(readouts[1].value, QStringLiteral("77"));
}

TEST_F(ReadoutTest, ATextSlotBeyondTheTenIsLeftOutAndTheRestShown) {
    addRows({{"9", "0", "11", "Too far", "0", "8000", "0"},
             {"9", "0", "-2", "Negative", "0", "8000", "0"},
             {"4", "0", "5", "Inj", "0", "255", "0"}});
    ReadingSet set;
    set.Reading4 = 77;
    const auto readouts = Text_Values(Offered_Rows(), set);
    EXPECT_TRUE(readouts[4].visible);
    EXPECT_EQ(readouts[4].value, QStringLiteral("77"));
    int shown = 0;
    for (const auto& r : readouts)
        shown += r.visible ? 1 : 0;
    EXPECT_EQ(shown, 1);
}
