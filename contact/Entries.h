#pragma once

// The main window's entry whose window lives in this folder: Contact Details
// (File menu).

class frmMain;

namespace Contact {

// Gives the main window's Contact Details entry its handler
// (frmMain::Wire_Entry). main.cpp calls it once the main window exists; tests
// call it on their own window.
void Wire_Entries(frmMain& main);

// Contact Details: the contact window in its contact-and-export layout
// (LibEditMode 0), opened afresh so its list shows the library as it is now.
void Show_Contact();

} // namespace Contact
