#pragma once

#include <QString>
#include <array>
#include <cstdint>

class ImageTable;
class TextReader;

namespace WtsGeneral {

// What a map-image read did: lines refused (none applied in part), the number
// of the first refused line in its file, and the row lines applied.
struct MapImageResult {
    int applied = 0;
    int rejected = 0;
    int firstRejectedLine = 0;
    // One bit per row (bit r: row r) for each page digit 0..4 of the row lines.
    std::array<std::uint16_t, 5> rowsRead{};
    bool ok() const { return rejected == 0; }
    bool Has_Row(int page, int row) const { return (rowsRead[page] >> row) & 1; }
};

// Applies the map-image lines from the reader's position to the end of its file
// to the unit image: row lines (16 values of one table row), "M" memory lines and
// "B" bit lines. Each line is checked whole before it is applied; a bad line
// changes nothing and is counted. Other lines (headers, "End") are skipped.
MapImageResult Parse_Map_Image(TextReader& file);

// One row line of a map image, the form the reader reads back: the row number
// in two columns, a blank, the page digit, a blank, then the 16 bytes from
// row x 16 of the table, each right-aligned in three columns and followed by a
// blank (69 characters for bytes). The caller makes sure the values are bytes.
QString Map_Row_Line(int row, int page, const ImageTable& table);

// Whether a map file's last line that is not blank is its closing line ("End",
// or "End of " and the unit's name). Throws KvrError when it cannot be read.
bool Ends_With_Closing_Line(const QString& path);

// Loads "BLANKKVR6.WTS" from the program folder into the unit image. A missing
// file or refused lines are told to the user; the program goes on with what loaded.
// A template cut short (without its closing line) is told and not loaded at all.
MapImageResult Load_Blank_Template();

// Tells the user about the refused lines of a map-image file, naming the file and
// the first refused line. Shows nothing when every line was good.
void Report_Map_Image_Result(const QString& fileName, const MapImageResult& result);

} // namespace WtsGeneral
