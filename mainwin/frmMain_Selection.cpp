// The map grid's selection: clicks and keys on the grid, the AMP column and the
// AFR row, the colours of the selection, and the column that column adjustment
// writes.

#include "core/CoreState.h"
#include "link/LinkState.h"
#include "mainwin/CellEntry.h"
#include "mainwin/GridPaint.h"
#include "mainwin/MainState.h"
#include "mainwin/frmMain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

using GridPaint::Paint;
using GridPaint::Paint_All;

namespace {

// The live AMP row of the shown tab.
int Live_Amp_Row() {
    return MapTab == 1 ? LiveAmpCellB : LiveAmpCellA;
}

// A grid cell that stops being the selection takes the live colour back when the
// engine works in it.
void Unselect_Grid_Cell(frmMain& w, int cell) {
    Paint(w.Txt128, cell, cell == LiveMapCell ? Design::LiveCell : Design::PlainCell);
}

// Column 1..8 of the grid (its 16 cells as CellTable lists them) or 9, the AMP
// column; 0 is none.
void Paint_Column(frmMain& w, int column, unsigned colour) {
    if (column == 9) {
        Paint_All(w.TxtAMP, colour);
    } else if (column >= 1 && column <= 8) {
        for (int l = 1; l <= 16; ++l)
            Paint(w.Txt128,
                  CellTable[static_cast<std::size_t>(column)][static_cast<std::size_t>(l)], colour);
    }
}

void Paint_Live(frmMain& w) {
    Paint(w.Txt128, LiveMapCell, Design::LiveCell);
    Paint(w.TxtAMP, Live_Amp_Row(), Design::LiveCell);
}

// Column adjustment is ticked: the column the next entry writes turns green.
void Paint_Adjusted_Column(frmMain& w) {
    Paint_Column(w, ColouredCol, Design::PlainCell);
    if (SelCell >= 128) {
        Paint_All(w.TxtAMP, Design::SelectedCell);
        ColouredCol = 9;
    } else {
        AdjustCol = std::clamp(SelCell, 0, 127) / 16 + 1;
        Paint_Column(w, AdjustCol, Design::SelectedCell);
        ColouredCol = AdjustCol;
    }
    // The live marks go on top of the green column.
    Paint_Live(w);
    w.Cursor_Movement();
}

// Column adjustment is off: the painted column goes white and the selection
// green again.
void Column_Painting_Off(frmMain& w) {
    AdjustCol = 99;
    Paint_Column(w, ColouredCol, Design::PlainCell);
    ColouredCol = 0;
    Paint_Live(w);
    if (SelCell >= 128)
        Paint(w.TxtAMP, SelAmpRow, Design::SelectedCell);
    else
        Paint(w.Txt128, SelCell, Design::SelectedCell);
}

void Follow_Column_Switch(frmMain& w) {
    if (w.chkAdjustColumn->isChecked())
        Paint_Adjusted_Column(w);
    else if (AdjustCol != 99)
        Column_Painting_Off(w);
}

// The entry box takes the keys; its selection covers as many characters as the
// selected box shows.
void Focus_Entry(frmMain& w, const QLineEdit* selected) {
    w.txtEnter->setFocus();
    w.txtEnter->setSelection(0, static_cast<int>(selected->text().size()));
}

} // namespace

void frmMain::Txt128_Click(int index) {
    if (index < 0 || index > 127)
        return;
    SelCell = index;
    Unselect_Grid_Cell(*this, PrevSelCell);
    Paint(Txt128, index, Design::SelectedCell);
    PrevSelCell = index;
    Paint(TxtAMP, PrevAmpRow, Design::PlainCell);
    EditField = 1;
    Focus_Entry(*this, Txt128[static_cast<std::size_t>(index)]);
    Follow_Column_Switch(*this);
}

void frmMain::TxtAMP_Click(int index) {
    SelAmpRow = std::clamp(index, 0, 15);
    const int live = Live_Amp_Row();
    if (live != PrevAmpRow)
        Paint(TxtAMP, PrevAmpRow, Design::PlainCell);
    else if (live != 0 && PrevAmpRow != 0)
        Paint(TxtAMP, live, Design::LiveCell);
    if (SelCell < 128) {
        Unselect_Grid_Cell(*this, SelCell);
        SelCell = SelAmpRow + 128;
    }
    Paint(TxtAMP, SelAmpRow, Design::SelectedCell);
    Unselect_Grid_Cell(*this, PrevSelCell);
    EditField = 2;
    PrevAmpRow = SelAmpRow;
    Focus_Entry(*this, TxtAMP[static_cast<std::size_t>(SelAmpRow)]);
    Follow_Column_Switch(*this);
}

CellEntry::Selection frmMain::Key_Down(int KeyCode) const {
    return CellEntry::Arrow_Step({SelCell, SelAmpRow, SelAfrRow}, KeyCode, MapTab, EditField);
}

void frmMain::Select_By_Arrow(int KeyCode) {
    const CellEntry::Target target = CellEntry::Arrow_Target(Key_Down(KeyCode), MapTab, EditField);
    SelCell = target.selection.cell;
    SelAmpRow = target.selection.ampRow;
    SelAfrRow = target.selection.afrRow;
    switch (target.pick) {
    case CellEntry::Pick::Grid:
        Txt128_Click(target.index);
        break;
    case CellEntry::Pick::Amp:
        TxtAMP_Click(target.index);
        break;
    case CellEntry::Pick::None:
        break;
    }
}

void frmMain::Txt128_KeyDown(int index, int KeyCode, int) {
    if (index < 0 || index > 127)
        return;
    if (CellEntry::Is_Arrow(KeyCode))
        Select_By_Arrow(KeyCode);
    else if (SelCell < 128)
        Txt128_Click(SelCell);
    Focus_Entry(*this, Txt128[static_cast<std::size_t>(index)]);
}

void frmMain::chkAdjustColumn_Click() {
    if (chkAdjustColumn->isChecked()) {
        if (SelCell >= 128) {
            Paint_All(TxtAMP, Design::SelectedCell);
            ColouredCol = 9;
        } else {
            AdjustCol = SelCell / 16 + 1;
            Paint_Column(*this, AdjustCol, Design::SelectedCell);
            ColouredCol = AdjustCol;
        }
        return;
    }
    if (AdjustCol == 99 && ColouredCol != 9)
        return;
    AdjustCol = 99;
    Paint_Column(*this, ColouredCol, Design::PlainCell);
    ColouredCol = 0;
    if (SelCell >= 128)
        Paint(TxtAMP, SelAmpRow, Design::SelectedCell);
    else
        Paint(Txt128, SelCell, Design::SelectedCell);
    Cursor_Movement();
}
