// The contact window and its CSV export, opened from the main window's File menu
// and driven with real key and mouse events, off-line.

#include "tests/library/WindowTestSupport.h"

#include "contact/ContactState.h"
#include "contact/Entries.h"
#include "contact/frmContact.h"
#include "core/KeptImage.h"
#include "core/TableFiles.h"
#include "library/LibraryScan.h"
#include "platform/TextFile.h"
#include "tests/library/TypedSaveDialog.h"
#include "tests/support/CaseNames.h"
#include "tests/support/NoPermissionOverride.h"

#include <QFile>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QTimer>

namespace {

class ContactWindowTest : public LibraryWindowTest {
protected:
    void wireEntries(frmMain& w) override {
        LibraryWindowTest::wireEntries(w);
        Contact::Wire_Entries(w);
    }
    frmContact& openContact(frmMain& w) {
        EXPECT_TRUE(w.mnuContact->isEnabled());
        w.mnuContact->trigger();
        EXPECT_TRUE(FormInstance<frmContact>::loaded());
        frmContact& c = FormInstance<frmContact>::get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&c));
        return c;
    }
    void writeContact(const QStringList& fields) {
        folder.writeLines(QStringLiteral("KVR6Contact.cfg"),
                          {"KVR6 Contact Details", "", "Display IN:", "," + fields.join(',') + ",",
                           "END Contact:"});
    }
    static void tick(frmContact& c, int row) {
        QListWidgetItem* item = c.LstLib->item(row);
        ASSERT_NE(item, nullptr);
        // A click on the item's tick box.
        const QRect r = c.LstLib->visualItemRect(item);
        QTest::mouseClick(c.LstLib->viewport(), Qt::LeftButton, {},
                          QPoint(r.left() + r.height() / 2, r.center().y()));
    }
    // Types over the box's text as an input method commits it: letters beyond
    // Latin-1 ("Ł") come that way from a keyboard layout.
    static void compose(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(box, &event);
    }
    static QStringList ticks(const frmContact& c) {
        QStringList out;
        for (int i = 0; i < c.LstLib->count(); ++i)
            out << (c.LstLib->item(i)->checkState() == Qt::Checked ? "x" : "-");
        return out;
    }
    // Makes the folder read-only while `work` runs, and the test held to it as
    // any user is, also when the suite runs as root.
    template <class F> void readOnly(const QString& path, F&& work) {
        QFile dir(path);
        const auto writable = dir.permissions();
        ASSERT_TRUE(dir.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        {
            NoPermissionOverride asAnyUser;
            ASSERT_TRUE(asAnyUser.active());
            work();
        }
        dir.setPermissions(writable);
    }
};

} // namespace

TEST_F(ContactWindowTest, OpeningListsTheLibraryAndLeavesTheCurrentMapAlone) {
    writeTune(QStringLiteral("a.kvr"), 1, QStringLiteral("Audi"));
    writeTune(QStringLiteral("b.kvr"), 2, QStringLiteral("BMW"));
    folder.writeLines(QStringLiteral("c.kvr"), {"Dscr: Just a description", "Mapid:", "End"});
    folder.write(QStringLiteral("junk.kvr"), QByteArray("\0\0", 2));
    writeContact({"Jo", "Soap", "", "", "jo@soap.example", "", "", "", "", "", ""});
    frmMain& w = openWired();
    MapId = QStringLiteral("Current map");
    MapDscr = QStringLiteral(" Current description");
    const ImageTable param = ParamBlock, map5 = Map5Image, map6 = Map6Image;

    frmContact& c = openContact(w);
    EXPECT_EQ(LibEditMode, 0);
    EXPECT_EQ(c.windowTitle(),
              QStringLiteral("KVR6 - Contact and Export List   by Fast Lane Motors"));
    ASSERT_EQ(c.LstLib->count(), 3);
    EXPECT_EQ(c.LstLib->item(0)->text(), "Audi-A4-1999-Car-Seed 1 << a.kvr >>");
    EXPECT_EQ(c.LstLib->item(1)->text(), "BMW-A4-1999-Car-Seed 2 << b.kvr >>");
    EXPECT_EQ(c.LstLib->item(2)->text(), " Just a description << c.kvr >>");
    EXPECT_EQ(ticks(c), (QStringList{"-", "-", "-"}));
    EXPECT_TRUE(c.lblSkipped->isVisible());
    EXPECT_TRUE(c.lblSkipped->text().contains("junk.kvr"));
    EXPECT_FALSE(c.cmdExport->isEnabled());
    EXPECT_EQ(MapId, QStringLiteral("Current map")) << "the scan leaves the current map's name";
    EXPECT_EQ(MapDscr, QStringLiteral(" Current description"));
    EXPECT_EQ(ParamBlock, param);
    EXPECT_EQ(Map5Image, map5);
    EXPECT_EQ(Map6Image, map6);

    // The record fills the boxes; an empty field holds one blank; a stored name
    // and surname are locked, the rest stay editable.
    EXPECT_EQ(c.txtFields[0]->text(), "Jo");
    EXPECT_EQ(c.txtFields[2]->text(), " ");
    EXPECT_FALSE(c.txtFields[0]->isEnabled());
    EXPECT_FALSE(c.txtFields[1]->isEnabled());
    EXPECT_TRUE(c.txtFields[2]->isEnabled());
    for (QLabel* l : {c.lblUpdate, c.lblExport, c.lblFileCap, c.lblFileName})
        EXPECT_FALSE(l->isVisible()) << l->objectName().toStdString();

    // Ticking and unticking by keys and mouse follows the rows and enables the export.
    tick(c, 1);
    EXPECT_EQ(ticks(c), (QStringList{"-", "x", "-"}));
    EXPECT_TRUE(Contact::ExportList[1].ticked);
    EXPECT_TRUE(c.cmdExport->isEnabled());
    c.LstLib->setFocus();
    c.LstLib->setCurrentRow(2);
    QTest::keyClick(c.LstLib, Qt::Key_Space);
    EXPECT_EQ(ticks(c), (QStringList{"-", "x", "x"}));
    QTest::keyClick(c.LstLib, Qt::Key_Space);
    EXPECT_FALSE(Contact::ExportList[2].ticked);

    c.grab().save(Screenshot_Path(QStringLiteral("contact-window.png")));

    // Another window taking the focus unloads it.
    w.activateWindow();
    EXPECT_TRUE(Wait_Unloaded<frmContact>());
    EXPECT_EQ(MapId, QStringLiteral("Current map"));
}

