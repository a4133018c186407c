#include "core/AxisLabels.h"
#include "core/WtsDis.h"
#include "mainwin/CellFit.h"
#include "mainwin/MapCellText.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/Screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

namespace {

// A loaded map whose cell at column 7, row 15 (box 127) holds a byte that reads
// differently on every page, and RPM break points from 625 RPM (period 1875) up
// to 3125 RPM (period 375).
void Fill_Known_Image() {
    MapLoaded = -1;
    ParamBlock[Idx_Cylinders] = 4;
    for (int n = 0; n < 16; ++n) {
        const int period = 1875 - n * 100;
        ParamBlock[Idx_RpmScale + 2 * n] = static_cast<std::int16_t>(period / 256);
        ParamBlock[Idx_RpmScale + 2 * n + 1] = static_cast<std::int16_t>(period % 256);
    }
    for (int i = 0; i < 8; ++i)
        ParamBlock[Idx_DeflScale + i] = static_cast<std::int16_t>(i * 32);
    Map5Image[Idx_AnaMap + 127] = 200; // analog: signed, -56
    Map6Image[Idx_InjMap + 127] = 201; // injection: unsigned, 201
    Map5Image[Idx_IgnMap + 127] = 10;  // ignition: 10 / 4 x 360 / 256 = 3.5 -> 4
    Map5Image[Idx_AnaMap + 16] = 7;    // box 16: column 1, row 0
    Map6Image[Idx_AnaAmpCol + 15] = 128;
    Map6Image[Idx_InjAmpCol + 15] = 128;
    Map6Image[Idx_IgnAmpCol + 15] = 127;
}

} // namespace

TEST_F(MainTest, EachTabShowsItsOwnPage) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    Fill_Known_Image();
    struct Case {
        int tab;
        QString cell127;
        QString amp15;
    };
    for (const Case& c : {Case{1, "-56", ".50"}, Case{2, "201", "1.00"}, Case{3, "4", "45"}}) {
        w.Select_Tab(c.tab);
        EXPECT_EQ(MapTab, c.tab);
        EXPECT_EQ(w.Txt128[127]->text(), c.cell127) << "tab " << c.tab;
        EXPECT_EQ(w.TxtAMP[15]->text(), c.amp15) << "tab " << c.tab;
    }
    w.Select_Tab(1);
    EXPECT_EQ(w.Txt128[16]->text(), QStringLiteral("7"));
    EXPECT_EQ(w.LblAMPHead->text(), QStringLiteral("AEng Temp"));
    w.Select_Tab(2);
    EXPECT_EQ(w.LblAMPHead->text(), QStringLiteral("Fuel AMP"));
    w.Select_Tab(3);
    EXPECT_EQ(w.LblAMPHead->text(), QStringLiteral("Ign AMP"));
    EXPECT_EQ(w.Label23->text(), QStringLiteral("Deflection"));
}

TEST_F(MainTest, ScalesShowTheBreakPoints) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    Fill_Known_Image();
    w.Anmap_Dis();
    EXPECT_EQ(w.lblrpm[0]->text(), QStringLiteral("625"));
    EXPECT_EQ(w.lblrpm[15]->text(), QStringLiteral("3125"));
    EXPECT_EQ(w.lblDef[0]->text(), QStringLiteral("0%"));
    EXPECT_EQ(w.lblDef[7]->text(), QStringLiteral("87%"));
    EXPECT_EQ(w.lblrunrpm[0]->text(), QStringLiteral("625"));
    EXPECT_EQ(w.lblrunrpm[9]->text(), QStringLiteral("3125"));
}

