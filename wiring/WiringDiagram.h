#pragma once

// The wiring-diagram maps: ready-made settings records of "KVRWD.cfg"
// (WdTable, read by WtsGeneral::Read_WD_File) and how one becomes a map.
// Window-free: the list's columns, filter and sort, and the load of a record
// through "KVRWDOut.cfg" into the unit image. frmWDLoad shows them.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace WiringDiagram {

using Record = std::array<QString, 26>;

// The record fields.
constexpr int FieldCount = 0; // the number of the record's last field
constexpr int FieldNumber = 1;
constexpr int FieldMake = 2;
constexpr int FieldUpdated = 3;
constexpr int FieldDescription = 4;
constexpr int FieldFileName = 5;
constexpr int FieldYear = 6;
constexpr int FieldModel = 7;
constexpr int FieldEcuMake = 8;
constexpr int FirstMapLine = 9;

// One list column, by its display box 0..7.
struct Column {
    QString heading;
    int twips = 0;
    int field = 0;
};
const std::array<Column, 8>& Columns();

// The boxes ticked when the list opens: File Name, Make, Model, Description.
constexpr std::array<bool, 8> OpeningBoxes{false, true, true, true, false, false, false, true};

// The field a search option 0..5 looks in (Number, File Name, Vehicle Make,
// Vehicle Model, Vehicle Year, ECU Make); -1 for no option.
int Search_Field(int option);

// How the list is filtered: "Show All", or the chosen option (-1: none) and text.
struct Filter {
    bool showAll = true;
    int option = -1;
    QString text;
};

// Whether a record is listed: never without a Number; with a search, only when
// the option's field holds the text in lower case or in upper case (exact case,
// so "ford" finds "ford" and "FORD" but not "Ford"). An empty text, or no option
// chosen, hides nothing.
bool Listed(const Record& record, const Filter& filter);

// One list row: the record number and the texts of the shown columns, each
// with the blanks at both ends removed.
struct Row {
    int record = 0;
    QStringList texts;
};

// The rows for the records 1..count of table (element (0, 0) the count), in
// record order, one text per ticked box in box order. No ticked box: no rows.
std::vector<Row> List_Rows(const std::vector<Record>& table, const std::array<bool, 8>& boxes,
                           const Filter& filter);

// Sorts rows ascending by the text of shown column `column` (0 = the first
// shown), as text: "10" before "100" before "9". Rows of equal text keep their
// order.
void Sort_Rows(std::vector<Row>& rows, int column);

// How "KVRWDOut.cfg" begins.
enum class Start {
    KeepMaps = 0, // "MAPS:" and the two fixed parameter rows: the maps stay
    BlankMap = 1, // the blank template's lines before its "End": a whole new map
};

// The two fixed parameter rows (unit addresses 128..143 and 144..159).
extern const QString FixedRow8;
extern const QString FixedRow9;

// The lines of "KVRWDOut.cfg" for `record`: the start, the record's map lines
// (fields 9 .. field 0, as they stand) and "End". For BlankMap the template
// "BLANKKVR6.WTS" must be there and whole (its closing "End" line); otherwise
// nothing is returned and `problem` says why.
std::optional<QStringList> Out_Lines(const Record& record, Start start, QString* problem);

// Writes "KVRWDOut.cfg" for record `number` of WdTable and reads it into the
// unit image, all or nothing: a record with more map lines than it keeps, a
// template that cannot be used or that lacks a row of the map (BlankMap), a
// failed write of the file, or a line the map-image reader refuses leaves the
// image as it was,
// and the user is told (which record, file or line). Returns true when the
// record was loaded. The caller then ends the load (Library::Finish_Map_Load).
bool Load_Record(int number, Start start);

// The name of the file a load writes.
extern const QString OutFile;

} // namespace WiringDiagram
