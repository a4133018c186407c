#include "link/frmProgress.h"

#include "core/Caption.h"
#include "link/ProgressModel.h"
#include "platform/FormInstance.h"
#include "platform/Step.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QVBoxLayout>

frmProgress::frmProgress() {
    setWindowTitle(QStringLiteral("Progress"));
    // It only reports: the window the user works in keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(4800 / 15, 1800 / 15);
    auto* outer = new QVBoxLayout(this);
    frame_Progress = new QGroupBox(QStringLiteral("Communication Progress"), this);
    outer->addWidget(frame_Progress);
    auto* inner = new QVBoxLayout(frame_Progress);
    lblDo = new QLabel(ProgressModel::DesignText, frame_Progress);
    lblDo->setAlignment(Qt::AlignCenter);
    lblDo->installEventFilter(this);
    ProgressBar1 = new QProgressBar(frame_Progress);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    inner->addWidget(lblDo);
    inner->addWidget(ProgressBar1);
    Step::Connect(&Progress(), &ProgressModel::changed, this, &frmProgress::refresh);
    WtsGeneral::Set_Form_Caption(*this, QStringLiteral("frmProgress"));
    refresh();
}

void frmProgress::refresh() {
    lblDo->setText(Progress().text());
    ProgressBar1->setValue(Progress().value());
}

void frmProgress::Follow_Model() {
    const ProgressModel& model = Progress();
    if (!model.loaded() || !model.visible()) {
        // Only hidden: this may run inside the window's own click or close.
        if (frmProgress* window = FormInstance<frmProgress>::ifLoaded())
            window->hide();
        return;
    }
    frmProgress& window = FormInstance<frmProgress>::get();
    window.refresh();
    window.show();
}

void frmProgress::Follow(QObject* context) {
    Step::Connect(&Progress(), &ProgressModel::changed, context, &frmProgress::Follow_Model);
}

void frmProgress::lblDo_Click() {
    Progress().Form_Unload();
}

void frmProgress::closeEvent(QCloseEvent* event) {
    Step::Run([&] {
        // The close box unloads the progress; the model then hides the window.
        event->ignore();
        Progress().Form_Unload();
    });
}

bool frmProgress::eventFilter(QObject* watched, QEvent* event) {
    return Step::Answer([&] {
        if (watched == lblDo && event->type() == QEvent::MouseButtonRelease) {
            lblDo_Click();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    });
}
