// The window's load and unload.

#include "core/Caption.h"
#include "core/CoreState.h"
#include "link/CommTrace.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "link/SendRule.h"
#include "mainwin/Logos.h"
#include "mainwin/MainState.h"
#include "mainwin/frmMain.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/ProgramFolder.h"
#include "platform/Step.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

namespace {

// The poll period base from the dealer settings. A value the timer cannot use
// (the interval would be too short to get an answer, or minutes long) is taken
// as 100 ms, and the user is told once.
int Sane_Comm_Speed() {
    if (cfg_CommSpeed >= 10 && cfg_CommSpeed <= 1000)
        return cfg_CommSpeed;
    if (!CommSpeedReported) {
        CommSpeedReported = true;
        Dialogs::msgBox(QStringLiteral("The communication speed in the settings file "
                                       "(CommSpeed=%1) is outside 10 to 1000 ms. "
                                       "The program uses 100 ms.")
                            .arg(cfg_CommSpeed),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                        QStringLiteral("Communication Speed"));
    }
    cfg_CommSpeed = 100;
    return cfg_CommSpeed;
}

} // namespace

void frmMain::Form_Load() {
    if (!Trace().open())
        FileProblem::Tell(CommTrace::Problem(Trace().openCause()));
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmMain"));
    PlaybackSpeed = 10;
    MapTab = 1;
    Link.SerialPortOn();
    Link.Comm_Timer.setInterval(Sane_Comm_Speed() + 20);
    Link.Comm_Timer_Timer();

    arrange_table();
    Config_Screen();
    Set_Scale_Colour();
    Write_RPM_Scale();

    Apply_Menu_Setup();
    Read_Table_Files();

    Plot_Setup();
    Plot_Clear();
    Plot_Graph();
    Bar_Draw();
    Text_Values();

    if (OnlineState != OnlineStates::Offline) {
        mnuOnline->setChecked(true);
        mnuOffline->setChecked(false);
    } else {
        Link.GO_OFFLine();
        C_Pause->setInterval(1000);
        C_Pause->start();
        StatusMsg = StatusStates::LoadingDefaultMap;
    }

    const int logo = (AdvBranding == 1 || AdvBranding == 2) ? AdvBranding : 0;
    lblWebsite->setText(logo == 0 ? QString::fromLatin1(Logos::MakerWeb) : DealerWeb);
    for (int i = 0; i < 3; ++i)
        PicLogo[i]->setVisible(i == logo);

    if (!ProgramFolder::exists(QStringLiteral("wiring diagrams.pdf")))
        Set_Entry_Enabled(mnuWire, false);
    // Only a missing list takes the entry away. Anything else in its place (a
    // folder, a file that cannot be read) is told when the entry is chosen, as a
    // list that turns bad after start-up is.
    if (const QFileInfo wd(ProgramFolder::file(QStringLiteral("KVRWD.cfg")));
        !wd.exists() && !wd.isSymLink())
        Set_Entry_Enabled(mnuLoadWD, false);
}

void frmMain::Form_Unload() {
    if (unloading_)
        return;
    unloading_ = true;
    C_Pause->stop();
    Timer_Clear->stop();
    Link.Form_Unload();
    Progress().Hide();
    Progress().Form_Unload();
    // Every other window goes with the main window, and so does the program.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isWindow() && !w->inherits("QMenu"))
            w->close();
    QCoreApplication::quit();
}

void frmMain::Form_QueryUnload(bool& Cancel) {
    Cancel = !SendRule::Confirm_Closing();
}

void frmMain::closeEvent(QCloseEvent* event) {
    Step::Run([&] {
        event->ignore(); // until the unload has run
        // Exit has asked already and is unloading.
        if (!unloading_) {
            bool cancel = false;
            Form_QueryUnload(cancel);
            if (cancel)
                return;
        }
        Form_Unload();
        event->accept();
    });
}

void frmMain::mnuOffline_Click() {
    Link.mnuOffline_Click();
}

void frmMain::lblNoComms_Click() {
    if (SendRule::Confirm_Going_Online())
        Link.GO_ONLine();
}
