#include "link/UnitLink.h"

#include "core/CoreState.h"
#include "core/DealerSettings.h"
#include "core/ModeFile.h"
#include "link/CommTrace.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/LiveLog.h"
#include "link/PlaybackModel.h"
#include "link/ProgressModel.h"
#include "link/ReadOut.h"
#include "link/ReplyBuffer.h"
#include "link/SendPath.h"
#include "link/SendRule.h"
#include "link/WtsCM.h"
#include "link/WtsUp.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "platform/Step.h"

#include <algorithm>

namespace {

UnitLink* currentLink = nullptr;

const QString NoComms = QStringLiteral("NO COMM'S");
const QString Downloading = QStringLiteral("Downloading Data");
const QString DownloadWaits = QStringLiteral("Download waits for the unit");

// Unexpected errors while opening are retried this often before they count as
// a port failure.
constexpr int OpenAttempts = 3;
// Retries of an open that finds the port in use, before the user is told.
constexpr int InUseRetries = 10;

} // namespace

UnitLink::UnitLink() {
    currentLink = this;
    Comm_Timer.setInterval(100);
    Timer_CommEnd.setInterval(500);
    Port_Retry.setInterval(PortRetryMs);
    Step::Connect(&Comm_Timer, &QTimer::timeout, this, &UnitLink::Comm_Timer_Timer);
    Step::Connect(&Timer_CommEnd, &QTimer::timeout, this, &UnitLink::Timer_CommEnd_Timer);
    Step::Connect(&Port_Retry, &QTimer::timeout, this, &UnitLink::Port_Retry_Timer);
    Comm1.OnComm = [] { Hooks().Comm1_OnComm(); };
    Comm1.OnLost = [this] { Device_Lost(); };
}

UnitLink::~UnitLink() {
    if (currentLink == this)
        currentLink = nullptr;
}

UnitLink* UnitLink::current() {
    return currentLink;
}

void UnitLink::setTimerEnabled(bool enabled) {
    if (!enabled)
        Comm_Timer.stop();
    else if (!Comm_Timer.isActive())
        Comm_Timer.start();
}

void UnitLink::send(const QByteArray& frame) {
    // While the device is gone nothing can go out; the ticks still count.
    if (PortLost && !Comm1.PortOpen())
        return;
    if (!frame.isEmpty())
        Comm1.Output(frame);
}

void UnitLink::traceLine(int prefix) {
    Trace().write(QStringLiteral("Comm->%1bad_cnt = %2 Comm_Timer.Interval=%3 CommStatus = %4 "
                                 "cfg_CommSpeed = %5 TimeRun = %6 send_receive=%7")
                      .arg(prefix)
                      .arg(bad_cnt)
                      .arg(interval())
                      .arg(CommStatus)
                      .arg(cfg_CommSpeed)
                      .arg(TimeRun[3])
                      .arg(send_receive));
}

// A slower poll once the unit stays silent, never beyond twice the base.
void UnitLink::growInterval() {
    int next = interval() + 20;
    if (2 * cfg_CommSpeed < next)
        next = 2 * cfg_CommSpeed;
    setInterval(next);
}

void UnitLink::showLoss() {
    Hooks().SetNoCommsCaption(0, NoComms);
    Hooks().SetNoCommsVisible(0, true);
}

void UnitLink::Comm_Timer_Timer() {
    try {
        tick();
    } catch (const KvrError& e) {
        if (PortErrors::Is_Port_Error(e.number())) {
            portFailed(e.number(), PortErrors::Family::Polling);
        } else {
            // The failed step is skipped; the next tick carries on.
            setTimerEnabled(true);
        }
    }
    // What the status bar says follows the link: a refusal whose cause has
    // passed goes.
    SendRule::Review_Notice();
}

void UnitLink::tick() {
    // Off-line the tick only feeds play-back.
    if (OnlineState == OnlineStates::Offline) {
        if (LogState == 3)
            Hooks().Comm1_OnComm();
        setTimerEnabled(true);
        return;
    }
    // A port that never opened (or could not be opened again) carries nothing:
    // the link waits for it rather than showing on-line.
    if (!Comm1.PortOpen() && !PortLost) {
        noPort();
        return;
    }
    setTimerEnabled(false);

    if (bad_cnt == LossLadder::SlowTicks && interval() < cfg_CommSpeed)
        setInterval(cfg_CommSpeed + 70);

    bool awaited = replyAwaited();
    countUnanswered(awaited);
    if (bad_cnt == LossLadder::ReconnectTicks) {
        reconnect();
        awaited = false;
    }

    if (CommStatus == CommStates::Replied || CommStatus == CommStates::RepliedTwice)
        CommStatus = CommStates::Polling;
    request(awaited);

    if (interval() == 0)
        setInterval(1);
    setTimerEnabled(true);
    if (NoTuneFlag == 171) {
        Hooks().SetNoTuneMenus();
        NoTuneFlag = 170;
    }
}

