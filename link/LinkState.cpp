#include "link/LinkState.h"

int CommStatus = 0;
int send_receive = 0;
int bad_cnt = 0;
QByteArray FrameText;
QByteArray ReadRequest;
int comm_rth = 0;
std::deque<SendRequest> SendRequests;
std::vector<QByteArray> SendQueue;
bool SendTaken = false;
int SendPending = 0;
int SendSubState = 0;
int SendLineNo = 0;
int PauseMode = 0;
int LogState = 0;
int PlaybackSpeed = 10;
std::array<int, 6> TimeRun{};
int UnitLocked = 0;
int ActiveMap = 0;
int MapChanged = 0;
QString StatusMsg;
int PortLost = 0;
int PortFailTold = 0;
int PortTryCount = 0;
int LiveMapCell = 0;
int LiveAmpCellA = 0;
int LiveAmpCellB = 0;

void ResetLinkState() {
    CommStatus = 0;
    send_receive = 0;
    bad_cnt = 0;
    FrameText.clear();
    ReadRequest.clear();
    comm_rth = 0;
    SendRequests.clear();
    SendQueue.clear();
    SendTaken = false;
    SendPending = 0;
    SendSubState = 0;
    SendLineNo = 0;
    PauseMode = 0;
    LogState = 0;
    PlaybackSpeed = 10;
    TimeRun = {};
    UnitLocked = 0;
    ActiveMap = 0;
    MapChanged = 0;
    StatusMsg.clear();
    PortLost = 0;
    PortFailTold = 0;
    PortTryCount = 0;
    LiveMapCell = 0;
    LiveAmpCellA = 0;
    LiveAmpCellB = 0;
}