TEST_F(ContactWindowTest, UpdateChecksTheRequiredFieldsInOrderAndStoresOnlyAWholeRecord) {
    frmMain& w = openWired();
    frmContact& c = openContact(w);
    // No contact file: every box but the placeholders is a blank, all editable.
    EXPECT_EQ(c.txtFields[0]->text(), " ");
    EXPECT_TRUE(c.txtFields[0]->isEnabled());

    struct Step {
        int box;
        const char* typed;
        const char* title;
        int focus;
    };
    const std::array<Step, 3> steps{{{0, "   ", "No Name!!", 0},
                                     {0, "Jo", "No Surname!!", 1},
                                     {1, "Soap", "No Email Address!!", 4}}};
    for (const Step& s : steps) {
        type(c.txtFields[s.box], QString::fromLatin1(s.typed));
        dialogs.clear();
        QTest::mouseClick(c.cmdUpdate, Qt::LeftButton);
        ASSERT_EQ(dialogs.records().size(), 1u) << s.title;
        EXPECT_EQ(dialogs.records()[0].title, QString::fromLatin1(s.title));
        EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Exclamation);
        EXPECT_TRUE(c.txtFields[s.focus]->hasFocus()) << s.title;
        EXPECT_FALSE(folder.exists(QStringLiteral("KVR6Contact.cfg"))) << s.title;
        EXPECT_FALSE(c.lblUpdate->isVisible());
    }
    EXPECT_EQ(dialogs.records()[0].text,
              QStringLiteral("Your email address is required in the Email address field"));

    type(c.txtFields[4], QStringLiteral("jo@soap.example"));
    type(c.txtFields[7], QStringLiteral("1 Main Road"));
    dialogs.clear();
    c.cmdUpdate->setFocus();
    QTest::keyClick(c.cmdUpdate, Qt::Key_Space);
    EXPECT_TRUE(dialogs.records().empty());
    EXPECT_TRUE(c.lblUpdate->isVisible());
    EXPECT_EQ(c.lblUpdate->text(), QStringLiteral("Update Successful"));
    EXPECT_EQ(TextFile::readLines(folder.file(QStringLiteral("KVR6Contact.cfg")))[3],
              QStringLiteral(",Jo,Soap, , ,jo@soap.example, , ,1 Main Road, , , ,"));
    // The notice goes with the window's next two-second tick.
    EXPECT_TRUE(c.Timer1->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&c] { return !c.lblUpdate->isVisible(); }, 10000));

    // At the next opening the stored name and surname are locked.
    FormInstance<frmContact>::unload();
    frmContact& again = openContact(w);
    EXPECT_FALSE(again.txtFields[0]->isEnabled());
    EXPECT_FALSE(again.txtFields[1]->isEnabled());
    EXPECT_EQ(again.txtFields[7]->text(), QStringLiteral("1 Main Road"));
}

TEST_F(ContactWindowTest, AContactFileThatCannotBeWrittenIsToldAndNoSuccessShown) {
    writeContact({"Jo", "Soap", "", "", "old@soap.example", "", "", "", "", "", ""});
    frmMain& w = openWired();
    frmContact& c = openContact(w);
    type(c.txtFields[4], QStringLiteral("new@soap.example"));
    dialogs.clear();
    readOnly(folder.path(), [&] { QTest::mouseClick(c.cmdUpdate, Qt::LeftButton); });
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.startsWith(
        QStringLiteral("The contact file KVR6Contact.cfg could not be saved (")))
        << dialogs.records()[0].text.toStdString();
    EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("not stored")));
    EXPECT_FALSE(c.lblUpdate->isVisible());
    EXPECT_FALSE(c.Timer1->isActive());
    EXPECT_TRUE(TextFile::readLines(folder.file(QStringLiteral("KVR6Contact.cfg")))[3].contains(
        QStringLiteral("old@soap.example")));
    EXPECT_TRUE(FormInstance<frmContact>::loaded()) << "the message box does not close it";
}

