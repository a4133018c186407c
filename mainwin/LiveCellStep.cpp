#include "mainwin/LiveCellStep.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "link/Edit.h"
#include "link/LinkState.h"
#include "link/MapWrite.h"
#include "link/SendRule.h"
#include "mainwin/CellEntry.h"
#include "mainwin/MapCellText.h"

namespace WtsGeneral {

std::function<void(int tab, int cell, const QString& text)> ShowSteppedCell;

namespace {

struct StepMap {
    int tab;
    MapWrite::Map map;
};

StepMap Analog() {
    return {1, MapWrite::Map::Analog};
}
StepMap Inject() {
    return {2, MapWrite::Map::Injection};
}
StepMap Ignition() {
    return {3, MapWrite::Map::Ignition};
}

// Steps the live cell of a map with newByte(old byte); a step that gives no
// byte is refused and nothing at all happens. A step needs the unit on-line,
// polling and not locked (the send rule), and a live cell that names a grid
// box; otherwise nothing changes, and a refusal of the send rule is told.
// Returns what a limit held, as told; empty when nothing held the step.
template <class Step> QString Step_Cell(const StepMap& map, Step newByte) {
    const SendRule::Verdict verdict = SendRule::May_Send();
    if (verdict != SendRule::Verdict::Send) {
        // Off-line there is no live cell to step: the engine is not read.
        SendRule::Tell(verdict == SendRule::Verdict::ImageOnly ? OffLineStepNotice
                                                               : SendRule::Notice(verdict));
        return QString();
    }
    if (!Has_Live_Cell())
        return QString();
    const int cell = LiveMapCell;
    const MapWrite::Place& place = MapWrite::Place_Of(map.map);
    const ImageTable& table = place.page == 5 ? Map5Image : Map6Image;
    const int address = place.base + cell;
    const std::optional<CellEntry::HeldIgnition> next = newByte(static_cast<int>(table[address]));
    if (!next)
        return QString();
    const QString before = MapCellText::Cell(map.tab, address);
    Edit edit;
    const EditOutcome written = edit.Cell(map.map, cell, next->byte).Make();
    if (!written.made()) {
        SendRule::Tell(written.refusal);
        return QString();
    }
    // A step a limit held is told with the limit.
    const QString held = CellEntry::Held_Notice(before, *next);
    if (!held.isEmpty())
        SendRule::Tell(held);
    const QString text = MapCellText::Cell(map.tab, address);
    if (ShowSteppedCell)
        ShowSteppedCell(map.tab, cell, text);
    return held;
}

// A step that no limit holds.
std::optional<CellEntry::HeldIgnition> Free(std::optional<int> byte) {
    if (!byte)
        return std::nullopt;
    return CellEntry::HeldIgnition{*byte, CellEntry::HeldBy::Nothing};
}

std::optional<int> Analog_Step(int byte, int by) {
    const int next = UnitBytes::Signed(byte) + by;
    if (next > 127 || next < -127)
        return std::nullopt;
    return next & 0xFF;
}

// An ignition step by one count, held by the limits; what held it, as told.
QString Ign_Step(int by) {
    return Step_Cell(Ignition(), [by](int b) {
        return std::optional(CellEntry::Hold_Edit(b, UnitBytes::Signed(b) + by));
    });
}

} // namespace

void Step_Analog_Cell_Up() {
    Step_Cell(Analog(), [](int b) { return Free(Analog_Step(b, 1)); });
}
void Step_Analog_Cell_Down() {
    Step_Cell(Analog(), [](int b) { return Free(Analog_Step(b, -1)); });
}
void Step_Inject_Cell_Up() {
    Step_Cell(Inject(), [](int b) { return Free(b < 255 ? b + 1 : b); });
}
void Step_Inject_Cell_Down() {
    Step_Cell(Inject(), [](int b) { return Free(b > 0 ? b - 1 : b); });
}
void Step_Ign_Cell_Up() {
    Ign_Step(1);
}
void Step_Ign_Cell_Down() {
    Ign_Step(-1);
}

QString Step_Live_Cell(int key) {
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
        return Ign_Step(1);
    case 9:
        return Ign_Step(-1);
    default:
        break;
    }
    return QString();
}

} // namespace WtsGeneral
