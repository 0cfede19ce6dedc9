// Times the raster benchmark cases with a plain steady clock into a 1000 x 700 DIB section, so
// the same program runs natively and under Wine. Prints one line per case: name and
// microseconds per operation (the best of several rounds, which is the least disturbed by
// other processes on a shared machine).
#include <platform/win32.h>

#include "tool_args.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr int width = 1000, height = 700;

double best_us(int iterations, const std::function<void()>& op) {
    double best = 1e30;
    for (int round = 0; round < 5; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < iterations; ++i) op();
        GdiFlush();
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / iterations);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::optional<int> status = tools::answer_help(argc, argv, "raster_timing  (no arguments)")) return *status;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || bm == nullptr) return 1;
    HGDIOBJ old_bitmap = SelectObject(dc, bm);
    HBRUSH brush = CreateSolidBrush(RGB(250, 250, 250));
    HPEN thin = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HPEN frame = CreatePen(PS_INSIDEFRAME, 5, RGB(0, 0, 0));
    HGDIOBJ old_brush = SelectObject(dc, brush);
    HGDIOBJ old_pen = SelectObject(dc, thin);
    HRGN disc = CreateEllipticRgn(400, 200, 600, 400);

    std::printf("rectangle_fill %.2f\n", best_us(200, [&] { Rectangle(dc, 200, 70, 1000, 700); }));
    std::printf("memset_same_bytes %.2f\n", best_us(200, [&] {
                    auto* row = static_cast<unsigned char*>(bits);
                    for (int y = 70; y < 700; ++y) std::memset(row + (y * width + 200) * 4, 0xFA, 800 * 4);
                }));
    std::printf("ellipse_thin_200 %.2f\n", best_us(500, [&] { Ellipse(dc, 400, 200, 600, 400); }));
    SelectObject(dc, frame);
    std::printf("ellipse_insideframe5_200 %.2f\n", best_us(50, [&] { Ellipse(dc, 400, 200, 600, 400); }));
    SelectObject(dc, thin);
    std::printf("invertrgn_ellipse_200 %.2f\n", best_us(500, [&] { InvertRgn(dc, disc); }));
    std::printf("lineto_1000_short %.2f\n", best_us(50, [&] {
                    for (int i = 0; i < 1000; ++i) {
                        const int x = 100 + (i * 37) % 700, y = 100 + (i * 53) % 500;
                        MoveToEx(dc, x, y, nullptr);
                        LineTo(dc, x + 9, y + 4);
                    }
                }));
    DeleteObject(disc);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_bitmap);
    DeleteObject(frame);
    DeleteObject(thin);
    DeleteObject(brush);
    DeleteObject(bm);
    DeleteDC(dc);
    return 0;
}
