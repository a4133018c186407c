// What the window shows of a locked (No-Tune) unit, and that it works on the
// image again once the program is off-line: through the real menus, the library
// window and the simulated unit behind the serial port.

#include "WindowTestSupport.h"

#include "core/AxisLabels.h"
#include "core/ImageSnapshot.h"
#include "core/KeptImage.h"
#include "core/MapImage.h"
#include "core/WtsDis.h"
#include "link/LinkState.h"
#include "link/SendRule.h"
#include "mainwin/MapCellText.h"
#include "mainwin/Readings.h"
#include "platform/TextFile.h"
#include "tests/support/CaseNames.h"

#include <QLabel>
#include <QStatusBar>

namespace {

// The grid boxes show the image's map of the tab shown.
bool gridShowsImage(const frmMain& w) {
    const int tab = w.Shown_Tab();
    const MapCellText::Layout& map = MapCellText::ForTab(tab);
    for (int n = 0; n < 128; ++n)
        if (w.Txt128[n]->text() != MapCellText::Cell(tab, map.cellBase + n))
            return false;
    return true;
}

class LockedUnit : public LibraryWindowTest {
protected:
    LockedUnit() { unit.faults.locked = true; }
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

namespace {

// A map held, then a locked unit in the place of the unit or the file it came
// from: the locked unit's read-out reads its parameter block and no map, so the
// map held before is no unit's map any more.
struct HeldBefore {
    const char* name;
    enum class Map { LibraryOnLine, LibraryOffLine, UnitRead } map;
};

class OffLineAfterALockedUnit : public LibraryWindowTest,
                                public ::testing::WithParamInterface<HeldBefore> {
protected:
    OffLineAfterALockedUnit() {
        // The default map as a fresh start loads it into an empty image.
        WtsGeneral::Load_Blank_Template();
        defaultMap = ImageSnapshot::Take();
        defaultRpm = WtsUp::Set_Axis_Labels(0).lblrpm;
        ImageSnapshot{}.Restore();
        KeptImageCopy.reset();
        stage = writeTune(QStringLiteral("Stage.kvr"), 23);
    }
    void loadStage(frmMain& w, bool download) {
        frmLoadLib& lib = openLibrary(w);
        if (lib.chkDownNOW->isChecked() != download)
            QTest::mouseClick(lib.chkDownNOW, Qt::LeftButton);
        clickRow(lib, QStringLiteral("Stage.kvr"));
        QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
        ASSERT_EQ(bytes(Map5Image, 0, 255), bytes(stage.map5, 0, 255));
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    // The locked unit has settings of its own: a slower RPM axis and no advance.
    void lockTheUnit() {
        for (int n = 0; n < 16; ++n) {
            const int at = Idx_RpmScale + 2 * n;
            const int period = (unit.byte(4, at) * 256 + unit.byte(4, at + 1)) * 6 / 5;
            unit.setByte(4, at, period / 256);
            unit.setByte(4, at + 1, period % 256);
        }
        unit.setByte(4, Idx_IgnAdvLimit, 0);
        unit.faults.locked = true;
    }
    static bool lockedAndPolling() { return UnitLocked == 1 && Link_Settled(); }

    ImageSnapshot defaultMap;
    std::array<QString, 16> defaultRpm;
    Image stage;
};

} // namespace

TEST_P(OffLineAfterALockedUnit, LoadsTheDefaultMapAndShowsNothingOfTheMapOrUnitBefore) {
    frmMain* window = nullptr;
    switch (GetParam().map) {
    case HeldBefore::Map::LibraryOnLine:
        window = &openOnlineWired();
        loadStage(*window, false);
        ASSERT_EQ(GridNotUnits, 1) << "the loaded map was not sent";
        lockTheUnit();
        window->mnuUpload->trigger();
        break;
    case HeldBefore::Map::LibraryOffLine:
        window = &openWired();
        loadStage(*window, false);
        lockTheUnit();
        window->mnuOnline->trigger();
        break;
    case HeldBefore::Map::UnitRead:
        window = &openOnlineWired();
        ASSERT_TRUE(QTest::qWaitFor([] { return LiveRpm > 0; }, 5000)) << "readings taken";
        lockTheUnit();
        window->mnuUpload->trigger();
        break;
    }
    frmMain& w = *window;
    ASSERT_TRUE(QTest::qWaitFor(lockedAndPolling, 20000));

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.mnuOffline->trigger();
    ASSERT_EQ(OnlineState, OnlineStates::Offline);
    // The readouts show what the program starts with, nothing of a unit before.
    const Readouts::TextReadouts start =
        Readouts::Text_Values(Readouts::Offered_Rows(), Readouts::ReadingSet{});
    for (int s = 0; s < Readouts::TextSlots; ++s)
        if (start[s].visible)
            EXPECT_EQ(w.RCNum[s]->text(), start[s].value) << w.lblRC[s]->text().toStdString();
    EXPECT_GT(runSequencer(), 0) << "the default map is loaded";
    EXPECT_EQ(MapLoaded, -1);

    // The image is the default map, whole: its cells, its settings, its texts.
    EXPECT_TRUE(KeptImage::Same_Edits(ImageSnapshot::Take(), defaultMap));
    EXPECT_EQ(ParamBlock[Idx_IgnAdvLimit], defaultMap.param[Idx_IgnAdvLimit]);
    EXPECT_TRUE(TuneFileName.isEmpty());
    for (int tab : {1, 2, 3}) {
        w.Select_Tab(tab);
        EXPECT_TRUE(gridShowsImage(w)) << "tab " << tab;
        for (int n = 0; n < 16; ++n)
            EXPECT_EQ(w.lblrpm[n]->text(), defaultRpm[n]) << "tab " << tab << " RPM " << n;
    }
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-off-line-after-lock.png"))));

    // Save writes the default map and nothing of the map before.
    dialogs.file(folder.file(QStringLiteral("After lock")));
    w.mnuSave->trigger();
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    type(ed.txtFields[3], QStringLiteral("After lock"));
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    ASSERT_TRUE(folder.exists(QStringLiteral("After lock.kvr")));
    const QByteArray saved = folder.read(QStringLiteral("After lock.kvr"));
    EXPECT_FALSE(saved.contains("Seed")) << "the earlier map's names";
    EXPECT_FALSE(saved.contains("Audi"));
    const ImageSnapshot shown = ImageSnapshot::Take();
    ImageSnapshot{}.Restore();
    TextReader file(folder.file(QStringLiteral("After lock.kvr")));
    while (!file.atEnd() && file.readLine() != QStringLiteral("MAPS:")) {
    }
    ASSERT_TRUE(WtsGeneral::Parse_Map_Image(file).ok());
    EXPECT_EQ(bytes(ParamBlock, 128, 255), bytes(defaultMap.param, 128, 255));
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(defaultMap.map5, 0, 255));
    EXPECT_EQ(bytes(Map6Image, 0, 175), bytes(defaultMap.map6, 0, 175));
    shown.Restore();

