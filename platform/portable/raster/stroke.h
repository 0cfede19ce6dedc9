// Wide pens (width > 1, round caps and joins) as the set of pixels they cover, which GDI paints
// once whatever the mix mode. The stroke is the union of one body per segment (an axis-aligned
// rectangle for horizontal and vertical segments, else a quadrilateral scan-converted with the
// winding rule) and a disc at every vertex; the disc is the elliptic region of the box
// (-w/2, -w/2, (w+1)/2 + 1, (w+1)/2 + 1) placed at the point.
//
// The union is built row by row over the clip rectangle only: each piece adds spans to the
// rows it crosses, and each row is sorted and merged once, so the cost grows with the outline's
// length times the pen width, not with the square of the shape. A pen of absurd width (up to
// INT_MAX) costs no more than the clip rectangle: a cap that covers the whole rectangle gives
// the rectangle at once, and caps wider than 2^14 are exact circles computed on the clip's rows
// only (GDI's own stepping would differ from them by a pixel at most on their rim).
#pragma once

#include "raster/line.h"
#include "raster/region.h"

#include <span>
#include <vector>

namespace zg::raster {

Region wide_stroke(std::span<const POINT> points, PathClose close, int width, const Rect& clip);

}  // namespace zg::raster
