#include "mainwin/BarIndicators.h"

#include "core/WtsDis.h"
#include "mainwin/Design.h"
#include "platform/NumberRules.h"
#include "platform/Step.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace Readouts {

namespace {

// The designed places of one slot's parts, in twips from the top of slot s.
constexpr int SlotPitch = 480;
constexpr int FirstSlot = 60;
constexpr int BarLeft = 700;
constexpr int BarHeight = 165;
// The whole set: the bar frame of the main window.
constexpr int SetWidth = 4140;
constexpr int SetHeight = 2980;

const QColor BarColour = Design::bgr(0xC00000);

} // namespace

std::optional<int> Bar_Length(double value, int min, int max) {
    if (max == min)
        return std::nullopt;
    // A hand-edited range may span more than an int holds (-2000000000 to
    // 2000000000): the span is taken in double.
    const double scale =
        static_cast<double>(BarFullLength) / (static_cast<double>(max) - static_cast<double>(min));
    const auto length = NumberRules::RoundEven((value - static_cast<double>(min)) * scale);
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
        // A locked unit's readings are not taken: the bar keeps its name and
        // range and shows no value.
        const bool withheld = Readings_Withheld();
        bars[row.barSlot - 1] = BarSlot{true,
                                        row.name,
                                        NumberRules::Str(NumberRules::Val(row.minText)),
                                        NumberRules::Str(NumberRules::Val(row.maxText)),
                                        withheld ? WtsDis::NoValue : NumberRules::Str(value),
                                        withheld ? 0 : *length};
    }
}

BarIndicators::BarIndicators(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void BarIndicators::Bar_Clear() {
    slots_ = {};
    update();
}

void BarIndicators::Bar_Draw(const std::vector<DisplayRow>& rows, const ReadingSet& set) {
    const BarSlots6 before = slots_;
    Readouts::Bar_Draw(slots_, rows, set);
    // Only the slots that changed are painted again: this runs on every live reply.
    for (int s = 0; s < BarSlots; ++s)
        if (!(slots_[s] == before[s]))
            update(Design::rect(0, FirstSlot + s * SlotPitch, SetWidth, SlotPitch));
}

QSize BarIndicators::sizeHint() const {
    return Design::rect(0, 0, SetWidth, SetHeight).size();
}

void BarIndicators::paintEvent(QPaintEvent* event) {
    Step::Run([&] {
        // Drawn over the frame it lies in, which shows through.
        QPainter p(this);
        const QFont font = p.font();
        QFont bold = font;
        bold.setBold(true);
        QFont small = font;
        small.setPointSizeF(7);
        const QColor text = palette().color(QPalette::WindowText);
        for (int s = 0; s < BarSlots; ++s) {
            const BarSlot& slot = slots_[s];
            if (!slot.visible)
                continue;
            const int top = FirstSlot + s * SlotPitch;
            if (!event->rect().intersects(Design::rect(0, top, SetWidth, SlotPitch)))
                continue;
            p.setPen(text);
            p.setFont(font);
            p.drawText(Design::rect(BarLeft, top, 1600, 210), Qt::AlignLeft | Qt::AlignVCenter,
                       slot.name);
            p.setFont(bold);
            p.drawText(Design::rect(2300, top, 575, 210), Qt::AlignRight | Qt::AlignVCenter,
                       slot.numText);
            p.setFont(small);
            p.drawText(Design::rect(60, top + 210, 600, 200), Qt::AlignRight | Qt::AlignVCenter,
                       slot.minText);
            p.drawText(Design::rect(2940, top + 210, 700, 200), Qt::AlignLeft | Qt::AlignVCenter,
                       slot.maxText);

            const QRect outline = Design::rect(BarLeft, top + 230, BarFullLength, BarHeight);
            p.fillRect(outline, Qt::white);
            // The shortest bar still shows as a sliver; a value withheld shows none.
            if (slot.numText != WtsDis::NoValue) {
                QRect bar = Design::rect(BarLeft, top + 230, slot.length, BarHeight);
                bar.setWidth(std::max(1, bar.width()));
                p.fillRect(bar, BarColour);
            }
            p.setPen(Qt::black);
            p.drawRect(outline.adjusted(0, 0, -1, -1));
        }
    });
}

} // namespace Readouts
