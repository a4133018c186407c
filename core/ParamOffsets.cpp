#include "core/ParamOffsets.h"

#include "core/CoreState.h"

namespace WtsGeneral {

void Init_Param_Offsets() {
    MapLoaded = 0;
    LogBaseName = QStringLiteral("KVR6");
}

int Cylinders() {
    if (ParamBlock[Idx_Cylinders] == 0)
        ParamBlock[Idx_Cylinders] = 4;
    return ParamBlock[Idx_Cylinders];
}

} // namespace WtsGeneral
