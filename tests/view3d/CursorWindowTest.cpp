// The edit cursor and the edits of the 3-D view through its real keys, menus and
// mouse, with the link held so that what an edit raises can be read in the send
// path.

#include "link/SendRule.h"
#include "mainwin/MapCellText.h"
#include "tests/view3d/View3dTestSupport.h"

#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <functional>

using namespace View3D;

namespace {

class CursorWindow : public ViewWindowTest {
protected:
    // The map filled once the main window has loaded its default map.
    frm3DDrw& openHeld(QAction* frmMain::*entry, const std::function<void()>& fill) {
        frmMain& w = openWired();
        fill();
        w.Redraw_Shown_Map();
        pollingHeld(w);
        return openView(w, w.*entry);
    }
    // The pixel nearest a node's twips on the drawing.
    static QPoint pixelOf(int row, int column) {
        return QPoint(static_cast<int>(std::lround(NodeX[row][column] / 15.0)),
                      static_cast<int>(std::lround(NodeY[row][column] / 15.0)));
    }
    // A press on the drawing at a node, or `off` pixels beside it.
    static void pressOn(frm3DDrw& v, int row, int column, QPoint off = {}) {
        QTest::mouseClick(v.Picture, Qt::LeftButton, {}, pixelOf(row, column) + off);
    }
    // How far a pixel of the drawing lies from the nearest node, in pixels.
    static double pixelsToNearestNode(QPoint p) {
        double nearest = 1e9;
        for (int r = 0; r < 16; ++r)
            for (int c = 0; c < 8; ++c)
                nearest = std::min(
                    nearest, std::hypot(p.x() - NodeX[r][c] / 15.0, p.y() - NodeY[r][c] / 15.0));
        return nearest;
    }
    // Turns the view by its sliders, as a user dragging them would.
    static void turn(frm3DDrw& v, const SliderValues& to) {
        v.Slider6->setValue(to.amplitude);
        v.Slider2->setValue(to.height);
        v.Slider1->setValue(to.twist);
        v.Slider5->setValue(to.width);
        v.Slider4->setValue(to.moveTop);
        v.Slider7->setValue(to.moveBottom);
    }
    static bool cursorAt(const frm3DDrw& v, int row, int column) {
        const std::vector<Segment> arms = Cross(row, column);
        for (std::size_t k = 0; k < 4; ++k) {
            const auto& mark = v.Shown().marks[CursorMarks + k];
            if (k < arms.size() ? mark != arms[k] : mark.has_value())
                return false;
        }
        return CurRow == row && CurCol == column;
    }
};

TEST_F(CursorWindow, KeysMoveTheCursorWhichShowsFromTheFirstPressOnTheDrawing) {
    frm3DDrw& v = openHeld(&frmMain::mnu3DIgn, [] {
        for (int a = 0; a < 128; ++a)
            Map6Image[a] = static_cast<std::int16_t>(a);
    });
    // The keys go to the drawing from the opening on.
    ASSERT_EQ(QApplication::focusWidget(), v.Picture);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D);
    EXPECT_EQ(v.Slider6->value(), 5);
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(1, 1));
    EXPECT_FALSE(v.Shown().marks[CursorMarks].has_value()) << "no cursor before a press";

    pressOn(v, 4, 6);
    EXPECT_TRUE(cursorAt(v, 4, 6));
    EXPECT_EQ(v.Status_Text(), QStringLiteral("Injection value at the pointer : 100"));

    QTest::keyClick(v.Picture, Qt::Key_Right);
    QTest::keyClick(v.Picture, Qt::Key_6);
    EXPECT_TRUE(cursorAt(v, 4, 7)) << "column 7 is the last";
    v.mnuRight->trigger(); // "D or 6 = Right"
    EXPECT_TRUE(cursorAt(v, 4, 7));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(v.Option5, Qt::Key_X); // from any control but a slider
    EXPECT_TRUE(cursorAt(v, 0, 7));
    v.mnuDown->trigger(); // "Z or X or 2 = Down"
    EXPECT_TRUE(cursorAt(v, 0, 7)) << "row 0 is the first";
    QTest::keyClick(v.Picture, Qt::Key_8, Qt::KeypadModifier);
    QTest::keyClick(v.Picture, Qt::Key_W);
    QTest::keyClick(v.Picture, Qt::Key_A);
    v.mnuLeft->trigger();
    v.mnuUp->trigger();
    EXPECT_TRUE(cursorAt(v, 3, 5));
    EXPECT_EQ(v.Status_Text(), QStringLiteral("Injection value at the pointer : 83"));
    EXPECT_TRUE(SendRequests.empty()) << "moving sends nothing";
    // A slider keeps its arrow keys.
    QTest::keyClick(v.Slider6, Qt::Key_Right);
    EXPECT_EQ(v.Slider6->value(), 6);
    EXPECT_TRUE(cursorAt(v, 3, 5));
}

