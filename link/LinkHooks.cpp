#include "link/LinkHooks.h"

#include "link/ReceiveHandler.h"

namespace {

LinkHooks fresh() {
    LinkHooks h;
    h.Comm1_OnComm = ReceiveHandler::Comm1_OnComm;
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
