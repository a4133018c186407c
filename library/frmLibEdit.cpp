#include "library/frmLibEdit.h"

#include "core/Caption.h"
#include "core/CoreState.h"
#include "core/KeptImage.h"
#include "core/TableFiles.h"
#include "library/FileInfo.h"
#include "library/LibraryState.h"
#include "library/TuneMapFile.h"
#include "library/frmLoadLib.h"
#include "mainwin/Design.h"
#include "mainwin/MainWindow.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/FormInstance.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"
#include "platform/ProgramFolder.h"
#include "platform/Step.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace {

const QString EditorTitle = QStringLiteral("Edit Map Files");

// Fills a list with entries 1..n of a lookup list and selects the entry equal
// to the field's text (the last equal one). A text the list does not hold
// selects nothing, so the field keeps the file's own text.
template <std::size_t N>
void fillList(QComboBox* list, const QString& fieldText, const std::array<QString, N>& entries,
              int most) {
    const int n = std::clamp(static_cast<int>(NumberRules::Val(entries[0])), 0,
                             std::min(most, static_cast<int>(N) - 1));
    int found = -1;
    for (int k = 1; k <= n; ++k) {
        list->addItem(entries[k]);
        if (entries[k] == fieldText)
            found = k - 1;
    }
    list->setCurrentIndex(found);
    if (found < 0)
        list->setEditText(fieldText);
}

bool fileExists(const QString& name) {
    return QFileInfo(ProgramFolder::file(name)).exists();
}

// Typing into a list's edit part puts the entry of the last pick back, and the
// field takes it as a pick gives it; with no pick in force the field takes the
// typed text. Either way the field holds what the list shows.
void restorePick(QComboBox* list, QLineEdit* field, int pick) {
    if (pick >= 10 && pick - 10 < list->count()) {
        list->setCurrentIndex(pick - 10);
        list->setEditText(list->itemText(pick - 10));
    }
    field->setText(list->currentText());
}

// A field typed into: its list shows the same text (its entry when it has one).
void followField(QComboBox* list, const QString& text) {
    list->setCurrentIndex(list->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    list->setEditText(text);
}

} // namespace

frmLibEdit::frmLibEdit() {
    setObjectName(QStringLiteral("frmLibEdit"));
    Build_Controls();
    for (int k = 0; k < 9; ++k)
        Step::Connect(txtFields[k], &QLineEdit::textChanged, this,
                      [this, k] { txtFields_Change(k); });
    Step::Connect(comTxt2, &QComboBox::activated, this, &frmLibEdit::comTxt2_Click);
    Step::Connect(comTxt5, &QComboBox::activated, this, &frmLibEdit::comTxt5_Click);
    Step::Connect(comTxt2->lineEdit(), &QLineEdit::textEdited, this, &frmLibEdit::comTxt2_Change);
    Step::Connect(comTxt5->lineEdit(), &QLineEdit::textEdited, this, &frmLibEdit::comTxt5_Change);
    Step::Connect(txtFields[2], &QLineEdit::textEdited, this,
                  [this](const QString& text) { followField(comTxt2, text); });
    Step::Connect(txtFields[5], &QLineEdit::textEdited, this,
                  [this](const QString& text) { followField(comTxt5, text); });
    Step::Connect(cmdUpdate, &QPushButton::clicked, this, &frmLibEdit::cmdUpdate_Click);
    Step::Connect(cmdClose, &QPushButton::clicked, this, &frmLibEdit::cmdClose_Click);
    Form_Load();
}

frmLibEdit::~frmLibEdit() {
    Form_Unload();
}

