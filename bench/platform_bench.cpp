// The costs a program pays on every library call, on the headless display: taking a message from
// an empty queue (each library operation begins with one; goal under 1 us), changing the pen
// (a pen made, selected and the old one deleted), and a window's whole life without the farewell
// wait. The display is chosen before the first window exists, in main.
//
// One window, `keeper`, lives for the whole run with SetWaitClose(false): while it lives the
// registry does too, so windows created and destroyed in a loop are never the last one and never
// wait for a click, and its own destruction at exit does not wait either.
//
// The headless display takes a long run of empty polls with nothing drawn and no Sleep between
// as a program waiting for input that will never come, and closes its windows. A loop of these
// calls is such a run, so each loop says it is alive with Sleep(0) (virtual time: no waiting)
// every `alive_interval` rounds; its cost is spread over the rounds and does not show.
#include <graphics/window.h>
#include <platform/win32.h>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int alive_interval = 64;

void stay_alive(int round) {
    if (round % alive_interval == 0) Sleep(0);
}

window& keeper() {
    static window w(1000, 700, CW_USEDEFAULT, 0);
    return w;
}

// A benchmark that ran on a window that had gone away measured a shortcut, not the real path.
void require_open(benchmark::State& bench) {
    if (!keeper().IsOpen()) bench.SkipWithError("the window closed during the run");
}

void BM_PeekMessageEmptyWindowFilter(benchmark::State& bench) {
    HWND hwnd = FindWindowA("Zorgraphics Library", nullptr);
    MSG msg{};
    int round = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE));
        stay_alive(++round);
    }
    require_open(bench);
}
BENCHMARK(BM_PeekMessageEmptyWindowFilter);

void BM_PeekMessageEmptyNoFilter(benchmark::State& bench) {
    MSG msg{};
    int round = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        stay_alive(++round);
    }
    require_open(bench);
}
BENCHMARK(BM_PeekMessageEmptyNoFilter);

void BM_SetPen(benchmark::State& bench) {
    window& w = keeper();
    int round = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(w.SetPen((round & 1) != 0 ? RED : BLUE, round & 3));
        stay_alive(++round);
    }
    require_open(bench);
}
BENCHMARK(BM_SetPen);

void BM_WindowCreateDestroy(benchmark::State& bench) {
    keeper();
    int round = 0;
    for (auto _ : bench) {
        {
            window w(320, 240, CW_USEDEFAULT, 0);
            benchmark::DoNotOptimize(&w);
        }
        stay_alive(++round);
    }
    require_open(bench);
}
BENCHMARK(BM_WindowCreateDestroy)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("ZG_DISPLAY", "headless", 1);
    keeper().SetWaitClose(false);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
