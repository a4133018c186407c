// The wiring-diagram map list driven through its widgets, and a record loaded
// into the program and, over the real serial port, into the simulated unit.

#include "tests/library/WindowTestSupport.h"

#include "core/KeptImage.h"
#include "mainwin/MapCellText.h"
#include "platform/TextFile.h"
#include "wiring/Entries.h"
#include "wiring/WiringState.h"
#include "wiring/frmWDLoad.h"

#include "tests/support/CaseNames.h"
#include "tests/support/NoPermissionOverride.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>

namespace {

class WDLoadWindow : public LibraryWindowTest {
protected:
    void wireEntries(frmMain& w) override {
        LibraryWindowTest::wireEntries(w);
        Wiring::Wire_Entries(w);
    }
    WDLoadWindow() { folder.copyData(QStringLiteral("KVRWD.cfg")); }

    frmWDLoad& openList(frmMain& w) {
        EXPECT_TRUE(w.mnuLoadWD->isEnabled());
        w.mnuLoadWD->trigger();
        EXPECT_TRUE(FormInstance<frmWDLoad>::loaded());
        frmWDLoad& f = FormInstance<frmWDLoad>::get();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        return f;
    }
    static QStringList headings(const frmWDLoad& f) {
        QStringList h;
        for (int c = 0; c < f.ListView1->columnCount(); ++c)
            h << f.ListView1->headerItem()->text(c);
        return h;
    }
    // Column c of every listed row, top to bottom.
    static QStringList column(const frmWDLoad& f, int c) {
        QStringList texts;
        for (int i = 0; i < f.ListView1->topLevelItemCount(); ++i)
            texts << f.ListView1->topLevelItem(i)->text(c);
        return texts;
    }
    static void clickHeader(frmWDLoad& f, int column) {
        QHeaderView* h = f.ListView1->header();
        const QPoint p(h->sectionViewportPosition(column) + h->sectionSize(column) / 2,
                       h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    }
    // Clicks the row whose first column (the file name at opening) is `text`.
    static void clickRow(frmWDLoad& f, const QString& text) {
        const auto found = f.ListView1->findItems(text, Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        const QRect r = f.ListView1->visualItemRect(found.first());
        QTest::mouseClick(f.ListView1->viewport(), Qt::LeftButton, {}, r.center());
    }
    // A click on the box or its caption's start, where a user aims.
    static void tick(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    // A double-click as the system delivers it: press, release, double-click,
    // release.
    static void doubleClickRow(frmWDLoad& f, const QString& text) {
        const QPoint at = rowCentre(f, text);
        QWidget* v = f.ListView1->viewport();
        QTest::mouseClick(v, Qt::LeftButton, {}, at);
        QTest::mouseDClick(v, Qt::LeftButton, {}, at);
        QTest::mouseRelease(v, Qt::LeftButton, {}, at);
    }
    static QPoint rowCentre(frmWDLoad& f, const QString& text) {
        const auto found = f.ListView1->findItems(text, Qt::MatchExactly, 0);
        EXPECT_EQ(found.size(), 1) << text.toStdString();
        return found.isEmpty() ? QPoint() : f.ListView1->visualItemRect(found.first()).center();
    }
    // The unit's pages as a tune map holds them.
    Image unitImage() const {
        Image image;
        for (int a = 0; a < 256; ++a) {
            image.param[a] = static_cast<std::int16_t>(unit.byte(4, a));
            image.map5[a] = static_cast<std::int16_t>(unit.byte(5, a));
            image.map6[a] = static_cast<std::int16_t>(unit.byte(6, a));
        }
        return image;
    }
    bool sentNoWrite() const {
        return std::none_of(unit.frames().begin(), unit.frames().end(), isWrite);
    }
    // Every grid box shows the image's value on the shown tab.
    static void expectGridShowsImage(const frmMain& w) {
        const int tab = w.Shown_Tab();
        const MapCellText::Layout& map = MapCellText::ForTab(tab);
        for (int n = 0; n < 128; ++n)
            EXPECT_EQ(w.Txt128[static_cast<std::size_t>(n)]->text(),
                      MapCellText::Cell(tab, map.cellBase + n))
                << "tab " << tab << " box " << n;
    }
};

} // namespace

TEST_F(WDLoadWindow, OpensWithItsColumnsAndSortsAClickedColumnAsText) {
    frmMain& w = openWired();
    frmWDLoad& f = openList(w);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Morrand - Qorva - Load Library"));
    EXPECT_EQ(headings(f), (QStringList{"File Name", "Make", "Model", "Description"}));
    EXPECT_EQ(f.ListView1->columnWidth(0), Design::px(1540));
    EXPECT_EQ(f.ListView1->topLevelItemCount(), 6);
    EXPECT_FALSE(f.cmdMap->isEnabled());
    EXPECT_TRUE(f.chkSearch->isChecked());
    EXPECT_FALSE(f.txtSearch->isEnabled());
    EXPECT_FALSE(f.cmdSearch->isEnabled());
    EXPECT_FALSE(f.optSearch[2]->isEnabled());
    f.grab().save(Screenshot_Path(QStringLiteral("wd-list-opened.png")));

    // The number column comes first; a click on its heading sorts it as text.
    tick(f.chkDisplay[0]);
    tick(f.chkDisplay[7]);
    EXPECT_EQ(headings(f), (QStringList{"No.", "File Name", "Make", "Model"}));
    EXPECT_EQ(column(f, 0), (QStringList{"1", "2", "3", "9", "10", "100"}));
    clickHeader(f, 0);
    EXPECT_EQ(column(f, 0), (QStringList{"1", "10", "100", "2", "3", "9"}));
    clickHeader(f, 0); // no toggle
    EXPECT_EQ(column(f, 0), (QStringList{"1", "10", "100", "2", "3", "9"}));
    // The sort holds across a relist.
    tick(f.chkDisplay[4]);
    EXPECT_EQ(column(f, 0), (QStringList{"1", "10", "100", "2", "3", "9"}));
    EXPECT_EQ(headings(f).last(), QStringLiteral("Year"));

    // No box ticked: no rows, nothing to pick.
    for (int b : {0, 1, 2, 3, 4})
        tick(f.chkDisplay[b]);
    EXPECT_EQ(f.ListView1->topLevelItemCount(), 0);
    EXPECT_FALSE(f.cmdMap->isEnabled());
    f.grab().save(Screenshot_Path(QStringLiteral("wd-list-no-columns.png")));
}

TEST_F(WDLoadWindow, SearchByKeysAndLoadOnlyForAListedRecord) {
    frmMain& w = openWired();
    frmWDLoad& f = openList(w);
    tick(f.optSave[0]);
    clickRow(f, QStringLiteral("BRT-S6.kvr"));
    EXPECT_EQ(Wiring::WdSelected, 2);
    EXPECT_TRUE(f.cmdMap->isEnabled());

    tick(f.chkSearch); // search controls on, the list as it was
    EXPECT_TRUE(f.txtSearch->isEnabled());
    EXPECT_EQ(f.ListView1->topLevelItemCount(), 6);
    tick(f.optSearch[2]); // Vehicle Make
    f.txtSearch->setFocus();
    QTest::keyClicks(f.txtSearch, QStringLiteral("brandt"));
    QTest::keyClick(f.txtSearch, Qt::Key_Return);
    // "brandt" finds BRANDT and brandt.
    EXPECT_EQ(column(f, 1), (QStringList{"BRANDT", "brandt"}));
    EXPECT_TRUE(f.cmdMap->isEnabled()) << "the chosen record is still listed";

    // Typed with a capital first: "FENNICK" and "fennick" are not in "Fennick".
    f.txtSearch->selectAll();
    QTest::keyClicks(f.txtSearch, QStringLiteral("FENNICK"));
    tick(f.cmdSearch);
    EXPECT_EQ(f.ListView1->topLevelItemCount(), 0);
    EXPECT_FALSE(f.cmdMap->isEnabled()) << "the chosen record is no longer listed";
    tick(f.cmdMap);
    EXPECT_TRUE(FormInstance<frmWDLoad>::loaded()) << "a hidden record is not loaded";

    // Show All empties the search and lists every record; the choice is back.
    tick(f.chkSearch);
    EXPECT_TRUE(f.txtSearch->text().isEmpty());
    EXPECT_FALSE(f.txtSearch->isEnabled());
    EXPECT_EQ(f.ListView1->topLevelItemCount(), 6);
    EXPECT_TRUE(f.cmdMap->isEnabled());

    // The keys choose a row too.
    f.ListView1->setFocus();
    QTest::keyClick(f.ListView1, Qt::Key_Home);
    EXPECT_EQ(Wiring::WdSelected, 1);
    QTest::keyClick(f.ListView1, Qt::Key_Down);
    QTest::keyClick(f.ListView1, Qt::Key_Down);
    EXPECT_EQ(Wiring::WdSelected, 3);
    EXPECT_TRUE(f.cmdMap->isEnabled());

    // Escape the window: Cancel unloads it, nothing loaded.
    const ImageSnapshot before = ImageSnapshot::Take();
    tick(f.cmdCancel);
    ASSERT_TRUE(Wait_Unloaded<frmWDLoad>());
    EXPECT_TRUE(ImageSnapshot::Take() == before);
}

TEST_F(WDLoadWindow, OffLineAKeepMapsLoadChangesTheSettingsAndSendsNothing) {
    frmMain& w = openWired();
    writeTune(QStringLiteral("Road.kvr"), 11);
    TuneFileName = QStringLiteral("Road.kvr");
    KeptImage::Mark_Kept();
    const ImageTable map5 = Map5Image;
    const ImageTable map6 = Map6Image;
    unit.clearFrames();
    const auto deflection = w.Axis_Label_Texts().deflection;
    frmWDLoad& f = openList(w);
    clickRow(f, QStringLiteral("MRL-V8.kvr"));
    tick(f.optSave[0]);
    tick(f.cmdMap);
    ASSERT_TRUE(Wait_Unloaded<frmWDLoad>());

    EXPECT_EQ(ParamBlock[145], 8); // the record's cylinders
    EXPECT_EQ(bytes(ParamBlock, 152, 159), (std::vector<int>{18, 40, 70, 100, 132, 164, 196, 228}));
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(map5, 0, 255));
    EXPECT_EQ(bytes(Map6Image, 0, 255), bytes(map6, 0, 255));
    EXPECT_EQ(MapLoaded, -1);
    EXPECT_EQ(MapDirty, 0);
    EXPECT_TRUE(TuneFileName.isEmpty()) << "Save asks for a name, not Road.kvr";
    EXPECT_TRUE(KeptImage::Has_Unkept_Edits()) << "the new settings are saved nowhere";
    expectGridShowsImage(w);
    // The deflection labels follow the record's break points.
    EXPECT_NE(w.Axis_Label_Texts().deflection, deflection);
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0);
    for (int i = 0; i < 5; ++i)
        w.Link.Comm_Timer_Timer();
    EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), isWrite));
    EXPECT_EQ(folder.read(QStringLiteral("KVRWDOut.cfg")).left(7), QByteArray("MAPS:\r\n"));
}

