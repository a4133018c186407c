// The live point and live tuning against the simulated unit over the real serial
// link: the red cross follows the unit's live cell, F4 in the view sends one
// cell write that the unit, the image and the main window's grid then agree on,
// and off-line or with a locked unit nothing goes out.

#include "link/SendRule.h"
#include "mainwin/LiveCellStep.h"
#include "mainwin/MapCellText.h"
#include "tests/view3d/View3dTestSupport.h"

#include <QGroupBox>
#include <QRadioButton>
#include <tuple>

using namespace View3D;

namespace {

class LiveEndToEnd : public ViewWindowTest {
protected:
    static bool liveMarksAt(const frm3DDrw& v, int row, int column) {
        const std::vector<Segment> arms = Cross(row, column);
        for (std::size_t k = 0; k < 4; ++k) {
            const auto& mark = v.Shown().marks[LiveMarks + k];
            if (k < arms.size() ? mark != arms[k] : mark.has_value())
                return false;
        }
        return true;
    }
};

TEST_F(LiveEndToEnd, TheLiveMarksFollowTheUnitsLiveCell) {
    unit.setLiveCell(23);
    frmMain& w = openOnlineWired();
    frm3DDrw& v = openView(w, w.mnu3DIgn);
    ASSERT_TRUE(v.Timer1.isActive());
    EXPECT_EQ(v.Timer1.interval(), w.Link.interval());
    // Cell 23: column 1, row 7; the cross ends at (7,2), (7,0), (8,1) and (6,1).
    ASSERT_TRUE(QTest::qWaitFor([&] { return liveMarksAt(v, 7, 1); }, 5000));
    EXPECT_EQ(LastLiveCell, 23);
    EXPECT_FALSE(v.Shown().marks[CursorMarks].has_value()) << "no edit cursor before a pick";

    unit.setLiveCell(15 + 7 * 16); // the far corner: two arms only
    ASSERT_TRUE(QTest::qWaitFor([&] { return liveMarksAt(v, 15, 7); }, 5000));

    // The engine outside the maps: the marks stay, nothing is indexed.
    unit.setLiveCell(8 * 16 + 3);
    ASSERT_TRUE(QTest::qWaitFor([] { return LiveMapCell == NoLiveCell; }, 5000));
    v.Timer1_Timer();
    EXPECT_TRUE(liveMarksAt(v, 15, 7));
    EXPECT_EQ(LastLiveCell, 127);
}

TEST_F(LiveEndToEnd, F4InTheViewSendsOneCellWriteThatUnitImageAndGridAgreeOn) {
    constexpr int Cell = 23;
    constexpr int Address = 128 + Cell; // the analog map on page 5
    unit.setByte(5, Address, 10);
    unit.setLiveCell(Cell);
    frmMain& w = openOnlineWired();
    w.Select_Tab(1);
    // The view shows the ignition map; F4 steps the analog map's live cell.
    frm3DDrw& v = openView(w, w.mnu3DLambda);
    ASSERT_TRUE(QTest::qWaitFor([] { return LiveMapCell == Cell; }, 5000));
    ASSERT_TRUE(Wait_Link_Settled());
    unit.clearFrames();

    QTest::keyClick(&v, Qt::Key_F4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.byte(5, Address) == 11; }, 5000));
    ASSERT_TRUE(Wait_Link_Settled());
    QTest::qWait(200); // a few polls more: nothing else goes out
    const std::vector<QByteArray> writes = writesReceived();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], GridTest::cellFrame('5', Address, 11));
    EXPECT_EQ(Map5Image[Address], 11);
    EXPECT_EQ(w.Txt128[Cell]->text(), QStringLiteral("11"));
    EXPECT_TRUE(FormInstance<frm3DDrw>::loaded()) << "the step keeps the view open";

    // F8 steps the ignition cell the view shows, and the surface is drawn again.
    const int ignBefore = unit.byte(5, Cell);
    QTest::keyClick(&v, Qt::Key_F8);
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.byte(5, Cell) != ignBefore; }, 5000));
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_EQ(unit.byte(5, Cell), Map5Image[Cell]);
    const int flat = 5600 - 7 * 312 + 1 * 98;
    EXPECT_EQ(NodeY[7][1], flat - Amplitude * Display_Value(*Kind_Of("Ignition:"), Cell));
}

