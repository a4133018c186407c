// Live-data logging from the Tools menu, and the play-back entry.

#include "core/CoreState.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/PlaybackModel.h"
#include "link/WtsCM.h"
#include "mainwin/Logging.h"
#include "mainwin/Readings.h"
#include "mainwin/frmMain.h"
#include "mainwin/frmPBStation.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/FormInstance.h"
#include "platform/KvrError.h"
#include "platform/Step.h"

#include <QAction>
#include <QLabel>

void frmMain::Wire_Logging() {
    // The tick shows that a recording runs.
    mnuLogging->setCheckable(true);
    Wire_Entry(mnuLogging, [this] { mnuLogging_Click(); });
    Wire_Entry(mnuPBScreen, [this] { mnuPBScreen_Click(); });
    LinkHooks& h = Hooks();
    h.Stop_Logg = [this] { Stop_Logg(); };
    h.Playback_Menu_State2 = [this] { Playback_Menu_State2(); };
}

void frmMain::mnuLogging_Click() {
    if (LogState == 1) {
        Stop_Logg();
        return;
    }
    QString name;
    QStringList logs;
    try {
        name = Logging::Start_Logging(&logs);
    } catch (const KvrError& e) {
        FileProblem::Tell({FileProblem::Files(QStringLiteral("log files"), logs),
                           QStringLiteral("created"), e.description(),
                           QStringLiteral("Logging has not started."), QStringLiteral("Logging"),
                           Dialogs::Icon::Critical});
        return;
    }
    StatusPanel[4]->setText(QStringLiteral("Log File : ") + name);
    mnuLogging->setText(QStringLiteral("STOP Logging ") + UnitName);
    mnuLogging->setChecked(true);
    // The recording begins with the unit's whole image.
    WtsCM::Request_Upload();
}

void frmMain::Stop_Logg() {
    Logging::Stop_Logging();
    mnuLogging->setText(QStringLiteral("Start Logging ") + UnitName);
    mnuLogging->setChecked(false);
    StatusPanel[4]->clear(); // no log file is written any more
}

void frmMain::mnuPBScreen_Click() {
    const bool opening = !FormInstance<frmPBStation>::loaded();
    frmPBStation& station = FormInstance<frmPBStation>::open();
    if (opening)
        Step::Connect(&station, &QObject::destroyed, this, [this] { Show_Playback_State(false); });
}

void frmMain::Playback_Menu_State2() {
    LogState = 0;
    if (StatusPanel[4]->text().startsWith(QLatin1String("Play Back : ")))
        StatusPanel[4]->clear();
    lblNoComms[1]->setVisible(true);
    Show_Playback_State(FormInstance<frmPBStation>::loaded());
}

void frmMain::Show_Playback_State(bool stationOpen) {
    if (OnlineState != OnlineStates::Offline ||
        lblNoComms[0]->text() != QLatin1String("Status: Play Back"))
        return;
    // A play-back running or paused goes on with its window closed.
    const bool playing = LogState == 2 || LogState == 3;
    if (playing || (stationOpen && Playback().count() > 0))
        return;
    lblNoComms[0]->setText(QStringLiteral("Status: Off-Line"));
    lblNoComms[0]->setVisible(true);
}
