#include "ReceiveTestSupport.h"

#include "link/ReadOut.h"
#include "link/SendPath.h"
#include "link/WtsUp.h"
#include "tests/support/CaseNames.h"

namespace {

QByteArray read(char letter, int address, int count) {
    return WtsUp::Read_Frame(letter, address, count);
}

// The requests of a whole read-out, in order.
const std::vector<QByteArray> FullReadOut = {
    read('8', 0, 128),   read('8', 128, 128), read('8', 204, 4),  read('9', 0, 128),
    read('9', 128, 128), read(':', 0, 128),   read(':', 128, 48), read('@', 0, 32),
    read('@', 32, 128),  read('@', 128, 128),
};

// What the timer state and the progress showed as each frame went out.
struct Seen {
    QByteArray frame;
    int status;
    int bar;
    QString text;
};

class ReadOutTest : public SimReceiveTest {
protected:
    ReadOutTest() {
        link->Comm1.setDevice(std::make_unique<InProcessDevice>([this](const QByteArray& b) {
            seen.push_back({b, CommStatus, Progress().value(), Progress().text()});
            if (beforeFeed)
                beforeFeed(b);
            std::vector<QByteArray> replies = sim.feed(b);
            produced += replies.size();
            return replies;
        }));
        dev = static_cast<InProcessDevice*>(&link->Comm1.device());
        Scramble(sim, 6);
        Map6Image[200] = 77; // beyond what page 6 is read for
    }

    // The unit image and texts hold what the unit holds for this map set.
    void expectImageOf(int bank) {
        EXPECT_EQ(Image_Bytes(ParamBlock, 128, 255), Unit_Bytes(sim, 4, 128, 255, bank));
        EXPECT_EQ(Image_Bytes(Map5Image, 0, 255), Unit_Bytes(sim, 5, 0, 255, bank));
        EXPECT_EQ(Image_Bytes(Map6Image, 0, 175), Unit_Bytes(sim, 6, 0, 175, bank));
        EXPECT_EQ(Map6Image[200], 77) << "page 6 is read up to 175 only";
        const QByteArray text = sim.text();
        const int idBase = bank == sim::Unit::MapA ? 0 : 64;
        EXPECT_EQ(MapId, QString::fromLatin1(Unit_Bytes(sim, 4, idBase, idBase + 63, bank)));
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(TestDates[static_cast<std::size_t>(i)],
                      QString::fromLatin1(text.mid(32 + 16 * i, 16)));
        EXPECT_EQ(MapDscr, QString::fromLatin1(text.mid(128, 63)));
        EXPECT_EQ(WiringDiagramName, QString::fromLatin1(text.mid(208, 16)));
    }
    int count(const QByteArray& frame) const {
        return static_cast<int>(std::count(sim.frames().begin(), sim.frames().end(), frame));
    }
    // Live polling: 10, or 11 right after a live reply was taken.
    bool polling() const { return UnitOnline == 1 && (CommStatus == 10 || CommStatus == 11); }

