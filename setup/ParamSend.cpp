#include "setup/ParamSend.h"

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "link/ProgressModel.h"
#include "link/SendPath.h"
#include "link/SendRule.h"
#include "link/WtsUp.h"

namespace ParamSend {

Verdict Send_Verdict() {
    if (SendPending == SendPortFailed)
        return Verdict::PortUnusable;
    // The one send rule of every edit: nothing goes out behind a read-out that
    // would overwrite it, nor to a unit that does not answer.
    switch (SendRule::May_Send()) {
    case SendRule::Verdict::ImageOnly:
        return Verdict::ImageOnly;
    case SendRule::Verdict::ReadingUnit:
    case SendRule::Verdict::NoAnswer:
        return Verdict::Busy;
    case SendRule::Verdict::Locked: // the store's gate refuses and says so
    case SendRule::Verdict::Send:
        break;
    }
    return Verdict::Send;
}

std::vector<QByteArray> Param_Row_Frames() {
    std::vector<QByteArray> frames;
    for (const int row : {Idx_SpeedAdjust, Idx_Mode, Idx_Block3}) {
        int address = row; // the builder moves its argument on
        frames.push_back(WtsUp::Build_Row_Frame(address));
    }
    FrameText.clear();
    return frames;
}

Outcome Store_And_Send(const OptionsMap::Controls& controls, OptionsMap::Controls& shown) {
    const Verdict verdict = Send_Verdict();
    if (verdict == Verdict::PortUnusable)
        return Outcome::PortUnusable;
    if (verdict == Verdict::Busy)
        return Outcome::Busy;
    if (!OptionsMap::Save_Values(controls, shown))
        return Outcome::GateClosed;
    if (verdict == Verdict::ImageOnly)
        return Outcome::StoredOnly;
    Progress().Show();
    Progress().setValue(0);
    SendPath::Queue_Elements(Param_Row_Frames(), SendKind::QueueWithProgress);
    return Outcome::Sent;
}

QString Outcome_Text(Outcome outcome) {
    switch (outcome) {
    case Outcome::Sent:
        return QString();
    case Outcome::StoredOnly:
        return QStringLiteral("The global settings are stored in the map image only: the unit "
                              "is off-line, so nothing was sent to it. They are kept with the "
                              "map when it is saved; going on-line reads the unit's own values "
                              "over them.");
    case Outcome::GateClosed:
        return UnitLocked == 1
                   ? QStringLiteral("The unit is locked: the global settings were not stored "
                                    "and nothing was sent.")
                   : QStringLiteral("There is no map loaded and no unit on-line: the global "
                                    "settings were not stored and nothing was sent.");
    case Outcome::Busy:
        return QStringLiteral("The unit is being read: the global settings were not stored and "
                              "nothing was sent. Apply them again once the unit is on-line.");
    case Outcome::PortUnusable:
        return QStringLiteral("The serial port cannot be used: the global settings were not "
                              "stored and nothing was sent.");
    }
    return QString();
}

} // namespace ParamSend
