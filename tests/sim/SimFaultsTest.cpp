#include "SimFrames.h"
#include "sim/SimUnit.h"

#include <gtest/gtest.h>

using namespace simframes;
using sim::Unit;

namespace {

// Polls and reads in turn; returns how many of the n requests were answered.
int answered(Unit& unit, int n) {
    int count = 0;
    for (int i = 0; i < n; ++i)
        count += static_cast<int>(unit.feed(i % 2 ? read('9', 0, 128) : poll()).size());
    return count;
}

} // namespace

TEST(SimFaults, SilentAnswersNothingButStillTakesWrites) {
    Unit unit;
    unit.faults.silent = true;
    EXPECT_EQ(answered(unit, 6), 0);
    unit.feed(byteWrite('5', 0, 42));
    EXPECT_EQ(unit.byte(5, 0), 42);
    unit.faults.silent = false;
    EXPECT_EQ(answered(unit, 2), 2);
}

TEST(SimFaults, SilentAfterNReplies) {
    Unit unit;
    unit.faults.silentAfter = 3;
    EXPECT_EQ(answered(unit, 10), 3);
    EXPECT_EQ(unit.repliesSent(), 3);
}

TEST(SimFaults, PollsOnlyLeavesReadsUnanswered) {
    Unit unit;
    unit.faults.pollsOnly = true;
    EXPECT_EQ(unit.feed(read('8', 0, 128)).size(), 0u);
    const auto replies = unit.feed(poll());
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].size(), 18);
}

TEST(SimFaults, DropNextNThenAnswerAgain) {
    Unit unit;
    unit.faults.dropNext = 2;
    EXPECT_EQ(answered(unit, 2), 0);
    EXPECT_EQ(answered(unit, 3), 3);
    EXPECT_EQ(unit.faults.dropNext, 0);
    // Dropped polls still move the engine on.
    EXPECT_EQ(unit.polls(), 3);
}

TEST(SimFaults, DelayAndSplitAreHandedToTheServer) {
    Unit unit;
    unit.faults.delayNext = 1;
    unit.faults.delayMs = 250;
    unit.faults.splitPieces = 3;
    unit.faults.splitGapMs = 40;
    auto first = unit.respond(poll());
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].delayMs, 250);
    EXPECT_EQ(first[0].pieces, 3);
    EXPECT_EQ(first[0].gapMs, 40);
    EXPECT_EQ(first[0].bytes.size(), 18);
    auto second = unit.respond(poll());
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].delayMs, 0);
}

TEST(SimFaults, ReplyBytesChanged) {
    struct Case {
        const char* name;
        void (*set)(sim::Faults&);
        QByteArray request;
        std::function<void(const QByteArray& good, const QByteArray& bad)> check;
    };
    const std::vector<Case> cases = {
        {"garble poll", [](sim::Faults& f) { f.garble = true; }, poll(),
         [](const QByteArray& good, const QByteArray& bad) {
             EXPECT_EQ(bad.at(0), Unit::GarbledByte);
             EXPECT_EQ(bad.mid(1), good.mid(1));
         }},
        {"garble read", [](sim::Faults& f) { f.garble = true; }, read('8', 0, 128),
         [](const QByteArray& good, const QByteArray& bad) {
             EXPECT_EQ(bad.at(0), Unit::GarbledByte);
             EXPECT_EQ(bad.mid(1), good.mid(1));
         }},
        {"wrong address", [](sim::Faults& f) { f.wrongAddress = true; }, read('9', 128, 128),
         [](const QByteArray& good, const QByteArray& bad) {
             EXPECT_EQ(bad.at(0), '9');
             EXPECT_NE(at(bad, 1), 0);
             EXPECT_NE(at(bad, 1), 128);
             EXPECT_EQ(bad.mid(2), good.mid(2));
         }},
        {"wrong address leaves polls", [](sim::Faults& f) { f.wrongAddress = true; }, poll(),
         [](const QByteArray& good, const QByteArray& bad) { EXPECT_EQ(bad, good); }},
        {"short poll", [](sim::Faults& f) { f.shortBy = 1; }, poll(),
         [](const QByteArray& good, const QByteArray& bad) { EXPECT_EQ(bad, good.left(17)); }},
        {"short read", [](sim::Faults& f) { f.shortBy = 30; }, read(':', 128, 48),
         [](const QByteArray& good, const QByteArray& bad) { EXPECT_EQ(bad, good.left(20)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Unit good;
        Unit bad;
        c.set(bad.faults);
        const auto g = good.feed(c.request);
        const auto b = bad.feed(c.request);
        ASSERT_EQ(g.size(), 1u);
        ASSERT_EQ(b.size(), 1u);
        c.check(g[0], b[0]);
    }
}

TEST(SimFaults, WrongAddressNeverGivesAnotherReadsAddress) {
    Unit unit;
    unit.faults.wrongAddress = true;
    const int valid[] = {0, 32, 128, 204};
    for (const int start : valid) {
        const int echoed = at(unit.feed(read('8', start, 4)).at(0), 1);
        for (const int v : valid)
            EXPECT_NE(echoed, v) << start;
    }
}

TEST(SimFaults, LockBitWithoutChangingMemory) {
    Unit unit;
    unit.faults.locked = true;
    const QByteArray live = unit.feed(poll()).at(0);
    EXPECT_EQ(at(live, 14) & Unit::FlagLocked, Unit::FlagLocked);
    EXPECT_EQ(at(live, 14) & Unit::FlagMapA, Unit::FlagMapA);
    EXPECT_NE(at(unit.text(), 191), 170);
}

TEST(SimFaults, ToggleMapFlipsTheActiveSetEveryNthPoll) {
    Unit unit;
    unit.faults.toggleMapEvery = 3;
    std::vector<int> flags;
    for (int i = 0; i < 7; ++i)
        flags.push_back(at(unit.feed(poll()).at(0), 14) & Unit::FlagMapA);
    const int A = Unit::FlagMapA;
    EXPECT_EQ(flags, (std::vector<int>{A, A, 0, 0, 0, A, A}));
    // The set really changes: reads now reach map A's pages.
    EXPECT_EQ(unit.activeMap(), Unit::MapA);
}
