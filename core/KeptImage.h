#pragma once

// Whether the unit image holds changes that nothing outside the program keeps.
// The image is kept once it came whole from somewhere it can be had again (the
// default map file, a read-out of the unit, the recorded image of a play-back):
// a copy is taken then, and any later difference is an edit that would be lost
// if something replaced the image.

#include "core/ImageSnapshot.h"

namespace KeptImage {

// The image as it is now (ImageSnapshot::Take()).
ImageSnapshot Current();
// The image as it is now is kept: call after loading a whole map from a file or
// saving the image to one, and after the unit was read out.
void Mark_Kept();
// True when the image differs from what was marked kept last in what an edit
// changes; false while nothing has been marked (no map has been shown yet).
bool Has_Unkept_Edits();
// Whether two images hold the same edits: the three pages and the texts. The
// AMP axis table is worked out again from the parameters at each redraw, and
// the record and the lock mark follow the file and the unit, so none of them
// is an edit of the user's.
bool Same_Edits(const ImageSnapshot& a, const ImageSnapshot& b);

} // namespace KeptImage