TEST_F(WDLoadWindow, ABlankMapLoadReplacesTheWholeMapAndCountsAsKept) {
    frmMain& w = openWired();
    writeTune(QStringLiteral("Road.kvr"), 11);
    Map5Image[7] = 99; // an unsaved edit, replaced by the whole new map
    frmWDLoad& f = openList(w);
    clickRow(f, QStringLiteral("QUL-C4.kvr"));
    tick(f.optSave[1]);
    tick(f.cmdMap);
    ASSERT_TRUE(Wait_Unloaded<frmWDLoad>());

    EXPECT_FALSE(KeptImage::Has_Unkept_Edits());
    EXPECT_TRUE(TuneFileName.isEmpty());
    expectGridShowsImage(w);
    // The blank template's maps with the record's settings over them.
    const ImageSnapshot loaded = ImageSnapshot::Take();
    ASSERT_TRUE(TuneMap::Load_Tune_Map(QStringLiteral("Road.kvr")).ok());
    folder.copyData(QStringLiteral("BLANKKVR6.WTS"));
    WtsGeneral::Load_Blank_Template();
    for (int a = 144; a < 160; ++a)
        ParamBlock[a] = loaded.param[a];
    EXPECT_EQ(bytes(ParamBlock, 0, 255), bytes(loaded.param, 0, 255));
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(loaded.map5, 0, 255));
    EXPECT_EQ(loaded.param[145], 4);
}

