#include "tests/support/ResetAllState.h"

#include "core/CoreState.h"
#include "library/LibraryState.h"
#include "library/frmBackRest.h"
#include "library/frmContact.h"
#include "library/frmDisLibNames.h"
#include "library/frmLibEdit.h"
#include "library/frmLoadLib.h"
#include "library/frmName.h"
#include "library/frmWDLoad.h"
#include "library/frmWiring.h"
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
#include "setup/SetupState.h"
#include "setup/frmOptions.h"
#include "setup/frmScaleDeflect.h"
#include "setup/frmScaleRPM.h"
#include "setup/frmSetup.h"
#include "view3d/View3dState.h"
#include "view3d/frm3DDrw.h"

void Unload_All_Windows() {
    // The upper folders' windows first: they may draw from those below.
    FormInstance<frm3DDrw>::unload();
    FormInstance<frmScaleRPM>::unload();
    FormInstance<frmScaleDeflect>::unload();
    FormInstance<frmSetup>::unload();
    FormInstance<frmOptions>::unload();
    FormInstance<frmWiring>::unload();
    FormInstance<frmName>::unload();
    FormInstance<frmWDLoad>::unload();
    FormInstance<frmBackRest>::unload();
    FormInstance<frmContact>::unload();
    FormInstance<frmDisLibNames>::unload();
    FormInstance<frmLibEdit>::unload();
    FormInstance<frmLoadLib>::unload();
    FormInstance<frmPBStation>::unload();
    FormInstance<frmDosCMD>::unload();
    FormInstance<frmProgress>::unload();
}

void ResetAllState() {
    // The windows that follow shared state go first, so none reacts to the rest.
    Unload_All_Windows();
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
    Library::ResetLibraryState();
    ResetSetupState();
    ResetView3dState();
}
