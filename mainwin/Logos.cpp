#include "mainwin/Logos.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Logos {

namespace {

void drawBadge(QPainter& p, const QRectF& r, const QColor& from, const QColor& to) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    QPainterPath path;
    path.addRoundedRect(r.adjusted(1, 1, -1, -1), 8, 8);
    p.fillPath(path, g);
    p.setPen(QPen(to.darker(140), 1.5));
    p.drawPath(path);
}

void drawText(QPainter& p, const QRectF& r, const QString& text, double points, bool bold,
              const QColor& colour, int flags = Qt::AlignCenter) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(points);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, flags, text);
}

} // namespace

QPixmap Logo(int index, QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size.width(), size.height());
    const double h = r.height();
    if (index == 0) {
        drawBadge(p, r, QColor(30, 60, 140), QColor(10, 25, 70));
        // A stylised rev needle over the product word.
        p.setPen(QPen(QColor(255, 170, 0), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(10, h * 0.18, h * 0.64, h * 0.64), 30 * 16, 240 * 16);
        p.drawLine(QPointF(10 + h * 0.32, h * 0.5), QPointF(10 + h * 0.55, h * 0.3));
        drawText(p, r.adjusted(h * 0.8, 0, -4, -h * 0.35), QStringLiteral("KVR6"), h * 0.32, true,
                 Qt::white);
        drawText(p, r.adjusted(h * 0.8, h * 0.55, -4, -2), QStringLiteral("ENGINE TUNING"),
                 h * 0.13, true, QColor(255, 200, 80));
    } else {
        const bool advanced = index == 2;
        drawBadge(p, r, advanced ? QColor(150, 20, 20) : QColor(40, 110, 50),
                  advanced ? QColor(70, 5, 5) : QColor(15, 50, 20));
        drawText(p, r.adjusted(4, 2, -4, -h * 0.4), QStringLiteral("AUTHORISED"), h * 0.16, true,
                 QColor(255, 230, 160));
        drawText(p, r.adjusted(4, h * 0.35, -4, -2),
                 advanced ? QStringLiteral("KVR6 DEALER+") : QStringLiteral("KVR6 DEALER"),
                 h * 0.24, true, Qt::white);
    }
    return pm;
}

} // namespace Logos
