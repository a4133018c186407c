#include "mainwin/MainState.h"

#include "mainwin/LiveCellStep.h"
#include "mainwin/MainWindow.h"
#include "platform/StateReset.h"
#include "platform/Step.h"

CellGrid CellTable;
int PrevLiveCell;
int PrevAmpCell1;
int PrevAmpCell23;
std::array<int, 2> RpmScaleRange;
bool CommSpeedReported;
int SelCell;
int SelAmpRow;
int SelAfrRow;
int EditField;
int PrevSelCell;
int PrevAmpRow;
int PrevAfrRow;
int AdjustCol;
int ColouredCol;

void ResetMainState() {
    CellTable = {};
    PrevLiveCell = 0;
    PrevAmpCell1 = 0;
    PrevAmpCell23 = 0;
    RpmScaleRange = {};
    CommSpeedReported = false;
    SelCell = 0;
    SelAmpRow = 0;
    SelAfrRow = 0;
    EditField = 0;
    PrevSelCell = 0;
    PrevAmpRow = 0;
    PrevAfrRow = 0;
    AdjustCol = 0;
    ColouredCol = 0;
}

namespace {
// The main window in use and the hook it fills below it.
void Let_Go() {
    Set_Main(nullptr);
    WtsGeneral::ShowSteppedCell = {};
    Step::After_Stop = {};
}
// Every start value is the reset's, set once before the program starts; the
// same line records the group for the tests' reset of everything.
[[maybe_unused]] const bool Started =
    StateReset::Start_Group(Floor::Mainwin, ResetMainState, Let_Go);
} // namespace
