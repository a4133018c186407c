// Tune maps between the library, the program and the simulated unit behind the
// real serial port: a map saved from the unit, a map loaded into it, and the
// names the unit keeps.

#include "WindowTestSupport.h"

#include "link/Download.h"
#include "link/LinkState.h"
#include "mainwin/MapCellText.h"
#include "platform/TextFile.h"
#include "tests/support/LinkWaits.h"

namespace {

class LibraryEndToEnd : public LibraryWindowTest {};

} // namespace

TEST_F(LibraryEndToEnd, TheUnitsMapSavedAsAFileHoldsItsPages) {
    frmMain& w = openOnlineWired();
    dialogs.file(folder.file(QStringLiteral("From unit")));
    w.mnuSaveAS->trigger();
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    type(ed.txtFields[3], QStringLiteral("As read"));
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    ASSERT_TRUE(folder.exists(QStringLiteral("From unit.kvr")));

    // The file's rows read into an empty image give the unit's pages.
    ParamBlock.fill(0);
    Map5Image.fill(0);
    Map6Image.fill(0);
    TextReader file(folder.file(QStringLiteral("From unit.kvr")));
    while (!file.atEnd() && file.readLine() != QStringLiteral("MAPS:")) {
    }
    ASSERT_TRUE(WtsGeneral::Parse_Map_Image(file).ok());
    EXPECT_EQ(bytes(ParamBlock, 128, 255), unitBytes(4, 128, 255));
    EXPECT_EQ(bytes(Map5Image, 0, 255), unitBytes(5, 0, 255));
    EXPECT_EQ(bytes(Map6Image, 0, 175), unitBytes(6, 0, 175));
}

TEST_F(LibraryEndToEnd, ALoadWithDownloadTickedPutsTheFileInTheUnitAndReadsItBack) {
    const Image file = writeTune(QStringLiteral("Road.kvr"), 11);
    frmMain& w = openOnlineWired();
    ASSERT_FALSE(unitHolds(file));
    frmLoadLib& lib = openLibrary(w);
    EXPECT_TRUE(lib.chkDownNOW->isEnabled());
    EXPECT_TRUE(lib.chkDownNOW->isChecked());
    clickRow(lib, QStringLiteral("Road.kvr"));
    unit.clearFrames();
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_TRUE(Wait_Link_Settled()) << "CommStatus " << CommStatus;

    EXPECT_TRUE(unitHolds(file));
    expectDownloadThenReadOut();
    // What the program read back is the file too.
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(file.map5, 0, 255));
    EXPECT_EQ(bytes(Map6Image, 0, 175), bytes(file.map6, 0, 175));
    EXPECT_EQ(MapLoaded, -1);
    EXPECT_EQ(TuneFileName, QStringLiteral("Road.kvr"))
        << "the read-out gave back the file's map: it keeps its name";
}

// A dealer's No-Tune setting locks the unit with the download itself: the
// read-out after it finds a locked unit and reads no map, but the unit holds
// the very map the program sent, so the program keeps it, off-line too.
TEST_F(LibraryEndToEnd, ADownloadThatLocksTheUnitKeepsTheMapItSent) {
    const Image file = writeTune(QStringLiteral("Road.kvr"), 11);
    frmMain& w = openOnlineWired();
    NoTuneFlag = 170; // the dealer file's "No Tune y/n: y"
    frmLoadLib& lib = openLibrary(w);
    ASSERT_TRUE(lib.chkDownNOW->isChecked());
    clickRow(lib, QStringLiteral("Road.kvr"));
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return unit.locked(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([] { return UnitLocked == 1 && UnitOnline == 1; }, 10000));
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_TRUE(unitHolds(file));
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(file.map5, 0, 255)) << "the map sent is kept";
    EXPECT_EQ(bytes(Map6Image, 0, 175), bytes(file.map6, 0, 175));
    EXPECT_EQ(TuneFileName, QStringLiteral("Road.kvr"));

    w.mnuOffline->trigger();
    ASSERT_EQ(OnlineState, OnlineStates::Offline);
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(file.map5, 0, 255))
        << "off-line the program still holds the map it sent, not the default map";
    w.Select_Tab(2);
    EXPECT_EQ(w.Txt128[3]->text(), MapCellText::Cell(2, MapCellText::ForTab(2).cellBase + 3));
}

