#include "link/ClearUnit.h"
#include "link/LinkState.h"
#include "link/SendPath.h"
#include "link/frmDosCMD.h"
#include "platform/FormInstance.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/Screenshots.h"
#include "tests/support/WindowWaits.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>

namespace {

class TransferWindowTest : public MainTest {
protected:
    // On-line through the status label, with the read-out of the simulated unit
    // finished: the console's commands are sent only while the link polls.
    frmMain& loadOnline() {
        frmMain& w = load();
        runSequencer();
        w.lblNoComms_Click();
        EXPECT_TRUE(Wait_Link_Settled())
            << "the read-out did not finish, CommStatus " << CommStatus;
        return w;
    }
    void type(frmMain& w, const QString& line) {
        w.txtDOS->setFocus();
        QTest::keyClicks(w.txtDOS, line);
        QTest::keyClick(w.txtDOS, Qt::Key_Return);
    }
};

TEST_F(TransferWindowTest, CopyMapKeepsNegativeCellsWhole) {
    frmMain& w = load();
    const std::array<QString, 8> row0{"-5", "-128", "7", "", "0", "127", "12", "-1"};
    for (int k = 0; k < 8; ++k)
        w.Txt128[k * 16]->setText(row0[k]);
    w.lblrpm[0]->setText(QStringLiteral("500"));
    w.mnuCopy->trigger();
    const QStringList lines = QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[15], QStringLiteral("0), -5, -128, 007, 000, 000, 127, 012, -1,   ,   500"));
}

TEST_F(TransferWindowTest, DownloadEntryQueuesTheWholeImage) {
    frmMain& w = loadOnline();
    ASSERT_TRUE(w.mnuDownload->isEnabled());
    w.mnuDownload->trigger();
    ASSERT_EQ(SendRequests.size(), 1u);
    EXPECT_EQ(SendRequests.front().kind, SendKind::QueueWithProgress);
    EXPECT_EQ(Progress().text(), QStringLiteral("Downloading Data"));
    Map5Image[3] = 700;
    w.mnuDownload->trigger();
    EXPECT_EQ(SendRequests.size(), 1u) << "a map that is no byte image is not sent";
    ASSERT_FALSE(dialogs.records().empty());
    EXPECT_TRUE(dialogs.records().back().text.contains("page 5 address 3 holds 700"));
}

TEST_F(TransferWindowTest, ConsoleRunsTheLineAndEmptiesItself) {
    frmMain& w = loadOnline();
    EXPECT_EQ(w.txtDOS->text(), QStringLiteral("Dos Commands"));
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.txtDOS->setFocus();
    EXPECT_EQ(w.txtDOS->text(), QString()) << "focus empties the placeholder";
    QTest::keyClicks(w.txtDOS, QStringLiteral("MA"));
    EXPECT_EQ(w.txtDOS->text(), QStringLiteral("MA"));
    QTest::keyClick(w.txtDOS, Qt::Key_Return);
    EXPECT_EQ(w.txtDOS->text(), QString());
    EXPECT_EQ(ConsoleLine, QStringLiteral("MA"));
    ASSERT_EQ(SendRequests.size(), 1u);
    EXPECT_EQ(SendRequests.front().elements.front(), QByteArray("3\0\1\r", 4));
    w.txtEnter->setFocus();
    EXPECT_EQ(w.txtDOS->text(), QStringLiteral("Dos Commands"))
        << "focus leaving shows the placeholder";
}

TEST_F(TransferWindowTest, FailedCommandKeepsTheLineAndShowsTheErrorBox) {
    frmMain& w = loadOnline();
    w.show();
    dialogs.clear();
    type(w, QStringLiteral("dl 99"));
    EXPECT_EQ(w.txtDOS->text(), QStringLiteral("dl 99"));
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("An error accrued"));
    EXPECT_TRUE(SendRequests.empty());
}

TEST_F(TransferWindowTest, ScaleCommandRedrawsTheAxis) {
    frmMain& w = loadOnline();
    w.show();
    type(w, QStringLiteral("rl 1000"));
    EXPECT_EQ(w.txtDOS->text(), QString());
    EXPECT_EQ(w.lblrpm[0]->text().trimmed(), QStringLiteral("1000"));
}

