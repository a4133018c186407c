#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "mainwin/MapCellText.h"
#include "tests/mainwin/MainTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

TEST_F(MainTest, LoadEmptiesTheTraceAndOpensThePort) {
    folder.write(QStringLiteral("dump_comms.txt"), "old trace line\r\n");
    frmMain& w = load();
    EXPECT_TRUE(Trace().isOpen());
    EXPECT_FALSE(folder.read(QStringLiteral("dump_comms.txt")).contains("old trace line"));
    EXPECT_TRUE(w.Link.Comm1.PortOpen());
    EXPECT_TRUE(w.mnuPort[1]->isChecked());
    EXPECT_EQ(w.Link.Comm_Timer.interval(), cfg_CommSpeed + 20);
    EXPECT_TRUE(dialogs.records().empty());
    w.close();
    EXPECT_FALSE(Trace().isOpen());
    EXPECT_FALSE(w.Link.Comm1.PortOpen());
}

TEST_F(MainTest, OfflineStartShowsTheLinkStatus) {
    frmMain& w = load();
    EXPECT_EQ(w.lblNoComms[0]->text(), QStringLiteral("Status: Off-Line"));
    EXPECT_TRUE(w.lblNoComms[0]->isVisibleTo(&w));
    EXPECT_TRUE(w.lblNoComms[1]->isVisibleTo(&w));
    EXPECT_TRUE(w.mnuOffline->isChecked());
    EXPECT_FALSE(w.mnuOnline->isChecked());
    EXPECT_FALSE(w.cmdF4->isEnabled());
    EXPECT_FALSE(frmMain::Entry_State(w.mnuDownload));
}

TEST_F(MainTest, GoOnlineFromTheStatusLabel) {
    frmMain& w = load();
    runSequencer();
    w.lblNoComms_Click();
    EXPECT_EQ(OnlineState, QStringLiteral("Online"));
    EXPECT_TRUE(w.mnuOnline->isChecked());
    EXPECT_FALSE(w.mnuOffline->isChecked());
    EXPECT_TRUE(w.lblNoComms[0]->isVisibleTo(&w)) << "on-line, something says so";
    EXPECT_EQ(w.lblNoComms[0]->text(), QStringLiteral("Status: On-Line"));
    EXPECT_FALSE(w.lblNoComms[1]->isVisibleTo(&w)) << "no Go Online while on-line";
    EXPECT_TRUE(w.mnuMapA->isEnabled()); // wired to the link
    EXPECT_TRUE(w.mnuReset->isEnabled());
    EXPECT_TRUE(w.cmdF9->isEnabled());
    EXPECT_FALSE(frmMain::Entry_State(w.mnuPBScreen));
    EXPECT_TRUE(frmMain::Entry_State(w.mnuLogging));
    // and back off-line through the menu: the map stays, nothing is armed
    w.mnuOffline->trigger();
    EXPECT_EQ(OnlineState, QStringLiteral("Offline"));
    EXPECT_EQ(w.lblNoComms[0]->text(), QStringLiteral("Status: Off-Line"));
    EXPECT_TRUE(w.lblNoComms[1]->isVisibleTo(&w));
    EXPECT_FALSE(w.mnuMapA->isEnabled());
    EXPECT_FALSE(w.C_Pause->isActive());
}

TEST_F(MainTest, ReadOutHooksReachTheWindow) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    LinkHooks& h = Hooks();
    h.ShowActiveMap(2);
    EXPECT_EQ(w.cmdMapAB->text(), QStringLiteral("B"));
    EXPECT_TRUE(w.mnuMapB->isChecked());
    EXPECT_FALSE(w.mnuMapA->isChecked());
    h.ShowActiveMap(1);
    EXPECT_EQ(w.cmdMapAB->text(), QStringLiteral("A"));
    h.SetStatusPanel(2, QStringLiteral("12 /s"));
    EXPECT_EQ(w.StatusPanel[2]->text(), QStringLiteral("12 /s"));
    struct LabelCase {
        LinkLabel label;
        QLabel* control;
    };
    for (const LabelCase& c :
         {LabelCase{LinkLabel::lblVersionValue, w.lblVersionValue},
          LabelCase{LinkLabel::lblComm, w.lblComm}, LabelCase{LinkLabel::lblRPM_Map, w.lblRPM_Map},
          LabelCase{LinkLabel::lblRPMShow, w.lblRPMShow},
          LabelCase{LinkLabel::lblAnalog_Defl, w.lblAnalog_Defl}}) {
        h.SetLabel(c.label, QStringLiteral("7 1 16"));
        EXPECT_EQ(c.control->text(), QStringLiteral("7 1 16")) << Label_Name(c.label).toStdString();
        EXPECT_EQ(c.control->objectName(), Label_Name(c.label));
    }
    h.CheckPortMenu(3);
    EXPECT_TRUE(w.mnuPort[3]->isChecked());
    EXPECT_FALSE(w.mnuPort[1]->isChecked());
    h.CheckPortMenu(7); // not a menu: left alone
    EXPECT_TRUE(w.mnuPort[3]->isChecked());
    h.SetPauseInterval(5000);
    h.SetPauseEnabled(true);
    EXPECT_TRUE(w.C_Pause->isActive());
    EXPECT_EQ(w.C_Pause->interval(), 5000);
    h.SetPauseEnabled(false);
    EXPECT_FALSE(w.C_Pause->isActive());
    // A loaded map set No-Tune: the entry is ticked and disabled.
    NoTuneFlag = 170;
    h.SetNoTuneMenus();
    EXPECT_TRUE(w.mnuLoadNotune->isChecked());
    EXPECT_FALSE(w.mnuLoadNotune->isEnabled());
    // The end of a locked read-out.
    h.Arrange_NoTUNE(false);
    EXPECT_TRUE(w.lblNoComms[2]->isVisibleTo(&w));
    EXPECT_FALSE(w.mnuSave->isEnabled());
}

