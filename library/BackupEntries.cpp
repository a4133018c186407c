#include "library/BackupEntries.h"
#include "library/LibraryState.h"

#include "library/frmBackRest.h"
#include "mainwin/MainState.h"
#include "platform/FormInstance.h"

namespace Library {

void Show_Backup_Restore(int mode) {
    BackRestMode = mode;
    FormInstance<frmBackRest>::unload();
    FormInstance<frmBackRest>::open();
}

} // namespace Library
