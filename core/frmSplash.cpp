#include "core/frmSplash.h"

#include "core/AppInfo.h"
#include "core/CoreState.h"
#include "core/DealerSettings.h"
#include "core/ModeFile.h"
#include "core/ParamOffsets.h"
#include "core/WtsAFR.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/KvrError.h"
#include "platform/Step.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

frmSplash::frmSplash() {
    setWindowTitle(QStringLiteral("Windows Tuning Software"));
    setFixedSize(480, 300);

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(8, 4, 464, 180);
    lblCompanyProduct = new QLabel(QStringLiteral("Windows Tuning Software for KVR6"), Frame1);
    lblCompanyProduct->setGeometry(16, 16, 432, 32);
    QFont big = lblCompanyProduct->font();
    big.setPointSize(14);
    big.setBold(true);
    lblCompanyProduct->setFont(big);
    lblKVR = new QLabel(Frame1);
    lblKVR->setGeometry(16, 60, 432, 24);
    lblVersion = new QLabel(Frame1);
    lblVersion->setGeometry(16, 92, 432, 24);
    lblDate = new QLabel(Frame1);
    lblDate->setGeometry(16, 124, 432, 24);

    Frame2 = new QGroupBox(this);
    Frame2->setGeometry(8, 190, 464, 100);
    Label1 = new QLabel(QStringLiteral("Communication Mode :"), Frame2);
    Label1->setGeometry(16, 14, 200, 24);
    optOnline = new QRadioButton(QStringLiteral("Online"), Frame2);
    optOnline->setGeometry(16, 42, 120, 24);
    optOffline = new QRadioButton(QStringLiteral("Off Line"), Frame2);
    optOffline->setGeometry(16, 68, 120, 24);
    Command1 = new QPushButton(QStringLiteral("Continue >>"), Frame2);
    Command1->setGeometry(320, 56, 128, 32);

    Timer_Type = new QTimer(this);
    Timer_Type->setInterval(3500);
    Timer_Type->setSingleShot(true);

    Step::Connect(optOnline, &QRadioButton::clicked, this, &frmSplash::optOnline_Click);
    Step::Connect(optOffline, &QRadioButton::clicked, this, &frmSplash::optOffline_Click);
    Step::Connect(Command1, &QPushButton::clicked, this, &frmSplash::Command1_Click);
    Step::Connect(Timer_Type, &QTimer::timeout, this, &frmSplash::Timer_Type_Timer);

    Form_Load();
}

void frmSplash::Form_Load() {
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(AppInfo::Major)
                            .arg(AppInfo::Minor)
                            .arg(AppInfo::Revision));
    lblKVR->setText(AppInfo::Title);
    lblDate->setText(QStringLiteral("Release Date ") + AppInfo::Comments);

    try {
        WtsGeneral::Read_Mode_File();
    } catch (const KvrError& e) {
        FileProblem::Tell({QStringLiteral("mode file KVR6Mode.cfg"),
                           QStringLiteral("read or created"), e.description(),
                           QStringLiteral("The program starts on-line."),
                           QStringLiteral("Mode File")});
    }

    if (OnlineState != OnlineStates::Offline) {
        optOnline->setChecked(true);
        optOnline_Click();
    } else {
        optOffline->setChecked(true);
        optOffline_Click();
    }
    optOnline->setEnabled(true);
    optOffline->setEnabled(true);

    WtsGeneral::Read_Dealer_Settings_Reporting();
    WtsGeneral::Init_Param_Offsets();
    WtsAFR::Init_AFR_Tables();

    Timer_Type->start();
}

void frmSplash::optOnline_Click() {
    OnlineState = OnlineStates::Online;
}

void frmSplash::optOffline_Click() {
    OnlineState = OnlineStates::Offline;
}

void frmSplash::Command1_Click() {
    Continue();
}

void frmSplash::Timer_Type_Timer() {
    if (continued_)
        return;
    UnitName = QStringLiteral("KVR6");
    ProductNumber = 1;
    Continue();
}

void frmSplash::Continue() {
    if (continued_)
        return;
    continued_ = true;
    Timer_Type->stop();
    WtsGeneral::Write_Mode_File_Reporting();
    if (ShowMainWindow)
        ShowMainWindow();
    hide();
    deleteLater();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    Step::Run([&] { event->ignore(); });
}
