#include "backup/frmBackRest.h"
#include "backup/BackupState.h"

#include "backup/BackupFolder.h"
#include "core/Caption.h"
#include "library/TuneMapFile.h"
#include "mainwin/Design.h"
#include "mainwin/MainState.h"
#include "platform/Dialogs.h"
#include "platform/FileCopy.h"
#include "platform/FileProblem.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/Step.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString KvrPattern = QStringLiteral("*.kvr");
const QString KvrSuffix = QStringLiteral(".kvr");
const QString NoFolderTitle = QStringLiteral("No Backup Folder !!");

QString Shown_Path(const QString& folder) {
    return folder.isEmpty() ? QStringLiteral("(none chosen yet)")
                            : QDir::toNativeSeparators(folder);
}

} // namespace

frmBackRest::frmBackRest() {
    setObjectName(QStringLiteral("frmBackRest"));
    Build_Controls();
    ::Step::Connect(cmdCopyB, &QPushButton::clicked, this, &frmBackRest::cmdCopyB_Click);
    ::Step::Connect(cmdCopyR, &QPushButton::clicked, this, &frmBackRest::cmdCopyR_Click);
    for (int e = 0; e < 2; ++e) {
        ::Step::Connect(cmdCancel[e], &QPushButton::clicked, this, &frmBackRest::cmdCancel_Click);
        ::Step::Connect(cmdFolder[e], &QPushButton::clicked, this, &frmBackRest::cmdFolder_Click);
    }
    Timer1.setInterval(1500);
    Timer1.setSingleShot(true);
    ::Step::Connect(&Timer1, &QTimer::timeout, this, &frmBackRest::Timer1_Timer);
    Form_Load();
}

void frmBackRest::Build_Controls() {
    // One row taller than the copy frames need: the row that names the backup folder.
    setFixedSize(Design::px(7320), Design::px(4500));
    for (int e = 0; e < 2; ++e)
        Build_Frame(e);
    // Paths and file names are shown as they are spelt, never read as markup.
    for (QLabel* l : findChildren<QLabel*>())
        l->setTextFormat(Qt::PlainText);
}

void frmBackRest::Build_Frame(int e) {
    const bool restore = e == 1;
    Frame1[e] = new QGroupBox(restore ? QStringLiteral("Restore Map Files from the Backup Folder")
                                      : QStringLiteral("Backup Stored Map Files"),
                              this);
    Design::place(Frame1[e], 120, 120, 6975, 4200);
    auto* box = new QVBoxLayout(Frame1[e]);
    Label1[e] = new QLabel(QStringLiteral("All your saved KVR6 Tuned Map Files are saved to:"));
    lblKVRPath[e] = new QLabel();
    lblKVRPath[e]->setWordWrap(true);
    Label2[e] = new QLabel(
        restore ? QStringLiteral("Here you are able to Restore saved KVR6 Tuned Map files in the "
                                 "backup folder to the above location on the hard drive. If the "
                                 "Map File already exist on the Hard Drive, they will be replaced.")
                : QStringLiteral("Here you are able to copy all the KVR6 Tuned Map files from the "
                                 "above location to the backup folder. If the Map File already "
                                 "exist in the backup folder, it will be replaced."));
    Label2[e]->setWordWrap(true);

    auto* folderRow = new QHBoxLayout();
    lblFolder[e] = new QLabel();
    lblFolder[e]->setWordWrap(true);
    lblFolder[e]->setObjectName(QStringLiteral("lblFolder"));
    cmdFolder[e] = new QPushButton(QStringLiteral("Choose Folder..."));
    folderRow->addWidget(new QLabel(QStringLiteral("Backup folder:")));
    folderRow->addWidget(lblFolder[e], 1);
    folderRow->addWidget(cmdFolder[e]);

    lblDisplay[e] =
        new QLabel(QStringLiteral("Please make sure that the backup folder is connected."));
    lblDisplay[e]->setWordWrap(true);

    FrameStat[e] = new QGroupBox();
    auto* stat = new QHBoxLayout(FrameStat[e]);
    lblStat[e] = new QLabel(QStringLiteral("Number of Maps Copied :"));
    lblStatus[e] = new QLabel();
    PB1[e] = new QProgressBar();
    PB1[e]->setTextVisible(false);
    stat->addWidget(lblStat[e]);
    stat->addWidget(lblStatus[e]);
    stat->addWidget(PB1[e], 1);
    FrameStat[e]->setVisible(false);

    auto* buttons = new QHBoxLayout();
    QPushButton* copy =
        new QPushButton(restore ? QStringLiteral("Copy All from Backup Folder to Hard Drive")
                                : QStringLiteral("Copy All to Backup Folder"));
    (restore ? cmdCopyR : cmdCopyB) = copy;
    cmdCancel[e] = new QPushButton(QStringLiteral("Cancel"));
    buttons->addWidget(copy);
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel[e]);

    box->addWidget(Label1[e]);
    box->addWidget(lblKVRPath[e]);
    box->addWidget(Label2[e]);
    box->addLayout(folderRow);
    box->addWidget(lblDisplay[e]);
    box->addWidget(FrameStat[e]);
    box->addStretch(1);
    box->addLayout(buttons);
}

