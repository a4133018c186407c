#include "link/ReplyBuffer.h"

#include "core/UnitImage.h"
#include "link/ReadOut.h"
#include "link/WtsUp.h"

#include <array>

namespace ReplyBuffer {

namespace {

constexpr int LiveLength = 18;

struct Read {
    char letter;
    int address;
    int count;
};

// Every read the read-out makes; the unit echoes letter and address.
constexpr std::array<Read, 10> Reads = {{
    {WtsUp::ReadParam, Idx_ParamLow, 128},
    {WtsUp::ReadParam, Idx_GlobalBase, 128},
    {WtsUp::ReadParam, Idx_MreReset1, 4},
    {WtsUp::ReadPage5, Idx_IgnMap, 128},
    {WtsUp::ReadPage5, Idx_AnaMap, 128},
    {WtsUp::ReadPage6, Idx_InjMap, 128},
    {WtsUp::ReadPage6, Idx_InjAmpCol, 48},
    {WtsUp::ReadText, Idx_DealerText, 32},
    {WtsUp::ReadText, Idx_ClearBase, 128},
    {WtsUp::ReadText, Idx_TextBlock, 128},
}};

bool pageLetter(char c) {
    return c == WtsUp::ReadParam || c == WtsUp::ReadPage5 || c == WtsUp::ReadPage6 ||
           c == WtsUp::ReadText;
}

struct State {
    QByteArray held;
    bool dropping = false; // bytes behind a stray one go until the line is quiet
    QByteArray dropped;
    long long arrived = 0; // bytes seen in all, to tell a quiet tick
    long long seenAtTick = 0;
    int quietTicks = 0;
    int ticksSinceSend = 0;
    int lineTimeMs = 0;
    int taking = 0;
};

State& state() {
    static State s;
    return s;
}

} // namespace

int Reply_Length(const QByteArray& front) {
    if (front.isEmpty())
        return -1;
    const char letter = front.at(0);
    if (letter == '1')
        return LiveLength;
    if (!pageLetter(letter))
        return 0;
    if (front.size() < 2)
        return -1;
    const int address = static_cast<unsigned char>(front.at(1));
    for (const Read& r : Reads)
        if (r.letter == letter && r.address == address)
            return r.count + 2;
    // An address no read asks for: as long as the read in hand, if it is one of
    // that page.
    const QByteArray asked = ReadOut::Outstanding_Request();
    if (asked.size() == 4 && asked.at(0) == letter)
        return static_cast<unsigned char>(asked.at(2)) + 2;
    return 0;
}

void Append(const QByteArray& bytes) {
    State& s = state();
    s.arrived += bytes.size();
    if (s.dropping)
        return;
    s.held += bytes;
}

std::optional<QByteArray> Take() {
    State& s = state();
    s.dropped.clear();
    const int length = Reply_Length(s.held);
    if (length < 0 || (length > 0 && s.held.size() < length))
        return std::nullopt;
    if (length == 0) {
        // No reply starts here: what is held, and the rest of whatever it was.
        s.dropped.swap(s.held);
        s.held.clear();
        s.dropping = true;
        return std::nullopt;
    }
    QByteArray reply;
    if (length == LiveLength && s.held.at(LiveLength - 1) != LiveEndByte) {
        // Not the live reply's shape: handled as the one delivery it came in.
        reply.swap(s.held);
        s.dropping = true;
        return reply;
    }
    reply = s.held.left(length);
    s.held.remove(0, length);
    return reply;
}

QByteArray Dropped() {
    return state().dropped;
}

int Missing() {
    const State& s = state();
    if (s.held.isEmpty())
        return 0;
    const int length = Reply_Length(s.held);
    if (length <= 0)
        return 1;
    return std::max(length - static_cast<int>(s.held.size()), 0);
}

bool Holding() {
    return !state().held.isEmpty();
}

void Request_Sent(int replyLength) {
    State& s = state();
    s.ticksSinceSend = 0;
    // The unit answers at once; the answer needs its bytes' time on the line.
    s.lineTimeMs = (replyLength * ByteLineUs + 999) / 1000;
}

bool Reply_On_Its_Way(int intervalMs, int waiting) {
    State& s = state();
    if (s.taking > 0)
        return false;
    ++s.ticksSinceSend;
    const long long seen = s.arrived + waiting;
    if (seen != s.seenAtTick)
        s.quietTicks = 0;
    else
        ++s.quietTicks;
    s.seenAtTick = seen;
    const int elapsedMs = s.ticksSinceSend * std::max(intervalMs, 1);
    if (elapsedMs < s.lineTimeMs)
        return true;
    const bool partial = !s.held.isEmpty() || waiting > 0 || s.dropping;
    // At least quietTicks whole intervals have passed without a byte.
    if (partial && s.quietTicks * std::max(intervalMs, 1) <= MaxPieceGapMs)
        return true;
    s.held.clear();
    s.dropping = false;
    return false;
}

Taking::Taking() {
    ++state().taking;
}

Taking::~Taking() {
    --state().taking;
}

void Clear() {
    State& s = state();
    s.held.clear();
    s.dropping = false;
    s.dropped.clear();
    s.quietTicks = 0;
    s.ticksSinceSend = 0;
    s.lineTimeMs = 0;
}

} // namespace ReplyBuffer
