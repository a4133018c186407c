#include "link/Console.h"

#include "core/AxisLabels.h"
#include "core/CoreState.h"
#include "core/TableFiles.h"
#include "core/UnitBytes.h"
#include "core/WtsDef.h"
#include "link/Download.h"
#include "link/Edit.h"
#include "link/LinkState.h"
#include "link/MapWrite.h"
#include "link/SendPath.h"
#include "link/SendRule.h"
#include "link/WtsCM.h"
#include "link/WtsUp.h"
#include "platform/Dialogs.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace WtsCM {
namespace {

// The run time's "invalid procedure call or argument": a value that is no byte.
constexpr int NotAByte = 5;
constexpr int DescriptionLength = 64;
const QString FirstPoint = QStringLiteral("the first deflection point");
const QString LastPoint = QStringLiteral("the last deflection point");

[[noreturn]] void refuse(const QString& what) {
    throw KvrError(NotAByte, what);
}

// The argument: the line from its fourth character on.
QString argument(const QString& line) {
    return line.mid(3);
}

double percentOf(const QString& line) {
    return std::min(NumberRules::Val(argument(line)), 99.0);
}

// The integer part of a value that is to be stored as a byte; refused otherwise.
std::int16_t byteOf(double value, const QString& what) {
    const std::int64_t whole = NumberRules::Fix(value);
    if (whole < 0 || whole > 255)
        refuse(QStringLiteral("%1 would be %2").arg(what).arg(whole));
    return static_cast<std::int16_t>(whole);
}

// The page-4 row that holds address (only bits 4..7 count).
int rowOf(int address) {
    return address & 0xF0;
}

// A command is one edit, begun before it works anything out in the image: its
// writes go through the write path and out as one queue, as the send rule says
// (to the unit, or off-line into the image only). A refusing rule is met before
// the command runs (Console_Line); a command run on its own is refused here. A
// refused write, or a working-out that throws, puts the image back as it was
// when the command began.
void make(Edit& edit) {
    if (edit.Refused())
        refuse(SendRule::Notice(edit.Verdict()));
    const EditOutcome written = edit.Make();
    if (!written.made())
        refuse(written.refusal);
}

// The commands that change the map image and send it.
bool editsTheMap(const QString& pair) {
    static const QStringList edits{"rl", "rh", "dl", "dh", "dm", "ds", "de",
                                   "tl", "th", "al", "ah", "ag", "rm"};
    return edits.contains(pair);
}

MapWrite::Map ampColumn(int base) {
    return base == Idx_InjAmpCol   ? MapWrite::Map::InjectionAmp
           : base == Idx_IgnAmpCol ? MapWrite::Map::IgnitionAmp
                                   : MapWrite::Map::AnalogAmp;
}

void deflectionRow(Edit& edit, ConsoleOutcome& out, bool axis, bool analog) {
    edit.Param_Row_Of_Image(rowOf(Idx_DeflScale));
    make(edit);
    out.axisLabels = out.axisLabels || axis;
    out.analogMap = out.analogMap || analog;
}

// An end of the deflection scale: the percentage (at most 99) / divisor x scale,
// its integer part checked as a byte, then the other points filled in.
void deflectionEnd(const QString& line, int index, double divisor, double scale, void (*fill)(),
                   ConsoleOutcome& out, bool analogMap) {
    if (line.size() <= 3)
        return;
    Edit edit(SendKind::Queue);
    ParamBlock[index] =
        byteOf(percentOf(line) / divisor * scale, index == Idx_DeflScale ? FirstPoint : LastPoint);
    fill();
    deflectionRow(edit, out, true, analogMap);
}

void rpmEnd(const QString& line, int highIndex, ConsoleOutcome& out) {
    if (line.size() <= 3)
        return;
    const double rpm = std::clamp(NumberRules::Val(argument(line)), 300.0, 19000.0);
    Edit edit(SendKind::Queue);
    // The command stores the cylinder count it works the period out with: an
    // unusable cylinders byte becomes 4 in the image here, as the console's rule
    // says, and nowhere else on the way.
    ParamBlock[Idx_Cylinders] = static_cast<std::int16_t>(UnitBytes::Usable_Cylinders());
    // Rounded whole before it is split, so the low byte never rounds up to 256.
    UnitBytes::Store_Period(highIndex, highIndex + 1, UnitBytes::Period_Of_Rpm(rpm));
    WtsDef::Rebuild_RPM_Scale();
    // Both rows of the break points go out as one element.
    edit.Param_Row_Of_Image(Idx_RpmScale);
    edit.Param_Row_Of_Image(Idx_RpmScale + 16).Joined_To_Previous();
    make(edit);
    out.axisLabels = true;
}

// The calibration point of the temperature ("tl" at 192, "th" at 194) or AMP input.
void calibration(const QString& line, int stepIndex, int tableBase, int liveDefault, bool amp,
                 ConsoleOutcome& out) {
    Edit edit(SendKind::Queue);
    const CalArgs args = Parse_Cal_Args(line);
    double v = args.v;
    if (!amp)
        v = std::clamp(v, 0.0, 255.0);
    const std::int16_t whole = byteOf(v, QStringLiteral("the calibration value"));
    ParamBlock[stepIndex] = static_cast<std::int16_t>(args.p);
    ParamBlock[stepIndex + 1] = whole;
    if (amp) {
        // Low point: fraction at 201; high point: fraction at 200.
        const int fractionIndex = stepIndex == Idx_AmpCal0 ? Idx_AmpCal5 : Idx_AmpCal4;
        const auto fraction = NumberRules::RoundEven((v - whole) * 256.0);
        if (fraction < 0 || fraction > 255)
            refuse(QStringLiteral("the fraction of %1 does not fit a byte").arg(v));
        ParamBlock[fractionIndex] = static_cast<std::int16_t>(fraction);
    }
    const int count = args.c.value_or(liveDefault);
    if (count < 0 || count > 255)
        refuse(QStringLiteral("the count %1 is not 0 to 255").arg(count));
    ParamBlock[tableBase + args.p] = static_cast<std::int16_t>(count);

    if (amp)
        out.ampCaptions = WtsUp::Set_Amp_Labels();
    else
        out.tempCaptions = WtsUp::Set_Temp_Labels();
    // The AMP rows go out with a second padding each.
    const int padding = amp ? WtsUp::PadLength : 0;
    edit.Param_Row_Of_Image(rowOf(tableBase)).Extra_Padding(padding);
    edit.Param_Row_Of_Image(Idx_Block3).Extra_Padding(padding);
    make(edit);
}

void gradient(const QString& line, int base, const ConsoleLive& live, ConsoleOutcome& out) {
    if (line.size() <= 3)
        return;
    Edit edit(SendKind::Queue);
    const int r = live.liveAmpCellA;
    if (r < 0 || r > 15)
        refuse(QStringLiteral("the live AMP row %1 is not 0 to 15").arg(r));
    const auto g = static_cast<float>(NumberRules::Val(argument(line)));
    const float y0 = static_cast<float>(Map6Image[base + r]) / 128.0f;
    std::array<int, 16> values{};
    for (int i = 0; i < 16; ++i) {
        float y = y0 + static_cast<float>(i - r) * g;
        if (y < 0)
            y = 0;
        const auto byte = NumberRules::RoundEven(y * 128.0f);
        values[static_cast<std::size_t>(i)] = static_cast<int>(std::min<std::int64_t>(byte, 9999));
    }
    edit.Column(ampColumn(base), 0, values);
    make(edit);
    out.analogMap = true;
}

// A new identifier or description: the file-information record follows it, then
// the whole map goes to the unit. A map the download refuses changes nothing.
bool textAndDownload(QString& target, const QString& text, int libElement) {
    if (Download_Image_Problem())
        return Download_All(); // tells the user and sends nothing
    const QString previous = target;
    const QString previousRecord = LibRecord[static_cast<std::size_t>(libElement)];
    target = text;
    try {
        LibRecord[static_cast<std::size_t>(libElement)] = text;
        WtsGeneral::Write_FileInfo_File();
    } catch (...) {
        target = previous;
        LibRecord[static_cast<std::size_t>(libElement)] = previousRecord;
        throw;
    }
    return Download_All();
}

} // namespace

