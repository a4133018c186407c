#include "sim/SimFrameReader.h"

namespace sim {

bool FrameReader::isShortFrameLetter(char letter) {
    switch (letter) {
    case '1': // poll
    case '2': // set frame
    case '3': // map select and reset
    case '4': // byte writes of pages 4, 5, 6
    case '5':
    case '6':
    case '8': // reads of pages 4, 5, 6 and the text area
    case '9':
    case ':':
    case '@':
        return true;
    default:
        return false;
    }
}

bool FrameReader::isRowFrameLetter(char letter) {
    return letter == '<' || letter == '=' || letter == '>' || letter == 'A';
}

std::vector<QByteArray> FrameReader::push(const QByteArray& bytes) {
    buffer_.append(bytes);
    std::vector<QByteArray> frames;
    for (;;) {
        if (skipping_ && !skipThroughCr())
            break;
        int skip = 0;
        while (skip < buffer_.size() && buffer_.at(skip) == '\0')
            ++skip;
        buffer_.remove(0, skip);
        if (buffer_.isEmpty())
            break;
        int length = 0;
        const Cut result = cut(length);
        if (result == Cut::NeedMore)
            break;
        if (result == Cut::Garbage) {
            // Drop the byte that starts no frame, then the rest of its sequence.
            buffer_.remove(0, 1);
            ++discarded_;
            skipping_ = true;
            continue;
        }
        frames.push_back(buffer_.left(length));
        buffer_.remove(0, length);
    }
    return frames;
}

FrameReader::Cut FrameReader::cut(int& length) const {
    const char letter = buffer_.at(0);
    if (isShortFrameLetter(letter)) {
        if (buffer_.size() < ShortFrameLength)
            return Cut::NeedMore;
        if (buffer_.at(ShortFrameLength - 1) != CR)
            return Cut::Garbage;
        length = ShortFrameLength;
        return Cut::Frame;
    }
    if (isRowFrameLetter(letter)) {
        if (buffer_.size() < RowFrameLength)
            return Cut::NeedMore;
        if (buffer_.at(RowFrameLength - 1) == CR) {
            length = RowFrameLength;
            return Cut::Frame;
        }
        // A shorter text: its CR is followed by padding, which reaches past
        // the place where the CR of a full frame would be.
        const int cr = buffer_.indexOf(CR, 2);
        if (cr < 0 || cr >= RowFrameLength - 1)
            return Cut::Garbage;
        length = cr + 1;
        return Cut::Frame;
    }
    return Cut::Garbage;
}

// A sequence that starts no frame is dropped up to and including the next CR,
// the end of whatever it was, so the reader falls back into step with the frames
// instead of taking data bytes for letters. Returns false while the CR is still to
// come (everything held so far is dropped).
bool FrameReader::skipThroughCr() {
    const int cr = buffer_.indexOf(CR);
    if (cr < 0) {
        discarded_ += buffer_.size();
        buffer_.clear();
        return false;
    }
    discarded_ += cr + 1;
    buffer_.remove(0, cr + 1);
    skipping_ = false;
    return true;
}

} // namespace sim