TEST_F(ContactWindowTest, ExportCancelledOrFailingIsToldAndNoSuccessShown) {
    writeTune(QStringLiteral("a.kvr"), 1);
    frmMain& w = openWired();
    frmContact& c = openContact(w);
    tick(c, 0);
    ASSERT_TRUE(c.cmdExport->isEnabled());

    // Cancelled.
    dialogs.clear();
    QTest::mouseClick(c.cmdExport, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_EQ(dialogs.records()[0].kind, QStringLiteral("save"));
    EXPECT_EQ(dialogs.records()[0].text, QStringLiteral("KVR6 Export File(*.CSV)|*.CSV"));
    EXPECT_EQ(dialogs.records()[1].title, QStringLiteral("Aborted Save"));
    EXPECT_EQ(dialogs.records()[1].text,
              QStringLiteral("You aborted the Saving of the Export (CSV) file."));
    EXPECT_TRUE(c.cmdExport->isEnabled());
    EXPECT_FALSE(c.lblExport->isVisible());

    // A folder without write permission: told, no file, no success.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("locked")));
    dialogs.clear();
    dialogs.file(folder.file(QStringLiteral("locked/maps")));
    readOnly(folder.file(QStringLiteral("locked")),
             [&] { QTest::mouseClick(c.cmdExport, Qt::LeftButton); });
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_TRUE(dialogs.records()[1].text.startsWith(
        QStringLiteral("The export file maps.CSV could not be written (")))
        << dialogs.records()[1].text.toStdString();
    EXPECT_TRUE(QDir(folder.file(QStringLiteral("locked"))).isEmpty());
    EXPECT_TRUE(c.cmdExport->isEnabled()) << "the user can export again";
    for (QLabel* l : {c.lblExport, c.lblFileCap, c.lblFileName})
        EXPECT_FALSE(l->isVisible()) << l->objectName().toStdString();
}

// The whole road: the record filled and stored, two maps ticked and exported,
// the file read back; then a tune map saved carries the owner in its header.
TEST_F(ContactWindowTest, FillUpdateTickExportThenSaveCarriesTheOwner) {
    writeTune(QStringLiteral("a.kvr"), 1, QStringLiteral("Audi"));
    writeTune(QStringLiteral("b.kvr"), 2, QStringLiteral("BMW"));
    writeTune(QStringLiteral("c.kvr"), 3, QStringLiteral("Opel"));
    frmMain& w = openWired();
    frmContact& c = openContact(w);
    const QStringList typed{"Jo",
                            "Soap",
                            "Soap, Tuning",
                            "082 555 0199",
                            "jo@soap.example",
                            "www.soap.example",
                            "Tuner",
                            "1 Main Road",
                            "Gauteng",
                            "South Africa",
                            "ZA"};
    for (int k = 0; k < 11; ++k)
        type(c.txtFields[k], typed[k]);
    QTest::mouseClick(c.cmdUpdate, Qt::LeftButton);
    ASSERT_TRUE(c.lblUpdate->isVisible());
    EXPECT_EQ(c.txtFields[2]->text(), QStringLiteral("Soap- Tuning"))
        << "the box shows what the contact file keeps";
    type(c.txtFields[2], QStringLiteral("Soap, Tuning")); // typed again, not stored

    tick(c, 0);
    tick(c, 2);
    dialogs.clear();
    dialogs.file(folder.file(QStringLiteral("my maps")));
    c.cmdExport->setFocus();
    QTest::keyClick(c.cmdExport, Qt::Key_Space);
    ASSERT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('|').toStdString();
    ASSERT_TRUE(folder.exists(QStringLiteral("my maps.CSV")));
    EXPECT_EQ(c.CsvFileName, folder.file(QStringLiteral("my maps.CSV")));
    EXPECT_TRUE(c.lblExport->isVisible());
    EXPECT_TRUE(c.lblFileCap->isVisible());
    EXPECT_EQ(c.lblFileName->text(), folder.file(QStringLiteral("my maps.CSV")));
    EXPECT_FALSE(c.cmdExport->isEnabled());
    EXPECT_EQ(c.txtFields[2]->text(), QStringLiteral("Soap- Tuning")) << "the comma, as written";

    const QStringList lines = TextFile::readLines(folder.file(QStringLiteral("my maps.CSV")));
    ASSERT_EQ(lines.size(), 2);
    const QString contact = QStringLiteral(
        "2,  Jo, Soap, Soap- Tuning, 082 555 0199, jo@soap.example, www.soap.example, Tuner, "
        "1 Main Road, Gauteng, South Africa, ZA, ");
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral(" Audi, A4, 1999, Car, Seed 1,  Audi-A4-")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(", a.kvr, ") + contact)) << lines[0];
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral(" Opel, A4, 1999, Car, Seed 3, ")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(", c.kvr, ") + contact)) << lines[1];
    c.grab().save(Screenshot_Path(QStringLiteral("contact-exported.png")));

    // Save As a tune map: its "Owner:" lines carry the stored record.
    w.activateWindow();
    ASSERT_TRUE(Wait_Unloaded<frmContact>());
    ContactFields = {}; // what the file holds counts, not what was left in memory
    dialogs.file(folder.file(QStringLiteral("Golf")));
    w.mnuSaveAS->trigger();
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    EXPECT_EQ(ed.txtFields[7]->text(), QStringLiteral("Jo"));
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    const QStringList golf = TextFile::readLines(folder.file(QStringLiteral("Golf.kvr")));
    ASSERT_EQ(golf.size(), 55);
    EXPECT_EQ(golf[15], QStringLiteral("Owner:Jo Soap"));
    EXPECT_EQ(golf[16], QStringLiteral("Owner Email:jo@soap.example"));
}

