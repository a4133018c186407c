#include "library/LibraryState.h"

namespace Library {

bool FileInfoUnsaved;
QString SavedMapName;
QString SavedMapId;

void ResetLibraryState() {
    FileInfoUnsaved = false;
    SavedMapName.clear();
    SavedMapId.clear();
}

} // namespace Library
