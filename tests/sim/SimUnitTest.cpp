#include "sim/SimUnit.h"
#include "SimFrames.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace simframes;
using sim::Unit;

namespace {

// The RPM of a live reply as the program works it out.
int replyRpm(const QByteArray& live, int cylinders = 4) {
    const double period = at(live, 6) * 256 + at(live, 7) + at(live, 8) / 256.0;
    return period > 0 ? static_cast<int>(std::lround(4687500.0 / period / cylinders)) : 0;
}

QByteArray one(Unit& unit, const QByteArray& bytes) {
    const auto replies = unit.feed(bytes);
    EXPECT_EQ(replies.size(), 1u);
    return replies.empty() ? QByteArray() : replies.front();
}

} // namespace

TEST(SimUnit, FactoryImage) {
    const Unit unit;
    EXPECT_EQ(unit.activeMap(), Unit::MapA);
    EXPECT_EQ(unit.byte(4, 145), 4);
    // RPM break points 500 .. 8000 as periods at 224..255, high byte first.
    for (int n = 0; n < 16; ++n) {
        const int period = unit.byte(4, 224 + 2 * n) * 256 + unit.byte(4, 225 + 2 * n);
        EXPECT_NEAR(4687500.0 / 4 / period, 500.0 * (n + 1), 500.0 * (n + 1) / 200) << n;
    }
    for (int c = 1; c < 8; ++c)
        EXPECT_GT(unit.byte(4, 152 + c), unit.byte(4, 151 + c));
    EXPECT_EQ(unit.text().size(), 256);
    EXPECT_EQ(unit.text().mid(128, 16), QByteArray("Factory settings"));
    EXPECT_FALSE(unit.locked());
    // The two map sets differ.
    EXPECT_NE(unit.byte(6, 0, Unit::MapA), unit.byte(6, 0, Unit::MapB));
}

TEST(SimUnit, BlockRepliesEchoLetterAndAddress) {
    struct Case {
        char letter;
        int start;
        int count;
    };
    // Every read the program makes.
    const Case cases[] = {{'8', 0, 128},   {'8', 128, 128}, {'8', 204, 4},  {'9', 0, 128},
                          {'9', 128, 128}, {':', 0, 128},   {':', 128, 48}, {'@', 0, 32},
                          {'@', 32, 128},  {'@', 128, 128}};
    Unit unit;
    unit.setByte(4, 205, 77);
    unit.setByte(5, 130, 91);
    unit.setByte(6, 175, 33);
    unit.setText("Dealer", 0);
    for (const Case& c : cases) {
        const QByteArray reply = one(unit, read(c.letter, c.start, c.count));
        ASSERT_EQ(reply.size(), c.count + 2) << c.letter << c.start;
        EXPECT_EQ(reply.at(0), c.letter);
        EXPECT_EQ(at(reply, 1), c.start);
        for (int k = 0; k < c.count; ++k) {
            const int expected = c.letter == '@' ? at(unit.text(), c.start + k)
                                                 : unit.byte(c.letter - '8' + 4, c.start + k);
            ASSERT_EQ(at(reply, k + 2), expected) << c.letter << c.start << " k=" << k;
        }
    }
    EXPECT_EQ(at(one(unit, read('8', 204, 4)), 3), 77);
    EXPECT_EQ(at(one(unit, read('9', 128, 128)), 4), 91);
    EXPECT_EQ(at(one(unit, read(':', 128, 48)), 49), 33);
    EXPECT_EQ(one(unit, read('@', 0, 32)).mid(2, 6), QByteArray("Dealer"));
}

