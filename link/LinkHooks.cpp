#include "link/LinkHooks.h"

namespace {
LinkHooks hooks;
}

LinkHooks& Hooks() {
    return hooks;
}

void ResetLinkHooks() {
    hooks = LinkHooks();
}