TEST_F(ContactWindowTest, TickingAndUntickingExportsTheOneEmptyLine) {
    writeTune(QStringLiteral("a.kvr"), 1);
    writeContact({"Jo", "Soap", "", "", "jo@soap.example", "", "", "", "", "", ""});
    frmMain& w = openWired();
    frmContact& c = openContact(w);
    tick(c, 0);
    tick(c, 0);
    ASSERT_TRUE(c.cmdExport->isEnabled());
    dialogs.file(folder.file(QStringLiteral("none.csv")));
    QTest::mouseClick(c.cmdExport, Qt::LeftButton);
    EXPECT_EQ(folder.read(QStringLiteral("none.csv")),
              QByteArray(" , , , , , , , , , 2,  Jo, Soap,  ,  , jo@soap.example,  ,  ,  ,  ,  "
                         ",  , \r\n"));
}

// A contact value goes into the header of every map saved later: one the
// header would read as a tag of its own, or a character a tune-map file cannot
// keep, is refused with the reason, and the maps saved next list as before.
TEST_F(ContactWindowTest, AValueAMapHeaderCannotKeepIsRefusedAndLaterMapsListAsBefore) {
    writeContact({"", "Soap", "", "", "jo@soap.example", "", "", "", "", "", ""});
    frmMain& w = openWired();
    frmContact& c = openContact(w);
    const QByteArray stored = folder.read(QStringLiteral("KVR6Contact.cfg"));
    struct Case {
        int box;
        QString typed;
        QString told;
    };
    const std::vector<Case> cases{
        {0, QStringLiteral("Make:Ford"),
         QStringLiteral("The Name \"Make:Ford\" holds \"Make:\", which a tune-map file would "
                        "read as a line of its header. Your contact details were not stored.")},
        {4, QStringLiteral("jo@soap.example Dscr: fast"),
         QStringLiteral("The Email Address \"jo@soap.example Dscr: fast\" holds \"Dscr:\", which "
                        "a tune-map file would read as a line of its header. Your contact "
                        "details were not stored.")},
        {0, QStringLiteral("Łukasz"),
         QStringLiteral("The Name \"Łukasz\" holds the character Ł, which a tune-map file cannot "
                        "keep. Your contact details were not stored.")},
    };
    for (const Case& k : cases) {
        const bool latin1 = std::all_of(k.typed.begin(), k.typed.end(),
                                        [](QChar ch) { return ch.unicode() < 256; });
        if (latin1)
            type(c.txtFields[k.box], k.typed);
        else
            compose(c.txtFields[k.box], k.typed);
        dialogs.clear();
        QTest::mouseClick(c.cmdUpdate, Qt::LeftButton);
        ASSERT_EQ(dialogs.records().size(), 1u) << k.typed.toStdString();
        EXPECT_EQ(dialogs.records()[0].text, k.told);
        EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Exclamation);
        EXPECT_TRUE(c.txtFields[k.box]->hasFocus()) << k.typed.toStdString();
        EXPECT_EQ(folder.read(QStringLiteral("KVR6Contact.cfg")), stored);
        EXPECT_FALSE(c.lblUpdate->isVisible());
        type(c.txtFields[k.box],
             k.box == 0 ? QStringLiteral("Jo") : QStringLiteral("jo@soap.example"));
    }

    // A comma becomes "-" when stored, as the export writes it.
    type(c.txtFields[2], QStringLiteral("Soap, Tuning"));
    dialogs.clear();
    QTest::mouseClick(c.cmdUpdate, Qt::LeftButton);
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('|').toStdString();
    ASSERT_TRUE(c.lblUpdate->isVisible());
    EXPECT_EQ(c.txtFields[2]->text(), QStringLiteral("Soap- Tuning"));
    EXPECT_EQ(TextFile::readLines(folder.file(QStringLiteral("KVR6Contact.cfg")))[3],
              QStringLiteral(",Jo,Soap,Soap- Tuning, ,jo@soap.example, , , , , , ,"));

    // A map saved now lists its own make.
    w.activateWindow();
    ASSERT_TRUE(Wait_Unloaded<frmContact>());
    dialogs.file(folder.file(QStringLiteral("Golf")));
    w.mnuSaveAS->trigger();
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    type(ed.txtFields[2], QStringLiteral("Audi"));
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    const auto library = TuneMap::Scan_Library();
    ASSERT_EQ(library.size(), 1u);
    EXPECT_EQ(library[0].header.make.value_or(QString()).trimmed(), QStringLiteral("Audi"));
    EXPECT_EQ(library[0].header.owner.value_or(QString()).trimmed(), QStringLiteral("Jo Soap"));
}

