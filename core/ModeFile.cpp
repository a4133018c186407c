#include "core/ModeFile.h"

#include "core/CoreState.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <optional>

namespace WtsGeneral {

namespace {

const QString ModeFileName = QStringLiteral("KVR6Mode.cfg");
const QString Pad(20, ' ');

// The text of a value window: `width` characters from the blank that ends a label.
QString window(const QString& text, const QString& label, qsizetype fallbackStart,
               qsizetype width) {
    const qsizetype at = text.indexOf(label);
    const qsizetype start = at < 0 ? fallbackStart : at + label.size() - 1;
    return text.mid(start, width).trimmed();
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || v < -32768.5 || v > 32767.5)
        return std::nullopt;
    return static_cast<int>(NumberRules::RoundEven(v));
}

} // namespace

void Read_Mode_File() {
    const QString path = ProgramFolder::file(ModeFileName);
    QString text;
    try {
        text = TextFile::readAll(path);
    } catch (const KvrError& e) {
        if (e.number() != KvrError::FileNotFound)
            throw;
        TextFile::writeLines(
            path, {QStringLiteral("Mode: Online") + Pad, QStringLiteral("Product: 1") + Pad});
        text = TextFile::readAll(path);
    }

    if (text.contains(QStringLiteral("PB Top: ")))
        if (const auto v = wholeNumber(window(text, QStringLiteral("PB Top: "), 0, 7)))
            PbTop = *v;
    if (text.contains(QStringLiteral("PB Left: ")))
        if (const auto v = wholeNumber(window(text, QStringLiteral("PB Left: "), 0, 7)))
            PbLeft = *v;

    // Without its label the mode and product windows start at fixed places, as
    // the file's layout puts them.
    OnlineState = window(text, QStringLiteral("Mode: "), 4, 9) == OnlineStates::Offline
                      ? OnlineStates::Offline
                      : OnlineStates::Online;
    if (NumberRules::Val(window(text, QStringLiteral("Product: "), 7, 5)) == 1.0) {
        UnitName = QStringLiteral("KVR6");
        ProductNumber = 1;
    }
}

void Write_Mode_File() {
    TextFile::writeLines(ProgramFolder::file(ModeFileName),
                         {QStringLiteral("Mode: ") + OnlineState + Pad,
                          QStringLiteral("Product: ") + QString::number(ProductNumber) + Pad,
                          QStringLiteral("PB Top: ") + QString::number(PbTop) + Pad,
                          QStringLiteral("PB Left: ") + QString::number(PbLeft) + Pad});
}

bool Write_Mode_File_Reporting() {
    try {
        Write_Mode_File();
        return true;
    } catch (const KvrError& e) {
        FileProblem::Tell({QStringLiteral("mode file ") + ModeFileName, QStringLiteral("saved"),
                           e.description(),
                           QStringLiteral("The connection mode chosen now is not kept for the "
                                          "next start."),
                           QStringLiteral("Mode File")});
        return false;
    }
}

} // namespace WtsGeneral
