// The turning points of the heavy top from the cubic written about the state's own tilt u0.
// With e3' = (L / I1) x e3, w^2 = |e3'|^2 (alpha - beta u0), p = (e3 x e3')_z = phi' sin^2 t
// (b - a u0) and x = u - u0, the textbook cubic f(u) = (1 - u^2)(alpha - beta u) - (b - a u)^2
// expands to
//   f(u0 + x) = c0 + c1 x + c2 x^2 + beta x^3,
//   c0 = u0'^2, c1 = 2 a p - 2 u0 w^2 - beta sin^2 t, c2 = 2 u0 beta - w^2 - a^2.
// Every coefficient comes from the state's vectors without the cancellations of the expanded
// form in u (which costs eps a^2 when u3 >> 1) or of 1 - u near the poles, and c0 >= 0 exactly.
// Since f(u0) >= 0 and f(+-1) <= 0, u1 - u0 lies in [0, 1 - u0] and u2 - u0 in [-(1 + u0), 0];
// each is found by Newton's method kept inside its bracket. The third root follows from the sum
// of the roots, -c2 / beta, with no cancellation when it is far away.
#include "lab/physics/closed_forms.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double EPS = std::numeric_limits<double>::epsilon();
// Relative distance from a boundary between shapes below which a motion counts as the boundary
// (steady, cusps). Rounding of the state moves the ratios by about eps a^2 / beta, so they sit
// at 1e-11 or below for any top within CheckTop's ranges at spins below 10^4 rad/s.
constexpr double SHAPE_TOLERANCE = 1e-9;

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

// x1 in [0, up] and x2 in [-down, 0]. When c0 == 0, u0 is itself a root and the sign of c1
// says which: falling from u0 (c1 < 0) makes it u1, rising makes it u2.
void TurningPoints(const Seen& v, double& x1, double& x2) {
    double low = 0, high = 0;
    QuadraticGuesses(v.f, low, high);
    const bool top = v.f.c0 == 0 && v.f.c1 <= 0, bottom = v.f.c0 == 0 && v.f.c1 >= 0;
    x1 = top || v.up == 0 ? 0 : Root(v.f, 0, v.up, high);
    x2 = bottom || v.down == 0 ? 0 : Root(v.f, 0, -v.down, low);
}

// The tip's speed at the turning point u0 + x: |phi'| sin t = |p - a x| / sin t, and at the pole,
// where that is 0 / 0, the square root of w^2 - beta x.
double TipSpeed(const Seen& v, double x, double sine) {
    if (sine > 0) return std::abs(v.p - v.a * x) / sine;
    return std::sqrt(std::max(v.w2 - v.beta * x, 0.0));
}

TraceShape ShapeOf(const Seen& v, double x1, double x2, double sine1, double sine2) {
    const double cuspWidth = v.beta * v.sine2 / (v.a * v.a + v.w2 + 2 * v.beta);
    if (x1 - x2 <= SHAPE_TOLERANCE * cuspWidth) return TraceShape::STEADY;
    if (TipSpeed(v, x1, sine1) <= SHAPE_TOLERANCE * TipSpeed(v, x2, sine2)) return TraceShape::CUSPS;
    const double turn1 = v.p - v.a * x1, turn2 = v.p - v.a * x2;  // both carry the sign of phi'
    return turn1 * turn2 < 0 ? TraceShape::LOOPS : TraceShape::WAVES;
}

// T = 4 K(k^2) / sqrt(beta (u3 - u2)), k^2 = (u1 - u2) / (u3 - u2); beta (u3 - u2) = -c2 -
// beta (x1 + 2 x2) from the sum of the roots.
double PeriodOf(const Seen& v, double x1, double x2) {
    const double span = -v.f.c2 - v.beta * (x1 + 2 * x2);
    if (!(span > 0)) return std::numeric_limits<double>::infinity();
    const double complement = (span - v.beta * (x1 - x2)) / span;
    return 4 * EllipticKComplementary(complement) / std::sqrt(span);
}

double TiltOf(double up, double down, double cosine, double& sine) {
    sine = std::sqrt(std::max(up, 0.0) * std::max(down, 0.0));
    return std::atan2(sine, cosine);
}

bool Finite(const NutationBounds& n) {
    return std::isfinite(n.u1) && std::isfinite(n.u2) && std::isfinite(n.u3) && std::isfinite(n.theta1) &&
           std::isfinite(n.theta2) && !std::isnan(n.period);
}

}  // namespace

std::optional<NutationBounds> NutationOf(const TopParameters& p, const TopState& s) {
    if (CheckTop(p) != TopFault::NONE || !IsUsableState(s)) return std::nullopt;
    const Seen v = SeeState(p, s);
    NutationBounds n;
    double x1 = 0, x2 = 0;
    // Upright and at rest, u0 = 1 is a double root; the third, a^2 / beta - 1, lies below it
    // when the spin is under the sleeping threshold, and the top balances there.
    n.balancing = v.sine2 == 0 && v.u0 > 0 && v.w2 == 0 && v.f.c2 >= 0;
    if (!n.balancing) TurningPoints(v, x1, x2);
    double sine1 = 0, sine2 = 0;
    n.theta1 = TiltOf(v.up - x1, v.down + x1, v.u0 + x1, sine1);
    n.theta2 = TiltOf(v.up - x2, v.down + x2, v.u0 + x2, sine2);
    n.u1 = v.u0 + x1;
    n.u2 = v.u0 + x2;
    n.u3 = v.u0 + x2 + (-v.f.c2 - v.beta * (x1 + 2 * x2)) / v.beta;
    n.period = n.balancing ? std::numeric_limits<double>::infinity() : PeriodOf(v, x1, x2);
    n.shape = n.balancing ? TraceShape::STEADY : ShapeOf(v, x1, x2, sine1, sine2);
    if (!Finite(n)) return std::nullopt;
    return n;
}
