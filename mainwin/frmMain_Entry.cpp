// The cell entry box txtEnter: its keys (seen before their character goes in),
// the hand-over of letters to the console box, and the write of a typed value
// into the unit image and onto the send path; and the wiring of the grid's
// mouse and keys.

#include "core/CoreState.h"
#include "link/Edit.h"
#include "link/LinkState.h"
#include "link/MapWrite.h"
#include "link/SendRule.h"
#include "mainwin/CellEntry.h"
#include "mainwin/LiveCellStep.h"
#include "mainwin/MainState.h"
#include "mainwin/MapCellText.h"
#include "mainwin/frmMain.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"
#include "platform/Step.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <algorithm>
#include <exception>

namespace {

// Shift state of a key as the handlers take it: 1 Shift, 2 Ctrl, 4 Alt.
int Shift_State(Qt::KeyboardModifiers m) {
    return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

template <std::size_t N> int Index_Of(const std::array<QLineEdit*, N>& boxes, const QObject* o) {
    const auto it = std::find(boxes.begin(), boxes.end(), o);
    return it == boxes.end() ? -1 : static_cast<int>(it - boxes.begin());
}

// Mouse and keys of the grid's boxes and of the entry and console boxes.
class GridKeys : public QObject {
public:
    explicit GridKeys(frmMain& w) : QObject(&w), w_(w) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A key or a click on the grid begins a step (platform/Step.h).
        return Step::Answer([&] { return Grid_Event(watched, event); });
    }

private:
    bool Grid_Event(QObject* watched, QEvent* event) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // The window's shortcuts (Ctrl+C, Ctrl+S, F1 to F9, ...) win over the
            // text boxes' own use of the keys.
            if ((watched == w_.txtEnter || watched == w_.txtDOS) &&
                Window_Shortcut(*static_cast<QKeyEvent*>(event))) {
                event->ignore();
                return true;
            }
            return false;
        case QEvent::KeyPress:
            return Key(watched, *static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return Click(watched, event->type() == QEvent::MouseButtonPress);
        default:
            return false;
        }
    }

