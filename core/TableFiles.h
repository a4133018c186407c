#pragma once

#include "core/ConfigReport.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The lookup and table files of the program folder. Each file but "KVRWD.cfg" has
// a title line, a blank line, a start marker line, its data lines and an end line.
// A missing file gives an empty table; a malformed data line is skipped; entries
// beyond a table's size are dropped. The readers throw KvrError only when a file
// exists but cannot be read; the writers throw KvrError when a file cannot be
// written, and the old file then stays as it was.
//
// The writers keep every value readable: a character the reader would split on
// (a comma in a comma line, a line break, a tab in a display name) is replaced,
// the stored value is changed the same way, and the user is told which entries
// were changed.
namespace WtsGeneral {

// ContactFields 1..11 -> "KVR6Contact.cfg" (read back, each value checked, by
// TuneMap::Read_Checked_Contact_File, library/ContactRecord.h).
void Write_Contact_File();
// The name of contact field k (1..11) as the user knows it: "Name", "Email Address".
QString Contact_Label(int k);

// "KVR6FileInfo.cfg" <-> LibRecord: LibRecord(0) holds the number of entries read
// (at most 25); the writer sets it to "9" and writes entries 1..9.
void Read_FileInfo_File();
void Write_FileInfo_File();

// "KVR6Type.cfg" -> TypeList (at most 40), "KVR6Make.cfg" -> MakeList (at most 100);
// element 0 holds the count.
void Read_Type_File();
void Read_Make_File();

// "KVRWD.cfg" -> WdTable: one record a line, fields separated by ", " (3..25
// fields kept); (0, 0) = number of records, (r, 0) = number of fields of record r
// as the line has them, more than 25 when fields were left out.
// Fields 1..8 (number, make, date, description, file name, year, model, ECU
// make) are trimmed; fields 9 and up, the record's map lines, stay as they stand.
void Read_WD_File();

// "KVR6SetVariables.cfg" -> DisplayFuncTable and "KVR6SetDisplay.cfg" ->
// DisplaySetTable; sets PlotLegend from the plotted rows. Bar slots outside 1..6,
// text slots outside 1..10 and plot flags after the third plotted row read as 0.
// A row with an unknown reading id shows nothing, a slot that names none reads
// 0, and a graph range without span draws no bar or trace. Returns the files that could
// not be used whole (missing, empty, no start marker, no rows), naming their
// unusable lines.
std::vector<UnusableFile> Read_Setup_Display_Files();

// "KVR6SetDisplay.cfg" alone -> DisplaySetTable and PlotLegend, as the start-up
// reader takes it: what the display set-up keeps once it has written the file.
// Nothing when the file could be used whole.
std::optional<UnusableFile> Read_Setup_Display_File();

// Writes "KVR6SetDisplay.cfg" from rows 0..(0, 0) of DisplaySetTable, each column
// in its fixed-width field (longer text is cut), for the display set-up window.
void Write_Setup_Display_File();

// The strip-chart legend for the names of the plotted rows, in order:
// "BLUE - " & first, then "          RED - " & second, "          GREEN - " & third.
QString Plot_Legend(const QStringList& names);

} // namespace WtsGeneral
