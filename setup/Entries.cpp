#include "setup/Entries.h"

#include "mainwin/frmMain.h"
#include "platform/FormInstance.h"
#include "setup/frmOptions.h"

namespace Setup {

void mnuGlobal_Click() {
    // Loaded on first use; while open, only shown again, with its edits.
    FormInstance<frmOptions>::open();
}

void Wire_Entries(frmMain& main) {
    main.Wire_Entry(main.mnuGlobal, [] { mnuGlobal_Click(); });
}

} // namespace Setup
