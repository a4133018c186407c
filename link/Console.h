#pragma once

// The text command console "txtDOS": two-letter unit commands typed as the unit's
// older text-terminal tool took them. A command changes the unit image and the
// current-map record and raises its frames through the send path; the main window
// applies the redraws it asks for.
//
// Every byte a command stores is worked out and checked before the command's
// change is kept: a value outside 0..255 refuses the whole command, the image
// stays as it was and nothing is queued.

#include <QString>
#include <array>
#include <optional>

namespace WtsCM {

// The live readings a command reads (from the last live reply).
struct ConsoleLive {
    int analogIn1 = 0;    // raw temperature input, 0..255
    int analogIn2 = 0;    // raw AMP input, 0..255
    int liveAmpCellA = 0; // AMP row of the live operating point, 0..15
};

// What a console line did.
struct ConsoleOutcome {
    // false: the command failed; the error box has been shown (or the download's own
    // refusal), and the console keeps the text as typed.
    bool ok = true;
    // The main window redraws: the axis captions, the analog map, and the AMP or
    // temperature column captions the label routines gave.
    bool axisLabels = false;
    bool analogMap = false;
    std::optional<std::array<QString, 16>> ampCaptions;
    std::optional<std::array<QString, 16>> tempCaptions;
};

inline const QString ConsolePlaceholder = QStringLiteral("Dos Commands");

// Runs one line entered in the console: the first two characters choose the
// command (upper or lower case), the argument starts at the fourth. "pg" and "xx"
// always act; the others only while the unit is not locked. A letter pair that
// is no command does nothing. A failure shows the console's error box. Leaves the
// letter pair in cmd and the line in ConsoleLine.
ConsoleOutcome Console_Line(const QString& line, const ConsoleLive& live);

// The console's error box.
void Console_Error_Box();

// The value commands; each throws KvrError when the line cannot be carried out,
// before anything is queued, and the image is then as it was (each command that
// changes the map is one edit, link/Edit.h). They fill the outcome's redraws.
void Cmd_SS(const QString& line);
void Cmd_RL(const QString& line, ConsoleOutcome& out);
void Cmd_RH(const QString& line, ConsoleOutcome& out);
void Cmd_DL(const QString& line, ConsoleOutcome& out);
void Cmd_DH(const QString& line, ConsoleOutcome& out);
void Cmd_DM(const QString& line, ConsoleOutcome& out);
void Cmd_DE(const QString& line, ConsoleOutcome& out);
void Cmd_TL(const QString& line, const ConsoleLive& live, ConsoleOutcome& out);
void Cmd_TH(const QString& line, const ConsoleLive& live, ConsoleOutcome& out);
void Cmd_AL(const QString& line, const ConsoleLive& live, ConsoleOutcome& out);
void Cmd_AH(const QString& line, const ConsoleLive& live, ConsoleOutcome& out);
// The equal gradient through the AMP column of the analog (tab 1), injection
// (tab 2) or ignition (tab 3) map, pivoting on the live AMP row.
void Cmd_AG_Tab1(const QString& line, const ConsoleLive& live, ConsoleOutcome& out);
void Cmd_AG_Tab2(const QString& line, const ConsoleLive& live, ConsoleOutcome& out);
void Cmd_AG_Tab3(const QString& line, const ConsoleLive& live, ConsoleOutcome& out);
void Cmd_RM();
// "mi" and "ci": the map identifier and the description, then the full download.
// They return false when the download refused the image (told already).
bool Cmd_MI(const QString& line);
bool Cmd_CI(const QString& line);

// The calibration arguments of "tl", "th", "al", "ah": point p (0..15), value v
// and the optional count c (0..255).
struct CalArgs {
    int p = 0;
    double v = 0;
    std::optional<int> c;
};
CalArgs Parse_Cal_Args(const QString& line);

} // namespace WtsCM

namespace WtsAFR {
// "ds": the first deflection point, the others by the deflection weights.
void Cmd_DS(const QString& line, WtsCM::ConsoleOutcome& out);
} // namespace WtsAFR
