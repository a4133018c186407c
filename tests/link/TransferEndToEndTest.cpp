#include "ReceiveTestSupport.h"

#include "link/ClearUnit.h"
#include "link/Download.h"
#include "link/SendPath.h"
#include "link/WtsCM.h"
#include "link/WtsUp.h"
#include "platform/TextFile.h"

namespace {

const QDateTime ClearTime(QDate(2025, 3, 1), QTime(14, 7));

// The download and the clear against the simulated unit, the receive handler and
// the read-out in place: what the unit ends up holding, and what the program has
// read back from it.
class TransferEndToEnd : public SimReceiveTest {
protected:
    // Ticks, each reply handed over, until the requests are sent and the read-out
    // after them is back at live polling.
    void runUntilPolling() {
        for (int i = 0; i < 200; ++i) {
            tick();
            settle();
            if (SendPath::Requests_Outstanding() == 0 && UnitOnline == 1 && CommStatus == 10)
                return;
        }
        ADD_FAILURE() << "still busy: CommStatus " << CommStatus;
    }
    // The program's pages agree with the active bank of the unit.
    void expectImageIsTheUnits() {
        const int bank = sim.activeMap();
        EXPECT_EQ(Image_Bytes(ParamBlock, 128, 255), Unit_Bytes(sim, 4, 128, 255));
        EXPECT_EQ(Image_Bytes(Map5Image, 0, 255), Unit_Bytes(sim, 5, 0, 255, bank));
        EXPECT_EQ(Image_Bytes(Map6Image, 0, 175), Unit_Bytes(sim, 6, 0, 175, bank));
    }
};

TEST_F(TransferEndToEnd, UnitHoldsTheDownloadedImageAndTheProgramReadsItBack) {
    Scramble(sim, 7);
    connect();
    ASSERT_EQ(UnitOnline, 1);
    for (int a = 0; a < 256; ++a) {
        ParamBlock[a] = static_cast<std::int16_t>((a * 11 + 5) % 256);
        Map5Image[a] = static_cast<std::int16_t>((a * 13 + 1) % 256);
        Map6Image[a] = static_cast<std::int16_t>((a * 17 + 9) % 256);
    }
    ParamBlock[Idx_Cylinders] = 4;
    MapDscr = QStringLiteral("Road map, stage two, 98 RON");
    MapId = QStringLiteral("STAGE2-98").leftJustified(64, ' ');
    WiringDiagramName = QStringLiteral("Harness 4B");
    NoTuneFlag = 255;
    const ImageTable param = ParamBlock;
    const ImageTable map5 = Map5Image;
    const ImageTable map6 = Map6Image;

    ASSERT_TRUE(WtsCM::Download_All());
    runUntilPolling();

    const int bank = sim.activeMap();
    EXPECT_EQ(Unit_Bytes(sim, 4, 128, 255), Image_Bytes(param, 128, 255));
    EXPECT_EQ(Unit_Bytes(sim, 5, 0, 255, bank), Image_Bytes(map5, 0, 255));
    EXPECT_EQ(Unit_Bytes(sim, 6, 0, 175, bank), Image_Bytes(map6, 0, 175));
    EXPECT_EQ(Unit_Bytes(sim, 4, 0, 63), MapId.toLatin1()) << "identifier of map A";
    const QByteArray text = sim.text();
    EXPECT_EQ(text.mid(128, 64),
              QByteArray("Road map, stage two, 98 RON").leftJustified(63, ' ') + "\xFF");
    EXPECT_EQ(text.mid(208, 10), "Harness 4B");

    expectImageIsTheUnits();
    EXPECT_EQ(MapDscr, QStringLiteral("Road map, stage two, 98 RON").leftJustified(63, ' '));
    EXPECT_EQ(MapId, QStringLiteral("STAGE2-98").leftJustified(64, ' '));
    EXPECT_EQ(WiringDiagramName.left(10), QStringLiteral("Harness 4B"));
    EXPECT_FALSE(Progress().loaded()) << "the progress window goes with the read-out";
}

TEST_F(TransferEndToEnd, DownloadCutOffByALostPortGoesOutWholeOnceThePortIsBack) {
    Scramble(sim, 5);
    connect();
    ASSERT_EQ(UnitOnline, 1);
    for (int a = 0; a < 256; ++a) {
        Map5Image[a] = static_cast<std::int16_t>((a * 7 + 3) % 256);
        Map6Image[a] = static_cast<std::int16_t>((a * 5 + 2) % 256);
    }
    const ImageTable map5 = Map5Image;
    const ImageTable map6 = Map6Image;
    ASSERT_TRUE(WtsCM::Download_All());
    tick(3); // the poll, then the first elements
    settle();
    dev->lose(); // the adapter is pulled out mid-download
    tick(5);
    EXPECT_EQ(SendPath::Requests_Outstanding(), 1) << "the download waits for the port";
    // The port opens again at the reconnect; the download then goes out and is read back.
    runUntilPolling();
    const int bank = sim.activeMap();
    EXPECT_EQ(Unit_Bytes(sim, 5, 0, 255, bank), Image_Bytes(map5, 0, 255));
    EXPECT_EQ(Unit_Bytes(sim, 6, 0, 175, bank), Image_Bytes(map6, 0, 175));
    expectImageIsTheUnits();
    EXPECT_EQ(dialogs.records().size(), 1u) << "the loss is told once";
}

TEST_F(TransferEndToEnd, DownloadCutOffByALostUnitSaysItWaitsAndWillBeSentWhole) {
    connect();
    ASSERT_EQ(UnitOnline, 1);
    for (int a = 0; a < 256; ++a)
        Map5Image[a] = static_cast<std::int16_t>((a * 9 + 4) % 256);
    const ImageTable map5 = Map5Image;
    ASSERT_TRUE(WtsCM::Download_All());
    tick(3);
    settle();
    ASSERT_EQ(Progress().text(), QStringLiteral("Downloading Data"));
    dev->lose();
    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString told = dialogs.records()[0].text;
    EXPECT_TRUE(told.contains(QStringLiteral("The download waits for the unit")))
        << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("sent whole")));
    EXPECT_EQ(Progress().text(), QStringLiteral("Download waits for the unit"));
    tick(5);
    EXPECT_EQ(Progress().text(), QStringLiteral("Download waits for the unit"));
    // Once the port is back the download goes out again from its start.
    runUntilPolling();
    EXPECT_EQ(Unit_Bytes(sim, 5, 0, 255, sim.activeMap()), Image_Bytes(map5, 0, 255));
    EXPECT_EQ(dialogs.records().size(), 1u);
}

