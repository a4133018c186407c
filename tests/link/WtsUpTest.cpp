#include "link/WtsUp.h"
#include "core/CoreState.h"
#include "link/LinkState.h"
#include "tests/support/ResetAllState.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}
QByteArray pad() {
    return QByteArray(31, '\0');
}
QByteArray run(int from, int to) {
    QByteArray b;
    for (int v = from; v <= to; ++v)
        b.append(static_cast<char>(v));
    return b;
}

class FrameBuilders : public ::testing::Test, protected FreshState {
protected:
    FrameBuilders() {
        // Every mirror byte equals its address, so a frame shows which bytes it took.
        for (int a = 0; a < 256; ++a) {
            ParamBlock[a] = static_cast<std::int16_t>(a);
            Map5Image[a] = static_cast<std::int16_t>(255 - a);
            Map6Image[a] = static_cast<std::int16_t>(a);
        }
    }
};

struct FrameCase {
    const char* name;
    std::function<QByteArray()> build;
    QByteArray expected;
    bool setsFrameText;
};

TEST_F(FrameBuilders, EachFrameHasExactlyItsBytes) {
    const std::vector<FrameCase> cases = {
        {"analog cell", [] { return WtsUp::Build_Analog_Cell_Frame(130); },
         bytes({'5', 130, 125, 13}), true},
        {"ignition cell", [] { return WtsUp::Build_Ign_Cell_Frame(7); }, bytes({'5', 7, 248, 13}),
         true},
        {"page 5 cell", [] { return WtsUp::Build_Page5_Cell_Frame(255); }, bytes({'5', 255, 0, 13}),
         true},
        {"injection cell", [] { return WtsUp::Build_Inject_Cell_Frame(0); }, bytes({'6', 0, 0, 13}),
         true},
        {"page 6 cell", [] { return WtsUp::Build_Page6_Cell_Frame(175); },
         bytes({'6', 175, 175, 13}), true},
        {"poll", [] { return WtsUp::Poll_Frame(); }, bytes({'1', 0, 16, 13}), false},
        {"read page 4 high", [] { return WtsUp::Read_Frame('8', 128, 128); },
         bytes({'8', 128, 128, 13}), false},
        {"read text", [] { return WtsUp::Read_Frame(0x40, 32, 128); }, bytes({0x40, 32, 128, 13}),
         false},
        {"map A", [] { return WtsUp::Map_Select_Frame(1); }, bytes({'3', 0, 1, 13}), false},
        {"map B", [] { return WtsUp::Map_Select_Frame(0); }, bytes({'3', 0, 0, 13}), false},
        {"reset", [] { return WtsUp::Map_Select_Frame(255); }, bytes({'3', 0, 255, 13}), false},
        {"set", [] { return WtsUp::Set_Frame(9); }, bytes({'2', 0, 9, 13}), false},
        {"no-tune set", [] { return WtsUp::NoTune_Set_Frame(); }, bytes({'2', 'U', 0, 13}) + pad(),
         false},
        {"column of page 6", [] { return WtsUp::Row_Write_Frame('>', 32, Map6Image); },
         bytes({'>', 32}) + run(32, 47) + bytes({13}), false},
    };
    for (const FrameCase& c : cases) {
        FrameText = "untouched";
        EXPECT_EQ(c.build(), c.expected) << c.name;
        EXPECT_EQ(FrameText, c.setsFrameText ? c.expected : QByteArray("untouched")) << c.name;
    }
}

TEST_F(FrameBuilders, RowFrameTakesTheRowHoldingTheAddressAndMovesPastIt) {
    struct RowCase {
        int address;
        int row;
        int after;
    };
    for (const RowCase c : {RowCase{135, 128, 144}, RowCase{240, 240, 256}, RowCase{256, 0, 16},
                            RowCase{192, 192, 208}}) {
        int address = c.address;
        const QByteArray frame = WtsUp::Build_Row_Frame(address);
        EXPECT_EQ(frame, bytes({'<', c.row}) + run(c.row, c.row + 15) + bytes({13}) + pad())
            << c.address;
        EXPECT_EQ(frame.size(), 50);
        EXPECT_EQ(FrameText, frame);
        EXPECT_EQ(address, c.after) << c.address;
    }
}

TEST_F(FrameBuilders, RpmRowsAreTwoPaddedRows) {
    const QByteArray frames = WtsUp::Build_RPM_Row_Frames();
    EXPECT_EQ(frames.size(), 100);
    EXPECT_EQ(frames, bytes({'<', 224}) + run(224, 239) + bytes({13}) + pad() + bytes({'<', 240}) +
                          run(240, 255) + bytes({13}) + pad());
    EXPECT_EQ(FrameText, frames);
}

TEST_F(FrameBuilders, PadAppendsThirtyOneNuls) {
    FrameText = bytes({'A', 48});
    EXPECT_EQ(WtsUp::Pad_Frame(), bytes({'A', 48}) + pad());
    EXPECT_EQ(FrameText.size(), 33);
}

TEST_F(FrameBuilders, AddressOutsideAPageIsRefusedBeforeAnythingIsBuilt) {
    for (int address : {-1, 256, 300}) {
        FrameText = "kept";
        try {
            WtsUp::Build_Analog_Cell_Frame(address);
            ADD_FAILURE() << address;
        } catch (const KvrError& e) {
            EXPECT_EQ(e.number(), 9);
        }
        EXPECT_THROW(WtsUp::Build_Inject_Cell_Frame(address), KvrError);
        EXPECT_EQ(FrameText, "kept");
    }
}

} // namespace
