#pragma once

// The main window's entries whose windows show contact details and the wiring
// diagrams: Contact Details (File menu), the logo picture and Wiring Diagram.

namespace Library {

// Contact Details: the contact window in its contact-and-export layout
// (LibEditMode 0), opened afresh so its list shows the library as it is now.
void Show_Contact();

} // namespace Library