void frmBackRest::Form_Load() {
    const bool restore = BackRestMode == 2;
    WtsGeneral::Set_Form_Caption(*this, restore ? QStringLiteral("frmBackRest_R")
                                                : QStringLiteral("frmBackRest_B"));
    Frame1[0]->setVisible(!restore);
    Frame1[1]->setVisible(restore);
    folder_ = Backup::Backup_Folder();
    Set_Values();
}

void frmBackRest::Set_Values() {
    for (QLabel* l : lblKVRPath)
        l->setText(QDir::toNativeSeparators(ProgramFolder::path()));
    Show_Folder();
}

void frmBackRest::Show_Folder() {
    for (QLabel* l : lblFolder)
        l->setText(Shown_Path(folder_));
    const bool missing = !folder_.isEmpty() && !QFileInfo(folder_).isDir();
    for (QLabel* l : lblDisplay)
        l->setText(missing ? QStringLiteral("The backup folder is not there: it is not connected "
                                            "or not mounted. Connect it, or choose another "
                                            "folder.")
                           : QStringLiteral("Please make sure that the backup folder is "
                                            "connected."));
}

int frmBackRest::Shown() const {
    return Frame1[1]->isVisible() ? 1 : 0;
}

void frmBackRest::cmdCopyB_Click() {
    Copy_All(false);
}

void frmBackRest::cmdCopyR_Click() {
    Copy_All(true);
}

void frmBackRest::cmdCancel_Click() {
    BackRestMode = 0;
    close();
}

void frmBackRest::cmdFolder_Click() {
    Choose_Folder();
}

void frmBackRest::Timer1_Timer() {
    close();
}

bool frmBackRest::Choose_Folder() {
    const QString chosen = Dialogs::current().chooseFolder(
        {QStringLiteral("Choose the backup folder"), folder_, QString(), QString(), QString()});
    if (chosen.isEmpty())
        return false;
    folder_ = chosen;
    Backup::Remember_Backup_Folder(folder_);
    Show_Folder();
    return true;
}

bool frmBackRest::Ask_For_Folder() {
    const bool restore = Shown() == 1;
    const QString text =
        (folder_.isEmpty()
             ? QStringLiteral("No backup folder has been chosen yet.")
             : QStringLiteral("The backup folder %1 is missing, not mounted or cannot be %2.")
                   .arg(Shown_Path(folder_),
                        restore ? QStringLiteral("read") : QStringLiteral("written"))) +
        QStringLiteral("\nPlease connect it and choose it, or choose another folder.");
    for (;;) {
        if (Dialogs::msgBox(text, Dialogs::Buttons::OkCancel, Dialogs::Icon::Critical,
                            NoFolderTitle) != Dialogs::Answer::Ok ||
            !Choose_Folder()) {
            cancelled_ = true;
            return false;
        }
        if (Backup::Folder_Reachable(folder_, !restore))
            return true;
    }
}

