#pragma once

// The global parameter screen's mapping between the parameter block (ParamBlock
// 128..255) and its controls, without a window: the controls are a plain record
// that the window copies to and from its widgets.

#include <QString>
#include <array>

namespace OptionsMap {

// The screen's sliders, each with its value label and its end captions.
enum Slider {
    sldSpe1, // 128 speed adjust
    sldSpe2, // 129 speed limit
    sldAna1, // 130 fuel zero calibration
    sldAna2, // 132 fuel upper limit
    sldAna3, // 133 fuel lower limit
    sldIgn1, // 148 advance limit
    sldIgn2, // 149 retard limit
    sldIgn3, // 146 teeth per turn
    sldIgn4, // 147 teeth per firing
    sldIgn5, // 131 dwell
    sldSwi1, // 136 with 203 RPM switch point
    sldSwi2, // 137 temperature switch point
    sldSwi3, // 138 AMP switch point
    sldSwi4, // 139 deflection switch point
    SliderCount
};

// One slider row. The setters behave as the slider control does: a Min above Max
// moves Max up to it, a Max below Min moves Min down, a Value outside is clamped.
struct SliderRow {
    int Min = 0;
    int Max = 10;
    int Value = 0;
    int SelStart = 0;
    int TickFrequency = 1;
    QString label;      // the value label (lblSpe1, lblAna1, ...)
    QString minCaption; // lblSpemin1, ...
    QString maxCaption; // lblSpemax1, ...

    void setMin(int v);
    void setMax(int v);
    void setValue(int v);
    bool operator==(const SliderRow&) const = default;
};

// The cylinder buttons in their order and the number each stands for.
inline constexpr std::array<int, 9> CylinderButtons{1, 2, 3, 4, 5, 6, 8, 10, 12};
inline constexpr int OptionRows = 11;
inline constexpr int TestRecords = 6;

struct Controls {
    std::array<SliderRow, SliderCount> sliders{};
    int ComModes = -1;       // list index, -1 none selected
    bool modeChosen = false; // the user picked an entry of the list
    QString lblModes;
    QString lblModeDesc;
    std::array<bool, 9> optcyl{};
    std::array<bool, OptionRows> optOn{};
    std::array<bool, OptionRows> optOff{};
    bool chkMRE = false;
    QString lblMRE;
    std::array<QString, TestRecords> lblTestDate{};
    // The cylinder count the degrees and RPM rows (labels and ranges) stand at:
    // the image's when filled, the chosen button's once Follow_Cylinders ran.
    int cylinders = 0;
    bool operator==(const Controls&) const = default;
};

// Where each option row's bit lies: GP 150 bits 0..7, GP 151 bits 0..2.
int Option_Address(int row);
int Option_Bit(int row);

// The rows' captions on the window.
extern const std::array<QString, OptionRows> OptionCaptions;
extern const std::array<QString, TestRecords> TestCaptions;

// Fills ModeNames and ModeDescriptions, slots 0..5, in list order.
void Fill_Mode_Tables();
// The mode code of list index i (0..5), or 0 for another index.
int Mode_Code(int index);

// The gate of the parameter screens: unit data present (UnitOnline or MapLoaded
// not 0) and the unit not locked.
bool Gate_Open();

// The parameter block into the controls; with the gate closed only the cylinder
// count is set. It only reads the block: a cylinders byte outside 1..12 is shown
// as 4 and a switch point outside its range at the range's end, and the bytes stay
// as they are. A step that cannot be done (a switch period that is no usable
// period, an input scale whose calibration steps are equal) is told in the
// "Unexpected Error !!" box and skipped; the mapping goes on with the next step.
void Set_New_Values(Controls& controls);

// The cylinder count a change of the buttons asks for: the chosen button's
// number, or the count the rows stand at when none is chosen.
int Chosen_Cylinders(const Controls& controls);

// After a cylinder button was chosen: the ignition limits and the RPM switch point
// follow the new count (ranges, captions, sliders, labels), keeping the degrees
// and the RPM they showed, within the ranges at the new count. Returns what the
// user must be told of a value that no longer fits and was moved to the end of its
// range; empty when everything fits.
QString Follow_Cylinders(Controls& controls);

// The controls back into the block, through the gate; returns false (and changes
// nothing) with the gate closed. shown is what the controls showed when the block
// last matched them (Set_New_Values' result, or the previous Save_Values'): a
// control that still shows what it showed then keeps exactly the byte it was
// filled from, whatever its label reads ("OFF" included), so that opening and
// saving changes nothing the user did not change. On return shown describes the
// controls as now stored. Empties FrameText.
bool Save_Values(const Controls& controls, Controls& shown);

// What a slider's value label reads while the slider stands at v; the RPM switch
// point's at the given cylinder count (0: the image's usable count).
QString Live_Label(Slider slider, int v, int cylinders = 0);

// The texts of the self-test record r as the screen shows it.
QString Test_Record_Text(const QString& record);

} // namespace OptionsMap
