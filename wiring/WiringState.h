#pragma once

// The state the wiring-diagram windows keep while they may be closed: one
// declaration each, defined in WiringState.cpp.

namespace Wiring {

// The wiring-diagram record (WdTable row) of the list row last clicked; 0 for none.
extern int WdSelected;

// Puts every variable above back to its program-start value.
void ResetWiringState();

} // namespace Wiring
