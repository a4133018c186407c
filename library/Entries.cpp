#include "library/Entries.h"

#include "library/BackupEntries.h"
#include "library/ContactEntries.h"
#include "library/MainSave.h"
#include "library/WDLoadEntries.h"
#include "mainwin/frmMain.h"

namespace Library {

void Wire_Entries(frmMain& main) {
    main.Wire_Entry(main.mnuLoadLib, [] { mnuLoadLib_Click(); });
    main.Wire_Entry(main.mnuSave, [] { mnuSave_Click(); });
    main.Wire_Entry(main.mnuSaveAS, [] { mnuSaveAS_Click(); });
    main.Wire_Entry(main.mnuChangeNames, [] { Show_Names(); });
    main.Wire_Button(main.cmdViewM_Name, [] { Show_Names(); });
    main.Wire_Entry(main.mnuContact, [] { Show_Contact(); });
    main.Wire_Entry(main.mnuBackup, [] { Show_Backup_Restore(1); });
    main.Wire_Entry(main.mnuRestore, [] { Show_Backup_Restore(2); });
    main.Wire_Entry(main.mnuLoadWD, [] { Show_WD_Maps(); });
    main.Wire_Entry(main.mnuWire, [] { mnuWire_Click(); });
    // Whichever logo shows, a click opens the dealer's details (with branding).
    for (int i = 0; i < 3; ++i)
        main.Wire_Picture(i, [] { Show_Dealer(); });
}

} // namespace Library