TEST_F(TransferWindowTest, GradientPivotsOnTheLiveAmpRow) {
    frmMain& w = loadOnline();
    w.show();
    w.Select_Tab(2);
    for (int i = 0; i < 16; ++i)
        Map6Image[Idx_InjAmpCol + i] = static_cast<std::int16_t>(10 * i);
    LiveAmpCellA = 7;
    type(w, QStringLiteral("ag 0"));
    EXPECT_EQ(cmd, QStringLiteral("ag"));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Map6Image[Idx_InjAmpCol + i], 70) << i;
    EXPECT_EQ(w.TxtAMP[0]->text(), w.TxtAMP[7]->text()) << "the column is redrawn";
}

TEST_F(TransferWindowTest, HandedOverLetterStaysAndEmptiesTheEntryBox) {
    frmMain& w = load();
    w.show();
    w.txtEnter->setText(QStringLiteral("m"));
    w.txtDOS->setText(QStringLiteral("m"));
    ConsoleHandover = 1;
    w.txtDOS_GotFocus();
    EXPECT_EQ(w.txtDOS->text(), QStringLiteral("m"));
    EXPECT_EQ(w.txtEnter->text(), QString());
    w.txtDOS_KeyDown('A');
    EXPECT_EQ(ConsoleHandover, 0);
}

TEST_F(TransferWindowTest, HelpWindowFollowsItsMenuTick) {
    frmMain& w = load();
    w.show();
    ASSERT_TRUE(w.mnuDosHelp->isEnabled());
    w.mnuDosHelp->trigger();
    ASSERT_TRUE(FormInstance<frmDosCMD>::loaded());
    frmDosCMD& help = FormInstance<frmDosCMD>::get();
    EXPECT_TRUE(w.mnuDosHelp->isChecked());
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.windowTitle(),
              QStringLiteral("KVR6 - Help on Dos Commands   by Fast Lane Motors"));
    EXPECT_EQ(help.Frame1->title(), QStringLiteral("Dos Commands"));
    const QString text = help.RichTextBox1->toPlainText();
    for (const char* part : {"====> CHANGING MAPS <====", "MA", "Set the KVR to map A", "AG p gra",
                             "Sets an equal gradient", "====> COMMANDS ONLY AVAILABLE IN DOS <====",
                             "====> THEY DO NOT WORK IN THIS PROGRAM <====", "=> SC val",
                             "Set column to value", "XX", "Reset the KVR6"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(part))) << part;
    EXPECT_TRUE(help.grab().save(Screenshot_Path(QStringLiteral("command-help.png"))));
    w.mnuDosHelp->trigger();
    EXPECT_FALSE(FormInstance<frmDosCMD>::loaded());
    EXPECT_FALSE(w.mnuDosHelp->isChecked());
}

TEST_F(TransferWindowTest, CtrlDInTheHelpWindowClosesIt) {
    frmMain& w = load();
    w.show();
    w.mnuDosHelp_Click();
    frmDosCMD& help = FormInstance<frmDosCMD>::get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    QTest::keyClick(help.RichTextBox1, Qt::Key_D, Qt::ControlModifier);
    EXPECT_FALSE(FormInstance<frmDosCMD>::loaded());
    EXPECT_FALSE(w.mnuDosHelp->isChecked());
}

TEST_F(TransferWindowTest, ActivatingTheMainWindowClosesTheHelp) {
    frmMain& w = load();
    w.show();
    w.mnuDosHelp_Click();
    frmDosCMD& help = FormInstance<frmDosCMD>::get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    w.activateWindow();
    EXPECT_TRUE(Wait_Unloaded<frmDosCMD>());
    EXPECT_FALSE(w.mnuDosHelp->isChecked());
    w.mnuDosHelp_Click();
    EXPECT_TRUE(FormInstance<frmDosCMD>::loaded()) << "a fresh window";
    EXPECT_TRUE(w.mnuDosHelp->isChecked());
}

TEST_F(TransferWindowTest, ClosingTheMainWindowClosesTheHelp) {
    frmMain& w = load();
    w.show();
    w.mnuDosHelp_Click();
    frmDosCMD* help = FormInstance<frmDosCMD>::ifLoaded();
    ASSERT_NE(help, nullptr);
    w.close();
    EXPECT_FALSE(help->isVisible());
    EXPECT_FALSE(w.mnuDosHelp->isChecked());
}

