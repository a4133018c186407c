#include "library/LibraryState.h"

namespace Library {

bool FileInfoUnsaved;
QString SavedMapName;
QString SavedMapId;
std::vector<ExportEntry> ExportList;

void ResetLibraryState() {
    FileInfoUnsaved = false;
    SavedMapName.clear();
    SavedMapId.clear();
    ExportList.clear();
}

} // namespace Library
