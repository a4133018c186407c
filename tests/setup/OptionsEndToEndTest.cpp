// The global parameter screen opened from the main window's "Global Settings"
// entry, against the simulated unit behind the real serial port: what Apply sends
// lands in the unit's page 4, and the image read back afterwards equals it.

#include "link/SendPath.h"
#include "platform/FormInstance.h"
#include "platform/NumberRules.h"
#include "setup/Entries.h"
#include "setup/SetupState.h"
#include "setup/frmOptions.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/LinkWaits.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>

using namespace OptionsMap;

namespace {

class OptionsEndToEnd : public MainTest {
protected:
    frmOptions& choose(frmMain& w) {
        w.mnuGlobal->trigger();
        frmOptions* options = FormInstance<frmOptions>::ifLoaded();
        EXPECT_NE(options, nullptr);
        return *options;
    }
    // The frames the unit received that write parameter rows, and the position of
    // the first page read after the last of them.
    std::vector<QByteArray> rowWrites() const {
        std::vector<QByteArray> rows;
        for (const QByteArray& f : unit.frames())
            if (!f.isEmpty() && f[0] == '<')
                rows.push_back(f);
        return rows;
    }
    bool readAfterRows() const {
        const auto& frames = unit.frames();
        int lastRow = -1;
        for (int i = 0; i < static_cast<int>(frames.size()); ++i)
            if (!frames[i].isEmpty() && frames[i][0] == '<')
                lastRow = i;
        for (int i = lastRow + 1; i < static_cast<int>(frames.size()); ++i)
            if (!frames[i].isEmpty() && frames[i][0] == '8')
                return lastRow >= 0;
        return false;
    }
    bool pageMatchesImage() const {
        for (int a = 128; a < 256; ++a)
            if (unit.byte(4, a) != ParamBlock[a])
                return false;
        return true;
    }
};

} // namespace

TEST_F(OptionsEndToEnd, ApplySendsTheThreeRowsAndTheUnitHoldsWhatTheScreenShows) {
    frmMain& w = loadOnline();
    Setup::Wire_Entries(w);
    ASSERT_TRUE(w.mnuGlobal->isEnabled());
    frmOptions& o = choose(w);
    unit.clearFrames();

    o.tbsOptions->setCurrentIndex(4);
    QTest::mouseClick(o.optcyl[5], Qt::LeftButton); // 6 cylinders
    o.tbsOptions->setCurrentIndex(2);
    QSlider* adv = o.sld[sldIgn1];
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(adv, Qt::Key_Right);
    const QString degrees = o.lblValue[sldIgn1]->text();
    o.tbsOptions->setCurrentIndex(7);
    QTest::mouseClick(o.optOn[2], Qt::LeftButton);
    QTest::mouseClick(o.cmdApply, Qt::LeftButton);
    ASSERT_EQ(SendRequests.size(), 1u);
    const std::vector<QByteArray> queued = SendRequests[0].elements;
    ASSERT_EQ(queued.size(), 3u);

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return rowWrites().size() == 3 && readAfterRows() && Link_Settled(); }, 15000))
        << "rows " << rowWrites().size() << ", CommStatus " << CommStatus;
    // The unit's frame reader takes the 31 NUL bytes of padding off each row.
    ASSERT_EQ(rowWrites().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(rowWrites()[i], queued[i].left(19)) << i;
        EXPECT_EQ(queued[i].mid(19), QByteArray(31, '\0')) << i;
    }
    EXPECT_EQ(static_cast<unsigned char>(queued[0][1]), 128);
    EXPECT_EQ(static_cast<unsigned char>(queued[1][1]), 144);
    EXPECT_EQ(static_cast<unsigned char>(queued[2][1]), 192);
    EXPECT_EQ(unit.byte(4, Idx_Cylinders), 6);
    EXPECT_EQ(unit.byte(4, Idx_OptionBits1) & 4, 4);
    EXPECT_EQ(unit.byte(4, Idx_IgnAdvLimit),
              NumberRules::RoundEven(degrees.toDouble() * 6 * 256 / 360));
    EXPECT_TRUE(pageMatchesImage());

    // OK with no further edit sends nothing.
    unit.clearFrames();
    QTest::mouseClick(o.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            int polls = 0;
            for (const QByteArray& f : unit.frames())
                polls += !f.isEmpty() && f[0] == '1';
            return polls >= 5;
        },
        10000));
    EXPECT_TRUE(rowWrites().empty());
    EXPECT_TRUE(pageMatchesImage());
}

TEST_F(OptionsEndToEnd, ASecondChoiceShowsTheOpenWindowWithItsEdits) {
    frmMain& w = loadOnline();
    Setup::Wire_Entries(w);
    frmOptions& first = choose(w);
    first.tbsOptions->setCurrentIndex(1);
    QTest::keyClick(first.sld[sldAna1], Qt::Key_Right);
    const QString edited = first.lblValue[sldAna1]->text();
    first.cmdApply->setEnabled(false);
    QTest::keyClick(first.sld[sldAna1], Qt::Key_Right);
    ASSERT_TRUE(first.cmdApply->isEnabled());
    // Another window takes the activation: this one stays open.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(FormInstance<frmOptions>::loaded());
    EXPECT_TRUE(first.isVisible());
    first.hide();
    frmOptions& second = choose(w);
    EXPECT_EQ(&second, &first);
    EXPECT_TRUE(second.isVisible());
    EXPECT_NE(second.lblValue[sldAna1]->text(), edited) << "moved twice, not reloaded";
    EXPECT_TRUE(second.cmdApply->isEnabled());
    EXPECT_EQ(second.tbsOptions->currentIndex(), 1);
}

TEST_F(OptionsEndToEnd, NoTuneKeepsTheEntryDisabled) {
    frmMain& w = load();
    runSequencer();
    Hooks().Arrange_NoTUNE(false);
    Setup::Wire_Entries(w);
    EXPECT_FALSE(w.mnuGlobal->isEnabled());
    Hooks().Arrange_NoTUNE(true);
    EXPECT_TRUE(w.mnuGlobal->isEnabled());
}