TEST_F(ContactWindowTest, TheExportAsksBeforeReplacingNeverWritesATuneMapAndTellsWhatItCannot) {
    writeTune(QStringLiteral("Golf.kvr"), 1);
    writeContact({"Jo", "Soap", "", "", "jo@soap.example", "", "", "", "", "", ""});
    frmMain& w = openWired();
    frmContact& c = openContact(w);
    const QByteArray golf = folder.read(QStringLiteral("Golf.kvr"));
    const auto exportAs = [&](const QString& typed) {
        if (!c.cmdExport->isEnabled()) {
            tick(c, 0);
            tick(c, 0);
        }
        dialogs.clear();
        dialogs.file(folder.file(typed));
        QTest::mouseClick(c.cmdExport, Qt::LeftButton);
    };
    const auto told = [&]() -> QString {
        return dialogs.records().size() == 2 ? dialogs.records()[1].text : QString();
    };

    // A tune-map name, in any letter case, is never written over nor made.
    for (const QString name : {QStringLiteral("Golf.kvr"), QStringLiteral("GOLF.KVR")}) {
        exportAs(name);
        EXPECT_EQ(told(), folder.file(name) +
                              QStringLiteral(" is the name of a tune-map file, which the export "
                                             "never writes over. Nothing was exported; choose a "
                                             "name that ends in .CSV."));
        EXPECT_EQ(folder.read(QStringLiteral("Golf.kvr")), golf);
        EXPECT_FALSE(folder.exists(QStringLiteral("GOLF.KVR")));
        EXPECT_FALSE(c.lblExport->isVisible());
    }

    // A file that is there: a question naming it, No the default; Yes replaces it.
    folder.write(QStringLiteral("maps.CSV"), "old\r\n");
    exportAs(QStringLiteral("maps"));
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_EQ(told(), QStringLiteral("The file %1 already exists. Replace it with the export?")
                          .arg(folder.file(QStringLiteral("maps.CSV"))));
    EXPECT_EQ(dialogs.records()[1].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(dialogs.records()[1].defaultButton, Dialogs::DefaultButton::Second);
    EXPECT_EQ(folder.read(QStringLiteral("maps.CSV")), QByteArray("old\r\n"));
    EXPECT_FALSE(c.lblExport->isVisible());
    dialogs.answer(Dialogs::Answer::Yes);
    exportAs(QStringLiteral("maps"));
    EXPECT_TRUE(folder.read(QStringLiteral("maps.CSV")).startsWith(" , , , , , , , , , 2,  Jo"));
    EXPECT_TRUE(c.lblExport->isVisible());

    // A name whose end is no extension gets ".CSV".
    exportAs(QStringLiteral("Export 1.5"));
    EXPECT_TRUE(folder.exists(QStringLiteral("Export 1.5.CSV")));
    EXPECT_FALSE(folder.exists(QStringLiteral("Export 1.5")));

    // A character the CSV cannot keep is told, and nothing is written.
    compose(c.txtFields[8], QStringLiteral("Łódź"));
    exportAs(QStringLiteral("poland"));
    EXPECT_EQ(told(), QStringLiteral("The Shipping Province \"Łódź\" holds the character Ł, which "
                                     "the CSV file cannot keep. Nothing was exported; write the "
                                     "value without it and export again."));
    EXPECT_FALSE(folder.exists(QStringLiteral("poland.CSV")));
    EXPECT_FALSE(c.lblExport->isVisible());
    type(c.txtFields[8], QStringLiteral("Mazowsze"));

    // A file that cannot be created names the system's cause.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("locked")));
    readOnly(folder.file(QStringLiteral("locked")),
             [&] { exportAs(QStringLiteral("locked/maps")); });
    EXPECT_EQ(told(), QStringLiteral("The export file maps.CSV could not be written (permission "
                                     "denied). Nothing was exported; choose another place or name "
                                     "and export again."));
    EXPECT_FALSE(c.lblExport->isVisible());
    c.grab().save(Screenshot_Path(QStringLiteral("contact-export-refused.png")));
}

// A library file whose name the CSV cannot hold would be exported under another
// name ("?koda Octavia.kvr"): it is told and nothing is written.
TEST_F(ContactWindowTest, ATickedMapWhoseNameTheCsvCannotHoldIsToldAndNothingWritten) {
    writeTune(QStringLiteral("Audi.kvr"), 1);
    // Copied in from elsewhere under a name beyond Latin-1.
    writeTune(QStringLiteral("Skoda Octavia.kvr"), 2, QStringLiteral("Skoda"));
    ASSERT_TRUE(QFile::rename(folder.file(QStringLiteral("Skoda Octavia.kvr")),
                              folder.file(QStringLiteral("Škoda Octavia.kvr"))));
    writeContact({"Jo", "Soap", "", "", "jo@soap.example", "", "", "", "", "", ""});
    frmMain& w = openWired();
    frmContact& c = openContact(w);
    ASSERT_EQ(c.LstLib->count(), 2);
    const int skoda = c.LstLib->item(0)->text().contains(QStringLiteral("Škoda")) ? 0 : 1;
    tick(c, 1 - skoda);
    tick(c, skoda);
    dialogs.file(folder.file(QStringLiteral("maps")));
    QTest::mouseClick(c.cmdExport, Qt::LeftButton);
    ASSERT_EQ(dialogs.records().size(), 2u) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(dialogs.records()[1].text,
              QStringLiteral("The file name of the ticked map \"Škoda Octavia.kvr\" holds the "
                             "character Š, which the CSV file cannot keep. Nothing was exported; "
                             "untick the map, or give its file a name without that character, "
                             "and export again."));
    EXPECT_EQ(dialogs.records()[1].icon, Dialogs::Icon::Exclamation);
    EXPECT_FALSE(folder.exists(QStringLiteral("maps.CSV")));
    EXPECT_FALSE(c.lblExport->isVisible());
    EXPECT_FALSE(c.lblFileName->isVisible());
    EXPECT_TRUE(c.cmdExport->isEnabled()) << "the export can be tried again";
    c.grab().save(Screenshot_Path(QStringLiteral("contact-export-unkept-name.png")));

    // Unticked, the other map is exported as usual.
    tick(c, skoda);
    dialogs.clear();
    dialogs.file(folder.file(QStringLiteral("maps")));
    QTest::mouseClick(c.cmdExport, Qt::LeftButton);
    EXPECT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('|').toStdString();
    const QStringList lines = TextFile::readLines(folder.file(QStringLiteral("maps.CSV")));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(", Audi.kvr, "))) << lines[0];
    EXPECT_TRUE(c.lblExport->isVisible());
}

