// The two live plots and the readouts. A plot shows the last PLOT_SPAN seconds of simulated time,
// one screen column per slice of time: each column is a vertical stroke from the lowest to the
// highest value in its slice, joined to the column before, so a nutation faster than a column is
// still seen as a band rather than lost between samples.
#include "lab/scene.h"

#include <graphics/window.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double DEGREE = std::numbers::pi / 180;

struct PlotBox {
    int top, bottom;
};
constexpr PlotBox THETA_BOX{THETA_PLOT_TOP, THETA_PLOT_BOTTOM};
constexpr PlotBox ENERGY_BOX{ENERGY_PLOT_TOP, ENERGY_PLOT_BOTTOM};

struct Range {
    double low, high;
};

std::string Format(const char* pattern, double value) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void DrawAxes(window& w, const PlotBox& box, const char* title, const Range& range, const char* labelPattern) {
    w.SetPen(0, 0, 0, 1);
    w.DrawLine(PLOT_LEFT, box.top, PLOT_LEFT, box.bottom, FRAME);
    w.DrawLine(PLOT_LEFT, box.bottom, PLOT_RIGHT, box.bottom, FRAME);
    w.DrawString(PLOT_LEFT, box.top - 20, title);
    w.DrawString(READOUT_LEFT - 8, box.top - 2, Format(labelPattern, range.high));
    w.DrawString(READOUT_LEFT - 8, box.bottom - 14, Format(labelPattern, range.low));
}

// The column of time t; the newest sample sits on the right edge.
int ColumnOf(double t, double now) {
    const double span = Experiment::PLOT_SPAN;
    return PLOT_LEFT + 1 + static_cast<int>((t - (now - span)) / span * (PLOT_RIGHT - PLOT_LEFT - 2));
}

// The series as one polyline: per column, the first sample's row, then the slice's extremes.
// (Consecutive columns are joined by the polyline itself.)
template <typename Value>
void DrawSeries(window& w, const std::deque<PlotSample>& samples, Value value, const Range& range, const PlotBox& box) {
    if (samples.empty()) return;
    const double now = samples.back().time;
    std::vector<ScreenPoint> line;
    int column = -1, low = 0, high = 0;
    auto flush = [&] {
        if (column < 0) return;
        if (line.back().y != low) line.push_back({column, low});
        if (high != low) line.push_back({column, high});
    };
    for (const PlotSample& s : samples) {
        const int row = PlotRow(value(s), range.low, range.high, box.top, box.bottom);
        const int x = ColumnOf(s.time, now);
        if (x != column) {
            flush();
            column = x, low = high = row;
            line.push_back({x, row});
            continue;
        }
        low = std::min(low, row), high = std::max(high, row);
    }
    flush();
    DrawPolyline(w, line);
}

void DrawDotted(window& w, int row) {
    for (int x = PLOT_LEFT + 2; x + 4 < PLOT_RIGHT; x += 10) w.DrawLine(x, row, x + 4, row, FRAME);
}

Range ThetaRange(const std::deque<PlotSample>& samples, const LabReadouts& r) {
    Range range{1e9, -1e9};
    for (const PlotSample& s : samples)
        range.low = std::min(range.low, s.theta), range.high = std::max(range.high, s.theta);
    if (r.nutation)
        range.low = std::min(range.low, r.nutation->theta1), range.high = std::max(range.high, r.nutation->theta2);
    const double pad = std::max(0.1 * (range.high - range.low), 0.25 * DEGREE);
    return {(range.low - pad) / DEGREE, (range.high + pad) / DEGREE};
}

Range EnergyRange(const std::deque<PlotSample>& samples, double torque) {
    double largest = 1e-6 * torque;
    for (const PlotSample& s : samples)
        largest = std::max({largest, std::abs(s.kinetic), std::abs(s.potential), std::abs(s.total)});
    const double edge = 1.1 * largest / torque;
    return {-edge, edge};
}