    bool Window_Shortcut(const QKeyEvent& key) const {
        const QKeySequence pressed(
            QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
        const auto actions = w_.findChildren<QAction*>();
        return std::any_of(actions.begin(), actions.end(), [&](const QAction* a) {
            return a->isEnabled() && a->isVisible() && !a->shortcut().isEmpty() &&
                   a->shortcut() == pressed;
        });
    }

    bool Key(QObject* watched, const QKeyEvent& key) {
        const int code = CellEntry::Key_Code(key.key(), key.modifiers());
        const int shift = Shift_State(key.modifiers());
        if (watched == w_.txtEnter) {
            // Ctrl and Alt combinations are the box's own (select all, undo).
            if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                return false;
            w_.txtEnter_KeyDown(code, shift);
            // Arrows and Enter have done their work; a letter went to the console.
            return CellEntry::Is_Arrow(code) || code == CellEntry::KeyEnter ||
                   CellEntry::Is_Letter(code);
        }
        const int cell = Index_Of(w_.Txt128, watched);
        if (cell < 0)
            return false;
        w_.Txt128_KeyDown(cell, code, shift);
        return true;
    }

    bool Click(QObject* watched, bool press) {
        if (const int i = Index_Of(w_.Txt128, watched); i >= 0) {
            if (press)
                w_.Txt128_Click(i);
            return true;
        }
        if (const int i = Index_Of(w_.TxtAMP, watched); i >= 0) {
            if (press)
                w_.TxtAMP_Click(i);
            return true;
        }
        // The AFR row is shown only: a click selects nothing, and says so.
        if (Index_Of(w_.txtAfrT, watched) >= 0) {
            if (press)
                SendRule::Tell(CellEntry::AfrRowNotice);
            return true;
        }
        return false;
    }

    frmMain& w_;
};

QLineEdit* Checked_Box(const std::array<QLineEdit*, 128>& boxes, int index) {
    if (index < 0 || index > 127)
        throw KvrError(KvrError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range (%1)").arg(index));
    return boxes[static_cast<std::size_t>(index)];
}

// Enter: the typed value into the selected box, the unit image and the unit, as
// the send rule allows. A refused entry changes nothing and keeps its text in
// the entry box, so that Enter can be pressed again once the link allows it.
void Enter_Value(frmMain& w) {
    if (EditField < 1 || EditField > 3)
        return; // nothing has been selected yet
    const QString typed = w.txtEnter->text();
    if (!CellEntry::Is_Numeric(typed))
        return; // "", "-" or "." hold no number: nothing is written
    if (EditField == 3)
        return; // the AFR row is shown only: nothing selects it
    QLineEdit* box = EditField == 1 ? Checked_Box(w.Txt128, SelCell)
                                    : w.TxtAMP[static_cast<std::size_t>(SelAmpRow)];
    Edit edit;
    if (edit.Refused())
        return;
    const QString before = box->text();
    box->setText(typed);
    w.txtEnter->clear();

    const int tab = std::clamp(MapTab, 1, 3);
    const bool column = w.chkAdjustColumn->isChecked();
    const double value = NumberRules::Val(box->text());
    const MapWrite::Map map = MapWrite::Of_Tab(tab, EditField);
    const MapWrite::Place& place = MapWrite::Place_Of(map);
    const ImageTable& table = place.page == 5 ? Map5Image : Map6Image;
    // The byte for one cell (offset into the map). An ignition value is held by
    // the limits and by the cell's own value (a raise never lowers it, a lower
    // never raises it); what held it is told with the limit.
    const auto byteFor = [&](int offset, QString& held) {
        if (tab != 3)
            return CellEntry::Entry_Byte(value, tab, EditField, column);
        const CellEntry::HeldIgnition h =
            CellEntry::Ignition_Entry(table[place.base + offset], value);
        held = CellEntry::Held_Notice(typed, h);
        return h.byte;
    };
    const auto text = [&](int offset) {
        return EditField == 1 ? MapCellText::Cell(tab, place.base + offset)
                              : MapCellText::Amp(tab, place.base + offset);
    };
    // Told after the send rule's own word.
    const auto tellHeld = [](const QString& held) {
        if (!held.isEmpty())
            SendRule::Tell(held);
    };

    if (!column) {
        const int cell = EditField == 1 ? SelCell : SelAmpRow;
        QString held;
        const int b = byteFor(cell, held);
        if (tab == 3)
            CellValue = b;
        const EditOutcome written = edit.Cell(map, cell, b).Make();
        if (!written.made()) {
            box->setText(before);
            SendRule::Tell(written.refusal);
            return;
        }
        box->setText(text(cell));
        tellHeld(held);
        return;
    }

    // The column column adjustment painted; it is the selected cell's.
    const int adjusted = AdjustCol >= 1 && AdjustCol <= 8 ? AdjustCol : SelCell / 16 + 1;
    const int columnIndex = EditField == 1 ? adjusted - 1 : 0;
    const int selectedRow = EditField == 1 ? SelCell % 16 : SelAmpRow;
    std::array<int, 16> values{};
    std::array<QString, 16> helds;
    for (int k = 0; k < 16; ++k)
        values[static_cast<std::size_t>(k)] =
            byteFor(columnIndex * 16 + k, helds[static_cast<std::size_t>(k)]);
    if (tab == 3)
        CellValue = values[static_cast<std::size_t>(selectedRow)];
    const EditOutcome written = edit.Column(map, columnIndex, values).Make();
    if (!written.made()) {
        box->setText(before);
        SendRule::Tell(written.refusal);
        return;
    }
    for (int k = 0; k < 16; ++k) {
        const int offset = columnIndex * 16 + k;
        QLineEdit* cellBox = EditField == 1 ? w.Txt128[static_cast<std::size_t>(offset)]
                                            : w.TxtAMP[static_cast<std::size_t>(offset)];
        cellBox->setText(text(offset));
    }
    // The selected cell's word, else the first cell a limit held.
    QString held = helds[static_cast<std::size_t>(selectedRow)];
    for (const QString& h : helds)
        if (held.isEmpty())
            held = h;
    tellHeld(held);
}

void Hand_To_Console(frmMain& w, int code) {
    w.txtDOS->setFocus();
    w.txtDOS->setText(QString(QChar(code)));
    w.txtDOS->setCursorPosition(1);
    ConsoleHandover = 1;
    w.txtEnter->clear();
}

void Report_Entry_Error() {
    Dialogs::msgBox(QStringLiteral("A unexpected error occured in the download process. ") +
                        QChar(13) + QChar(13) +
                        QStringLiteral("The KVR6 for windows will continue, however the new "
                                       "values can not be saved"),
                    Dialogs::Buttons::Ok, Dialogs::Icon::Critical,
                    QStringLiteral("Unable to download to the KVR6 Unit !!"));
}

// An entry an error stopped: its edit has put back what it wrote (link/Edit.h),
// and the grid and panel 1 show what the image holds before the user is told.
void Entry_Failed(frmMain& w) {
    w.Redraw_Shown_Map();
    SendRule::Review_Notice();
    Report_Entry_Error();
}

} // namespace

void frmMain::txtEnter_KeyDown(int KeyCode, int) {
    try {
        if (CellEntry::Is_Arrow(KeyCode))
            Select_By_Arrow(KeyCode);
        if (CellEntry::Is_Letter(KeyCode)) {
            Hand_To_Console(*this, KeyCode);
            return;
        }
        const QString text = txtEnter->text();
        const QString kept = CellEntry::Filter_Text(text, KeyCode, MapTab, EditField);
        if (kept != text)
            txtEnter->setText(kept);
        if (KeyCode == CellEntry::KeyEnter)
            Enter_Value(*this);
    } catch (const KvrError&) {
        Entry_Failed(*this);
    } catch (const std::exception&) {
        Entry_Failed(*this);
    }
}

void frmMain::Wire_Grid_Editing() {
    auto* keys = new GridKeys(*this);
    for (QWidget* w : std::initializer_list<QWidget*>{txtEnter, txtDOS})
        w->installEventFilter(keys);
    for (QLineEdit* box : Txt128)
        box->installEventFilter(keys);
    for (QLineEdit* box : TxtAMP)
        box->installEventFilter(keys);
    for (QLineEdit* box : txtAfrT)
        box->installEventFilter(keys);
    Step::Connect(chkAdjustColumn, &QCheckBox::clicked, this, [this] { chkAdjustColumn_Click(); });

    WtsGeneral::ShowSteppedCell = [w = QPointer<frmMain>(this)](int tab, int cell,
                                                                const QString& text) {
        if (w && MapTab == tab && cell >= 0 && cell < 128)
            w->Txt128[static_cast<std::size_t>(cell)]->setText(text);
    };
}
