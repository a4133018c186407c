#pragma once

#include <QString>

// Value-label texts of the global parameter screen and the cell entry box.
namespace WtsUp {

// Ignition map cell (index into Map5Image) in degrees, "##0"; CellValue untouched.
QString Fmt_Ign_Degrees(int index);
// Speed adjust: (byte (value) / 128 - 1) x 100, "##0".
QString Fmt_Param_Percent(int index);
QString Fmt_Value_Percent(int v);
// Fuel zero calibration: the signed byte, "##0".
QString Fmt_Param_Signed(int index);
// Fuel limits: byte x 0.0391764 volts, "#.#0".
QString Fmt_Param_Volts(int index);

} // namespace WtsUp
