#pragma once

// The full download: the whole map of the unit image written to the unit in one
// queue with the progress window. The reverse of the read-out after connecting.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace WtsCM {

// The first value the download would send that is not a byte (0..255), named by
// its place ("page 5 address 37 holds 300"), or nothing when every value fits.
std::optional<QString> Download_Image_Problem();

// The queue elements of the download for the image and records as they stand:
// description and wiring-diagram name, global parameters (page 4, 128..255), the
// identifier of the active map (MapId padded with blanks to its 64 characters),
// page 5 and page 6 (0..175), and the dealer's
// company for a branded installation. Every frame carries the 31 NUL padding.
// Bytes outside 0..255 are not checked here (Download_Image_Problem does).
std::vector<QByteArray> Download_Elements();

// MapDscr as the download sends it: 63 characters (cut or padded with blanks)
// followed by the character of NoTuneFlag.
QString Normalised_Description();

// What the status bar says of a download raised off-line.
inline const QString DownloadWaitsNotice = QStringLiteral(
    "Off-line: the download waits and goes to the unit once the program is on-line.");

// Asks before a download to a locked (No-Tune) unit: it replaces the unit's maps
// and its No-Tune mark (text address 191) with this program's setting. No is the
// default. True when the download may go on.
bool Confirm_Locked_Download();

// Checks the image first: a value that is not a byte refuses the whole download,
// tells the user which one and returns false with nothing changed or queued; so
// does an image without a map (NoMapUnderLock), told with NoMapToDownload.
// A locked unit is asked about first (Confirm_Locked_Download); No queues nothing.
// Otherwise normalises MapDscr, assembles the queue with the progress window
// ("Assembling Data", then "Downloading Data"), takes the dealer's company as the
// caption owner when branded, queues it and returns true (the same download still
// waiting to go out is not queued twice). Works off-line too: the queue then waits
// for live polling, and the status bar says so. Every state of the link takes it:
// the read-out that ends it makes the grid show what the unit holds.
bool Download_All();

// Why Download_All sends nothing after a locked unit's read-out, which reads no
// map: until a map is loaded the image holds none to send.
inline const QString NoMapToDownload = QStringLiteral(
    "There is no map to download: the unit is locked, so its maps were not read, and no "
    "map has been loaded since. Load a map (File > Load Tune Map) and download that. "
    "Nothing has been sent to the unit.");

} // namespace WtsCM
