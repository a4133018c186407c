#pragma once

#include <QLabel>
#include <array>
#include <functional>

namespace Readouts {

class BarIndicators;
class RpmIndicator;
class StripChart;

// The main window's live readouts as one piece: the ten text readouts, the six bar
// indicators, the RPM bar and the strip chart, each refreshed from the display
// tables and the reading set the receive handler left. The main window owns the
// widgets and hands them in; its methods of the same names call these.
class LiveDisplay {
public:
    struct Parts {
        std::array<QLabel*, 10> lblRC{}; // readout names
        std::array<QLabel*, 10> RCNum{}; // readout values
        BarIndicators* bars = nullptr;
        RpmIndicator* rpmBar = nullptr;
        StripChart* chart = nullptr;
        // Hides the web-site caption and both "NO COMM'S" labels once the sweep has
        // passed position 30.
        std::function<void()> hideStartupLabels = [] {};
    };

    explicit LiveDisplay(Parts parts);

    void Text_Values();
    void Bar_Clear();
    void Bar_Draw();
    void Set_RPM_Indication_BAR();
    void RPM_Bar_movement();
    void Plot_Setup();
    void Plot_Clear();
    void Plot_Graph();

    // Points the link's refresh hooks (Plot_Setup, RPM_Bar_movement, Bar_Draw,
    // Text_Values, Set_RPM_Indication_BAR) at this display.
    void Install_Link_Hooks();

private:
    void afterGraph();
    Parts parts_;
};

} // namespace Readouts
