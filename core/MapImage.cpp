#include "core/MapImage.h"

#include "core/ConfigReport.h"
#include "core/CoreState.h"
#include "core/KeptImage.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <optional>
#include <vector>

namespace WtsGeneral {

namespace {

// A field of a data line: the whole number 0..max it holds, or nothing when it
// holds no number, a fraction, or anything besides blanks around the digits.
std::optional<int> field(const QString& line, qsizetype start, qsizetype width, int max) {
    const QString text = line.mid(start, width).trimmed();
    if (text.isEmpty() || text.size() > 6)
        return std::nullopt;
    for (const QChar c : text)
        if (c < '0' || c > '9')
            return std::nullopt;
    const int v = text.toInt();
    if (v > max)
        return std::nullopt;
    return v;
}

// Element 256 of a table stands for no unit address, so no line writes it.
constexpr int LastUnitAddress = 255;

ImageTable* tableForPage(int page) {
    switch (page) {
    case 0:
        return &ParamBlock;
    case 1:
        return &Map5Image;
    case 2:
        return &Map6Image;
    case 3:
        return &Image3;
    case 4:
        return &AmpAxisTable;
    default:
        return nullptr;
    }
}

// The page digit and row a row line wrote.
struct RowPlace {
    int page = -1;
    int row = -1;
};

bool applyRowLine(const QString& line, RowPlace* place) {
    const auto row = field(line, 0, 2, 15);
    const auto page = field(line, 3, 1, 4);
    if (!row || !page || line.at(2) != ' ' || line.at(4) != ' ')
        return false;
    std::array<int, 16> values{};
    for (int k = 0; k < 16; ++k) {
        const auto v = field(line, 5 + 4 * k, 3, 255);
        if (!v || (k < 15 && line.at(8 + 4 * k) != ' '))
            return false;
        values[k] = *v;
    }
    // Whatever follows the last value must be blank.
    if (!line.mid(68).trimmed().isEmpty())
        return false;
    ImageTable& table = *tableForPage(*page);
    for (int k = 0; k < 16; ++k)
        table[*row * 16 + k] = static_cast<std::int16_t>(values[k]);
    if (place)
        *place = {*page, *row};
    return true;
}

bool applyMemoryLine(const QString& line) {
    const auto start = field(line, 0, 3, LastUnitAddress);
    if (!start || line.size() < 5 || line.at(4) != ' ')
        return false;
    std::vector<int> values;
    qsizetype pos = 5;
    while (pos < line.size()) {
        const QString chunk = line.mid(pos, 4);
        if (chunk.trimmed().isEmpty())
            break;
        const auto v = field(line, pos, 3, 255);
        if (!v || (chunk.size() == 4 && chunk.at(3) != ' '))
            return false;
        values.push_back(*v);
        pos += 4;
    }
    // Only blanks may follow the last value.
    if (!line.mid(pos).trimmed().isEmpty() || values.empty())
        return false;
    if (*start + static_cast<int>(values.size()) - 1 > LastUnitAddress)
        return false;
    for (std::size_t i = 0; i < values.size(); ++i)
        ParamBlock[*start + static_cast<int>(i)] = static_cast<std::int16_t>(values[i]);
    return true;
}

bool applyBitLine(const QString& line) {
    const auto address = field(line, 0, 3, LastUnitAddress);
    const auto orMask = field(line, 5, 3, 255);
    const auto andMask = field(line, 9, 3, 255);
    if (!address || !orMask || !andMask || !line.mid(12).trimmed().isEmpty())
        return false;
    // The AND mask applies first although the OR mask stands first in the line.
    ParamBlock[*address] = static_cast<std::int16_t>((ParamBlock[*address] & *andMask) | *orMask);
    return true;
}

bool applyLine(const QString& line, bool* wasData, RowPlace* place) {
    const QChar kind = line.size() >= 4 ? line.at(3) : QChar();
    bool data = true;
    bool ok = true;
    if (kind == 'M')
        ok = applyMemoryLine(line);
    else if (kind == 'B')
        ok = applyBitLine(line);
    else if (line.size() > 67)
        ok = applyRowLine(line, place);
    else
        data = false;
    if (wasData)
        *wasData = data;
    return ok;
}

} // namespace

QString Map_Row_Line(int row, int page, const ImageTable& table) {
    QString line = QStringLiteral("%1 %2 ").arg(row, 2).arg(page);
    for (int k = 0; k < 16; ++k)
        line += QStringLiteral("%1 ").arg(table[row * 16 + k], 3);
    return line;
}

MapImageResult Parse_Map_Image(TextReader& file) {
    MapImageResult result;
    while (!file.atEnd()) {
        const QString line = file.readLine();
        bool data = false;
        RowPlace place;
        if (!applyLine(line, &data, &place)) {
            if (result.rejected++ == 0)
                result.firstRejectedLine = file.lineNumber();
        } else if (data) {
            ++result.applied;
            if (place.page >= 0)
                result.rowsRead[place.page] |= static_cast<std::uint16_t>(1u << place.row);
        }
    }
    return result;
}

void Report_Map_Image_Result(const QString& fileName, const MapImageResult& result) {
    if (result.ok())
        return;
    const QString text =
        result.rejected == 1
            ? QStringLiteral(
                  "Line %1 of the map file %2 is not a valid map line and was not loaded.")
                  .arg(result.firstRejectedLine)
                  .arg(fileName)
            : QStringLiteral("%1 lines of the map file %2 are not valid map lines and were not "
                             "loaded; the first is line %3.")
                  .arg(result.rejected)
                  .arg(fileName)
                  .arg(result.firstRejectedLine);
    Dialogs::msgBox(text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                    QStringLiteral("Map File"));
}

bool Ends_With_Closing_Line(const QString& path) {
    const QStringList lines = TextFile::readLines(path);
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QString line = lines.at(i).trimmed();
        if (!line.isEmpty())
            return line == QLatin1String("End") || line.startsWith(QLatin1String("End of "));
    }
    return false;
}

MapImageResult Load_Blank_Template() {
    const QString name = QStringLiteral("BLANKKVR6.WTS");
    try {
        TextReader file(ProgramFolder::file(name));
        // Every map file ends with its closing "End" line: a template without one
        // was cut short (a copy broken off, a full disk), and half a default map
        // would pass for the whole one.
        if (!Ends_With_Closing_Line(ProgramFolder::file(name))) {
            Tell_Unusable_Files({UnusableFile{
                name,
                QStringLiteral("is cut short or empty: its closing \"End\" line is missing, so "
                               "it was not loaded"),
                QStringLiteral("an empty map (every value 0) as its default map"),
                {}}});
            return {};
        }
        const MapImageResult result = Parse_Map_Image(file);
        // The default map can be loaded again: replacing it loses nothing.
        KeptImage::Mark_Kept();
        Report_Map_Image_Result(name, result);
        return result;
    } catch (const KvrError&) {
        FileProblem::Tell({QStringLiteral("default map file ") + name,
                           QStringLiteral("read from ") + ProgramFolder::path(), QString(),
                           QStringLiteral("The program goes on with an empty map."),
                           QStringLiteral("Default Map")});
        return {};
    }
}

} // namespace WtsGeneral
