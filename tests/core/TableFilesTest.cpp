#include "core/TableFiles.h"
#include "CoreTestSupport.h"
#include "platform/NumberRules.h"

#include <QFile>
#include <optional>
#include <set>

using namespace WtsGeneral;

class TableFilesTest : public CoreTest {};

// ---- file information ------------------------------------------------------

TEST_F(TableFilesTest, FileInfoThreeLinesReadAndNineWritten) {
    LibRecord[5] = "model kept";
    folder.writeLines("KVR6FileInfo.cfg",
                      {"KVR6 File Information Details", "", "Display IN:", "  A tune ", "tune.kvr",
                       "LEGEND MOTORS", "END Info:", "after the end"});
    Read_FileInfo_File();
    EXPECT_EQ(LibRecord[0], "3");
    EXPECT_EQ(LibRecord[1], "A tune");
    EXPECT_EQ(LibRecord[3], "LEGEND MOTORS");
    EXPECT_EQ(LibRecord[5], "model kept");

    Write_FileInfo_File();
    EXPECT_EQ(LibRecord[0], "9");
    EXPECT_EQ(folder.read("KVR6FileInfo.cfg"),
              QByteArray("KVR6 File Information Details\r\n\r\nDisplay IN:\r\nA tune\r\n"
                         "tune.kvr\r\nLEGEND MOTORS\r\n\r\nmodel kept\r\n\r\n\r\n\r\n\r\n"
                         "END Info:\r\n"));
    const auto written = LibRecord;
    LibRecord = {};
    Read_FileInfo_File();
    EXPECT_EQ(LibRecord, written);
}

TEST_F(TableFilesTest, FileInfoValuesThatWouldSplitAreReplacedAndTold) {
    LibRecord[1] = "first\nsecond";
    LibRecord[4] = "END Info:";
    LibRecord[8] = "Owner, with comma";
    Write_FileInfo_File();
    EXPECT_EQ(LibRecord[1], "first second");
    EXPECT_EQ(LibRecord[4], "END Info");
    EXPECT_EQ(LibRecord[8], "Owner, with comma");
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("Description"));
    EXPECT_TRUE(dialogs.records()[0].text.contains("Map Id"));
    EXPECT_FALSE(dialogs.records()[0].text.contains("Owner"));
    const auto written = LibRecord;
    LibRecord = {};
    Read_FileInfo_File();
    EXPECT_EQ(LibRecord, written);
}

TEST_F(TableFilesTest, FileInfoSurplusAndMissing) {
    QStringList lines{"t", "", "Display IN:"};
    for (int i = 1; i <= 30; ++i)
        lines << QString::number(i);
    folder.writeLines("KVR6FileInfo.cfg", lines);
    Read_FileInfo_File();
    EXPECT_EQ(LibRecord[0], "25");
    EXPECT_EQ(LibRecord[25], "25");

    QFile::remove(folder.file("KVR6FileInfo.cfg"));
    Read_FileInfo_File();
    EXPECT_EQ(LibRecord[0], "0");
    EXPECT_EQ(LibRecord[1], "");
}

// ---- type and make lists ---------------------------------------------------

TEST_F(TableFilesTest, ListsEndAtTheirEndLine) {
    folder.writeLines("KVR6Make.cfg", {"KVR6 Vehicle Makes", "", "Display IN:", " LEGEND MOTORS ",
                                       "", "Other", "END Make:", "After"});
    Read_Make_File();
    EXPECT_EQ(MakeList[0], "2");
    EXPECT_EQ(MakeList[1], "LEGEND MOTORS");
    EXPECT_EQ(MakeList[2], "Other");
    EXPECT_EQ(MakeList[3], "");

    QStringList types{"KVR6 Vehicle Types", "", "Display IN:"};
    for (int i = 1; i <= 45; ++i)
        types << "Type " + QString::number(i);
    folder.writeLines("KVR6Type.cfg", types); // no end line at all
    Read_Type_File();
    EXPECT_EQ(TypeList[0], "40");
    EXPECT_EQ(TypeList[40], "Type 40");

    QFile::remove(folder.file("KVR6Type.cfg"));
    Read_Type_File();
    EXPECT_EQ(TypeList[0], "0");
    EXPECT_EQ(TypeList[1], "");
}

