#pragma once

#include <QApplication>

// The application object of the program and of its tests. Every handler
// catches and tells the errors it expects, and begins its step through
// Step::Run (platform/Step.h), which stops the step at an error that still
// leaves it. An error of Qt's own delivery of an event would end the program
// in Qt's event loop, with the unsaved map lost: here, the last resort, it
// stops only that step the same way, and the program goes on.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
