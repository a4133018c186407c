#include "mainwin/Readings.h"

#include "core/CoreState.h"
#include "core/WtsDis.h"
#include "link/LinkState.h"
#include "platform/NumberRules.h"

#include <algorithm>
#include <limits>

namespace Readouts {

namespace {

// The display table's own size: its row count in (0, 0) is never trusted beyond it.
constexpr int TableRows = 27;

// A number of a hand-edited table as an int: beyond the int range it stays at
// the nearest end instead of wrapping round to the other sign.
int Whole(const QString& text) {
    return static_cast<int>(std::clamp<std::int64_t>(NumberRules::RoundEven(NumberRules::Val(text)),
                                                     std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

std::vector<DisplayRow> Offered_Rows() {
    std::vector<DisplayRow> rows;
    const auto last = std::min<std::int64_t>(
        NumberRules::RoundEven(NumberRules::Val(DisplaySetTable[0][0])), TableRows - 1);
    for (int i = 0; i <= last; ++i) {
        if (NumberRules::Val(DisplayFuncTable[i][3]) != 1)
            continue;
        const auto& r = DisplaySetTable[i];
        // A row whose id names no reading has nothing to show (the display file's
        // reader has named it).
        if (const double id = NumberRules::Val(r[1]); id < 0 || id > LastReadingId)
            continue;
        rows.push_back(DisplayRow{i, Whole(r[1]), Whole(r[2]), Whole(r[3]), r[5], r[6], r[7],
                                  Whole(r[6]), Whole(r[7]), NumberRules::Val(r[8])});
    }
    return rows;
}

TextReadouts Text_Values(const std::vector<DisplayRow>& rows, const ReadingSet& set) {
    TextReadouts readouts;
    for (const DisplayRow& row : rows) {
        if (row.textSlot < 1 || row.textSlot > TextSlots)
            continue;
        readouts[row.textSlot - 1] = TextReadout{
            true, row.name,
            Readings_Withheld() ? WtsDis::NoValue : Conv_Input_to_readings(row.id, set)};
    }
    return readouts;
}

bool Readings_Withheld() {
    return UnitLocked == 1 && OnlineState != OnlineStates::Offline;
}

} // namespace Readouts
