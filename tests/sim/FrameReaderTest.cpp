#include "SimFrames.h"
#include "sim/SimFrameReader.h"

#include <gtest/gtest.h>

using namespace simframes;
using sim::FrameReader;

namespace {

std::vector<QByteArray> pushInChunks(FrameReader& reader, const QByteArray& stream, int chunk) {
    std::vector<QByteArray> frames;
    for (int i = 0; i < stream.size(); i += chunk) {
        for (QByteArray& f : reader.push(stream.mid(i, chunk)))
            frames.push_back(std::move(f));
    }
    return frames;
}

// A stream with every kind of frame, padding where the program pads.
QByteArray mixedStream() {
    return poll() + row('<', 128, 0) + byteWrite('5', 10, 0) + text(208, "WIRING-1") +
           read('8', 0, 128) + row('>', 0, 13, 0, false) + noTune() + select(255) +
           text(128, "Sixteen chars!!!");
}

std::vector<QByteArray> mixedFrames() {
    return {poll(),
            row('<', 128, 0).left(19),
            byteWrite('5', 10, 0),
            QByteArray("A\xd0WIRING-1\r"),
            read('8', 0, 128),
            row('>', 0, 13, 0, false),
            bytes({'2', 'U', 0, '\r'}),
            select(255),
            QByteArray("A\x80Sixteen chars!!!\r")};
}

} // namespace

TEST(FrameReader, SameFramesWhateverTheChunking) {
    for (const int chunk : {1, 2, 3, 7, 19, 50, 1000}) {
        FrameReader reader;
        EXPECT_EQ(pushInChunks(reader, mixedStream(), chunk), mixedFrames()) << "chunk " << chunk;
        EXPECT_TRUE(reader.pending().isEmpty());
        EXPECT_EQ(reader.discarded(), 0);
    }
}

TEST(FrameReader, IncompleteFrameWaitsForTheRest) {
    FrameReader reader;
    const QByteArray r = row('=', 16, 100);
    EXPECT_TRUE(reader.push(r.left(18)).empty());
    EXPECT_EQ(reader.pending().size(), 18);
    const auto frames = reader.push(r.mid(18));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], r.left(19));
}

TEST(FrameReader, NulAndCrBytesInsideDataAreData) {
    // A row of CRs and NULs, then a byte write of 0 and one of 13.
    FrameReader reader;
    QByteArray crRow = bytes({'=', 0});
    for (int k = 0; k < 16; ++k)
        crRow.append(k % 2 ? '\r' : '\0');
    crRow.append('\r');
    const QByteArray stream =
        crRow + padding() + byteWrite('6', 0, 0) + byteWrite('6', 13, 13) + poll();
    const auto frames = reader.push(stream);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0], crRow);
    EXPECT_EQ(frames[1], byteWrite('6', 0, 0));
    EXPECT_EQ(frames[2], byteWrite('6', 13, 13));
    EXPECT_EQ(frames[3], poll());
}

TEST(FrameReader, EmptyTextFrameWithPadding) {
    FrameReader reader;
    const auto frames = reader.push(text(208, "") + poll());
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], bytes({'A', 208, '\r'}));
    EXPECT_EQ(frames[1], poll());
}

TEST(FrameReader, StraySequenceIsDroppedThroughItsCr) {
    // A row without its letter, as a clear-unit line of an unknown type gives,
    // holds bytes that look like letters; none of it may become a frame.
    FrameReader reader;
    QByteArray stray =
        bytes({0x40, 'A', '<', '1', 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19});
    stray.append('\r');
    const auto frames = reader.push(stray + padding() + poll());
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], poll());
    EXPECT_EQ(reader.discarded(), stray.size());
}

TEST(FrameReader, BadFourByteFrameIsDropped) {
    FrameReader reader;
    const auto frames = reader.push(bytes({'1', 0, 16, 'x', '\r'}) + poll());
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], poll());
}