TEST_F(LibraryEndToEnd, AtOnline2TheBoxIsOffAndALoadSendsNothing) {
    writeTune(QStringLiteral("Road.kvr"), 11);
    frmMain& w = openOnlineWired();
    // The unit goes silent: the link reconnects and waits as "Online2".
    unit.faults.silent = true;
    for (int i = 0; i < 100 && OnlineState == QLatin1String("Online"); ++i)
        w.Link.Comm_Timer_Timer();
    ASSERT_EQ(OnlineState, QStringLiteral("Online2"));
    frmLoadLib& lib = openLibrary(w);
    EXPECT_FALSE(lib.chkDownNOW->isChecked());
    EXPECT_FALSE(lib.chkDownNOW->isEnabled());
    clickRow(lib, QStringLiteral("Road.kvr"));
    unit.clearFrames();
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    EXPECT_EQ(MapLoaded, -1);
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0) << "nothing waits to be sent";
    for (int i = 0; i < 5; ++i)
        w.Link.Comm_Timer_Timer();
    QTest::qWait(50);
    EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), isWrite));
}

TEST_F(LibraryEndToEnd, NewNamesReachTheUnitWithTheNextDownload) {
    frmMain& w = openOnlineWired();
    NoTuneFlag = 255;
    w.Run_Entry(w.mnuChangeNames);
    frmDisLibNames& d = FormInstance<frmDisLibNames>::get();
    type(d.txtDesc, QStringLiteral("Track day, 100 octane"));
    type(d.txtMapID, QStringLiteral("TRACK-1"));
    QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmDisLibNames>());

    w.activateWindow();
    w.Run_Entry(w.mnuDownload);
    ASSERT_TRUE(Wait_Link_Settled());
    const QByteArray text = unit.text();
    EXPECT_EQ(text.mid(128, 63), QByteArray("Track day, 100 octane").leftJustified(63, ' '));
    QByteArray identifier;
    for (int a = 0; a < 63; ++a)
        identifier += static_cast<char>(unit.byte(4, Idx_ParamLow + a));
    EXPECT_EQ(identifier, QByteArray("TRACK-1").leftJustified(63, ' '));
}

TEST_F(LibraryEndToEnd, AFileWithAValueThatIsNoByteIsRefusedAndNothingIsDownloaded) {
    writeTune(QStringLiteral("Bad.kvr"), 8);
    QByteArray bytes = folder.read(QStringLiteral("Bad.kvr"));
    const int at = bytes.indexOf("\r\n 5 1 ") + 2;
    bytes.replace(at + 5, 4, " 300"); // four columns: the first value becomes 300
    folder.write(QStringLiteral("Bad.kvr"), bytes);
    frmMain& w = openOnlineWired();
    const ImageTable map5 = Map5Image;
    frmLoadLib& lib = openLibrary(w);
    ASSERT_TRUE(lib.chkDownNOW->isChecked());
    clickRow(lib, QStringLiteral("Bad.kvr"));
    unit.clearFrames();
    dialogs.clear();
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("Bad.kvr"));
    EXPECT_TRUE(dialogs.records()[0].text.contains("line 33")) << dialogs.records()[0].text;
    EXPECT_EQ(Map5Image, map5);
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0);
    QTest::qWait(100);
    EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), isWrite));
}

