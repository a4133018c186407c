#include "mainwin/Design.h"
#include "tests/mainwin/MainTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

using Design::rect;

TEST_F(MainTest, GridBoxesSitAtTheirDesignedPlaces) {
    frmMain& w = load();
    EXPECT_EQ(w.Txt128[0]->geometry(), rect(175, 4670, 395, 265)); // bottom left
    EXPECT_EQ(w.Txt128[15]->geometry(), rect(175, 395, 395, 265)); // top of column 0
    EXPECT_EQ(w.Txt128[16]->geometry(), rect(610, 4670, 395, 265));
    EXPECT_EQ(w.Txt128[127]->geometry(), rect(175 + 7 * 435, 395, 395, 265));
    EXPECT_TRUE(w.Txt128[0]->isReadOnly());
    EXPECT_EQ(w.Txt128[0]->alignment() & Qt::AlignRight, Qt::AlignRight);
}

TEST_F(MainTest, CellTableMapsGridLinesToBoxes) {
    load();
    EXPECT_EQ(CellTable[1][16], 0);
    EXPECT_EQ(CellTable[1][1], 15);
    EXPECT_EQ(CellTable[8][1], 127);
    for (int c = 1; c <= 8; ++c)
        for (int l = 1; l <= 16; ++l)
            EXPECT_EQ(CellTable[c][l], (c - 1) * 16 + (16 - l));
}

TEST_F(MainTest, ScalesLineUpWithTheGridRows) {
    frmMain& w = load();
    // Every RPM label and AMP box lies on the height of its grid row.
    for (int row = 0; row < 16; ++row) {
        const QRect cell = w.Txt128[row]->geometry();
        const QRect rpm(w.Frame_rpm->mapTo(w.Frame_map, w.lblrpm[row]->pos()),
                        w.lblrpm[row]->size());
        EXPECT_LE(std::abs(rpm.center().y() - cell.center().y()), 2) << "row " << row;
        EXPECT_LE(std::abs(w.TxtAMP[row]->geometry().center().y() - cell.center().y()), 3);
        EXPECT_LE(std::abs(w.LblAmp[row]->geometry().center().y() - cell.center().y()), 2);
    }
    // Each deflection label sits under its column.
    for (int col = 0; col < 8; ++col) {
        const QRect cell = w.Txt128[col * 16]->geometry();
        const QRect def(w.Frame_def->mapTo(w.Frame_map, w.lblDef[col]->pos()),
                        w.lblDef[col]->size());
        EXPECT_LE(std::abs(def.right() - cell.right()), 6) << "column " << col;
        EXPECT_TRUE(w.Frame_def->geometry().top() > cell.bottom());
    }
}

TEST_F(MainTest, ArrangeTableClearsTextsAndReadingSlots) {
    frmMain& w = load();
    w.Txt128[5]->setText(QStringLiteral("12"));
    w.RCNum[3]->setText(QStringLiteral("1.0"));
    w.lblRC[3]->setText(QStringLiteral("Volts"));
    w.arrange_table();
    EXPECT_EQ(w.Txt128[5]->text(), QString());
    EXPECT_EQ(w.lblrpm[15]->text(), QStringLiteral(" ? "));
    EXPECT_EQ(w.TxtAMP[0]->text(), QStringLiteral(" "));
    EXPECT_EQ(w.LblAmp[0]->text(), QStringLiteral(" ?? "));
    EXPECT_EQ(w.lblDef[9]->text(), QStringLiteral("??"));
    EXPECT_EQ(w.RCNum[3]->text(), QString());
    EXPECT_EQ(w.lblRC[3]->text(), QString());
    EXPECT_FALSE(w.frmLambda->isVisibleTo(&w));
    EXPECT_FALSE(w.txtAfrT[0]->isVisibleTo(&w));
}

TEST_F(MainTest, TabStripCaptions) {
    frmMain& w = load();
    ASSERT_EQ(w.TabStrip1->count(), 3);
    EXPECT_EQ(w.TabStrip1->tabText(0), QStringLiteral("Analog Map (F1)"));
    EXPECT_EQ(w.TabStrip1->tabText(1), QStringLiteral("Injection Map (F2)"));
    EXPECT_EQ(w.TabStrip1->tabText(2), QStringLiteral("Ignition Map (F3)"));
}

TEST_F(MainTest, RpmScaleLabelsLookAndStartUpMark) {
    frmMain& w = load();
    for (QLabel* l : w.lblrpm) {
        EXPECT_EQ(Design::backColor(l), Design::bgr(0xC0C000));
        EXPECT_TRUE(l->font().bold());
    }
    EXPECT_EQ(Design::backColor(w.Txt128[0]), Design::bgr(0x0000FF));
    EXPECT_EQ(Design::backColor(w.Txt128[1]), Design::bgr(0xFFFFFF));
}

// The captions of a cylinders byte of 0 are those of 4 cylinders; the byte stays.
TEST_F(MainTest, WriteRpmScaleReadsAnUnusableCylindersByteAsFour) {
    frmMain& w = load();
    ParamBlock[Idx_Cylinders] = 4;
    w.Write_RPM_Scale();
    const QString atFour = w.lblrpm[15]->text();
    ParamBlock[Idx_Cylinders] = 0;
    w.Write_RPM_Scale();
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 0);
    EXPECT_EQ(w.lblrpm[15]->text(), atFour);
}

// The logo and web text by branding level.
struct BrandingCase {
    int level;
    int logo;
    bool dealerWeb;
};
void PrintTo(const BrandingCase& c, std::ostream* os) {
    *os << "AdvBranding " << c.level;
}
class BrandingTest : public MainTest, public ::testing::WithParamInterface<BrandingCase> {};

TEST_P(BrandingTest, LogoAndWebText) {
    AdvBranding = GetParam().level;
    DealerWeb = QStringLiteral("www.fastlane.example");
    frmMain& w = load();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.PicLogo[i]->isVisibleTo(&w), i == GetParam().logo) << "logo " << i;
    if (GetParam().dealerWeb)
        EXPECT_EQ(w.lblWebsite->text(), DealerWeb);
    else
        EXPECT_NE(w.lblWebsite->text(), DealerWeb);
    EXPECT_FALSE(w.lblWebsite->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Levels, BrandingTest,
                         ::testing::Values(BrandingCase{0, 0, false}, BrandingCase{1, 1, true},
                                           BrandingCase{2, 2, true}, BrandingCase{3, 0, false}));

TEST_F(MainTest, LogoClickOpensDealerContactOnlyWithBranding) {
    for (int level : {0, 1}) {
        AdvBranding = level;
        frmMain& w = load();
        int opened = 0;
        w.Wire_Picture(0, [&opened] { ++opened; });
        w.PicLogo_Click(0);
        EXPECT_EQ(opened, level) << "branding " << level;
    }
}
