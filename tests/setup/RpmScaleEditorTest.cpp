// The RPM scale editor's rules without a window: the fill from a minimum and a
// maximum, the keys and the spacing rule, what is kept and put back.

#include "core/WtsDis.h"
#include "platform/NumberRules.h"
#include "setup/ScaleEditor.h"
#include "tests/setup/ScaleTestSupport.h"

#include <random>

using Scale::Key;

namespace {

class RpmEditorTest : public ScaleImageTest {
protected:
    // Opens on an even scale of 1000 .. 8500 RPM, bar n at 1000 + 500 n.
    RpmEditorTest() {
        for (int n = 0; n < 16; ++n)
            setPeriod(n, static_cast<int>(NumberRules::RoundEven(1171875.0 / (1000 + 500 * n))));
    }
    QString open() { return editor.Form_Load(); }
    QString apply(const QString& min, const QString& max) {
        editor.Entry_Focused();
        return editor.cmdApply_Click(min, max);
    }
    void press(Key key, int times = 1) {
        for (int i = 0; i < times; ++i)
            editor.Form_KeyDown(key);
    }
    int rpm(int n) const { return *editor.Whole(n); }
    Scale::RpmEditor editor;
};

} // namespace

TEST_F(RpmEditorTest, ApplyFillsSixteenPointsBetweenTheEndsAsTheyReadBack) {
    open();
    ASSERT_EQ(apply(QStringLiteral("300"), QStringLiteral("19000")), QString());
    // 300 RPM at 4 cylinders is period 3906, 19000 RPM period 62 (18901 RPM).
    EXPECT_EQ(bytes(224, 225), (std::vector<int>{15, 66}));
    EXPECT_EQ(bytes(254, 255), (std::vector<int>{0, 62}));
    for (int n = 1; n < 16; ++n)
        EXPECT_LT(period(n), period(n - 1)) << n;
    const Scale::View& v = editor.view();
    EXPECT_EQ(v.lblMinRpm, QStringLiteral("300"));
    EXPECT_EQ(v.lblMaxRpm, QStringLiteral("19000"));
    EXPECT_EQ(v.lblRpmMax, QStringLiteral("19000"));
    EXPECT_EQ(RpmEditRange.maximum, 18901) << "the chart runs over the range read back";
    EXPECT_TRUE(v.applyAllEnabled);
    EXPECT_EQ(ScaleMinMaxMode, 0) << "Apply ends in Navigation";
    EXPECT_TRUE(v.chkActiveN);
    EXPECT_GE(main.redraws, 1);
}

TEST_F(RpmEditorTest, EntriesBeyondTheLimitsAreWrittenBackAsTheLimits) {
    open();
    apply(QStringLiteral("200"), QStringLiteral("25000"));
    const Scale::View& v = editor.view();
    EXPECT_EQ(v.Input_Min, QStringLiteral("300"));
    EXPECT_EQ(v.Input_max, QStringLiteral("19000"));
    EXPECT_EQ(v.lblMinRpm, QStringLiteral("300"));
    EXPECT_EQ(v.lblMaxRpm, QStringLiteral("19000"));
    EXPECT_EQ(bytes(224, 225), (std::vector<int>{15, 66}));
    EXPECT_EQ(bytes(254, 255), (std::vector<int>{0, 62}));
}

TEST_F(RpmEditorTest, TheCylinderCountBoundsTheScaleAndTheLongestPeriodCarries) {
    ParamBlock[Idx_Cylinders] = 12;
    open();
    apply(QStringLiteral("1000"), QStringLiteral("19000"));
    EXPECT_EQ(period(15), 51) << "7659 RPM is the top at 12 cylinders";
    EXPECT_EQ(rpm(15), 7659);

    ParamBlock[Idx_Cylinders] = 1;
    open();
    apply(QStringLiteral("300"), QStringLiteral("5000"));
    // 300 RPM at one cylinder would be period 15625: held at 5376, stored 21, 0.
    EXPECT_EQ(bytes(224, 225), (std::vector<int>{21, 0}));
    EXPECT_EQ(rpm(0), 872);
    for (int a = 224; a < 256; ++a)
        EXPECT_LE(ParamBlock[a], 255) << a;
}

