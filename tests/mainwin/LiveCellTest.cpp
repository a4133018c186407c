#include "mainwin/LiveCellStep.h"
#include "mainwin/MapCellText.h"
#include "tests/mainwin/GridTestSupport.h"

#include <QPushButton>

namespace {

class LiveCellTest : public GridTest {
protected:
    frmMain& openOnline() {
        frmMain& w = open();
        pollingHeld(w);
        Hooks().Comm_Dis_State(true); // the stepping keys are enabled on-line
        ParamBlock[Idx_Cylinders] = 4;
        ParamBlock[Idx_IgnAdvLimit] = 40;
        ParamBlock[Idx_IgnRetLimit] = 236;
        return w;
    }
};

} // namespace

TEST_F(LiveCellTest, SteppingKeysAtTheirLimits) {
    frmMain& w = openOnline();
    struct Case {
        const char* name;
        Qt::Key key;
        int before;
        int after;
        bool sent;
    };
    const Case cases[] = {
        {"analog up", Qt::Key_F4, 126, 127, true},
        {"analog up refused at +127", Qt::Key_F4, 127, 127, false},
        {"analog up from -128", Qt::Key_F4, 128, 129, true},
        {"analog down through zero", Qt::Key_F5, 0, 255, true},
        {"analog down refused at -127", Qt::Key_F5, 129, 129, false},
        {"analog down from +127", Qt::Key_F5, 127, 126, true},
        {"injection up at 255 stays, still sent", Qt::Key_F6, 255, 255, true},
        {"injection up", Qt::Key_F6, 9, 10, true},
        {"injection down at 0 stays, still sent", Qt::Key_F7, 0, 0, true},
        {"ignition up at the advance limit", Qt::Key_F8, 40, 40, true},
        {"ignition down at the retard limit", Qt::Key_F9, 236, 236, true},
        {"ignition down from 0", Qt::Key_F9, 0, 255, true},
        {"ignition up from -1", Qt::Key_F8, 255, 0, true},
    };
    LiveMapCell = 21;
    for (const Case& c : cases) {
        const int page = c.key <= Qt::Key_F5 || c.key >= Qt::Key_F8 ? 5 : 6;
        const int tab = c.key <= Qt::Key_F5 ? 1 : c.key <= Qt::Key_F7 ? 2 : 3;
        const int address = MapCellText::ForTab(tab).cellBase + 21;
        ImageTable& image = page == 5 ? Map5Image : Map6Image;
        image[address] = static_cast<std::int16_t>(c.before);
        w.Select_Tab(tab);
        SendRequests.clear();
        QTest::keyClick(w.txtEnter, c.key); // the keys reach the menu from the entry box
        EXPECT_EQ(MapTab, tab) << c.name;
        EXPECT_EQ(image[address], c.after) << c.name;
        if (c.sent) {
            EXPECT_EQ(requests(), std::vector<QByteArray>{cellFrame(static_cast<char>('0' + page),
                                                                    address, c.after)})
                << c.name;
            EXPECT_EQ(w.Txt128[21]->text(), MapCellText::Cell(tab, address)) << c.name;
        } else {
            EXPECT_TRUE(requests().empty()) << c.name;
        }
    }
}

TEST_F(LiveCellTest, IgnitionStepsNeverWrapPastTheLimits) {
    openOnline();
    ParamBlock[Idx_IgnAdvLimit] = 127;
    ParamBlock[Idx_IgnRetLimit] = 128;
    LiveMapCell = 3;
    Map5Image[Idx_IgnMap + 3] = 127;
    WtsGeneral::Step_Ign_Cell_Up();
    EXPECT_EQ(Map5Image[Idx_IgnMap + 3], 127) << "stays at the advance limit";
    Map5Image[Idx_IgnMap + 3] = 128;
    WtsGeneral::Step_Ign_Cell_Down();
    EXPECT_EQ(Map5Image[Idx_IgnMap + 3], 128) << "stays at the retard limit";
}

TEST_F(LiveCellTest, StepsNeedTheUnitAndALiveCell) {
    frmMain& w = openOnline();
    LiveMapCell = 21;
    Map5Image[Idx_AnaMap + 21] = 10;
    CommStatus = 3; // the unit is being read
    w.Select_Tab(2);
    w.Run_Entry(w.mnuF4);
    EXPECT_EQ(MapTab, 1) << "the key still shows its map";
    EXPECT_EQ(Map5Image[Idx_AnaMap + 21], 10);
    EXPECT_TRUE(requests().empty());

    CommStatus = 10;
    LiveMapCell = NoLiveCell;
    const ImageTable before5 = Map5Image;
    const ImageTable before6 = Map6Image;
    for (QAction* entry : {w.mnuF4, w.mnuF5, w.mnuF6, w.mnuF7, w.mnuF8, w.mnuF9})
        w.Run_Entry(entry);
    w.cmdF6->click();
    EXPECT_EQ(Map5Image, before5);
    EXPECT_EQ(Map6Image, before6);
    EXPECT_TRUE(requests().empty());
}

