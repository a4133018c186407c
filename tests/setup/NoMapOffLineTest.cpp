// Off-line with no map in the image, reached through the real link and the
// simulated unit behind the serial port: the two scale editors and the global
// parameter screen refuse every change, however the program got there. A
// locked unit's read-out reads no map, so its end leaves none.

#include "setup/frmOptions.h"

#include "tests/setup/ScaleWindowSupport.h"
#include "tests/support/CaseNames.h"
#include <QRadioButton>

#include <QTabBar>

namespace {

struct NoMapCase {
    const char* name;
    bool locked; // the unit reports itself locked (No-Tune)
    bool read;   // the program read the unit (it answered) before it fell silent
};

class NoMapOffLine : public ScaleWindowTest, public ::testing::WithParamInterface<NoMapCase> {
protected:
    // The unit falls silent and the link's loss ladder takes the program off-line.
    void fallSilentToOffLine(frmMain& w) {
        unit.faults.silent = true;
        for (int i = 0; i < 1000 && OnlineState != OnlineStates::Offline; ++i)
            w.Link.Comm_Timer_Timer();
        ASSERT_EQ(OnlineState, OnlineStates::Offline);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    frmOptions& openOptions() {
        EXPECT_TRUE(window->mnuGlobal->isEnabled());
        window->Run_Entry(window->mnuGlobal);
        frmOptions* options = FormInstance<frmOptions>::ifLoaded();
        EXPECT_NE(options, nullptr);
        return *options;
    }
    static void clickTab(frmOptions& o, int index) {
        QTabBar* bar = o.tbsOptions;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    QString lastTold() const {
        return dialogs.records().empty() ? QString() : dialogs.records().back().text;
    }
};

} // namespace

TEST_P(NoMapOffLine, BothScaleEditorsAndTheGlobalSettingsRefuseEveryChange) {
    const NoMapCase& c = GetParam();
    unit.faults.locked = c.locked;
    unit.faults.silent = !c.read;
    OnlineState = QStringLiteral("Online");
    frmMain& w = openWired();
    if (c.read)
        ASSERT_TRUE(Wait_Link_Settled());
    ASSERT_EQ(UnitLocked, c.locked ? 1 : 0);
    fallSilentToOffLine(w);
    ASSERT_EQ(UnitLocked, 0) << "off-line there is no unit, and no lock";
    const auto image = bytes(0, 256);
    dialogs.clear();

    // RPM Scale: the foot's Min 1000 / Max 7000 and Apply, as a new user would.
    frmScaleRPM& rpm = openRpm();
    EXPECT_TRUE(lastTold().startsWith(QStringLiteral("There is no map loaded and no unit on-line")))
        << lastTold().toStdString();
    type(rpm.Input_Min, QStringLiteral("1000"));
    type(rpm.Input_max, QStringLiteral("7000"));
    dialogs.clear();
    QTest::mouseClick(rpm.cmdApply, Qt::LeftButton);
    EXPECT_EQ(notice(), SendRule::NoMapNotice) << "the send rule refused it";
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
    EXPECT_FALSE(rpm.cmdApplyAll->isEnabled());
    EXPECT_TRUE(rpm.grab().save(Screenshot_Path(QStringLiteral("scale-rpm-no-map.png"))));
    QTest::mouseClick(rpm.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmScaleRPM>());

    // Deflection Scale: a bar moved by keys.
    frmScaleDeflect& deflection = openDeflection();
    if (ScaleMinMaxMode == 1)
        QTest::mouseClick(deflection.chkActiveN, Qt::LeftButton);
    clickBar(deflection, 3);
    SendRule::Tell(QString());
    press(deflection, Qt::Key_PageUp);
    EXPECT_EQ(notice(), SendRule::NoMapNotice);
    QTest::mouseClick(deflection.cmdCancel, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmScaleDeflect>());

    // Global Settings: six cylinders and Apply.
    frmOptions& options = openOptions();
    clickTab(options, 4);
    QTest::mouseClick(options.optcyl[5], Qt::LeftButton);
    QTest::mouseClick(options.cmdApply, Qt::LeftButton);
    EXPECT_EQ(lastTold(), SendRule::NoMapNotice);
    EXPECT_TRUE(Still_Loaded<frmOptions>());
    FormInstance<frmOptions>::unload();

    EXPECT_EQ(bytes(0, 256), image) << "nothing of the image changed";
    EXPECT_EQ(OfflineEdits, 0);
    EXPECT_TRUE(SendRequests.empty());
}

INSTANTIATE_TEST_SUITE_P(OffLine, NoMapOffLine,
                         ::testing::Values(NoMapCase{"a locked unit read then silent", true, true},
                                           NoMapCase{"an unlocked unit that never answered", false,
                                                     false}),
                         By_Case_Name());

// The menu's Off-Line after a locked unit: no map was read, so the default map
// is loaded as at any Off-Line without one, and the screens then edit it.
TEST_F(ScaleWindowTest, OffLineAfterALockedUnitLoadsTheDefaultMapToEdit) {
    unit.faults.locked = true;
    frmMain& w = openOnlineWired();
    ASSERT_EQ(UnitLocked, 1);
    w.mnuOffline->trigger();
    ASSERT_EQ(OnlineState, OnlineStates::Offline);
    EXPECT_GT(runSequencer(), 0) << "the default map is loaded";
    EXPECT_EQ(MapLoaded, -1);
    for (int n = 0; n < 16; ++n)
        EXPECT_NE(w.lblrpm[n]->text(), QStringLiteral("?")) << "RPM label " << n;
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-default-map-after-lock.png"))));

    dialogs.clear();
    frmScaleRPM& rpm = openRpm();
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
    type(rpm.Input_Min, QStringLiteral("1000"));
    type(rpm.Input_max, QStringLiteral("7000"));
    QTest::mouseClick(rpm.cmdApply, Qt::LeftButton);
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(*rpm.editor().Whole(0), 1000);
    EXPECT_EQ(w.lblrpm[0]->text(), QStringLiteral("1000"));
    QTest::mouseClick(rpm.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmScaleRPM>());
    EXPECT_EQ(OfflineEdits, 1);
}
