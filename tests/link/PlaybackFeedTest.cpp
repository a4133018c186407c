// Play-back of a raw log: reading the file into records, and the feed that
// hands them to the receive handler on each off-line tick.

#include "ReceiveTestSupport.h"

#include "link/LiveLog.h"
#include "link/LogLines.h"
#include "link/PlaybackModel.h"
#include "platform/KvrError.h"

#include <QTime>

namespace {

// A live reply with its engine period, live cell and analog input set.
QByteArray liveReply(int periodLow, int cell, int analog) {
    QByteArray r(18, '\0');
    r[0] = '1';
    r[2] = static_cast<char>(analog);
    r[6] = 0;
    r[7] = static_cast<char>(periodLow);
    r[12] = static_cast<char>(cell);
    r[14] = static_cast<char>(0x80); // map A, unlocked
    r[15] = 40;
    r[16] = 50;
    r[17] = '\r';
    return r;
}

QString record(const QByteArray& reply) {
    return LogLines::Raw_Log_Line(QTime(10, 0, 0), reply);
}

} // namespace

class PlaybackFeedTest : public LinkTest {
protected:
    PlaybackFeedTest() {
        Record_Receive_Hooks(recorder);
        Hooks().Playback_Menu_State2 = [this] { recorder.calls << QStringLiteral("ended"); };
        OnlineState = QStringLiteral("Offline");
        UnitOnline = 1;
        CommStatus = 11;
        PrevActiveMap = 1;
    }

    QStringList readFile(const QStringList& lines) {
        folder.writeLines(QStringLiteral("KVR6002.raw"), lines);
        return PlaybackModel::Read_Raw_Log(folder.file(QStringLiteral("KVR6002.raw")));
    }
    // The error number a file is refused with, 0 when it is read.
    int refusal(const QStringList& lines) {
        try {
            readFile(lines);
            return 0;
        } catch (const KvrError& e) {
            return e.number();
        }
    }
    void load(const QStringList& records) {
        Playback().Set_Records(QStringLiteral("test.raw"), records);
        Playback().Run();
    }
};

TEST_F(PlaybackFeedTest, TheDateAndTheEndLineAreNoRecords) {
    const QString data = record(liveReply(195, 0x21, 60));
    EXPECT_EQ(readFile({"12/09/2026", data, "End"}), QStringList{data});
    EXPECT_EQ(readFile({"12/09/2026", data, data, "End"}).size(), 2);
}

TEST_F(PlaybackFeedTest, ALogCutOffWithoutItsEndKeepsItsLastReply) {
    const QString first = record(liveReply(195, 0x21, 60));
    const QString last = record(liveReply(50, 0x47, 153));
    EXPECT_EQ(readFile({"12/09/2026", first, last}), (QStringList{first, last}));
    // Nothing after an "End" line is replayed.
    EXPECT_EQ(readFile({"12/09/2026", first, "End", last}), QStringList{first});
}

TEST_F(PlaybackFeedTest, AtMost30001RecordsAreRead) {
    QStringList lines{QStringLiteral("12/09/2026")};
    const QString data = record(liveReply(195, 0x21, 60));
    for (int i = 0; i < 40000; ++i)
        lines << data;
    lines << QStringLiteral("End");
    EXPECT_EQ(readFile(lines).size(), PlaybackModel::MaxRecords);
    EXPECT_EQ(LogLines::Length_Text(PlaybackModel::MaxRecords, 60), QStringLiteral("50Min 0Sec"));
}

TEST_F(PlaybackFeedTest, FilesThatAreNoRawLogsAreRefused) {
    EXPECT_EQ(refusal({}), KvrError::InputPastEnd) << "empty";
    EXPECT_EQ(refusal({"12/09/2026"}), KvrError::InputPastEnd) << "date only";
    EXPECT_EQ(refusal({"12/09/2026", "End"}), KvrError::InputPastEnd) << "nothing recorded";
    EXPECT_EQ(refusal({"12/09/2026", "10:00:00 ,49 300 13 ", "End"}), KvrError::BadFileMode);
    EXPECT_EQ(refusal({"12/09/2026", "some text", "End"}), KvrError::BadFileMode);
    EXPECT_EQ(refusal({"12/09/2026", "10:00:00 ,49 0 13 ", "End"}), 0);
    try {
        PlaybackModel::Read_Raw_Log(folder.file(QStringLiteral("none.raw")));
        ADD_FAILURE() << "a missing file is read";
    } catch (const KvrError& e) {
        EXPECT_EQ(e.number(), KvrError::FileNotFound);
    }
}

TEST_F(PlaybackFeedTest, EachOfflineTickFeedsOneRecordIntoTheReadings) {
    load({record(liveReply(195, 0x21, 51)), record(liveReply(100, 0x35, 102)),
          record(liveReply(50, 0x47, 153))});
    const std::pair<int, int> expected[] = {{6010, 0x21}, {11719, 0x35}, {23438, 0x47}};
    for (int i = 0; i < 3; ++i) {
        recorder.calls.clear();
        tick();
        EXPECT_EQ(PlaybackIndex, i + 1);
        EXPECT_EQ(LiveRpm, expected[i].first) << i;
        EXPECT_EQ(LiveMapCell, expected[i].second) << i;
        EXPECT_TRUE(recorder.has("Text_Values")) << "the display follows record " << i;
    }
    EXPECT_TRUE(unit.writes.empty()) << "nothing is sent off-line";
    EXPECT_EQ(Playback().runningTime(), LogLines::Running_Time_Text(3));
}