TEST_F(MainTest, AmpAxisFromTheCalibration) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    Fill_Known_Image();
    // Point 1 missing, point 2 at step 15 = 1.0 V: point 1 gets its default.
    ParamBlock[Idx_AmpCal2] = 15;
    ParamBlock[Idx_AmpCal3] = 1;
    for (int s = 0; s < 16; ++s)
        ParamBlock[Idx_AmpTable + s] = static_cast<std::int16_t>(s * 20 - 10);
    w.Select_Tab(2);
    EXPECT_EQ(ParamBlock[Idx_AmpCal5], 128);
    EXPECT_EQ(ParamBlock[Idx_AmpCal0], 1);
    EXPECT_EQ(ParamBlock[Idx_AmpCal3], 1);
    EXPECT_EQ(ParamBlock[Idx_AmpCal2], 15);
    // 0.5 V at step 1 to 1.0 V at step 15.
    EXPECT_EQ(w.LblAmp[1]->text(), QStringLiteral("0.50"));
    EXPECT_EQ(w.LblAmp[15]->text(), QStringLiteral("1.00"));
    // Bytes from table entries 1 (10) and 15 (290): step 0 is below 0, the top above 255.
    EXPECT_EQ(AmpAxisTable[0], 0);
    EXPECT_EQ(AmpAxisTable[1], 10);
    EXPECT_EQ(AmpAxisTable[15], 255);
}

TEST_F(MainTest, AmpAxisUntouchedWithoutCalibration) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    Fill_Known_Image();
    w.LblAmp[4]->setText(QStringLiteral("kept"));
    AmpAxisTable[4] = 77;
    w.Injmap_dis();
    EXPECT_EQ(w.LblAmp[4]->text(), QStringLiteral("kept"));
    EXPECT_EQ(AmpAxisTable[4], 77);
    EXPECT_EQ(ParamBlock[Idx_AmpCal5], 0);
}

// Degenerate images draw every element that can be computed; the others show
// their no-value text.
TEST_F(MainTest, DegenerateImagesDrawWithoutFailing) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    Fill_Known_Image();
    ParamBlock[Idx_Cylinders] = 0;
    ParamBlock[Idx_RpmScale] = 0; // break point 0: period 0
    ParamBlock[Idx_RpmScale + 1] = 0;
    ParamBlock[Idx_AmpCal0] = 5; // equal calibration steps
    ParamBlock[Idx_AmpCal2] = 5;
    ParamBlock[Idx_AmpCal1] = 1;
    ParamBlock[Idx_AmpCal3] = 2;
    for (int tab : {1, 2, 3}) {
        ASSERT_NO_THROW(w.Select_Tab(tab)) << "tab " << tab;
        EXPECT_EQ(MapTab, tab);
        EXPECT_EQ(w.lblrpm[0]->text(), WtsDis::NoValue);
        EXPECT_EQ(w.lblrpm[15]->text(), QStringLiteral("3125"));
        EXPECT_FALSE(w.Txt128[127]->text().isEmpty());
    }
    EXPECT_EQ(w.LblAmp[0]->text(), WtsDis::NoValue); // ignition tab: no AMP scale

    // Top RPM equal to bottom: the labels are drawn, the bar has no span.
    for (int n = 0; n < 16; ++n) {
        ParamBlock[Idx_RpmScale + 2 * n] = 4;
        ParamBlock[Idx_RpmScale + 2 * n + 1] = 0;
    }
    ASSERT_NO_THROW(w.Anmap_Dis());
    EXPECT_EQ(w.lblrpm[3]->text(), w.lblrpm[12]->text());
    EXPECT_EQ(w.Txt128[127]->text(), QStringLiteral("-56"));

    // The provisional scale of the load copes too.
    ASSERT_NO_THROW(w.Write_RPM_Scale());
    ParamBlock.fill(0);
    ASSERT_NO_THROW(w.Write_RPM_Scale());
    EXPECT_EQ(w.lblrpm[7]->text(), WtsDis::NoValue);
}

