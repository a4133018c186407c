#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QRadioButton;
class QPushButton;
class QTimer;
class QGroupBox;

// The start-up window: version, title and release date, the choice between
// on-line and off-line work, and the first half of the start-up.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Loads and shows the main window; filled in by the program at start-up, so
    // that this window needs nothing of the main window's code.
    static inline std::function<void()> ShowMainWindow;

    frmSplash();

    void Form_Load();
    void optOnline_Click();
    void optOffline_Click();
    void Command1_Click();
    void Timer_Type_Timer();

    QLabel* lblCompanyProduct = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblKVR = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* optOnline = nullptr;
    QRadioButton* optOffline = nullptr;
    QPushButton* Command1 = nullptr;
    QTimer* Timer_Type = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Continue();
    bool continued_ = false;
};
