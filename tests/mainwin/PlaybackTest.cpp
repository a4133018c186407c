// The play-back window on the main window off-line, and the whole road: a
// recording taken on-line against the simulated unit, played back off-line,
// brings the same readings to the main window again.

#include "core/ModeFile.h"
#include "core/WtsAFR.h"
#include "link/LiveLog.h"
#include "link/LogLines.h"
#include "link/PlaybackModel.h"
#include "mainwin/frmPBStation.h"
#include "platform/FormInstance.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/CaseNames.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/Screenshots.h"
#include "tests/support/WindowWaits.h"

#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace {

QString liveRecord(int cell) {
    QByteArray r(18, '\0');
    r[0] = '1';
    r[7] = static_cast<char>(195);
    r[12] = static_cast<char>(cell);
    r[14] = static_cast<char>(0x80);
    r[17] = '\r';
    return LogLines::Raw_Log_Line(QTime(10, 0, 0), r);
}

class PlaybackTest : public MainTest {
protected:
    PlaybackTest() {
        WtsAFR::Init_AFR_Tables();
        LogBaseName = QStringLiteral("KVR6");
    }
    // The main window off-line with its default map, and the play-back window open.
    frmPBStation& openStation() {
        load();
        runSequencer();
        window->mnuPBScreen->trigger();
        EXPECT_TRUE(FormInstance<frmPBStation>::loaded());
        return FormInstance<frmPBStation>::get();
    }
    // A raw log of n live records in the program folder.
    QString writeLog(const QString& name, int n) {
        QStringList lines{QStringLiteral("12/09/2026")};
        for (int i = 0; i < n; ++i)
            lines << liveRecord(i % 128);
        lines << QStringLiteral("End");
        folder.writeLines(name, lines);
        return folder.file(name);
    }
    // Play-back on a program that has read a unit before going off-line.
    void readBefore() {
        UnitOnline = 1;
        CommStatus = 11;
    }
    void loadFile(frmPBStation& pb, const QString& path) {
        dialogs.file(path);
        pb.cmdLoad->click();
    }
    void feed(int ticks) {
        for (int i = 0; i < ticks; ++i)
            window->Link.Comm_Timer_Timer();
    }
};

} // namespace

TEST_F(PlaybackTest, NothingLoadedLeavesEveryControlOff) {
    frmPBStation& pb = openStation();
    EXPECT_EQ(pb.windowTitle(), QStringLiteral("Play Back Station"));
    for (QPushButton* b : {pb.cmdRun, pb.cmdPause, pb.cmdStop})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(pb.cmdLoad->isEnabled());
    EXPECT_FALSE(pb.sldRec->isEnabled());
    EXPECT_FALSE(pb.fraSec->isEnabled());
    EXPECT_TRUE(pb.lblFileName->text().isEmpty());
}

TEST_F(PlaybackTest, LoadingShowsTheRecordingAndItsLength) {
    frmPBStation& pb = openStation();
    const QString path = writeLog(QStringLiteral("KVR6002.raw"), 450);
    loadFile(pb, path);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].kind, QStringLiteral("open"));
    EXPECT_EQ(dialogs.records()[0].text, QStringLiteral("Zanfor DATA Files (*.raw)|*.raw"));
    EXPECT_EQ(Playback().count(), 450);
    EXPECT_EQ(pb.lblRecMax->text(), QStringLiteral("0Min 45Sec"));
    EXPECT_EQ(pb.lblFileName->text(), QStringLiteral("File Name: ") + path);
    EXPECT_EQ(pb.sldRec->maximum(), 450);
    EXPECT_TRUE(pb.cmdRun->isEnabled());
    EXPECT_FALSE(pb.cmdPause->isEnabled());
    EXPECT_FALSE(pb.cmdStop->isEnabled());
    EXPECT_TRUE(pb.sldRec->isEnabled());
    EXPECT_EQ(LogState, 0) << "loading does not start it";
    EXPECT_EQ(window->lblNoComms[0]->text(), QStringLiteral("Status: Play Back"));
    EXPECT_EQ(window->StatusPanel[4]->text(), QStringLiteral("Play Back : ") + path);

    // Reopened, the window shows the same recording, its length through 59.
    pb.cmdExit->click();
    ASSERT_FALSE(Still_Loaded<frmPBStation>());
    window->mnuPBScreen->trigger();
    frmPBStation& again = FormInstance<frmPBStation>::get();
    EXPECT_EQ(again.lblRecMax->text(), QStringLiteral("0Min 44Sec"));
    EXPECT_TRUE(again.cmdRun->isEnabled());
    EXPECT_EQ(again.lblFileName->text(), QStringLiteral("File Name: ") + path);
}

