#include "ReceiveTestSupport.h"

#include "link/Download.h"
#include "link/MapWrite.h"
#include "link/SendPath.h"
#include "link/SendRule.h"
#include "link/WtsCM.h"

namespace {

using SendRule::Verdict;

// The send rule on the real link, its receive handler and the simulated unit;
// the status bar notices are recorded as the main window would show them.
class SendRuleTest : public SimReceiveTest {
protected:
    SendRuleTest() {
        Hooks().SetStatusPanel = [this](int panel, const QString& text) {
            if (panel == SendRule::NoticePanel)
                notices << text;
        };
    }
    // An edit of an injection cell as a window makes it: ask, write, hand over.
    Verdict edit(int cell, int value) {
        const Verdict verdict = SendRule::Admit_Edit();
        if (!SendRule::Refuses(verdict))
            SendRule::Send_Edit(verdict,
                                MapWrite::Write_Cell(MapWrite::Map::Injection, cell, value).frame);
        return verdict;
    }
    bool unitGotWrite() const {
        for (const QByteArray& f : sim.frames())
            if (SendPath::Is_Write(f))
                return true;
        return false;
    }
    QStringList notices;
};

TEST_F(SendRuleTest, TheVerdictFollowsTheLinkNotTheReadOutFlag) {
    // Going on-line: the unit is about to be read, though the flag of the last
    // read-out still says it was read.
    connect();
    ASSERT_EQ(UnitOnline, 1);
    link->GO_ONLine();
    EXPECT_EQ(UnitOnline, 1);
    EXPECT_EQ(SendRule::May_Send(), Verdict::ReadingUnit);
    tick();
    dev->deliver(); // the first poll is answered: the read-out begins
    EXPECT_GE(CommStatus, 1);
    EXPECT_LT(CommStatus, 10);
    EXPECT_EQ(SendRule::May_Send(), Verdict::ReadingUnit);
    settle();
    EXPECT_EQ(SendRule::May_Send(), Verdict::Send);

    // A refresh (logging, Upload, a map change): the flag drops at once, and
    // while the unit is read edits are refused, not left in the grid unsent.
    WtsCM::Request_Upload();
    tick(2);
    EXPECT_EQ(UnitOnline, 0);
    EXPECT_EQ(SendRule::May_Send(), Verdict::ReadingUnit);
    settle();
    EXPECT_EQ(SendRule::May_Send(), Verdict::Send);

    // The unit falls silent: once the link counts it lost, edits are refused.
    sim.faults.silent = true;
    while (bad_cnt < SendRule::SilentTicks - 1)
        tick();
    EXPECT_EQ(SendRule::May_Send(), Verdict::Send);
    tick();
    EXPECT_EQ(SendRule::May_Send(), Verdict::NoAnswer);

    // Going off-line: the image only, though the flag still says read.
    ASSERT_EQ(UnitOnline, 1);
    link->GO_OFFLine();
    EXPECT_EQ(SendRule::May_Send(), Verdict::ImageOnly);

    // A device that vanished takes nothing.
    sim.faults.silent = false;
    connect();
    EXPECT_EQ(SendRule::May_Send(), Verdict::Send);
    dev->lose();
    EXPECT_EQ(SendRule::May_Send(), Verdict::NoAnswer);
}

TEST_F(SendRuleTest, ALockedUnitTakesNoEdit) {
    sim.faults.locked = true;
    connect();
    ASSERT_EQ(UnitLocked, 1);
    ASSERT_GE(CommStatus, 10);
    const ImageTable before = Map6Image;
    EXPECT_EQ(edit(5, 77), Verdict::Locked);
    EXPECT_EQ(Map6Image, before);
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_EQ(notices.last(), SendRule::Notice(Verdict::Locked));
}

TEST_F(SendRuleTest, RefusedEditsChangeNothingAndAreTold) {
    startOnline(); // connecting
    const ImageTable before = Map6Image;
    EXPECT_EQ(edit(5, 77), Verdict::ReadingUnit);
    EXPECT_EQ(Map6Image, before);
    EXPECT_TRUE(SendRequests.empty());
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith("Not sent: the unit is being read"))
        << notices[0].toStdString();