TEST_F(LiveCellTest, QuickStepsAllReachTheSendPath) {
    frmMain& w = openOnline();
    LiveMapCell = 5;
    Map6Image[5] = 50;
    Map5Image[5] = 2;
    w.cmdF6->click();
    w.cmdF6->click(); // the same cell: its latest byte
    w.cmdF8->click(); // another cell: both land
    EXPECT_EQ(requests(), (std::vector<QByteArray>{cellFrame('6', 5, 52), cellFrame('5', 5, 3)}));
}

TEST_F(LiveCellTest, AStepOnAMapNotShownLeavesTheGrid) {
    frmMain& w = openOnline();
    LiveMapCell = 7;
    w.Select_Tab(2);
    const QString shown = w.Txt128[7]->text();
    WtsGeneral::Step_Ign_Cell_Up(); // as the 3-D view of the ignition map does
    EXPECT_EQ(w.Txt128[7]->text(), shown);
    EXPECT_EQ(requests().size(), 1u);
}

TEST_F(LiveCellTest, CursorAndTrailFollowTheLiveCell) {
    frmMain& w = openOnline();
    click(w.Txt128[40]);
    const auto move = [&w](int cell) {
        LiveMapCell = cell;
        w.Cursor_Movement();
    };
    move(5);
    move(6);
    move(22);
    EXPECT_EQ(colours(w.Txt128, 5, 2), QStringLiteral("WW"));
    EXPECT_EQ(colour(w.Txt128, 22), 'R');
    EXPECT_EQ(colour(w.Txt128, 0), 'W') << "the start mark goes once the engine moves";

    w.mnuTracer->trigger();
    move(23);
    move(24);
    EXPECT_EQ(colours(w.Txt128, 22, 3), QStringLiteral("OOR"));
    move(40); // over the edit cell ...
    EXPECT_EQ(colour(w.Txt128, 40), 'R');
    move(41); // ... which stays the edit cell
    EXPECT_EQ(colour(w.Txt128, 40), 'G');
    move(0);
    EXPECT_EQ(colour(w.Txt128, 0), 'R');
    move(1);
    EXPECT_EQ(colours(w.Txt128, 0, 2), QStringLiteral("OR"));

    // Nothing moves for a cell outside the grid.
    move(NoLiveCell);
    EXPECT_EQ(colours(w.Txt128, 0, 2), QStringLiteral("OR"));
    EXPECT_EQ(PrevLiveCell, 1);

    // Switching the tracer off wipes the trail and the selection's colour.
    LiveMapCell = 1;
    w.mnuTracer->trigger();
    EXPECT_EQ(colours(w.Txt128, 0, 128), QString(1, 'W') + 'R' + QString(126, 'W'));
}

TEST_F(LiveCellTest, AmpCursorByTab) {
    frmMain& w = openOnline();
    w.mnuTracer->trigger();
    w.Select_Tab(2);
    const auto live = [&w](int a, int b) {
        LiveAmpCellA = a;
        LiveAmpCellB = b;
        w.Cursor_Movement();
    };
    live(3, 9);
    live(4, 9);
    EXPECT_EQ(colours(w.TxtAMP, 0, 5), QStringLiteral("WWWOR"));
    // A tab change wipes the marks and shows the new tab's live row.
    w.Select_Tab(1);
    EXPECT_EQ(colours(w.TxtAMP, 0, 16), QString(9, 'W') + 'R' + QString(6, 'W'));
    live(4, 9);
    live(4, 0);
    live(4, 2);
    EXPECT_EQ(colours(w.TxtAMP, 0, 3), QStringLiteral("WWR")) << "no trail in row 0 on tab 1";
    EXPECT_EQ(colour(w.TxtAMP, 9), 'O');
    // A selected AMP row on tab 2 keeps its colour when the live row leaves it.
    w.Select_Tab(2);
    click(w.TxtAMP[6]);
    live(6, 2);
    live(7, 2);
    EXPECT_EQ(colours(w.TxtAMP, 6, 2), QStringLiteral("GR"));
}
