#include "link/CommTrace.h"

#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/FileWrite.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

bool CommTrace::open() {
    close();
    failTold_ = false;
    size_ = 0;
    openCause_.clear();
    file_.setFileName(ProgramFolder::file(FileName));
    // Opening a FIFO for writing would wait for a reader for ever; a folder is
    // told by the open's own cause.
    const QFileInfo info(file_.fileName());
    if (info.exists() && !info.isFile() && !info.isDir()) {
        openCause_ = QStringLiteral("it is not a regular file");
        return false;
    }
    if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return true;
    openCause_ = FileWrite::Open_Cause(file_);
    return false;
}

void CommTrace::close() {
    if (file_.isOpen())
        file_.close();
}

void CommTrace::rotate() {
    file_.close();
    QFile::remove(ProgramFolder::file(OldFileName));
    // Should the old trace not give way, the current one is begun again: the
    // bound holds either way.
    QFile::rename(file_.fileName(), ProgramFolder::file(OldFileName));
    size_ = 0;
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        fail(FileWrite::Open_Cause(file_));
}

FileProblem::Report CommTrace::Problem(const QString& cause) {
    return {QStringLiteral("serial trace file ") + FileName, QStringLiteral("written"), cause,
            QStringLiteral("The program goes on without tracing the serial traffic."),
            QStringLiteral("Serial Trace")};
}

void CommTrace::fail(const QString& cause) {
    close();
    if (failTold_)
        return;
    failTold_ = true;
    FileProblem::Tell_Later(Problem(cause));
}

void CommTrace::write(const QString& line) {
    if (!file_.isOpen())
        return;
    const QByteArray bytes = line.toLatin1() + "\r\n";
    if (size_ + bytes.size() > MaxBytes) {
        rotate();
        if (!file_.isOpen())
            return;
    }
    // Written through at once: the trace is read while the program still runs.
    const QString cause = FileWrite::Append(file_, bytes);
    if (!cause.isEmpty()) {
        fail(cause);
        return;
    }
    size_ += bytes.size();
}

CommTrace& Trace() {
    static CommTrace trace;
    return trace;
}
