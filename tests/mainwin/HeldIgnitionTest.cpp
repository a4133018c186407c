// An ignition value held at a limit is told with the limit: typed into a cell,
// an AMP row or a whole column, or stepped with F8 and F9. Through the real
// window and the serial port against the simulated unit, whose limits are
// 30 degrees of advance and 30 of retard at 4 cylinders.

#include "link/SendPath.h"
#include "link/SendRule.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/LinkWaits.h"

#include <QLabel>

namespace {

constexpr int Advance30 = 85; // 85 / 4 x 360 / 256 = 29.9 degrees
constexpr int Retard30 = 171; // -85

class HeldIgnition : public GridTest {
protected:
    HeldIgnition() {
        unit.setByte(4, Idx_Cylinders, 4);
        unit.setByte(4, Idx_IgnAdvLimit, Advance30);
        unit.setByte(4, Idx_IgnRetLimit, Retard30);
    }
    frmMain& openOnline() {
        OnlineState = QStringLiteral("Online");
        frmMain& w = load();
        w.show();
        EXPECT_TRUE(Wait_Link_Settled())
            << "the read-out did not finish, CommStatus " << CommStatus;
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        w.Select_Tab(3);
        return w;
    }
    QString notice() const { return window->StatusPanel[SendRule::NoticePanel]->text(); }
};

} // namespace

TEST_F(HeldIgnition, AnEntryHeldAtALimitSaysSoWithTheLimit) {
    struct Case {
        const char* name;
        bool amp;    // an AMP row, else grid cell 21
        bool column; // the whole column
        const char* typed;
        int byte;
        const char* shown;
        const char* told; // "" = nothing held, nothing told
    };
    const Case cases[] = {
        {"advance", false, false, "40", Advance30, "30",
         "40 became 30: the advance limit is 30 degrees"},
        {"retard", false, false, "-40", Retard30, "-30",
         "-40 became -30: the retard limit is -30 degrees"},
        {"within the limits", false, false, "20", 57, "20", ""},
        {"a whole column", false, true, "44", Advance30, "30",
         "44 became 30: the advance limit is 30 degrees"},
        {"an AMP row", true, false, "99", Advance30, "30",
         "99 became 30: the advance limit is 30 degrees"},
    };
    frmMain& w = openOnline();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (w.chkAdjustColumn->isChecked() != c.column)
            QTest::mouseClick(w.chkAdjustColumn, Qt::LeftButton);
        click(c.amp ? w.TxtAMP[5] : w.Txt128[21]);
        enter(QString::fromLatin1(c.typed));
        ASSERT_TRUE(Wait_Link_Settled());
        const int address = c.amp ? Idx_IgnAmpCol + 5 : Idx_IgnMap + 21;
        const int page = c.amp ? 6 : 5;
        ASSERT_TRUE(QTest::qWaitFor([&] { return unit.byte(page, address) == c.byte; }, 5000))
            << unit.byte(page, address);
        if (c.column) {
            for (int k = 16; k < 32; ++k)
                EXPECT_EQ(unit.byte(5, k), c.byte) << k;
        }
        const QLineEdit* box = c.amp ? w.TxtAMP[5] : w.Txt128[21];
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(notice(), QString::fromLatin1(c.told));
    }
}

TEST_F(HeldIgnition, AStepHeldAtALimitSaysSoWithTheLimit) {
    struct Case {
        const char* name;
        int byte; // the live cell's byte before the step
        Qt::Key key;
        int after;
        const char* told;
    };
    const Case cases[] = {
        {"F8 at the advance limit", Advance30, Qt::Key_F8, Advance30,
         "Stays at 30: the advance limit is 30 degrees"},
        {"F9 at the retard limit", Retard30, Qt::Key_F9, Retard30,
         "Stays at -30: the retard limit is -30 degrees"},
        {"F8 beyond the advance limit", 100, Qt::Key_F8, Advance30,
         "35 became 30: the advance limit is 30 degrees"},
        {"F9 from the advance limit", Advance30, Qt::Key_F9, Advance30 - 1, ""},
    };
    unit.setLiveCell(21);
    frmMain& w = openOnline();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        unit.setByte(5, Idx_IgnMap + 21, c.byte);
        w.mnuUpload->trigger(); // the unit read again
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return Map5Image[21] == c.byte && Link_Settled(); }, 10000));
        w.activateWindow(); // the progress window of the read-out has gone
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        unit.clearFrames();
        QTest::keyClick(w.txtEnter, c.key);
        // The step goes out even where the limit keeps the byte.
        const QByteArray write = cellFrame('5', 21, c.after);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const auto& f = unit.frames();
                return std::find(f.begin(), f.end(), write) != f.end() && Link_Settled();
            },
            5000));
        EXPECT_EQ(unit.byte(5, 21), c.after);
        EXPECT_EQ(Map5Image[21], c.after);
        EXPECT_EQ(notice(), QString::fromLatin1(c.told));
    }
}
