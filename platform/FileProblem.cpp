#include "platform/FileProblem.h"

#include "platform/Dialogs.h"

namespace FileProblem {

QString Files(const QString& kind, const QStringList& names) {
    if (names.isEmpty())
        return kind;
    QString listed = names.last();
    if (names.size() > 1)
        listed = names.mid(0, names.size() - 1).join(QStringLiteral(", ")) +
                 QStringLiteral(" and ") + listed;
    return kind + QLatin1Char(' ') + listed;
}

QString Text(const Report& report) {
    QString text =
        QStringLiteral("The ") + report.file + QStringLiteral(" could not be ") + report.doing;
    if (!report.reason.isEmpty())
        text += QStringLiteral(" (") + report.reason + QLatin1Char(')');
    text += QLatin1Char('.');
    if (!report.next.isEmpty())
        text += QLatin1Char(' ') + report.next;
    return text;
}

void Tell(const Report& report) {
    Dialogs::msgBox(Text(report), Dialogs::Buttons::Ok, report.icon, report.title);
}

void Tell_Later(const Report& report) {
    Dialogs::msgBoxLater(Text(report), report.icon, report.title);
}

} // namespace FileProblem
