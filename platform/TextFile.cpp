#include "platform/TextFile.h"

#include "platform/FileWrite.h"
#include "platform/KvrError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

KvrError fileError(const QString& path, bool writing) {
    const int number = fileErrorNumber(path, writing);
    switch (number) {
    case KvrError::FileNotFound:
        return KvrError(number, QStringLiteral("File not found: %1").arg(path));
    case KvrError::PathNotFound:
        return KvrError(number, QStringLiteral("Path not found: %1").arg(path));
    case KvrError::DiskFull:
        return KvrError(number, QStringLiteral("Disk full: %1").arg(path));
    case KvrError::PathFileAccess:
        return KvrError(number,
                        QStringLiteral("A folder stands where the file should be: %1").arg(path));
    default:
        return KvrError(number, QStringLiteral("Permission denied: %1").arg(path));
    }
}

} // namespace

int fileErrorNumber(const QString& path, bool writing) {
    const QFileInfo info(path);
    if (!info.dir().exists())
        return KvrError::PathNotFound;
    if (!writing && !info.exists())
        return KvrError::FileNotFound;
    // A folder of that name is writable too, but no file can be made in its place.
    if (writing && info.isDir())
        return KvrError::PathFileAccess;
    if (writing && info.dir().exists() && QFileInfo(info.absolutePath()).isWritable() &&
        (!info.exists() || info.isWritable()))
        return KvrError::DiskFull;
    return KvrError::PermissionDenied;
}

namespace TextFile {

namespace {

QByteArray readBytes(const QString& path) {
    const QFileInfo info(path);
    // Only a regular file is opened: a FIFO would block the program for ever.
    if (info.exists() && !info.isFile())
        throw KvrError(KvrError::PermissionDenied,
                       QStringLiteral("Not a regular file: %1").arg(path));
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        throw fileError(path, false);
    return f.readAll();
}

} // namespace

QString readAll(const QString& path) {
    return QString::fromLatin1(readBytes(path));
}

std::optional<QByteArray> readBytesIfPresent(const QString& path) {
    try {
        return readBytes(path);
    } catch (const KvrError& e) {
        if (e.number() == KvrError::FileNotFound)
            return std::nullopt;
        throw;
    }
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == '\r' || c == '\n') {
            lines.append(text.mid(start, i - start));
            if (c == '\r' && i + 1 < n && text.at(i + 1) == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList readLines(const QString& path) {
    return splitLines(readAll(path));
}

std::optional<QString> readAllIfPresent(const QString& path) {
    try {
        return readAll(path);
    } catch (const KvrError& e) {
        if (e.number() == KvrError::FileNotFound)
            return std::nullopt;
        throw;
    }
}

QByteArray toLatin1(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?');
    return bytes;
}

void writeLines(const QString& path, const QStringList& lines) {
    TextWriter w(path);
    for (const QString& line : lines)
        w.writeLine(line);
    w.commit();
}

QString padToNextZone(const QString& line) {
    const qsizetype zone = 14;
    const qsizetype target = (line.size() / zone + 1) * zone;
    return line + QString(target - line.size(), ' ');
}

} // namespace TextFile

TextReader::TextReader(const QString& path) : path_(path), lines_(TextFile::readLines(path)) {}

TextReader TextReader::fromText(const QString& text) {
    TextReader r;
    r.lines_ = TextFile::splitLines(text);
    return r;
}

QString TextReader::readLine() {
    if (atEnd())
        throw KvrError(KvrError::InputPastEnd, QStringLiteral("Input past end of file"));
    return lines_.at(next_++);
}

TextWriter::TextWriter(const QString& path)
    : path_(path), file_(std::make_unique<QSaveFile>(path)) {
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw fileError(path, true);
}

TextWriter::~TextWriter() {
    if (file_ && file_->isOpen())
        file_->cancelWriting();
}

void TextWriter::write(const QString& text) {
    pending_ += TextFile::toLatin1(text);
}

void TextWriter::writeLine(const QString& line) {
    write(line + QStringLiteral("\r\n"));
}

void TextWriter::writeUtf8Line(const QString& line) {
    pending_ += line.toUtf8() + "\r\n";
}

void TextWriter::commit() {
    // The text goes out in one piece at the end, straight to the file, so a
    // write that fails part-way keeps the system's own reason; it never reaches
    // the disk as a cut file: the old file stays.
    int error = 0;
    const QString cause = FileWrite::Append(*file_, pending_, &error);
    pending_.clear();
    if (!cause.isEmpty()) {
        file_->cancelWriting();
        throw KvrError(FileWrite::Error_Number(error),
                       QStringLiteral("%1 could not be written: %2").arg(path_, cause));
    }
    if (!file_->commit())
        throw fileError(path_, true);
}
