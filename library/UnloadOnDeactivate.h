#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Runs a window's deactivation handler once the window, after having been the
// active window, is no longer it: the user went to another window. A message
// box or file dialog the program puts up in front does not count. The handler
// runs once the event that deactivated the window is done with it, so it may
// unload the window.
class UnloadOnDeactivate : public QObject {
public:
    UnloadOnDeactivate(QWidget* window, std::function<void()> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<void()> handler_;
    bool wasActive_ = false;
};
