#include "wiring/frmWDLoad.h"

#include "core/Caption.h"
#include "core/CoreState.h"
#include "core/TableFiles.h"
#include "library/MapLoad.h"
#include "mainwin/Design.h"
#include "platform/Dialogs.h"
#include "platform/NumberRules.h"
#include "platform/Step.h"
#include "wiring/WiringState.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

using namespace WiringDiagram;

frmWDLoad::frmWDLoad() {
    setObjectName(QStringLiteral("frmWDLoad"));
    setWindowTitle(QStringLiteral("Morrand - Qorva - Load Library"));
    Build_Controls();
    for (int i = 0; i < 8; ++i)
        Step::Connect(chkDisplay[i], &QCheckBox::clicked, this, [this, i] { chkDisplay_Click(i); });
    Step::Connect(chkSearch, &QCheckBox::clicked, this, &frmWDLoad::chkSearch_Click);
    Step::Connect(cmdSearch, &QPushButton::clicked, this, &frmWDLoad::cmdSearch_Click);
    Step::Connect(txtSearch, &QLineEdit::returnPressed, this, &frmWDLoad::cmdSearch_Click);
    Step::Connect(ListView1->header(), &QHeaderView::sectionClicked, this,
                  &frmWDLoad::ListView1_ColumnClick);
    // The highlighted row is the choice, however it got there (mouse or keys).
    Step::Connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> rows = ListView1->selectedItems();
        if (rows.isEmpty())
            cmdMap->setEnabled(false);
        else
            ListView1_ItemClick(rows.first());
    });
    for (QRadioButton* o : optSave)
        Step::Connect(o, &QRadioButton::toggled, this, &frmWDLoad::Update_Load_Button);
    Step::Connect(ListView1, &QTreeWidget::itemActivated, this, [this] { cmdMap_Click(); });
    Step::Connect(cmdMap, &QPushButton::clicked, this, &frmWDLoad::cmdMap_Click);
    Step::Connect(cmdCancel, &QPushButton::clicked, this, &frmWDLoad::cmdCancel_Click);
    Form_Load();
}

void frmWDLoad::Build_Controls() {
    setFixedSize(Design::px(12360), Design::px(7920));
    auto* frameDisplay = new QGroupBox(QStringLiteral("Display Settings"), this);
    Design::place(frameDisplay, 120, 60, 12120, 1020);
    const char* boxes[] = {"Number",       "File Name",    "Vehicle Make", "Vehicle Model",
                           "Vehicle Year", "Date Changed", "ECU Make",     "Description"};
    for (int i = 0; i < 8; ++i) {
        chkDisplay[i] = new QCheckBox(QString::fromLatin1(boxes[i]), frameDisplay);
        chkDisplay[i]->setObjectName(QStringLiteral("chkDisplay%1").arg(i));
        Design::place(chkDisplay[i], 240 + (i % 4) * 2940, 300 + (i / 4) * 340, 2800, 300);
    }

    auto* frameSearch = new QGroupBox(QStringLiteral("Search"), this);
    Design::place(frameSearch, 120, 1140, 12120, 1140);
    chkSearch = new QCheckBox(QStringLiteral("Show All"), frameSearch);
    chkSearch->setObjectName(QStringLiteral("chkSearch"));
    Design::place(chkSearch, 240, 320, 1500, 300);
    txtSearch = new QLineEdit(frameSearch);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    Design::place(txtSearch, 1860, 290, 4200, 360);
    cmdSearch = new QPushButton(QStringLiteral("Search"), frameSearch);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    Design::place(cmdSearch, 6240, 260, 1400, 420);
    const char* options[] = {"Number",        "File Name",    "Vehicle Make",
                             "Vehicle Model", "Vehicle Year", "ECU Make"};
    for (int i = 0; i < 6; ++i) {
        optSearch[i] = new QRadioButton(QString::fromLatin1(options[i]), frameSearch);
        optSearch[i]->setObjectName(QStringLiteral("optSearch%1").arg(i));
        Design::place(optSearch[i], 240 + i * 1960, 760, 1900, 300);
    }

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    Design::place(ListView1, 120, 2400, 12120, 3600);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(false);

    auto* frameMaps = new QGroupBox(QStringLiteral("Wiring Diagram Maps"), this);
    Design::place(frameMaps, 120, 6120, 12120, 1680);
    optSave[0] = new QRadioButton(
        QStringLiteral("Keep original map, Just change the global settings"), frameMaps);
    optSave[1] = new QRadioButton(QStringLiteral("New blank map with global settings"), frameMaps);
    for (int i = 0; i < 2; ++i) {
        optSave[i]->setObjectName(QStringLiteral("optSave%1").arg(i));
        Design::place(optSave[i], 240, 340 + i * 420, 6600, 320);
    }
    cmdMap = new QPushButton(QStringLiteral("&Load Map >>"), frameMaps);
    cmdMap->setObjectName(QStringLiteral("cmdMap"));
    Design::place(cmdMap, 7560, 1020, 2100, 450);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), frameMaps);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    Design::place(cmdCancel, 9900, 1020, 1900, 450);
}

