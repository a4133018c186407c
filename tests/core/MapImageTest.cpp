#include "core/MapImage.h"
#include "CoreTestSupport.h"
#include "core/WtsCMScale.h"
#include "platform/NumberRules.h"
#include "platform/TextFile.h"

using WtsGeneral::Parse_Map_Image;

namespace {
const QString Row8 = " 8 0 255   0   0   0 255   3 255 255   0 255 255 255 255 255 255 255 ";
const int Row8Values[16] = {255, 0, 0, 0, 255, 3, 255, 255, 0, 255, 255, 255, 255, 255, 255, 255};

WtsGeneral::MapImageResult parse(const QStringList& lines) {
    TextReader r = TextReader::fromText(lines.join("\r\n") + "\r\n");
    return Parse_Map_Image(r);
}

QString rowLine(int row, int page, int value) {
    QString s = QString("%1 %2").arg(row, 2).arg(page);
    for (int k = 0; k < 16; ++k)
        s += QString(" %1").arg(value, 3);
    return s + ' ';
}
} // namespace

class MapImageTest : public CoreTest {};

// A row line of its full 69 characters and one without its closing blank.
class RowLineLength : public MapImageTest, public ::testing::WithParamInterface<int> {};

TEST_P(RowLineLength, FillsSixteenElements) {
    ASSERT_EQ(Row8.size(), 69);
    const QString line = Row8.left(GetParam());
    const auto result = parse({line, "End"});
    EXPECT_TRUE(result.ok());
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(ParamBlock[128 + k], Row8Values[k]) << line.size() << " " << k;
}

INSTANTIATE_TEST_SUITE_P(Lengths, RowLineLength, ::testing::Values(69, 68));

TEST_F(MapImageTest, LineOf67CharactersIsNoRowLine) {
    const auto result = parse({Row8.left(67), "End"});
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(ParamBlock[128], 0);
}

TEST_F(MapImageTest, RowLinesReachEveryPage) {
    parse({rowLine(15, 1, 7), rowLine(0, 2, 9), rowLine(3, 3, 11), rowLine(1, 4, 13)});
    EXPECT_EQ(Map5Image[255], 7);
    EXPECT_EQ(Map5Image[240], 7);
    EXPECT_EQ(Map6Image[0], 9);
    EXPECT_EQ(Map6Image[15], 9);
    EXPECT_EQ(Image3[48], 11);
    EXPECT_EQ(AmpAxisTable[16], 13);
}

// A memory line with and without a closing blank.
class MemoryLine : public MapImageTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(MemoryLine, StoresExactlyItsValues) {
    const QString line = QString::fromLatin1(GetParam());
    ParamBlock[132] = 99;
    EXPECT_TRUE(parse({line}).ok()) << line;
    EXPECT_EQ(ParamBlock[130], 12);
    EXPECT_EQ(ParamBlock[131], 34);
    EXPECT_EQ(ParamBlock[132], 99) << "no value beyond the line's own";
}

INSTANTIATE_TEST_SUITE_P(Ends, MemoryLine, ::testing::Values("130M  12  34", "130M  12  34 "));

TEST_F(MapImageTest, MemoryLineOfOneValueAndTwoBlanksStoresThatValueOnly) {
    ParamBlock[131] = 99;
    EXPECT_TRUE(parse({"130M  12  "}).ok());
    EXPECT_EQ(ParamBlock[130], 12);
    EXPECT_EQ(ParamBlock[131], 99);
}

TEST_F(MapImageTest, BitLineAppliesAndThenOr) {
    ParamBlock[150] = 3;
    EXPECT_TRUE(parse({"150B   4 251"}).ok());
    EXPECT_EQ(ParamBlock[150], 7);
}

TEST_F(MapImageTest, TheLastLineIsAppliedToo) {
    const auto result = parse({"MAPS:", rowLine(0, 1, 5)});
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(Map5Image[0], 5);
}

