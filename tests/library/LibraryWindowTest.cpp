// The library window, the map-file editor and the names dialog driven through the
// main window's menus with real mouse and key events, off-line.

#include "WindowTestSupport.h"

#include "core/KeptImage.h"
#include "core/TableFiles.h"
#include "mainwin/MapCellText.h"
#include "platform/TextFile.h"
#include "tests/support/NoPermissionOverride.h"

TEST_F(LibraryWindowTest, SaveAsWithADialogFillsTheEditorAndWritesTheFile) {
    frmMain& w = openWired();
    ASSERT_TRUE(w.mnuSaveAS->isEnabled());
    dialogs.file(folder.file(QStringLiteral("Golf")));
    w.mnuSaveAS->trigger();
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ed));
    EXPECT_EQ(ed.cmdUpdate->text(), QStringLiteral("Save"));
    EXPECT_EQ(ed.txtFields[1]->text(), QStringLiteral("Golf.kvr"));
    EXPECT_EQ(w.StatusPanel[1]->text(), QStringLiteral("File Name : Golf.kvr"));
    EXPECT_EQ(dialogs.records().at(0).text, QStringLiteral("Zanfor KVR Files (*.KVR)|*.KVR"));

    // Make: the second entry of the list, picked by key; type: the first.
    ed.comTxt2->setFocus();
    QTest::keyClick(ed.comTxt2, Qt::Key_Down);
    QTest::keyClick(ed.comTxt2, Qt::Key_Down);
    QTest::keyClick(ed.comTxt5, Qt::Key_Down);
    EXPECT_EQ(ed.txtFields[2]->text(), MakeList[2]);
    EXPECT_EQ(ed.txtFields[5]->text(), TypeList[1]);
    type(ed.txtFields[4], QStringLiteral("A4"));
    type(ed.txtFields[6], QStringLiteral("1999"));
    type(ed.txtFields[3], QStringLiteral("Stage 1"));
    const ImageTable map6 = Map6Image;
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);

    EXPECT_TRUE(Wait_Unloaded<frmLibEdit>()) << "the editor unloads after saving";
    ASSERT_TRUE(folder.exists(QStringLiteral("Golf.kvr")));
    const QStringList lines = TextFile::readLines(folder.file(QStringLiteral("Golf.kvr")));
    ASSERT_EQ(lines.size(), 55);
    const QString description = MakeList[2] + "-A4-1999-" + TypeList[1] + "-Stage 1";
    EXPECT_EQ(lines[7], QStringLiteral("File name: Golf.kvr"));
    EXPECT_EQ(lines[9], "Dscr: " + description.leftJustified(64, ' '));
    EXPECT_EQ(lines[10], QStringLiteral("Mapid:Stage 1"));
    EXPECT_EQ(lines[11], "Make:" + MakeList[2]);
    EXPECT_EQ(TuneFileName, QStringLiteral("Golf.kvr"));
    EXPECT_EQ(MapId, description) << "the map name becomes the built description";
    EXPECT_EQ(Map6Image, map6);

    // The library lists it.
    frmLoadLib& lib = openLibrary(w);
    EXPECT_EQ(listedNames(lib), QStringList{QStringLiteral("Golf.kvr")});
    EXPECT_EQ(lib.Row_Of("Golf.kvr")->text(TuneMap::ColMapName), QStringLiteral("Stage 1"));
}

TEST_F(LibraryWindowTest, SaveWithACurrentFileAsksNoNameAndCancelledDialogStartsNothing) {
    frmMain& w = openWired();
    w.mnuSave->trigger(); // no current file: the dialog, cancelled
    EXPECT_EQ(dialogs.records().size(), 1u);
    EXPECT_FALSE(FormInstance<frmLibEdit>::loaded());
    EXPECT_EQ(dialogs.records()[0].text, QStringLiteral("Zanfor KVR6 Files (*.kvr)|*.kvr"));

    TuneFileName = QStringLiteral("Current.kvr");
    dialogs.clear();
    QTest::keyClick(w.txtEnter, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.records().empty()) << "no dialog with a current file";
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    EXPECT_EQ(SaveKind, 1);
    EXPECT_EQ(LibEditMode, 2);
    QTest::mouseClick(FormInstance<frmLibEdit>::get().cmdUpdate, Qt::LeftButton);
    EXPECT_TRUE(folder.exists(QStringLiteral("Current.kvr")));
}

