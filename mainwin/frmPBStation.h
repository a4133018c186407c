#pragma once

#include "platform/SelfUnloadingWindow.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

// The play-back window "Play Back Station": loads a raw log, and runs, pauses
// and stops its play-back through the main window off-line, with a position and
// a speed slider. The records, the buttons' states and the running time live in
// the play-back model (link/PlaybackModel.h), which this window follows; closing
// the window does not stop a play-back. It unloads itself when another window
// becomes active, unless a handler holds it open with KeepOpen.
class frmPBStation : public SelfUnloadingWindow {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Mainwin;
    frmPBStation();

    void Form_Load();
    void cmdLoad_Click();
    // Reads path into the play-back model and sets up the position slider and
    // labels. A file that cannot be played is refused with a message; then
    // nothing is loaded and Run stays off.
    bool Load_PB_Raw(const QString& path);
    void cmdRun_Click();
    void cmdPause_Click();
    void cmdStop_Click();
    void cmdExit_Click();
    void PBTime_Timer();
    void sldRec_Change();
    void sldRec_MouseDown();
    void sldRec_MouseMove();
    void sldRec_MouseUp();
    void sldSec_Change();

    QPushButton* cmdLoad = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdExit = nullptr;
    QGroupBox* fraRec = nullptr;
    QSlider* sldRec = nullptr;
    QLabel* lblRecMin = nullptr;
    QLabel* lblRecMax = nullptr;
    QLabel* lblRecShow = nullptr;
    QGroupBox* fraSec = nullptr;
    QSlider* sldSec = nullptr;
    QLabel* lblSecMin = nullptr;
    QLabel* lblSecMax = nullptr;
    QLabel* lblFileName = nullptr;
    QTimer* PBTime = nullptr;

private:
    void Build_Controls();
    void Follow_Model();
    // The frames, range labels and sliders, usable once a file is loaded.
    void Set_Loaded_Controls(bool enabled);
    void Set_Position_Range(int count);
};
