#include "link/ReadingText.h"

#include "core/CoreState.h"
#include "core/WtsAFR.h"
#include "core/WtsCMScale.h"
#include "link/LinkState.h"
#include "platform/NumberRules.h"

#include <optional>

using NumberRules::Format;

namespace Readouts {

namespace {

QString Formatted(std::optional<double> value, const char* pattern, const char* unit = "") {
    if (!value)
        return {};
    return Format(*value, QString::fromLatin1(pattern)) + QString::fromLatin1(unit);
}

std::optional<double> Afr_Of(int lambdaRaw) {
    // The lookup may step its argument down to a filled entry: it gets a copy.
    int x = lambdaRaw;
    if (x < 0 || x > 256)
        return std::nullopt;
    return WtsAFR::Lookup_AFR(x);
}

std::optional<double> Widened(std::optional<float> v) {
    if (!v)
        return std::nullopt;
    return static_cast<double>(*v);
}

} // namespace

ReadingSet Current_Reading_Set() {
    return ReadingSet{Reading0,  Reading1,     Reading2,     Reading3,  Reading4,
                      CellValue, EnginePeriod, LambdaRaw,    LiveRpm,   LiveMapCell,
                      Reading11, LiveAmpCellB, LiveAmpCellA, AnalogIn1, AnalogIn2};
}

QString Conv_Input_to_readings(int id, const ReadingSet& s) {
    switch (id) {
    case 0:
        return Formatted(s.Reading0, "#.#0", " V");
    case 1:
        return Formatted(s.Reading1, "##0");
    case 2:
        return Formatted(s.Reading2, "#.#0", " V");
    case 3:
        return Formatted(static_cast<double>(s.Reading3) / 5.0 * 100.0, "##0", " %");
    case 4:
        return Formatted(s.Reading4, "##0");
    case 5:
        return Formatted(s.CellValue, "##0");
    case 6:
        return Formatted(static_cast<double>(s.EnginePeriod) * 0.0256, "##.#0", " ms");
    case 7:
        return Formatted(Afr_Of(s.LambdaRaw), "##.0");
    case 8:
        return Formatted(s.LambdaRaw / 204.0, "#.#0", " V");
    case 9:
        return Formatted(s.LiveRpm, "####0");
    case 10:
        return Formatted(s.LiveMapCell, "#0");
    case 11:
        return Formatted(s.Reading11, "#0");
    case 12:
        return Formatted(s.LiveAmpCellB, "#0");
    case 13:
        return Formatted(s.LiveAmpCellA, "#0");
    case 15:
        return Formatted(Widened(WtsCM::Conv_Byte_To_Volts_Temp(s.AnalogIn1)), "##0");
    case 16:
        return Formatted(Widened(WtsCM::Conv_Byte_To_Volts_Amp(s.AnalogIn2)), "##.#0");
    case 17:
        return Formatted(s.AnalogIn1 / 51.0, "#.#0");
    case 18:
        return Formatted(s.AnalogIn2 / 51.0, "#.#0");
    default: // 14 is a free row; anything else names no reading
        return {};
    }
}

QString Conv_Input_to_readings(int id) {
    return Conv_Input_to_readings(id, Current_Reading_Set());
}

double Reading_Number(const QString& text) {
    // The text carries at most two decimals: as read it shows back as it stands.
    return NumberRules::Val(text);
}

} // namespace Readouts
