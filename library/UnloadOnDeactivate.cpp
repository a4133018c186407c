#include "library/UnloadOnDeactivate.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

UnloadOnDeactivate::UnloadOnDeactivate(QWidget* window, std::function<void()> handler)
    : QObject(window), window_(window), handler_(std::move(handler)) {
    window->installEventFilter(this);
}

bool UnloadOnDeactivate::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::ActivationChange) {
        if (window_->isActiveWindow()) {
            wasActive_ = true;
        } else if (wasActive_ && window_->isVisible() &&
                   QApplication::activeModalWidget() == nullptr) {
            wasActive_ = false;
            QPointer<QWidget> window = window_;
            QTimer::singleShot(0, window_, [this, window] {
                // Active again before the handler ran: the user came straight back.
                if (window && !window->isActiveWindow())
                    handler_();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
