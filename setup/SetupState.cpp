#include "setup/SetupState.h"

std::array<QString, 11> ModeNames;
std::array<QString, 11> ModeDescriptions;
int ModeIndex = 0;

void ResetSetupState() {
    ModeNames = {};
    ModeDescriptions = {};
    ModeIndex = 0;
}
