// The stroke of a wide pen around an axis-aligned rectangle, built from a small copy of it.
//
// Along a straight side the stroke is the same in every row (or column), so the stroke of a
// large rectangle equals the stroke of one at most 2 * 4w + 8 on a side, cut through the
// middle of each side and pulled apart: every rectangle of the small stroke left of the cut
// stays, every one right of it moves by the difference in width, and the ones across the cut
// stretch over it (the same down the page). The result is four bands and four corners, a few
// dozen rectangles whatever the size, where stroking the full outline costs a run per row.
#pragma once

#include "raster/mix.h"
#include "raster/region.h"
#include "surface/surface.h"

namespace zg::raster {

// The stroke of width `width` (> 1) along the closed path through the corners (left, top),
// (right, top), (right, bottom), (left, bottom) (inclusive pixel coordinates, left <= right,
// top <= bottom), cut to `clip`; the same pixels as wide_stroke() of that path.
Region rectangle_frame(long long left, long long top, long long right, long long bottom, int width, const Rect& clip);

// The one-pixel outline of the box [left, right) x [top, bottom), at least 2 x 2, cut to `clip`
// (inside the surface): the pixels a one-pixel pen's closed path around it writes, each once.
// The sides are two pixels per row in one loop rather than two lines stepped pixel by pixel.
void thin_rectangle_frame(Surface& surface, long long left, long long top, long long right, long long bottom,
                          const Rect& clip, Mix mix);

}  // namespace zg::raster
