// What naming the caller costs a small drawing call: the window's DrawLine and DrawRectangle
// (each opens a CallScope with its arguments and source location) beside the GDI calls they
// make on a DC of the same window, and the CallScope alone. The headless display runs them.
#include <graphics/call_site.h>
#include <graphics/window.h>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

window& HeadlessWindow() {
    setenv("ZG_DISPLAY", "headless", 1);
    static window w(1000, 700, CW_USEDEFAULT, 0);
    w.SetWaitClose(false);
    return w;
}

// A short line and a small rectangle, spread over the window as a frame's labels and marks are.
int X(int i) { return 100 + (i * 37) % 700; }
int Y(int i) { return 100 + (i * 53) % 500; }

// The headless display closes a window whose program only polls: a Sleep now and then shows it
// working.
void KeepOpen(int i) {
    if ((i & 1023) == 0) Sleep(0);
}

void BM_WindowDrawLine(benchmark::State& bench) {
    window& w = HeadlessWindow();
    int i = 0;
    for (auto _ : bench) {
        KeepOpen(++i);
        w.DrawLine(X(i), Y(i), X(i) + 9, Y(i) + 4, FRAME);
    }
}
BENCHMARK(BM_WindowDrawLine);

void BM_GdiLine(benchmark::State& bench) {
    HeadlessWindow();
    HDC dc = GetDC(FindWindowA("Zorgraphics Library", nullptr));
    int i = 0;
    for (auto _ : bench) {
        KeepOpen(++i);
        MoveToEx(dc, X(i), Y(i), nullptr);
        LineTo(dc, X(i) + 9, Y(i) + 4);
    }
    ReleaseDC(FindWindowA("Zorgraphics Library", nullptr), dc);
}
BENCHMARK(BM_GdiLine);

void BM_WindowDrawRectangle(benchmark::State& bench) {
    window& w = HeadlessWindow();
    int i = 0;
    for (auto _ : bench) {
        KeepOpen(++i);
        w.DrawRectangle(X(i), Y(i), X(i) + 20, Y(i) + 10, FILLED);
    }
}
BENCHMARK(BM_WindowDrawRectangle);

void BM_GdiRectangle(benchmark::State& bench) {
    HeadlessWindow();
    HDC dc = GetDC(FindWindowA("Zorgraphics Library", nullptr));
    int i = 0;
    for (auto _ : bench) {
        KeepOpen(++i);
        Rectangle(dc, X(i), Y(i), X(i) + 20, Y(i) + 10);
    }
    ReleaseDC(FindWindowA("Zorgraphics Library", nullptr), dc);
}
BENCHMARK(BM_GdiRectangle);

void BM_CallScopeAlone(benchmark::State& bench) {
    int i = 0;
    for (auto _ : bench) {
        ++i;
        const graphics_detail::CallScope scope("DrawLine", std::source_location::current(), X(i), Y(i), X(i) + 9,
                                               Y(i) + 4, FRAME);
        benchmark::DoNotOptimize(&scope);
    }
}
BENCHMARK(BM_CallScopeAlone);

}  // namespace