TEST_F(LiveEndToEnd, OffLineOrLockedTheLiveStepsChangeAndSendNothing) {
    constexpr int Cell = 23;
    unit.setLiveCell(Cell);
    frmMain& w = openOnlineWired();
    ASSERT_TRUE(QTest::qWaitFor([] { return LiveMapCell == Cell; }, 5000));
    w.mnuOffline->trigger();
    ASSERT_EQ(OnlineState, OnlineStates::Offline);
    frm3DDrw& v = openView(w, w.mnu3DFuel);
    const ImageTable map5 = Map5Image, map6 = Map6Image;
    unit.clearFrames();
    for (Qt::Key k : {Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9})
        QTest::keyClick(&v, k);
    EXPECT_EQ(v.Status_Text(), WtsGeneral::OffLineStepNotice);
    EXPECT_EQ(Map5Image, map5);
    EXPECT_EQ(Map6Image, map6);
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_TRUE(writesReceived().empty());
}

TEST_F(LiveEndToEnd, ALockedUnitGetsNoWriteFromTheViewsLiveSteps) {
    unit.faults.locked = true;
    unit.setLiveCell(21);
    frmMain& w = openOnlineWired();
    ASSERT_EQ(UnitLocked, 1);
    frm3DDrw& v = openView(w, w.mnu3DIgn);
    const ImageTable map5 = Map5Image, map6 = Map6Image;
    unit.clearFrames();
    for (Qt::Key k : {Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9})
        QTest::keyClick(&v, k);
    EXPECT_EQ(v.Status_Text(), SendRule::Notice(SendRule::Verdict::Locked));
    EXPECT_EQ(Map5Image, map5);
    EXPECT_EQ(Map6Image, map6);
    QTest::qWait(300);
    EXPECT_TRUE(writesReceived().empty());
    EXPECT_GT(unit.polls(), 0);
}

TEST_F(LiveEndToEnd, ScreenshotsOfEachMapShowTheHillAndTheHollow) {
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 16; ++r) {
            const ReliefBytes b = Relief_Bytes(r, c);
            unit.setByte(5, 128 + c * 16 + r, b.analog);
            unit.setByte(6, c * 16 + r, b.injection);
            unit.setByte(5, c * 16 + r, b.ignition);
        }
    unit.setLiveCell(5 * 16 + 9);
    frmMain& w = openOnlineWired();
    const std::array<QAction*, 3> entries{w.mnu3DFuel, w.mnu3DIgn, w.mnu3DLambda};
    for (std::size_t k = 0; k < entries.size(); ++k) {
        w.Select_Tab(static_cast<int>(k) + 1); // the grid shows the same map
        frm3DDrw& v = openView(w, entries[k]);
        ASSERT_TRUE(QTest::qWaitFor([&] { return LastLiveCell == 5 * 16 + 9; }, 5000));
        // The edit cursor at (6, 2), with each kind another mode's marks.
        QTest::mouseClick(
            v.Picture, Qt::LeftButton, {},
            QPoint(static_cast<int>(NodeX[6][2] / 15), static_cast<int>(NodeY[6][2] / 15)));
        QTest::mouseClick(k == 0 ? v.Option1 : k == 1 ? v.Option4 : v.Option5, Qt::LeftButton);
        const QString name = QStringLiteral("view3d_%1.png").arg(v.Frame1->title());
        EXPECT_TRUE(v.grab().save(Screenshot_Path(name))) << name.toStdString();

        // The drawing: the wire frame passes through every node where the unit's
        // values put it, and the hill's top and the hollow's bottom are drawn
        // away from where a map level with the plain around them would have them.
        const QImage picture = v.Picture->grab().toImage();
        const QColor ground = picture.pixelColor(4, 4);
        const auto painted = [&](double x, double y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (picture.pixelColor(static_cast<int>(std::lround(x)) + dx,
                                           static_cast<int>(std::lround(y)) + dy) != ground)
                        return true;
            return false;
        };
        const MapKindInfo& kind = *Kind_Of(MapKind);
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 8; ++c) {
                const int value = Display_Value(kind, c * 16 + r);
                EXPECT_EQ(w.Txt128[c * 16 + r]->text().toInt(), value) << "the grid shows it";
                EXPECT_TRUE(painted(NodeX[r][c] / 15.0, NodeY[r][c] / 15.0))
                    << name.toStdString() << " node " << r << "," << c;
            }
        // Node (0, 7) lies far from both: the level of the plain around them.
        const int plain = Display_Value(kind, 7 * 16 + 0);
        for (const auto& [r, c, up] : {std::tuple{4, 2, true}, std::tuple{11, 5, false}}) {
            const int value = Display_Value(kind, c * 16 + r);
            EXPECT_EQ(value > plain, up) << name.toStdString();
            const int flatY = NodeY[r][c] + Amplitude * (value - plain);
            EXPECT_GE(std::abs(flatY - NodeY[r][c]), 150) << "at least 10 px of relief";
            EXPECT_FALSE(painted(NodeX[r][c] / 15.0, flatY / 15.0))
                << name.toStdString() << ": nothing where node " << r << "," << c
                << " would lie flat";
        }
        v.close();
        ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
    }
}

} // namespace
