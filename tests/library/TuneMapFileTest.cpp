// The tune-map file as written new and read back into the unit image.

#include "LibraryTestSupport.h"

#include "platform/TextFile.h"

using namespace TuneMap;

namespace {

class TuneMapFileTest : public LibraryTest {
protected:
    QList<QByteArray> writtenLines(const QString& name) {
        const QByteArray bytes = folder.read(name);
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        QList<QByteArray> lines = bytes.split('\n');
        lines.removeLast(); // behind the last line end
        return lines;
    }
};

} // namespace

TEST_F(TuneMapFileTest, NewFileIsTheFiftyFiveLinesByteForByte) {
    fillImage();
    fillRecords();
    Write_New_File(QStringLiteral("Audi A4.kvr"), clock());

    const QList<QByteArray> lines = writtenLines(QStringLiteral("Audi A4.kvr"));
    ASSERT_EQ(lines.size(), 55);
    for (const QByteArray& l : lines)
        EXPECT_TRUE(l.endsWith('\r')) << "every line ends in CR LF";
    auto line = [&](int n) { return lines[n - 1].chopped(1); };

    const QList<QByteArray> header{
        "Fast Lane Motors",
        "   Tel: 011 555 0100",
        "   Fax: 011 555 0101",
        "E-mail: shop@fastlane.example",
        "",
        "KVR6: Tune Map file for the KVR6",
        "Date: 05/03/2026    Time: 09:07:02",
        "File name: Audi A4.kvr",
        "",
        QByteArray("Dscr: Audi-A4-1999-Car-Stage \xAA").leftJustified(70, ' '),
        "Mapid:Stage 1",
        "Make:Audi",
        "Model:A4",
        "Year:1999",
        "Type:Car",
        "Owner:Jo Soap",
        "Owner Email:jo@soap.example",
        "",
        "MAPS:"};
    for (int n = 1; n <= 19; ++n)
        EXPECT_EQ(line(n), header[n - 1]) << "line " << n;
    EXPECT_EQ(line(10).size(), 70);

    // Page 0 rows 8..15, page 1 rows 0..15, page 2 rows 0..10.
    int n = 20;
    for (const auto& [page, first, last] : {std::tuple{0, 8, 15}, {1, 0, 15}, {2, 0, 10}})
        for (int r = first; r <= last; ++r, ++n) {
            EXPECT_EQ(line(n).size(), 69) << "line " << n;
            EXPECT_TRUE(line(n).startsWith(QString("%1 %2 ").arg(r, 2).arg(page).toLatin1()))
                << "line " << n << ": " << line(n);
        }
    EXPECT_EQ(line(20), " 8 0 128 129 130 131 132 133 134 135 136 137 138 139 140 141 142 143 ");
    EXPECT_EQ(line(28), " 0 1 255 254 253 252 251 250 249 248 247 246 245 244 243 242 241 240 ");
    EXPECT_EQ(line(54), "10 2  99 106 113 120 127 134 141 148 155 162 169 176 183 190 197 204 ");
    EXPECT_EQ(line(55), "End of KVR6 Tune Map");

    EXPECT_EQ(MapDscr, QString("Audi-A4-1999-Car-Stage ") + QChar(170) + QString(40, ' '));
}

TEST_F(TuneMapFileTest, DescriptionIsPaddedOrCutToSixtyFour) {
    fillRecords();
    for (const QString& d : {QString("abc"), QString(70, 'x'), QString()}) {
        LibRecord[1] = d;
        Write_New_File(QStringLiteral("d.kvr"), clock());
        const QByteArray dscr = writtenLines(QStringLiteral("d.kvr"))[9].chopped(1);
        EXPECT_EQ(dscr.size(), 70);
        EXPECT_EQ(dscr, "Dscr: " + d.toLatin1().leftJustified(64, ' ', true));
    }
}

TEST_F(TuneMapFileTest, AnEmptyDealerCompanyIsWrittenAsTheMakersName) {
    fillRecords();
    DealerCompany.clear();
    Write_New_File(QStringLiteral("d.kvr"), clock());
    EXPECT_EQ(writtenLines(QStringLiteral("d.kvr"))[0], "Zanfor\r");
}

