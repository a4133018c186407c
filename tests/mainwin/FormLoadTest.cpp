#include "tests/mainwin/MainTestSupport.h"

#include "mainwin/Readings.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

TEST_F(MainTest, LoadCaptionsTheWindowAndItsMenus) {
    frmMain& w = load();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("KVR6 - 2D Maps   by  Fast Lane Motors"));
    EXPECT_EQ(w.mnuUpload->text(), QStringLiteral("Upload from KVR6"));
    EXPECT_EQ(w.mnuDownload->text(), QStringLiteral("Download to KVR6"));
    EXPECT_EQ(w.mnuApp_Version->text(), QStringLiteral("KVR6 Hardware Version"));
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("Start Logging KVR6"));
    EXPECT_EQ(w.mnuMapA->text(), QStringLiteral("KVR6 Map A"));
    EXPECT_EQ(w.mnuMapB->text(), QStringLiteral("KVR6 Map B"));
    EXPECT_EQ(w.mnuReset->text(), QStringLiteral("Reset KVR6 Hardware"));
    EXPECT_EQ(w.mnuF1->text(), QStringLiteral("Analog Map"));
    EXPECT_EQ(w.mnuF9->text(), QStringLiteral("Ignition Down"));
    EXPECT_EQ(w.cmdF4->text(), QStringLiteral("Analog + (F4)"));
    EXPECT_EQ(w.cmdF9->text(), QStringLiteral("Ignition - (F9)"));
    EXPECT_EQ(w.mnu3DFuel->text(), QStringLiteral("Fuel Graph"));
    EXPECT_EQ(w.mnu3DIgn->text(), QStringLiteral("Injection Graph"));
    EXPECT_EQ(w.mnu3DLambda->text(), QStringLiteral("Ignition Graph"));
    for (QAction* hidden : {w.mnuline51, w.mnuLoadBrNT, w.mnuMakeDisk, w.mnuLine54, w.mnuCut,
                            w.mnuPaste, w.mnuCompensation, w.mnuFunction})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_EQ(w.ComDialog1.filter, QStringLiteral("KVR6 Files (*.kvr)|*.kvr"));
    EXPECT_EQ(w.ComDialog1.folder, folder.path() + QLatin1Char('/'));
}

