#include "library/Entries.h"

#include "library/MainSave.h"
#include "mainwin/frmMain.h"

namespace Library {

void Wire_Entries(frmMain& main) {
    main.Wire_Entry(main.mnuLoadLib, [] { mnuLoadLib_Click(); });
    main.Wire_Entry(main.mnuSave, [] { mnuSave_Click(); });
    main.Wire_Entry(main.mnuSaveAS, [] { mnuSaveAS_Click(); });
    main.Wire_Entry(main.mnuChangeNames, [] { Show_Names(); });
    main.Wire_Button(main.cmdViewM_Name, [] { Show_Names(); });
}

} // namespace Library
