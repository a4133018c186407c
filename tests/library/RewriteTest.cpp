// File names of the library and the header rewrite of a library file.

#include "LibraryTestSupport.h"

#include "platform/TextFile.h"

using namespace TuneMap;

TEST(LibraryFileName, TheKvrRuleForNewFilesAndRewrites) {
    const std::vector<std::pair<QString, QString>> cases{{"Golf", "Golf.kvr"},
                                                         {"Golf.map", "Golf.kvr"},
                                                         {"Golf.KVR", "Golf.kvr"},
                                                         {"Golf.kvr", "Golf.kvr"},
                                                         {"Golf 1.8T", "Golf 1.8T.kvr"},
                                                         {"Golf.kv", "Golf.kvr"},
                                                         {"Golf.", "Golf.kvr"},
                                                         {"A4 2.0 TDI", "A4 2.0 TDI.kvr"},
                                                         {"Map1.kvrnew", "Map1.kvrnew.kvr"}};
    for (const auto& [typed, expected] : cases) {
        EXPECT_EQ(Kvr_File_Name(typed), expected) << typed;
        const NameCheck c = Library_File_Name(typed);
        EXPECT_TRUE(c.ok()) << typed << ": " << c.problem;
        EXPECT_EQ(c.name, expected);
    }
    EXPECT_EQ(Library_File_Name("  Golf  ").name, "Golf.kvr") << "blanks at the ends go";
}

TEST(LibraryFileName, NamesOutsideTheProgramFolderOrUnusableAreRefused) {
    for (const QString& typed :
         {QString(), QString("   "), QString("../Golf"), QString("a/b"), QString("a\\b"),
          QString(".."), QString(".hidden"), QString("Go..lf"), QString("tab\there"),
          QString("line\nbreak"), QString("snow") + QChar(0x2603), QString(300, 'x')}) {
        const NameCheck c = Library_File_Name(typed);
        EXPECT_FALSE(c.ok()) << typed;
        EXPECT_FALSE(c.problem.isEmpty());
    }
}

TEST(LibraryFileName, ADialogsPathIsReducedToItsFileName) {
    EXPECT_EQ(Dialog_File_Name("/home/tuner/maps/Golf.KVR").name, "Golf.kvr");
    EXPECT_EQ(Dialog_File_Name("Golf").name, "Golf.kvr");
    EXPECT_FALSE(Dialog_File_Name("/home/tuner/").ok());
    EXPECT_FALSE(Dialog_File_Name("C:\\maps\\Golf.kvr").ok());
}

namespace {

class RewriteTest : public LibraryTest {
protected:
    RewriteTest() {
        fillImage();
        fillRecords();
        LibRecord[2] = QStringLiteral("Map1.kvr");
        Write_New_File(QStringLiteral("Map1.kvr"), clock());
        original = folder.read("Map1.kvr");
        LibRecord[1] = QStringLiteral("New description");
        LibRecord[4] = QStringLiteral("New name");
    }
    static QByteArray rowsOf(const QByteArray& bytes) {
        return bytes.mid(bytes.indexOf("MAPS:\r\n") + 7);
    }
    QByteArray original;
};

} // namespace

TEST_F(RewriteTest, TheHeaderIsReplacedAndTheRowsCopiedUnderEachTarget) {
    struct Case {
        QString typed;
        QString target;
    };
    for (const Case& c : {Case{"Map1.kvr", "Map1.kvr"}, Case{"Golf", "Golf.kvr"},
                          Case{"Golf 1.8T", "Golf 1.8T.kvr"}, Case{"Golf.KVR", "Golf.kvr"}}) {
        folder.write("Map1.kvr", original);
        const NameCheck name = Library_File_Name(c.typed);
        ASSERT_EQ(name.name, c.target);
        ASSERT_EQ(Rewrite_Header("Map1.kvr", name.name, clock()), RewriteOutcome::Rewritten);
        EXPECT_EQ(folder.exists("Map1.kvr"), c.target == "Map1.kvr") << c.typed;
        const QByteArray rewritten = folder.read(c.target);
        EXPECT_EQ(rowsOf(rewritten), rowsOf(original)) << "the rows stay byte for byte";
        const QStringList lines = TextFile::splitLines(QString::fromLatin1(rewritten));
        EXPECT_EQ(lines.mid(0, 4), TextFile::splitLines(QString::fromLatin1(original)).mid(0, 4))
            << "the dealer block stays";
        EXPECT_EQ(lines.mid(4, 13),
                  (QStringList{"", "KVR6: Tune Map or Calibration file for the KVR6",
                               "Date: 05/03/2026 Time: 09:07:02", "File Name: " + c.target, "",
                               "Dscr: " + QString("New description").leftJustified(64, ' '),
                               "Mapid:New name", "Make:Audi", "Model:A4", "Year:1999", "Type:Car",
                               "", "MAPS:"}));
        EXPECT_FALSE(lines.join('\n').contains("Owner")) << "a rewrite writes no owner lines";
        EXPECT_EQ(lines.size(), 4 + 13 + 35 + 1);
        folder.write(c.target, QByteArray()); // so the next case starts alone
        QFile::remove(folder.file(c.target));
    }
}