TEST_F(MainTest, ProvisionalRpmScaleCapsOutOfReachValues) {
    frmMain& w = load();
    ParamBlock[Idx_Cylinders] = 4;
    for (int n = 0; n < 16; ++n) {
        // Period 40 gives 29297 RPM, beyond what two bytes of the scale hold.
        ParamBlock[Idx_RpmScale + 2 * n] = 0;
        ParamBlock[Idx_RpmScale + 2 * n + 1] = static_cast<std::int16_t>(n < 2 ? 40 : 250);
    }
    w.Write_RPM_Scale();
    EXPECT_EQ(w.lblrpm[0]->text(), QStringLiteral("18000"));
    EXPECT_EQ(w.lblrpm[2]->text(), QStringLiteral("4688"));
    EXPECT_EQ(RpmScaleRange[0], 18000);
    EXPECT_EQ(RpmScaleRange[1], 4688);
    EXPECT_EQ(w.lblrunrpm[0]->text(), QStringLiteral("4688"));
    EXPECT_EQ(w.lblrunrpm[1]->text(), QString::number(4688 + 1479));
}

// A map load dispatches to the shown tab, which redraws that tab's map.
TEST_F(MainTest, MapLoadRedrawsTheShownTab) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    Fill_Known_Image();
    w.Select_Tab(2);
    Map6Image[Idx_InjMap + 127] = 99;
    w.Redraw_Shown_Map();
    EXPECT_EQ(w.Txt128[127]->text(), QStringLiteral("99"));
    EXPECT_EQ(MapTab, 2);
    Map6Image[Idx_InjMap + 127] = 98;
    w.Redraw_Shown_Map();
    EXPECT_EQ(w.Txt128[127]->text(), QStringLiteral("98"));
}

TEST_F(MainTest, NoMapPromptNoPutsTheTabBack) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    dialogs.answer(Dialogs::Answer::No);
    w.TabStrip1->setCurrentIndex(2);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("There is no Tune Map Loaded !! "));
    EXPECT_EQ(dialogs.records()[0].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(MapTab, 1);
    EXPECT_EQ(w.TabStrip1->currentIndex(), 0);
    EXPECT_EQ(w.Txt128[127]->text(), QString());
}

TEST_F(MainTest, NoMapPromptYesOpensTheLibraryAndDrawsNothing) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    int opened = 0;
    w.Wire_Entry(w.mnuLoadLib, [&opened] { ++opened; });
    dialogs.answer(Dialogs::Answer::Yes);
    w.TabStrip1->setCurrentIndex(1);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(MapTab, 1);
    EXPECT_EQ(w.TabStrip1->currentIndex(), 0);
    EXPECT_EQ(w.Txt128[0]->text(), QString()); // the empty image is not drawn
    // Without the library window, Yes does nothing more.
    frmMain& bare = load();
    dialogs.answer(Dialogs::Answer::Yes);
    ASSERT_NO_THROW(bare.TabStrip1->setCurrentIndex(2));
    EXPECT_EQ(bare.TabStrip1->currentIndex(), 0);
}

// Every byte a cell or AMP value can hold, on every tab: its text shows whole,
// sign included, in its box.
TEST_F(MainTest, EveryValueShowsWholeOnEveryTab) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    Fill_Known_Image();
    w.show();
    for (int tab = 1; tab <= 3; ++tab) {
        const MapCellText::Layout& map = MapCellText::ForTab(tab);
        ImageTable& cells = map.page == 5 ? Map5Image : Map6Image;
        for (int half = 0; half < 2; ++half) {
            for (int n = 0; n < 128; ++n)
                cells[map.cellBase + n] = static_cast<std::int16_t>(half * 128 + n);
            for (int r = 0; r < 16; ++r)
                Map6Image[map.ampBase + r] = static_cast<std::int16_t>(half * 128 + r * 8 + 7);
            w.Select_Tab(tab);
            for (int n = 0; n < 128; ++n) {
                const QLineEdit& box = *w.Txt128[static_cast<std::size_t>(n)];
                EXPECT_TRUE(CellFit::Fits(box, box.text()))
                    << "tab " << tab << " byte " << half * 128 + n << " \""
                    << box.text().toStdString() << "\"";
            }
            for (QLineEdit* box : w.TxtAMP)
                EXPECT_TRUE(CellFit::Fits(*box, box->text()))
                    << "tab " << tab << " AMP \"" << box->text().toStdString() << "\"";
        }
        if (tab == 1) {
            // The analog map's retards, the ones that lost their sign.
            for (int n = 0; n < 128; ++n)
                cells[map.cellBase + n] = static_cast<std::int16_t>(128 + (n % 29));
            w.Select_Tab(1);
            EXPECT_EQ(w.Txt128[0]->text(), QStringLiteral("-128"));
            EXPECT_EQ(w.Txt128[24]->text(), QStringLiteral("-104"));
            EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("grid-analog-retards.png"))));
        }
    }
    for (const QString& text : {QStringLiteral("-128"), QStringLiteral("127")})
        for (QLineEdit* box : w.txtAfrT)
            EXPECT_TRUE(CellFit::Fits(*box, text)) << text.toStdString();
}

