#pragma once

// Whether the unit image holds changes that nothing outside the program keeps.
// The image is kept once it came whole from somewhere it can be had again (the
// default map file, a read-out of the unit, the recorded image of a play-back):
// a copy is taken then, and any later difference is an edit that would be lost
// if something replaced the image.

#include "core/UnitImage.h"

#include <QString>
#include <array>

// The parts of the image that edits change and a read-out replaces.
struct ImageSnapshot {
    ImageTable param;
    ImageTable map5;
    ImageTable map6;
    QString mapId;
    QString mapDscr;
    QString wiringDiagramName;
    QString userName;
    std::array<QString, 6> testDates;
    bool operator==(const ImageSnapshot&) const = default;
};

namespace KeptImage {

// The image as it is now.
ImageSnapshot Current();
// The image as it is now is kept: call after loading a whole map from a file or
// saving the image to one, and after the unit was read out.
void Mark_Kept();
// True when the image differs from what was marked kept last; false while
// nothing has been marked (no map has been shown yet).
bool Has_Unkept_Edits();

} // namespace KeptImage
