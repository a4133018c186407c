#include "backup/BackupFolder.h"

#include "platform/FileProblem.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Backup {

namespace {

const QString FolderTag = QStringLiteral("Folder=");

// The file is UTF-8 now; one written before held Latin-1, which is almost never
// valid UTF-8 where it holds a letter beyond ASCII, so it reads as it did.
QString decoded(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QString driveA() {
    return QString::fromLocal8Bit(qgetenv("KVR6_DRIVE_A"));
}

} // namespace

QString Backup_Folder() {
    std::optional<QByteArray> bytes;
    try {
        bytes = TextFile::readBytesIfPresent(ProgramFolder::file(BackupFolderFile));
    } catch (const KvrError& e) {
        const QString instead = driveA();
        FileProblem::Tell({QStringLiteral("backup folder setting ") + BackupFolderFile,
                           QStringLiteral("read"), e.description(),
                           instead.isEmpty() ? QStringLiteral("Please choose the backup folder.")
                                             : QStringLiteral("The folder %1 is offered instead.")
                                                   .arg(QDir::toNativeSeparators(instead)),
                           QStringLiteral("Backup folder")});
        return instead;
    }
    if (bytes) {
        for (const QString& line : TextFile::splitLines(decoded(*bytes)))
            if (line.startsWith(FolderTag) && line.size() > FolderTag.size())
                return line.mid(FolderTag.size());
    }
    return driveA();
}

void Remember_Backup_Folder(const QString& folder) {
    try {
        TextWriter file(ProgramFolder::file(BackupFolderFile));
        file.writeUtf8Line(FolderTag + folder);
        file.commit();
    } catch (const KvrError& e) {
        FileProblem::Tell({QStringLiteral("backup folder setting ") + BackupFolderFile,
                           QStringLiteral("saved"), e.description(),
                           QStringLiteral("The folder is used now but not offered at the next "
                                          "opening."),
                           QStringLiteral("Backup folder")});
    }
}

bool Folder_Reachable(const QString& folder, bool forWriting) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    // The effective rights: a read-only medium says no where the permission bits
    // alone would allow the write.
    const QByteArray path = QFile::encodeName(folder);
    return ::faccessat(AT_FDCWD, path.constData(), (forWriting ? W_OK : R_OK) | X_OK, AT_EACCESS) ==
           0;
}

bool Same_File_In(const QString& folder, const QString& name, const QString& other) {
    struct stat a {};
    struct stat b {};
    if (::stat(QFile::encodeName(folder + '/' + name).constData(), &a) != 0 ||
        ::stat(QFile::encodeName(folder + '/' + other).constData(), &b) != 0)
        return false;
    // A kernel driver, and a link, give one file one number.
    if (a.st_dev == b.st_dev && a.st_ino == b.st_ino)
        return true;
    if (name == other || name.compare(other, Qt::CaseInsensitive) != 0)
        return false;
    // The folder found both spellings. A folder that keeps letter case apart
    // lists each under its own; one that ignores it holds a single entry, which
    // it finds under any spelling (and lists under the one it was written with).
    const QStringList listed = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot);
    return !listed.contains(name) || !listed.contains(other);
}

} // namespace Backup
