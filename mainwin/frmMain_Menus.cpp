// The menu tree, the buttons and the handlers that carry their own logic.

#include "core/AxisLabels.h"
#include "core/CoreState.h"
#include "mainwin/LiveCellStep.h"
#include "mainwin/MapCopyText.h"
#include "mainwin/frmMain.h"
#include "platform/Step.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>

namespace {
const char* const StateProperty = "kvrEnabled";
const char* const NoHandlerProperty = "kvrNoHandler";
} // namespace

QAction* frmMain::Entry(QMenu* menu, const char* name, const QString& caption) {
    auto* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty(StateProperty, true);
    Step::Connect(a, &QAction::triggered, this, [this, a] {
        // A tick is the stored state of a toggle: the handler reads and
        // sets it, so the tick Qt flips on a click is put back first.
        if (a->isCheckable())
            a->setChecked(!a->isChecked());
        Run_Entry(a);
    });
    a->setEnabled(false); // until it gets its handler
    return a;
}

QAction* frmMain::Separator(QMenu* menu, const char* name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty(NoHandlerProperty, true);
    a->setProperty(StateProperty, true);
    return a;
}

void frmMain::Build_Menus() {
    QMenuBar* bar = menuBar();
    auto title = [this, bar](const QString& caption, const char* name) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        QAction* a = m->menuAction();
        a->setObjectName(QString::fromLatin1(name));
        a->setProperty(NoHandlerProperty, true);
        a->setProperty(StateProperty, true);
        return m;
    };
    auto topEntry = [this, bar](const QString& caption, const char* name) {
        auto* a = bar->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setProperty(StateProperty, true);
        Step::Connect(a, &QAction::triggered, this, [this, a] { Run_Entry(a); });
        a->setEnabled(false);
        return a;
    };
    auto ticked = [](QAction* a, bool on = false) {
        a->setCheckable(true);
        a->setChecked(on);
        return a;
    };

    QMenu* m = title(QStringLiteral("File"), "mnuFile");
    mnuFileMenu = m;
    mnuFile = m->menuAction();
    mnuLoadLib = Entry(m, "mnuLoadLib", QStringLiteral("Load Tune Map"));
    mnuLoadWD = Entry(m, "mnuLoadWD", QStringLiteral("Load Wiring Diagram Maps"));
    mnuline51 = Separator(m, "mnuline51");
    mnuBackup = Entry(m, "mnuBackup", QStringLiteral("Backup Maps to the Backup Folder"));
    mnuRestore = Entry(m, "mnuRestore", QStringLiteral("Restore Maps from the Backup Folder"));
    mnuLine55 = Separator(m, "mnuLine55");
    mnuLoadBranding = ticked(Entry(m, "mnuLoadBranding", QStringLiteral("Load Branding")));
    mnuLoadNotune = ticked(Entry(m, "mnuLoadNotune", QStringLiteral("Load No Tune")));
    mnuLoadBrNT = ticked(Entry(m, "mnuLoadBrNT", QStringLiteral("Load Br + NT")));
    mnuline52 = Separator(m, "mnuline52");
    mnuMakeDisk = Entry(m, "mnuMakeDisk", QStringLiteral("Make customer disk"));
    mnuLine54 = Separator(m, "mnuLine54");
    mnuSave = Entry(m, "mnuSave", QStringLiteral("Save"));
    mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveAS = Entry(m, "mnuSaveAS", QStringLiteral("Save As"));
    mnuLine3 = Separator(m, "mnuLine3");
    mnuChangeNames = Entry(m, "mnuChangeNames", QStringLiteral("Change Library Names"));
    mnuContact = Entry(m, "mnuContact", QStringLiteral("Contact Details"));
    mnuLine48 = Separator(m, "mnuLine48");
    mnuExit = Entry(m, "mnuExit", QStringLiteral("Exit"));

    m = title(QStringLiteral("Edit"), "mnuEdit");
    mnuEdit = m->menuAction();
    mnuCut = Entry(m, "mnuCut", QStringLiteral("Cut Map"));
    mnuCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuCopy = Entry(m, "mnuCopy", QStringLiteral("Copy Map"));
    mnuCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuPaste = Entry(m, "mnuPaste", QStringLiteral("Paste Map"));
    mnuPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));

    m = title(QStringLiteral("Tools"), "mnuTools");
    mnuTools = m->menuAction();
    mnuUpload = Entry(m, "mnuUpload", QStringLiteral("Upload from OLM5"));
    mnuDownload = Entry(m, "mnuDownload", QStringLiteral("Download to OLM5"));
    mnuline4 = Separator(m, "mnuline4");
    mnuApp_Version = Entry(m, "mnuApp_Version", QStringLiteral("OLM5 Version"));
    mnuApp_Version->setProperty(NoHandlerProperty, true);
    mnuLogging = Entry(m, "mnuLogging", QStringLiteral("Start Logging OLM5"));
    mnuTracer = ticked(Entry(m, "mnuTracer", QStringLiteral("Enable Cursor Tracer")));
    mnuline41 = Separator(m, "mnuline41");
    mnuDosHelp = ticked(Entry(m, "mnuDosHelp", QStringLiteral("Dos Commands Help")));
    mnuDosHelp->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuLine45 = Separator(m, "mnuLine45");
    mnuMapA = ticked(Entry(m, "mnuMapA", QStringLiteral("OLM5 Map A")), true);
    mnuMapB = ticked(Entry(m, "mnuMapB", QStringLiteral("OLM5 Map B")));
    mnuLine44 = Separator(m, "mnuLine44");
    for (int n = 1; n <= 4; ++n) {
        const QByteArray name = "mnuPort" + QByteArray::number(n);
        mnuPort[n] = ticked(Entry(m, name.constData(), QStringLiteral("Comm Port %1").arg(n)));
    }
    mnuLine46 = Separator(m, "mnuLine46");
    mnuReset = Entry(m, "mnuReset", QStringLiteral("Reset KVR OLM5 Hardware"));

    m = title(QStringLiteral("2D Map"), "mnu2DMap");
    mnu2DMap = m->menuAction();
    const std::array<std::pair<QAction**, const char*>, 9> keys{{{&mnuF1, "Fuel"},
                                                                 {&mnuF2, "Ignition"},
                                                                 {&mnuF3, "Lambda"},
                                                                 {&mnuF4, "Ana Up"},
                                                                 {&mnuF5, "Ana Down"},
                                                                 {&mnuF6, "Inj Up"},
                                                                 {&mnuF7, "Inj Down"},
                                                                 {&mnuF8, "Ignition Up"},
                                                                 {&mnuF9, "Ignition Down"}}};
    for (int i = 0; i < 9; ++i) {
        if (i == 3)
            mnuLine43 = Separator(m, "mnuLine43");
        if (i == 5)
            mnuLine23 = Separator(m, "mnuLine23");
        if (i == 7)
            mnuLine24 = Separator(m, "mnuLine24");
        const QByteArray name = "mnuF" + QByteArray::number(i + 1);
        *keys[i].first = Entry(m, name.constData(), QString::fromLatin1(keys[i].second));
        (*keys[i].first)->setShortcut(QKeySequence(Qt::Key_F1 + i));
    }

    m = title(QStringLiteral("3D Map"), "mnu3DMap");
    mnu3DMap = m->menuAction();
    mnu3DFuel = Entry(m, "mnu3DFuel", QStringLiteral("Fuel"));
    mnu3DIgn = Entry(m, "mnu3DIgn", QStringLiteral("Ignition"));
    mnu3DLambda = Entry(m, "mnu3DLambda", QStringLiteral("Lambda"));

    mnuGlobal = topEntry(QStringLiteral("Global Settings"), "mnuGlobal");
    mnuCompensation = topEntry(QStringLiteral("Compensation"), "mnuCompensation");
    mnuFunction = topEntry(QStringLiteral("Function Assignment"), "mnuFunction");
    for (QAction* a : {mnuCompensation, mnuFunction}) {
        a->setProperty(NoHandlerProperty, true);
        Set_Entry_Enabled(a, false);
        a->setVisible(false);
    }

    m = title(QStringLiteral("Scale Settings"), "mnuScale");
    mnuScale = m->menuAction();
    mnuRpm = Entry(m, "mnuRpm", QStringLiteral("RPM Scale"));
    mnuAnalog = Entry(m, "mnuAnalog", QStringLiteral("Deflection"));

    m = title(QStringLiteral("Status"), "mnuStatus");
    mnuStatus = m->menuAction();
    mnuOnline = ticked(Entry(m, "mnuOnline", QStringLiteral("On-Line")));
    mnuOffline = ticked(Entry(m, "mnuOffline", QStringLiteral("Off-Line")));

    mnuPBScreen = topEntry(QStringLiteral("Play Back (Off-Line)"), "mnuPBScreen");
    mnuWire = topEntry(QStringLiteral("Wiring Diagram"), "mnuWire");

    // Entries that need nothing but are designed disabled.
    Set_Entry_Enabled(mnuMakeDisk, false);
    for (QAction* a : {mnuApp_Version, mnuLoadBrNT})
        a->setEnabled(Entry_State(a));
}

