#include "link/ClearUnit.h"

#include "core/Caption.h"
#include "core/CoreState.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "link/SendPath.h"
#include "link/UnitLink.h"
#include "link/WtsUp.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QRegularExpression>
#include <optional>

namespace WtsCM {
namespace {

// The run time's "invalid procedure call": a clear file the sequence cannot use.
constexpr int BadClearFile = 5;
constexpr int RowLineLength = 68;

[[noreturn]] void refuse(int lineNumber, const QString& why) {
    throw KvrError(BadClearFile,
                   QStringLiteral("Line %1 of \"%2\" %3.").arg(lineNumber).arg(ClearFileName, why));
}

// A field of digits, right-aligned with leading blanks; nothing else is a number here.
std::optional<int> number(const QString& field) {
    static const QRegularExpression digits(QStringLiteral("^ *([0-9]+)$"));
    const QRegularExpressionMatch m = digits.match(field);
    if (!m.hasMatch() || m.capturedLength(1) > 3)
        return std::nullopt;
    return m.captured(1).toInt();
}

char rowLetter(int type) {
    switch (type) {
    case 0:
        return '<';
    case 1:
        return '=';
    case 2:
        return '>';
    case 4:
        return 'A';
    default:
        return 0;
    }
}

QByteArray rowLine(const QString& line, int lineNumber) {
    if (line.size() < RowLineLength || !line.mid(RowLineLength).trimmed().isEmpty())
        refuse(lineNumber, QStringLiteral("is neither a row line nor a map line"));
    const auto row = number(line.mid(0, 2));
    if (!row || *row > 15)
        refuse(lineNumber, QStringLiteral("has no row number 0 to 15 in columns 1-2"));
    const auto type = number(line.mid(3, 1));
    const char letter = type ? rowLetter(*type) : 0;
    if (letter == 0)
        refuse(lineNumber, QStringLiteral("has no page digit 0, 1, 2 or 4 in column 4"));
    if (line.at(2) != ' ' || line.at(4) != ' ')
        refuse(lineNumber, QStringLiteral("is not laid out as a row line"));
    QByteArray values;
    for (int k = 0; k < 16; ++k) {
        const auto value = number(line.mid(5 + 4 * k, 3));
        if (!value || *value > 255)
            refuse(lineNumber, QStringLiteral("has no value 0 to 255 at column %1").arg(6 + 4 * k));
        if (k < 15 && line.at(8 + 4 * k) != ' ')
            refuse(lineNumber, QStringLiteral("is not laid out as a row line"));
        values.append(static_cast<char>(*value));
    }
    return WtsUp::Padded_Frame(letter, *row * 16, values);
}

QByteArray mapLine(const QString& line, int lineNumber) {
    const QChar bank = line.size() >= 5 ? line.at(4) : QChar();
    if (bank != 'A' && bank != 'B')
        refuse(lineNumber,
               QStringLiteral("is a map line without \"A\" or \"B\" as fifth character"));
    return WtsUp::Set_Frame(bank == 'A' ? 1 : 0) + QByteArray(WtsUp::PadLength, '\0');
}

} // namespace

std::vector<QByteArray> Clear_Image_Elements(const QStringList& lines) {
    std::vector<QByteArray> elements;
    int rows = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        if (static_cast<int>(elements.size()) + ClearExtraElements >= QueueCapacity)
            refuse(i + 1, QStringLiteral("is one line too many: the file may hold at most %1 "
                                         "rows and map lines")
                              .arg(QueueCapacity - ClearExtraElements));
        if (line.contains(QLatin1String("Map="))) {
            elements.push_back(mapLine(line, i + 1));
        } else {
            elements.push_back(rowLine(line, i + 1));
            ++rows;
        }
    }
    // Without a single row the clear would only stamp the unit and blank its
    // records, and the unit would keep everything the user meant to delete.
    if (rows == 0)
        throw KvrError(BadClearFile,
                       QStringLiteral("The factory image \"%1\" holds no row lines: it is empty or "
                                      "was cut, and the unit cannot be cleared from it.")
                           .arg(ClearFileName));
    return elements;
}

QByteArray Clear_Stamp(const QDateTime& when) {
    return QByteArray("dtdt") + when.toString(QStringLiteral("MMddyyyyHHmm")).toLatin1();
}

std::vector<QByteArray> Clear_Elements(const std::vector<QByteArray>& imageElements,
                                       const QDateTime& when) {
    std::vector<QByteArray> elements = imageElements;
    elements.push_back(WtsUp::Padded_Frame('A', Idx_ClearBase + 16, Clear_Stamp(when)));
    for (int i = 2; i <= 5; ++i)
        elements.push_back(
            WtsUp::Padded_Frame('A', Idx_ClearBase + 16 * i, QByteArray(16, '\xFF')));
    return elements;
}

void Clear_Unit(const std::function<QDateTime()>& clock) {
    const QString product = CaptionProduct;
    const Dialogs::Answer answer = Dialogs::msgBox(
        QStringLiteral("You are about the clear the %1 unit. This will DELETE all the stored data "
                       "and LOAD the default factory settings to the %1 unit. Do you wish to "
                       "continue?")
            .arg(product),
        Dialogs::Buttons::YesNo, Dialogs::Icon::Critical,
        QStringLiteral("Clearing the %1 unit!!").arg(product),
        Dialogs::DefaultButton::Second); // a reflex Enter must not clear the unit
    if (answer != Dialogs::Answer::Yes)
        return;

    std::vector<QByteArray> image;
    try {
        image = Clear_Image_Elements(TextFile::readLines(ProgramFolder::file(ClearFileName)));
    } catch (const KvrError& e) {
        const QString text =
            e.number() == KvrError::FileNotFound
                ? QStringLiteral("The factory image \"%1\" was not found in the program folder.")
                      .arg(ClearFileName)
                : e.description();
        Dialogs::msgBox(text +
                            QStringLiteral(" Nothing has been sent to the %1 unit.").arg(product),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                        QStringLiteral("Clearing the %1 unit!!").arg(product));
        return;
    }

    Progress().Show();
    Progress().setText(QStringLiteral("Clearing the %1 UNIT").arg(product));
    Progress().setValue(0);
    std::vector<QByteArray> elements = Clear_Elements(image, clock());

    // Off-line the unit is connected and read first; the queue waits for live polling.
    if (CommStatus != CommStates::Polling) {
        if (UnitLink* link = UnitLink::current())
            link->GO_ONLine();
    }
    SendPath::Queue_Elements(std::move(elements), SendKind::QueueWithProgress);
    ImageSentWhole = 0; // the unit gets the factory image, not the program's
    PauseMode = 2;
}

} // namespace WtsCM
