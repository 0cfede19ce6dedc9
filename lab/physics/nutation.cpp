// The turning points of the heavy top from the cubic written about the state's own tilt u0.
// With e3' = (L / I1) x e3, w^2 = |e3'|^2 (alpha - beta u0), p = (e3 x e3')_z = phi' sin^2 t
// (b - a u0) and x = u - u0, the textbook cubic f(u) = (1 - u^2)(alpha - beta u) - (b - a u)^2
// expands to
//   f(u0 + x) = c0 + c1 x + c2 x^2 + beta x^3,
//   c0 = u0'^2, c1 = 2 a p - 2 u0 w^2 - beta sin^2 t, c2 = 2 u0 beta - w^2 - a^2.
// Every coefficient comes from the state's vectors without the cancellations of the expanded
// form in u (which costs eps a^2 when u3 >> 1) or of 1 - u near the poles, and c0 >= 0 exactly.
// Since f(u0) >= 0 and f(+-1) <= 0, u1 - u0 lies in [0, 1 - u0] and u2 - u0 in [-(1 + u0), 0];
// each is found by Newton's method kept inside its bracket, and again on the cubic about the
// nearer pole when it lies closer to that pole than to u0. The third root follows from the sum of
// the roots, -c2 / beta, or from f(1) = -(b - a)^2 where the sum would cancel.
#include "lab/physics/closed_forms.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double EPS = std::numeric_limits<double>::epsilon();
// Relative distance from a boundary between shapes below which a motion counts as the boundary
// (steady, cusps).
constexpr double SHAPE_TOLERANCE = 1e-9;
// The state's own rounding blurs the boundaries by about eps a^2 / beta of their scales (6e-15
// for the toy at 200 rad/s, 2e-12 for a heavy top at 3000): closer than this bound on what
// rounding can do, a boundary counts as reached whatever SHAPE_TOLERANCE says. Past a^2 / beta
// = 1e7 the bound passes 1e-7, and shapes that close to a boundary read as the boundary.
constexpr double ROUNDING = 64 * EPS;

struct CenteredCubic {
    double c0, c1, c2, c3;
    double operator()(double x) const { return c0 + x * (c1 + x * (c2 + x * c3)); }
    double Slope(double x) const { return c1 + x * (2 * c2 + 3 * c3 * x); }
};

// The state seen from its own tilt: the cubic, the pieces of its coefficients, and 1 - u0,
// 1 + u0 each to full relative precision (from sin^2 where the difference would cancel).
struct Seen {
    CenteredCubic f;
    double u0, sine2, up, down;  // up = 1 - u0, down = 1 + u0
    double a, p, w2, beta;
};

Seen SeeState(const TopParameters& p, const TopState& s) {
    const Vector3 e = Normalized(s.axis);
    const Vector3 rate = (1 / p.transverseInertia) * Cross(s.momentum, e);
    Seen v{};
    v.u0 = e.z;
    v.sine2 = e.x * e.x + e.y * e.y;
    v.up = v.u0 > 0 ? v.sine2 / (1 + v.u0) : 1 - v.u0;
    v.down = v.u0 < 0 ? v.sine2 / (1 - v.u0) : 1 + v.u0;
    v.a = Dot(s.momentum, e) / p.transverseInertia;
    v.p = e.x * rate.y - e.y * rate.x;
    v.w2 = Dot(rate, rate);
    v.beta = 2 * p.GravityTorque() / p.transverseInertia;
    v.f = {rate.z * rate.z, 2 * v.a * v.p - 2 * v.u0 * v.w2 - v.beta * v.sine2, 2 * v.u0 * v.beta - v.w2 - v.a * v.a,
           v.beta};
    return v;
}

// The roots of c2 x^2 + c1 x + c0, the cubic without its cubic term: close starting points for
// Newton's method, exact ones for a fast top, where beta x^3 is tiny next to c2 x^2.
void QuadraticGuesses(const CenteredCubic& f, double& smaller, double& larger) {
    smaller = larger = 0;
    if (f.c2 == 0) {
        if (f.c1 != 0) smaller = larger = -f.c0 / f.c1;
        return;
    }
    const double q = -(f.c1 + std::copysign(std::sqrt(std::max(f.c1 * f.c1 - 4 * f.c2 * f.c0, 0.0)), f.c1)) / 2;
    if (q == 0) return;
    smaller = std::min(q / f.c2, f.c0 / q);
    larger = std::max(q / f.c2, f.c0 / q);
}

