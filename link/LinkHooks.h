#pragma once

// What the link changes on the windows above it. The main window fills these
// at start-up; until then each does nothing, and tests put recording fakes in.

#include <QString>
#include <functional>

// The main-window labels the link writes.
enum class LinkLabel { lblComm, lblVersionValue, lblRPM_Map, lblRPMShow, lblAnalog_Defl };
// The label's control name ("lblComm", ...).
QString Label_Name(LinkLabel label);

struct LinkHooks {
    // The status label array lblNoComms: 0 link status, 1 "Go Online", 2 No-Tune banner.
    std::function<void(int index, const QString& caption)> SetNoCommsCaption =
        [](int, const QString&) {};
    std::function<void(int index, bool visible)> SetNoCommsVisible = [](int, bool) {};
    // Menu and button states for on-line work and for play-back.
    std::function<void(bool)> Comm_Dis_State = [](bool) {};
    std::function<void(bool)> PB_Dis_State = [](bool) {};
    // mnuOnline / mnuOffline ticks.
    std::function<void(bool online)> SetOnlineMenus = [](bool) {};
    // Ticks port menu n (1..4) alone; another number leaves the menus as they are.
    std::function<void(int port)> CheckPortMenu = [](int) {};
    // The No-Tune menus once a map file set No-Tune (NoTuneFlag 171): mnuLoadNotune
    // ticked and disabled, mnuLoadBranding and mnuLoadBrNT not ticked.
    std::function<void()> SetNoTuneMenus = [] {};
    // The start-up and transfer sequencer timer C_Pause.
    std::function<void(bool enabled)> SetPauseEnabled = [](bool) {};
    std::function<void(int ms)> SetPauseInterval = [](int) {};
    // Stops logging to files (LogState 1).
    std::function<void()> Stop_Logg = [] {};
    // Stores the poll base the receive handler has learned (cfg_CommSpeed) in
    // the configuration files: PollTiming::Store_Learned_Base unless a test puts
    // another in.
    std::function<void()> Store_Comm_Speed = [] {};
    // The main window's caption from the caption builder (Set_Form_Caption with
    // "frmMain"), once the read-out has the unit's data.
    std::function<void()> Main_Caption = [] {};

    // The receive handler of the serial control (also fed by play-back ticks):
    // ReceiveHandler::Comm1_OnComm (link/ReceiveHandler.h) unless a test puts
    // another in.
    std::function<void()> Comm1_OnComm = [] {};

    // Play-back has ended (the feed met its last record or an "End" record, or
    // Stop was pressed): the main window shows its "Go Online" label.
    std::function<void()> Playback_Menu_State2 = [] {};

    // Refresh entry points the receive handler calls on the main window.
    std::function<void()> Cursor_Movement = [] {};
    std::function<void()> Plot_Setup = [] {};
    std::function<void()> RPM_Bar_movement = [] {};
    std::function<void()> Bar_Draw = [] {};
    std::function<void()> Text_Values = [] {};
    // A locked unit: the readouts show their names without values.
    std::function<void()> Withhold_Readings = [] {};
    std::function<void()> arrange_table = [] {};
    std::function<void()> Set_RPM_Indication_BAR = [] {};
    std::function<void(bool normal)> Arrange_NoTUNE = [](bool) {};
    // Selects map tab 1..3 of TabStrip1.
    std::function<void(int tab)> SelectTab = [](int) {};
    // The map button and menus for the active map (1 A, 2 B).
    std::function<void(int activeMap)> ShowActiveMap = [](int) {};
    // A main-window label's text and a status bar panel's text.
    std::function<void(LinkLabel label, const QString& text)> SetLabel = [](LinkLabel,
                                                                            const QString&) {};
    std::function<void(int panel, const QString& text)> SetStatusPanel = [](int, const QString&) {};
};

// The hooks in use.
LinkHooks& Hooks();
// Puts every hook back to doing nothing, the receive handler back in place.
void ResetLinkHooks();
