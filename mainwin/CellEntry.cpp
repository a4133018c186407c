#include "mainwin/CellEntry.h"

#include "core/CoreState.h"
#include "core/UnitBytes.h"
#include "core/WtsDis.h"
#include "platform/NumberRules.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <optional>

namespace CellEntry {

int Key_Code(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? 96 : 48) + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Minus:
        return keypad ? 109 : 189;
    case Qt::Key_Period:
        return keypad ? 110 : 190;
    case Qt::Key_Plus:
        return keypad ? 107 : 187;
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Slash:
        return keypad ? 111 : 191;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Backspace:
        return KeyBack;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyEnter;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return KeyLeft;
    case Qt::Key_Up:
        return KeyUp;
    case Qt::Key_Right:
        return KeyRight;
    case Qt::Key_Down:
        return KeyDown;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return KeyDelete;
    default:
        return 0;
    }
}

bool Is_Accepted(int code) {
    return code == KeyBack || code == KeyEnter || Is_Arrow(code) || code == KeyDelete ||
           (code >= 48 && code <= 57) || (code >= 96 && code <= 105) || code == 109 ||
           code == 189 || code == 190;
}

bool Is_Numeric(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    return number.match(text).hasMatch();
}

namespace {

struct Bounds {
    double upper;
    double lower;
    const char* upperText;
    const char* lowerText;
};

// The limits of what may be typed, by tab and field.
std::optional<Bounds> Bounds_Of(int tab, int editField) {
    if (editField < 1 || editField > 3)
        return std::nullopt;
    switch (tab) {
    case 1:
        if (editField == 1)
            return Bounds{127, -127, "127", "-127"};
        return Bounds{1.99, 0, "1.99", "0"};
    case 2:
        if (editField == 3)
            return Bounds{26.4, 0, "26.4", "0"};
        return Bounds{255, 0, "255", "0"};
    case 3:
        if (editField == 1)
            return Bounds{44, -44, "44", "-44"};
        return Bounds{127, -99, "127", "-99"};
    default:
        return std::nullopt;
    }
}

} // namespace

QString Filter_Text(const QString& text, int code, int tab, int editField) {
    if (!Is_Accepted(code))
        return text.isEmpty() ? text : text.chopped(1);
    if (!Is_Numeric(text) && text != QLatin1String("-") && text != QLatin1String("."))
        return {};
    QString kept = text;
    if (const auto bounds = Bounds_Of(tab, editField)) {
        const double v = NumberRules::Val(kept);
        if (v > bounds->upper)
            kept = QString::fromLatin1(bounds->upperText);
        else if (v < bounds->lower)
            kept = QString::fromLatin1(bounds->lowerText);
    }
    if (kept.size() > 4)
        kept.chop(1);
    return kept;
}

Selection Arrow_Step(Selection from, int code, int tab, int editField) {
    Selection s = from;
    if (!Is_Arrow(code))
        return s;
    if (s.cell < 128) {
        if (code == KeyDown) {
            if (s.cell % 16 == 0)
                s.cell -= 16;
            else
                s.cell -= 1;
        } else if (code == KeyUp) {
            if (s.cell % 16 == 15 && s.cell < 112)
                s.cell += 16;
            else if (editField == 1)
                s.cell += 1;
            else if (editField == 2)
                s.ampRow += 1;
        }
    } else {
        if (code == KeyDown)
            s.ampRow -= 1;
        else if (code == KeyUp)
            s.ampRow += 1;
        else if (code == KeyLeft)
            s.cell = s.ampRow + 112;
    }
    if (code == KeyLeft && editField == 1)
        s.cell -= 16;
    else if (code == KeyRight && s.cell <= 127)
        s.cell += 16;
    s.cell = std::clamp(s.cell, 0, 256);
    s.ampRow = std::clamp(s.ampRow, 0, 15);
    s.afrRow = std::clamp(s.afrRow, 0, 7);
    return s;
}

Target Arrow_Target(Selection after, int tab, int editField) {
    Target t;
    t.selection = after;
    if (after.cell < 128) {
        t.pick = Pick::Grid;
        t.index = after.cell;
        return t;
    }
    switch (editField) {
    case 1: // the step has just left the grid
        t.selection.ampRow = std::clamp(after.cell - 128, 0, 15);
        t.pick = Pick::Amp;
        t.index = t.selection.ampRow;
        break;
    case 2:
        t.pick = Pick::Amp;
        t.index = after.ampRow;
        break;
    default:
        break;
    }
    return t;
}

