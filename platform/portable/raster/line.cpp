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
struct InsideWalk {
    std::uint32_t* p;
    std::ptrdiff_t major_step, minor_step;
    std::int64_t len, den, rise, e;

    InsideWalk(Surface& surface, POINT p0, POINT p1) {
        const std::int64_t dx = static_cast<std::int64_t>(p1.x) - p0.x;
        const std::int64_t dy = static_cast<std::int64_t>(p1.y) - p0.y;
        const bool x_major = std::abs(dx) > std::abs(dy);
        const std::int64_t dm = x_major ? dx : dy, dn = x_major ? dy : dx;
        const std::ptrdiff_t stride = surface.stride();
        const std::ptrdiff_t major_unit = x_major ? 1 : stride, minor_unit = x_major ? stride : 1;
        p = surface.row(p0.y) + p0.x;
        major_step = dm > 0 ? major_unit : -major_unit;
        minor_step = dn >= 0 ? minor_unit : -minor_unit;
        len = std::abs(dm);
        den = 2 * len;
        rise = 2 * std::abs(dn);
        e = dn >= 0 ? len - 1 : len;
    }
};

template <bool Copy>
[[gnu::always_inline]] inline void put(std::uint32_t* p, Mix mix) {
    if constexpr (Copy)
        *p = mix.x;
    else
        *p = mix.apply(*p);
}

template <bool Copy>
void walk_pixels(InsideWalk w, Mix mix) {
    for (std::int64_t k = 0; k < w.len; ++k, w.p += w.major_step) {
        put<Copy>(w.p, mix);
        w.e += w.rise;
        if (w.e >= w.den) {
            w.e -= w.den;
            w.p += w.minor_step;
        }
    }
}

// The same pixels a run at a time, for lines whose runs along the major axis are long (a steep
// segment of a polyline is a few columns of many rows). A run ends at the step where the
// remainder reaches 2 len. The first run takes a division; after it the remainder is below
// rise, so every full run is c - 1 or c pixels long (c = ceil(2 len / rise)), chosen by one
// comparison, and no division lies on the path from one run to the next.
template <bool Copy>
void walk_runs(InsideWalk w, Mix mix) {
    auto run = [&](std::int64_t n) {
        for (std::int64_t k = 0; k < n; ++k, w.p += w.major_step) put<Copy>(w.p, mix);
        w.e += n * w.rise - w.den;
        w.p += w.minor_step;
    };
    if (w.rise == 0) {
        run(w.len);
        return;
    }
    std::int64_t left = w.len;
    const std::int64_t first = std::min(left, (w.den - w.e + w.rise - 1) / w.rise);
    run(first);
    left -= first;
    const std::int64_t c = (w.den + w.rise - 1) / w.rise, short_from = w.den - (c - 1) * w.rise;
    for (; left >= c;) {
        const std::int64_t n = w.e >= short_from ? c - 1 : c;
        run(n);
        left -= n;
    }
    // Fewer pixels left than a full run: they end the line within one run.
    if (left > 0) run(left);
}

// Runs of at least this many pixels on average pay for their division.
constexpr std::int64_t long_runs = 6;

template <bool Copy>
void walk_inside(Surface& surface, POINT p0, POINT p1, Mix mix) {
    const InsideWalk w(surface, p0, p1);
    if (w.den >= long_runs * w.rise)
        walk_runs<Copy>(w, mix);
    else
        walk_pixels<Copy>(w, mix);
}

void walk_inside(Surface& surface, POINT p0, POINT p1, Mix mix) {
    if (mix.is_copy())
        walk_inside<true>(surface, p0, p1, mix);
    else
        walk_inside<false>(surface, p0, p1, mix);
}

// A line partly or wholly outside the clip, or a long flat one: horizontal lines and long
// nearly horizontal lines (polygon edges) as row runs, the rest pixel by pixel with clip tests.
void write_clipped(Surface& surface, const Rect& clip, POINT p0, POINT p1, Mix mix) {
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
    if (walk_thin_runs(p0, p1, clip, [&](int y, int x0, int x1) { fill_span(surface, y, x0, x1, mix); })) return;
    walk_thin_line(p0, p1, clip, [&](int x, int y) {
        std::uint32_t& p = surface.row(y)[x];
        p = mix.apply(p);
    });
}

