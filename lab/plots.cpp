// The three plots and the readouts. A plot shows the chosen time window, one screen column per
// slice of time: each column is a vertical stroke from the lowest to the highest value in its
// slice, joined to the column before, so a nutation faster than a column is still seen as a band
// rather than lost between samples. The last PLOT_SPAN seconds come from every substep; a longer
// whole run from the run's buckets (see RunHistory), which carry the same lows and highs.
//
// Axes carry ticks at 1, 2 or 5 times a power of ten, labelled with as many decimals as the step
// needs, so a steady top's flat line still reads as numbers rather than "+0.000 / -0.000".
#include "lab/lab_panel.h"
#include "lab/scene.h"

#include <graphics/window.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double DEGREE = std::numbers::pi / 180;
constexpr int COLUMNS = PLOT_RIGHT - PLOT_LEFT - 2;

struct PlotBox {
    int top, bottom;
};
constexpr PlotBox THETA_BOX{THETA_PLOT_TOP, THETA_PLOT_BOTTOM};
constexpr PlotBox ENERGY_BOX{ENERGY_PLOT_TOP, ENERGY_PLOT_BOTTOM};
constexpr PlotBox RATE_BOX{RATE_PLOT_TOP, RATE_PLOT_BOTTOM};

struct Range {
    double low, high;
};

std::string Format(const char* pattern, double value) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// One screen column of the window: the lowest and highest of every quantity in its slice.
struct Column {
    bool filled = false;
    PlotSample low, high;
};

void AddToColumn(Column& c, const PlotSample& low, const PlotSample& high) {
    if (!c.filled) {
        c = {true, low, high};
        return;
    }
    c.low = Merged({0, c.low, c.low}, {0, low, low}).low;
    c.high = Merged({0, c.high, c.high}, {0, high, high}).high;
}

int ColumnIndex(double t, const Range& time) {
    return std::clamp(static_cast<int>((t - time.low) / (time.high - time.low) * COLUMNS), 0, COLUMNS - 1);
}

std::vector<Column> ColumnsOf(const Experiment& e, const Range& time) {
    std::vector<Column> columns(COLUMNS);
    const auto& samples = e.Samples();
    if (!samples.empty() && samples.front().time <= time.low + 1e-9) {
        for (const PlotSample& s : samples)
            if (s.time >= time.low) AddToColumn(columns[ColumnIndex(s.time, time)], s, s);
        return columns;
    }
    for (const PlotBand& b : e.History().Bands()) AddToColumn(columns[ColumnIndex(b.time, time)], b.low, b.high);
    return columns;
}

Range TimeWindow(double now, PlotWindow window) {
    if (window == PlotWindow::WHOLE_RUN) return {0, std::max(now, 1.0)};
    const double span = window == PlotWindow::LAST_SECOND ? 1 : 10;
    return now <= span ? Range{0, span} : Range{now - span, now};
}

// The largest of 1, 2 or 5 times a power of ten that fits `fewest` times into the span, so an
// axis has between `fewest` and about 2.5 times as many ticks.
double NiceStep(double span, double fewest) {
    const double raw = span / fewest;
    const double power = std::pow(10, std::floor(std::log10(raw)));
    for (double factor : {5.0, 2.0, 1.0})
        if (factor * power <= raw) return factor * power;
    return power;
}

std::string TickLabel(double value, double step) {
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 8);
    if (std::abs(value) < step / 2) value = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

template <typename Draw>
void ForEachTick(const Range& r, double fewest, Draw draw) {
    const double step = NiceStep(r.high - r.low, fewest);
    for (double v = std::ceil(r.low / step - 1e-9) * step; v <= r.high + step * 1e-9; v += step) draw(v, step);
}

int TimeColumn(double t, const Range& time) {
    return PLOT_LEFT + 1 + static_cast<int>(std::lround((t - time.low) / (time.high - time.low) * (COLUMNS - 1)));
}

void DrawAxes(window& w, const PlotBox& box, const Range& values, const Range& time) {
    w.SetPen(0, 0, 0, 1);
    w.DrawLine(PLOT_LEFT, box.top, PLOT_LEFT, box.bottom, FRAME);
    w.DrawLine(PLOT_LEFT, box.bottom, PLOT_RIGHT, box.bottom, FRAME);
    int width = 0, height = 0;
    ForEachTick(values, 2, [&](double v, double step) {
        const int row = PlotRow(v, values.low, values.high, box.top, box.bottom);
        w.DrawLine(PLOT_LEFT - 4, row, PLOT_LEFT, row, FRAME);
        const std::string label = TickLabel(v, step);
        w.GetStringSize(width, height, label);
        w.DrawString(PLOT_LEFT - 6 - width, row - height / 2, label);
    });
    ForEachTick(time, 4, [&](double t, double step) {
        const int column = TimeColumn(t, time);
        w.DrawLine(column, box.bottom, column, box.bottom + 4, FRAME);
        const std::string label = TickLabel(t, step);
        w.GetStringSize(width, height, label);
        w.DrawString(std::min(column - width / 2, PLOT_RIGHT - width), box.bottom + 4, label);
    });
    w.DrawString(SCENE_RIGHT + 4, box.bottom + 4, "t (s)");
}

