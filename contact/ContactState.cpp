#include "contact/ContactState.h"

#include "platform/StateReset.h"

namespace Contact {

std::vector<ExportEntry> ExportList;

void ResetContactState() {
    ExportList.clear();
}

namespace {
// Every start value is the reset's, set once before the program starts; the
// same line records the group for the tests' reset of everything.
[[maybe_unused]] const bool Started = StateReset::Start_Group(Floor::Contact, ResetContactState);
} // namespace

} // namespace Contact
