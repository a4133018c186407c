#include "platform/GuardedApplication.h"

#include "platform/Dialogs.h"
#include "platform/KvrError.h"

#include <exception>

namespace {

void tellStopped(const QString& cause) {
    // Told later: the error may come from the receive path or the poll tick,
    // which must never wait on a box.
    Dialogs::msgBoxLater(
        QStringLiteral("The last step could not be finished: %1.\nThe program goes on; "
                       "check that the map shows what you expect before you save or send it.")
            .arg(cause),
        Dialogs::Icon::Exclamation, QStringLiteral("Step not finished"));
}

} // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const KvrError& e) {
        tellStopped(e.description());
    } catch (const std::exception& e) {
        tellStopped(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        tellStopped(QStringLiteral("an unknown error"));
    }
    return false;
}
