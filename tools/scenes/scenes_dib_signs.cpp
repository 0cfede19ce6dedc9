// Scenes of mirrored and offset transfers: StretchDIBits and StretchBlt with every sign
// combination of destination and source width and height, from bottom-up and top-down 4 x 4
// sources, at two source offsets and two sizes, for the ten named raster operations; and
// SetDIBitsToDevice with source offsets and partial bands from both orientations.
#include "scene.h"

#include <string>

namespace scenes {

namespace {

constexpr int side = 4, cell = 12, combos = 16;

struct Op {
    const char* name;
    DWORD code;
};
constexpr Op named_ops[] = {{"srccopy", SRCCOPY},     {"srcpaint", SRCPAINT},     {"srcand", SRCAND},
                            {"srcinvert", SRCINVERT}, {"notsrccopy", NOTSRCCOPY}, {"blackness", BLACKNESS},
                            {"whiteness", WHITENESS}, {"patcopy", PATCOPY},       {"patinvert", PATINVERT},
                            {"dstinvert", DSTINVERT}};

BITMAPINFO source_info(bool top_down) { return dib_info(side, top_down ? -side : side); }

// Memory order, so the two orientations show the same pixels upside down.
void fill_source(unsigned* p) {
    for (unsigned i = 0; i < side * side; ++i) p[i] = 0x00102030u + i * 0x000B0D0Fu;
}

// Combination k: bit 0 flips the destination width, 1 its height, 2 the source width, 3 its height.
int sign(int k, int bit) { return (k >> bit) & 1 ? -1 : 1; }

// The cell's start point sits in its middle, so a negative extent stays inside the cell.
template <typename Transfer>
void every_sign(const Canvas& c, Transfer transfer) {
    const int sizes[2][2] = {{3, 3}, {5, 4}};
    const POINT offsets[2] = {{1, 1}, {0, 1}};
    for (int row = 0; row < 4; ++row) {
        const int* size = sizes[row % 2];
        const POINT from = offsets[row / 2];
        for (int k = 0; k < combos; ++k) {
            const int x = k * cell + cell / 2, y = row * cell + cell / 2;
            c.note(transfer(x, y, size[0] * sign(k, 0), size[1] * sign(k, 1), from.x, from.y, 3 * sign(k, 2),
                            3 * sign(k, 3)));
        }
    }
}

HBRUSH select_brush(HDC dc, HGDIOBJ* old) {
    HBRUSH b = CreateSolidBrush(RGB(0x3C, 0x5A, 0xAA));
    *old = SelectObject(dc, b);
    return b;
}

void stretch_dibits(const Canvas& c, bool top_down, DWORD code) {
    const BITMAPINFO info = source_info(top_down);
    unsigned pixels[side * side];
    fill_source(pixels);
    HGDIOBJ old = nullptr;
    HBRUSH b = select_brush(c.dc, &old);
    every_sign(c, [&](int x, int y, int w, int h, int xs, int ys, int ws, int hs) {
        return StretchDIBits(c.dc, x, y, w, h, xs, ys, ws, hs, pixels, &info, DIB_RGB_COLORS, code);
    });
    SelectObject(c.dc, old);
    DeleteObject(b);
}

void stretch_blt(const Canvas& c, bool top_down, DWORD code) {
    const BITMAPINFO info = source_info(top_down);
    HDC mem = CreateCompatibleDC(c.dc);
    void* bits = nullptr;
    HBITMAP bm = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    fill_source(static_cast<unsigned*>(bits));
    HGDIOBJ old_bm = SelectObject(mem, bm);
    HGDIOBJ old = nullptr;
    HBRUSH b = select_brush(c.dc, &old);
    every_sign(c, [&](int x, int y, int w, int h, int xs, int ys, int ws, int hs) {
        return StretchBlt(c.dc, x, y, w, h, mem, xs, ys, ws, hs, code);
    });
    SelectObject(c.dc, old);
    DeleteObject(b);
    SelectObject(mem, old_bm);
    DeleteObject(bm);
    DeleteDC(mem);
}

// Source offsets (including ones past the picture) and bands of scan lines.
void set_dibits(const Canvas& c, bool top_down) {
    const BITMAPINFO info = source_info(top_down);
    unsigned pixels[side * side];
    fill_source(pixels);
    const POINT offsets[] = {{0, 0}, {1, 1}, {2, 0}, {0, 2}, {-1, -1}, {3, 3}};
    const UINT bands[][2] = {{0, 4}, {1, 2}, {0, 1}, {2, 2}};
    int x = 2;
    for (const POINT& o : offsets) {
        int y = 2;
        for (const auto& band : bands) {
            c.note(SetDIBitsToDevice(c.dc, x, y, 3, 3, o.x, o.y, band[0], band[1], pixels, &info, DIB_RGB_COLORS));
            y += 6;
        }
        x += 6;
    }
}

}  // namespace

void add_dib_sign_scenes(std::vector<Scene>& out) {
    for (const bool top_down : {false, true}) {
        const std::string orientation = top_down ? "topdown" : "bottomup";
        for (const Op& op : named_ops) {
            const DWORD code = op.code;
            out.push_back({"stretchdibits_signs_" + orientation + "_" + op.name, combos * cell, 4 * cell,
                           [=](const Canvas& c) { stretch_dibits(c, top_down, code); }});
        }
        for (const Op& op : {named_ops[0], named_ops[2]}) {
            const DWORD code = op.code;
            out.push_back({"stretchblt_signs_" + orientation + "_" + op.name, combos * cell, 4 * cell,
                           [=](const Canvas& c) { stretch_blt(c, top_down, code); }});
        }
        out.push_back({"setdibits_offsets_" + orientation, 40, 26, [=](const Canvas& c) { set_dibits(c, top_down); }});
    }
}

}  // namespace scenes
