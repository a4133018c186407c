#include "link/LogLines.h"

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "platform/NumberRules.h"

#include <QStringList>

namespace LogLines {

namespace {

int byteAt(const QByteArray& bytes, qsizetype i) {
    return static_cast<unsigned char>(bytes.at(i));
}

// Minutes and seconds of index records at 10 a second.
std::pair<int, int> minutesSeconds(int index, int k) {
    const double minutes = index / 600.0;
    const int m = static_cast<int>(NumberRules::Fix(minutes));
    const int s = static_cast<int>(NumberRules::RoundEven((minutes - m) * k));
    return {m, s};
}

} // namespace

QString Time_Text(const QTime& time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString Pad_Item(const QString& item) {
    if (item.isEmpty() || item.size() > 4)
        return item;
    return QString(5 - item.size(), QLatin1Char(' ')) + item;
}

QString Text_Log_Line(const QTime& now, int commCnt, const std::function<QString(int)>& reading) {
    QString line = Time_Text(now) + QLatin1Char(',');
    line += Pad_Item(NumberRules::Format(commCnt, QStringLiteral("#0")));
    for (int id : TextLogReadings) {
        line += QStringLiteral(", ");
        line += Pad_Item(NumberRules::Str(NumberRules::Val(reading(id))));
    }
    return line + QLatin1Char(' ');
}

QString Raw_Log_Line(const QTime& now, const QByteArray& reply) {
    QString line = Time_Text(now) + QStringLiteral(" ,");
    for (qsizetype i = 0; i < reply.size(); ++i)
        line += QString::number(byteAt(reply, i)) + QLatin1Char(' ');
    return line;
}

std::optional<QByteArray> Record_Bytes(const QString& record) {
    const qsizetype comma = record.indexOf(QLatin1Char(','));
    const QStringList tokens = record.mid(comma + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (tokens.isEmpty())
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(tokens.size());
    for (const QString& token : tokens) {
        bool ok = false;
        const int value = token.trimmed().toInt(&ok);
        if (!ok || value < 0 || value > 255)
            return std::nullopt;
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

QString Length_Text(int count, int k) {
    const auto [m, s] = minutesSeconds(count, k);
    return QString::number(m) + QStringLiteral("Min ") + QString::number(s) + QStringLiteral("Sec");
}

QString Running_Time_Text(int index) {
    const auto [m, s] = minutesSeconds(index, 59);
    return QStringLiteral("Running Time: ") + QString::number(m) + QStringLiteral(" Min ") +
           QString::number(s) + QStringLiteral(" Sec");
}

QString Label_Bytes(const QByteArray& reply) {
    QString text;
    for (qsizetype i = 0; i < reply.size(); ++i)
        text += QLatin1Char(' ') + QString::number(i + 1) + QLatin1Char('=') +
                QString::number(byteAt(reply, i));
    return text;
}

QString Trace_Data_In(const QTime& now, int interval) {
    const auto n = [](int value) { return QString::number(value); };
    return QStringLiteral("Data IN") + Time_Text(now) + QStringLiteral(" Comm_Timer.Interval=") +
           n(interval) + QStringLiteral(" comm_rth=") + n(comm_rth) +
           QStringLiteral(" TimeCNTDO=") + n(TimeCNTDO) + QStringLiteral(" cmd=") + cmd +
           QStringLiteral(" bad_cnt=") + n(bad_cnt) + QStringLiteral(" CommStatus=") +
           n(CommStatus) + QStringLiteral(" cfg_CommSpeed=") + n(cfg_CommSpeed) +
           QStringLiteral(" TimeRun=") + n(TimeRun[3]) + QStringLiteral(" CommTimeCNT=") +
           n(CommTimeCNT);
}

QString Trace_Bytes(const QByteArray& reply) {
    QString line =
        QStringLiteral("Comm--> Len(rx)=") + QString::number(reply.size()) + QLatin1Char(' ');
    for (qsizetype i = 0; i < reply.size(); ++i)
        line += QString::number(i + 1) + QLatin1Char('=') + QString::number(byteAt(reply, i)) +
                QLatin1Char(' ');
    return line;
}

} // namespace LogLines