TEST_F(RpmEditorTest, AnUnusableCylindersByteCountsAsFourAndStaysAsItIs) {
    for (const int cylinders : {0, 13, 255}) {
        ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(cylinders);
        const QString told = open();
        EXPECT_TRUE(
            told.contains(QStringLiteral("is %1, which is no cylinder count").arg(cylinders)))
            << told.toStdString();
        apply(QStringLiteral("300"), QStringLiteral("19000"));
        EXPECT_EQ(bytes(224, 225), (std::vector<int>{15, 66})) << cylinders;
        EXPECT_EQ(ParamBlock[Idx_Cylinders], cylinders);
    }
    ParamBlock[Idx_Cylinders] = 6;
    EXPECT_EQ(open(), QString()) << "a usable byte is not told";
}

TEST_F(RpmEditorTest, EntriesThatGiveNoScaleAreRefusedAndNothingChanges) {
    const struct {
        int cylinders;
        const char* min;
        const char* max;
        const char* told;
    } cases[] = {
        {4, "abc", "8000", "\"abc\" is not a number"},
        {4, "1000", "", "\"\" is not a number"},
        {4, "3000", "3000", "both 3000 RPM"},
        {4, "100", "300", "both 300 RPM"},
        {4, "19000", "25000", "both 19000 RPM"},
        {4, "5000", "3000", "The maximum (3000 RPM) is below the minimum (5000 RPM)"},
        {4, "100", "250", "The maximum (250 RPM) is below the minimum (300 RPM)"},
        {4, "999999999999", "999999999999", "is below the minimum"},
        // Both ends come to the shortest period, or both to the longest.
        {12, "7700", "9000", "both come to 7659 RPM (timer period 51)"},
        {1, "300", "850", "both come to 872 RPM (timer period 5376)"},
    };
    for (const auto& c : cases) {
        ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(c.cylinders);
        open();
        const auto before = bytes(0, 256);
        const QString told = apply(QString::fromLatin1(c.min), QString::fromLatin1(c.max));
        EXPECT_TRUE(told.contains(QString::fromLatin1(c.told))) << told.toStdString();
        EXPECT_EQ(bytes(0, 256), before) << c.min << " " << c.max;
        EXPECT_FALSE(editor.view().applyAllEnabled);
        EXPECT_EQ(ScaleMinMaxMode, 1) << "the entries stay to be mended";
    }
}

TEST_F(RpmEditorTest, ValueKeysStepTheSelectedBarAndEndsCarryTheRange) {
    // The period of an RPM at 4 cylinders, as the store rounds it.
    const auto periodOf = [](int r) {
        return static_cast<int>(NumberRules::RoundEven(1171875.0 / r));
    };
    open();
    editor.Image1_Click(3);
    const int shown = rpm(3);
    EXPECT_EQ(editor.view().lblRPM_Now, QString::number(shown));
    press(Key::Up);
    EXPECT_EQ(period(3), periodOf(shown + 10));
    const int up = rpm(3);
    EXPECT_EQ(editor.view().lblRPM_Now, QString::number(up));
    press(Key::PageDown);
    EXPECT_EQ(period(3), periodOf(up - 100)) << "the next key steps from the shown value";

    // Left on bar 0 and Right on bar 15 keep the selection there.
    press(Key::Left, 5);
    EXPECT_EQ(ScaleSelBar, 0);
    EXPECT_EQ(editor.view().lblRPM_Now, QString::number(rpm(0)));
    press(Key::Right, 20);
    EXPECT_EQ(ScaleSelBar, 15);
    const int top = rpm(15);
    EXPECT_EQ(editor.view().lblRPM_Now, QString::number(top));
    // Up on bar 15 raises the maximum with it: the caption shows the target, the
    // chart the point as stored.
    press(Key::PageUp);
    EXPECT_EQ(period(15), periodOf(top + 100));
    EXPECT_EQ(editor.view().lblMaxRpm, QString::number(top + 100));
    EXPECT_EQ(RpmEditRange.maximum, rpm(15));
    EXPECT_GT(rpm(15), top);
}

