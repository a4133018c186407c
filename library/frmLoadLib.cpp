#include "library/frmLoadLib.h"

#include "core/Caption.h"
#include "core/CoreState.h"
#include "core/KeptImage.h"
#include "library/LibraryState.h"
#include "library/MapLoad.h"
#include "library/frmLibEdit.h"
#include "link/Download.h"
#include "link/SendRule.h"
#include "mainwin/Design.h"
#include "mainwin/MainWindow.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/FormInstance.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"
#include "platform/ProgramFolder.h"
#include "platform/Step.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <array>

namespace {

struct ListColumn {
    const char* header;
    int twips;
};

const std::array<ListColumn, TuneMap::LibraryColumns> Columns{{{"Make", 1100},
                                                               {"Model", 1100},
                                                               {"Year", 1100},
                                                               {"Type", 1400},
                                                               {"Map Name", 3700},
                                                               {"KVR6 Description", 3700},
                                                               {"File Name", 1700}}};

const QString LibraryTitle = QStringLiteral("Tune Map Library");

} // namespace

frmLoadLib::frmLoadLib() {
    setObjectName(QStringLiteral("frmLoadLib"));
    Build_Controls();
    Step::Connect(ListView1->header(), &QHeaderView::sectionClicked, this,
                  &frmLoadLib::ListView1_ColumnClick);
    // The highlighted row is the selection, however it got there (mouse or keys).
    Step::Connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> rows = ListView1->selectedItems();
        if (rows.isEmpty()) {
            LibSelRow = 0;
            Set_Selection_Buttons(false);
        } else {
            ListView1_ItemClick(rows.first());
        }
    });
    Step::Connect(cmdMap, &QPushButton::clicked, this, &frmLoadLib::cmdMap_Click);
    Step::Connect(cmdEdit, &QPushButton::clicked, this, &frmLoadLib::cmdEdit_Click);
    Step::Connect(cmdDelete, &QPushButton::clicked, this, &frmLoadLib::cmdDelete_Click);
    Step::Connect(cmdCancel, &QPushButton::clicked, this, &frmLoadLib::cmdCancel_Click);
    Form_Load();
}

void frmLoadLib::Build_Controls() {
    setFixedSize(Design::px(14640), Design::px(7500));
    frameBoth = new QGroupBox(QStringLiteral("Load KVR Tune Maps and Configuration files"), this);
    Design::place(frameBoth, 120, 60, 14400, 6720);
    frameLib = new QGroupBox(QStringLiteral("Tune Maps List"), frameBoth);
    Design::place(frameLib, 120, 300, 14160, 4980);
    frameLib->setVisible(false);
    ListView1 = new QTreeWidget(frameLib);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    Design::place(ListView1, 120, 300, 13920, 4560);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(false);

    lblSkipped = new QLabel(frameBoth);
    lblSkipped->setObjectName(QStringLiteral("lblSkipped"));
    Design::place(lblSkipped, 120, 5340, 14160, 300);
    lblSkipped->setVisible(false);
    lable1 = new QLabel(QStringLiteral("Description of file Loaded :"), frameBoth);
    Design::place(lable1, 120, 5700, 2700, 300);
    lblLibName = new QLabel(frameBoth);
    lblLibName->setObjectName(QStringLiteral("lblLibName"));
    Design::place(lblLibName, 2880, 5700, 11400, 300);
    chkDownNOW = new QCheckBox(QStringLiteral("Automatically Download Map to TQX"), frameBoth);
    chkDownNOW->setObjectName(QStringLiteral("chkDownNOW"));
    Design::place(chkDownNOW, 120, 6180, 6000, 330);
    chkDownNOW->setChecked(true);

    auto button = [this](const QString& caption, const char* name, int left, int width) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        Design::place(b, left, 6900, width, 450);
        return b;
    };
    cmdMap = button(QStringLiteral("&Load Map >>"), "cmdMap", 120, 2100);
    cmdEdit = button(QStringLiteral("&Edit Selected Map"), "cmdEdit", 2340, 2400);
    cmdDelete = button(QStringLiteral("&Delete Selected Map"), "cmdDelete", 4860, 2600);
    cmdCancel = button(QStringLiteral("&Cancel"), "cmdCancel", 12600, 1900);
    cmdCancel->setVisible(false);
}

void frmLoadLib::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmLoadLib"));
    Config_Screen();
    List_Lib_Files();
    lblLibName->setText(MapDscr);
    // A loaded map goes to the unit only while the unit answers.
    if (OnlineState != OnlineStates::Online) {
        chkDownNOW->setChecked(false);
        chkDownNOW->setEnabled(false);
    }
}

void frmLoadLib::Config_Screen() {
    frameLib->setVisible(true);
    chkDownNOW->setText(QStringLiteral("Automatically Download files to ") + UnitName);
    cmdCancel->setVisible(true);
}

void frmLoadLib::Set_List_Columns() {
    ListView1->clear();
    ListView1->setColumnCount(TuneMap::LibraryColumns);
    QStringList headers;
    for (const ListColumn& c : Columns)
        headers << QString::fromLatin1(c.header);
    ListView1->setHeaderLabels(headers);
    for (int c = 0; c < TuneMap::LibraryColumns; ++c)
        ListView1->setColumnWidth(c, Design::px(Columns[c].twips));
}