void frmWDLoad::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmWDLoad"));
    // Each opening starts with no record chosen: a record clicked in an earlier
    // opening is loaded by no default.
    Wiring::WdSelected = 0;
    cmdMap->setEnabled(false);
    Config_Screen();
    List_WD_Maps();
}

void frmWDLoad::Config_Screen() {
    for (int i = 0; i < 8; ++i)
        chkDisplay[i]->setChecked(OpeningBoxes[i]);
    cmdMap->setEnabled(false);
    cmdCancel->setVisible(true);
    chkSearch->setChecked(true);
    for (QRadioButton* o : optSearch)
        o->setEnabled(false);
    cmdSearch->setEnabled(false);
    txtSearch->setEnabled(false);
}

Filter frmWDLoad::Current_Filter() const {
    Filter filter;
    filter.showAll = chkSearch->isChecked();
    for (int i = 0; i < 6; ++i)
        if (optSearch[i]->isChecked())
            filter.option = i;
    filter.text = txtSearch->text();
    return filter;
}

void frmWDLoad::List_WD_Maps() {
    std::array<bool, 8> ticked{};
    QStringList headers;
    std::vector<int> widths;
    for (int i = 0; i < 8; ++i) {
        ticked[i] = chkDisplay[i]->isChecked();
        if (ticked[i]) {
            headers << Columns()[i].heading;
            widths.push_back(Columns()[i].twips);
        }
    }
    const QSignalBlocker quiet(ListView1);
    ListView1->clear();
    ListView1->setColumnCount(std::max<int>(1, static_cast<int>(headers.size())));
    ListView1->setHeaderLabels(headers.isEmpty() ? QStringList{QString()} : headers);
    for (std::size_t c = 0; c < widths.size(); ++c)
        ListView1->setColumnWidth(static_cast<int>(c), Design::px(widths[c]));

    std::vector<Row> rows = List_Rows(WdTable, ticked, Current_Filter());
    if (sortColumn_ >= 0)
        Sort_Rows(rows, sortColumn_);
    QList<QTreeWidgetItem*> items;
    for (const Row& row : rows) {
        auto* item = new QTreeWidgetItem(row.texts);
        item->setData(0, Qt::UserRole, QStringLiteral("key") + QString::number(row.record));
        items << item;
    }
    ListView1->addTopLevelItems(items);
    // Load is offered only for a record the list shows.
    QTreeWidgetItem* chosen = Row_Of(Wiring::WdSelected);
    if (chosen != nullptr)
        ListView1->setCurrentItem(chosen);
    Update_Load_Button();
}

bool frmWDLoad::Option_Chosen() const {
    return optSave[0]->isChecked() || optSave[1]->isChecked();
}

void frmWDLoad::Update_Load_Button() {
    // The two ways replace different things: the load waits for the user's own
    // choice of one, and for a record the list shows.
    cmdMap->setEnabled(Option_Chosen() && Row_Of(Wiring::WdSelected) != nullptr);
}

QTreeWidgetItem* frmWDLoad::Row_Of(int record) const {
    const QString key = QStringLiteral("key") + QString::number(record);
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->data(0, Qt::UserRole).toString() == key)
            return ListView1->topLevelItem(i);
    return nullptr;
}

void frmWDLoad::chkDisplay_Click(int) {
    if (NumberRules::Val(WdTable[0][0]) != 0)
        List_WD_Maps();
}

void frmWDLoad::chkSearch_Click() {
    const bool all = chkSearch->isChecked();
    for (QRadioButton* o : optSearch)
        o->setEnabled(!all);
    cmdSearch->setEnabled(!all);
    txtSearch->setEnabled(!all);
    txtSearch->clear();
    if (all)
        List_WD_Maps();
    else
        txtSearch->setFocus();
}

void frmWDLoad::cmdSearch_Click() {
    List_WD_Maps();
}

void frmWDLoad::ListView1_ColumnClick(int column) {
    // Ascending by the column's text; a second click changes nothing.
    sortColumn_ = column;
    List_WD_Maps();
}

void frmWDLoad::ListView1_ItemClick(QTreeWidgetItem* item) {
    if (item == nullptr)
        return;
    Wiring::WdSelected =
        static_cast<int>(NumberRules::Val(item->data(0, Qt::UserRole).toString().mid(3)));
    Update_Load_Button();
}

void frmWDLoad::cmdMap_Click() {
    if (Row_Of(Wiring::WdSelected) == nullptr)
        return;
    if (!Option_Chosen()) {
        // A double-click or Enter on a row comes here with no way chosen.
        Dialogs::msgBox(QStringLiteral("Choose how the record is loaded first: \"Keep original "
                                       "map, Just change the global settings\" keeps the maps, "
                                       "\"New blank map with global settings\" replaces all "
                                       "three maps with the blank map. Nothing was loaded."),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                        QStringLiteral("Wiring Diagram Maps"));
        return;
    }
    const Start start = optSave[0]->isChecked() ? Start::KeepMaps : Start::BlankMap;
    if (!Load_Record(Wiring::WdSelected, start))
        return;
    // The map came from no library file: Save asks for a name. Only a new blank
    // map replaces the whole image, so only it counts as kept.
    Library::Finish_Map_Load(QString(), true, start == Start::BlankMap);
    close();
}

void frmWDLoad::cmdCancel_Click() {
    close();
}
