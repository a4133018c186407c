#include "tests/mainwin/MainTestSupport.h"

#include "core/WtsAFR.h"
#include "mainwin/BarIndicators.h"
#include "mainwin/Design.h"
#include "mainwin/StripChart.h"

#include <QLabel>

// The main window with the shipped display set-up: ten text readouts, six bars
// and three traces (Deflection %, AFR, RPM), RPM break points 600..7812.
class ReadoutsWindowTest : public MainTest {
protected:
    frmMain& loadWithImage() {
        WtsAFR::Init_AFR_Tables();
        frmMain& w = load();
        ParamBlock[Idx_Cylinders] = 4;
        for (int n = 0; n < 16; ++n) {
            const int period = 1953 - n * (1953 - 150) / 15;
            ParamBlock[Idx_RpmScale + 2 * n] = static_cast<std::int16_t>(period / 256);
            ParamBlock[Idx_RpmScale + 2 * n + 1] = static_cast<std::int16_t>(period % 256);
        }
        MapLoaded = -1;
        return w;
    }
    // What the receive handler runs after a live reply.
    static void liveRefresh() {
        if (LiveRpm > 90)
            Hooks().Plot_Setup();
        Hooks().RPM_Bar_movement();
        Hooks().Bar_Draw();
        Hooks().Text_Values();
    }
    // Height and top of the RPM bar in twips.
    static std::pair<int, int> rpmBar(const frmMain& w) {
        return {w.ImgRPM->height() * 15, w.ImgRPM->y() * 15};
    }
};

TEST_F(ReadoutsWindowTest, ALiveReplyRefreshesTextsBarsChartAndRpmBar) {
    frmMain& w = loadWithImage();
    w.Plot_Clear();
    LiveRpm = 4206; // half way up the RPM bar
    Reading3 = 2.5f;
    LambdaRaw = 184;
    Reading4 = 128;
    CellValue = 0;
    liveRefresh();

    EXPECT_EQ(w.lblRC[0]->text(), QStringLiteral("RPM"));
    EXPECT_EQ(w.RCNum[0]->text(), QStringLiteral("4206"));
    EXPECT_EQ(w.RCNum[1]->text(), QStringLiteral("50 %"));
    EXPECT_EQ(w.RCNum[2]->text(), QStringLiteral("13.7"));
    EXPECT_EQ(w.RCNum[3]->text(), QStringLiteral("128"));
    for (int s = 0; s < 10; ++s)
        EXPECT_FALSE(w.RCNum[s]->isHidden()) << s;

    const auto& bars = w.BarSet->bars();
    EXPECT_EQ(bars[0].name, QStringLiteral("RPM"));
    EXPECT_EQ(bars[0].length, 1144); // 4206 / 8000 x 2175 = 1143.5
    EXPECT_EQ(bars[1].length, 1088);
    EXPECT_EQ(bars[3].length, 1092); // 128 / 255 x 2175 = 1091.76
    EXPECT_EQ(bars[4].length, 1088); // 0 in -45..45

    const auto& chart = w.Chart->model();
    EXPECT_FLOAT_EQ(chart.TraceValue[1], 50);
    EXPECT_FLOAT_EQ(chart.TraceValue[2], 13.7f);
    EXPECT_FLOAT_EQ(chart.TraceValue[3], 4206);
    EXPECT_EQ(chart.segment(1, 0).y2, 660);
    EXPECT_EQ(chart.PlotPos, 2);

    const auto [height, top] = rpmBar(w);
    EXPECT_NEAR(height, 2175 / 2, 15);
    EXPECT_NEAR(top + height, 2175 + 120, 15);
}

