#pragma once

// The main window's entries whose windows live in this folder: "Load Wiring
// Diagram Maps", Wiring Diagram and the logo picture.

class frmMain;

namespace Wiring {

// Gives the main window's entries and logo pictures whose windows live in this
// folder their handlers (frmMain::Wire_Entry / Wire_Picture). main.cpp calls it
// once the main window exists; tests call it on their own window.
void Wire_Entries(frmMain& main);

// "Load Wiring Diagram Maps": opens the wiring-diagram map list, read anew.
void Show_WD_Maps();

// A click on the main window's logo (which asks for branding first): the
// dealer contact window.
void Show_Dealer();

// Wiring Diagram: the viewer with "wiring diagrams.pdf"; a document that cannot
// be shown is told, naming the file and why, and no empty viewer opens.
void mnuWire_Click();

} // namespace Wiring
