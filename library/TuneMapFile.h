#pragma once

// The tune-map file: a text header that names the dealer, the vehicle and the
// map, then the map rows of the parameter block and the two map pages. Files lie
// directly in the program folder and end in ".kvr"; together they are the library.
// Window-free: the library window and the map-file editor call these.

#include "core/MapImage.h"
#include "platform/KvrError.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace TuneMap {

// --- file names ------------------------------------------------------------------

// A file name checked for the library: the plain name, or why it cannot be used.
struct NameCheck {
    QString name;
    QString problem; // empty when the name can be used
    bool ok() const { return problem.isEmpty(); }
};

// The library's extension rule: a name that ends in ".kvr" stays; a short
// extension of letters ("Golf.map", "Golf.KVR", "Golf.kv") is replaced by ".kvr";
// any other name gets ".kvr" added ("Golf 1.8T" gives "Golf 1.8T.kvr").
QString Kvr_File_Name(const QString& name);

// A name typed by the user, as a file of the program folder: blanks at its ends
// go; an empty name, a separator, "..", a leading dot, a character outside
// Latin-1, a control character or one a FAT or Windows folder refuses
// (* ? " < > | :) is refused, so the library can always be backed up. The
// ".kvr" rule is applied.
NameCheck Library_File_Name(const QString& typed);

// A path a file dialog returned, reduced to its file name in the program folder,
// then checked as a typed name.
NameCheck Dialog_File_Name(const QString& path);

// A tune-map file is some 3 KB; anything much larger is not one.
inline constexpr qint64 LargestTuneMap = 1024 * 1024;

// The longest value a header line keeps: as long as a box of the program's
// windows holds (a line box takes 32767 characters), and short enough that a new
// file with every value it carries at that length (fifteen: the dealer's four,
// the file name, the description and the five names, the owner's name, surname
// and e-mail, the unit's name), its tags and its map rows (some 2 KB) stays
// within LargestTuneMap.
inline constexpr int LongestHeaderValue = 32767;
static_assert(15 * qint64(LongestHeaderValue) + 4096 < LargestTuneMap);

// Why a header value (make, model, year, type, map name, a contact value) cannot
// be kept in a tune-map file as typed, in words that follow the value's name
// ("holds the character €, which a tune-map file cannot keep"); empty when it
// can. A value longer than LongestHeaderValue is refused; so is a control
// character other than a tab (codes 0 to 31 and 127: a NUL would make the file
// no text file for the library, a line break would split the header line), a
// character beyond Latin-1 (the file's character set; 128 to 159 stay, which a
// file written on Windows holds for its quotes and dashes), and one of the
// header's tags ("MAPS:", "Year:", ...), which would be read back as that tag.
QString Field_Problem(const QString& value);

// A value as a message quotes it: each control character written as its name
// in brackets ("[NUL]", "[CR]", "[code 27]"), a tab as "[tab]", and a value of
// more than 60 characters cut there, "..." added.
QString Shown_Value(const QString& value);

// --- writing -------------------------------------------------------------------------

// The date and time texts the headers carry: the short date of the locale in
// use and the time as hours, minutes and seconds.
QString Date_Text(const QDate& date);
QString Time_Text(const QTime& time);

// The description as the "Dscr: " line holds it: blanks added, cut to 64.
QString Padded_Description(const QString& description);

// The first value the map rows would hold that is not a byte, named by its
// place ("page 1 address 37 holds 300"), or nothing when every value fits.
std::optional<QString> Map_Rows_Problem();

// The 55 lines of a new tune-map file for the unit image and the records as they
// stand (dealer, LibRecord, contact, UnitName) at the time now.
QStringList New_File_Lines(const QDateTime& now);

// The bytes of a file of these lines as the program writes it: Latin-1, each
// line ended by CR LF.
QByteArray File_Bytes(const QStringList& lines);

// A tune-map file a writer did not write because the library's own check
// (Whole_Map_Problem_Of_Bytes) refuses the bytes it would have written: the file
// of that name, if any, is untouched. The description says so in plain words;
// reason holds the check's own words.
class RefusedFile : public KvrError {
public:
    // Error 13, "Type mismatch": the bytes are not of the kind the library takes.
    static constexpr int Number = 13;
    RefusedFile(const QString& name, const QString& reason);
    QString name;
    QString reason;
};

// Writes the new file `name` in the program folder whole, replacing a file of that
// name, and sets MapDscr to the padded description. The bytes are checked first
// as the library checks a file (Whole_Map_Problem_Of_Bytes). Throws KvrError when
// a value is no byte, RefusedFile when the library would refuse the file (both
// before anything is written), KvrError when the file cannot be written.
void Write_New_File(const QString& name, const QDateTime& now);

// --- header rewrite ------------------------------------------------------------------

enum class RewriteOutcome {
    Rewritten,    // the new header is in place under the target name
    NoMapsLine,   // no "MAPS:" line follows the "E-mail:" line: the file is unchanged
    TargetExists, // another file has the target name: nothing was done
    NoEmailLine,  // no "E-mail:" line to put the new header after: the file is unchanged
    RenamedOnly,  // no "E-mail:" line: the file was renamed, its header left as it was
};

