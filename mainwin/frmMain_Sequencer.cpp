// The sequencer: the off-line default-map load and the watch over a transfer
// until the unit answers again.

#include "core/CoreState.h"
#include "core/MapImage.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "mainwin/frmMain.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QTimer>

namespace {
const QString UnitOffLine = QStringLiteral("Unit is Off-Line");
} // namespace

void frmMain::C_Pause_Timer() {
    if (OnlineState == OnlineStates::Offline && MapLoaded == 0) {
        // The default-map load: the template on the first tick, then the bar
        // steps by 10 every 100 ms and the ninth tick shows the analog map.
        C_Pause->setInterval(100);
        C_Pause->stop();
        if (StatusMsg == StatusStates::LoadingDefaultMap) {
            Progress().Show();
            Progress().setText(StatusMsg);
            Progress().setValue(10);
            WtsGeneral::Load_Blank_Template();
            Progress().addValue(10);
            StatusMsg.clear();
            C_Pause->start();
        } else if (Progress().value() >= 90) {
            Progress().setText(QString());
            MapDirty = -1;
            MapLoaded = -1;
            Progress().Form_Unload();
            Select_Tab(1);
            Set_Entry_Enabled(mnuLogging, false);
            Set_Entry_Enabled(mnuPBScreen, true);
        } else {
            Progress().addValue(10);
            C_Pause->start();
        }
        return;
    }

    if (MapDirty != 0)
        return;
    Set_Entry_Enabled(mnuLogging, true);
    Set_Entry_Enabled(mnuPBScreen, false);
    CommStatus = CommStates::Connect;
    Link.SerialPortOn();
    const QString label = Progress().text();
    if (label == UnitOffLine) {
        C_Pause->setInterval(5000);
        C_Pause->stop();
        Progress().Hide();
        Progress().setText(QString());
        Progress().Form_Unload();
        Dialogs::msgBox(QStringLiteral("The KVR6 unit is not responding!. The download failed! "
                                       "Please check if there is a KVR6 unit connected and that "
                                       "it is switched on. Then click the GO ONLINE to start the "
                                       "comms again."),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                        QStringLiteral("The Download FAILED!"));
    } else if (OnlineState == OnlineStates::Online) {
        C_Pause->stop();
    } else if (OnlineState == OnlineStates::Online2) {
        Progress().setText(QStringLiteral("Still no Connection"));
    } else if (OnlineState == OnlineStates::Offline) {
        Progress().setText(UnitOffLine);
        C_Pause->setInterval(2000);
        C_Pause->start();
        Comm_Dis_State(false);
        Set_Entry_Enabled(mnuLogging, false);
        Set_Entry_Enabled(mnuPBScreen, true);
    }
}
