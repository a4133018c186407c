#pragma once

// The bytes of the unit's replies as the line delivers them, cut back into
// replies. An adapter may hand a reply over in pieces with pauses between them,
// or several replies in one read; the reply carries no length, so its length is
// known from its first bytes: '1' is the 18-byte live reply (ending with CR), a
// page letter with one of the read-out's start addresses is the count that read
// asks for plus the two echo bytes.
//
// The receive handler appends what it reads and takes whole replies off the
// front; the timer asks, once a tick, whether a reply is still on its way before
// it sends a request again, so that no request overtakes the answer to the
// previous one. Bytes that start no reply are dropped, and so is whatever comes
// behind them until the line falls quiet; a reply that stops arriving part-way
// is dropped once it stayed quiet for longer than an adapter pauses.

#include <QByteArray>
#include <optional>

namespace ReplyBuffer {

// Longest pause between two pieces of one reply that is still waited for.
inline constexpr int MaxPieceGapMs = 100;
// The line's time for one byte: 10 bits at 19200 bit/s, in microseconds.
inline constexpr int ByteLineUs = 1000000 * 10 / 19200;
// The live reply's last byte.
inline constexpr char LiveEndByte = '\r';

// The length of the reply that starts with these bytes: 0 when the first byte
// starts no reply, -1 while too few bytes are there to tell.
int Reply_Length(const QByteArray& front);

// Bytes read from the serial control. While bytes behind a stray one are being
// dropped, they go too.
void Append(const QByteArray& bytes);
// The next whole reply off the front, or nothing while the front one is still
// incomplete. A first byte that starts no reply drops everything held
// (Dropped() then holds them); a live reply without its end byte is taken
// together with everything held behind it, as the one delivery it seems to be.
std::optional<QByteArray> Take();
// The bytes the last Take dropped as stray (empty if none).
QByteArray Dropped();
// Bytes the reply at the front still lacks; 0 when nothing is held.
int Missing();
bool Holding();

// A request went out whose answer is replyLength bytes long.
void Request_Sent(int replyLength);
// Once per tick of the timer at intervalMs, with the bytes that wait unread in
// the serial control: true while an answer may still be arriving (its line time
// has not passed since the request, or bytes of it keep coming). Once false,
// whatever is held is stale and the caller throws the control's input away.
bool Reply_On_Its_Way(int intervalMs, int waiting);

// While the receive handler takes replies: a tick it runs sends the next request
// at once, whatever is held behind the reply just taken (that belongs to a later
// answer or to none).
class Taking {
public:
    Taking();
    ~Taking();
    Taking(const Taking&) = delete;
    Taking& operator=(const Taking&) = delete;
};

// Everything held goes (going on-line, the port opened again, play-back).
void Clear();

} // namespace ReplyBuffer