// The 13 lines that replace an old header after its "E-mail:" line.
QStringList Rewrite_Block(const QString& target, const QDateTime& now);

// The lines of `old` with its header rewritten; nothing when the rewrite would
// drop the map rows (an "E-mail:" line with no "MAPS:" line after it).
std::optional<QStringList> Rewritten_Lines(const QStringList& old, const QString& target,
                                           const QDateTime& now);

// Rewrites the header of the library file oldName and stores it as target (both
// plain names in the program folder). The new file is written whole before the
// old name is removed; a different existing target is replaced only when
// replaceTarget is set. A target that is the file itself under another spelling
// (letter case on a folder that ignores it) is a plain rename, never a replace.
// When the file is the current map's (MapInfo file name) MapDscr takes the new
// description as the new file sets it. A rewrite never turns a file the library
// lists and loads whole into one it refuses: then it throws RefusedFile before
// anything is written. Throws KvrError when a file cannot be read, written,
// renamed or removed.
RewriteOutcome Rewrite_Header(const QString& oldName, const QString& target, const QDateTime& now,
                              bool replaceTarget = false);

// --- reading the header ----------------------------------------------------------------

// The three readers find the same tags but slice and trim them differently.
enum class HeaderRules { LibraryScan, RowClick, MapLoad };

// The values a reader found; a tag not found stays empty (nullopt).
struct HeaderValues {
    std::optional<QString> dscr;
    std::optional<QString> mapId;
    std::optional<QString> make;
    std::optional<QString> model;
    std::optional<QString> year;
    std::optional<QString> type;
    std::optional<QString> owner;
    std::optional<QString> ownerEmail;
};

// Finds the tags of one line by a rule set; a tag found replaces what values held.
void Read_Header_Line(const QString& line, HeaderRules rules, HeaderValues& values);

// The No-Tune mark of a "Dscr:" line: 171 when its 71st character has code 170,
// 255 for any other 71st character, nothing for a line of 70 characters or fewer.
std::optional<int> NoTune_Mark(const QString& dscrLine);

// Every line of a file by the library-scan rules.
HeaderValues Scan_Header(const QStringList& lines);

// The row click: the header of the library file `name` into LibRecord (1
// description, 3..9 the tags found; element 2 the file name); the current map's
// record is left alone. Every
// line but the last is examined; then the file-information file is written (a
// failed write is told and stops nothing, Library::Save_File_Info). Throws
// KvrError when the file cannot be read.
void Read_Row_Click(const QString& name);

// The unit's addresses of the rows a tune-map file carries that a read did not
// give ("page 5 addresses 80 to 255, page 6 addresses 0 to 175"); empty when
// every row is there: page 4 128..255, page 5 0..255, page 6 0..175.
QString Missing_Rows(const WtsGeneral::MapImageResult& rows);

// What a map load did.
struct LoadResult {
    bool mapsLine = false; // a "MAPS:" line was found before the last line
    WtsGeneral::MapImageResult rows;
    QString missing; // the rows the file lacks (Missing_Rows)
    bool ok() const { return mapsLine && rows.ok() && missing.isEmpty(); }
};

// The map load: the header of `name` into the current-map record (MapInfo file
// name, MapDscr, MapId, the MapInfo tags, the No-Tune mark), then, from the first
// line holding "MAPS:", the map rows into the unit image through the map-image
// reader. All or nothing: a file with a refused row, without a "MAPS:" line, or
// cut short so that a row of the map is missing changes nothing: the image and
// the records stay as they were. Throws KvrError when the file cannot be read.
LoadResult Load_Tune_Map(const QString& name);

// What is wrong with a file a load refused, in the words the refusal gives
// ("it is cut short: the map rows of page 6 addresses 80 to 175 are missing").
QString Refused_Load_Reason(const LoadResult& result);

// The user's words for a load that was refused: the file, what is wrong with it,
// and that the map and the unit are unchanged.
QString Refused_Load_Text(const QString& name, const LoadResult& result);

// --- the library's own check of a file ------------------------------------------------

// The one check, on the bytes of a file: the scan, the restore and every writer
// of a library file ask it (a writer of the bytes it is about to write).

// Why the library does not list a file of these bytes ("too large for a tune-map
// file" beyond LargestTuneMap, "not a text file" when it holds a NUL byte);
// empty when it lists it.
QString Listing_Problem_Of_Bytes(const QByteArray& bytes);

// Why a file of these bytes named `name` is not a whole tune map that the library
// lists and loads, in the library's words (those of Listing_Problem_Of_Bytes,
// then those of Refused_Load_Reason); empty when it is one. The text is read as
// the map load reads it, and the image and the records are left exactly as they
// were.
QString Whole_Map_Problem_Of_Bytes(const QByteArray& bytes, const QString& name);

// Why the library does not list the file at path ("not a file", "cannot be
// read", then the words of Listing_Problem_Of_Bytes; a file larger than
// LargestTuneMap is not read); empty when it lists it, and then its text goes to
// text when given.
QString Listing_Problem(const QString& path, QString* text = nullptr);

// Whole_Map_Problem_Of_Bytes of the file at path, after the words of
// Listing_Problem.
QString Whole_Map_Problem(const QString& path);

} // namespace TuneMap
