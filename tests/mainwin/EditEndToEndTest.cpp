// Edits made on the window on-line, against the simulated unit behind the real
// serial port: each lands in the unit's memory at its page and address.

#include "core/UnitBytes.h"
#include "link/SendPath.h"
#include "platform/NumberRules.h"
#include "tests/mainwin/GridTestSupport.h"
#include "tests/support/LinkWaits.h"

#include <QPushButton>

namespace {

class EditEndToEnd : public GridTest {
protected:
    frmMain& openOnline() {
        OnlineState = QStringLiteral("Online");
        frmMain& w = load();
        w.show();
        EXPECT_TRUE(Wait_Link_Settled())
            << "the read-out did not finish, CommStatus " << CommStatus;
        // The progress window of the read-out has gone: the main window takes the keys.
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    bool landed(int page, int address, int byte) {
        return QTest::qWaitFor([&] { return unit.byte(page, address) == byte; }, 5000);
    }
};

} // namespace

TEST_F(EditEndToEnd, ATypedValueLandsInTheUnit) {
    frmMain& w = openOnline();
    ASSERT_NE(unit.byte(6, Idx_InjMap + 5), 77);
    w.Select_Tab(2);
    click(w.Txt128[5]);
    enter(QStringLiteral("77"));
    EXPECT_TRUE(landed(6, Idx_InjMap + 5, 77)) << unit.byte(6, Idx_InjMap + 5);
    EXPECT_EQ(w.Txt128[5]->text(), QStringLiteral("77"));
}

TEST_F(EditEndToEnd, TwoQuickEditsBothLandInOrder) {
    frmMain& w = openOnline();
    ParamBlock[Idx_IgnAdvLimit] = 100;
    const int cylinders = UnitBytes::Usable_Cylinders();
    w.Select_Tab(3);
    click(w.Txt128[37]);
    enter(QStringLiteral("5"));
    const int ignition = Map5Image[Idx_IgnMap + 37];
    w.Select_Tab(2);
    click(w.Txt128[10]);
    enter(QStringLiteral("123"));
    // Both were raised before a tick could send either.
    EXPECT_GE(SendPath::Requests_Outstanding(), 2);
    EXPECT_EQ(ignition, NumberRules::RoundEven(5.0 * cylinders / 360 * 256));
    EXPECT_TRUE(landed(5, Idx_IgnMap + 37, ignition));
    EXPECT_TRUE(landed(6, Idx_InjMap + 10, 123));
    std::vector<QByteArray> writes;
    for (const QByteArray& f : unit.frames())
        if (f.size() == 4 && (f[0] == '5' || f[0] == '6'))
            writes.push_back(f);
    EXPECT_EQ(writes, (std::vector<QByteArray>{cellFrame('5', Idx_IgnMap + 37, ignition),
                                               cellFrame('6', Idx_InjMap + 10, 123)}));
}

TEST_F(EditEndToEnd, AColumnEntryLandsWhole) {
    frmMain& w = openOnline();
    w.Select_Tab(1);
    click(w.Txt128[37]);
    w.chkAdjustColumn->click();
    enter(QStringLiteral("-3"));
    for (int k = 0; k < 16; ++k)
        EXPECT_TRUE(landed(5, Idx_AnaMap + 32 + k, 253)) << k;
    EXPECT_NE(unit.byte(5, Idx_AnaMap + 48), 253) << "the next column is not written";
}

TEST_F(EditEndToEnd, AStepKeyChangesTheLiveCellInTheUnit) {
    unit.setLiveCell(21);
    frmMain& w = openOnline();
    ASSERT_TRUE(QTest::qWaitFor([] { return LiveMapCell == 21; }, 3000));
    const int before = unit.byte(6, Idx_InjMap + 21);
    ASSERT_LT(before, 255);
    QTest::keyClick(w.txtEnter, Qt::Key_F6);
    EXPECT_TRUE(landed(6, Idx_InjMap + 21, before + 1));
    EXPECT_EQ(MapTab, 2);
}
