// Wide pens (width > 1, round caps and joins) as the set of pixels they cover, which GDI paints
// once whatever the mix mode. The stroke is the union of one body per segment (an axis-aligned
// rectangle for horizontal and vertical segments, else a quadrilateral scan-converted with the
// winding rule) and a disc at every vertex; the disc is the elliptic region of the box
// (-w/2, -w/2, (w+1)/2 + 1, (w+1)/2 + 1) placed at the point.
//
// The union is built row by row over the clip rectangle only (raster/row_cover.h). The discs
// are swept one disc row at a time along the path, so points in a row joined by horizontal
// segments give one span; one-pixel steps (the outlines of ellipses and arcs are made of them)
// add only the few pixels their body reaches beyond its two discs, worked out once per pen
// width; longer slanted bodies are scanned edge by edge with integer steps. The cost grows
// with the outline's length times the pen width, not with the square of the shape. A pen of
// absurd width (up to INT_MAX) costs no more than the clip rectangle: a cap that covers the
// whole rectangle gives the rectangle at once, and caps wider than 2^14 are exact circles
// computed on the clip's rows only (GDI's own stepping would differ from them by a pixel at
// most on their rim).
//
// Two quicker routes give the same pixels: outlines that cross each row a few times are built
// as chains of one-pixel steps (raster/stroke_outline.h), and a pen with a copy mix, which
// sets every pixel it covers to one value, paints its pieces as they come, without a union.
#pragma once

#include "raster/line.h"
#include "raster/mix.h"
#include "raster/region.h"

#include <span>
#include <vector>

namespace zg::raster {

Region wide_stroke(std::span<const POINT> points, PathClose close, int width, const Rect& clip);

// Paints the same pixels straight onto the surface (cut to it), each once with the mix, and
// widens the surface's damage rectangle; no region is built.
void paint_wide_stroke(Surface& surface, std::span<const POINT> points, PathClose close, int width, Mix mix);

}  // namespace zg::raster
