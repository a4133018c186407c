// No map replaced, deleted or cut without the user's word: saving over another
// file, renaming, a folder that takes no writes, the selection the buttons act
// on, and the names a header cannot keep. Driven off-line through the real
// windows with mouse and key events.

#include "LibraryTestSupport.h"
#include "WindowTestSupport.h"

#include "TypedSaveDialog.h"

#include "core/KeptImage.h"
#include "core/TableFiles.h"
#include "library/LibraryScan.h"
#include "platform/TextFile.h"
#include "tests/support/CaseNames.h"
#include "tests/support/FileSizeLimit.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

class KeepingMaps : public LibraryWindowTest {
protected:
    frmLibEdit& editor() {
        EXPECT_TRUE(FormInstance<frmLibEdit>::loaded());
        return FormInstance<frmLibEdit>::get();
    }
    void save(frmMain& w) {
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(w.txtEnter, Qt::Key_S, Qt::ControlModifier);
    }
    std::vector<Dialogs::ScriptedProvider::Record> messages() const {
        std::vector<Dialogs::ScriptedProvider::Record> m;
        for (const auto& r : dialogs.records())
            if (r.kind == QLatin1String("message"))
                m.push_back(r);
        return m;
    }
    // Types as type() does, also characters that no key of the test keyboard has.
    static void typeAny(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
    }
    void loadRow(frmMain& w, const QString& name) {
        frmLoadLib& lib = openLibrary(w);
        clickRow(lib, name);
        QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
        EXPECT_TRUE(Wait_Unloaded<frmLoadLib>());
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
};

} // namespace

// The dialog checks the name as typed ("Golf"); the file that would be replaced is
// "Golf.kvr", and only a question about that file in that save lets it go.
TEST_F(KeepingMaps, ANameTypedWithoutItsExtensionAsksBeforeReplacingThatFile) {
    writeTune(QStringLiteral("Golf.kvr"), 3);
    const QByteArray golf = folder.read(QStringLiteral("Golf.kvr"));
    frmMain& w = openWired();
    dialogs.file(folder.file(QStringLiteral("Golf")));
    save(w);
    QTest::mouseClick(editor().cmdUpdate, Qt::LeftButton); // Enter's answer: No
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("Golf.kvr")) << messages()[0].text;
    EXPECT_EQ(messages()[0].defaultButton, Dialogs::DefaultButton::Second);
    EXPECT_EQ(folder.read(QStringLiteral("Golf.kvr")), golf);

    // Save As onto it, the editor closed without saving: a later Save asks again.
    QTest::mouseClick(editor().cmdClose, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());
    dialogs.file(folder.file(QStringLiteral("Golf.kvr")));
    w.mnuSaveAS->trigger();
    QTest::mouseClick(editor().cmdClose, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());
    dialogs.clear();
    save(w);
    QTest::mouseClick(editor().cmdUpdate, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1u) << "the question of an earlier save does not count";
    EXPECT_EQ(folder.read(QStringLiteral("Golf.kvr")), golf);

    dialogs.answer(Dialogs::Answer::Yes);
    QTest::mouseClick(editor().cmdUpdate, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmLibEdit>());
    EXPECT_NE(folder.read(QStringLiteral("Golf.kvr")), golf) << "Yes replaces it";
}

// A hard link "golf.kvr" to "Golf.kvr" stands for a folder that ignores case: both
// names are one file, so the new name is a rename, never a replace.
TEST_F(KeepingMaps, ARenameThatChangesOnlyTheLetterCaseKeepsTheMap) {
    writeTune(QStringLiteral("Golf.kvr"), 7, QStringLiteral("Trabant"));
    const QByteArray old = folder.read(QStringLiteral("Golf.kvr"));
    ASSERT_EQ(::link(QFile::encodeName(folder.file("Golf.kvr")).constData(),
                     QFile::encodeName(folder.file("golf.kvr")).constData()),
              0);
    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("Golf.kvr"));
    QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    frmLibEdit& ed = editor();
    type(ed.txtFields[1], QStringLiteral("golf"));
    type(ed.txtFields[3], QStringLiteral("Lower"));
    dialogs.clear();
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.records().at(0).text.toStdString();
    EXPECT_TRUE(Wait_Unloaded<frmLibEdit>());
    EXPECT_FALSE(folder.exists(QStringLiteral("Golf.kvr")));
    ASSERT_TRUE(folder.exists(QStringLiteral("golf.kvr")));
    const QByteArray now = folder.read(QStringLiteral("golf.kvr"));
    EXPECT_EQ(now.mid(now.indexOf("MAPS:")), old.mid(old.indexOf("MAPS:")));
    EXPECT_TRUE(now.contains("\r\nMapid:Lower\r\n"));
    EXPECT_EQ(QDir(folder.path()).entryList({"*.kvr*"}, QDir::Files),
              QStringList{QStringLiteral("golf.kvr")})
        << "no temporary file is left";
}

