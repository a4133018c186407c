#include "core/CoreState.h"
#include "core/ParamOffsets.h"
#include "core/UnitBytes.h"

#include "tests/support/ResetAllState.h"

#include <gtest/gtest.h>

// Tests that change the image and the start values, each from the start.
class UnitImageState : public ::testing::Test, protected FreshState {};

TEST(UnitImage, IndexCheckAccepts0To256Only) {
    ImageTable t;
    EXPECT_NO_THROW(t[0] = 1);
    EXPECT_NO_THROW(t[256] = 2);
    EXPECT_EQ(t[256], 2);
    for (int bad : {257, -1, 1000}) {
        try {
            t[bad] = 5;
            FAIL() << bad;
        } catch (const KvrError& e) {
            EXPECT_EQ(e.number(), KvrError::SubscriptOutOfRange);
        }
    }
}

TEST(UnitImage, CellAddressesOfTheMaps) {
    // Cell (column 7, row 15) of each map.
    EXPECT_EQ(Idx_AnaMap + 7 * 16 + 15, 255);
    EXPECT_EQ(Idx_IgnMap + 7 * 16 + 15, 127);
    EXPECT_EQ(Idx_InjMap + 7 * 16 + 15, 127);
    EXPECT_EQ(Idx_RpmScale + 2 * 15 + 1, 255);
}

// The cylinders byte is read as a count the unit takes, 1..12, else as 4; the
// image keeps the byte it holds.
TEST_F(UnitImageState, AnUnusableCylindersByteCountsAsFourAndStays) {
    for (const auto& [byte, count] :
         {std::pair{0, 4}, {1, 1}, {6, 6}, {12, 12}, {13, 4}, {255, 4}}) {
        ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(byte);
        EXPECT_EQ(UnitBytes::Usable_Cylinders(), count) << byte;
        EXPECT_EQ(ParamBlock[Idx_Cylinders], byte);
    }
    // The period of an RPM at that count, held within a usable period.
    ParamBlock[Idx_Cylinders] = 0;
    EXPECT_EQ(UnitBytes::Period_Of_Rpm(1000), 1172); // 1171.875
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 0);
    EXPECT_EQ(UnitBytes::Period_Of_Rpm(10), 32767);
    EXPECT_EQ(UnitBytes::Period_Of_Rpm(0), 32767);
    EXPECT_EQ(UnitBytes::Period_Of_Rpm(1e9), 1);
}

TEST_F(UnitImageState, InitParamOffsetsSetsTheStartValues) {
    MapLoaded = -1;
    WtsGeneral::Init_Param_Offsets();
    EXPECT_EQ(MapLoaded, 0);
    EXPECT_EQ(LogBaseName, "KVR6");
}
