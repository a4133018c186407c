#include "mainwin/RpmIndication.h"

#include "core/CoreState.h"
#include "platform/NumberRules.h"

#include <QPainter>

namespace Readouts {

namespace {

constexpr int FullHeight = 2175; // twips
constexpr int TopMargin = 120;
constexpr int BarWidth = 14; // pixels
const QColor BarColour(0xC0, 0x00, 0x00);

constexpr double Px(double twips) {
    return twips / 15.0;
}

} // namespace

std::optional<std::array<QString, 10>> Rpm_Indication_Labels() {
    if (UnitOnline == 0 && MapLoaded == 0)
        return std::nullopt;
    const auto low = WtsUp::Break_Point_Rpm(0);
    const auto top = WtsUp::Break_Point_Rpm(15);
    if (!low || !top)
        return std::nullopt;
    const auto step = NumberRules::RoundEven((*top - *low) / 9.0);
    std::array<QString, 10> labels;
    for (int k = 0; k < 10; ++k)
        labels[k] = NumberRules::Str(static_cast<double>(*low + k * step));
    return labels;
}

std::optional<WtsUp::RpmBar> Rpm_Bar_For(int liveRpm) {
    const auto low = WtsUp::Break_Point_Rpm(0);
    const auto top = WtsUp::Break_Point_Rpm(15);
    if (!low || !top)
        return std::nullopt;
    int shown = liveRpm;
    return WtsUp::Rpm_Bar(*low, *top, shown);
}

RpmIndicator::RpmIndicator(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void RpmIndicator::Set_RPM_Indication_BAR() {
    if (const auto labels = Rpm_Indication_Labels()) {
        labels_ = *labels;
        update();
    }
}

void RpmIndicator::RPM_Bar_movement(int liveRpm) {
    if (const auto bar = Rpm_Bar_For(liveRpm)) {
        bar_ = *bar;
        update();
    }
}

QSize RpmIndicator::sizeHint() const {
    return {BarWidth + 8 + fontMetrics().horizontalAdvance(QStringLiteral("00000")),
            static_cast<int>(Px(FullHeight + 2 * TopMargin))};
}

void RpmIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QRectF bar(2, Px(bar_.top), BarWidth, Px(bar_.height));
    p.fillRect(bar, BarColour);
    p.setPen(Qt::black);
    p.drawRect(QRectF(2, Px(TopMargin), BarWidth, Px(FullHeight)));

    // Label k sits at k ninths of the way up from the foot.
    p.setPen(palette().color(QPalette::WindowText));
    const int textLeft = BarWidth + 6;
    const int h = fontMetrics().height();
    for (int k = 0; k < 10; ++k) {
        const double y = Px(TopMargin + FullHeight - FullHeight * k / 9.0);
        p.drawText(QRectF(textLeft, y - h / 2.0, width() - textLeft, h),
                   Qt::AlignLeft | Qt::AlignVCenter, labels_[k]);
    }
}

} // namespace Readouts
