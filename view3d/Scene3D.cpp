#include "view3d/Scene3D.h"

#include "mainwin/Design.h"
#include "view3d/View3dState.h"

#include <QFont>
#include <QPainter>

namespace View3D {

namespace {

QPointF Pixel(int x, int y) {
    return QPointF(x / 15.0, y / 15.0);
}

QRect Pixel_Box(const QLine& l) {
    return QRectF(Pixel(l.x1(), l.y1()), Pixel(l.x2(), l.y2()))
        .normalized()
        .toAlignedRect()
        .adjusted(-3, -3, 3, 3);
}

void Draw_Line(QPainter& painter, const QLine& l, const QColor& colour, int width,
               const QRect& area) {
    if (!area.isEmpty() && !area.intersects(Pixel_Box(l)))
        return;
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(Pixel(l.x1(), l.y1()), Pixel(l.x2(), l.y2()));
}

} // namespace

void Scene::Gradient_Colours() {
    for (int n = 0; n < WireLines; ++n) {
        colours[static_cast<std::size_t>(n)] = Wire_Colour(n);
        widths[static_cast<std::size_t>(n)] = 2;
    }
}

void Scene::Place_Cross(int first, int row, int column) {
    for (int k = 0; k < 4; ++k)
        marks[static_cast<std::size_t>(first + k)].reset();
    int k = first;
    for (const Segment& s : Cross(row, column))
        marks[static_cast<std::size_t>(k++)] = s;
}

QRect Live_Marks_Area(const Scene& scene) {
    QRect area;
    for (int k = LiveMarks; k < LiveMarks + 4; ++k)
        if (const auto& s = scene.marks[static_cast<std::size_t>(k)])
            area |= Pixel_Box(Line_Of(*s));
    return area;
}

void Paint_Scene(QPainter& painter, const Scene& scene, const QRect& area) {
    if (!scene.drawn)
        return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int n = 0; n < WireLines; ++n)
        Draw_Line(painter, Line_Of(Wire_Segment(n)), scene.colours[static_cast<std::size_t>(n)],
                  scene.widths[static_cast<std::size_t>(n)], area);
    for (const auto& l : scene.levelLines)
        if (l)
            Draw_Line(painter, *l, Design::bgr(LevelColour), 3, area);
    for (int k = 0; k < 8; ++k)
        if (const auto& s = scene.marks[static_cast<std::size_t>(k)])
            Draw_Line(painter, Line_Of(*s), Design::bgr(k < LiveMarks ? CursorColour : LiveColour),
                      3, area);

    painter.setRenderHint(QPainter::Antialiasing, false);
    QFont plain = painter.font();
    plain.setPointSizeF(7.5);
    QFont bold = plain;
    bold.setBold(true);
    bold.setPointSizeF(8);
    painter.setPen(Qt::black);
    for (int i = 0; i < Labels; ++i) {
        const LabelPlace p = Label_Place(i);
        const QRect box = Design::rect(p.left, p.top, p.width, p.height);
        // A label may write past its box; it is painted again whenever the area is near.
        if (!area.isEmpty() && !area.intersects(box.adjusted(-4, -4, 40, 4)))
            continue;
        painter.setFont(p.bold ? bold : plain);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                         scene.labels[static_cast<std::size_t>(i)]);
    }
}

} // namespace View3D