// The read-out replaced the loaded map with the unit's: the map no longer has the
// file's name, so Save asks for one instead of writing the unit's map over it.
TEST_F(LibraryEndToEnd, AfterTheReadOutReplacedALoadedMapSaveAsksForAName) {
    const QString name = QStringLiteral("Hatch 1.8T Stage 1.kvr");
    writeTune(name, 21);
    const QByteArray file = folder.read(name);
    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, name);
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_EQ(TuneFileName, name);
    ASSERT_TRUE(Wait_Unloaded<frmLoadLib>());
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.mnuOnline->trigger();
    ASSERT_TRUE(Wait_Link_Settled()) << "CommStatus " << CommStatus;
    ASSERT_EQ(bytes(Map5Image, 0, 255), unitBytes(5, 0, 255)) << "the unit's map is shown";

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(w.mnuSave->isEnabled());
    dialogs.clear();
    QTest::keyClick(w.txtEnter, Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(dialogs.records().empty());
    EXPECT_EQ(dialogs.records()[0].kind, QStringLiteral("save")) << "a name is asked for";
    EXPECT_FALSE(FormInstance<frmLibEdit>::loaded()) << "cancelled: no save starts";
    EXPECT_EQ(folder.read(name), file);
}

// A cut file is refused whole: nothing of it reaches the image or the unit, even
// with the download ticked.
TEST_F(LibraryEndToEnd, ACutOrRowlessFileIsRefusedAndTheUnitKeepsItsMap) {
    writeTune(QStringLiteral("Whole.kvr"), 13);
    const QList<QByteArray> lines = folder.read(QStringLiteral("Whole.kvr")).split('\n');
    const qsizetype maps = lines.indexOf("MAPS:\r");
    auto firstLines = [&](qsizetype n) {
        QByteArray b;
        for (qsizetype i = 0; i < n; ++i)
            b += lines[i] + '\n';
        return b;
    };
    struct Case {
        QString name;
        QByteArray bytes;
        QString told;
    };
    const std::vector<Case> cases{
        {"Cut.kvr", firstLines(maps + 1 + 20), "page 5 addresses 192 to 255"},
        {"Rowless.kvr", firstLines(maps + 1) + "End of KVR6 Tune Map\r\n",
         "page 4 addresses 128 to 255"},
    };
    for (const Case& c : cases)
        folder.write(c.name, c.bytes);
    frmMain& w = openOnlineWired();
    const Image before{ParamBlock, Map5Image, Map6Image};
    ASSERT_TRUE(unitHolds(before));
    frmLoadLib& lib = openLibrary(w);
    ASSERT_TRUE(lib.chkDownNOW->isChecked());
    unit.clearFrames();
    for (const Case& c : cases) {
        clickRow(lib, c.name);
        dialogs.clear();
        QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
        ASSERT_EQ(dialogs.records().size(), 1u) << c.name.toStdString();
        const QString text = dialogs.records()[0].text;
        EXPECT_TRUE(text.contains(c.name)) << text;
        EXPECT_TRUE(text.contains(c.told)) << text;
        EXPECT_TRUE(FormInstance<frmLoadLib>::loaded());
    }
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0);
    QTest::qWait(100);
    EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), isWrite));
    EXPECT_TRUE(unitHolds(before));
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(before.map5, 0, 255));
    EXPECT_EQ(bytes(ParamBlock, 128, 255), bytes(before.param, 128, 255));
}

// The names sent to the unit replace its old ones whole: a shorter map name
// leaves none of the old one's tail.
TEST_F(LibraryEndToEnd, AShortMapNameFromAFileReplacesTheUnitsWholeIdentifier) {
    writeTune(QStringLiteral("Road.kvr"), 11); // its map name: "Seed 11"
    for (int a = 0; a < 64; ++a)
        unit.setByte(4, Idx_ParamLow + a, a < 8 ? QByteArray("MAP-A-ID").at(a) : 'Z');
    frmMain& w = openOnlineWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("Road.kvr"));
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_TRUE(Wait_Link_Settled()) << "CommStatus " << CommStatus;
    QByteArray identifier;
    for (int a = 0; a < 64; ++a)
        identifier += static_cast<char>(unit.byte(4, Idx_ParamLow + a));
    EXPECT_EQ(identifier, QByteArray("Seed 11").leftJustified(64, ' '));
    EXPECT_EQ(MapId.trimmed(), QStringLiteral("Seed 11")) << "read back from the unit";
}

