// The export list's entries and the CSV file they make, without a window.

#include "tests/library/LibraryTestSupport.h"

#include "contact/ContactExport.h"
#include "platform/KvrError.h"
#include "tests/support/NoPermissionOverride.h"

#include <QDir>
#include <QFile>

using namespace Contact;

namespace {

class ContactExportTest : public LibraryTest {
protected:
    // A tune-map file's header as the program writes it, with every tag.
    void writeGolf() {
        folder.writeLines(QStringLiteral("Golf.kvr"),
                          {"Fast Lane Motors",
                           "   Tel: 011 555 0100",
                           "   Fax: 011 555 0101",
                           "E-mail: shop@fastlane.example",
                           "",
                           "KVR6: Tune Map file for the KVR6",
                           "Date: 05/03/2026    Time: 09:07:02",
                           "File name: Golf.kvr",
                           "",
                           "Dscr: " + QStringLiteral("VW-Golf-2004-Car-Stage 1").leftJustified(64),
                           "Mapid:Stage 1",
                           "Make:VW",
                           "Model:Golf",
                           "Year:2004",
                           "Type:Car",
                           "Owner:Jo Soap",
                           "Owner Email:jo@soap.example",
                           "",
                           "MAPS:",
                           " 8 0 255   0 ",
                           "End of KVR6 Tune Map"});
    }
    static ContactValues contact() {
        return {"Jo",
                "Soap",
                "Soap Tuning",
                "082 555 0199",
                "jo@soap.example",
                "www.soap.example",
                " ",
                "1 Main Road",
                "Gauteng",
                "South Africa",
                "ZA"};
    }
};

} // namespace

TEST_F(ContactExportTest, ATickedEntryGivesItsLineByteForByte) {
    writeGolf();
    folder.writeLines(QStringLiteral("Other.kvr"), {"Make:Opel", "MAPS:", "End"});
    std::vector<ExportEntry> entries = Export_Entries(TuneMap::Scan_Library());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(Entry_Text(entries[0]), "VW-Golf-2004-Car-Stage 1 << Golf.kvr >>");
    entries[0].ticked = true;

    const QString path = folder.file(QStringLiteral("export.CSV"));
    Write_Csv_File(path, Csv_Lines(entries, Csv_Contact_Part(contact())));

    // The description keeps the blank after "Dscr:" and its padding: 63 characters.
    const QByteArray dscr = " " + QByteArray("VW-Golf-2004-Car-Stage 1").leftJustified(62, ' ');
    const QByteArray expected = " VW, Golf, 2004, Car, Stage 1, " + dscr +
                                ", Jo Soap, jo@soap.example, Golf.kvr, 2,  Jo, Soap, Soap Tuning, "
                                "082 555 0199, jo@soap.example, www.soap.example,  , 1 Main Road, "
                                "Gauteng, South Africa, ZA, \r\n";
    EXPECT_EQ(folder.read(QStringLiteral("export.CSV")), expected);
    EXPECT_EQ(QString::fromLatin1(expected).trimmed().split(',').size(), 22)
        << "21 fields, each followed by a comma";
}

TEST_F(ContactExportTest, NoTickedEntryGivesTheOneLineOfEmptyLibraryValues) {
    writeGolf();
    std::vector<ExportEntry> entries = Export_Entries(TuneMap::Scan_Library());
    const QStringList lines = Csv_Lines(entries, Csv_Contact_Part(contact()));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0], " , , , , , , , , , 2,  Jo, Soap, Soap Tuning, 082 555 0199, "
                        "jo@soap.example, www.soap.example,  , 1 Main Road, Gauteng, "
                        "South Africa, ZA, ");
    EXPECT_EQ(Csv_Lines({}, Csv_Contact_Part(contact())), lines) << "an empty library";

    // Three ticked entries give three lines in list order.
    entries = {ExportEntry{true, {"A"}}, ExportEntry{false, {"B"}}, ExportEntry{true, {"C"}},
               ExportEntry{true, {"D"}}};
    const QStringList three = Csv_Lines(entries, QStringLiteral(" x, "));
    ASSERT_EQ(three.size(), 3);
    EXPECT_EQ(three[0], " A, , , , , , , , , 2,  x, ");
    EXPECT_EQ(three[2], " D, , , , , , , , , 2,  x, ");
}

