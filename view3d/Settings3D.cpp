#include "view3d/Settings3D.h"

#include "platform/FileProblem.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "view3d/Geometry3D.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>
#include <vector>

namespace View3D {

namespace {

// Views into the text split: a file of a million lines costs no copy of them.
struct Line {
    QStringView text;
    QStringView end; // "\r\n", "\n", "\r" or "" for a last line without one
};

std::vector<Line> Split_Keeping_Ends(const QString& text) {
    std::vector<Line> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype i = start;
        while (i < n && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            ++i;
        Line line{QStringView(text).mid(start, i - start), QStringView()};
        if (i < n) {
            const bool crlf =
                text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n');
            line.end = QStringView(text).mid(i, crlf ? 2 : 1);
            i += crlf ? 2 : 1;
        }
        lines.push_back(line);
        start = i;
    }
    return lines;
}

// The names of fields 2..7 as a problem names them.
constexpr std::array<const char*, 6> FieldNames{"Min",        "Max",           "small step",
                                                "large step", "tick distance", "selection start"};

// The seven fields of a data line (the text after an eighth comma dropped), or
// why the line cannot be used.
struct DataRead {
    std::optional<SettingRow> row;
    QString why;
};
DataRead Data_Row(const QString& line) {
    static const QRegularExpression number(QStringLiteral("^ *([-+]?[0-9]+) *$"));
    const QStringList fields = line.split(QLatin1Char(','));
    // fields[0] is what stands before the first comma.
    if (fields.size() < 8) {
        if (line.trimmed().isEmpty())
            return {std::nullopt, QStringLiteral("it is empty")};
        return {std::nullopt,
                QStringLiteral("it has %1 of the seven fields").arg(fields.size() - 1)};
    }
    std::array<int, 6> numbers{};
    for (int k = 0; k < 6; ++k) {
        const QString& field = fields[k + 2];
        const QString name = QString::fromLatin1(FieldNames[static_cast<std::size_t>(k)]);
        if (field.trimmed().isEmpty())
            return {std::nullopt, QStringLiteral("its %1 is blank").arg(name)};
        const QRegularExpressionMatch m = number.match(field);
        if (!m.hasMatch())
            return {std::nullopt,
                    QStringLiteral("its %1 \"%2\" is no whole number").arg(name, field.trimmed())};
        bool ok = false;
        const long long v = m.captured(1).toLongLong(&ok);
        if (!ok || v < std::numeric_limits<std::int16_t>::min() ||
            v > std::numeric_limits<std::int16_t>::max())
            return {std::nullopt,
                    QStringLiteral("its %1 %2 is out of range").arg(name, field.trimmed())};
        numbers[static_cast<std::size_t>(k)] = static_cast<int>(v);
    }
    const SliderSetting s{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]};
    if (s.min > s.max)
        return {std::nullopt,
                QStringLiteral("its Min %1 is above its Max %2").arg(s.min).arg(s.max)};
    return {SettingRow{fields[1].trimmed(), s}, QString()};
}

bool Holds_A_Kind(QStringView line) {
    for (const char* kind : Kinds)
        if (line.contains(QLatin1String(kind)))
            return true;
    return false;
}

// Where the kind's section lies among the lines: the header, the data lines,
// and how it ends.
struct SectionLines {
    int header = -1;       // no section
    std::vector<int> data; // line indices
    int end = -1;          // the END line; -1 when lost
    int next = -1; // the line the section stops before when its END is lost; -1 the file's end
};
SectionLines Locate(const std::vector<Line>& lines, const QString& kind) {
    SectionLines at;
    const int n = static_cast<int>(lines.size());
    for (int i = 0; i < n; ++i) {
        const QStringView line = lines[static_cast<std::size_t>(i)].text;
        if (at.header < 0) {
            if (line.contains(kind))
                at.header = i;
            continue;
        }
        if (line.contains(QLatin1String("END"))) {
            at.end = i;
            break;
        }
        // A section never reaches into the next one, whose header holds a kind text.
        if (Holds_A_Kind(line)) {
            at.next = i;
            break;
        }
        at.data.push_back(i);
    }
    return at;
}

void Tell_Settings_Problem(const QString& file, const QString& doing, const QString& reason,
                           const QString& next) {
    FileProblem::Tell({QStringLiteral("3D view settings file ") + file, doing, reason, next,
                       QStringLiteral("3D view settings")});
}

QString Field(const QString& text, int width) {
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

} // namespace

const SectionRows& Built_In_Rows() {
    static const SectionRows rows{{
        {QStringLiteral("Ampl"), {-20, 20, 1, 2, 4, 0}},
        {QStringLiteral("Hght"), {300, 6000, 10, 50, 400, 0}},
        {QStringLiteral("Width"), {1, 5000, 10, 100, 500, 0}},
        {QStringLiteral("Top"), {0, 500, 10, 50, 50, 0}},
        {QStringLiteral("Bottm"), {-500, 350, 10, 100, 100, 0}},
        {QStringLiteral("Twist"), {1, 5000, 10, 100, 500, 0}},
    }};
    return rows;
}

QString Data_Line(const QString& label, const SliderSetting& s) {
    QString line = QStringLiteral(",") + Field(label, 5);
    for (int v : {s.min, s.max, s.smallChange, s.largeChange, s.tickFrequency, s.selStart})
        line += QStringLiteral(",") + Field(QString::number(v), 6);
    return line;
}

QString Data_Line(const SettingsTable& table, int row) {
    const auto& r = table[static_cast<std::size_t>(row)];
    QString line = QStringLiteral(",") + Field(r[1], 5);
    for (int k = 2; k <= 7; ++k)
        line += QStringLiteral(",") + Field(r[static_cast<std::size_t>(k)], 6);
    return line;
}

SectionRead Read_Section(const QString& text, const QString& kind) {
    SectionRead read;
    const std::vector<Line> lines = Split_Keeping_Ends(text);
    const SectionLines at = Locate(lines, kind);
    if (at.header < 0)
        return read;
    read.found = true;
    read.dataLines = static_cast<int>(at.data.size());
    int skipped = 0;
    const auto skip = [&](int line, const auto& why) {
        if (skipped++ < NamedSkips)
            read.problems.push_back(
                {line, QStringLiteral("line %1 skipped, %2").arg(line).arg(why())});
        else
            ++read.moreSkipped;
    };
    for (std::size_t r = 0; r < at.data.size(); ++r) {
        const int line = at.data[r] + 1;
        if (r >= static_cast<std::size_t>(SettingRows)) {
            skip(line, [] { return QStringLiteral("one slider line too many"); });
            continue;
        }
        const DataRead d = Data_Row(lines[static_cast<std::size_t>(at.data[r])].text.toString());
        if (d.row)
            read.rows[r] = d.row;
        else
            skip(line, [&] { return d.why; });
    }
    if (at.end < 0) {
        const QString where = at.next >= 0
                                  ? QStringLiteral("it ends before line %1").arg(at.next + 1)
                                  : QStringLiteral("it ends with the file");
        read.problems.push_back(
            {at.header + 1, QStringLiteral("the %1 section of line %2 has no END line, %3")
                                .arg(kind)
                                .arg(at.header + 1)
                                .arg(where)});
    }
    return read;
}

QString Problems_Text(const QString& fileName, const SectionRead& read) {
    if (read.problems.empty())
        return QString();
    QStringList parts;
    for (const LineProblem& p : read.problems)
        parts << p.text;
    // Lines are counted only once NamedSkips are named: the count follows them,
    // before a lost END line.
    if (read.moreSkipped > 0)
        parts.insert(NamedSkips,
                     read.moreSkipped == 1
                         ? QStringLiteral("1 more line skipped")
                         : QStringLiteral("%1 more lines skipped").arg(read.moreSkipped));
    QString text =
        fileName + QStringLiteral(": ") + parts.join(QStringLiteral("; ")) + QStringLiteral(".");
    // The sliders whose line was there but skipped (a seventh line has none).
    int kept = 0;
    for (int r = 0; r < std::min(read.dataLines, SettingRows); ++r)
        kept += read.rows[static_cast<std::size_t>(r)] ? 0 : 1;
    if (kept == 1)
        text += QStringLiteral(" That slider keeps its settings.");
    else if (kept > 1)
        text += QStringLiteral(" Those sliders keep their settings.");
    return text;
}

QString Built_In_File() {
    QString text = QStringLiteral("KVR6 3D view settings\r\n");
    for (const char* kind : Kinds) {
        text += QString::fromLatin1(kind) + QStringLiteral("\r\n");
        for (const SettingRow& r : Built_In_Rows())
            text += Data_Line(r.label, r.setting) + QStringLiteral("\r\n");
        text += QStringLiteral("END\r\n");
    }
    return text;
}

QString Rewrite_Section(const QString& text, const QString& kind, const SettingsTable& table,
                        const std::array<bool, SettingRows>& changed) {
    const std::vector<Line> lines = Split_Keeping_Ends(text);
    const SectionLines at = Locate(lines, kind);
    // The row each line of the section rewrites, 0 for a line kept as it is.
    std::vector<int> rowOf(lines.size(), 0);
    for (std::size_t r = 0; r < at.data.size() && r < changed.size(); ++r)
        if (changed[r])
            rowOf[static_cast<std::size_t>(at.data[r])] = static_cast<int>(r) + 1;
    QString out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (rowOf[i] > 0)
            out += Data_Line(table, rowOf[i]);
        else
            out += lines[i].text;
        out += lines[i].end;
    }
    return out;
}

