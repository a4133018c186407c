#pragma once

// The one place where bytes from the unit enter the program: the receive event
// of the serial control (and, during play-back, each tick of the timer) runs
// Comm1_OnComm, which takes what waits, recognises the reply by its first byte
// (the echoed command letter) and, for a page, its second (the echoed start
// address), and either continues the read-out after connecting (link/ReadOut.h)
// or stores the 18-byte live reply into the reading set and has the main window
// redraw its live display through Hooks().
//
// Live reply, byte by byte (1-based): 1 '1'; 2 hardware version; 3 analog input
// (/25.5 V); 4 oxygen sensor; 5 deflection (/51 V); 6 analog output (/25.5 V);
// 7, 8, 9 engine period high, low, 1/256; 10 analog modification (signed);
// 11 injection length; 12 ignition modification (signed, 128 stays +128);
// 13 live cell (column x 16 + row); 14 temperature row x 16 + AMP row;
// 15 status flags; 16 engine temperature input; 17 AMP input; 18 end byte.

#include <QByteArray>

namespace ReceiveHandler {

inline constexpr int LiveReplyLength = 18;
// Shorter or longer deliveries are not replies the unit gives.
inline constexpr int MinReply = 3;
inline constexpr int MaxReply = 132;

// The receive handler. Installed as Hooks().Comm1_OnComm; reads and answers
// through UnitLink::current().
void Comm1_OnComm();

// The status part of a live reply: UnitFlags, UnitLocked, ActiveMap, and
// MapChanged when the active map differs from the previous reply's.
void Store_Status(const QByteArray& reply);

// Bytes 2..17 of an 18-byte live reply into the reading set, with LiveRpm and
// LiveMapCell; no window is touched.
void Store_Readings(const QByteArray& reply);

} // namespace ReceiveHandler
