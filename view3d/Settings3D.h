#pragma once

// The 3-D view's settings files, without a window: "KVR63DDraw.cfg" (read when
// the view opens, its kind's section rewritten when it closes) and
// "KVR63DDrawDefault.cfg" (read by "Default Settings", never written). A
// section is a header line holding the kind text ("Analog:", ...), one data
// line per slider, top to bottom, and a line holding "END". A data line is
// seven fields each after a comma: a free label, then Min, Max, SmallChange,
// LargeChange, TickFrequency and SelStart as whole numbers.

#include "view3d/View3dState.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace View3D {

inline const QString SettingsFile = QStringLiteral("KVR63DDraw.cfg");
inline const QString DefaultSettingsFile = QStringLiteral("KVR63DDrawDefault.cfg");

// The range and steps of one slider.
struct SliderSetting {
    int min = 0;
    int max = 0;
    int smallChange = 0;
    int largeChange = 0;
    int tickFrequency = 0;
    int selStart = 0;
    bool operator==(const SliderSetting&) const = default;
};
struct SettingRow {
    QString label;
    SliderSetting setting;
    bool operator==(const SettingRow&) const = default;
};
inline constexpr int SettingRows = 6;
using SectionRows = std::array<SettingRow, SettingRows>;

// The sliders' own settings, row 1 (Amplitude) first: what the window starts
// with and what a section's missing or unusable rows fall back to.
const SectionRows& Built_In_Rows();

// One data line as it is written: a comma and the label in 5 characters, then
// a comma and each number in 6, each padded with blanks or cut to its width.
QString Data_Line(const QString& label, const SliderSetting& setting);
// The data line of row r (1..6) of a settings table.
QString Data_Line(const SettingsTable& table, int row);

// A line of a section that the read could not use, and why.
struct LineProblem {
    int line = 0; // counting from 1
    QString text; // "line 5 skipped, its Max is blank"
    bool operator==(const LineProblem&) const = default;
};

// What reading a kind's section gave. The section runs from its header to the
// line holding "END"; a section that has lost its END line ends before the next
// line holding a kind text (the next section's header), or at the end of the
// file. Data line r of the section is row r, whether or not the lines before it
// could be used.
struct SectionRead {
    bool found = false; // false: no header for the kind; nothing is to change
    int dataLines = 0;  // the section's data lines, a skipped one or a seventh included
    // What each row's data line gives; none where the line is missing or
    // cannot be used (its slider keeps the settings it has).
    std::array<std::optional<SettingRow>, SettingRows> rows{};
    // The first NamedSkips lines skipped, and a missing END line, in the order
    // of the file.
    std::vector<LineProblem> problems;
    // The lines skipped after those: counted, not named, so that a file of a
    // million spoiled lines is read and told as quickly as a short one.
    int moreSkipped = 0;
};
// How many skipped lines a read names one by one.
inline constexpr int NamedSkips = 5;
// Reads the section of `kind` from a file's text. A data line is usable when it
// has seven fields whose numbers are whole numbers of 16 bits (blanks around
// them allowed; a text after an eighth comma is ignored) with Min not above Max,
// and when it is one of the first six.
SectionRead Read_Section(const QString& text, const QString& kind);

// One sentence for the status bar naming the file and each problem of a read,
// with the count of the skipped lines not named; empty when there is none.
QString Problems_Text(const QString& fileName, const SectionRead& read);

// The text of a whole settings file from the built-in settings: a title line
// and one section per kind, each line ended by CR LF.
QString Built_In_File();

// The file's text with the data lines of the kind's section (as the read finds
// it) replaced by rows of the table, only the rows marked changed (index 0 is
// row 1) and only as far as the section has lines; a rewritten line keeps the
// line end it had. Every other line, and every byte of it, stays as it was. No
// section: the text unchanged.
QString Rewrite_Section(const QString& text, const QString& kind, const SettingsTable& table,
                        const std::array<bool, SettingRows>& changed);

// Puts a row into the settings table (row 1..6).
void Store_Row(SettingsTable& table, int row, const SettingRow& values);

// --- the files in the program folder -------------------------------------------
// A file that cannot be read, made or written is told through FileProblem
// (titled "3D view settings") at once, so these are for event handlers.

// What reading a settings file gave.
struct FileRead {
    // False when the file could not be read, or was missing and could not be
    // made; either is told. A file that could not be read gives no section and
    // is left as it is.
    bool usable = true;
    SectionRead section;
};
// Reads the kind's section of the settings file fileName. A missing file reads
// as the built-in settings and, with createWhenMissing, is made from them
// ("KVR63DDraw.cfg"; the default file is only ever read).
FileRead Read_Settings_File(const QString& fileName, const QString& kind, bool createWhenMissing);

// Rewrites the rows marked changed of the kind's section of "KVR63DDraw.cfg"
// from the table (Rewrite_Section); a missing file is made from the built-in
// settings with those rows. With no row changed, or a text that comes out as it
// was, the file is not touched.
void Save_Settings_File(const QString& kind, const SettingsTable& table,
                        const std::array<bool, SettingRows>& changed);

} // namespace View3D
