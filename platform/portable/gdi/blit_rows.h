// The row loop under every unscaled transfer: one destination rectangle, already clipped to
// both surfaces, combined with the source pixels at a given origin by a ternary raster operation.
// Callers that clip to several visible rectangles call it once per rectangle.
#pragma once

#include "raster/rop3.h"
#include "surface/surface.h"

namespace zg::gdi {

struct PixelPoint {
    int x = 0, y = 0;
};

// r lies inside dst and r moved to `from` lies inside src; src may be dst, overlapping.
void blit_rect(Surface& dst, const Rect& r, const Surface& src, PixelPoint from, const raster::Rop3& op);

}  // namespace zg::gdi
