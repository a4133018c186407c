#include "wiring/Entries.h"

#include "core/TableFiles.h"
#include "mainwin/frmMain.h"
#include "platform/FileProblem.h"
#include "platform/FormInstance.h"
#include "platform/KvrError.h"
#include "wiring/WiringPdf.h"
#include "wiring/frmName.h"
#include "wiring/frmWDLoad.h"
#include "wiring/frmWiring.h"

namespace Wiring {

void Show_WD_Maps() {
    // The window keeps nothing between openings: the records are read anew,
    // and a file that cannot be read opens no empty list.
    FormInstance<frmWDLoad>::unload();
    try {
        WtsGeneral::Read_WD_File();
    } catch (const KvrError& e) {
        FileProblem::Tell({QStringLiteral("wiring-diagram map list KVRWD.cfg"),
                           QStringLiteral("read"), e.description(),
                           QStringLiteral("The list is not opened; the map and the unit are "
                                          "unchanged."),
                           QStringLiteral("Wiring Diagram Maps")});
        return;
    }
    FormInstance<frmWDLoad>::open();
}

void Show_Dealer() {
    FormInstance<frmName>::unload();
    FormInstance<frmName>::open();
}

void mnuWire_Click() {
    FormInstance<frmWiring>::unload();
    const QString problem = FormInstance<frmWiring>::get().Problem;
    if (!problem.isEmpty()) {
        FormInstance<frmWiring>::unload();
        FileProblem::Tell({QStringLiteral("wiring diagram file \"") + WiringFile + '"',
                           QStringLiteral("shown"), problem,
                           QStringLiteral("Put a readable copy of it into the program folder to "
                                          "see the wiring diagrams."),
                           QStringLiteral("Wiring Diagrams")});
        return;
    }
    FormInstance<frmWiring>::open();
}

void Wire_Entries(frmMain& main) {
    main.Wire_Entry(main.mnuLoadWD, [] { Show_WD_Maps(); });
    main.Wire_Entry(main.mnuWire, [] { mnuWire_Click(); });
    // Whichever logo shows, a click opens the dealer's details (with branding).
    for (int i = 0; i < 3; ++i)
        main.Wire_Picture(i, [] { Show_Dealer(); });
}

} // namespace Wiring