// The root of f strictly inside (positive, negative), the ends where f >= 0 and f <= 0 (in
// either order). Newton steps that stay inside the shrinking bracket, halvings otherwise,
// until a step no longer changes x.
double Root(const CenteredCubic& f, double positive, double negative, double guess) {
    const auto inside = [&](double x) { return std::min(positive, negative) < x && x < std::max(positive, negative); };
    double x = inside(guess) ? guess : (positive + negative) / 2;
    for (int i = 0; i < 200; ++i) {
        const double value = f(x);
        if (value == 0) return x;
        (value > 0 ? positive : negative) = x;
        const double slope = f.Slope(x), newton = slope != 0 ? x - value / slope : x;
        if (std::abs(newton - x) <= 2 * EPS * std::abs(x)) return newton;
        x = inside(newton) ? newton : (positive + negative) / 2;
        if (!inside(x)) return x;  // the bracket is two neighbouring doubles
    }
    return x;
}

// A turning point: x = u - u0, 1 - u and 1 + u, and sin t.
struct Turning {
    double x = 0, up = 0, down = 0, sine = 0;
};

Turning TurningAt(double x, double up, double down) {
    return {x, up, down, std::sqrt(std::max(up, 0.0) * std::max(down, 0.0))};
}

// The cubic about the pole u = 1 - z (toward = +1) or u = -1 + z (toward = -1), in z:
// f = -D^2 + (2 A -+ 2 a D) z + (+-2 beta - A - a^2) z^2 -+ beta z^3, A = alpha -+ beta = w^2 -+
// beta (1 -+ u0), D = b -+ a = p -+ a (1 -+ u0). At z = 0, f = -D^2 <= 0; at the state, f = c0.
CenteredCubic PoleCubic(const Seen& v, double toward) {
    const double gap = toward > 0 ? v.up : v.down;
    const double level = v.w2 - toward * v.beta * gap, lever = v.p - toward * v.a * gap;
    return {-lever * lever, 2 * level - toward * 2 * v.a * lever, toward * 2 * v.beta - level - v.a * v.a,
            -toward * v.beta};
}

// A turning point nearer a pole than the state is found again on the cubic about that pole,
// where 1 -+ u keeps the digits that the difference of u0 + x from the pole would lose.
Turning NearPole(const Seen& v, double x, double toward) {
    const double gap = toward > 0 ? v.up : v.down, z0 = gap - std::abs(x);
    if (!(z0 < std::abs(x))) return TurningAt(x, v.up - x, v.down + x);
    const double z = Root(PoleCubic(v, toward), gap, 0, z0);
    return toward > 0 ? TurningAt(v.up - z, z, 2 - z) : TurningAt(z - v.down, 2 - z, z);
}

// x1 in [0, up] and x2 in [-down, 0]. When c0 == 0, u0 is itself a root and the sign of c1
// says which: falling from u0 (c1 < 0) makes it u1, rising makes it u2.
void TurningPoints(const Seen& v, Turning& first, Turning& second) {
    double low = 0, high = 0;
    QuadraticGuesses(v.f, low, high);
    const bool top = v.f.c0 == 0 && v.f.c1 <= 0, bottom = v.f.c0 == 0 && v.f.c1 >= 0;
    first = NearPole(v, top || v.up == 0 ? 0 : Root(v.f, 0, v.up, high), 1);
    second = NearPole(v, bottom || v.down == 0 ? 0 : Root(v.f, 0, -v.down, low), -1);
}

// The tip's speed at the turning point u0 + x: |phi'| sin t = |p - a x| / sin t, and at the pole,
// where that is 0 / 0, the square root of w^2 - beta x.
double TipSpeed(const Seen& v, const Turning& t) {
    if (t.sine > 0) return std::abs(v.p - v.a * t.x) / t.sine;
    return std::sqrt(std::max(v.w2 - v.beta * t.x, 0.0));
}

// Whether the tip stops at the upper turning point: phi' sin^2 t = p - a x1 vanishes there, to
// within SHAPE_TOLERANCE of the speed at the lower one or the rounding of p (eps a sin^2 t0).
// At the pole the tip passes with the speed the energy gives, sqrt(w^2 - beta x1).
bool StopsAtTop(const Seen& v, const Turning& first, const Turning& second) {
    const double lower = TipSpeed(v, second);
    if (first.sine == 0) return TipSpeed(v, first) <= SHAPE_TOLERANCE * lower;
    const double rounding = ROUNDING * (std::abs(v.p) + std::abs(v.a) * (std::abs(first.x) + v.sine2));
    return std::abs(v.p - v.a * first.x) <= std::max(SHAPE_TOLERANCE * lower * first.sine, rounding);
}