// No request goes out again while the answer to the last one is still on the
// line; once it has stopped coming, what came of it is thrown away so that the
// next answer starts afresh.
bool UnitLink::replyAwaited() {
    if (CommStatus == CommStates::Sending)
        return false;
    const bool awaited = ReplyBuffer::Reply_On_Its_Way(interval(), Comm1.InBufferCount());
    if (!awaited && Comm1.InBufferCount() > 0)
        Comm1.setInBufferCount(0);
    return awaited;
}

// A tick whose request is still unanswered counts towards the loss ladder; the
// loss shows at its step (sooner while connecting) and the poll slows down.
void UnitLink::countUnanswered(bool awaited) {
    if (send_receive != 1) {
        Hooks().SetNoCommsVisible(0, false);
        Hooks().SetNoCommsVisible(1, false);
        return;
    }
    ++bad_cnt;
    int showAt = LossLadder::SilentTicks;
    if (CommStatus == CommStates::Connect) {
        traceLine(1);
        if (!awaited)
            Comm1.setInBufferCount(0);
        showAt = LossLadder::ConnectLossTicks;
    } else {
        traceLine(2);
    }
    if (bad_cnt == showAt) {
        showLoss();
        growInterval();
    }
}

// A long silence: reopen the port and connect again; the second time, give up.
void UnitLink::reconnect() {
    traceLine(3);
    CommStatus = CommStates::Connect;
    SendRule::ReadOut_Restarts();
    SerialPortOn();
    bad_cnt -= LossLadder::ReconnectSetBack;
    setInterval(4 * cfg_CommSpeed);
    if (OnlineState == OnlineStates::Online2)
        GO_OFFLine();
    if (OnlineState == OnlineStates::Online)
        OnlineState = OnlineStates::Online2;
    if (interval() > 500)
        setInterval(500);
}

// The request of this tick, by the state of the link; none while an answer is
// still on its way (a queue being sent does not wait for answers).
void UnitLink::request(bool awaited) {
    switch (CommStatus) {
    case CommStates::Connect:
        if (!awaited)
            requestConnect();
        break;
    case CommStates::FirstPage:
        if (!awaited)
            requestFirstPage();
        break;
    case CommStates::ReadOutFirst: // to ReadOutLast
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case CommStates::ReadOutLast:
        if (!awaited)
            requestReadOut();
        break;
    case CommStates::Polling:
        if (SendPending == SendWaiting) {
            CommStatus = CommStates::Sending;
            tick();
        } else if (!awaited) {
            poll();
        }
        break;
    case CommStates::Sending:
        sendRequest();
        break;
    default:
        break;
    }
}

void UnitLink::poll() {
    Comm1.setRThreshold(18);
    comm_rth = 18;
    send(WtsUp::Poll_Frame());
    ReplyBuffer::Request_Sent(18);
    send_receive = 1;
}

// The first poll of a connect, after the No-Tune mark when it is set.
void UnitLink::requestConnect() {
    if (NoTuneFlag == 170)
        send(WtsUp::NoTune_Set_Frame());
    poll();
    UnitOnline = 0;
    SendLineNo = 0;
    if (OnlineState == OnlineStates::Online)
        Hooks().Comm_Dis_State(true);
    setInterval(cfg_CommSpeed + 20);
}

void UnitLink::requestFirstPage() {
    Comm1.setRThreshold(130);
    send(WtsUp::Read_Frame(WtsUp::ReadParam, Idx_ParamLow, 128));
    ReplyBuffer::Request_Sent(130);
    MapChanged = 0;
    // The first page request waits for its answer like the later ones.
    send_receive = 1;
}

void UnitLink::requestReadOut() {
    Comm1.setRThreshold(comm_rth);
    if (ReadRequest.isEmpty()) {
        CommStatus = CommStates::Connect; // nothing prepared: the read-out starts again
    } else {
        send(ReadRequest);
        ReplyBuffer::Request_Sent(comm_rth);
    }
    send_receive = 1;
}

