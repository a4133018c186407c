#include "core/WtsAFR.h"
#include "core/frmSplash.h"
#include "tests/core/CoreTestSupport.h"

#include <algorithm>

class WtsAFRTest : public CoreTest {
protected:
    WtsAFRTest() { WtsAFR::Init_AFR_Tables(); }
};

TEST_F(WtsAFRTest, LookupFindsTheNearestSetEntryAtOrBelow) {
    const struct {
        int x;
        float ratio;
        int entry;
    } cases[] = {
        {0, 26.4f, 0},     {1, 23.8f, 1},     {11, 15.0f, 11},   {12, 15.0f, 11},
        {16, 15.0f, 11},   {17, 14.9f, 17},   {74, 14.8f, 30},   {75, 14.7f, 75},
        {159, 14.6f, 116}, {183, 13.7f, 183}, {184, 13.7f, 183}, {195, 11.8f, 195},
        {196, 11.6f, 196}, {250, 11.6f, 196}, {256, 11.6f, 196},
    };
    for (const auto& c : cases) {
        int x = c.x;
        EXPECT_EQ(WtsAFR::Lookup_AFR(x), c.ratio) << c.x;
        EXPECT_EQ(x, c.entry) << c.x;
    }
}

TEST_F(WtsAFRTest, TablesHoldTheSensorPointsAndTheWeights) {
    EXPECT_EQ(std::count_if(AfrTable.begin(), AfrTable.end(), [](float r) { return r != 0; }), 36);
    const std::array<float, 9> weights{0, 0.04f, 0.1f, 0.2f, 0.34f, 0.48f, 0.7f, 1.0f, 0};
    EXPECT_EQ(AfrTable2, weights);
}

TEST_F(WtsAFRTest, LookupOutsideTheTableIsRefused) {
    for (int bad : {257, -1}) {
        int x = bad;
        try {
            WtsAFR::Lookup_AFR(x);
            FAIL() << bad;
        } catch (const KvrError& e) {
            EXPECT_EQ(e.number(), KvrError::SubscriptOutOfRange);
        }
    }
}

TEST_F(CoreTest, StartUpWindowBuildsTheAfrTables) {
    frmSplash splash;
    int x = 184;
    EXPECT_EQ(WtsAFR::Lookup_AFR(x), 13.7f);
    EXPECT_EQ(AfrTable2[6], 0.7f);
}
