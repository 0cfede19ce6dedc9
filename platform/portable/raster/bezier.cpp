// Bézier flattening; see bezier.h. Derived from GDI's output, not from documentation: probes
// drew thousands of curves (one pixel to 10^9 pixels wide, negative and far coordinates,
// several segments) and this rule reproduces every pixel of every one.
//
// A piece of curve is flat when, along the major axis of its chord (x when |dy| <= |dx|):
//  - both control points lie within the chord's extent. GDI asks "is the control point before
//    the start?" first and, when it is not, wants it no further than the end; so on a chord
//    running towards smaller coordinates, a control point level with the start counts as
//    outside and the piece is split;
//  - the chord's slope, in whole 28.4 units of the minor axis per pixel of the major axis
//    (division truncating towards zero), puts each control point within one pixel of the
//    chord along the minor axis, measured from the control point's major coordinate rounded
//    to pixels. A chord shorter than half a pixel along its major axis has no slope: it is
//    flat once the extent test passes.
// Midpoints are (a + b + 1) / 2 with a division truncating towards zero, so they round up for
// positive sums and move towards zero for negative ones. All of it is 32-bit arithmetic that
// wraps, as GDI's is; the wrapping is written out so that it is defined behaviour here.
#include "raster/bezier.h"

#include <cstdint>
#include <cstdlib>

namespace zg::raster {

namespace {

using Fixed = std::int32_t;  // 28.4 fixed point
constexpr Fixed kPixel = 16;
constexpr int kMaxDepth = 8;

struct FixedPoint {
    Fixed x, y;
};
using Axis = Fixed FixedPoint::*;
using Piece = FixedPoint[4];  // start, control, control, end

Fixed wrap(long long v) { return static_cast<Fixed>(static_cast<std::uint32_t>(static_cast<unsigned long long>(v))); }
Fixed diff(Fixed a, Fixed b) { return wrap(static_cast<long long>(a) - b); }
Fixed halfway(Fixed a, Fixed b) { return wrap(wrap(static_cast<long long>(a) + b + 1) / 2); }
FixedPoint halfway(FixedPoint a, FixedPoint b) { return {halfway(a.x, b.x), halfway(a.y, b.y)}; }
Fixed to_pixels(Fixed v) { return wrap(static_cast<long long>(v) + kPixel / 2) >> 4; }
FixedPoint to_fixed(const POINT& p) { return {wrap(p.x * 16LL), wrap(p.y * 16LL)}; }

bool within_extent(Fixed start, Fixed control, Fixed end) {
    if (control < start) return control >= end;
    return control <= end;
}

bool near_chord(const FixedPoint& start, const FixedPoint& control, Fixed slope, Axis major, Axis minor) {
    const Fixed along = to_pixels(diff(control.*major, start.*major));
    const Fixed off = diff(diff(control.*minor, start.*minor), wrap(static_cast<long long>(slope) * along));
    return std::llabs(off) <= kPixel;
}

bool is_flat(const Piece& q) {
    const Fixed dx = diff(q[3].x, q[0].x), dy = diff(q[3].y, q[0].y);
    const Axis major = std::llabs(dy) <= std::llabs(dx) ? &FixedPoint::x : &FixedPoint::y;
    const Axis minor = major == &FixedPoint::x ? &FixedPoint::y : &FixedPoint::x;
    for (int i : {1, 2})
        if (!within_extent(q[0].*major, q[i].*major, q[3].*major)) return false;
    const Fixed run = to_pixels(diff(q[3].*major, q[0].*major));
    if (run == 0) return true;
    const Fixed slope = wrap(static_cast<long long>(diff(q[3].*minor, q[0].*minor)) / run);
    return near_chord(q[0], q[1], slope, major, minor) && near_chord(q[0], q[2], slope, major, minor);
}

void subdivide(const Piece& q, int depth, std::vector<POINT>& out) {
    if (depth == kMaxDepth || is_flat(q)) {
        out.push_back({to_pixels(q[3].x), to_pixels(q[3].y)});
        return;
    }
    const FixedPoint a = halfway(q[0], q[1]), b = halfway(q[1], q[2]), c = halfway(q[2], q[3]);
    const FixedPoint d = halfway(a, b), e = halfway(b, c), m = halfway(d, e);
    const Piece first = {q[0], a, d, m}, second = {m, e, c, q[3]};
    subdivide(first, depth + 1, out);
    subdivide(second, depth + 1, out);
}

}  // namespace

std::vector<POINT> flatten_beziers(const POINT* points, std::size_t count) {
    std::vector<POINT> out;
    if (count == 0) return out;
    out.push_back(points[0]);
    for (std::size_t i = 0; i + 3 < count; i += 3) {
        const Piece q = {to_fixed(points[i]), to_fixed(points[i + 1]), to_fixed(points[i + 2]),
                         to_fixed(points[i + 3])};
        subdivide(q, 0, out);
    }
    return out;
}

}  // namespace zg::raster
