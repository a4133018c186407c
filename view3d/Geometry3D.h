#pragma once

// The 3-D view's drawing without a window: which map a view kind shows, the
// node grid the view values and the map's values give, the 232 lines of the
// wire frame in their order with their colours, the places of the 26 axis
// labels, and the crosses that mark the edit cursor and the live point. All
// positions are twips of the drawing frame; Y grows down the screen.

#include "link/MapWrite.h"

#include <QColor>
#include <QLine>
#include <QString>
#include <array>
#include <vector>

namespace View3D {

// What a view kind (MapKind) shows.
struct MapKindInfo {
    QString kind;      // "Analog:", "Injection:", "Ignition:"
    QString title;     // GraphTitle and the drawing's caption: "Fuel", ...
    int tab = 1;       // the main window's tab of the map
    MapWrite::Map map; // where its cells lie, for the write path
    QString valueText; // the status text before a cell's value
};
// The kind of a MapKind text; none for any other text.
const MapKindInfo* Kind_Of(const QString& mapKind);
inline constexpr std::array<const char*, 3> Kinds{"Analog:", "Injection:", "Ignition:"};

// The value the main window's grid shows for cell offset 0..127 (column x 16 +
// row) of the kind's map, as a number.
int Display_Value(const MapKindInfo& kind, int offset);

// The positions of the six sliders that a drawing reads.
struct SliderValues {
    int amplitude = 5;    // Slider6 "Amplitude"
    int height = 600;     // Slider2 "Height"
    int width = 3279;     // Slider5 "Width"
    int moveTop = 276;    // Slider4 "Move Top"
    int moveBottom = -98; // Slider7 "Move Bottom"
    int twist = 4000;     // Slider1 "Twist"
};

// "Width" and "Twist" give the column step as their value / 8, and "Twist" the
// row step as (value + 1000) / 16, both rounded halves to even.
std::int16_t Col_Step_Of(int sliderValue);
std::int16_t Row_Step_Of(int twist);

// The first part of a drawing: sets the gradient ends, takes the view values
// that are due from the sliders (RowStepY every time, the other four only
// while 0), and places every node of NodeX / NodeY, lifted by the display
// values of the map of mapKind times Amplitude (no heights for another kind).
void Place_Nodes(const SliderValues& sliders, const QString& mapKind);

// A line from one node to another.
struct Segment {
    int fromRow = 0, fromCol = 0, toRow = 0, toCol = 0;
    bool operator==(const Segment&) const = default;
};
inline constexpr int WireLines = 232;
// Wire-frame line n: rows 0..15 x 7 segments first (n = row x 7 + segment),
// then columns 0..7 x 15 segments (n = 112 + column x 15 + segment).
Segment Wire_Segment(int n);
// The first and the number of wire lines of an RPM row and of a deflection column.
inline constexpr int Row_First_Line(int row) {
    return row * 7;
}
inline constexpr int Column_First_Line(int column) {
    return 112 + column * 15;
}
// A segment at the node positions as they stand.
QLine Line_Of(const Segment& s);
// The gradient colour of wire line n from the gradient ends as they stand.
QColor Wire_Colour(int n);

// The highlight of the wire lines of the row or column the proportional
// modes change, and the colours of the marks (&HBBGGRR).
inline constexpr unsigned HighlightColour = 0xC5C724;
inline constexpr unsigned CursorColour = 0x04880A;
inline constexpr unsigned LiveColour = 0x0000FF;
inline constexpr unsigned LevelColour = 0xC000C0;

// Axis labels 0..15 the RPM break points, 16..23 the deflection break points,
// 24 "RPM", 25 "Deflection", placed beside their nodes (lifted), twips.
inline constexpr int Labels = 26;
struct LabelPlace {
    int left = 0, top = 0, width = 0, height = 0;
    bool bold = false;
};
LabelPlace Label_Place(int i);

// The cross along the wire frame from node (row, column) to each neighbour it
// has, in the order the marks take them: right, left, up a row, down a row.
std::vector<Segment> Cross(int row, int column);

} // namespace View3D
