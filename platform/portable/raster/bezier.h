// Cubic Bézier flattening for PolyBezier, point for point as GDI does it (measured under Wine).
//
// Each segment is split at its midpoint (de Casteljau) in 28.4 fixed point, at most eight
// levels deep, until the piece is flat by GDI's test (see bezier.cpp); the end points of the
// pieces, rounded to pixels, form the polyline. Points that round to the same pixel are kept,
// as GDI keeps them. The arithmetic is GDI's too: 32-bit integers that wrap, so coordinates too
// large for 28.4 give the same polyline as there instead of a failure.
#pragma once

#include <platform/win32.h>

#include <cstddef>
#include <vector>

namespace zg::raster {

// points: 3n + 1 points (start, then control, control, end per segment); any points past the
// last whole segment are ignored. Returns the polyline, starting with the first point; empty
// when count is 0.
std::vector<POINT> flatten_beziers(const POINT* points, std::size_t count);

}  // namespace zg::raster
