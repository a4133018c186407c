#include "core/WtsDef.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "platform/NumberRules.h"

#include <array>

namespace WtsDef {

namespace {

constexpr int First = Idx_DeflScale;
constexpr int Last = Idx_DeflScale + 7;

void Guard_Deflect_Ends() {
    if (ParamBlock[Last] == 0)
        ParamBlock[Last] = 255;
    if (ParamBlock[First] > 240)
        ParamBlock[First] = 240;
}

} // namespace

void Fill_Deflect_Weighted() {
    Guard_Deflect_Ends();
    const int first = ParamBlock[First];
    const int range = ParamBlock[Last] - first;
    for (int i = 0; i < 8; ++i) {
        const float point = static_cast<float>(first) + AfrTable2[i] * static_cast<float>(range);
        ParamBlock[First + i] = static_cast<std::int16_t>(NumberRules::Fix(point));
    }
}

void Fill_Deflect_Linear() {
    Guard_Deflect_Ends();
    const int first = ParamBlock[First];
    const float step = static_cast<float>(ParamBlock[Last] - first) / 7.0f;
    for (int i = 0; i < 7; ++i) {
        const float point = static_cast<float>(first) + static_cast<float>(i) * step;
        ParamBlock[First + i] = static_cast<std::int16_t>(NumberRules::Fix(point));
    }
}

bool Rebuild_RPM_Scale() {
    const auto firstPeriod = UnitBytes::Break_Point_Period(0);
    const auto lastPeriod = UnitBytes::Break_Point_Period(15);
    if (!firstPeriod || !lastPeriod)
        return false;
    float low = UnitBytes::Rpm_Of_Period(*firstPeriod);
    float high = UnitBytes::Rpm_Of_Period(*lastPeriod);
    if (high > 19999.0f)
        high = 19999.0f;
    if (low < 200.0f)
        low = 200.0f;
    if (high < low)
        low = high - 300.0f;
    const float step = (high - low) / 15.0f;

    // Work out every period before writing any, so a scale that cannot be built is
    // left whole.
    std::array<int, 15> periods{};
    int rpm = 0;
    for (int n = 1; n <= 14; ++n) {
        rpm = static_cast<int>(NumberRules::RoundEven(low + static_cast<float>(n) * step));
        const auto period = UnitBytes::Usable_Period_Of_Rpm(rpm);
        if (rpm < 1 || !period)
            return false;
        periods[n] = *period;
    }
    for (int n = 1; n <= 14; ++n)
        UnitBytes::Store_Period(Idx_RpmScale + 2 * n, Idx_RpmScale + 2 * n + 1, periods[n]);
    BarValue = rpm;
    return true;
}

} // namespace WtsDef
