#include "core/KeptImage.h"

#include "core/CoreState.h"

namespace KeptImage {

ImageSnapshot Current() {
    return {ParamBlock, Map5Image,         Map6Image, MapId,
            MapDscr,    WiringDiagramName, UserName,  TestDates};
}

void Mark_Kept() {
    KeptImageCopy = Current();
}

bool Has_Unkept_Edits() {
    return KeptImageCopy && !(*KeptImageCopy == Current());
}

} // namespace KeptImage
