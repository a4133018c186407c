#include "mainwin/RpmIndication.h"

#include "core/CoreState.h"
#include "platform/NumberRules.h"

namespace Readouts {

std::optional<std::array<QString, 10>> Rpm_Indication_Labels() {
    if (UnitOnline == 0 && MapLoaded == 0)
        return std::nullopt;
    const auto low = WtsUp::Break_Point_Rpm(0);
    const auto top = WtsUp::Break_Point_Rpm(15);
    if (!low || !top)
        return std::nullopt;
    const auto step = NumberRules::RoundEven((*top - *low) / 9.0);
    std::array<QString, 10> labels;
    for (int k = 0; k < 10; ++k)
        labels[k] = NumberRules::Str(static_cast<double>(*low + k * step));
    return labels;
}

std::optional<WtsUp::RpmBar> Rpm_Bar_For(int liveRpm) {
    const auto low = WtsUp::Break_Point_Rpm(0);
    const auto top = WtsUp::Break_Point_Rpm(15);
    if (!low || !top)
        return std::nullopt;
    int shown = liveRpm;
    return WtsUp::Rpm_Bar(*low, *top, shown);
}

} // namespace Readouts