TEST_F(MainTest, MapButtonAsksForTheOtherMap) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    Hooks().ShowActiveMap(2);
    w.cmdMapAB->click();
    EXPECT_EQ(StatusMsg, QStringLiteral("Uploading Map A"));
    Hooks().ShowActiveMap(1);
    w.cmdMapAB->click();
    EXPECT_EQ(StatusMsg, QStringLiteral("Uploading Map B"));
}

TEST_F(MainTest, LockedUnitKeepsThePreviousMap) {
    frmMain& w = load();
    runSequencer();
    Map5Image[Idx_AnaMap] = 200;
    w.Select_Tab(1);
    ASSERT_EQ(w.Txt128[0]->text(), QStringLiteral("-56"));
    UnitLocked = 1;
    w.Select_Tab(2);
    EXPECT_EQ(w.Txt128[0]->text(), QStringLiteral("-56"));
    EXPECT_EQ(MapTab, 2);
}

TEST_F(MainTest, DefaultMapLoadShowsTheProgressWindow) {
    frmMain& w = load();
    w.C_Pause_Timer();
    EXPECT_TRUE(Progress().visible());
    EXPECT_EQ(Progress().value(), 20);
    EXPECT_EQ(Progress().text(), QStringLiteral("Loading Default Map"));
    // The default-map load keeps the sequencer's own pace.
    EXPECT_EQ(w.C_Pause->interval(), 100);
    runSequencer();
    EXPECT_FALSE(Progress().loaded());
}

// The answer to a poll sent just before going off-line comes in late: off-line
// there is no unit, so it takes neither readings nor a lock, and a map shown
// afterwards is the image's.
TEST_F(MainTest, ALateLiveReplyAfterGoingOffLineTakesNoReadingsAndNoLock) {
    unit.setEngine(900, 20);
    frmMain& w = loadOnline();
    ASSERT_TRUE(QTest::qWaitFor([] { return LiveRpm >= 880 && LiveRpm <= 920; }, 5000)) << LiveRpm;
    const QString rpmShown = w.RCNum[0]->text();

    // The next poll is answered late, by a unit that is locked and revving.
    ASSERT_TRUE(QTest::qWaitFor([] { return Link_Settled() && send_receive == 2; }, 5000));
    unit.faults.locked = true;
    unit.setEngine(5000, 200);
    unit.faults.delayNext = 1;
    unit.faults.delayMs = 400;
    const int polls = unit.polls();
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.polls() > polls; }, 5000));
    w.mnuOffline->trigger();
    ASSERT_EQ(OnlineState, OnlineStates::Offline);

    bool lateReplySent = false;
    QObject::connect(&server, &sim::PtyServer::sent, &w, [&](const QByteArray& bytes) {
        lateReplySent = lateReplySent || bytes.startsWith('1');
    });
    // The absences below prove something only once the receive handler has
    // taken the late reply off the port.
    const std::function<void()> handler = Hooks().Comm1_OnComm;
    bool lateReplyRead = false;
    Hooks().Comm1_OnComm = [&] {
        const bool arrived = lateReplySent && w.Link.Comm1.InBufferCount() > 0;
        handler();
        lateReplyRead = lateReplyRead || (arrived && w.Link.Comm1.InBufferCount() == 0);
    };
    const bool read = QTest::qWaitFor([&] { return lateReplyRead; }, 3000);
    Hooks().Comm1_OnComm = handler;
    ASSERT_TRUE(lateReplySent) << "the unit never sent its late reply";
    ASSERT_TRUE(read) << "the program never read the late reply";

    EXPECT_EQ(UnitLocked, 0);
    EXPECT_LT(LiveRpm, 1000) << "the late reply's RPM was not taken";
    EXPECT_EQ(w.RCNum[0]->text(), rpmShown);
    EXPECT_FALSE(w.lblNoComms[2]->isVisible()) << "no No-Tune banner off-line";
    Map6Image[3] = 123; // a map put into the image off-line is shown
    w.Select_Tab(2);
    EXPECT_EQ(w.Txt128[3]->text(), MapCellText::Cell(2, MapCellText::ForTab(2).cellBase + 3));
}
