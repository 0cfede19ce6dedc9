// The costs a program pays on every library call, on the headless display: taking a message from
// an empty queue (each library operation begins with one; goal under 1 us), changing the pen
// (a pen made, selected and the old one deleted), and a window's whole life without the farewell
// wait. The display is chosen before the first window exists, in main.
//
// One window, `keeper`, lives for the whole run with SetWaitClose(false): while it lives the
// registry does too, so windows created and destroyed in a loop are never the last one and never
// wait for a click, and its own destruction at exit does not wait either.
#include <graphics/window.h>
#include <platform/win32.h>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

window& keeper()
{
    static window w(1000, 700, CW_USEDEFAULT, 0);
    return w;
}

// A benchmark that ran on a window that had gone away measured a shortcut, not the real path.
void require_open(benchmark::State& bench)
{
    if (!keeper().IsOpen())
        bench.SkipWithError("the window closed during the run");
}

void BM_PeekMessageEmptyWindowFilter(benchmark::State& bench)
{
    HWND hwnd = FindWindowA("Zorgraphics Library", nullptr);
    MSG msg{};
    for (auto _ : bench)
        benchmark::DoNotOptimize(PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE));
    require_open(bench);
}
BENCHMARK(BM_PeekMessageEmptyWindowFilter);

void BM_PeekMessageEmptyNoFilter(benchmark::State& bench)
{
    MSG msg{};
    for (auto _ : bench)
        benchmark::DoNotOptimize(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    require_open(bench);
}
BENCHMARK(BM_PeekMessageEmptyNoFilter);

void BM_SetPen(benchmark::State& bench)
{
    window& w = keeper();
    int i = 0;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(w.SetPen((i & 1) != 0 ? RED : BLUE, i & 3));
        ++i;
    }
    require_open(bench);
}
BENCHMARK(BM_SetPen);

void BM_WindowCreateDestroy(benchmark::State& bench)
{
    keeper();
    for (auto _ : bench) {
        window w(320, 240, CW_USEDEFAULT, 0);
        benchmark::DoNotOptimize(&w);
    }
    require_open(bench);
}
BENCHMARK(BM_WindowCreateDestroy)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("ZG_DISPLAY", "headless", 1);
    keeper().SetWaitClose(false);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
