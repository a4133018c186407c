// How long the backup window takes to back up a library of 1,000 tune-map files
// onto a FAT stick mounted through FUSE (fusefat over an image file, as many
// Linux systems mount a stick), beside a plain `cp` of the same files onto a
// second stick mounted the same way; and how often the window's counter was
// drawn while the maps went. Prints the figures and fails when the backup
// takes more than 1.2 times the plain copy, or the counter was not drawn as
// it went. Needs root, /dev/fuse, mkfs.vfat, fusefat and fusermount; says why
// and ends without figures where they are missing.

#include "backup/BackupState.h"
#include "backup/frmBackRest.h"
#include "core/CoreState.h"
#include "library/TuneMapFile.h"
#include "platform/Dialogs.h"
#include "platform/FormInstance.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int Files = 1000;
constexpr double Limit = 1.2;

double seconds(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e9;
}

QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                           QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
}

int runQuietly(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(program, arguments);
    if (!p.waitForFinished(600000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// A FAT32 image (FAT16 holds no 1,000 names in its root folder) mounted
// through fusefat; unmounted when it goes.
class FuseFatStick {
public:
    explicit FuseFatStick(const QString& name) {
        const QString image = dir_.filePath(name + QStringLiteral(".img"));
        QFile f(image);
        if (!f.open(QIODevice::WriteOnly) || !f.resize(128 * 1024 * 1024))
            return;
        f.close();
        if (runQuietly(tool("mkfs.vfat"), {QStringLiteral("-F"), QStringLiteral("32"), image}) != 0)
            return;
        path_ = dir_.filePath(name);
        QDir().mkdir(path_);
        if (runQuietly(tool("fusefat"),
                       {QStringLiteral("-o"), QStringLiteral("rw+"), image, path_}) != 0)
            return;
        struct stat mnt {};
        struct stat parent {};
        mounted_ = ::stat(QFile::encodeName(path_).constData(), &mnt) == 0 &&
                   ::stat(QFile::encodeName(dir_.path()).constData(), &parent) == 0 &&
                   mnt.st_dev != parent.st_dev;
    }
    ~FuseFatStick() {
        if (!mounted_)
            return;
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (runQuietly(tool("fusermount"), {QStringLiteral("-u"), path_}) == 0)
                return;
            ::usleep(100000);
        }
        runQuietly(tool("fusermount"), {QStringLiteral("-u"), QStringLiteral("-z"), path_});
    }
    FuseFatStick(const FuseFatStick&) = delete;
    FuseFatStick& operator=(const FuseFatStick&) = delete;
    bool mounted() const { return mounted_; }
    QString path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
    bool mounted_ = false;
};

// Counts the times a label is drawn and the texts it showed.
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

void fillRecords(int n) {
    LibRecord = {};
    LibRecord[0] = QStringLiteral("9");
    LibRecord[1] = QStringLiteral("Make%1-Model-2001-Car-Map %1").arg(n % 37);
    LibRecord[2] = QStringLiteral("Map %1.kvr").arg(n, 4, 10, QChar('0'));
    LibRecord[3] = QStringLiteral("Make%1").arg(n % 37);
    LibRecord[4] = QStringLiteral("Map %1").arg(n);
    LibRecord[5] = QStringLiteral("Model");
    LibRecord[6] = QStringLiteral("Car");
    LibRecord[7] = QString::number(1990 + n % 30);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const char* missing = nullptr;
    if (::geteuid() != 0)
        missing = "not root, so no image can be mounted";
    else if (!QFileInfo::exists(QStringLiteral("/dev/fuse")))
        missing = "no /dev/fuse on this machine";
    else if (tool("mkfs.vfat").isEmpty() || tool("fusefat").isEmpty() ||
             tool("fusermount").isEmpty() || tool("cp").isEmpty())
        missing = "no mkfs.vfat, fusefat, fusermount or cp (Debian packages dosfstools, fusefat)";
    if (missing) {
        std::printf("backup onto a FUSE-mounted FAT stick: not measured: %s\n", missing);
        return 0;
    }

    QTemporaryDir home;
    qputenv("KVR6_HOME", QFile::encodeName(home.path()));
    UnitName = QStringLiteral("KVR6");
    for (int a = 0; a < 256; ++a) {
        ParamBlock[a] = static_cast<std::int16_t>(a);
        Map5Image[a] = static_cast<std::int16_t>((a * 13) % 256);
        Map6Image[a] = static_cast<std::int16_t>((a * 7) % 256);
    }
    const QDateTime now = QDateTime::currentDateTime();
    QStringList paths;
    for (int n = 0; n < Files; ++n) {
        fillRecords(n);
        TuneMap::Write_New_File(LibRecord[2], now);
        paths << home.filePath(LibRecord[2]);
    }

    FuseFatStick plain(QStringLiteral("plain"));
    FuseFatStick backup(QStringLiteral("backup"));
    if (!plain.mounted() || !backup.mounted()) {
        std::printf("backup onto a FUSE-mounted FAT stick: not measured: fusefat could not "
                    "mount the FAT images\n");
        return 0;
    }

    QElapsedTimer t;
    t.start();
    const int cpResult =
        runQuietly(tool("cp"), QStringList{QStringLiteral("-t"), plain.path()} + paths);
    const double cp = seconds(t);
    std::printf("%d tune-map files onto a FAT32 image mounted through fusefat\n", Files);
    std::printf("plain cp of the same files: %.2f s (%lld files there)\n", cp,
                static_cast<long long>(QDir(plain.path()).entryList(QDir::Files).size()));
    std::fflush(stdout);

    qputenv("KVR6_DRIVE_A", QFile::encodeName(backup.path()));
    Dialogs::ScriptedProvider dialogs;
    BackRestMode = 1;
    frmBackRest& window = FormInstance<frmBackRest>::open();
    DrawnTexts drawn(window.lblStatus[0]);
    QCoreApplication::processEvents();
    t.restart();
    window.cmdCopyB->click();
    while (window.Copying())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double ours = seconds(t);
    const QString outcome = window.lblDisplay[0]->text();
    QStringList shown = drawn.texts;
    shown.removeDuplicates();

    const qsizetype onStick = QDir(backup.path()).entryList(QDir::Files).size();
    const qsizetype onPlain = QDir(plain.path()).entryList(QDir::Files).size();
    const double ratio = cp > 0 ? ours / cp : 0;
    std::printf("backup through the window: %.2f s (%lld files there, \"%s\")\n", ours,
                static_cast<long long>(onStick), qPrintable(outcome));
    std::printf("backup / plain copy: %.2fx (limit %.1fx)\n", ratio, Limit);
    std::printf("counter drawn %lld times during the backup, %lld different counts shown\n",
                static_cast<long long>(drawn.texts.size()), static_cast<long long>(shown.size()));
    FormInstance<frmBackRest>::unload();
    const bool ok = cpResult == 0 && onStick == Files && onPlain == Files &&
                    outcome == QStringLiteral("Completed BACKUP") && dialogs.records().empty() &&
                    ratio <= Limit && shown.size() >= Files / 10;
    return ok ? 0 : 1;
}
