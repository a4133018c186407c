#pragma once

// The state the library's windows share beyond the main window's records: one
// declaration each, defined in LibraryState.cpp.

#include <QString>

// The library's mode words, set before the windows they steer are shown.
extern QString SelLibFile; // selected library file, "" = none
// 0 none; 1 Save and 2 Save As (the editor saves the current map under
// TuneFileName); 3 the editor opened on the selected library file (its names
// change, the file name follows the File Name field only for 1 and 2).
extern int SaveKind;
extern int LibEditMode; // layout of the library editor: 2 = save

namespace Library {

// The last write of the file-information record failed: LibRecord holds a
// newer record than "KVR6FileInfo.cfg", and the failure has been told.
extern bool FileInfoUnsaved;

// The map name the last save wrote, and the MapId that save left (the save
// makes MapId the description): a later save starts from that name while MapId
// is still what the save left.
extern QString SavedMapName;
extern QString SavedMapId;

// TuneFileName as it was before Save or Save As put the name to write there: a
// save the library's check refuses puts it back.
extern QString NameBeforeSave;

// Puts every variable above, the mode words too, back to its program-start value.
void ResetLibraryState();

} // namespace Library
