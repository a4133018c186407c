// The link state the main window shows is the link's: no "Status: On-Line"
// without a port, and an adapter plugged in while on-line is taken up without
// another menu choice. Through the real serial code against the simulated unit,
// whose pseudo-terminal appears under the port's name only once "plugged in".

#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/LinkWaits.h"
#include "tests/support/Screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>

TEST_F(MainTest, WithoutAPortTheStateSaysNoCommsAndAnAdapterPluggedInIsTakenUp) {
    const QString port = folder.file(QStringLiteral("ttyKVR6"));
    qputenv("KVR6_COM1", port.toLocal8Bit());
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    w.show();
    ASSERT_EQ(dialogs.records().size(), 1u) << "the missing port is told";
    EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("No communication to KVR Unit !!"));
    EXPECT_EQ(w.lblNoComms[0]->text(), QStringLiteral("NO COMM'S"));
    EXPECT_TRUE(w.lblNoComms[0]->isVisible());
    // Time passes: the port is tried again quietly, the state stays true.
    QTest::qWait(3 * UnitLink::PortRetryMs);
    EXPECT_EQ(w.lblNoComms[0]->text(), QStringLiteral("NO COMM'S"));
    EXPECT_EQ(dialogs.records().size(), 1u) << "told once, not at every try";
    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-no-port.png"))));

    ASSERT_TRUE(QFile::link(server.devicePath(), port)); // the adapter plugged in
    ASSERT_TRUE(Wait_Link_Settled()) << "CommStatus " << CommStatus;
    EXPECT_EQ(w.lblNoComms[0]->text(), QStringLiteral("Status: On-Line"));
    EXPECT_TRUE(w.lblNoComms[0]->isVisible());
    EXPECT_EQ(Map6Image[5], unit.byte(6, 5)) << "the unit behind the new port was read";
    EXPECT_EQ(dialogs.records().size(), 1u);
}

TEST_F(MainTest, OffLineThePortIsNotTriedAgain) {
    const QString port = folder.file(QStringLiteral("ttyKVR6"));
    qputenv("KVR6_COM1", port.toLocal8Bit());
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    w.show();
    ASSERT_TRUE(w.Link.Port_Retry.isActive());
    w.mnuOffline->trigger();
    EXPECT_FALSE(w.Link.Port_Retry.isActive());
    EXPECT_EQ(w.lblNoComms[0]->text(), QStringLiteral("Status: Off-Line"));
    ASSERT_TRUE(QFile::link(server.devicePath(), port));
    QTest::qWait(2 * UnitLink::PortRetryMs);
    EXPECT_FALSE(w.Link.Comm1.PortOpen()) << "off-line means off-line";
    EXPECT_EQ(unit.polls(), 0);
}
