// The wiring-diagram records: the list's columns, filter and sort, and a record
// loaded through "KVRWDOut.cfg", all or nothing.

#include "wiring/WiringDiagram.h"
#include "core/ImageSnapshot.h"
#include "core/TableFiles.h"
#include "tests/library/LibraryTestSupport.h"

#include <QDir>

using namespace WiringDiagram;

namespace {

// A record with the given texts and map lines.
Record record(const QString& number, const QString& make, const QString& model,
              const QStringList& mapLines = {}) {
    Record r{};
    r[FieldNumber] = number;
    r[FieldMake] = make;
    r[FieldUpdated] = QStringLiteral("01/02/2024");
    r[FieldDescription] = QStringLiteral(" Desc ") + number;
    r[FieldFileName] = QStringLiteral("file") + number + QStringLiteral(".kvr");
    r[FieldYear] = QStringLiteral("1999");
    r[FieldModel] = model;
    r[FieldEcuMake] = QStringLiteral("Halvex");
    for (qsizetype k = 0; k < mapLines.size(); ++k)
        r[FirstMapLine + k] = mapLines[k];
    r[FieldCount] = QString::number(8 + mapLines.size());
    return r;
}

std::vector<Record> table(const std::vector<Record>& records) {
    std::vector<Record> t(1);
    t[0][0] = QString::number(records.size());
    t.insert(t.end(), records.begin(), records.end());
    return t;
}

std::vector<int> numbers(const std::vector<Row>& rows) {
    std::vector<int> n;
    for (const Row& r : rows)
        n.push_back(r.record);
    return n;
}

const QString Row10 =
    QStringLiteral("10 0   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15  16 ");
const QString Memory150 = QStringLiteral("150M   7   1 ");

class WiringDiagramTest : public LibraryTest {
protected:
    WiringDiagramTest() { fillImage(); }
    // Puts records into WdTable as the file reader would.
    static void useTable(const std::vector<Record>& records) { WdTable = table(records); }
};

} // namespace

TEST_F(WiringDiagramTest, ColumnsFollowTheTickedBoxesInBoxOrder) {
    const std::vector<Record> t = table({record("7", "Fennick", "Palvo")});
    const struct {
        std::array<bool, 8> boxes;
        QStringList texts;
    } cases[] = {
        {OpeningBoxes, {"file7.kvr", "Fennick", "Palvo", "Desc 7"}},
        {{true, false, false, false, true, true, true, false},
         {"7", "1999", "01/02/2024", "Halvex"}},
        {{false, false, false, false, false, false, false, true}, {"Desc 7"}},
    };
    for (const auto& c : cases) {
        const auto rows = List_Rows(t, c.boxes, {});
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].texts, c.texts);
    }
    // No ticked box: no row, so nothing can be picked.
    EXPECT_TRUE(List_Rows(t, {}, {}).empty());

    const QStringList headings{"No.",  "File Name", "Make",     "Model",
                               "Year", "Updated",   "ECU Make", "Description"};
    const int widths[] = {540, 1540, 1100, 2200, 1100, 1200, 2200, 3700};
    for (int b = 0; b < 8; ++b) {
        EXPECT_EQ(Columns()[b].heading, headings[b]);
        EXPECT_EQ(Columns()[b].twips, widths[b]);
    }
}

TEST_F(WiringDiagramTest, SearchFindsAFieldInLowerOrUpperCaseOnly) {
    Record a = record("1", "FORD", "Palvo GT");
    Record b = record("2", "ford", "palvo");
    Record c = record("3", "Ford", "PALVO");
    a[FieldFileName] = QStringLiteral("FEN-A1.kvr");
    b[FieldYear] = QStringLiteral("2001");
    c[FieldEcuMake] = QStringLiteral("ORLIN");
    Record noNumber = record("", "ford", "palvo");
    const std::vector<Record> t = table({a, b, c, noNumber, record("12", "x", "y")});
    const struct {
        Filter filter;
        std::vector<int> listed;
    } cases[] = {
        {{true, 2, "zzz"}, {1, 2, 3, 5}}, // Show All hides nothing
        {{false, 2, "FORD"}, {1, 2}},     // make: FORD and ford, not Ford
        {{false, 2, "ford"}, {1, 2}},
        {{false, 2, "Ford"}, {1, 2}},           // "Ford" itself holds neither
        {{false, 0, "1"}, {1, 5}},              // number, as a part of the text
        {{false, 1, "fen"}, {1}},               // file name
        {{false, 3, "PALVO"}, {2, 3}},          // model: "Palvo GT" is neither case
        {{false, 4, "2001"}, {2}},              // year
        {{false, 5, "orlin"}, {3}},             // ECU make
        {{false, 2, ""}, {1, 2, 3, 5}},         // an empty text finds every record
        {{false, -1, "nothing"}, {1, 2, 3, 5}}, // no option chosen: nothing hidden
    };
    for (const auto& c : cases)
        EXPECT_EQ(numbers(List_Rows(t, OpeningBoxes, c.filter)), c.listed)
            << c.filter.option << " " << c.filter.text.toStdString();
}

