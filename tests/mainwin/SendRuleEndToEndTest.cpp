// Edits made on the window while the link changes under them: off-line, with the
// unit silent, while the unit is read, and with the unit locked. Through the
// real menus and the real serial port against the simulated unit, the unit's
// byte is compared with the grid afterwards.

#include "link/SendPath.h"
#include "link/SendRule.h"
#include "mainwin/LiveCellStep.h"
#include "mainwin/MapCellText.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/LinkWaits.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int Cell = 5; // injection cell 5, page 6 address 5

class SendRuleEndToEnd : public GridTest {
protected:
    frmMain& openOnline() {
        OnlineState = QStringLiteral("Online");
        frmMain& w = load();
        w.show();
        EXPECT_TRUE(Wait_Link_Settled())
            << "the read-out did not finish, CommStatus " << CommStatus;
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    // The grid cell shows the unit's byte, and the image holds it.
    void expectGridIsTheUnits() {
        const int held = unit.byte(6, Cell);
        EXPECT_EQ(Map6Image[Cell], held);
        EXPECT_EQ(window->Txt128[Cell]->text(), MapCellText::Cell(2, Cell));
    }
    bool writeReceived(int address) const {
        for (const QByteArray& f : unit.frames())
            if (SendPath::Is_Write(f) && f.size() >= 2 &&
                static_cast<unsigned char>(f.at(1)) == address)
                return true;
        return false;
    }
    QString notice() const { return window->StatusPanel[SendRule::NoticePanel]->text(); }
    void editCell(const QString& value) {
        window->Select_Tab(2);
        click(window->Txt128[Cell]);
        enter(value);
    }
};

} // namespace

TEST_F(SendRuleEndToEnd, AnOffLineEditIsToldAndTheReadOutOnGoingOnLineLeavesGridAndUnitAgreeing) {
    unit.setByte(6, Cell, 115);
    frmMain& w = openOnline();
    ASSERT_EQ(Map6Image[Cell], 115);
    w.mnuOffline->trigger();
    ASSERT_EQ(OnlineState, QStringLiteral("Offline"));
    unit.clearFrames();

    editCell(QStringLiteral("77"));
    EXPECT_EQ(w.Txt128[Cell]->text(), QStringLiteral("77"));
    EXPECT_EQ(notice(), SendRule::OfflineNotice);

    // Going on-line asks first; No keeps the edit and stays off-line.
    dialogs.clear();
    w.mnuOnline->trigger();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Changes not sent"));
    EXPECT_EQ(OnlineState, QStringLiteral("Offline"));
    EXPECT_EQ(w.Txt128[Cell]->text(), QStringLiteral("77"));

    dialogs.answer(Dialogs::Answer::Yes);
    w.mnuOnline->trigger();
    ASSERT_TRUE(Wait_Link_Settled());
    QTest::qWait(300); // a few polls more: nothing goes out late
    EXPECT_FALSE(writeReceived(Cell)) << "no write lands after the read-out";
    EXPECT_EQ(unit.byte(6, Cell), 115);
    expectGridIsTheUnits();
    EXPECT_EQ(w.Txt128[Cell]->text(), QStringLiteral("115"));
}

TEST_F(SendRuleEndToEnd, AnEditWhileTheUnitIsSilentIsRefusedAndGoesOutOnceTheUnitAnswers) {
    unit.setByte(6, Cell, 115);
    frmMain& w = openOnline();
    unit.faults.silent = true; // the cable is pulled
    while (bad_cnt < SendRule::SilentTicks)
        w.Link.Comm_Timer_Timer();
    ASSERT_TRUE(w.lblNoComms[0]->isVisible()) << "the loss shows";

    editCell(QStringLiteral("77"));
    EXPECT_TRUE(notice().startsWith(QStringLiteral("Not sent: the unit does not answer")))
        << notice().toStdString();
    EXPECT_EQ(w.Txt128[Cell]->text(), QStringLiteral("115")) << "the grid keeps the unit's value";
    EXPECT_EQ(Map6Image[Cell], 115);
    EXPECT_EQ(w.txtEnter->text(), QStringLiteral("77")) << "kept for another Enter";

    unit.faults.silent = false; // plugged back
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_EQ(unit.byte(6, Cell), 115);
    expectGridIsTheUnits();

    key(Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.byte(6, Cell) == 77; }, 5000));
    ASSERT_TRUE(Wait_Link_Settled());
    expectGridIsTheUnits();
}

TEST_F(SendRuleEndToEnd, AnEditWhileTheUnitIsReadIsRefusedAndTheGridShowsTheUnitAfterwards) {
    unit.setByte(6, Cell, 115);
    frmMain& w = openOnline();
    // The read-out's replies come slowly, so the edit surely meets it.
    unit.faults.delayNext = 3;
    unit.faults.delayMs = 300;
    w.mnuUpload->trigger();
    ASSERT_TRUE(QTest::qWaitFor([] { return CommStatus < 10; }, 3000));

    editCell(QStringLiteral("77"));
    EXPECT_TRUE(notice().startsWith(QStringLiteral("Not sent: the unit is being read")))
        << notice().toStdString();
    ASSERT_TRUE(Wait_Link_Settled());
    QTest::qWait(300);
    EXPECT_FALSE(writeReceived(Cell));
    EXPECT_EQ(unit.byte(6, Cell), 115);
    expectGridIsTheUnits();

    // Once the read-out has finished the same Enter goes out.
    key(Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.byte(6, Cell) == 77; }, 5000));
    ASSERT_TRUE(Wait_Link_Settled());
    expectGridIsTheUnits();
}

TEST_F(SendRuleEndToEnd, ALockedUnitReceivesNoWriteFromTheSteppingKeys) {
    unit.faults.locked = true;
    unit.setLiveCell(21);
    frmMain& w = openOnline();
    ASSERT_EQ(UnitLocked, 1);
    unit.clearFrames();

    for (QPushButton* b : {w.cmdF4, w.cmdF5, w.cmdF6, w.cmdF7, w.cmdF8, w.cmdF9}) {
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString() << " follows its menu entry";
        QTest::mouseClick(b, Qt::LeftButton);
    }
    for (Qt::Key k : {Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9})
        QTest::keyClick(w.txtEnter, k);
    // The 3-D view calls the stepping procedures themselves.
    for (void (*step)() : {WtsGeneral::Step_Analog_Cell_Up, WtsGeneral::Step_Analog_Cell_Down,
                           WtsGeneral::Step_Inject_Cell_Up, WtsGeneral::Step_Inject_Cell_Down,
                           WtsGeneral::Step_Ign_Cell_Up, WtsGeneral::Step_Ign_Cell_Down})
        step();
    EXPECT_EQ(notice(), SendRule::Notice(SendRule::Verdict::Locked));
    EXPECT_TRUE(SendRequests.empty());
    QTest::qWait(500); // polls go on; nothing else
    for (const QByteArray& f : unit.frames())
        EXPECT_FALSE(SendPath::Is_Write(f)) << f.toHex().toStdString();
    EXPECT_GT(unit.polls(), 0);
}