void frmMain::Connect_Handlers() {
    Wire_Entry(mnuExit, [this] { mnuExit_Click(); });
    Wire_Entry(mnuCopy, [this] { mnuCopy_Click(); });
    Wire_Entry(mnuTracer, [this] { mnuTracer_Click(); });
    Wire_Entry(mnuLoadNotune, [this] { mnuLoadNotune_Click(); });
    Wire_Entry(mnuLoadBranding, [this] { mnuLoadBranding_Click(); });
    Wire_Entry(mnuLoadBrNT, [this] { mnuLoadBrNT_Click(); });
    Wire_Entry(mnuF1, [this] { mnuF1_Click(); });
    Wire_Entry(mnuF2, [this] { mnuF2_Click(); });
    Wire_Entry(mnuF3, [this] { mnuF3_Click(); });
    Wire_Entry(mnuF4, [this] { mnuF4_Click(); });
    Wire_Entry(mnuF5, [this] { mnuF5_Click(); });
    Wire_Entry(mnuF6, [this] { mnuF6_Click(); });
    Wire_Entry(mnuF7, [this] { mnuF7_Click(); });
    Wire_Entry(mnuF8, [this] { mnuF8_Click(); });
    Wire_Entry(mnuF9, [this] { mnuF9_Click(); });
    Wire_Button(cmdF4, [this] { cmdF4_Click(); });
    Wire_Button(cmdF5, [this] { cmdF5_Click(); });
    Wire_Button(cmdF6, [this] { cmdF6_Click(); });
    Wire_Button(cmdF7, [this] { cmdF7_Click(); });
    Wire_Button(cmdF8, [this] { cmdF8_Click(); });
    Wire_Button(cmdF9, [this] { cmdF9_Click(); });
    Wire_Button(cmdNoTune, [this] { cmdNoTune_Click(); });
    Wire_Console();
    // Buttons whose windows are built elsewhere wait for their handler.
    for (QPushButton* b : {cmdSetDisplay, cmdViewM_Name})
        b->setEnabled(false);

    // Each handler Qt calls begins a step of its own (platform/Step.h).
    Step::Connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    Step::Connect(C_Pause, &QTimer::timeout, this, &frmMain::C_Pause_Timer);
    Step::Connect(Timer_Clear, &QTimer::timeout, this, &frmMain::Timer_Clear_Timer);
}

