#include "tests/mainwin/MainTestSupport.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The entries the link state switches, as one list for the tables below.
struct Arrangement {
    bool unitCommands; // download, upload, reset, map A/B, F4-F9 menu and buttons
    bool playBack;
    bool logging;
};

void ExpectArrangement(frmMain& w, const Arrangement& a, const char* state) {
    SCOPED_TRACE(state);
    for (QAction* e : {w.mnuDownload, w.mnuUpload, w.mnuReset, w.mnuMapA, w.mnuMapB, w.mnuF4,
                       w.mnuF5, w.mnuF6, w.mnuF7, w.mnuF8, w.mnuF9})
        EXPECT_EQ(frmMain::Entry_State(e), a.unitCommands) << e->objectName().toStdString();
    for (QPushButton* b : {w.cmdF4, w.cmdF5, w.cmdF6, w.cmdF7, w.cmdF8, w.cmdF9})
        EXPECT_EQ(b->isEnabled(), a.unitCommands) << b->text().toStdString();
    // The stepping entries have their handlers here: they follow the state for real.
    EXPECT_EQ(w.mnuF4->isEnabled(), a.unitCommands);
    EXPECT_EQ(frmMain::Entry_State(w.mnuPBScreen), a.playBack);
    EXPECT_EQ(frmMain::Entry_State(w.mnuLogging), a.logging);
}

} // namespace

TEST_F(MainTest, LinkStateArrangements) {
    frmMain& w = load();
    // Going on-line, then off-line, in the order the link calls the switches.
    w.PB_Dis_State(false);
    w.Comm_Dis_State(true);
    w.PB_Dis_State(false);
    ExpectArrangement(w, {true, false, true}, "on-line");
    w.Comm_Dis_State(false);
    w.PB_Dis_State(true);
    ExpectArrangement(w, {false, true, false}, "off-line");
    // The on-line switch alone also takes play-back away.
    w.Comm_Dis_State(true);
    EXPECT_FALSE(frmMain::Entry_State(w.mnuPBScreen));
}

TEST_F(MainTest, NoTuneArrangement) {
    frmMain& w = load();
    w.Comm_Dis_State(true);
    w.Arrange_NoTUNE(false);
    for (QAction* e : {w.mnuGlobal, w.mnu3DMap, w.mnuScale, w.mnuSave, w.mnuSaveAS,
                       w.mnuChangeNames, w.mnuF4, w.mnuF5, w.mnuF6, w.mnuF7, w.mnuF8, w.mnuF9})
        EXPECT_FALSE(frmMain::Entry_State(e)) << e->objectName().toStdString();
    EXPECT_FALSE(w.mnu3DMap->isEnabled());
    EXPECT_FALSE(w.mnuF9->isEnabled());
    EXPECT_TRUE(w.lblNoComms[2]->isVisibleTo(&w));
    EXPECT_EQ(w.lblNoComms[2]->text(), QStringLiteral("NO TUNE Enabled"));
    // The buttons follow their menu entries: a locked unit is not stepped.
    for (QPushButton* b : {w.cmdF4, w.cmdF5, w.cmdF6, w.cmdF7, w.cmdF8, w.cmdF9})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();

    // The full read-out gives everything back, even what going off-line took.
    w.Comm_Dis_State(false);
    w.Arrange_NoTUNE(true);
    for (QAction* e : {w.mnuGlobal, w.mnu3DMap, w.mnuScale, w.mnuSave, w.mnuF4, w.mnuF9})
        EXPECT_TRUE(frmMain::Entry_State(e)) << e->objectName().toStdString();
    EXPECT_TRUE(w.mnu3DMap->isEnabled());
    EXPECT_TRUE(w.mnuF4->isEnabled());
    EXPECT_TRUE(w.cmdF4->isEnabled());
    EXPECT_FALSE(w.lblNoComms[2]->isVisibleTo(&w));
}

