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
    // A whole map came from its file: nothing in it is an unsaved edit.
    if (wholeMap)
        KeptImage::Mark_Kept();
    // Save writes the map back to the file it came from, not to one saved before.
    TuneFileName = fileName;
    Main().Show_Tune_File(fileName);
    Main().Redraw_Shown_Map();
    // A loaded map goes to the unit only while the unit answers.
    bool sent = false;
    if (download && OnlineState == OnlineStates::Online)
        sent = WtsCM::Download_All();
    // Not sent, the unit keeps its own map under the grid: said until a download
    // or a read-out.
    SendRule::Image_Loaded(sent);
}

} // namespace Library
