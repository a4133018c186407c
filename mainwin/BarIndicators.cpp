#include "mainwin/BarIndicators.h"

#include "platform/NumberRules.h"

#include <QPainter>
#include <algorithm>

namespace Readouts {

namespace {

// Twips to pixels.
constexpr int Px(int twips) {
    return twips / 15;
}

constexpr int Margin = 4;
constexpr int BarHeight = 12;

// A slot: name and value, the bar, the range limits.
int Slot_Height(const QFontMetrics& fm) {
    return 2 * fm.height() + BarHeight + 4;
}
const QColor BarColour(0x00, 0x00, 0xC0);

} // namespace

std::optional<int> Bar_Length(double value, int min, int max) {
    if (max == min)
        return std::nullopt;
    const double scale = static_cast<double>(BarFullLength) / (max - min);
    const auto length = NumberRules::RoundEven((value - min) * scale);
    return static_cast<int>(std::clamp<std::int64_t>(length, BarShortest, BarFullLength));
}

void Bar_Draw(BarSlots6& bars, const std::vector<DisplayRow>& rows, const ReadingSet& set) {
    for (const DisplayRow& row : rows) {
        if (row.barSlot < 1 || row.barSlot > BarSlots)
            continue;
        const double value = Reading_Number(Conv_Input_to_readings(row.id, set));
        const auto length = Bar_Length(value, row.min, row.max);
        if (!length)
            continue;
        bars[row.barSlot - 1] = BarSlot{true,
                                        row.name,
                                        NumberRules::Str(NumberRules::Val(row.minText)),
                                        NumberRules::Str(NumberRules::Val(row.maxText)),
                                        NumberRules::Str(value),
                                        *length};
    }
}

BarIndicators::BarIndicators(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarIndicators::Bar_Clear() {
    slots_ = {};
    update();
}

void BarIndicators::Bar_Draw(const std::vector<DisplayRow>& rows, const ReadingSet& set) {
    Readouts::Bar_Draw(slots_, rows, set);
    update();
}

QSize BarIndicators::sizeHint() const {
    return {Px(BarFullLength) + 2 * Margin, BarSlots * Slot_Height(fontMetrics())};
}

void BarIndicators::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QFontMetrics fm = p.fontMetrics();
    const int barWidth = Px(BarFullLength);
    for (int s = 0; s < BarSlots; ++s) {
        const BarSlot& slot = slots_[s];
        if (!slot.visible)
            continue;
        const int top = s * Slot_Height(fm);
        const QRect textLine(Margin, top, barWidth, fm.height());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(textLine, Qt::AlignLeft | Qt::AlignVCenter, slot.name);
        p.drawText(textLine, Qt::AlignRight | Qt::AlignVCenter, slot.numText);

        const QRect outline(Margin, top + fm.height() + 1, barWidth, BarHeight);
        // The shortest bar still shows as a sliver.
        p.fillRect(outline.x(), outline.y(), std::max(1, Px(slot.length)), BarHeight, BarColour);
        p.setPen(Qt::black);
        p.drawRect(outline.adjusted(0, 0, -1, -1));

        const QRect limits(Margin, outline.bottom() + 1, barWidth, fm.height());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(limits, Qt::AlignLeft | Qt::AlignVCenter, slot.minText);
        p.drawText(limits, Qt::AlignRight | Qt::AlignVCenter, slot.maxText);
    }
}

} // namespace Readouts