TEST_F(RpmEditorTest, DownStopsAtTheLowestTarget) {
    setPeriod(0, 3842); // 305 RPM
    open();
    editor.Image1_Click(0);
    ASSERT_EQ(editor.view().lblRPM_Now, QStringLiteral("305"));
    press(Key::Down);
    EXPECT_EQ(RpmBarTarget, 300);
    EXPECT_EQ(period(0), 3906);
    EXPECT_EQ(editor.view().lblRPM_Now, QStringLiteral("300"));
    press(Key::Down);
    EXPECT_EQ(period(0), 3906);
}

TEST_F(RpmEditorTest, TheSpacingRulePushesOnlyTheBarsTooCloseToTenRpmPerBar) {
    // Near 1100 RPM a period count is about 1 RPM: every whole RPM is held.
    const int start[] = {1095, 1100, 1105, 1112, 1140};
    for (int n = 0; n < 5; ++n)
        setPeriod(n, static_cast<int>(NumberRules::RoundEven(1171875.0 / start[n])));
    open();
    const int bar5 = period(5);
    editor.Image1_Click(1);
    press(Key::Up);
    // Bar 1 at 1110: bars 2 and 3 pushed to 10 and 20 RPM above it; bar 4 stands
    // at 30 above already, and bar 0 below: not touched.
    const std::vector<int> up{1095, 1110, 1120, 1130, 1140};
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(rpm(n), up[static_cast<std::size_t>(n)]) << n;
    EXPECT_EQ(period(4), static_cast<int>(NumberRules::RoundEven(1171875.0 / 1140)));
    EXPECT_EQ(period(5), bar5);
    EXPECT_TRUE(editor.view().applyAllEnabled);

    // Down to 1080: bar 0 pushed to 10 RPM below, and the minimum with it.
    press(Key::Down, 3);
    const std::vector<int> down{1070, 1080, 1120, 1130, 1140};
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(rpm(n), down[static_cast<std::size_t>(n)]) << n;
    EXPECT_EQ(editor.view().lblMinRpm, QStringLiteral("1070"));
    EXPECT_EQ(editor.view().lblRPMmin, QStringLiteral("1070"));
}

TEST_F(RpmEditorTest, MovingOneBarAloneIsAnUnsentChange) {
    open();
    EXPECT_FALSE(editor.view().applyAllEnabled);
    editor.Image1_Click(7);
    press(Key::Up);
    EXPECT_TRUE(editor.Unsent());
    EXPECT_TRUE(editor.view().applyAllEnabled) << "OK would otherwise close without sending";
    press(Key::Down);
    EXPECT_FALSE(editor.view().applyAllEnabled) << "back where it was: nothing to send";
}

TEST_F(RpmEditorTest, KeysWhileMinMaxIsActiveAndOtherKeysChangeNothing) {
    open();
    editor.Image1_Click(15);
    const auto before = bytes(0, 256);
    const Scale::View shown = editor.view();
    editor.Entry_Focused();
    EXPECT_EQ(ScaleMinMaxMode, 1);
    EXPECT_TRUE(editor.view().chkActiveMM);
    EXPECT_FALSE(editor.view().navigationEnabled);
    press(Key::Up);
    press(Key::PageUp);
    EXPECT_EQ(bytes(0, 256), before);
    editor.chkActiveN_Click(true);
    press(Key::Other, 3);
    EXPECT_EQ(bytes(0, 256), before);
    EXPECT_EQ(editor.view().lblMaxRpm, shown.lblMaxRpm);
    EXPECT_EQ(editor.view().lblMinRpm, shown.lblMinRpm);
}

TEST_F(RpmEditorTest, AValueKeyBeforeAnyBarWasShownStepsFromTheSelectedBar) {
    RpmBarValue = 8500; // left by an earlier opening
    ScaleSelBar = 0;
    open();
    press(Key::Up);
    EXPECT_EQ(rpm(0), 1010);
    EXPECT_EQ(rpm(1), 1500) << "nothing pushed";
}

