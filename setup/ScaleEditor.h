#pragma once

// The window-free side of the two scale editors, "RPM Scale" (the 16 RPM break
// points) and "Deflection Scale" (the 8 deflection break points): the bars as the
// unit image holds them, the selection and the keys, the two functions ("Min -
// Max" and "Navigation"), the spacing rule that keeps a scale rising, the store
// into the image and the send of the rows that carry it. The windows hand their
// events here and show what view() gives.
//
// What it keeps true:
// - a key or Apply changes the image only when the send rule admits the edit
//   (refused: nothing changes and the status bar says why; off-line with no map
//   loaded the rule refuses too, SendRule::Verdict::NoMap, and the opening said
//   so); the send goes with a fresh verdict, through the write path;
// - every byte it stores is a byte (0..255), and it never changes a byte outside
//   its own points (the cylinders byte is read, never repaired);
// - the image as it stood at opening, and again after each send, is kept: while
//   the points differ from it there are unsent changes (Apply is enabled), and
//   Cancel puts them back.

#include "core/ImageSnapshot.h"

#include <QString>
#include <QStringList>
#include <QtCore/qnamespace.h>
#include <array>
#include <optional>
#include <vector>

namespace Scale {

// The editor keys: the arrows (and the numeric-pad 2, 4, 6, 8), Page Up (pad 9
// and the digit 9) and Page Down (pad 3 and the digit 3). Any other key is Other
// and changes nothing.
enum class Key { Other, Down, Up, Left, Right, PageUp, PageDown };
Key Key_Of(int qtKey, Qt::KeyboardModifiers modifiers);

// The chart's design geometry in twips inside its frame: bars grow upward from
// the baseline over at most BarArea.
inline constexpr int BarArea = 3420;
inline constexpr int Baseline = BarArea + 240;
inline constexpr int BarLeft = 120;
inline constexpr int BarPitch = 360;

struct Bar {
    double top = Baseline;
    double height = 0;
};

// Everything the window shows.
struct View {
    QString lblMinRpm;
    QString lblMaxRpm;
    QString lblRPMmin; // the chart's foot: a copy of the minimum
    QString lblRpmMax; // the chart's top: a copy of the maximum
    QString lblRPM_Now;
    QString Input_Min;
    QString Input_max;
    bool chkActiveMM = false;
    bool chkActiveN = false;
    bool navigationEnabled = true; // the chart and the key help (Frame2, Frame3)
    bool minMaxEnabled = true;     // the entries and their Apply (Frame4)
    bool applyAllEnabled = false;  // unsent changes
    bool markerVisible = false;
    int markerLeft = 0;
    int markerRight = 0;
    double markerY = 0;
    std::vector<Bar> bars;
};

class Editor {
public:
    virtual ~Editor() = default;

    // The window's title, for messages.
    virtual QString Title() const = 0;
    virtual int Bars() const = 0;

    // Opening: captions, entries and chart from the stored points; the image is
    // kept as it stands. Returns a text to tell the user, or empty.
    QString Form_Load();

    void chkActiveMM_Click(bool checked);
    void chkActiveN_Click(bool checked);
    // Focus entered an entry, or its label was clicked: "Min - Max".
    void Entry_Focused();

    // Apply of the entries: the points evenly from the minimum to the maximum.
    // Returns a text to tell the user when the entries are refused, else empty.
    QString cmdApply_Click(const QString& minText, const QString& maxText);

    // Returns a text to tell the user when the key's edit is refused, else empty.
    QString Form_KeyDown(Key key);
    void Image1_Click(int index);

    // Sends the rows that carry the points, with a fresh verdict of the send rule;
    // after a send (or an off-line store) the image is kept anew. Returns false
    // when nothing went out, with the reason in `told` when it is no send-rule
    // refusal (those are in the status bar).
    bool Save_Values(QString* told = nullptr);

    // After a stopped step: the captions, the entries and the chart anew from the
    // points the image holds; what was kept and the selection stay.
    void Redraw();

    // Puts back the points as they were kept (opening, last send).
    void Cancel();
    // The points differ from what was kept.
    bool Unsent() const;

    const View& view();

    // Whole value of bar i as the chart and the keys use it; none when the stored
    // point gives no value.
    virtual std::optional<int> Whole(int i) const = 0;

protected:
    // The addresses the points occupy and the parameter rows that carry them.
    virtual int First_Address() const = 0;
    virtual int Last_Address() const = 0;
    virtual std::vector<int> Rows() const = 0;

    virtual int Small_Step() const = 0;
    virtual int Big_Step() const = 0;
    virtual int Spacing() const = 0;
    virtual int Target_Low() const = 0;
    virtual int Target_High() const = 0;
    virtual int& Bar_Value() = 0;
    virtual int& Target() = 0;

    // The chart's value of bar i, and the range of the chart.
    virtual std::optional<double> Chart_Value(int i) const = 0;
    // Takes the chart's range from the stored points; false when it has no span.
    virtual bool Take_Range() = 0;
    virtual double Minimum() const = 0;
    virtual double Maximum() const = 0;

