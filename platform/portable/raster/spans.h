// Span fills: the one place pixels are written by the shape code. Every call takes spans that
// are already clipped to the surface (clipping happens once, above the primitives), writes
// them with a mix and widens the surface's damage rectangle.
#pragma once

#include "raster/mix.h"
#include "raster/region.h"
#include "surface/surface.h"

namespace zg::raster {

// Fills [x0, x1) on row y; the caller guarantees 0 <= x0 <= x1 <= width and 0 <= y < height.
void fill_span(Surface& surface, int y, int x0, int x1, Mix mix);

// Fills r clipped to the surface.
void fill_rect(Surface& surface, const Rect& r, Mix mix);

// Fills every rectangle of a region once, clipped to the surface.
void fill_region(Surface& surface, const Region& region, Mix mix);

// One pixel, clipped; no damage bookkeeping (the caller adds the bounding box).
inline void mix_pixel(Surface& surface, int x, int y, Mix mix) {
    if (x < 0 || y < 0 || x >= surface.width() || y >= surface.height()) return;
    std::uint32_t& p = surface.row(y)[x];
    p = mix.apply(p);
}

}  // namespace zg::raster