TEST_F(PlaybackFeedTest, TheFeedEndsPlaybackAtTheLastRecord) {
    load({record(liveReply(195, 0x21, 51)), record(liveReply(100, 0x35, 102))});
    tick();
    EXPECT_EQ(LogState, 3);
    EXPECT_FALSE(recorder.has("ended"));
    tick();
    EXPECT_EQ(LiveMapCell, 0x35) << "the last record is still shown";
    EXPECT_EQ(LogState, 0);
    EXPECT_EQ(recorder.count("ended"), 1);
    EXPECT_TRUE(Playback().runEnabled());
    EXPECT_FALSE(Playback().pauseEnabled());
    EXPECT_FALSE(Playback().stopEnabled());
    tick();
    EXPECT_EQ(PlaybackIndex, 2) << "nothing after the end";
}

TEST_F(PlaybackFeedTest, AnEndRecordStopsPlayback) {
    load({record(liveReply(195, 0x21, 51)), QStringLiteral("End"),
          record(liveReply(100, 0x35, 102))});
    tick(3);
    EXPECT_EQ(LogState, 0);
    EXPECT_EQ(PlaybackIndex, 2);
    EXPECT_EQ(LiveMapCell, 0x21);
}

TEST_F(PlaybackFeedTest, AShorterFileNeverReplaysTheRecordsOfALongerOne) {
    QStringList longer;
    for (int i = 0; i < 10; ++i)
        longer << record(liveReply(195, 0x10 + i, 51));
    load(longer);
    tick(3);
    load({record(liveReply(100, 0x70, 102))});
    tick(5);
    EXPECT_EQ(PlaybackIndex, 1);
    EXPECT_EQ(LiveMapCell, 0x70);
    EXPECT_EQ(LogState, 0);
}

TEST_F(PlaybackFeedTest, APageReplyAheadHoldsTheWindowOpen) {
    const QString page = record(QByteArray("8") + QByteArray(129, '\x07'));
    ASSERT_GT(page.size(), PlaybackModel::PageRecordChars);
    const QString live = record(liveReply(195, 0x21, 51));
    load({live, live, page, live});
    tick();
    EXPECT_EQ(Playback().hold(), PlaybackModel::HoldTicks);
    Playback().setHold(0);
    tick();
    EXPECT_EQ(Playback().hold(), 0) << "the page is only one place ahead now";
}

TEST_F(PlaybackFeedTest, PlaybackRunsOnlyOffline) {
    Playback().Set_Records(QStringLiteral("test.raw"), {record(liveReply(195, 0x21, 51))});
    OnlineState = QStringLiteral("Online");
    Playback().Run();
    EXPECT_EQ(LogState, 0);
    LogState = 2;
    Playback().Pause();
    EXPECT_EQ(LogState, 2) << "no resume on-line";
    OnlineState = QStringLiteral("Offline");
    Playback().Pause();
    EXPECT_EQ(LogState, 3);
    Playback().Pause();
    EXPECT_EQ(LogState, 2);
    LogState = 0;
    Playback().Clear();
    Playback().Run();
    EXPECT_EQ(LogState, 0) << "nothing loaded";
}

TEST_F(PlaybackFeedTest, TraceShowsTheRecordedReply) {
    QString label;
    Hooks().SetLabel = [&](LinkLabel name, const QString& text) {
        if (name == LinkLabel::lblComm)
            label = text;
    };
    QByteArray reply = liveReply(195, 0x21, 51);
    load({record(reply)});
    tick();
    EXPECT_TRUE(label.startsWith(QStringLiteral("LEN=0  1=49 2=0 3=51 "))) << label.toStdString();
    EXPECT_TRUE(label.endsWith(QStringLiteral(" 18=13   -cmd=49"))) << label.toStdString();
    const QStringList lines = traceLines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[lines.size() - 2].startsWith(QStringLiteral("Data IN")));
    EXPECT_EQ(lines.last(), LogLines::Trace_Bytes(reply));
}

TEST_F(PlaybackFeedTest, LiveLogWritesEndLinesAndNeverReplacesAFile) {
    const QString text = folder.file(QStringLiteral("KVR6.002"));
    const QString raw = folder.file(QStringLiteral("KVR6002.raw"));
    LiveLog log;
    QString error;
    ASSERT_TRUE(log.open(text, raw, &error)) << error.toStdString();
    log.writeText(QStringLiteral("header"));
    log.writeRaw(QStringLiteral("date"));
    EXPECT_EQ(folder.read(QStringLiteral("KVR6.002")), "header\r\n") << "written through at once";
    log.close();
    EXPECT_EQ(folder.read(QStringLiteral("KVR6.002")), "header\r\nEnd\r\n");
    EXPECT_EQ(folder.read(QStringLiteral("KVR6002.raw")), "date\r\nEnd\r\n");
    log.close();
    EXPECT_EQ(folder.read(QStringLiteral("KVR6002.raw")), "date\r\nEnd\r\n") << "closed once";

    folder.write(QStringLiteral("KVR6.003"), "old");
    EXPECT_FALSE(log.open(folder.file(QStringLiteral("KVR6.003")),
                          folder.file(QStringLiteral("KVR6003.raw")), &error));
    EXPECT_EQ(folder.read(QStringLiteral("KVR6.003")), "old");
    EXPECT_FALSE(folder.exists(QStringLiteral("KVR6003.raw")));
    folder.write(QStringLiteral("KVR6004.raw"), "old");
    EXPECT_FALSE(log.open(folder.file(QStringLiteral("KVR6.004")),
                          folder.file(QStringLiteral("KVR6004.raw")), &error));
    EXPECT_FALSE(folder.exists(QStringLiteral("KVR6.004"))) << "no half of a pair is left";
    EXPECT_TRUE(error.contains(QStringLiteral("KVR6004.raw"))) << error.toStdString();
    EXPECT_FALSE(log.isOpen());
}
