#pragma once

// A byte-exact copy of a whole file (backup and restore, copies to and from the
// backup folder). The copy is written to a temporary name in the target's
// folder and renamed into place only once every byte is written and flushed to
// the disk, so the target is either the whole new file or what it was before:
// a partial copy is removed, and an existing target is left as it was.

#include <QString>
#include <optional>

namespace FileCopy {

struct Result {
    // 0 when copied; else 52 a name the target folder does not take (the
    // folder is there), 53 source missing or unreadable, 61 disk full or
    // file-size limit (a short write), 70 no permission, 71 target folder
    // missing, not reachable or no longer on the device the copy began on,
    // 75 a folder where the file should be.
    int error = 0;
    QString reason; // in plain words, e.g. "the disk is full"
    bool ok() const { return error == 0; }
};

// The device a folder is on (its st_dev), or none when it cannot be reached.
// A stick taken away whose mount-point folder stays (a lazy unmount) leaves a
// bare folder of the local disk at the same path: only the device tells them
// apart.
std::optional<quint64> Device_Of(const QString& folder);

// With targetDevice, the copy goes ahead only while the target's folder is on
// that device, and is written into that very folder (opened once, so a stick
// taken away meanwhile never lets the copy land on the disk beneath it).
Result Copy(const QString& source, const QString& target,
            std::optional<quint64> targetDevice = std::nullopt);

// Removes what copies cut short (the program ended mid-copy) left in folder:
// the hidden temporary files ".<name>.<hex>.part" of targets whose names end
// in suffix (without regard to case). No other file is touched. Returns the
// names removed.
QStringList Remove_Leftovers(const QString& folder, const QString& suffix);

} // namespace FileCopy
