#pragma once

#include <QString>

// Texts that labels and map cells show for unit bytes of the image (index members
// take an address into the table they name) or for values that a slider holds.
// Index members refuse an address outside 0..256 with error 9. They only read the
// image: a switch point shown clamped to its range ("OFF" below it, the top above
// it) keeps its byte, since a value nobody changed must not change by being shown.
namespace WtsDis {

// Shown where a value cannot be computed from the bytes the image holds.
inline const QString NoValue = QStringLiteral("?????");

// Volts of one step of the fuel limits and of the volt readings, and seconds x 10
// of one step of the ignition dwell: the screens that show a byte with one of these
// turn the shown number back into the byte with the same factor.
inline constexpr double VoltsPerStep = 0.0391764;
inline constexpr double DwellPerStep = 0.1024;

// v x VoltsPerStep volts, "#.#0".
QString Fmt_Volts(int v);
// Deflection switch point: byte / 255 x 100, "##0"; 255 is "OFF"; at or below the
// first deflection point gives "OFF"; at or above the last gives the last point's
// whole percent.
QString Fmt_Percent_Limited(int index);
// Whole percent of a deflection break point byte (256ths), truncated.
int Deflect_Percent(int byte);
// A single-precision number as plain text, with no more digits than it holds.
QString Single_Text(float value);
// "OFF" at the first deflection point's whole percent, else v with "##0".
QString Fmt_Percent_Or_Off(int v);
// RPM switch point (high byte at index, low byte at Idx_SwitchRpmLow): "####0";
// both bytes 0 is "OFF"; at or below the RPM of break point 0 gives "OFF"; at or
// above the RPM of break point 15 gives that RPM.
QString Fmt_RPM_Limited(int index);
// "OFF" at the whole RPM of break point 0, else v as plain text.
QString Fmt_RPM_Or_Off(int v);
// The same two at a cylinder count that is not (yet) the image's: the parameter
// screen shows its RPM at the cylinders chosen on it.
QString Fmt_RPM_Limited(int index, int cylinders);
QString Fmt_RPM_Or_Off(int v, int cylinders);
// Ignition dwell: byte (value) x 0.1024, "##.0".
QString Fmt_Param_x01024(int index);
QString Fmt_Value_x01024(int v);
// Temperature switch point: the byte's temperature, "##0"; 255 is "OFF"; at or
// below the value at step 0 gives "OFF"; at or above the value at step 15 gives
// that value.
QString Fmt_Temp_Limited(int index);
// Temperature switch slider: "OFF" at the slider's bottom (the value at step 0 in
// whole units), else v as plain text.
QString Fmt_Temp_Or_Off(int v);
// AMP switch point: as Fmt_Temp_Limited on the AMP scale, "##.#0".
QString Fmt_Amp_Limited(int index);
// AMP switch slider in hundredths: "OFF" at the value at step 0 in whole
// hundredths, else v / 100 with "##.#0".
QString Fmt_Amp_Or_Off(int v);
// The byte, "##0".
QString Fmt_Param_Int(int index);
// Ignition limit: degrees of the signed byte, left in CellValue, "##0".
QString Fmt_Param_Signed_Scaled(int index);
QString Fmt_Param_Signed_Scaled(int index, int cylinders);
// v rounded to a whole number (halves to even), left in CellValue, "##0".
QString Fmt_Int(double v);
// Degrees of the largest advance (127) and retard (-128), left in CellValue.
QString Fmt_Max_Advance();
QString Fmt_Min_Advance();
QString Fmt_Max_Advance(int cylinders);
QString Fmt_Min_Advance(int cylinders);
// Map cells and AMP columns.
QString Fmt_Analog_Cell(int index); // Map5Image: signed byte, "##0"
QString Fmt_Analog_Amp(int index);  // Map6Image: byte / 256, "#.#0"
QString Fmt_Inject_Amp(int index);  // Map6Image: byte / 128, "#.#0"
QString Fmt_Inject_Cell(int index); // Map6Image: byte, "##0"
QString Fmt_Ign_Cell(int index);    // Map5Image: degrees, left in CellValue, "##0"
QString Fmt_Ign_Amp(int index);     // Map6Image: degrees, left in CellValue, "##0"

} // namespace WtsDis
