#pragma once

#include "library/LibraryScan.h"
#include "platform/SelfUnloadingWindow.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The library window "Load Saved Tune Maps": every tune-map file of the program
// folder in a list that sorts by a clicked column; the selected file is loaded
// as the current map (and sent to the unit when the box is ticked while the unit
// is on-line), opened in the map-file editor, or deleted. One instance, through
// FormInstance<frmLoadLib>; it unloads when it loses the focus.
class frmLoadLib : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Library;
    frmLoadLib();

    void Form_Load();
    void Config_Screen();
    void Set_List_Columns();
    // Scans the library again and rebuilds the list; the selection clears.
    void List_Lib_Files();
    void ListView1_ColumnClick(int column);
    void ListView1_ItemClick(QTreeWidgetItem* item);
    void cmdDelete_Click();
    void cmdEdit_Click();
    void cmdMap_Click();
    void cmdCancel_Click();
    // Reads the selected file into the current-map record and the unit image.
    // Returns false, with the user told why, when nothing was loaded.
    bool Map_IN();

    // The list's row of a file name, or nullptr when it is not listed.
    QTreeWidgetItem* Row_Of(const QString& fileName) const;

    // The files in scan order: row key "key" n holds LibList[n - 1].
    std::vector<TuneMap::LibraryEntry> LibList;
    // The row number n of the entry last clicked; 0 while none is selected.
    int LibSelRow = 0;

    QGroupBox* frameBoth = nullptr;
    QGroupBox* frameLib = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QLabel* lblSkipped = nullptr;
    QPushButton* cmdMap = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdCancel = nullptr;
    QCheckBox* chkDownNOW = nullptr;
    QLabel* lable1 = nullptr;
    QLabel* lblLibName = nullptr;

private:
    void Build_Controls();
    void Fill_Rows();
    // Load, Edit and Delete follow whether a listed row is selected.
    void Set_Selection_Buttons(bool selected);
    const TuneMap::LibraryEntry* Selected() const;
    int sortColumn_ = -1;
};