TEST_F(PlaybackTest, AFileThatCannotBePlayedIsRefused) {
    frmPBStation& pb = openStation();
    loadFile(pb, writeLog(QStringLiteral("good.raw"), 5));
    ASSERT_TRUE(pb.cmdRun->isEnabled());
    const std::pair<const char*, QByteArray> files[] = {
        {"empty.raw", ""},
        {"dateonly.raw", "12/09/2026\r\nEnd\r\n"},
        {"text.raw", "12/09/2026\r\nthis is no log\r\nEnd\r\n"},
        {"big.raw", "12/09/2026\r\n10:00:00 ,49 0 999 13 \r\nEnd\r\n"},
    };
    for (const auto& [name, bytes] : files) {
        folder.write(QString::fromLatin1(name), bytes);
        dialogs.clear();
        loadFile(pb, folder.file(QString::fromLatin1(name)));
        const auto messages = std::count_if(dialogs.records().begin(), dialogs.records().end(),
                                            [](const auto& r) { return r.kind == "message"; });
        EXPECT_EQ(messages, 1) << name;
        EXPECT_FALSE(pb.cmdRun->isEnabled()) << name;
        EXPECT_EQ(Playback().count(), 0) << name;
        pb.cmdRun->click();
        EXPECT_EQ(LogState, 0) << name;
    }
    dialogs.clear();
    loadFile(pb, folder.file(QStringLiteral("missing.raw")));
    EXPECT_EQ(dialogs.records().size(), 2u) << "the dialog and the message";
    EXPECT_FALSE(pb.cmdRun->isEnabled());
}

// Shows every message as a real modal box that takes the activation for a
// moment, as the user's message box does.
class ModalBoxes : public Dialogs::ScriptedProvider {
public:
    Dialogs::Answer message(const QString& title, const QString& text, Dialogs::Buttons buttons,
                            Dialogs::Icon icon, Dialogs::DefaultButton defaultButton) override {
        QMessageBox box;
        box.setText(text);
        box.setModal(true);
        box.show();
        activated = QTest::qWaitForWindowActive(&box);
        QTest::qWait(20);
        box.close();
        return ScriptedProvider::message(title, text, buttons, icon, defaultButton);
    }
    bool activated = false;
};

TEST_F(PlaybackTest, ItsOwnMessageDoesNotCloseTheWindow) {
    frmPBStation& pb = openStation();
    pb.KeepOpen = 1; // while the main window comes up behind it
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    pb.show();
    pb.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pb));
    pb.PBTime_Timer(); // time has passed since the window was opened
    ASSERT_EQ(pb.KeepOpen, 0);
    ModalBoxes boxes;
    folder.write(QStringLiteral("empty.raw"), "");
    EXPECT_FALSE(pb.Load_PB_Raw(folder.file(QStringLiteral("empty.raw"))));
    ASSERT_TRUE(boxes.activated) << "the box took the activation";
    ASSERT_EQ(boxes.records().size(), 1u);
    ASSERT_TRUE(Still_Loaded<frmPBStation>()) << "the user reads why and tries again";
    EXPECT_TRUE(pb.isVisible());

    // Another window that becomes active still closes it.
    pb.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pb));
    window->activateWindow();
    EXPECT_TRUE(Wait_Unloaded<frmPBStation>());
}