TEST_F(WDLoadWindow, ARecordWithABadLineIsRefusedThroughTheWindow) {
    folder.writeLines(QStringLiteral("KVRWD.cfg"),
                      {QStringLiteral("4, Fennick, 01/01/2020, Bad one, BAD.kvr, 1999, GT, Halvex, "
                                      " 9 0  10   4   2   1  34 222   3   0  20  43  74 105 137 "
                                      "168 199 231 , 150M 300 ")});
    frmMain& w = openWired();
    const ImageSnapshot before = ImageSnapshot::Take();
    frmWDLoad& f = openList(w);
    clickRow(f, QStringLiteral("BAD.kvr"));
    tick(f.optSave[0]);
    dialogs.clear();
    tick(f.cmdMap);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("150M 300"))
        << dialogs.texts().join('|').toStdString();
    EXPECT_TRUE(ImageSnapshot::Take() == before);
    EXPECT_TRUE(FormInstance<frmWDLoad>::loaded()) << "the user can choose another";
}

TEST_F(WDLoadWindow, TheEntryIsOffWithoutTheRecordsFile) {
    QFile::remove(folder.file(QStringLiteral("KVRWD.cfg")));
    frmMain& w = openWired();
    EXPECT_FALSE(w.mnuLoadWD->isEnabled());
}