TEST_F(LibraryWindowTest, ADialogNameOutsideTheProgramFolderIsReducedAndABadOneRefused) {
    frmMain& w = openWired();
    dialogs.file(QStringLiteral("/somewhere/else/Road.map"));
    w.mnuSaveAS->trigger();
    EXPECT_EQ(TuneFileName, QStringLiteral("Road.kvr"));
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    QTest::mouseClick(FormInstance<frmLibEdit>::get().cmdUpdate, Qt::LeftButton);
    EXPECT_TRUE(folder.exists(QStringLiteral("Road.kvr")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/somewhere/else/Road.map")));

    // A name typed into the editor that leaves the folder is refused, the editor stays.
    dialogs.file(folder.file(QStringLiteral("Second")));
    w.mnuSaveAS->trigger();
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    type(ed.txtFields[1], QStringLiteral("../Escape"));
    dialogs.clear();
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("File Name"));
    EXPECT_TRUE(FormInstance<frmLibEdit>::loaded());
    EXPECT_FALSE(QFileInfo::exists(folder.path() + "/../Escape.kvr"));
    EXPECT_FALSE(folder.exists(QStringLiteral("Second.kvr")));
}

TEST_F(LibraryWindowTest, SavingOverAnotherLibraryFileAsksFirst) {
    frmMain& w = openWired();
    folder.write(QStringLiteral("Other.kvr"), "another map\r\n");
    dialogs.file(folder.file(QStringLiteral("Mine")));
    w.mnuSaveAS->trigger();
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    type(ed.txtFields[1], QStringLiteral("Other"));
    dialogs.clear();
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton); // the default answer: No
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].defaultButton, Dialogs::DefaultButton::Second);
    EXPECT_TRUE(dialogs.records()[0].text.contains("Other.kvr"));
    EXPECT_EQ(folder.read(QStringLiteral("Other.kvr")), "another map\r\n");
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());

    dialogs.answer(Dialogs::Answer::Yes);
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    EXPECT_EQ(TextFile::readLines(folder.file(QStringLiteral("Other.kvr"))).size(), 55);
    EXPECT_TRUE(Wait_Unloaded<frmLibEdit>());
}

TEST_F(LibraryWindowTest, AWriteThatFailsIsToldAndTheEditorStaysOpen) {
    frmMain& w = openWired();
    dialogs.file(folder.file(QStringLiteral("Huge")));
    w.mnuSaveAS->trigger();
    Map5Image[40] = 999; // no byte: the file would not load again
    dialogs.clear();
    QTest::mouseClick(FormInstance<frmLibEdit>::get().cmdUpdate, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("There is a problem with SAVING !!"));
    EXPECT_TRUE(dialogs.records()[0].text.contains("page 1 address 40 holds 999"));
    EXPECT_FALSE(folder.exists(QStringLiteral("Huge.kvr")));
    EXPECT_TRUE(FormInstance<frmLibEdit>::loaded());
}

TEST_F(LibraryWindowTest, TheListShowsEveryFileSortsByAClickedColumnAndNotesABadOne) {
    writeTune(QStringLiteral("b.kvr"), 2, QStringLiteral("BMW"));
    writeTune(QStringLiteral("a.kvr"), 1, QStringLiteral("Volvo"));
    folder.writeLines(QStringLiteral("c.kvr"), {"E-mail: x", "Year:97", "MAPS:", "End"});
    folder.write(QStringLiteral("junk.kvr"), QByteArray("\0\0\0", 3));
    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    EXPECT_EQ(lib.windowTitle(),
              QStringLiteral("KVR6 - Load Saved Tune Maps   by Fast Lane Motors"));
    EXPECT_EQ(listedNames(lib), (QStringList{"a.kvr", "b.kvr", "c.kvr"}));
    EXPECT_TRUE(lib.lblSkipped->isVisible());
    EXPECT_TRUE(lib.lblSkipped->text().contains("junk.kvr"));
    EXPECT_EQ(lib.ListView1->headerItem()->text(5), QStringLiteral("KVR6 Description"));
    EXPECT_EQ(lib.ListView1->columnWidth(4), Design::px(3700));
    EXPECT_EQ(lib.Row_Of("c.kvr")->text(TuneMap::ColMake), QString()) << "no Make: line";

    clickHeader(lib, TuneMap::ColMake);
    EXPECT_EQ(listedNames(lib), (QStringList{"c.kvr", "b.kvr", "a.kvr"}));
    clickHeader(lib, TuneMap::ColMake);
    EXPECT_EQ(listedNames(lib), (QStringList{"c.kvr", "b.kvr", "a.kvr"})) << "no toggle";
    clickHeader(lib, TuneMap::ColYear);
    EXPECT_EQ(listedNames(lib), (QStringList{"a.kvr", "b.kvr", "c.kvr"})) << "97 after 1999";

    lib.grab().save(Screenshot_Path(QStringLiteral("library-list.png")));
}

