#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// How numbers are read from texts and turned into texts, everywhere in the program.
namespace NumberRules {

// The leading number of a text: leading blanks skipped, an optional sign, digits,
// one decimal point and an optional exponent; reading stops at the first character
// that cannot continue the number; no number gives 0 ("OFF" reads 0, " 12.5x" 12.5).
double Val(const QString& text);

// The leading number of a text by the same reading, or none when the text does
// not start with one (after its blanks): "OFF" and "%50" give none, " 12.5x" 12.5.
std::optional<double> Leading_Number(const QString& text);

// Rounds to the nearest whole number, halves to the even neighbour (312.5 -> 312,
// 3.5 -> 4). Values beyond the 64-bit range saturate.
std::int64_t RoundEven(double value);

// Drops the fraction toward zero (Fix): 2.7 -> 2, -2.7 -> -2.
std::int64_t Fix(double value);

// Rounds to the given number of decimals, halves away from zero.
double RoundAway(double value, int decimals);

// Formats a number through a pattern: "#" an optional digit, "0" a required digit,
// "." the decimal point, any other character copied. The value is rounded to the
// pattern's decimals with halves away from zero. A pattern with a decimal point
// always writes the point, also when no decimal follows it (50 through "#0.#"
// gives "50.", 12.5 gives "12.5"). Patterns in use: "##0", "#.#0",
// "##.0", "####0", "#0.00", "##.#0", "0.#0", "#0.#", "##/##/####", "##:##".
QString Format(double value, const QString& pattern);

// A number as plain decimal text with no leading blank ("12", "-3", "0.5").
QString Str(double value);

} // namespace NumberRules
