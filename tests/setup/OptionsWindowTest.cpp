// The global parameter screen as a window on Qt's offscreen platform: real key and
// mouse events into its widgets, the real send path behind Apply and OK.

#include "link/ProgressModel.h"
#include "link/SendPath.h"
#include "link/SendRule.h"
#include "link/WtsUp.h"
#include "mainwin/MainWindow.h"
#include "platform/FormInstance.h"
#include "setup/frmOptions.h"
#include "tests/setup/SetupTestSupport.h"
#include "tests/support/Screenshots.h"
#include "tests/support/WindowWaits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>

using namespace OptionsMap;

namespace {

class OptionsWindow : public ParamImageTest {
protected:
    OptionsWindow() {
        // On-line, read out, polling.
        OnlineState = QStringLiteral("Online");
        UnitOnline = 1;
        CommStatus = 10;
    }
    // The windows go while the scripted dialogs are still there to answer them.
    ~OptionsWindow() override { Unload_All_Windows(); }
    frmOptions& open() {
        frmOptions& w = FormInstance<frmOptions>::get();
        w.show();
        return w;
    }
    static void tab(frmOptions& w, int index) { w.tbsOptions->setCurrentIndex(index); }
    static void clickButton(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    static std::vector<QByteArray> rowFrames() {
        std::vector<QByteArray> frames;
        for (int row : {128, 144, 192})
            frames.push_back(WtsUp::Build_Row_Frame(row));
        FrameText.clear();
        return frames;
    }
    QString told() const {
        return dialogs.records().empty() ? QString() : dialogs.records().back().text;
    }
};

} // namespace

TEST_F(OptionsWindow, OpensOnTheGlobalTabWithApplyEnabled) {
    frmOptions& w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("KVR6 - Global Parameter Setup   by "));
    EXPECT_EQ(w.size(), QSize(412, 326));
    EXPECT_EQ(w.tbsOptions->count(), 8);
    EXPECT_EQ(w.tbsOptions->tabText(7), QStringLiteral("System Config"));
    EXPECT_TRUE(w.picOptions[0]->isVisible());
    for (int i = 1; i < 8; ++i)
        EXPECT_FALSE(w.picOptions[i]->isVisible()) << i;
    EXPECT_EQ(w.picOptions[0]->geometry().left(), 14);
    EXPECT_TRUE(w.cmdApply->isEnabled());
    EXPECT_EQ(w.ComModes->count(), 6);
    EXPECT_EQ(w.lblValue[sldSpe1]->text(), QStringLiteral("-100"));
    EXPECT_EQ(w.optcyl[3]->isChecked(), true);
}

TEST_F(OptionsWindow, SlidersRewriteTheirLabelsAndEnableApply) {
    frmOptions& w = open();
    w.cmdApply->setEnabled(false);
    tab(w, 2);
    QSlider* adv = w.sld[sldIgn1];
    adv->setFocus();
    QTest::keyClick(adv, Qt::Key_Right);
    EXPECT_TRUE(w.cmdApply->isEnabled());
    EXPECT_EQ(w.lblValue[sldIgn1]->text(), QString::number(adv->value()));
    tab(w, 1);
    QTest::keyClick(w.sld[sldAna2], Qt::Key_End);
    EXPECT_EQ(w.lblValue[sldAna2]->text(), QStringLiteral("9.99"));
    tab(w, 5);
    QTest::keyClick(w.sld[sldSwi3], Qt::Key_Home);
    EXPECT_EQ(w.lblValue[sldSwi3]->text(), QStringLiteral("OFF")) << "at 100 x the AMP offset";
    QTest::keyClick(w.sld[sldSwi3], Qt::Key_Right);
    EXPECT_EQ(w.lblValue[sldSwi3]->text(), QStringLiteral(".01"));
    QTest::keyClick(w.sld[sldSwi1], Qt::Key_Home);
    EXPECT_EQ(w.lblValue[sldSwi1]->text(), QStringLiteral("OFF"));
    QTest::keyClick(w.sld[sldSwi1], Qt::Key_Right);
    EXPECT_EQ(w.lblValue[sldSwi1]->text(), QStringLiteral("500"));
}

