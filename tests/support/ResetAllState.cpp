#include "tests/support/ResetAllState.h"

#include "platform/StateReset.h"

void Unload_All_Windows() {
    StateReset::Unload_All_Windows();
}

void ResetAllState() {
    StateReset::Reset_All();
}