CalArgs Parse_Cal_Args(const QString& line) {
    CalArgs args;
    args.p = static_cast<int>(NumberRules::RoundEven(NumberRules::Val(line.mid(3, 2)))) & 15;
    // Positions count from 1, as the line is read; 0 = no blank.
    const auto find = [&](int from) {
        const qsizetype at = line.indexOf(' ', from - 1);
        return at < 0 ? 0 : static_cast<int>(at) + 1;
    };
    const int b1 = line.size() >= 4 ? find(4) : 0;
    const int b2 = b1 > 0 ? find(b1 + 1) : 0;
    if (b2 > 0) {
        args.v = NumberRules::Val(line.mid(b1, b2 - b1 - 1));
        args.c = static_cast<int>(NumberRules::RoundEven(NumberRules::Val(line.mid(b2)))) & 255;
    } else {
        args.v = NumberRules::Val(line.mid(b1));
    }
    return args;
}

void Cmd_SS(const QString& line) {
    const double n = line.size() > 2 ? NumberRules::Val(argument(line)) : 0.0;
    const auto byte = NumberRules::RoundEven(n);
    if (byte < 0 || byte > 255)
        refuse(QStringLiteral("the speed governor value %1 is not 0 to 255").arg(n));
    SendPath::Queue_Command(WtsUp::Set_Frame(static_cast<int>(byte)));
}

