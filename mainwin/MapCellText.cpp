#include "mainwin/MapCellText.h"

#include "core/CoreState.h"
#include "platform/NumberRules.h"

namespace MapCellText {

namespace {
int signedByte(int b) {
    return b >= 128 ? b - 256 : b;
}
} // namespace

const Layout& ForTab(int tab) {
    static const std::array<Layout, 3> layouts{{{5, Idx_AnaMap, Idx_AnaAmpCol},
                                                {6, Idx_InjMap, Idx_InjAmpCol},
                                                {5, Idx_IgnMap, Idx_IgnAmpCol}}};
    return layouts[static_cast<std::size_t>(std::clamp(tab, 1, 3) - 1)];
}

QString Cell(int tab, int address) {
    switch (tab) {
    case 2:
        return NumberRules::Format(Map6Image[address], QStringLiteral("##0"));
    case 3: {
        const double deg =
            signedByte(Map5Image[address]) / double(ParamBlock[Idx_Cylinders]) * 360.0 / 256.0;
        return NumberRules::Format(double(NumberRules::RoundEven(deg)), QStringLiteral("##0"));
    }
    default:
        return NumberRules::Format(signedByte(Map5Image[address]), QStringLiteral("##0"));
    }
}

QString Amp(int tab, int address) {
    switch (tab) {
    case 2:
        return NumberRules::Format(Map6Image[address] / 128.0, QStringLiteral("#.#0"));
    case 3: {
        const double deg =
            signedByte(Map6Image[address]) / double(ParamBlock[Idx_Cylinders]) * 360.0 / 256.0;
        return NumberRules::Format(double(NumberRules::RoundEven(deg)), QStringLiteral("##0"));
    }
    default:
        return NumberRules::Format(Map6Image[address] / 256.0, QStringLiteral("#.#0"));
    }
}

AmpAxis Amp_Axis() {
    return {};
}

RpmScale Provisional_Rpm_Scale() {
    RpmScale s;
    s.rows.fill(QStringLiteral(" ? "));
    return s;
}

} // namespace MapCellText