TEST_F(TransferEndToEnd, ALostUnitWithNoDownloadSaysNothingOfOne) {
    connect();
    ASSERT_EQ(UnitOnline, 1);
    dev->lose();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_FALSE(dialogs.records()[0].text.contains(QStringLiteral("download")));
}

TEST_F(TransferEndToEnd, QueueCutOffAfterItsSecondElementGoesOutAgainFromItsFirst) {
    connect();
    ASSERT_EQ(UnitOnline, 1);
    for (int a = 0; a < 256; ++a)
        Map5Image[a] = static_cast<std::int16_t>((a * 3 + 1) % 256);
    const std::vector<QByteArray> elements = WtsCM::Download_Elements();
    ASSERT_GE(elements.size(), 3u);
    ASSERT_TRUE(WtsCM::Download_All());
    sim.clearFrames();
    // Tick until the unit has taken the second element, then pull the adapter.
    const auto written = [&] {
        int n = 0;
        for (const QByteArray& f : sim.frames())
            n += f.at(0) != '1' ? 1 : 0;
        return n;
    };
    const QByteArray second = elements[1].left(4);
    for (int i = 0; i < 20; ++i) {
        tick(1);
        settle();
        if (std::any_of(sim.frames().begin(), sim.frames().end(),
                        [&](const QByteArray& f) { return f.startsWith(second); }))
            break;
    }
    ASSERT_GE(written(), 2) << "the second element reached the unit";
    dev->lose();
    tick(5);
    sim.clearFrames();
    runUntilPolling();
    // After the reconnect's read-out, the first write to arrive is the first element.
    const auto firstWrite =
        std::find_if(sim.frames().begin(), sim.frames().end(), [](const QByteArray& f) {
            const char c = f.at(0);
            return c != '1' && c != '8' && c != '9' && c != ':' && c != '@';
        });
    ASSERT_NE(firstWrite, sim.frames().end());
    EXPECT_TRUE(elements[0].startsWith(firstWrite->left(4))) << firstWrite->toHex().toStdString();
    expectImageIsTheUnits();
}

