// Backup and restore of the library through the main window's entries, with
// the backup folder chosen through a scripted folder dialog, real files in
// temporary folders, and a file-size limit standing in for a full stick.

#include "tests/library/WindowTestSupport.h"

#include "backup/BackupFolder.h"
#include "backup/BackupState.h"
#include "backup/Entries.h"
#include "backup/frmBackRest.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "tests/support/CaseNames.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/NoPermissionOverride.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Every file of a folder with its bytes: what a test compares before and after.
std::map<QString, QByteArray> contentsOf(const QString& folder) {
    std::map<QString, QByteArray> out;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        out[name] = bytesOf(folder + '/' + name);
    return out;
}

// The copy runs one map a turn of the event loop: waits until it has ended
// (the window may have closed meanwhile).
void waitCopyEnd(frmBackRest& b) {
    const QPointer<frmBackRest> w(&b);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w || !w->Copying(); }, 120000))
        << "the copy did not end";
}

// The user swaps the full stick for an empty one before choosing the next
// folder: the file-size limit that made the first one "full" goes with it.
class SwappingStick : public Dialogs::ScriptedProvider {
public:
    std::unique_ptr<FileSizeLimit> limit;
    QString chooseFolder(const Dialogs::FileRequest& request) override {
        limit.reset();
        return ScriptedProvider::chooseFolder(request);
    }
};

class BackupRestoreTest : public LibraryWindowTest {
protected:
    void wireEntries(frmMain& w) override {
        LibraryWindowTest::wireEntries(w);
        Backup::Wire_Entries(w);
    }
    BackupRestoreTest() { qputenv("KVR6_DRIVE_A", stick.path().toLocal8Bit()); }
    ~BackupRestoreTest() override { qunsetenv("KVR6_DRIVE_A"); }

    frmBackRest& openMode(frmMain&, QAction* entry) {
        EXPECT_TRUE(entry->isEnabled());
        entry->trigger();
        EXPECT_TRUE(FormInstance<frmBackRest>::loaded());
        frmBackRest& b = FormInstance<frmBackRest>::get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&b));
        return b;
    }
    // A tune map of 55 lines and more: a file made bigger by repeating its map.
    void writeBig(const QString& name, int seed) {
        writeTune(name, seed);
        QFile f(folder.file(name));
        ASSERT_TRUE(f.open(QIODevice::Append));
        for (int i = 0; i < 200; ++i)
            f.write("Note: a long tuning history line kept after the map rows\r\n");
    }

    // A whole tune map written under name in another folder (the stick).
    void writeTuneIn(const QString& dir, const QString& name, int seed) {
        const QString scratch = QStringLiteral("scratch-for-the-stick.kvr");
        writeTune(scratch, seed);
        QFile::remove(dir + '/' + name);
        ASSERT_TRUE(QFile::rename(folder.file(scratch), dir + '/' + name)) << name.toStdString();
    }
    // A file whose name is given as raw bytes (a name that is no valid text).
    static void writeRaw(const QString& dir, const QByteArray& name, const QByteArray& bytes) {
        const QByteArray path = QFile::encodeName(dir) + '/' + name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.constData(), bytes.size()), bytes.size());
        ::close(fd);
    }

    // Backs up "Golf.kvr", "golf.kvr" (both in the program folder, as Save As
    // can make them) and "Polo.kvr" into a folder that ignores letter case:
    // the spelling listed second is named beside the first and left out, and
    // the first keeps its own map. Returns the two spellings in listed order.
    std::pair<QString, QString> backUpBothSpellings(
        const QString& target,
        const std::function<void(const QString&, const QString&)>& caseInsensitive) {
        writeTune(QStringLiteral("Golf.kvr"), 1);
        writeTune(QStringLiteral("golf.kvr"), 2);
        writeTune(QStringLiteral("Polo.kvr"), 3);
        QStringList spellings = ProgramFolder::list(QStringLiteral("*.kvr"));
        spellings.removeAll(QStringLiteral("Polo.kvr"));
        EXPECT_EQ(spellings.size(), 2);
        if (spellings.size() != 2)
            return {};
        const QString first = spellings[0];
        const QString second = spellings[1];
        caseInsensitive(first, second);
        qputenv("KVR6_DRIVE_A", QFile::encodeName(target));
        Dialogs::ScriptedProvider dialogs;
        frmMain& w = openWired();
        frmBackRest& b = openMode(w, w.mnuBackup);
        QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
        waitCopyEnd(b);

        EXPECT_EQ(dialogs.texts(),
                  QStringList{QStringLiteral("These map files were not copied to the backup "
                                             "folder:\n%1: not copied, since the backup folder "
                                             "does not tell letter case apart and would let it "
                                             "replace %2, copied just before; give one of the two "
                                             "maps another name")
                                  .arg(second, first)});
        EXPECT_EQ(b.lblDisplay[0]->text(),
                  QStringLiteral("BACKUP not complete: 1 map was not copied."));
        EXPECT_EQ(b.lblStatus[0]->text(), QStringLiteral("2"));
        EXPECT_EQ(bytesOf(target + '/' + first), bytesOf(folder.file(first)))
            << "the first spelling's map was replaced";
        EXPECT_EQ(bytesOf(target + "/Polo.kvr"), bytesOf(folder.file("Polo.kvr")));
        FormInstance<frmBackRest>::unload();
        return {first, second};
    }

    QTemporaryDir stick;
    QTemporaryDir nextStick;
};

// A FAT file system in an image file, mounted through a loop device: needs
// root, mkfs.vfat (or mkfs.fat) and a kernel that mounts vfat. Unmounted when
// it goes.
class FatStick {
public:
    FatStick() {
        const QStringList tools{QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                QStringLiteral("/usr/bin"), QStringLiteral("/bin")};
        QString mkfs = QStandardPaths::findExecutable(QStringLiteral("mkfs.vfat"), tools);
        if (mkfs.isEmpty())
            mkfs = QStandardPaths::findExecutable(QStringLiteral("mkfs.fat"), tools);
        const QString mount = QStandardPaths::findExecutable(QStringLiteral("mount"), tools);
        if (::geteuid() != 0) {
            why_ = "not root, so no image can be mounted";
            return;
        }
        if (mkfs.isEmpty() || mount.isEmpty()) {
            why_ = "no mkfs.vfat or mount on this machine";
            return;
        }
        const QString image = dir_.filePath(QStringLiteral("stick.img"));
        QFile f(image);
        if (!f.open(QIODevice::WriteOnly) || !f.resize(16 * 1024 * 1024)) {
            why_ = "the image file could not be made";
            return;
        }
        f.close();
        path_ = dir_.filePath(QStringLiteral("mnt"));
        QDir().mkdir(path_);
        if (QProcess::execute(mkfs, {QStringLiteral("-n"), QStringLiteral("STICK"), image}) != 0) {
            why_ = "mkfs.vfat failed";
            return;
        }
        mounted_ = QProcess::execute(mount, {QStringLiteral("-t"), QStringLiteral("vfat"),
                                             QStringLiteral("-o"), QStringLiteral("loop"), image,
                                             path_}) == 0;
        if (!mounted_)
            why_ = "the FAT image could not be mounted (no loop device or no vfat here)";
    }
    ~FatStick() {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {path_});
    }
    FatStick(const FatStick&) = delete;
    FatStick& operator=(const FatStick&) = delete;

    bool mounted() const { return mounted_; }
    const char* why() const { return why_; }
    QString path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
    bool mounted_ = false;
    const char* why_ = "";
};

