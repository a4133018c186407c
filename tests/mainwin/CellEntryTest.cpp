#include "mainwin/CellEntry.h"
#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "tests/support/ResetAllState.h"

#include <gtest/gtest.h>

using CellEntry::Pick;
using CellEntry::Selection;

TEST(CellEntryKeys, QtKeysGiveTheEntryBoxCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        int code;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    for (const Case& c :
         {Case{Qt::Key_0, none, 48}, Case{Qt::Key_9, none, 57}, Case{Qt::Key_0, pad, 96},
          Case{Qt::Key_7, pad, 103}, Case{Qt::Key_Minus, none, 189}, Case{Qt::Key_Minus, pad, 109},
          Case{Qt::Key_Period, none, 190}, Case{Qt::Key_Period, pad, 110},
          Case{Qt::Key_A, none, 65}, Case{Qt::Key_Z, Qt::ShiftModifier, 90},
          Case{Qt::Key_Return, none, 13}, Case{Qt::Key_Enter, pad, 13},
          Case{Qt::Key_Backspace, none, 8}, Case{Qt::Key_Delete, none, 46},
          Case{Qt::Key_Left, none, 37}, Case{Qt::Key_Down, none, 40}, Case{Qt::Key_Space, none, 32},
          Case{Qt::Key_Home, none, 36}, Case{Qt::Key_Shift, Qt::ShiftModifier, 16}})
        EXPECT_EQ(CellEntry::Key_Code(c.key, c.mods), c.code) << c.key << " " << c.mods;
}

TEST(CellEntryFilter, TextBeforeTheKeyGoesIn) {
    struct Case {
        const char* text;
        int code;
        int tab;
        int field;
        const char* kept;
    };
    for (const Case& c : {
             Case{"300", 53, 2, 1, "255"},    // beyond the injection limit
             Case{"1.234", 13, 2, 2, "1.23"}, // five characters lose the last
             Case{"12", 32, 2, 1, "1"},       // space: not accepted, the last goes
             Case{"12", 110, 2, 1, "1"},      // keypad decimal is not accepted
             Case{"12", 36, 2, 1, "1"},       // Home
             Case{"12", 16, 2, 1, "1"},       // Shift
             Case{"", 32, 2, 1, ""},
             Case{"--", 49, 2, 1, ""}, // not a number: emptied
             Case{"-", 49, 1, 1, "-"},
             Case{".", 109, 2, 2, "."},
             Case{"1-", 13, 1, 1, ""},
             Case{" 12 ", 50, 2, 1, " 12 "}, // a number with blanks stays
             Case{"12345", 50, 0, 0, "1234"},
             Case{"-200", 101, 1, 1, "-127"},
             Case{"128", 101, 1, 1, "127"},
             Case{"2", 13, 1, 2, "1.99"},
             Case{"-1", 13, 1, 3, "0"},
             Case{"27", 13, 2, 3, "26.4"},
             Case{"45", 13, 3, 1, "44"},
             Case{"-45", 13, 3, 1, "-44"},
             Case{"128", 13, 3, 2, "127"},
             Case{"-100", 13, 3, 3, "-99"},
             Case{"44", 13, 3, 1, "44"},   // the bounds themselves stay
             Case{"999", 13, 2, 0, "999"}, // nothing selected: no limits
         })
        EXPECT_EQ(CellEntry::Filter_Text(QString::fromLatin1(c.text), c.code, c.tab, c.field),
                  QString::fromLatin1(c.kept))
            << c.text << " key " << c.code << " tab " << c.tab << " field " << c.field;
}

