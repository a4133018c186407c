#include "LinkTestSupport.h"

#include "link/Download.h"
#include "link/SendPath.h"
#include "sim/SimUnit.h"

namespace {

const QByteArray Pad(31, '\0');

QByteArray text(int address, const QByteArray& chars) {
    return QByteArray(1, 'A') + QByteArray(1, static_cast<char>(address)) + chars + "\r" + Pad;
}

QByteArray row(char letter, int address, const ImageTable& mirror) {
    QByteArray f(1, letter);
    f.append(static_cast<char>(address));
    for (int a = address; a < address + 16; ++a)
        f.append(static_cast<char>(mirror[a]));
    return f + "\r" + Pad;
}

// A known image: every table filled with a pattern that differs per page.
void fillImage() {
    for (int a = 0; a < 256; ++a) {
        ParamBlock[a] = static_cast<std::int16_t>((a * 7 + 1) % 256);
        Map5Image[a] = static_cast<std::int16_t>((a * 3 + 2) % 256);
        Map6Image[a] = static_cast<std::int16_t>((a * 5 + 3) % 256);
    }
    MapDscr = QStringLiteral("Stage 1 road map");
    MapId = QStringLiteral("ID-0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXY");
    WiringDiagramName = QStringLiteral("WD-17 HARNESS 2B");
    NoTuneFlag = 255;
}

class DownloadTest : public LinkTest {
protected:
    DownloadTest() { fillImage(); }
    // The elements of the one request queued.
    const std::vector<QByteArray>& queued() const {
        EXPECT_EQ(SendRequests.size(), 1u);
        return SendRequests.front().elements;
    }
};

TEST_F(DownloadTest, ElementsByteForByteWithMapAActive) {
    ActiveMap = 1;
    ASSERT_TRUE(WtsCM::Download_All());
    const std::vector<QByteArray>& e = queued();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(SendRequests.front().kind, SendKind::QueueWithProgress);
    EXPECT_EQ(SendPending, 1);

    const QByteArray dscr = QByteArray("Stage 1 road map") + QByteArray(47, ' ') + "\xFF";
    EXPECT_EQ(e[0], text(128, dscr.mid(0, 16)) + text(144, dscr.mid(16, 16)) +
                        text(160, dscr.mid(32, 16)) + text(176, dscr.mid(48, 16)) +
                        text(208, "WD-17 HARNESS 2B"));
    QByteArray params;
    for (int r = 128; r < 256; r += 16)
        params += row('<', r, ParamBlock);
    EXPECT_EQ(e[1], params);
    QByteArray id;
    for (int k = 0; k < 4; ++k)
        id += QByteArray(1, '<') + QByteArray(1, static_cast<char>(16 * k)) +
              MapId.mid(16 * k, 16).toLatin1() + "\r" + Pad;
    EXPECT_EQ(e[2], id);
    QByteArray p5, p6;
    for (int r = 0; r < 256; r += 16)
        p5 += row('=', r, Map5Image);
    for (int r = 0; r <= 160; r += 16)
        p6 += row('>', r, Map6Image);
    EXPECT_EQ(e[3], p5);
    EXPECT_EQ(e[4], p6);

    int total = 0;
    for (const QByteArray& x : e)
        total += static_cast<int>(x.size());
    EXPECT_EQ(total, 2200);
    EXPECT_EQ(MapDscr, QString::fromLatin1(dscr)) << "the description keeps its normal form";
}

// Each active map, each in a fresh link state.
class IdentifierRows : public DownloadTest, public ::testing::WithParamInterface<int> {};

TEST_P(IdentifierRows, GoToTheActiveMapsRows) {
    const int active = GetParam();
    ActiveMap = active;
    ASSERT_TRUE(WtsCM::Download_All());
    const QByteArray& id = queued()[2];
    ASSERT_EQ(id.size(), 200);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(static_cast<unsigned char>(id[50 * k + 1]), 64 + 16 * k) << active;
}

INSTANTIATE_TEST_SUITE_P(ActiveMaps, IdentifierRows, ::testing::Values(2, 0));

TEST_F(DownloadTest, BrandedAddsTheDealerCompanyAndTakesItAsOwner) {
    BrandingFlag = 1;
    DealerCompany = QStringLiteral("Fast Lane Tuning and Performance Ltd");
    ASSERT_TRUE(WtsCM::Download_All());
    const std::vector<QByteArray>& e = queued();
    ASSERT_EQ(e.size(), 6u);
    EXPECT_EQ(e[5], text(0, "Fast Lane Tuning") + text(16, " and Performance"));
    EXPECT_EQ(UserName, DealerCompany);
    EXPECT_EQ(Progress().value(), 30);
}

TEST_F(DownloadTest, ShortTextsAndTheNoTuneCharacter) {
    MapDscr = QString(70, 'x');
    NoTuneFlag = 170;
    WiringDiagramName.clear();
    MapId = QStringLiteral("ABC");
    ASSERT_TRUE(WtsCM::Download_All());
    const std::vector<QByteArray>& e = queued();
    EXPECT_EQ(e[0].mid(4 * 50), QByteArray("A\xD0\r", 3) + Pad) << "empty wiring-diagram name";
    EXPECT_EQ(e[0].mid(3 * 50 + 2, 16), QByteArray(15, 'x') + "\xAA");
    // The whole identifier goes out, so no tail of an older, longer one stays.
    const QByteArray blanks(16, ' ');
    EXPECT_EQ(e[2], "<@ABC" + QByteArray(13, ' ') + "\r" + Pad + "<P" + blanks + "\r" + Pad + "<`" +
                        blanks + "\r" + Pad + "<p" + blanks + "\r" + Pad)
        << "identifier rows padded with blanks to 64 characters";
}

TEST_F(DownloadTest, SecondCallBeforeTheSendQueuesOnlyOnce) {
    startPolling();
    ASSERT_TRUE(WtsCM::Download_All());
    ASSERT_TRUE(WtsCM::Download_All());
    EXPECT_EQ(SendRequests.size(), 1u);
    Map5Image[0] = 1; // a changed image is a download of its own
    ASSERT_TRUE(WtsCM::Download_All());
    EXPECT_EQ(SendRequests.size(), 2u);
    tick(1);
    ASSERT_TRUE(WtsCM::Download_All()); // the first is in hand; this one waits behind it
    EXPECT_EQ(SendRequests.size(), 1u) << "the same as the one still waiting";
}

TEST_F(DownloadTest, ProgressShowsAssemblyThenDownloading) {
    ASSERT_TRUE(WtsCM::Download_All());
    EXPECT_TRUE(Progress().visible());
    EXPECT_EQ(Progress().text(), "Downloading Data");
    EXPECT_EQ(Progress().value(), 25);
}

TEST_F(DownloadTest, ValueThatIsNoByteRefusesTheWholeDownload) {
    struct Case {
        ImageTable* table;
        int address;
        int value;
        const char* named;
    };
    const Case cases[] = {
        {&ParamBlock, 200, 300, "page 4 address 200 holds 300"},
        {&Map5Image, 37, -1, "page 5 address 37 holds -1"},
        {&Map6Image, 175, 999, "page 6 address 175 holds 999"},
    };
    for (const Case& c : cases) {
        fillImage();
        const QString before = MapDscr;
        dialogs.clear();
        (*c.table)[c.address] = static_cast<std::int16_t>(c.value);
        EXPECT_FALSE(WtsCM::Download_All());
        EXPECT_TRUE(SendRequests.empty());
        EXPECT_EQ(SendPending, 0);
        EXPECT_FALSE(Progress().loaded()) << "nothing shown";
        EXPECT_EQ(MapDscr, before);
        ASSERT_EQ(dialogs.records().size(), 1u);
        EXPECT_TRUE(dialogs.records()[0].text.contains(c.named)) << dialogs.records()[0].text;
        EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Critical);
    }
    // Only the places the download sends count.
    fillImage();
    Map6Image[176] = 999;
    ParamBlock[5] = 999;
    EXPECT_TRUE(WtsCM::Download_All());
}