TEST_F(TransferWindowTest, HoldingTheRpmHeadingStartsTheClearAndAnEarlyReleaseDoesNot) {
    frmMain& w = load();
    w.show();
    QTest::mousePress(w.Label16, Qt::LeftButton);
    EXPECT_TRUE(w.Timer_Clear->isActive());
    EXPECT_EQ(w.Timer_Clear->interval(), 4000);
    QTest::mouseRelease(w.Label16, Qt::LeftButton);
    EXPECT_FALSE(w.Timer_Clear->isActive());
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(TransferWindowTest, ClearTimerAsksReadsTheFileAndQueues) {
    folder.copyData(WtsCM::ClearFileName);
    frmMain& w = loadOnline();
    w.ClearClock = [] { return QDateTime(QDate(2025, 3, 1), QTime(14, 7)); };
    w.Timer_Clear->start();
    dialogs.clear();
    dialogs.answer(Dialogs::Answer::Yes);
    w.Timer_Clear_Timer();
    EXPECT_FALSE(w.Timer_Clear->isActive());
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Clearing the KVR6 unit!!"));
    ASSERT_EQ(SendRequests.size(), 1u);
    const std::vector<QByteArray>& e = SendRequests.front().elements;
    ASSERT_EQ(e.size(), 85u);
    EXPECT_EQ(e[80].mid(2, 16), "dtdt030120251407");
    EXPECT_EQ(PauseMode, 2);
    EXPECT_EQ(Progress().text(), QStringLiteral("Clearing the KVR6 UNIT"));
}

} // namespace

namespace {

// The main window on-line with the simulated unit over the real serial port.
class OnlineTransferTest : public MainTest {
protected:
    frmMain& startOnline() {
        OnlineState = QStringLiteral("Online");
        cfg_CommSpeed = 30; // a brisk poll: the clear sends 85 elements, one a tick
        frmMain& w = load();
        w.show();
        EXPECT_TRUE(Wait_Link_Settled());
        return w;
    }
};

TEST_F(OnlineTransferTest, DownloadFromTheMenuReachesTheUnit) {
    frmMain& w = startOnline();
    for (int a = 0; a < 128; ++a)
        Map6Image[a] = static_cast<std::int16_t>(200 - a);
    ParamBlock[Idx_SpeedLimit] = 77;
    w.mnuDownload->trigger();
    ASSERT_TRUE(QTest::qWaitFor([] { return UnitOnline == 0; }, 5000)) << "read again";
    ASSERT_TRUE(Wait_Link_Settled()) << "CommStatus " << CommStatus;
    for (int a = 0; a < 128; ++a)
        ASSERT_EQ(unit.byte(6, a), 200 - a) << a;
    EXPECT_EQ(unit.byte(4, Idx_SpeedLimit), 77);
    EXPECT_EQ(Map6Image[3], 197) << "read back";
}

TEST_F(OnlineTransferTest, ClearFromTheRpmHeadingReachesTheUnitAndIsReadBack) {
    folder.copyData(WtsCM::ClearFileName);
    frmMain& w = startOnline();
    w.ClearClock = [] { return QDateTime(QDate(2026, 11, 30), QTime(9, 41)); };
    dialogs.answer(Dialogs::Answer::Yes);
    w.Timer_Clear_Timer();
    ASSERT_TRUE(QTest::qWaitFor([] { return UnitOnline == 0; }, 15000)) << "read again";
    ASSERT_TRUE(Wait_Link_Settled()) << "CommStatus " << CommStatus;
    EXPECT_EQ(unit.text().mid(48, 16), "dtdt113020260941");
    EXPECT_EQ(TestDates[1], QStringLiteral("dtdt113020260941"));
    EXPECT_EQ(TestDates[3], QString(16, QChar(255)));
    EXPECT_EQ(Map6Image[0], 100) << "the factory injection map, read back";
    EXPECT_EQ(MapId.trimmed(), QStringLiteral("FACTORY MAP A"));
}

} // namespace
