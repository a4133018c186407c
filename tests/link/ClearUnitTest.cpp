#include "LinkTestSupport.h"

#include "link/ClearUnit.h"
#include "link/SendPath.h"
#include "platform/TextFile.h"
#include "sim/SimUnit.h"

namespace {

const QByteArray Pad(31, '\0');
const QDateTime March1(QDate(2025, 3, 1), QTime(14, 7, 33));

QString rowLine(int row, int type, int first) {
    QString line = QStringLiteral("%1 %2 ").arg(row, 2).arg(type);
    for (int k = 0; k < 16; ++k)
        line += QStringLiteral("%1 ").arg((first + k) % 256, 3);
    return line;
}

QByteArray rowFrame(char letter, int row, int first) {
    QByteArray f(1, letter);
    f.append(static_cast<char>(row * 16));
    for (int k = 0; k < 16; ++k)
        f.append(static_cast<char>((first + k) % 256));
    return f + "\r" + Pad;
}

QByteArray record(int address, const QByteArray& text) {
    return QByteArray(1, 'A') + QByteArray(1, static_cast<char>(address)) + text + "\r" + Pad;
}

TEST(ClearImage, RowAndMapLinesBecomeTheirFrames) {
    const QStringList lines = {
        QStringLiteral("Map=B"),     rowLine(3, 0, 10),  QString(),
        rowLine(15, 1, 200),         rowLine(0, 2, 250), QStringLiteral("   "),
        rowLine(12, 4, 65).left(68), // without its last blank
        QStringLiteral("Map=A")};
    const std::vector<QByteArray> e = WtsCM::Clear_Image_Elements(lines);
    const std::vector<QByteArray> expected = {
        QByteArray("2\0\0\r", 4) + Pad, rowFrame('<', 3, 10),  rowFrame('=', 15, 200),
        rowFrame('>', 0, 250),          rowFrame('A', 12, 65), QByteArray("2\0\1\r", 4) + Pad};
    EXPECT_EQ(e, expected);
    EXPECT_EQ(e[0].size(), 35);
    EXPECT_EQ(e[1].size(), 50);
}

TEST(ClearImage, SixteenRowsOfEachMapPageAndAMapLineGiveThirtyEightElements) {
    QStringList lines;
    for (int r = 0; r < 16; ++r)
        lines << rowLine(r, 1, r);
    for (int r = 0; r < 16; ++r)
        lines << rowLine(r, 2, r);
    lines << QStringLiteral("Map=B");
    const auto all = WtsCM::Clear_Elements(WtsCM::Clear_Image_Elements(lines), March1);
    EXPECT_EQ(all.size(), 38u);
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i].size(), i == 32 ? 35 : 50) << i;
}

TEST(ClearImage, StampAndBlankRecordsFollowTheImage) {
    EXPECT_EQ(WtsCM::Clear_Stamp(March1), "dtdt030120251407");
    EXPECT_EQ(WtsCM::Clear_Stamp(QDateTime(QDate(2026, 12, 31), QTime(0, 5))), "dtdt123120260005");
    const auto all = WtsCM::Clear_Elements({rowFrame('<', 8, 0)}, March1);
    const std::vector<QByteArray> expected = {rowFrame('<', 8, 0),
                                              record(48, "dtdt030120251407"),
                                              record(64, QByteArray(16, '\xFF')),
                                              record(80, QByteArray(16, '\xFF')),
                                              record(96, QByteArray(16, '\xFF')),
                                              record(112, QByteArray(16, '\xFF'))};
    EXPECT_EQ(all, expected);
}