void DrawThetaPlot(window& w, const Experiment& experiment, const LabReadouts& r) {
    const Range range = ThetaRange(experiment.Samples(), r);
    DrawAxes(w, THETA_BOX, "theta (deg) over the last second", range, "%.2f");
    if (r.nutation) {
        w.SetPen(0, 150, 0, 1);
        DrawDotted(w, PlotRow(r.nutation->theta1 / DEGREE, range.low, range.high, THETA_BOX.top, THETA_BOX.bottom));
        DrawDotted(w, PlotRow(r.nutation->theta2 / DEGREE, range.low, range.high, THETA_BOX.top, THETA_BOX.bottom));
    }
    w.SetPen(0, 0, 170, 1);
    DrawSeries(
        w, experiment.Samples(), [](const PlotSample& s) { return s.theta / DEGREE; }, range, THETA_BOX);
}

void DrawEnergyPlot(window& w, const Experiment& experiment) {
    const double torque = experiment.Parameters().GravityTorque();
    const Range range = EnergyRange(experiment.Samples(), torque);
    DrawAxes(w, ENERGY_BOX, "kinetic, potential, total - start (M)", range, "%+.3f");
    const auto& samples = experiment.Samples();
    w.SetPen(220, 120, 0, 1);
    DrawSeries(
        w, samples, [torque](const PlotSample& s) { return s.kinetic / torque; }, range, ENERGY_BOX);
    w.SetPen(0, 150, 150, 1);
    DrawSeries(
        w, samples, [torque](const PlotSample& s) { return s.potential / torque; }, range, ENERGY_BOX);
    w.SetPen(0, 0, 0, 1);
    DrawSeries(
        w, samples, [torque](const PlotSample& s) { return s.total / torque; }, range, ENERGY_BOX);
}

std::string Optional(const char* pattern, const std::optional<double>& value) {
    return value ? Format(pattern, *value) : std::string("none");
}

std::vector<std::string> ReadoutLines(const LabReadouts& r) {
    std::vector<std::string> lines;
    lines.push_back(Format("t = %.2f s", r.time) + Format("   step h = %.3f ms (4th order)", r.step * 1e3));
    lines.push_back("Omega measured (mean over T): " + Optional("%.5f rad/s", r.measuredPrecession));
    const std::optional<double> slow = r.steady ? std::optional<double>(r.steady->slow) : std::nullopt;
    lines.push_back("Omega exact root: " + Optional("%.5f", slow) + Format("   M/L3: %.5f rad/s", r.fastTopPrecession));
    lines.push_back(Format("omega3 = %.2f rad/s", r.spin) + Format("   omega_c = %.2f rad/s", r.sleepingThreshold));
    if (r.nutation) {
        lines.push_back(Format("theta1 = %.4f deg", r.nutation->theta1 / DEGREE) +
                        Format("   theta2 = %.4f deg", r.nutation->theta2 / DEGREE));
        lines.push_back(Format("nutation period T = %.4f ms", r.nutation->period * 1e3) +
                        "   trace: " + TraceShapeName(r.nutation->shape));
    }
    lines.push_back(Format("energy drift (E + lost - E0) / M = %.2e", r.energyDrift));
    return lines;
}

}  // namespace

int PlotRow(double v, double low, double high, int top, int bottom) {
    if (!(high > low)) return (top + bottom) / 2;
    const double f = std::clamp((v - low) / (high - low), 0.0, 1.0);
    return bottom - 1 - static_cast<int>(std::lround(f * (bottom - 1 - top)));
}

void DrawPlots(window& w, const Experiment& experiment, const LabReadouts& readouts) {
    w.SetPen(255, 255, 255, 1);
    w.SetBrush(255, 255, 255);
    w.DrawRectangle(SCENE_RIGHT, SCENE_TOP, 1000, 700, FILLED, 0, 0);
    DrawThetaPlot(w, experiment, readouts);
    DrawEnergyPlot(w, experiment);
}

void DrawReadouts(window& w, const LabReadouts& readouts) {
    w.SetPen(0, 0, 0, 1);
    int y = READOUT_TOP;
    for (const std::string& line : ReadoutLines(readouts)) {
        w.DrawString(READOUT_LEFT, y, line);
        y += READOUT_LINE;
    }
}