TEST_F(RpmEditorTest, CancelPutsBackWhatWasKeptAtOpeningAndAtTheLastSend) {
    open();
    const auto opened = bytes(0, 256);
    apply(QStringLiteral("800"), QStringLiteral("9000"));
    ASSERT_NE(bytes(0, 256), opened);
    editor.Cancel();
    EXPECT_EQ(bytes(0, 256), opened);

    apply(QStringLiteral("800"), QStringLiteral("9000"));
    ASSERT_TRUE(editor.Save_Values()); // off-line: the image is the map now
    const auto sent = bytes(0, 256);
    EXPECT_FALSE(editor.view().applyAllEnabled);
    editor.Image1_Click(4);
    press(Key::PageUp, 3);
    ASSERT_NE(bytes(0, 256), sent);
    editor.Cancel();
    EXPECT_EQ(bytes(0, 256), sent);
}

TEST_F(RpmEditorTest, UnusablePeriodsAreToldShownAsNoValueAndRepairedByAMove) {
    setPeriod(0, 0);
    ParamBlock[230] = 200; // point 3: high byte 200
    const QString told = open();
    EXPECT_TRUE(told.contains(QStringLiteral("point(s) 1, 4 of the scale"))) << told.toStdString();
    const Scale::View& v = editor.view();
    EXPECT_EQ(v.lblMinRpm, WtsDis::NoValue);
    EXPECT_EQ(ScaleTwipsPerUnit, 0.0) << "no span: drawn flat";
    for (const Scale::Bar& b : v.bars)
        EXPECT_EQ(b.height, 0.0);
    editor.Image1_Click(0);
    EXPECT_EQ(editor.view().lblRPM_Now, WtsDis::NoValue);
    press(Key::Right);
    press(Key::Up);
    // Bar 1 moved; bar 0 (no value) is put below it and bar 3 above.
    EXPECT_TRUE(editor.Whole(0).has_value());
    EXPECT_TRUE(editor.Whole(3).has_value());
    EXPECT_LT(rpm(0), rpm(1));
    EXPECT_GT(rpm(3), rpm(1));
    EXPECT_GT(ScaleTwipsPerUnit, 0.0);
}

// Whatever the user does, every point is a byte, and nothing but the points changes.
TEST_F(RpmEditorTest, AnySequenceOfKeysAndAppliesStoresOnlyBytesAndOnlyThePoints) {
    std::mt19937 random(23);
    const QStringList entries{
        QStringLiteral("0"),     QStringLiteral("300"),  QStringLiteral("-50"),
        QStringLiteral("1e9"),   QStringLiteral("x"),    QStringLiteral("850"),
        QStringLiteral("19999"), QStringLiteral("7000"), QStringLiteral("305.5")};
    const Key keys[] = {Key::Down,   Key::Up,       Key::Left, Key::Right,
                        Key::PageUp, Key::PageDown, Key::Other};
    for (const int cylinders : {1, 2, 4, 12, 0, 13}) {
        for (int run = 0; run < 20; ++run) {
            ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(cylinders);
            for (int a = 224; a < 256; ++a)
                ParamBlock[a] = static_cast<std::int16_t>(random() % 256);
            const auto before = bytes(0, 256);
            ScaleSelBar = static_cast<int>(random() % 16);
            open();
            for (int step = 0; step < 150; ++step) {
                const unsigned what = random() % 20;
                if (what < 14)
                    press(keys[random() % 7]);
                else if (what < 16)
                    editor.Image1_Click(static_cast<int>(random() % 16));
                else if (what < 17)
                    editor.chkActiveN_Click(true);
                else
                    apply(entries[static_cast<int>(random() % entries.size())],
                          entries[static_cast<int>(random() % entries.size())]);
                const auto now = bytes(0, 256);
                for (int a = 0; a < 257; ++a) {
                    if (a >= 224 && a < 256)
                        ASSERT_TRUE(now[a] >= 0 && now[a] <= 255)
                            << "byte " << a << " = " << now[a] << ", cylinders " << cylinders;
                    else
                        ASSERT_EQ(now[a], before[a]) << "byte " << a << ", cylinders " << cylinders;
                }
            }
        }
    }
}