TEST_F(LibraryWindowTest, ButtonsActOnlyOnASelectedRowAndDeleteRemovesThatRowsFile) {
    writeTune(QStringLiteral("a.kvr"), 1);
    writeTune(QStringLiteral("b.kvr"), 2);
    frmMain& w = openWired();
    // The file-information record names another file: Delete never takes it.
    LibRecord[0] = QStringLiteral("9");
    LibRecord[2] = QStringLiteral("a.kvr");
    WtsGeneral::Write_FileInfo_File();
    frmLoadLib& lib = openLibrary(w);
    for (QPushButton* b : {lib.cmdMap, lib.cmdEdit, lib.cmdDelete})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();

    clickRow(lib, QStringLiteral("b.kvr"));
    EXPECT_EQ(SelLibFile, QStringLiteral("b.kvr"));
    EXPECT_EQ(LibRecord[2], QStringLiteral("b.kvr"));
    EXPECT_EQ(LibRecord[4], QStringLiteral("Seed 2"));
    for (QPushButton* b : {lib.cmdMap, lib.cmdEdit, lib.cmdDelete})
        EXPECT_TRUE(b->isEnabled());

    QTest::mouseClick(lib.cmdDelete, Qt::LeftButton); // default: No
    EXPECT_TRUE(folder.exists(QStringLiteral("b.kvr")));
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].text,
              QStringLiteral("Are you sure you want to delete b.kvr from the computer."));
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Delete file from computer ?"));
    EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Exclamation);

    dialogs.answer(Dialogs::Answer::Yes);
    QTest::mouseClick(lib.cmdDelete, Qt::LeftButton);
    EXPECT_FALSE(folder.exists(QStringLiteral("b.kvr")));
    EXPECT_TRUE(folder.exists(QStringLiteral("a.kvr")));
    EXPECT_EQ(listedNames(lib), QStringList{QStringLiteral("a.kvr")});
    EXPECT_EQ(lib.LibSelRow, 0);
    for (QPushButton* b : {lib.cmdMap, lib.cmdEdit, lib.cmdDelete})
        EXPECT_FALSE(b->isEnabled()) << "the selection clears after a delete";
}

TEST_F(LibraryWindowTest, LoadingRedrawsTheShownTabAndOffLineTheBoxIsOffAndNothingIsSent) {
    const Image file = writeTune(QStringLiteral("a.kvr"), 5);
    frmMain& w = openWired();
    w.Select_Tab(2);
    ASSERT_EQ(MapTab, 2);
    frmLoadLib& lib = openLibrary(w);
    EXPECT_FALSE(lib.chkDownNOW->isChecked());
    EXPECT_FALSE(lib.chkDownNOW->isEnabled());
    EXPECT_EQ(lib.chkDownNOW->text(), QStringLiteral("Automatically Download files to KVR6"));
    MapDirty = -1;
    NoTuneFlag = 170;
    clickRow(lib, QStringLiteral("a.kvr"));
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);

    EXPECT_EQ(MapLoaded, -1);
    EXPECT_EQ(MapDirty, 0);
    EXPECT_EQ(NoTuneFlag, 170) << "a 70-character Dscr: line leaves the flag";
    EXPECT_EQ(bytes(Map6Image, 0, 175), bytes(file.map6, 0, 175));
    EXPECT_EQ(MapTab, 2) << "the tab shown stays";
    for (int n : {0, 17, 127})
        EXPECT_EQ(w.Txt128[n]->text(), MapCellText::Cell(2, n)) << "injection map shown " << n;
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0);
    EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), isWrite));
    EXPECT_EQ(TuneFileName, QStringLiteral("a.kvr"));
    EXPECT_EQ(MapInfo.fileName, QStringLiteral("a.kvr"));
    EXPECT_TRUE(Wait_Unloaded<frmLoadLib>()) << "the window unloads after a load";
}

