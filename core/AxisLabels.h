#pragma once

#include <QString>
#include <array>
#include <optional>

// The axis captions of the main window's map grid, worked out from the unit image:
// the functions return what the labels must show and the main window applies them.
namespace WtsUp {

// A deflection caption whose percent cannot be shown.
inline const QString NoPercent = QStringLiteral("??%");

// Height and top of the live RPM bar, in twips: its foot stays at 2175 + 120 and it
// grows upward to at most 2175.
struct RpmBar {
    double height = 0;
    double top = 0;
};

struct AxisLabels {
    std::array<QString, 16> lblrpm;    // RPM break points, "####0" or "?????"
    std::array<QString, 8> lblDef;     // deflection break points, "#0" and "%", or "??%"
    std::array<QString, 10> lblrunrpm; // RPM indication scale, bottom to top
    int liveRpm = 0;                   // LiveRpm, raised to bottom + 2 when at or below bottom
    std::optional<RpmBar> bar;         // none when the RPM scale has no span
    std::optional<int> lastRpm;        // RPM of the highest break point with a usable period
};

// The RPM, deflection and RPM-indication captions and the live RPM bar for the
// live RPM given. Changes nothing: the image and BarValue stay as they are.
AxisLabels Set_Axis_Labels(int liveRpm);

// Whole RPM of break point n (0..15), halves to even; none when its period is not
// usable.
std::optional<int> Break_Point_Rpm(int n);

// The live RPM bar between the bottom and top RPM of the scale. liveRpm at or below
// the bottom is raised to bottom + 2 (the stopped engine still shows a sliver). No
// bar when top equals bottom.
std::optional<RpmBar> Rpm_Bar(int bottom, int top, int& liveRpm);

// Gives a missing AMP calibration point its default in the image (point 1: step 1,
// 0.5; point 2: step 15, 1.0); nothing is sent. False, and nothing changed, when
// both calibration values are 0: the AMP input then has no calibration at all.
bool Default_Amp_Calibration();

// AMP-column captions ("#0.00") for the AMP input; rewrites the AMP table of the
// parameter block from its calibration, first giving a missing calibration point its
// default (point 1: step 1, 0.5; point 2: step 15, 1.0). No captions (leave them)
// when both calibration values are 0; "?????" when the calibration gives no scale.
std::optional<std::array<QString, 16>> Set_Amp_Labels();

// AMP-column captions ("##0") for the temperature input; rewrites the temperature
// table. No captions when both calibration values are 0.
std::optional<std::array<QString, 16>> Set_Temp_Labels();

} // namespace WtsUp
