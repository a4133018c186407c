#pragma once

// The export list of the contact window and the CSV file it writes: one line per
// ticked library entry, each joining the entry's nine header values, the format
// version and the user's eleven contact values, for upload to the maker's web
// site. The program never reads such a file back. Window-free.

#include "library/LibraryScan.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace Contact {

// The values of an export-list entry, in the order the CSV line writes them.
enum ExportColumn {
    ExportMake,
    ExportModel,
    ExportYear,
    ExportType,
    ExportMapid,
    ExportDscr,
    ExportOwner,
    ExportOwnerEmail,
    ExportFileName,
};
inline constexpr int ExportColumns = 9;

// One library file of the export list: ticked to be exported, and its header
// values as the library scan reads them (untrimmed), then its file name.
struct ExportEntry {
    bool ticked = false;
    std::array<QString, ExportColumns> values;
};

// The contact values in the order of the contact window's boxes.
using ContactValues = std::array<QString, 11>;

// The export entries of the scanned library files, in scan order, none ticked.
std::vector<ExportEntry> Export_Entries(const std::vector<TuneMap::LibraryEntry>& library);

// The text the list shows for an entry: Make-Model-Year-Type-Mapid, or the
// description when all five are empty, then " << ", the file name and " >>".
QString Entry_Text(const ExportEntry& entry);

// A value as a CSV field holds it: every comma becomes "-", so no value adds a
// field, and every line break a blank, so no record splits.
QString Csv_Value(const QString& value);

// The contact part of every line: a blank, then each contact value through
// Csv_Value and ", ".
QString Csv_Contact_Part(const ContactValues& contact);

// The lines of the CSV file: one per ticked entry in list order (a blank, each
// value and ", ", the version "2" and ", ", the contact part), or, with no entry
// ticked, the one line of nine empty library values. Library values go through
// Csv_Value here.
QStringList Csv_Lines(const std::vector<ExportEntry>& entries, const QString& contactPart);

// The export's file name for the path a save dialog returned: a name that ends
// in an extension of letters ("maps.csv", "notes.txt") stays as it is, any other
// gets ".CSV" ("my maps", "Export 1.5").
QString Csv_File_Name(const QString& path);

// Whether the path names a tune-map file (".kvr" in any letter case), which the
// export never writes over.
bool Is_Tune_Map_Name(const QString& path);

// The first character of value that the CSV file cannot keep (it is written
// in Latin-1), or nothing when every one fits.
std::optional<QChar> Csv_Unkept_Character(const QString& value);

// A ticked entry holding a value the CSV file cannot keep: which entry (its file
// name as the list shows it), which of its values ("file name", "make", ...) and
// the first character that does not fit.
struct UnkeptEntry {
    QString fileName;
    QString value;
    QChar character;
};
// The first ticked entry, in list order, with a value the CSV file cannot keep
// (a file name beyond Latin-1, "Škoda Octavia.kvr"); nothing when every ticked
// entry fits.
std::optional<UnkeptEntry> Csv_Unkept_Entry(const std::vector<ExportEntry>& entries);

// Writes the CSV file at path whole, replacing a file of that name only once the
// new one is complete. Throws KvrError whose description is the system's cause
// in words ("the disk is read-only", "permission denied") when the file cannot
// be created or written; a file of that name then stays as it was.
void Write_Csv_File(const QString& path, const QStringList& lines);

} // namespace Contact
