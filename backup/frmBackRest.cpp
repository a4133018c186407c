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
    Step::Connect(cmdCopyB, &QPushButton::clicked, this, &frmBackRest::cmdCopyB_Click);
    Step::Connect(cmdCopyR, &QPushButton::clicked, this, &frmBackRest::cmdCopyR_Click);
    for (int e = 0; e < 2; ++e) {
        Step::Connect(cmdCancel[e], &QPushButton::clicked, this, &frmBackRest::cmdCancel_Click);
        Step::Connect(cmdFolder[e], &QPushButton::clicked, this, &frmBackRest::cmdFolder_Click);
    }
    Timer1.setInterval(1500);
    Timer1.setSingleShot(true);
    Step::Connect(&Timer1, &QTimer::timeout, this, &frmBackRest::Timer1_Timer);
    // One map a turn: the event loop draws the counter and takes Cancel between two.
    copyTimer_.setInterval(0);
    copyTimer_.setSingleShot(true);
    Step::Connect(&copyTimer_, &QTimer::timeout, this, &frmBackRest::Copy_Next);
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
    // A copy under way stops between two maps: every map copied so far is whole.
    // The maps it could not copy before the Cancel are still named; the ones
    // after it were left out by the user's own choice.
    BackRestMode = 0;
    if (copying_) {
        End_Copy();
        cancelled_ = true;
        Finish(restore_, -1);
        return;
    }
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
    // The copy goes on on whatever is mounted there now.
    if (copying_)
        folderDevice_ = FileCopy::Device_Of(folder_);
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
    targetDevice_.reset();
    written_.clear();
    stopReason_.clear();

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
    names_ = names;
    next_ = 0;
    restore_ = restore;
    folderDevice_ = FileCopy::Device_Of(folder_);
    programDevice_ = FileCopy::Device_Of(ProgramFolder::path());
    if (names_.isEmpty()) {
        Finish(restore, -1);
        return;
    }
    copying_ = true;
    // Looking at the main window's readings meanwhile does not end the copy.
    KeepOpen = 1;
    for (QPushButton* b : cmdFolder)
        b->setEnabled(false);
    copyTimer_.start();
}

void frmBackRest::Copy_Next() {
    if (!copying_ || next_ >= names_.size())
        return;
    try {
        const int at = next_++;
        PB1[restore_ ? 1 : 0]->setValue(next_);
        AfterMap after = AfterMap::Retry;
        while (after == AfterMap::Retry)
            after = restore_ ? Restore_One(names_[at]) : Backup_One(names_[at]);
        if (after == AfterMap::Stop || next_ >= names_.size()) {
            End_Copy();
            Finish(restore_, after == AfterMap::Stop ? at : -1);
            return;
        }
    } catch (...) {
        // The step is told as stopped; the window is usable again.
        End_Copy();
        (restore_ ? cmdCopyR : cmdCopyB)->setEnabled(true);
        throw;
    }
    copyTimer_.start();
}

void frmBackRest::End_Copy() {
    copying_ = false;
    copyTimer_.stop();
    KeepOpen = 0;
    for (QPushButton* b : cmdFolder)
        b->setEnabled(true);
}

QString frmBackRest::Folder_Moved() const {
    if (FileCopy::Device_Of(folder_) != folderDevice_)
        return QStringLiteral("the backup folder %1 is no longer on the disk the copy began on; "
                              "the stick was taken away or unmounted")
            .arg(Shown_Path(folder_));
    if (FileCopy::Device_Of(ProgramFolder::path()) != programDevice_)
        return QStringLiteral("the program folder %1 is no longer on the disk the copy began on")
            .arg(QDir::toNativeSeparators(ProgramFolder::path()));
    return QString();
}

