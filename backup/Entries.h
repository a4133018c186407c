#pragma once

// The main window's entries whose window lives in this folder: Backup Maps and
// Restore Maps.

class frmMain;

namespace Backup {

// Gives the main window's Backup and Restore entries their handlers
// (frmMain::Wire_Entry). main.cpp calls it once the main window exists; tests
// call it on their own window.
void Wire_Entries(frmMain& main);

// Backup Maps (mode 1) and Restore Maps (mode 2): the backup window in that
// mode, opened afresh.
void Show_Backup_Restore(int mode);

} // namespace Backup