void Cmd_RL(const QString& line, ConsoleOutcome& out) {
    rpmEnd(line, Idx_RpmScale, out);
}
void Cmd_RH(const QString& line, ConsoleOutcome& out) {
    rpmEnd(line, Idx_RpmScale + 30, out);
}

void Cmd_DL(const QString& line, ConsoleOutcome& out) {
    deflectionEnd(line, Idx_DeflScale, 99.0, 256.0, WtsDef::Fill_Deflect_Linear, out, false);
}

void Cmd_DH(const QString& line, ConsoleOutcome& out) {
    deflectionEnd(line, Idx_DeflScale + 7, 99.0, 255.0, WtsDef::Fill_Deflect_Linear, out, true);
}

void Cmd_DM(const QString& line, ConsoleOutcome& out) {
    if (line.size() <= 3)
        return;
    if (line.size() == 4)
        refuse(QStringLiteral("the deflection point has no value"));
    Edit edit(SendKind::Queue);
    const auto p =
        std::clamp<std::int64_t>(NumberRules::Fix(NumberRules::Val(line.mid(3, 1))), 0, 7);
    const double percent = std::min(NumberRules::Val(line.mid(5)), 99.0);
    ParamBlock[Idx_DeflScale + static_cast<int>(p)] =
        byteOf(percent / 100.0 * 256.0, QStringLiteral("the deflection point"));
    deflectionRow(edit, out, false, true);
}

void Cmd_DE(const QString& line, ConsoleOutcome& out) {
    deflectionEnd(line, Idx_DeflScale + 7, 100.0, 256.0, WtsDef::Fill_Deflect_Weighted, out, false);
}

void Cmd_TL(const QString& line, const ConsoleLive& live, ConsoleOutcome& out) {
    calibration(line, Idx_TempCal0, Idx_TempTable, live.analogIn1 - 2, false, out);
}
void Cmd_TH(const QString& line, const ConsoleLive& live, ConsoleOutcome& out) {
    calibration(line, Idx_TempCal2, Idx_TempTable, live.analogIn1 - 2, false, out);
}
void Cmd_AL(const QString& line, const ConsoleLive& live, ConsoleOutcome& out) {
    calibration(line, Idx_AmpCal0, Idx_AmpTable, live.analogIn2 - 1, true, out);
}
void Cmd_AH(const QString& line, const ConsoleLive& live, ConsoleOutcome& out) {
    calibration(line, Idx_AmpCal2, Idx_AmpTable, live.analogIn2 - 1, true, out);
}

void Cmd_AG_Tab1(const QString& line, const ConsoleLive& live, ConsoleOutcome& out) {
    gradient(line, Idx_AnaAmpCol, live, out);
}
void Cmd_AG_Tab2(const QString& line, const ConsoleLive& live, ConsoleOutcome& out) {
    gradient(line, Idx_InjAmpCol, live, out);
}
void Cmd_AG_Tab3(const QString& line, const ConsoleLive& live, ConsoleOutcome& out) {
    gradient(line, Idx_IgnAmpCol, live, out);
}

void Cmd_RM() {
    Edit edit(SendKind::Queue);
    ParamBlock[Idx_MreReset1] = 255;
    ParamBlock[Idx_MreReset2] = 255;
    ParamBlock[Idx_P206] = 0;
    ParamBlock[Idx_P207] = 255;
    edit.Param_Row_Of_Image(Idx_Block3);
    make(edit);
}

