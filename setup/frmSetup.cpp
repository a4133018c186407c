#include "setup/frmSetup.h"

#include "core/Caption.h"
#include "link/LinkState.h"
#include "mainwin/CellFit.h"
#include "mainwin/Design.h"
#include "mainwin/MainWindow.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/NumberRules.h"
#include "platform/Step.h"
#include "setup/SetupState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <tuple>

using namespace DisplaySetup;

namespace {

const QString Title = QStringLiteral("Display Setup");

// The design in twips: a row pitch of 240, row k at 720 + 240k in every column.
constexpr int Pitch = 240;
constexpr int FrameHeight = 5295; // the column frames
constexpr int InnerHeight = 4935; // the frames inside them
constexpr int OuterHeight = 6495; // Frame1 and the window
constexpr int OuterWidth = 10095; // Frame1 with the advanced columns shown
constexpr int WindowMargin = 45;  // the window's client area beyond Frame1
constexpr int OutlineWidth = 9615;
constexpr int ButtonTop = 6000;
constexpr int NoteTop = 5520;
// A row's boxes fill the row's pitch, so neighbouring rows never overlap.
constexpr int BoxHeight = Pitch;
// The widest texts the name and limit boxes show whole.
const QString NameSample = QStringLiteral("Engine T Input V");
const QString LimitSample = QStringLiteral("-8888");

// Left of each item with the advanced columns shown; hidden, each moves left by
// FrameADV's width + 255.
constexpr int AdvLeft = 2520;
constexpr int AdvWidth = 3015;
constexpr int GraphLeft = 5790;
constexpr int BarLeft = 6720;
constexpr int TextLeft = 8280;
constexpr int Max1Left = 5640;
constexpr int Max2Left = 6720;
constexpr int Max3Left = 8280;
constexpr int OkLeft = 5760;
constexpr int CancelLeft = 7080;
constexpr int ApplyLeft = 8400;

QGroupBox* frame(QWidget* parent, const QString& caption, const char* name) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}