TEST_F(OptionsWindow, ChoosingAModeShowsItAndEnablesApply) {
    frmOptions& w = open();
    w.cmdApply->setEnabled(false);
    tab(w, 6);
    w.ComModes->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(w.ComModes, Qt::Key_Down);
    EXPECT_EQ(w.lblModes->text(),
              QStringLiteral("11-Single ignition advance and retard + road speed governor"));
    EXPECT_EQ(w.lblModeDesc->text(), ModeDescriptions[2]);
    EXPECT_TRUE(w.cmdApply->isEnabled());
    w.cmdApply->click();
    EXPECT_EQ(ParamBlock[Idx_Mode], 11);
}

TEST_F(OptionsWindow, CtrlTabGoesToTheNextTabAndWrapsCtrlShiftTabDoesNothing) {
    frmOptions& w = open();
    tab(w, 6);
    w.ComModes->setFocus();
    QTest::keyClick(w.ComModes, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w.tbsOptions->currentIndex(), 7);
    EXPECT_TRUE(w.picOptions[7]->isVisible());
    w.optOn[0]->setFocus();
    QTest::keyClick(w.optOn[0], Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w.tbsOptions->currentIndex(), 0) << "from System Config to Global";
    EXPECT_TRUE(w.picOptions[0]->isVisible());
    EXPECT_FALSE(w.picOptions[7]->isVisible());
    QTest::keyClick(w.chkMRE, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(w.chkMRE, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.tbsOptions->currentIndex(), 0);
}

TEST_F(OptionsWindow, ApplyQueuesTheThreeRowsAsOneRequestWithProgress) {
    frmOptions& w = open();
    tab(w, 4);
    clickButton(w.optcyl[5]);
    tab(w, 7);
    clickButton(w.optOn[2]);
    clickButton(w.cmdApply);
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 6);
    EXPECT_EQ(ParamBlock[Idx_OptionBits1] & 4, 4);
    ASSERT_EQ(SendRequests.size(), 1u);
    EXPECT_EQ(SendRequests[0].kind, SendKind::QueueWithProgress);
    EXPECT_EQ(SendRequests[0].elements, rowFrames());
    for (const QByteArray& f : SendRequests[0].elements)
        EXPECT_EQ(f.size(), 50);
    EXPECT_EQ(SendPending, 1);
    EXPECT_TRUE(FrameText.isEmpty());
    EXPECT_TRUE(Progress().visible());
    EXPECT_FALSE(w.cmdApply->isEnabled());
    EXPECT_TRUE(dialogs.records().empty());
    // OK without a further edit only closes.
    clickButton(w.cmdOK);
    EXPECT_EQ(SendRequests.size(), 1u);
    EXPECT_TRUE(Wait_Unloaded<frmOptions>());
}

TEST_F(OptionsWindow, OkRightAfterOpeningSendsTheBytesThatWereRead) {
    const ImageTable read = block();
    frmOptions& w = open();
    clickButton(w.cmdOK);
    EXPECT_EQ(block(), read);
    ASSERT_EQ(SendRequests.size(), 1u);
    EXPECT_EQ(SendRequests[0].elements, rowFrames());
}

