// What the link shows on the main window, and the menus that hand work to it.

#include "core/Caption.h"
#include "core/CoreState.h"
#include "core/DealerSettings.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/SendRule.h"
#include "link/frmProgress.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

void frmMain::Fill_Link_Hooks() {
    LinkHooks& h = Hooks();
    h.SetNoCommsCaption = [this](int i, const QString& caption) {
        if (i >= 0 && i < 3)
            lblNoComms[i]->setText(caption);
    };
    h.SetNoCommsVisible = [this](int i, bool visible) {
        if (i < 0 || i >= 3)
            return;
        // On-line with the unit answering, the status label says so rather
        // than saying nothing.
        if (i == 0 && !visible && OnlineState != OnlineStates::Offline) {
            lblNoComms[0]->setText(SendRule::Grid_Not_Units() ? SendRule::NotUnitsState
                                                              : QStringLiteral("Status: On-Line"));
            visible = true;
        }
        lblNoComms[i]->setVisible(visible);
    };
    h.Comm_Dis_State = [this](bool online) { Comm_Dis_State(online); };
    h.PB_Dis_State = [this](bool playback) { PB_Dis_State(playback); };
    h.SetOnlineMenus = [this](bool online) {
        mnuOnline->setChecked(online);
        mnuOffline->setChecked(!online);
    };
    h.CheckPortMenu = [this](int port) {
        if (port < 1 || port > 4)
            return;
        for (int n = 1; n <= 4; ++n)
            mnuPort[n]->setChecked(n == port);
    };
    h.SetNoTuneMenus = [this] {
        mnuLoadNotune->setChecked(true);
        mnuLoadBranding->setChecked(false);
        mnuLoadBrNT->setChecked(false);
        Set_Entry_Enabled(mnuLoadNotune, false);
    };
    h.SetPauseEnabled = [this](bool enabled) {
        if (!enabled)
            C_Pause->stop();
        else if (!C_Pause->isActive())
            C_Pause->start();
    };
    h.SetPauseInterval = [this](int ms) { C_Pause->setInterval(ms); };
    h.Main_Caption = [this] { WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmMain")); };
    frmProgress::Follow(this);

    h.Cursor_Movement = [this] { Cursor_Movement(); };
    h.Plot_Setup = [this] { Plot_Setup(); };
    h.RPM_Bar_movement = [this] { RPM_Bar_movement(); };
    h.Bar_Draw = [this] { Bar_Draw(); };
    h.Text_Values = [this] { Text_Values(); };
    h.Withhold_Readings = [this] { Withhold_Readings(); };
    h.arrange_table = [this] { arrange_table(); };
    h.Set_RPM_Indication_BAR = [this] { Set_RPM_Indication_BAR(); };
    h.Arrange_NoTUNE = [this](bool normal) { Arrange_NoTUNE(normal); };
    h.SelectTab = [this](int tab) { Select_Tab(tab >= 1 && tab <= 3 ? tab : 1); };
    h.ShowActiveMap = [this](int activeMap) {
        cmdMapAB->setText(activeMap == 1 ? QStringLiteral("A") : QStringLiteral("B"));
        mnuMapA->setChecked(activeMap == 1);
        mnuMapB->setChecked(activeMap != 1);
    };
    h.SetLabel = [this](LinkLabel label, const QString& text) {
        switch (label) {
        case LinkLabel::lblComm:
            lblComm->setText(text);
            break;
        case LinkLabel::lblVersionValue:
            lblVersionValue->setText(text);
            break;
        case LinkLabel::lblRPM_Map:
            lblRPM_Map->setText(text);
            break;
        case LinkLabel::lblRPMShow:
            lblRPMShow->setText(text);
            break;
        case LinkLabel::lblAnalog_Defl:
            lblAnalog_Defl->setText(text);
            break;
        }
    };
    h.SetStatusPanel = [this](int panel, const QString& text) {
        if (panel < 1 || panel > 4)
            return;
        StatusPanel[panel]->setText(text);
        // Panel 1 takes two lines; whatever is longer is shown whole on hovering.
        if (panel == SendRule::NoticePanel)
            StatusPanel[panel]->setToolTip(text);
    };
    SendRule::Show_Panel_Afresh();

    Wire_Entry(mnuOnline, [this] { Link.mnuOnline_Click(); });
    Wire_Entry(mnuOffline, [this] { mnuOffline_Click(); });
    for (int n = 1; n <= 4; ++n)
        Wire_Entry(mnuPort[n], [this, n] { Link.mnuPort_Click(n); });
    Wire_Entry(mnuMapA, [this] { Link.mnuMapA_Click(); });
    Wire_Entry(mnuMapB, [this] { Link.mnuMapB_Click(); });
    Wire_Entry(mnuUpload, [this] { Link.mnuUpload_Click(); });
    Wire_Entry(mnuReset, [this] { Link.mnuReset_Click(); });
    Wire_Button(cmdMapAB, [this] { cmdMapAB_Click(); });
}

void frmMain::cmdMapAB_Click() {
    if (cmdMapAB->text() == QStringLiteral("B"))
        Link.mnuMapA_Click();
    else
        Link.mnuMapB_Click();
}
