#include "mainwin/frmPBStation.h"

#include "core/Caption.h"
#include "core/CoreState.h"
#include "core/ModeFile.h"
#include "link/LinkState.h"
#include "link/LogLines.h"
#include "link/PlaybackModel.h"
#include "mainwin/Design.h"
#include "mainwin/MainWindow.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"
#include "platform/ProgramFolder.h"
#include "platform/Step.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

namespace {

// The mode file keeps the window's place as 16-bit twips.
int twipsOf(int pixels) {
    return std::clamp(pixels * 15, -32768, 32767);
}

bool playing() {
    return LogState == 2 || LogState == 3;
}

bool offline() {
    return OnlineState == OnlineStates::Offline;
}

} // namespace

frmPBStation::frmPBStation() {
    setObjectName(QStringLiteral("frmPBStation"));
    setWindowTitle(QStringLiteral("Play Back Station"));
    Build_Controls();
    Step::Connect(cmdLoad, &QPushButton::clicked, this, &frmPBStation::cmdLoad_Click);
    Step::Connect(cmdRun, &QPushButton::clicked, this, &frmPBStation::cmdRun_Click);
    Step::Connect(cmdPause, &QPushButton::clicked, this, &frmPBStation::cmdPause_Click);
    Step::Connect(cmdStop, &QPushButton::clicked, this, &frmPBStation::cmdStop_Click);
    Step::Connect(cmdExit, &QPushButton::clicked, this, &frmPBStation::cmdExit_Click);
    Step::Connect(sldRec, &QSlider::valueChanged, this, &frmPBStation::sldRec_Change);
    Step::Connect(sldRec, &QSlider::sliderPressed, this, &frmPBStation::sldRec_MouseDown);
    Step::Connect(sldRec, &QSlider::sliderMoved, this, &frmPBStation::sldRec_MouseMove);
    Step::Connect(sldRec, &QSlider::sliderReleased, this, &frmPBStation::sldRec_MouseUp);
    Step::Connect(sldSec, &QSlider::valueChanged, this, &frmPBStation::sldSec_Change);
    Step::Connect(PBTime, &QTimer::timeout, this, &frmPBStation::PBTime_Timer);
    Step::Connect(&Playback(), &PlaybackModel::changed, this, &frmPBStation::Follow_Model);
    Form_Load();
}

void frmPBStation::Build_Controls() {
    setFixedSize(Design::px(6000), Design::px(3420));
    auto button = [this](const QString& caption, const char* name, int left, int width) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        Design::place(b, left, 2820, width, 420);
        return b;
    };
    auto label = [](QWidget* parent, const QString& text, const char* name, int left, int top,
                    int width, Qt::Alignment align = Qt::AlignLeft) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(QString::fromLatin1(name));
        l->setAlignment(align | Qt::AlignVCenter);
        Design::place(l, left, top, width, 250);
        return l;
    };
    auto frame = [this](const QString& caption, const char* name, int top, int height) {
        auto* f = new QGroupBox(caption, this);
        f->setObjectName(QString::fromLatin1(name));
        Design::place(f, 120, top, 5760, height);
        return f;
    };
    auto slider = [](QWidget* parent, const char* name, int top) {
        auto* s = new QSlider(Qt::Horizontal, parent);
        s->setObjectName(QString::fromLatin1(name));
        s->setTickPosition(QSlider::TicksBelow);
        Design::place(s, 120, top, 5520, 420);
        return s;
    };

    fraRec = frame(QStringLiteral("Recorded Data"), "fraRec", 60, 1380);
    sldRec = slider(fraRec, "sldRec", 300);
    sldRec->setMinimum(1);
    sldRec->setMaximum(1);
    lblRecMin = label(fraRec, QStringLiteral("0"), "lblRecMin", 120, 760, 600);
    lblRecMax = label(fraRec, QString(), "lblRecMax", 4080, 760, 1560, Qt::AlignRight);
    lblRecShow = label(fraRec, QString(), "lblRecShow", 1200, 1040, 3360, Qt::AlignHCenter);

    fraSec = frame(QStringLiteral("Play back speed"), "fraSec", 1500, 960);
    sldSec = slider(fraSec, "sldSec", 260);
    sldSec->setRange(1, 20);
    sldSec->setTickInterval(2);
    sldSec->setSingleStep(1);
    sldSec->setPageStep(2);
    sldSec->setValue(10);
    lblSecMin = label(fraSec, QStringLiteral("Slow"), "lblSecMin", 120, 660, 800);
    lblSecMax = label(fraSec, QStringLiteral("Fast"), "lblSecMax", 4840, 660, 800, Qt::AlignRight);

    lblFileName = label(this, QString(), "lblFileName", 120, 2520, 5760);

    cmdLoad = button(QStringLiteral("Load recorded data file"), "cmdLoad", 120, 2400);
    cmdRun = button(QStringLiteral("Run"), "cmdRun", 2580, 780);
    cmdPause = button(QStringLiteral("Pause"), "cmdPause", 3420, 780);
    cmdStop = button(QStringLiteral("Stop"), "cmdStop", 4260, 780);
    cmdExit = button(QStringLiteral("Exit"), "cmdExit", 5100, 780);

    PBTime = new QTimer(this);
    PBTime->setInterval(500);
}

