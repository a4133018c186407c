#pragma once

// The state of the 3-D map view that outlives its window: the view values the
// sliders set, the node grid, the edit cursor, the live point last marked and
// the slider settings last read or saved. One declaration each, defined in
// View3dState.cpp, all back to their start with ResetView3dState().

#include <QString>
#include <array>
#include <cstdint>

// Which map the view shows: "Analog:", "Injection:" or "Ignition:"; set before
// the window is shown.
extern QString MapKind;

// View values, in twips of the drawing (16-bit signed). For RowStepX, ColStepY,
// ColStepX and Amplitude, 0 means "not taken yet": the drawing reads the slider.
extern std::int16_t Amplitude; // height per display unit of a cell
extern std::int16_t RowStepX;  // X offset per RPM row
extern std::int16_t RowStepY;  // Y offset per RPM row (up the screen)
extern std::int16_t ColStepX;  // X offset per deflection column
extern std::int16_t ColStepY;  // Y offset per deflection column (up the screen)

// The gradient of the wire frame, set by every drawing.
extern int GradStartR, GradStartG, GradStartB;
extern int GradEndR, GradEndG, GradEndB;

// Node positions in twips of the drawing frame: NodeX[row][column], rows
// 0..15 and columns 0..8 filled (column 8 is never drawn and keeps its
// unlifted height), rows 16 and 17 unused.
using NodeArray = std::array<std::array<int, 10>, 18>;
extern NodeArray NodeX;
extern NodeArray NodeY;

// The edit cursor: RPM row 0..15 and deflection column 0..7.
extern int CurRow;
extern int CurCol;
// The key code of the last edit key: 33, 105, 107 raise; 34, 99, 109 lower.
extern int EditKey;
// The last mouse press on the drawing, whole twips.
extern int MouseX;
extern int MouseY;
// 0 until the first mouse pick on the drawing, then CursorShownOn: the edit
// cursor's marks and its status text show only from then on.
inline constexpr int CursorShownOn = 99;
extern int CursorShown;
// The live map cell last marked (column x 16 + row).
extern int LastLiveCell;

// The slider settings of one section of a settings file: rows 1..6 (one per
// slider, top to bottom), fields 1..7 (label, Min, Max, SmallChange,
// LargeChange, TickFrequency, SelStart), all as texts.
using SettingsTable = std::array<std::array<QString, 8>, 7>;
extern SettingsTable SliderSettings;

// Puts every variable above back to its program-start value.
void ResetView3dState();