// CommStates::Sending: one step of the request in hand, taking the next one first if needed.
void UnitLink::sendRequest() {
    if (PortLost && !Comm1.PortOpen()) {
        // Nothing can go out: the request waits, whole, for the port to open again
        // (the element on the line when it went may have been cut off). The ticks
        // count unanswered so that the link reconnects.
        SendLineNo = 0;
        send_receive = 1;
        if (downloadWaits() && Progress().text() == Downloading)
            Progress().setText(DownloadWaits);
        return;
    }
    if (!SendTaken && !SendPath::Take_Next()) {
        SendPath::Finish_Current();
        CommStatus = CommStates::Polling;
        return;
    }
    switch (SendSubState) {
    case Sub_State(SendKind::Command):
        send(FrameText);
        CommStatus = CommStates::Polling;
        FrameText.clear();
        SendPath::Finish_Current();
        break;
    case Sub_State(SendKind::Refresh):
        startRefresh();
        break;
    case Sub_State(SendKind::QueueWithProgress):
        sendWithProgress();
        break;
    case SendQueueSent:
        CommStatus = CommStates::Polling;
        FrameText.clear();
        SendLineNo = 0;
        SendPath::Finish_Current();
        break;
    case Sub_State(SendKind::Queue):
        sendQueueElement();
        break;
    default:
        break;
    }
}

// The next element of the queue, if one is left; true when one went out.
bool UnitLink::sendNextElement() {
    if (SendLineNo >= static_cast<int>(SendQueue.size()))
        return false;
    ++SendLineNo;
    send(SendQueue[static_cast<std::size_t>(SendLineNo - 1)]);
    return true;
}

// All elements sent and the line drained: the queue is done.
bool UnitLink::queueDone() const {
    return SendLineNo >= static_cast<int>(SendQueue.size()) && Comm1.OutBufferCount() == 0;
}

// A read-out of the whole unit, once the requests raised meanwhile have gone.
void UnitLink::startRefresh() {
    if (!SendRequests.empty()) {
        // Requests raised since wait: they go out first, so the read-out reads
        // the unit as they leave it and no edit of theirs is read over.
        SendPath::Finish_Current();
        SendPath::Request_Refresh();
        CommStatus = CommStates::Polling;
        return;
    }
    FrameText.clear();
    SendLineNo = 0;
    SendPath::Finish_Current();
    CommStatus = CommStates::Connect;
    bad_cnt = 0;
    Progress().Hide();
    StatusMsg.clear();
    Progress().Form_Unload();
}

// One element of a queue shown in the progress window; the read-out follows.
void UnitLink::sendWithProgress() {
    if (SendLineNo == 0) {
        setInterval(interval() + 10);
        if (Progress().text() == DownloadWaits)
            Progress().setText(Downloading);
    }
    const bool sent = sendNextElement();
    if (queueDone()) {
        FrameText.clear();
        SendSubState = Sub_State(SendKind::Refresh);
        bad_cnt = 0;
        if (PauseMode == 2) {
            Hooks().SetPauseEnabled(true);
            PauseMode = 0;
        }
    }
    if (!sent)
        return;
    if (PauseMode == 2) {
        Hooks().SetPauseEnabled(false);
        Progress().setValue(SendLineNo);
    } else {
        Progress().addValue(5);
    }
}

// One element of a plain queue; once it is done the link polls again.
void UnitLink::sendQueueElement() {
    if (SendLineNo == 0)
        setInterval(interval() + 10);
    sendNextElement();
    bad_cnt = 0;
    if (queueDone()) {
        FrameText.clear();
        SendSubState = SendQueueSent;
        setInterval(interval() < 11 ? 1 : interval() - 10);
    }
}

void UnitLink::tell(int number, PortErrors::Family family, const QString& more) {
    if (PortFailTold)
        return; // told already in this spell of failure
    PortFailTold = 1;
    Dialogs::msgBox(PortErrors::Text(number, cfg_CommPort, family) + more, Dialogs::Buttons::Ok,
                    Dialogs::Icon::Critical, PortErrors::Title);
}

// A queue with the progress window (a download) is in hand or waits its turn.
bool UnitLink::downloadWaits() const {
    if (SendTaken && SendSubState == Sub_State(SendKind::QueueWithProgress))
        return true;
    return std::any_of(SendRequests.begin(), SendRequests.end(),
                       [](const SendRequest& r) { return r.kind == SendKind::QueueWithProgress; });
}

void UnitLink::portOpened() {
    ReplyBuffer::Clear();
    PortLost = 0;
    PortFailTold = 0;
    PortTryCount = 0;
    if (SendPending == SendPortFailed) {
        SendPending = SendIdle;
        SendPath::Raise_Pending();
    }
}

void UnitLink::portFailed(int number, PortErrors::Family family) {
    tell(number, family);
    noPort();
}

