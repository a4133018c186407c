#include "view3d/View3dState.h"

#include "platform/StateReset.h"

std::int16_t Amplitude;
std::int16_t RowStepX;
std::int16_t RowStepY;
std::int16_t ColStepX;
std::int16_t ColStepY;
int GradStartR, GradStartG, GradStartB;
int GradEndR, GradEndG, GradEndB;
NodeArray NodeX;
NodeArray NodeY;
int CurRow;
int CurCol;
int EditKey;
int MouseX;
int MouseY;
int CursorShown;
int LastLiveCell;
SettingsTable SliderSettings;

QString MapKind;

void ResetView3dState() {
    MapKind.clear();
    Amplitude = 0;
    RowStepX = 0;
    RowStepY = 0;
    ColStepX = 0;
    ColStepY = 0;
    GradStartR = GradStartG = GradStartB = 0;
    GradEndR = GradEndG = GradEndB = 0;
    NodeX = {};
    NodeY = {};
    CurRow = 0;
    CurCol = 0;
    EditKey = 0;
    MouseX = 0;
    MouseY = 0;
    CursorShown = 0;
    LastLiveCell = 0;
    SliderSettings = {};
}

namespace {
// Every start value is the reset's, set once before the program starts; the
// same line records the group for the tests' reset of everything.
[[maybe_unused]] const bool Started = StateReset::Start_Group(Floor::View3d, ResetView3dState);
} // namespace