TEST_F(LibraryWindowTest, AFileWithABadRowIsRefusedWithItsLineAndLoadsNothing) {
    writeTune(QStringLiteral("bad.kvr"), 5);
    QByteArray bytes = folder.read(QStringLiteral("bad.kvr"));
    const int at = bytes.indexOf("\r\n 3 2 ") + 2;
    bytes.replace(at + 5, 3, "256");
    folder.write(QStringLiteral("bad.kvr"), bytes);
    frmMain& w = openWired();
    const ImageTable map6 = Map6Image;
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("bad.kvr"));
    dialogs.clear();
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("bad.kvr")) << dialogs.records()[0].text;
    EXPECT_TRUE(dialogs.records()[0].text.contains("line 47")) << dialogs.records()[0].text;
    EXPECT_EQ(Map6Image, map6);
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0);
    EXPECT_TRUE(FormInstance<frmLoadLib>::loaded());
}

TEST_F(LibraryWindowTest, TheNoMapPromptsYesOpensTheLibrary) {
    frmMain& w = load();
    Library::Wire_Entries(w);
    w.show();
    ASSERT_EQ(MapLoaded, 0);
    dialogs.answer(Dialogs::Answer::Yes);
    w.Select_Tab(2);
    EXPECT_EQ(dialogs.records().at(0).title, QStringLiteral("There is no Tune Map Loaded !! "));
    EXPECT_TRUE(FormInstance<frmLoadLib>::loaded());
}

TEST_F(LibraryWindowTest, EditRenamesTheFileWithItsRowsByteForByte) {
    writeTune(QStringLiteral("Old.kvr"), 9, QStringLiteral("Trabant"));
    const QByteArray old = folder.read(QStringLiteral("Old.kvr"));
    frmMain& w = openWired();
    TuneFileName = QStringLiteral("Old.kvr");
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("Old.kvr"));
    QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    EXPECT_TRUE(Wait_Unloaded<frmLoadLib>()) << "the library gives way to the editor";
    EXPECT_EQ(ed.windowTitle(), QStringLiteral("KVR6 - Edit Map Files   by Fast Lane Motors"));
    EXPECT_EQ(ed.cmdUpdate->text(), QStringLiteral("&Update"));
    EXPECT_EQ(ed.txtFields[2]->text(), QStringLiteral("Trabant")) << "a make not in the list stays";
    EXPECT_EQ(ed.comTxt2->currentIndex(), -1);
    EXPECT_EQ(ed.txtFields[5]->text(), QStringLiteral("Car"));
    EXPECT_EQ(TypeList[ed.comTxt5->currentIndex() + 1], QStringLiteral("Car"));
    EXPECT_EQ(ed.txtFields[3]->text(), QStringLiteral("Seed 9"));
    ed.grab().save(Screenshot_Path(QStringLiteral("library-editor.png")));

    type(ed.txtFields[1], QStringLiteral("Renamed"));
    type(ed.txtFields[3], QStringLiteral("Road"));
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    EXPECT_EQ(SaveKind, 3);
    EXPECT_FALSE(folder.exists(QStringLiteral("Old.kvr")));
    ASSERT_TRUE(folder.exists(QStringLiteral("Renamed.kvr")));
    const QByteArray renamed = folder.read(QStringLiteral("Renamed.kvr"));
    auto rows = [](const QByteArray& b) { return b.mid(b.indexOf("MAPS:\r\n")); };
    EXPECT_EQ(rows(renamed), rows(old));
    EXPECT_TRUE(renamed.contains("File Name: Renamed.kvr\r\n"));
    EXPECT_TRUE(renamed.contains("\r\nMapid:Road\r\n"));
    EXPECT_TRUE(renamed.contains("Dscr: Trabant-A4-1999-Car-Road "));
    EXPECT_EQ(TuneFileName, QStringLiteral("Renamed.kvr")) << "the current file follows";
    EXPECT_TRUE(SelLibFile.isEmpty());
}

TEST_F(LibraryWindowTest, EditOfAnotherFileLeavesTheCurrentFileName) {
    writeTune(QStringLiteral("Other.kvr"), 3);
    frmMain& w = openWired();
    TuneFileName = QStringLiteral("Mine.kvr");
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("Other.kvr"));
    QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    QTest::mouseClick(FormInstance<frmLibEdit>::get().cmdUpdate, Qt::LeftButton);
    EXPECT_EQ(TuneFileName, QStringLiteral("Mine.kvr"))
        << "a later Save does not write the current map over the edited file";
    EXPECT_TRUE(folder.exists(QStringLiteral("Other.kvr")));
}

