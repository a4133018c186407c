// The cursor, the mouse pick and the cell edits of the 3-D view without a
// window: the step of each map kind at its limits, the cells each adjust mode
// changes, and an edit that the write path refuses in part changing nothing.

#include "link/LinkState.h"
#include "link/SendPath.h"
#include "tests/view3d/View3dTestSupport.h"
#include "view3d/Tune3D.h"

#include <cmath>
#include <utility>

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

TEST_F(View3dTest, APressWithinTwoPixelsOfANodePicksItOverEveryNodeOfEachMap) {
    Fill_Relief();
    for (const char* kind : Kinds)
        for (const bool twisted : {false, true}) {
            ResetView3dState();
            Place_Nodes(twisted ? TwistedView : SliderValues{}, QString::fromLatin1(kind));
            const std::string view = std::string(kind) + (twisted ? " twisted" : " default");
            int misses = 0;
            for (int r = 0; r < 16; ++r)
                for (int c = 0; c < 8; ++c) {
                    // Every other node lies more than twice as far as the presses.
                    for (int i = 0; i < 16; ++i)
                        for (int j = 0; j < 8; ++j)
                            if (i != r || j != c) {
                                ASSERT_GT(std::hypot(NodeX[i][j] - NodeX[r][c],
                                                     NodeY[i][j] - NodeY[r][c]),
                                          6 * 15.0)
                                    << view << ": nodes " << r << "," << c << " and " << i << ","
                                    << j;
                            }
                    for (int dx = -2; dx <= 2; ++dx)
                        for (int dy = -2; dy <= 2; ++dy)
                            for (const auto& [fromRow, fromCol] :
                                 {std::pair{0, 0}, std::pair{15, 7}, std::pair{15 - r, 7 - c},
                                  std::pair{r, c}}) {
                                CurRow = fromRow;
                                CurCol = fromCol;
                                MouseX = NodeX[r][c] + dx * 15;
                                MouseY = NodeY[r][c] + dy * 15;
                                const bool picked = Fined_point();
                                if (picked && CurRow == r && CurCol == c)
                                    continue;
                                if (misses++ == 0)
                                    ADD_FAILURE()
                                        << view << ": a press " << dx << "," << dy
                                        << " px from node " << r << "," << c
                                        << " with the cursor at " << fromRow << "," << fromCol
                                        << " picked " << picked << " " << CurRow << "," << CurCol;
                            }
                }
            EXPECT_EQ(misses, 0) << view;
        }
}

TEST_F(View3dTest, APressBeyondThePickRadiusOfEveryNodeMovesNothing) {
    Place_Nodes(SliderValues{}, QStringLiteral("Analog:"));
    // Node (0, 0) is the near corner: nothing else lies to its left.
    const auto pressLeftOfCorner = [](int pixels) {
        CurRow = 15;
        CurCol = 7;
        MouseX = NodeX[0][0] - pixels * 15;
        MouseY = NodeY[0][0];
        return Fined_point();
    };
    EXPECT_TRUE(pressLeftOfCorner(PickRadius));
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(0, 0));
    EXPECT_FALSE(pressLeftOfCorner(PickRadius + 1));
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(15, 7)) << "the cursor stays";
    // Halfway along a wire line between two nodes, 14 px from each: neither.
    CurRow = 3;
    CurCol = 3;
    MouseX = (NodeX[0][0] + NodeX[0][1]) / 2;
    MouseY = (NodeY[0][0] + NodeY[0][1]) / 2;
    EXPECT_FALSE(Fined_point());
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(3, 3));
}

TEST_F(View3dTest, OfNodesEquallyNearThePressTheCursorsOwnStays) {
    // No width and no fall across the columns: the eight nodes of a row lie on
    // one point.
    Place_Nodes(SliderValues{0, 600, 1, 276, 0, 4000}, QStringLiteral("Other:"));
    ASSERT_EQ(NodeX[3][0], NodeX[3][7]);
    ASSERT_EQ(NodeY[3][0], NodeY[3][7]);
    MouseX = NodeX[3][0] + 15;
    MouseY = NodeY[3][0];
    CurRow = 3;
    CurCol = 5;
    EXPECT_TRUE(Fined_point());
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(3, 5));
    CurRow = 9;
    EXPECT_TRUE(Fined_point());
    EXPECT_EQ(std::pair(CurRow, CurCol), std::pair(3, 0)) << "else the first, row by row";
}

TEST_F(View3dTest, AnEditThatTheWritePathRefusesInPartChangesNothing) {
    OnlineState = OnlineStates::Offline;
    MapLoaded = -1; // a map is loaded: the write path, not the send rule, refuses
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
