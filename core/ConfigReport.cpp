#include "core/ConfigReport.h"

#include "platform/Dialogs.h"

#include <algorithm>

namespace WtsGeneral {

namespace {

// A hand-edited file may have hundreds of bad lines; the first ones show where
// to look.
constexpr qsizetype LinesShown = 8;

} // namespace

QString Unusable_Files_Text(const std::vector<UnusableFile>& files) {
    QStringList parts;
    for (const UnusableFile& f : files) {
        QString part = QStringLiteral("%1 %2.").arg(f.file, f.problem);
        if (!f.lines.isEmpty()) {
            const qsizetype n = f.lines.size();
            part += QStringLiteral(" %1 %2 not used:")
                        .arg(n)
                        .arg(n == 1 ? QStringLiteral("line was") : QStringLiteral("lines were"));
            for (qsizetype i = 0; i < std::min(n, LinesShown); ++i)
                part += QStringLiteral("\n    ") + f.lines.at(i);
            if (n > LinesShown)
                part += QStringLiteral("\n    ... and %1 more").arg(n - LinesShown);
        }
        if (!f.instead.isEmpty())
            part += QStringLiteral("\nThe program uses %1.").arg(f.instead);
        parts << part;
    }
    return parts.join(QStringLiteral("\n\n"));
}

void Tell_Unusable_Files(const std::vector<UnusableFile>& files) {
    if (files.empty())
        return;
    Dialogs::msgBox(Unusable_Files_Text(files), Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                    QStringLiteral("Configuration Files"));
}

} // namespace WtsGeneral
