#include "core/WtsAFR.h"

#include "core/CoreState.h"
#include "platform/KvrError.h"

#include <utility>

namespace WtsAFR {

namespace {
// Lambda byte and ratio of each calibrated point of the sensor.
constexpr std::pair<int, float> AfrPoints[] = {
    {0, 26.4f},   {1, 23.8f},   {2, 21.2f},   {3, 18.0f},   {4, 17.5f},   {5, 17.1f},
    {6, 16.6f},   {7, 16.1f},   {8, 15.7f},   {9, 15.2f},   {10, 15.1f},  {11, 15.0f},
    {17, 14.9f},  {30, 14.8f},  {75, 14.7f},  {116, 14.6f}, {160, 14.5f}, {165, 14.4f},
    {172, 14.3f}, {176, 14.2f}, {180, 14.1f}, {181, 14.0f}, {182, 13.8f}, {183, 13.7f},
    {185, 13.5f}, {186, 13.3f}, {187, 13.1f}, {188, 13.0f}, {189, 12.8f}, {190, 12.6f},
    {191, 12.5f}, {192, 12.3f}, {193, 12.1f}, {194, 11.9f}, {195, 11.8f}, {196, 11.6f},
};

// Share of the range between the first and last deflection points, by point.
constexpr float DeflectWeights[] = {0.0f, 0.04f, 0.1f, 0.2f, 0.34f, 0.48f, 0.7f, 1.0f};
} // namespace

void Init_AFR_Tables() {
    AfrTable.fill(0.0f);
    for (const auto& [index, ratio] : AfrPoints)
        AfrTable[index] = ratio;
    AfrTable2.fill(0.0f);
    for (int i = 0; i < 8; ++i)
        AfrTable2[i] = DeflectWeights[i];
}

float Lookup_AFR(int& x) {
    if (x < 0 || x >= static_cast<int>(AfrTable.size()))
        throw KvrError(KvrError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range (%1)").arg(x));
    while (x > 0 && AfrTable[x] == 0.0f)
        --x;
    return AfrTable[x];
}

} // namespace WtsAFR