TEST_F(WiringDiagramTest, SortIsAscendingByTextAndStable) {
    std::vector<Row> rows =
        List_Rows(table({record("9", "b", "m"), record("100", "a", "m"), record("10", "B", "m")}),
                  {true, false, true, true, false, false, false, false}, {});
    Sort_Rows(rows, 0);
    EXPECT_EQ(numbers(rows), (std::vector<int>{3, 2, 1})); // "10", "100", "9"
    Sort_Rows(rows, 1);                                    // make, case aside
    EXPECT_EQ(numbers(rows), (std::vector<int>{2, 3, 1}));
    Sort_Rows(rows, 2); // all equal: the order stays
    EXPECT_EQ(numbers(rows), (std::vector<int>{2, 3, 1}));
}

TEST_F(WiringDiagramTest, TheReaderKeepsMapLinesAsTheyStand) {
    folder.writeLines("KVRWD.cfg", {"5, Fennick , 01/01/2020, Desc,  a.kvr , 1999, GT, Halvex,  " +
                                    Row10.mid(1) + ", " + Memory150});
    WtsGeneral::Read_WD_File();
    ASSERT_EQ(WdTable[0][0], "1");
    EXPECT_EQ(WdTable[1][FieldMake], "Fennick");
    EXPECT_EQ(WdTable[1][FieldFileName], "a.kvr");
    EXPECT_EQ(WdTable[1][FieldCount], "10");
    EXPECT_EQ(WdTable[1][9], " " + Row10.mid(1));
    EXPECT_EQ(WdTable[1][10], Memory150);
}

TEST_F(WiringDiagramTest, KeepMapsFileByteForByteAndOnlyItsBytesChange) {
    useTable({record("4", "Fennick", "GT", {Row10, Memory150})});
    ImageSnapshot wanted = ImageSnapshot::Take();
    ASSERT_TRUE(Load_Record(1, Start::KeepMaps));
    EXPECT_EQ(folder.read("KVRWDOut.cfg"),
              QByteArray("MAPS:\r\n"
                         " 8 0 255   0   0   0 255   3 255 255   0 255 255 255 255 255 255 255 \r\n"
                         " 9 0  10   4   2   1  34 222   3   0  20  43  74 105 137 168 199 231 \r\n"
                         "10 0   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15  16 \r\n"
                         "150M   7   1 \r\n"
                         "End\r\n"));
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('|').toStdString();

    // Addresses 128..159 from the fixed rows, 160..175 from the row line, 150 and
    // 151 from the memory line; nothing else of the image.
    const int fixed[32] = {255, 0, 0, 0, 255, 3,   255, 255, 0,  255, 255, 255, 255, 255, 255, 255,
                           10,  4, 2, 1, 34,  222, 3,   0,   20, 43,  74,  105, 137, 168, 199, 231};
    for (int a = 0; a < 32; ++a)
        wanted.param[128 + a] = static_cast<std::int16_t>(fixed[a]);
    for (int a = 0; a < 16; ++a)
        wanted.param[160 + a] = static_cast<std::int16_t>(a + 1);
    wanted.param[150] = 7;
    wanted.param[151] = 1;
    EXPECT_TRUE(ImageSnapshot::Take() == wanted);
}

TEST_F(WiringDiagramTest, BlankMapFileStartsWithTheTemplateBeforeItsEnd) {
    // Every map row, row 10 of the parameter page unlike the others; the copy
    // ends at the first line that holds "End".
    QStringList rows = fullRows(0);
    rows[2] = Row10;
    QStringList blank{"KVR6 blank map image", ""};
    blank << rows << "Ends the copy" << Memory150 << "End";
    folder.writeLines("BLANKKVR6.WTS", blank);
    Record r = record("4", "Fennick", "GT", {Memory150});
    useTable({r});
    ImageSnapshot wanted = ImageSnapshot::Take();
    ASSERT_TRUE(Load_Record(1, Start::BlankMap));
    QStringList written{"KVR6 blank map image", ""};
    written << rows << Memory150 << "End";
    EXPECT_EQ(folder.read("KVRWDOut.cfg"), (written.join("\r\n") + "\r\n").toLatin1());
    for (int a = 128; a < 256; ++a)
        wanted.param[a] = 0;
    for (int a = 0; a < 256; ++a)
        wanted.map5[a] = 0;
    for (int a = 0; a < 176; ++a)
        wanted.map6[a] = 0;
    for (int a = 0; a < 16; ++a)
        wanted.param[160 + a] = static_cast<std::int16_t>(a + 1);
    wanted.param[150] = 7;
    wanted.param[151] = 1;
    EXPECT_TRUE(ImageSnapshot::Take() == wanted);

    // A record without map lines: the start lines and "End" only.
    useTable({record("5", "Fennick", "GT")});
    ASSERT_TRUE(Load_Record(1, Start::KeepMaps));
    EXPECT_EQ(folder.read("KVRWDOut.cfg").count('\n'), 4);
}

