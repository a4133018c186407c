#include "tests/support/ResetAllState.h"
#include "core/AxisLabels.h"
#include "core/CoreState.h"
#include "library/LibraryState.h"
#include "library/frmLoadLib.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/LiveLog.h"
#include "link/PlaybackModel.h"
#include "link/ProgressModel.h"
#include "link/frmDosCMD.h"
#include "link/frmProgress.h"
#include "mainwin/MainWindow.h"
#include "mainwin/frmPBStation.h"
#include "platform/FormInstance.h"
#include "setup/SetupState.h"
#include "setup/frmOptions.h"
#include "tests/support/TempProgramFolder.h"
#include "view3d/View3dState.h"
#include "view3d/frm3DDrw.h"

#include <gtest/gtest.h>

namespace {

struct CountingMain : NoMainWindow {
    int redraws = 0;
    void Redraw_Shown_Map() override { ++redraws; }
};

class ResetAllStateTest : public ::testing::Test, protected FreshState {};

} // namespace

// What one test leaves behind (a play-back, a recording, hooks, a main window,
// open windows, changed start values) is gone for the next.
TEST_F(ResetAllStateTest, NothingOfAnEarlierTestRemains) {
    TempProgramFolder folder;
    Playback().Set_Records(folder.file(QStringLiteral("a.raw")), {QStringLiteral("10:00:00 ,49")});
    Playback().setPlayingButtons(true);
    Playback().setHold(4);
    QString error;
    ASSERT_TRUE(LiveLogs().open(folder.file(QStringLiteral("KVR6.001")),
                                folder.file(QStringLiteral("KVR6001.raw")), &error));
    int labels = 0;
    Hooks().SetLabel = [&labels](LinkLabel, const QString&) { ++labels; };
    CountingMain main;
    Set_Main(&main);
    Progress().Show();
    frmProgress::Follow_Model();
    FormInstance<frmDosCMD>::get().show();
    MapTab = 3;
    cfg_CommSpeed = 20;
    PlaybackSpeed = 1;
    CommStatus = CommStates::Sending;
    SendPending = SendPortFailed;

    ResetAllState();

    EXPECT_EQ(MapTab, 1);
    EXPECT_EQ(cfg_CommSpeed, 100);
    EXPECT_EQ(cfg_CommPort, 1);
    EXPECT_EQ(PlaybackSpeed, 10);
    EXPECT_EQ(CommStatus, CommStates::Connect);
    EXPECT_EQ(SendPending, SendIdle);
    EXPECT_EQ(WdTable.size(), 1u);
    EXPECT_EQ(Playback().count(), 0);
    EXPECT_FALSE(Playback().runEnabled() || Playback().pauseEnabled() || Playback().stopEnabled());
    EXPECT_EQ(Playback().hold(), 0);
    EXPECT_FALSE(LiveLogs().isOpen());
    EXPECT_EQ(folder.read(QStringLiteral("KVR6.001")), "End\r\n") << "closed with its end line";
    Hooks().SetLabel(LinkLabel::lblComm, QStringLiteral("x"));
    EXPECT_EQ(labels, 0);
    Main().Redraw_Shown_Map();
    EXPECT_EQ(main.redraws, 0);
    EXPECT_FALSE(Progress().loaded());
    EXPECT_FALSE(FormInstance<frmProgress>::loaded());
    EXPECT_FALSE(FormInstance<frmDosCMD>::loaded());
}

// A window of every folder open, and every folder's mode words set: the reset
// unloads the windows and puts the words back, so the next test starts clean.
TEST_F(ResetAllStateTest, AWindowOfEveryFolderIsUnloaded) {
    MapKind = QStringLiteral("Analog:");
    SaveKind = 2;
    LibEditMode = 2;
    SelLibFile = QStringLiteral("a.kvr");
    BackRestMode = 1;
    FormInstance<frmPBStation>::get().show();
    FormInstance<frmProgress>::get().show();
    FormInstance<frmLoadLib>::get().show();
    FormInstance<frmOptions>::get().show();
    FormInstance<frm3DDrw>::get().show();

    ResetAllState();

    EXPECT_FALSE(FormInstance<frmPBStation>::loaded());
    EXPECT_FALSE(FormInstance<frmProgress>::loaded());
    EXPECT_FALSE(FormInstance<frmLoadLib>::loaded());
    EXPECT_FALSE(FormInstance<frmOptions>::loaded());
    EXPECT_FALSE(FormInstance<frm3DDrw>::loaded());
    EXPECT_TRUE(MapKind.isEmpty());
    EXPECT_EQ(SaveKind, 0);
    EXPECT_EQ(LibEditMode, 0);
    EXPECT_TRUE(SelLibFile.isEmpty());
    EXPECT_EQ(BackRestMode, 0);
}
