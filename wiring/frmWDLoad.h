#pragma once

#include "platform/SelfUnloadingWindow.h"
#include "wiring/WiringDiagram.h"

#include <QWidget>
#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// The wiring-diagram map list: the records of "KVRWD.cfg" with the columns the
// user ticks, filtered by one field or all shown, sorted by a clicked column;
// "Load Map >>" loads the chosen record the chosen way into the image (and the
// unit while it answers). The records are read by the menu entry
// (Wiring::Show_WD_Maps) before the window opens. One instance, through FormInstance<frmWDLoad>;
// it unloads when it loses the focus.
class frmWDLoad : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Wiring;
    frmWDLoad();

    void Form_Load();
    void Config_Screen();
    // Rebuilds the columns and the rows from WdTable.
    void List_WD_Maps();
    void chkDisplay_Click(int index);
    void chkSearch_Click();
    void cmdSearch_Click();
    void ListView1_ColumnClick(int column);
    void ListView1_ItemClick(QTreeWidgetItem* item);
    // Loads the chosen record the chosen way; with no way chosen (a double-click
    // or Enter on a row) the user is asked to choose one and nothing is loaded.
    void cmdMap_Click();
    void cmdCancel_Click();

    // The listed row of record n, or nullptr when the filter hides it.
    QTreeWidgetItem* Row_Of(int record) const;

    std::array<QCheckBox*, 8> chkDisplay{};
    QCheckBox* chkSearch = nullptr;
    QLineEdit* txtSearch = nullptr;
    std::array<QRadioButton*, 6> optSearch{};
    QPushButton* cmdSearch = nullptr;
    QTreeWidget* ListView1 = nullptr;
    std::array<QRadioButton*, 2> optSave{};
    QPushButton* cmdMap = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void Build_Controls();
    WiringDiagram::Filter Current_Filter() const;
    bool Option_Chosen() const;
    // "Load Map >>" is on while a listed record and a way of loading are chosen.
    void Update_Load_Button();
    int sortColumn_ = -1;
};
