#include "contact/frmContact.h"

#include "contact/ContactExport.h"
#include "contact/ContactState.h"
#include "core/Caption.h"
#include "core/CoreState.h"
#include "core/TableFiles.h"
#include "library/ContactRecord.h"
#include "library/LibraryScan.h"
#include "library/TuneMapFile.h"
#include "mainwin/Design.h"
#include "mainwin/Logos.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/Step.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

// The boxes' labels; each box holds its label's words until a record fills it.
const std::array<const char*, 11> FieldLabels{"Name:",
                                              "Surame:",
                                              "Company Name:",
                                              "Contact Number:",
                                              "Email Address:",
                                              "Web Site Address:",
                                              "General Description:",
                                              "Shipping Address:",
                                              "Shipping Province:",
                                              "Shipping Country:",
                                              "Shipping Country Code:"};

const QString ContactTitle = QStringLiteral("Contact Details");

// A required field: its box, message and title.
struct Required {
    int box;
    const char* text;
    const char* title;
};
const std::array<Required, 3> RequiredFields{
    {{0, "Your name is required in the Name field", "No Name!!"},
     {1, "Your surname is required in the Surname field", "No Surname!!"},
     {4, "Your email address is required in the Email address field", "No Email Address!!"}}};

} // namespace

frmContact::frmContact() {
    setObjectName(QStringLiteral("frmContact"));
    Build_Controls();
    for (int k = 0; k < 11; ++k)
        Step::Connect(txtFields[k], &QLineEdit::textChanged, this,
                      [this, k] { txtFields_Change(k); });
    Step::Connect(LstLib, &QListWidget::itemChanged, this,
                  [this](QListWidgetItem* item) { LstLib_ItemCheck(LstLib->row(item)); });
    Step::Connect(cmdUpdate, &QPushButton::clicked, this, &frmContact::cmdUpdate_Click);
    Step::Connect(cmdExport, &QPushButton::clicked, this, &frmContact::cmdExport_Click);
    Step::Connect(cmdClose2, &QPushButton::clicked, this, &frmContact::cmdClose2_Click);
    Step::Connect(Timer1, &QTimer::timeout, this, &frmContact::Timer1_Timer);
    Form_Load();
}

