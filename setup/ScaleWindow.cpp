#include "setup/ScaleWindow.h"

#include "core/Caption.h"
#include "link/SendRule.h"
#include "mainwin/Design.h"
#include "platform/Dialogs.h"
#include "platform/Step.h"
#include "setup/SetupState.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

void placeBox(QWidget* w, const ScaleLayout::Box& b) {
    Design::place(w, b.left, b.top, b.width, b.height);
}

// Twips inside the chart frame to pixels of it.
int px(double twips) {
    return Design::px(static_cast<int>(std::lround(twips)));
}

} // namespace

ScaleWindow::ScaleWindow(const ScaleLayout& layout, std::unique_ptr<Scale::Editor> editor)
    : formName_(layout.formName), editor_(std::move(editor)) {
    setObjectName(QString::fromLatin1(layout.formName));
    // The design's small controls take a somewhat smaller face than the default.
    QFont face = font();
    face.setPointSizeF(face.pointSizeF() * 0.9);
    setFont(face);
    Build_Controls(layout);
    Step::Connect(chkActiveMM, &QCheckBox::clicked, this, &ScaleWindow::chkActiveMM_Click);
    Step::Connect(chkActiveN, &QCheckBox::clicked, this, &ScaleWindow::chkActiveN_Click);
    Step::Connect(cmdApply, &QPushButton::clicked, this, &ScaleWindow::cmdApply_Click);
    Step::Connect(cmdApplyAll, &QPushButton::clicked, this, &ScaleWindow::cmdApplyAll_Click);
    Step::Connect(cmdOK, &QPushButton::clicked, this, &ScaleWindow::cmdOK_Click);
    Step::Connect(cmdCancel, &QPushButton::clicked, this, &ScaleWindow::cmdCancel_Click);
    // Key preview: the window sees a key before the control that has the focus.
    qApp->installEventFilter(this);
    Step::Follow_Stops(this, &ScaleWindow::Redraw_After_Stop);
}

ScaleWindow::~ScaleWindow() {
    qApp->removeEventFilter(this);
}