TEST_F(PlaybackTest, RunPauseStopAndTheFeed) {
    frmPBStation& pb = openStation();
    loadFile(pb, writeLog(QStringLiteral("KVR6002.raw"), 20));
    readBefore();
    pb.cmdRun->click();
    EXPECT_EQ(LogState, 3);
    EXPECT_FALSE(pb.cmdRun->isEnabled());
    EXPECT_TRUE(pb.cmdPause->isEnabled());
    EXPECT_TRUE(pb.cmdStop->isEnabled());
    feed(3);
    EXPECT_EQ(PlaybackIndex, 3);
    EXPECT_EQ(pb.sldRec->value(), 3);
    EXPECT_EQ(LiveMapCell, 2);
    EXPECT_EQ(pb.lblRecShow->text(), LogLines::Running_Time_Text(3));

    pb.cmdPause->click();
    EXPECT_EQ(LogState, 2);
    feed(3);
    EXPECT_EQ(PlaybackIndex, 3) << "paused";
    pb.cmdPause->click();
    EXPECT_EQ(LogState, 3);
    feed(2);
    EXPECT_EQ(PlaybackIndex, 5);

    ASSERT_TRUE(window->StatusPanel[4]->text().startsWith(QStringLiteral("Play Back : ")));
    pb.cmdStop->click();
    EXPECT_EQ(LogState, 0);
    EXPECT_TRUE(pb.cmdRun->isEnabled());
    EXPECT_FALSE(pb.cmdStop->isEnabled());
    EXPECT_EQ(window->StatusPanel[4]->text(), QString()) << "play-back has ended";
    EXPECT_TRUE(window->lblNoComms[1]->isVisibleTo(window.get()));
    // Run always starts at the first record.
    pb.cmdRun->click();
    feed(1);
    EXPECT_EQ(PlaybackIndex, 1);
    EXPECT_EQ(LiveMapCell, 0);
}

TEST_F(PlaybackTest, PlaybackEndsAtTheLastRecord) {
    frmPBStation& pb = openStation();
    loadFile(pb, writeLog(QStringLiteral("KVR6002.raw"), 4));
    pb.cmdRun->click();
    feed(10);
    EXPECT_EQ(PlaybackIndex, 4);
    EXPECT_EQ(LogState, 0);
    EXPECT_TRUE(pb.cmdRun->isEnabled());
    EXPECT_FALSE(pb.cmdPause->isEnabled());
    EXPECT_FALSE(pb.cmdStop->isEnabled());
}

TEST_F(PlaybackTest, LoadWhilePlayingOnlyStops) {
    frmPBStation& pb = openStation();
    loadFile(pb, writeLog(QStringLiteral("KVR6002.raw"), 20));
    pb.cmdRun->click();
    feed(2);
    dialogs.clear();
    pb.cmdLoad->click();
    EXPECT_EQ(LogState, 0);
    EXPECT_EQ(PlaybackIndex, 0);
    EXPECT_TRUE(dialogs.records().empty()) << "no dialog yet";
    pb.cmdLoad->click();
    EXPECT_EQ(dialogs.records().size(), 1u);
}

TEST_F(PlaybackTest, NothingPlaysOnline) {
    frmPBStation& pb = openStation();
    loadFile(pb, writeLog(QStringLiteral("KVR6002.raw"), 20));
    window->Link.GO_ONLine();
    dialogs.clear();
    pb.cmdLoad->click();
    EXPECT_TRUE(dialogs.records().empty());
    pb.cmdRun->click();
    EXPECT_EQ(LogState, 0);
    // A recording running on-line is not the play-back's to stop.
    LogState = 1;
    pb.cmdStop_Click();
    pb.sldRec_MouseDown();
    pb.sldRec_MouseUp();
    EXPECT_EQ(LogState, 1);
    LogState = 0;
}

TEST_F(PlaybackTest, PositionAndSpeedSliders) {
    frmPBStation& pb = openStation();
    loadFile(pb, writeLog(QStringLiteral("KVR6002.raw"), 450));
    pb.cmdRun->click();
    feed(2);
    pb.sldRec_MouseDown();
    EXPECT_EQ(LogState, 0) << "the feed holds while the position is dragged";
    pb.sldRec->setValue(100);
    EXPECT_EQ(pb.lblRecMax->text(), QStringLiteral("0Min 44Sec"));
    pb.sldRec_MouseUp();
    EXPECT_EQ(LogState, 3);
    feed(1);
    EXPECT_EQ(PlaybackIndex, 101);

    pb.sldSec->setValue(17);
    EXPECT_EQ(PlaybackSpeed, 17);
    pb.sldSec->setFocus();
    QTest::keyClick(pb.sldSec, Qt::Key_Left);
    EXPECT_EQ(PlaybackSpeed, 16);
}

