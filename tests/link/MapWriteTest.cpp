#include "link/MapWrite.h"
#include "core/CoreState.h"
#include "link/LinkState.h"
#include "link/WtsUp.h"
#include "platform/KvrError.h"
#include "tests/support/ResetAllState.h"

#include <gtest/gtest.h>

namespace {

using MapWrite::Map;

class MapWriteTest : public ::testing::Test, protected FreshState {
protected:
    MapWriteTest() {
        for (int a = 0; a < 256; ++a) {
            ParamBlock[a] = static_cast<std::int16_t>(a);
            Map5Image[a] = static_cast<std::int16_t>(255 - a);
            Map6Image[a] = static_cast<std::int16_t>(a);
        }
    }
    // The image as a whole, to see that a refusal leaves every byte.
    struct Image {
        ImageTable p4 = ParamBlock, p5 = Map5Image, p6 = Map6Image;
        bool operator==(const Image&) const = default;
    };
    static std::array<int, 16> same(int value) {
        std::array<int, 16> v{};
        v.fill(value);
        return v;
    }
};

QByteArray frame(char letter, int address, const QByteArray& data, bool padded) {
    QByteArray f(1, letter);
    f += static_cast<char>(address);
    f += data;
    f += '\r';
    if (padded)
        f += QByteArray(WtsUp::PadLength, '\0');
    return f;
}

// The lowest value each map takes: -128 on a signed map, 0 otherwise.
int lowest(Map map) {
    return MapWrite::Place_Of(map).isSigned ? -128 : 0;
}

TEST_F(MapWriteTest, ValuesNoMapCanHoldAreRefusedWithTheirAddressAndChangeNothing) {
    for (const Map map : MapWrite::AllMaps) {
        const MapWrite::Place& p = MapWrite::Place_Of(map);
        const int lastCell = p.cells - 1;
        const int lastColumn = p.cells / 16 - 1;
        struct Case {
            const char* what;
            int value;
        };
        for (const Case c : {Case{"above 255", 256}, Case{"below the range", lowest(map) - 1},
                             Case{"far above", 999}}) {
            SCOPED_TRACE(std::string(p.name) + ", " + c.what);
            const Image before;
            const QByteArray frameText = FrameText;

            const MapWrite::Written cell = MapWrite::Write_Cell(map, lastCell, c.value);
            ASSERT_FALSE(cell.ok());
            EXPECT_TRUE(cell.frame.isEmpty());
            EXPECT_EQ(cell.refusal->page, p.page);
            EXPECT_EQ(cell.refusal->address, p.base + lastCell);
            EXPECT_EQ(cell.refusal->value, c.value);
            EXPECT_EQ(
                cell.refusal->text,
                QStringLiteral("page %1 address %2 would hold %3, which is not a byte (0 to 255)")
                    .arg(p.page)
                    .arg(p.base + lastCell)
                    .arg(c.value));

            // One bad value in the middle of a column: the good ones before it
            // are not stored either.
            std::array<int, 16> values = same(1);
            values[9] = c.value;
            const MapWrite::Written column = MapWrite::Write_Column(map, lastColumn, values);
            ASSERT_FALSE(column.ok());
            EXPECT_EQ(column.refusal->address, p.base + lastColumn * 16 + 9);
            EXPECT_EQ(column.refusal->value, c.value);

            EXPECT_TRUE(before == Image()) << "the image is unchanged";
            EXPECT_EQ(FrameText, frameText);
            EXPECT_TRUE(SendRequests.empty()) << "nothing is queued";
        }
    }
}

TEST_F(MapWriteTest, ParameterRowsRefuseAnyValueThatIsNoByte) {
    for (const int bad : {256, -1, -128}) {
        const Image before;
        std::array<int, 16> values = same(7);
        values[15] = bad;
        const MapWrite::Written row = MapWrite::Write_Param_Row(192, values);
        ASSERT_FALSE(row.ok()) << bad;
        EXPECT_EQ(row.refusal->page, 4);
        EXPECT_EQ(row.refusal->address, 207);
        EXPECT_EQ(row.refusal->value, bad);
        EXPECT_TRUE(before == Image());
    }
    EXPECT_FALSE(MapWrite::Write_Param_Row(200, same(1)).ok()) << "no row starts at 200";
    EXPECT_TRUE(SendRequests.empty());
}

TEST_F(MapWriteTest, AcceptedValuesGoIntoTheImageAndTheirFrame) {
    struct Case {
        const char* name;
        Map map;
        int cell;
        int value;
        int page;
        int address;
        int byte;
    };
    const Case cases[] = {
        {"analog, most negative", Map::Analog, 0, -128, 5, 128, 128},
        {"analog, top", Map::Analog, 127, 127, 5, 255, 127},
        {"analog as its byte", Map::Analog, 5, 251, 5, 133, 251},
        {"injection top", Map::Injection, 127, 255, 6, 127, 255},
        {"ignition -1", Map::Ignition, 37, -1, 5, 37, 255},
        {"analog AMP", Map::AnalogAmp, 15, 0, 6, 175, 0},
        {"injection AMP", Map::InjectionAmp, 3, 157, 6, 131, 157},
        {"ignition AMP negative", Map::IgnitionAmp, 4, -14, 6, 148, 242},
    };
    for (const Case& c : cases) {
        const MapWrite::Written w = MapWrite::Write_Cell(c.map, c.cell, c.value);
        ASSERT_TRUE(w.ok()) << c.name;
        EXPECT_EQ((c.page == 5 ? Map5Image : Map6Image)[c.address], c.byte) << c.name;
        QByteArray expected(1, static_cast<char>('0' + c.page));
        expected += static_cast<char>(c.address);
        expected += static_cast<char>(c.byte);
        expected += '\r';
        EXPECT_EQ(w.frame, expected) << c.name;
    }
    EXPECT_TRUE(SendRequests.empty()) << "the write path sends nothing itself";
}

TEST_F(MapWriteTest, ColumnsAreOneRowWriteTheIgnitionGridsPadded) {
    struct Case {
        Map map;
        int column;
        int value;
        char letter;
        int start;
        int byte;
        bool padded;
    };
    const Case cases[] = {
        {Map::Analog, 2, 10, '=', 160, 10, false},
        {Map::Analog, 0, -3, '=', 128, 253, false},
        {Map::Injection, 7, 200, '>', 112, 200, false},
        {Map::Ignition, 1, -5, '=', 16, 251, true},
        {Map::AnalogAmp, 0, 64, '>', 160, 64, false},
        {Map::InjectionAmp, 0, 128, '>', 128, 128, false},
        {Map::IgnitionAmp, 0, -2, '>', 144, 254, false},
    };
    for (const Case& c : cases) {
        const MapWrite::Written w = MapWrite::Write_Column(c.map, c.column, same(c.value));
        ASSERT_TRUE(w.ok()) << MapWrite::Place_Of(c.map).name;
        EXPECT_EQ(w.frame,
                  frame(c.letter, c.start, QByteArray(16, static_cast<char>(c.byte)), c.padded))
            << MapWrite::Place_Of(c.map).name;
    }
    EXPECT_FALSE(MapWrite::Write_Column(Map::InjectionAmp, 1, same(0)).ok())
        << "an AMP column has one column only";
    EXPECT_FALSE(MapWrite::Write_Cell(Map::Analog, 128, 0).ok()) << "the grid has 128 cells";

    const MapWrite::Written row = MapWrite::Write_Param_Row(144, same(9));
    ASSERT_TRUE(row.ok());
    EXPECT_EQ(row.frame, frame('<', 144, QByteArray(16, '\x09'), true));
    EXPECT_EQ(ParamBlock[159], 9);
}

// The frame builders check every value they carry and refuse what is no byte,
// instead of sending its low eight bits.
TEST_F(MapWriteTest, FrameBuildersRefuseValuesThatAreNoByte) {
    Map5Image[37] = 300;
    Map6Image[20] = -1;
    ParamBlock[150] = 256;
    const auto refusal = [](const std::function<void()>& build) -> QString {
        try {
            build();
        } catch (const KvrError& e) {
            EXPECT_EQ(e.number(), WtsUp::NotAByte);
            return e.description();
        }
        return QStringLiteral("built");
    };
    EXPECT_EQ(refusal([] { WtsUp::Build_Ign_Cell_Frame(37); }),
              QStringLiteral("page 5 address 37 holds 300, which is not a byte (0 to 255)"));
    EXPECT_EQ(refusal([] { WtsUp::Build_Inject_Cell_Frame(20); }),
              QStringLiteral("page 6 address 20 holds -1, which is not a byte (0 to 255)"));
    EXPECT_EQ(refusal([] { WtsUp::Row_Write_Frame('=', 32, Map5Image); }),
              QStringLiteral("page 5 address 37 holds 300, which is not a byte (0 to 255)"));
    EXPECT_EQ(refusal([] {
                  int a = 147;
                  WtsUp::Build_Row_Frame(a);
              }),
              QStringLiteral("page 4 address 150 holds 256, which is not a byte (0 to 255)"));
    EXPECT_EQ(refusal([] { WtsUp::Read_Frame('9', 0, 300); }),
              QStringLiteral("the count is 300, which is not a byte (0 to 255)"));
    EXPECT_EQ(refusal([] { WtsUp::Build_Page5_Cell_Frame(36); }), QStringLiteral("built"));
}

} // namespace
