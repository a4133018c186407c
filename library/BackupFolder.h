#pragma once

// The backup folder: where backup copies of the library's tune maps go and
// where a restore takes them from. It stands where the maps were once copied to
// a floppy disk: a USB stick's mount point, a network folder, any folder the
// user chooses. The choice is remembered in a file of its own in the program
// folder, so that no configuration reader or the port rewrite ever meets it.

#include <QString>

namespace Library {

// The file that remembers the folder: one line "Folder=" and the path.
inline const QString BackupFolderFile = QStringLiteral("KVR6BackupFolder.txt");

// The remembered folder; before anything is remembered the folder named by
// KVR6_DRIVE_A; else an empty text (the user must choose one).
QString Backup_Folder();

// Remembers the folder for the next opening. A failed write is told; the
// folder is still used for this backup.
void Remember_Backup_Folder(const QString& folder);

// Whether files can be copied into (forWriting) or out of the folder: it
// exists, is a folder, and the program may write or read there. A missing
// stick, a share that is not mounted and a read-only medium all give false.
bool Folder_Reachable(const QString& folder, bool forWriting);

// Why the file at path is not a whole, readable tune map ("no MAPS: line",
// "line 12 is not a valid map line", the rows it lacks, the system's reason);
// empty when it is one. The unit image is left exactly as it was.
QString Tune_Map_Problem(const QString& path);

} // namespace Library
