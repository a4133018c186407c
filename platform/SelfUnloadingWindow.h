#pragma once

#include "platform/StateReset.h"

#include <QWidget>

// A window that unloads itself when another window of the program becomes
// active, as the small tool windows do. A message box or file dialog that the
// window's own handler puts up in front takes the activation for a moment
// without closing it: the user reads it and goes on here. The unload waits until
// the handler that was running has returned, so no handler finds its window
// deleted under it.
class SelfUnloadingWindow : public QWidget {
    Q_OBJECT
public:
    explicit SelfUnloadingWindow(QWidget* parent = nullptr);

    // The window lost the activation to another window: unloads it once the
    // event loop is back, unless KeepOpen is 1 by then. Public so tests call it
    // as the activation change does.
    virtual void Form_Deactivate();

    // While 1, losing activation does not close the window.
    int KeepOpen = 0;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Unload_Unless_Kept();

    // A window only loses the activation it once had.
    bool wasActive_ = false;
    bool unloadPosted_ = false;
};
