#include "platform/FileCopy.h"

#include "platform/FileWrite.h"
#include "platform/KvrError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileCopy {

namespace {

Result failed(int error, const QString& reason) {
    return Result{error, reason};
}

// Whether the folder opened as dir is still the one found at its path: not
// removed, not replaced by another (the bare mount point of a stick taken away).
bool stillThere(int dir, const QByteArray& path) {
    struct stat opened {};
    struct stat found {};
    return ::fstat(dir, &opened) == 0 && ::stat(path.constData(), &found) == 0 &&
           opened.st_dev == found.st_dev && opened.st_ino == found.st_ino;
}

// The program's number for a system error met while creating, writing or
// renaming the copy in the folder dir (at path): a folder that has gone counts
// as one never reached. A folder that is still there and answers "no such
// file" refuses the name itself, as exFAT through FUSE does for : ? * " < > |
// and \; that is one map's problem, not a missing stick.
Result targetFailed(int systemError, int dir, const QByteArray& path) {
    if (systemError == ENOENT && stillThere(dir, path))
        return failed(KvrError::BadFileName, QStringLiteral("the folder does not take this name"));
    if (systemError == ENOENT || systemError == ENOTDIR)
        return failed(KvrError::DiskNotReady, FileWrite::Cause(ENOENT));
    if (systemError == EIO)
        return failed(KvrError::DiskNotReady, FileWrite::Cause(EIO));
    return failed(FileWrite::Error_Number(systemError), FileWrite::Cause(systemError));
}

// The temporary name of a copy to target name `name`: hidden, with a random
// number in hexadecimal, ".part" at its end.
QString temporaryName(const QString& name, quint32 number) {
    return QStringLiteral(".") + name + QLatin1Char('.') + QString::number(number, 16) +
           QStringLiteral(".part");
}

// A name in the folder dir beside the target that no other file has yet,
// opened for writing.
int createTemporary(int dir, const QString& name, QByteArray& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = QFile::encodeName(temporaryName(name, QRandomGenerator::global()->generate()));
        const int fd =
            ::openat(dir, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// The folder's descriptor, closed when it goes.
class OpenFolder {
public:
    explicit OpenFolder(const QByteArray& path)
        : fd_(::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}
    ~OpenFolder() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::optional<quint64> Device_Of(const QString& folder) {
    struct stat st {};
    if (folder.isEmpty() || ::stat(QFile::encodeName(folder).constData(), &st) != 0 ||
        !S_ISDIR(st.st_mode))
        return std::nullopt;
    return static_cast<quint64>(st.st_dev);
}

Result Copy(const QString& source, const QString& target, std::optional<quint64> targetDevice) {
    const QFileInfo from(source);
    if (!from.exists())
        return failed(KvrError::FileNotFound, QStringLiteral("the file does not exist"));
    // Only a regular file: opening a FIFO would wait for ever.
    if (!from.isFile())
        return failed(KvrError::FileNotFound, QStringLiteral("it is not a file"));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return failed(KvrError::FileNotFound, in.errorString());

    const QFileInfo to(target);
    if (to.isDir())
        return failed(KvrError::PathFileAccess, FileWrite::Cause(EISDIR));
    const QByteArray folderPath = QFile::encodeName(to.absolutePath());
    // Every step below works in this one folder, whatever comes to stand at
    // its path meanwhile.
    const OpenFolder folder(folderPath);
    struct stat opened {};
    if (folder.fd() < 0 || ::fstat(folder.fd(), &opened) != 0 || !S_ISDIR(opened.st_mode))
        return failed(KvrError::DiskNotReady, FileWrite::Cause(ENOENT));
    if (targetDevice && static_cast<quint64>(opened.st_dev) != *targetDevice)
        return failed(KvrError::DiskNotReady,
                      QStringLiteral("the folder is no longer on the disk the copy began on; "
                                     "the stick was taken away or unmounted"));
    const int dir = folder.fd();
    const QByteArray name = QFile::encodeName(to.fileName());

    QByteArray temporary;
    const int fd = createTemporary(dir, to.fileName(), temporary);
    if (fd < 0)
        return targetFailed(errno, dir, folderPath);
    const auto abandon = [&](int systemError) {
        ::close(fd);
        ::unlinkat(dir, temporary.constData(), 0);
        return targetFailed(systemError, dir, folderPath);
    };

    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0) {
            ::close(fd);
            ::unlinkat(dir, temporary.constData(), 0);
            return failed(KvrError::FileNotFound, in.errorString());
        }
        if (n == 0)
            break;
        if (!writeAll(fd, buffer.data(), n))
            return abandon(errno);
    }
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlinkat(dir, temporary.constData(), 0);
        return targetFailed(error, dir, folderPath);
    }
    if (::renameat(dir, temporary.constData(), dir, name.constData()) != 0) {
        const int error = errno;
        ::unlinkat(dir, temporary.constData(), 0);
        return targetFailed(error, dir, folderPath);
    }
    return {};
}

QStringList Remove_Leftovers(const QString& folder, const QString& suffix) {
    // The form temporaryName() gives: the target's name, 1 to 8 lowercase
    // hexadecimal digits.
    static const QRegularExpression own(QStringLiteral("^\\.(.+)\\.[0-9a-f]{1,8}\\.part$"));
    QStringList removed;
    const QDir dir(folder);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        const QRegularExpressionMatch m = own.match(f.fileName());
        if (m.hasMatch() && m.captured(1).endsWith(suffix, Qt::CaseInsensitive) &&
            QFile::remove(f.absoluteFilePath()))
            removed << f.fileName();
    }
    return removed;
}

} // namespace FileCopy
