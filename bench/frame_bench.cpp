// One frame of the simulator without its 100 ms sleep, on the headless display: the wipe of the
// drawing area, the post, one motion step and the figure. The frame budget is the sleep itself;
// the goal is under 1 ms. The parts are measured too, to show where a frame's time goes.
// Each iteration keeps a Sleep(0) in place of the frame's sleep: the headless display takes a long
// run of message polls without any sleep for a program waiting on input and closes its window,
// after which nothing would be drawn and the figures would mean nothing.
// ZG_BENCH_WINDOW=WIDTHxHEIGHT opens a larger window (the frame draws the same shapes in it), to
// show whether a frame's cost follows the window's size.
#include "app/gyroscope.h"

#include <graphics/window.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

window& HeadlessWindow() {
    setenv("ZG_DISPLAY", "headless", 1);
    static int width = 1000, height = 700;
    const char* size = std::getenv("ZG_BENCH_WINDOW");
    if (size != nullptr && (std::sscanf(size, "%dx%d", &width, &height) != 2 || width < 1000 || height < 700)) {
        std::fprintf(stderr, "ZG_BENCH_WINDOW must be WIDTHxHEIGHT, at least 1000x700\n");
        std::exit(2);
    }
    static window w(width, height, CW_USEDEFAULT, 0);
    w.SetWaitClose(false);
    return w;
}

void CheckStillOpen(benchmark::State& bench, const window& w) {
    if (!w.IsOpen()) bench.SkipWithError("the headless window was closed during the run");
}

void BM_MovingFrame(benchmark::State& bench) {
    window& w = HeadlessWindow();
    SimulationState state;
    for (auto _ : bench) {
        Sleep(0);
        ClearDrawingArea(w);
        DrawPost(w);
        AdvanceMotion(state);
        DrawGyroscope(w, state);
    }
    CheckStillOpen(bench, w);
}
BENCHMARK(BM_MovingFrame)->Unit(benchmark::kMicrosecond);

void BM_ClearDrawingArea(benchmark::State& bench) {
    window& w = HeadlessWindow();
    for (auto _ : bench) {
        Sleep(0);
        ClearDrawingArea(w);
    }
    CheckStillOpen(bench, w);
}
BENCHMARK(BM_ClearDrawingArea)->Unit(benchmark::kMicrosecond);

void BM_DrawGyroscope(benchmark::State& bench) {
    window& w = HeadlessWindow();
    SimulationState state;
    for (auto _ : bench) {
        Sleep(0);
        AdvanceMotion(state);
        DrawGyroscope(w, state);
    }
    CheckStillOpen(bench, w);
}
BENCHMARK(BM_DrawGyroscope)->Unit(benchmark::kMicrosecond);

void BM_ComputeFigure(benchmark::State& bench) {
    SimulationState state;
    for (auto _ : bench) {
        AdvanceMotion(state);
        benchmark::DoNotOptimize(ComputeFigure(state));
    }
}
BENCHMARK(BM_ComputeFigure);

}  // namespace