TEST_F(LibraryWindowTest, APickInOneListIsPutBackWhenTheOtherListIsTypedInto) {
    frmMain& w = openWired();
    dialogs.file(folder.file(QStringLiteral("Pick")));
    w.mnuSaveAS->trigger();
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    ed.comTxt2->setFocus();
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(ed.comTxt2, Qt::Key_Down);
    ASSERT_EQ(ed.ComboPick, 12);
    QTest::keyClicks(ed.comTxt5->lineEdit(), QStringLiteral("x"));
    EXPECT_EQ(ed.comTxt5->currentIndex(), 2);
    EXPECT_EQ(ed.comTxt5->currentText(), TypeList[3]);
}

TEST_F(LibraryWindowTest, TheNamesDialogStoresBothTextsAndKeepsTheNoTuneMark) {
    frmMain& w = openWired();
    MapDscr = QStringLiteral("Old description").leftJustified(63, ' ') + QChar(170);
    MapId = QStringLiteral("Old id");
    MapInfo.make = QStringLiteral("Audi  ");
    MapInfo.fileName = QStringLiteral("a.kvr");
    AdvBranding = 1;
    QTest::mouseClick(w.cmdViewM_Name, Qt::LeftButton);
    ASSERT_TRUE(FormInstance<frmDisLibNames>::loaded());
    frmDisLibNames& d = FormInstance<frmDisLibNames>::get();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("KVR6 - New Names   by Fast Lane Motors"));
    EXPECT_EQ(d.txtDesc->text(), QStringLiteral("Old description"));
    EXPECT_EQ(d.lblMake->text(), QStringLiteral("Audi"));
    EXPECT_EQ(d.lblFileName->text(), QStringLiteral("a.kvr"));
    EXPECT_FALSE(d.cmdApply->isEnabled());
    EXPECT_TRUE(d.Picture1->isVisible());
    d.grab().save(Screenshot_Path(QStringLiteral("library-names.png")));

    type(d.txtDesc, QString(70, 'd'));
    type(d.txtMapID, QStringLiteral("Hi"));
    EXPECT_TRUE(d.cmdApply->isEnabled());
    QTest::mouseClick(d.cmdApply, Qt::LeftButton);
    EXPECT_EQ(MapDscr, QString(63, 'd') + QChar(170));
    EXPECT_EQ(MapId, QStringLiteral("Hi").leftJustified(63, ' '));
    EXPECT_FALSE(d.cmdApply->isEnabled());

    // An empty description keeps the mark at the 64th place.
    type(d.txtDesc, QString());
    QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
    EXPECT_EQ(MapDscr, QString(63, 'd') + QChar(170)) << "Cancel keeps the applied values";
    w.Run_Entry(w.mnuChangeNames);
    frmDisLibNames& again = FormInstance<frmDisLibNames>::get();
    type(again.txtDesc, QString());
    QTest::mouseClick(again.cmdOK, Qt::LeftButton);
    EXPECT_EQ(MapDscr, QString(63, ' ') + QChar(170));
    EXPECT_TRUE(Wait_Unloaded<frmDisLibNames>());
}

TEST_F(LibraryWindowTest, ADialogUnloadsWhenTheUserGoesToAnotherWindow) {
    frmMain& w = openWired();
    w.Run_Entry(w.mnuChangeNames);
    frmDisLibNames& d = FormInstance<frmDisLibNames>::get();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(Wait_Unloaded<frmDisLibNames>());
}

TEST_F(LibraryWindowTest, RenamingOntoAnotherLibraryFileAsksFirst) {
    writeTune(QStringLiteral("Old.kvr"), 4);
    writeTune(QStringLiteral("Taken.kvr"), 6);
    const QByteArray old = folder.read(QStringLiteral("Old.kvr"));
    const QByteArray taken = folder.read(QStringLiteral("Taken.kvr"));
    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("Old.kvr"));
    QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    type(ed.txtFields[1], QStringLiteral("Taken"));
    dialogs.clear();
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton); // the default answer: No
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("Taken.kvr"));
    EXPECT_EQ(folder.read(QStringLiteral("Old.kvr")), old);
    EXPECT_EQ(folder.read(QStringLiteral("Taken.kvr")), taken);
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());

    dialogs.answer(Dialogs::Answer::Yes);
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    EXPECT_FALSE(folder.exists(QStringLiteral("Old.kvr")));
    const QByteArray now = folder.read(QStringLiteral("Taken.kvr"));
    EXPECT_EQ(now.mid(now.indexOf("MAPS:")), old.mid(old.indexOf("MAPS:")));
}

