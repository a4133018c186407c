#include "backup/Entries.h"
#include "contact/Entries.h"
#include "core/AppInfo.h"
#include "core/frmSplash.h"
#include "library/Entries.h"
#include "mainwin/frmMain.h"
#include "platform/FormInstance.h"
#include "platform/GuardedApplication.h"
#include "setup/Entries.h"
#include "view3d/Entries.h"
#include "wiring/Entries.h"

#include <csignal>

int main(int argc, char* argv[]) {
    // A file-size limit must not end the program: a write past it then fails
    // like a write to a full disk, which every writer tells and survives.
    std::signal(SIGXFSZ, SIG_IGN);
    GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVR6"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(AppInfo::Major).arg(AppInfo::Minor).arg(AppInfo::Revision));

    frmSplash::ShowMainWindow = [] {
        const bool first = !FormInstance<frmMain>::loaded();
        frmMain& main = FormInstance<frmMain>::get(); // loads it on first use
        if (first) {
            Library::Wire_Entries(main);
            Contact::Wire_Entries(main);
            Wiring::Wire_Entries(main);
            Backup::Wire_Entries(main);
            Setup::Wire_Entries(main);
            View3D::Wire_Entries(main);
        }
        main.show();
    };

    auto* splash = new frmSplash(); // deletes itself once it has continued
    splash->show();
    return QApplication::exec();
}