TEST_F(PlaybackTest, AWindowBeyondTheKeptRangeWritesTheModeFileOnce) {
    frmPBStation& pb = openStation();
    pb.move(3000, 60); // farther right than 16-bit twips reach
    pb.PBTime_Timer();
    EXPECT_EQ(PbLeft, 32767);
    ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("KVR6Mode.cfg"))));
    pb.PBTime_Timer();
    EXPECT_FALSE(folder.exists(QStringLiteral("KVR6Mode.cfg"))) << "written again without a move";
}

TEST_F(PlaybackTest, MovingTheWindowIsKeptInTheModeFile) {
    frmPBStation& pb = openStation();
    pb.move(40, 60);
    pb.PBTime_Timer();
    EXPECT_EQ(PbLeft, 600);
    EXPECT_EQ(PbTop, 900);
    EXPECT_TRUE(folder.read(QStringLiteral("KVR6Mode.cfg")).contains("PB Top: 900"));
    pb.cmdExit->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    PbTop = 0;
    PbLeft = 0;
    WtsGeneral::Read_Mode_File();
    window->mnuPBScreen->trigger();
    EXPECT_EQ(FormInstance<frmPBStation>::get().pos(), QPoint(40, 60));
}

TEST_F(PlaybackTest, RecordedOnlineAndPlayedBackOffline) {
    cfg_CommSpeed = 20;
    folder.write(QStringLiteral("KVR6.cfg"), ""); // the recording is number 002
    frmMain& w = loadOnline();
    ASSERT_GE(CommStatus, 10);

    // What the main window shows after each live reply.
    QStringList shown;
    bool capture = false;
    Hooks().Text_Values = [&] {
        w.Text_Values();
        if (!capture)
            return;
        QString s = w.lblRPMShow->text() + '|' + w.lblAnalog_Defl->text();
        for (QLabel* l : w.RCNum)
            s += '|' + l->text();
        shown << s;
    };

    w.mnuLogging_Click();
    ASSERT_EQ(LogState, 1);
    // Past the read-out that starts the recording, a few seconds of live data.
    ASSERT_TRUE(Wait_Link_Settled());
    capture = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.size() >= 40; }, 10000));
    w.mnuLogging_Click();
    capture = false;
    const QStringList live = shown;
    shown.clear();
    ASSERT_EQ(LogState, 0);
    QStringList distinct = live;
    distinct.removeDuplicates();
    EXPECT_GT(distinct.size(), 3) << "the engine moved while it was recorded";

    w.mnuOffline->trigger();
    w.mnuPBScreen->trigger();
    frmPBStation& pb = FormInstance<frmPBStation>::get();
    loadFile(pb, folder.file(QStringLiteral("KVR6002.raw")));
    ASSERT_TRUE(pb.cmdRun->isEnabled()) << dialogs.texts().join('/').toStdString();
    pb.cmdRun->click();
    capture = true;
    for (int i = 0; i < 1000 && LogState == 3; ++i)
        w.Link.Comm_Timer_Timer();
    capture = false;
    EXPECT_EQ(LogState, 0) << "played to the end";
    EXPECT_EQ(PlaybackIndex, Playback().count());
    EXPECT_EQ(w.StatusPanel[4]->text(), QString());

    // The same readings in the same order; the replies the read-out at the start
    // of the recording took in before polling come first.
    ASSERT_GE(shown.size(), live.size());
    EXPECT_LE(shown.size() - live.size(), 3);
    EXPECT_EQ(shown.mid(shown.size() - live.size()), live);

    pb.show();
    EXPECT_TRUE(pb.grab().save(Screenshot_Path(QStringLiteral("playback-station.png"))));
}

namespace {

struct OnlineWay {
    const char* name;
    bool paused;
    std::function<void(frmMain&)> goOnline;
};

class GoingOnLine : public PlaybackTest, public ::testing::WithParamInterface<OnlineWay> {};

} // namespace