// The series as one polyline: per column, its low and high joined to the column before.
template <typename Value>
void DrawSeries(window& w, const std::vector<Column>& columns, Value value, const Range& r, const PlotBox& box) {
    std::vector<ScreenPoint> line;
    for (int i = 0; i < COLUMNS; ++i) {
        if (!columns[i].filled) continue;
        const double a = value(columns[i].low), b = value(columns[i].high);
        const int low = PlotRow(std::min(a, b), r.low, r.high, box.top, box.bottom);
        const int high = PlotRow(std::max(a, b), r.low, r.high, box.top, box.bottom);
        const int x = PLOT_LEFT + 1 + i;
        line.push_back({x, low});
        if (high != low) line.push_back({x, high});
    }
    if (line.size() == 1) line.push_back({line[0].x + 1, line[0].y});
    DrawPolyline(w, line);
}

// Lowest and highest of the value over the filled columns, padded; never narrower than `least`.
// The pad above is a little larger than below, so a constant value never lies on the boundary
// of two rows, where rounding would flip it from one to the other.
template <typename Value>
Range ValueRange(const std::vector<Column>& columns, Value value, double least) {
    Range r{HUGE_VAL, -HUGE_VAL};
    for (const Column& c : columns) {
        if (!c.filled) continue;
        r.low = std::min({r.low, value(c.low), value(c.high)});
        r.high = std::max({r.high, value(c.low), value(c.high)});
    }
    if (r.low > r.high) r = {0, 0};
    const double pad = std::max(0.1 * (r.high - r.low), least / 2);
    return {r.low - pad, r.high + 1.1 * pad};
}

void DrawDotted(window& w, int row) {
    for (int x = PLOT_LEFT + 2; x + 4 < PLOT_RIGHT; x += 10) w.DrawLine(x, row, x + 4, row, FRAME);
}

// A short line of the colour and the name after it; returns the x after the name.
int LegendEntry(window& w, int x, int y, color colour, const char* name) {
    w.SetPen(colour, 2);
    w.DrawLine(x, y + 7, x + 14, y + 7, FRAME);
    w.SetPen(0, 0, 0, 1);
    w.DrawString(x + 18, y, name);
    int width = 0, height = 0;
    w.GetStringSize(width, height, name);
    return x + 18 + width + 10;
}

const color THETA_BLUE{0, 0, 170}, TURNING_GREEN{0, 150, 0};
const color KINETIC{220, 120, 0}, POTENTIAL{0, 150, 150}, TOTAL{0, 0, 0}, RATE_PURPLE{140, 0, 140};

void DrawThetaPlot(window& w, const std::vector<Column>& columns, const Range& time, const LabReadouts& r) {
    auto theta = [](const PlotSample& s) { return s.theta / DEGREE; };
    Range range = ValueRange(columns, theta, 0.5);
    if (r.nutation)
        range = {std::min(range.low, r.nutation->theta1 / DEGREE - 0.05),
                 std::max(range.high, r.nutation->theta2 / DEGREE + 0.05)};
    DrawAxes(w, THETA_BOX, range, time);
    const int x = LegendEntry(w, PLOT_LEFT, THETA_BOX.top - 19, THETA_BLUE, "theta (deg)");
    if (r.nutation) {
        LegendEntry(w, x, THETA_BOX.top - 19, TURNING_GREEN, "theta1, theta2");
        w.SetPen(TURNING_GREEN, 1);
        DrawDotted(w, PlotRow(r.nutation->theta1 / DEGREE, range.low, range.high, THETA_BOX.top, THETA_BOX.bottom));
        DrawDotted(w, PlotRow(r.nutation->theta2 / DEGREE, range.low, range.high, THETA_BOX.top, THETA_BOX.bottom));
    }
    w.SetPen(THETA_BLUE, 1);
    DrawSeries(w, columns, theta, range, THETA_BOX);
}

