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
}
