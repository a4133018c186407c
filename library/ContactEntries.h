#pragma once

// The main window's entries whose windows show contact details and the wiring
// diagrams: Contact Details (File menu), the logo picture and Wiring Diagram.

namespace Library {

// Contact Details: the contact window in its contact-and-export layout
// (LibEditMode 0), opened afresh so its list shows the library as it is now.
void Show_Contact();

// A click on the main window's logo (which asks for branding first): the
// dealer contact window.
void Show_Dealer();

// Wiring Diagram: the viewer with "wiring diagrams.pdf"; a document that cannot
// be shown is told, naming the file and why, and no empty viewer opens.
void mnuWire_Click();

} // namespace Library
