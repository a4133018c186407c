// The display set-up screen on the main window on-line against the simulated unit
// behind the real serial port: what the screen saves is what the main window draws
// from the next live reply on, what the file holds and what a restart shows.

#include "link/ReadingText.h"
#include "mainwin/BarIndicators.h"
#include "mainwin/StripChart.h"
#include "platform/NumberRules.h"
#include "tests/setup/DisplayTestSupport.h"
#include "tests/support/WindowWaits.h"

#include <QCheckBox>

namespace {

class DisplayEndToEnd : public DisplayWindowTest {
protected:
    DisplayEndToEnd() { cfg_CommSpeed = 10; }
    frmMain& openOnline() {
        frmMain& w = loadOnline();
        Setup::Wire_Entries(w);
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    // Waits for a few more live replies.
    bool replies(int n) {
        const int polls = unit.polls();
        return QTest::qWaitFor([&] { return unit.polls() >= polls + n; }, 10000);
    }
    static void expectEngineTempFirst(frmMain& w) {
        const QString value = Readouts::Conv_Input_to_readings(15);
        EXPECT_EQ(w.lblRC[0]->text(), QStringLiteral("Engine Temp"));
        EXPECT_EQ(w.RCNum[0]->text(), value);
        EXPECT_TRUE(w.RCNum[0]->isVisible());
        const Readouts::BarSlot& bar = w.BarSet->bars()[0];
        EXPECT_TRUE(bar.visible);
        EXPECT_EQ(bar.name, QStringLiteral("Engine Temp"));
        EXPECT_EQ(bar.minText, QStringLiteral("0"));
        EXPECT_EQ(bar.maxText, QStringLiteral("120"));
        EXPECT_EQ(w.Plot_Block->text(), QStringLiteral("BLUE - Engine Temp"));
        const Readouts::StripChartModel& chart = w.Chart->model();
        EXPECT_EQ(chart.TraceMax[1], 120);
        EXPECT_EQ(chart.TraceMin[1], 0);
        EXPECT_FLOAT_EQ(chart.TraceValue[1], static_cast<float>(NumberRules::Val(value)));
        EXPECT_EQ(chart.TraceMax[2], 0) << "one trace only";
    }
};

} // namespace

TEST_F(DisplayEndToEnd, EngineTempOnBarOneTextOneAndTheChartFromTheNextReplyAndAfterARestart) {
    unit.setEngine(3000, 120);
    frmMain& w = openOnline();
    ASSERT_EQ(w.lblRC[0]->text(), QStringLiteral("RPM"));
    frmSetup& s = openSetup(w);
    const int rpm = rowOf(s, QStringLiteral("RPM"));
    const int temp = rowOf(s, QStringLiteral("Engine Temp"));
    ASSERT_GE(temp, 0);
    pick(s.comBG[rpm], QStringLiteral("0"));
    pick(s.comT[rpm], QStringLiteral("0"));
    pick(s.comBG[temp], QStringLiteral("1"));
    pick(s.comT[temp], QStringLiteral("1"));
    for (const int k : ticked(s))
        QTest::mouseClick(s.chkP[k], Qt::LeftButton);
    QTest::mouseClick(s.chkP[temp], Qt::LeftButton);
    QTest::mouseClick(s.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmSetup>());
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();

    ASSERT_TRUE(replies(3));
    expectEngineTempFirst(w);
    // Bar 6, which Engine Temp held, is no longer drawn; neither is RPM's old place.
    EXPECT_FALSE(w.BarSet->bars()[5].visible);
    EXPECT_FALSE(w.lblRC[7]->isVisible());
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-after-display-setup.png"))));

    const QStringList rows = fileRows();
    ASSERT_EQ(rows.size(), 19);
    EXPECT_EQ(rows[15].left(27), QStringLiteral(",15    ,1     ,1          ,"));
    EXPECT_EQ(field(rows[15], 8), QStringLiteral("1"));
    EXPECT_EQ(rows[9].left(27), QStringLiteral(",9     ,0     ,0          ,"));
    for (const int r : {3, 7, 9})
        EXPECT_EQ(field(rows[r], 8), QStringLiteral("0")) << r;

    // A restart reads the same layout from the file.
    window->C_Pause->stop();
    window.reset();
    frmMain& again = openOnline();
    ASSERT_TRUE(replies(3));
    expectEngineTempFirst(again);
}

TEST_F(DisplayEndToEnd, ALockedUnitAtOpeningSaysWhyTheRowsAreEmpty) {
    frmMain& w = openOnline();
    const QByteArray before = folder.read(QStringLiteral("KVR6SetDisplay.cfg"));
    unit.faults.locked = true;
    ASSERT_TRUE(QTest::qWaitFor([] { return UnitLocked == 1; }, 10000));
    dialogs.clear();
    frmSetup& s = openSetup(w);
    ASSERT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Display Setup"));
    EXPECT_TRUE(dialogs.records()[0].text.startsWith(QStringLiteral("The unit is locked")))
        << dialogs.records()[0].text.toStdString();
    for (int k = 0; k < s.Shown_Rows(); ++k)
        EXPECT_TRUE(s.lblName[k]->text().isEmpty()) << k;
    EXPECT_TRUE(s.grab().save(Screenshot_Path(QStringLiteral("display-setup-locked.png"))));
    QTest::mouseClick(s.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmSetup>());
    EXPECT_EQ(folder.read(QStringLiteral("KVR6SetDisplay.cfg")), before);

    // Unlocked, the next opening fills the rows and tells nothing.
    unit.faults.locked = false;
    ASSERT_TRUE(QTest::qWaitFor([] { return UnitLocked == 0; }, 10000));
    dialogs.clear();
    frmSetup& again = openSetup(w);
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(again.lblName[0]->text(), QStringLiteral("Analog Input V"));
}
