#pragma once

#include <QString>
#include <Qt>

// The rules of the cell entry box, without a window: the key codes the box
// works with, what a key does to the text before its character goes in, where
// an arrow key moves the selection, and the unit byte a typed value becomes.
namespace CellEntry {

// Key codes: Backspace 8, Enter 13, arrows 37 Left, 38 Up, 39 Right, 40 Down,
// Delete 46, digits 48..57, letters 65..90 (upper case), keypad digits
// 96..105, keypad minus 109, keypad decimal 110, minus 189, full stop 190.
inline constexpr int KeyBack = 8;
inline constexpr int KeyEnter = 13;
inline constexpr int KeyLeft = 37;
inline constexpr int KeyUp = 38;
inline constexpr int KeyRight = 39;
inline constexpr int KeyDown = 40;
inline constexpr int KeyDelete = 46;

// The key code of a Qt key; the keypad modifier tells the keypad's digits,
// minus and decimal key from the main keyboard's. 0 for a key without a code.
int Key_Code(int qtKey, Qt::KeyboardModifiers modifiers);
inline bool Is_Arrow(int code) {
    return code >= KeyLeft && code <= KeyDown;
}
inline bool Is_Letter(int code) {
    return code >= 65 && code <= 90;
}
// Keys the filter keeps the text for (limited, at most 4 characters).
bool Is_Accepted(int code);

// The whole text is one number, blanks around it allowed ("12", " -1.5 ", "2e1").
bool Is_Numeric(const QString& text);

// The text the box holds once the key has been seen, before its character goes
// in. tab 1..3 and editField 1..3 choose the limits; no field (0) has none.
QString Filter_Text(const QString& text, int code, int tab, int editField);

// The selection the arrow rules act on.
struct Selection {
    int cell = 0;   // SelCell
    int ampRow = 0; // SelAmpRow
    int afrRow = 0; // SelAfrRow
    bool operator==(const Selection&) const = default;
};
// Where an arrow key leads from a selection (any other key leaves it), limited
// to cell 0..256, AMP row 0..15. The AFR row of the ignition tab holds nothing
// of the unit image: it is shown only, and the arrows pass it by (a step out of
// the grid reaches the AMP column on every tab).
Selection Arrow_Step(Selection from, int code, int tab, int editField);

// Which box an arrow key selects once the step is made.
enum class Pick { Grid, Amp, None };
// Told when the AFR row is clicked.
inline const QString AfrRowNotice =
    QStringLiteral("The AFR row is shown only: it is not kept in the unit.");
struct Target {
    Pick pick = Pick::None;
    int index = 0;
    Selection selection; // the selection with the row or cell the step left the grid at
};
Target Arrow_Target(Selection after, int tab, int editField);

// The unit byte of a typed value: tab 1 analog, 2 injection, 3 ignition;
// editField 1 a grid cell, 2 an AMP row; column for a whole-column entry.
int Entry_Byte(double value, int tab, int editField, bool column);

// An ignition value as a signed byte count, saturated to -128..127 and held
// within the limits of the parameter block: the advance limit is the most
// advance a cell may hold, the retard limit the most retard, whatever their
// signs. Returns the unit byte (two's complement).
int Limit_Ignition(long long value);

// The same, saying what held the value: nothing, the advance or the retard limit
// of the parameter block, or the largest advance or retard a byte holds.
enum class HeldBy { Nothing, AdvanceLimit, RetardLimit, LargestAdvance, LargestRetard };
struct HeldIgnition {
    int byte = 0; // the unit byte (two's complement)
    HeldBy by = HeldBy::Nothing;
    bool stayed = false; // the cell kept its value: the limit would have moved it against the edit
};
HeldIgnition Hold_Ignition(long long value);

// The one rule for an edit of an ignition cell, whether typed into the grid,
// stepped with F8 and F9 or made in the 3-D view: the cell's byte now, and the
// value asked for it (signed byte counts). The value is held as Hold_Ignition
// holds it, but a held value never goes against the edit: a raise never lowers
// the cell, a lower never raises it, and a cell already beyond a limit stays
// where it is (stayed, with the limit that held it).
HeldIgnition Hold_Edit(int cellByte, long long value);
// The byte counts of an ignition entry in degrees (rounded, halves to even).
long long Ignition_Count(double degrees);
// An ignition entry (degrees) as Entry_Byte takes it, with what held it.
HeldIgnition Ignition_Entry(double degrees);
// An ignition entry (degrees) for a cell holding cellByte, by the rule of Hold_Edit.
HeldIgnition Ignition_Entry(int cellByte, double degrees);

// What the user is told when a limit held an ignition value: "40 became 30: the
// advance limit is 30 degrees", or "Stays at 30: ..." when the cell kept its
// value or from reads as the value kept (a step at the limit). from is the value
// as the user gave or saw it. Empty when nothing held it.
QString Held_Notice(const QString& from, const HeldIgnition& held);

} // namespace CellEntry
