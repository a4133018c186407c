#pragma once

#include <QByteArray>

#include <vector>

namespace sim {

// Cuts the byte stream the program writes into whole frames. Bytes arrive in any
// chunking: a frame may be split over several reads and one read may hold several
// frames. The NUL padding the program sends after some frames is skipped.
//
// Every frame ends with CR. Polls, reads, byte writes, map selects and set frames
// are 4 bytes (letter, two bytes, CR). Row and text writes are 19 bytes (letter,
// address, 16 data bytes, CR); a text or identifier row may carry fewer data
// bytes, and then it is always followed by padding, so a short form is taken only
// when the full length does not end with CR.
class FrameReader {
public:
    // Appends bytes and returns every frame completed by them, in order.
    std::vector<QByteArray> push(const QByteArray& bytes);
    // Bytes held back because their frame is not complete yet.
    const QByteArray& pending() const { return buffer_; }
    // Bytes dropped because they could not start a frame.
    int discarded() const { return discarded_; }

    static constexpr char CR = '\r';
    static constexpr int ShortFrameLength = 4;
    static constexpr int RowFrameLength = 19;
    static bool isShortFrameLetter(char letter);
    static bool isRowFrameLetter(char letter);

private:
    enum class Cut { Frame, NeedMore, Garbage };
    Cut cut(int& length) const;
    bool skipThroughCr();

    QByteArray buffer_;
    int discarded_ = 0;
    bool skipping_ = false; // dropping a stray sequence up to its CR
};

} // namespace sim
