#include "mainwin/MapCellText.h"

#include "core/AxisLabels.h"
#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "core/WtsCMScale.h"
#include "core/WtsDis.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"

#include <algorithm>
#include <optional>

namespace MapCellText {

namespace {

// A cell whose byte cannot be shown shows the no-value text; the rest of the grid
// is still drawn.
QString Guarded(QString (*formatter)(int), int address) {
    try {
        return formatter(address);
    } catch (const KvrError&) {
        return WtsDis::NoValue;
    }
}

} // namespace

const Layout& ForTab(int tab) {
    static const std::array<Layout, 3> layouts{
        {{5, Idx_AnaMap, Idx_AnaAmpCol, WtsDis::Fmt_Analog_Cell, WtsDis::Fmt_Analog_Amp},
         {6, Idx_InjMap, Idx_InjAmpCol, WtsDis::Fmt_Inject_Cell, WtsDis::Fmt_Inject_Amp},
         {5, Idx_IgnMap, Idx_IgnAmpCol, WtsDis::Fmt_Ign_Cell, WtsDis::Fmt_Ign_Amp}}};
    return layouts[static_cast<std::size_t>(std::clamp(tab, 1, 3) - 1)];
}

QString Cell(int tab, int address) {
    return Guarded(ForTab(tab).cellText, address);
}

QString Amp(int tab, int address) {
    return Guarded(ForTab(tab).ampText, address);
}

AmpAxis Amp_Axis() {
    AmpAxis axis;
    if (!WtsUp::Default_Amp_Calibration())
        return axis;
    axis.drawn = true;
    WtsCM::Calc_Amp_Scale();
    if (!AmpScale.valid) {
        axis.labels.fill(WtsDis::NoValue);
        return axis;
    }
    axis.computed = true;
    for (int i = 0; i < 16; ++i) {
        const float step = static_cast<float>(i);
        const float byte = std::clamp(step * AmpScale.G + AmpScale.O, 0.0f, 255.0f);
        axis.bytes[i] = static_cast<int>(NumberRules::RoundEven(byte));
        axis.labels[i] =
            NumberRules::Format(step * AmpScale.K + AmpScale.C, QStringLiteral("#0.00"));
    }
    return axis;
}

RpmScale Provisional_Rpm_Scale() {
    RpmScale scale;
    std::array<std::optional<int>, 16> values{};
    for (int n = 0; n < 16; ++n) {
        const auto period = UnitBytes::Break_Point_Period(n);
        if (!period)
            continue;
        int rpm = static_cast<int>(NumberRules::RoundEven(UnitBytes::Rpm_Of_Period(*period)));
        // Held as two bytes: a high byte above 74 is out of the scale's reach.
        if (rpm / 256 > 74)
            rpm = n < 8 ? 70 * 256 + 80 : 74 * 256 + 56;
        values[n] = rpm;
    }

    std::optional<int> lowest;
    std::optional<int> highest;
    for (int n = 0; n < 16; ++n) {
        if (!values[n]) {
            scale.rows[n] = WtsDis::NoValue;
            continue;
        }
        const int rpm = std::min(*values[n], 19000);
        scale.rows[n] = NumberRules::Format(rpm, QStringLiteral("####0"));
        lowest = std::min(lowest.value_or(rpm), rpm);
        highest = std::max(highest.value_or(rpm), rpm);
    }
    if (!lowest) {
        scale.bar.fill(WtsDis::NoValue);
        return scale;
    }
    int low = *lowest;
    int high = *highest;
    if (low >= high) {
        low = high - 1;
        if (low < 0)
            high = 1;
    }
    const int step = static_cast<int>(NumberRules::RoundEven((high - low) / 9.0));
    for (int k = 0; k < 10; ++k)
        scale.bar[k] = NumberRules::Str(low + k * step);
    scale.highest = high;
    scale.lowest = low;
    return scale;
}

} // namespace MapCellText
