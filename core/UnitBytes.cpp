#include "core/UnitBytes.h"

#include "core/CoreState.h"
#include "platform/NumberRules.h"

#include <algorithm>
#include <cstdint>

namespace UnitBytes {

int Usable_Cylinders() {
    const int byte = ParamBlock[Idx_Cylinders];
    return byte >= 1 && byte <= 12 ? byte : 4;
}

double Degrees(int signedByte) {
    return Degrees(signedByte, Usable_Cylinders());
}

double Degrees(int signedByte, int cylinders) {
    return static_cast<double>(signedByte) / cylinders * 360.0 / 256.0;
}

int Whole_Degrees(int signedByte) {
    return static_cast<int>(NumberRules::RoundEven(Degrees(signedByte)));
}

long long Signed_Of_Degrees(double degrees) {
    return Signed_Of_Degrees(degrees, Usable_Cylinders());
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
    return Rpm_Of_Period(period, Usable_Cylinders());
}

float Rpm_Of_Period(int period, int cylinders) {
    return TimerClock / static_cast<float>(cylinders) / static_cast<float>(period);
}

namespace {
std::int64_t Whole_Period(double rpm, int cylinders) {
    const float period = TimerClock / static_cast<float>(cylinders) / static_cast<float>(rpm);
    return NumberRules::RoundEven(period);
}
std::int64_t Whole_Period(double rpm) {
    return Whole_Period(rpm, Usable_Cylinders());
}
} // namespace

int Period_Of_Rpm(double rpm) {
    if (!(rpm > 0.0))
        return 32767;
    return static_cast<int>(std::clamp<std::int64_t>(Whole_Period(rpm), 1, 32767));
}

std::optional<int> Usable_Period_Of_Rpm(double rpm) {
    return Usable_Period_Of_Rpm(rpm, Usable_Cylinders());
}

std::optional<int> Usable_Period_Of_Rpm(double rpm, int cylinders) {
    if (!(rpm > 0.0))
        return std::nullopt;
    const std::int64_t whole = Whole_Period(rpm, cylinders);
    if (whole < 1 || whole > 32767)
        return std::nullopt;
    return static_cast<int>(whole);
}

void Store_Period(int highIndex, int lowIndex, int period) {
    ParamBlock[highIndex] = static_cast<std::int16_t>(period / 256);
    ParamBlock[lowIndex] = static_cast<std::int16_t>(period % 256);
}

} // namespace UnitBytes
