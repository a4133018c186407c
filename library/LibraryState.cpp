#include "library/LibraryState.h"

#include "platform/StateReset.h"

QString SelLibFile;
int SaveKind;
int LibEditMode;

namespace Library {

bool FileInfoUnsaved;
QString SavedMapName;
QString SavedMapId;
QString NameBeforeSave;

void ResetLibraryState() {
    SelLibFile.clear();
    SaveKind = 0;
    LibEditMode = 0;
    FileInfoUnsaved = false;
    SavedMapName.clear();
    SavedMapId.clear();
    NameBeforeSave.clear();
}

namespace {
// Every start value is the reset's, set once before the program starts; the
// same line records the group for the tests' reset of everything.
[[maybe_unused]] const bool Started = StateReset::Start_Group(Floor::Library, ResetLibraryState);
} // namespace

} // namespace Library
