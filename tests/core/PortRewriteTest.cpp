#include "CoreTestSupport.h"
#include "core/DealerSettings.h"
#include "tests/support/FileSizeLimit.h"

#include "platform/KvrError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using WtsGeneral::Rewrite_Port_Lines;
using WtsGeneral::Save_Port_To_Cfg_Files;

class PortRewriteTest : public CoreTest {
protected:
    QStringList entries() const {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

TEST_F(PortRewriteTest, OnlySettingLinesChange) {
    const struct {
        QString before;
        QString after;
    } cases[] = {
        {"Port=2\r\n", "Port=3\r\n"},
        {"port=2\r\n", "Port=3\r\n"},
        {"Port=\r\n", "Port=3\r\n"},
        {"CommSpeed=50\r\n", "CommSpeed=120\r\n"},
        {"CommSpeed=50", "CommSpeed=120"},
        {"Port=1\nCommSpeed=9\rx\r\n", "Port=3\nCommSpeed=120\rx\r\n"},
        // Data that merely mentions a port keeps every byte.
        {"Sports\r\n", "Sports\r\n"},
        {"E-mail: support@port.example\r\n", "E-mail: support@port.example\r\n"},
        {"Port Elizabeth\r\n", "Port Elizabeth\r\n"},
        {",Jo,Port Elizabeth,,port=1,\r\n", ",Jo,Port Elizabeth,,port=1,\r\n"},
        {"  Port=2\r\n", "  Port=2\r\n"},
        {"PORT=2\r\n", "PORT=2\r\n"},
        {"commspeed=2\r\n", "commspeed=2\r\n"},
        {"\r\n\r\n", "\r\n\r\n"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rewrite_Port_Lines(c.before, 3, 120), c.after) << c.before.toStdString();
}

TEST_F(PortRewriteTest, EveryConfigurationFileGetsThePortAndNothingElseChanges) {
    const QByteArray dealer = "KAVRO TUNER KVR6\r\nE-mail: support@sports.example\r\n"
                              "Web: www.port-elizabeth.example\r\nport=2\r\nCommSpeed=80\r\n";
    const QByteArray contact = "KVR6 Contact Details\r\n\r\nDisplay IN:\r\n"
                               ",Jo,Port,Sports Ltd,1,jo@port.example,,,Port Elizabeth,,,ZA,\r\n"
                               "END Contact:\r\n";
    const QByteArray mixed = "Port=1\nnotes about the port\n\xAA\xFF data\nCommSpeed=100";
    const QByteArray notCfg = "Port=1\r\n";
    folder.write("KVR6.cfg", dealer);
    folder.write("KVR6Contact.cfg", contact);
    folder.write("mixed.CFG", mixed);
    folder.write("notes.txt", notCfg);
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    {
        QFile f(folder.file("KVR6Contact.cfg"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    const QStringList before = entries();

    cfg_CommPort = 4;
    cfg_CommSpeed = 120;
    EXPECT_TRUE(Save_Port_To_Cfg_Files());

    EXPECT_EQ(folder.read("KVR6.cfg"),
              QByteArray("KAVRO TUNER KVR6\r\nE-mail: support@sports.example\r\n"
                         "Web: www.port-elizabeth.example\r\nPort=4\r\nCommSpeed=120\r\n"));
    EXPECT_EQ(folder.read("mixed.CFG"),
              QByteArray("Port=4\nnotes about the port\n\xAA\xFF data\nCommSpeed=120"));
    EXPECT_EQ(folder.read("KVR6Contact.cfg"), contact);
    EXPECT_EQ(QFileInfo(folder.file("KVR6Contact.cfg")).lastModified().toSecsSinceEpoch(),
              old.toSecsSinceEpoch())
        << "a file that needs no change is left untouched";
    EXPECT_EQ(folder.read("notes.txt"), notCfg);
    EXPECT_EQ(entries(), before) << "no temporary file is left behind";
    EXPECT_TRUE(dialogs.records().empty());

    // The settings reader finds the new values.
    cfg_CommPort = 1;
    cfg_CommSpeed = 100;
    WtsGeneral::Read_Dealer_Settings();
    EXPECT_EQ(cfg_CommPort, 4);
    EXPECT_EQ(cfg_CommSpeed, 120);
}

TEST_F(PortRewriteTest, AFileThatCannotBeWrittenIsToldAndKept) {
    // A file larger than the process may write fails like a full disk.
    const QByteArray big = "Port=1\r\n" + QByteArray(8000, 'x') + "\r\n";
    folder.write("big.cfg", big);
    folder.write("small.cfg", "Port=1\r\n");
    const QStringList before = entries();

    cfg_CommPort = 2;
    bool done = true;
    {
        FileSizeLimit limit(4000);
        ASSERT_TRUE(limit.active());
        done = Save_Port_To_Cfg_Files();
    }

    EXPECT_FALSE(done);
    EXPECT_EQ(folder.read("big.cfg"), big);
    EXPECT_EQ(folder.read("small.cfg"), QByteArray("Port=2\r\n"));
    EXPECT_EQ(entries(), before);
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_TRUE(dialogs.records()[0].text.contains("big.cfg"));
    EXPECT_TRUE(dialogs.records()[0].text.contains("size limit")) << "the real cause";
    EXPECT_FALSE(dialogs.records()[0].text.contains("small.cfg"));
}

// A FIFO under a configuration file's name: the rewrite must pass it by. Should
// the code open it, the open would wait for a writer for ever; the watchdog then
// opens the other end itself, which lets the test end and fail instead of hang.
TEST_F(PortRewriteTest, AFifoAmongTheCfgFilesIsPassedByAndTheRestRewritten) {
    folder.writeLines("KVR6.cfg", {"Port=1", "CommSpeed=100"});
    folder.writeLines("zz.cfg", {"Port=1"});
    const QString fifo = folder.file("extra.cfg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    std::mutex m;
    std::condition_variable done;
    bool finished = false;
    std::atomic<bool> rescued = false;
    std::thread watchdog([&] {
        std::unique_lock lock(m);
        if (done.wait_for(lock, std::chrono::seconds(10), [&] { return finished; }))
            return;
        // Succeeds only while a reader waits in its open: the code under test.
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            rescued = true;
            ::close(fd);
        }
    });

    cfg_CommPort = 3;
    cfg_CommSpeed = 90;
    const bool ok = Save_Port_To_Cfg_Files();
    {
        std::lock_guard lock(m);
        finished = true;
    }
    done.notify_one();
    watchdog.join();

    EXPECT_FALSE(rescued) << "the rewrite opened the FIFO and waited on it";
    EXPECT_TRUE(ok);
    EXPECT_TRUE(dialogs.records().empty());
    EXPECT_EQ(folder.read("KVR6.cfg"), "Port=3\r\nCommSpeed=90\r\n");
    EXPECT_EQ(folder.read("zz.cfg"), "Port=3\r\n");
    EXPECT_FALSE(QFileInfo(fifo).isFile()) << "the FIFO stays what it was";
    EXPECT_TRUE(QFileInfo::exists(fifo));
    EXPECT_FALSE(QFileInfo::exists(folder.file("extraNEW.CFG")));

    // The dealer settings reader passes it by too, named as the settings file.
    QFile::remove(folder.file("KVR6.cfg"));
    QFile::remove(folder.file("zz.cfg"));
    QFile::rename(fifo, folder.file("KVR6.cfg"));
    EXPECT_THROW(WtsGeneral::Read_Dealer_Settings(), KvrError);
}
