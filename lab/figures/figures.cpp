// gyroscope_lab_figures: prints the reference values next to the program's own numbers, and the
// energy drift of each preset over ten minutes of simulated time without friction. Everything
// integrated here runs through Experiment::Advance in 50 ms frames, exactly as the program does.
#include "lab/experiment.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdio>
#include <functional>

namespace {

constexpr double DEGREE = std::numbers::pi / 180;
constexpr double FRAME = 0.05;

// Runs the experiment frame by frame until `until` seconds, calling visit for every new sample.
void RunUntil(Experiment& e, double until, const std::function<void(const PlotSample&)>& visit) {
    double seen = e.State().time;
    while (e.State().time < until - 1e-9 && !e.Resting()) {
        e.Advance(std::min(FRAME, until - e.State().time));
        for (const PlotSample& s : e.Samples())
            if (s.time > seen) visit(s);
        seen = e.State().time;
    }
}

struct Range {
    double low = 1e9, high = -1e9, sum = 0;
    int count = 0;
    void Add(double v) { low = std::min(low, v), high = std::max(high, v), sum += v, ++count; }
    double Mean() const { return sum / count; }  // samples are evenly spaced in time
};

Range TiltRange(const LabControls& c, double seconds) {
    Experiment e(c);
    Range r;
    RunUntil(e, seconds, [&](const PlotSample& s) { r.Add(s.theta / DEGREE); });
    return r;
}

void Row(const char* what, const char* reference, double closedForm, double integrated) {
    std::printf("| %s | %s | %.10g | %.10g |\n", what, reference, closedForm, integrated);
}

LabControls Start(double tilt, double nutation, double spin) {
    LabControls c = PRESETS[2].controls;
    c.tilt = tilt, c.nutation = nutation, c.spin = spin;
    return c;
}

void SteadyAndCuspRows() {
    const TopParameters p = ParametersOf(LabControls{});
    const SteadyPrecession steady = *SteadyPrecessionRates(p, 60 * DEGREE, 200);
    Experiment moving(PRESETS[0].controls);
    moving.Advance(10);
    const double phi = std::atan2(moving.State().axis.x, -moving.State().axis.y);
    const double turns = std::floor(steady.slow * 10 / (2 * std::numbers::pi) + 0.5);
    Row("steady 60 deg, w3 = 200: Omega slow (rad/s)", "1.981634374", steady.slow,
        (phi + turns * 2 * std::numbers::pi) / 10);
    Row("steady: Omega fast (rad/s)", "198.018366", steady.fast, NAN);
    const Range still = TiltRange(PRESETS[0].controls, 10);
    Row("steady: theta spread over 10 s (rad)", "3.7e-9", NAN, (still.high - still.low) * DEGREE);
    Experiment cusps(PRESETS[2].controls);
    const NutationBounds n = *cusps.Readouts().nutation;
    const Range swing = TiltRange(PRESETS[2].controls, 10);
    Row("cusps: theta2 (deg)", "62.00423957", n.theta2 / DEGREE, swing.high);
    Row("cusps: theta1 (deg)", "60", n.theta1 / DEGREE, swing.low);
    Row("cusps: T (ms)", "64.04213855", n.period * 1e3, NAN);
    cusps.Advance(10);
    Row("cusps: mean Omega (rad/s)", "1.980413098", NAN, cusps.Readouts().measuredPrecession.value_or(NAN));
}

void NutationAndSleepingRows() {
    const char* frequencies[] = {"46.7722", "98.1102", "148.7126"};
    const double spins[] = {100, 200, 300};
    for (int i = 0; i < 3; ++i) {
        char what[64];
        std::snprintf(what, sizeof what, "cusps at w3 = %.0f: 2 pi / T (rad/s)", spins[i]);
        const NutationBounds n = *Experiment(Start(60, 100, spins[i])).Readouts().nutation;
        Row(what, frequencies[i], 2 * std::numbers::pi / n.period, NAN);
    }
    Row("sleeping threshold w_c (rad/s)", "56.0286", SleepingThreshold(ParametersOf(LabControls{})), NAN);
    const double tilt = 0.02 / DEGREE;
    const char* widest[] = {"0.0208342", "0.0241452", "0.0557606", "0.1048085", "0.3968", "0.9373"};
    const double sleepSpins[] = {200, 100, 60, 57, 55, 50};
    for (int i = 0; i < 6; ++i) {
        char what[64];
        std::snprintf(what, sizeof what, "released at 0.02 rad, w3 = %.0f: theta max (rad)", sleepSpins[i]);
        const NutationBounds n = *Experiment(Start(tilt, 100, sleepSpins[i])).Readouts().nutation;
        Row(what, widest[i], n.theta2, TiltRange(Start(tilt, 100, sleepSpins[i]), 3).high * DEGREE);
    }
}

void PresetRangeRows() {
    struct Case {
        const char* what;
        double nutation;
        const char* reference;
        bool low;
    };
    const Case cases[] = {{"waves (0.5 Omega): theta max (deg)", 50, "61.00251", false},
                          {"loops (-Omega): theta max (deg)", 200, "64.00471", false},
                          {"rises (1.5 Omega): theta min (deg)", -50, "58.99686", true}};
    for (const Case& c : cases) {
        const NutationBounds n = *Experiment(Start(60, c.nutation, 200)).Readouts().nutation;
        const Range r = TiltRange(Start(60, c.nutation, 200), 3);
        Row(c.what, c.reference, (c.low ? n.theta1 : n.theta2) / DEGREE, c.low ? r.low : r.high);
    }
}

void FrictionRows() {
    Experiment spin(PRESETS[6].controls);
    const double times[] = {0.5, 20, 40};
    const char* tilts[] = {"60.03", "63.89", "90.76"};
    const char* rates[] = {"2.03", "5.73", "14.30"};
    for (int i = 0; i < 3; ++i) {
        RunUntil(spin, times[i], [](const PlotSample&) {});
        const LabReadouts r = spin.Readouts();
        char what[64];
        std::snprintf(what, sizeof what, "spin friction, t = %.1f s: theta (deg)", times[i]);
        Row(what, tilts[i], NAN, spin.Samples().back().theta / DEGREE);
        std::snprintf(what, sizeof what, "spin friction, t = %.1f s: Omega (rad/s)", times[i]);
        Row(what, rates[i], r.steady ? r.steady->slow : NAN, r.measuredPrecession.value_or(NAN));
    }
    Experiment pivot(PRESETS[7].controls);
    Range early, late, end;
    RunUntil(pivot, 0.2, [&](const PlotSample& s) { early.Add(s.theta); });
    RunUntil(pivot, 10, [](const PlotSample&) {});
    RunUntil(pivot, 10.2, [&](const PlotSample& s) { late.Add(s.theta); });
    RunUntil(pivot, 29.5, [](const PlotSample&) {});
    RunUntil(pivot, 30.5, [&](const PlotSample& s) { end.Add(s.theta); });
    Row("pivot friction: nutation decay rate (1/s)", "0.1010", NAN,
        std::log((early.high - early.low) / (late.high - late.low)) / 10);
    Row("pivot friction: mean tilt over 0-0.2 s (deg)", "61.06", NAN, early.Mean() / DEGREE);
    Row("pivot friction: mean tilt over 29.5-30.5 s (deg)", "64.08", NAN, end.Mean() / DEGREE);
}

void DriftTable() {
    std::printf("\n| preset (friction off) | max |E - E0| / M over 600 s | at 600 s |\n|---|---|---|\n");
    for (const Preset& preset : PRESETS) {
        LabControls c = preset.controls;
        c.spinFriction = c.pivotFriction = 0;
        Experiment e(c);
        double worst = 0;
        while (e.State().time < 600 - 1e-9 && !e.Resting()) {
            e.Advance(FRAME);
            worst = std::max(worst, std::abs(e.Readouts().energyDrift));
        }
        std::printf("| %s | %.2e | %.2e |%s\n", preset.name, worst, e.Readouts().energyDrift,
                    e.Resting() ? " (came to rest)" : "");
    }
}

}  // namespace

int main() {
    std::printf("| case | reference | program, closed form | program, integrated |\n|---|---|---|---|\n");
    SteadyAndCuspRows();
    NutationAndSleepingRows();
    PresetRangeRows();
    FrictionRows();
    DriftTable();
    return 0;
}
