// Midpoint ellipses; see ellipse.h.
#include "raster/ellipse.h"

#include <algorithm>
#include <cstdint>

namespace zg::raster {

namespace {

// The error terms of Zingl's algorithm for semi-axes a = width - 1, b = height - 1 (doubled
// axes, so odd and even sizes share one loop).
struct Stepper {
    Stepper(long long width, long long height)
        : a(width - 1), b(height - 1), asq(8 * a * a), bsq(8 * b * b), dx(4 * b * b * (1 - a)),
          dy(4 * a * a * (1 + b % 2)), err(dx + dy + a * a * (b % 2)) {}
    long long a, b, asq, bsq, dx, dy, err;
};

}  // namespace

std::vector<POINT> ellipse_quadrant(int width, int height) {
    std::vector<POINT> points;
    Stepper s(width, height);
    POINT pt{static_cast<LONG>(s.a), height / 2};
    while (pt.x >= width / 2) {
        const long long e2 = 2 * s.err;
        points.push_back(pt);
        if (e2 >= s.dx) {
            --pt.x;
            s.err += s.dx += s.bsq;
        }
        if (e2 <= s.dy) {
            ++pt.y;
            s.err += s.dy += s.asq;
        }
    }
    return points;
}

Region round_rect_region(long long left, long long top, long long right, long long bottom,
                         long long corner_w, long long corner_h) {
    --right;
    --bottom;
    if (right <= left || bottom <= top) return {};
    const long long ew = std::min(right - left, std::abs(corner_w));
    const long long eh = std::min(bottom - top, std::abs(corner_h));
    auto rect = [](long long l, long long t, long long r, long long b) {
        return Rect{static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b)};
    };
    if (ew < 2 || eh < 2) return make_rect_region(rect(left, top, right, bottom));
    // inset[i] is how far row i of the corner ellipse stays in from each side. For tall, narrow
    // corners the stepping ends before it reaches the last rows; Windows leaves those rows
    // undefined (Wine fills them with whatever its heap held), here they stay empty.
    constexpr long long unset = -1;
    std::vector<long long> inset(static_cast<std::size_t>(eh), unset);
    Stepper s(ew, eh);
    long long x = 0, y = eh / 2;
    inset[static_cast<std::size_t>(y)] = 0;
    while (x <= ew / 2) {
        const long long e2 = 2 * s.err;
        if (e2 >= s.dx) {
            ++x;
            s.err += s.dx += s.bsq;
        }
        if (e2 <= s.dy) {
            ++y;
            s.err += s.dy += s.asq;
            if (y < eh) inset[static_cast<std::size_t>(y)] = x;
        }
    }
    for (long long i = 0; i < eh / 2; ++i) inset[static_cast<std::size_t>(i)] = inset[static_cast<std::size_t>(s.b - i)];
    RegionBuilder builder(BandMerge::Keep);
    std::vector<Span> row;
    auto add = [&](long long yy, long long in) {
        if (in == unset) return;
        row.assign(1, Span{static_cast<int>(left + in), static_cast<int>(right - in)});
        builder.add_row(static_cast<int>(yy), row);
    };
    for (long long i = 0; i < eh / 2; ++i) add(top + i, inset[static_cast<std::size_t>(i)]);
    row.assign(1, Span{static_cast<int>(left), static_cast<int>(right)});
    builder.add_band(static_cast<int>(top + eh / 2), static_cast<int>(bottom - eh + eh / 2 + 1), row);
    for (long long i = eh / 2 + 1; i < eh; ++i) add(bottom - eh + i, inset[static_cast<std::size_t>(i)]);
    return builder.finish();
}