    virtual void Store(int i, int value) = 0;
    virtual QString Value_Text(std::optional<int> value) const = 0;
    virtual QString Axis_Text(const QString& caption) const = 0;

    virtual QString Load_Captions() = 0;
    virtual QString Apply_Entries(const QString& minText, const QString& maxText) = 0;
    // A key that leaves the last or the first bar selected: a selecting key
    // (Left, Right) shows that end, a value key moves it.
    virtual void Last_Bar_Key(bool selecting) = 0;
    virtual void First_Bar_Key(bool selecting) = 0;
    virtual void Ends_Moved(bool minMoved, bool maxMoved) = 0;

    // Whether an edit may change the image now: the send rule's word (a refusal,
    // "no map" among them, is in the status bar).
    bool Admitted() const;

    // The captions, each copied to its axis label as the caption's change does.
    void Set_Min_Caption(const QString& text);
    void Set_Max_Caption(const QString& text);

    void build_bar();
    void set_bar();
    void Move_bar();
    void Check_bars();
    void To_Navigation();
    void Stored();

    View view_;
    ImageSnapshot kept_;
    // A bar was shown in this opening: the value keys step from what it shows.
    bool shown_ = false;
    // Neither function was chosen since the opening: every frame is enabled.
    bool designState_ = true;
};

// "RPM Scale": 16 timer periods at 224..255, high byte first; RPM = TimerClock /
// cylinders / period, with the one usable cylinder count.
class RpmEditor : public Editor {
public:
    QString Title() const override;
    int Bars() const override { return 16; }
    std::optional<int> Whole(int i) const override;

    // RPM of point n; none for a period of 0 or one with a high byte of 128 or more.
    static std::optional<float> Rpm(int n);
    // Stores an RPM as point n, its period held within 51..5376 (the shortest the
    // unit takes, and the longest the scale's lowest end may have).
    static void Clamped_Store(int n, double rpm);
    // The 16 periods an Apply of the entries stores for the range (its ends
    // already within the entries' limits): the ends clamped as Clamped_Store
    // does, the points spread evenly between the RPMs those ends read back.
    static std::array<int, 16> Entry_Periods(float minimum, int maximum);

    static constexpr int ShortestPeriod = 51;
    static constexpr int LongestPeriod = 5376;
    static constexpr int LowestEntry = 300;
    static constexpr int HighestEntry = 19000;

protected:
    int First_Address() const override;
    int Last_Address() const override;
    std::vector<int> Rows() const override;
    int Small_Step() const override { return 10; }
    int Big_Step() const override { return 100; }
    int Spacing() const override { return 10; }
    int Target_Low() const override { return LowestEntry; }
    int Target_High() const override { return HighestEntry; }
    int& Bar_Value() override;
    int& Target() override;
    std::optional<double> Chart_Value(int i) const override;
    bool Take_Range() override;
    double Minimum() const override;
    double Maximum() const override;
    void Store(int i, int value) override;
    QString Value_Text(std::optional<int> value) const override;
    QString Axis_Text(const QString& caption) const override;
    QString Load_Captions() override;
    QString Apply_Entries(const QString& minText, const QString& maxText) override;
    void Last_Bar_Key(bool selecting) override;
    void First_Bar_Key(bool selecting) override;
    void Ends_Moved(bool minMoved, bool maxMoved) override;
};

// "Deflection Scale": 8 bytes at 152..159, byte = percent / 100 x 256, shown with
// one decimal and worked in whole percent.
class DeflectionEditor : public Editor {
public:
    QString Title() const override;
    int Bars() const override { return 8; }
    std::optional<int> Whole(int i) const override;

    // The shown percent of point i ("#0.#": 32 gives "12.5", 128 gives "50.").
    static QString Shown(int i);
    // The byte of a percent: p / 100 x 256 truncated, within 0..255 (100 % is
    // not representable: it stores 255).
    static int Byte_Of(int percent);

protected:
    int First_Address() const override;
    int Last_Address() const override;
    std::vector<int> Rows() const override;
    int Small_Step() const override { return 1; }
    int Big_Step() const override { return 10; }
    int Spacing() const override { return 1; }
    int Target_Low() const override { return 0; }
    int Target_High() const override { return 100; }
    int& Bar_Value() override;
    int& Target() override;
    std::optional<double> Chart_Value(int i) const override;
    bool Take_Range() override;
    double Minimum() const override;
    double Maximum() const override;
    void Store(int i, int value) override;
    QString Value_Text(std::optional<int> value) const override;
    QString Axis_Text(const QString& caption) const override;
    QString Load_Captions() override;
    QString Apply_Entries(const QString& minText, const QString& maxText) override;
    void Last_Bar_Key(bool selecting) override;
    void First_Bar_Key(bool selecting) override;
    void Ends_Moved(bool minMoved, bool maxMoved) override;
};

} // namespace Scale
