#pragma once

// What the 3-D view's drawing shows, and its painting: the wire frame at the
// node positions (NodeX / NodeY) with each line's colour and width, the marks
// of the edit cursor and the live point (node to node, so they follow the grid
// whenever it is drawn again), the level lines of the "to selected point"
// modes and the 26 axis labels. The window changes the scene and repaints once.

#include "view3d/Geometry3D.h"

#include <QColor>
#include <QLine>
#include <QRect>
#include <QString>
#include <array>
#include <optional>

class QPainter;

namespace View3D {

// Marks 0..3 the edit cursor, 4..7 the live point.
inline constexpr int CursorMarks = 0;
inline constexpr int LiveMarks = 4;

struct Scene {
    bool drawn = false; // nothing shows before the first drawing
    std::array<QColor, WireLines> colours{};
    std::array<int, WireLines> widths{};
    std::array<std::optional<Segment>, 8> marks{};
    std::array<std::optional<QLine>, 2> levelLines{};
    std::array<QString, Labels> labels{};
    QString title; // the frame's caption, drawn top left

    // Every wire line in its gradient colour, width 2.
    void Gradient_Colours();
    // Hides the four marks from `first`, then puts the cross of node (row,
    // column) there.
    void Place_Cross(int first, int row, int column);
};

// Paints the scene at 15 twips a pixel: the parts that reach into `area`
// (pixels), or all of it when `area` is empty.
void Paint_Scene(QPainter& painter, const Scene& scene, const QRect& area = QRect());
// The pixels the live marks cover now, with room for their width.
QRect Live_Marks_Area(const Scene& scene);

} // namespace View3D