TEST(ClearImage, BadLinesAreRefusedNamingTheLine) {
    const QString good = rowLine(2, 0, 0);
    QString badValue = good;
    badValue.replace(9, 3, QStringLiteral("256"));
    QString letters = good;
    letters.replace(13, 3, QStringLiteral(" x1"));
    struct Case {
        QString line;
        const char* why;
    };
    const Case cases[] = {
        {rowLine(16, 0, 0), "row number"},
        {rowLine(2, 3, 0), "page digit"}, // no command letter for page 3
        {rowLine(2, 7, 0), "page digit"},
        {badValue, "column 10"},
        {letters, "column 14"},
        {good.left(67), "neither a row line nor a map line"},
        {QStringLiteral("End"), "neither a row line nor a map line"},
        {QStringLiteral(" Map=A"), "fifth character"},
        {QStringLiteral("Map=C"), "fifth character"},
        {QStringLiteral("-1 0") + good.mid(4), "row number"},
    };
    for (const Case& c : cases) {
        try {
            WtsCM::Clear_Image_Elements({good, QString(), c.line, good});
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const KvrError& e) {
            EXPECT_TRUE(e.description().startsWith("Line 3 of \"clrkvr.map\"")) << e.description();
            EXPECT_TRUE(e.description().contains(c.why)) << e.description();
        }
    }
}

TEST(ClearImage, AtMostEightyThreeLinesFitTheQueue) {
    QStringList lines;
    for (int i = 0; i < 83; ++i)
        lines << rowLine(i % 16, 1, i);
    EXPECT_EQ(WtsCM::Clear_Image_Elements(lines).size(), 83u);
    lines << QString() << rowLine(0, 1, 0);
    EXPECT_THROW(WtsCM::Clear_Image_Elements(lines), KvrError);
}

TEST(ClearImage, DeliveredFactoryImageIsAcceptedWhole) {
    const QStringList lines =
        TextFile::readLines(TempProgramFolder::sourceDir() + QStringLiteral("/data/clrkvr.map"));
    const auto e = WtsCM::Clear_Image_Elements(lines);
    EXPECT_LE(e.size() + 5, 88u);
    EXPECT_EQ(e.front(), QByteArray("2\0\1\r", 4) + Pad) << "starts on map A";
}

// The sequence as the hold on the "RPM" heading starts it.
class ClearUnitTest : public LinkTest {
protected:
    ClearUnitTest() {
        CaptionProduct = QStringLiteral("KVR6");
        link->Comm1.setDevice(
            std::make_unique<InProcessDevice>([this](const QByteArray& b) { return sim.feed(b); }));
    }
    void run() {
        WtsCM::Clear_Unit([] { return March1; });
    }
    sim::Unit sim;
};

TEST_F(ClearUnitTest, ConfirmationNamesTheProductAndNoEndsIt) {
    folder.copyData(WtsCM::ClearFileName);
    dialogs.answer(Dialogs::Answer::No);
    run();
    ASSERT_EQ(dialogs.records().size(), 1u);
    const auto& ask = dialogs.records()[0];
    EXPECT_EQ(ask.title, "Clearing the KVR6 unit!!");
    EXPECT_EQ(ask.text, "You are about the clear the KVR6 unit. This will DELETE all the stored "
                        "data and LOAD the default factory settings to the KVR6 unit. Do you wish "
                        "to continue?");
    EXPECT_EQ(ask.buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(ask.icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_FALSE(Progress().loaded());
}

TEST_F(ClearUnitTest, EnterAtTheConfirmationClearsNothing) {
    folder.copyData(WtsCM::ClearFileName);
    run(); // nothing scripted: the box is answered with its default button, as by Enter
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].defaultButton, Dialogs::DefaultButton::Second) << "No";
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_FALSE(Progress().loaded());
}

TEST_F(ClearUnitTest, MissingOrBadFileSendsNothingAndShowsNoProgress) {
    dialogs.answer(Dialogs::Answer::Yes);
    run();
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_TRUE(dialogs.records()[1].text.contains("\"clrkvr.map\" was not found"));
    EXPECT_TRUE(dialogs.records()[1].text.contains("Nothing has been sent"));

    folder.writeLines(WtsCM::ClearFileName, {rowLine(0, 1, 0), rowLine(1, 3, 0)});
    dialogs.clear();
    dialogs.answer(Dialogs::Answer::Yes);
    run();
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_TRUE(dialogs.records()[1].text.startsWith("Line 2 of \"clrkvr.map\""));
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_EQ(SendPending, 0);
    EXPECT_EQ(PauseMode, 0);
    EXPECT_FALSE(Progress().loaded());
    startPolling();
    tick(5);
    EXPECT_EQ(sim.frames().size(), sim.polls() + 0u) << "nothing but polls went out";
}

