#pragma once

// What the windows of the folders above the main window may ask of it: its own
// procedures, never its controls. Every call is pure: frmMain implements them
// all, so a call added here and not implemented there fails to compile.
// frmMain makes itself the one in use while it exists; until then (and in
// tests of other windows) NoMainWindow answers, doing nothing, and a test may
// put a recording fake (derived from NoMainWindow) in with Set_Main.

#include <QString>
#include <array>

// The texts of the main window's RPM and deflection labels.
struct AxisLabelTexts {
    std::array<QString, 16> rpm;
    std::array<QString, 8> deflection;
};

class MainWindow {
public:
    virtual ~MainWindow() = default;

    // --- the map grid ----------------------------------------------------------
    // Redraws the map of the tab that is shown, with its AMP column and scales:
    // the one redraw after the image changed.
    virtual void Redraw_Shown_Map() = 0;
    // Makes tab 1 analog, 2 injection, 3 ignition the shown one and draws it.
    virtual void Select_Tab(int tab) = 0;
    // The tab shown, 1..3.
    virtual int Shown_Tab() const = 0;
    // The RPM captions of the grid from the stored break points.
    virtual void Write_RPM_Scale() = 0;
    // What the RPM and deflection labels show now.
    virtual AxisLabelTexts Axis_Label_Texts() const = 0;

    // --- strip chart, bar gauges and text readouts -------------------------------
    virtual void Plot_Setup() = 0;
    virtual void Plot_Clear() = 0;
    virtual void Plot_Graph() = 0;
    virtual void Bar_Clear() = 0;
    virtual void Bar_Draw() = 0;
    virtual void Text_Values() = 0;

    // --- live tuning -------------------------------------------------------------
    // The caption of the live-tuning entry of key 4..9 ("Analog Up" ...).
    virtual QString Step_Caption(int key) const = 0;

    // --- the window itself --------------------------------------------------------
    virtual void Show_Main(bool visible) = 0;
    // Panel 1 of the status bar names the tune-map file worked on: "File Name : ".
    virtual void Show_Tune_File(const QString& fileName) = 0;
    // A recording was loaded into the play-back window: the status labels say
    // "Status: Play Back" and the status bar names the file.
    virtual void Show_Playback_Loaded(const QString& path) = 0;
};

// The main window while there is none: every call does nothing; the texts it
// gives are empty and the tab shown is 1.
class NoMainWindow : public MainWindow {
public:
    void Redraw_Shown_Map() override {}
    void Select_Tab(int) override {}
    int Shown_Tab() const override { return 1; }
    void Write_RPM_Scale() override {}
    AxisLabelTexts Axis_Label_Texts() const override { return {}; }
    void Plot_Setup() override {}
    void Plot_Clear() override {}
    void Plot_Graph() override {}
    void Bar_Clear() override {}
    void Bar_Draw() override {}
    void Text_Values() override {}
    QString Step_Caption(int) const override { return QString(); }
    void Show_Main(bool) override {}
    void Show_Tune_File(const QString&) override {}
    void Show_Playback_Loaded(const QString&) override {}
};

// The main window in use; a NoMainWindow while there is none.
MainWindow& Main();
// Puts a main window in use (nullptr: the do-nothing one again).
void Set_Main(MainWindow* window);
