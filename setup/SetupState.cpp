#include "setup/SetupState.h"

#include "platform/StateReset.h"

std::array<QString, 11> ModeNames;
std::array<QString, 11> ModeDescriptions;
int ModeIndex;

int ScaleMinMaxMode;
int ScaleSelBar;
int ScaleBarHeight;
double ScaleTwipsPerUnit;
RpmRange RpmEditRange;
int RpmBarValue;
int RpmBarTarget;
DeflRange DeflScaleRange;
int DeflBarValue;
int DeflBarTarget;
int AdvSettingsOn;

void ResetSetupState() {
    ModeNames = {};
    ModeDescriptions = {};
    ModeIndex = 0;
    ScaleMinMaxMode = 0;
    ScaleSelBar = 0;
    ScaleBarHeight = 3420;
    ScaleTwipsPerUnit = 0.0;
    RpmEditRange = {};
    RpmBarValue = 0;
    RpmBarTarget = 0;
    DeflScaleRange = {};
    DeflBarValue = 0;
    DeflBarTarget = 0;
    AdvSettingsOn = 0;
}

namespace {
// Every start value is the reset's, set once before the program starts; the
// same line records the group for the tests' reset of everything.
[[maybe_unused]] const bool Started = StateReset::Start_Group(Floor::Setup, ResetSetupState);
} // namespace
