#include "contact/Entries.h"

#include "contact/frmContact.h"
#include "library/LibraryState.h"
#include "mainwin/frmMain.h"
#include "platform/FormInstance.h"

namespace Contact {

void Show_Contact() {
    LibEditMode = 0;
    FormInstance<frmContact>::unload();
    FormInstance<frmContact>::open();
}

void Wire_Entries(frmMain& main) {
    main.Wire_Entry(main.mnuContact, [] { Show_Contact(); });
}

} // namespace Contact
