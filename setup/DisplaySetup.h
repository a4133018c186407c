#pragma once

// What the display set-up screen does without a window: its rows from the two
// display tables, the free bar and text positions, the rule of at most three
// traces, the check of the graph ranges, and the save into the working table and
// "KVR6SetDisplay.cfg".

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace DisplaySetup {

// The screen has this many rows; a table offering more shows the first ones.
inline constexpr int ChannelRows = 19;
// FuncBGCount and FuncTCount: the bar gauges and text readouts of the main window.
inline constexpr int BarPositions = 6;
inline constexpr int TextPositions = 10;
// The strip chart's traces.
inline constexpr int MaxTraces = 3;
// What a display name and a graph limit keep of their text in the file.
inline constexpr int NameWidth = 23;
inline constexpr int RangeWidth = 17;

// One row of the screen: the table row it was filled from (the save writes into
// that very row) and what its controls hold.
struct Channel {
    int tableRow = 0;
    QString label;   // the reading's channel name (lblName)
    int bar = 0;     // bar-gauge position, 0 = none (comBG)
    int text = 0;    // text-readout position, 0 = none (comT)
    QString name;    // display name (DNtxt)
    QString minText; // graph range (MinTxt, MaxTxt)
    QString maxText;
    bool plotted = false; // chkP
    bool operator==(const Channel&) const = default;
};

// Every reading the main window can draw (Readouts::Offered_Rows), in table order,
// as a row of the screen. The label is the master table's name of that reading.
std::vector<Channel> Offered_Channels();

// The positions of one kind (FuncBGFree or FuncTFree): entry p (1..count) is free
// until a row takes it.
class FreePositions {
public:
    explicit FreePositions(int count = 0); // every position free
    int count() const { return count_; }
    // Marks p taken / free again; 0 and anything outside 1..count are no position.
    void Take(int p);
    void Give_Back(int p);
    bool Is_Free(int p) const;
    // A row's drop-down list: its own position first ("0" when none), then "0"
    // unless that was it, then every free position in increasing order.
    QStringList List(int own) const;

private:
    int count_ = 0;
    std::vector<bool> free_;
};

// A place of the main window that more than one row of a hand-edited file
// claims: the row that keeps it and the rows that gave it up.
struct SharedPosition {
    QString place; // "bar gauge 3", "text readout 7"
    QString keptBy;
    QStringList givenUpBy;
};

// Each bar and text position is held by one row only: where the file gives one
// to several rows, the last of them keeps it (the main window draws it over the
// others) and the others hold none. Returns what was settled so.
std::vector<SharedPosition> Settle_Shared_Positions(std::vector<Channel>& rows);
// What the user is told about the positions settled at opening.
QString Shared_Text(const std::vector<SharedPosition>& shared);

// The free positions once every row has taken its own.
FreePositions Free_Bars(const std::vector<Channel>& rows);
FreePositions Free_Texts(const std::vector<Channel>& rows);

// At most three traces: box k was just ticked (ticked[k] true). Keeps it and the
// first two other ticked boxes in row order; returns the rows to untick.
std::vector<int> Check_Graph_CHK(const std::vector<bool>& ticked, int k);

// Whether a row draws its graph range: on a bar gauge or as a trace.
bool Draws_Range(const Channel& row);

// Why a row's graph range cannot be saved: each limit must be a number (as the
// file keeps it, cut to its field) and the minimum below the maximum as the main
// window draws them (whole numbers). Nothing when it can. The save asks it only
// of the rows that draw their range, as the start-up reader does.
std::optional<QString> Range_Fault(const Channel& row);

enum class Outcome {
    Saved,       // table, file and legend hold the rows
    GateClosed,  // no map loaded and no unit on-line, or the unit locked: nothing changed
    BadRange,    // a graph range cannot be kept: nothing changed
    WriteFailed, // the file could not be written: nothing changed
};

struct SaveResult {
    Outcome outcome = Outcome::Saved;
    QString text;   // what the user is told (empty when saved)
    QString reason; // WriteFailed: the system's reason in plain words
};

// Writes the rows into the table rows they came from (the rows of the table the
// screen does not show keep their contents), writes "KVR6SetDisplay.cfg" and keeps
// in the table and the chart legend what the file gives back, as a restart reads
// it. Through the gate of the parameter screens. On any failure the table, the
// legend and the file stay as they were. Does not redraw the main window.
SaveResult Save_Values(const std::vector<Channel>& rows);

} // namespace DisplaySetup
