#include "library/WDLoadEntries.h"

#include "core/TableFiles.h"
#include "library/frmWDLoad.h"
#include "platform/FileProblem.h"
#include "platform/FormInstance.h"
#include "platform/KvrError.h"

namespace Library {

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

} // namespace Library