TEST_P(GoingOnLine, EndsThePlayBackAndItsWindowFollows) {
    const OnlineWay& way = GetParam();
    frmPBStation& pb = openStation();
    window->show();
    loadFile(pb, writeLog(QStringLiteral("KVR6002.raw"), 20));
    pb.cmdRun->click();
    feed(3);
    if (way.paused)
        pb.cmdPause->click();
    ASSERT_EQ(LogState, way.paused ? 2 : 3);
    way.goOnline(*window);
    EXPECT_EQ(OnlineState, QStringLiteral("Online"));
    EXPECT_EQ(LogState, 0) << "the play-back has ended";
    EXPECT_TRUE(pb.cmdRun->isEnabled());
    EXPECT_FALSE(pb.cmdPause->isEnabled());
    EXPECT_FALSE(pb.cmdStop->isEnabled());
    EXPECT_FALSE(window->lblNoComms[1]->isVisibleTo(window.get())) << "on-line: no Go Online";
    pb.cmdPause->click();
    EXPECT_EQ(LogState, 0) << "nothing resumes on-line";
}

INSTANTIATE_TEST_SUITE_P(
    Ways, GoingOnLine,
    ::testing::Values(
        OnlineWay{"On-Line while playing", false, [](frmMain& w) { w.mnuOnline->trigger(); }},
        OnlineWay{"On-Line while paused", true, [](frmMain& w) { w.mnuOnline->trigger(); }},
        OnlineWay{"a click on the status label", false,
                  [](frmMain& w) { QTest::mouseClick(w.lblNoComms[0], Qt::LeftButton); }}),
    By_Case_Name());

namespace {

// The map bytes and texts play-back may replace, and what the grid shows of them.
struct Shown {
    QByteArray param, map5, map6;
    QString mapId;
    QStringList grid;
    bool operator==(const Shown&) const = default;
};

Shown shownBy(const frmMain& w) {
    Shown s;
    for (int a = 128; a < 256; ++a)
        s.param += static_cast<char>(ParamBlock[a]);
    for (int a = 0; a < 256; ++a) {
        s.map5 += static_cast<char>(Map5Image[a]);
        s.map6 += static_cast<char>(Map6Image[a]);
    }
    s.mapId = MapId;
    for (const QLineEdit* box : w.Txt128)
        s.grid << box->text();
    return s;
}

} // namespace

class RecordedImagePlayback : public PlaybackTest {
protected:
    // A recording of a unit whose maps are all pattern, taken on-line with the
    // real menus; then the unit's maps change, so that reading it gives another
    // image than the recording holds.
    QString record() {
        cfg_CommSpeed = 20;
        for (int a = 0; a < 256; ++a) {
            unit.setByte(5, a, (a * 7 + 3) % 200);
            unit.setByte(6, a, (a * 5 + 1) % 200);
        }
        recordedMap5 = QByteArray();
        for (int a = 0; a < 256; ++a)
            recordedMap5 += static_cast<char>(unit.byte(5, a));
        folder.write(QStringLiteral("KVR6.cfg"), "");
        frmMain& w = loadOnline();
        w.mnuLogging->trigger();
        EXPECT_TRUE(Wait_Link_Settled());
        EXPECT_TRUE(QTest::qWaitFor([] { return LiveRpm > 0; }, 10000));
        QTest::qWait(300);
        w.mnuLogging->trigger();
        EXPECT_EQ(LogState, 0);
        for (int a = 0; a < 256; ++a) {
            unit.setByte(5, a, 201);
            unit.setByte(6, a, 202);
        }
        // The program ends here: the run that plays the recording is another
        // one, its link started afresh.
        window->C_Pause->stop();
        window.reset();
        ResetLinkState();
        UnitOnline = 0;
        return folder.file(QStringLiteral("KVR6002.raw"));
    }
    // Plays the file through the play-back window to its end.
    void play(const QString& path) {
        window->mnuPBScreen->trigger();
        frmPBStation& pb = FormInstance<frmPBStation>::get();
        loadFile(pb, path);
        ASSERT_TRUE(pb.cmdRun->isEnabled()) << dialogs.texts().join('/').toStdString();
        pb.cmdRun->click();
        for (int i = 0; i < 2000 && LogState == 3; ++i)
            window->Link.Comm_Timer_Timer();
        EXPECT_EQ(LogState, 0) << "played to the end";
        EXPECT_EQ(PlaybackIndex, Playback().count());
    }
    // Ends a run of the program, so that the next run starts with a link of its
    // own: the two runs compared are two starts of the program.
    void endRun() {
        FormInstance<frmPBStation>::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Playback().Clear();
        window->C_Pause->stop();
        window.reset();
        ResetLinkState();
    }
    QByteArray recordedMap5;
};