TEST_F(ClearUnitTest, OffLineClearGoesOnLineAndQueuesBehindTheReadOut) {
    folder.copyData(WtsCM::ClearFileName);
    cfg_CommPort = 1;
    link->SerialPortOn();
    CommStatus = 4;
    dialogs.answer(Dialogs::Answer::Yes);
    run();
    EXPECT_EQ(OnlineState, "Online");
    EXPECT_EQ(CommStatus, 0) << "connected and read first";
    EXPECT_EQ(Progress().text(), "Clearing the KVR6 UNIT");
    EXPECT_EQ(Progress().value(), 0);
    EXPECT_EQ(PauseMode, 2);
    ASSERT_EQ(SendRequests.size(), 1u);
    EXPECT_EQ(SendRequests.front().kind, SendKind::QueueWithProgress);
    EXPECT_EQ(SendRequests.front().elements.size(), 85u);
}

TEST_F(ClearUnitTest, UnitHoldsTheFactoryImageTheStampAndBlankRecords) {
    folder.copyData(WtsCM::ClearFileName);
    sim.setActiveMap(sim::Unit::MapB);
    for (int a = 0; a < 256; ++a) {
        sim.setByte(5, a, 77, sim::Unit::MapA);
        sim.setByte(5, a, 77, sim::Unit::MapB);
        sim.setByte(6, a, 77, sim::Unit::MapA);
        sim.setByte(6, a, 77, sim::Unit::MapB);
    }
    sim.setText(QByteArray(96, 'z'), 32);
    startPolling();
    dialogs.answer(Dialogs::Answer::Yes);
    run();
    tick(90);
    EXPECT_EQ(sim.activeMap(), sim::Unit::MapA);
    for (const int bank : {sim::Unit::MapA, sim::Unit::MapB}) {
        for (int a = 0; a < 256; ++a)
            ASSERT_EQ(sim.byte(5, a, bank), 0) << bank << " " << a;
        for (int a = 0; a < 128; ++a)
            ASSERT_EQ(sim.byte(6, a, bank), 100) << bank << " " << a;
        EXPECT_EQ(sim.byte(6, 128, bank), 128);
        EXPECT_EQ(sim.byte(6, 144, bank), 0);
    }
    EXPECT_EQ(sim.byte(4, 145), 4) << "four cylinders";
    const QByteArray text = sim.text();
    EXPECT_EQ(text.mid(32, 16), QByteArray(16, 'z')) << "record 0 is kept";
    EXPECT_EQ(text.mid(48, 16), "dtdt030120251407");
    EXPECT_EQ(text.mid(64, 64), QByteArray(64, '\xFF'));
    EXPECT_EQ(text.mid(128, 16), "Factory settings");
    EXPECT_EQ(static_cast<unsigned char>(text.at(191)), 255) << "not locked";
    EXPECT_FALSE(sim.locked());
    EXPECT_EQ(PauseMode, 0) << "the sequencer is released after the last element";
}

} // namespace

TEST_F(ClearUnitTest, AnEmptyOrRowlessFactoryImageIsRefusedBeforeAnythingIsSent) {
    const std::pair<const char*, QByteArray> files[] = {
        {"empty", ""},
        {"blank lines", "\r\n   \r\n\r\n"},
        {"only a map line", "Map=A\r\n"},
    };
    startPolling();
    for (const auto& [what, bytes] : files) {
        folder.write(WtsCM::ClearFileName, bytes);
        const std::size_t framesBefore = sim.frames().size();
        const std::size_t pollsBefore = sim.polls();
        dialogs.clear();
        dialogs.answer(Dialogs::Answer::Yes);
        run();
        ASSERT_EQ(dialogs.records().size(), 2u) << what;
        const QString told = dialogs.records()[1].text;
        EXPECT_TRUE(told.contains("\"clrkvr.map\"")) << what << ": " << told.toStdString();
        EXPECT_TRUE(told.contains("Nothing has been sent")) << what;
        EXPECT_TRUE(SendRequests.empty()) << what;
        EXPECT_EQ(PauseMode, 0) << what;
        EXPECT_FALSE(Progress().loaded()) << what;
        tick(5);
        EXPECT_EQ(sim.frames().size() - framesBefore, sim.polls() - pollsBefore)
            << what << ": nothing but polls went out";
    }
}
