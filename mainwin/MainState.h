#pragma once

// The state the main window owns and other windows read or set: one declaration
// each, defined in MainState.cpp.

#include <QString>
#include <array>

// Grid position to Txt128 index: CellTable[c][l] for column c 1..8 (left to right)
// and line l 1..16 (top to bottom) holds (c - 1) x 16 + (16 - l).
using CellGrid = std::array<std::array<int, 17>, 9>;
extern CellGrid CellTable;

// The live cursor's memory: the map cell last painted live, and the AMP rows last
// painted live on tab 1 and on tabs 2 and 3 (0 = none yet).
extern int PrevLiveCell;
extern int PrevAmpCell1;
extern int PrevAmpCell23;

// Highest (element 0) and lowest (element 1) RPM of the RPM scale.
extern std::array<int, 2> RpmScaleRange;

// Set once the user has been told that the configured poll speed was unusable.
extern bool CommSpeedReported;

// The map grid's selection: the selected cell (0..127 a grid cell, 128 and
// above a cell outside the grid: the AMP column, or the AFR row on tab 3), the
// selected AMP row 0..15 and AFR cell 0..7, what the entry box edits (0 nothing
// yet, 1 grid cell, 2 AMP row, 3 AFR cell), and what was last painted selected.
extern int SelCell;
extern int SelAmpRow;
extern int SelAfrRow;
extern int EditField;
extern int PrevSelCell;
extern int PrevAmpRow;
extern int PrevAfrRow;
// Column adjustment: the column 1..8 an entry writes (99 off), and the column
// painted for it (0 none, 1..8 a grid column, 9 the AMP column).
extern int AdjustCol;
extern int ColouredCol;

// Puts every variable above back to its program-start value.
void ResetMainState();
