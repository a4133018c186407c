#pragma once

// Recording live data into the program folder: the text log LogBaseName & "." &
// NNN (KVR6.002) and the raw log LogBaseName & NNN & ".raw" (KVR6002.raw) with
// their header lines. The data lines come from the receive handler while
// LogState is 1; the open files are link/LiveLog.h's.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace Logging {

// The three-digit file number of n: the last three digits of "00" & n.
QString Number_Text(int n);
QString Text_Log_Name(const QString& number);
QString Raw_Log_Name(const QString& number);

// The number of the next recording: one more than the files of the program
// folder named LogBaseName & "." & anything, moved on past every number whose
// text log or raw log exists already, so no recording is ever replaced. Empty
// when all 1000 numbers are taken.
QString Next_Log_Number();

// Lines 1 to 5 of the text log fileName, started at now.
QStringList Text_Log_Header(const QString& fileName, const QDateTime& now);
// The raw log's first line: the date in the system's short format.
QString Raw_Log_Header(const QDate& date);

// Creates both logs and writes their headers, then LogState = 1. Returns the
// text log's name. Throws KvrError (naming the file and the cause) when either
// file cannot be created or its header cannot be written; then neither is left
// open, neither remains on disk, and LogState stays as it was. logs, when
// given, receives the names of the two logs it set out to create, text log
// first, whether or not it succeeds (none when every number is taken).
QString Start_Logging(QStringList* logs = nullptr);
// Writes the end lines, closes both logs, LogState = 0.
void Stop_Logging();

} // namespace Logging
