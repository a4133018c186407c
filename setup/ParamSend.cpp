#include "setup/ParamSend.h"

#include "core/CoreState.h"
#include "link/Edit.h"

#include <array>

namespace ParamSend {

namespace {

constexpr std::array<int, 3> Rows{Idx_SpeedAdjust, Idx_Mode, Idx_Block3};

} // namespace

Outcome Store_And_Send(const OptionsMap::Controls& controls, OptionsMap::Controls& shown) {
    // The send rule is the one gate: a locked unit, or no map off-line, is its
    // refusal like any other.
    Edit edit(SendKind::QueueWithProgress);
    if (edit.Refused())
        return {Outcome::Kind::Refused, SendRule::Notice(edit.Verdict())};

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
