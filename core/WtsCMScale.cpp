#include "core/WtsCMScale.h"

#include "core/CoreState.h"

#include <algorithm>

namespace WtsCM {

namespace {

bool Image_Present() {
    return UnitOnline != 0 || MapLoaded != 0;
}

// Fits the line through the two calibration points (step, value) and the table
// bytes at those steps. The steps index a 16-entry table, so a step above 15 would
// read the calibration bytes themselves.
void Fit_Scale(InputScale& scale, int step1, double value1, int step2, double value2,
               int tableBase) {
    if (step1 == step2 || step1 < 0 || step1 > 15 || step2 < 0 || step2 > 15) {
        scale.valid = false;
        return;
    }
    const double steps = step2 - step1;
    const int byte1 = ParamBlock[tableBase + step1];
    const int byte2 = ParamBlock[tableBase + step2];
    scale.K = static_cast<float>((value2 - value1) / steps);
    scale.C = static_cast<float>(value1 - step1 * static_cast<double>(scale.K));
    scale.G = static_cast<float>((byte2 - byte1) / steps);
    scale.O = static_cast<float>(byte1 - step1 * static_cast<double>(scale.G));
    scale.valid = true;
}

std::optional<float> Byte_To_Value(const InputScale& scale, float bytePerStep, int byte) {
    if (!scale.valid || bytePerStep == 0.0f)
        return std::nullopt;
    float step = (static_cast<float>(byte) - scale.O) / bytePerStep;
    if (!(step >= 0.0f))
        step = 0.0f;
    if (step > 15.9f)
        step = 15.9f;
    return scale.K * step + scale.C;
}

std::optional<float> Value_To_Byte(const InputScale& scale, double value, float topStep) {
    if (!scale.valid || scale.K == 0.0f)
        return std::nullopt;
    float step = static_cast<float>((value - scale.C) / scale.K);
    if (!(step >= 0.0f))
        step = 0.0f;
    if (step > topStep)
        step = topStep;
    return std::clamp(scale.G * step + scale.O, 0.0f, 255.0f);
}

} // namespace

void Calc_Amp_Scale() {
    if (!Image_Present())
        return;
    const double value1 = ParamBlock[Idx_AmpCal1] + ParamBlock[Idx_AmpCal5] / 256.0;
    const double value2 = ParamBlock[Idx_AmpCal3] + ParamBlock[Idx_AmpCal4] / 256.0;
    Fit_Scale(AmpScale, ParamBlock[Idx_AmpCal0], value1, ParamBlock[Idx_AmpCal2], value2,
              Idx_AmpTable);
}

void Calc_Temp_Scale() {
    if (!Image_Present())
        return;
    Fit_Scale(TempScale, ParamBlock[Idx_TempCal0], ParamBlock[Idx_TempCal1],
              ParamBlock[Idx_TempCal2], ParamBlock[Idx_TempCal3], Idx_TempTable);
}

std::optional<float> Conv_Byte_To_Volts_Amp(int byte) {
    if (!Image_Present())
        return std::nullopt;
    Calc_Amp_Scale();
    return Byte_To_Value(AmpScale, AmpScale.G, byte);
}

std::optional<float> Conv_Byte_To_Volts_Temp(int byte) {
    if (!Image_Present())
        return std::nullopt;
    Calc_Temp_Scale();
    // A flat temperature table still shows the value at step 0.
    return Byte_To_Value(TempScale, TempScale.G == 0.0f ? 1.0f : TempScale.G, byte);
}

std::optional<float> Conv_Volts_To_Byte_Amp(double value) {
    Calc_Amp_Scale();
    return Value_To_Byte(AmpScale, value, 15.99f);
}

std::optional<float> Conv_Volts_To_Byte_Temp(double value) {
    Calc_Temp_Scale();
    return Value_To_Byte(TempScale, value, 15.9f);
}

} // namespace WtsCM
