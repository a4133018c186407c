#include "LinkTestSupport.h"
#include "ReceiveTestSupport.h"

#include "link/CommControl.h"
#include "link/PortErrors.h"
#include "link/SerialDevice.h"
#include "link/WtsUp.h"

#include <QTemporaryFile>

namespace {

const QString Last = QStringLiteral("\n\nThe KVR for windows will continue, however there will be "
                                    "no communication to the KVR Unit");

TEST(PortErrorText, EveryNumberGivesItsText) {
    using PortErrors::Family;
    struct Case {
        int number;
        Family family;
        QString text;
    };
    const QString kvr = QStringLiteral(
        " Use the KVR Menu on the task bar to change the Communication Port Number.");
    const QString tool = QStringLiteral(
        " Use the TOOL Menu on the task bar to change the Communication Port Number.");
    const std::vector<Case> cases = {
        {8002, Family::Opening,
         "The Communication Port selected (Comm Port 2) is an INVALID PORT NUMBER." + kvr},
        {8018, Family::Opening,
         "The Communication Port selected (Comm Port 2) has experienced an illegal operation." +
             kvr},
        {8010, Family::Opening,
         "The Communications Ports (Comm Port 2) HARDWARE IS NOT AVAILABLE." + kvr},
        {8005, Family::Opening,
         "The Communication Port selected (Comm Port 2) is ALREADY OPEN by another application." +
             kvr},
        {8015, Family::Opening,
         "The Communication Port (Comm Port 2) has an unexpected problem." + kvr},
        {8002, Family::Polling,
         "The Communication Port selected (Comm Port 2) is an INVALID PORT NUMBER." + tool},
        {8005, Family::Polling,
         "The Communication Port selected (Comm Port 2) is ALREADY OPEN by another application." +
             tool},
        {8018, Family::Polling,
         "The Communication Port selected (Comm Port 2) has experienced an illegal operation(Err "
         "8018)." +
             tool},
        {8010, Family::Polling,
         "The Communications Ports (Comm Port 2) HARDWARE IS NOT AVAILABLE." + tool},
        {8012, Family::Polling,
         "The Communication Port (Comm Port 2) has an unexpected problem." + tool},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PortErrors::Text(c.number, 2, c.family), c.text + Last) << c.number;
}

TEST(SerialDeviceErrors, QtFailuresMapToThePortNumbers) {
    EXPECT_EQ(SerialDevice::Error_Number(QSerialPort::DeviceNotFoundError), 8002);
    EXPECT_EQ(SerialDevice::Error_Number(QSerialPort::PermissionError), 8007);
    EXPECT_EQ(SerialDevice::Error_Number(QSerialPort::OpenError), 8005);
    EXPECT_EQ(SerialDevice::Error_Number(QSerialPort::ResourceError), 8010);
    EXPECT_EQ(SerialDevice::Error_Number(QSerialPort::UnsupportedOperationError), 8018);
    EXPECT_EQ(SerialDevice::Error_Number(QSerialPort::UnknownError), 8015);
}

TEST(CommControlPorts, PortNamesComeFromTheEnvironmentOrTheSerialDevices) {
    qunsetenv("KVR6_COM3");
    EXPECT_EQ(CommControl::Device_Path(3), "/dev/ttyS2");
    qputenv("KVR6_COM3", "/dev/ttyUSB0");
    EXPECT_EQ(CommControl::Device_Path(3), "/dev/ttyUSB0");
    qunsetenv("KVR6_COM3");
}

TEST(CommControlPorts, RealPortThatIsNoDeviceIsAnInvalidPort) {
    qputenv("KVR6_COM1", "/nonexistent/kvr6-port");
    CommControl control;
    control.CommPort = 1;
    try {
        control.setPortOpen(true);
        ADD_FAILURE();
    } catch (const KvrError& e) {
        EXPECT_EQ(e.number(), 8002);
    }
    EXPECT_FALSE(control.PortOpen());
    qunsetenv("KVR6_COM1");
}

TEST(CommControlPorts, ClosedPortRefusesOutputAndClosing) {
    CommControl control;
    control.setDevice(std::make_unique<InProcessDevice>(nullptr));
    EXPECT_THROW(control.Output("1"), KvrError);
    try {
        control.setPortOpen(false);
    } catch (const KvrError& e) {
        EXPECT_EQ(e.number(), 8012);
    }
    control.CommPort = 0;
    try {
        control.setPortOpen(true);
    } catch (const KvrError& e) {
        EXPECT_EQ(e.number(), 8002);
    }
}

TEST(CommControlPorts, ReceiveEventFiresOnceWhenTheThresholdIsReached) {
    CommControl control;
    std::vector<QByteArray> replies;
    auto device = std::make_unique<InProcessDevice>([&](const QByteArray&) { return replies; });
    InProcessDevice* dev = device.get();
    control.setDevice(std::move(device));
    control.setPortOpen(true);
    int events = 0;
    control.OnComm = [&] { ++events; };
    control.setRThreshold(10);
    replies = {"abcd", "efgh", "ijkl", "mn"};
    control.Output("x");
    dev->deliver();
    EXPECT_EQ(events, 1) << "one event for the whole reply, none per piece";
    EXPECT_EQ(control.InBufferCount(), 14);
    EXPECT_EQ(control.Input(), "abcdefghijklmn");
    EXPECT_EQ(control.InBufferCount(), 0);
    replies = {"0123456789"};
    control.Output("x");
    dev->deliver();
    EXPECT_EQ(events, 2) << "armed again once the input was read";
    control.setInBufferCount(0);
    control.setRThreshold(0);
    control.Output("x");
    dev->deliver();
    EXPECT_EQ(events, 2) << "threshold 0 raises no event";
}

using PortHandling = LinkTest;

TEST_F(PortHandling, OpenFailureTellsTheUserAndStopsTheLink) {
    for (int number : {8002, 8010, 8018, 8015}) {
        dialogs.clear();
        PortFailTold = 0;
        dev->openError = number;
        link->Comm_Timer.start();
        link->Comm1.setRThreshold(18);
        cfg_CommPort = 2;
        link->SerialPortOn();
        ASSERT_EQ(dialogs.records().size(), 1u) << number;
        EXPECT_EQ(dialogs.records()[0].title, "No communication to KVR Unit !!");
        EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Critical);
        EXPECT_EQ(dialogs.records()[0].text,
                  PortErrors::Text(number, 2, PortErrors::Family::Opening));
        EXPECT_EQ(SendPending, 99);
        EXPECT_FALSE(link->timerEnabled());
        EXPECT_EQ(link->Comm1.RThreshold(), 0);
    }
}

