#include "link/CommTrace.h"

#include "platform/ProgramFolder.h"

#include <QFileInfo>

bool CommTrace::open() {
    close();
    file_.setFileName(ProgramFolder::file(FileName));
    // Opening a FIFO for writing would wait for a reader for ever.
    const QFileInfo info(file_.fileName());
    if (info.exists() && !info.isFile())
        return false;
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void CommTrace::close() {
    if (file_.isOpen())
        file_.close();
}

void CommTrace::write(const QString& line) {
    if (!file_.isOpen())
        return;
    // Written through at once: the trace is read while the program still runs.
    file_.write(line.toLatin1() + "\r\n");
    file_.flush();
}

CommTrace& Trace() {
    static CommTrace trace;
    return trace;
}
