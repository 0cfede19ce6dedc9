// Scenes of stretched transfers whose source rectangle reaches past the picture on any side,
// shrinking and growing, into destinations of either sign down to one pixel: StretchBlt in each
// stretch mode and StretchDIBits from both orientations; then both swept across the surface's
// edges, where a call that draws nothing may fail.
#include "dib_picture.h"
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

// The source picture of StretchBlt: a memory DC holding a filled bottom-up DIB section.
class SourceDc : public zg::tools::DibPicture {
public:
    explicit SourceDc(HDC like) : DibPicture(source_info(false), like) { fill_source(static_cast<unsigned*>(bits())); }
};

void stretch_blt(const Canvas& c, int mode) {
    const SourceDc source(c.dc);
    SetStretchBltMode(c.dc, mode);
    every_cell(c, [&](int x, int y, int w, int h, const Box& s) {
        return StretchBlt(c.dc, x, y, w, h, source.dc(), s.x, s.y, s.w, s.h, SRCCOPY);
    });
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

// Calls swept a pixel at a time across each edge of the surface, forwards and backwards, growing
// and shrinking, from a source the picture cuts to two pixels, so that what is left of it lands
// just inside, on or just beyond the edge: the call fails or succeeds by that, and the notes
// keep the results.
constexpr int edges_w = 64, edges_h = 48;

template <typename Transfer>
void across_edges(const Canvas& c, Transfer transfer) {
    for (int len : {3, -3, 7, -7, 13, -13})
        for (int at = -8; at <= 4; ++at) {
            c.note(transfer({at, 20, len, 6}, {6, 1, 5, 4}));
            c.note(transfer({edges_w + 4 + at, 20, len, 6}, {-3, 1, 5, 4}));
            c.note(transfer({30, at, 6, len}, {1, 4, 4, 5}));
            c.note(transfer({30, edges_h + 4 + at, 6, len}, {1, -3, 4, 5}));
        }
}

void edges_blt(const Canvas& c) {
    const SourceDc source(c.dc);
    across_edges(c, [&](const Box& d, const Box& s) {
        return StretchBlt(c.dc, d.x, d.y, d.w, d.h, source.dc(), s.x, s.y, s.w, s.h, SRCCOPY);
    });
}

void edges_dibits(const Canvas& c) {
    const BITMAPINFO info = source_info(false);
    unsigned pixels[source_w * source_h];
    fill_source(pixels);
    across_edges(c, [&](const Box& d, const Box& s) {
        return StretchDIBits(c.dc, d.x, d.y, d.w, d.h, s.x, s.y, s.w, s.h, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
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
    out.push_back({"stretchblt_edges", edges_w, edges_h, edges_blt});
    out.push_back({"stretchdibits_edges", edges_w, edges_h, edges_dibits});
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