void frmPBStation::Set_Loaded_Controls(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{fraRec, fraSec, lblRecMin, lblRecMax,
                                                      lblSecMin, lblSecMax, sldRec, sldSec})
        w->setEnabled(enabled);
}

void frmPBStation::Set_Position_Range(int count) {
    const QSignalBlocker block(sldRec);
    sldRec->setMaximum(std::max(count, 1));
    sldRec->setTickInterval(
        std::max(1, static_cast<int>(NumberRules::RoundEven((sldRec->maximum() - 1) / 14.0))));
}

void frmPBStation::Form_Load() {
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmPBStation"));
    move(Design::px(PbLeft), Design::px(PbTop));
    PBTime->start();
    PlaybackModel& model = Playback();
    if (model.count() > 0 || LogState != 0) {
        Set_Position_Range(model.count());
        {
            const QSignalBlocker block(sldSec);
            sldSec->setValue(PlaybackSpeed);
        }
        lblRecMax->setText(LogLines::Length_Text(model.count(), 59));
        if (LogState == 2) {
            const QSignalBlocker block(sldRec);
            sldRec->setValue(PlaybackIndex);
        }
        model.setPlayingButtons(LogState == 2);
        lblFileName->setText(QStringLiteral("File Name: ") + model.fileName());
        Set_Loaded_Controls(true);
    } else {
        model.disableButtons();
        lblRecMax->clear();
        lblFileName->clear();
        model.setRunningTime(QString());
        Set_Loaded_Controls(false);
    }
    Follow_Model();
}

void frmPBStation::Follow_Model() {
    const PlaybackModel& model = Playback();
    cmdRun->setEnabled(model.runEnabled());
    cmdPause->setEnabled(model.pauseEnabled());
    cmdStop->setEnabled(model.stopEnabled());
    lblRecShow->setText(model.runningTime());
    // The feed moves the position; shown as a change of the slider shows it.
    if (model.count() > 0 && PlaybackIndex >= 1 && sldRec->value() != PlaybackIndex) {
        const QSignalBlocker block(sldRec);
        sldRec->setValue(PlaybackIndex);
        lblRecMax->setText(LogLines::Length_Text(model.count(), 59));
    }
}

void frmPBStation::cmdLoad_Click() {
    if (!offline())
        return;
    if (LogState != 0) {
        // A click while playing or paused only stops.
        Playback().Playback_Menu_State2();
        PlaybackIndex = 0;
        return;
    }
    KeepOpen = 1;
    PlaybackSpeed = 10;
    Dialogs::FileRequest request;
    request.folder = ProgramFolder::path();
    request.filter = QStringLiteral("Zanfor DATA Files (*.raw)|*.raw");
    request.defaultExt = QStringLiteral("raw");
    const QString path = Dialogs::current().openFile(request);
    if (path.isEmpty())
        return;
    if (!Load_PB_Raw(path))
        return;
    Main().Plot_Setup();
    Main().Plot_Clear();
    Main().Plot_Graph();
    Main().Show_Playback_Loaded(path);
    PlaybackIndex = 0;
    Playback().setPlayingButtons(false);
    Set_Loaded_Controls(true);
}