TEST_F(RewriteTest, TheCurrentMapsDescriptionFollowsOnlyItsOwnFile) {
    MapDscr = QStringLiteral("current");
    MapInfo.fileName = QStringLiteral("Loaded.kvr");
    folder.write("Map1.kvr", original);
    ASSERT_EQ(Rewrite_Header("Map1.kvr", "Map1.kvr", clock()), RewriteOutcome::Rewritten);
    EXPECT_EQ(MapDscr, QStringLiteral("current")) << "another library file";
    MapInfo.fileName = QStringLiteral("Map1.kvr");
    ASSERT_EQ(Rewrite_Header("Map1.kvr", "Map2.kvr", clock()), RewriteOutcome::Rewritten);
    EXPECT_EQ(MapDscr, QString("New description").leftJustified(64, ' '));
}

TEST_F(RewriteTest, AnotherFilesNameIsTakenOnlyWhenAllowed) {
    folder.write("Other.kvr", "the other map\r\n");
    EXPECT_EQ(Rewrite_Header("Map1.kvr", "Other.kvr", clock()), RewriteOutcome::TargetExists);
    EXPECT_EQ(folder.read("Map1.kvr"), original);
    EXPECT_EQ(folder.read("Other.kvr"), "the other map\r\n");

    EXPECT_EQ(Rewrite_Header("Map1.kvr", "Other.kvr", clock(), true), RewriteOutcome::Rewritten);
    EXPECT_FALSE(folder.exists("Map1.kvr"));
    EXPECT_EQ(rowsOf(folder.read("Other.kvr")), rowsOf(original));
}

TEST_F(RewriteTest, AFileWithNoMapsLineAfterItsEmailLineIsLeftUnchanged) {
    const QByteArray cut = original.left(original.indexOf("MAPS:")) + "End\r\n";
    folder.write("Cut.kvr", cut);
    EXPECT_EQ(Rewrite_Header("Cut.kvr", "Renamed.kvr", clock()), RewriteOutcome::NoMapsLine);
    EXPECT_EQ(folder.read("Cut.kvr"), cut);
    EXPECT_FALSE(folder.exists("Renamed.kvr"));
}

// The header has no place for new names: a rename still goes through, and the
// outcome says the names were not written.
TEST_F(RewriteTest, AFileWithNoEmailLineIsCopiedWholeUnderItsNewName) {
    const QByteArray plain = "Dscr: plain\r\nMAPS:\r\n" + rowsOf(original);
    folder.write("Plain.kvr", plain);
    EXPECT_EQ(Rewrite_Header("Plain.kvr", "Plain.kvr", clock()), RewriteOutcome::NoEmailLine);
    EXPECT_EQ(folder.read("Plain.kvr"), plain);
    EXPECT_EQ(Rewrite_Header("Plain.kvr", "Plain2.kvr", clock()), RewriteOutcome::RenamedOnly);
    EXPECT_EQ(folder.read("Plain2.kvr"), plain);
    EXPECT_FALSE(folder.exists("Plain.kvr"));
}

TEST_F(RewriteTest, AMissingFileIsAnErrorAndWritesNothing) {
    EXPECT_THROW(Rewrite_Header("Gone.kvr", "New.kvr", clock()), KvrError);
    EXPECT_FALSE(folder.exists("New.kvr"));
}
