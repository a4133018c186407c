#include "setup/DisplaySetup.h"

#include "core/CoreState.h"
#include "core/TableFiles.h"
#include "link/LinkState.h"
#include "mainwin/Readings.h"
#include "platform/KvrError.h"
#include "platform/NumberRules.h"
#include "setup/OptionsMap.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace DisplaySetup {

namespace {

// The master table's channel name of a reading: the row at the same index when it
// names the same reading (the tables are row-aligned as shipped), else the row
// that does, else the name at that index.
QString channelLabel(int tableRow, int id) {
    const QString sameRow = DisplayFuncTable[tableRow][2];
    if (NumberRules::Val(DisplayFuncTable[tableRow][1]) == id)
        return sameRow;
    const auto last =
        std::min<std::int64_t>(NumberRules::RoundEven(NumberRules::Val(DisplayFuncTable[0][0])),
                               static_cast<std::int64_t>(DisplayFuncTable.size()) - 1);
    for (int r = 0; r <= last; ++r)
        if (NumberRules::Val(DisplayFuncTable[r][1]) == id && !DisplayFuncTable[r][2].isEmpty())
            return DisplayFuncTable[r][2];
    return sameRow;
}

// A limit as the file keeps it (cut to its field), read as a number; nothing when
// the text is no number.
std::optional<double> limitValue(const QString& text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.left(RangeWidth).trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The whole number the main window draws a limit with.
std::int64_t drawnLimit(double v) {
    return std::clamp<std::int64_t>(NumberRules::RoundEven(v), std::numeric_limits<int>::min(),
                                    std::numeric_limits<int>::max());
}

template <typename Slot>
FreePositions freeAfter(const std::vector<Channel>& rows, int count, Slot slot) {
    FreePositions free(count);
    for (const Channel& row : rows)
        free.Take(row.*slot);
    return free;
}

} // namespace

std::vector<Channel> Offered_Channels() {
    std::vector<Channel> rows;
    for (const Readouts::DisplayRow& r : Readouts::Offered_Rows()) {
        const auto& t = DisplaySetTable[r.tableRow];
        rows.push_back(Channel{r.tableRow, channelLabel(r.tableRow, r.id), r.barSlot, r.textSlot,
                               t[5], t[6], t[7], r.plotFlag > 0});
    }
    return rows;
}

FreePositions::FreePositions(int count)
    : count_(count), free_(static_cast<std::size_t>(count + 1), true) {
    free_[0] = false; // "none" is never a free position
}

void FreePositions::Take(int p) {
    if (p >= 1 && p <= count_)
        free_[static_cast<std::size_t>(p)] = false;
}

void FreePositions::Give_Back(int p) {
    if (p >= 1 && p <= count_)
        free_[static_cast<std::size_t>(p)] = true;
}

bool FreePositions::Is_Free(int p) const {
    return p >= 1 && p <= count_ && free_[static_cast<std::size_t>(p)];
}

QStringList FreePositions::List(int own) const {
    QStringList items{QString::number(own)};
    if (own != 0)
        items << QStringLiteral("0");
    for (int p = 1; p <= count_; ++p)
        if (Is_Free(p))
            items << QString::number(p);
    return items;
}

std::vector<SharedPosition> Settle_Shared_Positions(std::vector<Channel>& rows) {
    std::vector<SharedPosition> shared;
    const auto settle = [&](int Channel::*slot, int count, const QString& what) {
        for (int p = 1; p <= count; ++p) {
            std::vector<Channel*> holders;
            for (Channel& row : rows)
                if (row.*slot == p)
                    holders.push_back(&row);
            if (holders.size() < 2)
                continue;
            SharedPosition s{what.arg(p), holders.back()->label, {}};
            holders.pop_back();
            for (Channel* row : holders) {
                row->*slot = 0;
                s.givenUpBy << row->label;
            }
            shared.push_back(s);
        }
    };
    settle(&Channel::bar, BarPositions, QStringLiteral("bar gauge %1"));
    settle(&Channel::text, TextPositions, QStringLiteral("text readout %1"));
    return shared;
}

QString Shared_Text(const std::vector<SharedPosition>& shared) {
    if (shared.empty())
        return {};
    QStringList lines;
    for (const SharedPosition& s : shared)
        lines << QStringLiteral("%1: \"%2\", not \"%3\"")
                     .arg(s.place, s.keptBy, s.givenUpBy.join(QStringLiteral("\", not \"")));
    return QStringLiteral("KVR6SetDisplay.cfg gives one place of the main window to more than "
                          "one reading. Each place stays with the reading the main window shows "
                          "there (the last one in the file); the others are set to none (\"0\") "
                          "on this screen, and a save keeps it so:\n") +
           lines.join(QLatin1Char('\n'));
}

FreePositions Free_Bars(const std::vector<Channel>& rows) {
    return freeAfter(rows, BarPositions, &Channel::bar);
}

FreePositions Free_Texts(const std::vector<Channel>& rows) {
    return freeAfter(rows, TextPositions, &Channel::text);
}

std::vector<int> Check_Graph_CHK(const std::vector<bool>& ticked, int k) {
    std::vector<int> untick;
    if (k < 0 || k >= static_cast<int>(ticked.size()) || !ticked[static_cast<std::size_t>(k)])
        return untick;
    int others = 0;
    for (int i = 0; i < static_cast<int>(ticked.size()); ++i) {
        if (i == k || !ticked[static_cast<std::size_t>(i)])
            continue;
        if (++others > MaxTraces - 1)
            untick.push_back(i);
    }
    return untick;
}

bool Draws_Range(const Channel& row) {
    return row.bar > 0 || row.plotted;
}

std::optional<QString> Range_Fault(const Channel& row) {
    const auto min = limitValue(row.minText);
    const auto max = limitValue(row.maxText);
    const QString head =
        QStringLiteral("The graph range of \"%1\" cannot be saved: ").arg(row.label);
    if (!min)
        return head + QStringLiteral("its minimum \"%1\" is no number.").arg(row.minText.trimmed());
    if (!max)
        return head + QStringLiteral("its maximum \"%1\" is no number.").arg(row.maxText.trimmed());
    if (drawnLimit(*min) >= drawnLimit(*max))
        return head + QStringLiteral("its minimum %1 must lie below its maximum %2 (the bar and "
                                     "the chart draw them as whole numbers).")
                          .arg(row.minText.trimmed(), row.maxText.trimmed());
    return std::nullopt;
}

SaveResult Save_Values(const std::vector<Channel>& rows) {
    if (!OptionsMap::Gate_Open())
        return {Outcome::GateClosed,
                UnitLocked == 1
                    ? QStringLiteral("The unit is locked: the display setup was not saved.")
                    : QStringLiteral("There is no map loaded and no unit on-line: the display "
                                     "setup was not saved."),
                {}};
    // A range that draws nothing (a text readout only, or no place at all) shows
    // nowhere: it blocks no save, and is kept as it stands.
    for (const Channel& row : rows)
        if (const auto fault = Draws_Range(row) ? Range_Fault(row) : std::nullopt)
            return {Outcome::BadRange, *fault, {}};

    const DisplayTable before = DisplaySetTable;
    const QString legendBefore = PlotLegend;
    QStringList plotted;
    for (const Channel& row : rows) {
        auto& t = DisplaySetTable[static_cast<std::size_t>(row.tableRow)];
        t[2] = QString::number(row.bar);
        t[3] = QString::number(row.text);
        t[5] = row.name;
        t[6] = row.minText;
        t[7] = row.maxText;
        t[8] = row.plotted ? QStringLiteral("1") : QStringLiteral("0");
    }
    try {
        WtsGeneral::Write_Setup_Display_File();
    } catch (const KvrError& e) {
        // The writer may have cleaned texts in place before it failed.
        DisplaySetTable = before;
        PlotLegend = legendBefore;
        return {Outcome::WriteFailed,
                QStringLiteral("The main window goes on showing the readings as before; the "
                               "changes stay on the screen."),
                e.description()};
    }
    // Keep what the file gives back: names and limits cut to their fields, numbers
    // as read, so the main window shows now what it shows after a restart.
    const DisplayTable written = DisplaySetTable;
    try {
        WtsGeneral::Read_Setup_Display_File();
    } catch (const KvrError&) {
        DisplaySetTable = written;
        for (const Channel& row : Offered_Channels())
            if (row.plotted)
                plotted << row.name;
        PlotLegend = WtsGeneral::Plot_Legend(plotted);
    }
    return {};
}

} // namespace DisplaySetup
