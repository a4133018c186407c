#include "link/ReceiveFeeds.h"

#include "link/CommTrace.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/LiveLog.h"
#include "link/LogLines.h"
#include "link/PlaybackModel.h"
#include "link/PollTiming.h"
#include "link/ReadingText.h"
#include "link/UnitLink.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"

#include <QTime>

namespace ReceiveFeeds {

namespace {

// The trace label's text of the reply being handled, built up as it goes.
QString& label() {
    static QString text;
    return text;
}

void showLabel() {
    Hooks().SetLabel(LinkLabel::lblComm, label());
}

int pollInterval() {
    const UnitLink* link = UnitLink::current();
    return link ? link->interval() : 0;
}

} // namespace

void Trace_Label_Start(const QByteArray& delivered) {
    label() = QStringLiteral("LEN=") + QString::number(delivered.size()) + QLatin1Char(' ');
    showLabel();
}

void Trace_Label_Append(const QString& text) {
    label() += text;
    showLabel();
}

std::optional<QByteArray> Playback_Record() {
    return Playback().Feed();
}

void Trace_Reply(const QByteArray& reply) {
    Trace_Label_Append(LogLines::Label_Bytes(reply));
    if (!Trace().isOpen())
        return;
    const QTime now = QTime::currentTime();
    Trace().write(LogLines::Trace_Data_In(now, pollInterval()));
    Trace().write(LogLines::Trace_Bytes(reply));
}

namespace {
// A log that can no longer be written ends the recording at once; what was
// written up to then is kept. The user is told once the handler has returned,
// so the link goes on polling while the message is open.
void Check_Log_Written() {
    if (LogState != 1 || LiveLogs().failure().isEmpty())
        return;
    const QString failure = LiveLogs().failure();
    Hooks().Stop_Logg();
    FileProblem::Tell_Later({QStringLiteral("data log"), QStringLiteral("written"), failure,
                             QStringLiteral("Logging has been stopped; the data recorded up to "
                                            "now is kept."),
                             QStringLiteral("Logging"), Dialogs::Icon::Critical});
}
} // namespace

void Raw_Log(const QByteArray& reply) {
    LiveLogs().writeRaw(LogLines::Raw_Log_Line(QTime::currentTime(), reply));
    Check_Log_Written();
}

void Rate_Sample() {
    PollTiming::Rate_Sample();
}

void Text_Log() {
    LiveLogs().writeText(LogLines::Text_Log_Line(QTime::currentTime(), CommCnt, [](int id) {
        return Readouts::Conv_Input_to_readings(id);
    }));
    Check_Log_Written();
}

void Reset() {
    label().clear();
}

} // namespace ReceiveFeeds
