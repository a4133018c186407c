#include "core/AxisLabels.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "core/WtsCMScale.h"
#include "core/WtsDis.h"
#include "platform/NumberRules.h"

#include <algorithm>

using NumberRules::Format;

namespace WtsUp {

namespace {

constexpr double BarSpan = 2175.0;
constexpr double BarTop = 120.0;

// Rewrites a 16-step input table from its byte scale, each byte kept in 0..255.
void Rewrite_Table(int tableBase, const InputScale& scale) {
    for (int i = 0; i < 16; ++i) {
        const float b = std::clamp(scale.G * static_cast<float>(i) + scale.O, 0.0f, 255.0f);
        ParamBlock[tableBase + i] = static_cast<std::int16_t>(NumberRules::RoundEven(b));
    }
}

std::array<QString, 16> Step_Captions(const InputScale& scale, const QString& pattern) {
    std::array<QString, 16> captions;
    for (int i = 0; i < 16; ++i)
        captions[i] = Format(scale.K * static_cast<float>(i) + scale.C, pattern);
    return captions;
}

std::array<QString, 16> No_Captions() {
    std::array<QString, 16> captions;
    captions.fill(WtsDis::NoValue);
    return captions;
}

} // namespace

std::optional<int> Break_Point_Rpm(int n) {
    const auto period = UnitBytes::Break_Point_Period(n);
    if (!period)
        return std::nullopt;
    return static_cast<int>(NumberRules::RoundEven(UnitBytes::Rpm_Of_Period(*period)));
}

std::optional<RpmBar> Rpm_Bar(int bottom, int top, int& liveRpm) {
    if (bottom >= liveRpm)
        liveRpm = bottom + 2;
    if (top == bottom)
        return std::nullopt;
    const double scale = BarSpan / (top - bottom);
    // A reversed scale would give a negative height: the bar then stays empty.
    const double height = std::clamp((liveRpm - bottom) * scale, 0.0, BarSpan);
    return RpmBar{height, BarSpan - height + BarTop};
}

AxisLabels Set_Axis_Labels(int liveRpm) {
    AxisLabels labels;
    for (int n = 0; n < 16; ++n) {
        const auto rpm = Break_Point_Rpm(n);
        if (rpm)
            labels.lastRpm = *rpm;
        if (!rpm || *rpm > 19999 || *rpm < 0)
            labels.lblrpm[n] = WtsDis::NoValue;
        else
            labels.lblrpm[n] = Format(*rpm, QStringLiteral("####0"));
    }

    for (int i = 0; i < 8; ++i) {
        const auto percent = NumberRules::Fix(ParamBlock[Idx_DeflScale + i] / 256.0 * 100.0);
        labels.lblDef[i] = percent > 99
                               ? NoPercent
                               : Format(static_cast<double>(percent), QStringLiteral("#0")) + '%';
    }

    labels.liveRpm = liveRpm;
    const auto bottom = Break_Point_Rpm(0);
    const auto top = Break_Point_Rpm(15);
    if (!bottom || !top) {
        labels.lblrunrpm.fill(WtsDis::NoValue);
        return labels;
    }
    const double step = (*top - *bottom) / 9.0;
    labels.lblrunrpm[0] = NumberRules::Str(*bottom);
    for (int j = 1; j < 10; ++j)
        labels.lblrunrpm[j] =
            NumberRules::Str(static_cast<double>(NumberRules::Fix(*bottom + j * step)));
    labels.bar = Rpm_Bar(*bottom, *top, labels.liveRpm);
    return labels;
}

bool Default_Amp_Calibration() {
    const double value1 = ParamBlock[Idx_AmpCal1] + ParamBlock[Idx_AmpCal5] / 256.0;
    const double value2 = ParamBlock[Idx_AmpCal3] + ParamBlock[Idx_AmpCal4] / 256.0;
    if (value1 == 0.0 && value2 == 0.0)
        return false;
    if (value1 == 0.0) {
        ParamBlock[Idx_AmpCal5] = 128;
        ParamBlock[Idx_AmpCal0] = 1;
    }
    if (value2 == 0.0) {
        ParamBlock[Idx_AmpCal3] = 1;
        ParamBlock[Idx_AmpCal2] = 15;
    }
    return true;
}

std::optional<std::array<QString, 16>> Set_Amp_Labels() {
    if (!Default_Amp_Calibration())
        return std::nullopt;
    WtsCM::Calc_Amp_Scale();
    if (!AmpScale.valid)
        return No_Captions();
    Rewrite_Table(Idx_AmpTable, AmpScale);
    if (MapTab >= 4)
        return std::nullopt;
    return Step_Captions(AmpScale, QStringLiteral("#0.00"));
}

std::optional<std::array<QString, 16>> Set_Temp_Labels() {
    if (ParamBlock[Idx_TempCal3] == 0 && ParamBlock[Idx_TempCal1] == 0)
        return std::nullopt;
    WtsCM::Calc_Temp_Scale();
    if (!TempScale.valid)
        return No_Captions();
    Rewrite_Table(Idx_TempTable, TempScale);
    return Step_Captions(TempScale, QStringLiteral("##0"));
}

} // namespace WtsUp
