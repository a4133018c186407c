#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

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

QStringList Names_Not_Text(const QString& suffix) {
    return Names_Not_Text_In(path(), suffix);
}

QStringList Names_Not_Text_In(const QString& folder, const QString& suffix) {
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr)
        return names;
    const QByteArray end = suffix.toLower().toLocal8Bit();
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray raw(entry->d_name);
        if (!raw.toLower().endsWith(end))
            continue;
        const QString shown = QFile::decodeName(raw);
        if (QFile::encodeName(shown) != raw)
            names << shown;
    }
    ::closedir(dir);
    names.sort();
    return names;
}

bool Same_File(const QString& name, const QString& other) {
    struct stat a {};
    struct stat b {};
    return ::stat(QFile::encodeName(file(name)).constData(), &a) == 0 &&
           ::stat(QFile::encodeName(file(other)).constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

} // namespace ProgramFolder
