#pragma once

// The state the library's windows share beyond the main window's records: one
// declaration each, defined in LibraryState.cpp.

#include <QString>

// The library's mode words, set before the windows they steer are shown.
extern QString SelLibFile; // selected library file, "" = none
extern int SaveKind;       // 1 Save, 2 Save As
extern int LibEditMode;    // layout of the library editor: 2 = save

namespace Library {

// The last write of the file-information record failed: LibRecord holds a
// newer record than "KVR6FileInfo.cfg", and the failure has been told.
extern bool FileInfoUnsaved;

// The map name the last save wrote, and the MapId that save left (the save
// makes MapId the description): a later save starts from that name while MapId
// is still what the save left.
extern QString SavedMapName;
extern QString SavedMapId;

// Puts every variable above, the mode words too, back to its program-start value.
void ResetLibraryState();

} // namespace Library
