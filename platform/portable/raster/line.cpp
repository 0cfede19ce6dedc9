// One-pixel lines; see line.h.
#include "raster/line.h"

#include "raster/runs.h"
#include "raster/spans.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zg::raster {

namespace {

Rect line_box(POINT p0, POINT p1) {
    auto lo = [](LONG a, LONG b) { return std::min(a, b); };
    auto hi = [](LONG a, LONG b) { return static_cast<int>(std::min<long long>(std::max(a, b) + 1LL, INT32_MAX)); };
    return {lo(p0.x, p1.x), lo(p0.y, p1.y), hi(p0.x, p1.x), hi(p0.y, p1.y)};
}

bool box_inside(const Rect& box, const Rect& clip) {
    return box.left >= clip.left && box.top >= clip.top && box.right <= clip.right && box.bottom <= clip.bottom;
}

// The walk of walk_thin_line for a line that lies wholly inside the clip (every pixel of a line
// lies in the box of its two ends): a pointer steps one pixel along the major axis and one row
// or column along the minor axis when the remainder overflows, with no clip test and no
// multiplication per pixel. The remainder is mirrored for a line whose minor coordinate falls,
// so that one comparison serves both directions: e = 2 len - 1 - r, and r < 0 becomes e >= 2 len.
template <bool Copy>
void walk_inside(Surface& surface, POINT p0, POINT p1, Mix mix) {
    const std::int64_t dx = static_cast<std::int64_t>(p1.x) - p0.x;
    const std::int64_t dy = static_cast<std::int64_t>(p1.y) - p0.y;
    const bool x_major = std::abs(dx) > std::abs(dy);
    const std::int64_t dm = x_major ? dx : dy, dn = x_major ? dy : dx;
    const std::int64_t len = std::abs(dm), den = 2 * len, rise = 2 * std::abs(dn);
    const std::ptrdiff_t stride = surface.stride();
    const std::ptrdiff_t major_unit = x_major ? 1 : stride, minor_unit = x_major ? stride : 1;
    const std::ptrdiff_t major_step = dm > 0 ? major_unit : -major_unit;
    const std::ptrdiff_t minor_step = dn >= 0 ? minor_unit : -minor_unit;
    std::int64_t e = dn >= 0 ? len - 1 : len;
    std::uint32_t* p = surface.row(p0.y) + p0.x;
    for (std::int64_t k = 0; k < len; ++k, p += major_step) {
        if constexpr (Copy)
            *p = mix.x;
        else
            *p = mix.apply(*p);
        e += rise;
        if (e >= den) {
            e -= den;
            p += minor_step;
        }
    }
}

// The pixels of one line inside clip, without damage bookkeeping: a polyline adds its damage
// once, since an outline of many short segments would otherwise spend as long on it as on
// the pixels.
void write_thin_line(Surface& surface, const Rect& clip, POINT p0, POINT p1, Mix mix) {
    // Short and steep lines inside the clip (most segments of curves, outlines and strokes)
    // pixel by pixel through a pointer; long flat lines below as row runs.
    if (box_inside(line_box(p0, p1), clip)) {
        const std::int64_t dx = std::abs(static_cast<std::int64_t>(p1.x) - p0.x);
        const std::int64_t dy = std::abs(static_cast<std::int64_t>(p1.y) - p0.y);
        if (dx <= 16 * dy || dx < 32) {
            if (mix.is_copy())
                walk_inside<true>(surface, p0, p1, mix);
            else
                walk_inside<false>(surface, p0, p1, mix);
            return;
        }
    }
    if (p0.y == p1.y && p0.x != p1.x) {
        // Horizontal: one span, [p0, p1) or (p1, p0].
        if (p0.y < clip.top || p0.y >= clip.bottom) return;
        const long long a = p0.x < p1.x ? p0.x : static_cast<long long>(p1.x) + 1;
        const long long b = p0.x < p1.x ? p1.x : static_cast<long long>(p0.x) + 1;
        const int x0 = static_cast<int>(std::clamp<long long>(a, clip.left, clip.right));
        const int x1 = static_cast<int>(std::clamp<long long>(b, clip.left, clip.right));
        fill_span(surface, p0.y, x0, x1, mix);
        return;
    }
    // Long nearly horizontal lines (polygon edges) as row runs rather than pixel by pixel.
    if (walk_thin_runs(p0, p1, clip, [&](int y, int x0, int x1) { fill_span(surface, y, x0, x1, mix); })) return;
    walk_thin_line(p0, p1, clip, [&](int x, int y) {
        std::uint32_t& p = surface.row(y)[x];
        p = mix.apply(p);
    });
}

}  // namespace

void draw_thin_line(Surface& surface, const Rect& clip, POINT p0, POINT p1, Mix mix) {
    if (mix.is_nop() || clip.empty()) return;
    write_thin_line(surface, clip, p0, p1, mix);
    surface.add_damage(intersect(line_box(p0, p1), clip));
}

void draw_thin_polyline(Surface& surface, std::span<const Rect> clips, std::span<const POINT> given, PathClose close,
                        Mix mix) {
    if (mix.is_nop() || given.empty()) return;
    // Curves' outlines: the same pixels in far fewer lines.
    const std::vector<POINT> joined = given.size() > 2 ? join_unit_runs(given) : std::vector<POINT>{};
    const std::span<const POINT> points = given.size() > 2 ? std::span<const POINT>(joined) : given;
    POINT lo = points.front(), hi = points.front();
    for (const POINT& p : points) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    const Rect box = line_box(lo, hi);
    for (const Rect& clip : clips) {
        for (std::size_t i = 1; i < points.size(); ++i) write_thin_line(surface, clip, points[i - 1], points[i], mix);
        if (close == PathClose::Closed && points.size() > 1)
            write_thin_line(surface, clip, points.back(), points.front(), mix);
        surface.add_damage(intersect(box, clip));
    }
}

}  // namespace zg::raster