TEST_F(LibraryWindowTest, ARewriteOfAFileWithNoMapsLineLeavesItAndSaysSo) {
    const QByteArray cut = "Dealer\r\nE-mail: x\r\nDscr: cut\r\n 0 1   1   1   1   1   1   1   1"
                           "   1   1   1   1   1   1   1   1 \r\nEnd\r\n";
    folder.write(QStringLiteral("Cut.kvr"), cut);
    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("Cut.kvr"));
    QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    type(ed.txtFields[1], QStringLiteral("Renamed"));
    dialogs.clear();
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("MAPS:")) << dialogs.records()[0].text;
    EXPECT_EQ(folder.read(QStringLiteral("Cut.kvr")), cut);
    EXPECT_FALSE(folder.exists(QStringLiteral("Renamed.kvr")));
}

TEST_F(LibraryWindowTest, ADeleteThatFailsIsToldAndTheListFollowsTheFolder) {
    writeTune(QStringLiteral("a.kvr"), 1);
    writeTune(QStringLiteral("b.kvr"), 2);
    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("a.kvr"));
    QFile::remove(folder.file(QStringLiteral("a.kvr"))); // gone behind the window's back
    dialogs.answer(Dialogs::Answer::Yes);
    QTest::mouseClick(lib.cmdDelete, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_TRUE(dialogs.records()[1].text.contains("could not be deleted"));
    EXPECT_EQ(listedNames(lib), QStringList{QStringLiteral("b.kvr")});
    EXPECT_TRUE(folder.exists(QStringLiteral("b.kvr")));
}

TEST_F(LibraryWindowTest, LookingThroughTheLibraryLeavesTheCurrentMapsNames) {
    writeTune(QStringLiteral("a.kvr"), 1);
    frmMain& w = openWired();
    MapDscr = QStringLiteral("Current description").leftJustified(63, ' ') + QChar(255);
    MapId = QStringLiteral("Current id");
    frmLoadLib& lib = openLibrary(w);
    EXPECT_EQ(lib.lblLibName->text(), MapDscr);
    clickRow(lib, QStringLiteral("a.kvr"));
    QTest::mouseClick(lib.cmdCancel, Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmLoadLib>());
    EXPECT_EQ(MapDscr, QStringLiteral("Current description").leftJustified(63, ' ') + QChar(255));
    EXPECT_EQ(MapId, QStringLiteral("Current id"));
    EXPECT_EQ(SelLibFile, QStringLiteral("a.kvr")) << "the click is still remembered";
}

// A later play-back asks before replacing edits only when nothing keeps them: a
// map loaded whole from the library is kept, an edit is not, and saving keeps it.
TEST_F(LibraryWindowTest, LoadingAndSavingATuneMapKeepTheImageAndAnEditDoesNot) {
    writeTune(QStringLiteral("a.kvr"), 5);
    frmMain& w = openWired();
    click(w.Txt128[5]);
    enter(QStringLiteral("77"));
    ASSERT_TRUE(KeptImage::Has_Unkept_Edits()) << "an edit of the default map";

    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("a.kvr"));
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLoadLib>());
    EXPECT_FALSE(KeptImage::Has_Unkept_Edits()) << "the loaded map replaced the edit";

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    click(w.Txt128[5]);
    enter(QStringLiteral("77"));
    EXPECT_TRUE(KeptImage::Has_Unkept_Edits()) << "an edit of the loaded map";

    QTest::keyClick(w.txtEnter, Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    QTest::mouseClick(FormInstance<frmLibEdit>::get().cmdUpdate, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());
    EXPECT_FALSE(KeptImage::Has_Unkept_Edits()) << "the file now holds the edit";
}

