// Which entries and buttons may be used: by the link, by play-back and logging,
// and by the No-Tune state of the unit; and the No-Tune and branding toggles.

#include "core/CoreState.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

void frmMain::Comm_Dis_State(bool online) {
    for (QAction* a : {mnuDownload, mnuUpload, mnuReset, mnuMapA, mnuMapB})
        Set_Entry_Enabled(a, online);
    for (QPushButton* b : {cmdF4, cmdF5, cmdF6, cmdF7, cmdF8, cmdF9})
        b->setEnabled(online);
    for (QAction* a : {mnuF4, mnuF5, mnuF6, mnuF7, mnuF8, mnuF9})
        Set_Entry_Enabled(a, online);
    Set_Entry_Enabled(mnuPBScreen, !online);
}

void frmMain::PB_Dis_State(bool playback) {
    Set_Entry_Enabled(mnuPBScreen, playback);
    Set_Entry_Enabled(mnuLogging, !playback);
}

void frmMain::Arrange_NoTUNE(bool enable) {
    for (QAction* a : {mnuGlobal, mnu3DMap, mnuScale, mnuSave, mnuSaveAS, mnuChangeNames, mnuF4,
                       mnuF5, mnuF6, mnuF7, mnuF8, mnuF9})
        Set_Entry_Enabled(a, enable);
    // The stepping buttons do what their menu entries do: they follow them.
    for (QPushButton* b : {cmdF4, cmdF5, cmdF6, cmdF7, cmdF8, cmdF9})
        b->setEnabled(enable);
    lblNoComms[2]->setText(QStringLiteral("NO TUNE Enabled"));
    lblNoComms[2]->setVisible(!enable);
}

void frmMain::mnuLoadNotune_Click() {
    if (mnuLoadNotune->isChecked()) {
        // A disabled entry means a loaded map asked for No-Tune: the byte stays.
        if (mnuLoadNotune->isEnabled())
            NoTuneFlag = 255;
        mnuLoadNotune->setChecked(false);
        mnuLoadNotune->setText(QStringLiteral("Set No-Tune ?"));
        cmdNoTune->setText(QStringLiteral("No-Tune OFF"));
    } else {
        mnuLoadNotune->setChecked(true);
        mnuLoadNotune->setText(QStringLiteral("No-Tune Set"));
        cmdNoTune->setText(QStringLiteral("No-Tune ON"));
        NoTuneFlag = 170;
    }
}

void frmMain::cmdNoTune_Click() {
    mnuLoadNotune_Click();
}

void frmMain::mnuLoadBranding_Click() {
    if (mnuLoadBranding->isChecked()) {
        BrandingFlag = 0;
        mnuLoadBranding->setChecked(false);
        mnuLoadBranding->setText(QStringLiteral("Set Branding ?"));
    } else {
        mnuLoadBranding->setChecked(true);
        mnuLoadBranding->setText(QStringLiteral("Branding Set"));
        BrandingFlag = 1;
    }
}

void frmMain::mnuLoadBrNT_Click() {}
