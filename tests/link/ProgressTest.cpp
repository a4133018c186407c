#include "LinkTestSupport.h"

#include "link/frmProgress.h"
#include "platform/FormInstance.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

namespace {

class ProgressTest : public ::testing::Test, protected FreshState {
protected:
    ProgressTest() { recorder.calls.clear(); }
    HookRecorder recorder;
};

TEST_F(ProgressTest, ReadingNeverLoadsTheProgress) {
    EXPECT_EQ(Progress().text(), "Download Data");
    EXPECT_EQ(Progress().value(), 0);
    EXPECT_FALSE(Progress().loaded());
    EXPECT_TRUE(recorder.calls.isEmpty());
}

TEST_F(ProgressTest, TransferArmsTheSequencerWatch) {
    StatusMsg = QStringLiteral("Uploading Data");
    Progress().Show();
    EXPECT_EQ(recorder.calls.join(','), "C_Pause.Interval=5000,C_Pause=1");
    EXPECT_TRUE(Progress().timeMeEnabled());
    EXPECT_EQ(Progress().timeMeInterval(), 25000);
}

TEST_F(ProgressTest, TheDefaultMapDoesNotArmTheSequencerWatch) {
    StatusMsg = QStringLiteral("Loading Default Map");
    Progress().Show();
    EXPECT_TRUE(recorder.calls.isEmpty());
}

TEST_F(ProgressTest, SettingTheTextLoadsWithoutShowing) {
    Progress().setText(QStringLiteral("Assembling Data"));
    EXPECT_TRUE(Progress().loaded());
    EXPECT_FALSE(Progress().visible());
    EXPECT_EQ(Progress().text(), "Assembling Data");
}

TEST_F(ProgressTest, BarStaysWithinItsRange) {
    Progress().setValue(96);
    Progress().addValue(12);
    EXPECT_EQ(Progress().value(), 100);
    Progress().setValue(-3);
    EXPECT_EQ(Progress().value(), 0);
}

TEST_F(ProgressTest, NoTuneTextIsClearedWhenTheWindowTimesOut) {
    StatusMsg = QStringLiteral("NO TUNE Enabled");
    Progress().Show();
    Progress().Restart_TimeMe(3000);
    EXPECT_EQ(Progress().timeMeInterval(), 3000);
    recorder.calls.clear();
    Progress().TimeMe_Timer();
    EXPECT_EQ(StatusMsg, "");
    EXPECT_FALSE(Progress().loaded());
    EXPECT_TRUE(recorder.has("C_Pause=0"));
    Progress().Show();
    EXPECT_EQ(Progress().timeMeInterval(), 25000);
}

TEST_F(ProgressTest, WindowFollowsTheModelAndAClickOnTheLabelClosesIt) {
    QObject follower;
    frmProgress::Follow(&follower);
    StatusMsg = QStringLiteral("Uploading Map A");
    Progress().Show();
    Progress().setText(StatusMsg);
    Progress().addValue(24);
    frmProgress* window = FormInstance<frmProgress>::ifLoaded();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->lblDo->text(), "Uploading Map A");
    EXPECT_EQ(window->ProgressBar1->value(), 24);
    EXPECT_EQ(window->frame_Progress->title(), "Communication Progress");
    recorder.calls.clear();
    QTest::mouseClick(window->lblDo, Qt::LeftButton);
    EXPECT_FALSE(Progress().loaded());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(recorder.has("C_Pause=0"));
}

TEST_F(ProgressTest, CloseBoxUnloadsTheProgress) {
    QObject follower;
    frmProgress::Follow(&follower);
    Progress().Show();
    frmProgress* window = FormInstance<frmProgress>::ifLoaded();
    ASSERT_NE(window, nullptr);
    window->close();
    EXPECT_FALSE(Progress().loaded());
    EXPECT_FALSE(window->isVisible());
}

} // namespace
