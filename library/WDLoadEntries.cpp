#include "library/WDLoadEntries.h"

#include "library/frmWDLoad.h"
#include "platform/FormInstance.h"

namespace Library {

void Show_WD_Maps() {
    // The window keeps nothing between openings: the records are read anew.
    FormInstance<frmWDLoad>::unload();
    FormInstance<frmWDLoad>::open();
}

} // namespace Library
