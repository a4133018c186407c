#include "core/WtsDef.h"
#include "core/WtsAFR.h"
#include "tests/core/ImageFixture.h"

#include <array>

class WtsDefTest : public ImageTest {
protected:
    WtsDefTest() { WtsAFR::Init_AFR_Tables(); }

    static std::array<int, 8> deflection() {
        std::array<int, 8> points{};
        for (int i = 0; i < 8; ++i)
            points[i] = ParamBlock[Idx_DeflScale + i];
        return points;
    }
    static void setDeflectEnds(int first, int last) {
        for (int i = 0; i < 8; ++i)
            ParamBlock[Idx_DeflScale + i] = 77;
        ParamBlock[Idx_DeflScale] = static_cast<std::int16_t>(first);
        ParamBlock[Idx_DeflScale + 7] = static_cast<std::int16_t>(last);
    }
    static std::array<int, 16> periods() {
        std::array<int, 16> p{};
        for (int n = 0; n < 16; ++n)
            p[n] = breakPoint(n);
        return p;
    }
};

TEST_F(WtsDefTest, WeightedDeflectionScale) {
    const struct {
        int first, last;
        std::array<int, 8> points;
    } cases[] = {
        {250, 0, {240, 240, 241, 243, 245, 247, 250, 255}}, // both guards first
        {26, 230, {26, 34, 46, 66, 95, 123, 168, 230}},     // truncated, not rounded
        {0, 255, {0, 10, 25, 51, 86, 122, 178, 255}},
    };
    for (const auto& c : cases) {
        setDeflectEnds(c.first, c.last);
        WtsDef::Fill_Deflect_Weighted();
        EXPECT_EQ(deflection(), c.points) << c.first << " " << c.last;
    }
}

TEST_F(WtsDefTest, LinearDeflectionScale) {
    const struct {
        int first, last;
        std::array<int, 8> points;
    } cases[] = {
        {0, 224, {0, 32, 64, 96, 128, 160, 192, 224}},
        {0, 100, {0, 14, 28, 42, 57, 71, 85, 100}}, // truncated, not rounded
        {250, 0, {240, 242, 244, 246, 248, 250, 252, 255}},
    };
    for (const auto& c : cases) {
        setDeflectEnds(c.first, c.last);
        WtsDef::Fill_Deflect_Linear();
        EXPECT_EQ(deflection(), c.points) << c.first << " " << c.last;
    }
}

TEST_F(WtsDefTest, RpmScaleEvenlyInRpmBetweenItsEnds) {
    setBreakPoint(0, 2930); // 399.9 RPM
    setBreakPoint(15, 195); // 6009.6 RPM
    ASSERT_TRUE(WtsDef::Rebuild_RPM_Scale());
    // Point 1: 774 RPM, period 1514.05, bytes 5 and 234.
    EXPECT_EQ(ParamBlock[Idx_RpmScale + 2], 5);
    EXPECT_EQ(ParamBlock[Idx_RpmScale + 3], 234);
    // Point 14: 5636 RPM, period 207.9.
    EXPECT_EQ(breakPoint(14), 208);
    EXPECT_EQ(BarValue, 5636);
    EXPECT_EQ(breakPoint(0), 2930);
    EXPECT_EQ(breakPoint(15), 195);
    for (int n = 1; n < 16; ++n)
        EXPECT_LT(breakPoint(n), breakPoint(n - 1)) << n;
}

TEST_F(WtsDefTest, RpmScaleEndsAreKeptWithin200To19999ForTheSpacing) {
    setBreakPoint(0, 7812); // 150 RPM
    setBreakPoint(15, 47);  // 24933 RPM
    ASSERT_TRUE(WtsDef::Rebuild_RPM_Scale());
    // step 1319.93: point 1 at 1520 RPM (period 771), point 14 at 18679 (63).
    EXPECT_EQ(breakPoint(1), 771);
    EXPECT_EQ(breakPoint(14), 63);
    EXPECT_EQ(breakPoint(0), 7812);
    EXPECT_EQ(breakPoint(15), 47);
    for (int i = Idx_RpmScale; i < Idx_RpmScale + 32; ++i)
        EXPECT_LE(ParamBlock[i], 255) << i;
}

TEST_F(WtsDefTest, ReversedRpmScaleStartsThreeHundredBelowItsTop) {
    setBreakPoint(0, 195);   // 6009.6 RPM
    setBreakPoint(15, 2930); // 399.9 RPM: low becomes 99.9, step 20
    ASSERT_TRUE(WtsDef::Rebuild_RPM_Scale());
    EXPECT_EQ(breakPoint(1), 9766);  // 120 RPM
    EXPECT_EQ(breakPoint(14), 3084); // 380 RPM
}

TEST_F(WtsDefTest, RpmScaleThatCannotBeBuiltIsLeftWhole) {
    const struct {
        const char* what;
        int first, last;
    } cases[] = {
        {"period 0 at the bottom", 0, 195}, {"period 0 at the top", 2930, 0},
        {"high byte 128", 128 * 256, 195},  {"high byte 255", 2930, 255 * 256 + 255},
        {"points below 1 RPM", 195, 32767}, // reversed: low = 35.8 - 300
        {"periods above 32767", 195, 3780}, // reversed: 30 RPM needs period 39062
    };
    for (const auto& c : cases) {
        for (int n = 0; n < 16; ++n)
            setBreakPoint(n, 1000 + n);
        setBreakPoint(0, c.first);
        setBreakPoint(15, c.last);
        const auto before = periods();
        EXPECT_FALSE(WtsDef::Rebuild_RPM_Scale()) << c.what;
        EXPECT_EQ(periods(), before) << c.what;
    }
}
