#pragma once

#include "mainwin/Readings.h"

#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

namespace Readouts {

// Full length of a bar and the shortest bar drawn, in twips.
inline constexpr int BarFullLength = 2175;
inline constexpr int BarShortest = 5;
inline constexpr int BarSlots = 6;

// The length in twips of a bar for value between min and max: (value - min) x
// 2175 / (max - min), rounded (halves to even) and kept within 5..2175. None when
// min equals max (the range has no span).
std::optional<int> Bar_Length(double value, int min, int max);

// One bar indicator: name, range limits, value and bar.
struct BarSlot {
    bool visible = false;
    QString name;    // lblVarName
    QString minText; // lblVarMin
    QString maxText; // lblVarMax
    QString numText; // lblVarNum: the value, plain; WtsDis::NoValue when withheld
    int length = 0;  // ImgVarPos width, twips; 0 (no bar) when withheld
    bool operator==(const BarSlot&) const = default;
};
using BarSlots6 = std::array<BarSlot, BarSlots>;

// Bar_Draw on slots: each row with a bar slot 1..6 shows its bar; slots of no such
// row stay as they are. A row whose range has no span, or whose slot does not exist,
// is left out. While the readings are withheld (Readings_Withheld) a bar shows its
// name and range, WtsDis::NoValue and no bar.
void Bar_Draw(BarSlots6& bars, const std::vector<DisplayRow>& rows, const ReadingSet& set);

// The six bar indicators, drawn in one widget: for each shown slot its name and value
// above an outlined bar with the range limits at its ends.
class BarIndicators : public QWidget {
    Q_OBJECT
public:
    explicit BarIndicators(QWidget* parent = nullptr);

    // Hides every slot.
    void Bar_Clear();
    // Shows and sizes the bars of the rows given (see Readouts::Bar_Draw).
    void Bar_Draw(const std::vector<DisplayRow>& rows, const ReadingSet& set);

    const BarSlots6& bars() const { return slots_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarSlots6 slots_;
};

} // namespace Readouts
