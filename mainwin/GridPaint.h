#pragma once

#include "mainwin/Design.h"

#include <QLineEdit>
#include <array>
#include <cstddef>

// Back colours of the grid's boxes. A box is restyled only when its colour
// changes, so the cursor's moves on every live reply stay cheap.
namespace GridPaint {

inline void Paint(QWidget* box, unsigned colour) {
    const QColor c = Design::bgr(colour);
    if (Design::backColor(box) != c)
        Design::setBackColor(box, c);
}

// Box index of a control array; an index that names no box paints nothing.
template <std::size_t N>
void Paint(const std::array<QLineEdit*, N>& boxes, int index, unsigned colour) {
    if (index >= 0 && index < static_cast<int>(N))
        Paint(boxes[static_cast<std::size_t>(index)], colour);
}

template <std::size_t N> void Paint_All(const std::array<QLineEdit*, N>& boxes, unsigned colour) {
    for (QLineEdit* box : boxes)
        Paint(box, colour);
}

// The box is marked as the live cell or its trail.
inline bool Has_Live_Mark(const QWidget* box) {
    const QColor c = Design::backColor(box);
    return c == Design::bgr(Design::LiveCell) || c == Design::bgr(Design::TrailCell);
}

template <std::size_t N>
bool Has(const std::array<QLineEdit*, N>& boxes, int index, unsigned colour) {
    return index >= 0 && index < static_cast<int>(N) &&
           Design::backColor(boxes[static_cast<std::size_t>(index)]) == Design::bgr(colour);
}

} // namespace GridPaint
