// Closed forms of the frictionless top: steady precession, the sleeping threshold, the elliptic
// integral of the nutation period (the turning points themselves are in nutation.cpp).
#include "lab/physics/closed_forms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

std::optional<SteadyPrecession> SteadyPrecessionRates(const TopParameters& p, double theta0, double spin) {
    if (CheckTop(p) != TopFault::NONE || !std::isfinite(theta0) || !std::isfinite(spin)) return std::nullopt;
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

double FastTopPrecession(const TopParameters& p, double spin) {
    return CheckTop(p) == TopFault::NONE ? p.GravityTorque() / (p.axialInertia * spin) : 0;
}

double SmallNutationFrequency(const TopParameters& p, double theta0, double spin, double omega) {
    if (CheckTop(p) != TopFault::NONE) return 0;
    const double a = p.axialInertia * spin / p.transverseInertia;
    const double along = a - 2 * omega * std::cos(theta0), across = omega * std::sin(theta0);
    return std::sqrt(along * along + across * across);
}

double SleepingThreshold(const TopParameters& p) {
    if (CheckTop(p) != TopFault::NONE) return 0;
    return std::sqrt(4 * p.GravityTorque() * p.transverseInertia) / p.axialInertia;
}

double EllipticK(double m) { return EllipticKComplementary(1 - m); }

double EllipticKComplementary(double complement) {
    if (!(complement > 0)) return HUGE_VAL;
    double a = 1, g = std::sqrt(complement);
    for (int i = 0; i < 40 && std::abs(a - g) > 1e-16 * a; ++i) {
        const double mean = (a + g) / 2;
        g = std::sqrt(a * g);
        a = mean;
    }
    return std::numbers::pi / (2 * a);
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
