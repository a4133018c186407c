#include "view3d/Tune3D.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
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

int Stepped_Byte(const MapKindInfo& kind, int byte, int editKey) {
    const bool lower = Lowers(editKey);
    switch (kind.map) {
    case MapWrite::Map::Analog:
        return std::clamp(UnitBytes::Signed(byte) + (lower ? -2 : 2), -127, 127) & 0xFF;
    case MapWrite::Map::Injection:
        if (lower)
            return byte > 0 ? std::max(byte - 2, 0) : byte;
        return byte < 255 ? std::min(byte + 2, 255) : byte;
    default:
        // Held within -128..127 first, then within the advance and retard
        // limits, as the grid's entry holds it: a step never wraps to the other side.
        return CellEntry::Limit_Ignition(UnitBytes::Signed(byte) + (lower ? -1 : 2));
    }
}

int To_Point_Byte(const MapKindInfo& kind, int cursorByte) {
    switch (kind.map) {
    case MapWrite::Map::Analog:
        return cursorByte;
    case MapWrite::Map::Injection:
        return std::clamp(cursorByte, 0, 255);
    default:
        return CellEntry::Limit_Ignition(UnitBytes::Signed(cursorByte));
    }
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
    result.verdict = SendRule::Admit_Edit();
    if (SendRule::Refuses(result.verdict)) {
        result.refusal = SendRule::Notice(result.verdict);
        return result;
    }
    const MapWrite::Place& place = MapWrite::Place_Of(kind.map);
    ImageTable& table = place.page == 5 ? Map5Image : Map6Image;
    const int cursor = CurCol * 16 + CurRow;
    const bool toPoint = mode == AdjustMode::RowToPoint || mode == AdjustMode::ColumnToPoint;
    const int pointByte = To_Point_Byte(kind, table[place.base + cursor]);

    struct Change {
        int cell;
        int byte;
        std::int16_t before;
    };
    std::vector<Change> changes;
    for (int cell : Cells_Of(mode, CurRow, CurCol)) {
        const std::int16_t before = table[place.base + cell];
        changes.push_back(
            {cell, toPoint ? pointByte : Stepped_Byte(kind, before, editKey), before});
    }
    for (const Change& c : changes) {
        const MapWrite::Written written = MapWrite::Write_Cell(kind.map, c.cell, c.byte);
        if (!written.ok()) {
            // All or nothing: what was written of this edit goes back.
            for (const Change& back : changes)
                table[place.base + back.cell] = back.before;
            result.frames.clear();
            result.refusal = written.refusal->text;
            SendRule::Tell(result.refusal);
            return result;
        }
        result.frames.push_back(written.frame);
    }
    result.changed = true;
    if (result.frames.size() == 1)
        SendRule::Send_Edit(result.verdict, result.frames.front());
    else
        SendRule::Send_Edits(result.verdict, result.frames);
    return result;
}

} // namespace View3D
