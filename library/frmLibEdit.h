#pragma once

#include "platform/SelfUnloadingWindow.h"

#include <QDateTime>
#include <QWidget>
#include <array>
#include <functional>

class KvrError;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The map-file editor "Edit Map Files": the descriptive fields of a tune-map file.
// Opened by the main window's Save and Save As it writes the current map as a new
// file; opened by the library's Edit it rewrites the header of the selected file
// (which may rename it). One instance, created anew on each opening; it unloads
// after Update, after Close and when it loses the focus.
class frmLibEdit : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Library;
    frmLibEdit();
    ~frmLibEdit() override;

    void Form_Load();
    void cmdUpdate_Click();
    void cmdClose_Click();
    void Form_Unload();
    void txtFields_Change(int index);
    void comTxt2_Click(int position);
    void comTxt5_Click(int position);
    void comTxt2_Change();
    void comTxt5_Change();
    void Build_Map_Name();
    // Writes the current map as the new file `target`; false (with the user told)
    // when it was not written.
    bool Save_File(const QString& target);
    // Rewrites the header of the library file oldName under target.
    bool Edit_File(const QString& oldName, const QString& target);

    // The time the headers are stamped with.
    std::function<QDateTime()> Clock = &QDateTime::currentDateTime;

    // The position (from 0) of the entry last picked in either list plus 10;
    // below 10 no pick is in force.
    int ComboPick = 0;

    // 0 description, 1 file name, 2 make, 3 map name, 4 model, 5 type, 6 year,
    // 7 owner, 8 owner e-mail: LibRecord elements 1..9.
    std::array<QLineEdit*, 9> txtFields{};
    std::array<QLabel*, 9> lblFields{};
    QComboBox* comTxt2 = nullptr;
    QComboBox* comTxt5 = nullptr;
    QFrame* picButtons = nullptr;
    QPushButton* cmdUpdate = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void Build_Controls();
    void Finish();
    bool Name_Usable(const QString& typed, QString* name);
    // False, with the user told which field and why, when a field holds what a
    // tune-map header cannot keep.
    bool Fields_Keepable();
};

// The message of a save that failed: the map was not written and why.
void Tell_Save_Failed(const KvrError& e);
