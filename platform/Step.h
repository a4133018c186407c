#pragma once

// Where a step of the program begins: a handler Qt calls (a menu entry, a
// button, a key, a timer, bytes on the line). Every handler catches and tells
// the errors it expects; an error that still leaves one is caught here, at the
// step's start, and goes no further: Qt's own code that called the handler is
// not written to be unwound, and the program could fail at the next window it
// closes or builds. The step stops there: the user is told ("Step not
// finished", once the event loop runs again), then the screens are drawn anew
// from what the program holds (After_Stop), so none shows what is not so.
// GuardedApplication (platform/GuardedApplication.h) stays the last resort for
// an error of Qt's own delivery.
//
// The three ways in, each one call (tests/platform/GuardedHandlersTest.cpp
// fails on any other):
//   a signal        Step::Connect(x, &X::signal, this, &frmX::handler), never connect()
//   a timer or a    QTimer::singleShot(ms, context, Step::Guarded(...)),
//   queued call     QMetaObject::invokeMethod(context, Step::Guarded(...), type)
//   an event        the whole body of an event handler is Step::Run([&] { ... });
//                   of an event filter, return Step::Answer([&] { ... });

#include <QObject>
#include <QString>
#include <concepts>
#include <functional>
#include <utility>

namespace Step {

// Called in a catch block only: tells the error being handled as a stopped
// step and draws the screens anew.
void Stopped_By_Error() noexcept;

// Runs one step; an error that leaves it is told and the screens redrawn.
template <class F> void Run(F&& step) noexcept {
    try {
        step();
    } catch (...) {
        Stopped_By_Error();
    }
}

// A handler that runs through Run, for the calls that take one besides
// Connect (a timer, a queued call): Guarded(functor) or
// Guarded(object, &Class::handler).
template <class F> auto Guarded(F step) {
    // Callable only with what the step takes, so connect() hands it as many of
    // the signal's values as the step wants.
    return [step = std::move(step)]<class... A>(A &&
                                                ... args) requires std::invocable<const F&, A...> {
        Run([&] { std::invoke(step, std::forward<A>(args)...); });
    };
}
template <class T, class R, class... A> auto Guarded(T* object, R (T::*handler)(A...)) {
    return [object, handler](A... args) { Run([&] { (object->*handler)(args...); }); };
}

// Connects a signal to a handler that runs as a step (through Run) and returns
// the connection. The handler is a member function of the receiver, or a
// functor (a lambda, a function) that goes with the context: it is no longer
// called once the receiver or context is gone.
//   Step::Connect(x, &X::signal, this, &frmX::handler)
//   Step::Connect(x, &X::signal, this, [this] { ... })
// It takes as many of the signal's values as it wants. Qt's own slots and
// signals go the same way (Step::Connect(x, &X::signal, this, &QWidget::close)):
// the guard costs them nothing, and no connect is left for a reader to judge.
template <class Sender, class Signal, class R, class C, std::derived_from<C> Receiver, class... A>
QMetaObject::Connection Connect(const Sender* sender, Signal signal, Receiver* receiver,
                                R (C::*handler)(A...),
                                Qt::ConnectionType type = Qt::AutoConnection) {
    return QObject::connect(sender, signal, receiver, Guarded(static_cast<C*>(receiver), handler),
                            type);
}
template <class Sender, class Signal, class F>
QMetaObject::Connection Connect(const Sender* sender, Signal signal, const QObject* context,
                                F handler, Qt::ConnectionType type = Qt::AutoConnection) {
    return QObject::connect(sender, signal, context, Guarded(std::move(handler)), type);
}

// An event filter's or event handler's answer, worked out through Run: a step
// that stopped has taken its event (true).
template <class F> bool Answer(F&& step) noexcept {
    bool taken = true;
    Run([&] { taken = step(); });
    return taken;
}

// Tells the user that a step stopped, and why (later: the error may come from
// the receive path or the poll tick, which never wait on a box).
void Tell_Stopped(const QString& cause);

// What draws the screens anew from what the program holds after a stopped step:
// the main window fills it while it exists; nothing until then.
extern std::function<void()> After_Stop;

// The other windows that draw the image (the 3-D view, the scale editors, the
// parameter screen) follow this model while they are open: after a stopped step,
// once After_Stop has run, Redraws() emits redraw() and each window draws itself
// anew from the image. A window follows it with Follow_Stops. An error in a
// redraw after a stop is told as a stopped step, and draws nothing anew again.
class RedrawModel : public QObject {
    Q_OBJECT
signals:
    void redraw();
};
RedrawModel& Redraws();

// The window's redraw runs, guarded as every handler, after each stopped step
// for as long as the window lives: Follow_Stops(this, &frmX::Redraw_After_Stop).
template <class T> void Follow_Stops(T* window, void (T::*redraw)()) {
    Connect(&Redraws(), &RedrawModel::redraw, window, redraw);
}

} // namespace Step
