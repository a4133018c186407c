#pragma once

#include <QString>
#include <array>
#include <vector>

// The live readings as the main window shows them: one conversion from a reading id
// (0..18) and the reading set to display text, the display-table rows that choose
// what is shown, and the ten text readouts.
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

// Reading ids run from 0 to this.
inline constexpr int LastReadingId = 18;

// The display text of reading id: the value through its pattern with its unit text.
// Empty for id 14, for ids outside 0..18 and where the value cannot be worked out
// (an input conversion without a scale, a lambda byte outside the table).
QString Conv_Input_to_readings(int id, const ReadingSet& set);
QString Conv_Input_to_readings(int id);

// The number a bar or a trace takes from a reading's text: its leading number.
double Reading_Number(const QString& text);

// One row of the display tables that is offered for display (DisplayFuncTable
// column 3 is 1), its columns read as numbers where they are numbers.
struct DisplayRow {
    int id = 0;       // reading id
    int barSlot = 0;  // 1..6, 0 = no bar (any other number names no bar that exists)
    int textSlot = 0; // 1..10, 0 = no text readout
    QString name;     // display name
    QString minText;  // graph minimum and maximum as the table holds them
    QString maxText;
    int min = 0; // the same as whole numbers
    int max = 0;
    double plotFlag = 0; // above 0 = plotted
};

// Rows 0 to DisplaySetTable(0, 0) (at most the table's 27) whose DisplayFuncTable
// column 3 is 1 and whose id names a reading, in table order.
std::vector<DisplayRow> Offered_Rows();

// One text readout: name label lblRC and value label RCNum.
struct TextReadout {
    bool visible = false;
    QString name;
    QString value;
};
inline constexpr int TextSlots = 10;
using TextReadouts = std::array<TextReadout, TextSlots>;

// The ten readouts for the rows: each row with a text slot fills that slot (a later
// row naming the same slot wins); slots no row fills are hidden. A slot number
// beyond the ten readouts is left out.
TextReadouts Text_Values(const std::vector<DisplayRow>& rows, const ReadingSet& set);

} // namespace Readouts
