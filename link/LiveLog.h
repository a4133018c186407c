#pragma once

// The two live-data logs while a recording runs: the text log and the raw log.
// They are appended to line by line as replies arrive, so they are plain files
// opened once, not written whole: each line is flushed at once, and close()
// writes the "End" lines, so a recording stopped by any road (the menu, going
// off-line, Exit, closing the main window) leaves both files complete. Lines are
// Latin-1 with CR LF.

#include <QFile>
#include <QString>

class LiveLog {
public:
    LiveLog() = default;
    // A recording still open when the program ends is closed with its end lines.
    ~LiveLog();
    LiveLog(const LiveLog&) = delete;
    LiveLog& operator=(const LiveLog&) = delete;

    // Creates both files; neither may exist already. Both are open afterwards, or
    // neither (and error tells which could not be created and why).
    bool open(const QString& textPath, const QString& rawPath, QString* error);
    bool isOpen() const { return text_.isOpen() && raw_.isOpen(); }
    void writeText(const QString& line);
    void writeRaw(const QString& line);
    // Writes "End" to both files and closes them; nothing when not open.
    void close();
    // Closes both files and removes them: a recording that never got going
    // leaves nothing behind.
    void discard();
    // The first write that failed since open() (a full disk, a vanished drive),
    // naming the file; empty while every line has reached its file.
    const QString& failure() const { return failure_; }

private:
    void writeLine(QFile& file, const QString& line);
    QFile text_;
    QFile raw_;
    QString failure_;
};

LiveLog& LiveLogs();
