#include "library/TuneMapFile.h"

#include "core/CoreState.h"
#include "core/ImageSnapshot.h"
#include "core/TableFiles.h"
#include "library/FileInfo.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace TuneMap {

namespace {

constexpr int DescriptionWidth = 64;
constexpr int LongestName = 200;
// "Overflow": a value that does not fit where it is to be written.
constexpr int ValueOverflow = 6;

const QString MapsTag = QStringLiteral("MAPS:");
const QString EmailTag = QStringLiteral("E-mail:");

// The rows a tune-map file holds, page by page: page digit, table, first and last row.
struct PageRows {
    int page;
    const ImageTable* table;
    int first;
    int last;
};

// The unit's page of a file's page digit: 0 is page 4, 1 page 5, 2 page 6.
constexpr int UnitPageOfFilePage = 4;

std::array<PageRows, 3> fileRows() {
    return {{{0, &ParamBlock, 8, 15}, {1, &Map5Image, 0, 15}, {2, &Map6Image, 0, 10}}};
}

bool isLetter(QChar c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The header lines from "Dscr: " to "Type:" that both writers give.
QStringList descriptiveLines() {
    return {QStringLiteral("Dscr: ") + Padded_Description(LibRecord[1]),
            QStringLiteral("Mapid:") + LibRecord[4],
            QStringLiteral("Make:") + LibRecord[3],
            QStringLiteral("Model:") + LibRecord[5],
            QStringLiteral("Year:") + LibRecord[7],
            QStringLiteral("Type:") + LibRecord[6]};
}

// A slice of a line from a 0-based start; shorter when the line ends earlier.
QString slice(const QString& line, qsizetype start, qsizetype length) {
    return start < line.size() ? line.mid(start, length) : QString();
}

// The column (1-based) where a tag starts in a line, 0 when it is absent.
qsizetype columnOf(const QString& line, const QString& tag) {
    return line.indexOf(tag) + 1;
}

} // namespace

// --- file names ----------------------------------------------------------------------

QString Kvr_File_Name(const QString& name) {
    if (name.endsWith(QStringLiteral(".kvr")))
        return name;
    const qsizetype dot = name.lastIndexOf('.');
    if (dot > 0) {
        const QString extension = name.mid(dot + 1);
        if (extension.size() <= 3 && std::all_of(extension.begin(), extension.end(), isLetter))
            return name.left(dot) + QStringLiteral(".kvr");
    }
    return name + QStringLiteral(".kvr");
}

NameCheck Library_File_Name(const QString& typed) {
    const QString name = typed.trimmed();
    if (name.isEmpty())
        return {QString(), QStringLiteral("No file name was given.")};
    if (name.contains('/') || name.contains('\\'))
        return {name, QStringLiteral("The file name \"%1\" holds a folder separator (/ or \\). "
                                     "Give a plain file name: maps are kept in the program "
                                     "folder.")
                          .arg(name)};
    if (name.contains(QStringLiteral("..")) || name.startsWith('.'))
        return {name, QStringLiteral("The file name \"%1\" may not begin with a dot or hold "
                                     "\"..\".")
                          .arg(name)};
    for (const QChar c : name)
        if (c.unicode() < 32 || c.unicode() == 127 || c.unicode() > 255)
            return {name, QStringLiteral("The file name \"%1\" holds a character that cannot "
                                         "be used in a file name.")
                              .arg(name)};
    for (const QChar c : name)
        if (QStringLiteral("*?\"<>|:").contains(c))
            return {name, QStringLiteral("The file name \"%1\" holds %2, which a FAT or Windows "
                                         "folder does not take in a file name, so the map "
                                         "could not be backed up. Leave out * ? \" < > | and :.")
                              .arg(name, c)};
    const QString kvr = Kvr_File_Name(name);
    if (kvr.toUtf8().size() > LongestName)
        return {kvr, QStringLiteral("The file name \"%1\" is too long.").arg(kvr)};
    return {kvr, QString()};
}

NameCheck Dialog_File_Name(const QString& path) {
    // The dialog gives a path; the library keeps its files in the program folder.
    const qsizetype slash = path.lastIndexOf('/');
    return Library_File_Name(slash >= 0 ? path.mid(slash + 1) : path);
}

namespace {

bool isControl(QChar c) {
    return (c.unicode() < 32 && c != '\t') || c.unicode() == 127;
}

// A control character as the messages name it: "NUL (code 0)".
QString controlName(QChar c) {
    switch (c.unicode()) {
    case 0:
        return QStringLiteral("a NUL character (code 0)");
    case 10:
        return QStringLiteral("a line feed (LF, code 10)");
    case 13:
        return QStringLiteral("a carriage return (CR, code 13)");
    default:
        return QStringLiteral("the control character of code %1").arg(c.unicode());
    }
}

QString bracketName(QChar c) {
    switch (c.unicode()) {
    case 0:
        return QStringLiteral("[NUL]");
    case 9:
        return QStringLiteral("[tab]");
    case 10:
        return QStringLiteral("[LF]");
    case 13:
        return QStringLiteral("[CR]");
    default:
        return QStringLiteral("[code %1]").arg(c.unicode());
    }
}

constexpr int ShownLength = 60;

} // namespace

QString Field_Problem(const QString& value) {
    if (value.size() > LongestHeaderValue)
        return QStringLiteral("is %1 characters long, more than the %2 a line of a tune-map "
                              "file's header keeps")
            .arg(value.size())
            .arg(LongestHeaderValue);
    for (const QChar c : value)
        if (isControl(c))
            return QStringLiteral("holds %1, which a tune-map file's header cannot keep")
                .arg(controlName(c));
    for (const QChar c : value)
        if (c.unicode() > 255)
            return QStringLiteral("holds the character %1, which a tune-map file cannot keep")
                .arg(c);
    for (const char* tag : {"MAPS:", "E-mail:", "Dscr:", "Mapid:", "Make:", "Model:", "Year:",
                            "Type:", "Owner:", "Owner Email:"})
        if (value.contains(QLatin1String(tag)))
            return QStringLiteral("holds \"%1\", which a tune-map file would read as a line of "
                                  "its header")
                .arg(QLatin1String(tag));
    return QString();
}

QString Shown_Value(const QString& value) {
    QString shown;
    for (const QChar c : value.left(ShownLength))
        shown += isControl(c) || c == '\t' ? bracketName(c) : QString(c);
    return value.size() > ShownLength ? shown + QStringLiteral("...") : shown;
}

// --- writing ---------------------------------------------------------------------------

QString Date_Text(const QDate& date) {
    return QLocale().toString(date, QLocale::ShortFormat);
}

QString Time_Text(const QTime& time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString Padded_Description(const QString& description) {
    return (description + QString(DescriptionWidth, ' ')).left(DescriptionWidth);
}

std::optional<QString> Map_Rows_Problem() {
    for (const PageRows& p : fileRows())
        for (int a = p.first * 16; a < (p.last + 1) * 16; ++a) {
            const int v = (*p.table)[a];
            if (v < 0 || v > 255)
                return QStringLiteral("page %1 address %2 holds %3").arg(p.page).arg(a).arg(v);
        }
    return std::nullopt;
}

QStringList New_File_Lines(const QDateTime& now) {
    QStringList lines{
        DealerCompany.isEmpty() ? QStringLiteral("Zanfor") : DealerCompany,
        QStringLiteral("   Tel: ") + DealerPhone,
        QStringLiteral("   Fax: ") + DealerFax,
        QStringLiteral("E-mail: ") + DealerEmail,
        QString(),
        QStringLiteral("KVR6: Tune Map file for the KVR6"),
        QStringLiteral("Date: ") + Date_Text(now.date()) + QStringLiteral("    Time: ") +
            Time_Text(now.time()),
        QStringLiteral("File name: ") + LibRecord[2],
        QString(),
    };
    lines << descriptiveLines();
    lines << QStringLiteral("Owner:") + ContactFields[1] + ' ' + ContactFields[2]
          << QStringLiteral("Owner Email:") + ContactFields[5] << QString() << MapsTag;
    for (const PageRows& p : fileRows())
        for (int r = p.first; r <= p.last; ++r)
            lines << WtsGeneral::Map_Row_Line(r, p.page, *p.table);
    lines << QStringLiteral("End of ") + UnitName + QStringLiteral(" Tune Map");
    return lines;
}

QByteArray File_Bytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += TextFile::toLatin1(line) + "\r\n";
    return bytes;
}

RefusedFile::RefusedFile(const QString& name, const QString& reason)
    : KvrError(Number,
               QStringLiteral("%1 was not written, since the library would refuse the file: "
                              "\"%2\". A file it refuses is not listed, loaded or restored.")
                   .arg(name, reason)),
      name(name), reason(reason) {}

namespace {

// Puts exactly these bytes in place as the file at path, whole.
void writeBytes(const QString& path, const QByteArray& bytes) {
    TextWriter file(path);
    file.write(QString::fromLatin1(bytes));
    file.commit();
}

} // namespace

void Write_New_File(const QString& name, const QDateTime& now) {
    if (const auto problem = Map_Rows_Problem())
        throw KvrError(ValueOverflow,
                       QStringLiteral("The map cannot be saved: %1, which is not a byte (0 to "
                                      "255).")
                           .arg(*problem));
    const QByteArray bytes = File_Bytes(New_File_Lines(now));
    // A map saved is one the library lists: its own check, before anything is
    // put in place.
    if (const QString problem = Whole_Map_Problem_Of_Bytes(bytes, name); !problem.isEmpty())
        throw RefusedFile(name, problem);
    writeBytes(ProgramFolder::file(name), bytes);
    MapDscr = Padded_Description(LibRecord[1]);
}

// --- header rewrite ----------------------------------------------------------------------

QStringList Rewrite_Block(const QString& target, const QDateTime& now) {
    QStringList block{
        QString(),
        QStringLiteral("KVR6: Tune Map or Calibration file for the KVR6"),
        QStringLiteral("Date: ") + Date_Text(now.date()) + QStringLiteral(" Time: ") +
            Time_Text(now.time()),
        QStringLiteral("File Name: ") + target,
        QString(),
    };
    block << descriptiveLines() << QString() << MapsTag;
    return block;
}

std::optional<QStringList> Rewritten_Lines(const QStringList& old, const QString& target,
                                           const QDateTime& now) {
    // The old header runs from the "E-mail:" line to the "MAPS:" line; without a
    // "MAPS:" line after it every map row would be dropped with it.
    qsizetype email = 0;
    while (email < old.size() && !old[email].contains(EmailTag))
        ++email;
    if (email < old.size()) {
        bool mapsAfter = false;
        for (qsizetype i = email + 1; i < old.size() && !mapsAfter; ++i)
            mapsAfter = old[i].contains(MapsTag);
        if (!mapsAfter)
            return std::nullopt;
    }
    QStringList out;
    bool copying = true;
    for (const QString& line : old) {
        if (line.contains(EmailTag)) {
            out << line << Rewrite_Block(target, now);
            copying = false;
        } else if (copying) {
            out << line;
        }
        if (line.contains(MapsTag))
            copying = true;
    }
    return out;
}

namespace {

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Puts the rewritten lines under target when target is the old file itself
// under another spelling: the new text is written whole beside it, the old name
// moved aside, the new file moved to the target name, and only then the old one
// removed, so a whole copy of the map is on disk at every step.
void renameSameFile(const QString& oldName, const QString& target, const QByteArray& bytes) {
    const QString fresh = oldName + QStringLiteral("new");
    const QString aside = oldName + QStringLiteral("old");
    writeBytes(ProgramFolder::file(fresh), bytes);
    const QByteArray oldPath = QFile::encodeName(ProgramFolder::file(oldName));
    const QByteArray asidePath = QFile::encodeName(ProgramFolder::file(aside));
    if (std::rename(oldPath.constData(), asidePath.constData()) != 0) {
        const QString reason = systemReason();
        QFile::remove(ProgramFolder::file(fresh));
        throw KvrError(KvrError::PermissionDenied,
                       QStringLiteral("%1 could not be renamed: %2. The file is unchanged.")
                           .arg(oldName, reason));
    }
    if (std::rename(QFile::encodeName(ProgramFolder::file(fresh)).constData(),
                    QFile::encodeName(ProgramFolder::file(target)).constData()) != 0) {
        const QString reason = systemReason();
        std::rename(asidePath.constData(), oldPath.constData());
        QFile::remove(ProgramFolder::file(fresh));
        throw KvrError(KvrError::PermissionDenied,
                       QStringLiteral("%1 could not be renamed to %2: %3. The file is unchanged.")
                           .arg(oldName, target, reason));
    }
    if (!QFile::remove(ProgramFolder::file(aside)))
        throw KvrError(KvrError::PermissionDenied,
                       QStringLiteral("The map was stored as %1, but the old copy %2 could not "
                                      "be removed.")
                           .arg(target, aside));
}

} // namespace

RewriteOutcome Rewrite_Header(const QString& oldName, const QString& target, const QDateTime& now,
                              bool replaceTarget) {
    const bool renaming = target != oldName;
    const bool sameFile = renaming && ProgramFolder::Same_File(oldName, target);
    if (renaming && !sameFile && !replaceTarget && QFileInfo::exists(ProgramFolder::file(target)))
        return RewriteOutcome::TargetExists;
    const QString oldText = TextFile::readAll(ProgramFolder::file(oldName));
    const QStringList old = TextFile::splitLines(oldText);
    const bool hasEmail =
        std::any_of(old.begin(), old.end(), [](const QString& l) { return l.contains(EmailTag); });
    if (!hasEmail && !renaming)
        return RewriteOutcome::NoEmailLine;
    const auto lines = Rewritten_Lines(old, target, now);
    if (!lines)
        return RewriteOutcome::NoMapsLine;
    // A whole map stays one (a header grown past LargestTuneMap would not); a
    // file the library refused already may still be renamed or named anew.
    const QByteArray bytes = File_Bytes(*lines);
    if (const QString problem = Whole_Map_Problem_Of_Bytes(bytes, target);
        !problem.isEmpty() &&
        Whole_Map_Problem_Of_Bytes(TextFile::toLatin1(oldText), oldName).isEmpty())
        throw RefusedFile(target, problem);
    if (sameFile) {
        renameSameFile(oldName, target, bytes);
    } else {
        writeBytes(ProgramFolder::file(target), bytes);
        if (renaming && !QFile::remove(ProgramFolder::file(oldName)))
            throw KvrError(KvrError::PermissionDenied,
                           QStringLiteral("The map was stored as %1, but the old file %2 could "
                                          "not be removed.")
                               .arg(target, oldName));
    }
    if (!hasEmail)
        return RewriteOutcome::RenamedOnly;
    // The current map's description follows its own file, and no other.
    if (MapInfo.fileName == oldName)
        MapDscr = Padded_Description(LibRecord[1]);
    return RewriteOutcome::Rewritten;
}

// --- reading the header ---------------------------------------------------------------------

void Read_Header_Line(const QString& line, HeaderRules rules, HeaderValues& values) {
    const bool scan = rules == HeaderRules::LibraryScan;
    const bool click = rules == HeaderRules::RowClick;
    auto value = [&](const QString& tag, qsizetype offset, qsizetype length) {
        const qsizetype p = columnOf(line, tag);
        const QString v = slice(line, p - 1 + offset, length);
        return click ? v.trimmed() : v;
    };
    if (columnOf(line, QStringLiteral("Dscr:")) > 0) {
        if (scan)
            values.dscr = value(QStringLiteral("Dscr:"), 5, 63);
        else // from column 6 whatever the tag's place, padded to the full width
            values.dscr = Padded_Description(slice(line, 5, line.size()));
    }
    if (columnOf(line, QStringLiteral("Mapid:")) > 0)
        values.mapId = value(QStringLiteral("Mapid:"), 6, 64);
    if (columnOf(line, QStringLiteral("Make:")) > 0)
        values.make = value(QStringLiteral("Make:"), 5, 64);
    if (columnOf(line, QStringLiteral("Model:")) > 0)
        values.model = value(QStringLiteral("Model:"), 6, 64);
    if (columnOf(line, QStringLiteral("Year:")) > 0)
        values.year = value(QStringLiteral("Year:"), 5, 64);
    if (columnOf(line, QStringLiteral("Type:")) > 0)
        values.type = value(QStringLiteral("Type:"), 5, 64);
    const qsizetype t = columnOf(line, QStringLiteral("Type:"));
    const qsizetype o = columnOf(line, QStringLiteral("Owner:"));
    if (o > 0)
        values.owner =
            click ? slice(line, 6 + t, 64).trimmed() : value(QStringLiteral("Owner:"), 6, 64);
    if (columnOf(line, QStringLiteral("Owner Email:")) > 0)
        values.ownerEmail = click ? slice(line, 12 + t, 64).trimmed() : slice(line, 12 + o, 64);
}

std::optional<int> NoTune_Mark(const QString& dscrLine) {
    if (dscrLine.size() <= 70)
        return std::nullopt;
    return dscrLine.at(70).unicode() == 170 ? 171 : 255;
}

HeaderValues Scan_Header(const QStringList& lines) {
    HeaderValues values;
    for (const QString& line : lines)
        Read_Header_Line(line, HeaderRules::LibraryScan, values);
    return values;
}

void Read_Row_Click(const QString& name) {
    TextReader file(ProgramFolder::file(name));
    HeaderValues values;
    // The last line is the end line: it is read but not examined.
    if (!file.atEnd()) {
        QString line = file.readLine();
        while (!file.atEnd()) {
            Read_Header_Line(line, HeaderRules::RowClick, values);
            line = file.readLine();
        }
    }
    if (values.dscr)
        LibRecord[1] = values.dscr->trimmed();
    LibRecord[2] = name;
    auto put = [](const std::optional<QString>& v, int element) {
        if (v)
            LibRecord[element] = *v;
    };
    put(values.make, 3);
    put(values.mapId, 4);
    put(values.model, 5);
    put(values.type, 6);
    put(values.year, 7);
    put(values.owner, 8);
    put(values.ownerEmail, 9);
    Library::Save_File_Info();
}

namespace {

// The map load on an open file: the header into the current-map record, the map
// rows into the unit image. The caller puts back what a refused file changed.
LoadResult loadFrom(TextReader& file, const QString& name) {
    LoadResult result;
    MapInfo.fileName = name;
    if (!file.atEnd()) {
        QString line = file.readLine();
        while (!file.atEnd()) {
            HeaderValues v;
            Read_Header_Line(line, HeaderRules::MapLoad, v);
            if (v.dscr) {
                MapDscr = *v.dscr;
                if (const auto mark = NoTune_Mark(line))
                    NoTuneFlag = *mark;
            }
            if (v.mapId)
                MapId = *v.mapId;
            for (auto [found, field] : {std::pair{&v.make, &MapInfo.make},
                                        {&v.model, &MapInfo.model},
                                        {&v.year, &MapInfo.year},
                                        {&v.type, &MapInfo.type},
                                        {&v.owner, &MapInfo.owner},
                                        {&v.ownerEmail, &MapInfo.ownerEmail}})
                if (*found)
                    *field = **found;
            if (line.contains(MapsTag)) {
                result.mapsLine = true;
                result.rows = WtsGeneral::Parse_Map_Image(file);
                break;
            }
            line = file.readLine();
        }
    }
    result.missing = Missing_Rows(result.rows);
    return result;
}

} // namespace

LoadResult Load_Tune_Map(const QString& name) {
    TextReader file(ProgramFolder::file(name));
    // A refused file puts everything back as it was.
    const ImageSnapshot before = ImageSnapshot::Take();
    const LoadResult result = loadFrom(file, name);
    if (!result.ok())
        before.Restore();
    return result;
}

QString Missing_Rows(const WtsGeneral::MapImageResult& rows) {
    QStringList gaps;
    for (const PageRows& p : fileRows()) {
        int r = p.first;
        while (r <= p.last) {
            if (rows.Has_Row(p.page, r)) {
                ++r;
                continue;
            }
            const int from = r;
            while (r <= p.last && !rows.Has_Row(p.page, r))
                ++r;
            gaps << QStringLiteral("page %1 addresses %2 to %3")
                        .arg(p.page + UnitPageOfFilePage)
                        .arg(from * 16)
                        .arg(r * 16 - 1);
        }
    }
    return gaps.join(QStringLiteral(", "));
}

QString Refused_Load_Reason(const LoadResult& result) {
    if (!result.rows.ok())
        return QStringLiteral("line %1 is not a valid map line (%2 refused)")
            .arg(result.rows.firstRejectedLine)
            .arg(result.rows.rejected == 1 ? QStringLiteral("1 line")
                                           : QStringLiteral("%1 lines").arg(result.rows.rejected));
    if (!result.mapsLine)
        return QStringLiteral("it has no \"MAPS:\" line before its last line, so it holds no map "
                              "rows");
    return QStringLiteral("it is cut short: the map rows of %1 are missing").arg(result.missing);
}

QString Refused_Load_Text(const QString& name, const LoadResult& result) {
    return QStringLiteral("The tune map %1 was not loaded: %2. The map and the unit are "
                          "unchanged.")
        .arg(name, Refused_Load_Reason(result));
}

// --- the library's own check of a file ------------------------------------------------

namespace {

const QString TooLarge = QStringLiteral("too large for a tune-map file");

// The map load's own verdict on a text the library lists.
QString loadProblem(const QString& text, const QString& name) {
    TextReader file = TextReader::fromText(text);
    const ImageSnapshot before = ImageSnapshot::Take();
    const LoadResult result = loadFrom(file, name);
    before.Restore();
    return result.ok() ? QString() : Refused_Load_Reason(result);
}

} // namespace

QString Listing_Problem_Of_Bytes(const QByteArray& bytes) {
    if (bytes.size() > LargestTuneMap)
        return TooLarge;
    if (bytes.contains('\0'))
        return QStringLiteral("not a text file");
    return QString();
}

QString Whole_Map_Problem_Of_Bytes(const QByteArray& bytes, const QString& name) {
    if (const QString problem = Listing_Problem_Of_Bytes(bytes); !problem.isEmpty())
        return problem;
    return loadProblem(QString::fromLatin1(bytes), name);
}

QString Listing_Problem(const QString& path, QString* text) {
    const QFileInfo info(path);
    if (!info.isFile())
        return QStringLiteral("not a file");
    if (info.size() > LargestTuneMap)
        return TooLarge;
    std::optional<QByteArray> read;
    try {
        read = TextFile::readBytesIfPresent(path);
    } catch (const KvrError&) {
    }
    if (!read)
        return QStringLiteral("cannot be read");
    const QByteArray& bytes = *read;
    if (const QString problem = Listing_Problem_Of_Bytes(bytes); !problem.isEmpty())
        return problem;
    if (text)
        *text = QString::fromLatin1(bytes);
    return QString();
}

QString Whole_Map_Problem(const QString& path) {
    QString text;
    if (const QString problem = Listing_Problem(path, &text); !problem.isEmpty())
        return problem;
    return loadProblem(text, QFileInfo(path).fileName());
}

} // namespace TuneMap