void ScaleWindow::Build_Controls(const ScaleLayout& l) {
    setFixedSize(Design::px(l.frame1.width), Design::px(l.frame1.height));
    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::StyledPanel);
    placeBox(Frame1, l.frame1);

    auto label = [](QWidget* parent, const QString& text, const ScaleLayout::Box& b,
                    const char* name) {
        auto* lbl = new QLabel(text, parent);
        lbl->setObjectName(QString::fromLatin1(name));
        placeBox(lbl, b);
        return lbl;
    };
    lblMin = label(Frame1, l.lblMinText, l.lblMin, "lblMin");
    lblMinRpm = label(Frame1, QString(), l.lblMinRpm, "lblMinRpm");
    Label2 = label(Frame1, l.label2Text, l.label2, "Label2");
    lblRPM_Now = label(Frame1, l.nowText, l.lblRPM_Now, "lblRPM_Now");
    Design::setForeColor(lblRPM_Now, Design::bgr(0xFF0000));
    lblMax = label(Frame1, l.lblMaxText, l.lblMax, "lblMax");
    lblMaxRpm = label(Frame1, QString(), l.lblMaxRpm, "lblMaxRpm");
    Label8 = label(Frame1, l.label8Text, l.label8, "Label8");

    Frame4 = new QGroupBox(QStringLiteral("Min - Max"), Frame1);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    placeBox(Frame4, l.frame4);
    Input_Min = new QLineEdit(Frame4);
    Input_Min->setObjectName(QStringLiteral("Input_Min"));
    placeBox(Input_Min, l.inputMin);
    Input_max = new QLineEdit(Frame4);
    Input_max->setObjectName(QStringLiteral("Input_max"));
    placeBox(Input_max, l.inputMax);
    Label1 = label(Frame4, l.label1Text, l.label1, "Label1");
    Label10 = label(Frame4, l.label10Text, l.label10, "Label10");
    cmdApply = new QPushButton(QStringLiteral("Apply"), Frame4);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    placeBox(cmdApply, l.cmdApply);

    Frame3 = new QGroupBox(QStringLiteral("Navigation"), Frame1);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    placeBox(Frame3, l.frame3);
    for (std::size_t i = 0; i < lblHelp.size(); ++i)
        lblHelp[i] =
            label(Frame3, l.helpTexts[i],
                  {120, 300 + 240 * static_cast<int>(i), l.frame3.width - 240, 240}, "lblHelp");

    // The two switches sit on the top edges of their frames, outside them, so a
    // disabled frame leaves its switch usable.
    chkActiveMM = new QCheckBox(QStringLiteral("Activate Function"), Frame1);
    chkActiveMM->setObjectName(QStringLiteral("chkActiveMM"));
    placeBox(chkActiveMM, l.chkActiveMM);
    chkActiveN = new QCheckBox(QStringLiteral("Activate Function"), Frame1);
    chkActiveN->setObjectName(QStringLiteral("chkActiveN"));
    placeBox(chkActiveN, l.chkActiveN);
    for (QCheckBox* c : {chkActiveMM, chkActiveN}) {
        c->setAutoFillBackground(true);
        c->raise();
    }

    Frame2 = new QGroupBox(l.frame2Text, Frame1);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    placeBox(Frame2, l.frame2);
    Image1.resize(static_cast<std::size_t>(editor_->Bars()));
    for (std::size_t i = 0; i < Image1.size(); ++i) {
        auto* bar = new QLabel(Frame2);
        bar->setObjectName(QStringLiteral("Image1_%1").arg(i));
        bar->setStyleSheet(QStringLiteral(
            "QLabel { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1c3f94, "
            "stop:0.5 #5b8de8, stop:1 #1c3f94); border: 1px solid #10265c; }"
            "QLabel:disabled { background: #9aa7c2; border: 1px solid #6d7891; }"));
        Image1[i] = bar;
    }
    LineTop = new QFrame(Frame2);
    LineTop->setObjectName(QStringLiteral("LineTop"));
    LineTop->setAutoFillBackground(true);
    Design::setBackColor(LineTop, Design::bgr(0xC0));
    LineTop->hide();

    lblRpmMax = label(Frame1, QString(), l.lblRpmMax, "lblRpmMax");
    lblRPMmin = label(Frame1, QString(), l.lblRPMmin, "lblRPMmin");

    auto button = [this, &l](const QString& text, const char* name, int top) {
        auto* b = new QPushButton(text, Frame1);
        b->setObjectName(QString::fromLatin1(name));
        Design::place(b, l.buttonLeft, top, 975, 300);
        return b;
    };
    cmdOK = button(QStringLiteral("OK"), "cmdOK", l.buttonTops[0]);
    cmdCancel = button(QStringLiteral("Cancel"), "cmdCancel", l.buttonTops[1]);
    cmdApplyAll = button(QStringLiteral("Apply"), "cmdApplyAll", l.buttonTops[2]);
    Fit_Texts();
}

// The design's places are kept where the texts fit them; where a text at the
// window's font is wider than its design room, the controls after it move along
// (and the window widens), so nothing shows cut.
void ScaleWindow::Fit_Texts() {
    const auto widthOf = [](const QWidget* w, const QString& text) {
        return w->fontMetrics().horizontalAdvance(text) + 4;
    };
    // The row of the range: caption, value, caption, value, caption, value.
    const int valueWidth = widthOf(lblMinRpm, QStringLiteral("19999.99 %"));
    int x = 0;
    for (auto [caption, value] : {std::pair{lblMin, lblMinRpm}, std::pair{Label2, lblRPM_Now},
                                  std::pair{lblMax, lblMaxRpm}}) {
        caption->move(std::max(x, caption->x()), caption->y());
        caption->resize(widthOf(caption, caption->text()), caption->height());
        x = caption->geometry().right() + 6;
        value->move(std::max(x, value->x()), value->y());
        value->resize(valueWidth, value->height());
        x = value->geometry().right() + 10;
    }
    Label8->resize(widthOf(Label8, Label8->text()), Label8->height());
    x = std::max(x, Label8->geometry().right() + 10);

    // The entries' labels follow their boxes; the switches are as wide as their text.
    for (auto [box, caption] : {std::pair{Input_Min, Label1}, std::pair{Input_max, Label10}}) {
        box->resize(std::max(box->width(), widthOf(box, QStringLiteral("100.0 %")) + 6),
                    box->height());
        caption->move(std::max(caption->x(), box->geometry().right() + 6), caption->y());
        caption->resize(widthOf(caption, caption->text()), caption->height());
    }
    for (QCheckBox* c : {chkActiveMM, chkActiveN})
        c->resize(c->sizeHint().width(), c->height());
    x = std::max(x, chkActiveN->geometry().right() + 10);

    // The key help: one smaller face for all its lines when one is wider than its frame.
    QFont help = lblHelp[0]->font();
    const auto widest = [&] {
        int w = 0;
        for (const QLabel* line : lblHelp)
            w = std::max(w, QFontMetrics(help).horizontalAdvance(line->text()) + 4);
        return w;
    };
    while (widest() > lblHelp[0]->width() && help.pointSizeF() > 6.0)
        help.setPointSizeF(help.pointSizeF() - 0.5);
    for (QLabel* line : lblHelp)
        line->setFont(help);
    if (x > width()) {
        setFixedSize(x, height());
        Frame1->resize(x, Frame1->height());
    }
}

