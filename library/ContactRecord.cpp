#include "library/ContactRecord.h"

#include "core/CoreState.h"
#include "core/TableFiles.h"
#include "library/TuneMapFile.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QStringList>
#include <array>
#include <vector>

namespace TuneMap {

namespace {

const QString ContactFile = QStringLiteral("KVR6Contact.cfg");
const QString Marker = QStringLiteral("Display IN:");
const QString EndLine = QStringLiteral("END Contact:");
constexpr int Fields = 11;

struct FileLine {
    int number; // from 1
    QString text;
    bool loneCr; // a CR stands inside the line
};

// The lines as the contact file's writer ends them: at CR LF or LF, the CRs just
// before the LF (and at the very end) part of the line end.
std::vector<FileLine> fileLines(const QString& text) {
    std::vector<FileLine> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        QString line = text.mid(start, end - start);
        while (line.endsWith('\r'))
            line.chop(1);
        const bool loneCr = line.contains('\r');
        lines.push_back({static_cast<int>(lines.size()) + 1, std::move(line), loneCr});
        start = next;
    }
    return lines;
}

QString lineNumbers(const QList<int>& numbers) {
    QStringList texts;
    for (const int n : numbers)
        texts << QString::number(n);
    if (texts.size() == 1)
        return QStringLiteral("line ") + texts[0];
    const QString last = texts.takeLast();
    return QStringLiteral("lines ") + texts.join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           last;
}

} // namespace

QString Read_Checked_Contact_File() {
    for (int k = 1; k <= Fields; ++k)
        ContactFields[static_cast<std::size_t>(k)].clear();
    const auto text = TextFile::readAllIfPresent(ProgramFolder::file(ContactFile));
    if (!text)
        return QString();

    QList<int> split; // the lines a lone CR splits
    std::array<QString, Fields + 1> record;
    bool started = false;
    for (const FileLine& line : fileLines(*text)) {
        if (!started) {
            started = line.text.contains(Marker);
            if (started && line.loneCr)
                split << line.number;
            continue;
        }
        if (line.text.trimmed() == EndLine)
            break;
        if (line.loneCr) {
            split << line.number;
            continue;
        }
        // parts[0] stands before the leading comma; the writer's closing comma
        // ends field 11.
        const QStringList parts = line.text.split(',');
        if (parts.size() < Fields + 1)
            continue;
        for (int k = 1; k <= Fields; ++k)
            record[static_cast<std::size_t>(k)] = parts[k].trimmed();
    }

    QStringList refused;
    if (!split.isEmpty())
        refused << QStringLiteral("%1 %2 split by a carriage return (CR) that stands alone "
                                  "inside the line, without its line feed, so %3 values would "
                                  "land in the wrong fields")
                       .arg(lineNumbers(split),
                            split.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"),
                            split.size() == 1 ? QStringLiteral("its") : QStringLiteral("their"));
    for (int k = 1; k <= Fields; ++k) {
        const QString& value = record[static_cast<std::size_t>(k)];
        const QString problem = Field_Problem(value);
        if (problem.isEmpty()) {
            ContactFields[static_cast<std::size_t>(k)] = value;
            continue;
        }
        refused << QStringLiteral("the %1 \"%2\" %3")
                       .arg(WtsGeneral::Contact_Label(k), Shown_Value(value), problem);
    }
    if (refused.isEmpty())
        return QString();
    const bool one = refused.size() == 1 && split.isEmpty();
    return QStringLiteral("In the contact file KVR6Contact.cfg ") +
           refused.join(QStringLiteral("; ")) +
           (one ? QStringLiteral(". That value is") : QStringLiteral(". Those values are")) +
           QStringLiteral(" left out of your contact details and of the maps you save until you "
                          "enter ") +
           (one ? QStringLiteral("it") : QStringLiteral("them")) +
           QStringLiteral(" anew in Contact Details and click Update Records.");
}

} // namespace TuneMap
