#pragma once

// A byte-exact copy of a whole file (backup and restore, copies to and from the
// backup folder). The copy is written to a temporary name in the target's
// folder and renamed into place only once every byte is written and flushed to
// the disk, so the target is either the whole new file or what it was before:
// a partial copy is removed, and an existing target is left as it was.

#include <QString>

namespace FileCopy {

struct Result {
    // 0 when copied; else 53 source missing or unreadable, 61 disk full or
    // file-size limit (a short write), 70 no permission, 71 target folder
    // missing or not reachable, 75 a folder where the file should be.
    int error = 0;
    QString reason; // in plain words, e.g. "the disk is full"
    bool ok() const { return error == 0; }
};

Result Copy(const QString& source, const QString& target);

// Removes what copies cut short (the program ended mid-copy) left in folder:
// the hidden temporary files ".<name>.<hex>.part" of targets whose names end
// in suffix (without regard to case). No other file is touched. Returns the
// names removed.
QStringList Remove_Leftovers(const QString& folder, const QString& suffix);

} // namespace FileCopy
