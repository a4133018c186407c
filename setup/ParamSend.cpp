#include "setup/ParamSend.h"

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "link/MapWrite.h"
#include "link/ProgressModel.h"
#include "link/SendRule.h"

#include <array>
#include <vector>

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
    const SendRule::Verdict verdict = SendRule::Admit_Edit();
    if (SendRule::Refuses(verdict))
        return {Outcome::Kind::Refused, SendRule::Notice(verdict)};
    if (!OptionsMap::Gate_Open())
        return {Outcome::Kind::GateClosed, Gate_Text()};

    // The mapping works on the image; its result goes in through the write path.
    const ImageTable before = ParamBlock;
    OptionsMap::Controls stored = shown;
    OptionsMap::Save_Values(controls, stored);
    std::array<std::array<int, 16>, Rows.size()> values{};
    for (std::size_t r = 0; r < Rows.size(); ++r)
        for (int k = 0; k < 16; ++k)
            values[r][static_cast<std::size_t>(k)] = ParamBlock[Rows[r] + k];
    const bool changed = !(ParamBlock == before);
    ParamBlock = before;

    std::vector<QByteArray> frames;
    for (std::size_t r = 0; r < Rows.size(); ++r) {
        const MapWrite::Written written = MapWrite::Write_Param_Row(Rows[r], values[r]);
        if (!written.ok()) {
            ParamBlock = before;
            return {Outcome::Kind::NotAByte,
                    QStringLiteral("The global settings were not stored: ") +
                        written.refusal->text + QStringLiteral(".")};
        }
        frames.push_back(written.frame);
    }
    shown = stored;
    if (verdict == SendRule::Verdict::Send) {
        Progress().Show();
        Progress().setValue(0);
        SendRule::Send_Edits(verdict, std::move(frames), SendKind::QueueWithProgress);
        return {Outcome::Kind::Sent, QString()};
    }
    // Off-line: an Apply that changed a byte is an edit the unit has not had.
    if (changed)
        SendRule::Send_Edits(verdict, std::move(frames));
    return {Outcome::Kind::StoredOnly, QString()};
}

} // namespace ParamSend
