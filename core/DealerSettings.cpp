#include "core/DealerSettings.h"

#include "core/CoreState.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <array>
#include <optional>

namespace WtsGeneral {

namespace {

const QString DefaultSettingsFile = QStringLiteral("KVR6.cfg");
const QString ProductMarker = QStringLiteral("KAVRO TUNER KVR6");
const QString BrandingMarker = QStringLiteral("Adv Branding:");

// The labels of a dealer settings file ("port=" stands for "Port=" too).
const std::array<QString, 11> DealerLabels{
    QStringLiteral("Company Id(32):"), QStringLiteral("Owner Name(24):"),
    QStringLiteral("Phone Number:"),   QStringLiteral("Fax Number:"),
    QStringLiteral("E-mail:"),         QStringLiteral("Web:"),
    QStringLiteral("No Tune y/n:"),    QStringLiteral("Branding y/n:"),
    QStringLiteral("Adv branding:"),   QStringLiteral("Port="),
    QStringLiteral("CommSpeed="),
};

const QString DefaultsInstead =
    QStringLiteral("serial port 1, a poll base of 100 ms, no dealer name or contact details, and "
                   "No-Tune and branding off");

// The rest of the line that `from` lies on, without its line end: a value never
// reaches into the next line, however short it is or however it is padded.
QString restOfLine(const QString& text, qsizetype from) {
    qsizetype end = from;
    while (end < text.size() && text.at(end) != '\r' && text.at(end) != '\n')
        ++end;
    return text.mid(from, end - from);
}

// Finds the labels that stand in a fixed order: each search starts after the last
// label found, so a missing label does not send the next search back to the start.
class OrderedLabels {
public:
    explicit OrderedLabels(const QString& text) : text_(text) {}
    // The value text after the label on its own line, or nothing when it is absent.
    std::optional<QString> next(const QString& label) {
        const qsizetype at = text_.indexOf(label, from_);
        if (at < 0)
            return std::nullopt;
        from_ = at + label.size();
        return restOfLine(text_, from_);
    }

private:
    const QString& text_;
    qsizetype from_ = 0;
};

std::optional<QString> anywhere(const QString& text, const QString& label) {
    const qsizetype at = text.indexOf(label);
    if (at < 0)
        return std::nullopt;
    return restOfLine(text, at + label.size());
}

// The yes/no fields keep their answer one blank after the label.
QChar answerOf(const std::optional<QString>& value) {
    return value && value->size() >= 2 ? value->at(1) : QChar();
}

bool isYes(QChar c) {
    return c == 'Y' || c == 'y';
}

int portOf(const QString& text) {
    std::optional<QString> value = anywhere(text, QStringLiteral("port="));
    if (!value)
        value = anywhere(text, QStringLiteral("Port="));
    // One character is the port: "12" is port 1, as the unit's software always read it.
    if (!value || value->isEmpty() || !value->at(0).isDigit())
        return 1;
    return value->at(0).digitValue();
}

int speedOf(const QString& text) {
    const std::optional<QString> value = anywhere(text, QStringLiteral("CommSpeed="));
    if (!value)
        return 100;
    // Three characters are the speed: "1000" reads 100.
    const QString digits = value->left(3);
    if (!std::any_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
        return 100;
    const auto speed = NumberRules::RoundEven(NumberRules::Val(digits));
    if (speed < 0)
        return 100;
    return std::clamp(static_cast<int>(speed), MinCommSpeed, MaxCommSpeed);
}

// A line break as it stands in a text: "\r\n", "\n", "\r", or none at the end.
qsizetype lineEndLength(const QString& text, qsizetype at) {
    if (at >= text.size())
        return 0;
    if (text.at(at) == '\r' && at + 1 < text.size() && text.at(at + 1) == '\n')
        return 2;
    return 1;
}

// The bytes of a configuration file; *skip when there is none to rewrite: gone
// since the listing, or no regular file (opening a FIFO would wait for ever).
QByteArray readBytes(const QString& path, bool* skip) {
    const QFileInfo info(path);
    *skip = !info.isFile();
    if (*skip)
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw KvrError(fileErrorNumber(path, false), QStringLiteral("Cannot read %1").arg(path));
    return f.readAll();
}

} // namespace

QString Find_Dealer_Settings_File() {
    QString remembered;
    for (const QString& name : ProgramFolder::list(QStringLiteral("kvr*.cfg"))) {
        QStringList lines;
        try {
            lines = TextFile::readLines(ProgramFolder::file(name));
        } catch (const KvrError&) {
            continue; // a file that cannot be read is no candidate
        }
        int count = 0;
        for (const QString& line : lines) {
            const int matches =
                (line.contains(ProductMarker) ? 1 : 0) + (line.contains(BrandingMarker) ? 1 : 0);
            if (matches > 0)
                remembered = name;
            count += matches;
        }
        if (count == 2)
            return name;
    }
    return remembered.isEmpty() ? DefaultSettingsFile : remembered;
}

std::optional<UnusableFile> Read_Dealer_Settings() {
    const QString name = Find_Dealer_Settings_File();
    // A missing file reads as an empty one: every field takes its default.
    const std::optional<QString> present = TextFile::readAllIfPresent(ProgramFolder::file(name));
    const QString text = present.value_or(QString());

    const auto field = [](const std::optional<QString>& value, qsizetype width = -1) {
        return value ? value->left(width).trimmed() : QString();
    };
    DealerCompany = field(anywhere(text, QStringLiteral("Company Id(32):")), 32);
    DealerOwner = field(anywhere(text, QStringLiteral("Owner Name(24):")), 60);

    OrderedLabels labels(text);
    DealerPhone = field(labels.next(QStringLiteral("Phone Number:")));
    DealerFax = field(labels.next(QStringLiteral("Fax Number:")));
    DealerEmail = field(labels.next(QStringLiteral("E-mail:")));
    DealerWeb = field(labels.next(QStringLiteral("Web:")));
    NoTuneFlag = isYes(answerOf(labels.next(QStringLiteral("No Tune y/n:")))) ? 170 : 255;
    BrandingFlag = isYes(answerOf(labels.next(QStringLiteral("Branding y/n:")))) ? 1 : 0;
    const QChar level = answerOf(labels.next(QStringLiteral("Adv branding:")));
    AdvBranding = level.isDigit() ? level.digitValue() : 0;

    cfg_CommPort = portOf(text);
    cfg_CommSpeed = speedOf(text);

    if (!present)
        return UnusableFile{
            name, QStringLiteral("is missing from the program folder"), DefaultsInstead, {}};
    if (text.trimmed().isEmpty())
        return UnusableFile{name, QStringLiteral("is empty"), DefaultsInstead, {}};
    QStringList missing;
    for (const QString& label : DealerLabels)
        if (!text.contains(label) &&
            !(label == QLatin1String("Port=") && text.contains(QLatin1String("port="))))
            missing << QLatin1Char('"') + label + QLatin1Char('"');
    if (missing.size() == static_cast<qsizetype>(DealerLabels.size()))
        return UnusableFile{name,
                            QStringLiteral("holds no dealer settings: none of its lines carries "
                                           "a label such as \"Company Id(32):\" or \"Port=\""),
                            DefaultsInstead,
                            {}};
    if (!missing.isEmpty())
        return UnusableFile{name,
                            QStringLiteral("has no line for ") + missing.join(QStringLiteral(", ")),
                            QStringLiteral("the default for each setting it lacks (port 1, a "
                                           "poll base of 100 ms, an empty dealer detail, No-Tune "
                                           "and branding off)"),
                            {}};
    return std::nullopt;
}

void Read_Dealer_Settings_Reporting() {
    std::optional<UnusableFile> problem;
    try {
        problem = Read_Dealer_Settings();
    } catch (const KvrError& e) {
        problem = UnusableFile{Find_Dealer_Settings_File(),
                               QStringLiteral("could not be read (%1)").arg(e.description()),
                               DefaultsInstead,
                               {}};
    }
    if (problem)
        Tell_Unusable_Files({*problem});
}

QString Rewrite_Port_Lines(const QString& text, int port, int speed) {
    const QString portLine = QStringLiteral("Port=") + QString::number(port);
    const QString speedLine = QStringLiteral("CommSpeed=") + QString::number(speed);
    QString out;
    out.reserve(text.size());
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != '\r' && text.at(end) != '\n')
            ++end;
        const QString line = text.mid(start, end - start);
        if (line.startsWith(QStringLiteral("Port=")) || line.startsWith(QStringLiteral("port=")))
            out += portLine;
        else if (line.startsWith(QStringLiteral("CommSpeed=")))
            out += speedLine;
        else
            out += line;
        const qsizetype endLength = lineEndLength(text, end);
        out += text.mid(end, endLength);
        start = end + endLength;
    }
    return out;
}

bool Save_Port_To_Cfg_Files(QStringList* failedFiles) {
    // The list is taken whole first, so nothing written here is ever visited.
    const QStringList names = ProgramFolder::list(QStringLiteral("*.cfg"));
    QStringList failed;
    for (const QString& name : names) {
        const QString path = ProgramFolder::file(name);
        try {
            bool skip = false;
            const QString text = QString::fromLatin1(readBytes(path, &skip));
            if (skip)
                continue;
            const QString rewritten = Rewrite_Port_Lines(text, cfg_CommPort, cfg_CommSpeed);
            if (rewritten == text)
                continue;
            TextWriter file(path);
            file.write(rewritten);
            file.commit();
        } catch (const KvrError& e) {
            failed << QStringLiteral("%1 (%2)").arg(name, e.description());
        }
    }
    if (failed.isEmpty())
        return true;
    if (failedFiles) {
        *failedFiles = failed;
        return false;
    }
    Dialogs::msgBox(QStringLiteral("The serial port setting could not be saved in these "
                                   "configuration files; they keep their old setting:\n") +
                        failed.join('\n'),
                    Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                    QStringLiteral("Port Setting"));
    return false;
}

} // namespace WtsGeneral
