// One-pixel ("cosmetic") lines with Windows' pixel choice.
//
// A line from p0 to p1 lights one pixel per step of its major axis, from p0 up to but not
// including p1. The minor coordinate is the exact one rounded to the nearest integer, with
// exact half-way cases going to the smaller coordinate, so a line lights the same pixels in
// either direction (this is Bresenham with Windows' octant bias written in closed form).
// Exact diagonals count as y-major. Clipping walks only the major range inside the clip
// rectangle, so the cost is bounded by the surface size, not by the coordinates.
#pragma once

#include "raster/mix.h"
#include "surface/surface.h"

#include <span>
#include <vector>

namespace zg::raster {

// Draws the part of the line inside clip (a rectangle within the surface) and adds the damage.
void draw_thin_line(Surface& surface, const Rect& clip, POINT p0, POINT p1, Mix mix);

// Each segment of the polyline in turn, each cut by every clip rectangle (disjoint rectangles
// within the surface), so a pixel where the line crosses itself is mixed twice; with close,
// the last point is joined back to the first.
enum class PathClose : bool { Open, Closed };
void draw_thin_polyline(Surface& surface, std::span<const Rect> clips, std::span<const POINT> points, PathClose close,
                        Mix mix);

// Calls visit(x, y) for each pixel of the line inside clip, in order from p0.
template <class Visit>
void walk_thin_line(POINT p0, POINT p1, const Rect& clip, Visit&& visit);

// The same pixels as walk_thin_line for a line whose x extent is more than twice its y extent,
// as horizontal runs: calls visit_run(y, x0, x1) for [x0, x1) on row y, in order from p0.
// Returns false (visiting nothing) for any other line.
template <class VisitRun>
bool walk_thin_runs(POINT p0, POINT p1, const Rect& clip, VisitRun&& visit_run);

}  // namespace zg::raster

#include "raster/line_walk.inl"
