// The read-out and live polling against the simulated unit when the line hands
// the replies over as an adapter does: in pieces, several at once, behind a
// stray byte, and twice when a request went out twice.

#include "ReceiveTestSupport.h"

namespace {

class ReplyPieces : public LinkTest {
protected:
    ReplyPieces() {
        auto device = std::make_unique<InProcessDevice>([this](const QByteArray& b) {
            for (const QByteArray& r : sim.feed(b))
                line += r;
            return std::vector<QByteArray>{};
        });
        dev = device.get();
        link->Comm1.setDevice(std::move(device));
        Record_Receive_Hooks(recorder);
        Scramble(sim, 21);
    }

    // What the unit has put on the line, handed over in pieces of `piece` bytes.
    void handOver(int piece) {
        while (!line.isEmpty()) {
            const QByteArray bytes = line.left(piece);
            line.remove(0, bytes.size());
            dev->received(bytes);
        }
    }

    // Ticks, the unit's answers handed over after each, until the read-out is
    // done and `polls` live replies were taken after it.
    bool runUntilPolled(int piece, int polls, const std::function<void(int)>& disturb = {}) {
        int taken = 0;
        Hooks().Text_Values = [&] { ++taken; };
        for (int round = 0; round < 400; ++round) {
            tick();
            if (disturb)
                disturb(round);
            handOver(piece);
            if (UnitOnline == 1 && taken >= polls)
                return true;
        }
        return false;
    }

    void expectImageIsTheUnits() {
        EXPECT_EQ(Image_Bytes(ParamBlock, 128, 255), Unit_Bytes(sim, 4, 128, 255));
        EXPECT_EQ(Image_Bytes(Map5Image, 0, 255), Unit_Bytes(sim, 5, 0, 255));
        EXPECT_EQ(Image_Bytes(Map6Image, 0, 175), Unit_Bytes(sim, 6, 0, 175));
        EXPECT_EQ(MapDscr, QString::fromLatin1(sim.text().mid(128, 63)));
    }

    // Page reads the unit received.
    int pageReads() const {
        int n = 0;
        for (const QByteArray& f : sim.frames())
            n += f.at(0) != '1' ? 1 : 0;
        return n;
    }

    sim::Unit sim;
    QByteArray line;
};

// 1: byte by byte; 7, 50: pieces cutting across replies; 400: several replies in
// one read.
class ReadOutInPieces : public ReplyPieces, public ::testing::WithParamInterface<int> {};

TEST_P(ReadOutInPieces, OrSeveralRepliesAtOnce) {
    const int piece = GetParam();
    startOnline();
    sim.clearFrames();
    EXPECT_TRUE(runUntilPolled(piece, 5)) << piece << ": CommStatus " << CommStatus;
    expectImageIsTheUnits();
    EXPECT_EQ(OnlineState, "Online") << piece;
    EXPECT_LT(bad_cnt, 20) << piece;
    EXPECT_EQ(pageReads(), 10) << piece << ": every page asked for once";
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReadOutInPieces, ::testing::Values(1, 7, 50, 400),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "PiecesOf" + std::to_string(info.param);
                         });

TEST_F(ReplyPieces, LateDuplicateAndStrayRepliesLeaveTheReadOutInStep) {
    startOnline();
    sim.clearFrames();
    int disturbed = 0;
    int askedTwice = 0;
    const bool done = runUntilPolled(9, 8, [&](int round) {
        switch (round % 3) {
        case 0:
            // The answer is late: the timer asks again before it is in, and the
            // unit answers both.
            if (UnitOnline == 0 && CommStatus >= 1 && CommStatus <= 9)
                ++askedTwice;
            tick();
            ++disturbed;
            break;
        case 1:
            line.prepend("Z"); // a stray byte before the answer
            ++disturbed;
            break;
        default:
            break;
        }
    });
    EXPECT_TRUE(done) << "CommStatus " << CommStatus;
    EXPECT_GT(disturbed, 5);
    expectImageIsTheUnits();
    EXPECT_EQ(OnlineState, "Online") << "resynchronised without a reconnect";
    EXPECT_LE(pageReads(), 10 + askedTwice) << "no page asked for again but the late ones";
}

} // namespace

namespace {

class StalledReadOut : public SimReceiveTest {
protected:
    // On-line, the unit answers the first poll and the first page, then nothing.
    void stall() {
        MapLoaded = -1;
        sim.faults.silentAfter = 2;
        startOnline();
        tick();
        settle();
        tick(3);
        ASSERT_TRUE(Progress().loaded()) << "Uploading Data";
        ASSERT_EQ(UnitOnline, 0);
    }
};

TEST_F(StalledReadOut, GoingOffLineClosesTheProgressWindow) {
    stall();
    link->mnuOffline_Click();
    EXPECT_FALSE(Progress().loaded());
    EXPECT_TRUE(StatusMsg.isEmpty());
}

TEST_F(StalledReadOut, GivingUpAfterTheReconnectClosesTheProgressWindow) {
    stall();
    for (int i = 0; i < 200 && OnlineState != QLatin1String("Offline"); ++i)
        tick();
    ASSERT_EQ(OnlineState, "Offline");
    EXPECT_FALSE(Progress().loaded());
}

} // namespace