// Runs a tool to its end with its output thrown away (a FUSE driver that goes
// on in the background keeps nothing of the test's open). Its exit code, -1
// when it did not end by itself.
int runQuietly(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(program, arguments);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// A stick mounted for a test; why() says why not where it could not be.
class MountedStick {
public:
    virtual ~MountedStick() = default;
    virtual bool mounted() const = 0;
    virtual const char* why() const = 0;
    virtual QString path() const = 0;
};

// A FAT16 file system in an image file, mounted through the FUSE driver
// fusefat, as many Linux systems mount a stick: such a driver gives every
// spelling of a name an inode number of its own, and refuses names FAT cannot
// hold ("Š", ":"). Needs root, /dev/fuse, mkfs.vfat, fusefat and fusermount.
// Its image and mount point are its own (test programs run side by side);
// unmounted when it goes, whatever the test did.
class FuseFatStick : public MountedStick {
public:
    FuseFatStick() {
        const QStringList tools{QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                QStringLiteral("/usr/bin"), QStringLiteral("/bin")};
        const auto find = [&](const char* a, const char* b) {
            const QString found = QStandardPaths::findExecutable(QString::fromLatin1(a), tools);
            return found.isEmpty() ? QStandardPaths::findExecutable(QString::fromLatin1(b), tools)
                                   : found;
        };
        const QString mkfs = find("mkfs.vfat", "mkfs.fat");
        const QString fusefat = find("fusefat", "fusefat");
        fusermount_ = find("fusermount", "fusermount3");
        if (::geteuid() != 0) {
            why_ = "not root, so no image can be mounted";
            return;
        }
        if (!QFileInfo::exists(QStringLiteral("/dev/fuse"))) {
            why_ = "no /dev/fuse on this machine";
            return;
        }
        if (mkfs.isEmpty() || fusefat.isEmpty() || fusermount_.isEmpty()) {
            why_ = "no mkfs.vfat, fusefat or fusermount on this machine (Debian packages "
                   "dosfstools and fusefat)";
            return;
        }
        const QString image = dir_.filePath(QStringLiteral("stick.img"));
        QFile f(image);
        if (!f.open(QIODevice::WriteOnly) || !f.resize(16 * 1024 * 1024)) {
            why_ = "the image file could not be made";
            return;
        }
        f.close();
        // No volume label: this driver would show it as a file of the stick.
        if (runQuietly(mkfs, {QStringLiteral("-F"), QStringLiteral("16"), image}) != 0) {
            why_ = "mkfs.vfat failed";
            return;
        }
        path_ = dir_.filePath(QStringLiteral("mnt"));
        QDir().mkdir(path_);
        const int rc =
            runQuietly(fusefat, {QStringLiteral("-o"), QStringLiteral("rw+"), image, path_});
        // Whatever it answered, a mount that is there is taken down again.
        struct stat mnt {};
        struct stat parent {};
        mounted_ = ::stat(QFile::encodeName(path_).constData(), &mnt) == 0 &&
                   ::stat(QFile::encodeName(dir_.path()).constData(), &parent) == 0 &&
                   mnt.st_dev != parent.st_dev;
        if (rc != 0 || !mounted_)
            why_ = "fusefat could not mount the FAT image";
        ready_ = rc == 0 && mounted_;
    }
    ~FuseFatStick() {
        if (!mounted_)
            return;
        // The driver may still be busy with the last write for a moment.
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (runQuietly(fusermount_, {QStringLiteral("-u"), path_}) == 0)
                return;
            QTest::qWait(100);
        }
        runQuietly(fusermount_, {QStringLiteral("-u"), QStringLiteral("-z"), path_});
    }
    FuseFatStick(const FuseFatStick&) = delete;
    FuseFatStick& operator=(const FuseFatStick&) = delete;

    bool mounted() const override { return ready_; }
    const char* why() const override { return why_; }
    QString path() const override { return path_; }
    // The stick pulled out while its mount point stays: a lazy unmount
    // leaves the bare folder of the local disk at the same path.
    bool Take_Away() {
        if (runQuietly(fusermount_, {QStringLiteral("-u"), QStringLiteral("-z"), path_}) != 0)
            return false;
        mounted_ = false;
        return true;
    }

private:
    QTemporaryDir dir_;
    QString fusermount_;
    QString path_;
    bool mounted_ = false;
    bool ready_ = false;
    const char* why_ = "";
};

// An exFAT file system on a loop device over an image file, mounted through
// exfat-fuse (which mounts no image file itself), as a stick formatted for
// cameras and other systems is. Such a driver answers a name exFAT cannot
// hold (: ? * " < > | \) with "no such file". Needs root, /dev/fuse, a loop
// device, mkfs.exfat and mount.exfat-fuse. Unmounted and detached when it goes.
class ExfatStick : public MountedStick {
public:
    ExfatStick() {
        const QStringList tools{QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                QStringLiteral("/usr/bin"), QStringLiteral("/bin")};
        const auto find = [&](const char* name) {
            return QStandardPaths::findExecutable(QString::fromLatin1(name), tools);
        };
        const QString mkfs = find("mkfs.exfat");
        const QString mountExfat = find("mount.exfat-fuse");
        losetup_ = find("losetup");
        fusermount_ = find("fusermount");
        if (fusermount_.isEmpty())
            fusermount_ = find("fusermount3");
        if (::geteuid() != 0) {
            why_ = "not root, so no image can be mounted";
            return;
        }
        if (!QFileInfo::exists(QStringLiteral("/dev/fuse"))) {
            why_ = "no /dev/fuse on this machine";
            return;
        }
        if (mkfs.isEmpty() || mountExfat.isEmpty() || losetup_.isEmpty() || fusermount_.isEmpty()) {
            why_ = "no mkfs.exfat, mount.exfat-fuse, losetup or fusermount on this machine "
                   "(Debian packages exfatprogs and exfat-fuse)";
            return;
        }
        const QString image = dir_.filePath(QStringLiteral("stick.img"));
        QFile f(image);
        if (!f.open(QIODevice::WriteOnly) || !f.resize(32 * 1024 * 1024)) {
            why_ = "the image file could not be made";
            return;
        }
        f.close();
        QProcess attach;
        attach.start(losetup_, {QStringLiteral("-f"), QStringLiteral("--show"), image});
        if (!attach.waitForFinished(30000) || attach.exitCode() != 0) {
            why_ = "no loop device here (losetup failed), and exfat-fuse mounts no image file";
            return;
        }
        loop_ = QString::fromLocal8Bit(attach.readAllStandardOutput()).trimmed();
        if (runQuietly(mkfs, {loop_}) != 0) {
            why_ = "mkfs.exfat failed";
            return;
        }
        path_ = dir_.filePath(QStringLiteral("mnt"));
        QDir().mkdir(path_);
        const int rc = runQuietly(mountExfat, {loop_, path_});
        struct stat mnt {};
        struct stat parent {};
        mounted_ = ::stat(QFile::encodeName(path_).constData(), &mnt) == 0 &&
                   ::stat(QFile::encodeName(dir_.path()).constData(), &parent) == 0 &&
                   mnt.st_dev != parent.st_dev;
        if (rc != 0 || !mounted_)
            why_ = "exfat-fuse could not mount the exFAT loop device";
        ready_ = rc == 0 && mounted_;
    }
    ~ExfatStick() override {
        if (mounted_) {
            bool down = false;
            for (int attempt = 0; attempt < 50 && !down; ++attempt) {
                down = runQuietly(fusermount_, {QStringLiteral("-u"), path_}) == 0;
                if (!down)
                    QTest::qWait(100);
            }
            if (!down)
                runQuietly(fusermount_, {QStringLiteral("-u"), QStringLiteral("-z"), path_});
        }
        if (!loop_.isEmpty())
            runQuietly(losetup_, {QStringLiteral("-d"), loop_});
    }
    ExfatStick(const ExfatStick&) = delete;
    ExfatStick& operator=(const ExfatStick&) = delete;

    bool mounted() const override { return ready_; }
    const char* why() const override { return why_; }
    QString path() const override { return path_; }

private:
    QTemporaryDir dir_;
    QString losetup_;
    QString fusermount_;
    QString loop_;
    QString path_;
    bool mounted_ = false;
    bool ready_ = false;
    const char* why_ = "";
};

// While it lives, the program folder is another folder (one on a stick): the
// test's own program folder comes back afterwards.
class ProgramFolderAt {
public:
    explicit ProgramFolderAt(const QString& path) : previous_(qgetenv("KVR6_HOME")) {
        qputenv("KVR6_HOME", QFile::encodeName(path));
    }
    ~ProgramFolderAt() { qputenv("KVR6_HOME", previous_); }
    ProgramFolderAt(const ProgramFolderAt&) = delete;
    ProgramFolderAt& operator=(const ProgramFolderAt&) = delete;

private:
    QByteArray previous_;
};

} // namespace

TEST_F(BackupRestoreTest, BackupCopiesEveryMapByteForByteAndClosesWhenDone) {
    writeTune(QStringLiteral("Golf.kvr"), 1);
    writeTune(QStringLiteral("Polo GTI.kvr"), 2);
    folder.writeLines(QStringLiteral("notes.txt"), {"not a map"});
    QFile::copy(folder.file(QStringLiteral("Polo GTI.kvr")),
                stick.filePath("Golf.kvr")); // old copy
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();

    frmBackRest& b = openMode(w, w.mnuBackup);
    EXPECT_EQ(BackRestMode, 1);
    EXPECT_TRUE(b.Frame1[0]->isVisible());
    EXPECT_FALSE(b.Frame1[1]->isVisible());
    EXPECT_EQ(b.windowTitle(),
              QStringLiteral("KVR6 - Backup saved map files   by Fast Lane Motors"));
    EXPECT_EQ(b.lblFolder[0]->text(), QDir::toNativeSeparators(stick.path()));
    EXPECT_EQ(b.lblKVRPath[0]->text(), QDir::toNativeSeparators(folder.path()));
    b.grab().save(Screenshot_Path(QStringLiteral("backup-window.png")));

    b.cmdCopyB->setFocus();
    QTest::keyClick(b.cmdCopyB, Qt::Key_Space);
    waitCopyEnd(b);
    EXPECT_EQ(b.lblDisplay[0]->text(), QStringLiteral("Completed BACKUP"));
    EXPECT_EQ(b.lblStatus[0]->text(), QStringLiteral("2"));
    EXPECT_EQ(b.PB1[0]->value(), 2);
    EXPECT_FALSE(b.cmdCopyB->isEnabled());
    b.grab().save(Screenshot_Path(QStringLiteral("backup-completed.png")));
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();

    std::map<QString, QByteArray> expected;
    for (const QString& name : {QStringLiteral("Golf.kvr"), QStringLiteral("Polo GTI.kvr")})
        expected[name] = bytesOf(folder.file(name));
    EXPECT_EQ(contentsOf(stick.path()), expected);
    EXPECT_TRUE(Wait_Unloaded<frmBackRest>()) << "the window stays open after the completed backup";
}

