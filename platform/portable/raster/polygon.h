// Polygon scan conversion with the X11 rules that Windows' regions share: an edge covers the
// rows from its upper vertex to the row above its lower vertex; on a row its crossing is the
// ceiling of the exact x; spans run [left crossing, right crossing). ALTERNATE pairs the sorted
// crossings, WINDING fills where the signed count of edges is non-zero. Horizontal edges add
// nothing. Arithmetic is exact (128-bit where products can exceed 64 bits).
#pragma once

#include "raster/mix.h"
#include "raster/region.h"
#include "surface/surface.h"

#include <platform/win32.h>

#include <functional>
#include <span>
#include <vector>

namespace zg::raster {

enum class FillRule : std::uint8_t { Alternate, Winding };

// Calls row(y, spans) for each row in [clip.top, clip.bottom) the polygon covers, with its
// spans sorted, disjoint and clamped to [clip.left, clip.right]. The figure is closed
// implicitly. The work is bounded by the clip height times the number of edges.
using RowSink = std::function<void(int y, std::vector<Span>& spans)>;
void scan_polygon(const std::vector<POINT>& points, FillRule rule, const Rect& clip, const RowSink& row);

// Fills the polygon's spans on the surface with mix, clipped to the surface, and adds the
// damage: what scan_polygon gives, without a list per row.
void fill_polygon(Surface& surface, const std::vector<POINT>& points, FillRule rule, Mix mix);

Region polygon_region(const std::vector<POINT>& points, FillRule rule, const Rect& clip);

// The bounding box of the points, as a half-open rectangle (right and bottom one past).
Rect points_box(std::span<const POINT> points);

}  // namespace zg::raster