// A locked unit keeps its lock mark in the text area: a download replaces it, so
// it is asked about first, No the default, from the menu and from the library.
TEST_F(LibraryEndToEnd, ADownloadToALockedUnitAsksFirstWithNoTheDefault) {
    writeTune(QStringLiteral("Road.kvr"), 11);
    QByteArray mark(1, static_cast<char>(170));
    unit.setText(mark, 191);
    ASSERT_TRUE(unit.locked());
    frmMain& w = openOnlineWired();
    ASSERT_EQ(UnitLocked, 1);
    NoTuneFlag = 255;
    struct Way {
        const char* name;
        std::function<void()> start;
    };
    // The library load comes first: the locked read-out left no map to send,
    // and the load puts one into the image for Tools > Download.
    const std::vector<Way> ways{
        {"a library load with the box ticked",
         [&] {
             frmLoadLib& lib = openLibrary(w);
             EXPECT_TRUE(lib.chkDownNOW->isChecked());
             clickRow(lib, QStringLiteral("Road.kvr"));
             QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
             EXPECT_TRUE(Wait_Unloaded<frmLoadLib>());
             w.activateWindow();
         }},
        {"Tools > Download", [&] { w.Run_Entry(w.mnuDownload); }},
    };
    for (const Way& way : ways) {
        unit.clearFrames();
        dialogs.clear();
        way.start();
        ASSERT_EQ(dialogs.records().size(), 1u) << way.name;
        const auto& asked = dialogs.records()[0];
        EXPECT_EQ(asked.defaultButton, Dialogs::DefaultButton::Second) << way.name;
        EXPECT_EQ(asked.buttons, Dialogs::Buttons::YesNo) << way.name;
        EXPECT_TRUE(asked.text.contains("locked")) << asked.text;
        EXPECT_TRUE(asked.text.contains("replaces the unit's maps")) << asked.text;
        EXPECT_TRUE(asked.text.contains("No-Tune OFF")) << asked.text;
        EXPECT_EQ(SendPath::Requests_Outstanding(), 0) << way.name;
        QTest::qWait(100);
        EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), isWrite)) << way.name;
        EXPECT_TRUE(unit.locked()) << way.name;
    }

    // Yes: the download goes, and the unit takes the program's mark with it.
    dialogs.answer(Dialogs::Answer::Yes);
    w.Run_Entry(w.mnuDownload);
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !unit.locked(); }, 5000));
    EXPECT_EQ(static_cast<unsigned char>(unit.text().at(191)), 255);
    EXPECT_EQ(unitBytes(5, 0, 255), bytes(Map5Image, 0, 255));
}

// A locked unit's read-out reads no map: until one is loaded, Tools > Download
// has none to send and says so, and the unit keeps its own maps.
TEST_F(LibraryEndToEnd, NoDownloadToALockedUnitBeforeAMapIsLoaded) {
    QByteArray mark(1, static_cast<char>(170));
    unit.setText(mark, 191);
    const auto unitsMap = unitBytes(5, 0, 255);
    frmMain& w = openOnlineWired();
    ASSERT_EQ(UnitLocked, 1);
    unit.clearFrames();
    dialogs.clear();
    dialogs.answer(Dialogs::Answer::Yes); // were it asked whether to replace the lock
    w.Run_Entry(w.mnuDownload);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].text, WtsCM::NoMapToDownload);
    EXPECT_EQ(dialogs.records()[0].buttons, Dialogs::Buttons::Ok);
    QTest::qWait(200);
    EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), isWrite));
    EXPECT_EQ(unitBytes(5, 0, 255), unitsMap);
    EXPECT_TRUE(unit.locked());
}
