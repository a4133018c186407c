// Edits of the 3-D view that an error stops, against the simulated unit over
// the real serial link and off-line. An edit stopped part-way (the write path's
// n-th store fails, or the send rule's notice, as a memory that runs short
// would) leaves the unit's memory, the image, the grid, the link state and
// panel 1 as they were, and the view's surface drawn from the image. A step that
// stops after its edit went through leaves the view drawn anew from the image too.

#include "core/ImageSnapshot.h"
#include "link/SendRule.h"
#include "mainwin/MapCellText.h"
#include "tests/mainwin/RedrawFailingOnce.h"
#include "tests/support/CaseNames.h"
#include "tests/support/StoreFault.h"
#include "tests/view3d/View3dTestSupport.h"

#include <QRadioButton>
#include <new>
#include <optional>

using namespace View3D;

namespace {

constexpr int Row = 4;
constexpr int Column = 3;

struct StoppedRaise {
    const char* name;
    bool online;
    AdjustMode mode;
    int cells;  // the cells the raise writes
    int strike; // the store into the image that fails; 0: the send rule's notice fails
};

void PrintTo(const StoppedRaise& c, std::ostream* os) {
    *os << c.name;
}

// What the user sees and the link holds, to be the same after a stopped edit.
struct Shown {
    std::vector<QString> grid;
    QString panel;
    QString state;
    int requests;
    int offlineEdits;
    int offlineEditsTold;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "panel \"" << s.panel.toStdString() << "\", state \"" << s.state.toStdString() << "\", "
        << s.requests << " request(s), " << s.offlineEdits << " off-line edit(s) (told "
        << s.offlineEditsTold << ")";
}

class StoppedViewEdit : public ViewWindowTest {
protected:
    void SetUp() override {
        for (int c = 0; c < 8; ++c)
            for (int r = 0; r < 16; ++r)
                unit.setByte(6, c * 16 + r, Relief_Bytes(r, c).injection);
    }
    // The injection map's view, the cursor on (Row, Column), in the adjust mode.
    frm3DDrw& openInMode(frmMain& w, AdjustMode mode) {
        w.Select_Tab(2);
        frm3DDrw& v = openView(w, w.mnu3DIgn); // the injection map
        const QPoint p(static_cast<int>(std::lround(NodeX[Row][Column] / 15.0)),
                       static_cast<int>(std::lround(NodeY[Row][Column] / 15.0)));
        QTest::mouseClick(v.Picture, Qt::LeftButton, {}, p);
        EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(Row, Column));
        QRadioButton* option = mode == AdjustMode::RowStepped      ? v.Option3
                               : mode == AdjustMode::ColumnStepped ? v.Option4
                                                                   : v.Option5;
        QTest::mouseClick(option, Qt::LeftButton);
        EXPECT_EQ(v.Mode(), mode);
        return v;
    }
    Shown shown() const {
        Shown s;
        for (const QLineEdit* box : window->Txt128)
            s.grid.push_back(box->text());
        s.panel = window->StatusPanel[SendRule::NoticePanel]->text();
        s.state = window->lblNoComms[0]->text();
        s.requests = SendPath::Requests_Outstanding();
        s.offlineEdits = OfflineEdits;
        s.offlineEditsTold = OfflineEditsTold;
        return s;
    }
    std::vector<int> unitMap() const {
        std::vector<int> m;
        for (int a = 0; a < 128; ++a)
            m.push_back(unit.byte(6, a));
        return m;
    }
    static std::vector<int> imageMap() {
        std::vector<int> m;
        for (int a = 0; a < 128; ++a)
            m.push_back(Map6Image[a]);
        return m;
    }
    void expectGridShowsTheImage() const {
        for (int n = 0; n < 128; ++n)
            EXPECT_EQ(window->Txt128[static_cast<std::size_t>(n)]->text(),
                      MapCellText::Cell(2, Idx_InjMap + n))
                << "box " << n;
    }
    // The surface the view shows is the one the image and the sliders give now.
    static void expectSurfaceOfTheImage(const frm3DDrw& v) {
        const NodeArray x = NodeX, y = NodeY;
        Place_Nodes(v.Slider_Values(), MapKind);
        EXPECT_EQ(NodeX, x);
        EXPECT_EQ(NodeY, y) << "the view's nodes are the image's";
    }
    // The stopped step has been told.
    void expectStepNotFinishedTold() {
        ASSERT_TRUE(QTest::qWaitFor([] { return Dialogs::laterWaiting() == 0; }, 5000));
        ASSERT_FALSE(dialogs.records().empty());
        EXPECT_EQ(dialogs.records().back().title, QStringLiteral("Step not finished"));
    }
};

class AStoppedRaise : public StoppedViewEdit, public ::testing::WithParamInterface<StoppedRaise> {};

} // namespace

