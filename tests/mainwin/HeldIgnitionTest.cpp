// An ignition value held at a limit is told with the limit: typed into a cell,
// an AMP row or a whole column, or stepped with F8 and F9; whatever the limits,
// a raise never lowers a cell and a lower never raises one. Through the real
// window and the serial port against the simulated unit, whose limits are
// 30 degrees of advance and 30 of retard at 4 cylinders unless a test sets others.

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
    // The unit and the image hold the same limits and cell bytes to start from.
    void setLimits(int advance, int retard) {
        unit.setByte(4, Idx_IgnAdvLimit, advance);
        unit.setByte(4, Idx_IgnRetLimit, retard);
        ParamBlock[Idx_IgnAdvLimit] = static_cast<std::int16_t>(advance);
        ParamBlock[Idx_IgnRetLimit] = static_cast<std::int16_t>(retard);
    }
    void setCell(int cell, int byte) {
        unit.setByte(5, Idx_IgnMap + cell, byte);
        Map5Image[Idx_IgnMap + cell] = static_cast<std::int16_t>(byte);
    }
    // Waits until the unit has received the write of a cell and the link is idle.
    bool received(const QByteArray& write) const {
        return QTest::qWaitFor(
            [&] {
                const auto& f = unit.frames();
                return std::find(f.begin(), f.end(), write) != f.end() && Link_Settled();
            },
            5000);
    }
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
        {"F8 beyond the advance limit", 100, Qt::Key_F8, 100,
         "Stays at 35: the advance limit is 30 degrees"},
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

TEST_F(HeldIgnition, NoLimitTurnsAnEditRound) {
    // Bytes at 4 cylinders: 14 = 5 degrees, 28 = 10, 100 = 35, 114 = 40,
    // 156 = -35, 198 and 199 = -20, 228 = -10, 242 = -5. Cell 21 is typed into and is the live
    // cell.
    struct Case {
        const char* name;
        int advance;
        int retard;
        int before;
        const char* typed; // nullptr: the key
        Qt::Key key;
        int after;
        const char* shown;
        const char* told;
    };
    const Case cases[] = {
        {"F9 with the retard limit at 0", Advance30, 0, 242, nullptr, Qt::Key_F9, 242, "-5",
         "Stays at -5: the retard limit is 0 degrees"},
        {"-10 typed with the retard limit at 0", Advance30, 0, 242, "-10", Qt::Key_unknown, 242,
         "-5", "Stays at -5: the retard limit is 0 degrees"},
        {"F9 below a retard limit above 0", Advance30, 28, 14, nullptr, Qt::Key_F9, 14, "5",
         "Stays at 5: the retard limit is 10 degrees"},
        {"F8 with the advance limit below 0", 228, Retard30, 242, nullptr, Qt::Key_F8, 242, "-5",
         "Stays at -5: the advance limit is -10 degrees"},
        {"5 typed with the advance limit below 0", 228, Retard30, 0, "5", Qt::Key_unknown, 0, "0",
         "Stays at 0: the advance limit is -10 degrees"},
        {"F9 with the advance limit below 0", 228, Retard30, 199, nullptr, Qt::Key_F9, 198, "-20",
         ""},
        {"F8 with both limits 0", 0, 0, 114, nullptr, Qt::Key_F8, 114, "40",
         "Stays at 40: the advance limit is 0 degrees"},
        {"F9 with both limits 0", 0, 0, 114, nullptr, Qt::Key_F9, 0, "0",
         "40 became 0: the advance limit is 0 degrees"},
        {"-10 typed with both limits 0", 0, 0, 0, "-10", Qt::Key_unknown, 0, "0",
         "-10 became 0: the retard limit is 0 degrees"},
        {"40 typed beyond the advance limit", Advance30, Retard30, 100, "40", Qt::Key_unknown, 100,
         "35", "Stays at 35: the advance limit is 30 degrees"},
        {"20 typed beyond the advance limit", Advance30, Retard30, 100, "20", Qt::Key_unknown, 57,
         "20", ""},
        {"F9 beyond the retard limit", Advance30, Retard30, 156, nullptr, Qt::Key_F9, 156, "-35",
         "Stays at -35: the retard limit is -30 degrees"},
        {"F8 beyond the retard limit", Advance30, Retard30, 156, nullptr, Qt::Key_F8, Retard30,
         "-30", "-35 became -30: the retard limit is -30 degrees"},
        {"40 typed within the limits", Advance30, Retard30, 0, "40", Qt::Key_unknown, Advance30,
         "30", "40 became 30: the advance limit is 30 degrees"},
    };
    unit.setLiveCell(21);
    frmMain& w = openOnline();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setLimits(c.advance, c.retard);
        setCell(21, c.before);
        w.Redraw_Shown_Map();
        unit.clearFrames();
        if (c.typed) {
            click(w.Txt128[21]);
            enter(QString::fromLatin1(c.typed));
        } else {
            QTest::keyClick(w.txtEnter, c.key);
        }
        ASSERT_TRUE(received(cellFrame('5', 21, c.after)));
        EXPECT_EQ(unit.byte(5, 21), c.after);
        EXPECT_EQ(Map5Image[21], c.after);
        EXPECT_EQ(w.Txt128[21]->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(notice(), QString::fromLatin1(c.told));
    }
}

TEST_F(HeldIgnition, AColumnEntryLeavesACellBeyondTheLimitWhereItIs) {
    frmMain& w = openOnline();
    for (int k = 16; k < 32; ++k)
        setCell(k, 0);
    setCell(21, 100); // 35 degrees, beyond the advance limit of 30
    w.Redraw_Shown_Map();
    click(w.Txt128[17]);
    QTest::mouseClick(w.chkAdjustColumn, Qt::LeftButton);
    ASSERT_TRUE(w.chkAdjustColumn->isChecked());
    click(w.Txt128[17]);
    unit.clearFrames();
    enter(QStringLiteral("40"));
    ASSERT_TRUE(Wait_Link_Settled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.byte(5, 16) == Advance30; }, 5000));
    for (int k = 16; k < 32; ++k) {
        const int expected = k == 21 ? 100 : Advance30;
        EXPECT_EQ(unit.byte(5, k), expected) << k;
        EXPECT_EQ(Map5Image[k], expected) << k;
        EXPECT_EQ(w.Txt128[k]->text(), QString::fromLatin1(k == 21 ? "35" : "30")) << k;
    }
    EXPECT_EQ(notice(), QStringLiteral("40 became 30: the advance limit is 30 degrees"));
}