    std::vector<Seen> seen;
    std::function<void(const QByteArray&)> beforeFeed;
};

TEST_F(ReadOutTest, CopiesTheUnitIntoTheImageInOrder) {
    sim.setText(QByteArray("  Tuner Shop") + QByteArray(20, '\0'), 0);
    connect();
    EXPECT_EQ(reads(), FullReadOut);
    EXPECT_EQ(sim.frames().back(), WtsUp::Poll_Frame()) << "the closing poll";
    expectImageOf(sim::Unit::MapA);
    EXPECT_EQ(UserName, "Tuner Shop");
    EXPECT_EQ(UnitOnline, 1);
    EXPECT_EQ(MapLoaded, -1);
    EXPECT_EQ(CommStatus, 10);

    // The timer's request states and the bar as each request went out.
    std::vector<std::pair<int, int>> steps;
    for (const Seen& s : seen)
        steps.push_back({s.status, s.bar});
    const std::vector<std::pair<int, int>> expected = {
        {0, 0},  {1, 0},  {2, 12}, {2, 12}, {3, 24}, {4, 36},
        {5, 48}, {6, 60}, {7, 72}, {7, 72}, {8, 84}, {9, 96},
    };
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(seen[5].text, "Uploading Data");
    EXPECT_FALSE(Progress().loaded()) << "the progress window is gone";
    EXPECT_EQ(StatusMsg, "");

    const QStringList end = {"map button=1",  "caption of frmMain",
                             "arrange_table", "Set_RPM_Indication_BAR",
                             "tab=1",         "Arrange_NoTUNE=1"};
    QStringList got;
    for (const QString& c : recorder.calls)
        if (end.contains(c))
            got << c;
    EXPECT_EQ(got, end);
}

TEST_F(ReadOutTest, LivePollingFollowsWithReadings) {
    connect();
    recorder.calls.clear();
    const int polls = sim.polls();
    poll(5);
    EXPECT_EQ(sim.polls(), polls + 5);
    EXPECT_EQ(UnitVersion, sim::Unit::HardwareVersion);
    EXPECT_EQ(recorder.count("Text_Values"), 5);
    EXPECT_EQ(reads().size(), FullReadOut.size()) << "no page is read again";
}

TEST_F(ReadOutTest, MapBGivesItsIdAndPages) {
    sim.setActiveMap(sim::Unit::MapB);
    MapTab = 3;
    connect();
    expectImageOf(sim::Unit::MapB);
    EXPECT_TRUE(recorder.has("map button=2"));
    EXPECT_TRUE(recorder.has("tab=3"));
}

TEST_F(ReadOutTest, TaskTextOfTheCallerStays) {
    StatusMsg = QStringLiteral("Uploading Map A");
    connect();
    ASSERT_GE(seen.size(), 6u);
    EXPECT_EQ(seen[5].text, "Uploading Map A");
    EXPECT_EQ(StatusMsg, "");
}

TEST_F(ReadOutTest, BlankOwnerTextLeavesTheCaptionToTheDealer) {
    sim.setText(QByteArray(32, '\xFF'), 0);
    connect();
    EXPECT_EQ(UserName, "");
}

TEST_F(ReadOutTest, HighestSpeedRecord) {
    struct Case {
        int high, low, cylinders, rpm;
    };
    for (const Case& c :
         {Case{100, 0, 4, 11719}, Case{40, 0, 4, 23438}, Case{255, 0, 4, 0}, Case{254, 0, 4, 4614},
          Case{254, 255, 4, 0}, Case{100, 128, 6, 7774}, Case{100, 0, 0, 11719}}) {
        ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(c.cylinders);
        EXPECT_EQ(ReadOut::Max_Rpm_Of_Record(c.high, c.low), c.rpm) << c.high << "," << c.low;
    }
    sim.setByte(4, 204, 100);
    sim.setByte(4, 205, 0);
    connect();
    EXPECT_EQ(MaxRpmSeen, 11719);
    EXPECT_EQ(ParamBlock[204], 100) << "the record stays in the image";
}

TEST_F(ReadOutTest, LockedUnitShowsNoTuneAndGoesStraightToPolling) {
    sim.faults.locked = true;
    connect();
    EXPECT_EQ(reads(), std::vector<QByteArray>(FullReadOut.begin(), FullReadOut.begin() + 2));
    EXPECT_EQ(Image_Bytes(ParamBlock, 128, 255), Unit_Bytes(sim, 4, 128, 255, sim::Unit::MapA));
    EXPECT_EQ(Map5Image[0], 0) << "no map page is read";
    EXPECT_EQ(Progress().value(), 88);
    EXPECT_EQ(Progress().text(), "NO TUNE Enabled");
    EXPECT_EQ(StatusMsg, "NO TUNE Enabled");
    EXPECT_EQ(Progress().timeMeInterval(), 3000);
    EXPECT_TRUE(Progress().timeMeEnabled());
    EXPECT_TRUE(recorder.has("Arrange_NoTUNE=0"));
    EXPECT_TRUE(recorder.has("tab=1"));
    EXPECT_EQ(UnitOnline, 1);
    EXPECT_EQ(MapLoaded, -1);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().frame, WtsUp::Poll_Frame());