QPushButton* button(QWidget* parent, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLabel* note(QWidget* parent, const QString& caption) {
    auto* l = new QLabel(caption, parent);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

int leadingNumber(const QString& text) {
    return static_cast<int>(NumberRules::RoundEven(NumberRules::Val(text)));
}

} // namespace

frmSetup::frmSetup() {
    setObjectName(QStringLiteral("frmSetup"));
    Build_Controls();
    Step::Connect(cmdAdvance, &QPushButton::clicked, this, &frmSetup::cmdAdvance_Click);
    Step::Connect(cmdApply, &QPushButton::clicked, this, &frmSetup::cmdApply_Click);
    Step::Connect(cmdOK, &QPushButton::clicked, this, &frmSetup::cmdOK_Click);
    Step::Connect(cmdCancel, &QPushButton::clicked, this, &frmSetup::cmdCancel_Click);
    for (int k = 0; k < Rows; ++k) {
        Step::Connect(comBG[k], &QComboBox::activated, this, [this, k] { comBG_Click(k); });
        Step::Connect(comT[k], &QComboBox::activated, this, [this, k] { comT_Click(k); });
        Step::Connect(chkP[k], &QCheckBox::clicked, this, [this, k] { chkP_Click(k); });
        for (QLineEdit* box : {DNtxt[k], MinTxt[k], MaxTxt[k]})
            Step::Connect(box, &QLineEdit::textEdited, this, [this, k] { Text_Change(k); });
        lblName[k]->installEventFilter(this);
    }
    Form_Load();
}

// --- layout -------------------------------------------------------------------

void frmSetup::Build_Controls() {
    // The rows are small: the condensed face the main window uses.
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPointSizeF(8);
    setFont(font);

    Frame1 = frame(this, QStringLiteral("Display Indication Setup"), "Frame1");
    Frame2 = frame(Frame1, QStringLiteral("Indicators Name"), "Frame2");
    FrameADV = frame(Frame1, QStringLiteral("Advanced Settings"), "FrameADV");
    Frame8 = frame(FrameADV, QStringLiteral("Display Name"), "Frame8");
    Frame11 = frame(FrameADV, QStringLiteral("Min"), "Frame11");
    Frame12 = frame(FrameADV, QStringLiteral("Max"), "Frame12");
    Frame9 = frame(Frame1, QStringLiteral("GRAPH"), "Frame9");
    Frame10 = frame(Frame9, QStringLiteral("ON"), "Frame10");
    Frame3 = frame(Frame1, QStringLiteral("BAR Indication"), "Frame3");
    Frame5 = frame(Frame3, QStringLiteral("POSI"), "Frame5");
    Frame6 = frame(Frame1, QStringLiteral("TEXT Indication"), "Frame6");
    Frame7 = frame(Frame6, QStringLiteral("POSI"), "Frame7");

    const QString compact = QStringLiteral("QComboBox { padding: 0px 2px; }");
    for (int k = 0; k < Rows; ++k) {
        const int top = 240 + Pitch * k; // inside the inner frames
        lblName[k] = new QLabel(Frame2);
        lblName[k]->setObjectName(QStringLiteral("lblName%1").arg(k));
        Design::place(lblName[k], 120, 480 + Pitch * k, 1695, 255);
        // The boxes fill their frames' width, in a face small enough for a
        // reading's name and a graph limit to show whole.
        DNtxt[k] = new QLineEdit(Frame8);
        Design::place(DNtxt[k], 90, top, 1185, BoxHeight);
        MinTxt[k] = new QLineEdit(Frame11);
        Design::place(MinTxt[k], 75, top, 465, BoxHeight);
        MaxTxt[k] = new QLineEdit(Frame12);
        Design::place(MaxTxt[k], 75, top, 465, BoxHeight);
        for (QLineEdit* box : {DNtxt[k], MinTxt[k], MaxTxt[k]})
            Design::setBackColor(box, Qt::white);
        CellFit::Fit_Font(*DNtxt[k], NameSample);
        CellFit::Fit_Font(*MinTxt[k], LimitSample);
        CellFit::Fit_Font(*MaxTxt[k], LimitSample);
        chkP[k] = new QCheckBox(Frame10);
        Design::place(chkP[k], 120, top + 25, 255, 195);
        comBG[k] = new QComboBox(Frame5);
        Design::place(comBG[k], 120, top, 510, BoxHeight);
        comT[k] = new QComboBox(Frame7);
        Design::place(comT[k], 120, top, 510, BoxHeight);
        for (QComboBox* list : {comBG[k], comT[k]}) {
            list->setStyleSheet(compact);
            list->setFont(font);
        }
        DNtxt[k]->setObjectName(QStringLiteral("DNtxt%1").arg(k));
        MinTxt[k]->setObjectName(QStringLiteral("MinTxt%1").arg(k));
        MaxTxt[k]->setObjectName(QStringLiteral("MaxTxt%1").arg(k));
        chkP[k]->setObjectName(QStringLiteral("chkP%1").arg(k));
        comBG[k]->setObjectName(QStringLiteral("comBG%1").arg(k));
        comT[k]->setObjectName(QStringLiteral("comT%1").arg(k));
    }
    lblmax1 = note(Frame1, QStringLiteral("Max of 3"));
    lblmax2 = note(Frame1, QStringLiteral("Max of 6"));
    lblmax3 = note(Frame1, QStringLiteral("Max of 10"));

    // The marker of the current row: an outline over the row, through which the
    // mouse reaches the controls.
    VarOutline = new QFrame(Frame1);
    VarOutline->setObjectName(QStringLiteral("VarOutline"));
    VarOutline->setFrameShape(QFrame::Box);
    VarOutline->setStyleSheet(QStringLiteral("QFrame#VarOutline { border: 1px solid #000080; }"));
    VarOutline->setAttribute(Qt::WA_TransparentForMouseEvents);

    cmdAdvance = button(Frame1, QStringLiteral("Advance Settings ON"), "cmdAdvance");
    cmdOK = button(Frame1, QStringLiteral("OK"), "cmdOK");
    cmdCancel = button(Frame1, QStringLiteral("Cancel"), "cmdCancel");
    cmdApply = button(Frame1, QStringLiteral("Apply"), "cmdApply");
}

void frmSetup::arrange_display() {
    // Rows beyond the last one shown are hidden, and everything below them moves
    // up by their height.
    const int last = Shown_Rows() - 1;
    for (int k = 0; k < Rows; ++k) {
        const bool visible = k <= last;
        for (QWidget* w : std::initializer_list<QWidget*>{lblName[k], chkP[k], comBG[k], comT[k],
                                                          MinTxt[k], MaxTxt[k], DNtxt[k]})
            w->setVisible(visible);
    }
    shrink_ = (Rows - 1 - last) * Pitch;
    const int d = shrink_;
    Design::place(Frame2, 360, 240, 1935, FrameHeight - d);
    Design::place(Frame8, 120, 240, 1335, InnerHeight - d);
    Design::place(Frame11, 1560, 240, 615, InnerHeight - d);
    Design::place(Frame12, 2280, 240, 615, InnerHeight - d);
    Design::place(Frame10, 120, 240, 495, InnerHeight - d);
    Design::place(Frame5, 240, 240, 735, InnerHeight - d);
    Design::place(Frame7, 360, 240, 735, InnerHeight - d);
    Mark_Row(0);
    VarOutline->setVisible(last >= 0);
    ADV_Screen();
}

void frmSetup::ADV_Screen() {
    const bool on = AdvSettingsOn == 1;
    const int s = on ? 0 : AdvWidth + 255;
    const int d = shrink_;
    Design::place(FrameADV, AdvLeft, 240, AdvWidth, FrameHeight - d);
    FrameADV->setVisible(on);
    Design::place(Frame9, GraphLeft - s, 240, 735, FrameHeight - d);
    Design::place(Frame3, BarLeft - s, 240, 1335, FrameHeight - d);
    Design::place(Frame6, TextLeft - s, 240, 1455, FrameHeight - d);
    Design::place(lblmax1, Max1Left - s, NoteTop - d, 975, 255);
    Design::place(lblmax2, Max2Left - s, NoteTop - d, 1290, 255);
    Design::place(lblmax3, Max3Left - s, NoteTop - d, 1455, 255);
    Design::place(cmdAdvance, 240, ButtonTop - d, 1935, 300);
    Design::place(cmdOK, OkLeft - s, ButtonTop - d, 1095, 300);
    Design::place(cmdCancel, CancelLeft - s, ButtonTop - d, 1095, 300);
    Design::place(cmdApply, ApplyLeft - s, ButtonTop - d, 1095, 300);
    Design::place(Frame1, 0, 0, OuterWidth - s, OuterHeight - d);
    Design::setWidth(VarOutline, OutlineWidth - s);
    VarOutline->raise();
    setFixedSize(Design::px(OuterWidth - s + WindowMargin), Design::px(OuterHeight - d));
    if (!on)
        cmdAdvance->setText(QStringLiteral("Advanced Settings OFF"));
}

void frmSetup::Mark_Row(int k) {
    marked_ = k;
    Design::place(VarOutline, 240, 720 + Pitch * k,
                  OutlineWidth - (AdvSettingsOn == 1 ? 0 : AdvWidth + 255), 255);
}

// --- events -------------------------------------------------------------------

void frmSetup::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmSetup"));
    // Each opening takes the rows afresh from the tables.
    Take_Rows();
    arrange_display();
    Set_Values();
    Load_All_Combo();
    cmdApply->setEnabled(false);
    Tell_Left_Out();
    if (UnitLocked == 1)
        Dialogs::msgBox(QStringLiteral("The unit is locked: the rows stay empty and nothing can be "
                                       "saved while it is. Open this screen again once the unit "
                                       "is unlocked."),
                        Dialogs::Buttons::Ok, Dialogs::Icon::Information, Title);
    else if (const QString shared = Shared_Text(shared_); !shared.isEmpty())
        Dialogs::msgBox(shared, Dialogs::Buttons::Ok, Dialogs::Icon::Information, Title);
}

