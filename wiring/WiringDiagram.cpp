#include "wiring/WiringDiagram.h"

#include "core/CoreState.h"
#include "core/ImageSnapshot.h"
#include "core/MapImage.h"
#include "library/TuneMapFile.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace WiringDiagram {

const QString OutFile = QStringLiteral("KVRWDOut.cfg");
const QString FixedRow8 =
    QStringLiteral(" 8 0 255   0   0   0 255   3 255 255   0 255 255 255 255 255 255 255 ");
const QString FixedRow9 =
    QStringLiteral(" 9 0  10   4   2   1  34 222   3   0  20  43  74 105 137 168 199 231 ");

namespace {

const QString TemplateFile = QStringLiteral("BLANKKVR6.WTS");
const QString Title = QStringLiteral("Wiring Diagram Maps");
const QString Unchanged = QStringLiteral("The map and the unit are unchanged.");

int recordCount(const std::vector<Record>& table) {
    if (table.empty())
        return 0;
    bool ok = false;
    const int n = table[0][0].trimmed().toInt(&ok);
    return ok ? std::clamp(n, 0, static_cast<int>(table.size()) - 1) : 0;
}

int fieldCount(const Record& record) {
    bool ok = false;
    const int n = record[FieldCount].trimmed().toInt(&ok);
    return ok ? n : 0;
}

int lastField(const Record& record) {
    return std::min(fieldCount(record), static_cast<int>(record.size()) - 1);
}

// The record as the user knows it: its number and file name.
QString recordName(const Record& record) {
    QString name = QStringLiteral("wiring-diagram map No. %1").arg(record[FieldNumber].trimmed());
    if (!record[FieldFileName].trimmed().isEmpty())
        name += QStringLiteral(" (%1)").arg(record[FieldFileName].trimmed());
    return name;
}

void tell(const QString& text) {
    Dialogs::msgBox(text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, Title);
}

} // namespace

const std::array<Column, 8>& Columns() {
    static const std::array<Column, 8> columns{{
        {QStringLiteral("No."), 540, FieldNumber},
        {QStringLiteral("File Name"), 1540, FieldFileName},
        {QStringLiteral("Make"), 1100, FieldMake},
        {QStringLiteral("Model"), 2200, FieldModel},
        {QStringLiteral("Year"), 1100, FieldYear},
        {QStringLiteral("Updated"), 1200, FieldUpdated},
        {QStringLiteral("ECU Make"), 2200, FieldEcuMake},
        {QStringLiteral("Description"), 3700, FieldDescription},
    }};
    return columns;
}

int Search_Field(int option) {
    static constexpr std::array<int, 6> fields{FieldNumber, FieldFileName, FieldMake,
                                               FieldModel,  FieldYear,     FieldEcuMake};
    return option >= 0 && option < 6 ? fields[option] : -1;
}

bool Listed(const Record& record, const Filter& filter) {
    if (record[FieldNumber].isEmpty())
        return false;
    if (filter.showAll)
        return true;
    const int field = Search_Field(filter.option);
    if (field < 0)
        return true;
    const QString& value = record[field];
    return value.contains(filter.text.toLower(), Qt::CaseSensitive) ||
           value.contains(filter.text.toUpper(), Qt::CaseSensitive);
}

std::vector<Row> List_Rows(const std::vector<Record>& table, const std::array<bool, 8>& boxes,
                           const Filter& filter) {
    std::vector<Row> rows;
    if (std::none_of(boxes.begin(), boxes.end(), [](bool b) { return b; }))
        return rows;
    const int count = recordCount(table);
    for (int n = 1; n <= count; ++n) {
        const Record& record = table[n];
        if (!Listed(record, filter))
            continue;
        Row row{n, {}};
        for (int box = 0; box < 8; ++box)
            if (boxes[box])
                row.texts << record[Columns()[box].field].trimmed();
        rows.push_back(row);
    }
    return rows;
}

void Sort_Rows(std::vector<Row>& rows, int column) {
    std::stable_sort(rows.begin(), rows.end(), [column](const Row& a, const Row& b) {
        const QString ta = column < a.texts.size() ? a.texts[column] : QString();
        const QString tb = column < b.texts.size() ? b.texts[column] : QString();
        return QString::compare(ta, tb, Qt::CaseInsensitive) < 0;
    });
}