    // The default map's advance limit holds an ignition entry, not the locked unit's.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Select_Tab(3);
    click(w.Txt128[20]);
    enter(QStringLiteral("5"));
    EXPECT_EQ(w.Txt128[20]->text(), QStringLiteral("5"));
}

INSTANTIATE_TEST_SUITE_P(
    HeldBefore, OffLineAfterALockedUnit,
    ::testing::Values(
        HeldBefore{"a library map loaded on-line without download", HeldBefore::Map::LibraryOnLine},
        HeldBefore{"a library map loaded off-line, then on-line", HeldBefore::Map::LibraryOffLine},
        HeldBefore{"an unlocked unit read", HeldBefore::Map::UnitRead}),
    By_Case_Name());

// A unit read and polled with the engine in a map cell, a library map loaded
// over its map and not sent, then a locked unit read in its place: nothing of
// the unit before stays marked live, and nothing says a loaded map is shown
// over a grid that shows none.
TEST_F(LibraryWindowTest, ALockedUnitReadShowsNoLiveMarkAndNoWordOfALoadedMap) {
    writeTune(QStringLiteral("Stage.kvr"), 23);
    unit.setLiveCell(3 * 16 + 5);
    frmMain& w = openOnlineWired();
    ASSERT_TRUE(QTest::qWaitFor([&] { return colour(w.Txt128, 3 * 16 + 5) == 'R'; }, 5000))
        << "the live cell is marked";
    ASSERT_TRUE(colours(w.TxtAMP, 0, 16).contains('R')) << "and its AMP row";
    frmLoadLib& lib = openLibrary(w);
    if (lib.chkDownNOW->isChecked())
        QTest::mouseClick(lib.chkDownNOW, Qt::LeftButton);
    clickRow(lib, QStringLiteral("Stage.kvr"));
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_EQ(w.StatusPanel[SendRule::NoticePanel]->text(), SendRule::NotUnitsNotice);

    unit.faults.locked = true;
    w.mnuUpload->trigger();
    ASSERT_TRUE(QTest::qWaitFor([] { return UnitLocked == 1 && Link_Settled(); }, 20000));
    const int polls = unit.polls();
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.polls() > polls + 3; }, 5000));

    for (int tab : {1, 2, 3}) {
        w.Select_Tab(tab);
        EXPECT_FALSE(colours(w.Txt128, 0, 128).contains('R')) << "tab " << tab;
        EXPECT_FALSE(colours(w.Txt128, 0, 128).contains('O')) << "tab " << tab;
        EXPECT_FALSE(colours(w.TxtAMP, 0, 16).contains('R')) << "tab " << tab;
    }
    EXPECT_TRUE(w.Txt128[0]->text().isEmpty()) << "the grid shows no map";
    EXPECT_EQ(w.lblNoComms[0]->text(), QStringLiteral("Status: On-Line"));
    EXPECT_NE(w.StatusPanel[SendRule::NoticePanel]->text(), SendRule::NotUnitsNotice);
    EXPECT_FALSE(w.StatusPanel[SendRule::NoticePanel]->text().contains(QStringLiteral("Stage")));
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-locked-after-loaded-map.png"))));
}
