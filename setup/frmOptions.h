#pragma once

#include "setup/OptionsMap.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabBar;

// The window "Global Parameter Setup": the unit's global parameters on eight tabs.
// The mapping between the parameter block and the controls is OptionsMap's, the
// storing and sending ParamSend's; this window holds the controls and their
// events. It stays open when another window is activated, with its edits.
class frmOptions : public QWidget {
    Q_OBJECT
public:
    frmOptions();
    ~frmOptions() override;

    static constexpr int TabCount = 8;

    void Form_Load();
    void tbsOptions_Click();
    // Ctrl+Tab selects the next tab (from the last, the first); every other key
    // is left alone. Returns true when it took the key.
    bool Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void ComModes_Click();
    // The body every slider event runs (Change, Click, KeyDown, MouseDown).
    void Slider_Event(OptionsMap::Slider slider);
    // Every On/Off and cylinder button.
    void Option_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Nothing: the window stays open with its edits.
    void Form_Deactivate() {}

    void Set_New_Values();
    // Stores (through the gate and the link's state) and queues the rows; tells
    // the user when nothing went out. Returns true when the values were stored.
    bool Apply_Values();

    // The controls as the mapping sees them, and back.
    OptionsMap::Controls Read_Controls() const;
    void Show_Controls(const OptionsMap::Controls& controls);

    QTabBar* tbsOptions = nullptr;
    std::array<QWidget*, TabCount> picOptions{};
    std::array<QSlider*, OptionsMap::SliderCount> sld{};
    std::array<QLabel*, OptionsMap::SliderCount> lblValue{};
    std::array<QLabel*, OptionsMap::SliderCount> lblMin{};
    std::array<QLabel*, OptionsMap::SliderCount> lblMax{};
    QComboBox* ComModes = nullptr;
    QLabel* lblModes = nullptr;
    QLabel* lblModeDesc = nullptr;
    std::array<QRadioButton*, 9> optcyl{};
    std::array<QRadioButton*, OptionsMap::OptionRows> optOn{};
    std::array<QRadioButton*, OptionsMap::OptionRows> optOff{};
    QCheckBox* chkMRE = nullptr;
    QLabel* lblMRE = nullptr;
    std::array<QLabel*, OptionsMap::TestRecords> lblTestDate{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdApply = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build_Controls();
    void Build_Global(QWidget* page);
    void Build_Analog(QWidget* page);
    void Build_Ignition(QWidget* page);
    void Build_Speed(QWidget* page);
    void Build_Cylinders(QWidget* page);
    void Build_Switch(QWidget* page);
    void Build_Modes(QWidget* page);
    void Build_System(QWidget* page);
    void Slider_Row(QWidget* parent, OptionsMap::Slider slider, const QString& caption, int top);
    void Show_Page(int index);

    // What the controls showed when the block last matched them.
    OptionsMap::Controls shown_;
    bool modeChosen_ = false;
};
