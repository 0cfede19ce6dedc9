// Ellipses the way GDI draws them: an integer midpoint ellipse (Alois Zingl, "A Rasterizing
// Algorithm for Drawing Curves", 2012) with semi-axes from the box shrunk by one, one quadrant
// computed and mirrored about the box's centre.
//
// The stepping walks the whole outline, so callers keep it to boxes of max_ellipse_size at most
// (a call with absurd coordinates must not loop for billions of steps); beyond that size,
// large_round_rect_region computes only the rows of a clip rectangle.
#pragma once

#include "raster/mix.h"
#include "raster/region.h"

#include <platform/win32.h>

#include <vector>

namespace zg::raster {

constexpr long long max_ellipse_size = 1 << 20;

// The lower-right quadrant of the outline of a width x height ellipse with its box at the
// origin: x runs from width - 1 down to width / 2, y from height / 2 up; one point per step,
// consecutive points 8-connected.
std::vector<POINT> ellipse_quadrant(int width, int height);

// The region CreateRoundRectRgn makes (box already ordered; one pixel is taken off the right and
// bottom, as Windows does). Corner sizes below 2 give the plain rectangle.
Region round_rect_region(long long left, long long top, long long right, long long bottom, long long corner_w,
                         long long corner_h);

// Fills the region round_rect_region makes, cut by the surface, straight from its rows, and
// adds it to the surface's damage.
void fill_round_rect(Surface& surface, long long left, long long top, long long right, long long bottom,
                     long long corner_w, long long corner_h, Mix mix);

// A rounded box [left, right) x [top, bottom) too large for the stepping above (a side over
// max_ellipse_size): each row's span is computed directly from the corner ellipse, pixel
// centres inside the curve, and only the rows and columns of clip are built, so the cost follows
// the clip, not the box. Its pixels approximate GDI's near the curve; at these sizes no surface
// shows more than a few rows of it.
Region large_round_rect_region(long long left, long long top, long long right, long long bottom, long long corner_w,
                               long long corner_h, const Rect& clip);

// The closed outline of RoundRect in the box [left, right) x [top, bottom) with corner sizes
// already limited to the box: the four mirrored quadrants joined by straight sides, run
// counter-clockwise from the right end of the upper right quadrant.
std::vector<POINT> round_rect_outline(const Rect& box, int corner_w, int corner_h);

// The open outline of an arc of the ellipse in box, from the first outline point whose angle
// passes the radial to start to the first that passes the radial to end, going in direction
// (AD_COUNTERCLOCKWISE or AD_CLOCKWISE). Radial points are relative to the box's centre.
// Equal radials give the whole ellipse.
std::vector<POINT> arc_outline(const Rect& box, POINT start, POINT end, int direction);

}  // namespace zg::raster
