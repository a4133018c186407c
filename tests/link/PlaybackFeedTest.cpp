// Play-back of a raw log: reading the file into records, and the feed that
// hands them to the receive handler on each off-line tick.

#include "ReceiveTestSupport.h"

#include "core/KeptImage.h"
#include "link/LiveLog.h"
#include "link/LogLines.h"
#include "link/PlaybackModel.h"
#include "link/WtsUp.h"
#include "platform/KvrError.h"

#include <QTime>
#include <optional>

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

namespace {

const std::vector<QByteArray> ReadOutRequests = {
    WtsUp::Read_Frame('8', 0, 128),   WtsUp::Read_Frame('8', 128, 128),
    WtsUp::Read_Frame('8', 204, 4),   WtsUp::Read_Frame('9', 0, 128),
    WtsUp::Read_Frame('9', 128, 128), WtsUp::Read_Frame(':', 0, 128),
    WtsUp::Read_Frame(':', 128, 48),  WtsUp::Read_Frame('@', 0, 32),
    WtsUp::Read_Frame('@', 32, 128),  WtsUp::Read_Frame('@', 128, 128),
};

} // namespace

// A recording as logging takes it from a unit: a live reply, the whole read-out
// that starts the recording, and live replies again.
class RecordedImageTest : public PlaybackFeedTest {
protected:
    RecordedImageTest() {
        Scramble(recorded, 11);
        records << record(recorded.liveReply());
        for (const QByteArray& read : ReadOutRequests)
            records << record(recorded.feed(read).at(0));
        for (int cell : {0x21, 0x35, 0x47})
            records << record(liveReply(195, cell, 51));
    }
    // The image and texts the read-out of the recorded unit gives.
    void expectRecordedImage() {
        EXPECT_EQ(Image_Bytes(ParamBlock, 128, 255), Unit_Bytes(recorded, 4, 128, 255));
        EXPECT_EQ(Image_Bytes(Map5Image, 0, 255), Unit_Bytes(recorded, 5, 0, 255));
        EXPECT_EQ(Image_Bytes(Map6Image, 0, 175), Unit_Bytes(recorded, 6, 0, 175));
        EXPECT_EQ(MapId, QString::fromLatin1(Unit_Bytes(recorded, 4, 0, 63)));
        EXPECT_EQ(MapDscr, QString::fromLatin1(recorded.text().mid(128, 63)));
    }
    void playAll() {
        load(records);
        for (int i = 1; i <= records.size(); ++i) {
            tick();
            ASSERT_EQ(PlaybackIndex, i) << "one record a tick";
        }
        EXPECT_EQ(LogState, 0) << "played to the end";
    }
    sim::Unit recorded;
    QStringList records;
};

TEST_F(RecordedImageTest, OneRecordATickAndTheSameImageWhateverTheLinkDidBefore) {
    struct Start {
        const char* name;
        int unitOnline;
        int commStatus;
    };
    for (const Start s : {Start{"never on-line", 0, 0}, Start{"read out before", 1, 11},
                          Start{"gone off-line in a read-out", 0, 4},
                          Start{"gone off-line sending a queue", 1, 13}}) {
        SCOPED_TRACE(s.name);
        for (ImageTable* t : {&ParamBlock, &Map5Image, &Map6Image})
            t->fill(9);
        KeptImage::Mark_Kept(); // another map, loaded from its file
        UnitOnline = s.unitOnline;
        CommStatus = s.commStatus;
        unit.writes.clear();
        recorder.calls.clear();
        playAll();
        expectRecordedImage();
        EXPECT_EQ(LiveMapCell, 0x47) << "the readings of the last record";
        EXPECT_TRUE(recorder.has("arrange_table")) << "the grid shows the recorded map";
        EXPECT_EQ(CommStatus, s.commStatus) << "the link's state is not the recording's";
        EXPECT_EQ(UnitOnline, s.unitOnline);
        EXPECT_TRUE(unit.writes.empty()) << "nothing is sent off-line";
        EXPECT_FALSE(Progress().loaded()) << "no read-out of the unit runs";
        EXPECT_TRUE(dialogs.records().empty()) << "nothing unsaved to ask about";
    }
}

TEST_F(RecordedImageTest, UnsavedChangesAreReplacedOnlyWhenTheUserSaysSo) {
    struct Case {
        const char* name;
        bool edited;
        std::optional<Dialogs::Answer> answer; // none scripted: the default button
        bool replaced;
    };
    for (const Case c : {Case{"nothing changed", false, std::nullopt, true},
                         Case{"changed, Enter", true, std::nullopt, false},
                         Case{"changed, No", true, Dialogs::Answer::No, false},
                         Case{"changed, Yes", true, Dialogs::Answer::Yes, true}}) {
        SCOPED_TRACE(c.name);
        for (ImageTable* t : {&ParamBlock, &Map5Image, &Map6Image})
            t->fill(9);
        KeptImage::Mark_Kept(); // a map loaded from its file
        if (c.edited)
            Map5Image[40] = 123;
        dialogs.clear();
        if (c.answer)
            dialogs.answer(*c.answer);
        playAll();
        ASSERT_EQ(dialogs.records().size(), c.edited ? 1u : 0u);
        if (c.edited) {
            const auto& ask = dialogs.records()[0];
            EXPECT_EQ(ask.title, QStringLiteral("Play Back"));
            EXPECT_EQ(ask.buttons, Dialogs::Buttons::YesNo);
            EXPECT_EQ(ask.defaultButton, Dialogs::DefaultButton::Second) << "Enter keeps them";
        }
        if (c.replaced) {
            expectRecordedImage();
        } else {
            EXPECT_EQ(Map5Image[40], 123);
            EXPECT_EQ(Map5Image[41], 9);
            EXPECT_EQ(ParamBlock[200], 9);
        }
        EXPECT_EQ(LiveMapCell, 0x47) << "the readings are played back either way";
    }
}

TEST_F(RecordedImageTest, AChangeMadeAfterTheAnswerIsNeverReplaced) {
    for (ImageTable* t : {&ParamBlock, &Map5Image, &Map6Image})
        t->fill(9);
    KeptImage::Mark_Kept();
    Map5Image[40] = 123;
    dialogs.answer(Dialogs::Answer::Yes);
    load(records);
    tick();              // the live reply before the pages
    Map5Image[41] = 124; // typed in while it plays
    for (int i = 0; i < records.size(); ++i)
        tick();
    EXPECT_EQ(Map5Image[41], 124);
    EXPECT_EQ(ParamBlock[200], 9);
}

TEST_F(RecordedImageTest, LiveRecordsOnlyAskNothing) {
    for (ImageTable* t : {&ParamBlock, &Map5Image, &Map6Image})
        t->fill(9);
    KeptImage::Mark_Kept();
    Map5Image[40] = 123;
    records = {records.first(), records.last()};
    playAll();
    EXPECT_TRUE(dialogs.records().empty());
    EXPECT_EQ(Map5Image[40], 123);
}
