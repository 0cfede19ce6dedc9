// Outlines of curves arrive as chains of one-pixel steps: a 200-pixel ellipse is some 600
// points. A one-pixel line lights its start and every pixel before its end, and along a
// horizontal, vertical or exactly diagonal line it lights exactly the points of the steps, so a
// run of equal unit steps drawn as one line lights the same pixels, each once, as the steps
// drawn one by one. Joining them removes most of the per-segment work of a curve's outline.
#pragma once

#include <platform/win32.h>

#include <span>
#include <vector>

namespace zg::raster {

// The path with every inner point dropped whose step in and step out are the same unit step
// (each coordinate changing by -1, 0 or +1, not both 0). Other points, the first and the last
// are kept, so an open or closed path keeps its ends.
std::vector<POINT> join_unit_runs(std::span<const POINT> points);

}  // namespace zg::raster
