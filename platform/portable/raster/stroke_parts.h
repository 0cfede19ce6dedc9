// The parts a wide stroke is made of, shared by the general union (stroke.cpp) and the
// outline rows (stroke_outline.h): the pen's disc and what one-pixel steps add to it, and the
// rows of a segment's body.
#pragma once

#include "raster/region.h"

#include <platform/win32.h>

#include <vector>

namespace zg::raster {

// What the body of a one-pixel step adds to its two discs on one row, relative to the step's
// start.
struct StepRow {
    int row, x0, x1;
};

// The pen's disc, one span per row relative to the point, and which bodies of one-pixel steps
// it makes redundant. Kept per thread for the last width: a program draws with few pens.
struct Pen {
    int width = -1;
    Region disc;
    long long top = 0;             // the first row's offset from the point
    std::vector<int> left, right;  // each row's span [left, right), relative
    // Every row one span over the point's own column, the disc's rows the horizontal body's:
    // then points in a row joined by horizontal segments cover the row between their discs.
    bool sweeps = false;
    // [dy + 1][dx + 1]: what the body of that one-pixel step adds to its two discs, relative
    // to the step's start (nothing for horizontal and vertical steps).
    std::vector<Rect> step_extra[3][3];
    // The same split by row for the outline rows (stroke_outline.h): `fold` holds the rows
    // whose extras are one span touching the span of the two discs on that row, which a chain
    // of steps takes into its own span of the row; `loose` holds the others, added on their own.
    std::vector<StepRow> fold[3][3], loose[3][3];
    bool any_loose = false;
};

// Round caps up to this width are built as GDI builds them, row by row with the midpoint
// stepping; wider ones (absurd pens) as the circle of the same width, computed only on the
// clip rectangle's rows, so their cost does not grow with the width.
constexpr long long max_exact_cap = 1 << 14;

const Pen& pen_for(int width);

// Per-row bounds of a body being scanned, kept across the segments of one stroke.
struct QuadRows {
    std::vector<long long> lo, hi;
};

// The body of the segment p1 -> p2 (not both equal) within the rows of clip: its spans
// [lo[i], hi[i]) on rows top + i, i below the returned count (empty spans possible).
std::size_t body_rows(POINT p1, POINT p2, int width, const Rect& clip, QuadRows& rows, long long& top);

}  // namespace zg::raster
