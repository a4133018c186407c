#pragma once

namespace Library {

// Backup Maps (mode 1) and Restore Maps (mode 2): the backup window in that
// mode, opened afresh.
void Show_Backup_Restore(int mode);

} // namespace Library
