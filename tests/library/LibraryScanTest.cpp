// The library scan of the program folder and the order of the list.

#include "LibraryTestSupport.h"

#include "library/LibraryScan.h"

#include <QDir>

using namespace TuneMap;

namespace {

class LibraryScanTest : public LibraryTest {
protected:
    void map(const QString& name, const QString& make, const QString& year,
             const QString& mapId = QString()) {
        folder.writeLines(name, {"E-mail: x", "Dscr: " + make + " tune", "Mapid:" + mapId,
                                 "Make:" + make + "  ", "Year:" + year, "MAPS:", "End"});
    }
    static QStringList names(const std::vector<LibraryEntry>& entries) {
        QStringList out;
        for (const LibraryEntry& e : entries)
            out << e.fileName;
        return out;
    }
};

} // namespace

TEST_F(LibraryScanTest, EveryReadableTuneMapIsListedAndTheRestAreNoted) {
    map("a.kvr", "Audi", "1997", "first");
    map("b.kvr", "BMW", "97", "second");
    map("c.KVR", "audi", "2001");
    folder.writeLines("notes.txt", {"Make:Not a map"});
    QDir(folder.path()).mkdir("folder.kvr");
    QFile::link(folder.file("nowhere"), folder.file("dangling.kvr"));
    folder.write("binary.kvr", QByteArray("Make:x\0\1\2", 9));
    folder.write("huge.kvr", QByteArray(1024 * 1024 + 1, 'x'));
    MapId = QStringLiteral("before");

    QStringList notes;
    const std::vector<LibraryEntry> entries = Scan_Library(&notes);
    EXPECT_EQ(names(entries), (QStringList{"a.kvr", "b.kvr", "c.KVR"}));
    EXPECT_EQ(notes.size(), 2) << notes.join('|');
    EXPECT_TRUE(notes.filter("folder.kvr").isEmpty()) << "a folder is no file of the library";
    EXPECT_TRUE(notes.filter("dangling.kvr").isEmpty()) << "nor is a link to nothing";
    EXPECT_TRUE(notes.filter("binary.kvr").size() == 1);
    EXPECT_TRUE(notes.filter("huge.kvr").size() == 1);
    EXPECT_EQ(MapId, QStringLiteral("before"))
        << "listing the library leaves the current map's name";

    EXPECT_EQ(Column_Text(entries[0], ColMake), "Audi") << "the list trims";
    EXPECT_EQ(entries[0].header.make, QStringLiteral("Audi  ")) << "the scan does not";
    EXPECT_EQ(entries[0].header.dscr, QStringLiteral(" Audi tune"));
    EXPECT_EQ(Column_Text(entries[0], ColDescription), "Audi tune");
    EXPECT_EQ(Column_Text(entries[1], ColMapName), "second");
    EXPECT_EQ(Column_Text(entries[2], ColFileName), "c.KVR");
}

TEST_F(LibraryScanTest, MoreThanSixHundredFilesAreAllListed) {
    for (int n = 0; n < 650; ++n)
        map(QString("m%1.kvr").arg(n, 3, 10, QChar('0')), "Fiat", "2000");
    EXPECT_EQ(Scan_Library().size(), 650u);
}

TEST_F(LibraryScanTest, AnEmptyLibraryListsNothing) {
    QStringList notes;
    EXPECT_TRUE(Scan_Library(&notes).empty());
    EXPECT_TRUE(notes.isEmpty());
}

TEST_F(LibraryScanTest, SortingComparesTheColumnsTextAscendingAndKeepsEqualRowsInOrder) {
    map("a.kvr", "Audi", "1997");
    map("b.kvr", "BMW", "97");
    map("c.kvr", "audi", "2001");
    map("d.kvr", "", "1997");
    std::vector<LibraryEntry> entries = Scan_Library();

    Sort_Library(entries, ColYear);
    // Text, not numbers: "97" sorts after "2001".
    EXPECT_EQ(names(entries), (QStringList{"a.kvr", "d.kvr", "c.kvr", "b.kvr"}));
    Sort_Library(entries, ColMake);
    EXPECT_EQ(names(entries), (QStringList{"d.kvr", "a.kvr", "c.kvr", "b.kvr"}));
    Sort_Library(entries, ColMake);
    EXPECT_EQ(names(entries), (QStringList{"d.kvr", "a.kvr", "c.kvr", "b.kvr"}))
        << "a second sort by the same column changes nothing";
    Sort_Library(entries, ColFileName);
    EXPECT_EQ(names(entries), (QStringList{"a.kvr", "b.kvr", "c.kvr", "d.kvr"}));
}
