// The map grid: the three maps, their AMP columns and the scales beside them.

#include "core/AxisLabels.h"
#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "link/LinkState.h"
#include "mainwin/Design.h"
#include "mainwin/MainState.h"
#include "mainwin/MapCellText.h"
#include "mainwin/frmMain.h"

#include <QLabel>
#include <QLineEdit>

void frmMain::Show_Map(int tab) {
    if (UnitLocked == 1)
        return; // a locked unit keeps the previous map's texts
    if (MapLoaded == 0 && UnitOnline == 0) {
        // No map in the image: the grid shows none, as before the first map,
        // never the image's tables as a map (a redraw after a window that was
        // refused its edit, a stopped step).
        for (QLineEdit* box : Txt128)
            box->setText(QString());
        for (QLabel* l : lblrpm)
            l->setText(QStringLiteral(" ? "));
        for (int r = 0; r < 16; ++r) {
            TxtAMP[r]->setText(QStringLiteral(" "));
            LblAmp[r]->setText(QStringLiteral(" ?? "));
        }
        for (QLabel* l : lblDef)
            l->setText(QStringLiteral("??"));
        return;
    }
    const MapCellText::Layout& map = MapCellText::ForTab(tab);
    for (int n = 0; n < 128; ++n)
        Txt128[n]->setText(MapCellText::Cell(tab, map.cellBase + n));
    Write_Axis_Labels();
    for (int r = 0; r < 16; ++r)
        TxtAMP[r]->setText(MapCellText::Amp(tab, map.ampBase + r));
    if (tab == 1)
        Write_Temp_Labels();
    else
        AMP_Scale();
}

void frmMain::Anmap_Dis() {
    Show_Map(1);
}

void frmMain::Injmap_dis() {
    Show_Map(2);
}

void frmMain::Imap_dis() {
    Show_Map(3);
}

void frmMain::Redraw_Shown_Map() {
    switch (MapTab) {
    case 2:
        Injmap_dis();
        break;
    case 3:
        Imap_dis();
        break;
    default:
        Anmap_Dis();
        break;
    }
}

void frmMain::AMP_Scale() {
    const MapCellText::AmpAxis axis = MapCellText::Amp_Axis();
    if (!axis.drawn)
        return;
    for (int i = 0; i < 16; ++i) {
        if (axis.computed)
            AmpAxisTable[i] = static_cast<std::int16_t>(axis.bytes[i]);
        LblAmp[i]->setText(axis.labels[i]);
        TxtAMP[i]->setVisible(true);
        LblAmp[i]->setVisible(true);
    }
}

void frmMain::Set_Scale_Colour() {
    for (QLabel* l : lblrpm) {
        Design::setBackColor(l, Design::bgr(Design::RpmScale));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
}

void frmMain::Write_RPM_Scale() {
    const MapCellText::RpmScale scale = MapCellText::Provisional_Rpm_Scale();
    for (int n = 0; n < 16; ++n)
        lblrpm[n]->setText(scale.rows[n]);
    for (int k = 0; k < 10; ++k)
        lblrunrpm[k]->setText(scale.bar[k]);
    RpmScaleRange = {scale.highest, scale.lowest};
    if (PrevLiveCell == 0)
        Design::setBackColor(Txt128[0], Design::bgr(Design::LiveCell));
}

// These have no effect of their own: the tab change shows the map.
void frmMain::Fuel_Map() {
    thr_Scale();
}
void frmMain::Ignition_Map() {}
void frmMain::Lambda_Map() {}
void frmMain::thr_Scale() {}

void frmMain::Write_Axis_Labels() {
    const WtsUp::AxisLabels labels = WtsUp::Set_Axis_Labels(LiveRpm);
    for (int n = 0; n < 16; ++n)
        lblrpm[n]->setText(labels.lblrpm[n]);
    // The AFR panel's copy of the deflection axis says the same.
    for (int i = 0; i < 8; ++i) {
        lblDef[i]->setText(labels.lblDef[i]);
        lblDef[i + 8]->setText(labels.lblDef[i]);
    }
    for (int j = 0; j < 10; ++j)
        lblrunrpm[j]->setText(labels.lblrunrpm[j]);
    if (labels.bar)
        Place_Rpm_Bar(*labels.bar);
}

AxisLabelTexts frmMain::Axis_Label_Texts() const {
    AxisLabelTexts texts;
    for (int n = 0; n < 16; ++n)
        texts.rpm[n] = lblrpm[n]->text();
    for (int i = 0; i < 8; ++i)
        texts.deflection[i] = lblDef[i]->text();
    return texts;
}

void frmMain::Place_Rpm_Bar(const WtsUp::RpmBar& bar) {
    const int height = std::max(1, static_cast<int>(bar.height));
    Design::place(ImgRPM, 165, static_cast<int>(bar.top), 300, height);
}

void frmMain::Write_Temp_Labels() {
    const auto labels = WtsUp::Set_Temp_Labels();
    if (!labels)
        return;
    for (int i = 0; i < 16; ++i)
        LblAmp[i]->setText((*labels)[i]);
}
