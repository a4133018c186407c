#include "setup/ScaleEditor.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "core/WtsDis.h"
#include "link/Edit.h"
#include "link/LinkState.h"
#include "link/SendRule.h"
#include "mainwin/MainWindow.h"
#include "platform/NumberRules.h"
#include "setup/SetupState.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>

using NumberRules::Format;

namespace Scale {

namespace {

// An entry as a message shows it: trimmed, and a long one cut short, so that a
// pasted page of digits does not fill the screen.
QString Shortened(const QString& text) {
    constexpr qsizetype Longest = 20;
    const QString t = text.trimmed();
    return t.size() > Longest ? t.left(Longest) + QStringLiteral("...") : t;
}

QString Quoted(const QString& text) {
    return QLatin1Char('"') + Shortened(text) + QLatin1Char('"');
}

// The number an entry starts with. A number too long for a double is beyond
// every limit: it counts as the largest there is, as any number above the limits
// does.
std::optional<double> Entry_Number(const QString& text) {
    if (const std::optional<double> n = NumberRules::Leading_Number(text))
        return n;
    QString t = text.trimmed();
    const bool negative = t.startsWith(QLatin1Char('-'));
    if (negative || t.startsWith(QLatin1Char('+')))
        t.remove(0, 1);
    if (t.isEmpty() || !t[0].isDigit() || t[0].unicode() >= 128)
        return std::nullopt;
    const double huge = std::numeric_limits<double>::infinity();
    return negative ? -huge : huge;
}

// The first two points (counted from 1) that come to the same unit value, with
// what point i shows as the user knows it: "points 1 and 2 both come to period
// 65"; empty when every point has a value of its own.
template <std::size_t N>
QString Repeated_Points(const std::array<int, N>& values,
                        const std::function<QString(std::size_t)>& shown) {
    for (std::size_t i = 0; i < N; ++i)
        for (std::size_t j = i + 1; j < N; ++j)
            if (values[i] == values[j])
                return QStringLiteral("points %1 and %2 both come to %3")
                    .arg(i + 1)
                    .arg(j + 1)
                    .arg(shown(i));
    return QString();
}

template <std::size_t N> int Distinct_Count(std::array<int, N> values) {
    std::sort(values.begin(), values.end());
    return static_cast<int>(std::unique(values.begin(), values.end()) - values.begin());
}

} // namespace

Key Key_Of(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool pad = modifiers.testFlag(Qt::KeypadModifier);
    switch (qtKey) {
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_PageUp:
    case Qt::Key_9:
        return Key::PageUp;
    case Qt::Key_PageDown:
    case Qt::Key_3:
        return Key::PageDown;
    case Qt::Key_2:
        return pad ? Key::Down : Key::Other;
    case Qt::Key_8:
        return pad ? Key::Up : Key::Other;
    case Qt::Key_4:
        return pad ? Key::Left : Key::Other;
    case Qt::Key_6:
        return pad ? Key::Right : Key::Other;
    default:
        return Key::Other;
    }
}

// --- what both editors share ---------------------------------------------------

QString Editor::Form_Load() {
    kept_ = ImageSnapshot::Take();
    shown_ = false;
    designState_ = true;
    view_ = View{};
    // The function kept from the last opening shows as chosen when it is
    // "Min - Max", since the keys are then ignored.
    view_.chkActiveMM = ScaleMinMaxMode == 1;
    const QString told = Load_Captions();
    build_bar();
    // With no map to edit, what the points hold is no map's: that is what to know.
    // (Every key the send rule refuses then is told in the status bar.)
    if (SendRule::May_Send() == SendRule::Verdict::NoMap)
        return QStringLiteral("There is no map loaded and no unit on-line: the %1 takes no "
                              "changes until a map is loaded or the unit is on-line.")
            .arg(Title());
    return told;
}

bool Editor::Admitted() const {
    return !SendRule::Refuses(SendRule::Admit_Edit());
}

void Editor::chkActiveMM_Click(bool checked) {
    designState_ = false;
    ScaleMinMaxMode = checked ? 1 : 0;
    view_.chkActiveMM = checked;
    view_.chkActiveN = !checked;
}

void Editor::chkActiveN_Click(bool checked) {
    designState_ = false;
    ScaleMinMaxMode = checked ? 0 : 1;
    view_.chkActiveN = checked;
    view_.chkActiveMM = !checked;
}

void Editor::Entry_Focused() {
    chkActiveMM_Click(true);
}

void Editor::To_Navigation() {
    chkActiveMM_Click(false);
}

QString Editor::cmdApply_Click(const QString& minText, const QString& maxText) {
    if (ScaleMinMaxMode == 0)
        return {};
    view_.Input_Min = minText;
    view_.Input_max = maxText;
    return Apply_Entries(minText, maxText);
}

void Editor::Set_Min_Caption(const QString& text) {
    view_.lblMinRpm = text;
    view_.lblRPMmin = Axis_Text(text);
}

void Editor::Set_Max_Caption(const QString& text) {
    view_.lblMaxRpm = text;
    view_.lblRpmMax = Axis_Text(text);
}

void Editor::build_bar() {
    ScaleBarHeight = BarArea;
    // A scale without span (equal ends, a falling scale, an end that gives no
    // value) is drawn flat rather than divided by.
    ScaleTwipsPerUnit = Take_Range() ? BarArea / (Maximum() - Minimum()) : 0.0;
}

void Editor::set_bar() {
    const std::optional<int> value = Whole(ScaleSelBar);
    Bar_Value() = value.value_or(0);
    view_.lblRPM_Now = Value_Text(value);
    view_.markerVisible = true;
    shown_ = true;
}

void Editor::Move_bar() {
    Store(ScaleSelBar, Target());
    const std::optional<int> value = Whole(ScaleSelBar);
    Bar_Value() = value.value_or(0);
    view_.lblRPM_Now = Value_Text(value);
    Check_bars();
}

void Editor::Check_bars() {
    const int s = ScaleSelBar;
    const int selected = Whole(s).value_or(0);
    bool minMoved = false;
    bool maxMoved = false;
    for (int i = 0; i < Bars(); ++i) {
        const std::optional<int> h = Whole(i);
        const int limit = selected - (s - i) * Spacing();
        // A point that gives no value is out of place wherever it stands.
        if (i > s && (!h || *h < limit)) {
            Store(i, limit);
            maxMoved = maxMoved || i == Bars() - 1;
        } else if (i <= s && (!h || *h > limit)) {
            Store(i, limit);
            minMoved = minMoved || i == 0;
        }
    }
    if (!minMoved && !maxMoved)
        return;
    Ends_Moved(minMoved, maxMoved);
    build_bar();
    set_bar();
}

QString Editor::Form_KeyDown(Key key) {
    if (ScaleMinMaxMode == 1 || key == Key::Other)
        return {};
    const bool valueKey = key != Key::Left && key != Key::Right;
    if (valueKey && !Admitted())
        return {};
    const int last = Bars() - 1;
    if (valueKey && !shown_)
        Bar_Value() = Whole(std::clamp(ScaleSelBar, 0, last)).value_or(0);
    const int v = Bar_Value();
    switch (key) {
    case Key::Down:
        Target() = v - Small_Step();
        break;
    case Key::Up:
        Target() = v + Small_Step();
        break;
    case Key::PageUp:
        Target() = v + Big_Step();
        break;
    case Key::PageDown:
        Target() = v - Big_Step();
        break;
    case Key::Left:
        --ScaleSelBar;
        break;
    case Key::Right:
        ++ScaleSelBar;
        break;
    case Key::Other:
        break;
    }
    Target() = std::clamp(Target(), Target_Low(), Target_High());
    ScaleSelBar = std::clamp(ScaleSelBar, 0, last);
    if (ScaleSelBar == last)
        Last_Bar_Key(!valueKey);
    else if (ScaleSelBar == 0)
        First_Bar_Key(!valueKey);
    if (!valueKey) {
        set_bar();
        return {};
    }
    Move_bar();
    // The chart follows the stored points at once, a new end included.
    build_bar();
    set_bar();
    Stored();
    return {};
}

void Editor::Image1_Click(int index) {
    if (index < 0 || index >= Bars())
        return;
    ScaleSelBar = index;
    set_bar();
}

void Editor::Stored() {
    Main().Redraw_Shown_Map();
}

bool Editor::Save_Values(QString* told) {
    Edit edit(SendKind::Queue);
    if (edit.Refused())
        return false;
    for (const int row : Rows())
        edit.Param_Row_Of_Image(row);
    const EditOutcome written = edit.Make();
    if (!written.made()) {
        if (told)
            *told = QStringLiteral("Nothing was sent: ") + written.refusal + '.';
        return false;
    }
    kept_ = ImageSnapshot::Take();
    Main().Redraw_Shown_Map();
    return true;
}

void Editor::Redraw() {
    Load_Captions(); // what it tells was told at the opening
    build_bar();
    if (shown_)
        set_bar();
}

bool Editor::Unsent() const {
    for (int a = First_Address(); a <= Last_Address(); ++a)
        if (ParamBlock[a] != kept_.param[a])
            return true;
    return false;
}

void Editor::Cancel() {
    if (!Unsent())
        return;
    // Only the points go back from the snapshot: whatever else changed the image
    // meanwhile (a read-out, another window) is not this editor's to undo.
    for (int a = First_Address(); a <= Last_Address(); ++a)
        ParamBlock[a] = kept_.param[a];
    Main().Redraw_Shown_Map();
}

const View& Editor::view() {
    view_.navigationEnabled = ScaleMinMaxMode == 0;
    view_.minMaxEnabled = designState_ || ScaleMinMaxMode == 1;
    view_.applyAllEnabled = Unsent();
    const double minimum = Minimum();
    const double twips = std::fabs(ScaleTwipsPerUnit);
    view_.bars.assign(static_cast<std::size_t>(Bars()), Bar{});
    for (int i = 0; i < Bars(); ++i) {
        const std::optional<double> v = Chart_Value(i);
        if (!v)
            continue;
        // A bar below the minimum is drawn like one above it by the same distance.
        const double height = std::clamp(std::fabs(*v - minimum) * twips, 0.0, double(BarArea));
        view_.bars[static_cast<std::size_t>(i)] = Bar{BarArea - height + 240.0, height};
    }
    const int sel = std::clamp(ScaleSelBar, 0, Bars() - 1);
    view_.markerLeft = BarLeft + BarPitch * sel;
    view_.markerRight = BarLeft + 360 + BarPitch * sel;
    view_.markerY = std::clamp(BarArea - (Bar_Value() - minimum) * ScaleTwipsPerUnit + 225.0, 0.0,
                               double(Baseline));
    return view_;
}

// --- RPM -------------------------------------------------------------------------

QString RpmEditor::Title() const {
    return QStringLiteral("RPM Scale");
}

int RpmEditor::First_Address() const {
    return Idx_RpmScale;
}
int RpmEditor::Last_Address() const {
    return Idx_RpmScale + 31;
}
std::vector<int> RpmEditor::Rows() const {
    return {Idx_RpmScale, Idx_RpmScale + 16};
}
int& RpmEditor::Bar_Value() {
    return RpmBarValue;
}
int& RpmEditor::Target() {
    return RpmBarTarget;
}

std::optional<float> RpmEditor::Rpm(int n) {
    const std::optional<int> period = UnitBytes::Break_Point_Period(n);
    if (!period)
        return std::nullopt;
    return UnitBytes::Rpm_Of_Period(*period, UnitBytes::Usable_Cylinders());
}

std::optional<int> RpmEditor::Whole(int i) const {
    const std::optional<float> rpm = Rpm(i);
    if (!rpm)
        return std::nullopt;
    return static_cast<int>(NumberRules::RoundEven(*rpm));
}

void RpmEditor::Clamped_Store(int n, double rpm) {
    const int period = std::clamp(UnitBytes::Period_Of_Rpm(rpm), ShortestPeriod, LongestPeriod);
    UnitBytes::Store_Period(Idx_RpmScale + 2 * n, Idx_RpmScale + 2 * n + 1, period);
}

std::array<int, 16> RpmEditor::Entry_Periods(float minimum, int maximum) {
    // The fill runs between what the clamped ends read back: an end beyond what a
    // period can hold is where the scale starts or stops.
    const int cylinders = UnitBytes::Usable_Cylinders();
    const auto end = [cylinders](double rpm) {
        return UnitBytes::Rpm_Of_Period(
            std::clamp(UnitBytes::Period_Of_Rpm(rpm), ShortestPeriod, LongestPeriod), cylinders);
    };
    float low = end(minimum);
    float high = end(maximum);
    if (high > 19999.0f)
        high = 19999.0f;
    if (low < static_cast<float>(LowestEntry))
        low = static_cast<float>(LowestEntry);
    if (high < low)
        high = low + 150.0f;
    const float step = (high - low) / 15.0f;
    std::array<int, 16> periods{};
    for (int i = 0; i < 16; ++i)
        periods[static_cast<std::size_t>(i)] =
            UnitBytes::Period_Of_Rpm(low + static_cast<float>(i) * step);
    return periods;
}

void RpmEditor::Store(int i, int value) {
    Clamped_Store(i, value);
}

std::optional<double> RpmEditor::Chart_Value(int i) const {
    const std::optional<float> rpm = Rpm(i);
    if (!rpm)
        return std::nullopt;
    return std::min(static_cast<double>(*rpm), static_cast<double>(HighestEntry));
}

bool RpmEditor::Take_Range() {
    const std::optional<float> low = Rpm(0);
    const std::optional<float> high = Rpm(15);
    if (!low || !high)
        return false;
    RpmEditRange.maximum = static_cast<int>(NumberRules::RoundEven(*high));
    RpmEditRange.minimum = *low;
    return RpmEditRange.maximum > RpmEditRange.minimum;
}

double RpmEditor::Minimum() const {
    return RpmEditRange.minimum;
}
double RpmEditor::Maximum() const {
    return RpmEditRange.maximum;
}

QString RpmEditor::Value_Text(std::optional<int> value) const {
    return value ? QString::number(*value) : WtsDis::NoValue;
}

QString RpmEditor::Axis_Text(const QString& caption) const {
    if (caption == WtsDis::NoValue)
        return caption;
    return Format(NumberRules::Val(caption), QStringLiteral("####0"));
}

QString RpmEditor::Load_Captions() {
    const std::optional<float> low = Rpm(0);
    const std::optional<float> high = Rpm(15);
    view_.lblRPM_Now = QStringLiteral("????"); // no bar shown yet
    Set_Min_Caption(low ? WtsDis::Single_Text(*low) : WtsDis::NoValue);
    Set_Max_Caption(high ? WtsDis::Single_Text(*high) : WtsDis::NoValue);
    view_.Input_Min = low ? Format(*low, QStringLiteral("####0")) : QString();
    view_.Input_max = high ? Format(*high, QStringLiteral("####0")) : QString();

    QStringList told;
    const int cylinders = ParamBlock[Idx_Cylinders];
    if (cylinders < 1 || cylinders > 12)
        told << QStringLiteral("The map's cylinders byte is %1, which is no cylinder count (1 to "
                               "12). The RPM scale is worked out for 4 cylinders; the cylinders "
                               "byte is left as it is.")
                    .arg(cylinders);
    QStringList unusable;
    for (int n = 0; n < 16; ++n)
        if (!Rpm(n))
            unusable << QString::number(n + 1);
    if (!unusable.isEmpty())
        told << QStringLiteral("RPM point(s) %1 of the scale hold no timer period (0, or 32768 "
                               "and above) and show as %2. Move them, or apply a minimum and a "
                               "maximum, to give them one.")
                    .arg(unusable.join(QStringLiteral(", ")), WtsDis::NoValue);
    return told.join(QStringLiteral("\n\n"));
}

QString RpmEditor::Apply_Entries(const QString& minText, const QString& maxText) {
    const std::optional<double> minEntry = Entry_Number(minText);
    const std::optional<double> maxEntry = Entry_Number(maxText);
    for (const auto& [entry, text] : {std::pair{minEntry, minText}, std::pair{maxEntry, maxText}})
        if (!entry)
            return QStringLiteral("%1 is not a number: type the minimum and the maximum RPM as "
                                  "numbers. Nothing was changed.")
                .arg(Quoted(text));
    const std::int64_t typedMax = NumberRules::RoundEven(*maxEntry);
    const float typedMin = static_cast<float>(*minEntry);
    const int maximum = static_cast<int>(std::min<std::int64_t>(typedMax, HighestEntry));
    const float minimum = typedMin >= LowestEntry ? typedMin : static_cast<float>(LowestEntry);
    if (static_cast<double>(maximum) < static_cast<double>(minimum))
        return QStringLiteral("The maximum (%1 RPM) is below the minimum (%2 RPM): the RPM curve "
                              "needs to be ascending from minimum to maximum. Nothing was "
                              "changed.")
            .arg(maximum)
            .arg(std::isfinite(minimum) ? WtsDis::Single_Text(minimum) : Shortened(minText));
    if (static_cast<double>(maximum) == static_cast<double>(minimum))
        return QStringLiteral("The minimum and the maximum are both %1 RPM: the scale needs a "
                              "maximum above its minimum. Nothing was changed.")
            .arg(maximum);
    // The ends as the unit holds them: with many cylinders (or few) the whole
    // range can come to one period, the shortest (or the longest) there is, and
    // the scale would be flat.
    const int lowPeriod =
        std::clamp(UnitBytes::Period_Of_Rpm(minimum), ShortestPeriod, LongestPeriod);
    const int highPeriod =
        std::clamp(UnitBytes::Period_Of_Rpm(maximum), ShortestPeriod, LongestPeriod);
    if (highPeriod >= lowPeriod) {
        const int cylinders = UnitBytes::Usable_Cylinders();
        return QStringLiteral("With %1 cylinder(s) the minimum (%2 RPM) and the maximum (%3 RPM) "
                              "both come to %4 RPM (timer period %5): the scale would be flat. "
                              "Type a range the unit can hold (%6 to %7 RPM with %1 "
                              "cylinder(s)). Nothing was changed.")
            .arg(cylinders)
            .arg(WtsDis::Single_Text(minimum))
            .arg(maximum)
            .arg(NumberRules::RoundEven(UnitBytes::Rpm_Of_Period(lowPeriod, cylinders)))
            .arg(lowPeriod)
            .arg(std::max<std::int64_t>(
                LowestEntry,
                NumberRules::RoundEven(UnitBytes::Rpm_Of_Period(LongestPeriod, cylinders))))
            .arg(std::min<std::int64_t>(
                HighestEntry,
                NumberRules::RoundEven(UnitBytes::Rpm_Of_Period(ShortestPeriod, cylinders))));
    }
    // The fill as the unit will hold it: every point needs a period of its own,
    // or two points would stand for one speed.
    const std::array<int, 16> periods = Entry_Periods(minimum, maximum);
    const QString same = Repeated_Points(
        periods, [&](std::size_t i) { return QStringLiteral("period %1").arg(periods[i]); });
    if (!same.isEmpty())
        return QStringLiteral("With %1 cylinder(s) the range %2 to %3 RPM gives the 16 points only "
                              "%4 different timer periods (%5): each point needs a period of its "
                              "own. Type a wider range, or one lower down. Nothing was changed.")
            .arg(UnitBytes::Usable_Cylinders())
            .arg(WtsDis::Single_Text(minimum))
            .arg(maximum)
            .arg(Distinct_Count(periods))
            .arg(same);
    if (!Admitted())
        return {};

    To_Navigation();
    Set_Min_Caption(WtsDis::Single_Text(typedMin));
    Set_Max_Caption(QString::number(typedMax));
    if (typedMax > HighestEntry) {
        Set_Max_Caption(QString::number(HighestEntry));
        view_.Input_max = QString::number(HighestEntry);
    }
    if (!(typedMin >= LowestEntry)) {
        Set_Min_Caption(QString::number(LowestEntry));
        view_.Input_Min = QString::number(LowestEntry);
    }
    RpmEditRange = {maximum, minimum};

    for (int i = 0; i < 16; ++i)
        UnitBytes::Store_Period(Idx_RpmScale + 2 * i, Idx_RpmScale + 2 * i + 1,
                                periods[static_cast<std::size_t>(i)]);
    build_bar();
    Stored();
    return {};
}

void RpmEditor::Last_Bar_Key(bool selecting) {
    if (selecting)
        RpmBarTarget = RpmEditRange.maximum;
    else
        RpmEditRange.maximum = RpmBarTarget;
    if (static_cast<double>(RpmEditRange.maximum) == static_cast<double>(RpmEditRange.minimum))
        RpmEditRange.maximum += 1;
    Set_Max_Caption(QString::number(RpmEditRange.maximum));
    build_bar();
    set_bar();
}

void RpmEditor::First_Bar_Key(bool selecting) {
    if (selecting)
        RpmBarTarget = static_cast<int>(NumberRules::RoundEven(RpmEditRange.minimum));
    else
        RpmEditRange.minimum = static_cast<float>(RpmBarTarget);
    Set_Min_Caption(Format(RpmEditRange.minimum, QStringLiteral("####0")));
    build_bar();
    set_bar();
}

void RpmEditor::Ends_Moved(bool minMoved, bool maxMoved) {
    if (minMoved && Rpm(0)) {
        RpmEditRange.minimum = *Rpm(0);
        Set_Min_Caption(Format(RpmEditRange.minimum, QStringLiteral("####0")));
    }
    if (maxMoved && Rpm(15)) {
        RpmEditRange.maximum = static_cast<int>(NumberRules::RoundEven(*Rpm(15)));
        Set_Max_Caption(Format(RpmEditRange.maximum, QStringLiteral("####0")));
    }
}

// --- deflection ------------------------------------------------------------------

QString DeflectionEditor::Title() const {
    return QStringLiteral("Deflection Scale");
}

int DeflectionEditor::First_Address() const {
    return Idx_DeflScale;
}
int DeflectionEditor::Last_Address() const {
    return Idx_DeflScale + 7;
}
std::vector<int> DeflectionEditor::Rows() const {
    // The row that holds the points starts at 144: the mode, cylinders, teeth and
    // limit bytes go with them as the image holds them.
    return {Idx_DeflScale & 0xF0};
}
int& DeflectionEditor::Bar_Value() {
    return DeflBarValue;
}
int& DeflectionEditor::Target() {
    return DeflBarTarget;
}

QString DeflectionEditor::Shown(int i) {
    return Format(ParamBlock[Idx_DeflScale + i] / 256.0 * 100.0, QStringLiteral("#0.#"));
}

std::optional<int> DeflectionEditor::Whole(int i) const {
    return static_cast<int>(NumberRules::RoundEven(NumberRules::Val(Shown(i))));
}

int DeflectionEditor::Byte_Of(int percent) {
    return static_cast<int>(
        std::clamp<std::int64_t>(NumberRules::Fix(percent / 100.0 * 256.0), 0, 255));
}

void DeflectionEditor::Store(int i, int value) {
    ParamBlock[Idx_DeflScale + i] = static_cast<std::int16_t>(Byte_Of(value));
}

std::optional<double> DeflectionEditor::Chart_Value(int i) const {
    return *Whole(i);
}

bool DeflectionEditor::Take_Range() {
    DeflScaleRange = {*Whole(7), *Whole(0)};
    return DeflScaleRange.maximum > DeflScaleRange.minimum;
}

double DeflectionEditor::Minimum() const {
    return DeflScaleRange.minimum;
}
double DeflectionEditor::Maximum() const {
    return DeflScaleRange.maximum;
}

QString DeflectionEditor::Value_Text(std::optional<int> value) const {
    return QString::number(value.value_or(0)) + QStringLiteral(" %");
}

QString DeflectionEditor::Axis_Text(const QString& caption) const {
    return caption;
}

QString DeflectionEditor::Load_Captions() {
    view_.lblRPM_Now = QStringLiteral("??.? %"); // no bar shown yet
    Set_Min_Caption(Shown(0) + QStringLiteral(" %"));
    Set_Max_Caption(Shown(7) + QStringLiteral(" %"));
    view_.Input_Min = view_.lblMinRpm;
    view_.Input_max = view_.lblMaxRpm;
    // Opening changes nothing: a falling pair of ends is shown as it is, and drawn flat.
    if (ParamBlock[Idx_DeflScale] > ParamBlock[Idx_DeflScale + 7])
        return QStringLiteral("The deflection scale of the map falls from its first point (%1) "
                              "to its last (%2): the chart is drawn flat. Apply a minimum and a "
                              "maximum to give the scale a rising curve.")
            .arg(view_.lblMinRpm, view_.lblMaxRpm);
    return {};
}

QString DeflectionEditor::Apply_Entries(const QString& minText, const QString& maxText) {
    // An entry with a percent sign loses its last character; the rest is its number.
    const auto percent = [](QString text) -> std::optional<std::int64_t> {
        if (text.contains('%'))
            text.chop(1);
        const std::optional<double> n = Entry_Number(text);
        if (!n)
            return std::nullopt;
        return NumberRules::RoundEven(*n);
    };
    const std::optional<std::int64_t> minEntry = percent(minText);
    const std::optional<std::int64_t> maxEntry = percent(maxText);
    for (const auto& [entry, text] : {std::pair{minEntry, minText}, std::pair{maxEntry, maxText}})
        if (!entry)
            return QStringLiteral("%1 is not a number: type the minimum and the maximum "
                                  "deflection in percent. Nothing was changed.")
                .arg(Quoted(text));
    const int maximum = static_cast<int>(std::clamp<std::int64_t>(*maxEntry, -32768, 99));
    const int minimum = static_cast<int>(std::clamp<std::int64_t>(*minEntry, 1, 32767));
    if (maximum < minimum)
        return QStringLiteral("The maximum (%1 %) is below the minimum (%2 %): the Deflection "
                              "curve needs to be ascending from minimum to maximum. Nothing was "
                              "changed.")
            .arg(maximum)
            .arg(minimum);
    if (maximum == minimum)
        return QStringLiteral("The minimum and the maximum are both %1 %: the scale needs a "
                              "maximum above its minimum. Nothing was changed.")
            .arg(maximum);
    std::array<int, 8> percents{};
    std::array<int, 8> bytes{};
    for (int i = 0; i < 8; ++i) {
        percents[static_cast<std::size_t>(i)] = static_cast<int>(
            NumberRules::RoundEven(static_cast<double>(maximum - minimum) / 7.0 * i + minimum));
        bytes[static_cast<std::size_t>(i)] = Byte_Of(percents[static_cast<std::size_t>(i)]);
    }
    // Every point needs a byte of its own, or two points would stand for one
    // deflection.
    const QString same = Repeated_Points(
        bytes, [&](std::size_t i) { return QString::number(percents[i]) + QStringLiteral(" %"); });
    if (!same.isEmpty())
        return QStringLiteral("The range %1 % to %2 % gives the 8 points only %3 different "
                              "deflections (%4): each point needs a deflection of its own. Type a "
                              "wider range. Nothing was changed.")
            .arg(minimum)
            .arg(maximum)
            .arg(Distinct_Count(bytes))
            .arg(same);
    if (!Admitted())
        return {};

    To_Navigation();
    Set_Min_Caption(QString::number(*minEntry) + '%');
    Set_Max_Caption(QString::number(*maxEntry) + '%');
    for (int i = 0; i < 8; ++i) {
        DeflBarTarget = percents[static_cast<std::size_t>(i)];
        Store(i, DeflBarTarget);
    }
    build_bar();
    Stored();
    return {};
}

void DeflectionEditor::Last_Bar_Key(bool selecting) {
    if (selecting)
        DeflBarTarget = DeflScaleRange.maximum;
    else
        DeflScaleRange.maximum = DeflBarTarget;
    if (DeflScaleRange.maximum == DeflScaleRange.minimum)
        DeflScaleRange.maximum += 1;
    Set_Max_Caption(QString::number(DeflScaleRange.maximum) + QStringLiteral(" %"));
    build_bar();
    set_bar();
}

void DeflectionEditor::First_Bar_Key(bool selecting) {
    if (selecting)
        DeflBarTarget = DeflScaleRange.minimum;
    else
        DeflScaleRange.minimum = DeflBarTarget;
    Set_Min_Caption(Format(DeflScaleRange.minimum, QStringLiteral("#0.#")) + QStringLiteral(" %"));
    build_bar();
    set_bar();
}

void DeflectionEditor::Ends_Moved(bool minMoved, bool maxMoved) {
    if (minMoved)
        Set_Min_Caption(Shown(0));
    if (maxMoved)
        Set_Max_Caption(QString::number(*Whole(7)));
}

} // namespace Scale
