#include "view3d/SettingsProblem.h"

#include "platform/Dialogs.h"

namespace View3D {

void Tell_Settings_Problem(const QString& file, const QString& doing, const QString& reason,
                           const QString& next) {
    Dialogs::msgBox(QStringLiteral("The 3D view settings file %1 could not be %2 (%3). %4")
                        .arg(file, doing, reason, next),
                    Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                    QStringLiteral("3D view settings"));
}

} // namespace View3D
