#include "core/TableFiles.h"

#include "core/CoreState.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <optional>

namespace WtsGeneral {

namespace {

const QString ContactFile = QStringLiteral("KVR6Contact.cfg");
const QString FileInfoFile = QStringLiteral("KVR6FileInfo.cfg");
const QString TypeFile = QStringLiteral("KVR6Type.cfg");
const QString MakeFile = QStringLiteral("KVR6Make.cfg");
const QString WdFile = QStringLiteral("KVRWD.cfg");
const QString VariablesFile = QStringLiteral("KVR6SetVariables.cfg");
const QString DisplayFile = QStringLiteral("KVR6SetDisplay.cfg");

const QString DisplayMarker = QStringLiteral("Display IN:");
const QString SetupMarker = QStringLiteral("Setup IN:");
const QString ContactEnd = QStringLiteral("END Contact:");
const QString FileInfoEnd = QStringLiteral("END Info:");
const QString DisplayEnd = QStringLiteral("END Display:");

constexpr int DisplayRows = 27;
constexpr int LibRecordEntries = 25;
constexpr int WdRecords = 2500;
constexpr int WdFields = 25;
constexpr int BarSlots = 6;
constexpr int TextSlots = 10;
constexpr int PlottedRows = 3;

using EndTest = std::function<bool(const QString&)>;

// The files the program writes end at their own end line, so a value that merely
// contains "END" ("LEGEND MOTORS") stays a value.
EndTest endsAt(const QString& endLine) {
    return [endLine](const QString& line) { return line.trimmed() == endLine; };
}

// Hand-written lists end at a line that begins with "END".
bool listEnd(const QString& line) {
    return line.trimmed().startsWith(QStringLiteral("END"));
}

// The lines of a file, or nothing when it is missing.
std::optional<QStringList> readTableFile(const QString& name) {
    if (const auto text = TextFile::readAllIfPresent(ProgramFolder::file(name)))
        return TextFile::splitLines(*text);
    return std::nullopt;
}

// The lines after the first one holding the start marker, up to the end line.
QStringList dataLines(const QStringList& lines, const QString& marker, const EndTest& isEnd) {
    QStringList data;
    bool started = false;
    for (const QString& line : lines) {
        if (!started) {
            started = line.contains(marker);
            continue;
        }
        if (isEnd(line))
            break;
        data << line;
    }
    return data;
}

QString wholeNumberText(const QString& text) {
    return QString::number(NumberRules::RoundEven(NumberRules::Val(text)));
}

QString numberText(const QString& text) {
    return NumberRules::Str(NumberRules::Val(text));
}

// A slot number that names an existing slot, else "0" (none).
QString slotText(const QString& text, int slotCount) {
    const double v = NumberRules::Val(text);
    return v >= 1 && v <= slotCount && v == static_cast<int>(v) ? numberText(text)
                                                                : QStringLiteral("0");
}

// The fields of a comma line: field n is the text after the n-th comma, the last
// one running to the end of the line. Nothing when the line has too few commas.
std::optional<QStringList> commaFields(const QString& line, int fields) {
    QStringList parts = line.split(',');
    if (parts.size() < fields + 1)
        return std::nullopt;
    const QString last = parts.mid(fields).join(',');
    parts = parts.mid(0, fields);
    parts << last;
    return parts;
}

// What a writer may put in a field so that its reader gives it back.
struct FieldRules {
    bool commas = false; // the field stands in a comma line
    bool tabs = false;   // the reader cuts the field at a tab
};

QString fileSafe(const QString& value, FieldRules rules) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == '\r' || c == '\n' || (rules.tabs && c == '\t'))
            out += ' ';
        else if (rules.commas && c == ',')
            out += ';';
        else if (c.unicode() > 255)
            out += '?';
        else
            out += c;
    }
    return out;
}

// Makes a stored value file-safe in place; returns whether it had to change.
bool makeFileSafe(QString& value, FieldRules rules) {
    const QString safe = fileSafe(value, rules);
    if (safe == value)
        return false;
    value = safe;
    return true;
}

void tellChanged(const QString& title, const QString& file, const QStringList& entries) {
    if (entries.isEmpty())
        return;
    Dialogs::msgBox(QStringLiteral("These entries held characters that %1 cannot keep (commas, "
                                   "line breaks or tabs where they would split the entry, or "
                                   "characters outside the file's character set). They were "
                                   "saved with ';' in place of a comma, a blank in place of a "
                                   "line break or tab, and '?' in place of any other:\n")
                            .arg(file) +
                        entries.join('\n'),
                    Dialogs::Buttons::Ok, Dialogs::Icon::Information, title);
}

