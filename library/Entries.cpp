#include "library/Entries.h"

#include "mainwin/frmMain.h"

namespace Library {

void Wire_Entries(frmMain& /*main*/) {}

} // namespace Library