// ---- against the simulated unit ---------------------------------------------

TEST_F(WDLoadWindow, OnLineTheRecordGoesToTheUnitAndIsReadBack) {
    frmMain& w = openOnlineWired();
    frmWDLoad& f = openList(w);
    clickRow(f, QStringLiteral("BRT-S6.kvr"));
    tick(f.optSave[0]);
    unit.clearFrames();
    tick(f.cmdMap);
    ASSERT_TRUE(Wait_Unloaded<frmWDLoad>());
    ASSERT_TRUE(Wait_Link_Settled()) << "CommStatus " << CommStatus;

    EXPECT_EQ(ParamBlock[145], 6);
    EXPECT_EQ(ParamBlock[150], 7); // (3 AND 251) OR 4
    EXPECT_EQ(unitBytes(4, 128, 255), bytes(ParamBlock, 128, 255));
    EXPECT_EQ(unitBytes(5, 0, 255), bytes(Map5Image, 0, 255));
    expectDownloadThenReadOut();
    expectGridShowsImage(w);
    w.grab().save(Screenshot_Path(QStringLiteral("wd-loaded-main.png")));
}

TEST_F(WDLoadWindow, AtOnline2ALoadSendsNothing) {
    frmMain& w = openOnlineWired();
    unit.faults.silent = true;
    for (int i = 0; i < 100 && OnlineState == QLatin1String("Online"); ++i)
        w.Link.Comm_Timer_Timer();
    ASSERT_EQ(OnlineState, QStringLiteral("Online2"));
    frmWDLoad& f = openList(w);
    clickRow(f, QStringLiteral("FEN-A1.kvr"));
    tick(f.optSave[0]);
    unit.clearFrames();
    tick(f.cmdMap);
    ASSERT_TRUE(Wait_Unloaded<frmWDLoad>());
    EXPECT_EQ(ParamBlock[150], 3);
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0);
    for (int i = 0; i < 5; ++i)
        w.Link.Comm_Timer_Timer();
    QTest::qWait(50);
    EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), isWrite));
}

// ---- nothing loaded that the user did not choose -----------------------------

TEST_F(WDLoadWindow, OnLineNoLoadWithoutAChosenWayAndNoRecordFromAnEarlierOpening) {
    frmMain& w = openOnlineWired();
    const Image before = unitImage();
    const ImageSnapshot shown = ImageSnapshot::Take();
    frmWDLoad& f = openList(w);
    unit.clearFrames();
    clickRow(f, QStringLiteral("QUL-C4.kvr"));
    EXPECT_EQ(Wiring::WdSelected, 5);
    EXPECT_FALSE(f.cmdMap->isEnabled()) << "no way of loading chosen";
    tick(f.cmdMap);

    // A double-click or Enter on a row asks for the way and loads nothing.
    dialogs.clear();
    doubleClickRow(f, QStringLiteral("QUL-C4.kvr"));
    f.ListView1->setFocus();
    QTest::keyClick(f.ListView1, Qt::Key_Return);
    ASSERT_EQ(dialogs.records().size(), 2u) << dialogs.texts().join('|').toStdString();
    for (const auto& r : dialogs.records()) {
        EXPECT_TRUE(r.text.startsWith(QStringLiteral("Choose how the record is loaded first")))
            << r.text.toStdString();
        EXPECT_TRUE(r.text.contains(QStringLiteral("Nothing was loaded")));
    }
    ASSERT_TRUE(Still_Loaded<frmWDLoad>());
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_TRUE(sentNoWrite());
    EXPECT_TRUE(unitHolds(before));
    EXPECT_TRUE(ImageSnapshot::Take() == shown);

    // The choice of a way turns the button on; the next opening starts without
    // the record chosen in this one.
    tick(f.optSave[0]);
    EXPECT_TRUE(f.cmdMap->isEnabled());
    f.grab().save(Screenshot_Path(QStringLiteral("wd-list-chosen.png")));
    tick(f.cmdCancel);
    ASSERT_TRUE(Wait_Unloaded<frmWDLoad>());
    frmWDLoad& again = openList(w);
    EXPECT_EQ(Wiring::WdSelected, 0);
    EXPECT_TRUE(again.ListView1->selectedItems().isEmpty());
    tick(again.optSave[1]);
    EXPECT_FALSE(again.cmdMap->isEnabled()) << "no record clicked in this opening";
    tick(again.cmdMap);
    EXPECT_TRUE(Still_Loaded<frmWDLoad>());
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_TRUE(sentNoWrite());
    EXPECT_TRUE(unitHolds(before));

    // Chosen in this opening, the double-click loads the chosen way.
    doubleClickRow(again, QStringLiteral("QUL-C4.kvr"));
    ASSERT_TRUE(Wait_Unloaded<frmWDLoad>());
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_EQ(unitBytes(5, 0, 255), bytes(Map5Image, 0, 255));
    EXPECT_EQ(unitBytes(4, 128, 255), bytes(ParamBlock, 128, 255));
    EXPECT_EQ(ParamBlock[145], 4);
}

