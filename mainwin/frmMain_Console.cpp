// The unit transfers of the main window and its text command console txtDOS.

#include "link/ClearUnit.h"
#include "link/Console.h"
#include "link/Download.h"
#include "link/LinkState.h"
#include "link/frmDosCMD.h"
#include "mainwin/frmMain.h"
#include "platform/Step.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

// Hands the console box's focus changes and keys to the window's handlers. The
// window takes it off the box as its destruction begins: the box loses its focus
// while the window's members are already gone, and nothing may call into them.
class ConsoleEvents : public QObject {
public:
    static inline const QString Name = QStringLiteral("ConsoleEvents");

    ConsoleEvents(frmMain* window, QLineEdit* box) : QObject(box), window_(window) {
        setObjectName(Name);
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return Step::Answer([&] { return Console_Event(watched, event); });
    }

private:
    bool Console_Event(QObject* watched, QEvent* event) {
        switch (event->type()) {
        case QEvent::FocusIn:
            window_->txtDOS_GotFocus();
            break;
        case QEvent::FocusOut:
            window_->txtDOS_LostFocus();
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const int code = key == Qt::Key_Return || key == Qt::Key_Enter ? 13 : key;
            if (window_->txtDOS_KeyDown(code))
                return true; // Enter ran the line; the box does nothing more with it
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

    frmMain* window_;
};

// The live readings the console's calibration and gradient commands read.
WtsCM::ConsoleLive liveReadings() {
    return WtsCM::ConsoleLive{AnalogIn1, AnalogIn2, LiveAmpCellA};
}

} // namespace

void frmMain::Wire_Console() {
    Wire_Entry(mnuDownload, [this] { mnuDownload_Click(); });
    Wire_Entry(mnuDosHelp, [this] { mnuDosHelp_Click(); });
    Show_Console_Placeholder();
    new ConsoleEvents(this, txtDOS);
}

void frmMain::Unwire_Console() {
    // Deleting a filter also takes it off the object it watches.
    delete txtDOS->findChild<QObject*>(ConsoleEvents::Name, Qt::FindDirectChildrenOnly);
}

void frmMain::mnuDownload_Click() {
    WtsCM::Download_All();
}

void frmMain::mnuDosHelp_Click() {
    frmDosCMD::mnuDosHelp_Click(mnuDosHelp);
}

void frmMain::Timer_Clear_Timer() {
    Timer_Clear->stop(); // one shot
    WtsCM::Clear_Unit(ClearClock);
}

void frmMain::txtDOS_GotFocus() {
    if (ConsoleHandover == 1)
        txtEnter->clear(); // the console keeps the letter handed over
    else
        txtDOS->clear();
}

void frmMain::Show_Console_Placeholder() {
    txtDOS->setText(WtsCM::ConsolePlaceholder);
    txtDOS->setCursorPosition(0); // show the text from its start
}

void frmMain::txtDOS_LostFocus() {
    Show_Console_Placeholder();
}

bool frmMain::txtDOS_KeyDown(int keyCode) {
    ConsoleHandover = 0;
    if (txtDOS->text() == WtsCM::ConsolePlaceholder)
        txtDOS->clear();
    if (keyCode != 13)
        return false;
    const WtsCM::ConsoleOutcome out = WtsCM::Console_Line(txtDOS->text(), liveReadings());
    if (!out.ok)
        return true; // the line stays as typed
    if (out.axisLabels || out.analogMap || out.ampCaptions || out.tempCaptions)
        Redraw_Shown_Map();
    txtDOS->clear();
    return true;
}