// ---- wiring-diagram list ---------------------------------------------------

TEST_F(TableFilesTest, WiringDiagramRecords) {
    QStringList fields{"7.6"};
    for (int i = 2; i <= 30; ++i)
        fields << "f" + QString::number(i);
    folder.writeLines("KVRWD.cfg", {"12, Make A, 2024-01-02, Four fields", "", "3, only two",
                                    " 5 ,  x , y ", fields.join(", ")});
    Read_WD_File();
    EXPECT_EQ(WdTable[0][0], "3");
    ASSERT_EQ(WdTable.size(), 4u);
    EXPECT_EQ(WdTable[1][0], "4");
    EXPECT_EQ(WdTable[1][1], "12");
    EXPECT_EQ(WdTable[1][2], "Make A");
    EXPECT_EQ(WdTable[1][4], "Four fields");
    EXPECT_EQ(WdTable[2][0], "3");
    EXPECT_EQ(WdTable[2][1], "5");
    EXPECT_EQ(WdTable[2][3], "y");
    EXPECT_EQ(WdTable[3][0], "30") << "the line's own count, beyond the fields kept";
    EXPECT_EQ(WdTable[3][1], "8");
    EXPECT_EQ(WdTable[3][25], "f25");

    QFile::remove(folder.file("KVRWD.cfg"));
    Read_WD_File();
    EXPECT_EQ(WdTable.size(), 1u);
    EXPECT_EQ(WdTable[0][0], "0");
}

// ---- display tables --------------------------------------------------------

namespace {

QString displayLine(const QStringList& columns) {
    return "," + columns.join(",");
}

void writeDisplay(const TempProgramFolder& folder, const QList<QStringList>& rows) {
    QStringList lines{"KVR6 Configuration file for the setup of the display screen", "",
                      ",ID ,Graph ON,...", "Display IN:"};
    for (const QStringList& r : rows)
        lines << displayLine(r);
    lines << "END Display:";
    folder.writeLines("KVR6SetDisplay.cfg", lines);
}

} // namespace

TEST_F(TableFilesTest, VariablesTableOffersRowsWithBothFlags) {
    folder.writeLines("KVR6SetVariables.cfg",
                      {"Variables", "", "Setup IN:", ",0 ,1 ,x ,Analog In ,x ,1",
                       ",3.6 ,1 ,x ,  Tab\tcut ,x ,0", ",5,1,,Ign,,1,extra", ",7 ,0 ,x ,AFR ,x ,1",
                       ",bad,line", ",9 ,1 ,x ,RPM ,x ,1 ", "END Setup:", ",10 ,1 ,x ,Late ,x ,1"});
    Read_Setup_Display_Files();
    const auto& t = DisplayFuncTable;
    EXPECT_EQ(t[0][0], "2") << "three rows are offered";
    EXPECT_EQ(t[0][1], "0");
    EXPECT_EQ(t[0][3], "1");
    EXPECT_EQ(t[1][1], "4");
    EXPECT_EQ(t[1][2], "Tab\t");
    EXPECT_EQ(t[1][3], "0") << "field 6 is 0";
    EXPECT_EQ(t[2][2], "Ign");
    EXPECT_EQ(t[2][3], "1") << "field 6 runs to the end of the line";
    EXPECT_EQ(t[3][3], "0");
    EXPECT_EQ(t[4][1], "9");
    EXPECT_EQ(t[4][3], "1");
    EXPECT_EQ(t[5][1], "");
}