TEST_F(MapImageTest, LongMemoryLineIsNotAlsoARowLine) {
    QString line = "130M";
    for (int k = 0; k < 17; ++k)
        line += "   1";
    ASSERT_GT(line.size(), 67);
    ParamBlock[16 * 13] = 0; // the row "13" of page 0 a row reading would hit
    const auto result = parse({line});
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(ParamBlock[130], 1);
    EXPECT_EQ(ParamBlock[146], 1);
    EXPECT_EQ(ParamBlock[208], 0);
}

// Each kind of bad line, after a good one, each from the start values.
QStringList badLines() {
    QString badValue = rowLine(2, 1, 1);
    badValue.replace(5 + 4 * 7, 3, "256");
    QString fraction = rowLine(2, 1, 1);
    fraction.replace(5 + 4 * 3, 3, "1.5");
    QString noRowBlank = rowLine(2, 1, 1);
    noRowBlank[2] = '0';
    QString noValueBlank = rowLine(2, 1, 1);
    noValueBlank[8] = '1';
    return {
        rowLine(16, 1, 1),      // row out of range
        noRowBlank,             // row and page run together
        noValueBlank,           // two values run together
        rowLine(2, 1, 1) + "x", // text after the last value
        "150B   4 251 x",       // text after the masks
        rowLine(2, 5, 1),       // page out of range
        badValue,               // value above 255
        fraction,               // not a whole number
        "255M   1   2",         // runs past the table
        "150B 300 255",         // mask above 255
        "130M  12  xx",         // not a number
        "130Mx 12  34",         // no blank after the letter
        "130M",                 // a memory line cut after its kind letter
    };
}

class BadLine : public MapImageTest, public ::testing::WithParamInterface<QString> {};

TEST_P(BadLine, ChangesNothingAndIsCounted) {
    const QString& bad = GetParam();
    const auto result = parse({"MAPS:", rowLine(0, 1, 5), bad, "End"});
    EXPECT_EQ(result.rejected, 1) << bad.toStdString();
    EXPECT_EQ(result.firstRejectedLine, 3);
    EXPECT_EQ(Map5Image[0], 5) << "the good line before is kept";
    EXPECT_EQ(Map5Image[32], 0) << bad.toStdString();
    EXPECT_EQ(Map5Image[256], 0);
    EXPECT_EQ(ParamBlock[255], 0);
    EXPECT_EQ(ParamBlock[130], 0);
    EXPECT_EQ(ParamBlock[150], 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BadLine, ::testing::ValuesIn(badLines()));

TEST_F(MapImageTest, FirstOfSeveralBadLinesIsTheOneNamed) {
    const auto result = parse({"MAPS:", rowLine(16, 1, 1), rowLine(0, 1, 5), "130M  12  xx"});
    EXPECT_EQ(result.rejected, 2);
    EXPECT_EQ(result.firstRejectedLine, 2);
    EXPECT_EQ(result.applied, 1);
}

TEST_F(MapImageTest, ShortAndHeaderLinesAreSkippedSilently) {
    const auto result = parse({"Dscr: anything", "", "MAPS:", "End of KVR6 Tune Map"});
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.applied, 0);
}

TEST_F(MapImageTest, ShippedBlankTemplateLoadsWithoutARejectedLine) {
    folder.copyData("BLANKKVR6.WTS");
    const auto result = WtsGeneral::Load_Blank_Template();
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.applied, 8 + 16 + 11);
    EXPECT_TRUE(dialogs.records().empty());
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 4);
    // Both AMP calibration points are set, so the scale rules keep them: the AMP
    // axis labels run 0.00 .. 5.00 V.
    MapLoaded = -1;
    WtsCM::Calc_Amp_Scale();
    ASSERT_TRUE(AmpScale.valid);
    EXPECT_EQ(NumberRules::Format(AmpScale.K * 0 + AmpScale.C, QStringLiteral("#0.00")), "0.00");
    EXPECT_EQ(NumberRules::Format(AmpScale.K * 15 + AmpScale.C, QStringLiteral("#0.00")), "5.00");
    EXPECT_NE(ParamBlock[Idx_AmpCal1] + ParamBlock[Idx_AmpCal5], 0) << "point 1 is no default";
    // Every RPM break point is a real period, rising in RPM.
    int last = 1 << 30;
    for (int n = 0; n < 16; ++n) {
        const int period = ParamBlock[224 + 2 * n] * 256 + ParamBlock[225 + 2 * n];
        EXPECT_GT(period, 0);
        EXPECT_LT(period, last);
        last = period;
    }
}

