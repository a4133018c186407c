#pragma once

#include "link/UnitLink.h"
#include "mainwin/MainWindow.h"
#include "platform/Dialogs.h"
#include "platform/StateReset.h"

#include <QDateTime>
#include <QMainWindow>
#include <array>
#include <functional>
#include <map>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabBar;
class QTimer;
namespace WtsUp {
struct RpmBar;
}
namespace CellEntry {
struct Selection;
}
namespace Readouts {
class BarIndicators;
class StripChart;
} // namespace Readouts

// The main tuning window: the map grid with its scales, the readings, the menus
// and buttons, and the state switches that follow the link. One instance, through
// FormInstance<frmMain>; closing it ends the program.
class frmMain : public QMainWindow, public MainWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Mainwin;
    frmMain();
    ~frmMain() override;

    // --- start-up and layout -------------------------------------------------
    void Form_Load();
    void arrange_table();
    void Config_Screen();
    void TabStrip1_Click();
    // Makes tab 1..3 the selected tab and runs the tab strip's click, also when
    // that tab is already the selected one.
    void Select_Tab(int tab) override;
    // Unloads the window: closes the link's files and port, every other window,
    // and ends the program.
    void Form_Unload();
    // Before the window unloads (Exit, the title bar's close): asks when
    // closing would lose edits made off-line that no file and not the unit
    // holds (SendRule::Confirm_Closing); Cancel true keeps the program open.
    void Form_QueryUnload(bool& Cancel);
    int Shown_Tab() const override;
    QString Step_Caption(int key) const override;
    void Show_Main(bool visible) override;
    void Show_Playback_Loaded(const QString& path) override;
    void Show_Tune_File(const QString& fileName) override;

    // --- map grid display and scales ------------------------------------------
    // The maps of tabs 1, 2 and 3, drawn whatever tab is shown: inside the main
    // window only (other windows call Redraw_Shown_Map).
    void Anmap_Dis();
    void Injmap_dis();
    void Imap_dis();
    // Redraws the map of the tab that is shown: the one entry a map load or a
    // scale change calls.
    void Redraw_Shown_Map() override;
    AxisLabelTexts Axis_Label_Texts() const override;
    void AMP_Scale();
    void Set_Scale_Colour();
    void Write_RPM_Scale() override;
    void Fuel_Map();
    void Ignition_Map();
    void Lambda_Map();
    void thr_Scale();

    // --- readings, bars and chart (frmMain_Readings.cpp) -------------------------
    void Plot_Setup() override;
    void Plot_Clear() override;
    void Plot_Graph() override;
    void Bar_Draw() override;
    void Bar_Clear() override;
    void Text_Values() override;
    void RPM_Bar_movement();
    // A locked unit's readings are not taken: the text readouts and bars show
    // their names without values, the RPM and load figures and the RPM bar none,
    // the chart is empty.
    void Withhold_Readings();
    void Set_RPM_Indication_BAR();

    // --- live-data logging and play-back (frmMain_Logging.cpp) -------------------
    // Starts a recording when none runs, else stops it.
    void mnuLogging_Click();
    // Ends the recording: both logs get their end lines and close.
    void Stop_Logg();
    // Shows the play-back window.
    void mnuPBScreen_Click();
    // Play-back has ended: LogState 0 and the "Go Online" label shown.
    void Playback_Menu_State2();
    // The state label says "Status: Play Back" while a play-back runs or is
    // paused, or its window is open with a recording; else off-line's again.
    void Show_Playback_State(bool stationOpen);

    // --- live cursor: entry points the cursor code fills -------------------------
    void Cursor_Movement();
    void Clear_Map_Cursor();
    void Clear_AMP_Cursor();

    // --- map grid selection, cell entry and column adjustment ---------------------
    void Txt128_Click(int index);
    void TxtAMP_Click(int index);
    // The AFR row and panel shown on the ignition tab only.
    void Arrange_Afr_Row(int tab);
    // A key on a focused grid cell (codes as CellEntry gives them).
    void Txt128_KeyDown(int index, int KeyCode, int Shift);
    // The selection an arrow key leads to from the current one.
    CellEntry::Selection Key_Down(int KeyCode) const;
    // A key in txtEnter, seen before its character goes into the box.
    void txtEnter_KeyDown(int KeyCode, int Shift);
    void chkAdjustColumn_Click();

    // --- sequencer --------------------------------------------------------------
    void C_Pause_Timer();

    // --- state switches ---------------------------------------------------------
    void Comm_Dis_State(bool online);
    void PB_Dis_State(bool playback);
    void Arrange_NoTUNE(bool enable);
    void mnuLoadNotune_Click();
    void cmdNoTune_Click();
    void mnuLoadBranding_Click();
    void mnuLoadBrNT_Click();

    // --- menus and buttons ------------------------------------------------------
    void mnuExit_Click();
    void mnuCopy_Click();
    void mnuTracer_Click();
    void mnuOffline_Click();
    void mnuF1_Click();
    void mnuF2_Click();
    void mnuF3_Click();
    void mnuF4_Click();
    void mnuF5_Click();
    void mnuF6_Click();
    void mnuF7_Click();
    void mnuF8_Click();
    void mnuF9_Click();
    void cmdF4_Click();
    void cmdF5_Click();
    void cmdF6_Click();
    void cmdF7_Click();
    void cmdF8_Click();
    void cmdF9_Click();
    void cmdMapAB_Click();
    void PicLogo_Click(int index);
    void lblNoComms_Click();
    void Timer_Clear_Timer();
    // The text Copy Map puts on the clipboard.
    QString Map_Copy_Text() const;

    // --- transfers and the console (frmMain_Console.cpp) -------------------------
    void mnuDownload_Click();
    void mnuDosHelp_Click();
    void txtDOS_GotFocus();
    void txtDOS_LostFocus();
    void Show_Console_Placeholder();
    // Every key typed in the console; Enter runs the line. Returns true for Enter.
    bool txtDOS_KeyDown(int keyCode);
    // The time the clear-unit sequence stamps into the unit.
    std::function<QDateTime()> ClearClock = &QDateTime::currentDateTime;

    // An entry whose window or command is built elsewhere gets its handler here.
    // Until then it is shown disabled; once wired it follows the state switches.
    void Wire_Entry(QAction* entry, std::function<void()> handler);
    void Wire_Button(QPushButton* button, std::function<void()> handler);
    // A click on picture PicLogo(index) runs the handler (the dealer contact
    // window: PicLogo_Click opens it only with branding).
    void Wire_Picture(int index, std::function<void()> handler);
    bool Is_Wired(const QAction* entry) const;
    // Enables or disables an entry as the state switches decide; an entry without
    // its handler yet stays disabled.
    void Set_Entry_Enabled(QAction* entry, bool enabled);
    // The state the switches last gave an entry, wired or not.
    static bool Entry_State(const QAction* entry);
    // Runs an entry's handler as choosing it would (nothing when it has none).
    void Run_Entry(QAction* entry);

    // The serial link: the serial control Comm1 and the polling timer Comm_Timer.
    UnitLink Link;

    // --- controls ---------------------------------------------------------------
    QTabBar* TabStrip1 = nullptr;
    QFrame* Frame_map = nullptr;
    QFrame* Frame_rpm = nullptr;
    QFrame* Frame_def = nullptr;
    QFrame* Frame_info = nullptr;
    QFrame* frmLambda = nullptr;
    QFrame* Frame_AFR_Def = nullptr;
    std::array<QLineEdit*, 128> Txt128{};
    std::array<QLabel*, 16> lblrpm{};
    std::array<QLineEdit*, 16> TxtAMP{};
    std::array<QLabel*, 16> LblAmp{};
    std::array<QLabel*, 16> lblDef{};
    std::array<QLineEdit*, 8> txtAfrT{};
    QLabel* LblAMPHead = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label16 = nullptr;
    QLineEdit* txtEnter = nullptr;
    QLabel* lblEnter = nullptr;
    QCheckBox* chkAdjustColumn = nullptr;
    QLineEdit* txtDOS = nullptr;

    QFrame* Frame_readings = nullptr;
    std::array<QLabel*, 10> lblRC{};
    std::array<QLabel*, 10> RCNum{};

    // The six bar indicators, drawn in one widget that fills their frame.
    QFrame* Frame_bars = nullptr;
    Readouts::BarIndicators* BarSet = nullptr;

    QFrame* Frame_rpmbar = nullptr;
    QFrame* RPMOutline = nullptr;
    QFrame* ImgRPM = nullptr;
    std::array<QLabel*, 10> lblrunrpm{};
    QLabel* lblRPMShow = nullptr;

    // The strip chart with its three traces and sweep line, filling its frame.
    QFrame* PicGraph = nullptr;
    Readouts::StripChart* Chart = nullptr;
    // The chart's caption: the legend of its traces ("Live Lambda" without one).
    QLabel* Plot_Block = nullptr;

    QFrame* Frame_live = nullptr;
    QLabel* lblVersionCaption = nullptr;
    QLabel* lblVersionValue = nullptr;
    QLabel* lblRPM_Map = nullptr;
    QLabel* lblAnalog_Defl = nullptr;
    QLabel* lblComm = nullptr;

    std::array<QLabel*, 3> lblNoComms{};
    QLabel* lblWebsite = nullptr;
    std::array<QLabel*, 3> PicLogo{};

    QPushButton* cmdMapAB = nullptr;
    QPushButton* cmdNoTune = nullptr;
    QPushButton* cmdSetDisplay = nullptr;
    QPushButton* cmdViewM_Name = nullptr;
    QPushButton* cmdF4 = nullptr;
    QPushButton* cmdF5 = nullptr;
    QPushButton* cmdF6 = nullptr;
    QPushButton* cmdF7 = nullptr;
    QPushButton* cmdF8 = nullptr;
    QPushButton* cmdF9 = nullptr;

    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 5> StatusPanel{}; // panels 1..4 (element 0 unused)

    // The window's file dialog settings (initial folder, filter, extension).
    Dialogs::FileRequest ComDialog1;

    QTimer* C_Pause = nullptr;
    QTimer* Timer_Clear = nullptr;

    // --- menus (titles are the QMenu's action) -----------------------------------
    QMenu* mnuFileMenu = nullptr;
    QAction* mnuFile = nullptr;
    QAction* mnuLoadLib = nullptr;
    QAction* mnuLoadWD = nullptr;
    QAction* mnuline51 = nullptr;
    QAction* mnuBackup = nullptr;
    QAction* mnuRestore = nullptr;
    QAction* mnuLine55 = nullptr;
    QAction* mnuLoadBranding = nullptr;
    QAction* mnuLoadNotune = nullptr;
    QAction* mnuLoadBrNT = nullptr;
    QAction* mnuline52 = nullptr;
    QAction* mnuMakeDisk = nullptr;
    QAction* mnuLine54 = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAS = nullptr;
    QAction* mnuLine3 = nullptr;
    QAction* mnuChangeNames = nullptr;
    QAction* mnuContact = nullptr; // the contact details and export list
    QAction* mnuLine48 = nullptr;
    QAction* mnuExit = nullptr;

    QAction* mnuEdit = nullptr;
    QAction* mnuCut = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuPaste = nullptr;

    QAction* mnuTools = nullptr;
    QAction* mnuUpload = nullptr;
    QAction* mnuDownload = nullptr;
    QAction* mnuline4 = nullptr;
    QAction* mnuApp_Version = nullptr;
    QAction* mnuLogging = nullptr;
    QAction* mnuTracer = nullptr;
    QAction* mnuline41 = nullptr;
    QAction* mnuDosHelp = nullptr;
    QAction* mnuLine45 = nullptr;
    QAction* mnuMapA = nullptr;
    QAction* mnuMapB = nullptr;
    QAction* mnuLine44 = nullptr;
    std::array<QAction*, 5> mnuPort{}; // mnuPort1..mnuPort4 (element 0 unused)
    QAction* mnuLine46 = nullptr;
    QAction* mnuReset = nullptr;

    QAction* mnu2DMap = nullptr;
    QAction* mnuF1 = nullptr;
    QAction* mnuF2 = nullptr;
    QAction* mnuF3 = nullptr;
    QAction* mnuLine43 = nullptr;
    QAction* mnuF4 = nullptr;
    QAction* mnuF5 = nullptr;
    QAction* mnuLine23 = nullptr;
    QAction* mnuF6 = nullptr;
    QAction* mnuF7 = nullptr;
    QAction* mnuLine24 = nullptr;
    QAction* mnuF8 = nullptr;
    QAction* mnuF9 = nullptr;

    QAction* mnu3DMap = nullptr;
    QAction* mnu3DFuel = nullptr;
    QAction* mnu3DIgn = nullptr;
    QAction* mnu3DLambda = nullptr;

    QAction* mnuGlobal = nullptr;
    QAction* mnuCompensation = nullptr;
    QAction* mnuFunction = nullptr;

    QAction* mnuScale = nullptr;
    QAction* mnuRpm = nullptr;
    QAction* mnuAnalog = nullptr;

    QAction* mnuStatus = nullptr;
    QAction* mnuOnline = nullptr;
    QAction* mnuOffline = nullptr;

    QAction* mnuPBScreen = nullptr;
    QAction* mnuWire = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The logo, status-label and "RPM" heading clicks eventFilter takes.
    bool Window_Event(QObject* watched, QEvent* event);

private:
    void Build_Controls();
    void Build_Grid();
    void Build_Readings();
    void Build_Menus();
    void Connect_Handlers();
    void Fill_Link_Hooks();
    void Wire_Logging();
    // Mouse and keys of the grid and the entry box, the column switch and the
    // live-cell stepping.
    void Wire_Grid_Editing();
    // Moves the selection by an arrow key and selects the box it reaches.
    void Select_By_Arrow(int KeyCode);
    QAction* Entry(QMenu* menu, const char* name, const QString& caption);
    QAction* Separator(QMenu* menu, const char* name);
    // Writes one map's cells and AMP column, then its axis labels.
    void Show_Map(int tab);
    void Step_Key(int key);
    void Write_Axis_Labels();
    void Write_Temp_Labels();
    void Place_Rpm_Bar(const WtsUp::RpmBar& bar);
    // Hides the start-up captions once the chart's sweep is under way.
    void After_Plot();
    void Apply_Menu_Setup();
    void Read_Table_Files();
    void Wire_Console();
    // Takes the console box's event filter off before the window's members go.
    void Unwire_Console();
    std::map<QAction*, std::function<void()>> handlers_;
    std::array<std::function<void()>, 3> pictureHandlers_{};
    bool unloading_ = false;
};
