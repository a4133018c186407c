#include "view3d/Geometry3D.h"

#include "mainwin/MapCellText.h"
#include "platform/NumberRules.h"
#include "view3d/View3dState.h"

#include <algorithm>
#include <cstdlib>

namespace View3D {

namespace {

const std::array<MapKindInfo, 3>& Kind_Table() {
    static const std::array<MapKindInfo, 3> table{{
        {QStringLiteral("Analog:"), QStringLiteral("Fuel"), 1, MapWrite::Map::Analog,
         QStringLiteral("Analog value at the pointer : ")},
        {QStringLiteral("Injection:"), QStringLiteral("Injection"), 2, MapWrite::Map::Injection,
         QStringLiteral("Injection value at the pointer : ")},
        {QStringLiteral("Ignition:"), QStringLiteral("Ignition"), 3, MapWrite::Map::Ignition,
         QStringLiteral("Ignition value at the pointer : ")},
    }};
    return table;
}

// One colour channel of the gradient at step count `steps` from its start.
int Channel(int start, int end, int steps) {
    const int k =
        start == end ? 0 : static_cast<int>(NumberRules::RoundEven(std::abs(end - start) / 16.0));
    if (end > start)
        return start + steps * k;
    if (end < start)
        return start - steps * k;
    return start;
}

} // namespace

const MapKindInfo* Kind_Of(const QString& mapKind) {
    for (const MapKindInfo& k : Kind_Table())
        if (k.kind == mapKind)
            return &k;
    return nullptr;
}

int Display_Value(const MapKindInfo& kind, int offset) {
    const MapWrite::Place& place = MapWrite::Place_Of(kind.map);
    return static_cast<int>(NumberRules::Val(MapCellText::Cell(kind.tab, place.base + offset)));
}

std::int16_t Col_Step_Of(int sliderValue) {
    return static_cast<std::int16_t>(NumberRules::RoundEven(sliderValue / 8.0));
}

std::int16_t Row_Step_Of(int twist) {
    return static_cast<std::int16_t>(NumberRules::RoundEven((twist + 1000) / 16.0));
}

void Place_Nodes(const SliderValues& sliders, const QString& mapKind) {
    GradStartR = 16;
    GradStartG = 34;
    GradStartB = 125;
    GradEndR = 98;
    GradEndG = 120;
    GradEndB = 228;

    if (Amplitude == 0)
        Amplitude = static_cast<std::int16_t>(sliders.amplitude);
    const int h = sliders.height;
    if (ColStepX == 0)
        ColStepX = Col_Step_Of(sliders.width);
    const int t = sliders.twist;
    if (RowStepX == 0)
        RowStepX = static_cast<std::int16_t>(sliders.moveTop);
    if (ColStepY == 0)
        ColStepY = static_cast<std::int16_t>(sliders.moveBottom);

    const int y0 = (t + 1000) + h;
    RowStepY = Row_Step_Of(t);
    for (int i = 0; i < 16; ++i) {
        for (int w = 0; w <= 8; ++w) {
            NodeX[i][w] = 300 + i * RowStepX + w * ColStepX;
            NodeY[i][w] = y0 - i * RowStepY - w * ColStepY;
        }
    }
    const MapKindInfo* kind = Kind_Of(mapKind);
    if (kind == nullptr)
        return;
    for (int w = 0; w < 8; ++w)
        for (int j = 0; j < 16; ++j)
            NodeY[j][w] -= Amplitude * Display_Value(*kind, w * 16 + j);
}

Segment Wire_Segment(int n) {
    if (n < 112) {
        const int row = n / 7;
        const int w = n % 7;
        return {row, w, row, w + 1};
    }
    const int column = (n - 112) / 15;
    const int j = (n - 112) % 15;
    return {j, column, j + 1, column};
}

QLine Line_Of(const Segment& s) {
    return QLine(NodeX[s.fromRow][s.fromCol], NodeY[s.fromRow][s.fromCol], NodeX[s.toRow][s.toCol],
                 NodeY[s.toRow][s.toCol]);
}

QColor Wire_Colour(int n) {
    // A row's lines take one step of the gradient per row, a column's two per column.
    const int steps = n < 112 ? n / 7 : 2 * ((n - 112) / 15);
    return QColor(std::clamp(Channel(GradStartR, GradEndR, steps), 0, 255),
                  std::clamp(Channel(GradStartG, GradEndG, steps), 0, 255),
                  std::clamp(Channel(GradStartB, GradEndB, steps), 0, 255));
}

LabelPlace Label_Place(int i) {
    if (i == 0)
        return {NodeX[0][0] - 200, NodeY[0][0] - 190, 480, 200, false};
    if (i < 16)
        return {NodeX[i][0] - 500, NodeY[i][0] - 180, 480, 200, false};
    if (i == 16)
        return {NodeX[0][0] - 200, NodeY[0][0] + 10, 480, 200, false};
    if (i < 24)
        return {NodeX[0][i - 16] - 220, NodeY[0][i - 16] + 100, 480, 200, false};
    if (i == 24)
        return {NodeX[8][0] - 1250, NodeY[8][0] - 90, 550, 240, true};
    return {NodeX[0][4] - 1000, NodeY[0][4] + 200, 650, 240, true};
}

std::vector<Segment> Cross(int row, int column) {
    std::vector<Segment> arms;
    if (column < 7)
        arms.push_back({row, column, row, column + 1});
    if (column > 0)
        arms.push_back({row, column, row, column - 1});
    if (row < 15)
        arms.push_back({row, column, row + 1, column});
    if (row >= 1)
        arms.push_back({row, column, row - 1, column});
    return arms;
}

} // namespace View3D
