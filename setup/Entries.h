#pragma once

class frmMain;

namespace Setup {

// Gives the main window's menu entries and buttons whose windows live in this
// folder their handlers (frmMain::Wire_Entry / Wire_Button). main.cpp calls it
// once the main window exists; tests call it on their own window.
void Wire_Entries(frmMain& main);

// "Global Settings": loads the global parameter screen (unless it is open) and
// shows it.
void mnuGlobal_Click();

// "RPM Scale" and "Deflection": load the scale editor (unless it is open) and
// show it.
void mnuRpm_Click();
void mnuAnalog_Click();

// "Setup Display": loads the display set-up screen (unless it is open) and shows
// it.
void cmdSetDisplay_Click();

} // namespace Setup
