#include "library/ContactEntries.h"

#include "library/LibraryState.h"
#include "library/WiringPdf.h"
#include "library/frmContact.h"
#include "library/frmName.h"
#include "library/frmWiring.h"
#include "mainwin/MainState.h"
#include "platform/FileProblem.h"
#include "platform/FormInstance.h"

namespace Library {

void Show_Contact() {
    LibEditMode = 0;
    FormInstance<frmContact>::unload();
    FormInstance<frmContact>::open();
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

} // namespace Library
