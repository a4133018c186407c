#pragma once

// The state the backup window is steered by: one declaration each, defined in
// BackupState.cpp.

// The backup window's mode word, set before it is shown.
// 1 backup, 2 restore; 0 at program start and after Cancel.
extern int BackRestMode;

namespace Backup {

// Puts every variable above back to its program-start value.
void ResetBackupState();

} // namespace Backup