void Store_Row(SettingsTable& table, int row, const SettingRow& values) {
    auto& r = table[static_cast<std::size_t>(row)];
    r[1] = values.label;
    const SliderSetting& s = values.setting;
    int k = 2;
    for (int v : {s.min, s.max, s.smallChange, s.largeChange, s.tickFrequency, s.selStart})
        r[static_cast<std::size_t>(k++)] = QString::number(v);
}

FileRead Read_Settings_File(const QString& fileName, const QString& kind, bool createWhenMissing) {
    const QString path = ProgramFolder::file(fileName);
    std::optional<QString> text;
    try {
        text = TextFile::readAllIfPresent(path);
    } catch (const KvrError& e) {
        Tell_Settings_Problem(fileName, QStringLiteral("read"), e.description(),
                              createWhenMissing
                                  ? QStringLiteral("The view uses the sliders' own settings, and "
                                                   "the file is left as it is.")
                                  : QStringLiteral("The sliders keep their settings."));
        return {false, {}};
    }
    FileRead read;
    if (!text) {
        // A missing settings file starts again from the sliders' own settings;
        // the default file is only read, so without it they are the defaults.
        text = Built_In_File();
        if (createWhenMissing) {
            try {
                TextWriter writer(path);
                writer.write(*text);
                writer.commit();
            } catch (const KvrError& e) {
                Tell_Settings_Problem(fileName, QStringLiteral("created"), e.description(),
                                      QStringLiteral("The view uses the sliders' own settings."));
                read.usable = false;
            }
        }
    }
    read.section = Read_Section(*text, kind);
    return read;
}

void Save_Settings_File(const QString& kind, const SettingsTable& table,
                        const std::array<bool, SettingRows>& changed) {
    // With no slider's settings changed there is nothing to write.
    if (std::find(changed.begin(), changed.end(), true) == changed.end())
        return;
    const QString path = ProgramFolder::file(SettingsFile);
    try {
        const std::optional<QString> old = TextFile::readAllIfPresent(path);
        const QString text = Rewrite_Section(old ? *old : Built_In_File(), kind, table, changed);
        if (old && text == *old)
            return;
        TextWriter writer(path);
        writer.write(text);
        writer.commit();
    } catch (const KvrError& e) {
        Tell_Settings_Problem(
            SettingsFile, QStringLiteral("saved"), e.description(),
            QStringLiteral("The view's settings are not kept for the next opening."));
    }
}

} // namespace View3D