// A full program folder (a file-size limit: even root cannot write past it)
// takes no file-information record: that is told once, and the library still
// loads, edits and deletes.
TEST_F(KeepingMaps, AFolderThatTakesNoWritesStillLoadsEditsAndDeletes) {
    const Image a = writeTune(QStringLiteral("a.kvr"), 1);
    writeTune(QStringLiteral("b.kvr"), 2, QStringLiteral("BMW"));
    frmMain& w = openWired();
    const FileSizeLimit full(16);
    ASSERT_TRUE(full.active());
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("a.kvr"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("KVR6FileInfo.cfg")) << messages()[0].text;
    EXPECT_TRUE(messages()[0].text.contains("could not be written")) << messages()[0].text;
    EXPECT_TRUE(lib.cmdMap->isEnabled());
    clickRow(lib, QStringLiteral("b.kvr"));
    EXPECT_EQ(messages().size(), 1u) << "told once";

    QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    EXPECT_EQ(editor().txtFields[2]->text(), QStringLiteral("BMW")) << "the clicked file's names";
    EXPECT_EQ(editor().txtFields[1]->text(), QStringLiteral("b.kvr"));
    QTest::mouseClick(editor().cmdClose, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());

    loadRow(w, QStringLiteral("a.kvr"));
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(a.map5, 0, 255));
    EXPECT_EQ(TuneFileName, QStringLiteral("a.kvr"));

    frmLoadLib& again = openLibrary(w);
    clickRow(again, QStringLiteral("b.kvr"));
    dialogs.answer(Dialogs::Answer::Yes);
    QTest::mouseClick(again.cmdDelete, Qt::LeftButton);
    EXPECT_FALSE(folder.exists(QStringLiteral("b.kvr"))) << "a map can be deleted to make room";
    EXPECT_EQ(listedNames(again), QStringList{QStringLiteral("a.kvr")});
}

// The buttons act on the highlighted row, wherever the keys moved it.
TEST_F(KeepingMaps, TheButtonsFollowTheRowTheArrowKeysHighlight) {
    writeTune(QStringLiteral("a.kvr"), 1);
    const Image b = writeTune(QStringLiteral("b.kvr"), 2, QStringLiteral("BMW"));
    writeTune(QStringLiteral("c.kvr"), 3);
    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("a.kvr"));
    QTest::keyClick(lib.ListView1, Qt::Key_Down);
    EXPECT_EQ(SelLibFile, QStringLiteral("b.kvr"));
    QTest::keyClick(lib.ListView1, Qt::Key_Down);
    QTest::keyClick(lib.ListView1, Qt::Key_Up);
    dialogs.answer(Dialogs::Answer::No);
    QTest::mouseClick(lib.cmdDelete, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("b.kvr")) << messages()[0].text;

    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    EXPECT_EQ(bytes(Map5Image, 0, 255), bytes(b.map5, 0, 255));
    EXPECT_EQ(TuneFileName, QStringLiteral("b.kvr"));
}