HeldIgnition Hold_Ignition(long long value) {
    int s = static_cast<int>(std::clamp<long long>(value, -128, 127));
    HeldIgnition held;
    if (s != value)
        held.by = s > 0 ? HeldBy::LargestAdvance : HeldBy::LargestRetard;
    // The limits bound the whole range, not one sign each: an advance limit
    // below 0 holds every cell at or below it, a retard limit above 0 every
    // cell at or above it. (Limits that cross hold at the advance limit.)
    const int advance = UnitBytes::Signed(ParamBlock[Idx_IgnAdvLimit]);
    const int retard = UnitBytes::Signed(ParamBlock[Idx_IgnRetLimit]);
    if (s > advance) {
        s = advance;
        held.by = HeldBy::AdvanceLimit;
    } else if (s < retard) {
        s = retard;
        held.by = HeldBy::RetardLimit;
    }
    held.byte = s & 0xFF;
    return held;
}

int Limit_Ignition(long long value) {
    return Hold_Ignition(value).byte;
}

HeldIgnition Hold_Edit(int cellByte, long long value) {
    const int cell = UnitBytes::Signed(cellByte & 0xFF);
    HeldIgnition held = Hold_Ignition(value);
    const int kept = UnitBytes::Signed(held.byte);
    // A limit may hold an edit short, never turn it round.
    if ((value >= cell && kept < cell) || (value <= cell && kept > cell)) {
        held.byte = cell & 0xFF;
        held.stayed = true;
    }
    return held;
}

long long Ignition_Count(double degrees) {
    return NumberRules::RoundEven(degrees * UnitBytes::Usable_Cylinders() / 360.0 * 256.0);
}

HeldIgnition Ignition_Entry(double degrees) {
    return Hold_Ignition(Ignition_Count(degrees));
}

HeldIgnition Ignition_Entry(int cellByte, double degrees) {
    return Hold_Edit(cellByte, Ignition_Count(degrees));
}

QString Held_Notice(const QString& from, const HeldIgnition& held) {
    QString what;
    QString limit;
    switch (held.by) {
    case HeldBy::Nothing:
        return QString();
    case HeldBy::AdvanceLimit:
        what = QStringLiteral("the advance limit is");
        limit = WtsDis::Fmt_Param_Signed_Scaled(Idx_IgnAdvLimit);
        break;
    case HeldBy::RetardLimit:
        what = QStringLiteral("the retard limit is");
        limit = WtsDis::Fmt_Param_Signed_Scaled(Idx_IgnRetLimit);
        break;
    case HeldBy::LargestAdvance:
        what = QStringLiteral("the largest advance a cell holds is");
        limit = WtsDis::Fmt_Max_Advance();
        break;
    case HeldBy::LargestRetard:
        what = QStringLiteral("the largest retard a cell holds is");
        limit = WtsDis::Fmt_Min_Advance();
        break;
    }
    const QString kept = WtsDis::Fmt_Int(UnitBytes::Degrees(UnitBytes::Signed(held.byte)));
    const QString start = held.stayed || from.trimmed() == kept
                              ? QStringLiteral("Stays at ") + kept
                              : from.trimmed() + QStringLiteral(" became ") + kept;
    return start + QStringLiteral(": ") + what + QLatin1Char(' ') + limit +
           QStringLiteral(" degrees");
}

int Entry_Byte(double value, int tab, int editField, bool column) {
    long long b = 0;
    if (tab == 3)
        return Ignition_Entry(value).byte;
    if (editField == 2) {
        const double scaled = value * (tab == 1 ? 256.0 : 128.0);
        b = NumberRules::RoundEven(std::min(scaled, 255.0));
    } else if (tab == 1) {
        if (column) {
            b = NumberRules::Fix(value < 0 ? value + 256 : value);
        } else {
            b = NumberRules::Fix(value);
            if (b < 0)
                b += 256;
        }
    } else {
        b = NumberRules::RoundEven(value);
    }
    return static_cast<int>(std::clamp<long long>(b, 0, 255));
}

} // namespace CellEntry
