#include "setup/Entries.h"

#include "mainwin/frmMain.h"
#include "platform/FormInstance.h"
#include "setup/frmOptions.h"
#include "setup/frmScaleDeflect.h"
#include "setup/frmScaleRPM.h"
#include "setup/frmSetup.h"

namespace Setup {

void mnuGlobal_Click() {
    // Loaded on first use; while open, only shown again, with its edits.
    FormInstance<frmOptions>::open();
}

void mnuRpm_Click() {
    FormInstance<frmScaleRPM>::open();
}

void mnuAnalog_Click() {
    FormInstance<frmScaleDeflect>::open();
}

void cmdSetDisplay_Click() {
    FormInstance<frmSetup>::open();
}

void Wire_Entries(frmMain& main) {
    main.Wire_Entry(main.mnuGlobal, [] { mnuGlobal_Click(); });
    main.Wire_Entry(main.mnuRpm, [] { mnuRpm_Click(); });
    main.Wire_Entry(main.mnuAnalog, [] { mnuAnalog_Click(); });
    main.Wire_Button(main.cmdSetDisplay, [] { cmdSetDisplay_Click(); });
}

} // namespace Setup
