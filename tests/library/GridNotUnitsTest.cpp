// A map loaded from the library on-line without the download: the grid shows a
// map the unit does not hold, and the status bar and the link state say so until
// a download or a read-out. Through the real library window, menus and link
// against the simulated unit.

#include "WindowTestSupport.h"

#include "link/LinkState.h"
#include "link/SendRule.h"
#include "tests/support/CaseNames.h"
#include "tests/support/LinkWaits.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

namespace {

struct SendCase {
    const char* name;
    bool download; // the download, else the read from the unit
};

class AMapLoadedAndNotSent : public LibraryWindowTest,
                             public ::testing::WithParamInterface<SendCase> {
protected:
    // The entry a notice names as "<menu> > <entry> <does>", looked up in the
    // window's own menu bar: a menu of that title holding an entry whose text
    // begins so; nullptr when the bar has none.
    static QAction* entryNamed(frmMain& w, const QString& notice, const QString& does) {
        static const QRegularExpression named(
            QStringLiteral("(?:^|[:,] )([^:,>]+) > (\\S+) (\\w+)"));
        for (auto m = named.globalMatch(notice); m.hasNext();) {
            const QRegularExpressionMatch found = m.next();
            if (found.captured(3) != does)
                continue;
            for (QAction* title : w.menuBar()->actions()) {
                if (title->menu() == nullptr || title->text() != found.captured(1))
                    continue;
                for (QAction* entry : title->menu()->actions())
                    if (entry->text().startsWith(found.captured(2)))
                        return entry;
            }
        }
        return nullptr;
    }
};

} // namespace

TEST_P(AMapLoadedAndNotSent, IsSaidNotToBeTheUnitsUntilADownloadOrAReadOut) {
    const SendCase& c = GetParam();
    const Image file = writeTune(QStringLiteral("Road.kvr"), 11);
    frmMain& w = openOnlineWired();
    ASSERT_FALSE(unitHolds(file));
    const QLabel& state = *w.lblNoComms[0];
    const QLabel& panel = *w.StatusPanel[SendRule::NoticePanel];
    ASSERT_EQ(state.text(), QStringLiteral("Status: On-Line"));

    frmLoadLib& lib = openLibrary(w);
    lib.chkDownNOW->setChecked(false);
    clickRow(lib, QStringLiteral("Road.kvr"));
    QTest::mouseClick(lib.cmdMap, Qt::LeftButton);
    ASSERT_TRUE(Wait_Unloaded<frmLoadLib>());
    EXPECT_EQ(panel.text(), SendRule::NotUnitsNotice);
    EXPECT_TRUE(QTest::qWaitFor([&] { return state.text() == SendRule::NotUnitsState; }, 2000))
        << state.text().toStdString();
    EXPECT_LE(state.fontMetrics().horizontalAdvance(state.text()), state.width());
    if (c.download) {
        EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-grid-not-units.png"))));
    }

    // A cell edit goes out; the word stays, since the rest is still not the unit's.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Select_Tab(2);
    click(w.Txt128[5]);
    enter(QStringLiteral("77"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return unit.byte(6, 5) == 77; }, 5000));
    EXPECT_EQ(panel.text(), SendRule::NotUnitsNotice);
    EXPECT_EQ(state.text(), SendRule::NotUnitsState);

    // The notice's own words lead to the entry.
    QAction* entry =
        entryNamed(w, panel.text(), c.download ? QStringLiteral("sends") : QStringLiteral("reads"));
    ASSERT_NE(entry, nullptr) << panel.text().toStdString();
    EXPECT_EQ(entry, c.download ? w.mnuDownload : w.mnuUpload) << entry->text().toStdString();
    entry->trigger();
    ASSERT_TRUE(Wait_Link_Settled());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return state.text() == QStringLiteral("Status: On-Line"); }, 2000))
        << state.text().toStdString();
    EXPECT_NE(panel.text(), SendRule::NotUnitsNotice);
    // The grid and the unit hold one map again.
    EXPECT_EQ(bytes(Map5Image, 0, 255), unitBytes(5, 0, 255));
    EXPECT_EQ(bytes(Map6Image, 0, 175), unitBytes(6, 0, 175));
}

INSTANTIATE_TEST_SUITE_P(Ways, AMapLoadedAndNotSent,
                         ::testing::Values(SendCase{"download", true}, SendCase{"read-out", false}),
                         By_Case_Name());
