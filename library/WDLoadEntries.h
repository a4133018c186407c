#pragma once

namespace Library {

// "Load Wiring Diagram Maps": opens the wiring-diagram map list, read anew.
void Show_WD_Maps();

} // namespace Library