const std::array<QString, 12> ContactLabels{
    QString(),
    QStringLiteral("Name"),
    QStringLiteral("Surname"),
    QStringLiteral("Company Name"),
    QStringLiteral("Contact Number"),
    QStringLiteral("Email Address"),
    QStringLiteral("Web Site Address"),
    QStringLiteral("General Description"),
    QStringLiteral("Shipping Address"),
    QStringLiteral("Shipping Province"),
    QStringLiteral("Shipping Country"),
    QStringLiteral("Shipping Country Code"),
};

const std::array<QString, 10> FileInfoLabels{
    QString(),
    QStringLiteral("Description"),
    QStringLiteral("File Name"),
    QStringLiteral("Make"),
    QStringLiteral("Map Id"),
    QStringLiteral("Model"),
    QStringLiteral("Type"),
    QStringLiteral("Year"),
    QStringLiteral("Owner"),
    QStringLiteral("Owner E-mail"),
};

// Hands each comma line of a display file, with its row number, to `handle`,
// for at most DisplayRows lines; returns the number of rows. Whatever makes the
// file or one of its lines unusable goes into *report: a line with too few
// fields, one beyond the table, or one `handle` finds fault with (it says why and
// leaves the row showing nothing, so the rows keep their numbers).
template <typename Handler>
int readCommaRows(const QString& name, const QString& marker, int fields, Handler&& handle,
                  UnusableFile& report) {
    report = UnusableFile{name, {}, {}, {}};
    const auto lines = readTableFile(name);
    if (!lines) {
        report.problem = QStringLiteral("is missing from the program folder");
        return 0;
    }
    qsizetype at = 0;
    while (at < lines->size() && !lines->at(at).contains(marker))
        ++at;
    if (at == lines->size()) {
        report.problem =
            lines->join(QString()).trimmed().isEmpty()
                ? QStringLiteral("is empty")
                : QStringLiteral("has no \"%1\" line, so none of it could be read").arg(marker);
        return 0;
    }
    int rows = 0;
    for (qsizetype i = at + 1; i < lines->size(); ++i) {
        const QString& line = lines->at(i);
        if (listEnd(line))
            break;
        if (line.trimmed().isEmpty())
            continue;
        const QString where = QStringLiteral("line %1: ").arg(i + 1);
        const auto f = commaFields(line, fields);
        if (!f) {
            report.lines << where + QStringLiteral("has fewer than %1 fields").arg(fields);
            continue;
        }
        if (rows >= DisplayRows) {
            report.lines << where + QStringLiteral("lies beyond the %1 rows the table holds")
                                        .arg(DisplayRows);
            continue;
        }
        if (const std::optional<QString> fault = handle(rows++, *f))
            report.lines << where + *fault;
    }
    if (rows == 0 && report.lines.isEmpty())
        report.problem = QStringLiteral("holds no rows");
    else if (!report.lines.isEmpty())
        report.problem = QStringLiteral("could be used only in part");
    return rows;
}

// A reading id the main window converts (14 is the free row, shown empty).
constexpr int LastReadingId = 18;

std::optional<QString> badReadingId(const QString& field) {
    const double id = NumberRules::Val(field);
    if (id >= 0 && id <= LastReadingId && id == static_cast<int>(id))
        return std::nullopt;
    return QStringLiteral("reading id \"%1\" names no reading").arg(field.trimmed());
}

// A slot column: empty or 0 is no slot; any other value must name a slot.
std::optional<QString> badSlot(const QString& field, int slotCount, const char* what) {
    const double v = NumberRules::Val(field);
    if (v == 0 || (v >= 1 && v <= slotCount && v == static_cast<int>(v)))
        return std::nullopt;
    return QStringLiteral("%1 \"%2\" names no %1 (1 to %3)")
        .arg(QLatin1String(what), field.trimmed())
        .arg(slotCount);
}

// The graph range of a row that draws a bar or a trace, its limits held within
// what an int holds, must have a span.
std::optional<QString> badRange(const QString& minField, const QString& maxField) {
    const auto limit = [](const QString& f) {
        return std::clamp<double>(NumberRules::RoundEven(NumberRules::Val(f)),
                                  std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    };
    // A reversed range still draws its bar, counted from its minimum.
    if (limit(minField) != limit(maxField))
        return std::nullopt;
    return QStringLiteral("graph range %1 to %2 has no span")
        .arg(minField.trimmed(), maxField.trimmed());
}

template <std::size_t N> void readList(const QString& name, std::array<QString, N>& list) {
    list = {};
    int count = 0;
    if (const auto lines = readTableFile(name)) {
        for (const QString& line : dataLines(*lines, DisplayMarker, listEnd)) {
            const QString value = line.trimmed();
            if (value.isEmpty())
                continue;
            if (count + 1 >= static_cast<int>(N))
                break;
            list[++count] = value;
        }
    }
    list[0] = QString::number(count);
}

} // namespace

