// The program's on-line start: the main window loads on-line with the simulated
// unit on port 1, the link reads the unit out and the grid shows the unit's maps.

#include "link/LinkState.h"
#include "mainwin/MapCellText.h"
#include "tests/mainwin/MainTestSupport.h"
#include "tests/support/Screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

TEST_F(MainTest, OnlineStartShowsTheUnitReadOut) {
    // Every injection cell differs from the blank map image's.
    for (int a = 0; a < 128; ++a)
        unit.setByte(6, a, 40 + a);
    unit.setText(QByteArray("Road Test Motors") + QByteArray(16, ' '), 0);
    OnlineState = QStringLiteral("Online");
    frmMain& w = load();
    w.show();
    ASSERT_TRUE(QTest::qWaitFor([] { return UnitOnline == 1 && CommStatus >= 10; }, 10000))
        << "CommStatus " << CommStatus;
    EXPECT_EQ(MapLoaded, -1);
    EXPECT_EQ(Map6Image[5], 45);
    w.Select_Tab(2);
    const MapCellText::Layout& injection = MapCellText::ForTab(2);
    for (int cell : {0, 5, 127})
        EXPECT_EQ(w.Txt128[cell]->text(), MapCellText::Cell(2, injection.cellBase + cell)) << cell;
    EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral("Road Test Motors")))
        << w.windowTitle().toStdString();
    EXPECT_FALSE(Progress().loaded()) << "the progress window closed at the end";
    EXPECT_TRUE(QTest::qWaitFor([] { return LiveRpm > 0; }, 3000)) << "live readings arrive";

    EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-online-readout.png"))));
}
