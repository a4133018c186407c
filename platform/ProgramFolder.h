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

} // namespace ProgramFolder