// No port to poll through: the link stands still, says so while on-line, and
// tries the port again until it opens or the program goes off-line.
void UnitLink::noPort() {
    Comm1.setRThreshold(0);
    setTimerEnabled(false);
    SendPending = SendPortFailed;
    if (OnlineState == OnlineStates::Offline)
        return;
    showLoss();
    if (!Port_Retry.isActive())
        Port_Retry.start();
}

void UnitLink::Port_Retry_Timer() {
    if (OnlineState == OnlineStates::Offline || Comm1.PortOpen()) {
        Port_Retry.stop();
        return;
    }
    if (Timer_CommEnd.isActive())
        return; // the retries of a port in use run their course first
    Comm1.CommPort = cfg_CommPort;
    try {
        Comm1.setPortOpen(true);
    } catch (const KvrError&) {
        return; // still not there; told once already
    }
    Port_Retry.stop();
    portOpened();
    // The unit behind the new port is read afresh.
    CommStatus = CommStates::Connect;
    SendRule::ReadOut_Restarts();
    bad_cnt = 0;
    send_receive = 0;
    setInterval(cfg_CommSpeed + 20);
    setTimerEnabled(true);
}

void UnitLink::SerialPortOff() {
    if (Comm1.PortOpen())
        Comm1.setPortOpen(false);
}

void UnitLink::SerialPortOn() {
    SerialPortOff();
    Comm1.CommPort = cfg_CommPort;
    if (cfg_CommPort >= 1 && cfg_CommPort <= 4)
        Hooks().CheckPortMenu(cfg_CommPort);
    for (int attempt = 1;; ++attempt) {
        try {
            Comm1.setPortOpen(true);
            portOpened();
            return;
        } catch (const KvrError& e) {
            if (e.number() == KvrError::PortAlreadyOpen) {
                PortTryCount = 0;
                SerialPort_TRY();
                return;
            }
            if (e.number() == KvrError::PortNotOpen)
                return;
            if (PortErrors::Is_Port_Error(e.number()) || attempt >= OpenAttempts) {
                portFailed(e.number(), PortErrors::Family::Opening);
                return;
            }
        }
    }
}

void UnitLink::SerialPort_TRY() {
    setTimerEnabled(false);
    try {
        Comm1.setPortOpen(false);
    } catch (const KvrError&) {
        // Not open (8012): the timer is stopped already; go on.
    }
    Comm1.CommPort = cfg_CommPort;
    try {
        Comm1.setPortOpen(true);
        portOpened();
        setTimerEnabled(true);
    } catch (const KvrError& e) {
        if (e.number() != KvrError::PortAlreadyOpen) {
            portFailed(e.number(), PortErrors::Family::Opening);
            return;
        }
        if (++PortTryCount <= InUseRetries) {
            Timer_CommEnd.start();
            return;
        }
        // Still held by another program after every retry: say so.
        if (!PortFailTold) {
            PortFailTold = 1;
            Dialogs::msgBox(PortErrors::Text(KvrError::PortAlreadyOpen, cfg_CommPort,
                                             PortErrors::Family::Opening),
                            Dialogs::Buttons::Ok, Dialogs::Icon::Information, PortErrors::Title);
        }
        noPort();
    }
}

void UnitLink::Timer_CommEnd_Timer() {
    Timer_CommEnd.stop();
    SerialPort_TRY();
}

void UnitLink::Device_Lost() {
    PortLost = 1;
    QString more;
    if (downloadWaits()) {
        // Whatever of it went out is sent again: the unit gets it whole or not at all.
        if (Progress().text() == Downloading)
            Progress().setText(DownloadWaits);
        more = QStringLiteral("\n\nThe download waits for the unit. It will be sent whole, "
                              "from its start, once the unit answers again.");
    }
    tell(KvrError::HardwareNotAvailable, PortErrors::Family::Polling, more);
}