// A user outside the device's group is told so at once, with the device,
// not after ten retries as a port held by another program.
TEST_F(PortHandling, PermissionDeniedIsToldWithTheDevicePath) {
    qputenv("KVR6_COM3", "/dev/ttyUSB7");
    dev->openError = KvrError::PortPermissionDenied;
    cfg_CommPort = 3;
    link->SerialPortOn();
    qunsetenv("KVR6_COM3");
    ASSERT_EQ(dialogs.records().size(), 1u);
    const QString text = dialogs.records()[0].text;
    EXPECT_TRUE(text.contains("permission denied on /dev/ttyUSB7")) << text.toStdString();
    EXPECT_TRUE(text.contains("dialout")) << text.toStdString();
    EXPECT_FALSE(text.contains("ALREADY OPEN")) << text.toStdString();
    EXPECT_TRUE(text.startsWith("The Communication Port selected (Comm Port 3)"));
    EXPECT_EQ(dev->opens, 1) << "nothing to retry";
    EXPECT_FALSE(link->Timer_CommEnd.isActive());
    EXPECT_EQ(SendPending, 99);
}

TEST(SerialDeviceErrors, ADeviceThisUserMayUseIsHeldByAnotherProgram) {
    TempProgramFolder folder;
    const QString path = folder.path() + QStringLiteral("/device");
    folder.write(QStringLiteral("device"), QByteArray());
    EXPECT_TRUE(SerialDevice::Readable_And_Writable(path));
    EXPECT_FALSE(SerialDevice::Readable_And_Writable(path + QStringLiteral("-missing")));
}

TEST_F(PortHandling, PortInUseIsRetriedQuietlyAndReportedAfterTheLastTry) {
    dev->openError = KvrError::PortAlreadyOpen;
    link->SerialPortOn();
    EXPECT_TRUE(dialogs.records().empty());
    EXPECT_TRUE(link->Timer_CommEnd.isActive());
    EXPECT_FALSE(link->timerEnabled());
    for (int i = 0; i < 9; ++i)
        link->Timer_CommEnd_Timer();
    EXPECT_TRUE(link->Timer_CommEnd.isActive());
    EXPECT_TRUE(dialogs.records().empty());
    link->Timer_CommEnd_Timer();
    EXPECT_FALSE(link->Timer_CommEnd.isActive());
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].icon, Dialogs::Icon::Information);
    EXPECT_TRUE(dialogs.records()[0].text.contains("ALREADY OPEN"));
    EXPECT_EQ(SendPending, 99);
}

TEST_F(PortHandling, PortFreedDuringTheRetriesStartsPolling) {
    dev->openError = KvrError::PortAlreadyOpen;
    link->SerialPortOn();
    dev->openError = 0;
    link->Timer_CommEnd_Timer();
    EXPECT_TRUE(link->Comm1.PortOpen());
    EXPECT_TRUE(link->timerEnabled());
    EXPECT_FALSE(link->Timer_CommEnd.isActive());
}

TEST_F(PortHandling, ChoosingAPortChecksItReopensAndPollsAtOnce) {
    OnlineState = QStringLiteral("Online");
    SendPending = 99;
    folder.writeLines(QStringLiteral("KVR6.cfg"), {QStringLiteral("Port=1")});
    link->mnuPort_Click(3);
    EXPECT_EQ(cfg_CommPort, 3);
    EXPECT_EQ(recorder.calls.value(0), "port menu=3");
    EXPECT_EQ(folder.read(QStringLiteral("KVR6.cfg")), QByteArray("Port=3\r\n")) << "stored";
    EXPECT_TRUE(recorder.has("port menu=3"));
    EXPECT_EQ(SendPending, 0);
    EXPECT_TRUE(link->Comm1.PortOpen());
    EXPECT_EQ(link->Comm1.CommPort, 3);
    EXPECT_EQ(unit.writes, std::vector<QByteArray>{WtsUp::Poll_Frame()});
    EXPECT_EQ(link->interval(), 120);
}

