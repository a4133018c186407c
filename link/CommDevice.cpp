#include "link/CommDevice.h"
#include "platform/Step.h"

#include <QMetaObject>

int InProcessDevice::open(const QString& path) {
    openedPath = path;
    ++opens;
    if (openError != 0)
        return openError;
    open_ = true;
    return 0;
}

void InProcessDevice::close() {
    open_ = false;
    replies_.clear();
}

void InProcessDevice::write(const QByteArray& bytes) {
    if (!open_ || !responder_)
        return;
    for (QByteArray& reply : responder_(bytes))
        replies_.push_back(std::move(reply));
    if (autoDeliver && !replies_.empty())
        QMetaObject::invokeMethod(&context_, Step::Guarded([this] { deliver(); }),
                                  Qt::QueuedConnection);
}

void InProcessDevice::deliver() {
    std::vector<QByteArray> replies;
    replies.swap(replies_);
    for (const QByteArray& reply : replies)
        if (open_ && received)
            received(reply);
}

void InProcessDevice::lose() {
    open_ = false;
    replies_.clear();
    if (lost)
        lost();
}
