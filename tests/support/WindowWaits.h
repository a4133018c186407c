#pragma once

#include "platform/FormInstance.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

// Closing a window deletes it at the event loop's next turn (a window unloaded
// from a button's handler goes once that handler has returned).

// Waits until the window of kind T has gone; false when it is still there after
// timeoutMs. The wait ends as soon as it has gone.
template <class T> bool Wait_Unloaded(int timeoutMs = 10000) {
    return QTest::qWaitFor([] { return !FormInstance<T>::loaded(); }, timeoutMs);
}

// Whether the window of kind T is still there once the deletes already asked for
// have run. It does not wait: a window that should stay open is checked at once,
// with the link and its timers standing still meanwhile.
template <class T> bool Still_Loaded() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return FormInstance<T>::loaded();
}