TEST_F(BackupRestoreTest, AFullStickAsksForTheNextAndTheBackupGoesOnThere) {
    writeTune(QStringLiteral("a.kvr"), 1);
    writeBig(QStringLiteral("b.kvr"), 2);
    writeTune(QStringLiteral("c.kvr"), 3);
    SwappingStick dialogs;
    dialogs.file(nextStick.path());
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);

    // The first stick takes a.kvr, then fills up in the middle of b.kvr.
    dialogs.limit = std::make_unique<FileSizeLimit>(QFileInfo(folder.file("a.kvr")).size() + 512);
    ASSERT_TRUE(dialogs.limit->active());
    QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
    waitCopyEnd(b);

    ASSERT_EQ(dialogs.records().size(), 2u) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(dialogs.records()[0].title,
              QStringLiteral("Backup folder is full. Choose the next one."));
    EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("b.kvr")));
    EXPECT_EQ(dialogs.records()[1].kind, QStringLiteral("folder"));
    EXPECT_EQ(dialogs.records()[1].text, stick.path()) << "the dialog starts at the full folder";

    // Nothing cut anywhere: each file is whole in exactly one folder.
    EXPECT_EQ(contentsOf(stick.path()),
              (std::map<QString, QByteArray>{{"a.kvr", bytesOf(folder.file("a.kvr"))}}));
    EXPECT_EQ(contentsOf(nextStick.path()),
              (std::map<QString, QByteArray>{{"b.kvr", bytesOf(folder.file("b.kvr"))},
                                             {"c.kvr", bytesOf(folder.file("c.kvr"))}}));
    EXPECT_EQ(b.lblDisplay[0]->text(), QStringLiteral("Completed BACKUP"));
    EXPECT_EQ(Backup::Backup_Folder(), nextStick.path()) << "the next stick is remembered";
}

TEST_F(BackupRestoreTest, AMissingFolderAsksOkChoosesAnotherAndCancelCloses) {
    writeTune(QStringLiteral("a.kvr"), 1);
    qputenv("KVR6_DRIVE_A", (stick.path() + "/not-mounted").toLocal8Bit());
    struct Case {
        Dialogs::Answer answer;
        bool copied;
    };
    for (const Case c : {Case{Dialogs::Answer::Cancel, false}, Case{Dialogs::Answer::Ok, true}}) {
        SCOPED_TRACE(c.copied ? "OK" : "Cancel");
        Dialogs::ScriptedProvider dialogs;
        dialogs.answer(c.answer);
        dialogs.file(nextStick.path());
        frmMain& w = openWired();
        frmBackRest& b = openMode(w, w.mnuBackup);
        QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
        waitCopyEnd(b);
        ASSERT_FALSE(dialogs.records().empty());
        EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("No Backup Folder !!"));
        EXPECT_EQ(dialogs.records()[0].buttons, Dialogs::Buttons::OkCancel);
        EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("not-mounted")));
        EXPECT_EQ(QFile::exists(nextStick.filePath("a.kvr")), c.copied);
        if (c.copied)
            EXPECT_EQ(bytesOf(nextStick.filePath("a.kvr")), bytesOf(folder.file("a.kvr")));
        else
            EXPECT_TRUE(Wait_Unloaded<frmBackRest>()) << "Cancel in the question closes the window";
        FormInstance<frmBackRest>::unload();
    }
}

TEST_F(BackupRestoreTest, TheChosenFolderIsOfferedAtTheNextOpening) {
    Dialogs::ScriptedProvider dialogs;
    dialogs.file(nextStick.path());
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuRestore);
    QTest::mouseClick(b.cmdFolder[1], Qt::LeftButton);
    EXPECT_EQ(b.lblFolder[1]->text(), QDir::toNativeSeparators(nextStick.path()));
    QTest::mouseClick(b.cmdCancel[1], Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmBackRest>());
    EXPECT_EQ(BackRestMode, 0);

    frmBackRest& again = openMode(w, w.mnuBackup);
    EXPECT_EQ(again.lblFolder[0]->text(), QDir::toNativeSeparators(nextStick.path()));
    EXPECT_EQ(TextFile::readLines(folder.file(Backup::BackupFolderFile)),
              QStringList{QStringLiteral("Folder=") + nextStick.path()});
}

TEST_F(BackupRestoreTest, NothingToCopyIsTold) {
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);
    QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
    waitCopyEnd(b);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(
        dialogs.records()[0].text.startsWith(QStringLiteral("There are no tune-map files")));
    EXPECT_TRUE(b.cmdCopyB->isEnabled());
    EXPECT_TRUE(FormInstance<frmBackRest>::loaded());
}

TEST_F(BackupRestoreTest, RestoreReplacesWholeMapsAndSkipsWhatIsNoWholeMap) {
    writeTune(QStringLiteral("Golf.kvr"), 1);
    writeTune(QStringLiteral("Cut.kvr"), 2);
    writeTune(QStringLiteral("Polo.kvr"), 3);
    // On the stick: a newer Golf, a new Polo, a Cut cut off after 20 map rows,
    // and notes without any map.
    QFile::copy(folder.file("Polo.kvr"), stick.filePath("Golf.kvr"));
    writeTune(QStringLiteral("New.kvr"), 4);
    QFile::rename(folder.file("New.kvr"), stick.filePath("New.kvr"));
    QStringList cut = TextFile::readLines(folder.file("Cut.kvr"));
    const int maps = static_cast<int>(cut.indexOf(QRegularExpression("^MAPS:")));
    ASSERT_GT(maps, 0);
    TextFile::writeLines(stick.filePath("Cut.kvr"), cut.mid(0, maps + 21));
    TextFile::writeLines(stick.filePath("Notes.kvr"), {"Dscr: only words", "End"});
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuRestore);
    const auto before = contentsOf(folder.path());
    const ImageSnapshot image = ImageSnapshot::Take();
    EXPECT_EQ(b.windowTitle(),
              QStringLiteral("KVR6 - Restore saved map files   by Fast Lane Motors"));
    EXPECT_TRUE(b.Frame1[1]->isVisible());
    EXPECT_FALSE(b.Frame1[0]->isVisible());
    b.grab().save(Screenshot_Path(QStringLiteral("restore-window.png")));
    QTest::mouseClick(b.cmdCopyR, Qt::LeftButton);
    waitCopyEnd(b);

    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString told = dialogs.records()[0].text;
    // The library's own words for a file it would not load.
    EXPECT_TRUE(told.contains(QStringLiteral("Cut.kvr: it is cut short: the map rows of page 5")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("Notes.kvr: it has no \"MAPS:\" line before its last "
                                             "line")))
        << told.toStdString();
    EXPECT_EQ(b.lblDisplay[1]->text(), QStringLiteral("Completed RESTORE"));
    EXPECT_EQ(b.lblStatus[1]->text(), QStringLiteral("2")) << "the maps copied, not those tried";

    auto expected = before;
    expected["Golf.kvr"] = bytesOf(stick.filePath("Golf.kvr"));
    expected["New.kvr"] = bytesOf(stick.filePath("New.kvr"));
    EXPECT_EQ(contentsOf(folder.path()), expected)
        << "Cut.kvr keeps the program folder's whole map";
    EXPECT_TRUE(ImageSnapshot::Take() == image) << "checking the files changed the image";
}

TEST_F(BackupRestoreTest, ARestoreOntoAFullProgramFolderStopsWithEveryFileIntact) {
    writeTune(QStringLiteral("Golf.kvr"), 1);
    writeTune(QStringLiteral("Polo.kvr"), 2);
    for (const char* name : {"Golf.kvr", "Polo.kvr"})
        QFile::copy(folder.file(name), stick.filePath(name));
    writeBig(QStringLiteral("Big.kvr"), 3);
    QFile::rename(folder.file("Big.kvr"), stick.filePath("Big.kvr"));
    writeTune(QStringLiteral("Big.kvr"), 4); // the program folder's own Big.kvr
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuRestore);
    const auto before = contentsOf(folder.path());
    {
        FileSizeLimit full(QFileInfo(folder.file("Golf.kvr")).size() + 512);
        ASSERT_TRUE(full.active());
        QTest::mouseClick(b.cmdCopyR, Qt::LeftButton);
        waitCopyEnd(b);
    }
    ASSERT_EQ(dialogs.records().size(), 2u) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Disk is full. Aborted Restore !!."));
    EXPECT_EQ(
        dialogs.records()[0].text,
        QStringLiteral("Hard Drive is full, Unable to continue untill space is made available"));
    // The map it stopped at and the maps after it are named.
    EXPECT_EQ(dialogs.records()[1].kind, QStringLiteral("list"));
    EXPECT_EQ(dialogs.records()[1].items,
              (QStringList{QStringLiteral("Big.kvr: not copied, since the restore stopped at it "
                                          "(the file has reached the size limit set for this "
                                          "program)"),
                           QStringLiteral("Golf.kvr: not copied, since the restore stopped "
                                          "before it"),
                           QStringLiteral("Polo.kvr: not copied, since the restore stopped "
                                          "before it")}));
    EXPECT_EQ(contentsOf(folder.path()), before) << "a file was cut or a temporary copy left";
    EXPECT_NE(b.lblDisplay[1]->text(), QStringLiteral("Completed RESTORE"));
}

