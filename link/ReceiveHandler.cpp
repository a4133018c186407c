#include "link/ReceiveHandler.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "core/UnitImage.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/PlaybackModel.h"
#include "link/ReadOut.h"
#include "link/ReceiveFeeds.h"
#include "link/ReplyBuffer.h"
#include "link/UnitLink.h"
#include "link/WtsCM.h"
#include "link/WtsUp.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"

namespace ReceiveHandler {

namespace {

// Byte n (1-based, as the reply table counts) of a reply.
int at(const QByteArray& reply, int n) {
    return static_cast<unsigned char>(reply.at(n - 1));
}

bool knownLetter(char letter) {
    return letter == '1' || letter == WtsUp::ReadParam || letter == WtsUp::ReadPage5 ||
           letter == WtsUp::ReadPage6 || letter == WtsUp::ReadText;
}

void markAnswered() {
    send_receive = 2;
    bad_cnt = 0;
}

QString errorText() {
    QString text;
    if (UnitFlags & FlagModeBad)
        text += QStringLiteral("MODE-BAD ");
    if (UnitFlags & FlagRpmBad)
        text += QStringLiteral("RPM-BAD ");
    if (UnitFlags & FlagIgnBad)
        text += QStringLiteral("IGN-BAD ");
    return text.isEmpty() ? QString() : QStringLiteral("Error :") + text;
}

void showReadings() {
    LinkHooks& h = Hooks();
    h.SetStatusPanel(3, errorText());
    h.SetLabel(
        LinkLabel::lblAnalog_Defl,
        NumberRules::Format(static_cast<double>(Reading3) / 5 * 100, QStringLiteral("##.0")) +
            QStringLiteral(" %"));
    h.SetLabel(LinkLabel::lblRPM_Map, QString::number(LiveRpm));
    h.SetLabel(LinkLabel::lblRPMShow, NumberRules::Format(LiveRpm, QStringLiteral("####0")));
    h.SetLabel(LinkLabel::lblVersionValue, QString::number(UnitVersion));
}

void refresh() {
    LinkHooks& h = Hooks();
    h.Cursor_Movement();
    if (LiveRpm > 90)
        h.Plot_Setup();
    h.RPM_Bar_movement();
    h.Bar_Draw();
    h.Text_Values();
}

// recorded: the reply is a record of a play-back, not the unit's answer to the
// link's last request.
void liveReply(UnitLink& link, bool recorded) {
    // Before the read-out has finished only the first poll's answer (state 0) and
    // the closing poll's move it on; a live reply in between answers a poll sent
    // before the read-out began and is not taken.
    if (!recorded && UnitOnline == 0 && PauseMode != 2 && CommStatus >= CommStates::FirstPage &&
        CommStatus <= CommStates::ReadOutLast)
        return;
    // The answer to a poll sent before the program went off-line: off-line there
    // is no unit, so neither its readings nor its lock are taken.
    if (!recorded && OnlineState == OnlineStates::Offline)
        return;
    markAnswered();
    if (rx.size() != LiveReplyLength) {
        Hooks().Bar_Draw();
        Hooks().Text_Values();
        return;
    }

    Store_Status(rx);
    if (!recorded && MapChanged == 1 && CommStatus == CommStates::Polling)
        WtsCM::Request_Upload(); // the other map's pages are read in
    // A poll answered late, while a request of the send path goes out: the
    // request keeps its state and its pace. A recorded reply moves nothing of the
    // link either: the off-line tick feeds the next record, one per tick.
    const bool sending = CommStatus == CommStates::Sending;
    const bool linkMoves = !sending && !recorded;
    if (UnitOnline == 0 && !recorded) {
        if (!linkMoves)
            return; // the readings wait for the read-out that ends the request
        // During the paced queue of the clear-unit sequence the read-out is skipped.
        if (PauseMode == 2)
            CommStatus = CommStates::ReadOutLast;
        if (CommStatus == CommStates::Connect)
            ReadRequest.clear(); // nothing of an earlier read-out is sent again
        ++CommStatus;
        link.Comm_Timer_Timer();
        return;
    }
    if (UnitLocked == 1) {
        // A locked unit keeps its readings to itself.
        if (!linkMoves)
            return;
        ++CommStatus;
        link.Comm_Timer_Timer();
        return;
    }

    ReceiveFeeds::Rate_Sample();
    Store_Readings(rx);
    showReadings();
    // 10 becomes 11; the timer turns it back into 10 and polls on its next tick.
    if (linkMoves)
        ++CommStatus;
    if (LogState == 1)
        ReceiveFeeds::Text_Log();
    refresh();
}

// One whole reply, as the unit gave it.
void dispatch(UnitLink& link, const QByteArray& reply, bool recorded) {
    rx = reply;
    if (rx.size() < MinReply || rx.size() > MaxReply)
        return; // left to the timer's count of unanswered ticks

    cmd = QString::number(at(rx, 1));
    ReceiveFeeds::Trace_Label_Append(QStringLiteral("   -cmd=") + cmd);
    const char letter = rx.at(0);
    if (LogState == 1)
        ReceiveFeeds::Raw_Log(rx);

    if (letter == '1') {
        liveReply(link, recorded);
        return;
    }
    if (recorded) {
        // Whatever state the link was left in, a recorded page goes where the
        // read-out keeps it, or nowhere when the user keeps the map shown.
        Playback().Recorded_Page(rx);
        return;
    }
    if (!ReadOut::Answers_Request(rx))
        return; // not the page asked for, or not all of it: the timer asks again
    markAnswered();
    ReadOut::Page_Reply(rx);
}

void playback(UnitLink& link, const QByteArray& delivered) {
    // What the port brought is not the recording's: it goes.
    ReplyBuffer::Clear();
    ReceiveFeeds::Trace_Label_Start(delivered);
    std::optional<QByteArray> record = ReceiveFeeds::Playback_Record();
    if (!record)
        return;
    rx = *record;
    ReceiveFeeds::Trace_Reply(rx);
    if (rx.size() < MinReply || rx.size() > MaxReply)
        return;
    if (!knownLetter(rx.at(0))) {
        cmd = QString::number(at(rx, 1));
        ReceiveFeeds::Trace_Label_Append(QStringLiteral("   -cmd=") + cmd);
        return;
    }
    dispatch(link, rx, true);
}

void handle(UnitLink& link) {
    rx.clear();
    const QByteArray delivered = link.Comm1.Input();
    if (LogState == 3) {
        playback(link, delivered);
        return;
    }
    ReceiveFeeds::Trace_Label_Start(delivered);
    ReplyBuffer::Append(delivered);
    const ReplyBuffer::Taking taking;
    bool first = true;
    bool dropped = false;
    for (;;) {
        std::optional<QByteArray> reply = ReplyBuffer::Take();
        if (const QByteArray stray = ReplyBuffer::Dropped(); !stray.isEmpty()) {
            // Line noise, or the rest of a reply whose start was lost: it goes,
            // and so does what follows it until the line is quiet. A request
            // raised by the user stays in the send path; the timer asks again.
            dropped = true;
            cmd = QString::number(at(stray, 1));
            ReceiveFeeds::Trace_Reply(stray);
            ReceiveFeeds::Trace_Label_Append(QStringLiteral("   -cmd=") + cmd);
            if (stray.size() > 1)
                ReceiveFeeds::Trace_Label_Append(QStringLiteral("   -del") +
                                                 QString::number(stray.size() - 1));
            break;
        }
        if (!reply)
            break;
        if (!first && (CommStatus == CommStates::Replied || CommStatus == CommStates::RepliedTwice))
            CommStatus = CommStates::Polling; // as the timer would before the next poll's answer
        first = false;
        ReceiveFeeds::Trace_Reply(*reply);
        dispatch(link, *reply, false);
    }
    if (first && !dropped)
        ReceiveFeeds::Trace_Reply(delivered); // a piece of a reply still arriving
    // The rest of a reply on its way: the next piece is taken as soon as it is in.
    if (ReplyBuffer::Holding())
        link.Comm1.setRThreshold(ReplyBuffer::Missing());
}

} // namespace

void Store_Status(const QByteArray& reply) {
    UnitFlags = at(reply, 15);
    UnitLocked = UnitFlags & FlagLocked;
    ActiveMap = (UnitFlags & FlagMapA) ? 1 : 2;
    if (ActiveMap != PrevActiveMap)
        MapChanged = 1;
    PrevActiveMap = ActiveMap;
}

void Store_Readings(const QByteArray& reply) {
    UnitVersion = at(reply, 2);
    Reading0 = static_cast<float>(at(reply, 3)) / 25.5f;
    LambdaRaw = at(reply, 4);
    Reading3 = static_cast<float>(at(reply, 5)) / 51.0f;
    Reading2 = static_cast<float>(at(reply, 6)) / 25.5f;
    // The period count is unsigned: a high byte of 128 or more is a slow engine.
    EnginePeriod = static_cast<float>(at(reply, 7) * 256 + at(reply, 8)) +
                   static_cast<float>(at(reply, 9)) / 256.0f;
    Reading1 = UnitBytes::Signed(at(reply, 10));
    Reading4 = at(reply, 11);
    // Unlike byte 10, 128 itself stays +128 here.
    const int ign = at(reply, 12);
    CellValue = UnitBytes::Whole_Degrees(ign > 128 ? ign - 256 : ign);
    const int cell = at(reply, 13);
    const int column = cell >> 4;
    Reading11 = cell & 0x0F;
    LiveMapCell = column < 8 ? column * 16 + Reading11 : NoLiveCell;
    LiveAmpCellB = at(reply, 14) >> 4;
    LiveAmpCellA = at(reply, 14) & 0x0F;
    AnalogIn1 = at(reply, 16);
    AnalogIn2 = at(reply, 17);

    const int cylinders = UnitBytes::Usable_Cylinders();
    if (EnginePeriod > 0.0f) {
        const float rpm = TimerClock / EnginePeriod / static_cast<float>(cylinders);
        LiveRpm = static_cast<int>(static_cast<std::int32_t>(NumberRules::RoundEven(rpm)) & 0x7FFF);
    } else {
        LiveRpm = 0;
    }
}

void Comm1_OnComm() {
    UnitLink* link = UnitLink::current();
    if (link == nullptr)
        return;
    try {
        handle(*link);
    } catch (const KvrError&) {
        // A failure ends the handling of this reply; what was stored stays and
        // the timer runs on.
        if (!link->Comm_Timer.isActive())
            link->Comm_Timer.start();
    }
}

} // namespace ReceiveHandler
