// The sequencer: the off-line default-map load and the watch over a transfer
// until the unit answers again.

#include "core/CoreState.h"
#include "core/MapImage.h"
#include "mainwin/LinkAccess.h"
#include "mainwin/frmMain.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QTimer>

namespace {
const QString LoadingDefaultMap = QStringLiteral("Loading Default Map");
const QString UnitOffLine = QStringLiteral("Unit is Off-Line");
} // namespace

void frmMain::C_Pause_Timer() {
    if (OnlineState == QStringLiteral("Offline") && MapLoaded == 0) {
        // The default-map load: the template on the first tick, then the bar
        // steps by 10 every 100 ms and the ninth tick shows the analog map.
        C_Pause->setInterval(100);
        C_Pause->stop();
        if (LinkAccess::Status_Msg() == LoadingDefaultMap) {
            LinkAccess::Progress_Show();
            LinkAccess::Set_Progress_Label(LinkAccess::Status_Msg());
            LinkAccess::Set_Progress_Value(10);
            WtsGeneral::Load_Blank_Template();
            LinkAccess::Set_Progress_Value(LinkAccess::Progress_Value() + 10);
            LinkAccess::Set_Status_Msg(QString());
            C_Pause->start();
        } else if (LinkAccess::Progress_Value() >= 90) {
            LinkAccess::Set_Progress_Label(QString());
            MapDirty = -1;
            MapLoaded = -1;
            LinkAccess::Progress_Unload();
            Select_Tab(1);
            Set_Entry_Enabled(mnuLogging, false);
            Set_Entry_Enabled(mnuPBScreen, true);
        } else {
            LinkAccess::Set_Progress_Value(LinkAccess::Progress_Value() + 10);
            C_Pause->start();
        }
        return;
    }

    if (MapDirty != 0)
        return;
    Set_Entry_Enabled(mnuLogging, true);
    Set_Entry_Enabled(mnuPBScreen, false);
    LinkAccess::Restart_Comms();
    LinkAccess::Serial_Port_On();
    const QString label = LinkAccess::Progress_Label();
    if (label == UnitOffLine) {
        C_Pause->setInterval(5000);
        C_Pause->stop();
        LinkAccess::Set_Progress_Label(QString());
        LinkAccess::Progress_Unload();
        Dialogs::msgBox(QStringLiteral("The KVR6 unit is not responding!. The download failed! "
                                       "Please check if there is a KVR6 unit connected and that "
                                       "it is switched on. Then click the GO ONLINE to start the "
                                       "comms again."),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                        QStringLiteral("The Download FAILED!"));
    } else if (OnlineState == QStringLiteral("Online")) {
        C_Pause->stop();
    } else if (OnlineState == QStringLiteral("Online2")) {
        LinkAccess::Set_Progress_Label(QStringLiteral("Still no Connection"));
    } else if (OnlineState == QStringLiteral("Offline")) {
        LinkAccess::Set_Progress_Label(UnitOffLine);
        C_Pause->setInterval(2000);
        C_Pause->start();
        Comm_Dis_State(false);
        Set_Entry_Enabled(mnuLogging, false);
        Set_Entry_Enabled(mnuPBScreen, true);
    }
}
