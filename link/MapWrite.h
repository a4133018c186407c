#pragma once

// The one write path for edits of the maps: a value or a column of values goes
// into the unit image and comes back as the frame that carries it to the unit,
// checked. A value the unit cannot hold is refused, naming the value and its
// address, and then nothing changes: the image stays as it was and no frame is
// built. Nothing here sends; the edit (link/Edit.h) hands the frames to the
// send rule (link/SendRule.h), which says whether they go to the unit now.

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace MapWrite {

// The maps an edit can write: the three maps of the grid (128 cells, cell =
// deflection column x 16 + RPM row) and the AMP column of each tab (16 rows).
enum class Map { Analog, Injection, Ignition, AnalogAmp, InjectionAmp, IgnitionAmp };
inline constexpr std::array<Map, 6> AllMaps{Map::Analog,    Map::Injection,    Map::Ignition,
                                            Map::AnalogAmp, Map::InjectionAmp, Map::IgnitionAmp};

// Where a map lies in the unit image.
struct Place {
    int page = 5;         // 5 Map5Image, 6 Map6Image
    int base = 0;         // cell or row n at base + n
    int cells = 128;      // 128 for a grid map, 16 for an AMP column
    bool isSigned = true; // signed bytes: -128..-1 may be given for 128..255
    const char* name = "";
};
const Place& Place_Of(Map map);
// The map the entry box edits: tab 1 analog, 2 injection, 3 ignition; field 1
// the grid, 2 the AMP column.
Map Of_Tab(int tab, int editField);

// A value the write path would not store.
struct Refusal {
    int page = 0;
    int address = 0;
    int value = 0;
    QString text; // "page 6 address 37 would hold 300, which is not a byte (0 to 255)"
};

// What a write gave: the checked frame, or the refusal (frame empty).
struct Written {
    QByteArray frame;
    std::optional<Refusal> refusal;
    bool ok() const { return !refusal; }
};

// Values the maps take: 0..255, and on a signed map also -128..-1, stored as
// the byte of that signed value (two's complement). Anything else is refused.
bool Accepts(Map map, int value);

// One cell (0..127 of a grid map, 0..15 of an AMP column): the one-byte write
// "5" or "6", address, byte, CR.
Written Write_Cell(Map map, int cell, int value);
// One column of 16 values, row 0 first: deflection column 0..7 of a grid map,
// or the AMP column (column 0). The row write "=" or ">", start, 16 bytes, CR;
// the ignition grid's column goes with the 31 NUL padding.
Written Write_Column(Map map, int column, const std::array<int, 16>& values);
// One 16-byte row of page 4 (the parameter block): row start 0, 16, .., 240,
// the values 0..255 only. The padded row write "<".
Written Write_Param_Row(int row, const std::array<int, 16>& values);

} // namespace MapWrite
