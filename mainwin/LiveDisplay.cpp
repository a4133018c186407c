#include "mainwin/LiveDisplay.h"

#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "mainwin/BarIndicators.h"
#include "mainwin/Readings.h"
#include "mainwin/RpmIndication.h"
#include "mainwin/StripChart.h"

namespace Readouts {

namespace {

// A readout name label is at least 1000 twips wide.
constexpr int NameWidth = 1000 / 15;
// Past this position of the sweep the start-up captions give way to the chart.
constexpr int StartupLabelsUntil = 30;

} // namespace

LiveDisplay::LiveDisplay(Parts parts) : parts_(std::move(parts)) {}

void LiveDisplay::Text_Values() {
    const TextReadouts readouts = Readouts::Text_Values(Offered_Rows(), Current_Reading_Set());
    for (int s = 0; s < TextSlots; ++s) {
        QLabel* name = parts_.lblRC[s];
        QLabel* value = parts_.RCNum[s];
        if (!name || !value)
            continue;
        const TextReadout& r = readouts[s];
        if (r.visible) {
            name->setMinimumWidth(NameWidth);
            name->setText(r.name);
            value->setText(r.value);
        }
        name->setVisible(r.visible);
        value->setVisible(r.visible);
    }
}

void LiveDisplay::Bar_Clear() {
    if (parts_.bars)
        parts_.bars->Bar_Clear();
}

void LiveDisplay::Bar_Draw() {
    if (parts_.bars)
        parts_.bars->Bar_Draw(Offered_Rows(), Current_Reading_Set());
}

void LiveDisplay::Set_RPM_Indication_BAR() {
    if (parts_.rpmBar)
        parts_.rpmBar->Set_RPM_Indication_BAR();
}

void LiveDisplay::RPM_Bar_movement() {
    if (parts_.rpmBar)
        parts_.rpmBar->RPM_Bar_movement(LiveRpm);
}

void LiveDisplay::Plot_Setup() {
    if (!parts_.chart)
        return;
    parts_.chart->Plot_Setup(Offered_Rows(), Current_Reading_Set());
    afterGraph();
}

void LiveDisplay::Plot_Clear() {
    if (parts_.chart)
        parts_.chart->Plot_Clear();
}

void LiveDisplay::Plot_Graph() {
    if (!parts_.chart)
        return;
    parts_.chart->Plot_Graph();
    afterGraph();
}

void LiveDisplay::afterGraph() {
    if (parts_.chart->model().PlotPos > StartupLabelsUntil)
        parts_.hideStartupLabels();
}

void LiveDisplay::Install_Link_Hooks() {
    LinkHooks& h = Hooks();
    h.Plot_Setup = [this] { Plot_Setup(); };
    h.RPM_Bar_movement = [this] { RPM_Bar_movement(); };
    h.Bar_Draw = [this] { Bar_Draw(); };
    h.Text_Values = [this] { Text_Values(); };
    h.Set_RPM_Indication_BAR = [this] { Set_RPM_Indication_BAR(); };
}

} // namespace Readouts
