#include "setup/OptionsMap.h"

#include "core/CoreState.h"
#include "core/ParamOffsets.h"
#include "core/UnitBytes.h"
#include "core/WtsCMScale.h"
#include "core/WtsDis.h"
#include "core/WtsUpFormat.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "platform/NumberRules.h"
#include "setup/SetupState.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

using NumberRules::Format;
using NumberRules::RoundEven;
using NumberRules::Val;

namespace OptionsMap {

void SliderRow::setMin(int v) {
    Min = v;
    Max = std::max(Max, v);
    Value = std::clamp(Value, Min, Max);
}

void SliderRow::setMax(int v) {
    Max = v;
    Min = std::min(Min, v);
    Value = std::clamp(Value, Min, Max);
}

void SliderRow::setValue(int v) {
    Value = std::clamp(v, Min, Max);
}

const std::array<QString, OptionRows> OptionCaptions{
    QStringLiteral("Positive input pol :"), QStringLiteral("Positive output pol :"),
    QStringLiteral("Low level input :"),    QStringLiteral("High frequency :"),
    QStringLiteral("Low deviation :"),      QStringLiteral("Interlaced signal :"),
    QStringLiteral("One missing tooth :"),  QStringLiteral("Multi coils"),
    QStringLiteral("Nox injection :"),      QStringLiteral("Lambda input :"),
    QStringLiteral("Lambda un-linear :")};

const std::array<QString, TestRecords> TestCaptions{
    QStringLiteral("Factory Test :"), QStringLiteral("Delivery Test :"),
    QStringLiteral("User Test 3 :"),  QStringLiteral("User Test 4 :"),
    QStringLiteral("User Test 5 :"),  QStringLiteral("User Test 6 :")};

int Option_Address(int row) {
    return row < 8 ? Idx_OptionBits1 : Idx_OptionBits2;
}

int Option_Bit(int row) {
    return 1 << (row < 8 ? row : row - 8);
}

namespace {

constexpr std::array<int, 6> ModeCodes{1, 10, 11, 12, 13, 20};
const QString Off = QStringLiteral("OFF");

// The address each slider row stands for (136 also uses 203).
constexpr std::array<int, SliderCount> SliderAddress{128, 129, 130, 132, 133, 148, 149,
                                                     146, 147, 131, 136, 137, 138, 139};

int Byte_Of(long long v, int top = 255) {
    return static_cast<int>(std::clamp<long long>(v, 0, top));
}

int Whole(double v) {
    return static_cast<int>(std::clamp<std::int64_t>(RoundEven(v), -2147483647, 2147483647));
}

// The box every failed step of the opening shows; the step is then skipped.
void Unexpected(int number, const QString& description) {
    Dialogs::msgBox(
        QStringLiteral("There was an unexpected error on the GLOBAL screen, due to a value being "
                       "out of range.") +
            QChar(13) + QStringLiteral(" The error code is = ") + QString::number(number) +
            QChar(13) + description + QChar(13) + QChar(13) +
            QStringLiteral("To continue, check all the global settings carefully and adjust "
                           "where necessary"),
        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, QStringLiteral("Unexpected Error !!"));
}

constexpr int DivisionByZero = 11;
constexpr int Overflow = 6;

// Value from the label; "OFF" gives Min where the row allows it.
void Value_From_Label(SliderRow& row, bool offIsMin) {
    if (offIsMin && row.label == Off)
        row.setValue(row.Min);
    else
        row.setValue(Whole(Val(row.label)));
}

void Finish(SliderRow& row) {
    row.SelStart = row.Value;
    row.TickFrequency = Whole((row.Max - row.Min) / 14.0);
}

void Set_Range(SliderRow& row, int min, const QString& minCaption, int max,
               const QString& maxCaption) {
    row.setMin(min);
    if (!minCaption.isNull())
        row.minCaption = minCaption;
    row.setMax(max);
    if (!maxCaption.isNull())
        row.maxCaption = maxCaption;
}

// A byte row whose slider stands at the byte itself.
void Byte_Row(SliderRow& row, const QString& label, int min, const QString& minCaption, int max,
              const QString& maxCaption, int value) {
    row.label = label;
    Set_Range(row, min, minCaption, max, maxCaption);
    row.setValue(value);
    Finish(row);
}

// The RPM switch point's range: the whole RPM of break points 0 and 15 at the
// cylinder count. False, and the range as it was, when a break point holds no
// usable period.
bool Rpm_Range(SliderRow& row, int cylinders) {
    const auto first = UnitBytes::Break_Point_Period(0);
    const auto last = UnitBytes::Break_Point_Period(15);
    if (!first || !last)
        return false;
    const int lo = static_cast<int>(NumberRules::Fix(UnitBytes::Rpm_Of_Period(*first, cylinders)));
    const int hi = static_cast<int>(NumberRules::Fix(UnitBytes::Rpm_Of_Period(*last, cylinders)));
    Set_Range(row, lo, NumberRules::Str(lo), hi, NumberRules::Str(hi));
    return true;
}

void Rpm_Row(SliderRow& row, int cylinders) {
    // Each step fails on its own: a switch point of no period loses its label, not
    // the range the break points give.
    row.label = WtsDis::Fmt_RPM_Limited(Idx_SwitchRpm, cylinders);
    if (row.label == WtsDis::NoValue)
        Unexpected(Overflow, QStringLiteral("The RPM switch point is no usable timer period"));
    if (!Rpm_Range(row, cylinders)) {
        Unexpected(DivisionByZero,
                   QStringLiteral("An RPM break point holds no usable timer period"));
        return;
    }
    Value_From_Label(row, true);
    Finish(row);
}

// Temperature (hundredths false) and AMP (hundredths true) switch points.
void Scale_Row(SliderRow& row, int address, const InputScale& scale, bool hundredths) {
    const QString label =
        hundredths ? WtsDis::Fmt_Amp_Limited(address) : WtsDis::Fmt_Temp_Limited(address);
    // An "OFF" label takes no scale; the range needs it all the same.
    if (hundredths)
        WtsCM::Calc_Amp_Scale();
    else
        WtsCM::Calc_Temp_Scale();
    if (label == WtsDis::NoValue || !scale.valid) {
        row.label = WtsDis::NoValue;
        Unexpected(DivisionByZero,
                   QStringLiteral("The %1 input's calibration steps are equal")
                       .arg(hundredths ? QStringLiteral("AMP") : QStringLiteral("temperature")));
        return;
    }
    row.label = label;
    const float top = 15.0f * scale.K + scale.C;
    if (hundredths) {
        const QString minText = Format(scale.C, QStringLiteral("0.#0"));
        const QString maxText = Format(top, QStringLiteral("0.#0"));
        Set_Range(row, Whole(Val(minText) * 100.0), minText, Whole(Val(maxText) * 100.0), maxText);
        if (row.label == Off)
            row.setValue(row.Min);
        else
            row.setValue(Whole(Val(row.label) * 100.0));
    } else {
        Set_Range(row, Whole(scale.C), WtsDis::Single_Text(scale.C), Whole(top),
                  WtsDis::Single_Text(top));
        Value_From_Label(row, true);
    }
    Finish(row);
}

void Deflection_Row(SliderRow& row) {
    row.label = WtsDis::Fmt_Percent_Limited(Idx_SwitchDefl);
    const int lo = WtsDis::Deflect_Percent(ParamBlock[Idx_DeflScale]);
    const int hi = WtsDis::Deflect_Percent(ParamBlock[Idx_DeflScale + 7]);
    Set_Range(row, lo, Format(lo, QStringLiteral("##0")), hi,
              Format(hi, QStringLiteral("##0")) + QStringLiteral("%"));
    Value_From_Label(row, true);
    Finish(row);
}

// The ignition limits' ranges: 0 .. the largest advance, the largest retard .. 0,
// in degrees at the cylinder count.
void Ignition_Range(SliderRow& row, int address, int cylinders) {
    if (address == Idx_IgnAdvLimit) {
        const QString top = WtsDis::Fmt_Max_Advance(cylinders);
        Set_Range(row, 0, QStringLiteral("0"), CellValue, top);
    } else {
        const QString bottom = WtsDis::Fmt_Min_Advance(cylinders);
        Set_Range(row, CellValue, bottom, 0, QStringLiteral("0"));
    }
}

void Ignition_Row(SliderRow& row, int address, int cylinders) {
    row.label = WtsDis::Fmt_Param_Signed_Scaled(address, cylinders);
    Ignition_Range(row, address, cylinders);
    Value_From_Label(row, false);
    Finish(row);
}

void Mode_Forward(Controls& c) {
    const int code = ParamBlock[Idx_Mode];
    if (code == 0)
        return;
    const auto it = std::find(ModeCodes.begin(), ModeCodes.end(), code);
    if (it != ModeCodes.end())
        ModeIndex = static_cast<int>(it - ModeCodes.begin());
    c.lblModes = ModeNames[static_cast<std::size_t>(ModeIndex)];
    c.lblModeDesc = ModeDescriptions[static_cast<std::size_t>(ModeIndex)];
    c.ComModes = ModeIndex;
}

void Cylinders_Forward(Controls& c, int cylinders) {
    const auto it = std::find(CylinderButtons.begin(), CylinderButtons.end(), cylinders);
    if (it != CylinderButtons.end()) {
        c.optcyl.fill(false);
        c.optcyl[static_cast<std::size_t>(it - CylinderButtons.begin())] = true;
    }
}

bool Is_Group(const QString& s) {
    if (s.isEmpty())
        return false;
    return std::all_of(s.begin(), s.end(), [](QChar ch) { return ch.isDigit(); });
}

QString Group_Text(const QString& group, const QString& pattern) {
    return Is_Group(group) ? Format(Val(group), pattern) : group;
}

// --- the inverse, one row at a time ------------------------------------------

// The row as shown last: its label (and for the AMP row its slider) unchanged and,
// for the rows shown at a cylinder count, that count unchanged too.
bool Unchanged(const Controls& c, const Controls& shown, Slider s) {
    const SliderRow& now = c.sliders[s];
    const SliderRow& then = shown.sliders[s];
    if (now.label != then.label)
        return false;
    if (s == sldSwi3 && now.Value != then.Value)
        return false;
    if ((s == sldSwi1 || s == sldIgn1 || s == sldIgn2) && c.cylinders != shown.cylinders)
        return false;
    return true;
}

// The signed byte an ignition limit of d degrees stores: advance within 0..127,
// retard within -128..0.
int Ignition_Signed(int address, double d, int cylinders) {
    const long long count =
        UnitBytes::Signed_Of_Degrees(static_cast<double>(RoundEven(std::abs(d))), cylinders);
    const long long s = d < 0 ? -count : count;
    return static_cast<int>(address == Idx_IgnAdvLimit ? std::clamp<long long>(s, 0, 127)
                                                       : std::clamp<long long>(s, -128, 0));
}

void Store_Rpm(const QString& label, int cylinders) {
    const double v = Val(label);
    const auto first = UnitBytes::Break_Point_Period(0);
    if (!first)
        return;
    if (NumberRules::Fix(UnitBytes::Rpm_Of_Period(*first, cylinders)) >= v) {
        ParamBlock[Idx_SwitchRpm] = 0;
        ParamBlock[Idx_SwitchRpmLow] = 0;
        return;
    }
    const auto p = UnitBytes::Usable_Period_Of_Rpm(v, cylinders);
    if (!p)
        return; // no 16-bit period: the switch point stays as it was
    UnitBytes::Store_Period(Idx_SwitchRpm, Idx_SwitchRpmLow, *p);
}

// 255 means off, so a shown value stores at most 254.
void Store_Switch(int address, const QString& label, std::optional<float> byte) {
    if (label == Off || Val(label) >= 255) {
        ParamBlock[address] = 255;
        return;
    }
    if (byte)
        ParamBlock[address] = static_cast<std::int16_t>(Byte_Of(RoundEven(*byte), 254));
}

void Store_Ignition(int address, const QString& label, int cylinders) {
    ParamBlock[address] =
        static_cast<std::int16_t>(Ignition_Signed(address, Val(label), cylinders) & 255);
}

void Store_Row(const Controls& c, Slider s) {
    const QString& label = c.sliders[s].label;
    const double n = Val(label);
    const int address = SliderAddress[s];
    switch (s) {
    case sldSpe1:
        ParamBlock[address] = static_cast<std::int16_t>(Byte_Of(RoundEven((n / 100 + 1) * 128)));
        break;
    case sldSpe2:
    case sldIgn3:
    case sldIgn4:
        ParamBlock[address] = static_cast<std::int16_t>(Byte_Of(RoundEven(n)));
        break;
    case sldAna1:
        ParamBlock[address] = static_cast<std::int16_t>(RoundEven(n) & 255);
        break;
    case sldIgn5:
        ParamBlock[address] =
            static_cast<std::int16_t>(Byte_Of(RoundEven(n / WtsDis::DwellPerStep)));
        break;
    case sldAna2:
    case sldAna3:
        ParamBlock[address] =
            static_cast<std::int16_t>(Byte_Of(RoundEven(n / WtsDis::VoltsPerStep)));
        break;
    case sldSwi1:
        Store_Rpm(label, c.cylinders);
        break;
    case sldSwi2:
        Store_Switch(address, label, WtsCM::Conv_Volts_To_Byte_Temp(n));
        break;
    case sldSwi3: {
        std::optional<float> byte = WtsCM::Conv_Volts_To_Byte_Amp(c.sliders[s].Value / 100.0);
        if (byte)
            byte = static_cast<float>(Val(Format(*byte, QStringLiteral("##0"))));
        Store_Switch(address, label, byte);
        break;
    }
    case sldSwi4:
        Store_Switch(address, label, static_cast<float>(n / 100 * 255));
        break;
    case sldIgn1:
    case sldIgn2:
        Store_Ignition(address, label, c.cylinders);
        break;
    case SliderCount:
        break;
    }
}

} // namespace

void Fill_Mode_Tables() {
    ModeNames[0] = QStringLiteral("1-Missing tooth operation");
    ModeNames[1] = QStringLiteral("10-Single ignition advance and retard + frequency fuel");
    ModeNames[2] = QStringLiteral("11-Single ignition advance and retard + road speed governor");
    ModeNames[3] = QStringLiteral("12-Two ignition advance and retard");
    ModeNames[4] = QStringLiteral("13-Single ignition advance and retard + PWM fuel");
    ModeNames[5] = QStringLiteral("20-Odd signal retard");
    ModeDescriptions[0] = QStringLiteral(
        "The pickup is from a multi-tooth wheel, with one or two teeth missing. The output signal "
        "can be advanced or retarded to a max. of 2 teeth");
    ModeDescriptions[1] = QStringLiteral(
        "The ignition pickup is from a single sensor, magnetic or optical, which can be advanced "
        "or retarded. The signal must be 'uniform', and it must repeat every engine turn (or very "
        "two turns). Multiple 'teeth' or trigger points per firing are allowed. The frequency "
        "signal of an airflow meter  can be tuned for fuel.");
    ModeDescriptions[2] = QStringLiteral(
        "The ignition pickup is from a single sensor, magnetic or optical, which can be advanced "
        "or retarded. The signal must be 'uniform', and it must repeat every engine turn (or very "
        "two turns). Multiple 'teeth' or trigger points per firing are allowed. The road speed "
        "governor allows to move gear-switching points and remove (or shift) the road speed "
        "governor.");
    ModeDescriptions[3] = QStringLiteral(
        "Both ignition inputs can be advanced or retarded. The RPM is derived from the CB1 (RPM "
        "Deflection) input, and the ignition advance and retard timing is calculated from it, and "
        "then applied to BOTH ignition outputs.");
    ModeDescriptions[4] = QStringLiteral(
        "The ignition pickup is from a single sensor, magnetic or optical, which can be advanced "
        "or retarded. Same as mode=10 or mode=11. The duty cycle of a frequency signal (CAM or "
        "boost control) can be controlled from the fuel map. ");
    ModeDescriptions[5] = QStringLiteral(
        "The ignition pickup is from a single sensor with 'odd' tooth pattern. The pattern is only "
        "repeated every crank or every second crank turn. This signal is only retarded. Note that "
        "this mode uses the global settings differently: ");
}

int Mode_Code(int index) {
    return index >= 0 && index < static_cast<int>(ModeCodes.size())
               ? ModeCodes[static_cast<std::size_t>(index)]
               : 0;
}

bool Gate_Open() {
    return (UnitOnline != 0 || MapLoaded != 0) && UnitLocked != 1;
}

QString Test_Record_Text(const QString& r) {
    const QChar empty(255);
    if (r.size() >= 3 && r[0] == empty && r[1] == empty && r[2] == empty)
        return QStringLiteral(" -> ") + QStringLiteral(" ");
    return r.left(4) + QStringLiteral(" -> ") +
           Group_Text(r.mid(4, 8), QStringLiteral("##/##/####")) + QStringLiteral(" ") +
           Group_Text(r.size() > 12 ? r.right(4) : QString(), QStringLiteral("##:##"));
}

void Set_New_Values(Controls& c) {
    const int cylinders = UnitBytes::Usable_Cylinders();
    c.cylinders = cylinders;
    if (!Gate_Open())
        return;
    c.lblMRE = NumberRules::Str(MaxRpmSeen);
    auto& s = c.sliders;
    Byte_Row(s[sldSpe1], WtsUp::Fmt_Param_Percent(Idx_SpeedAdjust), 1, QStringLiteral("-99"), 255,
             QStringLiteral("99%"), ParamBlock[Idx_SpeedAdjust]);
    Byte_Row(s[sldSpe2], WtsDis::Fmt_Param_Int(Idx_SpeedLimit), 0, QString(), 255, QString(),
             ParamBlock[Idx_SpeedLimit]);
    s[sldAna1].label = WtsUp::Fmt_Param_Signed(Idx_FuelZeroCal);
    Set_Range(s[sldAna1], -127, QStringLiteral("-127"), 127, QStringLiteral("127"));
    Value_From_Label(s[sldAna1], false);
    Finish(s[sldAna1]);
    Byte_Row(s[sldIgn5], WtsDis::Fmt_Param_x01024(Idx_IgnDwell), 0, QStringLiteral("0.0"), 255,
             QStringLiteral("25.5"), ParamBlock[Idx_IgnDwell]);
    for (const Slider fuel : {sldAna2, sldAna3}) {
        SliderRow& row = s[fuel];
        row.label = WtsUp::Fmt_Param_Volts(SliderAddress[fuel]);
        Set_Range(row, 0, QStringLiteral("0"), 255, QStringLiteral("9.99V"));
        row.setValue(Whole(Val(row.label) / WtsDis::VoltsPerStep));
        Finish(row);
    }
    Rpm_Row(s[sldSwi1], cylinders);
    Scale_Row(s[sldSwi2], Idx_SwitchTemp, TempScale, false);
    Scale_Row(s[sldSwi3], Idx_SwitchAmp, AmpScale, true);
    Deflection_Row(s[sldSwi4]);
    Mode_Forward(c);
    Cylinders_Forward(c, cylinders);
    for (const Slider teeth : {sldIgn3, sldIgn4})
        Byte_Row(s[teeth], WtsDis::Fmt_Param_Int(SliderAddress[teeth]), 0, QStringLiteral("0"), 255,
                 QStringLiteral("255"), ParamBlock[SliderAddress[teeth]]);
    Ignition_Row(s[sldIgn1], Idx_IgnAdvLimit, cylinders);
    Ignition_Row(s[sldIgn2], Idx_IgnRetLimit, cylinders);
    for (int row = 0; row < OptionRows; ++row) {
        const bool set = (ParamBlock[Option_Address(row)] & Option_Bit(row)) != 0;
        c.optOn[static_cast<std::size_t>(row)] = set;
        c.optOff[static_cast<std::size_t>(row)] = !set;
    }
    for (int i = 0; i < TestRecords; ++i)
        c.lblTestDate[static_cast<std::size_t>(i)] =
            Test_Record_Text(TestDates[static_cast<std::size_t>(i)]);
}

int Chosen_Cylinders(const Controls& c) {
    for (std::size_t b = 0; b < CylinderButtons.size(); ++b)
        if (c.optcyl[b])
            return CylinderButtons[b];
    return c.cylinders >= 1 ? c.cylinders : UnitBytes::Usable_Cylinders();
}

QString Follow_Cylinders(Controls& c) {
    const int now = Chosen_Cylinders(c);
    if (now == c.cylinders || !Gate_Open())
        return QString();
    QStringList told;
    const QString count = QString::number(now);
    // Each row shows what it will store at the new count: the degrees of the byte
    // its limit becomes, the RPM of the period its switch point becomes.
    for (const Slider s : {sldIgn1, sldIgn2}) {
        SliderRow& row = c.sliders[s];
        const int degrees = Whole(Val(row.label));
        Ignition_Range(row, SliderAddress[s], now);
        const int within = std::clamp(degrees, row.Min, row.Max);
        const int shown =
            Whole(UnitBytes::Degrees(Ignition_Signed(SliderAddress[s], within, now), now));
        row.setValue(shown);
        row.label = WtsDis::Fmt_Int(row.Value);
        Finish(row);
        if (within != degrees)
            told << QStringLiteral("At %1 cylinders the %2 limit reaches %3 degrees: the limit of "
                                   "%4 degrees now reads %5.")
                        .arg(count,
                             s == sldIgn1 ? QStringLiteral("advance") : QStringLiteral("retard"),
                             NumberRules::Str(within), NumberRules::Str(degrees), row.label);
    }
    SliderRow& rpm = c.sliders[sldSwi1];
    if (Rpm_Range(rpm, now)) {
        const bool off = rpm.label == Off || rpm.label == WtsDis::NoValue;
        const int was = off ? rpm.Min : Whole(Val(rpm.label));
        int v = std::min(was, rpm.Max);
        if (!off && v > rpm.Min)
            if (const auto p = UnitBytes::Usable_Period_Of_Rpm(v, now))
                v = std::min(rpm.Max, Whole(Val(Format(UnitBytes::Rpm_Of_Period(*p, now),
                                                       QStringLiteral("####0")))));
        const QString range = QStringLiteral("%1 to %2 RPM").arg(rpm.Min).arg(rpm.Max);
        if (!off && v <= rpm.Min) {
            told << QStringLiteral("At %1 cylinders the RPM scale runs from %2: the RPM switch "
                                   "point of %3 RPM lies below it and is now OFF.")
                        .arg(count, range, NumberRules::Str(was));
            rpm.label = Off;
        } else if (!off) {
            if (was > rpm.Max)
                told << QStringLiteral("At %1 cylinders the RPM scale runs from %2: the RPM "
                                       "switch point of %3 RPM lies above it and now reads %4 "
                                       "RPM.")
                            .arg(count, range, NumberRules::Str(was), NumberRules::Str(v));
            rpm.label = NumberRules::Str(v);
        }
        rpm.setValue(v);
        Finish(rpm);
    }
    c.cylinders = now;
    if (told.isEmpty())
        return QString();
    return told.join(QChar(13)) + QChar(13) + QChar(13) +
           QStringLiteral("Apply stores what the screen shows.");
}

bool Save_Values(const Controls& controls, Controls& shown) {
    if (!Gate_Open())
        return false;
    FrameText.clear();
    // Rows shown at another cylinder count than the one chosen follow it first, so
    // that what they show is what they store.
    Controls c = controls;
    Follow_Cylinders(c);
    if (c.chkMRE) {
        ParamBlock[Idx_MreReset1] = 255;
        ParamBlock[Idx_MreReset2] = 255;
    }
    // A cylinders byte nobody changed stays as it was, even one shown as 4.
    if (c.optcyl != shown.optcyl)
        for (std::size_t b = 0; b < CylinderButtons.size(); ++b)
            if (c.optcyl[b])
                ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(CylinderButtons[b]);
    for (int address = Idx_GlobalBase; address <= 159; ++address) {
        if (address == Idx_Mode) {
            if (c.ComModes >= 0 && (c.modeChosen || c.ComModes != shown.ComModes))
                if (const int code = Mode_Code(c.ComModes))
                    ParamBlock[Idx_Mode] = static_cast<std::int16_t>(code);
            continue;
        }
        const auto it = std::find(SliderAddress.begin(), SliderAddress.end(), address);
        if (it == SliderAddress.end())
            continue;
        const Slider s = static_cast<Slider>(it - SliderAddress.begin());
        // A label that shows no value ("?????") carries nothing to store.
        if (!Unchanged(c, shown, s) && c.sliders[s].label != WtsDis::NoValue)
            Store_Row(c, s);
    }
    for (int pass = 0; pass < 2; ++pass)
        for (int row = 0; row < OptionRows; ++row) {
            const std::size_t r = static_cast<std::size_t>(row);
            if (c.optOn[r] == shown.optOn[r] && c.optOff[r] == shown.optOff[r])
                continue;
            const int a = Option_Address(row);
            if (pass == 0 && c.optOn[r])
                ParamBlock[a] = static_cast<std::int16_t>(ParamBlock[a] | Option_Bit(row));
            if (pass == 1 && c.optOff[r])
                ParamBlock[a] = static_cast<std::int16_t>(ParamBlock[a] & ~Option_Bit(row) & 255);
        }
    shown = c;
    shown.modeChosen = false;
    return true;
}

QString Live_Label(Slider slider, int v, int cylinders) {
    switch (slider) {
    case sldSpe1:
        return WtsUp::Fmt_Value_Percent(v);
    case sldAna2:
    case sldAna3:
        return WtsDis::Fmt_Volts(v);
    case sldIgn1:
    case sldIgn2:
        return WtsDis::Fmt_Int(v);
    case sldIgn5:
        return WtsDis::Fmt_Value_x01024(v);
    case sldSwi1:
        return WtsDis::Fmt_RPM_Or_Off(v,
                                      cylinders >= 1 ? cylinders : UnitBytes::Usable_Cylinders());
    case sldSwi2:
        return WtsDis::Fmt_Temp_Or_Off(v);
    case sldSwi3:
        return WtsDis::Fmt_Amp_Or_Off(v);
    case sldSwi4:
        return WtsDis::Fmt_Percent_Or_Off(v);
    default:
        return NumberRules::Str(v);
    }
}

} // namespace OptionsMap
