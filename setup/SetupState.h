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

// Puts every variable above back to its program-start value.
void ResetSetupState();
