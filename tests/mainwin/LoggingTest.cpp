// Live-data logging from the Tools menu: the file numbers, the headers, and two
// complete files after every way of stopping a recording, on-line against the
// simulated unit.

#include "mainwin/Logging.h"
#include "core/WtsAFR.h"
#include "link/LiveLog.h"
#include "link/LogLines.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/CaseNames.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/LinkWaits.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

namespace {

class LoggingTest : public MainTest {
protected:
    LoggingTest() {
        WtsAFR::Init_AFR_Tables();
        LogBaseName = QStringLiteral("KVR6");
        DealerOwner = QStringLiteral("Joe Bloggs");
        cfg_CommSpeed = 20;
    }

    QStringList lines(const QString& name) const {
        QStringList l = QString::fromLatin1(folder.read(name)).split(QStringLiteral("\r\n"));
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    }
    // Logs until the raw log holds n live replies.
    void recordLive(int n) {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                int live = 0;
                for (const QString& line : lines(QStringLiteral("KVR6002.raw")))
                    live += line.contains(QStringLiteral(" ,49 ")) ? 1 : 0;
                return live >= n;
            },
            10000));
    }
    // Both logs closed with their end lines.
    void expectComplete() {
        const QStringList text = lines(QStringLiteral("KVR6.002"));
        const QStringList raw = lines(QStringLiteral("KVR6002.raw"));
        ASSERT_GE(text.size(), 7) << "header, data and end";
        EXPECT_EQ(text.last(), QStringLiteral("End"));
        EXPECT_EQ(raw.last(), QStringLiteral("End"));
        EXPECT_EQ(text.count(QStringLiteral("End")), 1);
        EXPECT_EQ(raw.count(QStringLiteral("End")), 1);
        EXPECT_FALSE(LiveLogs().isOpen());
        EXPECT_EQ(LogState, 0);
    }
};

} // namespace

TEST_F(LoggingTest, NumberIsOneMoreThanTheMatchingFiles) {
    folder.write(QStringLiteral("KVR6.cfg"), "");
    EXPECT_EQ(Logging::Next_Log_Number(), QStringLiteral("002"));
    // Raw logs and other names do not count.
    folder.write(QStringLiteral("KVR6009.raw"), "");
    folder.write(QStringLiteral("KVR6Mode.cfg"), "");
    EXPECT_EQ(Logging::Next_Log_Number(), QStringLiteral("002"));
}

TEST_F(LoggingTest, NumberMovesOnPastExistingLogs) {
    // KVR6.003 was deleted: three files count, but 004 exists, and 005 has its raw log.
    for (const char* name : {"KVR6.cfg", "KVR6.002", "KVR6.004", "KVR6005.raw"})
        folder.write(QString::fromLatin1(name), "");
    EXPECT_EQ(Logging::Next_Log_Number(), QStringLiteral("006"));
}

TEST_F(LoggingTest, NumberWrapsAfter999) {
    for (int i = 1; i <= 999; ++i)
        folder.write(QStringLiteral("KVR6.x%1").arg(i), "");
    EXPECT_EQ(Logging::Next_Log_Number(), QStringLiteral("000"));
    EXPECT_EQ(Logging::Number_Text(1000), QStringLiteral("000"));
    EXPECT_EQ(Logging::Number_Text(7), QStringLiteral("007"));
    EXPECT_EQ(Logging::Number_Text(42), QStringLiteral("042"));
}

TEST_F(LoggingTest, Headers) {
    const QDateTime started(QDate(2026, 12, 9), QTime(14, 5, 9));
    const QStringList header = Logging::Text_Log_Header(QStringLiteral("KVR6.002"), started);
    ASSERT_EQ(header.size(), 5);
    EXPECT_EQ(header[0], QStringLiteral("Fast Lane Motors"));
    // The date ends in column 37; the time starts in the zone at column 43.
    EXPECT_EQ(header[1], QStringLiteral("Joe Bloggs KVR6 data logg: 12-09-2026     14:05:09"));
    EXPECT_EQ(header[2], QStringLiteral("               File name: KVR6.002"));
    EXPECT_EQ(header[3], QString());
    EXPECT_EQ(header[4],
              QStringLiteral("Time ,Comm Cnt ,RPM ,Deflection ,AMP Input ,Engine T ,AFR OXY ,AFR "
                             "Input V ,Analog Input V ,Analog Mod ,Analog Output V ,Injection "
                             "Length ,Ign Mod ,AMP Pos ,Eng T Pos ,RPM Pos ,ANA/DEFL Pos"));
    EXPECT_EQ(header[4].split(QLatin1Char(',')).size(), 17);
}