void UnitLink::GO_ONLine() {
    // Play-back runs only off-line: it ends here as its Stop button ends it, and
    // its window follows.
    if (LogState == 2 || LogState == 3)
        Playback().Playback_Menu_State2();
    Hooks().SetNoCommsCaption(0, QStringLiteral("Status: On-Line"));
    OnlineState = OnlineStates::Online;
    bad_cnt = 0;
    CommStatus = CommStates::Connect;
    SendRule::ReadOut_Restarts();
    SendRule::Image_Is_Units(); // the read-out replaces the image
    ReplyBuffer::Clear();
    Hooks().SetNoCommsVisible(0, false);
    Hooks().SetNoCommsVisible(1, false);
    Hooks().PB_Dis_State(false);
    Hooks().Comm_Dis_State(true);
    Hooks().PB_Dis_State(false);
    Hooks().SetOnlineMenus(true);
    WtsGeneral::Write_Mode_File_Reporting();
    PlaybackSpeed = 10;
    // A recording goes on across the re-connect: the read-out that follows is
    // logged like every reply, and both files stay open until it is stopped.

    // After a port failure: poll again once the port opens, else say there is none.
    if (!Comm1.PortOpen())
        SerialPortOn();
    if (Comm1.PortOpen()) {
        if (SendPending == SendPortFailed) {
            SendPending = SendIdle;
            SendPath::Raise_Pending();
        }
        if (!timerEnabled()) {
            setInterval(cfg_CommSpeed + 20);
            setTimerEnabled(true);
        }
    } else if (!Timer_CommEnd.isActive()) {
        showLoss();
    }
    SendRule::Review_Notice();
}

void UnitLink::GO_OFFLine() {
    // A read-out or transfer that stalled ends here: its progress window goes.
    if (Progress().loaded()) {
        Progress().Hide();
        StatusMsg.clear();
        Progress().Form_Unload();
    }
    if (LogState == 1) {
        Hooks().Stop_Logg();
        Dialogs::msgBox(QStringLiteral("Logging has been stopped!"), Dialogs::Buttons::Ok,
                        Dialogs::Icon::Information, QStringLiteral("Logging Stopped"));
    }
    OnlineState = OnlineStates::Offline;
    Port_Retry.stop();
    SendRule::Went_Offline();
    Hooks().SetOnlineMenus(false);
    Hooks().SetNoCommsCaption(0, QStringLiteral("Status: Off-Line"));
    Hooks().SetNoCommsVisible(0, true);
    Hooks().SetNoCommsVisible(1, true);
    // The lock is the unit's, reported with every live reply: off-line there is
    // no unit, and the window works on the image again (maps shown, saved, edited).
    const bool wasLocked = UnitLocked == 1;
    UnitLocked = 0;
    // A locked unit's read-out gave no map: off-line there is none to show or edit
    // (the menu's Off-Line then loads the default map).
    if (NoMapUnderLock == 1) {
        NoMapUnderLock = 0;
        MapLoaded = 0;
        UnitOnline = 0;
        ReadOut::Forget_Locked_Read();
    }
    if (wasLocked) {
        // The readings held are from before the lock, of this unit or another:
        // the readouts show none of them.
        Forget_Readings();
        Hooks().Arrange_NoTUNE(true);
        Hooks().Text_Values();
    }
    Hooks().Comm_Dis_State(false);
    Hooks().PB_Dis_State(true);
    WtsGeneral::Write_Mode_File_Reporting();
    SendRule::Image_Is_Units();
    SendRule::Review_Notice();
}

void UnitLink::Form_Unload() {
    Timer_CommEnd.stop();
    Port_Retry.stop();
    setTimerEnabled(false);
    SerialPortOff();
    Trace().close();
    // A recording ends with the window: both logs get their end lines.
    if (LogState == 1)
        Hooks().Stop_Logg();
    LiveLogs().close();
    if (LogState == 1)
        LogState = 0;
}

void UnitLink::mnuOnline_Click() {
    if (SendRule::Confirm_Going_Online())
        GO_ONLine();
}

void UnitLink::mnuOffline_Click() {
    GO_OFFLine();
    if (MapLoaded == 0) {
        Hooks().SetPauseInterval(1000);
        Hooks().SetPauseEnabled(true);
        StatusMsg = StatusStates::LoadingDefaultMap;
    }
}

void UnitLink::mnuPort_Click(int port) {
    Hooks().CheckPortMenu(port);
    cfg_CommPort = port;
    WtsGeneral::Save_Port_To_Cfg_Files();
    SendPending = SendIdle;
    SendPath::Raise_Pending();
    PortFailTold = 0; // a port the user chose is reported afresh
    SerialPortOn();
    setInterval(cfg_CommSpeed + 20);
    Comm_Timer_Timer();
}

void UnitLink::mnuMapA_Click() {
    WtsCM::Select_Map_A();
    StatusMsg = StatusStates::UploadingMapA;
}

void UnitLink::mnuMapB_Click() {
    WtsCM::Select_Map_B();
    StatusMsg = StatusStates::UploadingMapB;
}

void UnitLink::mnuUpload_Click() {
    WtsCM::Request_Upload();
}
void UnitLink::mnuReset_Click() {
    WtsCM::Reset_Unit();
}
