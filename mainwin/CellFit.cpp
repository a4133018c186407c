#include "mainwin/CellFit.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace CellFit {

namespace {

// The line edit keeps this much free on either side of its text.
constexpr int InnerMargin = 2;
constexpr double SmallestPoints = 5;

} // namespace

int Room(const QLineEdit& box) {
    QStyleOptionFrame opt;
    opt.initFrom(&box);
    opt.rect = box.rect();
    opt.lineWidth =
        box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, &box) : 0;
    opt.midLineWidth = 0;
    QRect r = box.style()->subElementRect(QStyle::SE_LineEditContents, &opt, &box);
    r = r.marginsRemoved(box.textMargins());
    return r.width() - 2 * InnerMargin;
}

bool Fits(const QLineEdit& box, const QString& text) {
    return box.fontMetrics().horizontalAdvance(text) <= Room(box);
}

void Fit_Font(QLineEdit& box, const QString& text) {
    QFont font = box.font();
    while (QFontMetrics(font).horizontalAdvance(text) > Room(box) &&
           font.pointSizeF() > SmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    box.setFont(font);
}

} // namespace CellFit