TEST_F(CursorWindow, APressPutsTheCursorOnTheNodeNearestToItOnScreen) {
    frmMain& w = openWired();
    Fill_Relief();
    w.Redraw_Shown_Map();
    pollingHeld(w);
    // A pixel beside the node in each direction: below, left, up and right,
    // two down and right.
    const QPoint offsets[] = {{0, 1}, {-2, 0}, {1, -1}, {0, -2}, {2, 2}};
    for (QAction* frmMain::*entry :
         {&frmMain::mnu3DFuel, &frmMain::mnu3DIgn, &frmMain::mnu3DLambda})
        for (const bool twisted : {false, true}) {
            frm3DDrw& v = openView(w, w.*entry);
            if (twisted)
                turn(v, TwistedView);
            const MapKindInfo& kind = *Kind_Of(MapKind);
            const std::string view = MapKind.toStdString() + (twisted ? " twisted" : " default");
            for (int r = 0; r < 16; ++r)
                for (int c = 0; c < 8; ++c)
                    for (const QPoint off : offsets) {
                        pressOn(v, r, c, off);
                        ASSERT_TRUE(cursorAt(v, r, c))
                            << view << ": a press " << off.x() << "," << off.y() << " px from ("
                            << r << "," << c << ") put the cursor on (" << CurRow << "," << CurCol
                            << ")";
                        ASSERT_EQ(v.Status_Text(),
                                  kind.valueText + QString::number(Display_Value(kind, c * 16 + r)))
                            << view;
                    }
            EXPECT_TRUE(SendRequests.empty()) << "a press sends nothing";
            if (twisted) {
                EXPECT_TRUE(v.grab().save(Screenshot_Path(
                    QStringLiteral("view3d_twisted_%1.png").arg(v.Frame1->title()))));
            }
            v.close();
            ASSERT_TRUE(Wait_Unloaded<frm3DDrw>());
        }
}