TEST_F(RecordedImagePlayback, TheSameLogGivesTheSameImageOnLineFirstAndOffLineFirst) {
    const QString path = record();

    // A run that reads the unit first, then goes off-line to play.
    OnlineState = QStringLiteral("Online");
    loadOnline();
    ASSERT_EQ(Map5Image[0], 201) << "the unit's maps have changed since";
    window->mnuOffline->trigger();
    play(path);
    const Shown onlineFirst = shownBy(*window);
    endRun();

    // A run that starts off-line with the default map.
    UnitOnline = 0;
    OnlineState = QStringLiteral("Offline");
    MapLoaded = 0;
    load();
    runSequencer();
    ASSERT_NE(Map5Image[0], 201);
    play(path);
    const Shown offlineFirst = shownBy(*window);

    EXPECT_EQ(onlineFirst.map5, recordedMap5) << "the recorded map, not the unit's of today";
    EXPECT_TRUE(onlineFirst == offlineFirst);
    EXPECT_EQ(onlineFirst.grid, offlineFirst.grid);
    EXPECT_EQ(onlineFirst.mapId, offlineFirst.mapId);
    EXPECT_TRUE(std::none_of(dialogs.records().begin(), dialogs.records().end(), [](const auto& r) {
        return r.title == QStringLiteral("Play Back");
    })) << "no unsaved change to ask about";
}

namespace {

class ATypedChange : public RecordedImagePlayback,
                     public ::testing::WithParamInterface<Dialogs::Answer> {};

} // namespace

TEST_P(ATypedChange, IsReplacedOnlyAfterAYes) {
    const Dialogs::Answer answer = GetParam();
    const QString path = record();
    UnitOnline = 0;
    OnlineState = QStringLiteral("Offline");
    MapLoaded = 0;
    frmMain& w = load();
    runSequencer();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Select_Tab(1);
    QTest::mouseClick(w.Txt128[5], Qt::LeftButton);
    QTest::keyClicks(w.txtEnter, QStringLiteral("33"));
    QTest::keyClick(w.txtEnter, Qt::Key_Return);
    const int typed = Map5Image[Idx_AnaMap + 5];
    ASSERT_EQ(w.Txt128[5]->text(), QStringLiteral("33"));

    dialogs.clear();
    dialogs.answer(answer);
    play(path);
    const auto asked = std::count_if(dialogs.records().begin(), dialogs.records().end(),
                                     [](const auto& r) { return r.kind == "message"; });
    ASSERT_EQ(asked, 1) << "asked before anything is replaced";
    EXPECT_EQ(dialogs.records().back().title, QStringLiteral("Play Back"));
    if (answer == Dialogs::Answer::No) {
        EXPECT_EQ(Map5Image[Idx_AnaMap + 5], typed);
        EXPECT_EQ(w.Txt128[5]->text(), QStringLiteral("33"));
        EXPECT_NE(Map5Image[0], recordedMap5.at(0));
    } else {
        EXPECT_EQ(Map5Image[Idx_AnaMap + 5],
                  static_cast<unsigned char>(recordedMap5.at(Idx_AnaMap + 5)));
        EXPECT_EQ(Map5Image[0], static_cast<unsigned char>(recordedMap5.at(0)));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ATypedChange,
                         ::testing::Values(Dialogs::Answer::No, Dialogs::Answer::Yes),
                         [](const ::testing::TestParamInfo<Dialogs::Answer>& info) {
                             return std::string(info.param == Dialogs::Answer::Yes ? "Yes" : "No");
                         });

namespace {

// A recording cut by a crash, a power loss or a full disk, or copied through a
// system that doubled its line ends: every complete record plays, the rest is
// passed over and counted for the user.
struct CutLog {
    const char* name;
    QByteArray bytes;
    int records;
    int skipped;
    int lastCell;
};

std::vector<CutLog> cutLogs() {
    const QByteArray r0 = liveRecord(0).toLatin1();
    const QByteArray r1 = liveRecord(1).toLatin1();
    const QByteArray r2 = liveRecord(2).toLatin1();
    const QByteArray head = "12/09/2026\r\n";
    return {
        {"cut in its time text", head + r0 + "\r\n" + r1 + "\r\n12:00:5", 2, 1, 1},
        {"cut in its bytes", head + r0 + "\r\n" + r1 + "\r\n" + r2.left(r2.size() - 2), 2, 1, 1},
        {"a blank line", head + r0 + "\r\n\r\n" + r1 + "\r\n" + r2 + "\r\nEnd\r\n", 3, 1, 2},
        {"CR CR LF line ends", head + r0 + "\r\r\n" + r1 + "\r\r\n" + r2 + "\r\r\nEnd\r\r\n", 3, 0,
         2},
        {"cut in its End line", head + r0 + "\r\n" + r1 + "\r\n" + r2 + "\r\nEn", 3, 1, 2},
    };
}

class ACutRawLog : public PlaybackTest, public ::testing::WithParamInterface<CutLog> {};

} // namespace

TEST_P(ACutRawLog, PlaysItsCompleteRecords) {
    const CutLog& c = GetParam();
    const char* const what = c.name;
    frmPBStation& pb = openStation();
    folder.write(QStringLiteral("cut.raw"), c.bytes);
    dialogs.clear();
    loadFile(pb, folder.file(QStringLiteral("cut.raw")));
    ASSERT_EQ(Playback().count(), c.records) << what;
    EXPECT_TRUE(pb.cmdRun->isEnabled()) << what;
    std::vector<QString> messages;
    for (const auto& r : dialogs.records())
        if (r.kind == "message")
            messages.push_back(r.text);
    if (c.skipped == 0) {
        EXPECT_TRUE(messages.empty()) << what;
    } else {
        ASSERT_EQ(messages.size(), 1u) << what;
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("%1 line of cut.raw is not a "
                                                          "complete recorded reply")
                                               .arg(c.skipped)))
            << what << ": " << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(
            QStringLiteral("The %1 complete records play back").arg(c.records)))
            << what;
    }
    // Played through, the last complete record is the last shown.
    readBefore();
    pb.cmdRun->click();
    feed(c.records + 3);
    EXPECT_EQ(PlaybackIndex, c.records) << what;
    EXPECT_EQ(LiveMapCell, c.lastCell) << what;
    EXPECT_EQ(LogState, 0) << what << ": play-back ended at the last record";
}

