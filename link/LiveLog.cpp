#include "link/LiveLog.h"

#include "platform/FileWrite.h"

#include <QFileInfo>

LiveLog::~LiveLog() {
    close();
}

bool LiveLog::open(const QString& textPath, const QString& rawPath, QString* error) {
    close();
    failure_.clear();
    text_.setFileName(textPath);
    raw_.setFileName(rawPath);
    // NewOnly: an earlier recording of the same name is never replaced.
    for (QFile* file : {&text_, &raw_}) {
        if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            if (error)
                *error = QFileInfo(file->fileName()).fileName() + QStringLiteral(": ") +
                         FileWrite::Open_Cause(*file);
            if (text_.isOpen()) {
                text_.close();
                text_.remove(); // still empty: nothing of it is kept
            }
            return false;
        }
    }
    return true;
}

void LiveLog::writeLine(QFile& file, const QString& line) {
    if (!file.isOpen())
        return;
    // Each line goes to the disk at once, so a recording cut by a crash keeps
    // every line before it.
    const QString cause = FileWrite::Append(file, line.toLatin1() + "\r\n");
    if (!cause.isEmpty() && failure_.isEmpty())
        failure_ = QFileInfo(file.fileName()).fileName() + QStringLiteral(": ") + cause;
}

void LiveLog::writeText(const QString& line) {
    writeLine(text_, line);
}

void LiveLog::writeRaw(const QString& line) {
    writeLine(raw_, line);
}

void LiveLog::discard() {
    for (QFile* file : {&text_, &raw_}) {
        if (!file->isOpen())
            continue;
        file->close();
        file->remove();
    }
}

void LiveLog::close() {
    for (QFile* file : {&text_, &raw_}) {
        if (!file->isOpen())
            continue;
        writeLine(*file, QStringLiteral("End"));
        file->close();
    }
}

LiveLog& LiveLogs() {
    static LiveLog logs;
    return logs;
}