void frmSetup::Take_Rows() {
    const std::vector<Channel> offered = Offered_Channels();
    const auto cut = static_cast<std::ptrdiff_t>(std::min<std::size_t>(offered.size(), Rows));
    shown_.assign(offered.begin(), offered.begin() + cut);
    leftOut_.assign(offered.begin() + cut, offered.end());
}

void frmSetup::Tell_Left_Out() const {
    if (leftOut_.empty())
        return;
    QStringList names;
    for (const Channel& row : leftOut_)
        names << row.label;
    Dialogs::msgBox(QStringLiteral("The display tables offer %1 readings, and this screen has rows "
                                   "for %2: %3 left out here (%4). They keep their bars, text "
                                   "readouts and traces as they are.")
                        .arg(shown_.size() + leftOut_.size())
                        .arg(Rows)
                        .arg(leftOut_.size() == 1
                                 ? QStringLiteral("1 reading is")
                                 : QStringLiteral("%1 readings are").arg(leftOut_.size()))
                        .arg(names.join(QStringLiteral(", "))),
                    Dialogs::Buttons::Ok, Dialogs::Icon::Information, Title);
}

void frmSetup::Set_Values() {
    // A locked unit: the rows are laid out, but not filled.
    if (UnitLocked == 1)
        return;
    std::vector<Channel> all = shown_;
    all.insert(all.end(), leftOut_.begin(), leftOut_.end());
    // The rows left out come last: a place they share is theirs, and only the
    // rows shown give one up, which their save then keeps.
    shared_ = Settle_Shared_Positions(all);
    std::copy_n(all.begin(), shown_.size(), shown_.begin());
    freeBars_ = Free_Bars(all);
    freeTexts_ = Free_Texts(all);
    for (int k = 0; k < Shown_Rows(); ++k) {
        const Channel& row = shown_[static_cast<std::size_t>(k)];
        lblName[k]->setText(row.label);
        MinTxt[k]->setText(row.minText);
        MaxTxt[k]->setText(row.maxText);
        DNtxt[k]->setText(row.name);
        for (QLineEdit* box : {MinTxt[k], MaxTxt[k], DNtxt[k]})
            box->setCursorPosition(0);
        rowBar_[k] = row.bar;
        rowText_[k] = row.text;
        chkP[k]->setChecked(row.plotted);
        if (row.plotted)
            Check_Graph_CHK(k);
    }
}

