#include "tests/support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <stdexcept>

TempProgramFolder::TempProgramFolder() {
    hadPrevious_ = qEnvironmentVariableIsSet("KVR6_HOME");
    previous_ = qgetenv("KVR6_HOME");
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary program folder");
    qputenv("KVR6_HOME", dir_.path().toLocal8Bit());
}

TempProgramFolder::~TempProgramFolder() {
    if (hadPrevious_)
        qputenv("KVR6_HOME", previous_);
    else
        qunsetenv("KVR6_HOME");
}

void TempProgramFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

void TempProgramFolder::writeLines(const QString& name, const QStringList& lines) const {
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toLatin1() + "\r\n";
    write(name, bytes);
}

QByteArray TempProgramFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TempProgramFolder::exists(const QString& name) const {
    return QFileInfo::exists(file(name));
}

QString TempProgramFolder::sourceDir() {
    const QString dir = qEnvironmentVariable("KVR6_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(KVR6_SOURCE_DIR_DEFAULT) : dir;
}

QString TempProgramFolder::binDir() {
    const QString dir = qEnvironmentVariable("KVR6_BIN_DIR");
    return dir.isEmpty() ? QStringLiteral(KVR6_BIN_DIR_DEFAULT) : dir;
}

void TempProgramFolder::copyData(const QString& name) const {
    QFile::remove(file(name));
    if (!QFile::copy(sourceDir() + "/data/" + name, file(name)))
        throw std::runtime_error("cannot copy data file " + name.toStdString());
}