// A contact file written by hand or by an older program never passed the
// window's check: a value a map header cannot keep is named when the file is
// read, by a save and by the window, and never reaches a saved map.
TEST_F(ContactWindowTest, AContactValueFromTheFileThatAHeaderCannotKeepIsNamedAndNeverSaved) {
    struct Case {
        QStringList fields;
        const char* told; // after "In the contact file KVR6Contact.cfg "
        int box;          // the box that starts empty
        const char* owner;
        const char* ownerEmail;
    };
    const Case cases[] = {
        {{"Make:Ford", "Soap", "", "", "jo@soap.example", "", "", "", "", "", ""},
         "the Name \"Make:Ford\" holds \"Make:\", which a tune-map file would read as a line of "
         "its header. That value is left out",
         0,
         "Owner: Soap",
         "Owner Email:jo@soap.example"},
        {{"Jo", "Soap", "Year: 1960 Tuning", "", "jo@soap.example Dscr:old", "", "", "", "", "",
          ""},
         "the Company Name \"Year: 1960 Tuning\" holds \"Year:\", which a tune-map file would "
         "read as a line of its header; the Email Address \"jo@soap.example Dscr:old\" holds "
         "\"Dscr:\", which a tune-map file would read as a line of its header. Those values are "
         "left out",
         4,
         "Owner:Jo Soap",
         "Owner Email:"},
    };
    frmMain& w = openWired();
    int saved = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        writeContact(c.fields);
        const QByteArray contactFile = folder.read(QStringLiteral("KVR6Contact.cfg"));
        const QString told =
            QStringLiteral("In the contact file KVR6Contact.cfg ") + QString::fromLatin1(c.told);

        // Save As: the value is named and the map's header goes without it.
        const QString name = QStringLiteral("Golf%1").arg(++saved);
        dialogs.clear();
        dialogs.file(folder.file(name));
        w.activateWindow();
        w.mnuSaveAS->trigger();
        ASSERT_EQ(dialogs.records().size(), 2u) << dialogs.texts().join('|').toStdString();
        EXPECT_TRUE(dialogs.records()[1].text.startsWith(told))
            << dialogs.records()[1].text.toStdString();
        EXPECT_EQ(dialogs.records()[1].icon, Dialogs::Icon::Exclamation);
        ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
        frmLibEdit& ed = FormInstance<frmLibEdit>::get();
        type(ed.txtFields[2], QStringLiteral("Audi"));
        QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
        const QStringList lines = TextFile::readLines(folder.file(name + ".kvr"));
        ASSERT_EQ(lines.size(), 55);
        EXPECT_EQ(lines[15], QString::fromLatin1(c.owner));
        EXPECT_EQ(lines[16], QString::fromLatin1(c.ownerEmail));
        for (const TuneMap::LibraryEntry& e : TuneMap::Scan_Library())
            if (e.fileName == name + ".kvr")
                EXPECT_EQ(e.header.make.value_or(QString()).trimmed(), QStringLiteral("Audi"));
        EXPECT_EQ(folder.read(QStringLiteral("KVR6Contact.cfg")), contactFile)
            << "the file is the user's to mend";

        // The window names it too; its box starts empty, ready to take it anew.
        w.activateWindow();
        dialogs.clear();
        frmContact& contact = openContact(w);
        ASSERT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('|').toStdString();
        EXPECT_TRUE(dialogs.records()[0].text.startsWith(told))
            << dialogs.records()[0].text.toStdString();
        EXPECT_EQ(contact.txtFields[c.box]->text().trimmed(), QString());
        EXPECT_TRUE(contact.txtFields[c.box]->isEnabled());
        EXPECT_EQ(contact.txtFields[1]->text(), QStringLiteral("Soap"));
        contact.grab().save(Screenshot_Path(QStringLiteral("contact-refused-from-file.png")));
        w.activateWindow();
        ASSERT_TRUE(Wait_Unloaded<frmContact>());
    }
}

