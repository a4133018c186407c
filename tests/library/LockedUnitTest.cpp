// What the window shows of a locked (No-Tune) unit, and that it works on the
// image again once the program is off-line: through the real menus, the library
// window and the simulated unit behind the serial port.

#include "WindowTestSupport.h"

#include "core/WtsDis.h"
#include "link/LinkState.h"
#include "mainwin/MapCellText.h"

#include <QLabel>

namespace {

class LockedUnit : public LibraryWindowTest {
protected:
    LockedUnit() { unit.faults.locked = true; }
    // The grid boxes show the image's map of the tab shown.
    static bool gridShowsImage(const frmMain& w) {
        const int tab = w.Shown_Tab();
        const MapCellText::Layout& map = MapCellText::ForTab(tab);
        for (int n = 0; n < 128; ++n)
            if (w.Txt128[n]->text() != MapCellText::Cell(tab, map.cellBase + n))
                return false;
        return true;
    }
};

} // namespace

TEST_F(LockedUnit, TheReadoutsStayNamedAndSayTheirValuesAreNotGiven) {
    frmMain& w = openOnlineWired();
    ASSERT_EQ(UnitLocked, 1);
    const int polls = unit.polls();
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.polls() > polls + 3; }, 5000));
    EXPECT_TRUE(w.lblNoComms[2]->isVisible());
    EXPECT_EQ(w.lblNoComms[2]->text(), QStringLiteral("NO TUNE Enabled"));
    // The shipped display set-up: ten text readouts, RPM first.
    EXPECT_EQ(w.lblRC[0]->text(), QStringLiteral("RPM"));
    for (int s = 0; s < 10; ++s) {
        EXPECT_TRUE(w.lblRC[s]->isVisible()) << s;
        EXPECT_FALSE(w.lblRC[s]->text().isEmpty()) << s;
        EXPECT_EQ(w.RCNum[s]->text(), WtsDis::NoValue) << s;
    }
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-locked-unit.png"))));
}

TEST_F(LockedUnit, OffLineTheBannerGoesAndALibraryMapIsShown) {
    const Image file = writeTune(QStringLiteral("Stage.kvr"), 23);
    frmMain& w = openOnlineWired();
    ASSERT_EQ(UnitLocked, 1);
    ASSERT_TRUE(w.lblNoComms[2]->isVisible());

    w.mnuOffline->trigger();
    ASSERT_EQ(OnlineState, QStringLiteral("Offline"));
    EXPECT_FALSE(w.lblNoComms[2]->isVisible()) << "no unit, no lock";
    EXPECT_TRUE(w.mnuSave->isEnabled());
    EXPECT_EQ(w.RCNum[0]->text(), QStringLiteral("0")) << "the readings the program holds";
    // The locked unit's maps were never read: the default map is loaded first.
    EXPECT_GT(runSequencer(), 0);

    frmLoadLib& lib = openLibrary(w);
    EXPECT_FALSE(lib.chkDownNOW->isEnabled());
    clickRow(lib, QStringLiteral("Stage.kvr"));
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(file.map5, 0, 255));
    EXPECT_EQ(bytes(Map6Image, 0, 175), bytes(file.map6, 0, 175));
    for (int tab : {1, 2, 3}) {
        w.Select_Tab(tab);
        EXPECT_TRUE(gridShowsImage(w)) << "tab " << tab;
    }
    EXPECT_EQ(w.Txt128[5]->text(), MapCellText::Cell(3, 5));
    EXPECT_FALSE(w.Txt128[5]->text().isEmpty());
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-after-locked-unit.png"))));
}