// --- entry wiring -------------------------------------------------------------

void frmMain::Wire_Entry(QAction* entry, std::function<void()> handler) {
    handlers_[entry] = std::move(handler);
    entry->setEnabled(Entry_State(entry));
}

void frmMain::Wire_Button(QPushButton* button, std::function<void()> handler) {
    button->disconnect(this);
    Step::Connect(button, &QPushButton::clicked, this, std::move(handler));
    button->setEnabled(true);
}

void frmMain::Wire_Picture(int index, std::function<void()> handler) {
    if (index >= 0 && index < static_cast<int>(pictureHandlers_.size()))
        pictureHandlers_[static_cast<std::size_t>(index)] = std::move(handler);
}

bool frmMain::Is_Wired(const QAction* entry) const {
    return entry->property(NoHandlerProperty).toBool() ||
           handlers_.count(const_cast<QAction*>(entry)) > 0;
}

void frmMain::Set_Entry_Enabled(QAction* entry, bool enabled) {
    entry->setProperty(StateProperty, enabled);
    entry->setEnabled(enabled && Is_Wired(entry));
}

bool frmMain::Entry_State(const QAction* entry) {
    return entry->property(StateProperty).toBool();
}

void frmMain::Run_Entry(QAction* entry) {
    const auto it = handlers_.find(entry);
    if (it != handlers_.end() && it->second)
        it->second();
}

