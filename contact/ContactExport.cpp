#include "contact/ContactExport.h"

#include "platform/FileWrite.h"
#include "platform/KvrError.h"
#include "platform/TextFile.h"

#include <QRegularExpression>
#include <QSaveFile>

namespace Contact {

namespace {

// The format version every line carries.
const QString CsvVersion = QStringLiteral("2");
const QString Separator = QStringLiteral(", ");

QString valueOf(const std::optional<QString>& v) {
    return v.value_or(QString());
}

} // namespace

std::vector<ExportEntry> Export_Entries(const std::vector<TuneMap::LibraryEntry>& library) {
    std::vector<ExportEntry> entries;
    entries.reserve(library.size());
    for (const TuneMap::LibraryEntry& file : library) {
        const TuneMap::HeaderValues& h = file.header;
        ExportEntry e;
        e.values = {valueOf(h.make),  valueOf(h.model),      valueOf(h.year),
                    valueOf(h.type),  valueOf(h.mapId),      valueOf(h.dscr),
                    valueOf(h.owner), valueOf(h.ownerEmail), file.fileName};
        entries.push_back(std::move(e));
    }
    return entries;
}

QString Entry_Text(const ExportEntry& entry) {
    const auto& v = entry.values;
    QString text = v[ExportMake] + '-' + v[ExportModel] + '-' + v[ExportYear] + '-' +
                   v[ExportType] + '-' + v[ExportMapid];
    if (text == QStringLiteral("----"))
        text = v[ExportDscr];
    return text + QStringLiteral(" << ") + v[ExportFileName] + QStringLiteral(" >>");
}

QString Csv_Value(const QString& value) {
    QString out = value;
    out.replace(',', '-');
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace('\r', ' ');
    out.replace('\n', ' ');
    return out;
}

QString Csv_Contact_Part(const ContactValues& contact) {
    QString part = QStringLiteral(" ");
    for (const QString& value : contact)
        part += Csv_Value(value) + Separator;
    return part;
}

QStringList Csv_Lines(const std::vector<ExportEntry>& entries, const QString& contactPart) {
    QStringList lines;
    for (const ExportEntry& e : entries) {
        if (!e.ticked)
            continue;
        QString line = QStringLiteral(" ");
        for (const QString& value : e.values)
            line += Csv_Value(value) + Separator;
        lines << line + CsvVersion + Separator + contactPart;
    }
    if (lines.isEmpty()) {
        QString line = QStringLiteral(" ");
        for (int k = 0; k < ExportColumns; ++k)
            line += Separator;
        lines << line + CsvVersion + Separator + contactPart;
    }
    return lines;
}

QString Csv_File_Name(const QString& path) {
    static const QRegularExpression extension(QStringLiteral("\\.[A-Za-z]{1,4}$"));
    const QString name = path.section('/', -1);
    return extension.match(name).hasMatch() ? path : path + QStringLiteral(".CSV");
}

bool Is_Tune_Map_Name(const QString& path) {
    return path.endsWith(QStringLiteral(".kvr"), Qt::CaseInsensitive);
}

std::optional<QChar> Csv_Unkept_Character(const QString& value) {
    for (const QChar c : value)
        if (c.unicode() > 255)
            return c;
    return std::nullopt;
}

std::optional<UnkeptEntry> Csv_Unkept_Entry(const std::vector<ExportEntry>& entries) {
    // The values' names, in the order of ExportColumn.
    static const std::array<QString, ExportColumns> names{
        QStringLiteral("make"),  QStringLiteral("model"),        QStringLiteral("year"),
        QStringLiteral("type"),  QStringLiteral("map id"),       QStringLiteral("description"),
        QStringLiteral("owner"), QStringLiteral("owner e-mail"), QStringLiteral("file name")};
    for (const ExportEntry& e : entries) {
        if (!e.ticked)
            continue;
        // The file name first: the header values come from a Latin-1 file, so it
        // is the one value that can hold what the CSV cannot.
        for (const int column : {static_cast<int>(ExportFileName), 0, 1, 2, 3, 4, 5, 6, 7}) {
            const auto at = static_cast<std::size_t>(column);
            if (const auto c = Csv_Unkept_Character(e.values[at]))
                return UnkeptEntry{e.values[ExportFileName], names[at], *c};
        }
    }
    return std::nullopt;
}

void Write_Csv_File(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += TextFile::toLatin1(line) + "\r\n";
    // Written whole under a temporary name and put in place when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw KvrError(KvrError::PermissionDenied, FileWrite::Open_Cause(file));
    int error = 0;
    const QString cause = FileWrite::Append(file, bytes, &error);
    if (!cause.isEmpty()) {
        file.cancelWriting();
        throw KvrError(FileWrite::Error_Number(error), cause);
    }
    if (!file.commit())
        throw KvrError(KvrError::PermissionDenied, file.errorString());
}

} // namespace Contact
