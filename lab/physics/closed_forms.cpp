// Closed forms of the frictionless top. The cubic's largest root u3 > 1 is bracketed and found by
// bisection (f(1) <= 0 and f grows without bound), then divided out, so the two physical roots
// come from a quadratic solved in its cancellation-free form and are polished by Newton's method
// on the factored cubic while they are apart.
#include "lab/physics/closed_forms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// f(u) = (1 - u^2)(alpha - beta u) - (b - a u)^2, evaluated in this factored form: near u = 1,
// where a nearly upright top nutates, the expanded coefficients cancel to a few digits.
struct Cubic {
    double a, b, alpha, beta;
    double operator()(double u) const {
        const double lever = b - a * u;
        return (1 - u) * (1 + u) * (alpha - beta * u) - lever * lever;
    }
    double Slope(double u) const {
        return -2 * u * (alpha - beta * u) - beta * (1 - u) * (1 + u) + 2 * a * (b - a * u);
    }
    // Expanded: beta u^3 + c2 u^2 + c1 u + c0.
    double C2() const { return -(alpha + a * a); }
    double C1() const { return 2 * a * b - beta; }
};

// A few Newton steps on f from a root of the deflated quadratic, which loses digits when the
// quadratic's roots are close; a step that would leave the bracket or meets a flat f is skipped.
double Polish(const Cubic& f, double u) {
    for (int i = 0; i < 3; ++i) {
        const double slope = f.Slope(u);
        if (slope == 0) return u;
        const double next = u - f(u) / slope;
        if (!(std::abs(next - u) < 1e-6)) return u;
        u = next;
    }
    return u;
}

double LargestRoot(const Cubic& f) {
    double low = 1, high = 2;
    while (f(high) <= 0 && high < 1e12) high *= 2;
    for (int i = 0; i < 200 && high - low > 1e-16 * high; ++i) {
        const double middle = (low + high) / 2;
        (f(middle) > 0 ? high : low) = middle;
    }
    return (low + high) / 2;
}

// Roots of u^2 + p u + q, smaller first; a negative discriminant (rounding at a double root)
// counts as zero.
void QuadraticRoots(double p, double q, double& smaller, double& larger) {
    const double root = std::sqrt(std::max(p * p - 4 * q, 0.0));
    const double big = -(p + std::copysign(root, p)) / 2;
    if (big == 0) {
        smaller = larger = 0;
        return;
    }
    smaller = std::min(big, q / big);
    larger = std::max(big, q / big);
}

TraceShape ShapeOf(double u1, double u2, double a, double b) {
    const double width = u1 - u2;
    if (width < 1e-7)  // a double root is only found to about the square root of rounding
        return TraceShape::STEADY;
    const double turn = b / a;  // where phi' changes sign
    if (std::abs(turn - u1) <= 1e-6 * width) return TraceShape::CUSPS;
    if (u2 < turn && turn < u1) return TraceShape::LOOPS;
    return TraceShape::WAVES;
}

}  // namespace

std::optional<SteadyPrecession> SteadyPrecessionRates(const TopParameters& p, double theta0, double spin) {
    const double quadratic = p.transverseInertia * std::cos(theta0);
    const double linear = -p.axialInertia * spin, constant = p.GravityTorque();
    if (std::abs(quadratic) < 1e-15 * std::max(std::abs(linear), 1e-300)) {
        if (linear == 0) return std::nullopt;
        return SteadyPrecession{-constant / linear, -constant / linear};
    }
    const double discriminant = linear * linear - 4 * quadratic * constant;
    if (discriminant < 0) return std::nullopt;
    const double q = -(linear + std::copysign(std::sqrt(discriminant), linear)) / 2;
    if (q == 0) return std::nullopt;
    const double first = q / quadratic, second = constant / q;
    return std::abs(first) < std::abs(second) ? SteadyPrecession{first, second} : SteadyPrecession{second, first};
}

double FastTopPrecession(const TopParameters& p, double spin) { return p.GravityTorque() / (p.axialInertia * spin); }

double SmallNutationFrequency(const TopParameters& p, double theta0, double spin, double omega) {
    const double a = p.axialInertia * spin / p.transverseInertia;
    const double along = a - 2 * omega * std::cos(theta0), across = omega * std::sin(theta0);
    return std::sqrt(along * along + across * across);
}

double SleepingThreshold(const TopParameters& p) {
    return std::sqrt(4 * p.GravityTorque() * p.transverseInertia) / p.axialInertia;
}

double EllipticK(double m) {
    if (m >= 1) return HUGE_VAL;
    double a = 1, g = std::sqrt(1 - m);
    for (int i = 0; i < 40 && std::abs(a - g) > 1e-16 * a; ++i) {
        const double mean = (a + g) / 2;
        g = std::sqrt(a * g);
        a = mean;
    }
    return std::numbers::pi / (2 * a);
}

std::optional<NutationBounds> NutationOf(const TopParameters& p, const TopState& s) {
    const double torque = p.GravityTorque(), i1 = p.transverseInertia;
    if (!(torque > 0) || !(i1 > 0) || !(p.axialInertia > 0)) return std::nullopt;
    const double axial = Dot(s.momentum, s.axis);
    const double a = axial / i1, b = s.momentum.z / i1;
    const double spinEnergy = axial * axial / (2 * p.axialInertia);
    const double alpha = 2 * (Energy(p, s).Total() - spinEnergy) / i1, beta = 2 * torque / i1;
    const Cubic f{a, b, alpha, beta};
    NutationBounds n;
    n.u3 = LargestRoot(f);
    const double linear = f.C2() / beta + n.u3;
    QuadraticRoots(linear, f.C1() / beta + linear * n.u3, n.u2, n.u1);
    if (n.u1 - n.u2 > 1e-7) {
        n.u1 = Polish(f, n.u1);
        n.u2 = Polish(f, n.u2);
    }
    n.u1 = std::clamp(n.u1, -1.0, 1.0);
    n.u2 = std::clamp(n.u2, -1.0, n.u1);
    n.theta1 = std::acos(n.u1);
    n.theta2 = std::acos(n.u2);
    const double scale = beta * (n.u3 - n.u2);
    n.period = 4 * EllipticK((n.u1 - n.u2) / (n.u3 - n.u2)) / std::sqrt(scale);
    n.shape = ShapeOf(n.u1, n.u2, a, b);
    return n;
}

const char* TraceShapeName(TraceShape shape) {
    switch (shape) {
    case TraceShape::STEADY: return "steady";
    case TraceShape::WAVES: return "waves";
    case TraceShape::LOOPS: return "loops";
    case TraceShape::CUSPS: return "cusps";
    }
    return "?";
}