TEST_F(KeepingMaps, TheEditorWritesWhatItShowsAndSaveAsStartsFromTheCurrentMap) {
    writeTune(QStringLiteral("a.kvr"), 1, QStringLiteral("Audi"));
    writeTune(QStringLiteral("b.kvr"), 2, QStringLiteral("BMW"));
    frmMain& w = openWired();
    loadRow(w, QStringLiteral("a.kvr"));
    // Another file clicked, then deleted: the current map is still a.kvr's.
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("b.kvr"));
    dialogs.answer(Dialogs::Answer::Yes);
    QTest::mouseClick(lib.cmdDelete, Qt::LeftButton);
    QTest::mouseClick(lib.cmdCancel, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLoadLib>());

    dialogs.file(folder.file(QStringLiteral("Copy")));
    w.mnuSaveAS->trigger();
    frmLibEdit& ed = editor();
    EXPECT_EQ(ed.txtFields[2]->text(), QStringLiteral("Audi"));
    EXPECT_EQ(ed.txtFields[3]->text(), QStringLiteral("Seed 1"));
    EXPECT_EQ(ed.txtFields[6]->text(), QStringLiteral("1999"));
    EXPECT_EQ(ed.txtFields[1]->text(), QStringLiteral("Copy.kvr"));

    // A make picked, then the type list typed into: the pick is put back in the
    // type list, and the type field shows what the list shows.
    ed.comTxt2->setFocus();
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(ed.comTxt2, Qt::Key_Down);
    QTest::keyClicks(ed.comTxt5->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(ed.txtFields[5]->text(), ed.comTxt5->currentText());
    // A make typed into its field: the list shows it too.
    type(ed.txtFields[2], QStringLiteral("Skoda"));
    EXPECT_EQ(ed.comTxt2->currentText(), QStringLiteral("Skoda"));
    const QString shownType = ed.comTxt5->currentText();
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());
    const QStringList lines = TextFile::readLines(folder.file(QStringLiteral("Copy.kvr")));
    EXPECT_TRUE(lines.contains("Type:" + shownType)) << shownType;
    EXPECT_TRUE(lines.contains(QStringLiteral("Make:Skoda")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Mapid:Seed 1")));

    // The next Save As starts from the map as saved, with the map name it wrote.
    dialogs.file(folder.file(QStringLiteral("Third")));
    w.mnuSaveAS->trigger();
    EXPECT_EQ(editor().txtFields[2]->text(), QStringLiteral("Skoda"));
    EXPECT_EQ(editor().txtFields[3]->text(), QStringLiteral("Seed 1"));
}

// What a header cannot keep is refused with the field and the reason; the file
// and the library stay as they were.
TEST_F(KeepingMaps, NamesAHeaderCannotKeepAreRefusedInPlainWords) {
    struct Case {
        int field;
        QString typed;
        QString told;
    };
    const std::vector<Case> cases{
        {2, QStringLiteral("Caf") + QChar(0xE9) + QChar(0x20AC), QStringLiteral("cannot keep")},
        {3, QStringLiteral("Stage MAPS: 2"), QStringLiteral("line of its header")},
        {4, QStringLiteral("A4 Year:2001"), QStringLiteral("line of its header")},
        {1, QStringLiteral("Golf?"), QStringLiteral("FAT or Windows folder")},
        {1, QStringLiteral("A4: track"), QStringLiteral("FAT or Windows folder")},
        {1, QStringLiteral("Best <1>"), QStringLiteral("FAT or Windows folder")},
    };
    writeTune(QStringLiteral("a.kvr"), 1);
    const QByteArray a = folder.read(QStringLiteral("a.kvr"));
    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("a.kvr"));
    QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    frmLibEdit& ed = editor();
    for (const Case& c : cases) {
        const QString before = ed.txtFields[c.field]->text();
        typeAny(ed.txtFields[c.field], c.typed);
        dialogs.clear();
        QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
        ASSERT_EQ(messages().size(), 1u) << c.typed;
        EXPECT_TRUE(messages()[0].text.contains(c.told)) << messages()[0].text;
        EXPECT_TRUE(FormInstance<frmLibEdit>::loaded()) << c.typed;
        type(ed.txtFields[c.field], before);
    }
    EXPECT_EQ(folder.read(QStringLiteral("a.kvr")), a);
    EXPECT_EQ(QDir(folder.path()).entryList({"*.kvr"}, QDir::Files),
              QStringList{QStringLiteral("a.kvr")});
}

