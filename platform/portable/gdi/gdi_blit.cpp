// Bit-block transfers: BitBlt and PatBlt with any of the 256 ternary raster operations. A code
// that reads no source is a pattern fill (a mix over the destination) and needs no source DC;
// any other copies the overlap of the destination rectangle and the source, row by row, into
// each rectangle of the destination's visible area. All clipping is done in 64 bits, so a
// source origin near INT_MIN or INT_MAX cannot wrap.
#include "dc/visible_area.h"
#include "gdi/blit_rows.h"
#include "gdi/draw_target.h"
#include "gdi/surface_transfers.h"
#include "memory_guard.h"
#include "raster/spans.h"
#include "raster/stretch_axis.h"

#include <algorithm>
#include <vector>

namespace zg::gdi {

namespace {

// The rectangle of a block transfer, under the one rule for signed extents.
Box extent_box(long long x, long long y, long long w, long long h) {
    const raster::Extent across = raster::extent_from(x, w), down = raster::extent_from(y, h);
    return {across.lo, down.lo, across.hi, down.hi};
}

// The part of b inside bounds; only then narrowed, so the result is always a real rectangle.
Rect clip_box(const Box& b, const Rect& bounds) {
    const long long l = std::max<long long>(b.left, bounds.left), t = std::max<long long>(b.top, bounds.top);
    const long long r = std::min<long long>(b.right, bounds.right), btm = std::min<long long>(b.bottom, bounds.bottom);
    if (l >= r || t >= btm) return Rect{};
    return {static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(btm)};
}

}  // namespace

BOOL pat_blt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    DeviceContext* dc = lookup_dc(hdc);
    if (dc == nullptr || raster::rop_uses_source(raster::rop_index(rop))) return FALSE;
    Surface* surface = dc->surface();
    const std::optional<raster::Rop3> op = resolve_rop(*dc, rop);
    if (surface == nullptr || !op) return TRUE;
    const Rect r = clip_box(extent_box(x, y, w, h), surface->bounds());
    for (const Rect& piece : VisibleArea(*dc, *surface).pieces(r)) raster::fill_rect(*surface, piece, op->as_mix());
    return TRUE;
}

namespace {

// The source pixels under r moved by (sx, sy), for a transfer within one surface through several
// visible rectangles, where one rectangle could otherwise read what another already wrote.
Surface snapshot(const Surface& src, const Rect& r, long long sx, long long sy) {
    Surface copy(r.width(), r.height());
    for (int y = 0; y < r.height(); ++y) {
        const std::uint32_t* s = src.row(static_cast<int>(r.top + y + sy)) + (r.left + sx);
        std::copy(s, s + r.width(), copy.row(y));
    }
    return copy;
}

}  // namespace

BOOL bit_blt(HDC hdc, int x, int y, int cx, int cy, HDC hdc_src, int x1, int y1, DWORD rop) {
    if (!raster::rop_uses_source(raster::rop_index(rop))) return pat_blt(hdc, x, y, cx, cy, rop);
    DeviceContext* dst_dc = lookup_dc(hdc);
    DeviceContext* src_dc = lookup_dc(hdc_src);
    if (dst_dc == nullptr || src_dc == nullptr) return FALSE;
    Surface* dst = dst_dc->surface();
    Surface* src = src_dc->surface();
    const std::optional<raster::Rop3> op = resolve_rop(*dst_dc, rop);
    if (dst == nullptr || src == nullptr || !op) return TRUE;
    // With negative extents both rectangles move the same way, so the offset is unchanged.
    const long long sx = static_cast<long long>(x1) - x, sy = static_cast<long long>(y1) - y;
    const Rect r = clip_box(extent_box(x, y, cx, cy), dst->bounds());
    const Box src_in_dst{src->bounds().left - sx, src->bounds().top - sy, src->bounds().right - sx,
                         src->bounds().bottom - sy};
    const Rect block = clip_box(src_in_dst, r);
    if (block.empty()) return TRUE;
    const std::vector<Rect> pieces = VisibleArea(*dst_dc, *dst).pieces(block);
    if (src == dst && pieces.size() > 1) {
        const Surface copy = snapshot(*src, block, sx, sy);
        for (const Rect& piece : pieces)
            blit_rect(*dst, piece, copy, {piece.left - block.left, piece.top - block.top}, *op);
        return TRUE;
    }
    // Clipped to the source, so every origin lies inside it and fits an int.
    for (const Rect& piece : pieces)
        blit_rect(*dst, piece, *src, {static_cast<int>(piece.left + sx), static_cast<int>(piece.top + sy)}, *op);
    return TRUE;
}

}  // namespace zg::gdi

extern "C" {

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    return zg::within_memory(FALSE, [&] { return zg::gdi::pat_blt(hdc, x, y, w, h, rop); });
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    return zg::within_memory(FALSE, [&] {
        zg::Device* device = zg::device_of(hdc);
        return device != nullptr ? device->bit_blt(hdc, {x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop}) : FALSE;
    });
}

}  // extern "C"