TEST(BackupFolder, AFolderThatCannotBeWrittenIsNotReachable) {
    QTemporaryDir dir;
    EXPECT_TRUE(Backup::Folder_Reachable(dir.path(), true));
    EXPECT_FALSE(Backup::Folder_Reachable(dir.path() + "/missing", false));
    EXPECT_FALSE(Backup::Folder_Reachable(QString(), true));
    QFile f(dir.filePath("file"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(Backup::Folder_Reachable(f.fileName(), false)) << "a file is no folder";

    // Folders the program may only read from, or only write into, held to their
    // permissions as any user but root is.
    struct Case {
        const char* name;
        QFileDevice::Permissions permissions;
        bool canWrite;
        bool canRead;
    };
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther;
    const QFileDevice::Permissions writeOnly = QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                               QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                               QFileDevice::WriteOther | QFileDevice::ExeOther;
    for (const Case& c :
         {Case{"read-only", readOnly, false, true}, Case{"write-only", writeOnly, true, false}}) {
        SCOPED_TRACE(c.name);
        const QString folder = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(QDir().mkdir(folder));
        ASSERT_TRUE(QFile::setPermissions(folder, c.permissions));
        NoPermissionOverride asUser;
        ASSERT_TRUE(asUser.active());
        // The folder really is so: a file cannot be made in it, or it cannot be listed.
        QFile probe(folder + "/probe");
        EXPECT_EQ(probe.open(QIODevice::WriteOnly), c.canWrite);
        probe.close();
        DIR* listing = ::opendir(QFile::encodeName(folder).constData());
        EXPECT_EQ(listing != nullptr, c.canRead);
        if (listing)
            ::closedir(listing);
        EXPECT_EQ(Backup::Folder_Reachable(folder, true), c.canWrite);
        EXPECT_EQ(Backup::Folder_Reachable(folder, false), c.canRead);
    }
}

TEST_F(BackupRestoreTest, AnUnreadableFolderSettingIsToldAndTheWindowStillOpens) {
    writeTune(QStringLiteral("Golf.kvr"), 1);
    // The setting without read permission, and a folder in its place; through
    // both entries.
    struct Case {
        const char* what;
        bool folderInPlace;
        bool restore;
    };
    for (const Case c : {Case{"no read permission, Backup", false, false},
                         Case{"no read permission, Restore", false, true},
                         Case{"a folder in its place, Backup", true, false},
                         Case{"a folder in its place, Restore", true, true}}) {
        SCOPED_TRACE(c.what);
        const QString setting = folder.file(Backup::BackupFolderFile);
        QDir(setting).removeRecursively();
        QFile::remove(setting);
        if (c.folderInPlace) {
            ASSERT_TRUE(QDir().mkdir(setting));
        } else {
            folder.writeLines(Backup::BackupFolderFile, {"Folder=" + nextStick.path()});
            ASSERT_TRUE(QFile::setPermissions(setting, QFileDevice::WriteOwner));
        }
        Dialogs::ScriptedProvider dialogs;
        frmMain& w = openWired();
        const ImageSnapshot image = ImageSnapshot::Take();
        {
            NoPermissionOverride asUser;
            ASSERT_TRUE(asUser.active());
            QAction* entry = c.restore ? w.mnuRestore : w.mnuBackup;
            entry->trigger();
        }
        ASSERT_TRUE(FormInstance<frmBackRest>::loaded()) << "the window did not open";
        frmBackRest& b = FormInstance<frmBackRest>::get();
        ASSERT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('\n').toStdString();
        const auto& told = dialogs.records()[0];
        EXPECT_EQ(told.title, QStringLiteral("Backup folder"));
        EXPECT_TRUE(told.text.startsWith(
            QStringLiteral("The backup folder setting KVR6BackupFolder.txt could not be read (")))
            << told.text.toStdString();
        EXPECT_TRUE(told.text.endsWith(
            QStringLiteral("The folder %1 is offered instead.").arg(stick.path())))
            << told.text.toStdString();
        EXPECT_EQ(b.lblFolder[c.restore ? 1 : 0]->text(), QDir::toNativeSeparators(stick.path()));
        EXPECT_TRUE(ImageSnapshot::Take() == image) << "the map changed";
        EXPECT_TRUE(w.isVisible()) << "the program did not go on";
        if (!c.restore) {
            // The backup goes on into the folder offered.
            QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
            waitCopyEnd(b);
            EXPECT_EQ(bytesOf(stick.filePath("Golf.kvr")), bytesOf(folder.file("Golf.kvr")));
            EXPECT_EQ(b.lblDisplay[0]->text(), QStringLiteral("Completed BACKUP"));
        }
        FormInstance<frmBackRest>::unload();
        QFile::remove(stick.filePath("Golf.kvr"));
    }
}

TEST_F(BackupRestoreTest, RestoreBringsBackEveryNameTheLibraryListsUnderItsOwnName) {
    // Names the library lists, loads and backs up though the editor would not
    // spell them so; and a whole map larger than the library lists.
    const QStringList names{QStringLiteral("GOLF.KVR"), QStringLiteral("Polo.Kvr"),
                            QStringLiteral("Škoda Octavia.kvr"), QStringLiteral(" Golf.kvr")};
    int seed = 1;
    for (const QString& name : names)
        writeTuneIn(stick.path(), name, seed++);
    writeBig(QStringLiteral("Big.kvr"), 7);
    {
        QFile big(folder.file("Big.kvr"));
        ASSERT_TRUE(big.open(QIODevice::Append));
        while (big.size() <= 1024 * 1024) // the largest file the library lists
            big.write(QByteArray(1000, 'x') + "\r\n");
    }
    ASSERT_TRUE(QFile::rename(folder.file("Big.kvr"), stick.filePath("Big.kvr")));
    writeTune(QStringLiteral("Big.kvr"), 8); // the program folder's own Big.kvr
    const QByteArray ownBig = bytesOf(folder.file("Big.kvr"));

    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuRestore);
    b.cmdCopyR->setFocus();
    QTest::keyClick(b.cmdCopyR, Qt::Key_Space);
    waitCopyEnd(b);

    ASSERT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(dialogs.records()[0].text,
              QStringLiteral("These files of the backup folder were not restored, since they "
                             "are no whole tune maps:\nBig.kvr: too large for a tune-map file"));
    EXPECT_EQ(b.lblStatus[1]->text(), QStringLiteral("4"));
    EXPECT_EQ(b.lblDisplay[1]->text(), QStringLiteral("Completed RESTORE"));
    for (const QString& name : names)
        EXPECT_EQ(bytesOf(folder.file(name)), bytesOf(stick.filePath(name))) << name.toStdString();
    EXPECT_EQ(bytesOf(folder.file("Big.kvr")), ownBig) << "the listed map was replaced";
    FormInstance<frmBackRest>::unload();

    // The library lists and loads every one restored.
    frmLoadLib& lib = openLibrary(w);
    QStringList listed = listedNames(lib);
    listed.sort();
    QStringList expected = names;
    expected << QStringLiteral("Big.kvr");
    expected.sort();
    EXPECT_EQ(listed, expected);
}

TEST_F(BackupRestoreTest, AMapThatCannotBeCopiedIsNamedAndTheCopyIsNotCompleted) {
    // A Latin-1 name, no valid text here, so no file can be opened by it.
    const QByteArray latin1 = QByteArray("Citro\xebn.kvr");
    struct Case {
        bool restore;
    };
    for (const Case c : {Case{false}, Case{true}}) {
        SCOPED_TRACE(c.restore ? "restore" : "backup");
        const QString from = c.restore ? stick.path() : folder.path();
        const QString to = c.restore ? folder.path() : stick.path();
        writeTuneIn(from, QStringLiteral("Golf.kvr"), 1);
        writeRaw(from, latin1, bytesOf(from + "/Golf.kvr"));
        Dialogs::ScriptedProvider dialogs;
        frmMain& w = openWired();
        frmBackRest& b = openMode(w, c.restore ? w.mnuRestore : w.mnuBackup);
        QTest::mouseClick(c.restore ? b.cmdCopyR : b.cmdCopyB, Qt::LeftButton);
        waitCopyEnd(b);

        ASSERT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('\n').toStdString();
        const QString told = dialogs.records()[0].text;
        EXPECT_TRUE(told.contains(QStringLiteral("Citro\uFFFDn.kvr: its name is not valid text")))
            << told.toStdString();
        const int e = c.restore ? 1 : 0;
        EXPECT_EQ(b.lblDisplay[e]->text(),
                  (c.restore ? QStringLiteral("RESTORE") : QStringLiteral("BACKUP")) +
                      QStringLiteral(" not complete: 1 map was not copied."));
        EXPECT_EQ(b.lblStatus[e]->text(), QStringLiteral("1"));
        b.grab().save(Screenshot_Path(c.restore ? QStringLiteral("restore-not-complete.png")
                                                : QStringLiteral("backup-not-complete.png")));
        EXPECT_EQ(bytesOf(to + "/Golf.kvr"), bytesOf(from + "/Golf.kvr"));
        EXPECT_TRUE(Still_Loaded<frmBackRest>()) << "the window closes as after a whole copy";
        EXPECT_FALSE(b.Timer1.isActive());
        FormInstance<frmBackRest>::unload();
        ::unlink((QFile::encodeName(from) + '/' + latin1).constData());
        QFile::remove(from + "/Golf.kvr");
        QFile::remove(to + "/Golf.kvr");
    }
}

TEST_F(BackupRestoreTest, TheNextCopyIntoAFolderRemovesTheLeftoversOfACutCopy) {
    // What a copy cut short by a crash left, and files of the user's that only
    // look alike.
    const QStringList leftovers{QStringLiteral(".Golf.kvr.1a2b3c4d.part"),
                                QStringLiteral(".OLD MAP.KVR.f.part")};
    const QStringList kept{QStringLiteral(".notes.part"), QStringLiteral("Golf.kvr.1a2b.part"),
                           QStringLiteral(".photo.jpg.ab.part"),
                           QStringLiteral(".Golf.kvr.not-hex.part")};
    for (const bool restore : {false, true}) {
        SCOPED_TRACE(restore ? "restore into the program folder" : "backup into the stick");
        const QString from = restore ? stick.path() : folder.path();
        const QString to = restore ? folder.path() : stick.path();
        writeTuneIn(from, QStringLiteral("Polo.kvr"), 2);
        for (const QString& n : leftovers + kept)
            writeRaw(to, QFile::encodeName(n), "cut");
        Dialogs::ScriptedProvider dialogs;
        frmMain& w = openWired();
        frmBackRest& b = openMode(w, restore ? w.mnuRestore : w.mnuBackup);
        QTest::mouseClick(restore ? b.cmdCopyR : b.cmdCopyB, Qt::LeftButton);
        waitCopyEnd(b);
        EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
        for (const QString& n : leftovers)
            EXPECT_FALSE(QFile::exists(to + '/' + n)) << n.toStdString();
        for (const QString& n : kept)
            EXPECT_EQ(bytesOf(to + '/' + n), QByteArray("cut")) << n.toStdString();
        EXPECT_EQ(bytesOf(to + "/Polo.kvr"), bytesOf(from + "/Polo.kvr"));
        FormInstance<frmBackRest>::unload();
        for (const QString& n : kept)
            QFile::remove(to + '/' + n);
    }
}

TEST_F(BackupRestoreTest, OnAStandInForAFolderThatIgnoresLetterCaseNoMapReplacesAnother) {
    // The stand-in: the stick finds the second spelling as the file of the first,
    // as a FAT or exFAT folder does (a link in its place); it runs everywhere.
    backUpBothSpellings(stick.path(), [&](const QString& first, const QString& second) {
        ASSERT_TRUE(QFile::link(stick.filePath(first), stick.filePath(second)));
    });
}

TEST_F(BackupRestoreTest, OnARealFatStickNoMapReplacesAnother) {
    FatStick fat;
    if (!fat.mounted())
        GTEST_SKIP() << fat.why();
    const auto [first, second] = backUpBothSpellings(fat.path(), [](auto&, auto&) {});
    // The stick holds one map under one spelling: the first, whole.
    EXPECT_EQ(contentsOf(fat.path()),
              (std::map<QString, QByteArray>{
                  {first, bytesOf(folder.file(first))},
                  {QStringLiteral("Polo.kvr"), bytesOf(folder.file("Polo.kvr"))}}));
}

TEST_F(BackupRestoreTest, AChosenFolderComesBackAsChosen) {
    writeTune(QStringLiteral("Golf.kvr"), 1);
    for (const QString& name :
         {QStringLiteral("USB-Łódź"), QStringLiteral("Müller stick "), QStringLiteral("日本")}) {
        SCOPED_TRACE(name.toStdString());
        const QString chosen = nextStick.filePath(name);
        ASSERT_TRUE(QDir().mkdir(chosen));
        Dialogs::ScriptedProvider dialogs;
        dialogs.file(chosen);
        frmMain& w = openWired();
        frmBackRest& b = openMode(w, w.mnuRestore);
        QTest::mouseClick(b.cmdFolder[1], Qt::LeftButton);
        QTest::mouseClick(b.cmdCancel[1], Qt::LeftButton);
        ASSERT_TRUE(Wait_Unloaded<frmBackRest>());

        frmBackRest& again = openMode(w, w.mnuBackup);
        EXPECT_EQ(again.lblFolder[0]->text(), QDir::toNativeSeparators(chosen));
        EXPECT_EQ(again.lblDisplay[0]->text(),
                  QStringLiteral("Please make sure that the backup folder is connected."));
        QTest::mouseClick(again.cmdCopyB, Qt::LeftButton);
        waitCopyEnd(again);
        EXPECT_EQ(bytesOf(chosen + "/Golf.kvr"), bytesOf(folder.file("Golf.kvr")));
        for (const auto& r : dialogs.records())
            EXPECT_EQ(r.kind, QStringLiteral("folder")) << r.text.toStdString();
        FormInstance<frmBackRest>::unload();
    }
}

TEST_F(BackupRestoreTest, ARememberedFolderIsOfferedAsWrittenAndAMissingOneIsSaidToBe) {
    const QString latin1 = nextStick.filePath(QStringLiteral("Müller"));
    ASSERT_TRUE(QDir().mkdir(latin1));
    const QString gone = nextStick.filePath(QStringLiteral("USB-Łódź"));
    const QString ready = QStringLiteral("Please make sure that the backup folder is connected.");
    const QString missing = QStringLiteral("The backup folder is not there: it is not connected "
                                           "or not mounted. Connect it, or choose another folder.");
    struct Case {
        const char* what;
        QByteArray setting;
        QString shown;
        QString display;
    };
    for (const Case& c :
         {Case{"a line written before in Latin-1", "Folder=" + latin1.toLatin1() + "\r\n", latin1,
               ready},
          Case{"a folder that is not there", "Folder=" + gone.toUtf8() + "\r\n", gone, missing}}) {
        SCOPED_TRACE(c.what);
        folder.write(Backup::BackupFolderFile, c.setting);
        Dialogs::ScriptedProvider dialogs;
        frmMain& w = openWired();
        frmBackRest& b = openMode(w, w.mnuBackup);
        EXPECT_EQ(b.lblFolder[0]->text(), QDir::toNativeSeparators(c.shown));
        EXPECT_EQ(b.lblDisplay[0]->text(), c.display);
        if (c.display == missing)
            b.grab().save(Screenshot_Path(QStringLiteral("backup-folder-missing.png")));
        EXPECT_EQ(b.Folder(), c.shown);
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
        FormInstance<frmBackRest>::unload();
    }
}

TEST_F(BackupRestoreTest, TheWindowShowsAPathAsItIsSpelt) {
    const QString fast = nextStick.filePath(QStringLiteral("<b>Fast"));
    ASSERT_TRUE(QDir().mkdir(fast));
    qputenv("KVR6_DRIVE_A", QFile::encodeName(fast));
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);
    QLabel* shown = b.lblFolder[0];
    ASSERT_EQ(shown->text(), QDir::toNativeSeparators(fast));
    b.grab().save(Screenshot_Path(QStringLiteral("backup-window-markup-path.png")));
    // The same text drawn as plain text, and as markup, in the same place.
    auto twin = [&](Qt::TextFormat format) {
        auto* l = new QLabel(shown->parentWidget());
        l->setTextFormat(format);
        l->setWordWrap(shown->wordWrap());
        l->setGeometry(shown->geometry());
        l->setText(shown->text());
        l->show();
        const QImage drawn = l->grab().toImage();
        delete l;
        return drawn;
    };
    const QImage plain = twin(Qt::PlainText);
    ASSERT_NE(plain, twin(Qt::RichText)) << "the comparison cannot tell markup from text";
    EXPECT_EQ(shown->grab().toImage(), plain) << "the path is drawn as markup";
}

