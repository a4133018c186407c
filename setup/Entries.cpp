#include "setup/Entries.h"

#include "mainwin/frmMain.h"

namespace Setup {

void Wire_Entries(frmMain& /*main*/) {}

} // namespace Setup
