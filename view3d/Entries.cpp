#include "view3d/Entries.h"

#include "mainwin/frmMain.h"

namespace View3D {

void Wire_Entries(frmMain& /*main*/) {}

} // namespace View3D
