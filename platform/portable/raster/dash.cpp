// Styled one-pixel pens; see dash.h.
#include "raster/dash.h"

#include "raster/polygon.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace zg::raster {

namespace {

// Alternating on and off runs, starting with on, summing to the period.
constexpr std::uint32_t mask_of(std::initializer_list<int> runs) {
    std::uint32_t mask = 0;
    int at = 0;
    bool on = true;
    for (int run : runs) {
        for (int i = 0; i < run; ++i, ++at)
            if (on) mask |= 1u << at;
        on = !on;
    }
    return mask;
}

constexpr std::uint32_t dot_mask = mask_of({3, 3, 3, 3, 3, 3, 3, 3});

// Pixels one segment lights: one per step of its major axis.
long long segment_length(POINT a, POINT b) {
    const long long dx = std::llabs(static_cast<long long>(b.x) - a.x);
    const long long dy = std::llabs(static_cast<long long>(b.y) - a.y);
    return std::max(dx, dy);
}

// Draws one segment whose first pixel is number first of the pattern.
void dashed_segment(Surface& surface, const Rect& clip, POINT a, POINT b, long long first, const DashedPen& pen) {
    const bool x_major = std::llabs(static_cast<long long>(b.x) - a.x) > std::llabs(static_cast<long long>(b.y) - a.y);
    walk_thin_line(a, b, clip, [&](int x, int y) {
        const long long step =
            x_major ? std::llabs(static_cast<long long>(x) - a.x) : std::llabs(static_cast<long long>(y) - a.y);
        std::uint32_t& p = surface.row(y)[x];
        if (pen.pattern.on(first + step)) {
            p = pen.on.apply(p);
            return;
        }
        if (pen.off) p = pen.off->apply(p);
    });
}

}  // namespace

std::optional<DashPattern> dash_pattern(int pen_style) {
    switch (pen_style) {
    case PS_DASH: return DashPattern{mask_of({18, 6})};
    case PS_DOT: return DashPattern{dot_mask};
    case PS_DASHDOT: return DashPattern{mask_of({9, 6, 3, 6})};
    case PS_DASHDOTDOT: return DashPattern{mask_of({9, 3, 3, 3, 3, 3})};
    default: return std::nullopt;
    }
}

void draw_dashed_polyline(Surface& surface, std::span<const Rect> clips, std::span<const POINT> points, PathClose close,
                          const DashedPen& pen) {
    if (points.empty() || (pen.on.is_nop() && (!pen.off || pen.off->is_nop()))) return;
    const Rect box = points_box(points);
    const std::size_t segments = close == PathClose::Closed ? points.size() : points.size() - 1;
    for (const Rect& clip : clips) {
        long long first = 0;
        for (std::size_t i = 0; i < segments; ++i) {
            const POINT a = points[i], b = points[(i + 1) % points.size()];
            dashed_segment(surface, clip, a, b, first, pen);
            first += segment_length(a, b);
        }
        surface.add_damage(intersect(box, clip));
    }
}

void mirror_outline_rows(std::span<POINT> outline) {
    if (outline.empty()) return;
    const auto [low, high] =
        std::minmax_element(outline.begin(), outline.end(), [](const POINT& a, const POINT& b) { return a.y < b.y; });
    const long long sum = static_cast<long long>(low->y) + high->y;
    for (POINT& p : outline) p.y = static_cast<LONG>(sum - p.y);
}

}  // namespace zg::raster
