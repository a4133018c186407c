#pragma once

#include "core/UnitImage.h"
#include "platform/StateReset.h"
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
class QTimer;

// The window "Global Parameter Setup": the unit's global parameters on eight tabs.
// The mapping between the parameter block and the controls is OptionsMap's, the
// storing and sending ParamSend's; this window holds the controls and their
// events. It stays open when another window is activated, with its edits; when
// the image changes under it (a map loaded, the unit read), it fills itself anew
// from the image and tells the user when that replaced edits not yet applied.
class frmOptions : public QWidget {
    Q_OBJECT
public:
    static constexpr Floor HomeFloor = Floor::Setup;
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
    // Every On/Off button.
    void Option_Click();
    // Every cylinder button: the ignition limits and the RPM switch point follow
    // the chosen count; a value that no longer fits its range is told.
    void optcyl_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Nothing: the window stays open with its edits.
    void Form_Deactivate() {}

    void Set_New_Values();
    // Stores through the send rule and the write path and hands the rows over;
    // tells the user when nothing could be stored. Returns true when stored.
    bool Apply_Values();
    // When the image no longer holds what the controls were filled from (or unit
    // data came or went), fills them anew; when that replaced edits not yet
    // applied, tells the user and returns true. Runs on a short timer and before
    // a store.
    bool Follow_Image();
    // After a stopped step (platform/Step.h): follows the image at once.
    void Redraw_After_Stop() { Follow_Image(); }
    // Whether the controls show anything but what they were filled with.
    bool Has_Edits() const;

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

    void Refill();
    void Show_Records();

    // What the controls showed when the block last matched them.
    OptionsMap::Controls shown_;
    // The controls as built, before anything was filled in.
    OptionsMap::Controls design_;
    // The block the controls were filled from or last stored, and whether unit
    // data was there then.
    ImageTable filled_;
    bool filledGate_ = false;
    // The cylinder count the degrees and RPM rows stand at.
    int cylinders_ = 0;
    bool modeChosen_ = false;
    QTimer* imageWatch_ = nullptr;
};