namespace {

const QStringList Spellings{QStringLiteral("Golf.kvr"), QStringLiteral("golf.kvr"),
                            QStringLiteral("GOLF.KVR")};

// How a map left out as the twin of another spelling is named; `folder` is the
// one that was written into.
QString twinLeftOut(const QString& folder, const QString& name, const QString& earlier) {
    return QStringLiteral("%1: not copied, since %2 does not tell letter case apart and would "
                          "let it replace %3, copied just before; give one of the two maps "
                          "another name")
        .arg(name, folder, earlier);
}

} // namespace

TEST_F(BackupRestoreTest, OnAStickMountedThroughFuseEveryMapIsCopiedOrNamed) {
    FuseFatStick fat;
    if (!fat.mounted())
        GTEST_SKIP() << fat.why();
    // Three maps under names that differ in letter case only, as Save As can
    // make them, and names FAT cannot hold, each with a map after it.
    int seed = 1;
    for (const QString& name : Spellings)
        writeTune(name, seed++);
    const QStringList after{QStringLiteral("Golf: GTI.kvr"), QStringLiteral("Polo.kvr"),
                            QStringLiteral("Škoda Octavia.kvr"), QStringLiteral("Žiguli.kvr")};
    for (const QString& name : after)
        writeTune(name, seed++);
    const QStringList listed = ProgramFolder::list(QStringLiteral("*.kvr"));
    ASSERT_EQ(listed.mid(3), after) << "the listing's order is not the one this test expects";
    const QString first = listed[0];
    qputenv("KVR6_DRIVE_A", QFile::encodeName(fat.path()));
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);
    QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
    waitCopyEnd(b);

    const QString stickFolder = QStringLiteral("the backup folder");
    const QString refused = QStringLiteral("%1: it could not be copied (permission denied)");
    const QStringList leftOut{twinLeftOut(stickFolder, listed[1], first),
                              twinLeftOut(stickFolder, listed[2], first), refused.arg(after[0]),
                              refused.arg(after[2]), refused.arg(after[3])};
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("These map files were not copied to the backup "
                                         "folder:\n") +
                          leftOut.join('\n')});
    EXPECT_EQ(b.lblDisplay[0]->text(),
              QStringLiteral("BACKUP not complete: 5 maps were not copied."));
    EXPECT_EQ(b.lblStatus[0]->text(), QStringLiteral("2"));
    EXPECT_TRUE(Still_Loaded<frmBackRest>());
    b.grab().save(Screenshot_Path(QStringLiteral("backup-fuse-stick.png")));
    // The stick holds the first spelling's map, whole, and the map after the
    // name it refused.
    EXPECT_EQ(contentsOf(fat.path()),
              (std::map<QString, QByteArray>{{first, bytesOf(folder.file(first))},
                                             {after[1], bytesOf(folder.file(after[1]))}}));
    FormInstance<frmBackRest>::unload();

    // The restore brings back what the stick holds; every map of the program
    // folder stays as it was.
    const auto before = contentsOf(folder.path());
    frmBackRest& r = openMode(w, w.mnuRestore);
    QTest::mouseClick(r.cmdCopyR, Qt::LeftButton);
    waitCopyEnd(r);
    EXPECT_EQ(dialogs.texts().size(), 1) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(r.lblDisplay[1]->text(), QStringLiteral("Completed RESTORE"));
    EXPECT_EQ(r.lblStatus[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(contentsOf(folder.path()), before);
    FormInstance<frmBackRest>::unload();
}

TEST_F(BackupRestoreTest, ARestoreIntoAProgramFolderMountedThroughFuseReplacesNoMap) {
    FuseFatStick fat;
    if (!fat.mounted())
        GTEST_SKIP() << fat.why();
    // The backup folder keeps letter case apart and holds all three spellings.
    int seed = 1;
    for (const QString& name : Spellings)
        writeTuneIn(stick.path(), name, seed++);
    writeTuneIn(stick.path(), QStringLiteral("Polo.kvr"), seed++);
    const QStringList listed = ProgramFolder::listIn(stick.path(), QStringLiteral("*.kvr"));
    ASSERT_EQ(listed.size(), 4);
    ASSERT_EQ(listed[3], QStringLiteral("Polo.kvr"));
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    // The program folder on the FAT stick.
    const ProgramFolderAt onStick(fat.path());
    frmBackRest& b = openMode(w, w.mnuRestore);
    EXPECT_EQ(b.lblKVRPath[1]->text(), QDir::toNativeSeparators(fat.path()));
    QTest::mouseClick(b.cmdCopyR, Qt::LeftButton);
    waitCopyEnd(b);

    const QString programFolder = QStringLiteral("the program folder");
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("These map files of the backup folder were not "
                                         "restored:\n") +
                          twinLeftOut(programFolder, listed[1], listed[0]) + '\n' +
                          twinLeftOut(programFolder, listed[2], listed[0])});
    EXPECT_EQ(b.lblDisplay[1]->text(),
              QStringLiteral("RESTORE not complete: 2 maps were not copied."));
    EXPECT_EQ(b.lblStatus[1]->text(), QStringLiteral("2"));
    EXPECT_EQ(contentsOf(fat.path()),
              (std::map<QString, QByteArray>{
                  {listed[0], bytesOf(stick.filePath(listed[0]))},
                  {QStringLiteral("Polo.kvr"), bytesOf(stick.filePath("Polo.kvr"))}}));
    FormInstance<frmBackRest>::unload();
}