QString Contact_Label(int k) {
    return k >= 1 && k <= 11 ? ContactLabels[static_cast<std::size_t>(k)] : QString();
}

void Write_Contact_File() {
    QStringList changed;
    QString line;
    for (int k = 1; k <= 11; ++k) {
        if (makeFileSafe(ContactFields[k], {.commas = true}))
            changed << ContactLabels[k];
        line += ',' + ContactFields[k];
    }
    line += ',';
    TextFile::writeLines(
        ProgramFolder::file(ContactFile),
        {QStringLiteral("KVR6 Contact Details"), QString(), DisplayMarker, line, ContactEnd});
    tellChanged(QStringLiteral("Contact Details"), ContactFile, changed);
}

void Read_FileInfo_File() {
    const auto lines = readTableFile(FileInfoFile);
    if (!lines) {
        LibRecord = {};
        LibRecord[0] = QStringLiteral("0");
        return;
    }
    // Entries after the last one read keep their values, as the editor relies on.
    int count = 0;
    for (const QString& line : dataLines(*lines, DisplayMarker, endsAt(FileInfoEnd))) {
        if (count >= LibRecordEntries)
            break;
        LibRecord[++count] = line.trimmed();
    }
    LibRecord[0] = QString::number(count);
}

void Write_FileInfo_File() {
    if (NumberRules::Val(LibRecord[0]) != 9)
        LibRecord[0] = QStringLiteral("9");
    QStringList changed;
    QStringList lines{QStringLiteral("KVR6 File Information Details"), QString(), DisplayMarker};
    for (int k = 1; k <= 9; ++k) {
        bool fixed = makeFileSafe(LibRecord[k], {});
        // An entry that reads as the end line would end the list there.
        if (LibRecord[k].trimmed() == FileInfoEnd) {
            LibRecord[k].replace(':', ' ');
            LibRecord[k] = LibRecord[k].trimmed();
            fixed = true;
        }
        if (fixed)
            changed << FileInfoLabels[k];
        lines << LibRecord[k];
    }
    lines << FileInfoEnd;
    TextFile::writeLines(ProgramFolder::file(FileInfoFile), lines);
    tellChanged(QStringLiteral("File Information"), FileInfoFile, changed);
}

void Read_Type_File() {
    readList(TypeFile, TypeList);
}

void Read_Make_File() {
    readList(MakeFile, MakeList);
}

void Read_WD_File() {
    WdTable.assign(1, {});
    const auto lines = readTableFile(WdFile);
    if (lines) {
        for (const QString& line : *lines) {
            if (static_cast<int>(WdTable.size()) > WdRecords)
                break;
            const QStringList items = line.split(QStringLiteral(", "));
            if (items.size() < 3)
                continue; // a record has at least three fields
            std::array<QString, 26> record{};
            const int fields = std::min<int>(static_cast<int>(items.size()), WdFields);
            record[1] = wholeNumberText(items[0].trimmed());
            // The texts are trimmed; the map lines keep their columns, which the
            // map-image reader reads them by.
            for (int f = 2; f <= fields; ++f)
                record[f] = f < 9 ? items[f - 1].trimmed() : items[f - 1];
            // The count is the line's own, also beyond the fields a record keeps,
            // so that a load can refuse a record it could apply only in part.
            record[0] = QString::number(items.size());
            WdTable.push_back(record);
        }
    }
    WdTable[0][0] = QString::number(WdTable.size() - 1);
}

std::vector<UnusableFile> Read_Setup_Display_Files() {
    DisplayFuncTable = {};
    std::vector<UnusableFile> reports;
    const QString noReadouts =
        QStringLiteral("no live readouts, bars or chart traces for the readings it lacks");

    int available = 0;
    UnusableFile variables;
    readCommaRows(
        VariablesFile, SetupMarker, 6,
        [&](int r, const QStringList& f) -> std::optional<QString> {
            auto& row = DisplayFuncTable[r];
            row[1] = wholeNumberText(f[1]);
            QString name = f[4].trimmed();
            // The setup screen shows the name up to and with its first tab.
            if (const qsizetype tab = name.indexOf('\t'); tab >= 0)
                name.truncate(tab + 1);
            row[2] = name;
            const auto fault = badReadingId(f[1]);
            const bool offered =
                !fault && NumberRules::Val(f[2]) == 1 && NumberRules::Val(f[6]) == 1;
            row[3] = offered ? QStringLiteral("1") : QStringLiteral("0");
            available += offered ? 1 : 0;
            return fault;
        },
        variables);
    DisplayFuncTable[0][0] = QString::number(available - 1);
    if (!variables.problem.isEmpty()) {
        variables.instead = variables.lines.isEmpty()
                                ? QStringLiteral("no live readouts, bars or chart traces")
                                : noReadouts;
        reports.push_back(variables);
    }

    if (auto display = Read_Setup_Display_File())
        reports.push_back(*display);
    return reports;
}