TEST_F(WDLoadWindow, OnLineALoadThatWouldBeOnlyPartIsRefusedWholeAndTheUnitKeepsItsMaps) {
    // A record of 18 map lines, one more than a record keeps; the last sets
    // the cylinders.
    QStringList record{"7",        "Fennick", "01/01/2020", "Long one",
                       "LONG.kvr", "1999",    "GT",         "Halvex"};
    for (int k = 0; k < 17; ++k)
        record << QStringLiteral(" 9 0  10   4   2   1  34 222   3   0  20  43  74 105 137 168 "
                                 "199 231 ");
    record << QStringLiteral(" 9 0  10   8   2   1  34 222   3   0  20  43  74 105 137 168 199 "
                             "231 ");
    const QStringList blank = TextFile::readLines(folder.file(QStringLiteral("BLANKKVR6.WTS")));
    QStringList cut = blank;
    cut.removeAll(
        QStringLiteral(" 5 1   0   0   0   0   0   0   0   0   0   0   0   0   0   0   0   0 "));
    ASSERT_EQ(cut.size(), blank.size() - 1) << "page 1 row 5 of the blank map";

    struct Case {
        const char* what;
        QStringList records;
        QStringList blankMap;
        int way;
        const char* told;
    };
    const std::vector<Case> cases{
        {"eighteen map lines",
         {record.join(QStringLiteral(", "))},
         blank,
         0,
         "The wiring-diagram map No. 7 (LONG.kvr) was not loaded: it holds 18 map lines, more "
         "than the 17 a record keeps. The map and the unit are unchanged."},
        {"a blank map without a row",
         {QStringLiteral("10, Quill, 15/06/2023, Coil-on-plug, QUL-C4.kvr, 2007, Tilden, Halvex, "
                         " 9 0  10   4   2   1  34 222   3   0  20  43  74 105 137 168 199 231 ")},
         cut,
         1,
         "The wiring-diagram map No. 10 (QUL-C4.kvr) was not loaded as a new blank map: the "
         "default map file BLANKKVR6.WTS lacks map rows (page 5 addresses 80 to 95). The map "
         "and the unit are unchanged."},
    };
    frmMain& w = openOnlineWired();
    for (const Case& c : cases) {
        folder.writeLines(QStringLiteral("KVRWD.cfg"), c.records);
        folder.writeLines(QStringLiteral("BLANKKVR6.WTS"), c.blankMap);
        const Image before = unitImage();
        const ImageSnapshot shown = ImageSnapshot::Take();
        const bool unkept = KeptImage::Has_Unkept_Edits();
        frmWDLoad& f = openList(w);
        clickRow(f, f.ListView1->topLevelItem(0)->text(0));
        tick(f.optSave[c.way]);
        unit.clearFrames();
        dialogs.clear();
        tick(f.cmdMap);
        ASSERT_EQ(dialogs.records().size(), 1u) << c.what;
        EXPECT_EQ(dialogs.records()[0].text, QString::fromLatin1(c.told)) << c.what;
        EXPECT_TRUE(Still_Loaded<frmWDLoad>()) << c.what;
        ASSERT_TRUE(Wait_Link_Settled());
        EXPECT_TRUE(sentNoWrite()) << c.what;
        EXPECT_TRUE(unitHolds(before)) << c.what;
        EXPECT_TRUE(ImageSnapshot::Take() == shown) << c.what;
        EXPECT_EQ(KeptImage::Has_Unkept_Edits(), unkept) << c.what;
        FormInstance<frmWDLoad>::unload();
    }
}

