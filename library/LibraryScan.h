#pragma once

// The library: every tune-map file of the program folder with its header as the
// library scan reads it, and the list's order by a column. Window-free.

#include "library/TuneMapFile.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace TuneMap {

// One library file: its name and its header values as the scan reads them.
struct LibraryEntry {
    QString fileName;
    HeaderValues header;
};

// The columns of the library list, in order.
enum LibraryColumn { ColMake, ColModel, ColYear, ColType, ColMapName, ColDescription, ColFileName };
inline constexpr int LibraryColumns = 7;

// The text a column of the list shows for an entry (trimmed, as listed).
QString Column_Text(const LibraryEntry& entry, int column);

// Every "*.kvr" file of the program folder, in name order, by the library-scan
// rules. A file that cannot be read, is no regular file, is too large for a
// tune-map file, holds no text or whose name is no valid text is left out, and
// a note naming it and why goes into notes; the rest are listed. The current map's record is left
// alone: the values stay with their entries.
std::vector<LibraryEntry> Scan_Library(QStringList* notes = nullptr);

// The positions of the entries in the order of a column's text, ascending,
// without regard to case; entries with equal texts keep their order.
std::vector<std::size_t> Sorted_Order(const std::vector<LibraryEntry>& entries, int column);

// Orders the entries by a column as Sorted_Order gives it.
void Sort_Library(std::vector<LibraryEntry>& entries, int column);

} // namespace TuneMap
