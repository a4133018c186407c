#pragma once

// What the windows of the folders above the main window may ask of it: its own
// procedures, never its controls. frmMain implements it and makes itself the
// one in use while it exists; until then (and in tests of other windows) each
// call does nothing, and a test may put a recording fake in with Set_Main.

#include <QString>

class MainWindow {
public:
    virtual ~MainWindow() = default;

    // --- the map grid ----------------------------------------------------------
    // Redraws the map of the tab that is shown, with its AMP column and scales.
    virtual void Redraw_Shown_Map() {}
    virtual void Anmap_Dis() {}
    virtual void Injmap_dis() {}
    virtual void Imap_dis() {}
    // Makes tab 1 analog, 2 injection, 3 ignition the shown one and draws it.
    virtual void Select_Tab(int /*tab*/) {}
    // The tab shown, 1..3.
    virtual int Shown_Tab() const { return 1; }
    // The RPM captions of the grid from the stored break points.
    virtual void Write_RPM_Scale() {}

    // --- strip chart, bar gauges and text readouts -------------------------------
    virtual void Plot_Setup() {}
    virtual void Plot_Clear() {}
    virtual void Plot_Graph() {}
    virtual void Bar_Clear() {}
    virtual void Bar_Draw() {}
    virtual void Text_Values() {}

    // --- live tuning -------------------------------------------------------------
    // The caption of the live-tuning entry of key 4..9 ("Analog Up" ...).
    virtual QString Step_Caption(int /*key*/) const { return QString(); }

    // --- the window itself --------------------------------------------------------
    virtual void Show_Main(bool /*visible*/) {}
    // Panel 1 of the status bar names the tune-map file worked on: "File Name : ".
    virtual void Show_Tune_File(const QString& /*fileName*/) {}
    // A recording was loaded into the play-back window: the status labels say
    // "Status: Play Back" and the status bar names the file.
    virtual void Show_Playback_Loaded(const QString& /*path*/) {}
};

// The main window in use; a do-nothing one while there is none.
MainWindow& Main();
// Puts a main window in use (nullptr: the do-nothing one again).
void Set_Main(MainWindow* window);