TEST_F(MapImageTest, MissingTemplateIsToldAndTheImageStaysEmpty) {
    const auto result = WtsGeneral::Load_Blank_Template();
    EXPECT_EQ(result.applied, 0);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("BLANKKVR6.WTS"));
}

TEST_F(MapImageTest, RejectedLinesOfTheTemplateAreToldWithTheirLine) {
    folder.writeLines("BLANKKVR6.WTS", {"title", rowLine(0, 1, 1), rowLine(20, 1, 1), "End"});
    const auto result = WtsGeneral::Load_Blank_Template();
    EXPECT_EQ(result.rejected, 1);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("Line 3"));
    EXPECT_TRUE(dialogs.records()[0].text.contains("BLANKKVR6.WTS"));
}

// Page 0, 1 and 2 of the image, each from the start values.
class WrittenRowLine : public MapImageTest, public ::testing::WithParamInterface<int> {};

TEST_P(WrittenRowLine, ReadsBackIntoTheSameRowOfItsPage) {
    // 7 takes two blanks, 42 one, 255 none; every field ends in a blank.
    const std::array<int, 16> values{7,   42,  255, 0, 1,   99,  100, 128,
                                     200, 254, 10,  9, 170, 171, 3,   250};
    const int page = GetParam();
    ImageTable* const table = std::array{&ParamBlock, &Map5Image, &Map6Image}[page];
    for (int k = 0; k < 16; ++k)
        (*table)[11 * 16 + k] = static_cast<std::int16_t>(values[k]);
    const QString line = WtsGeneral::Map_Row_Line(11, page, *table);
    EXPECT_EQ(line.size(), 69);
    EXPECT_TRUE(line.startsWith(QString("11 %1   7  42 255   0 ").arg(page))) << line;
    EXPECT_TRUE(line.endsWith(" 250 "));
    const ImageTable written = *table;
    table->fill(0);
    ASSERT_TRUE(parse({line, "End"}).ok()) << line;
    EXPECT_EQ(*table, written) << page;
}

INSTANTIATE_TEST_SUITE_P(Pages, WrittenRowLine, ::testing::Values(0, 1, 2));

TEST_F(MapImageTest, WrittenRowLineOfAOneDigitRowStartsWithABlank) {
    EXPECT_TRUE(WtsGeneral::Map_Row_Line(3, 1, Map5Image).startsWith(" 3 1 "));
}

TEST_F(MapImageTest, ACutTemplateIsToldAndNotLoadedAtAll) {
    const QString good = rowLine(0, 1, 1);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"cut after a row", ("title\r\n" + good + "\r\n" + good).toLatin1()},
        {"cut inside a row", ("title\r\n" + good + "\r\n" + good.left(30)).toLatin1()},
        {"empty", QByteArray()},
    };
    for (const auto& c : cases) {
        Map5Image[0] = 0;
        folder.write("BLANKKVR6.WTS", c.bytes);
        dialogs.clear();
        WtsGeneral::Load_Blank_Template();
        ASSERT_EQ(dialogs.records().size(), 1u) << c.what;
        const QString told = dialogs.records()[0].text;
        EXPECT_TRUE(told.startsWith("BLANKKVR6.WTS is cut short or empty")) << c.what;
        EXPECT_TRUE(told.contains("The program uses an empty map")) << c.what;
        EXPECT_EQ(Map5Image[0], 0) << c.what << ": nothing of it was loaded";
    }
}