TEST_F(LoggingTest, RecordingFromTheMenu) {
    folder.write(QStringLiteral("KVR6.cfg"), "");
    frmMain& w = loadOnline();
    ASSERT_TRUE(w.mnuLogging->isEnabled());
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("Start Logging KVR6"));
    SendRequests.clear();
    w.mnuLogging->trigger();
    EXPECT_EQ(LogState, 1);
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("STOP Logging KVR6"));
    EXPECT_TRUE(w.mnuLogging->isChecked());
    EXPECT_EQ(w.StatusPanel[4]->text(), QStringLiteral("Log File : KVR6.002"));
    EXPECT_EQ(SendPending, 1) << "the unit is read again";
    ASSERT_FALSE(SendRequests.empty());
    EXPECT_EQ(SendRequests.back().kind, SendKind::Refresh);
    recordLive(5);
    w.mnuLogging->trigger();
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("Start Logging KVR6"));
    EXPECT_FALSE(w.mnuLogging->isChecked());
    EXPECT_EQ(w.StatusPanel[4]->text(), QString()) << "no log file is written any more";
    expectComplete();

    const QStringList text = lines(QStringLiteral("KVR6.002"));
    EXPECT_EQ(text[2], QStringLiteral("               File name: KVR6.002"));
    // Every data line: the time, the count and fifteen readings.
    const QRegularExpression data(
        QStringLiteral("^\\d\\d:\\d\\d:\\d\\d,( *-?[0-9.]+, ){15} *-?[0-9.]+ $"));
    for (int i = 5; i < text.size() - 1; ++i)
        EXPECT_TRUE(data.match(text[i]).hasMatch()) << text[i].toStdString();
    // The raw log holds the read-out's page replies as well as the live replies.
    const QStringList raw = lines(QStringLiteral("KVR6002.raw"));
    EXPECT_TRUE(std::any_of(raw.begin(), raw.end(), [](const QString& l) {
        return l.contains(QStringLiteral(" ,56 0 "));
    })) << "the first page of the read-out";
    for (int i = 1; i < raw.size() - 1; ++i)
        EXPECT_TRUE(LogLines::Record_Bytes(raw[i])) << raw[i].toStdString();
}

namespace {

struct StopWay {
    const char* name;
    std::function<void(frmMain&)> stop;
};

class EveryWayOfStopping : public LoggingTest, public ::testing::WithParamInterface<StopWay> {};

} // namespace

TEST_P(EveryWayOfStopping, LeavesBothFilesComplete) {
    folder.write(QStringLiteral("KVR6.cfg"), "");
    frmMain& w = loadOnline();
    w.mnuLogging_Click();
    ASSERT_EQ(LogState, 1);
    recordLive(2);
    GetParam().stop(w);
    expectComplete();
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EveryWayOfStopping,
    ::testing::Values(StopWay{"going off-line", [](frmMain& w) { w.mnuOffline->trigger(); }},
                      StopWay{"Exit", [](frmMain& w) { w.mnuExit_Click(); }},
                      StopWay{"closing the window", [](frmMain& w) { w.close(); }}),
    By_Case_Name());

namespace {

// A way of going on-line again while a recording runs, with the fixture's unit
// and dialogs.
struct OnlineWay {
    const char* name;
    std::function<void(sim::Unit&, Dialogs::ScriptedProvider&, frmMain&)> goOnline;
};

class ARecordingGoesOn : public LoggingTest, public ::testing::WithParamInterface<OnlineWay> {};

} // namespace