TEST(SimUnit, LiveReplyLayout) {
    Unit unit;
    unit.setEngine(6010, 150);
    // Cell column 4 (deflection 150 lies between 146 and 182), row 11 (6000 RPM).
    unit.setByte(5, 4 * 16 + 11, 0x81);       // ignition
    unit.setByte(5, 128 + 4 * 16 + 11, 0xF0); // analog mod -16
    unit.setByte(6, 4 * 16 + 11, 123);        // injection
    const QByteArray live = one(unit, poll());
    ASSERT_EQ(live.size(), 18);
    EXPECT_EQ(live.at(0), '1');
    EXPECT_EQ(at(live, 1), Unit::HardwareVersion);
    EXPECT_EQ(at(live, 4), 150);
    EXPECT_LT(at(live, 6), 128);
    EXPECT_NEAR(replyRpm(live), 6010, 1);
    EXPECT_EQ(at(live, 9), 0xF0);
    EXPECT_EQ(at(live, 10), 123);
    EXPECT_EQ(at(live, 11), 0x81);
    EXPECT_EQ(at(live, 12), 0x4B);
    EXPECT_EQ(at(live, 5), std::max(at(live, 2) - 16, 0)); // analog out = in + mod
    EXPECT_EQ(at(live, 14), Unit::FlagMapA);
    EXPECT_EQ(at(live, 17), Unit::LiveEndByte);
    const int ampRow = at(live, 13) & 15;
    EXPECT_EQ(ampRow, at(live, 16) / 17); // AMP table 0, 17, 34, ...
    EXPECT_EQ(unit.polls(), 1);
}

TEST(SimUnit, LiveCellFollowsTheUnitsBreakPoints) {
    struct Case {
        int rpm;
        int deflection;
        int cell;
    };
    const Case cases[] = {{400, 0, 0x00},    {990, 35, 0x00},   {1000, 37, 0x11},
                          {7999, 254, 0x6E}, {9000, 255, 0x7F}, {3000, 110, 0x35}};
    Unit unit;
    for (const Case& c : cases) {
        unit.setEngine(c.rpm, c.deflection);
        EXPECT_EQ(at(one(unit, poll()), 12), c.cell) << c.rpm << " " << c.deflection;
    }
    // A stopped engine sends period 0.
    unit.setEngine(0, 0);
    const QByteArray stopped = one(unit, poll());
    EXPECT_EQ(stopped.mid(6, 3), bytes({0, 0, 0}));
    // A pinned cell wins over the engine.
    unit.setLiveCell(0x5A);
    EXPECT_EQ(at(one(unit, poll()), 12), 0x5A);
}

TEST(SimUnit, EngineIdlesRevsAndLoadsUp) {
    Unit unit;
    std::vector<QByteArray> lives;
    for (int i = 0; i < sim::Engine::CyclePolls; ++i)
        lives.push_back(one(unit, poll()));
    int maxRpm = 0, maxLoad = 0, minRpm = 100000;
    for (const QByteArray& live : lives) {
        ASSERT_EQ(live.size(), 18);
        EXPECT_LT(at(live, 12) >> 4, 8);
        maxRpm = std::max(maxRpm, replyRpm(live));
        minRpm = std::min(minRpm, replyRpm(live));
        maxLoad = std::max(maxLoad, at(live, 4));
    }
    EXPECT_NEAR(replyRpm(lives[0]), sim::Engine::IdleRpm, 15);
    EXPECT_LT(at(lives[0], 4), 30);
    EXPECT_GT(maxRpm, 5500);
    EXPECT_GT(maxLoad, 200);
    EXPECT_GT(minRpm, 700);
    // Deterministic: a second unit gives the same readings poll for poll.
    Unit again;
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(one(again, poll()), lives[static_cast<size_t>(i)]);
    // The engine warms up.
    EXPECT_GT(sim::Engine::at(3000).engineTemp, sim::Engine::at(0).engineTemp);
}

