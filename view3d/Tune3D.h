#pragma once

// Walking and editing the map in the 3-D view, without a window: the cursor
// keys, the mouse pick, the level lines of the "to selected point" modes, and
// the edit of one cell, an RPM row or a deflection column, which goes through
// the send rule and the one write path as one request.

#include "link/SendRule.h"
#include "view3d/Geometry3D.h"

#include <QByteArray>
#include <QLine>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace View3D {

// The adjust modes of the "Tuning" option group.
enum class AdjustMode {
    PointOnly,     // "Adjust point only": the cursor cell
    RowToPoint,    // "Adjust all to selected point" / "Horizontal"
    ColumnToPoint, // "Adjust all to selected point" / "Vertical"
    RowStepped,    // "Adjust all points proportionaly" / "Horizontal"
    ColumnStepped, // "Adjust all points proportionaly" / "Vertical"
};

// Edit keys: Page Up, keypad 9 and keypad + raise; Page Down, keypad 3 and
// keypad - lower.
inline constexpr int KeyPageUp = 33;
inline constexpr int KeyPageDown = 34;
bool Is_Edit_Key(int code);
bool Lowers(int editKey);

// Moves the cursor by a cursor key code (arrows 37..40) and holds it within the map.
void Cursor_Key(int code);
// Moves the cursor by a character ("8" "W" "E" up, "2" "Z" "X" down, "4" "A" left,
// "6" "D" right, either case); false for any other character.
bool Cursor_Char(QChar c);
void Clamp_Cursor();

// How near a press must come to a node on screen to pick it, in pixels: about
// half the gap between neighbouring nodes of the designed view, so that a press
// on the wire frame halfway between two nodes picks neither.
inline constexpr int PickRadius = 10;
// Puts the cursor on the node nearest to (MouseX, MouseY) on screen. Of nodes
// equally near, the cursor's own node stays, else the first row by row. A press
// farther than PickRadius pixels from every node moves nothing: false.
bool Fined_point();

// The level lines of the "to selected point" modes through the cursor node:
// where the row's or column's nodes would lie at the cursor's value.
std::array<QLine, 2> Level_Lines(AdjustMode mode);

// The new byte of one cell (offset 0..127) of a kind's map: stepped by the edit
// key, or set to the cursor cell's byte, held within the kind's range (an
// ignition cell by CellEntry::Hold_Edit, the rule of the grid's entry).
int Stepped_Byte(const MapKindInfo& kind, int byte, int editKey);
int To_Point_Byte(const MapKindInfo& kind, int byte, int cursorByte);
// The cells a mode changes, in increasing offset.
std::vector<int> Cells_Of(AdjustMode mode, int row, int column);

// What an edit did.
struct EditResult {
    SendRule::Verdict verdict = SendRule::Verdict::Send;
    bool changed = false; // the image was written (and the frames handed over)
    QString refusal;      // why nothing changed, when it did not
    QString held;         // what a limit held, as the main window's status bar tells it
    std::vector<QByteArray> frames;
};
// Applies the edit key to the cells of the mode at the cursor: asks the send
// rule first (refused: nothing changes), works out every new byte, and writes
// them all through the write path or none (a refusal puts back any written);
// the frames go to the send rule as one request.
EditResult Tune_Graph(const MapKindInfo& kind, AdjustMode mode, int editKey);

} // namespace View3D
