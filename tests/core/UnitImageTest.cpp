#include "core/CoreState.h"
#include "core/ParamOffsets.h"

#include <gtest/gtest.h>

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

TEST(UnitImage, CylindersOfZeroBecomeFourInTheImage) {
    ResetCoreState();
    ParamBlock[Idx_Cylinders] = 0;
    EXPECT_EQ(WtsGeneral::Cylinders(), 4);
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 4);
    ParamBlock[Idx_Cylinders] = 6;
    EXPECT_EQ(WtsGeneral::Cylinders(), 6);
    ResetCoreState();
}

TEST(UnitImage, InitParamOffsetsSetsTheStartValues) {
    ResetCoreState();
    MapLoaded = -1;
    WtsGeneral::Init_Param_Offsets();
    EXPECT_EQ(MapLoaded, 0);
    EXPECT_EQ(LogBaseName, "KVR6");
    ResetCoreState();
}