TEST_F(TuneMapFileTest, AValueThatIsNoByteWritesNothing) {
    fillImage();
    fillRecords();
    folder.writeLines(QStringLiteral("old.kvr"), {"kept"});
    Map5Image[37] = 300;
    try {
        Write_New_File(QStringLiteral("old.kvr"), clock());
        FAIL() << "a value of 300 was written";
    } catch (const KvrError& e) {
        EXPECT_TRUE(e.description().contains("page 1 address 37 holds 300")) << e.description();
    }
    EXPECT_EQ(folder.read(QStringLiteral("old.kvr")), "kept\r\n");
}

TEST_F(TuneMapFileTest, WrittenThenLoadedIntoAZeroedImageGivesBackThePagesAndLeavesTheRest) {
    fillImage();
    fillRecords();
    const ImageTable param = ParamBlock, map5 = Map5Image, map6 = Map6Image;
    Write_New_File(QStringLiteral("Audi A4.kvr"), clock());

    // What the file does not hold keeps a mark no file can give.
    for (ImageTable* t : {&ParamBlock, &Map5Image, &Map6Image, &Image3})
        t->fill(0);
    for (int a = 0; a < 128; ++a)
        ParamBlock[a] = -1;
    ParamBlock[256] = -1;
    for (int a = 176; a < 257; ++a)
        Map6Image[a] = -1;
    Map5Image[256] = -1;
    NoTuneFlag = 170;

    const LoadResult result = Load_Tune_Map(QStringLiteral("Audi A4.kvr"));
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.mapsLine);
    EXPECT_EQ(result.rows.applied, 35);
    for (int a = 0; a < 257; ++a) {
        EXPECT_EQ(ParamBlock[a], a >= 128 && a < 256 ? param[a] : -1) << a;
        EXPECT_EQ(Map5Image[a], a < 256 ? map5[a] : -1) << a;
        EXPECT_EQ(Map6Image[a], a < 176 ? map6[a] : -1) << a;
        EXPECT_EQ(Image3[a], 0) << a;
    }
    // The blank after "Dscr:" stays part of the value; the 64th character drops off.
    EXPECT_EQ(MapDscr, (" Audi-A4-1999-Car-Stage " + QString(QChar(170))).leftJustified(64, ' '));
    EXPECT_EQ(MapId, QStringLiteral("Stage 1"));
    EXPECT_EQ(MapInfo.make, QStringLiteral("Audi"));
    EXPECT_EQ(MapInfo.model, QStringLiteral("A4"));
    EXPECT_EQ(MapInfo.year, QStringLiteral("1999"));
    EXPECT_EQ(MapInfo.type, QStringLiteral("Car"));
    EXPECT_EQ(MapInfo.owner, QStringLiteral("Jo Soap"));
    EXPECT_EQ(MapInfo.ownerEmail, QStringLiteral("jo@soap.example"));
    EXPECT_EQ(MapInfo.fileName, QStringLiteral("Audi A4.kvr"));
    EXPECT_EQ(NoTuneFlag, 170) << "a line of 70 characters leaves the No-Tune flag";
}

TEST_F(TuneMapFileTest, TheNoTuneMarkIsTheSeventyFirstCharacter) {
    const QString seventy = QString("Dscr: ").leftJustified(70, 'd');
    EXPECT_EQ(NoTune_Mark(seventy), std::nullopt);
    EXPECT_EQ(NoTune_Mark(seventy + QChar(170)), 171);
    EXPECT_EQ(NoTune_Mark(seventy + QChar(171)), 255);
    EXPECT_EQ(NoTune_Mark(seventy + 'x'), 255);

    // Through a file on disk, as Latin-1 bytes.
    struct Case {
        QByteArray dscr;
        int expected;
    };
    for (const Case& c : {Case{QByteArray("Dscr: ").leftJustified(70, 'd'), 33},
                          Case{QByteArray("Dscr: ").leftJustified(70, 'd') + '\xAA', 171},
                          Case{QByteArray("Dscr: ").leftJustified(70, 'd') + 'q', 255}}) {
        NoTuneFlag = 33;
        folder.write("nt.kvr", "E-mail: x\r\n" + c.dscr + "\r\nMAPS:\r\n" +
                                   fullRows(1).join("\r\n").toLatin1() + "\r\nEnd\r\n");
        ASSERT_TRUE(Load_Tune_Map("nt.kvr").ok());
        EXPECT_EQ(NoTuneFlag, c.expected) << c.dscr.size();
    }
}