bool Cmd_MI(const QString& line) {
    return textAndDownload(MapId, argument(line).leftJustified(DescriptionLength, ' ', true), 4);
}

bool Cmd_CI(const QString& line) {
    const QString text = argument(line);
    if (text.size() > DescriptionLength)
        refuse(
            QStringLiteral("the description is longer than %1 characters").arg(DescriptionLength));
    return textAndDownload(MapDscr, text.leftJustified(DescriptionLength, ' '), 1);
}

void Console_Error_Box() {
    Dialogs::msgBox(
        QStringLiteral("There was an unexpected error. Please try the command properly !!"),
        Dialogs::Buttons::Ok, Dialogs::Icon::Critical, QStringLiteral("An error accrued"));
}

ConsoleOutcome Console_Line(const QString& line, const ConsoleLive& live) {
    ConsoleOutcome out;
    cmd = line.left(2);
    ConsoleLine = line;
    const QString pair = cmd.toLower();
    // A refused command leaves the image as it was: each command that changes
    // the map is one edit, which puts the image back itself. The RPM scale's
    // last bar value is no part of the image but moves with the scale's fill.
    const int barValue = BarValue;
    try {
        if (pair == QLatin1String("pg")) {
            out.ok = Download_All();
        } else if (pair == QLatin1String("xx")) {
            Reset_Unit();
        } else if (UnitLocked != 0) {
            // A locked unit takes nothing but the download and the reset.
            if (editsTheMap(pair))
                SendRule::Tell(SendRule::Notice(SendRule::Verdict::Locked));
        } else if (editsTheMap(pair) && SendRule::Refuses(SendRule::May_Send())) {
            // Refused as a whole before anything changes; the line stays as typed.
            SendRule::Tell(SendRule::Notice(SendRule::May_Send()));
            out.ok = false;
        } else if (pair == QLatin1String("up")) {
            Request_Upload();
        } else if (pair == QLatin1String("ss")) {
            Cmd_SS(line);
        } else if (pair == QLatin1String("rl")) {
            Cmd_RL(line, out);
        } else if (pair == QLatin1String("rh")) {
            Cmd_RH(line, out);
        } else if (pair == QLatin1String("dl")) {
            Cmd_DL(line, out);
        } else if (pair == QLatin1String("dh")) {
            Cmd_DH(line, out);
        } else if (pair == QLatin1String("dm")) {
            Cmd_DM(line, out);
        } else if (pair == QLatin1String("ds")) {
            WtsAFR::Cmd_DS(line, out);
        } else if (pair == QLatin1String("de")) {
            Cmd_DE(line, out);
        } else if (pair == QLatin1String("tl")) {
            Cmd_TL(line, live, out);
        } else if (pair == QLatin1String("th")) {
            Cmd_TH(line, live, out);
        } else if (pair == QLatin1String("al")) {
            Cmd_AL(line, live, out);
        } else if (pair == QLatin1String("ah")) {
            Cmd_AH(line, live, out);
        } else if (pair == QLatin1String("ag")) {
            if (MapTab == 1)
                Cmd_AG_Tab1(line, live, out);
            else if (MapTab == 2)
                Cmd_AG_Tab2(line, live, out);
            else if (MapTab == 3)
                Cmd_AG_Tab3(line, live, out);
        } else if (pair == QLatin1String("ma")) {
            Select_Map_A();
        } else if (pair == QLatin1String("mb")) {
            Select_Map_B();
        } else if (pair == QLatin1String("rm")) {
            Cmd_RM();
        } else if (pair == QLatin1String("mi")) {
            out.ok = Cmd_MI(line);
        } else if (pair == QLatin1String("ci")) {
            out.ok = Cmd_CI(line);
        }
    } catch (const std::exception&) {
        BarValue = barValue;
        Console_Error_Box();
        return ConsoleOutcome{false, false, false, std::nullopt, std::nullopt};
    }
    return out;
}

} // namespace WtsCM

namespace WtsAFR {

void Cmd_DS(const QString& line, WtsCM::ConsoleOutcome& out) {
    WtsCM::deflectionEnd(line, Idx_DeflScale, 100.0, 256.0, WtsDef::Fill_Deflect_Weighted, out,
                         true);
}

} // namespace WtsAFR
