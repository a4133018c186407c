#include "view3d/Tune3D.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "core/WtsDis.h"
#include "link/Edit.h"
#include "link/MapWrite.h"
#include "mainwin/CellEntry.h"
#include "view3d/View3dState.h"

#include <algorithm>
#include <cstdlib>

namespace View3D {

bool Is_Edit_Key(int code) {
    return code == 33 || code == 105 || code == 107 || code == 34 || code == 99 || code == 109;
}

bool Lowers(int editKey) {
    return editKey == 34 || editKey == 99 || editKey == 109;
}

void Clamp_Cursor() {
    CurCol = std::clamp(CurCol, 0, 7);
    CurRow = std::clamp(CurRow, 0, 15);
}

void Cursor_Key(int code) {
    switch (code) {
    case CellEntry::KeyUp:
        ++CurRow;
        break;
    case CellEntry::KeyDown:
        --CurRow;
        break;
    case CellEntry::KeyLeft:
        --CurCol;
        break;
    case CellEntry::KeyRight:
        ++CurCol;
        break;
    default:
        break;
    }
    Clamp_Cursor();
}

bool Cursor_Char(QChar c) {
    const QChar u = c.toUpper();
    if (u == QLatin1Char('8') || u == QLatin1Char('W') || u == QLatin1Char('E'))
        ++CurRow;
    else if (u == QLatin1Char('2') || u == QLatin1Char('Z') || u == QLatin1Char('X'))
        --CurRow;
    else if (u == QLatin1Char('4') || u == QLatin1Char('A'))
        --CurCol;
    else if (u == QLatin1Char('6') || u == QLatin1Char('D'))
        ++CurCol;
    else
        return false;
    Clamp_Cursor();
    return true;
}

bool Fined_point() {
    Clamp_Cursor();
    const auto squared = [](int row, int column) {
        const long long dx = MouseX - NodeX[row][column];
        const long long dy = MouseY - NodeY[row][column];
        return dx * dx + dy * dy;
    };
    constexpr long long reach = static_cast<long long>(PickRadius) * 15;
    long long best = squared(CurRow, CurCol);
    int row = CurRow;
    int column = CurCol;
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 8; ++j)
            if (squared(i, j) < best) {
                best = squared(i, j);
                row = i;
                column = j;
            }
    if (best > reach * reach)
        return false;
    CurRow = row;
    CurCol = column;
    return true;
}

std::array<QLine, 2> Level_Lines(AdjustMode mode) {
    const int r = CurRow;
    const int c = CurCol;
    const int x = NodeX[r][c];
    const int y = NodeY[r][c];
    if (mode == AdjustMode::RowToPoint)
        return {QLine(x, y, NodeX[r][0], y + c * ColStepY),
                QLine(x, y, NodeX[r][7], y - (7 - c) * ColStepY)};
    return {QLine(x, y, x + (15 - r) * RowStepX, y - (15 - r) * RowStepY),
            QLine(x, y, x - r * RowStepX, y + r * RowStepY)};
}

namespace {

// The new byte of one cell with what held it: an ignition cell by the grid's
// own rule (CellEntry::Hold_Edit), the other kinds within their ranges.
CellEntry::HeldIgnition New_Byte(const MapKindInfo& kind, int byte, bool toPoint, int cursorByte,
                                 int editKey) {
    const bool lower = Lowers(editKey);
    switch (kind.map) {
    case MapWrite::Map::Analog:
        if (toPoint)
            return {cursorByte};
        return {std::clamp(UnitBytes::Signed(byte) + (lower ? -2 : 2), -127, 127) & 0xFF};
    case MapWrite::Map::Injection:
        if (toPoint)
            return {std::clamp(cursorByte, 0, 255)};
        if (lower)
            return {byte > 0 ? std::max(byte - 2, 0) : byte};
        return {byte < 255 ? std::min(byte + 2, 255) : byte};
    default:
        return CellEntry::Hold_Edit(byte, toPoint ? UnitBytes::Signed(cursorByte)
                                                  : UnitBytes::Signed(byte) + (lower ? -1 : 2));
    }
}

} // namespace

int Stepped_Byte(const MapKindInfo& kind, int byte, int editKey) {
    return New_Byte(kind, byte, false, 0, editKey).byte;
}

int To_Point_Byte(const MapKindInfo& kind, int byte, int cursorByte) {
    return New_Byte(kind, byte, true, cursorByte, 0).byte;
}

std::vector<int> Cells_Of(AdjustMode mode, int row, int column) {
    std::vector<int> cells;
    for (int w = 0; w < 8; ++w)
        for (int j = 0; j < 16; ++j) {
            const bool in = mode == AdjustMode::PointOnly ? j == row && w == column
                            : mode == AdjustMode::RowStepped || mode == AdjustMode::RowToPoint
                                ? j == row
                                : w == column;
            if (in)
                cells.push_back(w * 16 + j);
        }
    return cells;
}

EditResult Tune_Graph(const MapKindInfo& kind, AdjustMode mode, int editKey) {
    EditResult result;
    Edit edit;
    result.verdict = edit.Verdict();
    if (edit.Refused()) {
        result.refusal = SendRule::Notice(result.verdict);
        return result;
    }
    const MapWrite::Place& place = MapWrite::Place_Of(kind.map);
    ImageTable& table = place.page == 5 ? Map5Image : Map6Image;
    const int cursor = CurCol * 16 + CurRow;
    const bool toPoint = mode == AdjustMode::RowToPoint || mode == AdjustMode::ColumnToPoint;
    const int cursorByte = table[place.base + cursor];

    // What a limit held, told as the grid tells it: the cursor cell's, else the first.
    QString held;
    for (int cell : Cells_Of(mode, CurRow, CurCol)) {
        const std::int16_t before = table[place.base + cell];
        const CellEntry::HeldIgnition next = New_Byte(kind, before, toPoint, cursorByte, editKey);
        const QString told = CellEntry::Held_Notice(
            WtsDis::Fmt_Int(UnitBytes::Degrees(UnitBytes::Signed(before))), next);
        if (!told.isEmpty() && (held.isEmpty() || cell == cursor))
            held = told;
        edit.Cell(kind.map, cell, next.byte);
    }
    const EditOutcome written = edit.Make();
    if (!written.made()) {
        result.refusal = written.refusal;
        SendRule::Tell(result.refusal);
        return result;
    }
    result.changed = true;
    result.frames = written.written;
    if (!held.isEmpty())
        SendRule::Tell(held);
    result.held = held;
    return result;
}

} // namespace View3D
