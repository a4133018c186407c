#pragma once

// The text "Copy Map" puts on the clipboard: one line per RPM row, row 15 first,
// each ended by a carriage return alone.

#include <QString>
#include <array>

namespace MapCopyText {

// cells: the 128 grid texts (column x 16 + row); rpmLabels: the 16 RPM captions.
// A line reads "r), " then the eight cells of row r separated by ", ", then
// ",   , " and the RPM caption right-aligned in five characters. A cell of zero
// or more is padded with zeros to three digits ("" -> "000", "5" -> "005"); a
// negative one, or a longer one, is copied whole.
QString Copy_Map_Text(const std::array<QString, 128>& cells,
                      const std::array<QString, 16>& rpmLabels);

} // namespace MapCopyText
