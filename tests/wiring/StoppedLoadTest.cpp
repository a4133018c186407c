// A map load stopped part-way by an error ("Step not finished") leaves the
// screens and the link state true: the grid shows the image, the unit keeps its
// maps and the status bar and the link state say that the grid is not the
// unit's map; the program goes on with windows closed and built as before.
// Driven on-line through the real library and wiring-diagram windows against
// the simulated unit, the main window's redraw failing once part-way.

#include "tests/library/WindowTestSupport.h"
#include "tests/mainwin/RedrawFailingOnce.h"

#include "core/KeptImage.h"
#include "link/SendRule.h"
#include "mainwin/MainWindow.h"
#include "mainwin/MapCellText.h"
#include "tests/support/CaseNames.h"
#include "wiring/Entries.h"
#include "wiring/frmWDLoad.h"

#include <QLabel>
#include <QRadioButton>
#include <new>

namespace {

class StoppedLoad : public LibraryWindowTest {
public:
    void wireEntries(frmMain& w) override {
        LibraryWindowTest::wireEntries(w);
        Wiring::Wire_Entries(w);
    }
    StoppedLoad() { folder.copyData(QStringLiteral("KVRWD.cfg")); }
    ~StoppedLoad() override {
        if (window)
            Set_Main(window.get());
    }

    // Loads the library's "Road.kvr" with its download asked, through the window.
    void loadFromLibrary(frmMain& w) {
        frmLoadLib& lib = openLibrary(w);
        lib.chkDownNOW->setChecked(true);
        clickRow(lib, QStringLiteral("Road.kvr"));
        failing_ = std::make_unique<RedrawFailingOnce>(w);
        Set_Main(failing_.get());
        QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    }
    // Loads the wiring-diagram record "BRT-S6.kvr" over the maps held.
    void loadWiringRecord(frmMain& w) {
        w.mnuLoadWD->trigger();
        ASSERT_TRUE(FormInstance<frmWDLoad>::loaded());
        frmWDLoad& f = FormInstance<frmWDLoad>::get();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
        const auto found =
            f.ListView1->findItems(QStringLiteral("BRT-S6.kvr"), Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1);
        QTest::mouseClick(f.ListView1->viewport(), Qt::LeftButton, {},
                          f.ListView1->visualItemRect(found.first()).center());
        QTest::mouseClick(f.optSave[0], Qt::LeftButton, {}, QPoint(8, f.optSave[0]->height() / 2));
        failing_ = std::make_unique<RedrawFailingOnce>(w);
        Set_Main(failing_.get());
        QTest::mouseClick(f.cmdMap, Qt::LeftButton);
    }
    int failures() const { return failing_ ? failing_->failures : 0; }
    // The user closes the load window the stopped step left open.
    void closeLoadWindows() {
        if (frmLoadLib* lib = FormInstance<frmLoadLib>::ifLoaded())
            lib->close();
        if (frmWDLoad* f = FormInstance<frmWDLoad>::ifLoaded())
            f->close();
        EXPECT_TRUE(Wait_Unloaded<frmLoadLib>());
        EXPECT_TRUE(Wait_Unloaded<frmWDLoad>());
    }

protected:
    std::unique_ptr<RedrawFailingOnce> failing_;
};

struct LoadWay {
    const char* name;
    std::function<void(StoppedLoad&, frmMain&)> load;
};

class ALoadStoppedPartWay : public StoppedLoad, public ::testing::WithParamInterface<LoadWay> {};

} // namespace

TEST_P(ALoadStoppedPartWay, LeavesTheScreensAndTheLinkStateTrue) {
    const Image file = writeTune(QStringLiteral("Road.kvr"), 11);
    frmMain& w = openOnlineWired();
    ASSERT_FALSE(unitHolds(file));
    const QLabel& state = *w.lblNoComms[0];
    const QLabel& panel = *w.StatusPanel[SendRule::NoticePanel];
    ASSERT_EQ(state.text(), QStringLiteral("Status: On-Line"));
    const QString shownBefore = w.Txt128[100]->text();
    unit.clearFrames();

    GetParam().load(*this, w);
    ASSERT_EQ(failures(), 1) << "the redraw stopped the load";
    ASSERT_TRUE(QTest::qWaitFor([] { return Dialogs::laterWaiting() == 0; }, 5000));
    ASSERT_FALSE(dialogs.records().empty());
    EXPECT_EQ(dialogs.records().back().title, QStringLiteral("Step not finished"));

    // The grid shows the image whole, not part the map before.
    const int tab = w.Shown_Tab();
    const MapCellText::Layout& map = MapCellText::ForTab(tab);
    for (int n = 0; n < 128; ++n)
        EXPECT_EQ(w.Txt128[static_cast<std::size_t>(n)]->text(),
                  MapCellText::Cell(tab, map.cellBase + n))
            << "box " << n << " (before the load: " << shownBefore.toStdString() << " in box 100)";
    // Nothing went to the unit, and both the status bar and the link state say
    // that the grid is not its map.
    EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), isWrite));
    EXPECT_EQ(panel.text(), SendRule::NotUnitsNotice);
    EXPECT_TRUE(QTest::qWaitFor([&] { return state.text() == SendRule::NotUnitsState; }, 2000))
        << state.text().toStdString();
    // Save asks for a name: no file stands for the map shown.
    EXPECT_TRUE(TuneFileName.isEmpty()) << TuneFileName.toStdString();

    // The program goes on: windows close and are built again, and a load
    // finished reaches the unit.
    closeLoadWindows();
    Set_Main(&w);
    frmLoadLib& lib = openLibrary(w);
    lib.chkDownNOW->setChecked(true);
    clickRow(lib, QStringLiteral("Road.kvr"));
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLoadLib>());
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_TRUE(unitHolds(file));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return state.text() == QStringLiteral("Status: On-Line"); }, 2000))
        << state.text().toStdString();
    EXPECT_EQ(panel.text(), QStringLiteral("File Name : Road.kvr"));
}

INSTANTIATE_TEST_SUITE_P(
    Loads, ALoadStoppedPartWay,
    ::testing::Values(LoadWay{"a library map with its download",
                              [](StoppedLoad& t, frmMain& w) { t.loadFromLibrary(w); }},
                      LoadWay{"a wiring-diagram record",
                              [](StoppedLoad& t, frmMain& w) { t.loadWiringRecord(w); }}),
    By_Case_Name());
