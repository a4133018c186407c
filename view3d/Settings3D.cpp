#include "view3d/Settings3D.h"

#include "view3d/Geometry3D.h"

#include <QRegularExpression>
#include <limits>
#include <vector>

namespace View3D {

namespace {

struct Line {
    QString text;
    QString end; // "\r\n", "\n", "\r" or "" for a last line without one
};

std::vector<Line> Split_Keeping_Ends(const QString& text) {
    std::vector<Line> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype i = start;
        while (i < n && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            ++i;
        Line line{text.mid(start, i - start), QString()};
        if (i < n) {
            const bool crlf =
                text[i] == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n');
            line.end = text.mid(i, crlf ? 2 : 1);
            i += crlf ? 2 : 1;
        }
        lines.push_back(line);
        start = i;
    }
    return lines;
}

// A whole number alone in its field, blanks around it allowed.
std::optional<int> Whole_Number(const QString& field) {
    static const QRegularExpression number(QStringLiteral("^ *([-+]?[0-9]+) *$"));
    const QRegularExpressionMatch m = number.match(field);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const long long v = m.captured(1).toLongLong(&ok);
    if (!ok || v < std::numeric_limits<std::int16_t>::min() ||
        v > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

// The seven fields of a data line (the text after an eighth comma dropped).
std::optional<SettingRow> Data_Row(const QString& line) {
    QStringList fields = line.split(QLatin1Char(','));
    // fields[0] is what stands before the first comma.
    if (fields.size() < 8)
        return std::nullopt;
    std::array<int, 6> numbers{};
    for (int k = 0; k < 6; ++k) {
        const std::optional<int> v = Whole_Number(fields[k + 2]);
        if (!v)
            return std::nullopt;
        numbers[static_cast<std::size_t>(k)] = *v;
    }
    const SliderSetting s{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]};
    if (s.min > s.max)
        return std::nullopt;
    return SettingRow{fields[1].trimmed(), s};
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
    read.rows = Built_In_Rows();
    const std::vector<Line> lines = Split_Keeping_Ends(text);
    bool stopped = false;
    int row = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i].text;
        if (!read.found) {
            read.found = line.contains(kind);
            continue;
        }
        if (line.contains(QStringLiteral("END")))
            break;
        if (stopped)
            continue;
        const std::optional<SettingRow> r = row < SettingRows ? Data_Row(line) : std::nullopt;
        if (!r) {
            read.firstUnusableLine = static_cast<int>(i) + 1;
            stopped = true;
            continue;
        }
        read.rows[static_cast<std::size_t>(row)] = *r;
        ++row;
    }
    read.sound = row;
    return read;
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

QString Rewrite_Section(const QString& text, const QString& kind, const SettingsTable& table) {
    QString out;
    bool inside = false;
    int row = 1;
    for (const Line& line : Split_Keeping_Ends(text)) {
        if (inside && line.text.contains(QStringLiteral("END")))
            inside = false;
        if (inside && row <= SettingRows) {
            out += Data_Line(table, row) + line.end;
            ++row;
        } else {
            out += line.text + line.end;
        }
        if (line.text.contains(kind))
            inside = true;
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

} // namespace View3D