TEST_F(ReadoutsWindowTest, AStoppedEngineKeepsItsRpmAndTheChartStandsStill) {
    frmMain& w = loadWithImage();
    w.Plot_Clear();
    LiveRpm = 0;
    liveRefresh();
    EXPECT_EQ(LiveRpm, 0);
    EXPECT_EQ(w.RCNum[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(w.BarSet->bars()[0].numText, QStringLiteral("0"));
    EXPECT_EQ(w.Chart->model().PlotPos, 1);
    const auto [height, top] = rpmBar(w);
    EXPECT_LE(height, 15);
    EXPECT_NEAR(top + height, 2175 + 120, 15);
}

TEST_F(ReadoutsWindowTest, RpmIndicationLabelsSpanTheBreakPoints) {
    frmMain& w = loadWithImage();
    w.Set_RPM_Indication_BAR();
    EXPECT_EQ(w.lblrunrpm[0]->text(), QStringLiteral("600"));
    EXPECT_EQ(w.lblrunrpm[1]->text(), QStringLiteral("1401"));
    EXPECT_EQ(w.lblrunrpm[9]->text(), QStringLiteral("7809"));
}

TEST_F(ReadoutsWindowTest, TheWebsiteGivesWayOnceTheSweepIsUnderWayTheLinkStateStays) {
    frmMain& w = loadWithImage();
    w.Plot_Clear();
    w.lblWebsite->setVisible(true);
    w.lblNoComms[0]->setVisible(true);
    w.lblNoComms[1]->setVisible(true);
    LiveRpm = 3000;
    for (int i = 0; i < 29; ++i)
        liveRefresh();
    EXPECT_FALSE(w.lblWebsite->isHidden());
    for (int i = 0; i < 40; ++i)
        liveRefresh();
    EXPECT_TRUE(w.lblWebsite->isHidden());
    EXPECT_FALSE(w.lblNoComms[0]->isHidden()) << "the link state is never hidden by the chart";
    EXPECT_FALSE(w.lblNoComms[1]->isHidden());
}

TEST_F(ReadoutsWindowTest, TheSetupOrderRedrawsAChangedDisplay) {
    frmMain& w = loadWithImage();
    ASSERT_TRUE(w.BarSet->bars()[5].visible); // Engine Temp
    // The set-up removes the Engine Temp bar and moves RPM text to slot 10.
    DisplaySetTable[15][2] = QStringLiteral("0");
    DisplaySetTable[9][3] = QStringLiteral("10");
    DisplaySetTable[10][3] = QStringLiteral("0");
    LiveRpm = 5000;
    w.Plot_Setup();
    w.Plot_Clear();
    w.Plot_Graph();
    w.Bar_Clear();
    w.Bar_Draw();
    w.Text_Values();
    EXPECT_FALSE(w.BarSet->bars()[5].visible);
    EXPECT_TRUE(w.RCNum[0]->isHidden());
    EXPECT_EQ(w.RCNum[9]->text(), QStringLiteral("5000"));
    EXPECT_EQ(w.lblRC[9]->text(), QStringLiteral("RPM"));
}

TEST_F(ReadoutsWindowTest, DegenerateTablesRefreshWithoutFailing) {
    frmMain& w = loadWithImage();
    DisplaySetTable[9] = {QString(), "9", "9", "12", "Nowhere", "Nowhere", "5", "5", "1"};
    DisplaySetTable[3] = {QString(), "x", "1", "1", "Junk", "Junk", "a", "b", "c"};
    DisplaySetTable[7][6] = QStringLiteral("20"); // AFR bar and trace 20..20
    DisplaySetTable[4][8] = QStringLiteral("1");  // a fourth plotted row
    DisplaySetTable[5][8] = QStringLiteral("1");
    DisplaySetTable[0][0] = QStringLiteral("9999");
    ParamBlock[Idx_RpmScale] = 0; // break point 0 without a period
    ParamBlock[Idx_RpmScale + 1] = 0;
    LiveRpm = 2000;
    w.Set_RPM_Indication_BAR();
    w.Plot_Setup();
    w.Plot_Clear();
    w.Plot_Graph();
    w.Bar_Clear();
    liveRefresh();
    w.show();
    EXPECT_FALSE(w.grab().isNull());
    // Traces: Injection Length, Ign Mod, AFR; the AFR trace has no span and is off.
    EXPECT_FLOAT_EQ(w.Chart->model().TraceScale[2], 12);
    EXPECT_FLOAT_EQ(w.Chart->model().TraceScale[3], 0);
    EXPECT_FALSE(w.BarSet->bars()[2].visible);
    EXPECT_TRUE(w.BarSet->bars()[3].visible);
    EXPECT_EQ(w.RCNum[0]->text(), QStringLiteral(".00 V")); // the junk row reads id 0
    EXPECT_FALSE(w.RCNum[4]->isHidden());
}

TEST_F(ReadoutsWindowTest, TheChartCaptionIsTheLegendOfItsTraces) {
    frmMain& w = loadWithImage();
    EXPECT_EQ(w.Plot_Block->text(),
              QStringLiteral("BLUE - Deflection %          RED - AFR          "
                             "GREEN - RPM"));
    PlotLegend.clear();
    w.Plot_Clear();
    EXPECT_EQ(w.Plot_Block->text(), QStringLiteral("Live Lambda"));
}
