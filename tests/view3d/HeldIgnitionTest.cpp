// The 3-D view's raise and lower of an ignition cell follow the grid's rule,
// whatever the limits: a raise never lowers the cell, a lower never raises it,
// a cell beyond a limit stays, and the main window's status bar says why with
// the limit. Page Up and Page Down on the drawing, against the simulated unit
// over the real serial link, at 4 cylinders.

#include "link/SendRule.h"
#include "tests/support/LinkWaits.h"
#include "tests/view3d/View3dTestSupport.h"

using namespace View3D;

namespace {

class HeldIgnition3D : public ViewWindowTest {
protected:
    HeldIgnition3D() { unit.setByte(4, Idx_Cylinders, 4); }
    QString notice() const { return window->StatusPanel[SendRule::NoticePanel]->text(); }

    // Puts `before` into ignition cell 0 of the image and the unit, presses `key`
    // on the drawing and waits until the unit has had the one write of `after`.
    void pressOnCell0(frmMain& w, frm3DDrw& v, int before, Qt::Key key, int after) {
        unit.setByte(5, Idx_IgnMap, before);
        Map5Image[Idx_IgnMap] = static_cast<std::int16_t>(before);
        w.Redraw_Shown_Map();
        ASSERT_TRUE(Wait_Link_Settled());
        unit.clearFrames();
        QTest::keyClick(v.Picture, key);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return writesReceived() == std::vector{GridTest::cellFrame('5', 0, after)}; },
            5000));
        ASSERT_TRUE(Wait_Link_Settled());
    }
};

TEST_F(HeldIgnition3D, NoLimitTurnsARaiseOrALowerRound) {
    // Bytes at 4 cylinders: 62 = 22 degrees, 85 = 30, 114 = 40, 156 = -35, 171 = -30,
    // 228 = -10, 242 = -5. The cursor stays on cell 0 (row 0, column 0).
    struct Case {
        const char* name;
        int advance;
        int retard;
        int before;
        Qt::Key key;
        int after;
        const char* shown;
        const char* told;
    };
    const Case cases[] = {
        {"a raise from 40 with both limits 0", 0, 0, 114, Qt::Key_PageUp, 114, "40",
         "Stays at 40: the advance limit is 0 degrees"},
        {"a lower with the retard limit at 0", 85, 0, 242, Qt::Key_PageDown, 242, "-5",
         "Stays at -5: the retard limit is 0 degrees"},
        {"a raise with the advance limit below 0", 228, 171, 242, Qt::Key_PageUp, 242, "-5",
         "Stays at -5: the advance limit is -10 degrees"},
        {"a lower beyond the retard limit", 85, 171, 156, Qt::Key_PageDown, 156, "-35",
         "Stays at -35: the retard limit is -30 degrees"},
        {"a raise within the limits", 85, 171, 60, Qt::Key_PageUp, 62, "22", ""},
    };
    frmMain& w = openOnlineWired();
    w.Select_Tab(3);
    frm3DDrw& v = openView(w, w.mnu3DLambda); // the ignition map
    ASSERT_EQ(MapKind, QStringLiteral("Ignition:"));
    ASSERT_EQ(std::pair(CurRow, CurCol), std::pair(0, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        unit.setByte(4, Idx_IgnAdvLimit, c.advance);
        unit.setByte(4, Idx_IgnRetLimit, c.retard);
        ParamBlock[Idx_IgnAdvLimit] = static_cast<std::int16_t>(c.advance);
        ParamBlock[Idx_IgnRetLimit] = static_cast<std::int16_t>(c.retard);
        pressOnCell0(w, v, c.before, c.key, c.after);
        if (HasFatalFailure())
            return;
        EXPECT_EQ(unit.byte(5, Idx_IgnMap), c.after);
        EXPECT_EQ(Map5Image[Idx_IgnMap], c.after);
        EXPECT_EQ(window->Txt128[0]->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(notice(), QString::fromLatin1(c.told));
    }
}

} // namespace

namespace {

// A limit that holds a step made in the view is said in the view's own status
// bar too, which may cover the main window's: a raise or lower on the drawing,
// and F8 / F9 on the live cell.
class HeldIgnitionViewStatus : public HeldIgnition3D {
protected:
    HeldIgnitionViewStatus() {
        unit.setByte(4, Idx_IgnAdvLimit, 85);  // 30 degrees
        unit.setByte(4, Idx_IgnRetLimit, 171); // -30 degrees
        unit.setLiveCell(0);
    }
};

} // namespace

TEST_F(HeldIgnitionViewStatus, TheViewsStatusSaysWhatALimitHeld) {
    struct Case {
        const char* name;
        int before;
        Qt::Key key;
        int after;
        const char* told; // "" = nothing held
    };
    const Case cases[] = {
        {"Page Up on the drawing at the advance limit", 114, Qt::Key_PageUp, 114,
         "Stays at 40: the advance limit is 30 degrees"},
        {"Page Down on the drawing beyond the retard limit", 156, Qt::Key_PageDown, 156,
         "Stays at -35: the retard limit is -30 degrees"},
        {"F8 on the live cell at the advance limit", 114, Qt::Key_F8, 114,
         "Stays at 40: the advance limit is 30 degrees"},
        {"F9 on the live cell beyond the retard limit", 156, Qt::Key_F9, 156,
         "Stays at -35: the retard limit is -30 degrees"},
        {"F8 within the limits", 60, Qt::Key_F8, 61, ""},
        {"Page Up within the limits", 60, Qt::Key_PageUp, 62, ""},
    };
    frmMain& w = openOnlineWired();
    w.Select_Tab(3);
    ASSERT_TRUE(QTest::qWaitFor([] { return LiveMapCell == 0; }, 5000));
    frm3DDrw& v = openView(w, w.mnu3DLambda); // the ignition map
    ASSERT_EQ(std::pair(CurRow, CurCol), std::pair(0, 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pressOnCell0(w, v, c.before, c.key, c.after);
        if (HasFatalFailure())
            return;
        EXPECT_EQ(notice(), QString::fromLatin1(c.told)) << "the main window's status bar";
        if (*c.told) {
            EXPECT_TRUE(v.Status_Text().contains(QString::fromLatin1(c.told)))
                << v.Status_Text().toStdString();
        } else {
            EXPECT_FALSE(v.Status_Text().contains(QStringLiteral("limit")))
                << v.Status_Text().toStdString();
        }
        if (c.key == Qt::Key_PageUp && *c.told) {
            EXPECT_TRUE(v.grab().save(Screenshot_Path(QStringLiteral("view3d-held-status.png"))));
        }
    }
}
