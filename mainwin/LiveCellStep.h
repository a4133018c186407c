#pragma once

#include <QString>
#include <functional>

// Stepping the map cell the engine works in (LiveMapCell), one unit a press:
// the image byte changes, a one-cell write goes on the send path and the grid
// shows the new value. The main window's F4 to F9 and the 3-D view call these.
namespace WtsGeneral {

// Analog map (signed, kept within -127..127: a step past either end does nothing).
void Step_Analog_Cell_Up();
void Step_Analog_Cell_Down();
// Injection map (0..255: at either end the byte stays and is still sent).
void Step_Inject_Cell_Up();
void Step_Inject_Cell_Down();
// Ignition map (signed, held within the advance and retard limits).
void Step_Ign_Cell_Up();
void Step_Ign_Cell_Down();

// Key 4..9 of the stepping keys, while a finished read-out has the unit's image
// (UnitOnline 1); otherwise nothing.
void Step_Live_Cell(int key);

// Shows a stepped cell's new text: tab 1..3 of the map, the grid box, the text.
// The main window fills it while it is loaded.
extern std::function<void(int tab, int cell, const QString& text)> ShowSteppedCell;

} // namespace WtsGeneral
