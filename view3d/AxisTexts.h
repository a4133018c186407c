#pragma once

#include <QString>
#include <array>

namespace View3D {

struct AxisTexts {
    std::array<QString, 16> rpm;
    std::array<QString, 8> deflection;
};
// The texts of the main window's RPM and deflection labels.
AxisTexts Axis_Texts();

} // namespace View3D