TEST_F(TableFilesTest, DisplayTableReadsNumbersAndNames) {
    writeDisplay(folder,
                 {{"0100 ", " 2", "3", " First\tname ", " Shown Name ", " -5.50", "8000", "0 "}});
    Read_Setup_Display_Files();
    const auto& r = DisplaySetTable[0];
    EXPECT_EQ(DisplaySetTable[0][0], "0");
    EXPECT_EQ(r[1], "100");
    EXPECT_EQ(r[2], "2");
    EXPECT_EQ(r[3], "3");
    EXPECT_EQ(r[4], "First");
    EXPECT_EQ(r[5], "Shown Name");
    EXPECT_EQ(r[6], "-5.5");
    EXPECT_EQ(r[7], "8000");
    EXPECT_EQ(r[8], "0");
    EXPECT_EQ(PlotLegend, "") << "no plotted row keeps the designed caption";
}

TEST_F(TableFilesTest, DisplaySlotsOutsideTheirRangeAndAFourthPlotAreDropped) {
    writeDisplay(folder, {
                             {"1", "7", "11", "a", "A", "0", "1", "1"},
                             {"2", "-1", "10", "b", "B", "0", "1", "0"},
                             {"3", "6", "0", "c", "C", "0", "1", "1"},
                             {"4", "2.5", "1", "d", "D", "0", "1", "1"},
                             {"5", "1", "2", "e", "E", "0", "1", "1"},
                             {"6", "1"}, // malformed: skipped
                         });
    Read_Setup_Display_Files();
    const auto& t = DisplaySetTable;
    EXPECT_EQ(t[0][0], "4");
    EXPECT_EQ(t[0][2], "0");
    EXPECT_EQ(t[0][3], "0");
    EXPECT_EQ(t[1][2], "0");
    EXPECT_EQ(t[1][3], "10");
    EXPECT_EQ(t[2][2], "6");
    EXPECT_EQ(t[3][2], "0");
    EXPECT_EQ(t[4][8], "0") << "a fourth plotted row gets no trace";
    EXPECT_EQ(t[5][1], "");
    EXPECT_EQ(PlotLegend, "BLUE - A          RED - C          GREEN - D");
}

TEST_F(TableFilesTest, DisplaySurplusRowsAndMissingFiles) {
    QList<QStringList> rows;
    for (int i = 0; i < 30; ++i)
        rows << QStringList{QString::number(i), "0", "0", "n", "N", "0", "1", "0"};
    writeDisplay(folder, rows);
    Read_Setup_Display_Files();
    EXPECT_EQ(DisplaySetTable[0][0], "26");
    EXPECT_EQ(DisplaySetTable[26][1], "26");
    EXPECT_EQ(DisplayFuncTable[0][0], "-1") << "no variables file: nothing offered";

    QFile::remove(folder.file("KVR6SetDisplay.cfg"));
    PlotLegend = "old";
    Read_Setup_Display_Files();
    EXPECT_EQ(DisplaySetTable[0][0], "-1");
    EXPECT_EQ(DisplaySetTable[0][1], "");
    EXPECT_EQ(PlotLegend, "");
}

TEST_F(TableFilesTest, PlotLegendNamesTheTracesInOrder) {
    EXPECT_EQ(Plot_Legend({}), "");
    EXPECT_EQ(Plot_Legend({"AFR"}), "BLUE - AFR");
    EXPECT_EQ(Plot_Legend({"A", "B"}), "BLUE - A          RED - B");
    EXPECT_EQ(Plot_Legend({"A", "B", "C"}), "BLUE - A          RED - B          GREEN - C");
}

