// With no map in the image (a locked unit, whose read-out reads none, fell
// silent and the program went off-line) every window that edits the map is
// refused by the one gate, the send rule, and says why: nothing of the image
// changes, the grid shows no map, and closing the program asks nothing, since
// nothing was changed. Through the real windows, keys and link.

#include "View3dTestSupport.h"

#include "link/SendRule.h"
#include "tests/support/CaseNames.h"

#include <QCheckBox>
#include <QStatusBar>

namespace {

class NoMapEdits;

struct Producer {
    const char* name;
    std::function<void(NoMapEdits&, frmMain&)> edit;
};

class NoMapEdits : public ViewWindowTest, public ::testing::WithParamInterface<Producer> {
public:
    frmMain& lockedThenSilent() {
        unit.faults.locked = true;
        frmMain& w = openOnlineWired();
        EXPECT_EQ(UnitLocked, 1);
        unit.faults.silent = true;
        for (int i = 0; i < 1000 && OnlineState != OnlineStates::Offline; ++i)
            w.Link.Comm_Timer_Timer();
        EXPECT_EQ(OnlineState, OnlineStates::Offline);
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }
    QString notice() const { return window->StatusPanel[SendRule::NoticePanel]->text(); }
    // A key into the 3-D view of the ignition map, told in the view's own status bar.
    void viewKey(frmMain& w, Qt::Key key) {
        frm3DDrw& v = openView(w, w.mnu3DIgn);
        QTest::keyClick(&v, key);
        EXPECT_EQ(v.Status_Text(), SendRule::NoMapNotice);
        // Closing the view shows its tab, and with no map that asks for one: No.
        dialogs.answer(Dialogs::Answer::No);
        v.close();
        EXPECT_TRUE(Wait_Unloaded<frm3DDrw>());
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    void typeInGrid(frmMain& w, bool column) {
        if (w.chkAdjustColumn->isChecked() != column)
            w.chkAdjustColumn->click();
        click(w.Txt128[20]);
        enter(QStringLiteral("5"));
        EXPECT_TRUE(w.Txt128[20]->text().isEmpty()) << w.Txt128[20]->text().toStdString();
    }
    void console(frmMain& w, const QString& line) {
        w.txtDOS->setFocus();
        QTest::keyClicks(w.txtDOS, line);
        QTest::keyClick(w.txtDOS, Qt::Key_Return);
    }
};

} // namespace

TEST_P(NoMapEdits, EveryProducerIsRefusedAndToldAndTheCloseAsksNothing) {
    frmMain& w = lockedThenSilent();
    ASSERT_EQ(MapLoaded, 0) << "the locked unit's read-out left no map";
    const ImageSnapshot before = ImageSnapshot::Take();
    dialogs.clear();

    GetParam().edit(*this, w);

    EXPECT_EQ(notice(), SendRule::NoMapNotice);
    EXPECT_TRUE(ImageSnapshot::Take() == before) << "nothing of the image changed";
    EXPECT_EQ(OfflineEdits, 0);
    EXPECT_TRUE(SendRequests.empty());
    for (int n = 0; n < 128; ++n)
        EXPECT_TRUE(w.Txt128[n]->text().isEmpty()) << "the grid shows no map: cell " << n;
    if (std::string_view(GetParam().name) == "Page Up in the 3-D view")
        EXPECT_TRUE(w.grab().save(Screenshot_Path(QStringLiteral("main-no-map-refused.png"))));

    // Nothing was changed, so nothing is lost: the program closes without a question.
    dialogs.clear();
    w.close();
    EXPECT_FALSE(w.isVisible());
    for (const auto& r : dialogs.records())
        ADD_FAILURE() << "asked: " << r.title.toStdString() << ": " << r.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Producers, NoMapEdits,
    ::testing::Values(
        Producer{"Page Up in the 3-D view",
                 [](NoMapEdits& t, frmMain& w) { t.viewKey(w, Qt::Key_PageUp); }},
        Producer{"F8 in the 3-D view", [](NoMapEdits& t, frmMain& w) { t.viewKey(w, Qt::Key_F8); }},
        Producer{"a value typed into the grid",
                 [](NoMapEdits& t, frmMain& w) { t.typeInGrid(w, false); }},
        Producer{"a column typed into the grid",
                 [](NoMapEdits& t, frmMain& w) { t.typeInGrid(w, true); }},
        Producer{"a console command",
                 [](NoMapEdits& t, frmMain& w) { t.console(w, QStringLiteral("dl 20")); }}),
    By_Case_Name());