void frmBackRest::Name_Not_Reached(bool restore, int stoppedAt) {
    const QString what = restore ? QStringLiteral("restore") : QStringLiteral("backup");
    // Whether the files not reached can still be read, to tell maps from the rest.
    const bool readable = restore && Backup::Folder_Reachable(folder_, false) &&
                          FileCopy::Device_Of(folder_) == folderDevice_;
    for (int i = stoppedAt; i < names_.size(); ++i) {
        const QString& name = names_[i];
        if (i == stoppedAt) {
            leftOut_ << (stopReason_.isEmpty()
                             ? QStringLiteral("%1: not copied, since the %2 stopped at it")
                                   .arg(name, what)
                             : QStringLiteral("%1: not copied, since the %2 stopped at it (%3)")
                                   .arg(name, what, stopReason_));
            continue;
        }
        if (readable) {
            if (const QString problem = TuneMap::Whole_Map_Problem(folder_ + '/' + name);
                !problem.isEmpty()) {
                skipped_ << name + QStringLiteral(": ") + problem;
                continue;
            }
        }
        leftOut_
            << QStringLiteral("%1: not copied, since the %2 stopped before it").arg(name, what);
    }
}

void frmBackRest::Finish(bool restore, int stoppedAt) {
    const int e = restore ? 1 : 0;
    if (stoppedAt >= 0)
        Name_Not_Reached(restore, stoppedAt);
    // What was found before a stop is told as after a whole run.
    if (!skipped_.isEmpty())
        Dialogs::listBox(QStringLiteral("These files of the backup folder were not restored, "
                                        "since they are no whole tune maps:"),
                         skipped_, Dialogs::Icon::Exclamation, windowTitle());
    if (!leftOut_.isEmpty())
        Dialogs::listBox(restore ? QStringLiteral("These map files of the backup folder were "
                                                  "not restored:")
                                 : QStringLiteral("These map files were not copied to the backup "
                                                  "folder:"),
                         leftOut_, Dialogs::Icon::Exclamation, windowTitle());
    if (cancelled_) {
        close();
        return;
    }
    const QString what = restore ? QStringLiteral("RESTORE") : QStringLiteral("BACKUP");
    const int notCopied = static_cast<int>(leftOut_.size());
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
    const std::optional<quint64> device = FileCopy::Device_Of(folder);
    if (folder != targetFolder_ || device != targetDevice_) {
        // A copy cut short there left its temporary file. The names written
        // so far start anew in another folder; a stick put back at the same
        // place keeps them, as it may still hold them.
        FileCopy::Remove_Leftovers(folder, KvrSuffix);
        if (folder != targetFolder_)
            written_.clear();
        targetFolder_ = folder;
        targetDevice_ = device;
    }
    // Every folder that ignores letter case finds a name under a spelling
    // that folds to it; the folder itself says whether it is one such.
    const auto earlier = written_.constFind(name.toCaseFolded());
    if (earlier == written_.constEnd())
        return true;
    for (const QString& other : *earlier) {
        if (other != name && Backup::Same_File_In(folder, other, name)) {
            leftOut_ << name + QStringLiteral(": not copied, since %1 does not tell letter case "
                                              "apart and would let it replace %2, copied just "
                                              "before; give one of the two maps another name")
                                   .arg(restore ? QStringLiteral("the program folder")
                                                : QStringLiteral("the backup folder"),
                                        other);
            return false;
        }
    }
    return true;
}

void frmBackRest::Copied(const QString& name, bool restore) {
    written_[name.toCaseFolded()] << name;
    ++copied_;
    Show_Copied(restore ? 1 : 0);
}

std::optional<frmBackRest::AfterMap> frmBackRest::Folders_Stop(const QString& name, bool restore) {
    if (!Backup::Folder_Reachable(folder_, !restore)) {
        if (Ask_For_Folder())
            return AfterMap::Retry;
        stopReason_ = QStringLiteral("the backup folder could not be reached");
        return AfterMap::Stop;
    }
    // A stick taken away whose mount-point folder stays: the maps would land
    // on the disk beneath it.
    if (const QString moved = Folder_Moved(); !moved.isEmpty()) {
        stopReason_ = moved;
        Stopped(name, moved, restore);
        return AfterMap::Stop;
    }
    return std::nullopt;
}

