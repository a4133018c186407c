#pragma once

// How the global parameter screen's Apply and OK store the controls and hand the
// three parameter rows to the unit, without a window.

#include "setup/OptionsMap.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace ParamSend {

// Whether the unit can take the rows now, judged from the link's state. (The one
// send rule of the link stands behind this once it exists; until then this is the
// only place the screen looks at the link.)
enum class Verdict {
    Send,         // on-line, read out and idle or sending: the rows go out now
    ImageOnly,    // off-line: the image takes the values, nothing is sent
    Busy,         // the unit is being read (connecting, reconnecting): a read-out
                  // would put the old bytes over the values, so nothing is stored
    PortUnusable, // SendPending 99: nothing is stored or sent
};
Verdict Send_Verdict();

// What one Apply (or OK with unsaved edits) did.
enum class Outcome {
    Sent,         // stored and the three rows queued
    StoredOnly,   // stored in the image, not sent (off-line)
    GateClosed,   // nothing stored: no unit data or a locked unit
    Busy,         // nothing stored: the unit is being read
    PortUnusable, // nothing stored: the port cannot be used
};

// The row writes of GP 128..143, 144..159 and 192..207 as they stand in the
// block: three 50-byte frames. Leaves FrameText empty.
std::vector<QByteArray> Param_Row_Frames();

// Stores the controls (OptionsMap::Save_Values) when the link's state allows and
// queues the rows with the progress window and the read-out after, as one
// request, when the unit can take them.
Outcome Store_And_Send(const OptionsMap::Controls& controls, OptionsMap::Controls& shown);

// What the user is told of an outcome; empty when the rows went out.
QString Outcome_Text(Outcome outcome);

} // namespace ParamSend