TEST_F(KeepingMaps, NamesTheProgramCannotKeepAreToldNotChangedSilently) {
    // A file name outside Latin-1 keeps its name through an Update without edits.
    const QString cafe = QStringLiteral("Caf") + QChar(0xE9) + QChar(0x20AC) + ".kvr";
    writeTune(QStringLiteral("x.kvr"), 4);
    ASSERT_TRUE(QFile::rename(folder.file("x.kvr"), folder.file(cafe)));
    // A file with no "E-mail:" line: its new names have nowhere to go.
    folder.writeLines(QStringLiteral("plain.kvr"),
                      QStringList{"Dscr: plain", "Make:Fiat", "MAPS:"} << fullRows(2) << "End");
    const QByteArray plain = folder.read(QStringLiteral("plain.kvr"));
    // A file whose name is no text at all.
    const int fd = ::open(QFile::encodeName(folder.path() + "/Bad").append("\xff.kvr").constData(),
                          O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);

    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    EXPECT_TRUE(lib.lblSkipped->isVisible());
    EXPECT_TRUE(lib.lblSkipped->text().contains("not valid text")) << lib.lblSkipped->text();
    clickRow(lib, cafe);
    QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    EXPECT_EQ(editor().txtFields[1]->text(), cafe);
    QTest::mouseClick(editor().cmdUpdate, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmLibEdit>());
    EXPECT_TRUE(folder.exists(cafe)) << "the file keeps its name";
    EXPECT_EQ(QDir(folder.path()).entryList({"*.kvr"}, QDir::Files).size(), 2);

    frmLoadLib& again = openLibrary(w);
    clickRow(again, QStringLiteral("plain.kvr"));
    QTest::mouseClick(again.cmdEdit, Qt::LeftButton);
    type(editor().txtFields[3], QStringLiteral("New name"));
    dialogs.clear();
    QTest::mouseClick(editor().cmdUpdate, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("were not written")) << messages()[0].text;
    EXPECT_TRUE(messages()[0].text.contains("E-mail:")) << messages()[0].text;
    EXPECT_EQ(folder.read(QStringLiteral("plain.kvr")), plain);
    QTest::mouseClick(editor().cmdClose, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());

    // A Save As pointed at another folder says where the map goes.
    w.activateWindow();
    dialogs.clear();
    dialogs.file(QStringLiteral("/media/stick/Road"));
    w.mnuSaveAS->trigger();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains(folder.path())) << messages()[0].text;
    EXPECT_TRUE(messages()[0].text.contains("/media/stick")) << messages()[0].text;
    EXPECT_TRUE(messages()[0].text.contains("Road.kvr")) << messages()[0].text;
}

namespace {

// A value of the dealer's record that a hand-written settings file gave, which
// no window checks and which the new file's header would carry.
struct RefusedSaveCase {
    const char* name;
    QString* value;
    QString spoilt;
    const char* reason; // the library's own words
};

class ASaveTheLibraryWouldRefuse : public KeepingMaps,
                                   public ::testing::WithParamInterface<RefusedSaveCase> {
protected:
    QString told(const QString& name, bool existed) const {
        return name +
               QStringLiteral(" was not written, since the library would refuse the file: \"") +
               QString::fromLatin1(GetParam().reason) +
               QStringLiteral("\". A file it refuses is not listed, loaded or restored. The "
                              "header of a new file carries the dealer's details, the names in "
                              "this window and your contact details; one of them holds what a "
                              "tune-map file cannot keep. Nothing was written: ") +
               (existed ? QStringLiteral("the file %1 is as it was; ").arg(name) : QString()) +
               QStringLiteral("the map, its changes and its file name are as they were.");
    }
};

} // namespace

