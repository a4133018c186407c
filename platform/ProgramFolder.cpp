#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ProgramFolder {

QString path() {
    const QByteArray home = qgetenv("KVR6_HOME");
    QString folder =
        home.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(home);
    while (folder.size() > 1 && (folder.endsWith('/') || folder.endsWith('\\')))
        folder.chop(1);
    return folder;
}

QString file(const QString& name) {
    QString n = name;
    while (n.startsWith('\\') || n.startsWith('/'))
        n.remove(0, 1);
    return path() + '/' + n;
}

QStringList listIn(const QString& folder, const QString& pattern) {
    QDir dir(folder);
    // Regular files only: opening a FIFO, socket or device found under a file's
    // name would wait for ever or read what is no file of the program.
    return dir.entryList(QStringList{pattern}, QDir::Files | QDir::Hidden,
                         QDir::Name | QDir::IgnoreCase);
}

QStringList list(const QString& pattern) {
    return listIn(path(), pattern);
}

bool exists(const QString& name) {
    return QFileInfo(file(name)).isFile();
}

} // namespace ProgramFolder
