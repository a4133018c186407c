#pragma once

// The state the library's windows share beyond the main window's records: one
// declaration each, defined in LibraryState.cpp.

#include <QString>

namespace Library {

// The file name whose replacement the user agreed to in the save dialog (the
// dialog asks itself); the editor asks before replacing any other library file.
extern QString OverwriteAgreed;

// Puts every variable above back to its program-start value.
void ResetLibraryState();

} // namespace Library
