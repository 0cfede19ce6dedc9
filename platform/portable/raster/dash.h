// Styled one-pixel pens (PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT) as GDI draws them, from
// measurements under Wine:
// - Every style repeats within 24 pixels: dash 18 on 6 off, dot 3/3, dash-dot 9,6,3,6,
//   dash-dot-dot 9,3,3,3,3,3, always beginning with an "on" run.
// - The count is of pixels in drawing order, one per step of a segment's major axis, in every
//   octant and either direction, from the first point of the call: it runs on across the
//   vertices of one call (Polyline, Polygon, a shape's outline) and restarts with each call.
// - Rectangle, RoundRect and Ellipse walk their outline counter-clockwise on the screen from the
//   top right; under AD_CLOCKWISE the same walk mirrored top to bottom: clockwise from the bottom
//   right. The box's corner order and the pen's width (0 or 1) change neither. Arcs, chords and
//   pies run from their start radial in the arc direction; polygons follow their points.
// - Pixels outside the clip or the surface are counted all the same, so clipping never moves
//   the pattern.
// - The gaps are the background colour mixed with the DC's mix mode when the background mode is
//   OPAQUE, and are left alone when it is TRANSPARENT.
#pragma once

#include "raster/line.h"

#include <cstdint>
#include <optional>

namespace zg::raster {

// Bit k of on_mask says whether pixel k of each 24 is drawn with the pen.
struct DashPattern {
    static constexpr int period = 24;
    std::uint32_t on_mask = 0;
    bool on(long long index) const { return ((on_mask >> (index % period)) & 1u) != 0; }
};

// The pattern of a pen style; nullopt for styles that draw solid.
std::optional<DashPattern> dash_pattern(int pen_style);

struct DashedPen {
    DashPattern pattern;
    Mix on;
    std::optional<Mix> off;  // none: gaps are left alone
};

// The path as draw_thin_polyline draws it (same pixels, same clipping), but with the pixels
// split between the pen's two mixes by the pattern.
void draw_dashed_polyline(Surface& surface, std::span<const Rect> clips, std::span<const POINT> points, PathClose close,
                          const DashedPen& pen);

// The outline of a Rectangle, RoundRect or Ellipse (one symmetric about its middle row), walked
// counter-clockwise, turned into the clockwise walk GDI takes under AD_CLOCKWISE: each point
// mirrored top to bottom, so the same pixels run the other way round from the bottom right.
void mirror_outline_rows(std::span<POINT> outline);

}  // namespace zg::raster
