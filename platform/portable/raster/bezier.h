// Cubic Bézier flattening for PolyBezier: each segment is split at its midpoint (de Casteljau)
// until both control points lie within a pixel of the chord or eight levels are reached, and
// the end points of the pieces, rounded to pixels, form a polyline. Windows does not document
// its flattening, so curves may differ from it by a pixel here and there.
#pragma once

#include <platform/win32.h>

#include <vector>

namespace zg::raster {

// points: 3n + 1 points (start, then control, control, end per segment). Returns the
// polyline, starting with the first point.
std::vector<POINT> flatten_beziers(const POINT* points, std::size_t count);

}  // namespace zg::raster
