// Painting a shape from its parts, in GDI's order: the brush's interior first, then the pen's
// outline. A one-pixel pen draws its outline segment by segment over the interior; a wide
// pen's stroke is one set of pixels painted once, and the interior then excludes it.
// Everything painted here is cut by the call's visible area (draw_target.h) and nothing else.
#pragma once

#include "gdi/draw_target.h"
#include "raster/line.h"
#include "raster/region.h"

#include <span>
#include <vector>

namespace zg::gdi {

// Fills the visible part of a region, or of a rectangle, with a mix.
void fill_visible(DrawTarget& t, const raster::Region& region, raster::Mix mix);
void fill_visible(DrawTarget& t, const Rect& rect, raster::Mix mix);

// Draws the path with the pen (nothing for a null pen).
void paint_outline(DrawTarget& t, std::span<const POINT> path, raster::PathClose close);

// Fills interior with the brush, then outlines the path with the pen.
void paint_shape(DrawTarget& t, const raster::Region& interior, const std::vector<POINT>& path,
                 raster::PathClose close);

// The same for a wide pen whose stroke the caller has already built.
void paint_stroked_shape(DrawTarget& t, const raster::Region& interior, const raster::Region& stroke);

}  // namespace zg::gdi