void frmLibEdit::Build_Controls() {
    setFixedWidth(Design::px(8400));
    // Label, field left, width and top of each field; the description and the two
    // owner fields lie below the window's height.
    struct Place {
        const char* label;
        int fieldLeft;
        int width;
        int top;
    };
    const std::array<Place, 9> places{{{"Description:", 1500, 6600, 3900},
                                       {"File Name:", 1500, 3300, 2220},
                                       {"Make:", 1500, 3300, 120},
                                       {"Map Name:", 1500, 6600, 1800},
                                       {"Model:", 1500, 3300, 540},
                                       {"Type:", 1500, 3300, 1380},
                                       {"Year:", 1500, 3300, 960},
                                       {"Owner:", 1500, 6600, 4320},
                                       {"Owner Email:", 1500, 6600, 4740}}};
    for (int k = 0; k < 9; ++k) {
        lblFields[k] = new QLabel(QString::fromLatin1(places[k].label), this);
        Design::place(lblFields[k], 120, places[k].top, 1320, 315);
        txtFields[k] = new QLineEdit(this);
        txtFields[k]->setObjectName(QStringLiteral("txtFields%1").arg(k));
        Design::place(txtFields[k], places[k].fieldLeft, places[k].top, places[k].width, 315);
    }
    txtFields[0]->setMaxLength(64);
    txtFields[3]->setMaxLength(63);
    auto combo = [this](const char* name, int top) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        Design::place(c, 4920, top, 3300, 315);
        return c;
    };
    comTxt2 = combo("comTxt2", 120);
    comTxt5 = combo("comTxt5", 1380);
    picButtons = new QFrame(this);
    Design::place(picButtons, 0, 2760, 8400, 600);
    cmdUpdate = new QPushButton(QStringLiteral("&Update"), picButtons);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    Design::place(cmdUpdate, 1500, 60, 1800, 420);
    cmdClose = new QPushButton(QStringLiteral("&Close"), picButtons);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    Design::place(cmdClose, 4920, 60, 1800, 420);
}

namespace {

// A list the editor offers that cannot be read leaves its boxes to the user's
// typing: told, and the editor opens all the same.
template <class Reader> void readOrTell(Reader&& reader, const QString& file, const QString& next) {
    try {
        reader();
    } catch (const KvrError& e) {
        FileProblem::Tell(
            {file, QStringLiteral("read"), e.description(), next, QStringLiteral("Map Details")});
    }
}

} // namespace

void frmLibEdit::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmLibEdit"));
    ComboPick = 0;
    readOrTell([] { Library::Read_File_Info(); },
               QStringLiteral("file information record KVR6FileInfo.cfg"),
               QStringLiteral("The editor opens without it; check the names before you save."));
    const int count = static_cast<int>(NumberRules::Val(LibRecord[0]));
    for (int k = 1; k <= count && k <= 9; ++k)
        txtFields[k - 1]->setText(LibRecord[k].trimmed());
    // The file being edited is the selected one, whatever name the record could keep.
    if (!SelLibFile.isEmpty())
        txtFields[1]->setText(SelLibFile);
    txtFields[7]->setText(ContactFields[1]);
    txtFields[8]->setText(ContactFields[5]);
    readOrTell(WtsGeneral::Read_Make_File, QStringLiteral("list of makes KVR6Make.cfg"),
               QStringLiteral("The list of makes is empty; type the make."));
    fillList(comTxt2, txtFields[2]->text(), MakeList, 100);
    ComboPick = 0;
    readOrTell(WtsGeneral::Read_Type_File, QStringLiteral("list of types KVR6Type.cfg"),
               QStringLiteral("The list of types is empty; type the type."));
    fillList(comTxt5, txtFields[5]->text(), TypeList, 40);
    ComboPick = 0;
    setFixedHeight(Design::px(3765));
    if (!SelLibFile.isEmpty())
        SaveKind = 3;
    if (LibEditMode == 2)
        cmdUpdate->setText(QStringLiteral("Save"));
}

void frmLibEdit::txtFields_Change(int index) {
    if (txtFields[index]->text().isEmpty())
        txtFields[index]->setText(QStringLiteral(" "));
}

void frmLibEdit::comTxt2_Click(int position) {
    txtFields[2]->setText(comTxt2->itemText(position));
    ComboPick = position + 10;
}

void frmLibEdit::comTxt5_Click(int position) {
    txtFields[5]->setText(comTxt5->itemText(position));
    ComboPick = position + 10;
}

