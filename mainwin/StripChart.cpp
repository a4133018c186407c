#include "mainwin/StripChart.h"

#include "platform/NumberRules.h"

#include <QPainter>
#include <algorithm>

namespace Readouts {

namespace {

// Trace colours: blue, red, green.
const std::array<QColor, StripChartModel::Traces> TraceColours{
    QColor(0x00, 0x00, 0xC0), QColor(0xC0, 0x00, 0x00), QColor(0x00, 0xC0, 0x00)};

constexpr double Px(double twips) {
    return twips / 15.0;
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
        const int span = TraceMax[t] - TraceMin[t];
        TraceScale[t] = span == 0 ? 0.0f : static_cast<float>(ChartHeight) / span;
    }
}

int StripChartModel::Trace_Y(int t) const {
    const double y = ChartHeight - (TraceValue[t] - TraceMin[t]) * TraceScale[t] + TopMargin;
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
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StripChart::Plot_Setup(const std::vector<DisplayRow>& rows, const ReadingSet& set) {
    model_.Plot_Setup(rows, set);
    update();
}

void StripChart::Plot_Clear() {
    model_.Plot_Clear();
    update();
}

void StripChart::Plot_Graph() {
    model_.Plot_Graph();
    update();
}

QSize StripChart::sizeHint() const {
    const int positions = StripChartModel::Positions + 3;
    return {static_cast<int>(Px(model_.Pitch() * positions)),
            static_cast<int>(Px(model_.ChartHeight + 2 * StripChartModel::TopMargin))};
}

void StripChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int t = 1; t <= StripChartModel::Traces; ++t) {
        p.setPen(QPen(TraceColours[t - 1], 1));
        for (int k = 0; k < StripChartModel::SegmentCount; ++k) {
            const auto& s = model_.segment(t, k);
            if (!s.visible)
                continue;
            p.setPen(QPen(TraceColours[t - 1], s.width));
            p.drawLine(QPointF(Px(s.x1), Px(s.y1)), QPointF(Px(s.x2), Px(s.y2)));
        }
    }
    p.setPen(QPen(Qt::black, 1));
    const double x = Px(model_.sweepX());
    p.drawLine(QPointF(x, 0), QPointF(x, height()));
}

} // namespace Readouts