// The editor's lists and record that cannot be read are told, and the editor
// opens all the same.
TEST_F(LibraryWindowTest, EditWithListsThatCannotBeReadTellsThemAndOpensTheEditor) {
    writeTune(QStringLiteral("Old.kvr"), 9, QStringLiteral("Trabant"));
    frmMain& w = openWired();
    frmLoadLib& lib = openLibrary(w);
    clickRow(lib, QStringLiteral("Old.kvr"));
    QFile makes(folder.file(QStringLiteral("KVR6Make.cfg")));
    ASSERT_TRUE(makes.setPermissions(QFile::WriteOwner));
    QFile::remove(folder.file(QStringLiteral("KVR6Type.cfg")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("KVR6Type.cfg")));
    dialogs.clear();
    {
        NoPermissionOverride asAnyUser;
        ASSERT_TRUE(asAnyUser.active());
        QTest::mouseClick(lib.cmdEdit, Qt::LeftButton);
    }
    makes.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    EXPECT_EQ(ed.txtFields[2]->text(), QStringLiteral("Trabant"));
    const QStringList told = dialogs.texts();
    ASSERT_EQ(told.size(), 2) << told.join('|').toStdString();
    EXPECT_TRUE(told[0].startsWith(QStringLiteral("The list of makes KVR6Make.cfg could not be "
                                                  "read (Permission denied")))
        << told[0].toStdString();
    EXPECT_TRUE(told[0].endsWith(QStringLiteral("The list of makes is empty; type the make.")));
    EXPECT_TRUE(told[1].startsWith(QStringLiteral("The list of types KVR6Type.cfg could not be "
                                                  "read (Not a regular file")))
        << told[1].toStdString();
}

TEST_F(LibraryWindowTest, AListedFileThatCannotBeReadIsToldAndCanStillBeDeleted) {
    writeTune(QStringLiteral("a.kvr"), 1);
    writeTune(QStringLiteral("b.kvr"), 2);
    frmMain& w = openWired();
    const ImageTable map6 = Map6Image;
    frmLoadLib& lib = openLibrary(w);
    QFile a(folder.file(QStringLiteral("a.kvr")));
    const auto unreadable = [&](const auto& step) {
        ASSERT_TRUE(a.setPermissions(QFile::WriteOwner));
        {
            NoPermissionOverride asAnyUser;
            ASSERT_TRUE(asAnyUser.active());
            step();
        }
        a.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    };

    // Unreadable once listed: the row click tells it and leaves only Delete.
    dialogs.clear();
    unreadable([&] { clickRow(lib, QStringLiteral("a.kvr")); });
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Tune Map Library"));
    EXPECT_TRUE(dialogs.records()[0].text.startsWith(
        QStringLiteral("The tune map a.kvr could not be read (")))
        << dialogs.records()[0].text;
    EXPECT_TRUE(dialogs.records()[0].text.endsWith(
        QStringLiteral("). It can be deleted, but not loaded or edited.")))
        << dialogs.records()[0].text;
    EXPECT_FALSE(lib.cmdMap->isEnabled());
    EXPECT_FALSE(lib.cmdEdit->isEnabled());
    EXPECT_TRUE(lib.cmdDelete->isEnabled());

    // Unreadable between the row click and Load: told, and nothing loaded.
    clickRow(lib, QStringLiteral("b.kvr"));
    clickRow(lib, QStringLiteral("a.kvr"));
    ASSERT_TRUE(lib.cmdMap->isEnabled());
    dialogs.clear();
    unreadable([&] { QTest::mouseClick(lib.cmdMap, Qt::LeftButton); });
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.startsWith(
        QStringLiteral("The tune map a.kvr could not be read (")))
        << dialogs.records()[0].text;
    EXPECT_TRUE(dialogs.records()[0].text.endsWith(
        QStringLiteral("). The map and the unit are unchanged.")))
        << dialogs.records()[0].text;
    EXPECT_EQ(Map6Image, map6);
    EXPECT_NE(TuneFileName, QStringLiteral("a.kvr"));
    EXPECT_TRUE(FormInstance<frmLoadLib>::loaded());

    // Still deleted when asked.
    dialogs.clear();
    dialogs.answer(Dialogs::Answer::Yes);
    unreadable([&] { QTest::mouseClick(lib.cmdDelete, Qt::LeftButton); });
    EXPECT_EQ(dialogs.records().size(), 1u) << "the question only";
    EXPECT_FALSE(folder.exists(QStringLiteral("a.kvr")));
    EXPECT_EQ(listedNames(lib), QStringList{QStringLiteral("b.kvr")});
}
