#pragma once

// The one ending of a whole-map load: what follows once a whole map was read
// into the image from a file (a library tune map now, a wiring-diagram record
// next), so every loader leaves the program in the same state.

#include <QString>

namespace Library {

// After a whole map was read into the image from a file: MapLoaded = -1,
// MapDirty = 0, KeptImage::Mark_Kept(), TuneFileName = fileName (empty when the
// map did not come from a library tune-map file, e.g. a wiring-diagram record:
// Save then asks for a name), Main().Show_Tune_File(fileName), one
// Main().Redraw_Shown_Map(), WtsCM::Download_All() only when download is
// asked and OnlineState is OnlineStates::Online, and SendRule::Image_Loaded(sent)
// (a map not sent is said not to be the unit's). A load that replaced only part
// of the image (wholeMap false: a wiring-diagram record's settings over the maps
// held) leaves what counts as kept alone, so edits not saved stay unsaved.
void Finish_Map_Load(const QString& fileName, bool download, bool wholeMap = true);

} // namespace Library