// Steady when the width is below SHAPE_TOLERANCE of the cusps' width at this tilt and spin,
// beta sin^2 t0 / (a^2 + w^2 + 2 beta), or below what the rounding of c1 moves a root by.
TraceShape ShapeOf(const Seen& v, const Turning& first, const Turning& second) {
    const double scale = v.a * v.a + v.w2 + 2 * v.beta;
    const double c1Terms = 2 * std::abs(v.a * v.p) + 2 * std::abs(v.u0) * v.w2 + (v.beta + 2 * v.a * v.a) * v.sine2;
    const double steady = std::max(SHAPE_TOLERANCE * v.beta * v.sine2, ROUNDING * c1Terms) / scale;
    if (first.x - second.x <= steady) return TraceShape::STEADY;
    if (StopsAtTop(v, first, second)) return TraceShape::CUSPS;
    const double turn1 = v.p - v.a * first.x, turn2 = v.p - v.a * second.x;  // both carry the sign of phi'
    return turn1 * turn2 < 0 ? TraceShape::LOOPS : TraceShape::WAVES;
}

// u3 - u1. From f(1) = -(b - a)^2 = beta (1 - u1)(1 - u2)(1 - u3), u3 - 1 = (b - a)^2 / (beta
// (1 - u1)(1 - u2)): positive terms only, with b - a = p - a (1 - u0), where the sum of the roots
// would cancel when u3 and u1 both lie near the pole. Where u1 = 1 that is 0 / 0, and the sum
// of the roots, -c2 / beta, gives it.
double ThirdRootGap(const Seen& v, const Turning& first, const Turning& second) {
    if (!(first.up > 0)) return -(v.f.c2 + v.beta * (2 * first.x + second.x)) / v.beta;
    const double lever = v.p - v.a * v.up;
    return first.up + lever * lever / (v.beta * first.up * second.up);
}

// T = 4 K(k^2) / sqrt(beta (u3 - u2)), k^2 = (u1 - u2) / (u3 - u2), so 1 - k^2 = (u3 - u1) /
// (u3 - u2).
double PeriodOf(const Seen& v, double width, double gap) {
    const double span = v.beta * (gap + width);
    if (!(span > 0) || !(gap >= 0)) return std::numeric_limits<double>::infinity();
    return 4 * EllipticKComplementary(gap / (gap + width)) / std::sqrt(span);
}

double TiltOf(const Turning& t) { return std::atan2(t.sine, (t.down - t.up) / 2); }

NutationBounds BoundsOf(const Seen& v, const Turning& first, const Turning& second, bool balancing) {
    NutationBounds n;
    n.u1 = v.u0 + first.x;
    n.u2 = v.u0 + second.x;
    n.theta1 = TiltOf(first);
    n.theta2 = TiltOf(second);
    const double gap = ThirdRootGap(v, first, second);
    n.u3 = n.u1 + gap;
    n.period = balancing ? std::numeric_limits<double>::infinity() : PeriodOf(v, first.x - second.x, gap);
    n.shape = balancing ? TraceShape::STEADY : ShapeOf(v, first, second);
    n.balancing = balancing;
    return n;
}

bool Finite(const NutationBounds& n) {
    return std::isfinite(n.u1) && std::isfinite(n.u2) && std::isfinite(n.u3) && std::isfinite(n.theta1) &&
           std::isfinite(n.theta2) && !std::isnan(n.period);
}

}  // namespace

std::optional<NutationBounds> NutationOf(const TopParameters& p, const TopState& s) {
    if (CheckTop(p) != TopFault::NONE || !IsUsableState(s)) return std::nullopt;
    const Seen v = SeeState(p, s);
    Turning first = TurningAt(0, v.up, v.down), second = first;
    // Upright and at rest, u0 = 1 is a double root; the third, a^2 / beta - 1, lies below it
    // when the spin is under the sleeping threshold, and the top balances there.
    const bool balancing = v.sine2 == 0 && v.u0 > 0 && v.w2 == 0 && v.f.c2 >= 0;
    if (!balancing) TurningPoints(v, first, second);
    const NutationBounds n = BoundsOf(v, first, second, balancing);
    if (!Finite(n)) return std::nullopt;
    return n;
}
