// Scenes of the 256 ternary raster operations. Each scene draws one 4 x 3 cell per code on a
// 16 x 16 grid. A cell's destination holds two colours and the source two more, and with the
// brush they are chosen so that every bit position of a byte meets another of the eight
// (pattern, source, destination) combinations: one cell shows the code's whole truth table.
#include "scene.h"

namespace scenes {

namespace {

constexpr int cell_w = 4, cell_h = 3, grid = 16;
constexpr COLORREF pattern_color = RGB(0xAA, 0x5A, 0x3C);
constexpr COLORREF dest_colors[2] = {RGB(0xF0, 0x0F, 0xCC), RGB(0x0F, 0xF0, 0x33)};

DWORD code_of(int index) { return static_cast<DWORD>(index) << 16; }

void fill(HDC dc, int x, int y, int w, int h, COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    HGDIOBJ old = SelectObject(dc, b);
    PatBlt(dc, x, y, w, h, PATCOPY);
    SelectObject(dc, old);
    DeleteObject(b);
}

// Each cell: the left half in one destination colour, the right half in the other.
void paint_destinations(HDC dc) {
    for (int i = 0; i < grid * grid; ++i) {
        const int x = (i % grid) * cell_w, y = (i / grid) * cell_h;
        fill(dc, x, y, cell_w / 2, cell_h, dest_colors[0]);
        fill(dc, x + cell_w / 2, y, cell_w / 2, cell_h, dest_colors[1]);
    }
}

// A memory DC holding a top-down source of the given size: alternate rows of two colours
// (0xCC and 0x55 bytes over the destination's 0xF0/0x0F and the brush's 0xAA/0x5A/0x3C).
struct Source {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

Source make_source(HDC like, int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Source s{CreateCompatibleDC(like), nullptr, nullptr};
    void* bits = nullptr;
    s.bitmap = CreateDIBSection(s.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<unsigned*>(bits);
    for (int i = 0; i < w * h; ++i) p[i] = ((i / w + i % w) % 2 == 0) ? 0x00CC55CCu : 0x0055CC33u;
    s.old = SelectObject(s.dc, s.bitmap);
    return s;
}

void free_source(const Source& s) {
    SelectObject(s.dc, s.old);
    DeleteObject(s.bitmap);
    DeleteDC(s.dc);
}

enum class Call { BitBlt, PatBlt, StretchBlt };

void every_code(const Canvas& c, Call call, bool null_brush) {
    paint_destinations(c.dc);
    const Source src = make_source(c.dc, cell_w, cell_h);
    HBRUSH b = CreateSolidBrush(pattern_color);
    HGDIOBJ old = SelectObject(c.dc, null_brush ? GetStockObject(NULL_BRUSH) : b);
    for (int i = 0; i < grid * grid; ++i) {
        const int x = (i % grid) * cell_w, y = (i / grid) * cell_h;
        if (call == Call::BitBlt) c.note(BitBlt(c.dc, x, y, cell_w, cell_h, src.dc, 0, 0, code_of(i)));
        if (call == Call::PatBlt) c.note(PatBlt(c.dc, x, y, cell_w, cell_h, code_of(i)));
        if (call == Call::StretchBlt) c.note(StretchBlt(c.dc, x, y, cell_w, cell_h, src.dc, 1, 1, 2, 2, code_of(i)));
    }
    SelectObject(c.dc, old);
    DeleteObject(b);
    free_source(src);
}

// A code that reads no source works without a source DC.
void sourceless(const Canvas& c) {
    paint_destinations(c.dc);
    HBRUSH b = CreateSolidBrush(pattern_color);
    HGDIOBJ old = SelectObject(c.dc, b);
    for (int i = 0; i < grid * grid; ++i) {
        const int x = (i % grid) * cell_w, y = (i / grid) * cell_h;
        c.note(BitBlt(c.dc, x, y, cell_w, cell_h, nullptr, 0, 0, code_of(i)));
    }
    SelectObject(c.dc, old);
    DeleteObject(b);
}

}  // namespace

void add_rop_scenes(std::vector<Scene>& out) {
    constexpr int w = grid * cell_w, h = grid * cell_h;
    out.push_back({"rop_bitblt", w, h, [](const Canvas& c) { every_code(c, Call::BitBlt, false); }});
    out.push_back({"rop_bitblt_null_brush", w, h, [](const Canvas& c) { every_code(c, Call::BitBlt, true); }});
    out.push_back({"rop_patblt", w, h, [](const Canvas& c) { every_code(c, Call::PatBlt, false); }});
    out.push_back({"rop_stretchblt", w, h, [](const Canvas& c) { every_code(c, Call::StretchBlt, false); }});
    out.push_back({"rop_bitblt_no_source", w, h, sourceless});
}

}  // namespace scenes
