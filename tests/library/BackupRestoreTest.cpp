// Backup and restore of the library through the main window's entries, with
// the backup folder chosen through a scripted folder dialog, real files in
// temporary folders, and a file-size limit standing in for a full stick.

#include "WindowTestSupport.h"

#include "library/BackupFolder.h"
#include "library/frmBackRest.h"
#include "platform/TextFile.h"
#include "tests/support/FileSizeLimit.h"

#include <QFile>
#include <QGroupBox>
#include <QProgressBar>
#include <QTemporaryDir>

#include <memory>

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

    QTemporaryDir stick;
    QTemporaryDir nextStick;
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
    EXPECT_EQ(Library::Backup_Folder(), nextStick.path()) << "the next stick is remembered";
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
    EXPECT_EQ(TextFile::readLines(folder.file(Library::BackupFolderFile)),
              QStringList{QStringLiteral("Folder=") + nextStick.path()});
}

TEST_F(BackupRestoreTest, NothingToCopyIsTold) {
    Dialogs::ScriptedProvider dialogs;
    frmMain& w = openWired();
    frmBackRest& b = openMode(w, w.mnuBackup);
    QTest::mouseClick(b.cmdCopyB, Qt::LeftButton);
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

    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString told = dialogs.records()[0].text;
    EXPECT_TRUE(told.contains(QStringLiteral("Cut.kvr: it lacks the rows of")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("Notes.kvr: it has no \"MAPS:\" line")))
        << told.toStdString();
    EXPECT_EQ(b.lblDisplay[1]->text(), QStringLiteral("Completed RESTORE"));

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
    }
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Disk is full. Aborted Restore !!."));
    EXPECT_EQ(
        dialogs.records()[0].text,
        QStringLiteral("Hard Drive is full, Unable to continue untill space is made available"));
    EXPECT_EQ(contentsOf(folder.path()), before) << "a file was cut or a temporary copy left";
    EXPECT_NE(b.lblDisplay[1]->text(), QStringLiteral("Completed RESTORE"));
}

TEST(BackupFolder, AFolderThatCannotBeWrittenIsNotReachable) {
    QTemporaryDir dir;
    EXPECT_TRUE(Library::Folder_Reachable(dir.path(), true));
    EXPECT_FALSE(Library::Folder_Reachable(dir.path() + "/missing", false));
    EXPECT_FALSE(Library::Folder_Reachable(QString(), true));
    QFile f(dir.filePath("file"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(Library::Folder_Reachable(f.fileName(), false)) << "a file is no folder";
}
