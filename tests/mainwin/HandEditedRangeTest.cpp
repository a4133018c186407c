// Graph limits as a hand-edited display file may hold them: at the edges of the
// int range and beyond it, read through the real files into bars and chart.

#include "ReadoutFixture.h"

#include "core/TableFiles.h"
#include "mainwin/BarIndicators.h"
#include "mainwin/StripChart.h"
#include "tests/support/TempProgramFolder.h"

#include <limits>

using namespace Readouts;

namespace {

class HandEditedRangeTest : public ReadoutTest {
protected:
    // The program folder's display files with one RPM row: a bar in slot 1, plotted.
    void writeRow(const QString& min, const QString& max) {
        folder.writeLines("KVR6SetVariables.cfg",
                          {"Variables", "", "Setup IN:", ",9 ,1 ,0 ,RPM ,0 ,1", "END Setup:"});
        folder.writeLines("KVR6SetDisplay.cfg",
                          {"KVR6 Configuration file for the setup of the display screen", "",
                           ",ID ,Graph ON,Text ON ,Display Name TQX ,Display Name KVR   ,TQX "
                           "Graph Min  ,TQX Graph Max  ,Plot",
                           "Display IN:", ",9 ,1 ,1 ,RPM ,RPM ," + min + " ," + max + " ,1",
                           "END Display:"});
    }
    TempProgramFolder folder;
};

} // namespace

TEST_F(HandEditedRangeTest, LimitsAtAndBeyondTheIntRangeDrawTheMiddleOfTheRange) {
    constexpr int IntMin = std::numeric_limits<int>::min();
    constexpr int IntMax = std::numeric_limits<int>::max();
    const struct {
        QString min, max;
        int wholeMin, wholeMax;
    } cases[] = {
        {"-2000000000", "2000000000", -2000000000, 2000000000},
        // Beyond the int range a limit stays at its end and keeps its sign.
        {"-3000000000", "3000000000", IntMin, IntMax},
        {"-1E+30", "1E+30", IntMin, IntMax},
    };
    for (const auto& c : cases) {
        writeRow(c.min, c.max);
        EXPECT_TRUE(WtsGeneral::Read_Setup_Display_Files().empty()) << c.max.toStdString();
        const auto rows = Offered_Rows();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].min, c.wholeMin);
        EXPECT_EQ(rows[0].max, c.wholeMax);

        ReadingSet set; // the engine stands: RPM 0, the middle of the range
        BarSlots6 bars;
        Bar_Draw(bars, rows, set);
        ASSERT_TRUE(bars[0].visible) << c.max.toStdString();
        EXPECT_EQ(bars[0].length, 1088) << c.max.toStdString();

        StripChartModel chart;
        chart.Plot_Setup(rows, set);
        chart.Plot_Clear();
        chart.Plot_Graph();
        EXPECT_GT(chart.TraceScale[1], 0.0f) << c.max.toStdString();
        EXPECT_EQ(chart.segment(1, 0).y2, 660) << "half way down " << c.max.toStdString();
    }
}

TEST_F(HandEditedRangeTest, ARangeWithoutSpanIsNamedAndDrawsNothing) {
    // Limits beyond the int range that end up at the same end have no span either.
    for (const auto& [min, max] :
         {std::pair{"2000000000", "2000000000"}, std::pair{"3000000000", "4000000000"}}) {
        writeRow(min, max);
        const auto reports = WtsGeneral::Read_Setup_Display_Files();
        ASSERT_EQ(reports.size(), 1u) << max;
        EXPECT_EQ(reports[0].file, "KVR6SetDisplay.cfg");
        ASSERT_EQ(reports[0].lines.size(), 1);
        EXPECT_TRUE(reports[0].lines[0].startsWith("line 5: graph range")) << max;
        BarSlots6 bars;
        Bar_Draw(bars, Offered_Rows(), ReadingSet{});
        EXPECT_FALSE(bars[0].visible) << max;
        StripChartModel chart;
        chart.Plot_Setup(Offered_Rows(), ReadingSet{});
        chart.Plot_Clear();
        EXPECT_EQ(chart.TraceScale[1], 0.0f) << max;
    }
}
