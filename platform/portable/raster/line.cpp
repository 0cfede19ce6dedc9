// One-pixel lines; see line.h.
#include "raster/line.h"

#include "raster/runs.h"
#include "raster/spans.h"

#include <algorithm>

namespace zg::raster {

namespace {

Rect line_box(POINT p0, POINT p1) {
    auto lo = [](LONG a, LONG b) { return std::min(a, b); };
    auto hi = [](LONG a, LONG b) { return static_cast<int>(std::min<long long>(std::max(a, b) + 1LL, INT32_MAX)); };
    return {lo(p0.x, p1.x), lo(p0.y, p1.y), hi(p0.x, p1.x), hi(p0.y, p1.y)};
}

}  // namespace

void draw_thin_line(Surface& surface, POINT p0, POINT p1, Mix mix) {
    const Rect clip = surface.bounds();
    if (mix.is_nop()) return;
    if (p0.y == p1.y && p0.x != p1.x) {
        // Horizontal: one span, [p0, p1) or (p1, p0].
        if (p0.y < clip.top || p0.y >= clip.bottom) return;
        const long long a = p0.x < p1.x ? p0.x : static_cast<long long>(p1.x) + 1;
        const long long b = p0.x < p1.x ? p1.x : static_cast<long long>(p0.x) + 1;
        const int x0 = static_cast<int>(std::clamp<long long>(a, clip.left, clip.right));
        const int x1 = static_cast<int>(std::clamp<long long>(b, clip.left, clip.right));
        fill_span(surface, p0.y, x0, x1, mix);
        surface.add_damage({x0, p0.y, x1, p0.y + 1});
        return;
    }
    walk_thin_line(p0, p1, clip, [&](int x, int y) {
        std::uint32_t& p = surface.row(y)[x];
        p = mix.apply(p);
    });
    surface.add_damage(line_box(p0, p1));
}

void draw_thin_polyline(Surface& surface, const std::vector<POINT>& given, PathClose close, Mix mix) {
    // Curves' outlines: the same pixels in far fewer lines.
    const std::vector<POINT> joined = given.size() > 2 ? join_unit_runs(given) : std::vector<POINT>{};
    const std::vector<POINT>& points = given.size() > 2 ? joined : given;
    for (std::size_t i = 1; i < points.size(); ++i) draw_thin_line(surface, points[i - 1], points[i], mix);
    if (close == PathClose::Closed && points.size() > 1) draw_thin_line(surface, points.back(), points.front(), mix);
}

}  // namespace zg::raster
