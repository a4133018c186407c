#include "platform/GuardedApplication.h"

#include "platform/Step.h"

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    // The last resort: the program's handlers begin their steps through
    // Step::Run themselves, so what arrives here is an error of the delivery.
    bool handled = false;
    Step::Run([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
