// A step that stops part-way ("Step not finished") leaves the setup folder's
// open windows drawn anew from the image: the RPM scale editor after an Apply
// that stored its points, the editor after a Cancel that put them back, and the
// global parameter screen at once. Off-line on the default map, through the main
// window's menus, the main window's redraw of the map failing once.

#include "core/WtsDis.h"
#include "platform/NumberRules.h"
#include "platform/Step.h"
#include "setup/frmOptions.h"
#include "tests/mainwin/RedrawFailingOnce.h"
#include "tests/setup/ScaleWindowSupport.h"
#include "tests/support/WindowWaits.h"

#include <QRadioButton>
#include <new>

namespace {

class StoppedStep : public ScaleWindowTest {
protected:
    // Runs one click of the user's with the main window's next redraw failing.
    void clickWithRedrawFailing(frmMain& w, QWidget* button) {
        RedrawFailingOnce failing(w);
        Set_Main(&failing);
        QTest::mouseClick(button, Qt::LeftButton);
        Set_Main(&w);
        ASSERT_EQ(failing.failures, 1) << "the redraw stopped the step";
        ASSERT_TRUE(QTest::qWaitFor([] { return Dialogs::laterWaiting() == 0; }, 5000));
        ASSERT_FALSE(dialogs.records().empty());
        EXPECT_EQ(dialogs.records().back().title, QStringLiteral("Step not finished"));
    }
    // The captions, entries and bars of the RPM editor as the points the image holds give them.
    static void expectRpmEditorShowsTheImage(frmScaleRPM& e) {
        const std::optional<float> low = Scale::RpmEditor::Rpm(0);
        const std::optional<float> high = Scale::RpmEditor::Rpm(15);
        ASSERT_TRUE(low && high);
        EXPECT_EQ(e.lblMinRpm->text(), WtsDis::Single_Text(*low));
        EXPECT_EQ(e.lblMaxRpm->text(), WtsDis::Single_Text(*high));
        EXPECT_EQ(e.Input_Min->text(), NumberRules::Format(*low, QStringLiteral("####0")));
        EXPECT_EQ(e.Input_max->text(), NumberRules::Format(*high, QStringLiteral("####0")));
        const Scale::View& v = e.editor().view();
        const auto px = [](double twips) {
            return Design::px(static_cast<int>(std::lround(twips)));
        };
        for (std::size_t i = 0; i < e.Image1.size(); ++i) {
            const int top = px(v.bars[i].top);
            EXPECT_EQ(e.Image1[i]->y(), top) << "bar " << i;
            EXPECT_EQ(e.Image1[i]->height(), px(v.bars[i].top + v.bars[i].height) - top)
                << "bar " << i;
        }
        EXPECT_EQ(e.cmdApplyAll->isEnabled(), e.editor().Unsent());
    }
};

} // namespace

TEST_F(StoppedStep, AnApplyThatStoredItsPointsLeavesTheEditorShowingThem) {
    frmMain& w = openWired();
    frmScaleRPM& e = openRpm();
    const auto opened = bytes(0, 256);
    const QString maxOpened = e.lblMaxRpm->text();
    type(e.Input_Min, QStringLiteral("600"));
    type(e.Input_max, QStringLiteral("9000"));

    clickWithRedrawFailing(w, e.cmdApply);
    EXPECT_TRUE(Still_Loaded<frmScaleRPM>());
    ASSERT_NE(bytes(0, 256), opened) << "the Apply stored the new points";
    EXPECT_NE(e.lblMaxRpm->text(), maxOpened);
    expectRpmEditorShowsTheImage(e);
    EXPECT_TRUE(e.cmdApplyAll->isEnabled()) << "the points stored are not sent";
    EXPECT_EQ(e.Image1[15]->height(), Design::px(Scale::BarArea)) << "the chart's new range";
    EXPECT_EQ(e.Image1[0]->height(), 0);
    expectAxisLabelsFollowTheImage();

    // The user goes on: OK stores them and closes.
    QTest::mouseClick(e.cmdOK, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmScaleRPM>());
    EXPECT_EQ(OfflineEdits, 1);
}

TEST_F(StoppedStep, ACancelStoppedAfterPuttingThePointsBackLeavesTheEditorShowingThem) {
    frmMain& w = openWired();
    frmScaleRPM& e = openRpm();
    const auto opened = bytes(0, 256);
    clickBar(e, 4);
    const int height = e.Image1[4]->height();
    const QString shown = e.lblRPM_Now->text();
    press(e, Qt::Key_PageUp, Qt::NoModifier, 3);
    ASSERT_NE(bytes(0, 256), opened);
    ASSERT_NE(e.Image1[4]->height(), height);
    ASSERT_TRUE(e.cmdApplyAll->isEnabled());

    clickWithRedrawFailing(w, e.cmdCancel);
    EXPECT_TRUE(Still_Loaded<frmScaleRPM>()) << "the close did not come";
    EXPECT_EQ(bytes(0, 256), opened) << "the points were put back";
    expectRpmEditorShowsTheImage(e);
    EXPECT_EQ(e.Image1[4]->height(), height);
    EXPECT_EQ(e.lblRPM_Now->text(), shown);
    EXPECT_FALSE(e.cmdApplyAll->isEnabled());
    expectAxisLabelsFollowTheImage();

    QTest::mouseClick(e.cmdCancel, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmScaleRPM>());
    EXPECT_EQ(bytes(0, 256), opened);
}

TEST_F(StoppedStep, TheParameterScreenFollowsTheImageAtOnce) {
    frmMain& w = openWired();
    w.mnuGlobal->trigger();
    frmOptions* o = FormInstance<frmOptions>::ifLoaded();
    ASSERT_NE(o, nullptr);
    ASSERT_EQ(ParamBlock[Idx_Cylinders], 4);
    ASSERT_TRUE(o->optcyl[3]->isChecked());

    // The image changes under the screen, and a step stops before its watch looks.
    ParamBlock[Idx_Cylinders] = 6;
    Step::Run([] { throw std::bad_alloc(); });
    EXPECT_TRUE(o->optcyl[5]->isChecked()) << "the six cylinders the image holds";
    EXPECT_FALSE(o->optcyl[3]->isChecked());
}
