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
#include <unistd.h>

namespace FileCopy {

namespace {

Result failed(int error, const QString& reason) {
    return Result{error, reason};
}

// The program's number for a system error met while creating, writing or
// renaming the copy: a folder that has gone counts as one never reached.
Result targetFailed(int systemError) {
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

// A name beside the target that no other file has yet, opened for writing.
int createTemporary(const QString& folder, const QString& name, QByteArray& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = QFile::encodeName(folder + QLatin1Char('/') +
                                 temporaryName(name, QRandomGenerator::global()->generate()));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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

} // namespace

Result Copy(const QString& source, const QString& target) {
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
    const QFileInfo folder(to.absolutePath());
    if (!folder.isDir())
        return failed(KvrError::DiskNotReady, FileWrite::Cause(ENOENT));

    QByteArray temporary;
    const int fd = createTemporary(folder.absoluteFilePath(), to.fileName(), temporary);
    if (fd < 0)
        return targetFailed(errno);
    const auto abandon = [&](int systemError) {
        ::close(fd);
        ::unlink(temporary.constData());
        return targetFailed(systemError);
    };

    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0) {
            ::close(fd);
            ::unlink(temporary.constData());
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
        ::unlink(temporary.constData());
        return targetFailed(error);
    }
    if (::rename(temporary.constData(), QFile::encodeName(to.absoluteFilePath()).constData()) !=
        0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return targetFailed(error);
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