TEST(SimUnit, WritesReachTheRightPageAndBank) {
    Unit unit;
    unit.feed(byteWrite('4', 200, 9) + byteWrite('5', 3, 0) + byteWrite('6', 255, 254));
    EXPECT_EQ(unit.byte(4, 200), 9);
    EXPECT_EQ(unit.byte(5, 3), 0);
    EXPECT_EQ(unit.byte(6, 255), 254);

    unit.feed(select(0)); // map B
    ASSERT_EQ(unit.activeMap(), Unit::MapB);
    const int aBefore = unit.byte(5, 16, Unit::MapA);
    EXPECT_TRUE(
        unit.feed(row('=', 16, 50) + row('>', 160, 70, 1, false) + row('<', 224, 1)).empty());
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(unit.byte(5, 16 + k, Unit::MapB), 50 + k);
        EXPECT_EQ(unit.byte(6, 160 + k, Unit::MapB), 70 + k);
        EXPECT_EQ(unit.byte(4, 224 + k), 1 + k); // page 4 is shared by both sets
    }
    EXPECT_EQ(unit.byte(5, 16, Unit::MapA), aBefore);

    unit.feed(select(1)); // back to map A: its own pages again
    EXPECT_EQ(unit.activeMap(), Unit::MapA);
    EXPECT_EQ(unit.byte(5, 16), aBefore);
    EXPECT_EQ(at(one(unit, read('9', 16, 1)), 2), aBefore);
    unit.feed(select(0));
    EXPECT_EQ(at(one(unit, read('9', 16, 1)), 2), 50);
}

TEST(SimUnit, TextWritesIncludingShortOnes) {
    Unit unit;
    unit.feed(text(128, "Sixteen chars!!!") + text(208, "WD") + text(48, QByteArray(16, '\xff')));
    EXPECT_EQ(unit.text().mid(128, 16), QByteArray("Sixteen chars!!!"));
    EXPECT_EQ(unit.text().mid(208, 2), QByteArray("WD"));
    EXPECT_EQ(unit.text().at(210), ' '); // the rest of the name is left as it was
    EXPECT_EQ(unit.text().mid(48, 16), QByteArray(16, '\xff'));
}

TEST(SimUnit, MapSelectShowsInTheStatusFlags) {
    Unit unit;
    EXPECT_EQ(at(one(unit, poll()), 14) & Unit::FlagMapA, Unit::FlagMapA);
    unit.feed(select(0));
    EXPECT_EQ(at(one(unit, poll()), 14) & Unit::FlagMapA, 0);
    // The set frame of the clear-unit sequence picks the set too; other values
    // are the speed governor.
    unit.feed(set(1));
    EXPECT_EQ(unit.activeMap(), Unit::MapA);
    unit.feed(set(0));
    EXPECT_EQ(unit.activeMap(), Unit::MapB);
    unit.feed(set(200));
    EXPECT_EQ(unit.activeMap(), Unit::MapB);
    EXPECT_EQ(unit.speedGovernor(), 200);
    // A reset keeps the memory and the map.
    unit.feed(select(255));
    EXPECT_EQ(unit.resets(), 1);
    EXPECT_EQ(unit.activeMap(), Unit::MapB);
}

TEST(SimUnit, NoTuneLocksUntilTheFlagIsWrittenOff) {
    Unit unit;
    unit.feed(noTune());
    EXPECT_TRUE(unit.locked());
    EXPECT_EQ(at(one(unit, poll()), 14) & Unit::FlagLocked, Unit::FlagLocked);
    // A download whose description ends in 255 unlocks it.
    unit.feed(text(176, QByteArray(15, ' ') + '\xff'));
    EXPECT_FALSE(unit.locked());
    EXPECT_EQ(at(one(unit, poll()), 14) & Unit::FlagLocked, 0);
}

TEST(SimUnit, EveryFrameIsRecordedAndWritesGetNoReply) {
    Unit unit;
    const auto replies = unit.feed(byteWrite('4', 1, 1) + row('<', 0, 0) + select(1) + set(0));
    EXPECT_TRUE(replies.empty());
    ASSERT_EQ(unit.frames().size(), 4u);
    EXPECT_EQ(unit.frames()[1], row('<', 0, 0).left(19));
    unit.clearFrames();
    EXPECT_TRUE(unit.frames().empty());
}