TEST_P(AStoppedRaise, LeavesTheUnitTheImageTheGridTheLinkAndTheViewAsTheyWere) {
    const StoppedRaise& c = GetParam();
    frmMain& w = openOnlineWired();
    if (!c.online) {
        w.mnuOffline->trigger();
        ASSERT_EQ(OnlineState, OnlineStates::Offline);
    }
    frm3DDrw& v = openInMode(w, c.mode);
    ASSERT_TRUE(!c.online || Wait_Link_Settled());
    const std::vector<int> unitBefore = unitMap();
    const ImageSnapshot image = ImageSnapshot::Take();
    const NodeArray nodesBefore = NodeY;
    const Shown before = shown();
    unit.clearFrames();
    dialogs.clear();

    {
        std::optional<StoreFault> fault;
        const auto clock = NoticeClock;
        if (c.strike > 0)
            fault.emplace(c.strike);
        else
            NoticeClock = []() -> qint64 { throw std::bad_alloc(); };
        QTest::keyClick(v.Picture, Qt::Key_PageUp);
        NoticeClock = clock;
        if (fault) {
            ASSERT_TRUE(fault->struck()) << "the raise reached the write path";
            EXPECT_EQ(fault->stores(), c.strike) << "the raise stopped at the failing store";
        }
    }
    expectStepNotFinishedTold();
    EXPECT_TRUE(ImageSnapshot::Take() == image);
    EXPECT_EQ(shown(), before);
    expectGridShowsTheImage();
    EXPECT_EQ(NodeY, nodesBefore) << "the view shows the surface of before";
    expectSurfaceOfTheImage(v);
    if (c.online)
        ASSERT_TRUE(Wait_Link_Settled());
    else
        QTest::qWait(200);
    EXPECT_EQ(unitMap(), unitBefore);
    EXPECT_TRUE(writesReceived().empty());

    // The program goes on: the same raise goes through whole.
    QTest::keyClick(v.Picture, Qt::Key_PageUp);
    const std::vector<int> raised = imageMap();
    int changed = 0;
    for (int a = 0; a < 128; ++a)
        changed += raised[static_cast<std::size_t>(a)] != unitBefore[static_cast<std::size_t>(a)];
    EXPECT_EQ(changed, c.cells);
    expectGridShowsTheImage();
    expectSurfaceOfTheImage(v);
    if (c.online) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return unitMap() == raised; }, 5000));
        EXPECT_EQ(writesReceived().size(), static_cast<std::size_t>(c.cells));
    } else {
        EXPECT_EQ(OfflineEdits, before.offlineEdits + 1);
        EXPECT_TRUE(SendRequests.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Raises, AStoppedRaise,
    ::testing::Values(StoppedRaise{"a cell raise on-line, its store failing", true,
                                   AdjustMode::PointOnly, 1, 1},
                      StoppedRaise{"a cell raise on-line, the send rule failing", true,
                                   AdjustMode::PointOnly, 1, 0},
                      StoppedRaise{"a row raise on-line, the fifth store failing", true,
                                   AdjustMode::RowStepped, 8, 5},
                      StoppedRaise{"a column raise on-line, the tenth store failing", true,
                                   AdjustMode::ColumnStepped, 16, 10},
                      StoppedRaise{"a column raise on-line, the send rule failing", true,
                                   AdjustMode::ColumnStepped, 16, 0},
                      StoppedRaise{"a cell raise off-line, the send rule failing", false,
                                   AdjustMode::PointOnly, 1, 0},
                      StoppedRaise{"a row raise off-line, the last store failing", false,
                                   AdjustMode::RowStepped, 8, 8},
                      StoppedRaise{"a column raise off-line, the tenth store failing", false,
                                   AdjustMode::ColumnStepped, 16, 10}),
    By_Case_Name());

TEST_F(StoppedViewEdit, AStepStoppedAfterItsEditWentThroughLeavesTheViewDrawnFromTheImage) {
    frmMain& w = openOnlineWired();
    frm3DDrw& v = openInMode(w, AdjustMode::ColumnStepped);
    ASSERT_TRUE(Wait_Link_Settled());
    const NodeArray nodesBefore = NodeY;
    const std::vector<int> imageBefore = imageMap();
    unit.clearFrames();
    dialogs.clear();

    // The edit goes through; the main window's redraw after it stops the step.
    RedrawFailingOnce failing(w);
    Set_Main(&failing);
    QTest::keyClick(v.Picture, Qt::Key_PageUp);
    Set_Main(&w);
    ASSERT_EQ(failing.failures, 1) << "the redraw stopped the step";
    expectStepNotFinishedTold();

    // The raise is in the image and goes to the unit; the grid and the view show it.
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(Map6Image[Column * 16 + r],
                  std::min(imageBefore[static_cast<std::size_t>(Column * 16 + r)] + 2, 255))
            << "row " << r;
    const std::vector<int> raised = imageMap();
    EXPECT_TRUE(QTest::qWaitFor([&] { return unitMap() == raised; }, 5000));
    expectGridShowsTheImage();
    EXPECT_NE(NodeY, nodesBefore) << "the view shows the raised surface";
    expectSurfaceOfTheImage(v);
    EXPECT_TRUE(Still_Loaded<frm3DDrw>());
}