    // The readouts are written once, at the end: named, their values not given.
    EXPECT_EQ(recorder.calls.count("Withhold_Readings"), 1);
    poll(3);
    EXPECT_EQ(LiveRpm, 0) << "a locked unit's readings are not taken";
    EXPECT_EQ(recorder.calls.count("Withhold_Readings"), 1);
    EXPECT_EQ(recorder.calls.count("Text_Values"), 0);
    EXPECT_EQ(reads().size(), 2u);
}

TEST_F(ReadOutTest, ChangeOfActiveMapReadsTheUnitOnceMore) {
    connect();
    poll(3);
    EXPECT_EQ(count(FullReadOut[0]), 1);
    sim.setActiveMap(sim::Unit::MapB); // the map switch on the car
    poll(6);
    EXPECT_EQ(count(FullReadOut[0]), 2);
    EXPECT_TRUE(polling());
    expectImageOf(sim::Unit::MapB);
    poll(10);
    EXPECT_EQ(count(FullReadOut[0]), 2) << "exactly one re-read";
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0);
}

TEST_F(ReadOutTest, UserRequestRaisedDuringTheReadOutWaitsAndIsSent) {
    beforeFeed = [](const QByteArray& frame) {
        if (frame == FullReadOut[4])
            SendPath::Queue_Command(WtsUp::Map_Select_Frame(255));
    };
    connect();
    beforeFeed = nullptr;
    poll(2);
    EXPECT_EQ(sim.resets(), 1);
    EXPECT_EQ(reads().size(), FullReadOut.size() + 1);
}

// A fault of the line, at the first, the third or the seventh request of the
// read-out.
struct FaultCase {
    const char* what;
    std::function<void(sim::Faults&)> set;
    std::size_t at; // the request of FullReadOut the fault starts at
    std::string name;
};

std::vector<FaultCase> faultCases() {
    const std::pair<const char*, std::function<void(sim::Faults&)>> faults[] = {
        {"short", [](sim::Faults& f) { f.shortBy = 1; }},
        {"wrong address", [](sim::Faults& f) { f.wrongAddress = true; }},
        {"garbled", [](sim::Faults& f) { f.garble = true; }},
        {"lost", [](sim::Faults& f) { f.dropNext = 2; }},
    };
    std::vector<FaultCase> cases;
    for (const auto& [what, set] : faults)
        for (const std::size_t at : {0u, 2u, 6u})
            cases.push_back({what, set, at, Case_Name(what) + "AtRequest" + std::to_string(at)});
    return cases;
}

class FaultyReply : public ReadOutTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultyReply, OnTheWayLeavesTheLinkWorking) {
    const FaultCase& c = GetParam();
    const QByteArray faultAt = FullReadOut[c.at];
    int faultyTicks = -1;
    beforeFeed = [&](const QByteArray& frame) {
        if (frame == faultAt && faultyTicks < 0) {
            c.set(sim.faults);
            faultyTicks = 0;
        }
    };
    startOnline();
    tick();
    settle();
    for (int i = 0; i < 200 && !polling(); ++i) {
        if (faultyTicks >= 0 && ++faultyTicks == 4)
            sim.faults = {}; // the line is good again
        tick();
        settle();
    }
    beforeFeed = nullptr;
    EXPECT_TRUE(polling()) << c.what << " at " << faultAt.toHex().toStdString();
    EXPECT_EQ(OnlineState, "Online") << c.what;
    expectImageOf(sim::Unit::MapA);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultyReply, ::testing::ValuesIn(faultCases()), By_Case_Name());

TEST_F(ReadOutTest, EngineOutsideTheMapsLeavesNoLiveCell) {
    connect();
    sim.setLiveCell(0x93);
    poll(1);
    EXPECT_EQ(LiveMapCell, NoLiveCell);
    EXPECT_EQ(Reading11, 3);
    EXPECT_FALSE(Has_Live_Cell());
    sim.setLiveCell(0x25);
    poll(1);
    EXPECT_EQ(LiveMapCell, 0x25);
    EXPECT_TRUE(Has_Live_Cell());
}

} // namespace