TEST_F(WDLoadWindow, ARecordsFileThatCannotBeReadIsToldAndOpensNoWindow) {
    frmMain& w = openWired();
    Map5Image[7] = 99; // an unsaved edit
    const ImageSnapshot before = ImageSnapshot::Take();
    const QString path = folder.file(QStringLiteral("KVRWD.cfg"));
    struct Case {
        const char* what;
        std::function<void()> spoil;
        std::function<void()> mend;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"no read permission", [&] { QFile(path).setPermissions(QFile::WriteOwner); },
         [&] { QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner); },
         "Permission denied"},
        {"a folder in its place",
         [&] {
             QFile::remove(path);
             QDir().mkdir(path);
         },
         [&] { QDir().rmdir(path); }, "Not a regular file"},
    };
    for (const Case& c : cases) {
        c.spoil();
        ASSERT_TRUE(w.mnuLoadWD->isEnabled()) << c.what;
        dialogs.clear();
        {
            NoPermissionOverride asAnyUser;
            ASSERT_TRUE(asAnyUser.active());
            w.mnuLoadWD->trigger();
        }
        c.mend();
        ASSERT_EQ(dialogs.records().size(), 1u) << c.what;
        const QString text = dialogs.records()[0].text;
        EXPECT_TRUE(text.startsWith(
            QStringLiteral("The wiring-diagram map list KVRWD.cfg could not be read (")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.reason))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(
            QStringLiteral("The list is not opened; the map and the unit are unchanged.")))
            << text.toStdString();
        EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Wiring Diagram Maps"));
        EXPECT_FALSE(FormInstance<frmWDLoad>::loaded()) << c.what;
        EXPECT_TRUE(ImageSnapshot::Take() == before) << c.what;
        EXPECT_TRUE(w.isVisible());
    }
}

namespace {

// Something in the place of the records file at start-up that cannot be read.
struct UnusableRecords {
    const char* name;
    std::function<void(const QString& path)> spoil;
    const char* reason;
};

class RecordsUnusableAtStartUp : public WDLoadWindow,
                                 public ::testing::WithParamInterface<UnusableRecords> {};

} // namespace

// As when the file turns bad after start-up: the entry stays, and choosing it
// says why the list does not open.
TEST_P(RecordsUnusableAtStartUp, IsToldWhenTheEntryIsChosen) {
    const QString path = folder.file(QStringLiteral("KVRWD.cfg"));
    GetParam().spoil(path);
    NoPermissionOverride asAnyUser;
    ASSERT_TRUE(asAnyUser.active());
    frmMain& w = openWired();
    const ImageSnapshot before = ImageSnapshot::Take();
    ASSERT_TRUE(w.mnuLoadWD->isEnabled());
    dialogs.clear();
    w.mnuLoadWD->trigger();
    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString text = dialogs.records()[0].text;
    EXPECT_TRUE(text.startsWith(
        QStringLiteral("The wiring-diagram map list KVRWD.cfg could not be read (")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromLatin1(GetParam().reason))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(
        QStringLiteral("The list is not opened; the map and the unit are unchanged.")))
        << text.toStdString();
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Wiring Diagram Maps"));
    EXPECT_FALSE(FormInstance<frmWDLoad>::loaded());
    EXPECT_TRUE(ImageSnapshot::Take() == before);
}

INSTANTIATE_TEST_SUITE_P(Files, RecordsUnusableAtStartUp,
                         ::testing::Values(UnusableRecords{"a folder in its place",
                                                           [](const QString& path) {
                                                               QFile::remove(path);
                                                               QDir().mkdir(path);
                                                           },
                                                           "Not a regular file"},
                                           UnusableRecords{"no read permission",
                                                           [](const QString& path) {
                                                               QFile(path).setPermissions(
                                                                   QFile::WriteOwner);
                                                           },
                                                           "Permission denied"}),
                         By_Case_Name());
