// The AMP column marks one live row: when the unit is read afresh (a reconnect,
// the read-back of a download, a read from the Tools menu, going on-line again)
// and the engine has moved meanwhile, the row marked before the read goes plain
// as the live row moves on. Through the real window and the serial port against
// the simulated unit.

#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/CaseNames.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/Screenshots.h"

#include <functional>

namespace {

struct ReadAfresh {
    const char* name;
    // Starts the read; moved() moves the live AMP row where the read cannot see it yet.
    std::function<void(frmMain&, sim::Unit&, const std::function<void()>& moved)> start;
};

// The AMP rows the engine works in before and after the read: the unit finds
// the row as the last break point at or below its AMP input, so a table with one
// break point at 0 and the rest at the top puts every input below 255 there.
constexpr int RowBefore = 3;
constexpr int RowAfter = 9;

class LiveAmpRow : public GridTest, public ::testing::WithParamInterface<ReadAfresh> {
protected:
    LiveAmpRow() {
        cfg_CommSpeed = 10;
        setAmpRow(RowBefore);
    }
    // The unit's AMP break points, and the image's, which a download sends.
    void setAmpRow(int row) {
        for (int i = 0; i < 16; ++i) {
            const int point = i == row ? 0 : 255;
            unit.setByte(4, Idx_AmpTable + i, point);
            ParamBlock[Idx_AmpTable + i] = static_cast<std::int16_t>(point);
        }
    }
    // The live row the AMP column shows, after a few polls more.
    int settledRow() {
        const int polls = unit.polls();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return unit.polls() > polls + 3 && Link_Settled(); }, 10000));
        return LiveAmpCellA;
    }
    // The AMP column's colours with only `row` live.
    static QString onlyLive(int row) {
        QString s(16, QLatin1Char('W'));
        s[row] = QLatin1Char('R');
        return s;
    }
};

} // namespace

TEST_P(LiveAmpRow, OnlyTheRowTheEngineIsInStaysLive) {
    frmMain& w = loadOnlineActive();
    w.Select_Tab(2);
    ASSERT_EQ(settledRow(), RowBefore);
    ASSERT_EQ(colours(w.TxtAMP, 0, 16), onlyLive(RowBefore));

    // Nothing is on its way when the read starts: no poll answered later shows
    // the new row before the read does.
    ASSERT_TRUE(QTest::qWaitFor([] { return Link_Settled() && send_receive == 2; }, 5000));
    GetParam().start(w, unit, [this] { setAmpRow(RowAfter); });
    ASSERT_TRUE(Wait_Link_Settled()) << "CommStatus " << CommStatus;
    ASSERT_EQ(settledRow(), RowAfter);
    EXPECT_EQ(MapTab, 2);
    EXPECT_EQ(colours(w.TxtAMP, 0, 16), onlyLive(RowAfter));
    if (std::string_view(GetParam().name) == "reconnect after a silence")
        EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-live-amp-row.png"))));
}

INSTANTIATE_TEST_SUITE_P(
    Reads, LiveAmpRow,
    ::testing::Values(ReadAfresh{"reconnect after a silence",
                                 [](frmMain&, sim::Unit& unit, const std::function<void()>& moved) {
                                     unit.faults.silent = true;
                                     moved();
                                     ASSERT_TRUE(QTest::qWaitFor(
                                         [] { return OnlineState == OnlineStates::Online2; },
                                         20000));
                                     unit.faults.silent = false;
                                 }},
                      ReadAfresh{"read from the Tools menu",
                                 [](frmMain& w, sim::Unit&, const std::function<void()>& moved) {
                                     w.mnuUpload->trigger();
                                     moved();
                                 }},
                      ReadAfresh{"read-back of a download",
                                 [](frmMain& w, sim::Unit&, const std::function<void()>& moved) {
                                     moved(); // the download sends the image's AMP table
                                     w.mnuDownload->trigger();
                                 }},
                      ReadAfresh{"going on-line again",
                                 [](frmMain& w, sim::Unit&, const std::function<void()>& moved) {
                                     w.mnuOffline->trigger();
                                     moved();
                                     w.mnuOnline->trigger();
                                 }}),
    By_Case_Name());
