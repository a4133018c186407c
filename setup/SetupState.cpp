#include "setup/SetupState.h"

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
// Program start: the variables above get their start values before main runs.
[[maybe_unused]] const bool Started = (ResetSetupState(), true);
} // namespace
