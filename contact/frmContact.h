#pragma once

#include "platform/SelfUnloadingWindow.h"

#include <QString>
#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

// The contact window "Contact and Export List": the user's own contact record
// (eleven fields, kept in KVR6Contact.cfg) and the library's tune-map files with
// a tick each, so that the ticked maps are exported together with the record to
// a CSV file for the maker's web site. One instance, through
// FormInstance<frmContact>; it unloads when it loses the focus.
class frmContact : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Contact;
    frmContact();

    void Form_Load();
    // Scans the library into LstLib and ExportList; the current map's record is
    // left alone.
    void List_Lib_Files();
    // Locks the Name and Surname boxes that already hold a name.
    void Block_change();
    void txtFields_Change(int index);
    // Stores the record once the required fields hold a value and every value
    // can stand in a tune-map file's header; a refused value is named with the
    // reason, its box gets the focus and nothing is stored.
    void cmdUpdate_Click();
    void LstLib_ItemCheck(int item);
    // The save dialog, then the export: ".CSV" added to a name without an
    // extension, a tune-map name refused, a contact value or a ticked map the
    // CSV cannot keep told (nothing written), a file that is there replaced only
    // after a question naming it (No the default).
    void cmdExport_Click();
    // Writes the CSV file CsvFileName; false, with the user told why, when it
    // could not be written (a file of that name then stays as it was).
    bool Save_CSV_File();
    void Timer1_Timer();
    void cmdClose2_Click();

    // The path the save dialog returned last.
    QString CsvFileName;

    std::array<QLabel*, 11> lblLabels{};
    std::array<QLineEdit*, 11> txtFields{};
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QListWidget* LstLib = nullptr;
    QLabel* lblSkipped = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QLabel* lblUpdate = nullptr;
    QPushButton* cmdExport = nullptr;
    QLabel* lblExport = nullptr;
    QLabel* lblFileCap = nullptr;
    QLabel* lblFileName = nullptr;
    QPushButton* cmdClose2 = nullptr;
    std::array<QLabel*, 5> Label{}; // the steps Label1..Label5
    QTimer* Timer1 = nullptr;

private:
    void Build_Controls();
    // A box's field as the user knows it: "Name", "Email Address".
    static QString Field_Name(int box);
    bool listing_ = false; // while the list is filled, its ticks are no user's
};