INSTANTIATE_TEST_SUITE_P(Cuts, ACutRawLog, ::testing::ValuesIn(cutLogs()), By_Case_Name());

namespace {

struct WindowGoes {
    const char* name;
    bool run;        // Run before the window goes
    bool deactivate; // the window goes as the user moves to another one
};

class TheStateSaysPlayBack : public PlaybackTest,
                             public ::testing::WithParamInterface<WindowGoes> {};

} // namespace

TEST_P(TheStateSaysPlayBack, OnlyWhileOneIsThereToPlay) {
    const WindowGoes& c = GetParam();
    frmPBStation& pb = openStation();
    loadFile(pb, writeLog(QStringLiteral("run.raw"), 20));
    ASSERT_EQ(window->lblNoComms[0]->text(), QStringLiteral("Status: Play Back"));
    if (c.run)
        pb.cmdRun->click();
    if (c.deactivate) {
        pb.KeepOpen = 0;
        pb.Form_Deactivate();
    } else {
        pb.cmdExit->click();
    }
    ASSERT_TRUE(Wait_Unloaded<frmPBStation>());
    if (c.run) {
        EXPECT_EQ(window->lblNoComms[0]->text(), QStringLiteral("Status: Play Back"))
            << "the play-back goes on without its window";
        feed(40); // to the end of the recording
        EXPECT_EQ(LogState, 0);
    }
    EXPECT_EQ(window->lblNoComms[0]->text(), QStringLiteral("Status: Off-Line"));
    EXPECT_FALSE(window->lblNoComms[0]->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Ways, TheStateSaysPlayBack,
                         ::testing::Values(WindowGoes{"Exit", false, false},
                                           WindowGoes{"another window", false, true},
                                           WindowGoes{"Exit while playing", true, false}),
                         By_Case_Name());
