// Edits of whole columns in the 3-D view against the simulated unit over the
// real serial link: the unit's page, the image and the main window's grid agree
// afterwards; two edits in quick succession both arrive whole; off-line nothing
// goes out and going on-line asks first; a locked unit receives no write.

#include "link/SendRule.h"
#include "mainwin/MapCellText.h"
#include "tests/view3d/View3dTestSupport.h"

#include <QRadioButton>

using namespace View3D;

namespace {

constexpr int Column = 3;

class EditEndToEnd : public ViewWindowTest {
protected:
    void SetUp() override {
        for (int r = 0; r < 16; ++r)
            unit.setByte(6, Column * 16 + r, 100 + r);
    }
    frm3DDrw& openColumnMode(frmMain& w) {
        w.Select_Tab(2);
        frm3DDrw& v = openView(w, w.mnu3DIgn); // the injection map
        const QPoint p(static_cast<int>(std::lround(NodeX[4][Column] / 15.0)),
                       static_cast<int>(std::lround(NodeY[4][Column] / 15.0)));
        QTest::mouseClick(v.Picture, Qt::LeftButton, {}, p);
        EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(4, Column));
        QTest::mouseClick(v.Option4, Qt::LeftButton); // proportional, vertical
        EXPECT_TRUE(v.Option4->isChecked());
        return v;
    }
    std::vector<int> unitColumn() const {
        std::vector<int> v;
        for (int r = 0; r < 16; ++r)
            v.push_back(unit.byte(6, Column * 16 + r));
        return v;
    }
    static std::vector<int> imageColumn() {
        std::vector<int> v;
        for (int r = 0; r < 16; ++r)
            v.push_back(Map6Image[Column * 16 + r]);
        return v;
    }
    std::vector<int> gridColumn() const {
        std::vector<int> v;
        for (int r = 0; r < 16; ++r)
            v.push_back(window->Txt128[Column * 16 + r]->text().toInt());
        return v;
    }
    static std::vector<int> column(int first) {
        std::vector<int> v;
        for (int r = 0; r < 16; ++r)
            v.push_back(first + r);
        return v;
    }
};

TEST_F(EditEndToEnd, AColumnRaiseGoesToTheUnitAsOneRequestAndAllThreeAgree) {
    frmMain& w = openOnlineWired();
    frm3DDrw& v = openColumnMode(w);
    ASSERT_TRUE(Wait_Link_Settled());
    unit.clearFrames();

    QTest::keyClick(v.Picture, Qt::Key_PageUp);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unitColumn() == column(102); }, 5000));
    ASSERT_TRUE(Wait_Link_Settled());
    std::vector<QByteArray> expected;
    for (int r = 0; r < 16; ++r)
        expected.push_back(GridTest::cellFrame('6', Column * 16 + r, 102 + r));
    EXPECT_EQ(writesReceived(), expected) << "16 cell frames in increasing address";
    EXPECT_EQ(imageColumn(), column(102));
    EXPECT_EQ(gridColumn(), column(102));
    EXPECT_EQ(v.Status_Text(), QStringLiteral("Injection value at the pointer : 106"));
}

TEST_F(EditEndToEnd, APressBesideANodeEditsThatNodesCellOnTheUnitAndAFarPressMovesNothing) {
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 16; ++r)
            unit.setByte(6, c * 16 + r, Relief_Bytes(r, c).injection);
    frmMain& w = openOnlineWired();
    w.Select_Tab(2);
    frm3DDrw& v = openView(w, w.mnu3DIgn);
    ASSERT_TRUE(Wait_Link_Settled());
    unit.clearFrames();
    std::vector<int> expected;
    for (int a = 0; a < 128; ++a)
        expected.push_back(unit.byte(6, a));
    const auto unitMap = [this] {
        std::vector<int> m;
        for (int a = 0; a < 128; ++a)
            m.push_back(unit.byte(6, a));
        return m;
    };
    constexpr int Cell = 5 * 16 + 6; // node (6, 5)
    const QPoint node(static_cast<int>(std::lround(NodeX[6][5] / 15.0)),
                      static_cast<int>(std::lround(NodeY[6][5] / 15.0)));

    QTest::mouseClick(v.Picture, Qt::LeftButton, {}, node + QPoint(0, 1)); // 1 px below
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(6, 5));
    QTest::keyClick(v.Picture, Qt::Key_PageUp);
    expected[Cell] += 2;
    ASSERT_TRUE(QTest::qWaitFor([&] { return unitMap() == expected; }, 5000));
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_EQ(window->Txt128[Cell]->text().toInt(), unit.byte(6, Cell));
    EXPECT_EQ(v.Status_Text(),
              QStringLiteral("Injection value at the pointer : %1").arg(unit.byte(6, Cell)));

    // A press in the empty corner of the drawing, then Page Down: the same cell.
    QTest::mouseClick(v.Picture, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::keyClick(v.Picture, Qt::Key_PageDown);
    expected[Cell] -= 2;
    ASSERT_TRUE(QTest::qWaitFor([&] { return unitMap() == expected; }, 5000));
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_EQ(writesReceived(),
              (std::vector<QByteArray>{GridTest::cellFrame('6', Cell, expected[Cell] + 2),
                                       GridTest::cellFrame('6', Cell, expected[Cell])}));
    EXPECT_EQ(window->Txt128[Cell]->text().toInt(), unit.byte(6, Cell));
}

