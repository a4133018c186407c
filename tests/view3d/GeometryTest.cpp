// The node grid, the wire lines and their colours, and the label places, at the
// sliders' start positions and when the view values change.

#include "tests/view3d/View3dTestSupport.h"

#include <set>
#include <tuple>

using namespace View3D;

namespace {

const QString Analog = QStringLiteral("Analog:");

TEST_F(View3dTest, TheStartPositionsPlaceTheGridAsDesigned) {
    Place_Nodes(SliderValues{}, Analog);
    EXPECT_EQ(RowStepY, 312) << "5000 / 16 = 312.5 goes to the even 312";
    EXPECT_EQ(ColStepX, 410) << "3279 / 8 = 409.875";
    EXPECT_EQ(RowStepX, 276);
    EXPECT_EQ(ColStepY, -98);
    EXPECT_EQ(Amplitude, 5);
    EXPECT_EQ(NodeX[0][0], 300);
    EXPECT_EQ(NodeY[0][0], 5600) << "Y0 = twist + 1000 + height";
    EXPECT_EQ(NodeX[15][7], 7310);
    EXPECT_EQ(NodeY[15][7], 1606);
    // Column 8 is placed, unlifted, and never drawn.
    EXPECT_EQ(NodeX[0][8], 300 + 8 * 410);
    EXPECT_EQ(NodeY[0][8], 5600 + 8 * 98);
}

// A cell of each kind of map, each in a fresh view state.
struct LiftCase {
    QString kind;
    ImageTable* table;
    int address; // the image address of cell (row 2, column 3)
    int byte;
    int lift; // amplitude 5 times the grid's value
};

class EachKindLifts : public View3dTest, public ::testing::WithParamInterface<LiftCase> {};

TEST_P(EachKindLifts, ItsNodesByTheValuesTheGridShows) {
    const LiftCase& c = GetParam();
    Map5Image.fill(0);
    Map6Image.fill(0);
    (*c.table)[c.address] = static_cast<std::int16_t>(c.byte);
    Place_Nodes(SliderValues{}, c.kind);
    const int flat = 5600 - 2 * 312 + 3 * 98;
    EXPECT_EQ(NodeY[2][3], flat - c.lift) << c.kind.toStdString() << " byte " << c.byte;
    EXPECT_EQ(NodeY[2][4], flat + 98) << "its neighbour stays flat";
}

INSTANTIATE_TEST_SUITE_P(
    Maps, EachKindLifts,
    ::testing::Values(LiftCase{QStringLiteral("Analog:"), &Map5Image, 128 + 50, 128,
                               -640}, // -128 lowers by 640
                      LiftCase{QStringLiteral("Analog:"), &Map5Image, 128 + 50, 127, 635},
                      LiftCase{QStringLiteral("Injection:"), &Map6Image, 50, 200, 1000},
                      // 64 counts at four cylinders are 22.5 degrees, shown as 22.
                      LiftCase{QStringLiteral("Ignition:"), &Map5Image, 50, 64, 110},
                      LiftCase{QStringLiteral("Ignition:"), &Map5Image, 50, 192, -110},
                      LiftCase{QStringLiteral("Other:"), &Map5Image, 50, 100, 0}));

TEST_F(View3dTest, AViewValueTakenStaysUntilASliderSetsIt) {
    SliderValues s;
    Place_Nodes(s, Analog);
    s.amplitude = 10;
    s.width = 800;
    s.moveTop = 100;
    s.moveBottom = 50;
    s.twist = 200;
    s.height = 1000;
    Place_Nodes(s, Analog);
    EXPECT_EQ(Amplitude, 5);
    EXPECT_EQ(ColStepX, 410);
    EXPECT_EQ(RowStepX, 276);
    EXPECT_EQ(ColStepY, -98);
    // Twist's row step and the height follow the sliders on every drawing.
    EXPECT_EQ(RowStepY, 75);
    EXPECT_EQ(NodeY[0][0], 200 + 1000 + 1000);
}

// A slider at 0 gives "not taken": it is read again at every drawing.
TEST_F(View3dTest, AViewValueNotTakenIsReadAgainAtEveryDrawing) {
    SliderValues s;
    s.amplitude = 10;
    s.width = 800;
    s.moveTop = 0;
    s.moveBottom = 50;
    s.twist = 200;
    s.height = 1000;
    Place_Nodes(s, Analog);
    EXPECT_EQ(RowStepX, 0);
    s.moveTop = 30;
    Place_Nodes(s, Analog);
    EXPECT_EQ(RowStepX, 30);
}

TEST_F(View3dTest, WireLinesGoRowsFirstThenColumns) {
    EXPECT_EQ(Wire_Segment(0), (Segment{0, 0, 0, 1}));
    EXPECT_EQ(Wire_Segment(111), (Segment{15, 6, 15, 7}));
    EXPECT_EQ(Wire_Segment(112), (Segment{0, 0, 1, 0}));
    EXPECT_EQ(Wire_Segment(231), (Segment{14, 7, 15, 7}));
    EXPECT_EQ(Wire_Segment(Column_First_Line(3) + 14), (Segment{14, 3, 15, 3}));
    // Every pair of neighbouring nodes is joined by exactly one line.
    std::set<std::tuple<int, int, int, int>> seen;
    for (int n = 0; n < WireLines; ++n) {
        const Segment s = Wire_Segment(n);
        EXPECT_EQ(std::abs(s.toRow - s.fromRow) + std::abs(s.toCol - s.fromCol), 1) << n;
        seen.insert({s.fromRow, s.fromCol, s.toRow, s.toCol});
    }
    EXPECT_EQ(seen.size(), 232u);
}

TEST_F(View3dTest, TheGradientStepsDownTheRowsAndTwiceAcrossTheColumns) {
    Place_Nodes(SliderValues{}, Analog);
    EXPECT_EQ(Wire_Colour(0), Design::bgr(0x7D2210)) << "row 0 is the start colour";
    EXPECT_EQ(Wire_Colour(112), Design::bgr(0x7D2210)) << "column 0 too";
    EXPECT_EQ(Wire_Colour(Row_First_Line(15) + 6), QColor(91, 109, 215));
    EXPECT_EQ(Wire_Colour(Row_First_Line(1)), QColor(21, 39, 131));
    EXPECT_EQ(Wire_Colour(Column_First_Line(7)), QColor(86, 104, 209));
    EXPECT_EQ(Wire_Colour(Column_First_Line(1) + 14), QColor(26, 44, 137));
}

TEST_F(View3dTest, LabelsFollowTheLiftedNodes) {
    Map5Image[128] = 20; // cell (0, 0) lifted by 100
    Place_Nodes(SliderValues{}, Analog);
    EXPECT_EQ(Label_Place(0).left, 100);
    EXPECT_EQ(Label_Place(0).top, 5500 - 190);
    EXPECT_EQ(Label_Place(16).top, 5500 + 10);
    EXPECT_EQ(Label_Place(5).left, 300 + 5 * 276 - 500);
    EXPECT_EQ(Label_Place(5).top, 5600 - 5 * 312 - 180);
    EXPECT_EQ(Label_Place(19).left, 300 + 3 * 410 - 220);
    EXPECT_EQ(Label_Place(19).top, 5600 + 3 * 98 + 100);
    EXPECT_TRUE(Label_Place(24).bold);
    EXPECT_EQ(Label_Place(24).left, 300 + 8 * 276 - 1250);
    EXPECT_EQ(Label_Place(25).top, 5600 + 4 * 98 + 200);
}

TEST_F(View3dTest, ACrossHasAnArmToEachNeighbour) {
    // Live cell 23 is row 7 of column 1.
    EXPECT_EQ(Cross(7, 1),
              (std::vector<Segment>{{7, 1, 7, 2}, {7, 1, 7, 0}, {7, 1, 8, 1}, {7, 1, 6, 1}}));
    EXPECT_EQ(Cross(0, 0), (std::vector<Segment>{{0, 0, 0, 1}, {0, 0, 1, 0}}));
    EXPECT_EQ(Cross(15, 7), (std::vector<Segment>{{15, 7, 15, 6}, {15, 7, 14, 7}}));
}

} // namespace
