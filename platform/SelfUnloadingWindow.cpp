#include "platform/SelfUnloadingWindow.h"
#include "platform/Step.h"

#include <QApplication>
#include <QEvent>
#include <QMetaObject>

SelfUnloadingWindow::SelfUnloadingWindow(QWidget* parent) : QWidget(parent) {}

void SelfUnloadingWindow::Form_Deactivate() {
    if (KeepOpen != 0 || unloadPosted_)
        return;
    unloadPosted_ = true;
    // Queued: the handler (or the activation change) that got here finishes
    // with the window first.
    QMetaObject::invokeMethod(this, Step::Guarded(this, &SelfUnloadingWindow::Unload_Unless_Kept),
                              Qt::QueuedConnection);
}

void SelfUnloadingWindow::Unload_Unless_Kept() {
    unloadPosted_ = false;
    if (KeepOpen != 0)
        return;
    // A window of FormInstance is deleted on close, later, when control is
    // back in the loop that was running; any other window is deleted the same way.
    close();
    if (!testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}

void SelfUnloadingWindow::changeEvent(QEvent* event) {
    Step::Run([&] {
        QWidget::changeEvent(event);
        if (event->type() != QEvent::ActivationChange)
            return;
        if (isActiveWindow()) {
            wasActive_ = true;
            return;
        }
        // A modal box or file dialog in front is no other window.
        if (wasActive_ && isVisible() && QApplication::activeModalWidget() == nullptr)
            Form_Deactivate();
    });
}
