#pragma once

#include "platform/SelfUnloadingWindow.h"
#include "setup/ScaleEditor.h"

#include <array>
#include <memory>
#include <vector>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Where the controls of a scale editor stand (twips, left, top, width, height)
// and what they say: the two editors share every control and differ in these.
struct ScaleLayout {
    struct Box {
        int left, top, width, height;
    };
    const char* formName; // the caption builder's key
    Box frame1, frame4, inputMin, inputMax, label1, label10, cmdApply, chkActiveMM, frame3,
        chkActiveN, frame2, lblMin, lblMinRpm, label2, lblRPM_Now, lblMax, lblMaxRpm, lblRpmMax,
        lblRPMmin, label8;
    int buttonLeft;
    std::array<int, 3> buttonTops; // OK, Cancel, Apply
    QString label1Text, label10Text, frame2Text, lblMinText, label2Text, lblMaxText, nowText,
        label8Text;
    std::array<QString, 5> helpTexts;
};

// The window both scale editors are: the bar chart of one map axis, the entries
// of "Min - Max", the key help of "Navigation", and OK, Cancel and Apply. The
// rules are the editor model's (setup/ScaleEditor.h); this window hands it the
// events and shows what it gives. The window gets the keys before its controls,
// so the keys work whatever control has the focus. It unloads when another
// window becomes active: changes not sent then are put back, and the status bar
// says so.
class ScaleWindow : public SelfUnloadingWindow {
    Q_OBJECT
public:
    ScaleWindow(const ScaleLayout& layout, std::unique_ptr<Scale::Editor> editor);
    ~ScaleWindow() override;

    void Form_Load();
    void Form_Deactivate() override;
    // Returns true when the key was the window's.
    bool Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void chkActiveMM_Click();
    void chkActiveN_Click();
    void Input_Min_GotFocus();
    void Label1_Click();
    void cmdApply_Click();
    void cmdApplyAll_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void Image1_Click(int index);
    // After a stopped step (platform/Step.h): the window anew from the image.
    void Redraw_After_Stop();

    Scale::Editor& editor() { return *editor_; }

    QFrame* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLineEdit* Input_Min = nullptr;
    QLineEdit* Input_max = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* cmdApply = nullptr;
    QCheckBox* chkActiveMM = nullptr;
    QCheckBox* chkActiveN = nullptr;
    std::vector<QLabel*> Image1;
    QFrame* LineTop = nullptr;
    QLabel* lblMin = nullptr;
    QLabel* lblMinRpm = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblRPM_Now = nullptr;
    QLabel* lblMax = nullptr;
    QLabel* lblMaxRpm = nullptr;
    QLabel* lblRpmMax = nullptr;
    QLabel* lblRPMmin = nullptr;
    QLabel* Label8 = nullptr;
    std::array<QLabel*, 5> lblHelp{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdApplyAll = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Build_Controls(const ScaleLayout& layout);
    void Fit_Texts();
    void Show_View();
    void Show_Entries();
    void Tell(const QString& text);
    // Puts back what was not sent, and says so in the status bar: the window was
    // `how` ("cancelled", "closed").
    void Put_Back(const QString& how);
    // Sends; false (and told) when nothing went out.
    bool Send();

    const char* formName_;
    // The last click was into a disabled entry: the digits typed next are the
    // entry's, not the window's keys.
    bool entryAimed_ = false;
    std::unique_ptr<Scale::Editor> editor_;
};
