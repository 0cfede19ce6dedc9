// Bézier flattening; see bezier.h. The work is in 28.4 fixed point, so subdivision stays exact
// for coordinates up to 2^26 and every rounding happens once, at the end.
#include "raster/bezier.h"

#include <cmath>
#include <cstdlib>

namespace zg::raster {

namespace {

struct Fixed {
    long long x, y;
};

Fixed mid(Fixed a, Fixed b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// Distance of p from the line a-b, compared with one pixel (16 in 28.4), without a square root.
bool near_chord(Fixed a, Fixed b, Fixed p) {
    const double dx = static_cast<double>(b.x - a.x), dy = static_cast<double>(b.y - a.y);
    const double cross = dx * static_cast<double>(p.y - a.y) - dy * static_cast<double>(p.x - a.x);
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0) return std::hypot(static_cast<double>(p.x - a.x), static_cast<double>(p.y - a.y)) <= 16;
    return cross * cross <= 256.0 * len2;
}

POINT to_point(Fixed f) { return {static_cast<LONG>((f.x + 8) >> 4), static_cast<LONG>((f.y + 8) >> 4)}; }

void subdivide(Fixed p0, Fixed p1, Fixed p2, Fixed p3, int depth, std::vector<POINT>& out) {
    if (depth == 0 || (near_chord(p0, p3, p1) && near_chord(p0, p3, p2))) {
        out.push_back(to_point(p3));
        return;
    }
    const Fixed a = mid(p0, p1), b = mid(p1, p2), c = mid(p2, p3);
    const Fixed d = mid(a, b), e = mid(b, c), m = mid(d, e);
    subdivide(p0, a, d, m, depth - 1, out);
    subdivide(m, e, c, p3, depth - 1, out);
}

Fixed fixed(const POINT& p) { return {static_cast<long long>(p.x) * 16, static_cast<long long>(p.y) * 16}; }

}  // namespace

std::vector<POINT> flatten_beziers(const POINT* points, std::size_t count) {
    std::vector<POINT> out;
    if (count == 0) return out;
    out.push_back(points[0]);
    for (std::size_t i = 0; i + 3 < count; i += 3)
        subdivide(fixed(points[i]), fixed(points[i + 1]), fixed(points[i + 2]), fixed(points[i + 3]), 8, out);
    return out;
}

}  // namespace zg::raster