TEST_F(BackupRestoreTest, AFolderThatKeepsLetterCaseApartTakesEverySpelling) {
    int seed = 1;
    for (const QString& name : Spellings)
        writeTune(name, seed++);
    // An old copy of one spelling is there already: it is replaced like any other.
    QFile::copy(folder.file(QStringLiteral("Golf.kvr")), stick.filePath("golf.kvr"));
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);
    QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
    waitCopyEnd(b);
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(b.lblDisplay[0]->text(), QStringLiteral("Completed BACKUP"));
    std::map<QString, QByteArray> expected;
    for (const QString& name : Spellings)
        expected[name] = bytesOf(folder.file(name));
    EXPECT_EQ(contentsOf(stick.path()), expected);
}

namespace {

struct UncopiableMap {
    const char* name;
    // Makes b.kvr of the program folder one that cannot be copied to the stick.
    std::function<void(const QString& programFolder, const QString& stick)> make;
    // Whether the copy runs held to the files' permissions as any user but root.
    bool asUser;
    const char* reason;
    friend void PrintTo(const UncopiableMap& c, std::ostream* os) { *os << c.name; }
};

class AMapThatCannotBeCopied : public BackupRestoreTest,
                               public ::testing::WithParamInterface<UncopiableMap> {};

} // namespace

TEST_P(AMapThatCannotBeCopied, IsNamedAndTheBackupGoesOnWithTheMapsAfterIt) {
    for (const char* name : {"a.kvr", "b.kvr", "c.kvr"})
        writeTune(QString::fromLatin1(name), name[0]);
    GetParam().make(folder.path(), stick.path());
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);
    {
        std::optional<NoPermissionOverride> asUser;
        if (GetParam().asUser) {
            asUser.emplace();
            ASSERT_TRUE(asUser->active());
        }
        QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
        waitCopyEnd(b);
    }
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("These map files were not copied to the backup "
                                         "folder:\nb.kvr: it could not be copied (%1)")
                              .arg(QString::fromUtf8(GetParam().reason))});
    EXPECT_EQ(b.lblDisplay[0]->text(),
              QStringLiteral("BACKUP not complete: 1 map was not copied."));
    EXPECT_EQ(b.lblStatus[0]->text(), QStringLiteral("2"));
    for (const char* name : {"a.kvr", "c.kvr"})
        EXPECT_EQ(bytesOf(stick.filePath(name)), bytesOf(folder.file(name))) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Causes, AMapThatCannotBeCopied,
    ::testing::Values(UncopiableMap{"a folder in its place on the stick",
                                    [](const QString&, const QString& stick) {
                                        ASSERT_TRUE(QDir().mkdir(stick + "/b.kvr"));
                                    },
                                    false, "a folder stands where the file should be"},
                      UncopiableMap{"a map the program may not read",
                                    [](const QString& programFolder, const QString&) {
                                        ASSERT_TRUE(QFile::setPermissions(programFolder + "/b.kvr",
                                                                          QFileDevice::WriteOwner));
                                    },
                                    true, "Permission denied"}),
    By_Case_Name());

namespace {

struct StoppedCopy {
    const char* name;
    bool restore;
    const char* firstTitle;
    friend void PrintTo(const StoppedCopy& c, std::ostream* os) { *os << c.name; }
};

class ACopyThatStopsPartWay : public BackupRestoreTest,
                              public ::testing::WithParamInterface<StoppedCopy> {};

} // namespace

