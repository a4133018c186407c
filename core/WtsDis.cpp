#include "core/WtsDis.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "core/WtsCMScale.h"
#include "platform/NumberRules.h"

#include <algorithm>
#include <optional>

using NumberRules::Format;
using NumberRules::Val;

namespace WtsDis {

namespace {

const QString Off = QStringLiteral("OFF");

QString Degrees_Text(int signedByte, int cylinders) {
    CellValue = static_cast<int>(NumberRules::RoundEven(UnitBytes::Degrees(signedByte, cylinders)));
    return Format(CellValue, QStringLiteral("##0"));
}

QString Degrees_Text(int signedByte) {
    return Degrees_Text(signedByte, UnitBytes::Usable_Cylinders());
}

// The whole RPM of break points 0 and 15, when their periods can be used.
struct RpmLimits {
    int lowest;
    int highest;
};
std::optional<RpmLimits> Rpm_Limits(int cylinders) {
    const auto first = UnitBytes::Break_Point_Period(0);
    const auto last = UnitBytes::Break_Point_Period(15);
    if (!first || !last)
        return std::nullopt;
    return RpmLimits{
        static_cast<int>(NumberRules::Fix(UnitBytes::Rpm_Of_Period(*first, cylinders))),
        static_cast<int>(NumberRules::Fix(UnitBytes::Rpm_Of_Period(*last, cylinders)))};
}

// Temperature and AMP switch points share their clamp; only the scale and the
// pattern differ.
QString Switch_Point_Limited(int index, std::optional<float> (*toValue)(int),
                             const InputScale& scale, const QString& pattern) {
    const int byte = ParamBlock[index];
    if (byte == 255)
        return Off;
    const std::optional<float> value = toValue(byte);
    if (!value)
        return NoValue;
    const QString text = Format(*value, pattern);
    const double shown = Val(text);
    const float lower = scale.C;
    const float upper = scale.K * 15.0f + scale.C;
    if (shown <= lower)
        return Off;
    if (shown >= upper)
        return Single_Text(upper);
    return text;
}

} // namespace

// At most 7 significant digits, as a single-precision number holds.
QString Single_Text(float value) {
    return NumberRules::Str(QString::number(value, 'g', 7).toDouble());
}

int Deflect_Percent(int byte) {
    return static_cast<int>(NumberRules::Fix(byte / 256.0 * 100.0));
}

QString Fmt_Volts(int v) {
    return Format(v * VoltsPerStep, QStringLiteral("#.#0"));
}

QString Fmt_Percent_Limited(int index) {
    const int byte = ParamBlock[index];
    if (byte == 255)
        return Off;
    const QString text = Format(byte / 255.0 * 100.0, QStringLiteral("##0"));
    const double shown = Val(text);
    const int lowest = Deflect_Percent(ParamBlock[Idx_DeflScale]);
    const int highest = Deflect_Percent(ParamBlock[Idx_DeflScale + 7]);
    if (shown <= lowest)
        return Off;
    if (shown >= highest)
        return NumberRules::Str(highest);
    return text;
}

QString Fmt_Percent_Or_Off(int v) {
    if (v == Deflect_Percent(ParamBlock[Idx_DeflScale]))
        return Off;
    return Format(v, QStringLiteral("##0"));
}

QString Fmt_RPM_Limited(int index) {
    return Fmt_RPM_Limited(index, UnitBytes::Usable_Cylinders());
}

QString Fmt_RPM_Limited(int index, int cylinders) {
    if (ParamBlock[index] == 0 && ParamBlock[Idx_SwitchRpmLow] == 0)
        return Off;
    const auto period = UnitBytes::Period_At(index, Idx_SwitchRpmLow);
    if (!period)
        return NoValue;
    const QString text = Format(120000.0 / *period / cylinders / 0.0256, QStringLiteral("####0"));
    // Without usable end points of the RPM scale there is nothing to clamp against.
    const auto limits = Rpm_Limits(cylinders);
    if (!limits || limits->highest < 1)
        return text;
    const double shown = Val(text);
    if (shown <= limits->lowest)
        return Off;
    if (shown >= limits->highest)
        return NumberRules::Str(limits->highest);
    return text;
}

QString Fmt_RPM_Or_Off(int v) {
    return Fmt_RPM_Or_Off(v, UnitBytes::Usable_Cylinders());
}

QString Fmt_RPM_Or_Off(int v, int cylinders) {
    const auto first = UnitBytes::Break_Point_Period(0);
    if (first && v == NumberRules::Fix(UnitBytes::Rpm_Of_Period(*first, cylinders)))
        return Off;
    return NumberRules::Str(v);
}

QString Fmt_Param_x01024(int index) {
    return Fmt_Value_x01024(ParamBlock[index]);
}

QString Fmt_Value_x01024(int v) {
    return Format(v * DwellPerStep, QStringLiteral("##.0"));
}

QString Fmt_Temp_Limited(int index) {
    return Switch_Point_Limited(index, &WtsCM::Conv_Byte_To_Volts_Temp, TempScale,
                                QStringLiteral("##0"));
}

QString Fmt_Temp_Or_Off(int v) {
    WtsCM::Calc_Temp_Scale();
    // The slider counts whole units; its bottom is the value at step 0 made whole.
    if (TempScale.valid && v == NumberRules::RoundEven(TempScale.C))
        return Off;
    return NumberRules::Str(v);
}

QString Fmt_Amp_Limited(int index) {
    return Switch_Point_Limited(index, &WtsCM::Conv_Byte_To_Volts_Amp, AmpScale,
                                QStringLiteral("##.#0"));
}

QString Fmt_Amp_Or_Off(int v) {
    WtsCM::Calc_Amp_Scale();
    // The slider counts hundredths: compare whole hundredths, not the product of a
    // two-decimal text and 100, which is rarely exact.
    if (AmpScale.valid &&
        v == NumberRules::RoundEven(Val(Format(AmpScale.C, QStringLiteral("0.#0"))) * 100.0))
        return Off;
    return Format(v / 100.0, QStringLiteral("##.#0"));
}

QString Fmt_Param_Int(int index) {
    return Format(ParamBlock[index], QStringLiteral("##0"));
}

QString Fmt_Param_Signed_Scaled(int index) {
    return Degrees_Text(UnitBytes::Signed(ParamBlock[index]));
}

QString Fmt_Param_Signed_Scaled(int index, int cylinders) {
    return Degrees_Text(UnitBytes::Signed(ParamBlock[index]), cylinders);
}

QString Fmt_Int(double v) {
    // CellValue is a 16-bit scratch the main window also shows.
    CellValue =
        static_cast<int>(std::clamp<std::int64_t>(NumberRules::RoundEven(v), -32768, 32767));
    return Format(CellValue, QStringLiteral("##0"));
}

QString Fmt_Max_Advance() {
    return Degrees_Text(127);
}

QString Fmt_Min_Advance() {
    return Degrees_Text(-128);
}

QString Fmt_Max_Advance(int cylinders) {
    return Degrees_Text(127, cylinders);
}

QString Fmt_Min_Advance(int cylinders) {
    return Degrees_Text(-128, cylinders);
}

QString Fmt_Analog_Cell(int index) {
    return Format(UnitBytes::Signed(Map5Image[index]), QStringLiteral("##0"));
}

QString Fmt_Analog_Amp(int index) {
    return Format(Map6Image[index] / 256.0, QStringLiteral("#.#0"));
}

QString Fmt_Inject_Amp(int index) {
    return Format(Map6Image[index] / 128.0, QStringLiteral("#.#0"));
}

QString Fmt_Inject_Cell(int index) {
    return Format(Map6Image[index], QStringLiteral("##0"));
}

QString Fmt_Ign_Cell(int index) {
    return Degrees_Text(UnitBytes::Signed(Map5Image[index]));
}

QString Fmt_Ign_Amp(int index) {
    return Degrees_Text(UnitBytes::Signed(Map6Image[index]));
}

} // namespace WtsDis
