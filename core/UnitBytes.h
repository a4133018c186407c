#pragma once

#include <optional>

// How the conversions read unit bytes: signed bytes, ignition degrees and the
// two-byte timer periods of the RPM break points.
namespace UnitBytes {

// 0..127 stand for themselves, 128..255 for -128..-1.
constexpr int Signed(int byte) {
    return byte < 128 ? byte : byte - 256;
}

// The one usable cylinder count: the cylinders byte (image address 145) when it
// is a count the unit takes (1..12), else 4. Reads only: the byte stays as it
// is; code that stores a corrected byte does so itself, where it says so.
int Usable_Cylinders();

// Ignition degrees of a signed byte: s / cylinders x 360 / 256 (double precision).
double Degrees(int signedByte);
// The same at a cylinder count that is not (yet) the image's.
double Degrees(int signedByte, int cylinders);

// Ignition degrees rounded to a whole number, halves to even.
int Whole_Degrees(int signedByte);

// The signed byte count of an angle: degrees x cylinders x 256 / 360 rounded to
// the nearest whole number (halves to even), in full precision; the caller limits
// it to the range it stores.
long long Signed_Of_Degrees(double degrees);
long long Signed_Of_Degrees(double degrees, int cylinders);

// The timer period held high byte first at two parameter addresses, when it is a
// usable 15-bit period (1..32767); a period of 0 or one with a high byte of 128 or
// more gives no value.
std::optional<int> Period_At(int highIndex, int lowIndex);

// The period of RPM break point n (0..15).
std::optional<int> Break_Point_Period(int n);

// TimerClock / cylinders / period in single precision.
float Rpm_Of_Period(int period);
float Rpm_Of_Period(int period, int cylinders);

// The timer period of an RPM: TimerClock / usable cylinders / rpm in single
// precision, rounded (halves to even) and held within a usable 15-bit period
// (1..32767); an RPM of 0 or less gives the longest period.
int Period_Of_Rpm(double rpm);
// The same period unclamped: none when the RPM has no usable period.
std::optional<int> Usable_Period_Of_Rpm(double rpm);
std::optional<int> Usable_Period_Of_Rpm(double rpm, int cylinders);

// Writes a period (1..32767) into its two bytes, high byte first.
void Store_Period(int highIndex, int lowIndex, int period);

} // namespace UnitBytes
