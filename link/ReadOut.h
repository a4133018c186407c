#pragma once

// The read-out of the unit after connecting: a chain of page reads in which each
// answer, taken by the receive handler, is stored into the unit image and the
// unit's texts and hands the next request to the communication timer (in
// ReadRequest, with its reply length in comm_rth):
//
//   '8' 0 (map ids)  -> '8' 128 (globals) -> '8' 204 (speed record) -> '9' 0 -> '9' 128
//   -> ':' 0 -> ':' 128 (48) -> '@' 0 (32, owner) -> '@' 32 (self-test records)
//   -> '@' 128 (description, wiring name) -> the closing poll.
//
// A locked (No-Tune) unit ends after '8' 128 and goes straight to polling. It
// read no map: the image is left empty but for what it read (whatever it held
// before), with no file name, no readings and no live marks, and NoMapUnderLock
// says so (link/LinkState.h).

#include <QByteArray>

namespace ReadOut {

// The read the unit owes an answer to: the first page request in state 1 (the
// timer sends it itself), ReadRequest in states 2..9, nothing in other states.
QByteArray Outstanding_Request();

// True when reply answers the outstanding read: the same letter and start
// address, and exactly the count asked for plus the two echo bytes. Anything else
// is left to the timer's resend and its count of unanswered ticks.
bool Answers_Request(const QByteArray& reply);

// Stores a reply that Answers_Request took and sends the next request at once.
void Page_Reply(const QByteArray& reply);

// The data of one of the chain's page replies into the unit image and the
// unit's texts, where the chain keeps them (the map id by ActiveMap); false, and
// nothing stored, for a reply that is none of the chain's reads (letter, start
// address and length). A page that changes the map leaves the current map
// without a file name (TuneFileName, MapInfo's file name).
bool Store_Page(const QByteArray& reply);

// A page reply of a played-back recording: stored as Store_Page does and shown
// on the main window; the link's state and the progress window are left as they
// are, so a recording gives the same image whatever the link did before. False
// when nothing was stored.
bool Recorded_Page(const QByteArray& reply);

// Going off-line from a locked unit whose read-out left no map (NoMapUnderLock):
// what it read was the unit's, and off-line there is no unit, so the image goes
// back to what the program starts with (every table and text empty, no file
// name); the menu's Off-Line then loads the default map into it whole.
void Forget_Locked_Read();

// The highest engine speed of the unit's record bytes (high, low = 1/256 of the
// period): periods below 50 count as 50, above 254 mean no record (0).
int Max_Rpm_Of_Record(int high, int low);

} // namespace ReadOut
