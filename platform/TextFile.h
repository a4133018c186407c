#pragma once

#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// Text files as the program keeps them: Latin-1 bytes on disk (the unit's marker
// characters 170, 171 and 255 pass through unchanged), lines ended by CR LF.
// A line ended by LF alone, or by a lone CR, is read as a line too.
namespace TextFile {

// Whole text of a file, line breaks included. Throws KvrError 53 when missing, and
// KvrError 70 without opening it when it is no regular file (a folder, a FIFO).
QString readAll(const QString& path);

// The lines of a file, without their line ends. Throws KvrError 53 when missing.
QStringList readLines(const QString& path);

// Whole text of a file, or nothing when it does not exist. Throws KvrError when
// it exists but cannot be read.
std::optional<QString> readAllIfPresent(const QString& path);

// The bytes of a file as they stand, or nothing when it does not exist. Throws
// KvrError as readAll() does when it exists but cannot be read.
std::optional<QByteArray> readBytesIfPresent(const QString& path);

// Splits a text into lines as readLines() does.
QStringList splitLines(const QString& text);

// Writes lines, each followed by CR LF, as a whole new file that replaces the old
// one only once it is completely written. Throws KvrError on failure.
void writeLines(const QString& path, const QStringList& lines);

// Latin-1 bytes of a text; characters outside Latin-1 become '?'.
QByteArray toLatin1(const QString& text);

// Pads a print line with blanks up to the start of the next 14-character print
// zone, as "," does in a print list (zones start at columns 1, 15, 29, ...).
QString padToNextZone(const QString& line);

} // namespace TextFile

// A file opened for reading line by line, the way an open file handle is
// handed between procedures: the reader keeps its position, so a caller can read
// a header and pass the same reader on for the rest.
class TextReader {
public:
    // Throws KvrError 53 when the file does not exist or cannot be read.
    explicit TextReader(const QString& path);
    // Reads from a text held in memory (for tests and generated files).
    static TextReader fromText(const QString& text);

    bool atEnd() const { return next_ >= lines_.size(); }
    // The next line, without its line end. Throws KvrError 62 past the end.
    QString readLine();
    // Number of the line readLine() returned last, counting from 1.
    int lineNumber() const { return static_cast<int>(next_); }
    const QString& path() const { return path_; }

private:
    TextReader() = default;
    QString path_;
    QStringList lines_;
    qsizetype next_ = 0;
};

// A file being written: nothing reaches the disk under its name until commit()
// succeeds, so a failure never leaves a half-written file where a good one was.
class TextWriter {
public:
    // Throws KvrError when the file cannot be created.
    explicit TextWriter(const QString& path);
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void write(const QString& text);
    void writeLine(const QString& line = QString());
    // A line as UTF-8, for the files that keep any text as typed (paths).
    void writeUtf8Line(const QString& line);
    // Puts the new file in place. Throws KvrError 61 (disk full or a file-size
    // limit), 70, 75 (a folder in its place) or 76 on failure, naming the file
    // and the cause.
    void commit();
    const QString& path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QSaveFile> file_;
    // What commit() writes.
    QByteArray pending_;
};

// Maps the error of a failed file operation to the program's error number.
int fileErrorNumber(const QString& path, bool writing);
