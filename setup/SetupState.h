#pragma once

// The state the parameter screens own and keep from one opening to the next: one
// declaration each, defined in SetupState.cpp.

#include <QString>
#include <array>

// The operating modes of the global parameter screen: list texts and
// descriptions, slots 0..10 (0..5 used), filled by the screen's load.
extern std::array<QString, 11> ModeNames;
extern std::array<QString, 11> ModeDescriptions;
// The list index last derived from a known mode code; kept while the program runs.
extern int ModeIndex;
// 1 while the display set-up screen shows its advanced columns (names and graph
// ranges); 0 at program start, kept from one opening to the next.
extern int AdvSettingsOn;

// --- the RPM and deflection scale editors --------------------------------------
// Both editors share these; opening an editor resets none of them.
// 1 while "Min - Max" is the active function (keys ignored), 0 otherwise.
extern int ScaleMinMaxMode;
// The selected bar: 0..15 in the RPM editor, 0..7 in the deflection editor.
extern int ScaleSelBar;
// Height of the bar area and twips per RPM or per percent of the chart.
extern int ScaleBarHeight;
extern double ScaleTwipsPerUnit;

// The RPM editor's chart range: its maximum a whole number, its minimum a single.
// The main window keeps whole numbers for its own RPM range (RpmScaleRange), and
// the axis captions use BarValue as scratch, so the editor keeps its range and
// its selected bar's RPM in variables of its own.
struct RpmRange {
    int maximum = 0;
    float minimum = 0.0f;
};
extern RpmRange RpmEditRange;
// Whole RPM of the selected bar, as shown; the RPM the last key asked for it.
extern int RpmBarValue;
extern int RpmBarTarget;

// The deflection editor's chart range in whole percent.
struct DeflRange {
    int maximum = 0;
    int minimum = 0;
};
extern DeflRange DeflScaleRange;
// Whole percent of the selected bar, as shown; the percent the last key asked for it.
extern int DeflBarValue;
extern int DeflBarTarget;

// Puts every variable above back to its program-start value.
void ResetSetupState();
