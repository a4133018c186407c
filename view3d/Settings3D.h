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

// What reading a kind's section gave.
struct SectionRead {
    bool found = false; // false: no header for the kind; nothing is to change
    int sound = 0;      // data lines read whole from the top of the section
    SectionRows rows{}; // the sound rows, then the built-in ones for the rest
    // The line (counting from 1) of the first data line that could not be used,
    // 0 when none; a seventh and later data line counts as unusable.
    int firstUnusableLine = 0;
};
// Reads the section of `kind` from a file's text. A data line is usable when it
// has seven fields whose numbers are whole numbers (blanks around them
// allowed; a text after an eighth comma is ignored) with Min not above Max;
// reading stops at the first one that is not, and the rows from there on come
// from the built-in settings.
SectionRead Read_Section(const QString& text, const QString& kind);

// The text of a whole settings file from the built-in settings: a title line
// and one section per kind, each line ended by CR LF.
QString Built_In_File();

// The file's text with the data lines of the kind's section replaced one for
// one by rows 1, 2, ... of the table, as far as it has rows, each keeping its
// line end; every other line (its line end included) stays as it was. No section: the text
// unchanged.
QString Rewrite_Section(const QString& text, const QString& kind, const SettingsTable& table);

// Puts a row into the settings table (row 1..6).
void Store_Row(SettingsTable& table, int row, const SettingRow& values);

} // namespace View3D