TEST_F(WiringDiagramTest, ARefusedLoadChangesNothingAndIsTold) {
    const QString bad =
        QStringLiteral("11 0   1   2 300   4   5   6   7   8   9  10  11  12  13  14  15  16 ");
    useTable({record("4", "Fennick", "GT", {Row10, bad, Memory150})});
    const ImageSnapshot before = ImageSnapshot::Take();
    EXPECT_FALSE(Load_Record(1, Start::KeepMaps));
    EXPECT_TRUE(ImageSnapshot::Take() == before);
    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString told = dialogs.records()[0].text;
    EXPECT_TRUE(told.contains("No. 4 (file4.kvr)")) << told.toStdString();
    EXPECT_TRUE(told.contains("map line 2")) << told.toStdString();
    EXPECT_TRUE(told.contains(bad)) << told.toStdString();
    EXPECT_TRUE(told.contains("unchanged")) << told.toStdString();
}

TEST_F(WiringDiagramTest, AFailedWriteOfTheFileStopsTheLoad) {
    // An earlier load left a good file; it must not be read back as this one.
    useTable({record("4", "Fennick", "GT", {Row10})});
    ASSERT_TRUE(Load_Record(1, Start::KeepMaps));
    fillImage();
    const ImageSnapshot before = ImageSnapshot::Take();
    QFile::remove(folder.file("KVRWDOut.cfg"));
    ASSERT_TRUE(QDir().mkdir(folder.file("KVRWDOut.cfg"))); // a folder where the file goes
    useTable({record("6", "Quill", "Tilden", {Memory150})});
    EXPECT_FALSE(Load_Record(1, Start::KeepMaps));
    EXPECT_TRUE(ImageSnapshot::Take() == before);
    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString told = dialogs.records()[0].text;
    EXPECT_TRUE(told.startsWith("The wiring-diagram map file KVRWDOut.cfg could not be written ("))
        << told.toStdString();
    EXPECT_TRUE(told.contains("No. 6")) << told.toStdString();
}

TEST_F(WiringDiagramTest, ABlankMapNeedsAWholeTemplate) {
    useTable({record("4", "Fennick", "GT", {Row10})});
    const ImageSnapshot before = ImageSnapshot::Take();
    const struct {
        QStringList lines; // none: no template at all
        const char* told;
    } cases[] = {
        {{}, "could not be read"},
        {{"KVR6 blank map image", Row10}, "cut short"},
    };
    for (const auto& c : cases) {
        QFile::remove(folder.file("BLANKKVR6.WTS"));
        if (!c.lines.isEmpty())
            folder.writeLines("BLANKKVR6.WTS", c.lines);
        const auto count = dialogs.records().size();
        EXPECT_FALSE(Load_Record(1, Start::BlankMap));
        EXPECT_TRUE(ImageSnapshot::Take() == before);
        ASSERT_EQ(dialogs.records().size(), count + 1);
        const QString told = dialogs.records().back().text;
        EXPECT_TRUE(told.contains(c.told) && told.contains("BLANKKVR6.WTS")) << told.toStdString();
        EXPECT_FALSE(folder.exists("KVRWDOut.cfg"));
    }
}

TEST_F(WiringDiagramTest, TheShippedRecordsLoadWhole) {
    folder.copyData("KVRWD.cfg");
    folder.copyData("BLANKKVR6.WTS");
    WtsGeneral::Read_WD_File();
    const int count = WdTable[0][0].toInt();
    ASSERT_GE(count, 5);
    for (int n = 1; n <= count; ++n) {
        EXPECT_GE(WdTable[n][FieldCount].toInt(), FirstMapLine) << n;
        for (const Start start : {Start::KeepMaps, Start::BlankMap}) {
            fillImage();
            const ImageSnapshot before = ImageSnapshot::Take();
            EXPECT_TRUE(Load_Record(n, start)) << n;
            EXPECT_FALSE(ImageSnapshot::Take() == before) << n;
        }
    }
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('|').toStdString();
}
