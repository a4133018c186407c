// The live cursor and its trail on the map grid and the AMP column.

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "mainwin/GridPaint.h"
#include "mainwin/MainState.h"
#include "mainwin/Readings.h"
#include "mainwin/frmMain.h"

#include <QAction>
#include <QLineEdit>
#include <QTabBar>

using GridPaint::Has;
using GridPaint::Paint;

namespace {

// The live row, the row last painted live and the edit row of the AMP column on
// the shown tab; the analog tab has no edit row there (it counts as 0).
struct AmpMarks {
    int live;
    int* previous;
    int edit;
};

} // namespace

void frmMain::Cursor_Movement() {
    const unsigned left = mnuTracer->isChecked() ? Design::TrailCell : Design::PlainCell;

    // A live cell that names no grid box moves nothing.
    if (Has_Live_Cell()) {
        if (LiveMapCell != 0 && Has(Txt128, 0, Design::LiveCell))
            Paint(Txt128, 0, Design::PlainCell);
        if (PrevLiveCell != LiveMapCell) {
            if (PrevLiveCell != PrevSelCell)
                Paint(Txt128, PrevLiveCell, left);
            else if (PrevSelCell != 0)
                Paint(Txt128, PrevSelCell, Design::SelectedCell);
            Paint(Txt128, LiveMapCell, Design::LiveCell);
            PrevLiveCell = LiveMapCell;
        }
    }

    AmpMarks amp{};
    if (MapTab == 1)
        amp = {LiveAmpCellB, &PrevAmpCell1, 0};
    else if (MapTab == 2 || MapTab == 3)
        amp = {LiveAmpCellA, &PrevAmpCell23, PrevAmpRow};
    else
        return;
    if (amp.live < 0 || amp.live > 15)
        return;
    if (amp.live != 0) {
        if (Has(TxtAMP, 0, Design::LiveCell))
            Paint(TxtAMP, 0, Design::PlainCell);
    } else {
        Paint(TxtAMP, 0, Design::LiveCell);
    }
    int& previous = *amp.previous;
    if (previous != amp.live) {
        if (previous != amp.edit)
            Paint(TxtAMP, previous, left);
        else if (previous != 0)
            Paint(TxtAMP, amp.edit, Design::SelectedCell);
        Paint(TxtAMP, amp.live, Design::LiveCell);
        previous = amp.live;
    }
}

// While a locked unit's readings are withheld there is no live cell to mark.
void frmMain::Clear_Map_Cursor() {
    GridPaint::Paint_All(Txt128, Design::PlainCell);
    if (!Readouts::Readings_Withheld())
        Paint(Txt128, LiveMapCell, Design::LiveCell);
}

void frmMain::Clear_AMP_Cursor() {
    GridPaint::Paint_All(TxtAMP, Design::PlainCell);
    if (Readouts::Readings_Withheld())
        return;
    // The tab strip's tab: on a tab change it is already the new one.
    const int tab = TabStrip1->currentIndex() + 1;
    if (tab == 1)
        Paint(TxtAMP, LiveAmpCellB, Design::LiveCell);
    else if (tab == 2 || tab == 3)
        Paint(TxtAMP, LiveAmpCellA, Design::LiveCell);
}
