#pragma once

// The state the main window owns and other windows read or set: one declaration
// each, defined in MainState.cpp.

#include <QString>
#include <array>

// Grid position to Txt128 index: CellTable[c][l] for column c 1..8 (left to right)
// and line l 1..16 (top to bottom) holds (c - 1) x 16 + (16 - l).
using CellGrid = std::array<std::array<int, 17>, 9>;
extern CellGrid CellTable;

// Set before the windows they steer are shown.
extern int BackRestMode;   // 1 backup, 2 restore
extern QString MapKind;    // "Analog:", "Injection:" or "Ignition:"
extern QString SelLibFile; // selected library file, "" = none
extern int SaveKind;       // 1 Save, 2 Save As
extern int LibEditMode;    // layout of the library editor: 2 = save

// The live cursor's memory: the map cell last painted live, and the AMP rows last
// painted live on tab 1 and on tabs 2 and 3 (0 = none yet).
extern int PrevLiveCell;
extern int PrevAmpCell1;
extern int PrevAmpCell23;

// Highest (element 0) and lowest (element 1) RPM of the RPM scale.
extern std::array<int, 2> RpmScaleRange;

// Set once the user has been told that the configured poll speed was unusable.
extern bool CommSpeedReported;

// Puts every variable above back to its program-start value.
void ResetMainState();
