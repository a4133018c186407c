#pragma once

#include <QString>
#include <optional>

class QAction;
class QAbstractButton;

namespace WtsGeneral {

// What the set-up does to one menu entry or button; an empty field is left as it is.
struct MenuEntryState {
    std::optional<bool> visible;
    std::optional<bool> enabled;
    std::optional<bool> checked;
    std::optional<QString> caption;
    bool operator==(const MenuEntryState&) const = default;
};

// The main window's No-Tune and branding entries after start-up.
struct NoTuneBrandingMenus {
    MenuEntryState mnuline51;
    MenuEntryState mnuline52;
    MenuEntryState mnuLoadNotune;
    MenuEntryState mnuLoadBranding;
    MenuEntryState mnuLoadBrNT;
    MenuEntryState cmdNoTune;
    bool operator==(const NoTuneBrandingMenus&) const = default;
};

// The entries for a No-Tune byte and a branding flag: No-Tune is offered when the
// byte is 170, branding when the flag is 1; "Load Br + NT" is never offered.
NoTuneBrandingMenus NoTune_Branding_Menu_States(int noTuneFlag, int brandingFlag);

// The entries for the dealer settings now in place (NoTuneFlag, BrandingFlag);
// the main window applies them once at its load.
NoTuneBrandingMenus Set_NoTune_Branding_Menus();

// Applies one entry's state to a menu entry (separators included) or a button.
void Apply_Menu_Entry(QAction& entry, const MenuEntryState& state);
void Apply_Menu_Entry(QAbstractButton& button, const MenuEntryState& state);

} // namespace WtsGeneral
