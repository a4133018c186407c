// The cursor, the mouse pick and the cell edits of the 3-D view without a
// window: the step of each map kind at its limits, the cells each adjust mode
// changes, and an edit that the write path refuses in part changing nothing.

#include "link/LinkState.h"
#include "link/SendPath.h"
#include "tests/view3d/View3dTestSupport.h"
#include "view3d/Tune3D.h"

using namespace View3D;

namespace {

const MapKindInfo& Kind(const char* kind) {
    return *Kind_Of(QString::fromLatin1(kind));
}

TEST_F(View3dTest, EachKindStepsWithinItsLimits) {
    ParamBlock[Idx_IgnAdvLimit] = 12;
    ParamBlock[Idx_IgnRetLimit] = 236; // -20
    struct Case {
        const char* kind;
        int byte;
        int key;
        int expected;
    };
    const Case cases[] = {
        {"Analog:", 126, KeyPageUp, 127},
        {"Analog:", 127, KeyPageUp, 127},
        {"Analog:", 130, KeyPageDown, 129}, // -126 lowered is -127
        {"Analog:", 128, 109, 129},         // -128 lowered is -127
        {"Analog:", 5, 99, 3},
        {"Injection:", 254, 107, 255},
        {"Injection:", 255, KeyPageUp, 255},
        {"Injection:", 1, KeyPageDown, 0},
        {"Injection:", 0, KeyPageDown, 0},
        {"Injection:", 100, 105, 102},
        {"Ignition:", 10, KeyPageUp, 12}, // raised 2, held at the advance limit
        {"Ignition:", 12, KeyPageUp, 12},
        {"Ignition:", 12, KeyPageDown, 11}, // lowered by 1
        {"Ignition:", 237, KeyPageDown, 236},
        {"Ignition:", 236, KeyPageDown, 236}, // at the retard limit
    };
    for (const Case& c : cases)
        EXPECT_EQ(Stepped_Byte(Kind(c.kind), c.byte, c.key), c.expected)
            << c.kind << " byte " << c.byte << " key " << c.key;

    // At the ends of the signed range a step saturates instead of wrapping.
    ParamBlock[Idx_IgnAdvLimit] = 127;
    ParamBlock[Idx_IgnRetLimit] = 128;
    EXPECT_EQ(Stepped_Byte(Kind("Ignition:"), 126, KeyPageUp), 127);
    EXPECT_EQ(Stepped_Byte(Kind("Ignition:"), 127, KeyPageUp), 127);
    EXPECT_EQ(Stepped_Byte(Kind("Ignition:"), 128, KeyPageDown), 128);
    ParamBlock[Idx_IgnAdvLimit] = 126;
    EXPECT_EQ(Stepped_Byte(Kind("Ignition:"), 126, KeyPageUp), 126);
    // To the point: the cursor's byte, held within the kind's range; an
    // ignition cell beyond a limit stays.
    ParamBlock[Idx_IgnAdvLimit] = 12;
    EXPECT_EQ(To_Point_Byte(Kind("Ignition:"), 0, 40), 12);
    EXPECT_EQ(To_Point_Byte(Kind("Ignition:"), 40, 40), 40);
    EXPECT_EQ(To_Point_Byte(Kind("Ignition:"), 20, 40), 20);
    EXPECT_EQ(To_Point_Byte(Kind("Ignition:"), 20, 5), 5);
    EXPECT_EQ(To_Point_Byte(Kind("Analog:"), 5, 128), 128);
    EXPECT_EQ(To_Point_Byte(Kind("Injection:"), 5, 300), 255);
}

TEST_F(View3dTest, EachModeChangesItsCellsInIncreasingOffset) {
    EXPECT_EQ(Cells_Of(AdjustMode::PointOnly, 5, 3), std::vector<int>{53});
    EXPECT_EQ(Cells_Of(AdjustMode::RowStepped, 5, 3),
              (std::vector<int>{5, 21, 37, 53, 69, 85, 101, 117}));
    EXPECT_EQ(Cells_Of(AdjustMode::RowToPoint, 5, 3), Cells_Of(AdjustMode::RowStepped, 5, 3));
    std::vector<int> column3;
    for (int o = 48; o <= 63; ++o)
        column3.push_back(o);
    EXPECT_EQ(Cells_Of(AdjustMode::ColumnToPoint, 5, 3), column3);
    EXPECT_EQ(Cells_Of(AdjustMode::ColumnStepped, 0, 3), column3);
}

TEST_F(View3dTest, TheCursorStaysWithinTheMap) {
    CurCol = 7;
    Cursor_Key(39); // Right
    EXPECT_EQ(CurCol, 7);
    EXPECT_TRUE(Cursor_Char(QLatin1Char('d')));
    EXPECT_EQ(CurCol, 7);
    CurRow = 0;
    EXPECT_TRUE(Cursor_Char(QLatin1Char('x')));
    EXPECT_EQ(CurRow, 0);
    CurRow = 15;
    Cursor_Key(38); // Up
    EXPECT_EQ(CurRow, 15);
    CurCol = 0;
    Cursor_Key(37);
    EXPECT_EQ(CurCol, 0);
    EXPECT_TRUE(Cursor_Char(QLatin1Char('E')));
    EXPECT_EQ(CurRow, 15);
    EXPECT_TRUE(Cursor_Char(QLatin1Char('2')));
    EXPECT_EQ(CurRow, 14);
    EXPECT_FALSE(Cursor_Char(QLatin1Char('9')));
}

TEST_F(View3dTest, TheMousePickScansFromTheCursorAxisByAxis) {
    Place_Nodes(SliderValues{}, QStringLiteral("Analog:"));
    // Exactly on a node: that node.
    MouseX = NodeX[9][5];
    MouseY = NodeY[9][5];
    Fined_point();
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(9, 5));

    // Halfway between node (0,0) and node (0,1): as far from both on each axis.
    MouseX = (NodeX[0][0] + NodeX[0][1]) / 2;
    MouseY = (NodeY[0][0] + NodeY[0][1]) / 2;
    // From (0,0) the press is below the cursor's node: the tie moves it.
    CurRow = 0;
    CurCol = 0;
    Fined_point();
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(0, 1));
    // From (0,1) the same press is above the cursor's node: the tie keeps it.
    Fined_point();
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(0, 1));

    // A press well above the grid's far corner from the near corner: a node
    // nearer on both axes each time, ending at the far row.
    CurRow = 0;
    CurCol = 0;
    MouseX = NodeX[15][7] + 30;
    MouseY = NodeY[15][7] - 30;
    Fined_point();
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(15, 7));
}

TEST_F(View3dTest, AnEditThatTheWritePathRefusesInPartChangesNothing) {
    OnlineState = OnlineStates::Offline;
    for (int a = 0; a < 128; ++a)
        Map6Image[a] = 50;
    Map6Image[3 * 16 + 5] = 300; // no byte: the write path refuses it
    const ImageTable before = Map6Image;
    CurRow = 5;
    CurCol = 0;
    const EditResult r = Tune_Graph(Kind("Injection:"), AdjustMode::RowStepped, KeyPageUp);
    EXPECT_FALSE(r.changed);
    EXPECT_TRUE(r.refusal.contains(QStringLiteral("300"))) << r.refusal.toStdString();
    EXPECT_EQ(Map6Image, before);
    EXPECT_EQ(OfflineEdits, 0);
    EXPECT_TRUE(SendRequests.empty());
}

} // namespace
