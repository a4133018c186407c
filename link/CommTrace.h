#pragma once

// The serial trace "dump_comms.txt" in the program folder: opened (emptied) by
// the main window's load, written line by line by the timer and the receive
// handler, closed at unload. Lines are Latin-1 with CR LF; a line written while
// the trace is closed is dropped.
//
// The trace grows by some 2 KB a second while polling and far more on a noisy
// line, so it is bounded: once it would pass MaxBytes it is renamed to
// "dump_comms.old" (replacing the one before) and begins again, so the last
// stretch of traffic is always kept and the two never hold more than twice
// MaxBytes. A trace that can no longer be written (a full disk, a size limit)
// is told once, after the handler that wrote it has returned, and is closed.

#include "platform/FileProblem.h"

#include <QFile>
#include <QString>

class CommTrace {
public:
    static inline const QString FileName = QStringLiteral("dump_comms.txt");
    static inline const QString OldFileName = QStringLiteral("dump_comms.old");
    // About an hour of polling in each file.
    static constexpr qint64 MaxBytes = 8 * 1024 * 1024;

    // Opens the trace anew, empty. Returns false when it cannot be written;
    // openCause() then says why.
    bool open();
    const QString& openCause() const { return openCause_; }
    void close();
    bool isOpen() const { return file_.isOpen(); }
    void write(const QString& line);
    // The trace that could not be written, told the same at the load and later.
    static FileProblem::Report Problem(const QString& cause);

private:
    void rotate();
    void fail(const QString& cause);
    QFile file_;
    qint64 size_ = 0;
    QString openCause_;
    bool failTold_ = false;
};

CommTrace& Trace();
