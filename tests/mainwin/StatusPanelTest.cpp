// Status bar panel 1 on the real main window: every notice the program gives
// is shown whole, and a notice about a state of the link goes once that state
// has passed, a refusal only after it has been seen. Against the simulated unit
// behind the serial port, the panel's clock the test's own.

#include "link/Download.h"
#include "link/SendPath.h"
#include "link/SendRule.h"
#include "mainwin/CellEntry.h"
#include "mainwin/LiveCellStep.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/Screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>

namespace {

using SendRule::Verdict;

class StatusPanel : public GridTest {
protected:
    QLabel& panel() const { return *window->StatusPanel[SendRule::NoticePanel]; }
    // The panel's text fits inside it, every line whole.
    bool fits() const {
        const QLabel& p = panel();
        return p.heightForWidth(p.width()) <= p.height();
    }
};

} // namespace

TEST_F(StatusPanel, EveryNoticeIsShownWhole) {
    const QString texts[] = {
        SendRule::Notice(Verdict::ImageOnly),
        SendRule::Notice(Verdict::ReadingUnit),
        SendRule::Notice(Verdict::NoAnswer),
        SendRule::Notice(Verdict::Locked),
        WtsGeneral::OffLineStepNotice,
        SendRule::NotUnitsNotice,
        CellEntry::AfrRowNotice,
        WtsCM::DownloadWaitsNotice,
        QStringLiteral("88 change(s) not sent: the link was lost before they went out. The grid "
                       "shows the unit's map."),
        QStringLiteral("-44 became -30: the largest retard a cell holds is -128 degrees"),
        QStringLiteral("page 6 address 175 would hold 1000, which is not a byte (0 to 255)"),
        QStringLiteral("File Name : Double Cab 2.4 Economy Stage 3 Tow.kvr"),
    };
    open();
    for (const QString& text : texts) {
        SendRule::Tell(text);
        EXPECT_EQ(panel().text(), text);
        EXPECT_TRUE(fits()) << text.toStdString();
        EXPECT_EQ(panel().toolTip(), text);
    }
    // The measure holds: three notices in a row are more than two lines.
    SendRule::Tell(texts[1] + QLatin1Char(' ') + texts[2] + QLatin1Char(' ') + texts[3]);
    EXPECT_FALSE(fits());
    SendRule::Tell(SendRule::Notice(Verdict::ReadingUnit));
    EXPECT_TRUE(window->grab().save(Screenshot_Path(QStringLiteral("main-status-notice.png"))));
}

TEST_F(StatusPanel, ARefusalStaysToldUntilTheNextEditOrFiveSeconds) {
    static qint64 now; // outlives the window, which may tell as it goes
    now = 1'000'000;
    NoticeClock = [] { return now; };
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    w.show();
    ASSERT_TRUE(Wait_Link_Settled());
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Select_Tab(2);
    const int old = unit.byte(6, 5);
    ASSERT_EQ(Map6Image[5], old);
    // Typed while the unit is read, the value is refused; the read-out then ends.
    const auto refusedDuringAReadOut = [&](const QString& typed) {
        // The read-out's replies come slowly, so the edit surely meets it.
        unit.faults.delayNext = 3;
        unit.faults.delayMs = 300;
        w.mnuUpload->trigger();
        ASSERT_TRUE(QTest::qWaitFor([] { return CommStatus < 10; }, 3000));
        w.activateWindow();
        click(w.Txt128[5]);
        enter(typed);
        EXPECT_EQ(panel().text(), SendRule::Notice(Verdict::ReadingUnit));
        ASSERT_TRUE(Wait_Link_Settled());
    };
    // Some ticks of live polling, each of which reviews the panel.
    const auto someTicks = [&] {
        const int polls = unit.polls();
        ASSERT_TRUE(QTest::qWaitFor([&] { return unit.polls() >= polls + 3; }, 5000));
    };

    refusedDuringAReadOut(QStringLiteral("77"));
    someTicks();
    // The cause has passed, the refusal is still told: grid = unit = the old value.
    EXPECT_EQ(panel().text(), SendRule::Notice(Verdict::ReadingUnit));
    EXPECT_EQ(unit.byte(6, 5), old);
    EXPECT_EQ(Map6Image[5], old);
    EXPECT_EQ(w.Txt128[5]->text(), QString::number(old));
    now += SendRule::RefusalHoldMs - 1;
    someTicks();
    EXPECT_EQ(panel().text(), SendRule::Notice(Verdict::ReadingUnit));
    now += 1;
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel().text().isEmpty(); }, 3000))
        << "still: " << panel().text().toStdString();

    // The user's next edit ends it at once: Enter again sends the kept value.
    refusedDuringAReadOut(QStringLiteral("77"));
    EXPECT_EQ(w.txtEnter->text(), QStringLiteral("77")) << "the refused value is kept";
    w.txtEnter->setFocus();
    key(Qt::Key_Return);
    EXPECT_EQ(panel().text(), QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.byte(6, 5) == 77 && Link_Settled(); }, 5000));
    EXPECT_EQ(w.Txt128[5]->text(), QStringLiteral("77"));

    // Off-line, the off-line word lasts while the program is off-line.
    w.mnuOffline->trigger();
    click(w.Txt128[5]);
    enter(QStringLiteral("78"));
    EXPECT_EQ(panel().text(), SendRule::OfflineNotice);
    QTest::qWait(300);
    EXPECT_EQ(panel().text(), SendRule::OfflineNotice);
    dialogs.answer(Dialogs::Answer::Yes); // the off-line edit may be replaced
    w.mnuOnline->trigger();
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel().text().isEmpty(); }, 3000))
        << "still: " << panel().text().toStdString();
}
