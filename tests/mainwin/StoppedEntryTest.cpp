// An entry of the grid that an error stops part-way (the write path's n-th
// store into the image fails, as a memory that runs short would) leaves all as
// it was before it: the unit's memory, the image, the grid's texts, the link
// state and panel 1; the entry's own catch tells it. Driven through the entry
// box on-line against the simulated unit behind the real serial port, and
// off-line; afterwards the same entry goes through whole.

#include "core/ImageSnapshot.h"
#include "link/MapWrite.h"
#include "link/SendPath.h"
#include "link/SendRule.h"
#include "mainwin/MapCellText.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/CaseNames.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/StoreFault.h"

#include <QLabel>

namespace {

struct StoppedEntry {
    const char* name;
    bool online;
    int tab;
    char kind; // 'C' a grid cell, 'A' a row of the AMP column
    int index;
    bool column; // "Adjust Column"
    const char* keys;
    int strike; // the store into the image that fails
};

void PrintTo(const StoppedEntry& c, std::ostream* os) {
    *os << c.name;
}

// What the user sees and the link holds, to be the same after the stopped entry.
struct Shown {
    std::vector<QString> grid;
    std::vector<QString> amp;
    QString panel;
    QString state;
    std::size_t requests;
    int offlineEdits;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "panel \"" << s.panel.toStdString() << "\", state \"" << s.state.toStdString() << "\", "
        << s.requests << " request(s), " << s.offlineEdits << " off-line edit(s)";
}

class StoppedEntryTest : public GridTest, public ::testing::WithParamInterface<StoppedEntry> {
protected:
    frmMain& openAsTheCaseSays() {
        frmMain& w = loadOnlineActive();
        if (!GetParam().online) {
            w.mnuOffline->trigger();
            EXPECT_EQ(OnlineState, OnlineStates::Offline);
        }
        return w;
    }
    Shown shown() const {
        Shown s;
        for (const QLineEdit* box : window->Txt128)
            s.grid.push_back(box->text());
        for (const QLineEdit* box : window->TxtAMP)
            s.amp.push_back(box->text());
        s.panel = window->StatusPanel[SendRule::NoticePanel]->text();
        s.state = window->lblNoComms[0]->text();
        s.requests = static_cast<std::size_t>(SendPath::Requests_Outstanding());
        s.offlineEdits = OfflineEdits;
        return s;
    }
    std::vector<int> unitMaps() const {
        std::vector<int> bytes;
        for (int page : {5, 6})
            for (int a = 0; a < 256; ++a)
                bytes.push_back(unit.byte(page, a));
        return bytes;
    }
    void select(const StoppedEntry& c) {
        window->Select_Tab(c.tab);
        click(c.kind == 'A' ? window->TxtAMP[c.index] : window->Txt128[c.index]);
        if (window->chkAdjustColumn->isChecked() != c.column)
            window->chkAdjustColumn->click();
    }
    // Every box of the grid and the AMP column shows what the image holds.
    void expectGridShowsTheImage(const StoppedEntry& c) const {
        const MapCellText::Layout& map = MapCellText::ForTab(c.tab);
        for (int n = 0; n < 128; ++n)
            EXPECT_EQ(window->Txt128[static_cast<std::size_t>(n)]->text(),
                      MapCellText::Cell(c.tab, map.cellBase + n))
                << "box " << n;
        for (int r = 0; r < 16; ++r)
            EXPECT_EQ(window->TxtAMP[static_cast<std::size_t>(r)]->text(),
                      MapCellText::Amp(c.tab, map.ampBase + r))
                << "AMP row " << r;
    }
};

} // namespace

TEST_P(StoppedEntryTest, LeavesTheUnitTheImageTheGridAndTheLinkAsTheyWere) {
    const StoppedEntry& c = GetParam();
    frmMain& w = openAsTheCaseSays();
    select(c);
    ASSERT_TRUE(!c.online || Wait_Link_Settled());
    const std::vector<int> unitBefore = unitMaps();
    const ImageSnapshot image = ImageSnapshot::Take();
    const Shown before = shown();
    unit.clearFrames();
    dialogs.clear();

    {
        const StoreFault fault(c.strike);
        enter(QString::fromLatin1(c.keys));
        ASSERT_TRUE(fault.struck()) << "the entry reached the write path";
    }
    ASSERT_EQ(dialogs.records().size(), 1u) << "the entry's own catch tells it";
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Unable to download to the KVR6 Unit !!"));
    EXPECT_TRUE(ImageSnapshot::Take() == image);
    EXPECT_EQ(shown(), before);
    expectGridShowsTheImage(c);
    EXPECT_TRUE(SendRequests.empty());
    if (c.online)
        ASSERT_TRUE(Wait_Link_Settled());
    else
        QTest::qWait(200);
    EXPECT_EQ(unitMaps(), unitBefore);
    EXPECT_TRUE(std::none_of(unit.frames().begin(), unit.frames().end(), SendPath::Is_Write));

    // The program goes on: the same entry again goes through whole.
    select(c);
    enter(QString::fromLatin1(c.keys));
    EXPECT_FALSE(ImageSnapshot::Take() == image);
    expectGridShowsTheImage(c);
    if (c.online) {
        ASSERT_TRUE(Wait_Link_Settled());
        const MapWrite::Place& place =
            MapWrite::Place_Of(MapWrite::Of_Tab(c.tab, c.kind == 'A' ? 2 : 1));
        const ImageTable& page = place.page == 5 ? Map5Image : Map6Image;
        const auto unitHoldsTheImage = [&] {
            for (int n = 0; n < place.cells; ++n)
                if (unit.byte(place.page, place.base + n) != page[place.base + n])
                    return false;
            return true;
        };
        EXPECT_TRUE(QTest::qWaitFor(unitHoldsTheImage, 5000)) << "the unit holds the image";
    } else {
        EXPECT_EQ(OfflineEdits, before.offlineEdits + 1);
    }
    EXPECT_EQ(w.txtEnter->text(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, StoppedEntryTest,
    ::testing::Values(
        StoppedEntry{"a typed cell on-line", true, 2, 'C', 37, false, "77", 1},
        StoppedEntry{"a typed value with Adjust Column on-line", true, 1, 'C', 37, true, "-3", 10},
        StoppedEntry{"an AMP column entry on-line", true, 2, 'A', 5, true, "1.5", 10},
        StoppedEntry{"a typed ignition cell off-line", false, 3, 'C', 20, false, "5", 1},
        StoppedEntry{"a typed value with Adjust Column off-line", false, 2, 'C', 70, true, "90",
                     16},
        StoppedEntry{"an AMP column entry off-line", false, 2, 'A', 5, true, "1.5", 2}),
    By_Case_Name());
