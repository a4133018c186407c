// Tune maps between the library, the program and the simulated unit behind the
// real serial port: a map saved from the unit, a map loaded into it, and the
// names the unit keeps.

#include "WindowTestSupport.h"

#include "link/LinkState.h"
#include "platform/TextFile.h"

namespace {

class LibraryEndToEnd : public LibraryWindowTest {
protected:
    // Waits until the requests have gone out and the read-out after them is back
    // at live polling.
    bool settled() {
        return QTest::qWaitFor(
            [] {
                return SendPath::Requests_Outstanding() == 0 && UnitOnline == 1 && CommStatus == 10;
            },
            20000);
    }
};

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
    ASSERT_TRUE(settled()) << "CommStatus " << CommStatus;

    EXPECT_TRUE(unitHolds(file));
    // The download's queue, then the read-out of the pages it wrote.
    const auto& frames = unit.frames();
    const auto lastWrite = std::find_if(frames.rbegin(), frames.rend(), isWrite);
    ASSERT_NE(lastWrite, frames.rend());
    const auto firstWrite = std::find_if(frames.begin(), frames.end(), isWrite);
    EXPECT_TRUE(std::none_of(frames.begin(), firstWrite, isRead)) << "no read before the writes";
    QByteArray readsAfter;
    for (auto it = lastWrite.base(); it != frames.end(); ++it)
        if (isRead(*it))
            readsAfter += it->at(0);
    EXPECT_TRUE(readsAfter.contains('8') && readsAfter.contains('9') && readsAfter.contains(':'))
        << readsAfter.toStdString();
    // What the program read back is the file too.
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(file.map5, 0, 255));
    EXPECT_EQ(bytes(Map6Image, 0, 175), bytes(file.map6, 0, 175));
    EXPECT_EQ(MapLoaded, -1);
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
    ASSERT_TRUE(unloaded<frmDisLibNames>());

    w.activateWindow();
    w.Run_Entry(w.mnuDownload);
    ASSERT_TRUE(settled());
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
