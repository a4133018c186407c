#include "ReceiveTestSupport.h"

#include "core/ImageSnapshot.h"
#include "link/Edit.h"
#include "link/SendPath.h"
#include "link/WtsUp.h"
#include "tests/support/StoreFault.h"

#include <functional>
#include <new>
#include <stdexcept>

namespace {

using SendRule::Verdict;

const QByteArray Pad(WtsUp::PadLength, '\0');

// An edit on the real link with the simulated unit behind it; the status bar
// notices are recorded as the main window would show them.
class EditTest : public SimReceiveTest {
protected:
    EditTest() {
        Hooks().SetStatusPanel = [this](int panel, const QString& text) {
            if (panel == SendRule::NoticePanel)
                notices << text;
        };
    }
    bool unitGotWrite() const {
        for (const QByteArray& f : sim.frames())
            if (SendPath::Is_Write(f))
                return true;
        return false;
    }
    // Polls until the link has sent everything and is back to live polling.
    void sendAll() {
        for (int i = 0; i < 60 && (Requests_Outstanding() > 0 || CommStatus != 10); ++i)
            poll(1);
    }
    static int Requests_Outstanding() { return SendPath::Requests_Outstanding(); }
    QStringList notices;
};

std::array<int, 16> Row_Of(int first, int step = 1) {
    std::array<int, 16> values{};
    for (int k = 0; k < 16; ++k)
        values[static_cast<std::size_t>(k)] = first + k * step;
    return values;
}

TEST_F(EditTest, AWriteRefusedAnywhereLeavesTheWholeImageAsItWasAndSendsNothing) {
    const int injection = MapWrite::Place_Of(MapWrite::Map::Injection).base;
    struct Case {
        const char* name;
        std::function<void(Edit&)> writes;
        QString refusal;
    };
    std::array<int, 16> badRow = Row_Of(10);
    badRow[7] = 256;
    const Case cases[] = {
        {"a cell refused after writes of every kind",
         [](Edit& e) {
             e.Cell(MapWrite::Map::Injection, 3, 77)
                 .Column(MapWrite::Map::Analog, 2, Row_Of(-8))
                 .Param_Row(Idx_Block3, Row_Of(100))
                 .Cell(MapWrite::Map::Injection, 4, 300)
                 .Cell(MapWrite::Map::Injection, 5, 10);
         },
         QStringLiteral("page 6 address %1 would hold 300, which is not a byte (0 to 255)")
             .arg(injection + 4)},
        {"a parameter row refused last",
         [&](Edit& e) { e.Cell(MapWrite::Map::Ignition, 0, -5).Param_Row(Idx_RpmScale, badRow); },
         QStringLiteral("page 4 address %1 would hold 256, which is not a byte (0 to 255)")
             .arg(Idx_RpmScale + 7)},
        {"a column refused first",
         [](Edit& e) {
             e.Column(MapWrite::Map::InjectionAmp, 0, Row_Of(-1))
                 .Cell(MapWrite::Map::Injection, 9, 1);
         },
         QStringLiteral("page 6 address %1 would hold -1, which is not a byte (0 to 255)")
             .arg(Idx_InjAmpCol)},
    };
    connect();
    for (const Case& c : cases) {
        sim.clearFrames();
        const ImageSnapshot before = ImageSnapshot::Take();
        Edit edit(SendKind::Queue);
        // What a producer works out in the image before it writes goes back too.
        ParamBlock[Idx_P206] = static_cast<std::int16_t>(ParamBlock[Idx_P206] ^ 1);
        c.writes(edit);
        const EditOutcome out = edit.Make();
        EXPECT_TRUE(out.admitted()) << c.name;
        EXPECT_FALSE(out.made()) << c.name;
        EXPECT_EQ(out.refusal, c.refusal) << c.name;
        EXPECT_TRUE(out.written.empty()) << c.name;
        EXPECT_TRUE(out.queued.empty()) << c.name;
        EXPECT_TRUE(ImageSnapshot::Take() == before) << c.name;
        EXPECT_TRUE(SendRequests.empty()) << c.name;
        poll(3);
        EXPECT_FALSE(unitGotWrite()) << c.name;
    }
    EXPECT_EQ(OfflineEdits, 0);
}

TEST_F(EditTest, AnEditLeftUnmadePutsBackWhatItsProducerChanged) {
    connect();
    const ImageSnapshot before = ImageSnapshot::Take();
    {
        Edit edit(SendKind::Queue);
        Map5Image[Idx_AnaMap + 3] = 99; // the producer returned before it wrote
    }
    EXPECT_TRUE(ImageSnapshot::Take() == before);
    try {
        Edit edit(SendKind::Queue);
        ParamBlock[Idx_Block3] = 300;
        MapDscr = QStringLiteral("half done");
        throw std::runtime_error("the working-out failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(ImageSnapshot::Take() == before);
    EXPECT_TRUE(SendRequests.empty());
}

// What an edit stopped part-way must leave as it was: the requests waiting, the
// off-line edits counted and told, panel 1's notice.
struct LinkBefore {
    std::vector<std::vector<QByteArray>> requests;
    int pending, offlineEdits, offlineEditsTold;
    QString notice, panel;
    int noticeFor;
    qint64 noticeAt;
    static LinkBefore Now() {
        LinkBefore b{{},
                     SendPending,
                     OfflineEdits,
                     OfflineEditsTold,
                     PanelNotice,
                     SendRule::Panel_Text(),
                     PanelNoticeFor,
                     PanelNoticeAt};
        for (const SendRequest& r : SendRequests)
            b.requests.push_back(r.elements);
        return b;
    }
    bool operator==(const LinkBefore&) const = default;
};
void PrintTo(const LinkBefore& b, std::ostream* os) {
    *os << b.requests.size() << " request(s), pending " << b.pending << ", " << b.offlineEdits
        << " off-line edit(s) (told " << b.offlineEditsTold << "), notice \""
        << b.notice.toStdString() << "\" for " << b.noticeFor << " at " << b.noticeAt
        << ", panel \"" << b.panel.toStdString() << '"';
}

TEST_F(EditTest, AnErrorInAnyWriteLeavesTheImageAndTheLinkAsTheyWere) {
    // 1 store for the cell, 16 for the column, 16 for the row: the error strikes
    // the first, one inside the column, the column's last, the row's first, the last.
    const int strikes[] = {1, 2, 9, 17, 18, 33};
    connect();
    // A request of an earlier edit still waits, and a word is in panel 1.
    sim.clearFrames();
    Edit earlier;
    const EditOutcome earlierOut = earlier.Cell(MapWrite::Map::Injection, 40, 41).Make();
    ASSERT_TRUE(earlierOut.made());
    const QByteArray earlierFrame = earlierOut.queued.at(0);
    SendRule::Tell(QStringLiteral("an earlier word"));
    for (const bool online : {true, false}) {
        if (!online) {
            // Nothing of the stopped edits reached the unit; the earlier one did, whole.
            sendAll();
            EXPECT_EQ(sim.byte(6, Idx_InjMap + 40), 41);
            EXPECT_TRUE(reads().size() == 1 && reads()[0] == earlierFrame)
                << reads().size() << " frame(s) besides the polls";
            const int cell = MapWrite::Place_Of(MapWrite::Map::Ignition).base + 3;
            const int column = MapWrite::Place_Of(MapWrite::Map::Analog).base + 5 * 16;
            EXPECT_EQ(Unit_Bytes(sim, 5, cell, cell), Image_Bytes(Map5Image, cell, cell));
            EXPECT_EQ(Unit_Bytes(sim, 5, column, column + 15),
                      Image_Bytes(Map5Image, column, column + 15));
            EXPECT_EQ(Unit_Bytes(sim, 4, Idx_Block3, Idx_Block3 + 15),
                      Image_Bytes(ParamBlock, Idx_Block3, Idx_Block3 + 15));
            EXPECT_NE(Map5Image[column], 248) << "the column was never written";
            link->GO_OFFLine();
            ASSERT_EQ(OnlineState, OnlineStates::Offline);
            SendRule::Tell(QStringLiteral("an earlier word"));
        }
        for (const int n : strikes) {
            const std::string name =
                (online ? "on-line, store " : "off-line, store ") + std::to_string(n);
            const ImageSnapshot image = ImageSnapshot::Take();
            const LinkBefore before = LinkBefore::Now();
            {
                const StoreFault fault(n);
                Edit edit(SendKind::Queue);
                edit.Cell(MapWrite::Map::Ignition, 3, -4)
                    .Column(MapWrite::Map::Analog, 5, Row_Of(-8))
                    .Param_Row(Idx_Block3, Row_Of(100));
                EXPECT_THROW(edit.Make(), std::bad_alloc) << name;
                EXPECT_TRUE(fault.struck()) << name;
            }
            EXPECT_TRUE(ImageSnapshot::Take() == image) << name;
            EXPECT_EQ(LinkBefore::Now(), before) << name;
        }
    }
    EXPECT_EQ(OfflineEdits, 0);
}

TEST_F(EditTest, AnErrorInTheSendRuleOrThePanelLeavesTheLinkAsItWas) {
    struct Case {
        const char* name;
        bool online;
        SendKind kind;
        int cells;
        bool panelFails; // else the notice clock
    };
    const Case cases[] = {
        {"on-line, one cell, the clock fails", true, SendKind::Command, 1, false},
        {"on-line, one cell, the panel fails", true, SendKind::Command, 1, true},
        {"on-line, a queue with progress, the clock fails", true, SendKind::QueueWithProgress, 3,
         false},
        {"off-line, the first edit told, the clock fails", false, SendKind::Command, 1, false},
        {"off-line, the first edit told, the panel fails", false, SendKind::Queue, 2, true},
    };
    connect();
    const auto clock = NoticeClock;
    const auto panel = Hooks().SetStatusPanel;
    for (const Case& c : cases) {
        if (!c.online && OnlineState != OnlineStates::Offline)
            link->GO_OFFLine();
        ASSERT_EQ(OnlineState == OnlineStates::Offline, !c.online) << c.name;
        SendRule::Tell(QStringLiteral("an earlier word"));
        sim.clearFrames();
        notices.clear();
        const ImageSnapshot image = ImageSnapshot::Take();
        const LinkBefore before = LinkBefore::Now();
        ASSERT_FALSE(Progress().loaded()) << c.name;

        Edit edit(c.kind);
        for (int k = 0; k < c.cells; ++k)
            edit.Cell(MapWrite::Map::Injection, 60 + k, 7 + k);
        if (c.panelFails)
            Hooks().SetStatusPanel = [](int, const QString&) { throw std::bad_alloc(); };
        else
            NoticeClock = []() -> qint64 { throw std::bad_alloc(); };
        EXPECT_THROW(edit.Make(), std::bad_alloc) << c.name;
        NoticeClock = clock;
        Hooks().SetStatusPanel = panel;

        EXPECT_TRUE(ImageSnapshot::Take() == image) << c.name;
        EXPECT_EQ(LinkBefore::Now(), before) << c.name;
        EXPECT_FALSE(Progress().loaded()) << c.name << ": no progress window for nothing queued";
        // The panel's next showing gives its text whole, whatever the failed one left.
        notices.clear();
        SendRule::Review_Notice();
        EXPECT_EQ(notices, QStringList{QStringLiteral("an earlier word")}) << c.name;
        poll(3);
        EXPECT_FALSE(unitGotWrite()) << c.name;
    }
    // The next edit off-line is the first of the spell: counted once and told.
    notices.clear();
    Edit next;
    ASSERT_TRUE(next.Cell(MapWrite::Map::Injection, 60, 9).Make().made());
    EXPECT_EQ(OfflineEdits, 1);
    EXPECT_EQ(notices, QStringList{SendRule::OfflineNotice});
}

enum class RefusingState { Connecting, Silent, Locked };

class EditRefusedTest : public EditTest, public ::testing::WithParamInterface<RefusingState> {};

TEST_P(EditRefusedTest, ARefusingSendRuleWritesNothingAndPassesItsNoticeOn) {
    Verdict expected = Verdict::ReadingUnit;
    switch (GetParam()) {
    case RefusingState::Connecting:
        startOnline();
        break;
    case RefusingState::Silent:
        connect();
        sim.faults.silent = true;
        while (bad_cnt < SendRule::SilentTicks)
            tick();
        expected = Verdict::NoAnswer;
        break;
    case RefusingState::Locked:
        sim.faults.locked = true;
        connect();
        ASSERT_EQ(UnitLocked, 1);
        expected = Verdict::Locked;
        break;
    }
    notices.clear();
    sim.clearFrames();
    const ImageSnapshot before = ImageSnapshot::Take();
    // A locked unit's read-out keeps its own word in the progress window a while.
    const bool progressShown = Progress().visible();
    Edit edit(SendKind::QueueWithProgress);
    EXPECT_TRUE(edit.Refused());
    EXPECT_EQ(edit.Verdict(), expected);
    const EditOutcome out = edit.Param_Row(Idx_Block3, Row_Of(1)).Make();
    EXPECT_EQ(out.verdict, expected);
    EXPECT_FALSE(out.admitted());
    EXPECT_EQ(out.refusal, SendRule::Notice(expected));
    EXPECT_EQ(notices, QStringList{SendRule::Notice(expected)}) << "told once, in panel 1";
    EXPECT_TRUE(out.written.empty());
    EXPECT_TRUE(ImageSnapshot::Take() == before);
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_EQ(Progress().visible(), progressShown);
    EXPECT_EQ(OfflineEdits, 0);
    EXPECT_FALSE(unitGotWrite());
}

INSTANTIATE_TEST_SUITE_P(States, EditRefusedTest,
                         ::testing::Values(RefusingState::Connecting, RefusingState::Silent,
                                           RefusingState::Locked),
                         [](const ::testing::TestParamInfo<RefusingState>& info) {
                             switch (info.param) {
                             case RefusingState::Connecting:
                                 return std::string("Connecting");
                             case RefusingState::Silent:
                                 return std::string("Silent");
                             case RefusingState::Locked:
                                 break;
                             }
                             return std::string("Locked");
                         });

TEST_F(EditTest, QueueWithProgressShowsTheProgressWindowAndTheUnitGetsTheRows) {
    connect();
    ASSERT_FALSE(Progress().visible());
    Edit edit(SendKind::QueueWithProgress);
    edit.Param_Row(Idx_SpeedAdjust, Row_Of(20)).Param_Row(Idx_Block3, Row_Of(40, 2));
    const EditOutcome out = edit.Make();
    ASSERT_TRUE(out.made());
    EXPECT_TRUE(Progress().visible());
    EXPECT_EQ(Progress().value(), 0);
    ASSERT_EQ(SendRequests.size(), 1u);
    EXPECT_EQ(SendRequests.front().kind, SendKind::QueueWithProgress);
    const std::vector<QByteArray> rows{WtsUp::Row_Write_Frame('<', Idx_SpeedAdjust, ParamBlock) +
                                           Pad,
                                       WtsUp::Row_Write_Frame('<', Idx_Block3, ParamBlock) + Pad};
    EXPECT_EQ(SendRequests.front().elements, rows);
    EXPECT_EQ(out.written, rows);
    EXPECT_EQ(out.queued, rows);
    EXPECT_FALSE(out.offlineEdit);

    sendAll();
    const auto bytes = [](const std::array<int, 16>& values) {
        QByteArray b;
        for (int v : values)
            b.append(static_cast<char>(v));
        return b;
    };
    EXPECT_EQ(Unit_Bytes(sim, 4, Idx_SpeedAdjust, Idx_SpeedAdjust + 15), bytes(Row_Of(20)));
    EXPECT_EQ(Unit_Bytes(sim, 4, Idx_Block3, Idx_Block3 + 15), bytes(Row_Of(40, 2)));
    EXPECT_EQ(ParamBlock[Idx_Block3 + 15], 70) << "the read-out after it read the rows back";
    EXPECT_FALSE(Progress().visible()) << "the read-out after the queue closed it";

    // A queue without progress, and any kind off-line, leave the window alone.
    Edit plain(SendKind::Queue);
    ASSERT_TRUE(plain.Param_Row(Idx_Block3, Row_Of(1)).Make().made());
    EXPECT_FALSE(Progress().visible());
    sendAll();
    link->GO_OFFLine();
    Edit offline(SendKind::QueueWithProgress);
    ASSERT_TRUE(offline.Param_Row(Idx_Block3, Row_Of(2)).Make().made());
    EXPECT_FALSE(Progress().visible());
}

TEST_F(EditTest, OffLineEachEditCountsOnceAndOnlyChangesCountWhereTheProducerSaysSo) {
    connect();
    link->GO_OFFLine();
    notices.clear();
    Edit three;
    const EditOutcome out = three.Cell(MapWrite::Map::Injection, 1, 11)
                                .Cell(MapWrite::Map::Injection, 2, 12)
                                .Cell(MapWrite::Map::Injection, 3, 13)
                                .Make();
    ASSERT_TRUE(out.made());
    EXPECT_EQ(out.verdict, Verdict::ImageOnly);
    EXPECT_TRUE(out.offlineEdit);
    EXPECT_EQ(out.written.size(), 3u);
    EXPECT_TRUE(out.queued.empty());
    EXPECT_EQ(Map6Image[Idx_InjMap + 2], 12);
    EXPECT_EQ(OfflineEdits, 1) << "one edit, whatever its writes";
    EXPECT_EQ(notices, QStringList{SendRule::OfflineNotice});

    Edit again;
    ASSERT_TRUE(again.Cell(MapWrite::Map::Injection, 2, 12).Make().made());
    EXPECT_EQ(OfflineEdits, 2) << "the same byte again is still an edit";

    Edit unchanged(SendKind::QueueWithProgress);
    unchanged.Param_Row_Of_Image(Idx_Block3).Count_Only_Changes();
    const EditOutcome same = unchanged.Make();
    EXPECT_TRUE(same.made());
    EXPECT_FALSE(same.offlineEdit);
    EXPECT_EQ(OfflineEdits, 2);

    Edit changed(SendKind::QueueWithProgress);
    ParamBlock[Idx_Block3] = static_cast<std::int16_t>(ParamBlock[Idx_Block3] ^ 1);
    changed.Param_Row_Of_Image(Idx_Block3).Count_Only_Changes();
    EXPECT_TRUE(changed.Make().offlineEdit);
    EXPECT_EQ(OfflineEdits, 3);
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_EQ(notices, QStringList{SendRule::OfflineNotice}) << "told once";
}

TEST_F(EditTest, TheKindAndTheWritesShapeTheRequestsTheUnitGets) {
    connect();
    const auto cellFrame = [](int address) {
        return QByteArray("6") + char(address) + char(Map6Image[address]) + '\r';
    };

    // One cell: a single command, which a newer byte of the same cell replaces.
    Edit first;
    ASSERT_TRUE(first.Cell(MapWrite::Map::Injection, 5, 70).Make().made());
    Edit second;
    const EditOutcome newer = second.Cell(MapWrite::Map::Injection, 5, 71).Make();
    ASSERT_EQ(SendRequests.size(), 1u);
    EXPECT_EQ(SendRequests.front().kind, SendKind::Command);
    EXPECT_EQ(SendRequests.front().elements, std::vector<QByteArray>{cellFrame(5)});
    EXPECT_EQ(newer.queued, std::vector<QByteArray>{cellFrame(5)});
    sendAll();
    EXPECT_EQ(sim.byte(6, Idx_InjMap + 5), 71);

    // Several cells, or a column, go as a queue.
    Edit cells;
    cells.Cell(MapWrite::Map::Injection, 6, 1).Cell(MapWrite::Map::Injection, 22, 2);
    ASSERT_TRUE(cells.Make().made());
    ASSERT_EQ(SendRequests.size(), 1u);
    EXPECT_EQ(SendRequests[0].kind, SendKind::Queue);
    EXPECT_EQ(SendRequests[0].elements, (std::vector<QByteArray>{cellFrame(6), cellFrame(22)}));
    Edit column;
    ASSERT_TRUE(column.Column(MapWrite::Map::Injection, 1, Row_Of(30)).Make().made());
    ASSERT_EQ(SendRequests.size(), 2u);
    EXPECT_EQ(SendRequests[1].kind, SendKind::Queue);
    EXPECT_EQ(SendRequests[1].elements,
              std::vector<QByteArray>{WtsUp::Row_Write_Frame('>', Idx_InjMap + 16, Map6Image)});

    // Rows joined into one element, and a second padding.
    Edit rows(SendKind::Queue);
    rows.Param_Row(Idx_RpmScale, Row_Of(0, 3))
        .Param_Row(Idx_RpmScale + 16, Row_Of(50, 3))
        .Joined_To_Previous()
        .Param_Row(Idx_AmpTable, Row_Of(7))
        .Extra_Padding(WtsUp::PadLength);
    const EditOutcome out = rows.Make();
    ASSERT_TRUE(out.made());
    const QByteArray rpm = WtsUp::Row_Write_Frame('<', Idx_RpmScale, ParamBlock) + Pad +
                           WtsUp::Row_Write_Frame('<', Idx_RpmScale + 16, ParamBlock) + Pad;
    const QByteArray amp = WtsUp::Row_Write_Frame('<', Idx_AmpTable, ParamBlock) + Pad + Pad;
    EXPECT_EQ(out.written, (std::vector<QByteArray>{rpm, amp}));
    ASSERT_EQ(SendRequests.size(), 3u);
    EXPECT_EQ(SendRequests[2].elements, (std::vector<QByteArray>{rpm, amp}));

    sendAll();
    EXPECT_EQ(Unit_Bytes(sim, 6, Idx_InjMap, Idx_InjMap + 31),
              Image_Bytes(Map6Image, Idx_InjMap, Idx_InjMap + 31));
    EXPECT_EQ(Unit_Bytes(sim, 4, Idx_AmpTable, Idx_AmpTable + 15),
              Image_Bytes(ParamBlock, Idx_AmpTable, Idx_AmpTable + 15));
    EXPECT_EQ(Unit_Bytes(sim, 4, Idx_RpmScale, 255), Image_Bytes(ParamBlock, Idx_RpmScale, 255));
}

} // namespace
