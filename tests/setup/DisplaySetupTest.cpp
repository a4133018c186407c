// The display set-up's rules without a window: at most three traces, the free
// positions, and the graph ranges a save accepts.

#include "setup/DisplaySetup.h"

#include <gtest/gtest.h>

using namespace DisplaySetup;

namespace {

std::vector<bool> tickedRows(std::initializer_list<int> rows, int count = 19) {
    std::vector<bool> t(static_cast<std::size_t>(count), false);
    for (const int r : rows)
        t[static_cast<std::size_t>(r)] = true;
    return t;
}

} // namespace

TEST(DisplaySetupRules, AThirdTickKeepsTheBoxJustTickedAndTheFirstTwoOthers) {
    struct Case {
        std::initializer_list<int> before;
        int tick;
        std::vector<int> untick;
    };
    const Case cases[] = {
        {{2, 5, 7}, 1, {7}}, // {1, 2, 5} stay
        {{2, 5, 7}, 9, {7}}, // {2, 5, 9} stay
        {{2, 5}, 9, {}},     {{}, 0, {}}, {{0, 1, 2, 3}, 18, {2, 3}},
    };
    for (const Case& c : cases) {
        std::vector<bool> t = tickedRows(c.before);
        t[static_cast<std::size_t>(c.tick)] = true;
        EXPECT_EQ(Check_Graph_CHK(t, c.tick), c.untick) << "tick " << c.tick;
    }
    // Unticking keeps every other box.
    EXPECT_TRUE(Check_Graph_CHK(tickedRows({2, 5, 7}), 9).empty());
}

TEST(DisplaySetupRules, AListOffersTheRowsOwnPositionThenNoneThenTheFreeOnes) {
    FreePositions bars(BarPositions);
    bars.Take(2);
    bars.Take(5);
    EXPECT_EQ(bars.List(2), QStringList({"2", "0", "1", "3", "4", "6"}));
    EXPECT_EQ(bars.List(0), QStringList({"0", "1", "3", "4", "6"}));
    bars.Give_Back(2);
    bars.Take(0); // no position
    bars.Take(7); // beyond the gauges
    bars.Give_Back(-1);
    EXPECT_EQ(bars.List(0), QStringList({"0", "1", "2", "3", "4", "6"}));
}

TEST(DisplaySetupRules, AGraphRangeMustBeTwoNumbersTheMinimumBelow) {
    struct Case {
        const char* min;
        const char* max;
        const char* fault; // a part of the message, or nullptr when accepted
    };
    const Case cases[] = {
        {"0", "8000", nullptr},
        {"-45", "45", nullptr},
        {" 10 ", "20", nullptr},
        {"1e2", "1e3", nullptr},
        {"5", "5", "must lie below"},
        {"100", "0", "must lie below"},
        {"0.2", "0.4", "must lie below"}, // both drawn as 0
        {"abc", "10", "minimum \"abc\" is no number"},
        {"0", "12abc", "maximum \"12abc\" is no number"},
        {"", "10", "minimum \"\" is no number"},
        {"0", "inf", "is no number"},
        // What the file keeps of the text: its first 17 characters.
        {"0", "12345678901234567x", nullptr},
    };
    for (const Case& c : cases) {
        Channel row;
        row.label = QStringLiteral("Engine Temp");
        row.minText = QString::fromLatin1(c.min);
        row.maxText = QString::fromLatin1(c.max);
        const auto fault = Range_Fault(row);
        if (!c.fault) {
            EXPECT_FALSE(fault) << c.min << " .. " << c.max << ": " << fault->toStdString();
            continue;
        }
        ASSERT_TRUE(fault) << c.min << " .. " << c.max;
        EXPECT_TRUE(fault->contains(QStringLiteral("\"Engine Temp\""))) << fault->toStdString();
        EXPECT_TRUE(fault->contains(QString::fromLatin1(c.fault))) << fault->toStdString();
    }
}
