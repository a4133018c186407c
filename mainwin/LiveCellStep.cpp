#include "mainwin/LiveCellStep.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "link/LinkState.h"
#include "link/SendPath.h"
#include "link/WtsUp.h"
#include "mainwin/CellEntry.h"
#include "mainwin/MapCellText.h"

namespace WtsGeneral {

std::function<void(int tab, int cell, const QString& text)> ShowSteppedCell;

namespace {

struct StepMap {
    int tab;
    ImageTable& table;
    int base;
    QByteArray (*build)(int address);
};

StepMap Analog() {
    return {1, Map5Image, Idx_AnaMap, WtsUp::Build_Analog_Cell_Frame};
}
StepMap Inject() {
    return {2, Map6Image, Idx_InjMap, WtsUp::Build_Inject_Cell_Frame};
}
StepMap Ignition() {
    return {3, Map5Image, Idx_IgnMap, WtsUp::Build_Ign_Cell_Frame};
}

// Steps the live cell of a map with newByte(old byte); a step that gives no
// byte is refused and nothing at all happens. A live cell that names no grid
// box steps nothing.
template <class Step> void Step_Cell(const StepMap& map, Step newByte) {
    if (!Has_Live_Cell())
        return;
    const int cell = LiveMapCell;
    const int address = map.base + cell;
    const std::optional<int> next = newByte(static_cast<int>(map.table[address]));
    if (!next)
        return;
    map.table[address] = static_cast<std::int16_t>(*next);
    SendPath::Queue_Command(map.build(address));
    const QString text = MapCellText::Cell(map.tab, address);
    if (ShowSteppedCell)
        ShowSteppedCell(map.tab, cell, text);
}

std::optional<int> Analog_Step(int byte, int by) {
    const int next = UnitBytes::Signed(byte) + by;
    if (next > 127 || next < -127)
        return std::nullopt;
    return next & 0xFF;
}

} // namespace

void Step_Analog_Cell_Up() {
    Step_Cell(Analog(), [](int b) { return Analog_Step(b, 1); });
}
void Step_Analog_Cell_Down() {
    Step_Cell(Analog(), [](int b) { return Analog_Step(b, -1); });
}
void Step_Inject_Cell_Up() {
    Step_Cell(Inject(), [](int b) { return std::optional<int>(b < 255 ? b + 1 : b); });
}
void Step_Inject_Cell_Down() {
    Step_Cell(Inject(), [](int b) { return std::optional<int>(b > 0 ? b - 1 : b); });
}
void Step_Ign_Cell_Up() {
    Step_Cell(Ignition(), [](int b) {
        return std::optional<int>(CellEntry::Limit_Ignition(UnitBytes::Signed(b) + 1));
    });
}
void Step_Ign_Cell_Down() {
    Step_Cell(Ignition(), [](int b) {
        return std::optional<int>(CellEntry::Limit_Ignition(UnitBytes::Signed(b) - 1));
    });
}

void Step_Live_Cell(int key) {
    if (UnitOnline != 1)
        return;
    switch (key) {
    case 4:
        Step_Analog_Cell_Up();
        break;
    case 5:
        Step_Analog_Cell_Down();
        break;
    case 6:
        Step_Inject_Cell_Up();
        break;
    case 7:
        Step_Inject_Cell_Down();
        break;
    case 8:
        Step_Ign_Cell_Up();
        break;
    case 9:
        Step_Ign_Cell_Down();
        break;
    default:
        break;
    }
}

} // namespace WtsGeneral