TEST_P(ARecordingGoesOn, AcrossGoingOnLine) {
    folder.copyData(QStringLiteral("clrkvr.map"));
    const auto rawLive = [](const QStringList& raw) {
        return std::count_if(raw.begin(), raw.end(),
                             [](const QString& l) { return l.contains(QStringLiteral(" ,49 ")); });
    };
    folder.write(QStringLiteral("KVR6.cfg"), "");
    frmMain& w = loadOnline();
    w.mnuLogging->trigger();
    ASSERT_EQ(LogState, 1);
    ASSERT_TRUE(Wait_Link_Settled());
    recordLive(3);

    GetParam().goOnline(unit, dialogs, w);
    const qsizetype before = lines(QStringLiteral("KVR6002.raw")).size();
    EXPECT_EQ(LogState, 1) << "still recording";
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("STOP Logging KVR6"));
    EXPECT_TRUE(w.mnuLogging->isChecked());
    EXPECT_EQ(w.StatusPanel[4]->text(), QStringLiteral("Log File : KVR6.002"));

    // Connected and read again, then polling: all of it goes into the raw log.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QStringList after = lines(QStringLiteral("KVR6002.raw")).mid(before);
            return UnitOnline == 1 && SendPending == 0 && rawLive(after) >= 5;
        },
        15000));
    const QStringList after = lines(QStringLiteral("KVR6002.raw")).mid(before);
    EXPECT_TRUE(std::any_of(after.begin(), after.end(), [](const QString& l) {
        return l.contains(QStringLiteral(" ,56 0 "));
    })) << "the read-out after connecting again";

    // The next click stops this recording; it starts no other.
    w.mnuLogging->trigger();
    expectComplete();
    EXPECT_FALSE(folder.exists(QStringLiteral("KVR6.003")));
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("Start Logging KVR6"));
    EXPECT_FALSE(w.mnuLogging->isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ARecordingGoesOn,
    ::testing::Values(OnlineWay{"the On-Line menu", [](sim::Unit&, Dialogs::ScriptedProvider&,
                                                       frmMain& w) { w.mnuOnline->trigger(); }},
                      OnlineWay{"a click on NO COMM'S",
                                [](sim::Unit& unit, Dialogs::ScriptedProvider&, frmMain& w) {
                                    unit.faults.silent = true;
                                    ASSERT_TRUE(QTest::qWaitFor(
                                        [&] {
                                            return w.lblNoComms[0]->isVisibleTo(&w) &&
                                                   w.lblNoComms[0]->text() ==
                                                       QStringLiteral("NO COMM'S");
                                        },
                                        10000));
                                    unit.faults.silent = false;
                                    QTest::mouseClick(w.lblNoComms[0], Qt::LeftButton);
                                }},
                      OnlineWay{"the clear-unit sequence",
                                [](sim::Unit&, Dialogs::ScriptedProvider& dialogs, frmMain& w) {
                                    dialogs.answer(Dialogs::Answer::Yes);
                                    // Between a live reply and the next tick: the sequence connects
                                    // first.
                                    ASSERT_TRUE(QTest::qWaitFor(
                                        [&] {
                                            if (CommStatus != 11)
                                                return false;
                                            w.Timer_Clear_Timer();
                                            return true;
                                        },
                                        10000));
                                    ASSERT_EQ(PauseMode, 2) << "the clear has started";
                                }}),
    By_Case_Name());

TEST_F(LoggingTest, GoingOfflineSaysLoggingHasStopped) {
    frmMain& w = loadOnline();
    w.mnuLogging_Click();
    dialogs.clear();
    w.mnuOffline->trigger();
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].text, QStringLiteral("Logging has been stopped!"));
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("Start Logging KVR6"));
    EXPECT_FALSE(frmMain::Entry_State(w.mnuLogging)) << "no logging off-line";
}

TEST_F(LoggingTest, FilesThatCannotBeCreatedLeaveLoggingOff) {
    folder.write(QStringLiteral("KVR6.cfg"), "");
    // A folder where the raw log would go: the number is free, the file cannot be made.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("KVR6002.raw")));
    frmMain& w = loadOnline();
    SendRequests.clear();
    const int pendingBefore = SendPending;
    w.mnuLogging_Click();
    EXPECT_EQ(LogState, 0);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Critical);
    EXPECT_TRUE(dialogs.records()[0].text.contains(QStringLiteral("KVR6002.raw")));
    EXPECT_FALSE(folder.exists(QStringLiteral("KVR6.002"))) << "no text log without its raw log";
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("Start Logging KVR6"));
    EXPECT_FALSE(w.mnuLogging->isChecked());
    EXPECT_EQ(SendPending, pendingBefore) << "no read-out for a recording that did not start";
}

TEST_F(LoggingTest, ALogThatCanNoLongerBeWrittenStopsTheRecordingAndIsTold) {
    folder.write(QStringLiteral("KVR6.cfg"), ""); // so the recording is number 002
    frmMain& w = loadOnline();
    w.mnuLogging_Click();
    ASSERT_EQ(LogState, 1);
    recordLive(2);
    dialogs.clear();
    {
        // As on a full disk: the logs cannot grow past what they hold now.
        const qint64 held = std::max(QFileInfo(folder.file(QStringLiteral("KVR6.002"))).size(),
                                     QFileInfo(folder.file(QStringLiteral("KVR6002.raw"))).size());
        FileSizeLimit limit(static_cast<rlim_t>(held));
        ASSERT_TRUE(limit.active());
        EXPECT_TRUE(QTest::qWaitFor([] { return LogState == 0; }, 10000));
    }
    EXPECT_FALSE(LiveLogs().isOpen());
    // Told once the receive handler that met the failure has returned.
    // The serial trace, limited alike, tells its own failure apart.
    const auto logging = [&] {
        std::vector<Dialogs::ScriptedProvider::Record> found;
        for (const auto& r : dialogs.records())
            if (r.title == QStringLiteral("Logging"))
                found.push_back(r);
        return found;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return !logging().empty(); }, 5000));
    ASSERT_EQ(logging().size(), 1u);
    EXPECT_EQ(logging()[0].icon, Dialogs::Icon::Critical);
    const QString text = logging()[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("could not be written")));
    EXPECT_TRUE(text.contains(QStringLiteral("KVR6.002")) ||
                text.contains(QStringLiteral("KVR6002.raw")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("size limit"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Unknown error")));
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("Start Logging KVR6"));
    EXPECT_FALSE(w.mnuLogging->isChecked());
}
