#pragma once

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QWidget>
#include <cmath>

// The window design's units: positions and sizes in twips, 15 to a pixel, and
// colours written &HBBGGRR.
namespace Design {

inline int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

// The pixel rectangle of a twips rectangle. Both edges are rounded, so boxes laid
// at a regular twips pitch keep their gaps and never overlap.
inline QRect rect(int left, int top, int width, int height) {
    const int l = px(left);
    const int t = px(top);
    return QRect(l, t, px(left + width) - l, px(top + height) - t);
}

inline void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(rect(left, top, width, height));
}

// Moves a widget keeping its size, and sizes it keeping its place (twips).
inline void setLeft(QWidget* w, int left) {
    w->move(px(left), w->y());
}
inline void setTop(QWidget* w, int top) {
    w->move(w->x(), px(top));
}
inline void setWidth(QWidget* w, int width) {
    w->resize(px(width), w->height());
}
inline void setHeight(QWidget* w, int height) {
    w->resize(w->width(), px(height));
}

// A colour written &HBBGGRR.
inline QColor bgr(unsigned value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

// The look of the grid's text boxes: a thin border, so the small design sizes
// leave room for the text, on the given back colour.
inline QString cellStyle(const QColor& back) {
    return QStringLiteral("QLineEdit { border: 1px solid #7a7a7a; padding: 0px 1px; "
                          "background-color: %1; }")
        .arg(back.name());
}

// The back colour of a label or text box: the text box's base, a label's window.
// A text box drawn through its style sheet gets the colour there too.
inline void setBackColor(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    if (w->inherits("QLineEdit")) {
        // A new style sheet would otherwise give the box the application's font
        // instead of the window's.
        const QFont font = w->font();
        w->setStyleSheet(cellStyle(colour));
        w->setFont(font);
    }
}
inline QColor backColor(const QWidget* w) {
    return w->palette().color(QPalette::Base);
}
inline void setForeColor(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

// Colours of the map grid.
inline constexpr unsigned PlainCell = 0xFFFFFF;
inline constexpr unsigned LiveCell = 0x0000FF;
inline constexpr unsigned TrailCell = 0x0080FF;
inline constexpr unsigned SelectedCell = 0x00C000;
inline constexpr unsigned RpmScale = 0xC0C000;

// Width of a text reading's name, in twips: the room the short value beside it
// leaves, so names such as "Injection Length" are read whole at the window's font.
inline constexpr int ReadingNameWidth = 1560;

} // namespace Design
