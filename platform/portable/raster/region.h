// The region representation shared by the region calls, the rasteriser and the handle table.
//
// A region is a y-x banded list of half-open rectangles: sorted by top, then left; the
// rectangles of one band share top and bottom, do not touch or overlap within the band, and
// bands do not overlap. `extents` is the bounding box (empty for an empty region).
#pragma once

#include "surface/surface.h"

#include <vector>

namespace zg::raster {

struct Region {
    std::vector<Rect> rects;
    Rect extents{};
    bool empty() const { return rects.empty(); }
};

}  // namespace zg::raster
