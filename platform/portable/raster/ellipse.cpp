// Midpoint ellipses; see ellipse.h.
#include "raster/ellipse.h"

#include "raster/spans.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zg::raster {

namespace {

__extension__ typedef __int128 Wide;

// The error terms of Zingl's algorithm for semi-axes a = width - 1, b = height - 1 (doubled
// axes, so odd and even sizes share one loop). The terms grow as a * b * b: past a box of about
// 916,000 pixels they leave 64 bits, so such boxes keep them in 128.
template <class Int>
struct Stepper {
    Stepper(long long width, long long height)
        : a(width - 1), b(height - 1), asq(8 * a * a), bsq(8 * b * b), dx(4 * b * b * (1 - a)),
          dy(4 * a * a * (1 + b % 2)), err(dx + dy + a * a * (b % 2)) {}
    Int a, b, asq, bsq, dx, dy, err;
};

// Boxes up to this size step in 64 bits.
constexpr long long narrow_size = 1 << 16;

template <class Int>
void step_quadrant(int width, int height, std::vector<POINT>& points) {
    Stepper<Int> s(width, height);
    POINT pt{width - 1, height / 2};
    while (pt.x >= width / 2) {
        const Int e2 = 2 * s.err;
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
}

}  // namespace

std::vector<POINT> ellipse_quadrant(int width, int height) {
    std::vector<POINT> points;
    // About one point per pixel of the longer semi-axis and a half.
    points.reserve(static_cast<std::size_t>(std::max(width, height) + 2));
    if (width <= narrow_size && height <= narrow_size)
        step_quadrant<long long>(width, height, points);
    else
        step_quadrant<Wide>(width, height, points);
    return points;
}

namespace {

// The rows of round_rect_region, top to bottom: rows.band(top, bottom, x0, x1) for rows of one
// span [x0, x1) (all corner rows, each a band of one row, and the straight middle).
template <class Rows>
void round_rect_rows(long long left, long long top, long long right, long long bottom, long long corner_w,
                     long long corner_h, Rows& rows) {
    --right;
    --bottom;
    if (right <= left || bottom <= top) return;
    const long long ew = std::min(right - left, std::abs(corner_w));
    const long long eh = std::min(bottom - top, std::abs(corner_h));

    if (ew < 2 || eh < 2) {
        rows.band(top, bottom, left, right);
        return;
    }
    // inset[i] is how far row i of the corner ellipse stays in from each side. For tall, narrow
    // corners the stepping ends before it reaches the last rows; Windows leaves those rows
    // undefined (Wine fills them with whatever its heap held), here they stay empty.
    constexpr long long unset = -1;
    std::vector<long long> inset(static_cast<std::size_t>(eh), unset);
    Stepper<Wide> s(ew, eh);
    long long x = 0, y = eh / 2;
    inset[static_cast<std::size_t>(y)] = 0;
    while (x <= ew / 2) {
        const Wide e2 = 2 * s.err;
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
    for (long long i = 0; i < eh / 2; ++i)
        inset[static_cast<std::size_t>(i)] = inset[static_cast<std::size_t>(eh - 1 - i)];
    auto add = [&](long long yy, long long in) {
        if (in != unset) rows.band(yy, yy + 1, left + in, right - in);
    };
    for (long long i = 0; i < eh / 2; ++i) add(top + i, inset[static_cast<std::size_t>(i)]);
    rows.band(top + eh / 2, bottom - eh + eh / 2 + 1, left, right);
    for (long long i = eh / 2 + 1; i < eh; ++i) add(bottom - eh + i, inset[static_cast<std::size_t>(i)]);
}

}  // namespace

Region round_rect_region(long long left, long long top, long long right, long long bottom, long long corner_w,
                         long long corner_h) {
    struct Builder {
        RegionBuilder builder{BandMerge::Keep};
        std::vector<Span> row;
        void band(long long t, long long b, long long x0, long long x1) {
            row.assign(1, Span{static_cast<int>(x0), static_cast<int>(x1)});
            builder.add_band(static_cast<int>(t), static_cast<int>(b), row);
        }
    } rows;
    round_rect_rows(left, top, right, bottom, corner_w, corner_h, rows);
    return rows.builder.finish();
}

void fill_round_rect(Surface& surface, long long left, long long top, long long right, long long bottom,
                     long long corner_w, long long corner_h, Mix mix) {
    // The damage is the region's extents cut by the surface, as a region fill's.
    struct Filler {
        Surface& surface;
        Mix mix;
        Rect extents{};
        void band(long long t, long long b, long long x0, long long x1) {
            if (x0 >= x1 || t >= b) return;
            extents =
                unite(extents, {static_cast<int>(x0), static_cast<int>(t), static_cast<int>(x1), static_cast<int>(b)});
            const long long y0 = std::max<long long>(t, 0), y1 = std::min<long long>(b, surface.height());
            const int a = static_cast<int>(std::max<long long>(x0, 0));
            const int c = static_cast<int>(std::min<long long>(x1, surface.width()));
            for (long long y = y0; y < y1; ++y) fill_span(surface, static_cast<int>(y), a, c, mix);
        }
    } rows{surface, mix};
    if (mix.is_nop()) return;
    round_rect_rows(left, top, right, bottom, corner_w, corner_h, rows);
    const Rect damage = intersect(rows.extents, surface.bounds());
    if (!damage.empty()) surface.add_damage(damage);
}

namespace {

// How far a row keeps in from each side: in the top or bottom corner zone, the corner ellipse's
// inset at the row's pixel centre, rounded so that a pixel counts when its centre is inside.
long long row_inset(long long top, long long bottom, long long y, long double semi_w, long double semi_h) {
    const long double centre = static_cast<long double>(y) + 0.5L;
    const long double from_edge =
        std::min(centre - static_cast<long double>(top), static_cast<long double>(bottom) - centre);
    if (semi_h <= 0 || from_edge >= semi_h) return 0;
    const long double t = (semi_h - from_edge) / semi_h;
    const long double inset = semi_w - semi_w * std::sqrt(std::max(0.0L, 1.0L - t * t));
    return static_cast<long long>(std::ceil(inset - 0.5L));
}

}  // namespace

Region large_round_rect_region(long long left, long long top, long long right, long long bottom, long long corner_w,
                               long long corner_h, const Rect& clip) {
    const long double semi_w = static_cast<long double>(std::min(right - left, std::abs(corner_w))) / 2;
    const long double semi_h = static_cast<long double>(std::min(bottom - top, std::abs(corner_h))) / 2;
    RegionBuilder builder;
    std::vector<Span> row;
    const long long first = std::max<long long>(top, clip.top), last = std::min<long long>(bottom, clip.bottom);
    for (long long y = first; y < last; ++y) {
        const long long in = row_inset(top, bottom, y, semi_w, semi_h);
        const long long x0 = std::max<long long>(left + in, clip.left);
        const long long x1 = std::min<long long>(right - in, clip.right);
        if (x0 >= x1) continue;
        row.assign(1, Span{static_cast<int>(x0), static_cast<int>(x1)});
        builder.add_row(static_cast<int>(y), row);
    }
    return builder.finish();
}

std::vector<POINT> round_rect_outline(const Rect& box, int corner_w, int corner_h) {
    const std::vector<POINT> q = ellipse_quadrant(corner_w, corner_h);
    std::vector<POINT> out(q.size() * 4);
    POINT* next = out.data();
    // Sums of two coordinates leave int for a box near INT_MIN or INT_MAX; the mirrored point
    // itself lies inside the box, so only the sum needs 64 bits.
    const int ox = box.right - corner_w, oy = box.bottom - corner_h;  // lower-right corner box
    auto mirror_x = [&](int x) { return static_cast<LONG>(static_cast<long long>(box.left) + box.right - 1 - x); };
    auto mirror_y = [&](int y) { return static_cast<LONG>(static_cast<long long>(box.top) + box.bottom - 1 - y); };
    // Counter-clockwise on the screen from the right end of the upper right corner, as GDI
    // walks it (a styled pen's pattern starts there): upper right up to the top, then upper
    // left, lower left and lower right, each traversed so the path runs around the box.
    for (const POINT& p : q) *next++ = {ox + p.x, mirror_y(oy + p.y)};
    for (auto it = q.rbegin(); it != q.rend(); ++it) *next++ = {mirror_x(ox + it->x), mirror_y(oy + it->y)};
    for (const POINT& p : q) *next++ = {mirror_x(ox + p.x), oy + p.y};
    for (auto it = q.rbegin(); it != q.rend(); ++it) *next++ = {ox + it->x, oy + it->y};
    return out;
}

namespace {

// A direction from the ellipse's centre, x right and y down: angles grow clockwise on the
// screen, and outline points are numbered in that order from the +x axis, a quarter of the
// outline at a time.
struct Direction {
    long long x = 0, y = 0;
};

// The quarter of the plane a radial points into: 0 lower right, 1 lower left, 2 upper left,
// 3 upper right; the axes go with the quarter that begins at them, except that a radial on the
// -x axis is taken as lower left (GDI searches it there).
long long quarter_of(const Direction& d) {
    if (d.y >= 0) return d.x >= 0 ? 0 : 1;
    return d.x < 0 ? 2 : 3;
}

// Point k of quarter `quarter` of the ellipse whose lower-right quarter is q: each quarter is
// q mirrored into it and run in order of angle.
Direction quarter_point(const std::vector<POINT>& q, long long quarter, long long k) {
    const long long count = static_cast<long long>(q.size());
    const POINT& fwd = q[static_cast<std::size_t>(k)];
    const POINT& back = q[static_cast<std::size_t>(count - 1 - k)];
    switch (quarter) {
    case 0: return {fwd.x, fwd.y};
    case 1: return {-static_cast<long long>(back.x), back.y};
    case 2: return {-static_cast<long long>(fwd.x), -static_cast<long long>(fwd.y)};
    default: return {back.x, -static_cast<long long>(back.y)};
    }
}

// The number of the outline point where an arc meets its radial: within the radial's quarter,
// the first point the radial has reached, or the first point of the next quarter when it
// reaches none. Within one quarter the cross product orders angles. A point lying exactly on
// the radial (the centre included) is a tie, which GDI settles by where the radial points
// (measured): a radial into the lower half reaches it, one into the upper half does not.
long long radial_position(const std::vector<POINT>& q, const Direction& radial) {
    const long long count = static_cast<long long>(q.size());
    const long long quarter = quarter_of(radial);
    const bool tie_reaches = radial.y >= 0;
    // Angles grow along a quarter, so the points the radial has reached are its tail.
    long long lo = 0, hi = count;
    while (lo < hi) {
        const long long mid = lo + (hi - lo) / 2;
        const Direction p = quarter_point(q, quarter, mid);
        const long long turn = radial.x * p.y - radial.y * p.x;
        if (turn > 0 || (turn == 0 && tie_reaches))
            hi = mid;
        else
            lo = mid + 1;
    }
    return quarter * count + lo;
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
    const long long start_pos = radial_position(q, {start.x, ys});
    long long end_pos = radial_position(q, {end.x, ye});
    if (end_pos <= start_pos) end_pos += 4 * count;
    // An even size has two middle columns (rows): points right of the centre are placed from
    // the left one, points left of it from the right one, so the outline stays symmetric. A
    // counter-clockwise arc was found on the ellipse mirrored top to bottom: mirror it back.
    const long long mid_left = box.left + width / 2, mid_top = box.top + height / 2;
    const long long mid_right = box.right - 1 - width / 2, mid_bottom = box.bottom - 1 - height / 2;
    std::vector<POINT> out(static_cast<std::size_t>(end_pos - start_pos));
    POINT* next = out.data();
    // A quarter at a time, its points numbered from the quarter's start: quarter_point's
    // mirroring as signs and a point run forwards (quarters 0 and 2) or backwards.
    for (long long i = start_pos; i < end_pos;) {
        const long long at = i % (4 * count), quarter = at / count, from = at % count;
        const long long to = std::min(count, from + (end_pos - i));
        const bool left_side = quarter == 1 || quarter == 2, upper_side = quarter >= 2;
        const bool lower_half = upper_side != clockwise;  // on the screen, once mirrored back
        const long long x0 = left_side ? mid_right : mid_left, y0 = lower_half ? mid_top : mid_bottom;
        const long long sx = left_side ? -1 : 1, sy = upper_side == clockwise ? -1 : 1;
        const bool forwards = quarter % 2 == 0;
        for (long long k = from; k < to; ++k) {
            const POINT& p = q[static_cast<std::size_t>(forwards ? k : count - 1 - k)];
            *next++ = {static_cast<LONG>(x0 + sx * p.x), static_cast<LONG>(y0 + sy * p.y)};
        }
        i += to - from;
    }
    return out;
}

}  // namespace zg::raster
