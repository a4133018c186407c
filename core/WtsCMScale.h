#pragma once

#include <optional>

// The AMP and temperature inputs: their linear scales, derived from the two-point
// calibrations and 16-step tables of the parameter block, and the conversions
// between an input's unit byte and its shown value.
namespace WtsCM {

// Recompute AmpScale (TempScale) from the calibration bytes. With no image present
// (UnitOnline and MapLoaded both 0) the scale keeps its numbers. Two equal
// calibration steps or a step above 15 leave the numbers and mark the scale invalid.
void Calc_Amp_Scale();
void Calc_Temp_Scale();

// The shown value of an input byte, the step clamped to 0..15.9. No value with no
// image present, or while the scale is invalid or its byte per step is 0 (the
// temperature input takes a byte per step of 0 as 1).
std::optional<float> Conv_Byte_To_Volts_Amp(int byte);
std::optional<float> Conv_Byte_To_Volts_Temp(int byte);

// The unit byte of a shown value, the step clamped to 0..15.99 (AMP) or 0..15.9
// (temperature) and the byte to 0..255. No value while the scale is invalid or its
// value per step is 0. Callers round the byte before storing it.
std::optional<float> Conv_Volts_To_Byte_Amp(double value);
std::optional<float> Conv_Volts_To_Byte_Temp(double value);

} // namespace WtsCM
