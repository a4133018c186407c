#include "backup/Entries.h"

#include "backup/BackupState.h"
#include "backup/frmBackRest.h"
#include "mainwin/frmMain.h"
#include "platform/FormInstance.h"

namespace Backup {

void Show_Backup_Restore(int mode) {
    BackRestMode = mode;
    FormInstance<frmBackRest>::unload();
    FormInstance<frmBackRest>::open();
}

void Wire_Entries(frmMain& main) {
    main.Wire_Entry(main.mnuBackup, [] { Show_Backup_Restore(1); });
    main.Wire_Entry(main.mnuRestore, [] { Show_Backup_Restore(2); });
}

} // namespace Backup
