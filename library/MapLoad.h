#pragma once

// The one ending of a whole-map load: what follows once a map was read into the
// image from a file (a library tune map, a wiring-diagram record), so every
// loader leaves the program in the same state.

#include <QString>

namespace Library {

// After a whole map was read into the image from a file: MapLoaded = -1,
// MapDirty = 0; the map counts as not the unit's (SendRule::Image_Loaded(false),
// on-line) and TuneFileName is empty while the steps run; one
// Main().Redraw_Shown_Map(); then KeptImage::Mark_Kept(), TuneFileName =
// fileName (empty when the map did not come from a library tune-map file, e.g.
// a wiring-diagram record: Save then asks for a name) and
// Main().Show_Tune_File(fileName); last WtsCM::Download_All() only when
// download is asked and OnlineState is OnlineStates::Online, which makes the
// grid the unit's map again. A step stopped part-way (an error) so leaves no
// map counted kept, named or sent that is not. A load that replaced only part
// of the image (wholeMap false: a wiring-diagram record's settings over the
// maps held) leaves what counts as kept alone, so edits not saved stay unsaved.
void Finish_Map_Load(const QString& fileName, bool download, bool wholeMap = true);

} // namespace Library
