#include "library/MapLoad.h"

#include "core/CoreState.h"
#include "core/KeptImage.h"
#include "link/Download.h"
#include "link/SendRule.h"
#include "mainwin/MainWindow.h"

namespace Library {

void Finish_Map_Load(const QString& fileName, bool download, bool wholeMap) {
    MapLoaded = -1;
    MapDirty = 0;
    // Until the steps below have run, the image holds a map the unit may not
    // hold, which no file name stands for yet: a step stopped part-way leaves
    // that said, and Save asks for a name rather than writing over the file
    // of the map shown before.
    TuneFileName.clear();
    SendRule::Image_Loaded(false);
    Main().Redraw_Shown_Map();
    // A whole map came from its file: nothing in it is an unsaved edit. Save
    // writes the map back to the file it came from, not to one saved before.
    if (wholeMap)
        KeptImage::Mark_Kept();
    TuneFileName = fileName;
    Main().Show_Tune_File(fileName);
    // A loaded map goes to the unit only while the unit answers; once it is on
    // its way, the grid counts as the unit's map again (Download_All).
    if (download && OnlineState == OnlineStates::Online)
        WtsCM::Download_All();
}

} // namespace Library
