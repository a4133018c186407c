#include "link/SendPath.h"

#include "link/LinkState.h"

namespace SendPath {
namespace {

bool isByteWrite(const QByteArray& frame) {
    return frame.size() == 4 && (frame[0] == '4' || frame[0] == '5' || frame[0] == '6') &&
           frame[3] == '\r';
}

void push(SendRequest request) {
    SendRequests.push_back(std::move(request));
    Raise_Pending();
}

bool carriesWrite(const std::vector<QByteArray>& elements) {
    for (const QByteArray& e : elements)
        if (Is_Write(e))
            return true;
    return false;
}

bool droppable(SendKind kind) {
    return kind == SendKind::Command || kind == SendKind::Queue;
}

} // namespace

bool Is_Write(const QByteArray& frame) {
    if (frame.isEmpty())
        return false;
    switch (frame.at(0)) {
    case '4':
    case '5':
    case '6':
    case '<':
    case '=':
    case '>':
    case 'A':
        return true;
    default:
        return false;
    }
}

int Drop_Writes() {
    int dropped = 0;
    for (auto it = SendRequests.begin(); it != SendRequests.end();) {
        if (droppable(it->kind) && carriesWrite(it->elements)) {
            it = SendRequests.erase(it);
            ++dropped;
        } else {
            ++it;
        }
    }
    if (SendTaken && droppable(static_cast<SendKind>(SendSubState))) {
        const bool write = SendSubState == Sub_State(SendKind::Command)
                               ? Is_Write(FrameText)
                               : carriesWrite(SendQueue);
        if (write) {
            FrameText.clear();
            SendQueue.clear();
            SendLineNo = 0;
            Finish_Current();
            ++dropped;
        }
    }
    Raise_Pending();
    return dropped;
}

void Raise_Pending() {
    if (SendPending != SendPortFailed)
        SendPending = (SendTaken || !SendRequests.empty()) ? SendWaiting : SendIdle;
}

void Queue_Command(const QByteArray& frame) {
    if (isByteWrite(frame) && !SendRequests.empty()) {
        SendRequest& last = SendRequests.back();
        if (last.kind == SendKind::Command && last.elements.size() == 1 &&
            isByteWrite(last.elements[0]) && last.elements[0].left(2) == frame.left(2)) {
            last.elements[0] = frame;
            Raise_Pending();
            return;
        }
    }
    push({SendKind::Command, {frame}});
}

void Queue_Elements(std::vector<QByteArray> elements, SendKind kind) {
    push({kind == SendKind::QueueWithProgress ? SendKind::QueueWithProgress : SendKind::Queue,
          std::move(elements)});
}

void Request_Refresh() {
    if (SendRequests.empty() && SendTaken &&
        (SendSubState == Sub_State(SendKind::Refresh) ||
         SendSubState == Sub_State(SendKind::QueueWithProgress)))
        return; // the request in hand ends in a read-out already
    if (!SendRequests.empty()) {
        const SendKind last = SendRequests.back().kind;
        if (last == SendKind::Refresh || last == SendKind::QueueWithProgress) {
            Raise_Pending();
            return;
        }
    }
    push({SendKind::Refresh, {}});
}

int Requests_Outstanding() {
    return static_cast<int>(SendRequests.size()) + (SendTaken ? 1 : 0);
}

bool Take_Next() {
    if (SendRequests.empty())
        return false;
    SendRequest next = std::move(SendRequests.front());
    SendRequests.pop_front();
    SendSubState = Sub_State(next.kind);
    SendLineNo = 0;
    if (next.kind == SendKind::Command) {
        FrameText = next.elements.empty() ? QByteArray() : next.elements.front();
        SendQueue.clear();
    } else {
        SendQueue = std::move(next.elements);
    }
    SendTaken = true;
    return true;
}

void Finish_Current() {
    SendTaken = false;
    SendSubState = Sub_State(SendKind::Command);
    if (SendPending != SendPortFailed)
        SendPending = SendRequests.empty() ? SendIdle : SendWaiting;
}

} // namespace SendPath
