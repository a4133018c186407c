#include "link/LinkHooks.h"
#include "mainwin/MapCellText.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/Screenshots.h"

#include <QLineEdit>
#include <QPixmap>

TEST_F(MainTest, ScreenshotOffline) {
    frmMain& w = load();
    runSequencer();
    w.show();
    const QPixmap shot = w.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(Screenshot_Path(QStringLiteral("main-offline.png"))));
}

// On-line with the simulated unit's maps in the image, as the read-out after
// connecting leaves the window.
TEST_F(MainTest, ScreenshotOnline) {
    OnlineState = QStringLiteral("Online");
    NoTuneFlag = 170;
    BrandingFlag = 1;
    AdvBranding = 1;
    DealerWeb = QStringLiteral("www.fastlane.example");
    frmMain& w = load();
    w.lblNoComms_Click();
    for (int a = 128; a < 256; ++a)
        ParamBlock[a] = static_cast<std::int16_t>(unit.byte(4, a));
    for (int a = 0; a < 256; ++a)
        Map5Image[a] = static_cast<std::int16_t>(unit.byte(5, a));
    for (int a = 0; a < 176; ++a)
        Map6Image[a] = static_cast<std::int16_t>(unit.byte(6, a));
    UnitOnline = 1;
    Hooks().arrange_table();
    Hooks().Set_RPM_Indication_BAR();
    MapLoaded = -1;
    for (int tab : {2, 3, 1}) {
        Hooks().SelectTab(tab);
        ASSERT_EQ(MapTab, tab);
        EXPECT_EQ(w.Txt128[0]->text(), MapCellText::Cell(tab, MapCellText::ForTab(tab).cellBase));
    }
    Hooks().Arrange_NoTUNE(true);
    Hooks().ShowActiveMap(1);
    w.show();
    w.Select_Tab(2);
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-online-injection.png"))));
    w.Select_Tab(1);
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-online-analog.png"))));
    w.Select_Tab(3);
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-online-ignition.png"))));
}
