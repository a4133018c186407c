#include "ReceiveTestSupport.h"

#include "link/LiveLog.h"
#include "link/ReadOut.h"
#include "link/SendPath.h"
#include "link/WtsUp.h"

#include <map>

namespace {

const QByteArray Poll("1\0\x10\r", 4);

// An 18-byte live reply: version 3, map A active, end byte CR, every other byte 0
// unless given (positions 1-based, as the unit numbers them).
QByteArray live(const std::map<int, int>& bytes = {}) {
    QByteArray r(18, '\0');
    r[0] = '1';
    r[1] = 3;
    r[14] = static_cast<char>(0x80);
    r[17] = '\r';
    for (const auto& [n, value] : bytes)
        r[n - 1] = static_cast<char>(value);
    return r;
}

// The reading set after a live reply.
struct Readings {
    int rpm = 0;
    float period = 0;
    int analogMod = 0;
    int ignDegrees = 0;
    int cell = 0;
    int rpmRow = 0;
    int ampA = 0;
    int ampB = 0;
    bool operator==(const Readings&) const = default;
};

Readings current() {
    return {LiveRpm,     EnginePeriod, Reading1,     CellValue,
            LiveMapCell, Reading11,    LiveAmpCellA, LiveAmpCellB};
}

std::ostream& operator<<(std::ostream& os, const Readings& r) {
    return os << "rpm " << r.rpm << " period " << r.period << " analogMod " << r.analogMod
              << " ign " << r.ignDegrees << " cell " << r.cell << " row " << r.rpmRow << " ampA "
              << r.ampA << " ampB " << r.ampB;
}

class LiveReplyParse : public ::testing::Test, protected FreshState {
protected:
    LiveReplyParse() { ParamBlock[Idx_Cylinders] = 4; }
};

// One live reply, each in a fresh link state.
struct ReadingCase {
    const char* what;
    std::map<int, int> bytes;
    Readings expected;
};

std::vector<ReadingCase> readingCases() {
    return {
        {"engine stopped", {}, {}},
        {"period 195: 6010 rpm", {{8, 195}}, {.rpm = 6010, .period = 195}},
        {"fraction byte", {{8, 195}, {9, 128}}, {.rpm = 5994, .period = 195.5f}},
        {"high byte 200 is a slow engine", {{7, 200}}, {.rpm = 23, .period = 51200}},
        {"longest period", {{7, 255}, {8, 255}, {9, 255}}, {.rpm = 18, .period = 65535.996f}},
        {"period 1: the count keeps its low 15 bits", {{8, 1}}, {.rpm = 24995, .period = 1}},
        {"analog mod 127", {{10, 127}}, {.analogMod = 127}},
        {"analog mod 128 is -128", {{10, 128}}, {.analogMod = -128}},
        {"analog mod 255 is -1", {{10, 255}}, {.analogMod = -1}},
        {"ign 128 stays +128: 45 degrees", {{12, 128}}, {.ignDegrees = 45}},
        {"ign 129 is -127: -45 degrees", {{12, 129}}, {.ignDegrees = -45}},
        {"ign 3: 1 degree", {{12, 3}}, {.ignDegrees = 1}},
        {"cell 0x5A", {{13, 0x5A}}, {.cell = 90, .rpmRow = 10}},
        {"cell 0x7F, the last", {{13, 0x7F}}, {.cell = 127, .rpmRow = 15}},
        {"column 8: no live cell", {{13, 0x80}}, {.cell = NoLiveCell, .rpmRow = 0}},
        {"column 15: no live cell", {{13, 0xF3}}, {.cell = NoLiveCell, .rpmRow = 3}},
        {"AMP rows 0x3C", {{14, 0x3C}}, {.ampA = 12, .ampB = 3}},
    };
}

class BytesBecomeReadings : public LiveReplyParse,
                            public ::testing::WithParamInterface<ReadingCase> {};

TEST_P(BytesBecomeReadings, AsTheUnitMeansThem) {
    const ReadingCase& c = GetParam();
    ReceiveHandler::Store_Readings(live(c.bytes));
    EXPECT_EQ(current(), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(LiveReplies, BytesBecomeReadings, ::testing::ValuesIn(readingCases()));

TEST_F(LiveReplyParse, InputsAndVoltages) {
    ReceiveHandler::Store_Readings(
        live({{2, 7}, {3, 255}, {4, 102}, {5, 51}, {6, 51}, {11, 200}, {16, 90}, {17, 17}}));
    EXPECT_EQ(UnitVersion, 7);
    EXPECT_FLOAT_EQ(Reading0, 10.0f);
    EXPECT_EQ(LambdaRaw, 102);
    EXPECT_FLOAT_EQ(Reading3, 1.0f);
    EXPECT_FLOAT_EQ(Reading2, 2.0f);
    EXPECT_EQ(Reading4, 200);
    EXPECT_EQ(AnalogIn1, 90);
    EXPECT_EQ(AnalogIn2, 17);
}

TEST_F(LiveReplyParse, CylindersDivideAndAZeroCountsAsFour) {
    ParamBlock[Idx_Cylinders] = 0;
    ReceiveHandler::Store_Readings(live({{8, 195}}));
    EXPECT_EQ(ParamBlock[Idx_Cylinders], 0) << "the image keeps the unit's byte";
    EXPECT_EQ(LiveRpm, 6010);
    ParamBlock[Idx_Cylinders] = 6;
    ReceiveHandler::Store_Readings(live({{8, 195}, {12, 128}}));
    EXPECT_EQ(LiveRpm, 4006); // 4687500 / 195 / 6 = 4006.4
    EXPECT_EQ(CellValue, 30);
}

TEST_F(LiveReplyParse, StatusFlags) {
    ReceiveHandler::Store_Status(live({{15, 0x81}}));
    EXPECT_EQ(UnitLocked, 1);
    EXPECT_EQ(ActiveMap, 1);
    EXPECT_EQ(MapChanged, 1) << "the first reply always differs from nothing";
    MapChanged = 0;
    ReceiveHandler::Store_Status(live({{15, 0x80}}));
    EXPECT_EQ(UnitLocked, 0);
    EXPECT_EQ(MapChanged, 0);
    ReceiveHandler::Store_Status(live({{15, 0x7E}}));
    EXPECT_EQ(ActiveMap, 2);
    EXPECT_EQ(UnitLocked, 0);
    EXPECT_EQ(UnitFlags, 0x7E);
    EXPECT_EQ(MapChanged, 1);
    EXPECT_EQ(PrevActiveMap, 2);
}

// The handler on a link, fed bytes as the serial control delivers them.
class ReceiveHandlerTest : public LinkTest {
protected:
    ReceiveHandlerTest() {
        Record_Receive_Hooks(recorder);
        ParamBlock[Idx_Cylinders] = 4;
    }
    // Polling, the previous reply from map A, a poll out and unanswered.
    void polling() {
        startPolling();
        PrevActiveMap = 1;
        send_receive = 1;
        bad_cnt = 7;
    }
    // What the handler did to the windows (the timer's status labels left out).
    QStringList shown() const {
        QStringList v;
        for (const QString& c : recorder.calls)
            if (!c.startsWith(QLatin1String("visible")))
                v << c;
        return v;
    }
    void deliver(const QByteArray& bytes) {
        link->Comm1.setRThreshold(0);
        dev->received(bytes);
        ReceiveHandler::Comm1_OnComm();
    }
};

TEST_F(ReceiveHandlerTest, LiveReplyShowsReadingsThenRefreshesInOrder) {
    polling();
    deliver(live({{5, 51}, {8, 195}, {15, 0xF0}}));
    EXPECT_EQ(recorder.calls.join('|'), "panel3=Error :MODE-BAD RPM-BAD IGN-BAD |"
                                        "lblAnalog_Defl=20.0 %|lblRPM_Map=6010|lblRPMShow=6010|"
                                        "lblVersionValue=3|Cursor_Movement|Plot_Setup|"
                                        "RPM_Bar_movement|Bar_Draw|Text_Values");
    EXPECT_EQ(CommStatus, 11) << "the timer turns it back into 10 on its next tick";
    EXPECT_EQ(send_receive, 2);
    EXPECT_EQ(bad_cnt, 0);
    EXPECT_TRUE(unit.writes.empty()) << "a live reply does not run the timer";
}

// The text log takes its numbers from the reading texts without any window.
TEST_F(ReceiveHandlerTest, ARecordingLogsTheReadingsWithoutTheMainWindow) {
    polling();
    QString error;
    ASSERT_TRUE(LiveLogs().open(folder.file(QStringLiteral("KVR6.001")),
                                folder.file(QStringLiteral("KVR6001.raw")), &error))
        << error.toStdString();
    LogState = 1;
    deliver(live({{5, 51}, {8, 195}}));
    LiveLogs().close();
    LogState = 0;
    const QStringList lines =
        QString::fromLatin1(folder.read(QStringLiteral("KVR6.001"))).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 2);
    const QStringList items = lines[0].split(QLatin1Char(','));
    ASSERT_EQ(items.size(), 17) << lines[0].toStdString(); // time, count, 15 readings
    EXPECT_EQ(items[2].trimmed(), QStringLiteral("6010")) << "RPM";
    EXPECT_EQ(items[3].trimmed(), QStringLiteral("20")) << "deflection %";
}

TEST_F(ReceiveHandlerTest, ChartOnlyAbove90AndErrorTextInBitOrder) {
    struct Case {
        int high, low, flags;
        bool plot;
        const char* panel;
    };
    // Periods 50 x 256 + 221 and + 78 give 90 and 91 rpm with four cylinders.
    for (const Case& c :
         {Case{50, 221, 0x80, false, "panel3="}, Case{50, 78, 0x80, true, "panel3="},
          Case{0, 0, 0xA0, false, "panel3=Error :RPM-BAD "},
          Case{0, 0, 0xE0, false, "panel3=Error :RPM-BAD IGN-BAD "},
          Case{0, 0, 0x90, false, "panel3=Error :MODE-BAD "}}) {
        polling();
        deliver(live({{7, c.high}, {8, c.low}, {15, c.flags}}));
        EXPECT_EQ(recorder.has("Plot_Setup"), c.plot) << LiveRpm;
        EXPECT_EQ(recorder.calls.value(0), c.panel);
    }
}

TEST_F(ReceiveHandlerTest, LockedUnitKeepsItsReadingsAndPollsAgain) {
    polling();
    LiveRpm = 1234;
    deliver(live({{8, 195}, {15, 0x81}}));
    EXPECT_EQ(LiveRpm, 1234);
    EXPECT_EQ(UnitLocked, 1);
    EXPECT_TRUE(shown().isEmpty()) << shown().join('|').toStdString();
    EXPECT_EQ(CommStatus, 10);
    ASSERT_EQ(unit.writes.size(), 1u);
    EXPECT_EQ(unit.writes[0], Poll);
}

TEST_F(ReceiveHandlerTest, ChangeOfActiveMapWhilePollingAsksForOneReRead) {
    polling();
    deliver(live({{15, 0x00}}));
    EXPECT_EQ(MapChanged, 1);
    EXPECT_EQ(SendPending, 1);
    EXPECT_EQ(SendPath::Requests_Outstanding(), 1);
    CommStatus = 10;
    deliver(live({{15, 0x00}}));
    EXPECT_EQ(SendPath::Requests_Outstanding(), 1) << "still one re-read";
}

TEST_F(ReceiveHandlerTest, FirstAnswerAfterGoingOnLineStartsTheReadOut) {
    startOnline();
    ReadRequest = WtsUp::Read_Frame('@', 128, 128); // left from an earlier read-out
    deliver(live());
    EXPECT_EQ(MapChanged, 0) << "the read-out that started clears it";
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0) << "no re-read before polling";
    EXPECT_EQ(CommStatus, 1);
    EXPECT_TRUE(ReadRequest.isEmpty());
    ASSERT_EQ(unit.writes.size(), 1u);
    EXPECT_EQ(unit.writes[0], WtsUp::Read_Frame('8', 0, 128));
}

TEST_F(ReceiveHandlerTest, LateLiveReplyDuringTheReadOutIsNotTaken) {
    startOnline();
    CommStatus = 3;
    send_receive = 1;
    ReadRequest = WtsUp::Read_Frame('9', 0, 128);
    deliver(live({{8, 195}}));
    EXPECT_EQ(CommStatus, 3);
    EXPECT_EQ(send_receive, 1) << "the read is still unanswered";
    EXPECT_TRUE(unit.writes.empty());
}

TEST_F(ReceiveHandlerTest, LateLiveReplyWhileAQueueIsSentLeavesTheQueueGoing) {
    polling();
    const std::vector<QByteArray> queue = {"a1\r", "a2\r", "a3\r"};
    SendPath::Queue_Elements(queue, SendKind::Queue);
    tick(); // the poll is still unanswered: the queue starts
    ASSERT_EQ(unit.writes, std::vector<QByteArray>{queue[0]});
    deliver(live({{8, 195}})); // the poll's answer, late
    EXPECT_EQ(CommStatus, 13) << "the queue is still being sent";
    EXPECT_EQ(LiveRpm, 6010) << "the readings are taken";
    EXPECT_EQ(unit.writes.size(), 1u) << "no element goes out early";
    tick(4);
    ASSERT_GE(unit.writes.size(), 4u) << "the queue stalled";
    EXPECT_EQ(std::vector<QByteArray>(unit.writes.begin(), unit.writes.begin() + 3), queue);
    EXPECT_EQ(SendPath::Requests_Outstanding(), 0);
    EXPECT_EQ(CommStatus, 10);
    EXPECT_EQ(unit.writes.back(), Poll) << "back to live polling";
}

TEST_F(ReceiveHandlerTest, ClearUnitQueueSkipsTheReadOut) {
    startOnline();
    PauseMode = 2;
    deliver(live());
    EXPECT_EQ(CommStatus, 10);
    for (const QByteArray& w : unit.writes)
        EXPECT_NE(w.at(0), '8');
}

TEST_F(ReceiveHandlerTest, LiveReplyOfAnotherLengthOnlyRedraws) {
    polling();
    // No end byte where an 18-byte reply has it: not a reply of that length.
    deliver(live({{8, 195}, {18, 'x'}}) + "y");
    EXPECT_EQ(recorder.calls.join('|'), "Bar_Draw|Text_Values");
    EXPECT_EQ(LiveRpm, 0);
    EXPECT_EQ(send_receive, 2) << "it still is an answer";
    EXPECT_EQ(CommStatus, 10);
}

TEST_F(ReceiveHandlerTest, ADeliveryIsTakenOnceItHoldsAWholeReply) {
    // A reply is known by its first byte and taken once all of it is in,
    // whatever the reads it came in; without the live reply's end byte it is one
    // delivery of another length, handled as such when of 3 .. 132 bytes.
    struct Case {
        int size;
        bool answered;
    };
    for (const Case c :
         {Case{2, false}, Case{3, false}, Case{17, false}, Case{132, true}, Case{133, false}}) {
        polling();
        deliver(QByteArray(1, '1') + QByteArray(c.size - 1, '\0'));
        EXPECT_EQ(send_receive == 2, c.answered) << c.size;
    }
}

TEST_F(ReceiveHandlerTest, FiveLiveRepliesInOneReadGiveFiveReadings) {
    polling();
    std::vector<int> rpms;
    Hooks().Text_Values = [&] { rpms.push_back(LiveRpm); };
    QByteArray read;
    for (const int low : {195, 200, 205, 210, 215})
        read += live({{8, low}});
    ASSERT_EQ(read.size(), 90);
    link->Comm1.setRThreshold(18);
    dev->received(read); // an adapter that held them back hands them over at once
    // 4687500 / period / 4 cylinders
    EXPECT_EQ(rpms, (std::vector<int>{6010, 5859, 5716, 5580, 5451}));
    EXPECT_EQ(CommStatus, 11) << "the timer polls again on its next tick";
    tick();
    EXPECT_EQ(unit.writes.back(), Poll);
}

TEST_F(ReceiveHandlerTest, ReplyInPiecesIsTakenOnceWhole) {
    polling();
    const QByteArray reply = live({{8, 195}});
    for (const int piece : {1, 5, 7, 17}) {
        polling();
        LiveRpm = 0;
        link->Comm1.setRThreshold(18);
        for (int from = 0; from < reply.size(); from += piece) {
            EXPECT_EQ(LiveRpm, 0) << piece;
            dev->received(reply.mid(from, piece));
            if (from + piece < reply.size())
                tick(); // the next tick comes while the reply is still arriving
        }
        EXPECT_EQ(LiveRpm, 6010) << piece;
        EXPECT_EQ(unit.polls(), 0) << piece << ": no poll overtook the reply";
        unit.writes.clear();
    }
}

TEST_F(ReceiveHandlerTest, ReplyThatStopsArrivingIsDroppedAndTheNextOneTaken) {
    polling();
    link->Comm1.setRThreshold(18);
    dev->received(live({{8, 100}}).left(9)); // the rest is lost
    tick();
    EXPECT_EQ(unit.polls(), 0) << "it may still come";
    tick();
    EXPECT_EQ(unit.polls(), 1) << "a whole quiet tick: asked again";
    dev->received(live({{8, 195}}));
    EXPECT_EQ(LiveRpm, 6010) << "the next reply starts afresh";
}

TEST_F(ReceiveHandlerTest, LineNoiseLeavesThePendingRequestInPlace) {
    polling();
    const QByteArray write = WtsUp::Map_Select_Frame(0);
    SendPath::Queue_Command(write);
    deliver(QByteArray("X") + live().mid(1));
    EXPECT_TRUE(recorder.calls.isEmpty());
    EXPECT_EQ(send_receive, 1) << "noise is no answer";
    EXPECT_EQ(SendPending, 1);
    EXPECT_EQ(cmd, "88");
    tick();
    ASSERT_FALSE(unit.writes.empty());
    EXPECT_EQ(unit.writes[0], write);
}

TEST_F(ReceiveHandlerTest, PageReplyIsTakenOnlyWhenItAnswersTheReadInHand) {
    const QByteArray data(128, '\x21');
    struct Case {
        const char* what;
        int status;
        QByteArray reply;
    };
    const std::vector<Case> ignored = {
        {"another address", 2, QByteArray("8\0", 2) + data},
        {"another letter", 2, QByteArray(":\x80", 2) + data},
        {"one byte short", 2, QByteArray("8\x80", 2) + data.left(127)},
        {"live polling", 10, QByteArray("8\x80", 2) + data},
        {"connecting", 0, QByteArray("8\x80", 2) + data},
    };
    for (const Case& c : ignored) {
        startOnline();
        CommStatus = c.status;
        send_receive = 1;
        ReadRequest = WtsUp::Read_Frame('8', 128, 128);
        deliver(c.reply);
        EXPECT_EQ(ParamBlock[128], 0) << c.what;
        EXPECT_EQ(CommStatus, c.status) << c.what;
        EXPECT_EQ(send_receive, 1) << c.what;
        EXPECT_EQ(ReadRequest, WtsUp::Read_Frame('8', 128, 128)) << c.what;
        EXPECT_TRUE(unit.writes.empty()) << c.what;
    }
    // The answer, with a stray byte behind it in the same read.
    startOnline();
    CommStatus = 2;
    ReadRequest = WtsUp::Read_Frame('8', 128, 128);
    deliver(QByteArray("8\x80", 2) + data + "x");
    EXPECT_EQ(ParamBlock[128], 0x21);
    EXPECT_EQ(ParamBlock[255], 0x21);
    EXPECT_EQ(ReadRequest, WtsUp::Read_Frame('8', 204, 4));
    EXPECT_EQ(comm_rth, 6);
    EXPECT_EQ(send_receive, 1) << "the next read is out";
}

TEST_F(ReceiveHandlerTest, FailureInsideEndsTheHandlingAndTheTimerRunsOn) {
    polling();
    link->Comm_Timer.stop();
    Hooks().Cursor_Movement = [] { throw KvrError(6, QStringLiteral("Overflow")); };
    deliver(live({{8, 195}}));
    EXPECT_EQ(LiveRpm, 6010) << "what was stored stays";
    EXPECT_FALSE(recorder.has("Text_Values"));
    EXPECT_TRUE(link->timerEnabled());
}

} // namespace
