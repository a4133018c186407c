#pragma once

#include <QString>
#include <QStringList>

namespace ProgramFolder {

// The folder every file of the program lives in (App.Path): the folder named by
// KVR6_HOME, else the folder of the running executable. Never ends with a slash.
QString path();

// path() + "/" + name; a leading backslash or slash on name is dropped, so
// "\dump_comms.txt" and "dump_comms.txt" name the same file.
QString file(const QString& name);

// Names (not paths) of the regular files in the program folder matching a wildcard
// pattern such as "*.cfg" or "kvr*.cfg", matched without regard to case, in name
// order. Folders, FIFOs, sockets and devices are never listed.
QStringList list(const QString& pattern);

// Names of the files in folder matching pattern, as list() does for the program folder.
QStringList listIn(const QString& folder, const QString& pattern);

bool exists(const QString& name);

// Files of the program folder whose names end in `suffix` (without regard to
// case) but are no valid text in the system's encoding, so list() cannot give
// them and no file can be opened by them. Each as shown to the user, with the
// replacement character in place of the bytes that are no text.
QStringList Names_Not_Text(const QString& suffix);

// The same for the files of another folder (a backup folder).
QStringList Names_Not_Text_In(const QString& folder, const QString& suffix);

// Whether two names of the program folder are one file: both exist and lead to
// the same file on the same device. On a folder that ignores letter case
// (a FAT or NTFS stick, a network share) "Golf.kvr" and "golf.kvr" are one file.
bool Same_File(const QString& name, const QString& other);

} // namespace ProgramFolder