TEST_F(DownloadTest, TwoProblemsNameTheFirstInSendingOrder) {
    Map6Image[3] = 256;
    ParamBlock[255] = -7;
    EXPECT_FALSE(WtsCM::Download_All());
    EXPECT_EQ(WtsCM::Download_Image_Problem().value_or(""), "page 4 address 255 holds -7");
}

// The download against the simulated unit, in process behind the serial control.
class DownloadSimTest : public LinkTest {
protected:
    DownloadSimTest() {
        link->Comm1.setDevice(
            std::make_unique<InProcessDevice>([this](const QByteArray& b) { return sim.feed(b); }));
        fillImage();
    }
    sim::Unit sim;
};

TEST_F(DownloadSimTest, UnitHoldsTheImageAfterTheDownload) {
    startPolling();
    ActiveMap = 2;
    sim.setActiveMap(sim::Unit::MapB);
    MapId = MapId.leftJustified(64, ' ');
    ASSERT_TRUE(WtsCM::Download_All());
    tick(8);
    for (int a = 128; a < 256; ++a)
        ASSERT_EQ(sim.byte(4, a), ParamBlock[a]) << a;
    for (int a = 0; a < 256; ++a)
        ASSERT_EQ(sim.byte(5, a, sim::Unit::MapB), Map5Image[a]) << a;
    for (int a = 0; a < 176; ++a)
        ASSERT_EQ(sim.byte(6, a, sim::Unit::MapB), Map6Image[a]) << a;
    for (int k = 0; k < 64; ++k)
        ASSERT_EQ(sim.byte(4, 64 + k), MapId.at(k).unicode()) << k;
    const QByteArray unitText = sim.text();
    EXPECT_EQ(unitText.mid(128, 64), MapDscr.toLatin1());
    EXPECT_EQ(unitText.mid(208, 16), "WD-17 HARNESS 2B");
    EXPECT_EQ(CommStatus, 0) << "the download ends in a read-out of the unit";
}

} // namespace
