#pragma once

// The backup folder: where backup copies of the library's tune maps go and
// where a restore takes them from. It stands where the maps were once copied to
// a floppy disk: a USB stick's mount point, a network folder, any folder the
// user chooses. The choice is remembered in a file of its own in the program
// folder, so that no configuration reader or the port rewrite ever meets it.

#include <QString>

namespace Backup {

// The file that remembers the folder: one line "Folder=" and the path, UTF-8,
// so any path comes back as chosen.
inline const QString BackupFolderFile = QStringLiteral("KVR6BackupFolder.txt");

// The remembered folder; before anything is remembered the folder named by
// KVR6_DRIVE_A; else an empty text (the user must choose one). A file written
// before as Latin-1 reads as it did. A file that cannot be read (no permission,
// a folder in its place) is told, and the folder is chosen as if nothing were
// remembered.
QString Backup_Folder();

// Remembers the folder for the next opening. A failed write is told; the
// folder is still used for this backup.
void Remember_Backup_Folder(const QString& folder);

// Whether files can be copied into (forWriting) or out of the folder: it
// exists, is a folder, and the program may write or read there. A missing
// stick, a share that is not mounted and a read-only medium all give false.
bool Folder_Reachable(const QString& folder, bool forWriting);

// Whether two names in folder lead to one file. A folder that ignores letter
// case (a FAT or exFAT stick, a network share) finds "golf.kvr" as "Golf.kvr".
// Told by what the folder does, not by its inode numbers alone: a driver in
// user space (a FAT or exFAT stick mounted through FUSE) gives each spelling a
// number of its own. Two names that differ only in letter case are one file
// when the folder finds both but does not list both under their own spelling.
bool Same_File_In(const QString& folder, const QString& name, const QString& other);

} // namespace Backup
