// Times every kind of call the library makes, with a plain steady clock into a 32-bit DIB
// section (1000 x 700 unless a width and height are given), so the same program runs natively
// and under Wine; tools/scenes/timing-vs-wine.sh sets the two columns side by side. Prints one
// line per case: name and microseconds per call (the best of many short rounds, the least
// disturbed by other processes on a shared machine). It measures, it checks nothing.
#include <platform/win32.h>

#include "best_round.h"
#include "dib_picture.h"
#include "tool_args.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

double best_us(int iterations, const std::function<void()>& op) {
    return zg::timing::best_round_us(op, [] { GdiFlush(); }, {iterations, 5, 300000.0});
}

// A case name given on the command line: only that case is timed (for a profiler).
const char* only_case = nullptr;

void report(const char* name, int iterations, const std::function<void()>& op) {
    if (only_case != nullptr && std::strcmp(name, only_case) != 0) return;
    std::printf("%s %.3f\n", name, best_us(iterations, op));
    std::fflush(stdout);
}

BITMAPINFO header(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

// A memory DC holding a top-down DIB section.
struct Picture : zg::tools::DibPicture {
    Picture(int width, int height) : DibPicture(header(width, height)) {}
};

HFONT bold_font() {
    LOGFONTA lf{};
    lf.lfHeight = -14;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = ANSI_CHARSET;
    std::strcpy(lf.lfFaceName, "Arial");
    return CreateFontIndirectA(&lf);
}

// The fills and copies whose cost grows with the picture.
void area_cases(HDC dc, void* bits, int w, int h) {
    const int left = w / 5 + 1, top = h / 10 + 1;
    HPEN wipe_pen = CreatePen(PS_INSIDEFRAME, 3, RGB(255, 255, 255));
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ old_pen = SelectObject(dc, wipe_pen), old_brush = SelectObject(dc, white);
    report("wipe_rectangle_insideframe3", 100, [&] { Rectangle(dc, left, top, w, h); });
    SelectObject(dc, GetStockObject(NULL_PEN));
    report("fill_rectangle_white", 100, [&] { Rectangle(dc, left, top, w + 1, h + 1); });
    // A mix that reads each pixel: as close to the copy as its read-modify-write allows.
    SetROP2(dc, R2_XORPEN);
    report("fill_rectangle_xor", 100, [&] { Rectangle(dc, left, top, w + 1, h + 1); });
    SetROP2(dc, R2_COPYPEN);
    report("memset_same_rows", 100, [&] {
        auto* base = static_cast<unsigned char*>(bits);
        for (int y = top; y < h; ++y)
            std::memset(base + (static_cast<std::size_t>(y) * w + left) * 4, 0xFF, (w - left) * 4u);
    });
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(wipe_pen);
    DeleteObject(white);
}

void transfer_cases(HDC dc, void* bits, int w, int h) {
    Picture other(w, h);
    report("bitblt_window_srccopy", 50, [&] { BitBlt(other.dc(), 0, 0, w, h, dc, 0, 0, SRCCOPY); });
    report("bitblt_window_srcinvert", 50, [&] { BitBlt(other.dc(), 0, 0, w, h, dc, 0, 0, SRCINVERT); });
    report("bitblt_window_patpaint", 50, [&] { BitBlt(other.dc(), 0, 0, w, h, dc, 0, 0, 0x00FB0A09); });
    report("bitblt_window_code_0xb8", 50, [&] { BitBlt(other.dc(), 0, 0, w, h, dc, 0, 0, 0x00B8074A); });
    report("memcpy_window_rows", 50, [&] {
        for (int y = 0; y < h; ++y)
            std::memcpy(static_cast<unsigned*>(other.bits()) + static_cast<std::size_t>(y) * w,
                        static_cast<const unsigned*>(bits) + static_cast<std::size_t>(y) * w, w * 4u);
    });
    const BITMAPINFO info = header(w, h);
    report("stretchdibits_1to1", 50,
           [&] { StretchDIBits(other.dc(), 0, 0, w, h, 0, 0, w, h, bits, &info, DIB_RGB_COLORS, SRCCOPY); });
    report("stretchblt_2x", 20, [&] { StretchBlt(other.dc(), 0, 0, w, h, dc, 0, 0, w / 2, h / 2, SRCCOPY); });
    std::vector<unsigned> rows(static_cast<std::size_t>(w) * h);
    BITMAPINFO read = header(w, h);
    report("getdibits_window", 50, [&] { GetDIBits(dc, other.bitmap(), 0, h, rows.data(), &read, DIB_RGB_COLORS); });
}

void shape_cases(HDC dc) {
    HBRUSH brush = CreateSolidBrush(RGB(250, 250, 250));
    HPEN thin = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HPEN frame = CreatePen(PS_INSIDEFRAME, 5, RGB(0, 0, 0));
    HGDIOBJ old_brush = SelectObject(dc, brush), old_pen = SelectObject(dc, thin);
    report("ellipse_thin_200", 500, [&] { Ellipse(dc, 400, 200, 600, 400); });
    SelectObject(dc, frame);
    report("ellipse_insideframe5_200", 50, [&] { Ellipse(dc, 400, 200, 600, 400); });
    SelectObject(dc, thin);
    report("roundrect_200", 500, [&] { RoundRect(dc, 400, 200, 600, 400, 40, 30); });
    const POINT triangle[] = {{300, 100}, {500, 400}, {200, 350}};
    report("polygon_triangle", 500, [&] { Polygon(dc, triangle, 3); });
    std::vector<POINT> star;
    for (int i = 0; i < 100; ++i) star.push_back({500 + (i % 2 ? 80 : 200) * (i % 4 < 2 ? 1 : -1) / 2, 100 + i * 5});
    report("polygon_100", 200, [&] { Polygon(dc, star.data(), 100); });
    report("arc_200", 500, [&] { Arc(dc, 400, 200, 600, 400, 600, 300, 400, 300); });
    report("chord_200", 500, [&] { Chord(dc, 400, 200, 600, 400, 600, 300, 400, 300); });
    report("pie_200", 500, [&] { Pie(dc, 400, 200, 600, 400, 600, 300, 400, 300); });
    const POINT curve[] = {{100, 100}, {300, 600}, {600, 0}, {900, 500}};
    report("polybezier_4", 500, [&] { PolyBezier(dc, curve, 4); });
    report("lineto_1000_short", 50, [&] {
        for (int i = 0; i < 1000; ++i) {
            const int x = 100 + (i * 37) % 700, y = 100 + (i * 53) % 500;
            MoveToEx(dc, x, y, nullptr);
            LineTo(dc, x + 9, y + 4);
        }
    });
    HRGN disc = CreateEllipticRgn(400, 200, 600, 400);
    report("invertrgn_ellipse_200", 500, [&] { InvertRgn(dc, disc); });
    DeleteObject(disc);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(frame);
    DeleteObject(thin);
    DeleteObject(brush);
}

void small_cases(HDC dc) {
    report("setpixel", 100000, [&] { SetPixel(dc, 17, 23, RGB(1, 2, 3)); });
    report("getpixel", 100000, [&] { GetPixel(dc, 17, 23); });
    HFONT font = bold_font();
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const char text[] = "Precession 12.5 deg";
    report("textouta_20", 2000, [&] { TextOutA(dc, 100, 100, text, 20); });
    SIZE size{};
    report("gettextextentpoint32a_20", 20000, [&] { GetTextExtentPoint32A(dc, text, 20, &size); });
    SelectObject(dc, old_font);
    DeleteObject(font);
    report("pen_brush_font_round", 2000, [&] {
        HPEN p = CreatePen(PS_SOLID, 2, RGB(9, 9, 9));
        HBRUSH b = CreateSolidBrush(RGB(9, 9, 9));
        HFONT f = bold_font();
        HGDIOBJ op = SelectObject(dc, p), ob = SelectObject(dc, b), of = SelectObject(dc, f);
        SelectObject(dc, op);
        SelectObject(dc, ob);
        SelectObject(dc, of);
        DeleteObject(p);
        DeleteObject(b);
        DeleteObject(f);
    });
    MSG msg;
    report("peekmessagea_empty", 100000, [&] { PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); });
}

}  // namespace