// Save and Save As write only a file the library lists and loads whole: one its
// check would refuse is not written, the reason is told, the map's own file
// stays byte for byte and the map keeps its changes and its file name.
TEST_P(ASaveTheLibraryWouldRefuse, IsToldAndLeavesTheFileAndTheMapAsTheyWere) {
    writeTune(QStringLiteral("Golf.kvr"), 3);
    const QByteArray golf = folder.read(QStringLiteral("Golf.kvr"));
    frmMain& w = openWired();
    const QLabel& panel = *w.StatusPanel[1];
    loadRow(w, QStringLiteral("Golf.kvr"));
    ASSERT_EQ(TuneFileName, QStringLiteral("Golf.kvr"));
    click(w.Txt128[5]);
    enter(QStringLiteral("77"));
    ASSERT_TRUE(KeptImage::Has_Unkept_Edits());
    const QString mapId = MapId;
    *GetParam().value = GetParam().spoilt;

    // Save: the map's own file.
    dialogs.clear();
    save(w);
    frmLibEdit& ed = editor();
    type(ed.txtFields[3], QStringLiteral("Stage 2"));
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, QStringLiteral("Map Not Saved"));
    EXPECT_EQ(messages()[0].icon, Dialogs::Icon::Exclamation);
    EXPECT_EQ(messages()[0].text.toStdString(),
              told(QStringLiteral("Golf.kvr"), true).toStdString());
    EXPECT_EQ(folder.read(QStringLiteral("Golf.kvr")), golf);
    EXPECT_EQ(TuneFileName, QStringLiteral("Golf.kvr"));
    EXPECT_EQ(MapInfo.fileName, QStringLiteral("Golf.kvr"));
    EXPECT_EQ(MapId, mapId);
    EXPECT_TRUE(KeptImage::Has_Unkept_Edits()) << "the edit is still unsaved";
    EXPECT_TRUE(FormInstance<frmLibEdit>::loaded()) << "the editor stays for another try";
    QTest::mouseClick(ed.cmdClose, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());

    // Save As, the new name typed into the save dialog: no file is made and the
    // map's file name comes back.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    {
        TypedSaveDialog typing(QStringLiteral("Other"));
        w.mnuSaveAS->trigger();
        ASSERT_TRUE(typing.typed);
    }
    EXPECT_EQ(panel.text(), QStringLiteral("File Name : Other.kvr"));
    dialogs.clear();
    QTest::mouseClick(editor().cmdUpdate, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text.toStdString(),
              told(QStringLiteral("Other.kvr"), false).toStdString());
    EXPECT_FALSE(folder.exists(QStringLiteral("Other.kvr")));
    EXPECT_EQ(TuneFileName, QStringLiteral("Golf.kvr"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.text() == "File Name : Golf.kvr"; }, 3000))
        << panel.text().toStdString();
    EXPECT_TRUE(KeptImage::Has_Unkept_Edits());

    // The value mended, the same editor saves under the name in its File Name box.
    *GetParam().value = QStringLiteral("Mended");
    dialogs.clear();
    QTest::mouseClick(editor().cmdUpdate, Qt::LeftButton);
    EXPECT_TRUE(messages().empty()) << dialogs.texts().join('|').toStdString();
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());
    EXPECT_EQ(TuneFileName, QStringLiteral("Other.kvr"));
    EXPECT_EQ(TuneMap::Whole_Map_Problem(folder.file(QStringLiteral("Other.kvr"))), QString());
    EXPECT_FALSE(KeptImage::Has_Unkept_Edits());
    EXPECT_EQ(folder.read(QStringLiteral("Golf.kvr")), golf);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ASaveTheLibraryWouldRefuse,
    ::testing::Values(RefusedSaveCase{"a NUL in the dealer's name", &DealerCompany,
                                      QStringLiteral("Fast Lane") + QChar(0) +
                                          QStringLiteral("Motors"),
                                      "not a text file"},
                      RefusedSaveCase{"a header tag in the dealer's e-mail address", &DealerEmail,
                                      QStringLiteral("shop@fastlane.example MAPS:"),
                                      "line 10 is not a valid map line (1 line refused)"}),
    By_Case_Name());

// The library's Edit never turns a whole map into a file it refuses: a header
// grown past the largest tune-map file is not written, and the file stays.
TEST_F(KeepingMaps, AnEditThatWouldMakeAWholeMapTooLargeIsRefusedAndTheFileStays) {
    // A comment line before the header fills the file to a few bytes short of the
    // limit; the rewrite keeps it.
    QStringList rest{QStringLiteral("E-mail: x"), QStringLiteral("Mapid:Big"),
                     QStringLiteral("MAPS:")};
    rest << fullRows(9) << QStringLiteral("End of KVR6 Tune Map");
    const qsizetype restSize = TuneMap::File_Bytes(rest).size() + 2;
    QStringList lines{QString(TuneMap::LargestTuneMap - restSize - 8, 'c')};
    lines << rest;
    folder.writeLines(QStringLiteral("Big.kvr"), lines);
    const QByteArray big = folder.read(QStringLiteral("Big.kvr"));
    ASSERT_LE(big.size(), TuneMap::LargestTuneMap);
    ASSERT_EQ(TuneMap::Whole_Map_Problem(folder.file(QStringLiteral("Big.kvr"))), QString());

    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("Big.kvr"));
    QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    frmLibEdit& ed = editor();
    type(ed.txtFields[1], QStringLiteral("Bigger"));
    type(ed.txtFields[3], QStringLiteral("Stage 3"));
    dialogs.clear();
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, QStringLiteral("Map Not Saved"));
    EXPECT_EQ(messages()[0].text,
              QStringLiteral("Bigger.kvr was not written, since the library would refuse the "
                             "file: \"too large for a tune-map file\". A file it refuses is not "
                             "listed, loaded or restored. Nothing was written: the tune map "
                             "Big.kvr is as it was."));
    EXPECT_EQ(folder.read(QStringLiteral("Big.kvr")), big);
    EXPECT_FALSE(folder.exists(QStringLiteral("Bigger.kvr")));
    EXPECT_TRUE(FormInstance<frmLibEdit>::loaded());
}
