// Text readings, bar indicators and the strip chart: the entry points the
// receive handler, the load and the display set-up call. What they show is worked
// out in Readings.h, BarIndicators.h, RpmIndication.h and StripChart.h.

#include "core/CoreState.h"
#include "core/WtsDis.h"
#include "link/LinkState.h"
#include "mainwin/BarIndicators.h"
#include "mainwin/Design.h"
#include "mainwin/GridPaint.h"
#include "mainwin/Readings.h"
#include "mainwin/RpmIndication.h"
#include "mainwin/StripChart.h"
#include "mainwin/frmMain.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Past this position of the sweep the start-up captions give way to the chart.
constexpr int StartupLabelsUntil = 30;

} // namespace

void frmMain::Plot_Setup() {
    Chart->Plot_Setup(Readouts::Offered_Rows(), Readouts::Current_Reading_Set());
    After_Plot();
}

void frmMain::Plot_Clear() {
    Chart->Plot_Clear();
    // The chart starts afresh with the traces the display tables name.
    Plot_Block->setText(PlotLegend.isEmpty() ? QStringLiteral("Live Lambda") : PlotLegend);
    Plot_Block->adjustSize();
}

void frmMain::Plot_Graph() {
    Chart->Plot_Graph();
    After_Plot();
}

void frmMain::After_Plot() {
    if (Chart->model().PlotPos <= StartupLabelsUntil)
        return;
    // The link state labels stay: they say what the program is doing.
    lblWebsite->setVisible(false);
}

void frmMain::Bar_Draw() {
    BarSet->Bar_Draw(Readouts::Offered_Rows(), Readouts::Current_Reading_Set());
}

void frmMain::Bar_Clear() {
    BarSet->Bar_Clear();
}

void frmMain::Text_Values() {
    const Readouts::TextReadouts readouts =
        Readouts::Text_Values(Readouts::Offered_Rows(), Readouts::Current_Reading_Set());
    for (int s = 0; s < Readouts::TextSlots; ++s) {
        const Readouts::TextReadout& r = readouts[s];
        if (r.visible) {
            Design::setWidth(lblRC[s], Design::ReadingNameWidth);
            RCNum[s]->setText(r.value);
            lblRC[s]->setText(r.name);
        }
        RCNum[s]->setVisible(r.visible);
        lblRC[s]->setVisible(r.visible);
    }
}

void frmMain::Withhold_Readings() {
    // The readouts keep their names; nothing of an earlier unit's engine stays
    // in view: neither its values nor the live cell and trail it marked in the
    // grid and the AMP column (the selection stays marked).
    for (QLineEdit* box : Txt128)
        if (GridPaint::Has_Live_Mark(box))
            GridPaint::Paint(box, Design::PlainCell);
    for (QLineEdit* box : TxtAMP)
        if (GridPaint::Has_Live_Mark(box))
            GridPaint::Paint(box, Design::PlainCell);
    Text_Values();
    Bar_Draw();
    for (QLabel* figure : {lblRPMShow, lblRPM_Map, lblAnalog_Defl})
        figure->setText(WtsDis::NoValue);
    if (const auto bar = Readouts::Rpm_Bar_For(0))
        Place_Rpm_Bar(*bar);
    Plot_Clear();
}

void frmMain::RPM_Bar_movement() {
    // The bar works on a copy: the reading keeps the unit's RPM.
    if (const auto bar = Readouts::Rpm_Bar_For(LiveRpm))
        Place_Rpm_Bar(*bar);
}

void frmMain::Set_RPM_Indication_BAR() {
    const auto labels = Readouts::Rpm_Indication_Labels();
    if (!labels)
        return;
    for (int k = 0; k < 10; ++k)
        lblrunrpm[k]->setText((*labels)[k]);
}