void ScaleWindow::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QString::fromLatin1(formName_));
    const QString told = editor_->Form_Load();
    Show_Entries();
    Show_View();
    // The window opens on OK, not in an entry: focus in an entry chooses "Min - Max".
    cmdOK->setFocus();
    if (!told.isEmpty())
        Tell(told);
}

void ScaleWindow::Tell(const QString& text) {
    Dialogs::msgBox(text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, editor_->Title());
}

void ScaleWindow::Show_Entries() {
    const Scale::View& v = editor_->view();
    Input_Min->setText(v.Input_Min);
    Input_max->setText(v.Input_max);
}

void ScaleWindow::Show_View() {
    const Scale::View& v = editor_->view();
    lblMinRpm->setText(v.lblMinRpm);
    lblMaxRpm->setText(v.lblMaxRpm);
    lblRPMmin->setText(v.lblRPMmin);
    lblRpmMax->setText(v.lblRpmMax);
    lblRPM_Now->setText(v.lblRPM_Now);
    {
        const QSignalBlocker a(chkActiveMM);
        const QSignalBlocker b(chkActiveN);
        chkActiveMM->setChecked(v.chkActiveMM);
        chkActiveN->setChecked(v.chkActiveN);
    }
    // A control that is about to be disabled hands the focus to OK first: left to
    // itself the focus would move on to the next control, an entry of "Min - Max"
    // among them, and focus in an entry chooses that function.
    QWidget* focus = focusWidget();
    const auto loses = [focus](QWidget* w, bool enabled) {
        return !enabled && focus && (focus == w || w->isAncestorOf(focus));
    };
    if (loses(Frame2, v.navigationEnabled) || loses(Frame3, v.navigationEnabled) ||
        loses(Frame4, v.minMaxEnabled) || loses(cmdApplyAll, v.applyAllEnabled))
        cmdOK->setFocus(Qt::OtherFocusReason);
    Frame2->setEnabled(v.navigationEnabled);
    Frame3->setEnabled(v.navigationEnabled);
    Frame4->setEnabled(v.minMaxEnabled);
    cmdApplyAll->setEnabled(v.applyAllEnabled);
    for (std::size_t i = 0; i < Image1.size(); ++i) {
        const Scale::Bar& bar = v.bars[i];
        const int left = Scale::BarLeft + Scale::BarPitch * static_cast<int>(i);
        const int top = px(bar.top);
        Image1[i]->setGeometry(Design::px(left) + 1, top, Design::px(300),
                               px(bar.top + bar.height) - top);
    }
    LineTop->setVisible(v.markerVisible);
    if (v.markerVisible) {
        const int y = px(v.markerY);
        LineTop->setGeometry(Design::px(v.markerLeft), y - 1,
                             Design::px(v.markerRight) - Design::px(v.markerLeft), 2);
        LineTop->raise();
    }
}

bool ScaleWindow::Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift) {
    const Scale::Key key = Scale::Key_Of(keyCode, shift);
    // "Min - Max" takes no keys: they go to the entries.
    if (key == Scale::Key::Other || ScaleMinMaxMode == 1)
        return false;
    const QString told = editor_->Form_KeyDown(key);
    Show_View();
    if (!told.isEmpty())
        Tell(told);
    return true;
}

void ScaleWindow::chkActiveMM_Click() {
    editor_->chkActiveMM_Click(chkActiveMM->isChecked());
    Show_View();
}