void frmLoadLib::List_Lib_Files() {
    Set_List_Columns();
    QStringList notes;
    LibList = TuneMap::Scan_Library(&notes);
    lblSkipped->setText(notes.isEmpty()
                            ? QString()
                            : QStringLiteral("Not listed: ") + notes.join(QStringLiteral("; ")));
    lblSkipped->setVisible(!notes.isEmpty());
    lblSkipped->setToolTip(notes.join('\n'));
    Fill_Rows();
}

void frmLoadLib::Fill_Rows() {
    ListView1->clear();
    LibSelRow = 0;
    Set_Selection_Buttons(false);
    std::vector<std::size_t> order(LibList.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    if (sortColumn_ >= 0)
        order = TuneMap::Sorted_Order(LibList, sortColumn_);
    QList<QTreeWidgetItem*> items;
    for (const std::size_t i : order) {
        // The key names the row's place in scan order, whatever the sort.
        auto* item = new QTreeWidgetItem();
        item->setData(0, Qt::UserRole, QStringLiteral("key") + QString::number(i + 1));
        for (int c = 0; c < TuneMap::LibraryColumns; ++c)
            item->setText(c, TuneMap::Column_Text(LibList[i], c));
        items << item;
    }
    ListView1->addTopLevelItems(items);
}

void frmLoadLib::ListView1_ColumnClick(int column) {
    // Ascending by the column's text; the direction never changes.
    sortColumn_ = column;
    const QString selected = Selected() ? Selected()->fileName : QString();
    const int row = LibSelRow;
    Fill_Rows();
    if (QTreeWidgetItem* item = Row_Of(selected)) {
        LibSelRow = row;
        ListView1->setCurrentItem(item);
        Set_Selection_Buttons(true);
    }
}

void frmLoadLib::ListView1_ItemClick(QTreeWidgetItem* item) {
    if (item == nullptr)
        return;
    const int n = static_cast<int>(NumberRules::Val(item->data(0, Qt::UserRole).toString().mid(3)));
    if (n < 1 || n > static_cast<int>(LibList.size()))
        return;
    LibSelRow = n;
    Set_Selection_Buttons(true);
    SelLibFile = LibList[n - 1].fileName;
    try {
        TuneMap::Read_Row_Click(SelLibFile);
    } catch (const KvrError& e) {
        // A file that cannot be read can neither be loaded nor edited, but it
        // can still be deleted.
        FileProblem::Tell(
            {QStringLiteral("tune map ") + SelLibFile, QStringLiteral("read"), e.description(),
             QStringLiteral("It can be deleted, but not loaded or edited."), LibraryTitle});
        SelLibFile.clear();
        cmdMap->setEnabled(false);
        cmdEdit->setEnabled(false);
    }
}

const TuneMap::LibraryEntry* frmLoadLib::Selected() const {
    if (LibSelRow < 1 || LibSelRow > static_cast<int>(LibList.size()))
        return nullptr;
    return &LibList[LibSelRow - 1];
}

QTreeWidgetItem* frmLoadLib::Row_Of(const QString& fileName) const {
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (!fileName.isEmpty() && item->text(TuneMap::ColFileName) == fileName)
            return item;
    }
    return nullptr;
}

void frmLoadLib::Set_Selection_Buttons(bool selected) {
    cmdMap->setEnabled(selected);
    cmdEdit->setEnabled(selected);
    cmdDelete->setEnabled(selected);
}

void frmLoadLib::cmdDelete_Click() {
    const TuneMap::LibraryEntry* entry = Selected();
    if (entry == nullptr)
        return;
    const QString name = entry->fileName;
    const auto answer = Dialogs::msgBox(QStringLiteral("Are you sure you want to delete ") + name +
                                            QStringLiteral(" from the computer."),
                                        Dialogs::Buttons::YesNo, Dialogs::Icon::Exclamation,
                                        QStringLiteral("Delete file from computer ?"),
                                        Dialogs::DefaultButton::Second);
    if (answer != Dialogs::Answer::Yes)
        return;
    QFile file(ProgramFolder::file(name));
    if (!file.remove())
        FileProblem::Tell(
            {QStringLiteral("tune map ") + name, QStringLiteral("deleted"), file.errorString(),
             QStringLiteral("The list shows the tune maps the folder holds now."), LibraryTitle});
    if (SelLibFile == name)
        SelLibFile.clear();
    List_Lib_Files();
}

void frmLoadLib::cmdEdit_Click() {
    if (Selected() == nullptr)
        return;
    FormInstance<frmLibEdit>::unload(); // created anew on each opening
    FormInstance<frmLibEdit>::open();
    close();
}

bool frmLoadLib::Map_IN() {
    const TuneMap::LibraryEntry* entry = Selected();
    if (entry == nullptr)
        return false;
    const QString name = entry->fileName;
    try {
        const TuneMap::LoadResult result = TuneMap::Load_Tune_Map(name);
        if (result.ok())
            return true;
        Dialogs::msgBox(TuneMap::Refused_Load_Text(name, result), Dialogs::Buttons::Ok,
                        Dialogs::Icon::Exclamation, LibraryTitle);
    } catch (const KvrError& e) {
        FileProblem::Tell({QStringLiteral("tune map ") + name, QStringLiteral("read"),
                           e.description(), QStringLiteral("The map and the unit are unchanged."),
                           LibraryTitle});
    }
    return false;
}

void frmLoadLib::cmdMap_Click() {
    if (!cmdMap->isEnabled() || Selected() == nullptr)
        return;
    const QString name = Selected()->fileName;
    if (!Map_IN())
        return;
    Library::Finish_Map_Load(name, chkDownNOW->isChecked());
    close();
}

void frmLoadLib::cmdCancel_Click() {
    close();
}
