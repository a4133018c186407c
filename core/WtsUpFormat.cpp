#include "core/WtsUpFormat.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "core/WtsDis.h"
#include "platform/NumberRules.h"

using NumberRules::Format;

namespace WtsUp {

QString Fmt_Ign_Degrees(int index) {
    return Format(UnitBytes::Degrees(UnitBytes::Signed(Map5Image[index])), QStringLiteral("##0"));
}

QString Fmt_Param_Percent(int index) {
    return Fmt_Value_Percent(ParamBlock[index]);
}

QString Fmt_Value_Percent(int v) {
    return Format((v / 128.0 - 1.0) * 100.0, QStringLiteral("##0"));
}

QString Fmt_Param_Signed(int index) {
    return Format(UnitBytes::Signed(ParamBlock[index]), QStringLiteral("##0"));
}

QString Fmt_Param_Volts(int index) {
    return WtsDis::Fmt_Volts(ParamBlock[index]);
}

} // namespace WtsUp