void frmLibEdit::comTxt2_Change() {
    restorePick(comTxt2, txtFields[2], ComboPick);
}

void frmLibEdit::comTxt5_Change() {
    restorePick(comTxt5, txtFields[5], ComboPick);
}

void frmLibEdit::Build_Map_Name() {
    txtFields[0]->setText(txtFields[2]->text() + '-' + txtFields[4]->text() + '-' +
                          txtFields[6]->text());
    txtFields[0]->setText(txtFields[0]->text() + '-' + txtFields[5]->text() + '-' +
                          txtFields[3]->text());
}

bool frmLibEdit::Name_Usable(const QString& typed, QString* name) {
    const TuneMap::NameCheck check = TuneMap::Library_File_Name(typed);
    if (!check.ok()) {
        Dialogs::msgBox(check.problem, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                        QStringLiteral("File Name"));
        return false;
    }
    *name = check.name;
    return true;
}

namespace {

// A file the library's own check would refuse was not written: said in plain
// words, with what stays as it was.
void tellRefused(const TuneMap::RefusedFile& e, const QString& next) {
    Dialogs::msgBox(e.description() + ' ' + next, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
                    QStringLiteral("Map Not Saved"));
}

bool replaceAgreed(const QString& name) {
    return Dialogs::msgBox(QStringLiteral("A tune map named %1 is already in the library. Do you "
                                          "want to replace it with this one?")
                               .arg(name),
                           Dialogs::Buttons::YesNo, Dialogs::Icon::Exclamation, EditorTitle,
                           Dialogs::DefaultButton::Second) == Dialogs::Answer::Yes;
}

} // namespace

bool frmLibEdit::Fields_Keepable() {
    for (const int k : {2, 4, 6, 5, 3}) {
        const QString problem = TuneMap::Field_Problem(txtFields[k]->text());
        if (problem.isEmpty())
            continue;
        Dialogs::msgBox(QStringLiteral("The %1 \"%2\" %3. Change it and press %4 again.")
                            .arg(lblFields[k]->text().chopped(1),
                                 TuneMap::Shown_Value(txtFields[k]->text().trimmed()), problem,
                                 cmdUpdate->text().remove('&')),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, EditorTitle);
        txtFields[k]->setFocus();
        return false;
    }
    return true;
}

void frmLibEdit::cmdUpdate_Click() {
    // The file name is checked as a name below; here only what a header cannot hold.
    if (!Fields_Keepable())
        return;
    Build_Map_Name();
    const int count = static_cast<int>(NumberRules::Val(LibRecord[0]));
    for (int k = 1; k <= count && k <= 9; ++k)
        LibRecord[k] = txtFields[k - 1]->text();
    try {
        if (SaveKind < 3) {
            // The File Name field names the file (also after a refused save put
            // the map's name before the save back).
            if (TuneFileName != LibRecord[2])
                TuneFileName = LibRecord[2];
            QString target;
            if (!Name_Usable(TuneFileName, &target))
                return;
            // Saving over the map's own file is what Save is for; any other file
            // is replaced only once the user agreed to replace that very file.
            const bool ownFile =
                !MapInfo.fileName.isEmpty() &&
                (target == MapInfo.fileName || ProgramFolder::Same_File(target, MapInfo.fileName));
            if (fileExists(target) && !ownFile && !replaceAgreed(target))
                return;
            LibRecord[2] = target;
            Library::Save_File_Info();
            if (!Save_File(target))
                return;
        } else if (!SelLibFile.isEmpty()) {
            const QString oldName = SelLibFile;
            NewTuneFileName = LibRecord[2];
            QString target = oldName;
            if (NewTuneFileName != oldName && !Name_Usable(NewTuneFileName, &target))
                return;
            LibRecord[2] = target;
            Library::Save_File_Info();
            if (!Edit_File(oldName, target))
                return;
        }
    } catch (const TuneMap::RefusedFile& e) {
        tellRefused(
            e,
            QStringLiteral("Nothing was written: the tune map %1 is as it was.").arg(SelLibFile));
        return;
    } catch (const KvrError& e) {
        Tell_Save_Failed(e);
        return;
    }
    Finish();
}

