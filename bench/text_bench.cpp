// Text drawing the way the library's DrawString does it (select the font, SetBkMode
// TRANSPARENT, SetTextAlign TA_UPDATECP, MoveToEx, TextOutA, deselect), into a 32-bit DIB
// section, with the glyphs already cached: the goal is under 20 microseconds for a label of
// 20 characters. Measuring (GetStringSize's GetTextExtentPoint32A) is timed alongside.
#include <platform/win32.h>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr char k_label[] = "Vitesse de rotation:";  // 20 characters
constexpr int k_label_length = sizeof k_label - 1;
static_assert(k_label_length == 20);

// A memory DC over a 1000 x 700 DIB section and the simulator's font (14, bold, Swiss).
class Canvas {
public:
    Canvas() {
        m_dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = 1000;
        bi.bmiHeader.biHeight = -700;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old_bitmap = SelectObject(m_dc, m_bitmap);
        LOGFONTA lf{};
        lf.lfHeight = 14;
        lf.lfWeight = FW_BOLD;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfPitchAndFamily = FF_SWISS;
        m_font = CreateFontIndirectA(&lf);
    }
    ~Canvas() {
        SelectObject(m_dc, m_old_bitmap);
        DeleteObject(m_bitmap);
        DeleteObject(m_font);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void draw_string(int x, int y, const char* text, int length) {
        HGDIOBJ old = SelectObject(m_dc, m_font);
        SetBkMode(m_dc, TRANSPARENT);
        SetTextAlign(m_dc, TA_UPDATECP | TA_LEFT | TA_TOP);
        MoveToEx(m_dc, x, y, nullptr);
        TextOutA(m_dc, x, y, text, length);
        SelectObject(m_dc, old);
    }
    SIZE measure(const char* text, int length) {
        HGDIOBJ old = SelectObject(m_dc, m_font);
        SIZE size{};
        GetTextExtentPoint32A(m_dc, text, length, &size);
        SelectObject(m_dc, old);
        return size;
    }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old_bitmap = nullptr;
    HFONT m_font = nullptr;
};

void BM_DrawString20(benchmark::State& state) {
    Canvas canvas;
    canvas.draw_string(10, 10, k_label, k_label_length);  // realises the font, caches glyphs
    for (auto _ : state) canvas.draw_string(10, 10, k_label, k_label_length);
    state.SetItemsProcessed(state.iterations() * k_label_length);
}
BENCHMARK(BM_DrawString20)->Unit(benchmark::kMicrosecond);

void BM_MeasureString20(benchmark::State& state) {
    Canvas canvas;
    canvas.measure(k_label, k_label_length);
    for (auto _ : state) benchmark::DoNotOptimize(canvas.measure(k_label, k_label_length));
}
BENCHMARK(BM_MeasureString20)->Unit(benchmark::kMicrosecond);

}  // namespace