void frmBackRest::Copy_All(bool restore) {
    const int e = restore ? 1 : 0;
    QPushButton* copy = restore ? cmdCopyR : cmdCopyB;
    copy->setEnabled(false);
    FrameStat[e]->setVisible(true);
    lblStatus[e]->clear();
    skipped_.clear();
    leftOut_.clear();
    copied_ = 0;
    targetFolder_.clear();
    written_.clear();

    if (!Backup::Folder_Reachable(folder_, !restore) && !Ask_For_Folder()) {
        close();
        return;
    }
    const QStringList names =
        restore ? ProgramFolder::listIn(folder_, KvrPattern) : ProgramFolder::list(KvrPattern);
    // Names the listing cannot give: no file can be opened by them.
    const QStringList notText = restore ? ProgramFolder::Names_Not_Text_In(folder_, KvrSuffix)
                                        : ProgramFolder::Names_Not_Text(KvrSuffix);
    if (names.isEmpty() && notText.isEmpty()) {
        const QString where =
            restore ? Shown_Path(folder_) : QDir::toNativeSeparators(ProgramFolder::path());
        lblDisplay[e]->setText(QStringLiteral("There are no map files to copy."));
        Dialogs::msgBox(QStringLiteral("There are no tune-map files (*.kvr) in %1, so nothing "
                                       "was copied.")
                            .arg(where),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Information, windowTitle());
        copy->setEnabled(true);
        return;
    }
    for (const QString& name : notText)
        leftOut_ << name + QStringLiteral(": its name is not valid text, so the file cannot be "
                                          "opened; give it a new name to copy it");
    PB1[e]->setRange(0, static_cast<int>(names.size()));
    PB1[e]->setValue(0);
    Show_Copied(e);
    int counter = 0;
    for (const QString& name : names) {
        ++counter;
        PB1[e]->setValue(counter);
        Step step = Step::Retry;
        while (step == Step::Retry)
            step = restore ? Restore_One(name) : Backup_One(name);
        if (step == Step::Stop) {
            // The map it stopped at and every one after it are not copied.
            Finish(restore, static_cast<int>(names.size()) - counter + 1);
            return;
        }
    }
    Finish(restore, 0);
}

void frmBackRest::Finish(bool restore, int notReached) {
    const int e = restore ? 1 : 0;
    // What was found before a stop is told as after a whole run.
    if (!skipped_.isEmpty())
        Dialogs::msgBox(QStringLiteral("These files of the backup folder were not restored, "
                                       "since they are no whole tune maps:\n") +
                            skipped_.join('\n'),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, windowTitle());
    if (!leftOut_.isEmpty())
        Dialogs::msgBox((restore ? QStringLiteral("These map files of the backup folder were "
                                                  "not restored:\n")
                                 : QStringLiteral("These map files were not copied to the backup "
                                                  "folder:\n")) +
                            leftOut_.join('\n'),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, windowTitle());
    if (cancelled_) {
        close();
        return;
    }
    const QString what = restore ? QStringLiteral("RESTORE") : QStringLiteral("BACKUP");
    const int notCopied = static_cast<int>(leftOut_.size()) + notReached;
    if (notCopied > 0) {
        // A map is missing from the copy: never "Completed".
        lblDisplay[e]->setText(
            notCopied == 1 ? QStringLiteral("%1 not complete: 1 map was not copied.").arg(what)
                           : QStringLiteral("%1 not complete: %2 maps were not copied.")
                                 .arg(what)
                                 .arg(notCopied));
        (restore ? cmdCopyR : cmdCopyB)->setEnabled(true);
        return;
    }
    lblDisplay[e]->setText(QStringLiteral("Completed ") + what);
    Timer1.setInterval(2500);
    Timer1.start();
}

void frmBackRest::Show_Copied(int e) {
    lblStatus[e]->setText(QString::number(copied_));
}

