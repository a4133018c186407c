#pragma once

// How the global parameter screen's Apply and OK store the controls and hand the
// three parameter rows to the unit, without a window. It goes the way of every
// edit: the send rule (link/SendRule.h) says whether the rows may go to the unit
// now, the write path (MapWrite::Write_Param_Row) stores them into the image and
// builds their frames, and the send rule hands them over: queued with the progress
// window and a read-out after when on-line, counted as an off-line edit when
// off-line (so going on-line asks first).

#include "setup/OptionsMap.h"

#include <QString>

namespace ParamSend {

// What one Apply (or OK with unsaved edits) did.
struct Outcome {
    enum class Kind {
        Sent,       // stored and the three rows queued for the unit
        StoredOnly, // stored in the image, not sent (off-line)
        Refused,    // nothing stored: the send rule refuses edits now (no map among its reasons)
        NotAByte,   // nothing stored: the write path refused a value
    };
    Kind kind = Kind::Sent;
    QString text; // what the user is told; empty when stored
    bool stored() const { return kind == Kind::Sent || kind == Kind::StoredOnly; }
};

// Stores the controls (OptionsMap::Save_Values) into the three rows at 128, 144
// and 192 through the write path and hands them over by the send rule. Anything
// but a store leaves the image and shown as they were.
Outcome Store_And_Send(const OptionsMap::Controls& controls, OptionsMap::Controls& shown);

} // namespace ParamSend
