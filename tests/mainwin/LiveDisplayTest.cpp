#include "ReadoutFixture.h"

#include "link/LinkHooks.h"
#include "mainwin/BarIndicators.h"
#include "mainwin/LiveDisplay.h"
#include "mainwin/RpmIndication.h"
#include "mainwin/StripChart.h"

#include <QWidget>

using namespace Readouts;

// The readouts on a window of their own, as the main window hands them in.
class LiveDisplayTest : public ReadoutTest {
protected:
    LiveDisplayTest() {
        LiveDisplay::Parts parts;
        for (int s = 0; s < 10; ++s) {
            parts.lblRC[s] = new QLabel(&window);
            parts.RCNum[s] = new QLabel(&window);
        }
        parts.bars = new BarIndicators(&window);
        parts.rpmBar = new RpmIndicator(&window);
        parts.chart = new StripChart(&window);
        parts.hideStartupLabels = [this] { ++hides; };
        this->parts = parts;
        display = std::make_unique<LiveDisplay>(parts);
        for (int n = 0; n < 16; ++n)
            setBreakPoint(n, 1953 - n * (1953 - 150) / 15);
    }
    ~LiveDisplayTest() override { ResetLinkHooks(); }

    QWidget window;
    LiveDisplay::Parts parts;
    std::unique_ptr<LiveDisplay> display;
    int hides = 0;
};

TEST_F(LiveDisplayTest, TextValuesShowsTheUsedSlotsAndHidesTheOthers) {
    addRows({{"9", "0", "2", "RPM", "0", "8000", "0"}, {"0", "0", "11", "Beyond", "0", "10", "0"}});
    LiveRpm = 3210;
    parts.lblRC[5]->setText("stale");
    display->Text_Values();
    EXPECT_FALSE(parts.RCNum[1]->isHidden());
    EXPECT_EQ(parts.RCNum[1]->text(), QStringLiteral("3210"));
    EXPECT_EQ(parts.lblRC[1]->text(), QStringLiteral("RPM"));
    EXPECT_GE(parts.lblRC[1]->minimumWidth(), 66);
    for (int s : {0, 2, 3, 4, 5, 6, 7, 8, 9}) {
        EXPECT_TRUE(parts.RCNum[s]->isHidden()) << s;
        EXPECT_TRUE(parts.lblRC[s]->isHidden()) << s;
    }
}

TEST_F(LiveDisplayTest, TheLinkHooksRefreshEveryReadout) {
    addRows({{"9", "1", "1", "RPM", "0", "8000", "1"}});
    display->Install_Link_Hooks();
    UnitOnline = 1;
    LiveRpm = 4000;
    Hooks().Set_RPM_Indication_BAR();
    Hooks().Plot_Setup();
    Hooks().RPM_Bar_movement();
    Hooks().Bar_Draw();
    Hooks().Text_Values();
    EXPECT_EQ(parts.rpmBar->labels()[9], QStringLiteral("7809"));
    EXPECT_GT(parts.rpmBar->bar().height, 1000);
    EXPECT_EQ(parts.bars->bars()[0].length, 1088);
    EXPECT_EQ(parts.RCNum[0]->text(), QStringLiteral("4000"));
    EXPECT_EQ(parts.chart->model().PlotPos, 2);
}

TEST_F(LiveDisplayTest, TheStartupLabelsGiveWayPastPositionThirty) {
    display->Plot_Clear();
    for (int i = 0; i < 29; ++i)
        display->Plot_Graph();
    EXPECT_EQ(hides, 0);
    display->Plot_Graph(); // the next position is 31
    EXPECT_EQ(hides, 1);
    display->Plot_Setup();
    EXPECT_EQ(hides, 2);
}

TEST_F(LiveDisplayTest, DegenerateTablesRefreshWithoutFailing) {
    addRows({{"9", "9", "12", "Nowhere", "5", "5", "1"},
             {"x", "1", "1", "Junk", "a", "b", "c"},
             {"3", "2", "2", "Defl", "0", "0", "1"},
             {"9", "3", "3", "RPM", "0", "8000", "1"},
             {"7", "4", "4", "AFR", "10", "20", "1"},
             {"4", "5", "5", "Fourth plot", "0", "255", "1"}});
    DisplaySetTable[0][0] = QStringLiteral("9999");
    ParamBlock[Idx_Cylinders] = 0;
    setBreakPoint(0, 0);
    display->Set_RPM_Indication_BAR();
    display->Plot_Setup();
    display->Plot_Clear();
    display->Plot_Graph();
    display->Bar_Clear();
    display->RPM_Bar_movement();
    display->Bar_Draw();
    display->Text_Values();
    window.resize(800, 600);
    window.show();
    EXPECT_FALSE(window.grab().isNull());
    EXPECT_TRUE(parts.bars->bars()[2].visible);
    EXPECT_FALSE(parts.RCNum[4]->isHidden());
}
