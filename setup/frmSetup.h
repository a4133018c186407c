#pragma once

#include "platform/SelfUnloadingWindow.h"
#include "setup/DisplaySetup.h"

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The window "Display Setup": for each reading the main window can show, its bar
// gauge, its text readout, whether it is traced on the strip chart and (among the
// advanced settings) its display name and graph range. The rules are
// DisplaySetup's; this window holds the controls. It unloads when another window
// becomes active, and on OK or Cancel.
class frmSetup : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Setup;
    frmSetup();

    static constexpr int Rows = DisplaySetup::ChannelRows;

    void Form_Load();
    void cmdAdvance_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void comBG_Click(int k);
    void comT_Click(int k);
    // DNtxt_Change, MinTxt_Change and MaxTxt_Change: typed text.
    void Text_Change(int k);
    void lblName_Click(int k);
    void chkP_Click(int k);

    void arrange_display();
    void ADV_Screen();
    void Set_Values();
    void Load_All_Combo();
    void Check_Graph_CHK(int k);
    // Saves the rows (DisplaySetup::Save_Values), tells the user what stopped it,
    // and has the main window redraw its chart, bars and readouts. Returns true
    // when saved.
    bool Save_Values();

    // The rows as the controls hold them now.
    std::vector<DisplaySetup::Channel> Read_Rows() const;
    // The number of rows shown, and the row the marker stands on.
    int Shown_Rows() const { return static_cast<int>(shown_.size()); }
    int Marked_Row() const { return marked_; }

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* FrameADV = nullptr;
    QGroupBox* Frame8 = nullptr;
    QGroupBox* Frame11 = nullptr;
    QGroupBox* Frame12 = nullptr;
    QGroupBox* Frame9 = nullptr;
    QGroupBox* Frame10 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame6 = nullptr;
    QGroupBox* Frame7 = nullptr;
    std::array<QLabel*, Rows> lblName{};
    std::array<QLineEdit*, Rows> DNtxt{};
    std::array<QLineEdit*, Rows> MinTxt{};
    std::array<QLineEdit*, Rows> MaxTxt{};
    std::array<QCheckBox*, Rows> chkP{};
    std::array<QComboBox*, Rows> comBG{};
    std::array<QComboBox*, Rows> comT{};
    QLabel* lblmax1 = nullptr;
    QLabel* lblmax2 = nullptr;
    QLabel* lblmax3 = nullptr;
    QFrame* VarOutline = nullptr;
    QPushButton* cmdAdvance = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdApply = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build_Controls();
    void Mark_Row(int k);
    // The offered rows from the tables: the first Rows shown, the rest left out.
    void Take_Rows();
    void Tell_Left_Out() const;

    // The rows shown (at most Rows) and the offered rows beyond them, which keep
    // their settings and their positions.
    std::vector<DisplaySetup::Channel> shown_;
    std::vector<DisplaySetup::Channel> leftOut_;
    // Places the tables gave to more than one row, settled when the rows were filled.
    std::vector<DisplaySetup::SharedPosition> shared_;
    // RowFuncTable: each shown row's bar-gauge and text-readout position.
    std::array<int, Rows> rowBar_{};
    std::array<int, Rows> rowText_{};
    // FuncBGFree and FuncTFree.
    DisplaySetup::FreePositions freeBars_{DisplaySetup::BarPositions};
    DisplaySetup::FreePositions freeTexts_{DisplaySetup::TextPositions};
    int marked_ = 0;
    // The height of the rows not shown, in twips.
    int shrink_ = 0;
};
