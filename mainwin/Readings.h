#pragma once

#include "link/ReadingText.h"

#include <QString>
#include <array>
#include <vector>

// The live readings as the main window shows them: the display-table rows that
// choose what is shown and the ten text readouts; the conversion of a reading to
// its text is link/ReadingText.h.
namespace Readouts {

// Reading ids run from 0 to this.
inline constexpr int LastReadingId = 18;

// One row of the display tables that is offered for display (DisplayFuncTable
// column 3 is 1), its columns read as numbers where they are numbers.
struct DisplayRow {
    int tableRow = 0; // the row of both tables it was read from
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

// A locked unit's live replies leave the reading set as it was (the link takes
// no reading from them): while one is on-line the readouts keep their names and
// show the no-value text, not values the unit did not give.
bool Readings_Withheld();

} // namespace Readouts
