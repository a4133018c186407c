#pragma once

#include "platform/SelfUnloadingWindow.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The map names dialog "New Names": the descriptive fields of the current map,
// with its map name and description editable. The new texts reach the unit with
// the next full download; the dialog sends nothing and writes no file. One
// instance, created anew on each opening; it unloads on OK, Cancel and when it
// loses the focus.
class frmDisLibNames : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Library;
    frmDisLibNames();

    void Form_Load();
    void Set_Values();
    void txtDesc_Change();
    void txtMapID_Change();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    QGroupBox* Frame1 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtMapID = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtDesc = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblMake = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblModel = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblYear = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblType = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* lblFileName = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void Build_Controls();
    void Store_Texts();
};

namespace TuneMap {

// The texts the names dialog stores: the description cut or padded to 63 with
// the No-Tune mark position of the old MapDscr kept as the 64th character, and
// the map name followed by 61 blanks, cut to 64.
QString Stored_Description(const QString& typed, const QString& oldDscr);
QString Stored_Map_Id(const QString& typed);

} // namespace TuneMap
