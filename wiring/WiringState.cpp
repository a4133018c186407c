#include "wiring/WiringState.h"

#include "platform/StateReset.h"

namespace Wiring {

int WdSelected;

void ResetWiringState() {
    WdSelected = 0;
}

namespace {
// Every start value is the reset's, set once before the program starts; the
// same line records the group for the tests' reset of everything.
[[maybe_unused]] const bool Started = StateReset::Start_Group(Floor::Wiring, ResetWiringState);
} // namespace

} // namespace Wiring