// The AFR row and its panel stand in place of the deflection labels on the
// ignition tab only.
TEST_F(MainTest, AfrRowShowsOnTheIgnitionTabOnly) {
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    Fill_Known_Image();
    w.show();
    for (const int tab : {3, 1, 2, 3, 2}) {
        w.Select_Tab(tab);
        const bool afr = tab == 3;
        EXPECT_EQ(w.frmLambda->isVisible(), afr) << tab;
        for (int b = 0; b < 8; ++b) {
            EXPECT_EQ(w.txtAfrT[b]->isVisible(), afr) << tab << " box " << b;
            EXPECT_EQ(w.lblDef[b]->isVisible(), !afr) << tab << " label " << b;
            EXPECT_EQ(w.lblDef[b + 8]->isVisible(), afr) << tab << " label " << b + 8;
            EXPECT_EQ(w.lblDef[b + 8]->text(), w.lblDef[b]->text()) << tab << " label " << b;
        }
        EXPECT_EQ(w.Label23->parentWidget(), afr ? w.frmLambda : w.Frame_def)
            << tab << ": the caption goes with the deflection labels";
        EXPECT_TRUE(w.Label23->isVisible()) << tab;
        // Nothing of the row or panel lies under the entry row's controls, and
        // those stay inside the map frame.
        const QRect info = w.Frame_info->childrenRect().translated(w.Frame_info->pos());
        EXPECT_FALSE(w.Frame_def->geometry().intersects(info)) << tab;
        EXPECT_LE(info.bottom(), w.Frame_map->height()) << tab;
        if (afr) {
            EXPECT_FALSE(w.frmLambda->geometry().intersects(info));
            EXPECT_FALSE(w.frmLambda->geometry().intersects(w.Frame_def->geometry()));
        }
    }
    w.Select_Tab(3);
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("grid-ignition-afr.png"))));
}

// Off-line the blank map is loaded: its AMP axis reads 0 .. 5 V on the tabs
// that show one.
TEST_F(MainTest, BlankMapAmpAxisReadsZeroToFiveVolts) {
    folder.copyData(QStringLiteral("BLANKKVR6.WTS"));
    frmMain& w = load();
    runSequencer();
    ASSERT_NE(MapLoaded, 0) << "the blank map was loaded";
    const MapCellText::AmpAxis axis = MapCellText::Amp_Axis();
    ASSERT_TRUE(axis.computed);
    EXPECT_EQ(axis.labels[0], QStringLiteral("0.00"));
    EXPECT_EQ(axis.labels[3], QStringLiteral("1.00"));
    EXPECT_EQ(axis.labels[15], QStringLiteral("5.00"));
    for (const int tab : {2, 3}) {
        w.Select_Tab(tab);
        EXPECT_EQ(w.LblAmp[0]->text(), QStringLiteral("0.00")) << tab;
        EXPECT_EQ(w.LblAmp[15]->text(), QStringLiteral("5.00")) << tab;
    }
}
