#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "tests/mainwin/MainTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

TEST_F(MainTest, DefaultMapLoadFinishesOnTheNinthTick) {
    frmMain& w = load();
    ASSERT_TRUE(w.C_Pause->isActive());
    EXPECT_EQ(StatusMsg, QStringLiteral("Loading Default Map"));

    w.C_Pause_Timer(); // first tick: the template goes in, the bar shows 20
    EXPECT_EQ(Progress().value(), 20);
    EXPECT_EQ(StatusMsg, QString());
    EXPECT_EQ(w.C_Pause->interval(), 100);
    EXPECT_EQ(MapLoaded, 0);
    EXPECT_NE(ParamBlock[Idx_Cylinders], 0); // from the template
    for (int tick = 2; tick <= 8; ++tick) {
        w.C_Pause_Timer();
        EXPECT_EQ(Progress().value(), 10 + tick * 10) << "tick " << tick;
        EXPECT_TRUE(w.C_Pause->isActive());
        EXPECT_EQ(MapLoaded, 0);
    }
    w.C_Pause_Timer(); // ninth tick
    EXPECT_FALSE(w.C_Pause->isActive());
    EXPECT_EQ(MapLoaded, -1);
    EXPECT_EQ(MapDirty, -1);
    EXPECT_FALSE(Progress().loaded());
    EXPECT_EQ(w.TabStrip1->currentIndex(), 0);
    EXPECT_EQ(MapTab, 1);
    EXPECT_FALSE(frmMain::Entry_State(w.mnuLogging));
    EXPECT_TRUE(frmMain::Entry_State(w.mnuPBScreen));
    // The analog map of the template is on screen with its scales.
    EXPECT_EQ(w.Txt128[0]->text(), QStringLiteral("0"));
    EXPECT_NE(w.lblrpm[0]->text(), QStringLiteral(" ? "));
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(MainTest, SequencerLeavesALoadedMapAlone) {
    frmMain& w = load();
    runSequencer();
    Map5Image[Idx_AnaMap] = 12;
    // A later progress window changes nothing while the map is the default one.
    w.C_Pause->start(5000);
    w.C_Pause_Timer();
    EXPECT_EQ(Map5Image[Idx_AnaMap], 12);
    EXPECT_TRUE(w.C_Pause->isActive());
}

TEST_F(MainTest, SequencerReportsAUnitThatStaysOffLine) {
    frmMain& w = load();
    runSequencer();
    MapDirty = 0; // a map came from the library; a download followed
    OnlineState = QStringLiteral("Online2");
    w.C_Pause->start(5000);
    w.C_Pause_Timer();
    EXPECT_EQ(Progress().text(), QStringLiteral("Still no Connection"));
    EXPECT_TRUE(w.C_Pause->isActive());
    EXPECT_TRUE(frmMain::Entry_State(w.mnuLogging));

    OnlineState = QStringLiteral("Offline");
    w.C_Pause_Timer();
    EXPECT_EQ(Progress().text(), QStringLiteral("Unit is Off-Line"));
    EXPECT_EQ(w.C_Pause->interval(), 2000);
    EXPECT_FALSE(frmMain::Entry_State(w.mnuDownload));
    EXPECT_FALSE(frmMain::Entry_State(w.mnuLogging));

    w.C_Pause_Timer();
    EXPECT_FALSE(w.C_Pause->isActive());
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("The Download FAILED!"));
    EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Critical);
}

TEST_F(MainTest, SequencerStopsOnceTheUnitAnswers) {
    frmMain& w = load();
    runSequencer();
    MapDirty = 0;
    OnlineState = QStringLiteral("Online");
    w.C_Pause->start(5000);
    w.C_Pause_Timer();
    EXPECT_FALSE(w.C_Pause->isActive());
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(MainTest, OffLineMenuArmsTheDefaultLoadOnlyWithoutAMap) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    OnlineState = QStringLiteral("Offline");
    w.mnuOffline_Click();
    EXPECT_TRUE(w.C_Pause->isActive());
    EXPECT_EQ(w.C_Pause->interval(), 1000);
    runSequencer();
    ASSERT_EQ(MapLoaded, -1);
    w.mnuOffline_Click();
    EXPECT_FALSE(w.C_Pause->isActive());
}