TEST_F(MainTest, UnwiredEntriesStayDisabledUntilWired) {
    // The global settings window is not built here: its entry waits for a handler.
    frmMain& w = load();
    w.Arrange_NoTUNE(true);
    EXPECT_TRUE(frmMain::Entry_State(w.mnuGlobal));
    EXPECT_FALSE(w.mnuGlobal->isEnabled());
    int runs = 0;
    w.Wire_Entry(w.mnuGlobal, [&runs] { ++runs; });
    EXPECT_TRUE(w.mnuGlobal->isEnabled());
    w.mnuGlobal->trigger();
    EXPECT_EQ(runs, 1);
    w.Arrange_NoTUNE(false);
    EXPECT_FALSE(w.mnuGlobal->isEnabled());
    w.mnuGlobal->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(MainTest, NoTuneToggleFromMenuAndButton) {
    NoTuneFlag = 170;
    frmMain& w = load();
    ASSERT_FALSE(w.mnuLoadNotune->isChecked());
    w.mnuLoadNotune->trigger(); // on: the byte stays 170
    EXPECT_TRUE(w.mnuLoadNotune->isChecked());
    EXPECT_EQ(w.mnuLoadNotune->text(), QStringLiteral("No-Tune Set"));
    EXPECT_EQ(w.cmdNoTune->text(), QStringLiteral("No-Tune ON"));
    EXPECT_EQ(NoTuneFlag, 170);
    w.cmdNoTune->click(); // off
    EXPECT_FALSE(w.mnuLoadNotune->isChecked());
    EXPECT_EQ(w.mnuLoadNotune->text(), QStringLiteral("Set No-Tune ?"));
    EXPECT_EQ(w.cmdNoTune->text(), QStringLiteral("No-Tune OFF"));
    EXPECT_EQ(NoTuneFlag, 255);
    w.cmdNoTune->click();
    EXPECT_EQ(NoTuneFlag, 170);
    // Ticked by a loaded map (the entry then disabled): switching off keeps the byte.
    w.Set_Entry_Enabled(w.mnuLoadNotune, false);
    w.cmdNoTune_Click();
    EXPECT_FALSE(w.mnuLoadNotune->isChecked());
    EXPECT_EQ(NoTuneFlag, 170);
}

TEST_F(MainTest, BrandingToggle) {
    BrandingFlag = 1;
    frmMain& w = load();
    ASSERT_TRUE(w.mnuLoadBranding->isChecked());
    w.mnuLoadBranding->trigger();
    EXPECT_EQ(BrandingFlag, 0);
    EXPECT_FALSE(w.mnuLoadBranding->isChecked());
    EXPECT_EQ(w.mnuLoadBranding->text(), QStringLiteral("Set Branding ?"));
    w.mnuLoadBranding->trigger();
    EXPECT_EQ(BrandingFlag, 1);
    EXPECT_TRUE(w.mnuLoadBranding->isChecked());
    EXPECT_EQ(w.mnuLoadBranding->text(), QStringLiteral("Branding Set"));
}

TEST_F(MainTest, TracerToggle) {
    frmMain& w = load();
    w.mnuTracer->trigger();
    EXPECT_TRUE(w.mnuTracer->isChecked());
    EXPECT_EQ(w.mnuTracer->text(), QStringLiteral("STOP Tracing the cursor"));
    w.mnuTracer->trigger();
    EXPECT_FALSE(w.mnuTracer->isChecked());
    EXPECT_EQ(w.mnuTracer->text(), QStringLiteral("Enable Tracing the cursor"));
}

TEST_F(MainTest, StepKeysSwitchToTheirTab) {
    MapLoaded = -1;
    frmMain& w = load();
    // The link as live polling leaves it, its timer held so that what a step
    // raises stays in the send path to be read.
    w.Link.Comm_Timer.stop();
    OnlineState = OnlineStates::Online;
    CommStatus = CommStates::Polling;
    send_receive = 2;
    UnitOnline = 1;
    ParamBlock[Idx_Cylinders] = 4;
    ParamBlock[Idx_IgnAdvLimit] = 40;
    ParamBlock[Idx_IgnRetLimit] = 236;
    LiveMapCell = 9;
    Map5Image[Idx_IgnMap + 9] = 0;
    Map5Image[Idx_AnaMap + 9] = 0;
    Map6Image[Idx_InjMap + 9] = 0;
    // A step key sends its cell; a tab key sends nothing.
    std::vector<int> stepped;
    auto note = [&stepped](int key) {
        for (const SendRequest& r : SendRequests)
            if (!r.elements.empty())
                stepped.push_back(key);
        SendRequests.clear();
    };
    struct Case {
        QAction* entry;
        int key;
        int tab;
    };
    SendRequests.clear();
    for (const Case& c : {Case{w.mnuF8, 8, 3}, Case{w.mnuF5, 5, 1}, Case{w.mnuF6, 6, 2},
                          Case{w.mnuF2, 2, 2}, Case{w.mnuF3, 3, 3}, Case{w.mnuF1, 1, 1}}) {
        w.Run_Entry(c.entry);
        EXPECT_EQ(MapTab, c.tab) << c.entry->objectName().toStdString();
        note(c.key);
    }
    w.cmdF9_Click();
    EXPECT_EQ(MapTab, 3);
    note(9);
    EXPECT_EQ(stepped, (std::vector<int>{8, 5, 6, 9}));
    EXPECT_EQ(Map5Image[Idx_IgnMap + 9], 0) << "up and down again";
    EXPECT_EQ(Map5Image[Idx_AnaMap + 9], 255);
    EXPECT_EQ(Map6Image[Idx_InjMap + 9], 1);
}