// Usage: raster_timing [WIDTH HEIGHT [area|shapes|CASE]]; "area" times only the cases that
// scale with it, "shapes" only the shapes, CASE only the case of that name (to profile it).
int main(int argc, char** argv) {
    if (std::optional<int> status = tools::answer_help(argc, argv, "raster_timing [WIDTH HEIGHT [area|shapes|CASE]]"))
        return *status;
    const int w = argc > 2 ? std::atoi(argv[1]) : 1000, h = argc > 2 ? std::atoi(argv[2]) : 700;
    if (w < 100 || h < 100 || w > 8192 || h > 8192) {
        std::fprintf(stderr, "usage: raster_timing [WIDTH HEIGHT [area|shapes|CASE]] (each 100 to 8192)\n");
        return 2;
    }
    Picture window(w, h);
    if (window.bits() == nullptr) return 1;
    std::memset(window.bits(), 0x40, static_cast<std::size_t>(w) * h * 4);
    const char* only = argc > 3 ? argv[3] : "";
    if (std::strcmp(only, "shapes") == 0) {
        shape_cases(window.dc());
        return 0;
    }
    if (*only != '\0' && std::strcmp(only, "area") != 0) only_case = only;
    area_cases(window.dc(), window.bits(), w, h);
    if (std::strcmp(only, "area") == 0) return 0;
    transfer_cases(window.dc(), window.bits(), w, h);
    shape_cases(window.dc());
    small_cases(window.dc());
    return 0;
}