TEST_P(ACopyThatStopsPartWay, StillNamesTheMapsLeftOutAndSaysItIsNotComplete) {
    const bool restore = GetParam().restore;
    const QString from = restore ? stick.path() : folder.path();
    const QString to = restore ? folder.path() : stick.path();
    // a.kvr fits, b.kvr does not and no next folder is chosen, c.kvr and
    // d.kvr (notes, no map) are never reached; the Latin-1 name is found
    // before the copy begins.
    writeTuneIn(from, QStringLiteral("a.kvr"), 1);
    writeBig(QStringLiteral("b.kvr"), 2);
    if (restore)
        ASSERT_TRUE(QFile::rename(folder.file("b.kvr"), stick.filePath("b.kvr")));
    writeTuneIn(from, QStringLiteral("c.kvr"), 3);
    TextFile::writeLines(from + "/d.kvr", {"Dscr: only words", "End"});
    const QByteArray latin1 = QByteArray("Citro\xebn.kvr");
    writeRaw(from, latin1, bytesOf(from + "/a.kvr"));
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, restore ? w.mnuRestore : w.mnuBackup);
    {
        FileSizeLimit full(QFileInfo(from + "/a.kvr").size() + 512);
        ASSERT_TRUE(full.active());
        QTest::mouseClick(restore ? b.cmdCopyR : b.cmdCopyB, Qt::LeftButton);
        waitCopyEnd(b);
    }

    const int e = restore ? 1 : 0;
    const QString what = restore ? QStringLiteral("restore") : QStringLiteral("backup");
    // Every map left out is named, those after the stop too; the restore
    // names the file after it that is no map apart and counts it not.
    QStringList named{
        QStringLiteral("Citro\uFFFDn.kvr: its name is not valid text, so the file "
                       "cannot be opened; give it a new name to copy it"),
        QStringLiteral("b.kvr: not copied, since the %1 stopped at it (the file "
                       "has reached the size limit set for this program)")
            .arg(what),
        QStringLiteral("c.kvr: not copied, since the %1 stopped before it").arg(what)};
    if (!restore)
        named << QStringLiteral("d.kvr: not copied, since the backup stopped before it");
    ASSERT_GE(dialogs.records().size(), restore ? 3u : 2u)
        << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(dialogs.records().front().title, QString::fromUtf8(GetParam().firstTitle));
    EXPECT_EQ(dialogs.records().back().kind, QStringLiteral("list"));
    EXPECT_EQ(dialogs.records().back().text,
              (restore ? QStringLiteral("These map files of the backup folder were not restored:\n")
                       : QStringLiteral("These map files were not copied to the backup "
                                        "folder:\n")) +
                  named.join('\n'));
    if (restore)
        EXPECT_EQ(dialogs.records()[dialogs.records().size() - 2].items,
                  QStringList{QStringLiteral("d.kvr: it has no \"MAPS:\" line before its last "
                                             "line, so it holds no map rows")});
    EXPECT_EQ(b.lblDisplay[e]->text(),
              (restore ? QStringLiteral("RESTORE") : QStringLiteral("BACKUP")) +
                  QStringLiteral(" not complete: %1 maps were not copied.").arg(named.size()));
    EXPECT_EQ(b.lblStatus[e]->text(), QStringLiteral("1"));
    EXPECT_TRUE((restore ? b.cmdCopyR : b.cmdCopyB)->isEnabled());
    EXPECT_TRUE(Still_Loaded<frmBackRest>());
    b.grab().save(Screenshot_Path(restore ? QStringLiteral("restore-stopped.png")
                                          : QStringLiteral("backup-stopped.png")));
    EXPECT_EQ(bytesOf(to + "/a.kvr"), bytesOf(from + "/a.kvr"));
    EXPECT_FALSE(QFile::exists(to + "/c.kvr"));
    FormInstance<frmBackRest>::unload();
    ::unlink((QFile::encodeName(from) + '/' + latin1).constData());
}

INSTANTIATE_TEST_SUITE_P(
    Stops, ACopyThatStopsPartWay,
    ::testing::Values(StoppedCopy{"a backup onto a full stick with no next folder chosen", false,
                                  "Backup folder is full. Choose the next one."},
                      StoppedCopy{"a restore into a full program folder", true,
                                  "Disk is full. Aborted Restore !!."}),
    By_Case_Name());

namespace {

struct RefusedNames {
    const char* name;
    std::function<std::unique_ptr<MountedStick>()> mount;
    // Restore into a program folder on the stick, else back up onto it.
    bool restore;
    const char* reason;
    friend void PrintTo(const RefusedNames& c, std::ostream* os) { *os << c.name; }
};

class ANameTheStickRefuses : public BackupRestoreTest,
                             public ::testing::WithParamInterface<RefusedNames> {};

} // namespace

TEST_P(ANameTheStickRefuses, IsNamedAndTheMapsAfterItAreCopied) {
    const std::unique_ptr<MountedStick> onStick = GetParam().mount();
    if (!onStick->mounted())
        GTEST_SKIP() << onStick->why();
    const bool restore = GetParam().restore;
    // Each character neither FAT nor exFAT holds in a name, a good map after each.
    const QString from = restore ? stick.path() : folder.path();
    const QString to = onStick->path();
    QStringList refused;
    QStringList good;
    int seed = 1;
    for (const QChar c : QStringLiteral(":?*\"<>|\\")) {
        const QString tag = QString::number(seed).rightJustified(2, '0');
        refused << tag + QStringLiteral(" a") + c + QStringLiteral("b.kvr");
        good << tag + QStringLiteral(" good.kvr");
        writeTuneIn(from, refused.back(), seed++);
        writeTuneIn(from, good.back(), seed++);
    }
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    std::optional<ProgramFolderAt> programFolder;
    if (restore)
        programFolder.emplace(to);
    else
        qputenv("KVR6_DRIVE_A", QFile::encodeName(to));
    frmBackRest& b = openMode(w, restore ? w.mnuRestore : w.mnuBackup);
    QTest::mouseClick(restore ? b.cmdCopyR : b.cmdCopyB, Qt::LeftButton);
    waitCopyEnd(b);

    // Never the question for a missing stick: one list, each refused map named.
    QStringList named;
    for (const QString& name : refused)
        named << name + QStringLiteral(": it could not be copied (%1)").arg(GetParam().reason);
    ASSERT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('\n').toStdString();
    EXPECT_EQ(dialogs.records()[0].kind, QStringLiteral("list"));
    EXPECT_EQ(dialogs.records()[0].items, named);
    const int e = restore ? 1 : 0;
    EXPECT_EQ(b.lblDisplay[e]->text(),
              (restore ? QStringLiteral("RESTORE") : QStringLiteral("BACKUP")) +
                  QStringLiteral(" not complete: 8 maps were not copied."));
    EXPECT_EQ(b.lblStatus[e]->text(), QStringLiteral("8"));
    std::map<QString, QByteArray> expected;
    for (const QString& name : good)
        expected[name] = bytesOf(from + '/' + name);
    auto held = contentsOf(to);
    if (restore) // the program folder's own files, beside the maps
        for (auto it = held.begin(); it != held.end();)
            it = it->first.endsWith(QStringLiteral(".kvr")) ? std::next(it) : held.erase(it);
    EXPECT_EQ(held, expected);
    FormInstance<frmBackRest>::unload();
}

INSTANTIATE_TEST_SUITE_P(
    Sticks, ANameTheStickRefuses,
    ::testing::Values(RefusedNames{"a backup onto exFAT through exfat-fuse",
                                   [] { return std::unique_ptr<MountedStick>(new ExfatStick()); },
                                   false, "the folder does not take this name"},
                      RefusedNames{"a restore into a program folder on exFAT through exfat-fuse",
                                   [] { return std::unique_ptr<MountedStick>(new ExfatStick()); },
                                   true, "the folder does not take this name"},
                      RefusedNames{"a backup onto FAT16 through fusefat",
                                   [] { return std::unique_ptr<MountedStick>(new FuseFatStick()); },
                                   false, "permission denied"},
                      RefusedNames{"a restore into a program folder on FAT16 through fusefat",
                                   [] { return std::unique_ptr<MountedStick>(new FuseFatStick()); },
                                   true, "permission denied"}),
    By_Case_Name());

namespace {

// Counts how often a widget is drawn and what it showed each time.
class DrawnTexts : public QObject {
public:
    explicit DrawnTexts(QLabel* label) : label_(label) { label->installEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Paint)
            texts << label_->text();
        return false;
    }

private:
    QLabel* label_;
};

} // namespace