namespace {

// A contact file as a hand or another program may have left it: its record line
// and the line ends it uses.
QByteArray contactFile(const QByteArray& record, const QByteArray& end = "\r\n") {
    return "KVR6 Contact Details" + end + end + "Display IN:" + end + record + end +
           "END Contact:" + end;
}

const QString LeftOutOne =
    QStringLiteral(". That value is left out of your contact details and of the maps you save "
                   "until you enter it anew in Contact Details and click Update Records.");
const QString LeftOutMany =
    QStringLiteral(". Those values are left out of your contact details and of the maps you "
                   "save until you enter them anew in Contact Details and click Update Records.");

struct ContactFileCase {
    const char* name;
    QByteArray file;
    QString told; // what opening the window and a save tell; empty: nothing
    std::array<QString, 11> boxes;
    QString owner;      // the saved map's "Owner:" line
    QString ownerEmail; // and its "Owner Email:" line
};

const QString Blank = QStringLiteral(" ");
const QString Email = QStringLiteral("jo@soap.example");

// Jo Soap's record with some values replaced, as the window shows it.
std::array<QString, 11> boxes(std::initializer_list<std::pair<int, QString>> changed) {
    std::array<QString, 11> b{QStringLiteral("Jo"),
                              QStringLiteral("Soap"),
                              Blank,
                              Blank,
                              Email,
                              Blank,
                              Blank,
                              Blank,
                              Blank,
                              Blank,
                              Blank};
    for (const auto& [box, text] : changed)
        b[static_cast<std::size_t>(box)] = text;
    return b;
}

const QByteArray JoSoap = ",Jo,Soap, , ,jo@soap.example, , , , , , ,";

std::vector<ContactFileCase> contactFileCases() {
    const QByteArray longName(600000, 'A');
    const QByteArray longSurname(600000, 'B');
    const QByteArray longest(TuneMap::LongestHeaderValue, 'L');
    const QString told = QStringLiteral("In the contact file KVR6Contact.cfg ");
    return {
        {"a NUL byte in the name",
         contactFile(QByteArray(",Jo") + '\0' + "e,Soap, , ,jo@soap.example, , , , , , ,"),
         told +
             "the Name \"Jo[NUL]e\" holds a NUL character (code 0), which a tune-map file's "
             "header cannot keep" +
             LeftOutOne,
         boxes({{0, Blank}}), "Owner: Soap", "Owner Email:jo@soap.example"},
        {"a name and surname over a megabyte",
         contactFile("," + longName + "," + longSurname + ", , ,jo@soap.example, , , , , , ,"),
         told + "the Name \"" + QString(60, 'A') +
             "...\" is 600000 characters long, more than the 32767 a line of a tune-map file's "
             "header keeps; the Surname \"" +
             QString(60, 'B') +
             "...\" is 600000 characters long, more than the 32767 a line of a tune-map file's "
             "header keeps" +
             LeftOutMany,
         boxes({{0, Blank}, {1, Blank}}), "Owner: ", "Owner Email:jo@soap.example"},
        {"a name as long as a header line keeps",
         contactFile("," + longest + ",Soap, , ,jo@soap.example, , , , , , ,"), QString(),
         boxes({{0, QString::fromLatin1(longest)}}),
         "Owner:" + QString::fromLatin1(longest) + " Soap", "Owner Email:jo@soap.example"},
        // Read at the lone CR, the line gave Soap as the name, "Soap Tuning" as
        // the surname and the web address as the e-mail.
        {"a lone CR inside the record line",
         contactFile(",Jo\rX,Soap,Soap Tuning,082 555 0199,jo@soap.example,www.soap.example,"
                     "Tuner,1 Main Road,Gauteng,South Africa,ZA,"),
         told +
             "line 4 is split by a carriage return (CR) that stands alone inside the line, "
             "without its line feed, so its values would land in the wrong fields" +
             LeftOutMany,
         {Blank, Blank, Blank, Blank, Blank, Blank, Blank, Blank, Blank, Blank, Blank},
         "Owner: ",
         "Owner Email:"},
        {"other control characters",
         contactFile(
             ",Jo,Soap,Soap\x1bTuning, ,jo@soap\x0b.example,www\x7f.soap.example, , , , , ,"),
         told +
             "the Company Name \"Soap[code 27]Tuning\" holds the control character of code "
             "27, which a tune-map file's header cannot keep; the Email Address "
             "\"jo@soap[code 11].example\" holds the control character of code 11, which a "
             "tune-map file's header cannot keep; the Web Site Address "
             "\"www[code 127].soap.example\" holds the control character of code 127, which "
             "a tune-map file's header cannot keep" +
             LeftOutMany,
         boxes({{4, Blank}}), "Owner:Jo Soap", "Owner Email:"},
        {"a tab inside the name stays",
         contactFile(",Jo\tAnn,Soap, , ,jo@soap.example, , , , , , ,"), QString(),
         boxes({{0, QStringLiteral("Jo\tAnn")}}), "Owner:Jo\tAnn Soap",
         "Owner Email:jo@soap.example"},
        // Byte 146 is the apostrophe of a file written on Windows.
        {"a Windows apostrophe stays",
         contactFile(",Jo,O\x92"
                     "Brien, , ,jo@soap.example, , , , , , ,"),
         QString(), boxes({{1, QStringLiteral("O\u0092Brien")}}),
         QStringLiteral("Owner:Jo O\u0092Brien"), "Owner Email:jo@soap.example"},
        {"line ends of LF alone", contactFile(JoSoap, "\n"), QString(), boxes({}), "Owner:Jo Soap",
         "Owner Email:jo@soap.example"},
        {"line ends of CR CR LF", contactFile(JoSoap, "\r\r\n"), QString(), boxes({}),
         "Owner:Jo Soap", "Owner Email:jo@soap.example"},
    };
}

class AContactFileAsFound : public ContactWindowTest,
                            public ::testing::WithParamInterface<ContactFileCase> {};

} // namespace