bool frmBackRest::Ready_To_Write(const QString& folder, const QString& name, bool restore) {
    if (folder != targetFolder_) {
        // A copy cut short there left its temporary file; the folder's names
        // written so far start anew.
        FileCopy::Remove_Leftovers(folder, KvrSuffix);
        targetFolder_ = folder;
        written_.clear();
    }
    for (const QString& earlier : written_) {
        if (earlier != name && Backup::Same_File_In(folder, earlier, name)) {
            leftOut_ << name + QStringLiteral(": not copied, since %1 does not tell letter case "
                                              "apart and would let it replace %2, copied just "
                                              "before; give one of the two maps another name")
                                   .arg(restore ? QStringLiteral("the program folder")
                                                : QStringLiteral("the backup folder"),
                                        earlier);
            return false;
        }
    }
    return true;
}

void frmBackRest::Copied(const QString& name, bool restore) {
    written_ << name;
    ++copied_;
    Show_Copied(restore ? 1 : 0);
}

frmBackRest::Step frmBackRest::Backup_One(const QString& name) {
    if (!Backup::Folder_Reachable(folder_, true))
        return Ask_For_Folder() ? Step::Retry : Step::Stop;
    if (!Ready_To_Write(folder_, name, false))
        return Step::Next;
    const FileCopy::Result r = FileCopy::Copy(ProgramFolder::file(name), folder_ + '/' + name);
    if (r.ok()) {
        Copied(name, false);
        return Step::Next;
    }
    if (r.error == KvrError::DiskNotReady)
        return Ask_For_Folder() ? Step::Retry : Step::Stop;
    if (r.error == KvrError::DiskFull) {
        // The file that did not fit goes to the next folder, and all after it.
        Dialogs::msgBox(QStringLiteral("The backup folder %1 is full: %2 did not fit (%3). The "
                                       "maps copied so far stay there.\nPlease choose the next "
                                       "backup folder.")
                            .arg(Shown_Path(folder_), name, r.reason),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                        QStringLiteral("Backup folder is full. Choose the next one."));
        if (Choose_Folder())
            return Step::Retry;
        Stopped(name, r.reason, false);
        return Step::Stop;
    }
    // A name the folder refuses (a FAT stick takes no "Š" and no ":"), a map
    // that cannot be read: that map is named, and the maps after it go on.
    leftOut_ << name + QStringLiteral(": it could not be copied (%1)").arg(r.reason);
    return Step::Next;
}

frmBackRest::Step frmBackRest::Restore_One(const QString& name) {
    const QString source = folder_ + '/' + name;
    if (!Backup::Folder_Reachable(folder_, false))
        return Ask_For_Folder() ? Step::Retry : Step::Stop;
    // Only a file the library lists and loads whole lands in the program folder,
    // under its own name.
    if (const QString problem = TuneMap::Whole_Map_Problem(source); !problem.isEmpty()) {
        skipped_ << name + QStringLiteral(": ") + problem;
        return Step::Next;
    }
    if (!Ready_To_Write(ProgramFolder::path(), name, true))
        return Step::Next;
    const FileCopy::Result r = FileCopy::Copy(source, ProgramFolder::file(name));
    if (r.ok()) {
        Copied(name, true);
        return Step::Next;
    }
    if (r.error == KvrError::DiskFull) {
        Dialogs::msgBox(QStringLiteral("Hard Drive is full, Unable to continue untill space is "
                                       "made available"),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                        QStringLiteral("Disk is full. Aborted Restore !!."));
        return Step::Stop;
    }
    Stopped(name, r.reason, true);
    return Step::Stop;
}

void frmBackRest::Stopped(const QString& name, const QString& reason, bool restore) {
    FileProblem::Tell({QStringLiteral("map file ") + name, QStringLiteral("copied"), reason,
                       restore ? QStringLiteral("The restore stops; the maps restored so far are "
                                                "in place, the file of that name is unchanged.")
                               : QStringLiteral("The backup stops; the maps copied so far are in "
                                                "the backup folder."),
                       windowTitle()});
}
