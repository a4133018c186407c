#pragma once

#include <QString>
#include <functional>

// Stepping the map cell the engine works in (LiveMapCell), one unit a press:
// the image byte changes, a one-cell write goes on the send path and the grid
// shows the new value. The main window's F4 to F9 and the 3-D view call these.
// A step is made only when the send rule (link/SendRule.h) lets an edit go to
// the unit now (on-line, polling, the unit answering and not locked) and the
// engine is inside the maps; otherwise nothing changes, and why is told in the
// status bar.
namespace WtsGeneral {

inline const QString OffLineStepNotice =
    QStringLiteral("Off-line: the live cell is stepped only while the unit is on-line.");

// Analog map (signed, kept within -127..127: a step past either end does nothing).
void Step_Analog_Cell_Up();
void Step_Analog_Cell_Down();
// Injection map (0..255: at either end the byte stays and is still sent).
void Step_Inject_Cell_Up();
void Step_Inject_Cell_Down();
// Ignition map (signed, held within the advance and retard limits by the rule of
// CellEntry::Hold_Edit: a step never goes the other way, and a cell beyond a
// limit stays; a held step is told with the limit).
void Step_Ign_Cell_Up();
void Step_Ign_Cell_Down();

// Key 4..9 of the stepping keys. Returns what a limit held, as the status bar
// tells it; empty when no limit held the step.
QString Step_Live_Cell(int key);

// Shows a stepped cell's new text: tab 1..3 of the map, the grid box, the text.
// The main window fills it while it is loaded.
extern std::function<void(int tab, int cell, const QString& text)> ShowSteppedCell;

} // namespace WtsGeneral
