#pragma once

#include <QString>

class frmMain;

namespace View3D {

// Gives the main window's menu entries and buttons whose windows live in this
// folder their handlers (frmMain::Wire_Entry / Wire_Button). main.cpp calls it
// once the main window exists; tests call it on their own window.
void Wire_Entries(frmMain& main);

// The main window's 3-D menu entries: "Fuel Graph" shows the analog map,
// "Injection Graph" the injection map, "Ignition Graph" the ignition map.
void mnu3DFuel_Click();
void mnu3DIgn_Click();
void mnu3DLambda_Click();
// Opens the view of a map kind ("Analog:", "Injection:", "Ignition:").
void Open_View(const QString& kind);

} // namespace View3D
