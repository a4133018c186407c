#pragma once

#include "mainwin/Readings.h"

#include <QWidget>
#include <array>
#include <vector>

namespace Readouts {

// The sweeping strip chart: up to three traces over 200 positions, one short
// segment per trace and position; at the end the sweep starts again at the left and
// overwrites the old segments. Positions and heights are in twips, y growing down.
class StripChartModel {
public:
    static constexpr int Traces = 3;
    static constexpr int Positions = 200;
    static constexpr int SegmentCount = 203;
    static constexpr int TopMargin = 120;

    struct Segment {
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
        int width = 1;
        bool visible = false;
    };

    // Trace t (1..3) by number; element 0 is not used.
    std::array<int, Traces + 1> TraceMin{};
    std::array<int, Traces + 1> TraceMax{};
    std::array<float, Traces + 1> TraceValue{};
    std::array<float, Traces + 1> TraceScale{}; // twips per unit; 0 = trace off
    int PlotPos = 0;                            // position 1..200 of the next segment
    int ChartHeight = 1080;
    int ChartWidth = 7920;

    // Takes the plotted rows (plot flag above 0) as traces 1, 2, 3 in row order with
    // their ranges and current values, then draws one position. A fourth plotted row
    // has no trace and is left out.
    void Plot_Setup(const std::vector<DisplayRow>& rows, const ReadingSet& set);
    // Hides every segment, starts the sweep at position 1 and sets each trace's
    // scale from its range: 0 (not drawn) when the range has no span.
    void Plot_Clear();
    // Draws the current values at the next position and moves the sweep line on.
    void Plot_Graph();

    // y of a value: ChartHeight - (value - min) x scale + 120, rounded (halves to
    // even), kept within 120..ChartHeight + 120.
    int Trace_Y(int t) const;
    // Horizontal pitch of the positions.
    int Pitch() const { return ChartWidth / Positions; }

    const Segment& segment(int t, int k) const { return segments_[t - 1][k]; }
    int sweepX() const { return sweepX_; }

private:
    std::array<std::array<Segment, SegmentCount>, Traces> segments_{};
    int sweepX_ = 0;
};

// The strip chart drawn from its model.
class StripChart : public QWidget {
    Q_OBJECT
public:
    explicit StripChart(QWidget* parent = nullptr);

    void Plot_Setup(const std::vector<DisplayRow>& rows, const ReadingSet& set);
    void Plot_Clear();
    void Plot_Graph();

    const StripChartModel& model() const { return model_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Asks for a repaint of what one position changed.
    void Update_Around(int sweepBefore);
    StripChartModel model_;
};

} // namespace Readouts
