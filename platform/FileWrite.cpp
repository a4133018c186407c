#include "platform/FileWrite.h"

#include "platform/KvrError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace FileWrite {

QString Cause(int error) {
    switch (error) {
    case ENOSPC:
        return QStringLiteral("the disk is full");
    case EFBIG:
        return QStringLiteral("the file has reached the size limit set for this program");
    case EDQUOT:
        return QStringLiteral("the disk quota is used up");
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case EACCES:
    case EPERM:
        return QStringLiteral("permission denied");
    case EISDIR:
        return QStringLiteral("a folder stands where the file should be");
    case EIO:
        return QStringLiteral("the disk could not be written (input/output error)");
    case ENOENT:
        return QStringLiteral("the folder does not exist");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

int Error_Number(int error) {
    switch (error) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return KvrError::DiskFull;
    case EISDIR:
        return KvrError::PathFileAccess;
    case ENOENT:
        return KvrError::PathNotFound;
    case EIO:
        return KvrError::DiskNotReady;
    default:
        return KvrError::PermissionDenied;
    }
}

QString Append(QFileDevice& file, const QByteArray& bytes, int* error) {
    const auto fail = [error](int number) {
        if (error)
            *error = number;
        return Cause(number);
    };
    const int fd = file.handle();
    if (fd < 0)
        return fail(EBADF);
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno);
        }
        if (n == 0)
            return fail(ENOSPC);
        data += n;
        left -= n;
    }
    return QString();
}

QString Open_Cause(const QFileDevice& file) {
    const QFileInfo info(file.fileName());
    if (info.isDir())
        return Cause(EISDIR);
    if (!info.dir().exists())
        return Cause(ENOENT);
    // The effective rights on the folder and the file: a read-only medium or a
    // folder without write permission says so in the system's own words.
    const auto denied = [](const QString& path) {
        return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) != 0;
    };
    if (denied(info.absolutePath()) || (info.exists() && denied(info.absoluteFilePath())))
        return Cause(errno);
    return file.errorString();
}

} // namespace FileWrite
