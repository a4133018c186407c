// The three readers of a tune-map header: the library scan, the row click and
// the map load find the same tags but slice and trim them by their own rules.

#include "LibraryTestSupport.h"

#include "platform/TextFile.h"

using namespace TuneMap;

namespace {

using Field = std::optional<QString> HeaderValues::*;
using Expected = std::optional<QString>;

struct LineCase {
    QString line;
    Field field;
    Expected scan;
    Expected click;
    Expected load;
};

const QString Pad = QString(64, ' ');

std::vector<LineCase> lineCases() {
    const QString longYear = "Year:" + QString(70, 'y');
    return {
        // at column 1 the scan keeps the blank after the colon; the others take
        // column 6 on, padded to 64
        {"Dscr: Road tune", &HeaderValues::dscr, " Road tune", (" Road tune" + Pad).left(64),
         (" Road tune" + Pad).left(64)},
        // mid-line: the scan starts behind the tag, the others still at column 6
        {"xx Dscr: mid", &HeaderValues::dscr, " mid", ("cr: mid" + Pad).left(64),
         ("cr: mid" + Pad).left(64)},
        {"Mapid:STAGE-1  ", &HeaderValues::mapId, "STAGE-1  ", "STAGE-1", "STAGE-1  "},
        {"Vehicle Make:Audi", &HeaderValues::make, "Audi", "Audi", "Audi"},
        {"Model: A4   Type:Car", &HeaderValues::model, " A4   Type:Car", "A4   Type:Car",
         " A4   Type:Car"},
        {"Model: A4   Type:Car", &HeaderValues::type, "Car", "Car", "Car"},
        {"Owner:Jo Soap", &HeaderValues::owner, "Jo Soap", "Jo Soap", "Jo Soap"},
        {"Owner:Jo Soap", &HeaderValues::ownerEmail, std::nullopt, std::nullopt, std::nullopt},
        // "Owner:" is not found inside "Owner Email:"
        {"Owner Email:jo@x.example", &HeaderValues::owner, std::nullopt, std::nullopt,
         std::nullopt},
        {"Owner Email:jo@x.example", &HeaderValues::ownerEmail, "jo@x.example", "jo@x.example",
         "jo@x.example"},
        // the row click takes the owner from column 7 + the column of "Type:"
        {"Type:Van Owner:Ann Lee", &HeaderValues::owner, "Ann Lee", "n Owner:Ann Lee", "Ann Lee"},
        // the e-mail from column 13 + the column of "Owner:" (scan, load) or of
        // "Type:" (row click)
        {"x Owner:Bo Owner Email:bo@x", &HeaderValues::ownerEmail, "r Email:bo@x",
         "wner Email:bo@x", "r Email:bo@x"},
        {longYear, &HeaderValues::year, QString(64, 'y'), QString(64, 'y'), QString(64, 'y')},
        {"no tags here: mapid: dscr", &HeaderValues::mapId, std::nullopt, std::nullopt,
         std::nullopt},
    };
}

} // namespace

TEST(HeaderReader, EachRuleSetSlicesAndTrimsItsOwnWay) {
    for (const LineCase& c : lineCases()) {
        for (const auto& [rules, expected] : {std::pair{HeaderRules::LibraryScan, c.scan},
                                              {HeaderRules::RowClick, c.click},
                                              {HeaderRules::MapLoad, c.load}}) {
            HeaderValues v;
            Read_Header_Line(c.line, rules, v);
            EXPECT_EQ(v.*c.field, expected) << c.line << " rules " << static_cast<int>(rules);
        }
    }
}

namespace {

class HeaderFile : public LibraryTest {
protected:
    HeaderFile() {
        folder.writeLines(Name, QStringList{"Fast Lane Motors", "E-mail: shop@x", "Dscr: Road tune",
                                            "Mapid:STAGE-1", "Make:Audi", "Model:A4", "Type:Car",
                                            "Owner:Jo Soap", "Owner Email:jo@x.example", "MAPS:"}
                                    << fullRows(1)
                                    // the end line, with the one Year tag of the file
                                    << "Year:1999");
    }
    const QString Name = QStringLiteral("Road.kvr");
};

} // namespace

TEST_F(HeaderFile, TheScanExaminesTheLastLine) {
    const HeaderValues v = Scan_Header(TextFile::readLines(folder.file(Name)));
    EXPECT_EQ(v.year, QStringLiteral("1999"));
    EXPECT_EQ(v.dscr, QStringLiteral(" Road tune"));
    EXPECT_EQ(v.make, QStringLiteral("Audi"));
}

TEST_F(HeaderFile, TheRowClickKeepsElementsNotFoundAndSavesTheRecord) {
    LibRecord[0] = QStringLiteral("9");
    LibRecord[7] = QStringLiteral("kept year");
    LibRecord[2] = QStringLiteral("other.kvr");
    MapDscr = QStringLiteral("the current map");
    Read_Row_Click(Name);
    EXPECT_EQ(LibRecord[1], QStringLiteral("Road tune"));
    EXPECT_EQ(LibRecord[2], Name);
    EXPECT_EQ(LibRecord[3], QStringLiteral("Audi"));
    EXPECT_EQ(LibRecord[4], QStringLiteral("STAGE-1"));
    EXPECT_EQ(LibRecord[5], QStringLiteral("A4"));
    EXPECT_EQ(LibRecord[6], QStringLiteral("Car"));
    EXPECT_EQ(LibRecord[7], QStringLiteral("kept year")) << "the last line is not examined";
    EXPECT_EQ(LibRecord[8], QStringLiteral("Jo Soap"));
    EXPECT_EQ(LibRecord[9], QStringLiteral("jo@x.example"));
    EXPECT_EQ(MapDscr, QStringLiteral("the current map")) << "a click loads nothing";
    const QStringList saved = TextFile::readLines(folder.file("KVR6FileInfo.cfg"));
    EXPECT_TRUE(saved.contains(Name));
    EXPECT_TRUE(saved.contains("kept year"));
}

TEST_F(HeaderFile, TheMapLoadKeepsValuesNotFoundAndStopsAtMaps) {
    MapInfo.year = QStringLiteral("old year");
    MapInfo.owner = QStringLiteral("old owner");
    const LoadResult r = Load_Tune_Map(Name);
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.mapsLine);
    EXPECT_EQ(r.rows.applied, 35);
    EXPECT_EQ(ParamBlock[128], 1);
    EXPECT_EQ(MapInfo.year, QStringLiteral("old year"));
    EXPECT_EQ(MapInfo.owner, QStringLiteral("Jo Soap"));
    EXPECT_EQ(MapInfo.fileName, Name);
    EXPECT_EQ(MapId, QStringLiteral("STAGE-1"));
}
