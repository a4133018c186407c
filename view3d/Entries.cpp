#include "view3d/Entries.h"

#include "mainwin/frmMain.h"
#include "platform/FormInstance.h"
#include "view3d/View3dState.h"
#include "view3d/frm3DDrw.h"

namespace View3D {

void Open_View(const QString& kind) {
    // A view still open for a map closes first, keeping its settings.
    if (frm3DDrw* open = FormInstance<frm3DDrw>::ifLoaded()) {
        open->close();
        FormInstance<frm3DDrw>::unload();
    }
    MapKind = kind;
    FormInstance<frm3DDrw>::open();
}

void mnu3DFuel_Click() {
    Open_View(QStringLiteral("Analog:"));
}
void mnu3DIgn_Click() {
    Open_View(QStringLiteral("Injection:"));
}
void mnu3DLambda_Click() {
    Open_View(QStringLiteral("Ignition:"));
}

void Wire_Entries(frmMain& main) {
    main.Wire_Entry(main.mnu3DFuel, [] { mnu3DFuel_Click(); });
    main.Wire_Entry(main.mnu3DIgn, [] { mnu3DIgn_Click(); });
    main.Wire_Entry(main.mnu3DLambda, [] { mnu3DLambda_Click(); });
}

} // namespace View3D
