// The raster hot paths through the public drawing calls, into a 1000 x 700 DIB section selected
// into a memory DC (the drawing area is the 800 x 630 part right of the panel and below the
// title band): a filled Rectangle over the whole drawing area, the same with a 3-pixel
// inside-frame pen (the simulator's wipe), beside memset of the same bytes,
// a filled Ellipse of diameter 200 with a one-pixel pen and with a width-5 inside-frame pen,
// InvertRgn of an elliptic region of diameter 200, and 1,000 short LineTo calls.
// tools/scenes/raster_timing.cpp times the same cases with a plain clock under Wine.
#include <platform/win32.h>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int width = 1000, height = 700;

// A memory DC with a DIB section, a light brush and a thin black pen, torn down at scope end.
class Canvas {
public:
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_brush = CreateSolidBrush(RGB(250, 250, 250));
        m_old_bitmap = SelectObject(m_dc, m_bitmap);
        m_old_brush = SelectObject(m_dc, m_brush);
        m_old_pen = SelectObject(m_dc, GetStockObject(BLACK_PEN));
    }
    ~Canvas() {
        SelectObject(m_dc, m_old_pen);
        SelectObject(m_dc, m_old_brush);
        SelectObject(m_dc, m_old_bitmap);
        DeleteObject(m_brush);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return m_dc; }
    unsigned char* bytes() const { return static_cast<unsigned char*>(m_bits); }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HBRUSH m_brush = nullptr;
    HGDIOBJ m_old_bitmap = nullptr, m_old_brush = nullptr, m_old_pen = nullptr;
    void* m_bits = nullptr;
};

constexpr std::int64_t area_bytes = 800LL * 630 * 4;

void BM_RectangleFill(benchmark::State& state) {
    Canvas c;
    for (auto _ : state) benchmark::DoNotOptimize(Rectangle(c.dc(), 200, 70, 1000, 700));
    state.SetBytesProcessed(state.iterations() * area_bytes);
}
BENCHMARK(BM_RectangleFill);

// The simulator's wipe: the same area with a 3-pixel inside-frame pen of the brush's colour,
// whose frame is drawn as bands beside the interior.
void BM_WipeInsideFrame3(benchmark::State& state) {
    Canvas c;
    HPEN pen = CreatePen(PS_INSIDEFRAME, 3, RGB(250, 250, 250));
    HGDIOBJ old = SelectObject(c.dc(), pen);
    for (auto _ : state) benchmark::DoNotOptimize(Rectangle(c.dc(), 200, 70, 1000, 700));
    SelectObject(c.dc(), old);
    DeleteObject(pen);
    state.SetBytesProcessed(state.iterations() * area_bytes);
}
BENCHMARK(BM_WipeInsideFrame3);

void BM_MemsetSameBytes(benchmark::State& state) {
    Canvas c;
    for (auto _ : state) {
        for (int y = 70; y < 700; ++y) std::memset(c.bytes() + (y * width + 200) * 4, 0xFA, 800 * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * area_bytes);
}
BENCHMARK(BM_MemsetSameBytes);

void BM_EllipseThin200(benchmark::State& state) {
    Canvas c;
    for (auto _ : state) benchmark::DoNotOptimize(Ellipse(c.dc(), 400, 200, 600, 400));
}
BENCHMARK(BM_EllipseThin200);

void BM_EllipseInsideFrame5_200(benchmark::State& state) {
    Canvas c;
    HPEN pen = CreatePen(PS_INSIDEFRAME, 5, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(c.dc(), pen);
    for (auto _ : state) benchmark::DoNotOptimize(Ellipse(c.dc(), 400, 200, 600, 400));
    SelectObject(c.dc(), old);
    DeleteObject(pen);
}
BENCHMARK(BM_EllipseInsideFrame5_200);

void BM_InvertRgnEllipse200(benchmark::State& state) {
    Canvas c;
    HRGN disc = CreateEllipticRgn(400, 200, 600, 400);
    for (auto _ : state) benchmark::DoNotOptimize(InvertRgn(c.dc(), disc));
    DeleteObject(disc);
}
BENCHMARK(BM_InvertRgnEllipse200);

void BM_LineTo1000Short(benchmark::State& state) {
    Canvas c;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const int x = 100 + (i * 37) % 700, y = 100 + (i * 53) % 500;
            MoveToEx(c.dc(), x, y, nullptr);
            LineTo(c.dc(), x + 9, y + 4);
        }
    }
}
BENCHMARK(BM_LineTo1000Short);

}  // namespace