// A line wholly inside the clip. Short and steep lines (most segments of curves, outlines and
// strokes) go through a pointer; long flat lines as row runs.
void write_inside(Surface& surface, const Rect& clip, POINT p0, POINT p1, Mix mix) {
    const std::int64_t dx = std::abs(static_cast<std::int64_t>(p1.x) - p0.x);
    const std::int64_t dy = std::abs(static_cast<std::int64_t>(p1.y) - p0.y);
    if (dx <= 16 * dy || dx < 32) {
        walk_inside(surface, p0, p1, mix);
        return;
    }
    write_clipped(surface, clip, p0, p1, mix);
}

// The pixels of one line inside clip, without damage bookkeeping: a polyline adds its damage
// once, since an outline of many short segments would otherwise spend as long on it as on
// the pixels.
void write_thin_line(Surface& surface, const Rect& clip, POINT p0, POINT p1, Mix mix) {
    if (box_inside(line_box(p0, p1), clip)) {
        write_inside(surface, clip, p0, p1, mix);
        return;
    }
    write_clipped(surface, clip, p0, p1, mix);
}

// A path wholly inside the clip. A curve's outline is mostly unit steps, and a unit step lights
// just the pixel it starts from: it is written straight, without a line's set-up.
template <bool Copy>
void write_path_inside(Surface& surface, const Rect& clip, std::span<const POINT> points, PathClose close, Mix mix) {
    auto segment = [&](const POINT& a, const POINT& b) {
        const LONG dx = b.x - a.x, dy = b.y - a.y;  // both ends lie on the surface
        if (static_cast<unsigned>(dx + 1) <= 2u && static_cast<unsigned>(dy + 1) <= 2u) {
            if ((dx | dy) != 0) put<Copy>(surface.row(a.y) + a.x, mix);
            return;
        }
        write_inside(surface, clip, a, b, mix);
    };
    for (std::size_t i = 1; i < points.size(); ++i) segment(points[i - 1], points[i]);
    if (close == PathClose::Closed) segment(points.back(), points.front());
}

}  // namespace

void draw_thin_line(Surface& surface, const Rect& clip, POINT p0, POINT p1, Mix mix) {
    if (mix.is_nop() || clip.empty()) return;
    const Rect box = line_box(p0, p1);
    if (box_inside(box, clip)) {
        write_inside(surface, clip, p0, p1, mix);
        surface.add_damage(box);
        return;
    }
    write_clipped(surface, clip, p0, p1, mix);
    surface.add_damage(intersect(box, clip));
}

void draw_thin_polyline(Surface& surface, std::span<const Rect> clips, std::span<const POINT> given, PathClose close,
                        Mix mix) {
    if (mix.is_nop() || given.empty()) return;
    POINT lo = given.front(), hi = given.front();
    for (const POINT& p : given) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
    }
    const Rect box = line_box(lo, hi);
    if (clips.size() == 1 && box_inside(box, clips[0])) {
        if (mix.is_copy())
            write_path_inside<true>(surface, clips[0], given, close, mix);
        else
            write_path_inside<false>(surface, clips[0], given, close, mix);
        surface.add_damage(box);
        return;
    }
    // Curves' outlines cut by the clip: the same pixels in far fewer lines.
    const std::vector<POINT> joined = given.size() > 2 ? join_unit_runs(given) : std::vector<POINT>{};
    const std::span<const POINT> points = given.size() > 2 ? std::span<const POINT>(joined) : given;
    for (const Rect& clip : clips) {
        for (std::size_t i = 1; i < points.size(); ++i) write_thin_line(surface, clip, points[i - 1], points[i], mix);
        if (close == PathClose::Closed && points.size() > 1)
            write_thin_line(surface, clip, points.back(), points.front(), mix);
        surface.add_damage(intersect(box, clip));
    }
}

}  // namespace zg::raster
