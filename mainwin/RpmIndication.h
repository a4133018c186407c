#pragma once

#include "core/AxisLabels.h"

#include <QString>
#include <array>
#include <optional>

namespace Readouts {

// The ten scale labels of the RPM bar, bottom to top: the RPM of break point 0, then
// steps of (top - bottom) / 9 rounded to a whole number. None while no unit data is
// present and no map is loaded, or while a break point has no usable period.
std::optional<std::array<QString, 10>> Rpm_Indication_Labels();

// The RPM bar for the live RPM between the RPM of break points 0 and 15. The live
// RPM is taken by value: a stopped engine still shows a sliver of bar, while the
// reading itself keeps the unit's value. None when the break points give no span.
std::optional<WtsUp::RpmBar> Rpm_Bar_For(int liveRpm);

} // namespace Readouts
