#pragma once

#include <QString>

// The live readings as texts: one conversion from a reading id (0..18) and the
// reading set to the display text, which the main window shows and the text log
// takes its numbers from.
namespace Readouts {

// The values of one live reply that the readings are made from.
struct ReadingSet {
    float Reading0 = 0;
    int Reading1 = 0;
    float Reading2 = 0;
    float Reading3 = 0;
    int Reading4 = 0;
    int CellValue = 0;
    float EnginePeriod = 0;
    int LambdaRaw = 0;
    int LiveRpm = 0;
    int LiveMapCell = 0;
    int Reading11 = 0;
    int LiveAmpCellB = 0;
    int LiveAmpCellA = 0;
    int AnalogIn1 = 0;
    int AnalogIn2 = 0;
};

// The reading set as the receive handler left it.
ReadingSet Current_Reading_Set();

// The display text of reading id: the value through its pattern with its unit text.
// Empty for id 14, for ids outside 0..18 and where the value cannot be worked out
// (an input conversion without a scale, a lambda byte outside the table).
QString Conv_Input_to_readings(int id, const ReadingSet& set);
QString Conv_Input_to_readings(int id);

// The number a bar or a trace takes from a reading's text: its leading number.
double Reading_Number(const QString& text);

} // namespace Readouts