TEST_F(PortHandling, PortNumberBeyondTheMenusLeavesThemAlone) {
    cfg_CommPort = 7;
    link->SerialPortOn();
    EXPECT_FALSE(recorder.has("port menu=7"));
    EXPECT_EQ(dev->openedPath, CommControl::Device_Path(7));
}

TEST_F(PortHandling, FailedChoiceIsToldOnceThoughTheTickRunsToo) {
    dev->openError = KvrError::InvalidPortNumber;
    OnlineState = QStringLiteral("Online");
    link->mnuPort_Click(2);
    EXPECT_EQ(dialogs.records().size(), 1u);
    EXPECT_FALSE(link->timerEnabled());
    EXPECT_EQ(SendPending, 99);
}

TEST_F(PortHandling, GoingOnLineResetsTheCountAndSavesTheMode) {
    link->SerialPortOn();
    bad_cnt = 45;
    CommStatus = 10;
    link->GO_ONLine();
    EXPECT_EQ(bad_cnt, 0);
    EXPECT_EQ(CommStatus, 0);
    EXPECT_EQ(OnlineState, "Online");
    EXPECT_EQ(PlaybackSpeed, 10);
    EXPECT_TRUE(recorder.has("caption0=Status: On-Line"));
    EXPECT_TRUE(recorder.has("online menus=1"));
    EXPECT_TRUE(folder.exists("KVR6Mode.cfg"));
}

TEST_F(PortHandling, GoingOffLineStopsLoggingWithItsMessage) {
    link->GO_OFFLine();
    EXPECT_TRUE(dialogs.records().empty());
    LogState = 1;
    link->GO_OFFLine();
    EXPECT_TRUE(recorder.has("Stop_Logg"));
    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].text, "Logging has been stopped!");
    EXPECT_EQ(dialogs.records()[0].title, "Logging Stopped");
    EXPECT_EQ(OnlineState, "Offline");
    EXPECT_EQ(recorder.last("caption0="), "caption0=Status: Off-Line");
}

TEST_F(PortHandling, OffLineMenuWithoutAMapLoadsTheDefault) {
    link->mnuOffline_Click();
    EXPECT_TRUE(recorder.has("C_Pause.Interval=1000"));
    EXPECT_TRUE(recorder.has("C_Pause=1"));
    EXPECT_EQ(StatusMsg, "Loading Default Map");
}

TEST_F(PortHandling, MenusRaiseTheirCommands) {
    startPolling();
    link->mnuMapA_Click();
    EXPECT_EQ(StatusMsg, "Uploading Map A");
    link->mnuMapB_Click();
    EXPECT_EQ(StatusMsg, "Uploading Map B");
    link->mnuReset_Click();
    link->mnuUpload_Click();
    tick(4);
    const std::vector<QByteArray> expected = {
        WtsUp::Map_Select_Frame(1), WtsUp::Map_Select_Frame(0), WtsUp::Map_Select_Frame(255)};
    EXPECT_EQ(unit.writes, expected);
    EXPECT_EQ(CommStatus, 0);
}

TEST_F(PortHandling, UnloadWithThePortClosedStillClosesTheTrace) {
    EXPECT_NO_THROW(link->Form_Unload());
    EXPECT_FALSE(Trace().isOpen());
}

} // namespace

using AdapterReplugged = SimReceiveTest;

// The adapter pulled while polling: once the reconnect cannot reopen it, the
// port is tried again quietly, and the adapter plugged back is read afresh.
TEST_F(AdapterReplugged, ThePortIsTriedAgainAndTheUnitReadOnceItIsBack) {
    connect();
    ASSERT_GE(CommStatus, 10);
    dev->lose();
    dev->openError = KvrError::InvalidPortNumber; // the device is gone
    tick(61);                                     // one to find it gone, sixty unanswered
    EXPECT_FALSE(link->Comm1.PortOpen());
    EXPECT_TRUE(link->Port_Retry.isActive()) << "tried again, not given up";
    const std::size_t told = dialogs.records().size();
    link->Port_Retry_Timer(); // still gone: nothing more is said
    EXPECT_EQ(dialogs.records().size(), told);
    EXPECT_TRUE(link->Port_Retry.isActive());

    dev->openError = 0; // plugged back
    sim.clearFrames();
    link->Port_Retry_Timer();
    EXPECT_TRUE(link->Comm1.PortOpen());
    EXPECT_FALSE(link->Port_Retry.isActive());
    EXPECT_TRUE(link->timerEnabled());
    EXPECT_EQ(CommStatus, 0) << "the unit behind the port is read afresh";
    poll(2);
    settle();
    EXPECT_GE(CommStatus, 10);
    EXPECT_FALSE(reads().empty());
}
