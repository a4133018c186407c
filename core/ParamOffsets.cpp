#include "core/ParamOffsets.h"

#include "core/CoreState.h"

namespace WtsGeneral {

void Init_Param_Offsets() {
    MapLoaded = 0;
    LogBaseName = QStringLiteral("KVR6");
}

} // namespace WtsGeneral
