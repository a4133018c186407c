#pragma once

// Writing to a file that stays open (a log, the serial trace, a file being
// built whole), with the real cause of a failure. Qt reports a write that was
// cut short part-way (a disk that filled mid-line, a file-size limit) as
// "Unknown error"; the bytes here go straight to the file's descriptor, so the
// system's own reason is kept and told in words a tuner understands.

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace FileWrite {

// Words for a system error number of a failed write or create, e.g. "the disk
// is full" or "the file has reached the size limit set for this program".
QString Cause(int error);

// The program's error number for the same: 61 for a full disk or a file-size
// limit (the writers treat both alike), 70 for no permission, 75 for a folder
// where the file should be, 71 for a disk that cannot be reached.
int Error_Number(int error);

// Writes every byte to the open file at its end. Returns the cause of a
// failure in words, or an empty text once all bytes are written. The file must
// be opened Unbuffered, so nothing of Qt's own buffer stands in between. The
// system error number of a failure goes to error when given.
QString Append(QFileDevice& file, const QByteArray& bytes, int* error = nullptr);

// The cause of a file that could not be opened or created (path names it):
// a folder in its place, a missing folder, no permission or a read-only medium
// (the effective rights), else Qt's own words.
QString Open_Cause(const QFileDevice& file);

} // namespace FileWrite
