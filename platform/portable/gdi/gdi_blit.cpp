// Bit-block transfers: BitBlt with the source ROPs of win32.h and PatBlt with the pattern
// ones. Every ternary ROP used here reduces per pixel to a function of source and destination
// (or brush and destination), applied row by row after clipping both rectangles.
#include "gdi/draw_target.h"
#include "print/printer_dc.h"
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
    raster::fill_rect(*t->surface, clip_box(extent_box(x, y, w, h), t->surface->bounds()), *mix);
    return TRUE;
}

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
    const bool upwards = src == dst && sy < 0;  // copying down within one surface: go bottom-up
    const std::size_t bytes = static_cast<std::size_t>(r.width()) * sizeof(std::uint32_t);
    if (rop == SRCCOPY) {
        // Whole rows at memory speed; memmove because a row may overlap itself when a surface
        // is copied sideways onto itself.
        for (int i = 0; i < r.height(); ++i) {
            const int yy = upwards ? r.bottom - 1 - i : r.top + i;
            std::memmove(dst->row(yy) + r.left, src->row(static_cast<int>(yy + sy)) + (r.left + sx), bytes);
        }
        dst->add_damage(r);
        return TRUE;
    }
    std::vector<std::uint32_t> row(static_cast<std::size_t>(r.width()));
    for (int i = 0; i < r.height(); ++i) {
        const int yy = upwards ? r.bottom - 1 - i : r.top + i;
        const std::uint32_t* s = src->row(static_cast<int>(yy + sy)) + (r.left + sx);
        std::copy(s, s + r.width(), row.begin());
        std::uint32_t* out = dst->row(yy) + r.left;
        for (int k = 0; k < r.width(); ++k) out[k] = apply_source_rop(rop, row[static_cast<std::size_t>(k)], out[k]);
    }
    dst->add_damage(r);
    return TRUE;
}

}  // namespace zg::gdi

extern "C" {

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) { return zg::gdi::pat_blt(hdc, x, y, w, h, rop); }

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    if (zg::print::PrinterJob* job = zg::print::printer_job(hdc); job != nullptr && rop == SRCCOPY)
        return zg::print::record_picture(*job, zg::print::box_of(x, y, cx, cy), hdcSrc,
                                         zg::print::box_of(x1, y1, cx, cy));
    return zg::gdi::bit_blt(hdc, x, y, cx, cy, hdcSrc, x1, y1, rop);
}

}  // extern "C"