void ScaleWindow::chkActiveN_Click() {
    editor_->chkActiveN_Click(chkActiveN->isChecked());
    Show_View();
}

void ScaleWindow::Input_Min_GotFocus() {
    editor_->Entry_Focused();
    Show_View();
}

void ScaleWindow::Label1_Click() {
    Input_Min_GotFocus();
}

void ScaleWindow::cmdApply_Click() {
    const QString told = editor_->cmdApply_Click(Input_Min->text(), Input_max->text());
    Show_Entries();
    Show_View();
    if (!told.isEmpty())
        Tell(told);
}

bool ScaleWindow::Send() {
    QString told;
    const bool sent = editor_->Save_Values(&told);
    Show_View();
    if (!told.isEmpty())
        Tell(told);
    return sent;
}

void ScaleWindow::cmdApplyAll_Click() {
    Send();
}

void ScaleWindow::cmdOK_Click() {
    // Unsent changes go out first; when they cannot, the window stays open with
    // them, so the user can try again or cancel.
    if (editor_->Unsent() && !Send())
        return;
    close();
}

void ScaleWindow::cmdCancel_Click() {
    Put_Back(QStringLiteral("cancelled"));
    close();
}

void ScaleWindow::Put_Back(const QString& how) {
    if (!editor_->Unsent())
        return;
    editor_->Cancel();
    SendRule::Tell(editor_->Title() + QLatin1Char(' ') + how +
                   QStringLiteral(": its changes were not sent to the unit and have been put "
                                  "back."));
}

void ScaleWindow::Image1_Click(int index) {
    editor_->Image1_Click(index);
    Show_View();
}

void ScaleWindow::Redraw_After_Stop() {
    editor_->Redraw();
    Show_Entries();
    Show_View();
}

void ScaleWindow::Form_Deactivate() {
    if (KeepOpen == 0)
        Put_Back(QStringLiteral("closed"));
    SelfUnloadingWindow::Form_Deactivate();
}

void ScaleWindow::closeEvent(QCloseEvent* event) {
    Step::Run([&] {
        // Closing the window any other way than OK is Cancel.
        Put_Back(QStringLiteral("closed"));
        SelfUnloadingWindow::closeEvent(event);
    });
}

bool ScaleWindow::eventFilter(QObject* watched, QEvent* event) {
    return Step::Answer([&] {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress && type != QEvent::FocusIn)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != this)
            return false;
        if (type == QEvent::KeyPress) {
            // A disabled control takes no key, and none goes on from it to the window
            // (the digits 9 and 3 would move a bar). Nor do digits typed after a click
            // into a disabled entry: they were meant for it.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!widget->isEnabled())
                return true;
            if (entryAimed_ && !key->text().isEmpty() && key->text().at(0).isDigit())
                return true;
            return Form_KeyDown(key->key(), key->modifiers());
        }
        if (type == QEvent::MouseButtonPress) {
            // A press goes on through the controls under it: each sees where it is.
            const QWidget* under = childAt(
                mapFromGlobal(static_cast<QMouseEvent*>(event)->globalPosition().toPoint()));
            entryAimed_ = (under == Input_Min || under == Input_max) && !under->isEnabled();
        }
        if (type == QEvent::FocusIn) {
            // The window's own activation gives the focus back where it was; only a
            // user's move into an entry chooses "Min - Max".
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                reason == Qt::ShortcutFocusReason)
                entryAimed_ = false;
            if ((watched == Input_Min || watched == Input_max) &&
                reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                Input_Min_GotFocus();
            return false;
        }
        if ((watched == Label1 || watched == Label10) && widget->isEnabled()) {
            Label1_Click();
            return false;
        }
        if (Frame2->isEnabled() && (watched == Frame2 || widget->parentWidget() == Frame2)) {
            // A click anywhere in a bar's column selects it, also on a bar of no height.
            const QPoint at =
                widget->mapTo(Frame2, static_cast<QMouseEvent*>(event)->position().toPoint());
            const int column = (at.x() - Design::px(Scale::BarLeft)) / Design::px(Scale::BarPitch);
            if (at.x() >= Design::px(Scale::BarLeft) && column < static_cast<int>(Image1.size()))
                Image1_Click(column);
        }
        return false;
    });
}
