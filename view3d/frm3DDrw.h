#pragma once

#include "platform/SelfUnloadingWindow.h"
#include "view3d/Geometry3D.h"
#include "view3d/Scene3D.h"
#include "view3d/Settings3D.h"
#include "view3d/Tune3D.h"

#include <QTimer>
#include <QWidget>
#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QRadioButton;
class QSlider;
class QStatusBar;

namespace View3D {

// The drawing frame's surface: paints the window's scene and reports a press.
class Drawing : public QWidget {
    Q_OBJECT
public:
    Drawing(const Scene& scene, QWidget* parent);
    std::function<void(int button, int shift, double x, double y)> pressed;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Scene& scene_;
};

} // namespace View3D

// The 3-D view of one map (MapKind): the wire frame from any angle through six
// sliders, the live operating point, live tuning with F4..F9, and the settings
// of the sliders kept per map kind in "KVR63DDraw.cfg". One instance, loaded by
// the main window's 3-D menu entries; it unloads on "Close", its close box, or
// when another window of the program becomes active, saving its settings and
// returning the main window to the same map.
class frm3DDrw : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::View3d;
    frm3DDrw();
    ~frm3DDrw() override;

    // --- drawing ------------------------------------------------------------
    void Form_Load();
    // Places the nodes, labels and wire lines from the view values, the sliders
    // and the image as it is now, and repaints once.
    void draw();
    // Every wire line back to its gradient colour and width 2.
    void redo_graph_colour();
    // The axis label texts the main window shows now.
    void Load_LBL_Scales();
    // After a stopped step (platform/Step.h): the labels, the surface, the cursor
    // and the live point anew from the image.
    void Redraw_After_Stop();

    // --- the edit cursor and editing ------------------------------------------------
    // Cursor keys move the cursor; edit keys (Page Up / Down, keypad 9, 3, + and
    // -) change the cells of the adjust mode; any other key shows the cursor again.
    void Form_KeyDown(int KeyCode, int Shift);
    // The cursor characters ("8" "W" "E", "2" "Z" "X", "4" "A", "6" "D").
    void Form_KeyPress(int KeyAscii);
    // Places the edit cursor's cross and shows its cell's value.
    void draw_point();
    // The value at the pointer, as the status bar shows it; empty while the
    // pointer is not shown.
    QString Pointer_Text() const;
    // The level lines or the highlighted row or column of the adjust mode.
    void mark_line();
    // Applies EditKey to the cells of the adjust mode.
    void Tune_Graph();
    // The cursor to the node nearest the last press, shown from then on; a press
    // farther than PickRadius pixels from every node changes nothing.
    void Fined_point();
    void mnuLeft_Click();
    void mnuRight_Click();
    void mnuUp_Click();
    void mnuDown_Click();
    void mnuPgUp_Click();
    void mnuPgDn_Click();
    View3D::AdjustMode Mode() const;

    // --- the live point ---------------------------------------------------------
    // Marks the engine's live map cell when it differs from the one last marked.
    void Cursor_Movement();
    void Timer1_Timer();

    // --- settings files ----------------------------------------------------------
    void Load_Display_Setup();
    void Save_Settings();
    void mnuDefault_Click();

    // --- sliders, options and menus -------------------------------------------------
    void Slider1_Scroll();
    void Slider2_Scroll();
    void Slider4_Scroll();
    void Slider5_Scroll();
    void Slider6_Scroll();
    void Slider7_Scroll();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Load_Menu();
    void mnuF4_Click();
    void mnuF5_Click();
    void mnuF6_Click();
    void mnuF7_Click();
    void mnuF8_Click();
    void mnuF9_Click();
    void mnuClose_Click();
    void Frame1_MouseDown(int button, int shift, double x, double y);
    // The closing sequence: the settings saved, the main window on the same map.
    void Form_Unload();

    // The slider of settings row 1..6, top to bottom.
    QSlider* Slider_Of_Row(int row) const;
    // The slider positions a drawing reads.
    View3D::SliderValues Slider_Values() const;
    const View3D::Scene& Shown() const { return scene_; }
    // The part of the drawing the last live-point move painted again.
    QRect LiveRepaint;
    // The text of status bar panel 1.
    QString Status_Text() const;

    // --- controls ---------------------------------------------------------------
    QMenuBar* MenuBar = nullptr;
    QWidget* Client = nullptr;
    QGroupBox* Frame3 = nullptr; // "Graph Controls"
    QGroupBox* Frame2 = nullptr; // "Tuning"
    QGroupBox* Frame1 = nullptr; // the drawing, captioned with the map's title
    View3D::Drawing* Picture = nullptr;
    QSlider* Slider1 = nullptr; // Twist
    QSlider* Slider2 = nullptr; // Height
    QSlider* Slider4 = nullptr; // Move Top
    QSlider* Slider5 = nullptr; // Width
    QSlider* Slider6 = nullptr; // Amplitude
    QSlider* Slider7 = nullptr; // Move Bottom
    QLabel* Label3 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QRadioButton* Option5 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QTimer Timer1;

    QAction* mnuNavigation = nullptr;
    QAction* mnuLeft = nullptr;
    QAction* mnuRight = nullptr;
    QAction* mnuUp = nullptr;
    QAction* mnuDown = nullptr;
    QAction* mnuPgUp = nullptr;
    QAction* mnuPgDn = nullptr;
    QAction* mnuLiveT = nullptr;
    QAction* mnuF4 = nullptr;
    QAction* mnuF5 = nullptr;
    QAction* mnuF6 = nullptr;
    QAction* mnuF7 = nullptr;
    QAction* mnuF8 = nullptr;
    QAction* mnuF9 = nullptr;
    QAction* mnuReset = nullptr;
    QAction* mnuDefault = nullptr;
    QAction* mnuClose = nullptr;

    // The selection start of each slider (Slider1..Slider7), kept and stored
    // back; nothing shows it.
    std::array<int, 8> SelStart{};

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build_Controls();
    void Build_Menus();
    void Connect_Handlers();
    // Reads a settings file's section of MapKind onto the sliders; false when
    // the file could not be read (or, missing, not be made), which is told.
    bool Read_Settings(const QString& fileName, bool createWhenMissing);
    void Apply_Row(int row, const View3D::SettingRow& values);
    // The settings of the slider of row 1..6 as they stand.
    View3D::SliderSetting Current_Setting(int row) const;
    void Live_Step(int key);
    // After a change of the view: drawn again, the marks placed again.
    void View_Changed();
    // A key for the window's handlers; true when it was one of theirs.
    bool Window_Key(QKeyEvent* key);
    // After a cursor move: the cross, the colours and the marks again.
    void Cursor_Moved();
    View3D::Scene scene_;
    bool unloaded_ = false;
    // The sliders' settings once the opening had read the file: the close
    // rewrites only the lines of the rows that differ from them.
    std::array<View3D::SliderSetting, View3D::SettingRows> opened_{};
    // False when the opening could not read the settings file: the close leaves
    // it alone.
    bool settingsKnown_ = true;
    // The held-step notice the status bar was given last; empty for none.
    QString heldShown_;
};