std::optional<QStringList> Out_Lines(const Record& record, Start start, QString* problem) {
    QStringList lines;
    if (start == Start::KeepMaps) {
        lines << QStringLiteral("MAPS:") << FixedRow8 << FixedRow9;
    } else {
        const QString path = ProgramFolder::file(TemplateFile);
        try {
            // A template cut short would pass half a default map for the whole.
            if (!WtsGeneral::Ends_With_Closing_Line(path)) {
                if (problem)
                    *problem = QStringLiteral("the default map file %1 is cut short or empty "
                                              "(its closing \"End\" line is missing)")
                                   .arg(TemplateFile);
                return std::nullopt;
            }
            for (const QString& line : TextFile::readLines(path)) {
                if (line.contains(QLatin1String("End")))
                    break;
                lines << line;
            }
        } catch (const KvrError& e) {
            if (problem)
                *problem = QStringLiteral("the default map file %1 could not be read (%2)")
                               .arg(TemplateFile, e.description());
            return std::nullopt;
        }
    }
    for (int k = FirstMapLine; k <= lastField(record); ++k)
        lines << record[k];
    lines << QStringLiteral("End");
    return lines;
}

bool Load_Record(int number, Start start) {
    if (number < 1 || number > recordCount(WdTable))
        return false;
    const Record record = WdTable[number];
    const QString name = recordName(record);
    if (fieldCount(record) > lastField(record)) {
        // The lines left out would leave the record's settings half applied.
        tell(QStringLiteral("The %1 was not loaded: it holds %2 map lines, more than the %3 a "
                            "record keeps. %4")
                 .arg(name)
                 .arg(fieldCount(record) - (FirstMapLine - 1))
                 .arg(lastField(record) - (FirstMapLine - 1))
                 .arg(Unchanged));
        return false;
    }

    QString problem;
    const auto lines = Out_Lines(record, start, &problem);
    if (!lines) {
        tell(QStringLiteral("The %1 was not loaded as a new blank map: %2. %3")
                 .arg(name, problem, Unchanged));
        return false;
    }
    const QString path = ProgramFolder::file(OutFile);
    try {
        TextFile::writeLines(path, *lines);
    } catch (const KvrError& e) {
        // The file read back would be the one an earlier load left.
        FileProblem::Tell({QStringLiteral("wiring-diagram map file ") + OutFile,
                           QStringLiteral("written"), e.description(),
                           QStringLiteral("The %1 was not loaded. %2").arg(name, Unchanged),
                           Title});
        return false;
    }

    const ImageSnapshot before = ImageSnapshot::Take();
    try {
        TextReader file(path);
        const WtsGeneral::MapImageResult result = WtsGeneral::Parse_Map_Image(file);
        // A new blank map is whole or not loaded: a row the template lacks would
        // keep the old map's values under a map counted as kept.
        const QString missing =
            start == Start::BlankMap ? TuneMap::Missing_Rows(result) : QString();
        if (result.ok() && missing.isEmpty())
            return true;
        before.Restore();
        if (result.ok()) {
            tell(QStringLiteral("The %1 was not loaded as a new blank map: the default map file "
                                "%2 lacks map rows (%3). %4")
                     .arg(name, TemplateFile, missing, Unchanged));
            return false;
        }
        const int mapLines = std::max(0, lastField(record) - (FirstMapLine - 1));
        const int startLines = static_cast<int>(lines->size()) - 1 - mapLines;
        const int at = result.firstRejectedLine;
        const QString where =
            at > startLines && at <= static_cast<int>(lines->size()) - 1
                ? QStringLiteral("its map line %1 is not a valid map line:\n%2")
                      .arg(at - startLines)
                      .arg(lines->at(at - 1))
                : QStringLiteral("line %1 of the default map file %2 is not a valid map line")
                      .arg(at)
                      .arg(TemplateFile);
        tell(QStringLiteral("The %1 was not loaded: %2\n%3").arg(name, where, Unchanged));
    } catch (const KvrError& e) {
        before.Restore();
        FileProblem::Tell({QStringLiteral("wiring-diagram map file ") + OutFile,
                           QStringLiteral("read back"), e.description(),
                           QStringLiteral("The %1 was not loaded. %2").arg(name, Unchanged),
                           Title});
    }
    return false;
}

} // namespace WiringDiagram
