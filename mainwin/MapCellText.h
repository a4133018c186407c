#pragma once

#include <QString>
#include <array>

// The texts of the map grid, worked out from the unit image without a window.
namespace MapCellText {

// Where a tab's map and AMP column lie in the unit image, and their formatters.
struct Layout {
    int page = 5;     // 5 Map5Image, 6 Map6Image
    int cellBase = 0; // cell n at cellBase + n
    int ampBase = 0;  // AMP value r at ampBase + r (page 6)
    QString (*cellText)(int address) = nullptr;
    QString (*ampText)(int address) = nullptr;
};
const Layout& ForTab(int tab);

// The text of the map cell / AMP value at a unit address on a tab's page.
QString Cell(int tab, int address);
QString Amp(int tab, int address);

// The AMP axis of the injection and ignition tabs, from the AMP calibration.
struct AmpAxis {
    bool drawn = false;    // false: both calibration points are 0, nothing changes
    bool computed = false; // false: the calibration gives no scale; the labels show
                           // the no-value text and the axis table keeps its bytes
    std::array<int, 16> bytes{};
    std::array<QString, 16> labels{};
};
// Writes the calibration defaults into the image where a point is 0.
AmpAxis Amp_Axis();

// The provisional RPM captions the load writes before a map is shown: the break
// points in RPM, a row whose period is unusable showing the no-value text.
struct RpmScale {
    std::array<QString, 16> rows{};
    std::array<QString, 10> bar{};
    int highest = 0;
    int lowest = 0;
};
RpmScale Provisional_Rpm_Scale();

} // namespace MapCellText
