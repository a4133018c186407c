#include "core/UnitBytes.h"

#include "core/CoreState.h"
#include "core/ParamOffsets.h"
#include "platform/NumberRules.h"

namespace UnitBytes {

double Degrees(int signedByte) {
    return Degrees(signedByte, WtsGeneral::Cylinders());
}

double Degrees(int signedByte, int cylinders) {
    return static_cast<double>(signedByte) / cylinders * 360.0 / 256.0;
}

int Whole_Degrees(int signedByte) {
    return static_cast<int>(NumberRules::RoundEven(Degrees(signedByte)));
}

long long Signed_Of_Degrees(double degrees) {
    return Signed_Of_Degrees(degrees, WtsGeneral::Cylinders());
}

long long Signed_Of_Degrees(double degrees, int cylinders) {
    return NumberRules::RoundEven(degrees * cylinders * 256.0 / 360.0);
}

std::optional<int> Period_At(int highIndex, int lowIndex) {
    const int period = ParamBlock[highIndex] * 256 + ParamBlock[lowIndex];
    if (period < 1 || period > 32767)
        return std::nullopt;
    return period;
}

std::optional<int> Break_Point_Period(int n) {
    return Period_At(Idx_RpmScale + 2 * n, Idx_RpmScale + 2 * n + 1);
}

float Rpm_Of_Period(int period) {
    return Rpm_Of_Period(period, WtsGeneral::Cylinders());
}

float Rpm_Of_Period(int period, int cylinders) {
    return TimerClock / static_cast<float>(cylinders) / static_cast<float>(period);
}

void Store_Period(int highIndex, int lowIndex, int period) {
    ParamBlock[highIndex] = static_cast<std::int16_t>(period / 256);
    ParamBlock[lowIndex] = static_cast<std::int16_t>(period % 256);
}

} // namespace UnitBytes