TEST_F(TableFilesTest, DisplayWriterUsesFixedFieldsAndReadsBack) {
    DisplaySetTable[0][0] = "1";
    DisplaySetTable[0] = {"1", "7",    "1", "2", "TQX name", "LEGEND of the road, long name",
                          "0", "8000", "1"};
    DisplaySetTable[1] = {"", "9", "0", "0", "Tab\there", "RPM", "abc", "100", "0"};
    Write_Setup_Display_File();
    const QStringList lines = QString::fromLatin1(folder.read("KVR6SetDisplay.cfg")).split("\r\n");
    ASSERT_EQ(lines.size(), 8); // 7 lines and the empty text after the last line end
    EXPECT_EQ(lines[0], "KVR6 Configuration file for the setup of the display screen");
    EXPECT_EQ(lines[2], ",ID ,Graph ON,Text ON ,Display Name TQX ,Display Name KVR   ,TQX "
                        "Graph Min  ,TQX Graph Max  ,Plot");
    EXPECT_EQ(lines[3], "Display IN:");
    EXPECT_EQ(lines[4], ",7     ,1     ,2          ,TQX name         ,LEGEND of the r"
                        "oad; lon,0                ,8000             ,1     ");
    EXPECT_EQ(lines[4].size(), 111);
    EXPECT_EQ(lines[5].size(), 111);
    EXPECT_EQ(lines[6], "END Display:");
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("Display Name KVR of reading 7"));
    EXPECT_TRUE(dialogs.records()[0].text.contains("Display Name TQX of reading 9"));

    Read_Setup_Display_Files();
    EXPECT_EQ(DisplaySetTable[0][0], "1");
    EXPECT_EQ(DisplaySetTable[0][5], "LEGEND of the road; lon");
    EXPECT_EQ(DisplaySetTable[1][4], "Tab here");
    EXPECT_EQ(DisplaySetTable[1][6], "0");
    EXPECT_EQ(PlotLegend, "BLUE - LEGEND of the road; lon");
}

// ---- the program folder's starting files -----------------------------------