TEST_F(BackupRestoreTest, TheCounterIsDrawnAsTheBackupGoesAndCancelStopsItBetweenTwoMaps) {
    constexpr int Maps = 60;
    for (int n = 0; n < Maps; ++n)
        writeTune(QStringLiteral("map%1.kvr").arg(n, 3, 10, QChar('0')), n);
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);
    const QPointer<frmBackRest> window(&b);
    DrawnTexts drawn(b.lblStatus[0]);
    QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
    // The click returns at once; the counter is drawn while the maps go.
    EXPECT_TRUE(b.Copying());
    ASSERT_TRUE(QTest::qWaitFor([&] { return drawn.texts.size() >= 3; }, 30000));
    // The main window taken to the front meanwhile does not end the copy.
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.isActiveWindow(); }, 2000));
    QTest::qWait(20);
    ASSERT_TRUE(window) << "the window closed when it lost the focus during the copy";
    EXPECT_TRUE(b.Copying());
    EXPECT_FALSE(b.cmdFolder[0]->isEnabled()) << "the folder can be changed mid-copy";
    QTest::mouseClick(b.cmdCancel[0], Qt::LeftButton);
    EXPECT_TRUE(Wait_Unloaded<frmBackRest>());
    EXPECT_EQ(BackRestMode, 0);

    QStringList counted = drawn.texts;
    counted.removeDuplicates();
    EXPECT_GE(counted.size(), 3) << counted.join(' ').toStdString();
    // Each map on the stick is whole, no copy is cut, and the ones after the
    // Cancel are not there.
    const auto held = contentsOf(stick.path());
    EXPECT_GT(held.size(), 0u);
    EXPECT_LT(held.size(), static_cast<std::size_t>(Maps)) << "Cancel did not stop the copy";
    for (const auto& [name, bytes] : held)
        EXPECT_EQ(bytes, bytesOf(folder.file(name))) << name.toStdString();
    EXPECT_TRUE(dialogs.records().empty()) << dialogs.texts().join('\n').toStdString();
}

// A Cancel during a copy still names the maps that could not be copied before
// it; the window then closes.
TEST_F(BackupRestoreTest, ACancelDuringACopyNamesTheMapsThatFailedBeforeIt) {
    constexpr int Maps = 60;
    for (int n = 0; n < Maps; ++n)
        writeTune(QStringLiteral("map%1.kvr").arg(n, 3, 10, QChar('0')), n);
    const QByteArray latin1 = QByteArray("Citro\xebn.kvr");
    writeRaw(folder.path(), latin1, bytesOf(folder.file("map000.kvr")));
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);
    QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
    ASSERT_TRUE(b.Copying());
    QTest::keyClick(b.cmdCancel[0], Qt::Key_Space); // the keyboard's press of Cancel
    EXPECT_TRUE(Wait_Unloaded<frmBackRest>());
    ASSERT_EQ(dialogs.records().size(), 1u) << dialogs.texts().join('\n').toStdString();
    EXPECT_TRUE(dialogs.records()[0].text.contains(
        QStringLiteral("Citro\uFFFDn.kvr: its name is not valid text")))
        << dialogs.records()[0].text.toStdString();
    EXPECT_LT(contentsOf(stick.path()).size(), static_cast<std::size_t>(Maps));
    ::unlink((QFile::encodeName(folder.path()) + '/' + latin1).constData());
}

namespace {

struct TakenAway {
    const char* name;
    bool restore;
    friend void PrintTo(const TakenAway& c, std::ostream* os) { *os << c.name; }
};

class AStickTakenAwayDuringACopy : public BackupRestoreTest,
                                   public ::testing::WithParamInterface<TakenAway> {};

} // namespace

// A stick pulled out while its mount-point folder stays (a lazy unmount): the
// folder at the path is then a bare one of the local disk.
TEST_P(AStickTakenAwayDuringACopy, StopsTheCopyAndNamesWhatWasLeftOut) {
    FuseFatStick fat;
    if (!fat.mounted())
        GTEST_SKIP() << fat.why();
    const bool restore = GetParam().restore;
    constexpr int Maps = 30;
    QStringList names;
    for (int n = 0; n < Maps; ++n) {
        names << QStringLiteral("map%1.kvr").arg(n, 2, 10, QChar('0'));
        if (restore)
            writeTuneIn(fat.path(), names.back(), n);
        else
            writeTune(names.back(), n);
    }
    qputenv("KVR6_DRIVE_A", QFile::encodeName(fat.path()));
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, restore ? w.mnuRestore : w.mnuBackup);
    const int e = restore ? 1 : 0;
    QTest::mouseClick(restore ? b.cmdCopyR : b.cmdCopyB, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.lblStatus[e]->text().toInt() >= 10; }, 60000));
    ASSERT_TRUE(fat.Take_Away());
    waitCopyEnd(b);

    const int copied = b.lblStatus[e]->text().toInt();
    ASSERT_LT(copied, Maps) << "the copy did not go on from where it was";
    const QString what = restore ? QStringLiteral("restore") : QStringLiteral("backup");
    if (!restore)
        EXPECT_TRUE(contentsOf(fat.path()).empty())
            << "maps went into the bare mount-point folder on the local disk";
    ASSERT_EQ(dialogs.records().size(), 2u) << dialogs.texts().join('\n').toStdString();
    EXPECT_TRUE(dialogs.records()[0].text.contains(
        QStringLiteral("is no longer on the disk the copy began on")))
        << dialogs.records()[0].text.toStdString();
    QStringList named;
    for (int n = copied; n < Maps; ++n)
        named << names[n] + (n == copied
                                 ? QStringLiteral(": not copied, since the %1 stopped at it (the "
                                                  "backup folder %2 is no longer on the disk the "
                                                  "copy began on; the stick was taken away or "
                                                  "unmounted)")
                                       .arg(what, fat.path())
                                 : QStringLiteral(": not copied, since the %1 stopped before it")
                                       .arg(what));
    EXPECT_EQ(dialogs.records()[1].items, named);
    EXPECT_EQ(b.lblDisplay[e]->text(),
              (restore ? QStringLiteral("RESTORE") : QStringLiteral("BACKUP")) +
                  QStringLiteral(" not complete: %1 maps were not copied.").arg(Maps - copied));
    b.grab().save(Screenshot_Path(restore ? QStringLiteral("restore-stick-taken-away.png")
                                          : QStringLiteral("backup-stick-taken-away.png")));
    FormInstance<frmBackRest>::unload();
}

INSTANTIATE_TEST_SUITE_P(Unmounted, AStickTakenAwayDuringACopy,
                         ::testing::Values(TakenAway{"a backup onto the stick", false},
                                           TakenAway{"a restore from the stick", true}),
                         By_Case_Name());

namespace {

// The real boxes, each measured against the screen while it is open and
// then closed with OK.
class MeasuredBoxes : public Dialogs::ScriptedProvider {
public:
    Dialogs::Answer message(const QString& title, const QString& text, Dialogs::Buttons b,
                            Dialogs::Icon i, Dialogs::DefaultButton d) override {
        ScriptedProvider::message(title, text, b, i, d);
        measureSoon();
        return Dialogs::QtProvider().message(title, text, b, i, d);
    }
    void list(const QString& title, const QString& intro, const QStringList& items,
              Dialogs::Icon icon) override {
        ScriptedProvider::list(title, intro, items, icon);
        measureSoon();
        Dialogs::QtProvider().list(title, intro, items, icon);
    }
    QRect screen;
    QRect box;
    QRect ok;
    int scrollRange = -1;

private:
    void measureSoon() {
        QTimer::singleShot(200, [this] {
            QWidget* shown = QApplication::activeModalWidget();
            if (!shown)
                return;
            screen = shown->screen()->availableGeometry();
            box = shown->frameGeometry();
            for (QAbstractButton* button : shown->findChildren<QAbstractButton*>())
                if (button->text().remove('&') == QStringLiteral("OK"))
                    ok = QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
            for (QAbstractScrollArea* area : shown->findChildren<QAbstractScrollArea*>())
                scrollRange = std::max(scrollRange, area->verticalScrollBar()->maximum());
            shown->grab().save(Screenshot_Path(QStringLiteral("backup-left-out-box.png")));
            QTest::keyClick(shown, Qt::Key_Return);
        });
    }
};

} // namespace

TEST_F(BackupRestoreTest, TheBoxThatNamesTheMapsLeftOutFitsOnTheScreenAndScrolls) {
    // 300 maps whose names are no valid text: each is named.
    for (int n = 0; n < 300; ++n)
        writeRaw(folder.path(), QByteArray("Citro\xebn ") + QByteArray::number(n) + ".kvr",
                 "not copied");
    MeasuredBoxes dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);
    QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
    waitCopyEnd(b);
    ASSERT_EQ(dialogs.records().size(), 1u);
    ASSERT_EQ(dialogs.records()[0].items.size(), 300);
    ASSERT_TRUE(dialogs.screen.isValid()) << "no box was shown";
    EXPECT_TRUE(dialogs.screen.contains(dialogs.box))
        << "the box is " << dialogs.box.height() << " px tall on a screen of "
        << dialogs.screen.height() << " px";
    EXPECT_TRUE(dialogs.screen.contains(dialogs.ok)) << "its OK is off the screen";
    EXPECT_GT(dialogs.scrollRange, 0) << "the names do not scroll";
    EXPECT_EQ(b.lblDisplay[0]->text(),
              QStringLiteral("BACKUP not complete: 300 maps were not copied."));
}
