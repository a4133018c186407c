// Writer failures on a full, limited or misshapen program folder, on-line against
// the simulated unit: the link keeps polling while their messages are open, each
// message names the file and the real cause, and nothing half-made is left.

#include "core/WtsAFR.h"
#include "link/LiveLog.h"
#include "link/PollTiming.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/FileSizeLimit.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace {

// Answers like a real modal box: while a message is open the event loop runs
// on inside it for a while, so timers, the port and the simulated unit carry on
// as they would behind a box the user has not closed yet.
class ModalProvider : public Dialogs::ScriptedProvider {
public:
    struct Shown {
        QString title;
        QString text;
        int pollsWhileOpen = 0;
        QString onlineStateAfter;
    };

    ModalProvider(const sim::Unit& unit, int holdMs) : unit_(unit), holdMs_(holdMs) {}

    Dialogs::Answer message(const QString& title, const QString& text, Dialogs::Buttons buttons,
                            Dialogs::Icon icon, Dialogs::DefaultButton defaultButton) override {
        const Dialogs::Answer answer =
            ScriptedProvider::message(title, text, buttons, icon, defaultButton);
        ++depth_;
        maxDepth_ = std::max(maxDepth_, depth_);
        const int before = polls();
        QEventLoop loop;
        QTimer::singleShot(holdMs_, &loop, &QEventLoop::quit);
        loop.exec();
        shown_.push_back({title, text, polls() - before, OnlineState});
        --depth_;
        return answer;
    }

    int polls() const {
        return static_cast<int>(std::count_if(unit_.frames().begin(), unit_.frames().end(),
                                              [](const QByteArray& f) { return f.at(0) == '1'; }));
    }
    bool open() const { return depth_ > 0; }
    int maxDepth() const { return maxDepth_; }
    const std::vector<Shown>& shown() const { return shown_; }
    int count(const QString& title) const {
        return static_cast<int>(std::count_if(shown_.begin(), shown_.end(),
                                              [&](const Shown& s) { return s.title == title; }));
    }

private:
    const sim::Unit& unit_;
    int holdMs_;
    int depth_ = 0;
    int maxDepth_ = 0;
    std::vector<Shown> shown_;
};

class FailuresToldTest : public MainTest {
protected:
    FailuresToldTest() {
        WtsAFR::Init_AFR_Tables();
        LogBaseName = QStringLiteral("KVR6");
        cfg_CommSpeed = 20;
    }
    ~FailuresToldTest() override { LiveLogs().close(); }

    qint64 sizeOf(const QString& name) const { return QFileInfo(folder.file(name)).size(); }
    QString textTitled(const QString& title) const {
        for (const auto& r : dialogs.records())
            if (r.title == title)
                return r.text;
        return {};
    }
};

TEST_F(FailuresToldTest, ALimitedFolderWithItsMessagesOpenKeepsThePollsGoing) {
    // The dealer file is larger than anything the process may write now: its
    // rewrite with the learned poll base fails like one on a read-only disk.
    QByteArray dealer =
        QByteArray("KAVRO TUNER KVR6\r\nAdv Branding: 0\r\nPort=1\r\nCommSpeed=20\r\n");
    dealer += QByteArray(100000, ' ') + "\r\n";
    folder.write(QStringLiteral("KVR6.cfg"), dealer);
    // The learning runs on its real road, only sooner: two seconds of warm-up,
    // a store at every third adapted second.
    PollTiming::Timing().warmUpSeconds = 1;
    PollTiming::Timing().samplesPerStore = 2;

    ModalProvider boxes(unit, 1500);
    frmMain& w = loadOnline();
    w.mnuLogging_Click();
    ASSERT_EQ(LogState, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sizeOf(QStringLiteral("KVR6002.raw")) > 200; }, 5000));
    int stores = 0;
    Hooks().Store_Comm_Speed = [&] {
        ++stores;
        PollTiming::Store_Learned_Base();
    };
    {
        const qint64 held =
            std::max(sizeOf(QStringLiteral("KVR6.002")), sizeOf(QStringLiteral("KVR6002.raw")));
        ASSERT_LT(held, dealer.size());
        FileSizeLimit limit(static_cast<rlim_t>(held));
        ASSERT_TRUE(limit.active());
        // Several stores fail, some of them while a message is open.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return stores >= 4 && boxes.count(QStringLiteral("Settings File")) == 1 &&
                       !boxes.open();
            },
            40000))
            << "stores " << stores;
    }

    EXPECT_EQ(boxes.count(QStringLiteral("Logging")), 1);
    EXPECT_EQ(boxes.count(QStringLiteral("Serial Trace")), 1);
    EXPECT_EQ(boxes.count(QStringLiteral("Settings File")), 1) << "told once a run";
    EXPECT_EQ(boxes.maxDepth(), 1) << "no message opened on top of another";
    for (const auto& s : boxes.shown()) {
        EXPECT_GE(s.pollsWhileOpen, 10) << s.title.toStdString();
        EXPECT_EQ(s.onlineStateAfter, QStringLiteral("Online")) << s.title.toStdString();
    }
    EXPECT_EQ(OnlineState, QStringLiteral("Online"));
    EXPECT_LT(bad_cnt, 20);

    QString settings;
    for (const auto& s : boxes.shown())
        if (s.title == QStringLiteral("Settings File"))
            settings = s.text;
    EXPECT_TRUE(settings.contains(QStringLiteral("settings file could not be updated")))
        << settings.toStdString();
    EXPECT_TRUE(settings.contains(QStringLiteral("KVR6.cfg")));
    EXPECT_TRUE(settings.contains(QStringLiteral("size limit")));
    EXPECT_FALSE(settings.contains(QStringLiteral("serial port"))) << "the user changed no port";
    EXPECT_EQ(folder.read(QStringLiteral("KVR6.cfg")), dealer);
}