bool frmLibEdit::Save_File(const QString& target) {
    const bool existed = fileExists(target);
    try {
        TuneMap::Write_New_File(target, Clock());
    } catch (const TuneMap::RefusedFile& e) {
        // The map stays unsaved under the name it had before this save.
        TuneFileName = Library::NameBeforeSave;
        Main().Show_Tune_File(TuneFileName);
        tellRefused(e, QStringLiteral("The header of a new file carries the dealer's details, "
                                      "the names in this window and your contact details; one "
                                      "of them holds what a tune-map file cannot keep. Nothing "
                                      "was written: %1the map, its changes and its file name "
                                      "are as they were.")
                           .arg(existed ? QStringLiteral("the file %1 is as it was; ").arg(target)
                                        : QString()));
        return false;
    } catch (const KvrError& e) {
        Tell_Save_Failed(e);
        return false;
    }
    MapId = txtFields[0]->text();
    TuneFileName = target;
    // The current map is that file's now: its record is what the file holds.
    MapInfo.fileName = target;
    MapInfo.make = LibRecord[3];
    MapInfo.model = LibRecord[5];
    MapInfo.type = LibRecord[6];
    MapInfo.year = LibRecord[7];
    MapInfo.owner = ContactFields[1] + ' ' + ContactFields[2];
    MapInfo.ownerEmail = ContactFields[5];
    Library::SavedMapName = LibRecord[4];
    Library::SavedMapId = MapId;
    // The file now holds the image as it is: nothing left to lose.
    KeptImage::Mark_Kept();
    return true;
}

bool frmLibEdit::Edit_File(const QString& oldName, const QString& target) {
    using TuneMap::RewriteOutcome;
    RewriteOutcome outcome = TuneMap::Rewrite_Header(oldName, target, Clock());
    if (outcome == RewriteOutcome::TargetExists) {
        if (!replaceAgreed(target))
            return false;
        outcome = TuneMap::Rewrite_Header(oldName, target, Clock(), true);
    }
    if (outcome == RewriteOutcome::NoMapsLine) {
        Dialogs::msgBox(QStringLiteral("The tune map %1 has no \"MAPS:\" line after its "
                                       "\"E-mail:\" line, so its map rows cannot be told from "
                                       "its header. The file was left unchanged.")
                            .arg(oldName),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, EditorTitle);
        return false;
    }
    if (outcome == RewriteOutcome::NoEmailLine) {
        Dialogs::msgBox(QStringLiteral("The new names were not written: the tune map %1 has no "
                                       "\"E-mail:\" line, after which its names stand. The file "
                                       "was left unchanged.")
                            .arg(oldName),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, EditorTitle);
        return false;
    }
    if (outcome == RewriteOutcome::RenamedOnly)
        Dialogs::msgBox(QStringLiteral("The tune map %1 was renamed %2, but its new names were "
                                       "not written: it has no \"E-mail:\" line, after which "
                                       "its names stand. Its header was left as it was.")
                            .arg(oldName, target),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, EditorTitle);
    // The current map follows its file to the new name.
    if (TuneFileName == oldName)
        TuneFileName = target;
    if (MapInfo.fileName == oldName)
        MapInfo.fileName = target;
    return true;
}

void frmLibEdit::Finish() {
    SelLibFile.clear();
    if (frmLoadLib* library = FormInstance<frmLoadLib>::ifLoaded())
        library->List_Lib_Files();
    close();
}

void frmLibEdit::cmdClose_Click() {
    Finish();
}

void frmLibEdit::Form_Unload() {
    if (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void Tell_Save_Failed(const KvrError& e) {
    Dialogs::msgBox(QStringLiteral("There was an unexpected error. Your work has not been saved "
                                   "!!") +
                        QChar(13) + e.description() + QChar(13) + QString::number(e.number()),
                    Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                    QStringLiteral("There is a problem with SAVING !!"));
}
