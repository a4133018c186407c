#pragma once

#include <QApplication>

// The application object of the program and of its tests. Every handler
// catches and tells the errors it expects; an error that still leaves a
// handler would end the program in Qt's event loop, with the unsaved map
// lost. Here it stops only the step that raised it: the user is told in plain
// words, once the event loop runs again, and the program goes on.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
