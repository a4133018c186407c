#include "setup/ParamSend.h"

#include "core/CoreState.h"
#include "link/Edit.h"

#include <array>

namespace ParamSend {

namespace {

constexpr std::array<int, 3> Rows{Idx_SpeedAdjust, Idx_Mode, Idx_Block3};

QString Gate_Text() {
    return UnitLocked == 1 ? QStringLiteral("The unit is locked: the global settings were not "
                                            "stored and nothing was sent.")
                           : QStringLiteral("There is no map loaded and no unit on-line: the "
                                            "global settings were not stored and nothing was "
                                            "sent.");
}

} // namespace

Outcome Store_And_Send(const OptionsMap::Controls& controls, OptionsMap::Controls& shown) {
    Edit edit(SendKind::QueueWithProgress);
    if (edit.Refused())
        return {Outcome::Kind::Refused, SendRule::Notice(edit.Verdict())};
    if (!OptionsMap::Gate_Open())
        return {Outcome::Kind::GateClosed, Gate_Text()};

    // The mapping works on the image; the rows it gives go in through the write
    // path, and a refused row puts the whole store back.
    OptionsMap::Controls stored = shown;
    OptionsMap::Save_Values(controls, stored);
    for (const int row : Rows)
        edit.Param_Row_Of_Image(row);
    // Off-line: only an Apply that changed a byte is an edit the unit has not had.
    edit.Count_Only_Changes();
    const EditOutcome written = edit.Make();
    if (!written.made())
        return {Outcome::Kind::NotAByte, QStringLiteral("The global settings were not stored: ") +
                                             written.refusal + QStringLiteral(".")};
    shown = stored;
    if (edit.Verdict() == SendRule::Verdict::Send)
        return {Outcome::Kind::Sent, QString()};
    return {Outcome::Kind::StoredOnly, QString()};
}

} // namespace ParamSend