TEST_F(TuneMapFileTest, AFileWithABadRowChangesNothing) {
    fillImage();
    fillRecords();
    Write_New_File(QStringLiteral("bad.kvr"), clock());
    QByteArray bytes = folder.read("bad.kvr");
    bytes.replace(" 0 1 255 254 253", " 0 1 300 254 253");
    folder.write("bad.kvr", bytes);

    const ImageTable param = ParamBlock;
    for (ImageTable* t : {&Map5Image, &Map6Image})
        t->fill(5);
    MapDscr = QStringLiteral("current");
    MapId = QStringLiteral("current id");
    MapInfo.make = QStringLiteral("current make");
    NoTuneFlag = 255;

    const LoadResult result = Load_Tune_Map("bad.kvr");
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.rows.firstRejectedLine, 28);
    EXPECT_EQ(ParamBlock, param);
    for (int a = 0; a < 257; ++a)
        EXPECT_EQ(Map5Image[a] + Map6Image[a], 10) << a;
    EXPECT_EQ(MapDscr, QStringLiteral("current"));
    EXPECT_EQ(MapId, QStringLiteral("current id"));
    EXPECT_EQ(MapInfo.make, QStringLiteral("current make"));
    EXPECT_TRUE(MapInfo.fileName.isEmpty());
}

// A load is all or nothing: a file whose map rows are cut off, missing or never
// begun changes neither the image nor the current map's record.
TEST_F(TuneMapFileTest, AFileWithoutEveryMapRowIsRefusedAndChangesNothing) {
    const QStringList rows = fullRows(1);
    struct Case {
        const char* what;
        QStringList lines;
        QString missing;
    };
    const std::vector<Case> cases{
        {"cut after 20 rows", QStringList{"E-mail: x", "Make:Fiat", "MAPS:"} << rows.mid(0, 20),
         "page 5 addresses 192 to 255, page 6 addresses 0 to 175"},
        {"a row in the middle missing",
         QStringList{"E-mail: x", "Make:Fiat", "MAPS:"} << rows.mid(0, 8) << rows.mid(9) << "End",
         "page 5 addresses 0 to 15"},
        {"no rows after MAPS:",
         {"E-mail: x", "Make:Fiat", "MAPS:", "End"},
         "page 4 addresses 128 to 255, page 5 addresses 0 to 255, page 6 addresses 0 to 175"},
        // the last line is never examined, so this "MAPS:" begins nothing
        {"MAPS: as the last line", QStringList{"E-mail: x", "Make:Fiat"} << rows << "MAPS:", ""},
    };
    for (const Case& c : cases) {
        fillImage();
        const ImageTable param = ParamBlock, map5 = Map5Image, map6 = Map6Image;
        MapInfo = {};
        MapInfo.make = QStringLiteral("current make");
        folder.writeLines("cut.kvr", c.lines);
        const LoadResult result = Load_Tune_Map("cut.kvr");
        EXPECT_FALSE(result.ok()) << c.what;
        if (!c.missing.isEmpty()) {
            EXPECT_EQ(result.missing, c.missing) << c.what;
        }
        EXPECT_TRUE(Refused_Load_Text("cut.kvr", result).contains("cut.kvr")) << c.what;
        EXPECT_EQ(ParamBlock, param) << c.what;
        EXPECT_EQ(Map5Image, map5) << c.what;
        EXPECT_EQ(Map6Image, map6) << c.what;
        EXPECT_EQ(MapInfo.make, QStringLiteral("current make")) << c.what;
        EXPECT_TRUE(MapInfo.fileName.isEmpty()) << c.what;
    }
}

TEST_F(TuneMapFileTest, AMissingFileIsAnError) {
    EXPECT_THROW(Load_Tune_Map("none.kvr"), KvrError);
    EXPECT_THROW(Read_Row_Click("none.kvr"), KvrError);
}
