#include "platform/NumberRules.h"

#include <gtest/gtest.h>

using namespace NumberRules;

TEST(NumberRules, ValTakesTheLeadingNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"OFF", 0},       {" 12.5x", 12.5}, {"", 0},        {"   ", 0},    {"-3", -3},
        {"+7", 7},        {"1.2.3", 1.2},   {"  42  ", 42}, {"1e2", 100},  {"1e", 1},
        {"2E-1x", 0.2},   {".5", 0.5},      {"-", 0},       {"12abc", 12}, {"\t9", 9},
        {"255\r\n", 255}, {"- 5", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(NumberRules, LeadingNumberTellsATextWithoutOneFromZero) {
    EXPECT_EQ(Leading_Number(QStringLiteral("0")), 0.0);
    EXPECT_EQ(Leading_Number(QStringLiteral(" 10 ")), 10.0);
    EXPECT_EQ(Leading_Number(QStringLiteral("12.5x")), 12.5);
    for (const char* none : {"", "  ", "OFF", "%5", "-", "- 5", "."})
        EXPECT_EQ(Leading_Number(QString::fromLatin1(none)), std::nullopt) << none;
}

TEST(NumberRules, RoundEvenGoesToTheEvenNeighbourOnHalves) {
    const struct {
        double in;
        std::int64_t out;
    } cases[] = {{312.5, 312}, {3.5, 4},  {2.5, 2},  {-2.5, -2},
                 {-3.5, -4},   {0.49, 0}, {7.51, 8}, {-0.5, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundEven(c.in), c.out) << c.in;
}

TEST(NumberRules, FixTruncatesTowardZero) {
    EXPECT_EQ(Fix(2.7), 2);
    EXPECT_EQ(Fix(-2.7), -2);
    EXPECT_EQ(Fix(0.99), 0);
    EXPECT_EQ(Fix(1e30), std::numeric_limits<std::int64_t>::max());
}

TEST(NumberRules, FormatPatternsRoundHalvesAwayFromZero) {
    const struct {
        double value;
        const char* pattern;
        const char* text;
    } cases[] = {
        {0, "##0", "0"},
        {12.5, "##0", "13"},
        {-12.5, "##0", "-13"},
        {1234, "##0", "1234"},
        {-0.4, "##0", "0"},
        {0.5, "#.#0", ".50"},
        {1.234, "#.#0", "1.23"},
        {1.235, "#.#0", "1.24"},
        {0, "#.#0", ".00"},
        {14.7, "##.0", "14.7"},
        {0.25, "##.0", ".3"},
        {5, "##.0", "5.0"},
        {99999.5, "####0", "100000"},
        {0.005, "#0.00", "0.01"},
        {3, "#0.00", "3.00"},
        {-1.5, "#0.00", "-1.50"},
        {2.675, "##.#0", "2.68"},
        {0.456, "0.#0", "0.46"},
        {1.25, "#0.#", "1.3"},
        {1.0, "#0.#", "1."},
        {50, "#0.#", "50."},
        {12.5, "#0.#", "12.5"},
        {79.6875, "#0.#", "79.7"},
        {0, "#0.#", "0."},
        {12122026, "##/##/####", "12/12/2026"},
        {1122026, "##/##/####", "1/12/2026"},
        {930, "##:##", "9:30"},
        {2359, "##:##", "23:59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.text))
            << c.value << " " << c.pattern;
}

TEST(NumberRules, StrWritesPlainDecimal) {
    EXPECT_EQ(Str(12), "12");
    EXPECT_EQ(Str(-3), "-3");
    EXPECT_EQ(Str(0.5), "0.5");
}
