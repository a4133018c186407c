#include "library/LibraryState.h"

int BackRestMode;
QString SelLibFile;
int SaveKind;
int LibEditMode;

namespace Library {

bool FileInfoUnsaved;
QString SavedMapName;
QString SavedMapId;
std::vector<ExportEntry> ExportList;
int WdSelected;

void ResetLibraryState() {
    BackRestMode = 0;
    SelLibFile.clear();
    SaveKind = 0;
    LibEditMode = 0;
    FileInfoUnsaved = false;
    SavedMapName.clear();
    SavedMapId.clear();
    ExportList.clear();
    WdSelected = 0;
}

} // namespace Library
