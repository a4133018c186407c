#include "link/LinkState.h"

#include "core/CoreState.h"
#include "link/CommTrace.h"
#include "link/LinkHooks.h"
#include "link/LiveLog.h"
#include "link/PlaybackModel.h"
#include "link/PollTiming.h"
#include "link/ProgressModel.h"
#include "link/ReceiveFeeds.h"
#include "link/ReplyBuffer.h"
#include "platform/StateReset.h"

#include <chrono>

int CommStatus;
int send_receive;
int bad_cnt;
QByteArray FrameText;
QByteArray ReadRequest;
int comm_rth;
std::deque<SendRequest> SendRequests;
std::vector<QByteArray> SendQueue;
bool SendTaken;
int SendPending;
int SendSubState;
int SendLineNo;
int PauseMode;
int LogState;
int PlaybackSpeed;
std::array<int, 6> TimeRun;
int CommCnt;
int TimeCNTDO;
QTime RateSampleTime;
int CommTimeCNT;
int PlaybackIndex;
int UnitLocked;
int ActiveMap;
int MapChanged;
int NoMapUnderLock;
int ImageSentWhole;
int PrevActiveMap;
int UnitFlags;
QByteArray rx;
QString cmd;
int UnitVersion;
float Reading0;
int Reading1;
float Reading2;
float Reading3;
int Reading4;
float EnginePeriod;
int LambdaRaw;
int LiveMapCell;
int Reading11;
int LiveAmpCellA;
int LiveAmpCellB;
int AnalogIn1;
int AnalogIn2;
int LiveRpm;
int MaxRpmSeen;
QString StatusMsg;
QString ConsoleLine;
int ConsoleHandover;
int PortLost;
int PortFailTold;
int LearnedBaseTold;
int PortTryCount;
int OfflineEdits;
int OfflineEditsTold;
QString PanelNotice;
int PanelNoticeFor;
qint64 PanelNoticeAt;
QString PanelShown;
std::function<qint64()> NoticeClock;
std::function<void(int, int)> ImageStoreSeam;
int GridNotUnits;

void Forget_Readings() {
    UnitVersion = 0;
    Reading0 = 0.0f;
    Reading1 = 0;
    Reading2 = 0.0f;
    Reading3 = 0.0f;
    Reading4 = 0;
    CellValue = 0;
    EnginePeriod = 0.0f;
    LambdaRaw = 0;
    LiveMapCell = 0;
    Reading11 = 0;
    LiveAmpCellA = 0;
    LiveAmpCellB = 0;
    AnalogIn1 = 0;
    AnalogIn2 = 0;
    LiveRpm = 0;
}

void ResetLinkState() {
    ReplyBuffer::Clear();
    CommStatus = CommStates::Connect;
    send_receive = 0;
    bad_cnt = 0;
    FrameText.clear();
    ReadRequest.clear();
    comm_rth = 0;
    SendRequests.clear();
    SendQueue.clear();
    SendTaken = false;
    SendPending = SendIdle;
    SendSubState = Sub_State(SendKind::Command);
    SendLineNo = 0;
    PauseMode = 0;
    LogState = 0;
    PlaybackSpeed = 10;
    TimeRun = {};
    LearnedBaseTold = 0;
    PollTiming::Timing() = PollTiming::Timings{};
    CommCnt = 0;
    TimeCNTDO = 0;
    RateSampleTime = QTime(0, 0);
    CommTimeCNT = 0;
    PlaybackIndex = 0;
    UnitLocked = 0;
    ActiveMap = 0;
    MapChanged = 0;
    NoMapUnderLock = 0;
    ImageSentWhole = 0;
    PrevActiveMap = 0;
    UnitFlags = 0;
    rx.clear();
    cmd.clear();
    Forget_Readings();
    MaxRpmSeen = 0;
    StatusMsg.clear();
    ConsoleLine.clear();
    ConsoleHandover = 0;
    PortLost = 0;
    PortFailTold = 0;
    PortTryCount = 0;
    OfflineEdits = 0;
    OfflineEditsTold = 0;
    PanelNotice.clear();
    PanelShown.clear();
    PanelNoticeFor = -1;
    PanelNoticeAt = 0;
    NoticeClock = [] {
        return static_cast<qint64>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now().time_since_epoch())
                                       .count());
    };
    ImageStoreSeam = {};
    GridNotUnits = 0;
}

namespace {
// What the link holds beyond its variables: the recordings are closed with
// their end lines, the models and the hook table go back to their start.
void Let_Go() {
    LiveLogs().close();
    Trace().close();
    Progress().Form_Unload();
    Playback().Reset();
    ReceiveFeeds::Reset();
    ResetLinkHooks();
}
// Every start value is the reset's, set once before the program starts; the
// same line records the group for the tests' reset of everything.
[[maybe_unused]] const bool Started = StateReset::Start_Group(Floor::Link, ResetLinkState, Let_Go);
} // namespace
