#include "core/KeptImage.h"

#include "core/CoreState.h"

#include <tuple>

namespace KeptImage {

ImageSnapshot Current() {
    return ImageSnapshot::Take();
}

void Mark_Kept() {
    KeptImageCopy = Current();
}

bool Same_Edits(const ImageSnapshot& a, const ImageSnapshot& b) {
    const auto edits = [](const ImageSnapshot& s) {
        return std::tie(s.param, s.map5, s.map6, s.mapId, s.mapDscr, s.wiringDiagramName,
                        s.userName, s.testDates);
    };
    return edits(a) == edits(b);
}

bool Has_Unkept_Edits() {
    return KeptImageCopy && !Same_Edits(*KeptImageCopy, Current());
}

} // namespace KeptImage