TEST_F(ContactExportTest, CommasAndLineBreaksInValuesAddNoFieldAndSplitNoRecord) {
    ContactValues c = contact();
    c[7] = QStringLiteral("1 Main Road, Springfield");
    c[6] = QStringLiteral("two\r\nlines\nand\rmore");
    c[2] = QStringLiteral(",,,");
    std::vector<ExportEntry> entries{ExportEntry{true, {}}};
    entries[0].values[ExportDscr] = QStringLiteral(" Audi, the fast one\n");
    entries[0].values[ExportFileName] = QStringLiteral("a.kvr");
    const QStringList lines = Csv_Lines(entries, Csv_Contact_Part(c));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(",  Audi- the fast one , ")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral(", 1 Main Road- Springfield, ")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral(", two lines and more, ")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral(", ---, ")));
    EXPECT_EQ(lines[0].count(','), 21);

    Write_Csv_File(folder.file(QStringLiteral("x.CSV")), lines);
    EXPECT_EQ(folder.read(QStringLiteral("x.CSV")).count("\r\n"), 1);
    EXPECT_EQ(folder.read(QStringLiteral("x.CSV")).count('\n'), 1);
}

TEST_F(ContactExportTest, AnEntryWithoutVehicleTagsIsListedByItsDescriptionOrItsNameAlone) {
    folder.writeLines(QStringLiteral("a.kvr"), {"Dscr: Only a description", "MAPS:", "End"});
    folder.writeLines(QStringLiteral("b.kvr"), {"no tags at all", "End"});
    folder.writeLines(QStringLiteral("c.kvr"), {"Year:99", "End"});
    const std::vector<ExportEntry> entries = Export_Entries(TuneMap::Scan_Library());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(Entry_Text(entries[0]), " Only a description << a.kvr >>");
    EXPECT_EQ(Entry_Text(entries[1]), " << b.kvr >>");
    EXPECT_EQ(Entry_Text(entries[2]), "--99-- << c.kvr >>");
}

// A folder the program may not write into: the write fails, and neither a cut
// file nor a replaced one is left.
TEST_F(ContactExportTest, AFileThatCannotBeWrittenThrowsAndLeavesWhatWasThere) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("locked")));
    folder.write(QStringLiteral("locked/old.CSV"), "old export\r\n");
    QFile locked(folder.file(QStringLiteral("locked")));
    const auto writable = locked.permissions();
    ASSERT_TRUE(locked.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    const QStringList lines = Csv_Lines({}, Csv_Contact_Part(contact()));
    for (const char* name : {"locked/new.CSV", "locked/old.CSV"}) {
        NoPermissionOverride asAnyUser;
        ASSERT_TRUE(asAnyUser.active());
        try {
            Write_Csv_File(folder.file(QString::fromLatin1(name)), lines);
            ADD_FAILURE() << name << " was written";
        } catch (const KvrError& e) {
            // The system's own cause; the window's message names the file.
            EXPECT_EQ(e.description(), QStringLiteral("permission denied")) << name;
        }
    }
    locked.setPermissions(writable);
    EXPECT_EQ(QDir(folder.file(QStringLiteral("locked"))).entryList(QDir::Files),
              QStringList{QStringLiteral("old.CSV")});
    EXPECT_EQ(folder.read(QStringLiteral("locked/old.CSV")), "old export\r\n");

    // A folder standing under the chosen name.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken.CSV")));
    EXPECT_THROW(Write_Csv_File(folder.file(QStringLiteral("taken.CSV")), lines), KvrError);
}
