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

LinkHooks& Hooks() {
    return hooks;
}

void ResetLinkHooks() {
    hooks = fresh();
}
