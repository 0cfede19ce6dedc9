// Bit-block transfers: BitBlt with the source ROPs of win32.h and PatBlt with the pattern
// ones. Every ternary ROP used here reduces per pixel to a function of source and destination
// (or brush and destination), applied row by row after clipping both rectangles to their
// surfaces and the destination to its visible area.
#include "gdi/draw_target.h"
#include "gdi/paint.h"
#include "raster/spans.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zg::gdi {

namespace {

// The rectangle of a block transfer. A negative extent runs the other way from the start
// point and, as on Windows, covers the start pixel: x = 10, w = -3 is [8, 11).
Box extent_box(int x, int y, int w, int h) {
    auto side = [](long long start, long long extent) {
        return extent >= 0 ? std::pair{start, start + extent} : std::pair{start + extent + 1, start + 1};
    };
    const auto [l, r] = side(x, w);
    const auto [t, b] = side(y, h);
    return {l, t, r, b};
}

Rect clip_box(const Box& b, const Rect& bounds) {
    const Rect r{static_cast<int>(std::max<long long>(b.left, bounds.left)),
                 static_cast<int>(std::max<long long>(b.top, bounds.top)),
                 static_cast<int>(std::min<long long>(b.right, bounds.right)),
                 static_cast<int>(std::min<long long>(b.bottom, bounds.bottom))};
    return r.empty() ? Rect{} : r;
}

bool uses_brush(DWORD rop) { return rop == PATCOPY || rop == PATINVERT; }

// A pattern ROP as a mix, or nullopt for a ROP that needs the source or is unknown.
std::optional<raster::Mix> pattern_mix(DWORD rop, const BrushState& brush) {
    switch (rop) {
    case BLACKNESS: return raster::make_mix(R2_BLACK, 0);
    case WHITENESS: return raster::make_mix(R2_WHITE, 0);
    case DSTINVERT: return raster::make_mix(R2_NOT, 0);
    case PATCOPY: return raster::Mix{0, brush.mix.x};
    case PATINVERT: return raster::Mix{~0u, brush.mix.x};
    default: return std::nullopt;
    }
}


bool is_source_rop(DWORD rop) {
    return rop == SRCCOPY || rop == SRCPAINT || rop == SRCAND || rop == SRCINVERT || rop == NOTSRCCOPY;
}

}  // namespace

BOOL pat_blt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    auto t = resolve_target(hdc);
    if (!t) return FALSE;
    // The brush's own colour matters here, not the DC's mix mode.
    BrushState brush = t->brush;
    if (!brush.null) {
        const BrushObject* b = t->dc->brush_object();
        brush.mix = raster::make_mix(R2_COPYPEN, to_pixel(b->color));
    }
    const std::optional<raster::Mix> mix = pattern_mix(rop, brush);
    if (!mix) return FALSE;
    if (t->surface == nullptr || (uses_brush(rop) && brush.null)) return TRUE;
    fill_visible(*t, clip_box(extent_box(x, y, w, h), t->surface->bounds()), *mix);
    return TRUE;
}

namespace {

// Where a destination block reads: pixel (x, y) takes the source's (x + dx, y + dy).
struct BlockSource {
    const Surface* surface;
    long long dx, dy;
};

enum class RowOrder : bool { Downwards, Upwards };

// Copies one destination rectangle (inside both surfaces) from its source with the ROP.
void copy_block(Surface& dst, const Rect& r, const BlockSource& src, DWORD rop, RowOrder order) {
    const std::size_t bytes = static_cast<std::size_t>(r.width()) * sizeof(std::uint32_t);
    std::vector<std::uint32_t> row(rop == SRCCOPY ? 0 : static_cast<std::size_t>(r.width()));
    for (int i = 0; i < r.height(); ++i) {
        const int yy = order == RowOrder::Upwards ? r.bottom - 1 - i : r.top + i;
        const std::uint32_t* s = src.surface->row(static_cast<int>(yy + src.dy)) + (r.left + src.dx);
        // memmove: a row may overlap itself when a surface is copied sideways onto itself.
        if (rop == SRCCOPY) {
            std::memmove(dst.row(yy) + r.left, s, bytes);
            continue;
        }
        std::copy(s, s + r.width(), row.begin());
        std::uint32_t* out = dst.row(yy) + r.left;
        for (int k = 0; k < r.width(); ++k) out[k] = apply_source_rop(rop, row[static_cast<std::size_t>(k)], out[k]);
    }
    dst.add_damage(r);
}

// A copy of the source pixels under r, for a transfer within one surface through several
// visible rectangles, where one rectangle could otherwise read what another already wrote.
Surface snapshot(const BlockSource& src, const Rect& r) {
    Surface copy(r.width(), r.height());
    for (int y = 0; y < r.height(); ++y) {
        const std::uint32_t* s = src.surface->row(static_cast<int>(r.top + y + src.dy)) + (r.left + src.dx);
        std::copy(s, s + r.width(), copy.row(y));
    }
    return copy;
}

}  // namespace

BOOL bit_blt(HDC hdc, int x, int y, int cx, int cy, HDC hdc_src, int x1, int y1, DWORD rop) {
    if (!is_source_rop(rop)) return pat_blt(hdc, x, y, cx, cy, rop);
    DeviceContext* dst_dc = lookup_dc(hdc);
    DeviceContext* src_dc = lookup_dc(hdc_src);
    if (dst_dc == nullptr || src_dc == nullptr) return FALSE;
    Surface* dst = dst_dc->surface();
    Surface* src = src_dc->surface();
    if (dst == nullptr || src == nullptr) return TRUE;
    const Box d = extent_box(x, y, cx, cy);
    // With negative extents both rectangles move the same way, so the offset is unchanged.
    const long long sx = static_cast<long long>(x1) - x, sy = static_cast<long long>(y1) - y;
    Rect r = clip_box(d, dst->bounds());
    const Box src_in_dst{src->bounds().left - sx, src->bounds().top - sy, src->bounds().right - sx,
                         src->bounds().bottom - sy};
    r = clip_box(src_in_dst, r);
    if (r.empty()) return TRUE;
    const std::vector<Rect> pieces = VisibleArea(*dst_dc, *dst).pieces(r);
    BlockSource from{src, sx, sy};
    Surface copy;
    if (src == dst && pieces.size() > 1) {
        copy = snapshot(from, r);
        from = {&copy, -static_cast<long long>(r.left), -static_cast<long long>(r.top)};
    }
    const RowOrder order = from.surface == dst && sy < 0 ? RowOrder::Upwards : RowOrder::Downwards;
    for (const Rect& piece : pieces) copy_block(*dst, piece, from, rop, order);
    return TRUE;
}

}  // namespace zg::gdi

extern "C" {

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) { return zg::gdi::pat_blt(hdc, x, y, w, h, rop); }

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    return zg::gdi::bit_blt(hdc, x, y, cx, cy, hdcSrc, x1, y1, rop);
}

}  // extern "C"
