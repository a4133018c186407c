#include "mainwin/StripChart.h"

#include "mainwin/Design.h"
#include "platform/NumberRules.h"
#include "platform/Step.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace Readouts {

namespace {

// Trace colours: PB1 blue, PB2 red, PB3 green.
const std::array<QColor, StripChartModel::Traces> TraceColours{
    Design::bgr(0xC00000), Design::bgr(0x0000C0), Design::bgr(0x00C000)};

// The chart frame of the main window.
constexpr int FrameWidth = 8160;
constexpr int FrameHeight = 1320;

QPointF At(int x, int y) {
    return {x / 15.0, y / 15.0};
}

} // namespace

void StripChartModel::Plot_Setup(const std::vector<DisplayRow>& rows, const ReadingSet& set) {
    for (int t = 1; t <= Traces; ++t) {
        TraceMin[t] = 0;
        TraceMax[t] = 0;
    }
    int t = 0;
    for (const DisplayRow& row : rows) {
        if (row.plotFlag <= 0)
            continue;
        if (++t > Traces)
            break;
        TraceMin[t] = row.min;
        TraceMax[t] = row.max;
        TraceValue[t] = static_cast<float>(Reading_Number(Conv_Input_to_readings(row.id, set)));
    }
    Plot_Graph();
}

void StripChartModel::Plot_Clear() {
    for (auto& trace : segments_)
        for (Segment& s : trace) {
            s.visible = false;
            s.width = 1;
        }
    PlotPos = 1;
    ChartHeight = 1080;
    ChartWidth = 7920;
    for (int t = 1; t <= Traces; ++t) {
        // Taken in 64 bits: a hand-edited range may span more than an int holds.
        const std::int64_t span = std::int64_t{TraceMax[t]} - TraceMin[t];
        TraceScale[t] =
            span == 0 ? 0.0f : static_cast<float>(ChartHeight / static_cast<double>(span));
    }
}

int StripChartModel::Trace_Y(int t) const {
    const double y = ChartHeight -
                     (static_cast<double>(TraceValue[t]) - TraceMin[t]) * TraceScale[t] + TopMargin;
    return static_cast<int>(
        std::clamp<std::int64_t>(NumberRules::RoundEven(y), TopMargin, ChartHeight + TopMargin));
}

void StripChartModel::Plot_Graph() {
    if (PlotPos < 1 || PlotPos > Positions)
        PlotPos = 1;
    const int p = PlotPos;
    const int pitch = Pitch();
    for (int t = 1; t <= Traces; ++t) {
        if (!(TraceScale[t] > 0))
            continue;
        auto& trace = segments_[t - 1];
        Segment& s = trace[p - 1];
        s.y2 = Trace_Y(t);
        // Each segment starts where the one before it ended; a sweep's first
        // segment has none before it and starts flat.
        s.y1 = p >= 2 ? trace[p - 2].y2 : s.y2;
        s.x1 = pitch * p;
        s.x2 = pitch * (p + 1);
        s.width = 2;
        s.visible = true;
    }
    sweepX_ = pitch * (p + 1);
    PlotPos = p + 1 > Positions ? 1 : p + 1;
}

StripChart::StripChart(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StripChart::Plot_Setup(const std::vector<DisplayRow>& rows, const ReadingSet& set) {
    const int sweepBefore = model_.sweepX();
    model_.Plot_Setup(rows, set);
    Update_Around(sweepBefore);
}

void StripChart::Plot_Clear() {
    model_.Plot_Clear();
    update();
}

void StripChart::Plot_Graph() {
    const int sweepBefore = model_.sweepX();
    model_.Plot_Graph();
    Update_Around(sweepBefore);
}

void StripChart::Update_Around(int sweepBefore) {
    // One position changed: the new segments end at the sweep line, and the old
    // sweep line goes. A margin covers the width of the lines.
    const int margin = 3 * 15;
    const int pitch = model_.Pitch();
    const int newX = model_.sweepX();
    update(Design::rect(newX - pitch - margin, 0, pitch + 2 * margin, FrameHeight));
    if (sweepBefore != newX)
        update(Design::rect(sweepBefore - margin, 0, 2 * margin, FrameHeight));
}

QSize StripChart::sizeHint() const {
    return Design::rect(0, 0, FrameWidth, FrameHeight).size();
}

void StripChart::paintEvent(QPaintEvent*) {
    Step::Run([&] {
        // Drawn over the chart frame, whose white back and border show through.
        QPainter p(this);
        for (int t = 1; t <= StripChartModel::Traces; ++t) {
            for (int k = 0; k < StripChartModel::SegmentCount; ++k) {
                const auto& s = model_.segment(t, k);
                if (!s.visible)
                    continue;
                p.setPen(QPen(TraceColours[t - 1], s.width));
                p.drawLine(At(s.x1, s.y1), At(s.x2, s.y2));
            }
        }
        // The sweep line spans the chart's height at the newest position.
        p.setPen(QPen(Qt::black, 1));
        const int top = StripChartModel::TopMargin;
        p.drawLine(At(model_.sweepX(), top), At(model_.sweepX(), top + model_.ChartHeight));
    });
}

} // namespace Readouts
