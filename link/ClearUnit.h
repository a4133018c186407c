#pragma once

// The clear-unit sequence: the factory image of "clrkvr.map" written to the unit,
// the text area stamped with the time of the clearing, self-test records 2 to 5
// blanked, and then the whole unit read back.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

namespace WtsCM {

inline const QString ClearFileName = QStringLiteral("clrkvr.map");
// The send queue holds this many elements; the stamp and the blank records take five.
inline constexpr int QueueCapacity = 88;
inline constexpr int ClearExtraElements = 5;

// The frames of a clear image, one queue element per line: a row line (row 0..15,
// type digit 0 page 4, 1 page 5, 2 page 6, 4 text area, sixteen values 0..255 at
// columns 6, 10, ..., 66) becomes its row write, a map line ("Map=" with "A" or "B"
// as fifth character) the map-set frame; blank lines are skipped. Each frame
// carries the 31 NUL padding. Any other line, or too many lines for the queue, is
// refused whole with KvrError naming the line; nothing is returned then. A file
// without a single row line (empty, blank or only map lines) is refused too.
std::vector<QByteArray> Clear_Image_Elements(const QStringList& lines);

// "dtdt" and the month, day, year, hour (24-hour clock) and minute of the time.
QByteArray Clear_Stamp(const QDateTime& when);

// The file's elements followed by the stamp (self-test record 1) and the four
// blanked records 2 to 5.
std::vector<QByteArray> Clear_Elements(const std::vector<QByteArray>& imageElements,
                                       const QDateTime& when);

// The whole sequence after the hold on the "RPM" heading: asks for confirmation,
// reads and checks the program folder's "clrkvr.map" (a missing or bad file is
// told, and nothing is shown or sent), shows the progress window, goes on-line if
// the link is not polling, and queues the frames for the unit, after which the
// whole unit is read back. The clock gives the time of the stamp.
void Clear_Unit(const std::function<QDateTime()>& clock = &QDateTime::currentDateTime);

} // namespace WtsCM