// A contact file holding what a map header cannot keep is named when it is read
// and never reaches a saved map: the map Save As writes is one the library
// lists and a restore takes; what a header keeps (a tab, a Windows quote, any
// line ends the program reads) stays.
TEST_P(AContactFileAsFound, OpensWithTheValuesItCanKeepAndSavesAMapTheLibraryLists) {
    const ContactFileCase& k = GetParam();
    folder.write(QStringLiteral("KVR6Contact.cfg"), k.file);
    frmMain& w = openWired();

    dialogs.clear();
    frmContact& c = openContact(w);
    if (k.told.isEmpty()) {
        EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('|').toStdString();
    } else {
        ASSERT_EQ(dialogs.records().size(), 1u);
        EXPECT_EQ(dialogs.records()[0].text, k.told);
        EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Contact Details"));
    }
    for (int box = 0; box < 11; ++box)
        EXPECT_EQ(c.txtFields[box]->text(), k.boxes[static_cast<std::size_t>(box)])
            << "box " << box;
    // A name or surname read is locked; one left out can be typed anew.
    for (int box : {0, 1})
        EXPECT_EQ(c.txtFields[box]->isEnabled(), k.boxes[static_cast<std::size_t>(box)].size() <= 1)
            << "box " << box;
    w.activateWindow();
    ASSERT_TRUE(Wait_Unloaded<frmContact>());

    // Save As, the name typed into the save dialog.
    dialogs.clear();
    {
        TypedSaveDialog typing(QStringLiteral("Golf"));
        w.mnuSaveAS->trigger();
        ASSERT_EQ(typing.shown, 1);
        EXPECT_TRUE(typing.typed);
    }
    if (k.told.isEmpty()) {
        EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('|').toStdString();
    } else {
        ASSERT_EQ(dialogs.records().size(), 1u);
        EXPECT_EQ(dialogs.records()[0].text, k.told);
    }
    ASSERT_TRUE(FormInstance<frmLibEdit>::loaded());
    frmLibEdit& ed = FormInstance<frmLibEdit>::get();
    EXPECT_EQ(ed.txtFields[1]->text(), QStringLiteral("Golf.kvr"));
    type(ed.txtFields[2], QStringLiteral("Audi"));
    dialogs.clear();
    QTest::mouseClick(ed.cmdUpdate, Qt::LeftButton);
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('|').toStdString();
    ASSERT_TRUE(Wait_Unloaded<frmLibEdit>());

    const QString golf = folder.file(QStringLiteral("Golf.kvr"));
    const QStringList lines = TextFile::readLines(golf);
    ASSERT_EQ(lines.size(), 55);
    EXPECT_EQ(lines[15], k.owner);
    EXPECT_EQ(lines[16], k.ownerEmail);
    EXPECT_EQ(TuneMap::Whole_Map_Problem(golf), QString()) << "a restore takes it";
    QStringList notes;
    const auto library = TuneMap::Scan_Library(&notes);
    EXPECT_TRUE(notes.isEmpty()) << notes.join('|').toStdString();
    ASSERT_EQ(library.size(), 1u);
    EXPECT_EQ(library[0].fileName, QStringLiteral("Golf.kvr"));
    EXPECT_EQ(library[0].header.make.value_or(QString()).trimmed(), QStringLiteral("Audi"));
    EXPECT_EQ(folder.read(QStringLiteral("KVR6Contact.cfg")), k.file)
        << "the file is the user's to mend";
}

INSTANTIATE_TEST_SUITE_P(Cases, AContactFileAsFound, ::testing::ValuesIn(contactFileCases()),
                         By_Case_Name());
