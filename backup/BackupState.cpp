#include "backup/BackupState.h"

#include "platform/StateReset.h"

int BackRestMode;

namespace Backup {

void ResetBackupState() {
    BackRestMode = 0;
}

namespace {
// Every start value is the reset's, set once before the program starts; the
// same line records the group for the tests' reset of everything.
[[maybe_unused]] const bool Started = StateReset::Start_Group(Floor::Backup, ResetBackupState);
} // namespace

} // namespace Backup