std::optional<UnusableFile> Read_Setup_Display_File() {
    DisplaySetTable = {};
    PlotLegend.clear();
    const QString noReadouts =
        QStringLiteral("no live readouts, bars or chart traces for the readings it lacks");
    int plotted = 0;
    QStringList legend;
    UnusableFile display;
    const int rows = readCommaRows(
        DisplayFile, DisplayMarker, 8,
        [&](int r, const QStringList& f) -> std::optional<QString> {
            auto& row = DisplaySetTable[r];
            for (const int c : {1, 6, 7, 8})
                row[c] = numberText(f[c]);
            row[2] = slotText(f[2], BarSlots);
            row[3] = slotText(f[3], TextSlots);
            for (const int c : {4, 5})
                row[c] = f[c].section('\t', 0, 0).trimmed();
            // Each fault is named; the column at fault is left out where the row
            // is read (a slot that names none) or where it is shown (an unknown
            // reading, a range without span).
            QStringList faults;
            for (const auto& fault : {badReadingId(f[1]), badSlot(f[2], BarSlots, "bar slot"),
                                      badSlot(f[3], TextSlots, "text slot")})
                if (fault)
                    faults << *fault;
            const bool drawn = NumberRules::Val(row[2]) > 0 || NumberRules::Val(row[8]) > 0;
            if (const auto fault = badRange(f[6], f[7]); fault && drawn)
                faults << *fault;
            // The chart has three traces; a further plotted row gets none.
            if (NumberRules::Val(row[8]) > 0 && ++plotted > PlottedRows) {
                row[8] = QStringLiteral("0");
                faults << QStringLiteral("a fourth plotted reading gets no trace (the chart has "
                                         "%1)")
                              .arg(PlottedRows);
            }
            if (NumberRules::Val(row[8]) == 1)
                legend << row[5];
            if (faults.isEmpty())
                return std::nullopt;
            return faults.join(QStringLiteral("; "));
        },
        display);
    DisplaySetTable[0][0] = QString::number(rows - 1);
    PlotLegend = Plot_Legend(legend);
    if (display.problem.isEmpty())
        return std::nullopt;
    display.instead = display.lines.isEmpty()
                          ? QStringLiteral("no live readouts, bars or chart traces")
                          : noReadouts + QStringLiteral(" (the lines named show nothing)");
    return display;
}

void Write_Setup_Display_File() {
    static constexpr std::array<int, 9> Widths{0, 6, 6, 11, 17, 23, 17, 17, 6};
    static const std::array<QString, 9> Headers{
        QString(),
        QStringLiteral("ID"),
        QStringLiteral("Graph ON"),
        QStringLiteral("Text ON"),
        QStringLiteral("Display Name TQX"),
        QStringLiteral("Display Name KVR"),
        QStringLiteral("TQX Graph Min"),
        QStringLiteral("TQX Graph Max"),
        QStringLiteral("Plot"),
    };
    const auto last = std::min<std::int64_t>(
        NumberRules::RoundEven(NumberRules::Val(DisplaySetTable[0][0])), DisplayRows - 1);
    QStringList changed;
    QStringList lines{
        QStringLiteral("KVR6 Configuration file for the setup of the display screen"), QString(),
        QStringLiteral(",ID ,Graph ON,Text ON ,Display Name TQX ,Display Name KVR   ,TQX Graph "
                       "Min  ,TQX Graph Max  ,Plot"),
        DisplayMarker};
    for (int r = 0; r <= last; ++r) {
        auto& row = DisplaySetTable[r];
        QString line;
        for (int c = 1; c <= 8; ++c) {
            if (makeFileSafe(row[c], {.commas = true, .tabs = true}))
                changed << QStringLiteral("%1 of reading %2").arg(Headers[c], row[1]);
            line += ',' + row[c].leftJustified(Widths[c], ' ', true);
        }
        lines << line;
    }
    lines << DisplayEnd;
    TextFile::writeLines(ProgramFolder::file(DisplayFile), lines);
    tellChanged(QStringLiteral("Display Setup"), DisplayFile, changed);
}

QString Plot_Legend(const QStringList& names) {
    static const std::array<QString, 3> Traces{QStringLiteral("BLUE - "),
                                               QStringLiteral("          RED - "),
                                               QStringLiteral("          GREEN - ")};
    QString legend;
    for (qsizetype i = 0; i < names.size(); ++i)
        legend += Traces[std::min<qsizetype>(i, 2)] + names[i];
    return legend;
}

} // namespace WtsGeneral