bool frmPBStation::Load_PB_Raw(const QString& path) {
    QStringList records;
    int skipped = 0;
    try {
        records = PlaybackModel::Read_Raw_Log(path, &skipped);
    } catch (const KvrError& e) {
        Playback().Clear();
        Playback().disableButtons();
        Playback().setRunningTime(QString());
        lblRecMax->clear();
        lblFileName->clear();
        Set_Loaded_Controls(false);
        Dialogs::msgBox(
            QStringLiteral("This file cannot be played back.") + QChar(13) + e.description(),
            Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, QStringLiteral("Play Back"));
        return false;
    }
    Playback().Set_Records(path, records);
    Set_Position_Range(Playback().count());
    lblRecMax->setText(LogLines::Length_Text(Playback().count(), 60));
    lblFileName->setText(QStringLiteral("File Name: ") + path);
    if (skipped > 0) {
        const bool one = skipped == 1;
        Dialogs::msgBox(
            QStringLiteral("%1 %2 of %3 %4 not a complete recorded reply (cut short "
                           "or blank) and %5 skipped. The %6 complete records play "
                           "back.")
                .arg(skipped)
                .arg(one ? QStringLiteral("line") : QStringLiteral("lines"),
                     QFileInfo(path).fileName(), one ? QStringLiteral("is") : QStringLiteral("are"),
                     one ? QStringLiteral("was") : QStringLiteral("were"))
                .arg(records.size()),
            Dialogs::Buttons::Ok, Dialogs::Icon::Information, QStringLiteral("Play Back"));
    }
    return true;
}

void frmPBStation::cmdRun_Click() {
    Playback().Run();
    KeepOpen = 1;
}

void frmPBStation::cmdPause_Click() {
    Playback().Pause();
}

void frmPBStation::cmdStop_Click() {
    // Only a play-back is stopped here, never a recording.
    if (playing())
        Playback().Playback_Menu_State2();
}

void frmPBStation::cmdExit_Click() {
    PBTime->stop();
    close();
}

void frmPBStation::PBTime_Timer() {
    const int top = twipsOf(y());
    const int left = twipsOf(x());
    // Compared in pixels, so a kept place that is no whole pixel is not rewritten;
    // and in kept twips, so a place beyond their range is written once, not on
    // every tick.
    const bool moved =
        (Design::px(PbTop) != y() || Design::px(PbLeft) != x()) && (top != PbTop || left != PbLeft);
    if (moved) {
        PbTop = top;
        PbLeft = left;
        WtsGeneral::Write_Mode_File_Reporting();
    }
    PlaybackModel& model = Playback();
    if (model.hold() > 0) {
        KeepOpen = 1;
        model.setHold(model.hold() - 1);
    } else {
        KeepOpen = 0;
    }
    if (PlaybackIndex != 0 && PlaybackIndex == model.count() && playing())
        model.Playback_Menu_State2();
}

void frmPBStation::sldRec_Change() {
    PlaybackIndex = sldRec->value();
    lblRecMax->setText(LogLines::Length_Text(Playback().count(), 59));
}

void frmPBStation::sldRec_MouseDown() {
    // The feed holds still while the position is dragged.
    if (offline() && playing())
        LogState = 0;
}

void frmPBStation::sldRec_MouseMove() {
    lblRecMax->setText(LogLines::Length_Text(Playback().count(), 60));
}

void frmPBStation::sldRec_MouseUp() {
    if (!offline() || Playback().count() == 0 || LogState == 1)
        return;
    PlaybackIndex = sldRec->value();
    Playback().Ask_Image_Replacement();
    LogState = 3;
}

void frmPBStation::sldSec_Change() {
    PlaybackSpeed = sldSec->value();
}
