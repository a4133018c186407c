#include "core/AppInfo.h"
#include "core/frmSplash.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KVR6"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(AppInfo::Major).arg(AppInfo::Minor).arg(AppInfo::Revision));

    frmSplash::ShowMainWindow = [] {
        auto* main = new QMainWindow(); // owned by Qt: deleted when closed
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->setWindowTitle(QStringLiteral("KVR6"));
        main->resize(1000, 700);
        main->show();
    };

    auto* splash = new frmSplash(); // deletes itself once it has continued
    splash->show();
    return QApplication::exec();
}
