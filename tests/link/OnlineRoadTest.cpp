// The whole on-line road through the real serial port code: the program's link
// against the simulated unit on a pseudo-terminal, served in this process or by
// the kvr6-sim program.

#include "ReceiveTestSupport.h"

#include "core/DealerSettings.h"
#include "link/WtsUp.h"
#include "sim/PtyServer.h"
#include "tests/support/CaseNames.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

class OnlineRoad : public ::testing::Test, protected FreshState {
protected:
    ~OnlineRoad() override { qunsetenv("KVR6_COM1"); }

    // Goes on-line on port 1 (the device named by KVR6_COM1) and waits until the
    // unit is read out and `polls` live replies have been taken after it.
    bool goOnline(UnitLink& link, int polls, int timeoutMs) {
        int taken = 0;
        Hooks().Text_Values = [&] { ++taken; };
        cfg_CommPort = 1;
        link.SerialPortOn();
        if (!link.Comm1.PortOpen())
            return false;
        link.GO_ONLine();
        link.Comm_Timer_Timer();
        const bool done = QTest::qWaitFor([&] { return taken >= polls; }, timeoutMs);
        Hooks().Text_Values = [] {};
        return done;
    }

    // The image holds what the unit holds: pages 4 (128..255), 5 and 6 (0..175)
    // and the texts.
    void expectImage(const sim::Unit& unit) {
        EXPECT_EQ(Image_Bytes(ParamBlock, 128, 255), Unit_Bytes(unit, 4, 128, 255));
        EXPECT_EQ(Image_Bytes(Map5Image, 0, 255), Unit_Bytes(unit, 5, 0, 255));
        EXPECT_EQ(Image_Bytes(Map6Image, 0, 175), Unit_Bytes(unit, 6, 0, 175));
        EXPECT_EQ(MapId, QString::fromLatin1(Unit_Bytes(unit, 4, 0, 63)));
        EXPECT_EQ(MapDscr, QString::fromLatin1(unit.text().mid(128, 63)));
        EXPECT_EQ(WiringDiagramName, QString::fromLatin1(unit.text().mid(208, 16)));
        EXPECT_EQ(TestDates[5], QString::fromLatin1(unit.text().mid(112, 16)));
    }

    TempProgramFolder folder;
    Dialogs::ScriptedProvider dialogs;
};

TEST_F(OnlineRoad, RepliesInPiecesOverAPseudoTerminal) {
    sim::Unit unit;
    Scramble(unit, 11);
    unit.setText(QByteArray("Road Test Motors") + QByteArray(16, ' '), 0);
    unit.faults.splitPieces = 4;
    unit.faults.splitGapMs = 3;
    sim::PtyServer server(unit);
    QString error;
    ASSERT_TRUE(server.open(&error)) << error.toStdString();
    server.setPaced(false);
    qputenv("KVR6_COM1", server.devicePath().toLocal8Bit());
    {
        UnitLink link;
        ASSERT_TRUE(goOnline(link, 5, 10000)) << "CommStatus " << CommStatus;
        EXPECT_EQ(UnitOnline, 1);
        EXPECT_EQ(UserName, "Road Test Motors");
        expectImage(unit);
        EXPECT_EQ(UnitVersion, sim::Unit::HardwareVersion);
        EXPECT_EQ(OnlineState, "Online");
        link.Form_Unload();
    }
    EXPECT_TRUE(dialogs.records().empty());
}

TEST_F(OnlineRoad, Kvr6SimProgramIsReadOutAndPolledAtLineSpeed) {
    QTemporaryDir dir;
    const QString port = dir.filePath("com1");
    QProcess simProgram;
    simProgram.start(TempProgramFolder::binDir() + "/kvr6-sim", {"--link", port});
    ASSERT_TRUE(simProgram.waitForStarted(3000));
    ASSERT_TRUE(simProgram.waitForReadyRead(3000));
    qputenv("KVR6_COM1", port.toLocal8Bit());
    {
        UnitLink link;
        ASSERT_TRUE(goOnline(link, 10, 15000)) << "CommStatus " << CommStatus;
        const sim::Unit factory; // kvr6-sim starts from the factory image
        expectImage(factory);
        EXPECT_EQ(UserName, "KVR6 FACTORY SETTINGS");
        EXPECT_GT(LiveRpm, 0) << "the engine idles";
        EXPECT_TRUE(Has_Live_Cell());
        link.Form_Unload();
    }
    simProgram.terminate();
    EXPECT_TRUE(simProgram.waitForFinished(3000));
    EXPECT_TRUE(dialogs.records().empty());
}

// The kvr6-sim program at 19200 bit/s, writing every reply in pieces with pauses
// between them as USB adapters deliver them, at the default poll base and at the
// lowest one the link accepts: the read-out finishes, live polling goes on, and
// the link never had to reconnect.
struct PiecesCase {
    const char* pieces;
    const char* gapMs;
    int base;
    std::string name;
};

class Kvr6SimRepliesInPieces : public OnlineRoad,
                               public ::testing::WithParamInterface<PiecesCase> {};

TEST_P(Kvr6SimRepliesInPieces, AreReadOutAtEveryAcceptedBase) {
    const PiecesCase& c = GetParam();
    const std::string what = std::string("--split ") + c.pieces + " --split-gap-ms " + c.gapMs +
                             " base " + std::to_string(c.base);
    cfg_CommSpeed = c.base;
    QTemporaryDir dir;
    const QString port = dir.filePath("com1");
    QProcess simProgram;
    simProgram.start(TempProgramFolder::binDir() + "/kvr6-sim",
                     {"--link", port, "--split", c.pieces, "--split-gap-ms", c.gapMs});
    ASSERT_TRUE(simProgram.waitForStarted(3000)) << what;
    ASSERT_TRUE(simProgram.waitForReadyRead(3000)) << what;
    qputenv("KVR6_COM1", port.toLocal8Bit());
    {
        UnitLink link;
        link.Comm_Timer.setInterval(cfg_CommSpeed + 20);
        EXPECT_TRUE(goOnline(link, 10, 30000)) << what << ": CommStatus " << CommStatus;
        const sim::Unit factory;
        expectImage(factory);
        EXPECT_EQ(UserName, "KVR6 FACTORY SETTINGS") << what;
        EXPECT_EQ(OnlineState, "Online") << what << ": the link had to reconnect";
        EXPECT_GT(LiveRpm, 0) << what;
        EXPECT_FALSE(Progress().loaded()) << what;
        link.Form_Unload();
    }
    simProgram.terminate();
    EXPECT_TRUE(simProgram.waitForFinished(3000));
    EXPECT_TRUE(dialogs.records().empty()) << what;
}

PiecesCase piecesCase(const char* pieces, const char* gapMs, int base) {
    return {pieces, gapMs, base,
            std::string("Pieces") + pieces + "Gap" + gapMs + "msBase" + std::to_string(base)};
}

INSTANTIATE_TEST_SUITE_P(SplitReplies, Kvr6SimRepliesInPieces,
                         ::testing::Values(piecesCase("4", "16", 100), piecesCase("3", "40", 100),
                                           piecesCase("4", "16", WtsGeneral::MinCommSpeed),
                                           piecesCase("3", "40", WtsGeneral::MinCommSpeed)),
                         By_Case_Name());

} // namespace