TEST_F(TableFilesTest, StartingFilesLoadAndRewriteUnchanged) {
    for (const char* name :
         {"KVR6Type.cfg", "KVR6Make.cfg", "KVR6SetVariables.cfg", "KVR6SetDisplay.cfg"})
        folder.copyData(name);
    Read_Type_File();
    Read_Make_File();
    Read_Setup_Display_Files();
    EXPECT_GT(NumberRules::Val(TypeList[0]), 5);
    EXPECT_GT(NumberRules::Val(MakeList[0]), 10);
    EXPECT_EQ(DisplaySetTable[0][0], "18");
    EXPECT_EQ(DisplayFuncTable[0][0], "17");

    std::multiset<int> bars, texts;
    int plotted = 0;
    for (int r = 0; r <= 18; ++r) {
        const auto& row = DisplaySetTable[r];
        EXPECT_EQ(row[1], DisplayFuncTable[r][1]) << "the two tables are row-aligned";
        EXPECT_EQ(row[1], QString::number(r));
        EXPECT_LT(NumberRules::Val(row[6]), NumberRules::Val(row[7])) << r;
        if (NumberRules::Val(row[2]) > 0)
            bars.insert(static_cast<int>(NumberRules::Val(row[2])));
        if (NumberRules::Val(row[3]) > 0)
            texts.insert(static_cast<int>(NumberRules::Val(row[3])));
        if (NumberRules::Val(row[8]) > 0) {
            ++plotted;
            EXPECT_EQ(DisplayFuncTable[r][3], "1") << "a plotted reading is offered";
        }
    }
    EXPECT_EQ(bars, (std::multiset<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(texts, (std::multiset<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_LE(plotted, 3);
    EXPECT_FALSE(PlotLegend.isEmpty());

    // The shipped display file is exactly what the set-up window writes.
    const QByteArray shipped = folder.read("KVR6SetDisplay.cfg");
    Write_Setup_Display_File();
    EXPECT_EQ(folder.read("KVR6SetDisplay.cfg"), shipped);
    EXPECT_TRUE(dialogs.records().empty());
}

// ---- unusable display files ------------------------------------------------

TEST_F(TableFilesTest, MissingEmptyOrMarkerlessDisplayFilesAreReported) {
    const struct {
        const char* what;
        std::optional<QByteArray> bytes;
        QString problem;
    } cases[] = {
        {"missing", std::nullopt, "is missing from the program folder"},
        {"empty", QByteArray(), "is empty"},
        {"garbage", QByteArray("\x01\x02 garbage\r\nno marker here\r\n"),
         "has no \"Display IN:\" line, so none of it could be read"},
        {"no rows", QByteArray("title\r\n\r\nDisplay IN:\r\nEND Display:\r\n"), "holds no rows"},
    };
    for (const auto& c : cases) {
        QFile::remove(folder.file("KVR6SetDisplay.cfg"));
        if (c.bytes)
            folder.write("KVR6SetDisplay.cfg", *c.bytes);
        folder.copyData("KVR6SetVariables.cfg");
        const auto reports = Read_Setup_Display_Files();
        ASSERT_EQ(reports.size(), 1u) << c.what;
        EXPECT_EQ(reports[0].file, "KVR6SetDisplay.cfg");
        EXPECT_EQ(reports[0].problem, c.problem) << c.what;
        EXPECT_EQ(reports[0].instead, "no live readouts, bars or chart traces") << c.what;
    }
    folder.copyData("KVR6SetDisplay.cfg");
    EXPECT_TRUE(Read_Setup_Display_Files().empty()) << "the shipped files are used whole";
}

TEST_F(TableFilesTest, RowsWithABadIdSlotOrRangeAreNamedAndShowNothing) {
    folder.copyData("KVR6SetVariables.cfg");
    folder.writeLines("KVR6SetDisplay.cfg",
                      {"title", "", "columns", "Display IN:",
                       ",9 ,1 ,1 ,RPM ,RPM ,0 ,8000 ,1",  // line 5: good
                       ",42 ,2 ,2 ,Odd ,Odd ,0 ,10 ,0",   // 6: no such reading
                       ",3 ,9 ,3 ,Defl ,Defl ,0 ,100 ,0", // 7: no bar 9
                       ",4 ,0 ,12 ,Inj ,Inj ,0 ,255 ,0",  // 8: no text slot 12
                       ",5 ,4 ,4 ,Ign ,Ign ,45 ,45 ,0",   // 9: range without span
                       ",7 ,0 ,5 ,AFR ,AFR ,10 ,10 ,0",   // 10: no bar, range unused
                       ",0 ,1 ,6", "END Display:"});      // 11: too few fields
    const auto reports = Read_Setup_Display_Files();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].problem, "could be used only in part");
    EXPECT_EQ(reports[0].lines,
              (QStringList{"line 6: reading id \"42\" names no reading",
                           "line 7: bar slot \"9\" names no bar slot (1 to 6)",
                           "line 8: text slot \"12\" names no text slot (1 to 10)",
                           "line 9: graph range 45 to 45 has no span",
                           "line 11: has fewer than 8 fields"}));
    // The rows keep their places; a slot that names none reads 0.
    EXPECT_EQ(DisplaySetTable[0][0], "5");
    EXPECT_EQ(DisplaySetTable[2][2], "0");
    EXPECT_EQ(DisplaySetTable[3][3], "0");
    EXPECT_EQ(DisplaySetTable[0][2], "1");
    EXPECT_EQ(DisplaySetTable[5][3], "5") << "a text readout needs no graph range";
    EXPECT_EQ(PlotLegend, "BLUE - RPM");

    const QString text = Unusable_Files_Text(reports);
    EXPECT_TRUE(text.startsWith("KVR6SetDisplay.cfg could be used only in part. 5 lines were not "
                                "used:\n    line 6: reading id \"42\" names no reading"))
        << text.toStdString();
}

TEST_F(TableFilesTest, AVariablesRowWithABadIdIsNamedAndNotOffered) {
    folder.copyData("KVR6SetDisplay.cfg");
    folder.writeLines("KVR6SetVariables.cfg", {"title", "", "Setup IN:", ",9 ,1 ,0 ,RPM ,0 ,1",
                                               ",-3 ,1 ,0 ,Bad ,0 ,1", "END Setup:"});
    const auto reports = Read_Setup_Display_Files();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].file, "KVR6SetVariables.cfg");
    EXPECT_EQ(reports[0].lines, QStringList{"line 5: reading id \"-3\" names no reading"});
    EXPECT_EQ(DisplayFuncTable[1][3], "0");
    EXPECT_EQ(DisplayFuncTable[0][0], "0");
}