void DrawEnergyPlot(window& w, const std::vector<Column>& columns, const Range& time, double torque) {
    auto kinetic = [](const PlotSample& s) { return s.kinetic * 1e3; };
    auto potential = [](const PlotSample& s) { return s.potential * 1e3; };
    auto total = [](const PlotSample& s) { return s.total * 1e3; };
    const double least = 2e-4 * torque * 1e3;  // a flat line stays flat, at 1e-4 M either way
    const Range a = ValueRange(columns, kinetic, least), b = ValueRange(columns, potential, least);
    const Range range{std::min(a.low, b.low), std::max(a.high, b.high)};
    DrawAxes(w, ENERGY_BOX, range, time);
    int x = PLOT_LEFT;
    w.SetPen(0, 0, 0, 1);
    w.DrawString(x, ENERGY_BOX.top - 19, "E - E0 (mJ):");
    x += 92;
    x = LegendEntry(w, x, ENERGY_BOX.top - 19, KINETIC, "kinetic");
    x = LegendEntry(w, x, ENERGY_BOX.top - 19, POTENTIAL, "potential");
    LegendEntry(w, x, ENERGY_BOX.top - 19, TOTAL, "total");
    w.SetPen(KINETIC, 1);
    DrawSeries(w, columns, kinetic, range, ENERGY_BOX);
    w.SetPen(POTENTIAL, 1);
    DrawSeries(w, columns, potential, range, ENERGY_BOX);
    w.SetPen(TOTAL, 1);
    DrawSeries(w, columns, total, range, ENERGY_BOX);
}

void DrawRatePlot(window& w, const std::vector<Column>& columns, const Range& time, RatePlot which) {
    auto phiRate = [](const PlotSample& s) { return s.phiRate; };
    auto spin = [](const PlotSample& s) { return s.spin; };
    const bool phi = which == RatePlot::PHI_RATE;
    const Range range = phi ? ValueRange(columns, phiRate, 0.01) : ValueRange(columns, spin, 0.1);
    DrawAxes(w, RATE_BOX, range, time);
    const int x = LegendEntry(w, PLOT_LEFT, RATE_BOX.top - 19, RATE_PURPLE,
                              phi ? "phi' = precession rate (rad/s)" : "omega3 = spin (rad/s)");
    w.DrawString(x, RATE_BOX.top - 19, phi ? "[G: omega3]" : "[G: phi']");
    w.SetPen(RATE_PURPLE, 1);
    if (phi)
        DrawSeries(w, columns, phiRate, range, RATE_BOX);
    else
        DrawSeries(w, columns, spin, range, RATE_BOX);
}

std::string Optional(const char* pattern, const std::optional<double>& value) {
    return value ? Format(pattern, *value) : std::string("none");
}

std::vector<std::string> ReadoutLines(const LabReadouts& r) {
    std::vector<std::string> lines;
    lines.push_back(Format("t = %.2f s", r.time) + Format("   step h = %.3f ms (4th order)", r.step * 1e3));
    lines.push_back(Format("M = m g l = %.5f N m", r.gravityTorque) + Format("   L3 = %.6f kg m2/s", r.axialMomentum));
    lines.push_back("Omega measured (mean over T) = " + Optional("%.5f rad/s", r.measuredPrecession));
    const std::optional<double> slow = r.steady ? std::optional<double>(r.steady->slow) : std::nullopt;
    lines.push_back("Omega slow root = " + Optional("%.5f", slow) +
                    Format("   M/L3 = %.5f rad/s", r.fastTopPrecession));
    lines.push_back(Format("omega3 = %.2f rad/s", r.spin) + Format("   omega_c = %.2f rad/s", r.sleepingThreshold));
    if (r.nutation) {
        lines.push_back(Format("theta1 = %.4f deg", r.nutation->theta1 / DEGREE) +
                        Format("   theta2 = %.4f deg", r.nutation->theta2 / DEGREE));
        lines.push_back(Format("nutation period T = %.4f ms", r.nutation->period * 1e3) +
                        "   trace: " + TraceShapeName(r.nutation->shape));
    }
    if (r.resting) lines.push_back("resting on the table: no nutation");
    lines.push_back(Format("energy drift (E + lost - E0) / M = %.2e", r.energyDrift));
    return lines;
}

}  // namespace

int PlotRow(double v, double low, double high, int top, int bottom) {
    if (!(high > low)) return (top + bottom) / 2;
    const double f = std::clamp((v - low) / (high - low), 0.0, 1.0);
    return bottom - 1 - static_cast<int>(std::lround(f * (bottom - 1 - top)));
}

void DrawPlots(window& w, const Experiment& experiment, const LabReadouts& readouts, const LabDisplay& display) {
    w.SetPen(255, 255, 255, 1);
    w.SetBrush(255, 255, 255);
    w.DrawRectangle(SCENE_RIGHT, SCENE_TOP, 1000, 700, FILLED, 0, 0);
    const Range time = TimeWindow(experiment.State().time, display.window);
    const std::vector<Column> columns = ColumnsOf(experiment, time);
    DrawThetaPlot(w, columns, time, readouts);
    DrawEnergyPlot(w, columns, time, experiment.Parameters().GravityTorque());
    DrawRatePlot(w, columns, time, display.rate);
}

void DrawReadouts(window& w, const LabReadouts& readouts) {
    w.SetPen(0, 0, 0, 1);
    int y = READOUT_TOP;
    for (const std::string& line : ReadoutLines(readouts)) {
        w.DrawString(READOUT_LEFT, y, line);
        y += READOUT_LINE;
    }
}