    tick();
    settle();
    EXPECT_EQ(edit(5, 77), Verdict::Send);
    EXPECT_EQ(Map6Image[5], 77);
    poll(2);
    EXPECT_EQ(sim.byte(6, 5), 77);
    EXPECT_EQ(notices.last(), QString()) << "the refusal's notice is cleared by a sent edit";
}

TEST_F(SendRuleTest, WritesWaitingWhenTheLinkReconnectsAreTakenBackAndTold) {
    connect();
    ASSERT_EQ(edit(5, 77), Verdict::Send);
    const std::vector<QByteArray> download = WtsCM::Download_Elements();
    SendPath::Queue_Elements(download, SendKind::QueueWithProgress);
    // The adapter is pulled before the tick sends them; it comes back later.
    sim.clearFrames();
    dev->lose();
    tick(61); // one to find the port gone, sixty unanswered
    EXPECT_EQ(bad_cnt, 20) << "the link has reconnected";
    EXPECT_FALSE(unitGotWrite());
    ASSERT_EQ(SendRequests.size(), 1u) << "the download, which reads the unit after it, stays";
    EXPECT_EQ(SendRequests.front().kind, SendKind::QueueWithProgress);
    ASSERT_FALSE(notices.isEmpty());
    EXPECT_EQ(notices.last(),
              QStringLiteral("1 change(s) not sent: the link was lost before they went out. "
                             "The grid shows the unit's map."));
}

TEST_F(SendRuleTest, WritesLeftWhenGoingOffLineDoNotFollowTheNextReadOut) {
    connect();
    sim.clearFrames();
    ASSERT_EQ(edit(5, 77), Verdict::Send);
    link->GO_OFFLine();
    tick();
    link->GO_ONLine();
    EXPECT_TRUE(SendRequests.empty());
    poll(20);
    EXPECT_GE(CommStatus, 10);
    EXPECT_FALSE(unitGotWrite());
    EXPECT_NE(sim.byte(6, 5), 77);
    EXPECT_TRUE(notices.last().startsWith("1 change(s) not sent"))
        << notices.last().toStdString();
}

TEST_F(SendRuleTest, OffLineEditsAreToldOnceAndGoingOnLineAsksFirst) {
    connect();
    link->GO_OFFLine();
    EXPECT_EQ(edit(5, 77), Verdict::ImageOnly);
    EXPECT_EQ(edit(6, 78), Verdict::ImageOnly);
    EXPECT_EQ(Map6Image[5], 77);
    EXPECT_EQ(Map6Image[6], 78);
    EXPECT_TRUE(SendRequests.empty());
    EXPECT_EQ(notices, QStringList{SendRule::OfflineNotice}) << "told once";

    // Asked before the read-out replaces them; No (also the default) stays off-line.
    dialogs.clear();
    link->mnuOnline_Click();
    ASSERT_EQ(dialogs.records().size(), 1u);
    const auto& asked = dialogs.records()[0];
    EXPECT_EQ(asked.title, QStringLiteral("Changes not sent"));
    EXPECT_TRUE(asked.text.startsWith("2 change(s) made off-line have not been sent to the unit."));
    EXPECT_EQ(asked.buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(asked.defaultButton, Dialogs::DefaultButton::Second);
    EXPECT_EQ(OnlineState, QStringLiteral("Offline"));
    EXPECT_EQ(Map6Image[5], 77);

    dialogs.answer(Dialogs::Answer::Yes);
    link->mnuOnline_Click();
    EXPECT_EQ(OnlineState, QStringLiteral("Online"));
    EXPECT_EQ(CommStatus, 0) << "the unit is read again";

    // A new spell off-line tells again; with no edits going on-line asks nothing.
    link->GO_OFFLine();
    dialogs.clear();
    link->mnuOnline_Click();
    EXPECT_TRUE(dialogs.records().empty());
    link->GO_OFFLine();
    notices.clear();
    edit(7, 1);
    EXPECT_EQ(notices, QStringList{SendRule::OfflineNotice});
}

} // namespace
