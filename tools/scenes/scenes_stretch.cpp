// Scenes of stretched transfers whose source rectangle reaches past the picture on any side,
// shrinking and growing, into destinations of either sign down to one pixel: StretchBlt in each
// stretch mode and StretchDIBits from both orientations.
#include "scene.h"

#include <string>

namespace scenes {

namespace {

constexpr int source_w = 8, source_h = 6, cell = 20;

struct Box {
    int x, y, w, h;
};

// Destination extents (columns of the scene) and source rectangles (its rows). A source runs past
// the picture on one side of an axis at most: mirrored sides cut at both ends are not drawn as
// Windows draws them yet.
constexpr Box destinations[] = {{0, 0, 5, 4},   {0, 0, 9, 7},  {0, 0, 2, 3},  {0, 0, 1, 1},
                                {0, 0, -3, -2}, {0, 0, -7, 5}, {0, 0, 6, -5}, {0, 0, -1, -1}};
constexpr Box sources[] = {{-2, -1, 5, 4}, {5, 3, 6, 5}, {-3, 2, 7, 3}, {3, -2, 4, 7}, {6, 4, 3, 3}, {2, -1, 10, 6}};
constexpr int columns = sizeof(destinations) / sizeof(Box), rows = sizeof(sources) / sizeof(Box);

BITMAPINFO source_info(bool top_down) { return dib_info(source_w, top_down ? -source_h : source_h); }

void fill_source(unsigned* p) {
    for (unsigned i = 0; i < source_w * source_h; ++i) p[i] = 0x00203040u + i * 0x00050B13u;
}

// Each cell's start point sits in its middle, so negative extents stay inside the cell.
template <typename Transfer>
void every_cell(const Canvas& c, Transfer transfer) {
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < columns; ++col) {
            const Box& d = destinations[col];
            const Box& s = sources[row];
            c.note(transfer(col * cell + cell / 2, row * cell + cell / 2, d.w, d.h, s));
        }
}

void stretch_blt(const Canvas& c, int mode) {
    const BITMAPINFO info = source_info(false);
    HDC mem = CreateCompatibleDC(c.dc);
    void* bits = nullptr;
    HBITMAP bm = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    fill_source(static_cast<unsigned*>(bits));
    HGDIOBJ old = SelectObject(mem, bm);
    SetStretchBltMode(c.dc, mode);
    every_cell(c, [&](int x, int y, int w, int h, const Box& s) {
        return StretchBlt(c.dc, x, y, w, h, mem, s.x, s.y, s.w, s.h, SRCCOPY);
    });
    SelectObject(mem, old);
    DeleteObject(bm);
    DeleteDC(mem);
}

void stretch_dibits(const Canvas& c, int mode, bool top_down) {
    const BITMAPINFO info = source_info(top_down);
    unsigned pixels[source_w * source_h];
    fill_source(pixels);
    SetStretchBltMode(c.dc, mode);
    every_cell(c, [&](int x, int y, int w, int h, const Box& s) {
        return StretchDIBits(c.dc, x, y, w, h, s.x, s.y, s.w, s.h, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
    });
}

struct Mode {
    const char* name;
    int code;
};
constexpr Mode modes[] = {
    {"blackonwhite", BLACKONWHITE}, {"whiteonblack", WHITEONBLACK}, {"coloroncolor", COLORONCOLOR}};

}  // namespace

void add_stretch_scenes(std::vector<Scene>& out) {
    for (const Mode& m : modes) {
        const int mode = m.code;
        out.push_back({std::string("stretchblt_beyond_") + m.name, columns * cell, rows * cell,
                       [=](const Canvas& c) { stretch_blt(c, mode); }});
        for (const bool top_down : {false, true})
            out.push_back({std::string("stretchdibits_beyond_") + (top_down ? "topdown_" : "bottomup_") + m.name,
                           columns * cell, rows * cell, [=](const Canvas& c) { stretch_dibits(c, mode, top_down); }});
    }
}

}  // namespace scenes
