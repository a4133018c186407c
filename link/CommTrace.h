#pragma once

// The serial trace "dump_comms.txt" in the program folder: opened (emptied) by
// the main window's load, written line by line by the timer and the receive
// handler, closed at unload. Lines are Latin-1 with CR LF; a line written while
// the trace is closed is dropped.

#include <QFile>
#include <QString>

class CommTrace {
public:
    static inline const QString FileName = QStringLiteral("dump_comms.txt");

    // Opens the trace anew, empty. Returns false when it cannot be written.
    bool open();
    void close();
    bool isOpen() const { return file_.isOpen(); }
    void write(const QString& line);

private:
    QFile file_;
};

CommTrace& Trace();
