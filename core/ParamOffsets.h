#pragma once

namespace WtsGeneral {

// Start-up set-up of the unit image's companions: no map loaded yet, and the log
// files' base name. The parameter addresses themselves are fixed (UnitImage.h).
void Init_Param_Offsets();

// The cylinders byte as a divisor: a byte of 0 is first replaced by 4 in the image,
// so every RPM computation divides by the value the image then holds.
int Cylinders();

} // namespace WtsGeneral
