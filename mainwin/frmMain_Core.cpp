// What the window takes from the configuration: the No-Tune and branding menus
// and the table files.

#include "core/CoreState.h"
#include "core/MenuSetup.h"
#include "core/TableFiles.h"
#include "mainwin/frmMain.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/KvrError.h"

#include <QAction>
#include <QPushButton>

void frmMain::Apply_Menu_Setup() {
    const WtsGeneral::NoTuneBrandingMenus menus = WtsGeneral::Set_NoTune_Branding_Menus();
    WtsGeneral::Apply_Menu_Entry(*mnuline51, menus.mnuline51);
    WtsGeneral::Apply_Menu_Entry(*mnuline52, menus.mnuline52);
    WtsGeneral::Apply_Menu_Entry(*mnuLoadNotune, menus.mnuLoadNotune);
    WtsGeneral::Apply_Menu_Entry(*mnuLoadBranding, menus.mnuLoadBranding);
    WtsGeneral::Apply_Menu_Entry(*mnuLoadBrNT, menus.mnuLoadBrNT);
    WtsGeneral::Apply_Menu_Entry(*cmdNoTune, menus.cmdNoTune);
    // The entries' enabled states are the state switches' too.
    for (auto [entry, state] : {std::pair{mnuLoadNotune, &menus.mnuLoadNotune},
                                std::pair{mnuLoadBranding, &menus.mnuLoadBranding},
                                std::pair{mnuLoadBrNT, &menus.mnuLoadBrNT}})
        if (state->enabled)
            Set_Entry_Enabled(entry, *state->enabled);
}

void frmMain::Read_Table_Files() {
    // A table file that exists but cannot be read leaves its defaults; the
    // window still comes up.
    const auto read = [](void (*reader)(), const QString& what) {
        try {
            reader();
        } catch (const KvrError& e) {
            FileProblem::Tell({what, QStringLiteral("read"), e.description(),
                               QStringLiteral("The program goes on with its defaults."),
                               QStringLiteral("Configuration Files")});
        }
    };
    read(WtsGeneral::Read_FileInfo_File, QStringLiteral("file information file"));
    // The display files decide every readout: one that cannot be used whole is
    // told now, once, with what the window shows instead.
    try {
        WtsGeneral::Tell_Unusable_Files(WtsGeneral::Read_Setup_Display_Files());
    } catch (const KvrError& e) {
        FileProblem::Tell(
            {QStringLiteral("display set-up files"), QStringLiteral("read"), e.description(),
             QStringLiteral("The program shows no live readouts, bars or chart traces."),
             QStringLiteral("Configuration Files")});
    }
}
