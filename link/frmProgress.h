#pragma once

#include "platform/StateReset.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QProgressBar;

// The small window that shows the progress of a transfer with the unit. It
// holds no state of its own: it shows the progress model (link/ProgressModel.h)
// and is visible while the model is loaded and shown.
class frmProgress : public QWidget {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Link;
    frmProgress();

    // Makes the window follow the model: created when the model is shown, shown
    // or hidden with it.
    static void Follow_Model();
    // From now on, while context lives, the window follows every change of the
    // model (the main window makes it so at its load).
    static void Follow(QObject* context);

    void lblDo_Click();

    QGroupBox* frame_Progress = nullptr;
    QLabel* lblDo = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
};