TEST_F(CursorWindow, APressFarFromEveryNodeLeavesTheCursorWhereItIs) {
    frm3DDrw& v = openHeld(&frmMain::mnu3DIgn, [] { Fill_Relief(); });
    // Before any pick a press that meets no node shows no cursor.
    QTest::mouseClick(v.Picture, Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_FALSE(v.Shown().marks[CursorMarks].has_value());
    pressOn(v, 6, 5, {0, 1});
    ASSERT_TRUE(cursorAt(v, 6, 5));
    const QString status = v.Status_Text();
    // The drawing's empty corners, 11 px left of the near corner node, the middle
    // of a wide cell of the wire frame.
    const QPoint presses[] = {
        {4, 4},
        {v.Picture->width() - 4, v.Picture->height() - 4},
        pixelOf(0, 0) - QPoint(11, 0),
        (pixelOf(4, 3) + pixelOf(5, 4)) / 2,
    };
    for (const QPoint p : presses) {
        ASSERT_GT(pixelsToNearestNode(p), 10.0) << p.x() << "," << p.y();
        QTest::mouseClick(v.Picture, Qt::LeftButton, {}, p);
        EXPECT_TRUE(cursorAt(v, 6, 5))
            << "a press at " << p.x() << "," << p.y() << " moved the cursor to (" << CurRow << ","
            << CurCol << ")";
    }
    EXPECT_EQ(v.Status_Text(), status);
    // The next edit is still the cursor cell's.
    QTest::keyClick(v.Picture, Qt::Key_PageUp);
    const int offset = 5 * 16 + 6;
    EXPECT_EQ(requests(),
              std::vector<QByteArray>{cellFrame('6', offset, Relief_Bytes(6, 5).injection + 2)});
}

TEST_F(CursorWindow, VerticalToPointSetsTheWholeColumnToTheCursorsByte) {
    frm3DDrw& v = openHeld(&frmMain::mnu3DIgn, [] {
        for (int a = 0; a < 128; ++a)
            Map6Image[a] = static_cast<std::int16_t>(200 - a);
    });
    window->Select_Tab(2);
    pressOn(v, 2, 3); // cursor cell offset 50 holds 150
    QTest::mouseClick(v.Option2, Qt::LeftButton);
    ASSERT_TRUE(v.Option2->isChecked());
    EXPECT_TRUE(v.Shown().levelLines[0].has_value()) << "the level lines show the mode";
    QTest::keyClick(v.Picture, Qt::Key_PageUp);
    std::vector<QByteArray> expected;
    for (int offset = 48; offset <= 63; ++offset) {
        expected.push_back(cellFrame('6', offset, 150));
        EXPECT_EQ(Map6Image[offset], 150) << offset;
    }
    EXPECT_EQ(requests(), expected);
    ASSERT_EQ(SendRequests.size(), 1u) << "one request";
    EXPECT_EQ(Map6Image[47], 153);
    EXPECT_EQ(window->Txt128[48]->text(), QStringLiteral("150")) << "the grid shows it";
}

TEST_F(CursorWindow, HorizontalProportionalStepsEachCellOfTheRowFromItsOwnValue) {
    frm3DDrw& v = openHeld(&frmMain::mnu3DFuel, [] {
        for (int a = 0; a < 128; ++a)
            Map5Image[128 + a] = static_cast<std::int16_t>(a);
    });
    pressOn(v, 5, 2);
    QTest::mouseClick(v.Option3, Qt::LeftButton);
    // The row's seven wire lines are highlighted.
    EXPECT_EQ(v.Shown().colours[Row_First_Line(5)], Design::bgr(HighlightColour));
    EXPECT_EQ(v.Shown().colours[Row_First_Line(5) + 6], Design::bgr(HighlightColour));
    EXPECT_EQ(v.Shown().colours[Row_First_Line(4)], Wire_Colour(Row_First_Line(4)));
    QTest::keyClick(v.Picture, Qt::Key_Plus, Qt::KeypadModifier);
    std::vector<QByteArray> expected;
    for (int offset : {5, 21, 37, 53, 69, 85, 101, 117})
        expected.push_back(cellFrame('5', 128 + offset, offset + 2));
    EXPECT_EQ(requests(), expected);
    EXPECT_EQ(v.Status_Text(), QStringLiteral("Analog value at the pointer : 39"));
    // Lowering through the menu takes them back.
    SendRequests.clear();
    v.mnuPgDn->trigger();
    EXPECT_EQ(Map5Image[128 + 117], 117);
    EXPECT_EQ(requests().size(), 8u);
}

TEST_F(CursorWindow, APointEditRaisesOneCellAndTheSurfaceFollows) {
    frm3DDrw& v = openHeld(&frmMain::mnu3DLambda, [] {
        ParamBlock[Idx_IgnAdvLimit] = 127;
        Map5Image[7 * 16 + 15] = 125; // the ignition map's far corner near +127
    });
    window->Select_Tab(3); // the grid shows the ignition map too
    const MapKindInfo& kind = *Kind_Of(MapKind);
    // Where node (15, 7) lies for the value the grid shows, and its neighbour.
    const int flat = NodeY[15][7] + Amplitude * Display_Value(kind, 127);
    const int neighbour = NodeY[15][6];
    const auto nodeFollows = [&](const char* when) {
        EXPECT_EQ(NodeY[15][7], flat - Amplitude * Display_Value(kind, 127)) << when;
        EXPECT_EQ(Line_Of(Wire_Segment(111)).p2(), QPoint(NodeX[15][7], NodeY[15][7]))
            << when << ": row 15's last wire line ends at the node";
        EXPECT_EQ(Line_Of(Wire_Segment(231)).p2(), QPoint(NodeX[15][7], NodeY[15][7])) << when;
        EXPECT_EQ(NodeY[15][6], neighbour) << when << ": no other node moves";
        // A raise a limit held says so after the value.
        EXPECT_TRUE(v.Status_Text().startsWith(kind.valueText + window->Txt128[127]->text()))
            << when << ": " << v.Status_Text().toStdString();
    };
    pressOn(v, 15, 7);
    const int shown = Display_Value(kind, 127);
    const int y = NodeY[15][7];

    QTest::keyClick(v.Picture, Qt::Key_9, Qt::KeypadModifier);
    EXPECT_EQ(Map5Image[127], 127);
    ASSERT_GT(Display_Value(kind, 127), shown) << "the raise shows in the grid's value";
    EXPECT_LT(NodeY[15][7], y) << "the raised node goes up the screen";
    nodeFollows("raised");
    QTest::keyClick(v.Picture, Qt::Key_9, Qt::KeypadModifier);
    EXPECT_EQ(Map5Image[127], 127) << "+127 raised stays, it does not wrap";
    ASSERT_FALSE(requests().empty());
    for (const QByteArray& frame : requests())
        EXPECT_EQ(frame, cellFrame('5', 127, 127));
    nodeFollows("raised at the end of the range");
    v.mnuPgDn->trigger();
    EXPECT_EQ(Map5Image[127], 126);
    nodeFollows("lowered");
}

} // namespace
