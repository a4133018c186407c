#include "link/LiveLog.h"

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
        if (!file->open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (error)
                *error = QFileInfo(file->fileName()).fileName() + QStringLiteral(": ") +
                         file->errorString();
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
    const QByteArray bytes = line.toLatin1() + "\r\n";
    if ((file.write(bytes) != bytes.size() || !file.flush()) && failure_.isEmpty())
        failure_ =
            QFileInfo(file.fileName()).fileName() + QStringLiteral(": ") + file.errorString();
}

void LiveLog::writeText(const QString& line) {
    writeLine(text_, line);
}

void LiveLog::writeRaw(const QString& line) {
    writeLine(raw_, line);
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