TEST_F(EditEndToEnd, TwoColumnRaisesInQuickSuccessionBothArriveWhole) {
    frmMain& w = openOnlineWired();
    frm3DDrw& v = openColumnMode(w);
    ASSERT_TRUE(Wait_Link_Settled());
    unit.clearFrames();

    QTest::keyClick(v.Picture, Qt::Key_PageUp);
    QTest::keyClick(v.Picture, Qt::Key_PageUp); // while the first is still going out
    EXPECT_GE(SendPath::Requests_Outstanding(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unitColumn() == column(104); }, 8000));
    ASSERT_TRUE(Wait_Link_Settled());
    const std::vector<QByteArray> writes = writesReceived();
    ASSERT_EQ(writes.size(), 32u);
    for (int r = 0; r < 16; ++r) {
        EXPECT_EQ(writes[static_cast<std::size_t>(r)],
                  GridTest::cellFrame('6', Column * 16 + r, 102 + r));
        EXPECT_EQ(writes[static_cast<std::size_t>(16 + r)],
                  GridTest::cellFrame('6', Column * 16 + r, 104 + r));
    }
    EXPECT_EQ(imageColumn(), column(104));
    EXPECT_EQ(gridColumn(), column(104));
}

TEST_F(EditEndToEnd, OffLineTheEditStaysInTheImageAndGoingOnLineAsksFirst) {
    frmMain& w = openOnlineWired();
    w.mnuOffline->trigger();
    ASSERT_EQ(OnlineState, OnlineStates::Offline);
    frm3DDrw& v = openColumnMode(w);
    unit.clearFrames();
    QTest::keyClick(v.Picture, Qt::Key_PageUp);
    EXPECT_EQ(imageColumn(), column(102));
    EXPECT_EQ(gridColumn(), column(102));
    EXPECT_TRUE(v.Status_Text().contains(QStringLiteral("off-line")))
        << v.Status_Text().toStdString();
    EXPECT_TRUE(SendRequests.empty());

    v.close();
    ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    dialogs.clear();
    dialogs.answer(Dialogs::Answer::No);
    w.mnuOnline->trigger();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Changes not sent"));
    EXPECT_EQ(OnlineState, OnlineStates::Offline);
    EXPECT_EQ(imageColumn(), column(102));
    QTest::qWait(200);
    EXPECT_TRUE(writesReceived().empty());
    EXPECT_EQ(unitColumn(), column(100));
}

TEST_F(EditEndToEnd, ALockedUnitReceivesNoWriteAndTheStatusBarSaysWhy) {
    unit.faults.locked = true;
    frmMain& w = openOnlineWired();
    ASSERT_EQ(UnitLocked, 1);
    frm3DDrw& v = openColumnMode(w);
    const std::vector<int> image = imageColumn(), grid = gridColumn();
    unit.clearFrames();
    QTest::keyClick(v.Picture, Qt::Key_PageUp);
    v.mnuPgDn->trigger();
    EXPECT_EQ(v.Status_Text(), SendRule::Notice(SendRule::Verdict::Locked));
    EXPECT_EQ(imageColumn(), image);
    EXPECT_EQ(gridColumn(), grid);
    EXPECT_EQ(unitColumn(), column(100));
    EXPECT_TRUE(SendRequests.empty());
    QTest::qWait(300);
    EXPECT_TRUE(writesReceived().empty());
    EXPECT_GT(unit.polls(), 0);
}

} // namespace