void frmSetup::Load_All_Combo() {
    for (int k = 0; k < Shown_Rows(); ++k) {
        for (auto [list, own, free] : {std::tuple{comBG[k], rowBar_[k], &freeBars_},
                                       std::tuple{comT[k], rowText_[k], &freeTexts_}}) {
            const QSignalBlocker block(list);
            list->clear();
            list->addItems(free->List(own));
            list->setCurrentIndex(0);
        }
    }
}

void frmSetup::comBG_Click(int k) {
    const int t = leadingNumber(comBG[k]->currentText());
    if (t == rowBar_[k])
        return;
    Mark_Row(k);
    freeBars_.Give_Back(rowBar_[k]);
    freeBars_.Take(t);
    rowBar_[k] = t;
    Load_All_Combo();
    cmdApply->setEnabled(true);
}

void frmSetup::comT_Click(int k) {
    const int t = leadingNumber(comT[k]->currentText());
    if (t == rowText_[k])
        return;
    Mark_Row(k);
    freeTexts_.Give_Back(rowText_[k]);
    freeTexts_.Take(t);
    rowText_[k] = t;
    Load_All_Combo();
    cmdApply->setEnabled(true);
}

void frmSetup::Text_Change(int k) {
    Mark_Row(k);
    cmdApply->setEnabled(true);
}

void frmSetup::lblName_Click(int k) {
    Mark_Row(k);
}

void frmSetup::chkP_Click(int k) {
    Mark_Row(k);
    Check_Graph_CHK(k);
    cmdApply->setEnabled(true);
}

void frmSetup::Check_Graph_CHK(int k) {
    // The rows left out here keep their traces: they count first, and only the
    // rows shown give way.
    std::vector<bool> ticked;
    for (const Channel& row : leftOut_)
        ticked.push_back(row.plotted);
    const int first = static_cast<int>(ticked.size());
    for (int i = 0; i < Shown_Rows(); ++i)
        ticked.push_back(chkP[i]->isChecked());
    for (const int i : DisplaySetup::Check_Graph_CHK(ticked, first + k))
        if (i >= first)
            chkP[i - first]->setChecked(false);
}

bool frmSetup::eventFilter(QObject* watched, QEvent* event) {
    return Step::Answer([&] {
        if (event->type() == QEvent::MouseButtonPress)
            for (int k = 0; k < Rows; ++k)
                if (watched == lblName[k])
                    lblName_Click(k);
        return false;
    });
}

void frmSetup::cmdApply_Click() {
    // Only a save disables Apply: edits that were not saved stay marked.
    if (Save_Values())
        cmdApply->setEnabled(false);
}

void frmSetup::cmdOK_Click() {
    // A save that did not happen keeps the window open with its edits.
    if (cmdApply->isEnabled() && !Save_Values())
        return;
    close();
}

void frmSetup::cmdCancel_Click() {
    close();
}

void frmSetup::cmdAdvance_Click() {
    if (AdvSettingsOn == 0) {
        AdvSettingsOn = 1;
        cmdAdvance->setText(QStringLiteral("Advanced Settings ON"));
    } else {
        AdvSettingsOn = 0;
        cmdAdvance->setText(QStringLiteral("Advanced Settings OFF"));
    }
    ADV_Screen();
    Mark_Row(marked_);
}

std::vector<Channel> frmSetup::Read_Rows() const {
    std::vector<Channel> rows;
    for (int k = 0; k < Shown_Rows(); ++k) {
        Channel row = shown_[static_cast<std::size_t>(k)];
        row.bar = rowBar_[k];
        row.text = rowText_[k];
        row.name = DNtxt[k]->text();
        row.minText = MinTxt[k]->text();
        row.maxText = MaxTxt[k]->text();
        row.plotted = chkP[k]->isChecked();
        rows.push_back(row);
    }
    return rows;
}

bool frmSetup::Save_Values() {
    const SaveResult result = DisplaySetup::Save_Values(Read_Rows());
    switch (result.outcome) {
    case Outcome::Saved:
        break;
    case Outcome::GateClosed:
    case Outcome::BadRange:
        Dialogs::msgBox(result.text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, Title);
        return false;
    case Outcome::WriteFailed:
        FileProblem::Tell({QStringLiteral("display set-up file KVR6SetDisplay.cfg"),
                           QStringLiteral("saved"), result.reason, result.text, Title});
        return false;
    }
    Main().Plot_Setup();
    Main().Plot_Clear();
    Main().Plot_Graph();
    Main().Bar_Clear();
    Main().Bar_Draw();
    Main().Text_Values();
    // The rows show what was kept: names and limits as the file holds them.
    Take_Rows();
    Set_Values();
    Load_All_Combo();
    return true;
}