// Apply stores and queues nothing when the send rule refuses or the gate is shut,
// says why in the send rule's words, and keeps the edits marked; OK does the same
// and keeps the window open with its edits.
TEST_F(OptionsWindow, NothingStoredNothingQueuedTheEditsKeptAndTold) {
    struct Case {
        const char* state;
        std::function<void()> set;
        QString text;
    };
    const std::vector<Case> cases{
        {"locked", [] { UnitLocked = 1; }, SendRule::Notice(SendRule::Verdict::Locked)},
        {"nothing loaded off-line",
         [] {
             UnitOnline = 0;
             MapLoaded = 0;
             OnlineState = QStringLiteral("Offline");
         },
         QStringLiteral("There is no map loaded")},
        {"port unusable on-line", [] { SendPending = 99; },
         SendRule::Notice(SendRule::Verdict::NoAnswer)},
        {"reading the unit", [] { CommStatus = 5; },
         SendRule::Notice(SendRule::Verdict::ReadingUnit)},
    };
    const ImageTable factory = block();
    for (const Case& k : cases) {
        for (const bool ok : {false, true}) {
            SCOPED_TRACE(std::string(k.state) + (ok ? " OK" : " Apply"));
            ParamBlock = factory;
            UnitLocked = 0;
            UnitOnline = 1;
            MapLoaded = -1;
            OnlineState = QStringLiteral("Online");
            CommStatus = 10;
            SendPending = 0;
            k.set();
            dialogs.clear();
            frmOptions& w = open();
            tab(w, 4);
            clickButton(w.optcyl[5]);
            clickButton(ok ? w.cmdOK : w.cmdApply);
            EXPECT_EQ(block(), factory);
            EXPECT_TRUE(SendRequests.empty());
            EXPECT_TRUE(told().startsWith(k.text)) << told();
            EXPECT_TRUE(Still_Loaded<frmOptions>()) << "the window stays open";
            EXPECT_TRUE(w.cmdApply->isEnabled()) << "the edit is still unsaved";
            EXPECT_TRUE(w.optcyl[5]->isChecked());
            FormInstance<frmOptions>::unload();
        }
    }
}

namespace {
// Records what the screen asks of the main window.
struct RecordingMain : NoMainWindow {
    QStringList calls;
    void Redraw_Shown_Map() override { calls << QStringLiteral("Redraw_Shown_Map"); }
    void Write_RPM_Scale() override { calls << QStringLiteral("Write_RPM_Scale"); }
};
} // namespace

// Off-line the values go into the image as grid edits do, also when the port
// cannot be used: no box, nothing queued.
TEST_F(OptionsWindow, OffLineWithAMapStoresInTheImageOnly) {
    OnlineState = QStringLiteral("Offline");
    SendPending = 99;
    RecordingMain main;
    Set_Main(&main);
    struct Restore {
        ~Restore() { Set_Main(nullptr); }
    } restore;
    frmOptions& w = open();
    tab(w, 4);
    clickButton(w.optcyl[7]);
    clickButton(w.cmdApply);
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 10);
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_TRUE(dialogs.records().empty()) << told();
    EXPECT_FALSE(w.cmdApply->isEnabled());
    // The grid's degrees and RPM captions follow the new cylinders.
    EXPECT_EQ(main.calls,
              (QStringList{QStringLiteral("Write_RPM_Scale"), QStringLiteral("Redraw_Shown_Map")}));
}

TEST_F(OptionsWindow, ACancelAfterApplyLeavesTheQueuedRows) {
    frmOptions& w = open();
    clickButton(w.cmdApply);
    clickButton(w.cmdCancel);
    EXPECT_TRUE(Wait_Unloaded<frmOptions>());
    EXPECT_EQ(SendRequests.size(), 1u);
}

TEST_F(OptionsWindow, TickingTheMaxRpmResetAfterApplyLeavesApplyOff) {
    frmOptions& w = open();
    clickButton(w.cmdApply);
    SendRequests.clear();
    clickButton(w.chkMRE);
    EXPECT_FALSE(w.cmdApply->isEnabled());
    clickButton(w.cmdOK);
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_NE(ParamBlock[Idx_MreReset1], 255);
}

TEST_F(OptionsWindow, ScreenshotOfEveryTab) {
    ParamBlock[Idx_Mode] = 12;
    ParamBlock[Idx_SwitchRpm] = 1;
    ParamBlock[Idx_SwitchRpmLow] = 135;
    ParamBlock[Idx_SwitchTemp] = 85;
    ParamBlock[Idx_SwitchAmp] = 51;
    ParamBlock[Idx_SwitchDefl] = 128;
    ParamBlock[Idx_OptionBits1] = 0b10100101;
    MaxRpmSeen = 6012;
    TestDates = {QStringLiteral("FACT251219991432"),
                 QStringLiteral("DELV010220200905"),
                 QString(16, QChar(255)),
                 QString(16, QChar(255)),
                 QString(16, QChar(255)),
                 QString(16, QChar(255))};
    frmOptions& w = open();
    for (int i = 0; i < 8; ++i) {
        tab(w, i);
        const QPixmap shot = w.grab();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(Screenshot_Path(QStringLiteral("options-%1.png").arg(i))));
    }
}
