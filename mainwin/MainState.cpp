#include "mainwin/MainState.h"

CellGrid CellTable{};
int BackRestMode = 0;
QString MapKind;
QString SelLibFile;
int SaveKind = 0;
int LibEditMode = 0;
int PrevLiveCell = 0;
int PrevAmpCell1 = 0;
int PrevAmpCell23 = 0;
std::array<int, 2> RpmScaleRange{};
bool CommSpeedReported = false;
int SelCell = 0;
int SelAmpRow = 0;
int SelAfrRow = 0;
int EditField = 0;
int PrevSelCell = 0;
int PrevAmpRow = 0;
int PrevAfrRow = 0;
int AdjustCol = 0;
int ColouredCol = 0;

void ResetMainState() {
    CellTable = {};
    BackRestMode = 0;
    MapKind.clear();
    SelLibFile.clear();
    SaveKind = 0;
    LibEditMode = 0;
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
