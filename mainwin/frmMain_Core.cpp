// What the window takes from the configuration: its caption, the No-Tune and
// branding menus, and the table files.

#include "core/CoreState.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QPushButton>

void frmMain::Apply_Caption() {
    setWindowTitle(QStringLiteral("KVR6 - 2D Maps   by  ") + DealerCompany);
}

void frmMain::Apply_Menu_Setup() {
    const bool noTune = NoTuneFlag == 170;
    const bool branding = BrandingFlag == 1;
    mnuline51->setVisible(noTune || branding);
    mnuline52->setVisible(noTune || branding);
    if (!noTune && !branding) {
        for (QAction* a : {mnuLoadNotune, mnuLoadBranding})
            a->setVisible(false);
        cmdNoTune->setVisible(false);
    }
    if (noTune) {
        Set_Entry_Enabled(mnuLoadNotune, true);
        mnuLoadNotune->setChecked(false);
        mnuLoadNotune->setText(QStringLiteral("Set No-Tune ?"));
        cmdNoTune->setVisible(true);
        cmdNoTune->setText(QStringLiteral("No-Tune OFF"));
    } else {
        Set_Entry_Enabled(mnuLoadNotune, false);
        mnuLoadNotune->setVisible(false);
    }
    if (branding) {
        Set_Entry_Enabled(mnuLoadBranding, true);
        mnuLoadBranding->setChecked(true);
        mnuLoadBranding->setText(QStringLiteral("Branding Set"));
    } else {
        Set_Entry_Enabled(mnuLoadBranding, false);
        mnuLoadBranding->setVisible(false);
    }
    Set_Entry_Enabled(mnuLoadBrNT, false);
    mnuLoadBrNT->setVisible(false);
}

void frmMain::Read_Table_Files() {}
