// Styled one-pixel pens (PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT) as GDI draws them, from
// measurements under Wine:
// - Every style repeats within 24 pixels: dash 18 on 6 off, dot 3/3, dash-dot 9,6,3,6,
//   dash-dot-dot 9,3,3,3,3,3, always beginning with an "on" run.
// - The count is of pixels in drawing order, one per step of a segment's major axis, in every
//   octant and either direction, from the first point of the call: it runs on across the
//   vertices of one call (Polyline, Polygon, a shape's outline) and restarts with each call.
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

}  // namespace zg::raster