TEST_F(MainTest, MenuTreeShortcuts) {
    frmMain& w = load();
    EXPECT_EQ(w.mnuSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(w.mnuCut->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    EXPECT_EQ(w.mnuCopy->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    EXPECT_EQ(w.mnuPaste->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
    EXPECT_EQ(w.mnuDosHelp->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    const std::array<QAction*, 9> keys{w.mnuF1, w.mnuF2, w.mnuF3, w.mnuF4, w.mnuF5,
                                       w.mnuF6, w.mnuF7, w.mnuF8, w.mnuF9};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(keys[i]->shortcut(), QKeySequence(QStringLiteral("F%1").arg(i + 1)));
    EXPECT_TRUE(w.mnuMapA->isChecked());
    EXPECT_FALSE(w.mnuMapB->isChecked());
    EXPECT_FALSE(w.mnuMakeDisk->isEnabled());
}

// The No-Tune and branding entries by the dealer's flags.
struct DealerFlagsCase {
    int noTune;
    int branding;
    bool separators;
    bool noTuneEntry;
    bool brandingEntry;
};
void PrintTo(const DealerFlagsCase& c, std::ostream* os) {
    *os << "NoTune " << c.noTune << " Branding " << c.branding;
}
class DealerFlagsTest : public MainTest, public ::testing::WithParamInterface<DealerFlagsCase> {};

TEST_P(DealerFlagsTest, MenusFollowTheDealerFile) {
    const DealerFlagsCase c = GetParam();
    NoTuneFlag = c.noTune;
    BrandingFlag = c.branding;
    frmMain& w = load();
    EXPECT_EQ(w.mnuline51->isVisible(), c.separators);
    EXPECT_EQ(w.mnuline52->isVisible(), c.separators);
    EXPECT_EQ(w.mnuLoadNotune->isVisible(), c.noTuneEntry);
    EXPECT_EQ(w.mnuLoadNotune->isEnabled(), c.noTuneEntry);
    EXPECT_EQ(w.cmdNoTune->isVisibleTo(&w), c.noTuneEntry);
    EXPECT_EQ(w.mnuLoadBranding->isVisible(), c.brandingEntry);
    EXPECT_EQ(w.mnuLoadBranding->isEnabled(), c.brandingEntry);
    if (c.noTuneEntry) {
        EXPECT_FALSE(w.mnuLoadNotune->isChecked());
        EXPECT_EQ(w.mnuLoadNotune->text(), QStringLiteral("Set No-Tune ?"));
        EXPECT_EQ(w.cmdNoTune->text(), QStringLiteral("No-Tune OFF"));
    }
    if (c.brandingEntry) {
        EXPECT_TRUE(w.mnuLoadBranding->isChecked());
        EXPECT_EQ(w.mnuLoadBranding->text(), QStringLiteral("Branding Set"));
    }
    EXPECT_FALSE(w.mnuLoadBrNT->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Flags, DealerFlagsTest,
                         ::testing::Values(DealerFlagsCase{255, 0, false, false, false},
                                           DealerFlagsCase{170, 0, true, true, false},
                                           DealerFlagsCase{255, 1, true, false, true},
                                           DealerFlagsCase{170, 1, true, true, true}));

TEST_F(MainTest, WiringEntriesNeedTheirFiles) {
    {
        frmMain& w = load();
        EXPECT_FALSE(frmMain::Entry_State(w.mnuWire));
        EXPECT_FALSE(frmMain::Entry_State(w.mnuLoadWD));
    }
    folder.write(QStringLiteral("wiring diagrams.pdf"), "%PDF-1.4\n");
    folder.writeLines(QStringLiteral("KVRWD.cfg"),
                      {QStringLiteral("MAPS:"), QStringLiteral("End")});
    frmMain& w = load();
    EXPECT_TRUE(frmMain::Entry_State(w.mnuWire));
    EXPECT_TRUE(frmMain::Entry_State(w.mnuLoadWD));
    // Their windows come with the library: until it is wired the entry stays off.
    EXPECT_FALSE(w.mnuWire->isEnabled());
    w.Wire_Entry(w.mnuWire, [] {});
    EXPECT_TRUE(w.mnuWire->isEnabled());
}

TEST_F(MainTest, OfflineLoadArmsTheSequencerForTheDefaultMap) {
    frmMain& w = load();
    EXPECT_TRUE(w.C_Pause->isActive());
    EXPECT_EQ(w.C_Pause->interval(), 1000);
    EXPECT_EQ(MapTab, 1);
    EXPECT_EQ(MapLoaded, 0);
}

TEST_F(MainTest, OnlineLoadTicksOnlineAndLeavesTheSequencerIdle) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    EXPECT_TRUE(w.mnuOnline->isChecked());
    EXPECT_FALSE(w.mnuOffline->isChecked());
    EXPECT_FALSE(w.C_Pause->isActive());
}

// A poll speed the timer cannot use is taken as 100 ms, and said once.
TEST_F(MainTest, UnusableCommSpeedIsTakenAs100AndToldOnce) {
    for (int speed : {0, -5, 9, 1001, 40000}) {
        cfg_CommSpeed = speed;
        CommSpeedReported = false;
        dialogs.clear();
        load();
        EXPECT_EQ(cfg_CommSpeed, 100) << speed;
        ASSERT_EQ(dialogs.records().size(), 1u) << speed;
        EXPECT_TRUE(dialogs.records()[0].text.contains(QString::number(speed)));
    }
    cfg_CommSpeed = 5;
    dialogs.clear();
    load();
    EXPECT_EQ(cfg_CommSpeed, 100);
    EXPECT_TRUE(dialogs.records().empty()); // told once per run
}

TEST_F(MainTest, SaneCommSpeedIsKept) {
    for (int speed : {10, 100, 1000}) {
        cfg_CommSpeed = speed;
        load();
        EXPECT_EQ(cfg_CommSpeed, speed);
    }
    EXPECT_TRUE(dialogs.records().empty());
}

// The display files decide every readout: the load tells once, in one message,
// which of them could not be used and what the window shows instead.
TEST_F(MainTest, LoadTellsOnceOfUnusableDisplayFiles) {
    QFile::remove(folder.file(QStringLiteral("KVR6SetVariables.cfg")));
    folder.write(QStringLiteral("KVR6SetDisplay.cfg"), "\x01\x02\x03 not a display file\r\n");
    frmMain& w = load();
    ASSERT_EQ(dialogs.records().size(), 1u);
    const auto& told = dialogs.records()[0];
    EXPECT_EQ(told.title, QStringLiteral("Configuration Files"));
    EXPECT_TRUE(told.text.startsWith(
        QStringLiteral("KVR6SetVariables.cfg is missing from the program folder.")))
        << told.text.toStdString();
    EXPECT_TRUE(told.text.contains(QStringLiteral(
        "KVR6SetDisplay.cfg has no \"Display IN:\" line, so none of it could be read.")));
    EXPECT_TRUE(told.text.contains(
        QStringLiteral("The program uses no live readouts, bars or chart traces.")));
    // Nothing more is told as the readouts are refreshed.
    w.Bar_Draw();
    w.Text_Values();
    EXPECT_EQ(dialogs.records().size(), 1u);
}

TEST_F(MainTest, ARowNamingNoReadingIsNotShown) {
    folder.writeLines(QStringLiteral("KVR6SetDisplay.cfg"),
                      {"title", "", "columns", "Display IN:", ",42 ,1 ,1 ,Odd ,Odd ,0 ,10 ,0",
                       ",9 ,2 ,2 ,RPM ,RPM ,0 ,8000 ,0", "END Display:"});
    folder.writeLines(
        QStringLiteral("KVR6SetVariables.cfg"),
        {"title", "", "Setup IN:", ",9 ,1 ,0 ,RPM ,0 ,1", ",9 ,1 ,0 ,RPM ,0 ,1", "END Setup:"});
    load();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains(
        QStringLiteral("line 5: reading id \"42\" names no reading")));
    const auto rows = Readouts::Offered_Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].id, 9);
}
