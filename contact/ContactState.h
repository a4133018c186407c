#pragma once

// The state the contact window keeps while it may be closed: one declaration
// each, defined in ContactState.cpp.

#include "contact/ContactExport.h"

#include <vector>

namespace Contact {

// The contact window's list of library files, in the list's order (entry k of
// the list is element k), each with its tick; rebuilt whenever the window opens.
extern std::vector<ExportEntry> ExportList;

// Puts every variable above back to its program-start value.
void ResetContactState();

} // namespace Contact