// --- handlers ------------------------------------------------------------------

void frmMain::mnuExit_Click() {
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel)
        return;
    hide();
    Form_Unload();
    close();
}

QString frmMain::Map_Copy_Text() const {
    std::array<QString, 128> cells;
    for (int n = 0; n < 128; ++n)
        cells[n] = Txt128[n]->text();
    std::array<QString, 16> rpm;
    for (int r = 0; r < 16; ++r)
        rpm[r] = lblrpm[r]->text();
    return MapCopyText::Copy_Map_Text(cells, rpm);
}

void frmMain::mnuCopy_Click() {
    QClipboard* clip = QApplication::clipboard();
    clip->clear();
    clip->setText(Map_Copy_Text());
}

void frmMain::mnuTracer_Click() {
    if (mnuTracer->isChecked()) {
        mnuTracer->setChecked(false);
        mnuTracer->setText(QStringLiteral("Enable Tracing the cursor"));
        Clear_Map_Cursor();
        Clear_AMP_Cursor();
    } else {
        mnuTracer->setChecked(true);
        mnuTracer->setText(QStringLiteral("STOP Tracing the cursor"));
    }
}

void frmMain::mnuF1_Click() {
    Select_Tab(1);
    Fuel_Map();
}
void frmMain::mnuF2_Click() {
    Select_Tab(2);
    Ignition_Map();
}
void frmMain::mnuF3_Click() {
    Select_Tab(3);
    Lambda_Map();
}

// The stepping keys show the map they step, then step its live cell.
void frmMain::Step_Key(int key) {
    Select_Tab((key - 2) / 2);
    WtsGeneral::Step_Live_Cell(key);
}
void frmMain::mnuF4_Click() {
    Step_Key(4);
}
void frmMain::mnuF5_Click() {
    Step_Key(5);
}
void frmMain::mnuF6_Click() {
    Step_Key(6);
}
void frmMain::mnuF7_Click() {
    Step_Key(7);
}
void frmMain::mnuF8_Click() {
    Step_Key(8);
}
void frmMain::mnuF9_Click() {
    Step_Key(9);
}
void frmMain::cmdF4_Click() {
    Select_Tab(1);
    mnuF4_Click();
}
void frmMain::cmdF5_Click() {
    Select_Tab(1);
    mnuF5_Click();
}
void frmMain::cmdF6_Click() {
    Select_Tab(2);
    mnuF6_Click();
}
void frmMain::cmdF7_Click() {
    Select_Tab(2);
    mnuF7_Click();
}
void frmMain::cmdF8_Click() {
    Select_Tab(3);
    mnuF8_Click();
}
void frmMain::cmdF9_Click() {
    Select_Tab(3);
    mnuF9_Click();
}

void frmMain::PicLogo_Click(int index) {
    if (AdvBranding < 1 || index < 0 || index >= static_cast<int>(pictureHandlers_.size()))
        return;
    if (const auto& handler = pictureHandlers_[static_cast<std::size_t>(index)])
        handler();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    return Step::Answer([&] { return Window_Event(watched, event); });
}

bool frmMain::Window_Event(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        const bool press = event->type() == QEvent::MouseButtonPress;
        for (int i = 0; i < 3; ++i) {
            if (watched == PicLogo[i] && press) {
                PicLogo_Click(i);
                return true;
            }
            if (watched == lblNoComms[i] && press) {
                lblNoComms_Click();
                return true;
            }
        }
        // Holding the button on the "RPM" heading for four seconds clears the
        // unit; letting go earlier cancels it.
        if (watched == Label16) {
            if (press)
                Timer_Clear->start();
            else
                Timer_Clear->stop();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