TEST_F(TransferEndToEnd, EditRaisedBehindAReadOutIsNotReadOver) {
    Scramble(sim, 9);
    connect();
    ASSERT_EQ(UnitOnline, 1);
    const int address = Idx_IgnMap + 37;
    const auto edited = static_cast<std::int16_t>((sim.byte(5, address) + 1) % 256);
    WtsCM::Request_Upload();
    // A cell typed in before the read-out has begun.
    Map5Image[address] = edited;
    SendPath::Queue_Command(WtsUp::Build_Page5_Cell_Frame(address));
    runUntilPolling();
    EXPECT_EQ(sim.byte(5, address), edited);
    EXPECT_EQ(Map5Image[address], edited) << "the edit is still in the image";
    expectImageIsTheUnits();
}

TEST_F(TransferEndToEnd, ClearedUnitHoldsTheFactoryImageAndTheProgramReadsItBack) {
    folder.copyData(WtsCM::ClearFileName);
    CaptionProduct = QStringLiteral("KVR6");
    Scramble(sim, 11);
    sim.setActiveMap(sim::Unit::MapB);
    const QByteArray record0 = sim.text().mid(32, 16);
    connect();
    dialogs.answer(Dialogs::Answer::Yes);
    WtsCM::Clear_Unit([] { return ClearTime; });
    runUntilPolling();

    // Every row line of the factory image is in the unit, in the bank its map line chose.
    int bank = sim::Unit::MapA;
    const QStringList lines =
        TextFile::readLines(TempProgramFolder::sourceDir() + QStringLiteral("/data/clrkvr.map"));
    for (const QString& line : lines) {
        if (line.contains(QLatin1String("Map="))) {
            bank = line.at(4) == 'A' ? sim::Unit::MapA : sim::Unit::MapB;
            continue;
        }
        const int row = line.left(2).trimmed().toInt();
        const int type = line.mid(3, 1).toInt();
        for (int k = 0; k < 16; ++k) {
            const int value = line.mid(5 + 4 * k, 3).trimmed().toInt();
            const int address = row * 16 + k;
            const int held = type == 4   ? static_cast<unsigned char>(sim.text().at(address))
                             : type == 0 ? sim.byte(4, address)
                                         : sim.byte(type + 4, address, bank);
            ASSERT_EQ(held, value) << line.toStdString() << " value " << k;
        }
    }
    EXPECT_EQ(sim.activeMap(), sim::Unit::MapA) << "the image ends on map A";
    const QByteArray text = sim.text();
    EXPECT_EQ(text.mid(32, 16), record0) << "record 0 stays";
    EXPECT_EQ(text.mid(48, 16), "dtdt030120251407");
    EXPECT_EQ(text.mid(64, 64), QByteArray(64, '\xFF'));
    EXPECT_FALSE(sim.locked());

    // Read back: the pages, the texts and the self-test records.
    expectImageIsTheUnits();
    EXPECT_EQ(ActiveMap, 1);
    EXPECT_EQ(TestDates[1], QStringLiteral("dtdt030120251407"));
    for (int i = 2; i <= 5; ++i)
        EXPECT_EQ(TestDates[static_cast<std::size_t>(i)], QString(16, QChar(255))) << i;
    EXPECT_EQ(MapDscr.trimmed(), QStringLiteral("Factory settings"));
    EXPECT_EQ(MapId.trimmed(), QStringLiteral("FACTORY MAP A"));
    EXPECT_EQ(PauseMode, 0);
}

} // namespace