void frmContact::Build_Controls() {
    setFixedSize(Design::px(13320), Design::px(8400));

    Frame1 = new QGroupBox(QStringLiteral("Your Company Details for the Zanfor web site"), this);
    Design::place(Frame1, 120, 120, 5760, 5280);
    for (int k = 0; k < 11; ++k) {
        const int top = 360 + k * 435;
        lblLabels[k] = new QLabel(QString::fromLatin1(FieldLabels[k]), Frame1);
        Design::place(lblLabels[k], 120, top, 2280, 315);
        txtFields[k] = new QLineEdit(Frame1);
        txtFields[k]->setObjectName(QStringLiteral("txtFields%1").arg(k));
        Design::place(txtFields[k], 2460, top, 3180, 315);
        // The box's designed text: its label without the colon.
        txtFields[k]->setText(QString::fromLatin1(FieldLabels[k]).chopped(1));
    }
    cmdUpdate = new QPushButton(QStringLiteral("&Update Records"), this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    Design::place(cmdUpdate, 120, 5520, 2400, 420);
    lblUpdate = new QLabel(QStringLiteral("Update Successful"), this);
    lblUpdate->setObjectName(QStringLiteral("lblUpdate"));
    Design::place(lblUpdate, 2640, 5580, 3240, 300);
    lblUpdate->setVisible(false);

    Frame2 = new QGroupBox(
        QStringLiteral(
            "Select from the list which items you wish to publish to the Zanfor web site"),
        this);
    Design::place(Frame2, 6000, 120, 7200, 5280);
    LstLib = new QListWidget(Frame2);
    LstLib->setObjectName(QStringLiteral("LstLib"));
    Design::place(LstLib, 120, 300, 6960, 4560);
    LstLib->setSortingEnabled(false);
    lblSkipped = new QLabel(Frame2);
    lblSkipped->setObjectName(QStringLiteral("lblSkipped"));
    Design::place(lblSkipped, 120, 4920, 6960, 300);
    lblSkipped->setVisible(false);

    cmdExport =
        new QPushButton(QStringLiteral("Create an export list ( CSV ) with contact details"), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    Design::place(cmdExport, 6000, 5520, 7200, 420);
    lblExport = new QLabel(QStringLiteral("Export Successful"), this);
    lblExport->setObjectName(QStringLiteral("lblExport"));
    Design::place(lblExport, 6000, 6060, 7200, 300);
    lblFileCap = new QLabel(QStringLiteral("FileName of Created CSV file :"), this);
    lblFileCap->setObjectName(QStringLiteral("lblFileCap"));
    Design::place(lblFileCap, 6000, 6420, 7200, 300);
    lblFileName = new QLabel(this);
    lblFileName->setObjectName(QStringLiteral("lblFileName"));
    Design::place(lblFileName, 6000, 6720, 7200, 600);
    lblFileName->setWordWrap(true);
    lblFileName->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* l : {lblExport, lblFileCap, lblFileName})
        l->setVisible(false);

    const std::array<QString, 5> steps{
        QStringLiteral("Step1 - Update your contact details and click the Update Records button."),
        QStringLiteral("Step2 - Select from the list the maps you wish to export (the new list "
                       "replaces all lists posted before)."),
        QStringLiteral("Step3 - Click the export button and save the CSV file on the hard disk. "
                       "Remember where you saved it."),
        QStringLiteral("Step4 - Copy the file to a computer with internet access and connect to ") +
            QString::fromLatin1(Logos::MakerWeb) + QStringLiteral("/csv-upload"),
        QStringLiteral("Step5 - Follow the web site instructions to complete the export."),
    };
    for (int k = 0; k < 5; ++k) {
        Label[k] = new QLabel(steps[k], this);
        Label[k]->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        Label[k]->setWordWrap(true);
        Label[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Design::place(Label[k], 120, 6060 + k * 450, 5760, 450);
    }

    cmdClose2 = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose2->setObjectName(QStringLiteral("cmdClose2"));
    Design::place(cmdClose2, 11760, 7860, 1440, 420);

    Timer1 = new QTimer(this);
    Timer1->setInterval(2000);
}

void frmContact::Form_Load() {
    try {
        // A value the record cannot keep starts empty: its box takes it anew.
        if (const QString refused = TuneMap::Read_Checked_Contact_File(); !refused.isEmpty())
            Dialogs::msgBox(refused, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                            ContactTitle);
    } catch (const KvrError& e) {
        FileProblem::Tell({QStringLiteral("contact file KVR6Contact.cfg"), QStringLiteral("read"),
                           e.description(),
                           QStringLiteral("The contact boxes start empty; Update Records stores "
                                          "what you enter."),
                           ContactTitle});
    }
    for (int i = 1; i <= 11; ++i)
        txtFields[i - 1]->setText(ContactFields[i]);
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmContact"),
                                 QStringLiteral("and Export List"));
    List_Lib_Files();
    Block_change();
    cmdExport->setEnabled(false);
    Timer1->stop();
}

void frmContact::List_Lib_Files() {
    QStringList notes;
    Contact::ExportList = Contact::Export_Entries(TuneMap::Scan_Library(&notes));
    lblSkipped->setText(notes.isEmpty()
                            ? QString()
                            : QStringLiteral("Not listed: ") + notes.join(QStringLiteral("; ")));
    lblSkipped->setToolTip(notes.join('\n'));
    lblSkipped->setVisible(!notes.isEmpty());
    listing_ = true;
    LstLib->clear();
    for (const Contact::ExportEntry& entry : Contact::ExportList) {
        auto* item = new QListWidgetItem(Contact::Entry_Text(entry), LstLib);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    listing_ = false;
}

void frmContact::Block_change() {
    for (int k : {0, 1})
        if (txtFields[k]->text().size() > 1)
            txtFields[k]->setEnabled(false);
}

void frmContact::txtFields_Change(int index) {
    QLineEdit* box = txtFields[index];
    if (!box->text().isEmpty())
        return;
    // An emptied box holds one blank; while the user is in it the blank is
    // selected, so what is typed next replaces it.
    box->setText(QStringLiteral(" "));
    if (box->hasFocus())
        box->selectAll();
}

QString frmContact::Field_Name(int box) {
    // The labels' words, the surname spelt out.
    return box == 1 ? QStringLiteral("Surname")
                    : QString::fromLatin1(FieldLabels[static_cast<std::size_t>(box)]).chopped(1);
}

void frmContact::cmdUpdate_Click() {
    for (const Required& r : RequiredFields) {
        if (!txtFields[r.box]->text().trimmed().isEmpty())
            continue;
        Dialogs::msgBox(QString::fromLatin1(r.text), Dialogs::Buttons::Ok,
                        Dialogs::Icon::Exclamation, QString::fromLatin1(r.title));
        txtFields[r.box]->setFocus();
        return;
    }
    // The record goes into the header of every map saved from now on: a value
    // is checked as the map-file editor checks its fields, so none can add a
    // header line of its own. A comma becomes "-", as the export writes it.
    for (int k = 0; k < 11; ++k) {
        const QString value = Contact::Csv_Value(txtFields[k]->text());
        const QString problem = TuneMap::Field_Problem(value);
        if (problem.isEmpty()) {
            if (value != txtFields[k]->text())
                txtFields[k]->setText(value);
            continue;
        }
        Dialogs::msgBox(QStringLiteral("The %1 \"%2\" %3. Your contact details were not "
                                       "stored.")
                            .arg(Field_Name(k), TuneMap::Shown_Value(value.trimmed()), problem),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, ContactTitle);
        txtFields[k]->setFocus();
        return;
    }
    // Only a record that passed every check reaches the maps saved next.
    for (int i = 1; i <= 11; ++i)
        ContactFields[i] = txtFields[i - 1]->text();
    try {
        WtsGeneral::Write_Contact_File();
    } catch (const KvrError& e) {
        FileProblem::Tell({QStringLiteral("contact file KVR6Contact.cfg"), QStringLiteral("saved"),
                           e.description(),
                           QStringLiteral("Your contact details were not stored: the file keeps "
                                          "the record it held before."),
                           ContactTitle});
        return;
    }
    // The boxes show the record as it was stored.
    for (int i = 1; i <= 11; ++i)
        if (txtFields[i - 1]->text() != ContactFields[i])
            txtFields[i - 1]->setText(ContactFields[i]);
    lblUpdate->setVisible(true);
    Timer1->start();
}

void frmContact::LstLib_ItemCheck(int item) {
    if (listing_ || item < 0 || item >= static_cast<int>(Contact::ExportList.size()))
        return;
    Contact::ExportList[static_cast<std::size_t>(item)].ticked =
        LstLib->item(item)->checkState() == Qt::Checked;
    cmdExport->setEnabled(true);
}

void frmContact::cmdExport_Click() {
    // The notice is about the last export, not about this one.
    lblExport->setVisible(false);
    Dialogs::FileRequest request;
    request.folder = ProgramFolder::path();
    request.filter = QStringLiteral("KVR6 Export File(*.CSV)|*.CSV");
    request.defaultExt = QStringLiteral("CSV");
    CsvFileName = Dialogs::current().saveFile(request);
    if (CsvFileName.isEmpty()) {
        Dialogs::msgBox(QStringLiteral("You aborted the Saving of the Export (CSV) file."),
                        Dialogs::Buttons::Ok, Dialogs::Icon::None, QStringLiteral("Aborted Save"));
        return;
    }
    CsvFileName = Contact::Csv_File_Name(
        QDir::cleanPath(QDir(ProgramFolder::path()).absoluteFilePath(CsvFileName)));
    const QString shown = QDir::toNativeSeparators(CsvFileName);
    if (Contact::Is_Tune_Map_Name(CsvFileName)) {
        Dialogs::msgBox(QStringLiteral("%1 is the name of a tune-map file, which the export never "
                                       "writes over. Nothing was exported; choose a name that "
                                       "ends in .CSV.")
                            .arg(shown),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, ContactTitle);
        return;
    }
    for (int k = 0; k < 11; ++k) {
        if (const auto c = Contact::Csv_Unkept_Character(txtFields[k]->text())) {
            Dialogs::msgBox(QStringLiteral("The %1 \"%2\" holds the character %3, which the CSV "
                                           "file cannot keep. Nothing was exported; write the "
                                           "value without it and export again.")
                                .arg(Field_Name(k), txtFields[k]->text().trimmed(), QString(*c)),
                            Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, ContactTitle);
            txtFields[k]->setFocus();
            return;
        }
    }
    // A ticked map the CSV cannot name would be written as another ("?koda").
    if (const auto unkept = Contact::Csv_Unkept_Entry(Contact::ExportList)) {
        Dialogs::msgBox(QStringLiteral("The %1 of the ticked map \"%2\" holds the character %3, "
                                       "which the CSV file cannot keep. Nothing was exported; "
                                       "untick the map, or give its file a name without that "
                                       "character, and export again.")
                            .arg(unkept->value, unkept->fileName, QString(unkept->character)),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, ContactTitle);
        return;
    }
    if (QFileInfo::exists(CsvFileName) &&
        Dialogs::msgBox(
            QStringLiteral("The file %1 already exists. Replace it with the export?").arg(shown),
            Dialogs::Buttons::YesNo, Dialogs::Icon::Question, ContactTitle,
            Dialogs::DefaultButton::Second) != Dialogs::Answer::Yes)
        return;
    if (!Save_CSV_File())
        return;
    lblFileName->setText(QDir::toNativeSeparators(CsvFileName));
    lblFileName->setVisible(true);
    lblFileCap->setVisible(true);
    cmdExport->setEnabled(false);
    lblExport->setVisible(true);
    Timer1->start();
}

bool frmContact::Save_CSV_File() {
    Contact::ContactValues contact;
    for (int k = 0; k < 11; ++k) {
        // The box shows what the file holds.
        const QString value = Contact::Csv_Value(txtFields[k]->text());
        if (value != txtFields[k]->text())
            txtFields[k]->setText(value);
        contact[static_cast<std::size_t>(k)] = txtFields[k]->text();
    }
    try {
        Contact::Write_Csv_File(
            CsvFileName,
            Contact::Csv_Lines(Contact::ExportList, Contact::Csv_Contact_Part(contact)));
    } catch (const KvrError& e) {
        FileProblem::Tell({QStringLiteral("export file ") + QFileInfo(CsvFileName).fileName(),
                           QStringLiteral("written"), e.description(),
                           QStringLiteral("Nothing was exported; choose another place or name "
                                          "and export again."),
                           ContactTitle});
        return false;
    }
    return true;
}

void frmContact::Timer1_Timer() {
    lblUpdate->setVisible(false);
    lblExport->setVisible(false);
}

void frmContact::cmdClose2_Click() {
    close();
}
