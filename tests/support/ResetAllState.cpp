#include "tests/support/ResetAllState.h"

#include "core/AxisLabels.h"
#include "core/CoreState.h"
#include "link/CommTrace.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/LiveLog.h"
#include "link/PlaybackModel.h"
#include "link/ProgressModel.h"
#include "link/ReceiveFeeds.h"
#include "link/frmDosCMD.h"
#include "link/frmProgress.h"
#include "mainwin/LiveCellStep.h"
#include "mainwin/MainState.h"
#include "mainwin/MainWindow.h"
#include "mainwin/frmPBStation.h"
#include "platform/FormInstance.h"

void ResetAllState() {
    // The windows that follow shared state go first, so none reacts to the rest.
    FormInstance<frmPBStation>::unload();
    FormInstance<frmDosCMD>::unload();
    FormInstance<frmProgress>::unload();
    Set_Main(nullptr);

    // A recording still open is closed with its end lines, then the models.
    LiveLogs().close();
    Trace().close();
    Progress().Form_Unload();
    Playback().Reset();
    ReceiveFeeds::Reset();

    ResetLinkHooks();
    WtsGeneral::ShowSteppedCell = {};

    ResetCoreState();
    ResetLinkState();
    ResetMainState();
}