std::vector<POINT> round_rect_outline(const Rect& box, int corner_w, int corner_h) {
    const std::vector<POINT> q = ellipse_quadrant(corner_w, corner_h);
    std::vector<POINT> out;
    out.reserve(q.size() * 4);
    const int ox = box.right - corner_w, oy = box.bottom - corner_h;  // lower-right corner box
    auto mirror_x = [&](int x) { return box.left + box.right - 1 - x; };
    auto mirror_y = [&](int y) { return box.top + box.bottom - 1 - y; };
    // Lower right, from the right side down to the bottom; then lower left, upper left, upper
    // right, each traversed so the path runs around the box.
    for (const POINT& p : q) out.push_back({ox + p.x, oy + p.y});
    for (auto it = q.rbegin(); it != q.rend(); ++it) out.push_back({mirror_x(ox + it->x), oy + it->y});
    for (const POINT& p : q) out.push_back({mirror_x(ox + p.x), mirror_y(oy + p.y)});
    for (auto it = q.rbegin(); it != q.rend(); ++it) out.push_back({ox + it->x, mirror_y(oy + it->y)});
    return out;
}

namespace {

// The position, counted around the whole outline from the +x axis towards +y (y down), of the
// first outline point that the radial (x, y) reaches. q is the lower-right quadrant relative to
// the centre, from the x axis to the y axis. Each quadrant is searched on q mirrored into it;
// whether a point lying exactly on the radial counts as reached depends on the quadrant, as
// in GDI: it does in the first and fourth quadrants, it does not in the second and third.
long long find_intersection(const std::vector<POINT>& q, long long x, long long y) {
    const long long count = static_cast<long long>(q.size());
    auto first = [&](auto reached) {
        long long i = 0;
        while (i < count && !reached(static_cast<long long>(q[static_cast<std::size_t>(i)].x),
                                     static_cast<long long>(q[static_cast<std::size_t>(i)].y)))
            ++i;
        return i;
    };
    if (y >= 0 && x >= 0) return first([&](long long px, long long py) { return px * y <= py * x; });
    if (y >= 0) return 2 * count - first([&](long long px, long long py) { return px * y < py * -x; });
    if (x >= 0) return 4 * count - first([&](long long px, long long py) { return px * -y <= py * x; });
    return 2 * count + first([&](long long px, long long py) { return px * -y < py * -x; });
}

}  // namespace

std::vector<POINT> arc_outline(const Rect& box, POINT start, POINT end, int direction) {
    const int width = box.width(), height = box.height();
    std::vector<POINT> q = ellipse_quadrant(width, height);
    for (POINT& p : q) {
        p.x -= width / 2;
        p.y -= height / 2;
    }
    const long long count = static_cast<long long>(q.size());
    if (count == 0) return {};
    // Positions run clockwise on the screen; a counter-clockwise arc is found on the ellipse
    // mirrored top to bottom, so its radials are mirrored too.
    const bool clockwise = direction == AD_CLOCKWISE;
    const long long ys = clockwise ? start.y : -static_cast<long long>(start.y);
    const long long ye = clockwise ? end.y : -static_cast<long long>(end.y);
    const long long start_pos = find_intersection(q, start.x, ys);
    long long end_pos = find_intersection(q, end.x, ye);
    if (end_pos <= start_pos) end_pos += 4 * count;
    const int cx = box.left + width / 2, cy = box.top + height / 2;
    const int rx = box.right - 1 - width / 2, by = box.bottom - 1 - height / 2;
    // Mirrored top to bottom for counter-clockwise arcs.
    auto lower = [&](int y) { return clockwise ? cy + y : by - y; };
    auto upper = [&](int y) { return clockwise ? by - y : cy + y; };
    std::vector<POINT> out;
    out.reserve(static_cast<std::size_t>(end_pos - start_pos));
    for (long long i = start_pos; i < end_pos; ++i) {
        const long long k = i % count;
        const POINT& fwd = q[static_cast<std::size_t>(k)];
        const POINT& back = q[static_cast<std::size_t>(count - 1 - k)];
        switch ((i / count) % 4) {
        case 0: out.push_back({cx + fwd.x, lower(fwd.y)}); break;
        case 1: out.push_back({rx - back.x, lower(back.y)}); break;
        case 2: out.push_back({rx - fwd.x, upper(fwd.y)}); break;
        default: out.push_back({cx + back.x, upper(back.y)}); break;
        }
    }
    return out;
}

}  // namespace zg::raster
