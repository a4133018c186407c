#include "core/MenuSetup.h"

#include "core/CoreState.h"

#include <QAbstractButton>
#include <QAction>

namespace WtsGeneral {

namespace {

const MenuEntryState Shown{true, {}, {}, {}};
const MenuEntryState Hidden{false, {}, {}, {}};
const MenuEntryState Withdrawn{false, false, {}, {}};

// Menu entries and buttons take the same four settings.
template <typename Control> void applyState(Control& control, const MenuEntryState& state) {
    if (state.visible)
        control.setVisible(*state.visible);
    if (state.enabled)
        control.setEnabled(*state.enabled);
    if (state.checked) {
        control.setCheckable(true);
        control.setChecked(*state.checked);
    }
    if (state.caption)
        control.setText(*state.caption);
}

} // namespace

NoTuneBrandingMenus NoTune_Branding_Menu_States(int noTuneFlag, int brandingFlag) {
    const bool noTune = noTuneFlag == 170;
    const bool branding = brandingFlag == 1;
    NoTuneBrandingMenus m;
    if (noTune || branding) {
        m.mnuline51 = Shown;
        m.mnuline52 = Shown;
    } else {
        m.mnuline51 = Hidden;
        m.mnuline52 = Hidden;
        m.cmdNoTune = Hidden;
    }
    if (noTune) {
        m.mnuLoadNotune = {{}, true, false, QStringLiteral("Set No-Tune ?")};
        m.cmdNoTune = {true, {}, {}, QStringLiteral("No-Tune OFF")};
    } else {
        m.mnuLoadNotune = Withdrawn;
    }
    if (branding)
        m.mnuLoadBranding = {{}, true, true, QStringLiteral("Branding Set")};
    else
        m.mnuLoadBranding = Withdrawn;
    m.mnuLoadBrNT = Withdrawn;
    return m;
}

NoTuneBrandingMenus Set_NoTune_Branding_Menus() {
    return NoTune_Branding_Menu_States(NoTuneFlag, BrandingFlag);
}

void Apply_Menu_Entry(QAction& entry, const MenuEntryState& state) {
    applyState(entry, state);
}

void Apply_Menu_Entry(QAbstractButton& button, const MenuEntryState& state) {
    applyState(button, state);
}

} // namespace WtsGeneral
