#pragma once

namespace WtsGeneral {

// Start-up set-up of the unit image's companions: no map loaded yet, and the log
// files' base name. The parameter addresses themselves are fixed (UnitImage.h).
void Init_Param_Offsets();

} // namespace WtsGeneral
