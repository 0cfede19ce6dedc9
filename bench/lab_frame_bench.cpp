// One frame of gyroscope_lab on the headless display, without its 50 ms sleep: the physics
// substeps of 50 ms of simulated time (about fifty fourth-order splitting steps, each recorded
// for the trace, the plots and the meter), the drawing of everything right of the panel into the
// back buffer, and the copy to the window. The goal is under 2 ms. The parts are measured too.
// Each iteration keeps a Sleep(0) in place of the frame's sleep, as the simulator's frame
// benchmark does: the headless display takes a long run of message polls with nothing drawn on
// the window itself for a program waiting on input, and would close the window.
#include "lab/lab.h"
#include "lab/scene.h"

#include <graphics/window.h>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

window& HeadlessWindow() {
    setenv("ZG_DISPLAY", "headless", 1);
    static window w(1000, 700, CW_USEDEFAULT, 0);
    static const bool buffered = [] {
        w.SetWaitClose(false);
        w.SetFont(13, BOLD, SWISS, nullptr);
        return w.SetBuffering(true);
    }();
    (void)buffered;
    return w;
}

void CheckStillOpen(benchmark::State& bench, const window& w) {
    if (!w.IsOpen()) bench.SkipWithError("the headless window was closed during the run");
}

// A running cusp experiment with its trace and plots filled.
Experiment WarmExperiment() {
    Experiment experiment(PRESETS[2].controls);
    experiment.Advance(3);
    return experiment;
}

void BM_LabFrame(benchmark::State& bench) {
    window& w = HeadlessWindow();
    LabSession session;
    Experiment experiment = WarmExperiment();
    for (auto _ : bench) {
        Sleep(0);
        experiment.Advance(FRAME_MS / 1000.0);
        DrawLabFrame(w, session, experiment);
        w.UpdateBuffer();
    }
    CheckStillOpen(bench, w);
}
BENCHMARK(BM_LabFrame)->Unit(benchmark::kMicrosecond);

void BM_LabPhysicsFrame(benchmark::State& bench) {
    Experiment experiment = WarmExperiment();
    for (auto _ : bench) {
        experiment.Advance(FRAME_MS / 1000.0);
        benchmark::DoNotOptimize(experiment.State());
    }
}
BENCHMARK(BM_LabPhysicsFrame)->Unit(benchmark::kMicrosecond);

void BM_LabScene(benchmark::State& bench) {
    window& w = HeadlessWindow();
    const Experiment experiment = WarmExperiment();
    for (auto _ : bench) {
        Sleep(0);
        DrawScene(w, experiment, LabDisplay{});
    }
    CheckStillOpen(bench, w);
}
BENCHMARK(BM_LabScene)->Unit(benchmark::kMicrosecond);

void BM_LabPlotsAndReadouts(benchmark::State& bench) {
    window& w = HeadlessWindow();
    const Experiment experiment = WarmExperiment();
    for (auto _ : bench) {
        Sleep(0);
        const LabReadouts readouts = experiment.Readouts();
        DrawPlots(w, experiment, readouts, LabDisplay{});
        DrawReadouts(w, readouts);
    }
    CheckStillOpen(bench, w);
}
BENCHMARK(BM_LabPlotsAndReadouts)->Unit(benchmark::kMicrosecond);

}  // namespace
