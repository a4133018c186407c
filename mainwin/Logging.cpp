#include "mainwin/Logging.h"

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "link/LiveLog.h"
#include "platform/KvrError.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

#include <QLocale>

namespace Logging {

namespace {
constexpr int Numbers = 1000;
}

QString Number_Text(int n) {
    return (QStringLiteral("00") + QString::number(n)).right(3);
}

QString Text_Log_Name(const QString& number) {
    return LogBaseName + QLatin1Char('.') + number;
}

QString Raw_Log_Name(const QString& number) {
    return LogBaseName + number + QStringLiteral(".raw");
}

QString Next_Log_Number() {
    const int first =
        static_cast<int>(ProgramFolder::list(LogBaseName + QStringLiteral(".*")).size()) + 1;
    for (int k = 0; k < Numbers; ++k) {
        const QString number = Number_Text((first + k) % Numbers);
        if (!ProgramFolder::exists(Text_Log_Name(number)) &&
            !ProgramFolder::exists(Raw_Log_Name(number)))
            return number;
    }
    return QString();
}

QStringList Text_Log_Header(const QString& fileName, const QDateTime& now) {
    const QString started = DealerOwner + QLatin1Char(' ') + UnitName +
                            QStringLiteral(" data logg: ") +
                            now.date().toString(QStringLiteral("MM-dd-yyyy"));
    return {DealerCompany,
            TextFile::padToNextZone(started) + now.time().toString(QStringLiteral("HH:mm:ss")),
            QStringLiteral("               File name: ") + fileName, QString(),
            QStringLiteral("Time ,Comm Cnt ,RPM ,Deflection ,AMP Input ,Engine T ,AFR OXY "
                           ",AFR Input V ,Analog Input V ,Analog Mod ,Analog Output V ,"
                           "Injection Length ,Ign Mod ,AMP Pos ,Eng T Pos ,RPM Pos ,ANA/DEFL Pos")};
}

QString Raw_Log_Header(const QDate& date) {
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString Start_Logging(QStringList* logs) {
    const QString number = Next_Log_Number();
    if (number.isEmpty())
        throw KvrError(KvrError::BadFileName,
                       QStringLiteral("every log number from 000 to 999 is taken"));
    const QString textName = Text_Log_Name(number);
    if (logs)
        *logs = {textName, Raw_Log_Name(number)};
    QString error;
    if (!LiveLogs().open(ProgramFolder::file(textName), ProgramFolder::file(Raw_Log_Name(number)),
                         &error))
        throw KvrError(KvrError::PermissionDenied, error);
    const QDateTime now = QDateTime::currentDateTime();
    for (const QString& line : Text_Log_Header(textName, now))
        LiveLogs().writeText(line);
    LiveLogs().writeRaw(Raw_Log_Header(now.date()));
    if (!LiveLogs().failure().isEmpty()) {
        // Not even the headers fit (a full disk, a size limit): no empty pair of
        // files is left to take a number.
        const QString failure = LiveLogs().failure();
        LiveLogs().discard();
        throw KvrError(KvrError::DiskFull, failure);
    }
    LogState = 1;
    return textName;
}

void Stop_Logging() {
    LiveLogs().close();
    LogState = 0;
}

} // namespace Logging
