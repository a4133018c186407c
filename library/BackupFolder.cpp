#include "library/BackupFolder.h"

#include "core/ImageSnapshot.h"
#include "core/MapImage.h"
#include "library/TuneMapFile.h"
#include "platform/FileProblem.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace Library {

namespace {
const QString FolderTag = QStringLiteral("Folder=");
}

QString Backup_Folder() {
    if (const auto text = TextFile::readAllIfPresent(ProgramFolder::file(BackupFolderFile))) {
        for (const QString& line : TextFile::splitLines(*text))
            if (line.startsWith(FolderTag) && line.size() > FolderTag.size())
                return line.mid(FolderTag.size());
    }
    return QString::fromLocal8Bit(qgetenv("KVR6_DRIVE_A"));
}

void Remember_Backup_Folder(const QString& folder) {
    try {
        TextFile::writeLines(ProgramFolder::file(BackupFolderFile), {FolderTag + folder});
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

QString Tune_Map_Problem(const QString& path) {
    const ImageSnapshot before = ImageSnapshot::Take();
    QString problem;
    try {
        TextReader file(path);
        bool maps = false;
        WtsGeneral::MapImageResult rows;
        while (!file.atEnd()) {
            if (file.readLine().contains(QStringLiteral("MAPS:"))) {
                maps = true;
                rows = WtsGeneral::Parse_Map_Image(file);
                break;
            }
        }
        if (!maps)
            problem = QStringLiteral("it has no \"MAPS:\" line");
        else if (!rows.ok())
            problem = QStringLiteral("line %1 is not a valid map line").arg(rows.firstRejectedLine);
        else if (const QString missing = TuneMap::Missing_Rows(rows); !missing.isEmpty())
            problem = QStringLiteral("it lacks the rows of ") + missing;
    } catch (const KvrError& e) {
        problem = e.description();
    }
    before.Restore();
    return problem;
}

} // namespace Library
