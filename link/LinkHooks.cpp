#include "link/LinkHooks.h"

#include "link/PollTiming.h"
#include "link/ReceiveHandler.h"

namespace {

LinkHooks fresh() {
    LinkHooks h;
    h.Comm1_OnComm = ReceiveHandler::Comm1_OnComm;
    h.Store_Comm_Speed = PollTiming::Store_Learned_Base;
    return h;
}

LinkHooks hooks = fresh();

} // namespace

QString Label_Name(LinkLabel label) {
    switch (label) {
    case LinkLabel::lblComm:
        return QStringLiteral("lblComm");
    case LinkLabel::lblVersionValue:
        return QStringLiteral("lblVersionValue");
    case LinkLabel::lblRPM_Map:
        return QStringLiteral("lblRPM_Map");
    case LinkLabel::lblRPMShow:
        return QStringLiteral("lblRPMShow");
    case LinkLabel::lblAnalog_Defl:
        return QStringLiteral("lblAnalog_Defl");
    }
    return QString();
}

LinkHooks& Hooks() {
    return hooks;
}

void ResetLinkHooks() {
    hooks = fresh();
}