TEST_F(FailuresToldTest, StartLoggingOnAFullDiskLeavesNoEmptyPairAndSaysWhy) {
    folder.write(QStringLiteral("KVR6.cfg"), "");
    frmMain& w = loadOnline();
    w.mnuLogging_Click();
    ASSERT_EQ(LogState, 1);
    w.mnuLogging_Click();
    ASSERT_EQ(LogState, 0);
    dialogs.clear();
    {
        FileSizeLimit full(0);
        ASSERT_TRUE(full.active());
        w.mnuLogging_Click();
    }
    EXPECT_EQ(LogState, 0);
    EXPECT_FALSE(LiveLogs().isOpen());
    const QStringList left = QDir(folder.path()).entryList({QStringLiteral("KVR6*")});
    EXPECT_FALSE(left.contains(QStringLiteral("KVR6.003"))) << left.join(',').toStdString();
    EXPECT_FALSE(left.contains(QStringLiteral("KVR6003.raw")));
    const QString text = textTitled(QStringLiteral("Logging"));
    EXPECT_TRUE(text.contains(QStringLiteral("KVR6.003"))) << text.toStdString();
    EXPECT_TRUE(text.startsWith(
        QStringLiteral("The log files KVR6.003 and KVR6003.raw could not be created (")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("). Logging has not started.")));
    EXPECT_TRUE(text.contains(QStringLiteral("size limit")));
    EXPECT_FALSE(text.contains(QStringLiteral("Unknown error")));
    EXPECT_EQ(w.mnuLogging->text(), QStringLiteral("Start Logging KVR6"));
}

TEST_F(FailuresToldTest, AFolderInPlaceOfTheModeFileIsNotCalledAFullDisk) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("KVR6Mode.cfg")));
    frmMain& w = loadOnline();
    dialogs.clear();
    w.mnuOnline->trigger();
    const QString text = textTitled(QStringLiteral("Mode File"));
    EXPECT_TRUE(text.contains(QStringLiteral("KVR6Mode.cfg"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("folder"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Disk full")));
    EXPECT_EQ(OnlineState, QStringLiteral("Online")) << "the program goes on";
}

TEST_F(FailuresToldTest, AFolderInPlaceOfTheTraceIsToldAtLoadAndTheLinkGoesOn) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(CommTrace::FileName));
    loadOnline();
    const QString text = textTitled(QStringLiteral("Serial Trace"));
    EXPECT_TRUE(text.contains(CommTrace::FileName)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("folder"))) << text.toStdString();
    EXPECT_EQ(UnitOnline, 1);
}

TEST_F(FailuresToldTest, TheProgramOutlivesAFileSizeLimitOnLine) {
    // The real program in a child process under "ulimit -f 40", against the
    // simulated unit of this process; a short poll base from its settings file
    // fills the trace to the limit within seconds.
    for (const char* name : {"BLANKKVR6.WTS", "KVR6Make.cfg", "KVR6Type.cfg", "clrkvr.map"})
        folder.copyData(QString::fromLatin1(name));
    folder.copyData(QStringLiteral("KVR6.cfg"));
    QByteArray dealer = folder.read(QStringLiteral("KVR6.cfg"));
    dealer.replace("CommSpeed=100", "CommSpeed=20");
    folder.write(QStringLiteral("KVR6.cfg"), dealer);
    folder.writeLines(QStringLiteral("KVR6Mode.cfg"),
                      {QStringLiteral("Mode: Online"), QStringLiteral("Product: 1")});
    constexpr qint64 Limit = 40 * 1024;

    QProcess program;
    program.setChildProcessModifier([] {
        // The signal as a shell leaves it, not as this test program ignores it.
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{};
        limit.rlim_cur = Limit;
        limit.rlim_max = Limit;
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    program.start(TempProgramFolder::binDir() + QStringLiteral("/kvr6"), {});
    ASSERT_TRUE(program.waitForStarted(5000));
    const auto trace = [&] { return sizeOf(CommTrace::FileName); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return trace() >= Limit; }, 60000))
        << "trace " << trace() << " bytes";
    const auto polls = [&] {
        return static_cast<int>(std::count_if(unit.frames().begin(), unit.frames().end(),
                                              [](const QByteArray& f) { return f.at(0) == '1'; }));
    };
    const int before = polls();
    // Polls still arrive well after the trace met the limit.
    EXPECT_TRUE(QTest::qWaitFor([&] { return polls() >= before + 30; }, 20000));
    EXPECT_EQ(program.state(), QProcess::Running)
        << "exit " << program.exitCode() << " status " << program.exitStatus();
    EXPECT_LE(trace(), Limit);
    program.kill();
    program.waitForFinished(5000);
}

} // namespace
