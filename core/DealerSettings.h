#pragma once

#include "core/ConfigReport.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace WtsGeneral {

// The poll base (cfg_CommSpeed, ms) the link works with: a file's value or a
// learned one outside this range is kept at its nearer end. Below it a tick comes
// round faster than the unit's slower answers can be counted on.
inline constexpr int MinCommSpeed = 20;
inline constexpr int MaxCommSpeed = 500;

// Name of the dealer settings file in the program folder: the first "kvr*.cfg"
// holding exactly two marker lines (one with "KAVRO TUNER KVR6", one with
// "Adv Branding:"); else the last one holding any marker line; else "KVR6.cfg".
QString Find_Dealer_Settings_File();

// Fills the dealer record (DealerCompany .. DealerWeb, NoTuneFlag, BrandingFlag,
// AdvBranding, cfg_CommPort, cfg_CommSpeed) from the dealer settings file. Each
// value is taken from its label's own line only. A missing file or label gives
// the default: empty texts, NoTuneFlag 255, BrandingFlag 0, AdvBranding 0, port 1,
// speed 100 (a speed outside MinCommSpeed..MaxCommSpeed is held at the nearer
// end). Throws KvrError when the file exists but cannot be read. Returns what
// made the file unusable, whole or in part (missing, empty, no label at all, some
// labels missing), or nothing when it was used whole.
std::optional<UnusableFile> Read_Dealer_Settings();

// Read_Dealer_Settings at start-up, telling the user once when the file could
// not be used whole: which file, why, and the defaults used in its place.
void Read_Dealer_Settings_Reporting();

// The text of a configuration file with its setting lines rewritten: a line that
// begins with "Port=" or "port=" becomes "Port=" & port, one that begins with
// "CommSpeed=" becomes "CommSpeed=" & speed. Every other character, line ends
// included, stays as it was.
QString Rewrite_Port_Lines(const QString& text, int port, int speed);

// Writes cfg_CommPort and cfg_CommSpeed into every "*.cfg" of the program folder.
// A file is replaced only once its new text is completely written, and only when
// it changes. Files that could not be rewritten are told to the user, or, when
// failedFiles is given, listed there (name and cause) for the caller to tell;
// the others are still done. Returns whether every file was done.
bool Save_Port_To_Cfg_Files(QStringList* failedFiles = nullptr);

} // namespace WtsGeneral
