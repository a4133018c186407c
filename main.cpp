#include "core/AppInfo.h"
#include "core/frmSplash.h"
#include "mainwin/frmMain.h"
#include "platform/FormInstance.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVR6"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(AppInfo::Major).arg(AppInfo::Minor).arg(AppInfo::Revision));

    frmSplash::ShowMainWindow = [] {
        FormInstance<frmMain>::get().show(); // loads it on first use
    };

    auto* splash = new frmSplash(); // deletes itself once it has continued
    splash->show();
    return QApplication::exec();
}
