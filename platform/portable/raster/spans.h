// Span fills: how shapes, regions and pattern transfers write pixels (block transfers, text and
// SetPixel write through their own row loops). fill_span takes a span already clipped to the
// surface; fill_rect and fill_region clip to it themselves. Each writes with a mix, and the
// rectangle and region calls widen the surface's damage rectangle (fill_span leaves that to
// its caller).
#pragma once

#include "raster/mix.h"
#include "raster/region.h"
#include "surface/surface.h"

#include <cstddef>
#include <cstdint>
#include <cwchar>

namespace zg::raster {

// Writes n pixels from p with the mix.
void mix_run(std::uint32_t* p, int n, Mix mix);

// Fills [x0, x1) on row y; the caller guarantees 0 <= x0 <= x1 <= width and 0 <= y < height.
// Inline: shapes and lines fill a span per row; a copy of a row of a shape goes straight to the
// C library's 32-bit fill (see spans.cpp).
inline void fill_span(Surface& surface, int y, int x0, int x1, Mix mix) {
    if (x1 <= x0 || mix.is_nop()) return;
    std::uint32_t* p = surface.row(y) + x0;
    const int n = x1 - x0;
    if (mix.is_copy() && n >= 16) {
        static_assert(sizeof(wchar_t) == sizeof(std::uint32_t), "the copy fill needs a 32-bit wchar_t");
        std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(mix.x), static_cast<std::size_t>(n));
        return;
    }
    mix_run(p, n, mix);
}

// Fills r clipped to the surface.
void fill_rect(Surface& surface, const Rect& r, Mix mix);

// Fills every rectangle of a region once, clipped to the surface.
void fill_region(Surface& surface, const Region& region, Mix mix);

}  // namespace zg::raster