frmBackRest::AfterMap frmBackRest::Backup_One(const QString& name) {
    if (const auto stop = Folders_Stop(name, false))
        return *stop;
    if (!Ready_To_Write(folder_, name, false))
        return AfterMap::Next;
    const FileCopy::Result r =
        FileCopy::Copy(ProgramFolder::file(name), folder_ + '/' + name, folderDevice_);
    if (r.ok()) {
        Copied(name, false);
        return AfterMap::Next;
    }
    if (r.error == KvrError::DiskNotReady) {
        if (const QString moved = Folder_Moved(); !moved.isEmpty()) {
            stopReason_ = moved;
            Stopped(name, moved, false);
            return AfterMap::Stop;
        }
        if (Ask_For_Folder())
            return AfterMap::Retry;
        stopReason_ = r.reason;
        return AfterMap::Stop;
    }
    if (r.error == KvrError::DiskFull) {
        // The file that did not fit goes to the next folder, and all after it.
        Dialogs::msgBox(QStringLiteral("The backup folder %1 is full: %2 did not fit (%3). The "
                                       "maps copied so far stay there.\nPlease choose the next "
                                       "backup folder.")
                            .arg(Shown_Path(folder_), name, r.reason),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                        QStringLiteral("Backup folder is full. Choose the next one."));
        if (Choose_Folder())
            return AfterMap::Retry;
        stopReason_ = r.reason;
        Stopped(name, r.reason, false);
        return AfterMap::Stop;
    }
    // A name the folder refuses (a FAT stick takes no "Š" and no ":"), a map
    // that cannot be read: that map is named, and the maps after it go on.
    leftOut_ << name + QStringLiteral(": it could not be copied (%1)").arg(r.reason);
    return AfterMap::Next;
}

frmBackRest::AfterMap frmBackRest::Restore_One(const QString& name) {
    const QString source = folder_ + '/' + name;
    if (const auto stop = Folders_Stop(name, true))
        return *stop;
    // Only a file the library lists and loads whole lands in the program folder,
    // under its own name.
    if (const QString problem = TuneMap::Whole_Map_Problem(source); !problem.isEmpty()) {
        skipped_ << name + QStringLiteral(": ") + problem;
        return AfterMap::Next;
    }
    if (!Ready_To_Write(ProgramFolder::path(), name, true))
        return AfterMap::Next;
    const FileCopy::Result r = FileCopy::Copy(source, ProgramFolder::file(name), programDevice_);
    if (r.ok()) {
        Copied(name, true);
        return AfterMap::Next;
    }
    if (r.error == KvrError::DiskFull) {
        Dialogs::msgBox(QStringLiteral("Hard Drive is full, Unable to continue untill space is "
                                       "made available"),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                        QStringLiteral("Disk is full. Aborted Restore !!."));
        stopReason_ = r.reason;
        return AfterMap::Stop;
    }
    if (r.error == KvrError::DiskNotReady) {
        // The program folder itself has gone: nothing more can be restored.
        stopReason_ = r.reason;
        Stopped(name, r.reason, true);
        return AfterMap::Stop;
    }
    // A name the program folder refuses (a FAT program folder takes no "<"),
    // a file that cannot be read: that map is named, and the maps after it
    // go on, as in the backup.
    leftOut_ << name + QStringLiteral(": it could not be copied (%1)").arg(r.reason);
    return AfterMap::Next;
}

void frmBackRest::Stopped(const QString& name, const QString& reason, bool restore) {
    FileProblem::Tell({QStringLiteral("map file ") + name, QStringLiteral("copied"), reason,
                       restore ? QStringLiteral("The restore stops; the maps restored so far are "
                                                "in place, the file of that name is unchanged.")
                               : QStringLiteral("The backup stops; the maps copied so far are in "
                                                "the backup folder."),
                       windowTitle()});
}
