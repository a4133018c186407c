// The deflection scale editor's rules without a window: percent shown and
// stored, the fill from a minimum and a maximum, the keys and the spacing rule.

#include "core/WtsDef.h"
#include "setup/ScaleEditor.h"
#include "tests/setup/ScaleTestSupport.h"

#include <random>

using Scale::DeflectionEditor;
using Scale::Key;

namespace {

class DeflectionEditorTest : public ScaleImageTest {
protected:
    DeflectionEditorTest() { setPoints({26, 51, 77, 102, 128, 153, 179, 204}); }
    static void setPoints(const std::vector<int>& points) {
        for (int i = 0; i < 8; ++i)
            ParamBlock[152 + i] = static_cast<std::int16_t>(points[static_cast<std::size_t>(i)]);
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
    int percent(int i) const { return *editor.Whole(i); }
    DeflectionEditor editor;
};

} // namespace

TEST_F(DeflectionEditorTest, PointsShowWithOneDecimalAndWorkInWholePercent) {
    const struct {
        int byte;
        const char* shown;
        int whole;
    } cases[] = {{32, "12.5", 12}, {33, "12.9", 13},   {204, "79.7", 80}, {128, "50.", 50},
                 {0, "0.", 0},     {255, "99.6", 100}, {2, "0.8", 1}};
    for (const auto& c : cases) {
        ParamBlock[152] = static_cast<std::int16_t>(c.byte);
        EXPECT_EQ(DeflectionEditor::Shown(0), QString::fromLatin1(c.shown)) << c.byte;
        EXPECT_EQ(percent(0), c.whole) << c.byte;
    }
    setPoints({32, 60, 90, 120, 150, 170, 190, 204});
    open();
    EXPECT_EQ(editor.view().lblMinRpm, QStringLiteral("12.5 %"));
    EXPECT_EQ(editor.view().lblMaxRpm, QStringLiteral("79.7 %"));
    EXPECT_EQ(editor.view().Input_Min, QStringLiteral("12.5 %"));
    EXPECT_EQ(DeflScaleRange.minimum, 12);
    EXPECT_EQ(DeflScaleRange.maximum, 80);
}

TEST_F(DeflectionEditorTest, AStoredPercentIsAlwaysAByte) {
    EXPECT_EQ(DeflectionEditor::Byte_Of(1), 2);
    EXPECT_EQ(DeflectionEditor::Byte_Of(50), 128);
    EXPECT_EQ(DeflectionEditor::Byte_Of(99), 253);
    EXPECT_EQ(DeflectionEditor::Byte_Of(100), 255) << "not 256";
    EXPECT_EQ(DeflectionEditor::Byte_Of(-3), 0);

    // Page Up on the last bar up to the top target of 100 %.
    setPoints({26, 51, 77, 102, 128, 153, 179, 243});
    open();
    editor.Image1_Click(7);
    press(Key::PageUp, 3);
    EXPECT_EQ(ParamBlock[159], 255);
}

TEST_F(DeflectionEditorTest, ApplyFillsEightPointsInWholePercent) {
    open();
    ASSERT_EQ(apply(QStringLiteral("10 %"), QStringLiteral("90%")), QString());
    EXPECT_EQ(bytes(152, 159), (std::vector<int>{25, 53, 84, 112, 143, 171, 202, 230}));
    EXPECT_EQ(editor.view().lblMinRpm, QStringLiteral("10%"));
    EXPECT_EQ(editor.view().lblMaxRpm, QStringLiteral("90%"));
    EXPECT_TRUE(editor.view().applyAllEnabled);

    // The console's linear fill keeps its own rule: the byte step truncated.
    ParamBlock[152] = 25;
    ParamBlock[159] = 230;
    WtsDef::Fill_Deflect_Linear();
    EXPECT_EQ(bytes(152, 154), (std::vector<int>{25, 54, 83}));
}

TEST_F(DeflectionEditorTest, EntriesAreHeldWithinOneToNinetyNinePercent) {
    open();
    apply(QStringLiteral("0"), QStringLiteral("150"));
    EXPECT_EQ(percent(0), 1);
    EXPECT_EQ(percent(7), 99);
    EXPECT_EQ(bytes(152, 152), std::vector<int>{2});
    EXPECT_EQ(bytes(159, 159), std::vector<int>{253});
    EXPECT_EQ(editor.view().lblMinRpm, QStringLiteral("0%"));
    EXPECT_EQ(editor.view().lblMaxRpm, QStringLiteral("150%"));
}

TEST_F(DeflectionEditorTest, EntriesThatGiveNoRisingScaleAreRefused) {
    open();
    const auto before = bytes(0, 256);
    const struct {
        const char* min;
        const char* max;
        const char* told;
    } cases[] = {
        {"%50", "90", "\"%50\" is not a number"},
        {"10", "abc", "\"abc\" is not a number"},
        {"60", "40", "The maximum (40 %) is below the minimum (60 %)"},
        {"150", "120", "The maximum (99 %) is below the minimum (150 %)"},
        {"50 %", "50%", "both 50 %"},
        {"0", "1", "both 1 %"},
    };
    for (const auto& c : cases) {
        const QString told = apply(QString::fromLatin1(c.min), QString::fromLatin1(c.max));
        EXPECT_TRUE(told.contains(QString::fromLatin1(c.told))) << told.toStdString();
        EXPECT_EQ(bytes(0, 256), before) << c.min << " " << c.max;
    }
}

TEST_F(DeflectionEditorTest, TheSpacingRuleKeepsOnePercentPerBar) {
    // Up on a bar at 79 with the next at 79 raises the next to 81 %.
    setPoints({26, 51, 77, 102, 128, 202, 202, 230});
    open();
    ASSERT_EQ(percent(5), 79);
    editor.Image1_Click(5);
    press(Key::Up);
    EXPECT_EQ(percent(5), 80);
    EXPECT_EQ(ParamBlock[158], 207);
    EXPECT_EQ(percent(6), 81);
    EXPECT_EQ(ParamBlock[159], 230) << "far enough: not touched";

    // Down on a bar at 20 with the bar to its left at 20 lowers that one to 18 %.
    setPoints({26, 51, 51, 102, 128, 153, 179, 204});
    open();
    editor.Image1_Click(2);
    press(Key::Down);
    EXPECT_EQ(percent(2), 19);
    EXPECT_EQ(percent(1), 18);
    EXPECT_EQ(ParamBlock[152], 26);
    EXPECT_TRUE(editor.view().applyAllEnabled);
}

TEST_F(DeflectionEditorTest, SelectingABarChangesNoByte) {
    setPoints({32, 51, 77, 102, 128, 153, 179, 204});
    open();
    const auto before = bytes(0, 256);
    ScaleSelBar = 12; // left by the RPM editor
    press(Key::Left);
    EXPECT_EQ(ScaleSelBar, 7) << "brought into the eight bars";
    press(Key::Left, 9);
    EXPECT_EQ(ScaleSelBar, 0);
    EXPECT_EQ(editor.view().lblRPM_Now, QStringLiteral("12 %"));
    press(Key::Other, 2);
    press(Key::Right, 9);
    EXPECT_EQ(bytes(0, 256), before);
    EXPECT_FALSE(editor.view().applyAllEnabled);
}

TEST_F(DeflectionEditorTest, AFallingStoredScaleIsToldAndLeftAsItIs) {
    setPoints({200, 51, 77, 102, 128, 153, 179, 50});
    const auto before = bytes(0, 256);
    const QString told = open();
    EXPECT_TRUE(told.contains(QStringLiteral("falls from its first point (78.1 %)")))
        << told.toStdString();
    EXPECT_EQ(bytes(0, 256), before) << "opening changes nothing";
    EXPECT_EQ(ScaleTwipsPerUnit, 0.0);
}

TEST_F(DeflectionEditorTest, AnySequenceOfKeysAndAppliesStoresOnlyBytesAndOnlyThePoints) {
    std::mt19937 random(108);
    const QStringList entries{QStringLiteral("0"),   QStringLiteral("12 %"), QStringLiteral("-5"),
                              QStringLiteral("150"), QStringLiteral("%"),    QStringLiteral("50%"),
                              QStringLiteral("99"),  QStringLiteral("1")};
    const Key keys[] = {Key::Down,   Key::Up,       Key::Left, Key::Right,
                        Key::PageUp, Key::PageDown, Key::Other};
    for (int run = 0; run < 60; ++run) {
        for (int a = 152; a < 160; ++a)
            ParamBlock[a] = static_cast<std::int16_t>(random() % 256);
        const auto before = bytes(0, 256);
        ScaleSelBar = static_cast<int>(random() % 16);
        open();
        for (int step = 0; step < 150; ++step) {
            const unsigned what = random() % 20;
            if (what < 15)
                press(keys[random() % 7]);
            else if (what < 17)
                editor.Image1_Click(static_cast<int>(random() % 8));
            else
                apply(entries[static_cast<int>(random() % entries.size())],
                      entries[static_cast<int>(random() % entries.size())]);
            const auto now = bytes(0, 256);
            for (int a = 0; a < 257; ++a) {
                if (a >= 152 && a < 160)
                    ASSERT_TRUE(now[a] >= 0 && now[a] <= 255) << "byte " << a << " = " << now[a];
                else
                    ASSERT_EQ(now[a], before[a]) << "byte " << a;
            }
        }
    }
}