TEST(CellEntryFilter, NumericTexts) {
    for (const char* yes : {"0", "12", "-5", "+5", "1.", ".5", "-0.25", " 7 ", "2e1", "1E-2"})
        EXPECT_TRUE(CellEntry::Is_Numeric(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", "-", ".", "--", "1-", "1.2.3", "e5", "1e", " ", "12a"})
        EXPECT_FALSE(CellEntry::Is_Numeric(QString::fromLatin1(no))) << no;
}

namespace {

struct ArrowCase {
    const char* name;
    int tab;
    int field;
    Selection from;
    int key;
    Pick pick;
    int index;
};

} // namespace

TEST(CellEntryArrows, EdgesAndTheBoxesBesideTheGrid) {
    using namespace CellEntry;
    const ArrowCase cases[] = {
        {"down in a column", 1, 1, {21, 0, 0}, KeyDown, Pick::Grid, 20},
        {"up in a column", 1, 1, {20, 0, 0}, KeyUp, Pick::Grid, 21},
        {"down from a bottom cell goes left", 1, 1, {48, 0, 0}, KeyDown, Pick::Grid, 32},
        {"down from the first bottom cell stays", 2, 1, {0, 0, 0}, KeyDown, Pick::Grid, 0},
        {"down from a bottom cell on tab 3 passes the AFR row",
         3,
         1,
         {48, 0, 0},
         KeyDown,
         Pick::Grid,
         32},
        {"up from a top cell: next column", 1, 1, {15, 0, 0}, KeyUp, Pick::Grid, 31},
        {"up from the last top cell: AMP 0", 1, 1, {127, 0, 0}, KeyUp, Pick::Amp, 0},
        {"up from the last top cell on tab 3: AMP 0", 3, 1, {127, 0, 0}, KeyUp, Pick::Amp, 0},
        {"left one column", 1, 1, {37, 0, 0}, KeyLeft, Pick::Grid, 21},
        {"left from the first column stays in the grid", 1, 1, {5, 0, 0}, KeyLeft, Pick::Grid, 0},
        {"right one column", 2, 1, {37, 0, 0}, KeyRight, Pick::Grid, 53},
        {"right from the last column: AMP row", 1, 1, {119, 0, 0}, KeyRight, Pick::Amp, 7},
        {"right from the last column on tab 3: AMP row", 3, 1, {119, 0, 0}, KeyRight, Pick::Amp, 7},
        {"AMP down", 1, 2, {133, 5, 0}, KeyDown, Pick::Amp, 4},
        {"AMP up", 2, 2, {133, 5, 0}, KeyUp, Pick::Amp, 6},
        {"AMP up at the top stays", 2, 2, {143, 15, 0}, KeyUp, Pick::Amp, 15},
        {"AMP down at the bottom stays", 1, 2, {128, 0, 0}, KeyDown, Pick::Amp, 0},
        {"AMP left: back to the last column", 1, 2, {133, 5, 0}, KeyLeft, Pick::Grid, 117},
        {"AMP right: nowhere", 2, 2, {133, 5, 0}, KeyRight, Pick::Amp, 5},
        {"tab 3 AMP down", 3, 2, {133, 5, 0}, KeyDown, Pick::Amp, 4},
        {"tab 3 AMP left: back to the last column", 3, 2, {133, 5, 0}, KeyLeft, Pick::Grid, 117},
        {"nothing selected: down", 1, 0, {0, 0, 0}, KeyDown, Pick::Grid, 0},
    };
    for (const ArrowCase& c : cases) {
        const Selection after = Arrow_Step(c.from, c.key, c.tab, c.field);
        const Target t = Arrow_Target(after, c.tab, c.field);
        EXPECT_EQ(t.pick, c.pick) << c.name;
        EXPECT_EQ(t.index, c.index) << c.name;
    }
    // Any other key leaves the selection.
    EXPECT_EQ(Arrow_Step({37, 4, 2}, 53, 1, 1), (Selection{37, 4, 2}));
}

namespace {

class EntryBytes : public ::testing::Test, protected FreshState {
protected:
    EntryBytes() {
        ParamBlock[Idx_Cylinders] = 4;
        ParamBlock[Idx_IgnAdvLimit] = 40;
        ParamBlock[Idx_IgnRetLimit] = 236; // -20
    }
};

} // namespace

TEST_F(EntryBytes, ValuesToUnitBytesByTabAndField) {
    struct Case {
        const char* name;
        double value;
        int tab;
        int field;
        bool column;
        int byte;
    };
    for (const Case& c : {
             Case{"analog cell", 10, 1, 1, false, 10},
             Case{"analog cell truncates", -5.5, 1, 1, false, 251},
             Case{"analog column truncates after the wrap", -5.5, 1, 1, true, 250},
             Case{"analog cell -127", -127, 1, 1, false, 129},
             Case{"injection cell halves to even", 12.5, 2, 1, false, 12},
             Case{"injection cell halves to even up", 13.5, 2, 1, false, 14},
             Case{"injection column", 200, 2, 1, true, 200},
             Case{"analog AMP", 0.5, 1, 2, false, 128},
             Case{"analog AMP capped", 1.99, 1, 2, false, 255},
             Case{"injection AMP", 1.23, 2, 2, false, 157},
             Case{"injection AMP capped", 2.5, 2, 2, false, 255},
             Case{"ignition within the limits", 10, 3, 1, false, 28},
             Case{"ignition beyond the advance limit", 20, 3, 1, false, 40},
             Case{"ignition beyond the retard limit", -10, 3, 1, false, 236},
             Case{"ignition AMP row", -5, 3, 2, false, 242},
             Case{"ignition near zero stays zero", -0.1, 3, 1, false, 0},
             Case{"ignition zero", 0, 3, 1, true, 0},
         })
        EXPECT_EQ(CellEntry::Entry_Byte(c.value, c.tab, c.field, c.column), c.byte) << c.name;
}

TEST_F(EntryBytes, IgnitionRetardLimitBelowTheValueKeepsIt) {
    ParamBlock[Idx_IgnRetLimit] = 200; // -56
    EXPECT_EQ(CellEntry::Entry_Byte(-10, 3, 1, false), 228);
}

TEST_F(EntryBytes, IgnitionSaturatesBeforeTheLimits) {
    // 44 degrees on 12 cylinders is 375 counts: the signed byte's top, not 375 AND 255.
    ParamBlock[Idx_Cylinders] = 12;
    ParamBlock[Idx_IgnAdvLimit] = 127;
    ParamBlock[Idx_IgnRetLimit] = 128;
    EXPECT_EQ(CellEntry::Entry_Byte(44, 3, 1, false), 127);
    EXPECT_EQ(CellEntry::Entry_Byte(-44, 3, 1, false), 128);
    ParamBlock[Idx_IgnAdvLimit] = 40;
    EXPECT_EQ(CellEntry::Entry_Byte(44, 3, 1, false), 40);
}

TEST_F(EntryBytes, IgnitionLimitsAreSigned) {
    struct Case {
        long long value;
        int byte;
    };
    for (const Case& c : {Case{41, 40}, Case{40, 40}, Case{0, 0}, Case{-20, 236}, Case{-21, 236},
                          Case{128, 40}, Case{-129, 236}, Case{-1, 255}})
        EXPECT_EQ(CellEntry::Limit_Ignition(c.value), c.byte) << c.value;
    ParamBlock[Idx_IgnAdvLimit] = 127;
    ParamBlock[Idx_IgnRetLimit] = 128;
    EXPECT_EQ(CellEntry::Limit_Ignition(128), 127) << "no wrap to retard";
    EXPECT_EQ(CellEntry::Limit_Ignition(-129), 128) << "no wrap to advance";
}

TEST_F(EntryBytes, AHeldEditNeverGoesAgainstItself) {
    // Every cell, every step of the keys, every kind of limits: a raise ends at
    // or above the cell, a lower at or below it, and within the limits unless
    // the cell was beyond them and stayed.
    struct Limits {
        int advance;
        int retard;
    };
    for (const Limits& l : {Limits{40, 236}, Limits{0, 0}, Limits{40, 0}, Limits{40, 28},
                            Limits{228, 200}, Limits{228, 28}, Limits{127, 128}}) {
        ParamBlock[Idx_IgnAdvLimit] = static_cast<std::int16_t>(l.advance);
        ParamBlock[Idx_IgnRetLimit] = static_cast<std::int16_t>(l.retard);
        const int advance = UnitBytes::Signed(l.advance);
        const int retard = UnitBytes::Signed(l.retard);
        for (int cell = -128; cell <= 127; ++cell)
            for (int step : {-2, -1, 1, 2, 100}) {
                const CellEntry::HeldIgnition held = CellEntry::Hold_Edit(cell & 0xFF, cell + step);
                const int after = UnitBytes::Signed(held.byte);
                SCOPED_TRACE(testing::Message() << "limits " << advance << " " << retard << " cell "
                                                << cell << " step " << step);
                if (step > 0)
                    ASSERT_GE(after, cell);
                else
                    ASSERT_LE(after, cell);
                if (held.stayed)
                    ASSERT_EQ(after, cell);
                else if (retard <= advance)
                    ASSERT_TRUE(after >= retard && after <= advance) << after;
            }
    }
}

TEST_F(EntryBytes, AHeldEditSaysWhatHeldIt) {
    using CellEntry::HeldBy;
    struct Case {
        int advance;
        int retard;
        int cell; // signed
        long long value;
        int after; // signed
        HeldBy by;
        bool stayed;
    };
    for (const Case& c : {
             Case{40, 236, 10, 50, 40, HeldBy::AdvanceLimit, false},
             Case{40, 236, 50, 51, 50, HeldBy::AdvanceLimit, true},
             Case{40, 236, 50, 50, 50, HeldBy::AdvanceLimit, true}, // set to itself: stays
             Case{40, 236, 50, 45, 40, HeldBy::AdvanceLimit, false},
             Case{40, 236, -30, -29, -20, HeldBy::RetardLimit, false},
             Case{40, 0, -5, -6, -5, HeldBy::RetardLimit, true},
             Case{228, 200, 0, 1, 0, HeldBy::AdvanceLimit, true},
             Case{127, 128, 127, 128, 127, HeldBy::LargestAdvance, false},
             Case{127, 128, -128, -129, -128, HeldBy::LargestRetard, false},
             Case{40, 236, 5, 6, 6, HeldBy::Nothing, false},
         }) {
        ParamBlock[Idx_IgnAdvLimit] = static_cast<std::int16_t>(c.advance);
        ParamBlock[Idx_IgnRetLimit] = static_cast<std::int16_t>(c.retard);
        const CellEntry::HeldIgnition held = CellEntry::Hold_Edit(c.cell & 0xFF, c.value);
        EXPECT_EQ(held.byte, c.after & 0xFF) << c.cell << " to " << c.value;
        EXPECT_EQ(held.by, c.by) << c.cell << " to " << c.value;
        EXPECT_EQ(held.stayed, c.stayed) << c.cell << " to " << c.value;
    }
}
