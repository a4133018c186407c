#include "platform/Step.h"

#include "platform/Dialogs.h"
#include "platform/KvrError.h"

#include <QCoreApplication>
#include <exception>

namespace Step {

std::function<void()> After_Stop;

RedrawModel& Redraws() {
    // Owned by the application object, so it goes with it; a window's
    // connection goes with the window.
    static RedrawModel* model = [] {
        auto* m = new RedrawModel();
        m->setParent(QCoreApplication::instance());
        return m;
    }();
    return *model;
}

void Tell_Stopped(const QString& cause) {
    Dialogs::msgBoxLater(
        QStringLiteral("The last step could not be finished: %1.\nThe program goes on; "
                       "check that the map shows what you expect before you save or send it.")
            .arg(cause),
        Dialogs::Icon::Exclamation, QStringLiteral("Step not finished"));
}

namespace {

void Stopped(const QString& cause) noexcept {
    // Nothing of the stop may leave the step either: a memory that is short
    // may fail the telling or the redraw too.
    try {
        Tell_Stopped(cause.isEmpty() ? QStringLiteral("an unknown error") : cause);
    } catch (...) {
    }
    // A redraw that stops is told above, and redraws nothing again: the screens
    // are being drawn anew already.
    static bool redrawing = false;
    if (redrawing)
        return;
    redrawing = true;
    try {
        if (After_Stop)
            After_Stop();
    } catch (...) {
    }
    try {
        if (QCoreApplication::instance() != nullptr)
            emit Redraws().redraw();
    } catch (...) {
    }
    redrawing = false;
}

} // namespace

void Stopped_By_Error() noexcept {
    QString cause;
    try {
        throw;
    } catch (const KvrError& e) {
        cause = e.description();
    } catch (const std::exception& e) {
        try {
            cause = QString::fromLocal8Bit(e.what());
        } catch (...) {
        }
    } catch (...) {
    }
    Stopped(cause);
}

} // namespace Step
