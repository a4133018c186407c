#include "library/frmDisLibNames.h"

#include "core/Caption.h"
#include "core/CoreState.h"
#include "mainwin/Design.h"
#include "mainwin/Logos.h"
#include "platform/Step.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace TuneMap {

QString Stored_Description(const QString& typed, const QString& oldDscr) {
    // Always 63 characters of description, so the mark stays the 64th.
    return (typed + QString(63, ' ')).left(63) + oldDscr.right(1);
}

QString Stored_Map_Id(const QString& typed) {
    return (typed + QString(61, ' ')).left(64);
}

} // namespace TuneMap

frmDisLibNames::frmDisLibNames() {
    setObjectName(QStringLiteral("frmDisLibNames"));
    Build_Controls();
    Step::Connect(txtDesc, &QLineEdit::textChanged, this, &frmDisLibNames::txtDesc_Change);
    Step::Connect(txtMapID, &QLineEdit::textChanged, this, &frmDisLibNames::txtMapID_Change);
    Step::Connect(cmdApply, &QPushButton::clicked, this, &frmDisLibNames::cmdApply_Click);
    Step::Connect(cmdOK, &QPushButton::clicked, this, &frmDisLibNames::cmdOK_Click);
    Step::Connect(cmdCancel, &QPushButton::clicked, this, &frmDisLibNames::cmdCancel_Click);
    Form_Load();
}

void frmDisLibNames::Build_Controls() {
    setFixedSize(Design::px(8160), Design::px(4440));
    Frame1 = new QGroupBox(QStringLiteral("Changing the Tune Map Name"), this);
    Design::place(Frame1, 120, 60, 7920, 3660);
    Picture1 = new QLabel(Frame1);
    Design::place(Picture1, 5520, 1680, 2240, 690);
    auto label = [this](const QString& text, int left, int top, int width) {
        auto* l = new QLabel(text, Frame1);
        Design::place(l, left, top, width, 300);
        return l;
    };
    Label1 = label(QStringLiteral("Map Name:"), 120, 360, 1800);
    txtMapID = new QLineEdit(Frame1);
    txtMapID->setObjectName(QStringLiteral("txtMapID"));
    Design::place(txtMapID, 1980, 330, 5820, 330);
    Label7 = label(QStringLiteral("KVR6 Description:"), 120, 780, 1800);
    txtDesc = new QLineEdit(Frame1);
    txtDesc->setObjectName(QStringLiteral("txtDesc"));
    Design::place(txtDesc, 1980, 750, 5820, 330);
    Label2 = label(QStringLiteral("Make:"), 120, 1320, 1800);
    lblMake = label(QString(), 1980, 1320, 3420);
    Label3 = label(QStringLiteral("Model:"), 120, 1740, 1800);
    lblModel = label(QString(), 1980, 1740, 3420);
    Label4 = label(QStringLiteral("Year:"), 120, 2160, 1800);
    lblYear = label(QString(), 1980, 2160, 3420);
    Label5 = label(QStringLiteral("Type:"), 120, 2580, 1800);
    lblType = label(QString(), 1980, 2580, 3420);
    Label6 = label(QStringLiteral("File Name:"), 120, 3000, 1800);
    lblFileName = label(QString(), 1980, 3000, 3420);
    for (auto [l, name] : {std::pair{lblMake, "lblMake"},
                           {lblModel, "lblModel"},
                           {lblYear, "lblYear"},
                           {lblType, "lblType"},
                           {lblFileName, "lblFileName"}})
        l->setObjectName(QString::fromLatin1(name));
    auto button = [this](const QString& caption, const char* name, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        Design::place(b, left, 3840, 1500, 420);
        return b;
    };
    cmdApply = button(QStringLiteral("Apply"), "cmdApply", 2820);
    cmdOK = button(QStringLiteral("OK"), "cmdOK", 4440);
    cmdCancel = button(QStringLiteral("Cancel"), "cmdCancel", 6060);
}

void frmDisLibNames::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmDisLibNames"));
    Set_Values();
    Picture1->setVisible(AdvBranding == 1);
    if (AdvBranding == 1)
        Picture1->setPixmap(Logos::Logo(1, Picture1->size()));
    cmdApply->setEnabled(false);
}

void frmDisLibNames::Set_Values() {
    lblType->setText(MapInfo.type.trimmed());
    lblMake->setText(MapInfo.make.trimmed());
    lblModel->setText(MapInfo.model.trimmed());
    lblYear->setText(MapInfo.year.trimmed());
    lblFileName->setText(MapInfo.fileName.trimmed());
    txtMapID->setText(MapId.trimmed());
    txtDesc->setText(MapDscr.left(63).trimmed());
}

void frmDisLibNames::txtDesc_Change() {
    cmdApply->setEnabled(true);
}

void frmDisLibNames::txtMapID_Change() {
    cmdApply->setEnabled(true);
}

void frmDisLibNames::Store_Texts() {
    MapDscr = TuneMap::Stored_Description(txtDesc->text(), MapDscr);
    MapId = TuneMap::Stored_Map_Id(txtMapID->text());
}

void frmDisLibNames::cmdApply_Click() {
    Store_Texts();
    Set_Values();
    cmdApply->setEnabled(false);
}

void frmDisLibNames::cmdOK_Click() {
    Store_Texts();
    close();
}

void frmDisLibNames::cmdCancel_Click() {
    close();
}
