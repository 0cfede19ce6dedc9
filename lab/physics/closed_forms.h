// The textbook's closed forms for the frictionless heavy symmetric top (Goldstein, Classical
// Mechanics 3rd ed. 5.7; Landau & Lifshitz, Mechanics 35). With u = cos(theta), a = L3 / I1,
// b = Lz / I1, alpha = 2 (E - L3^2 / (2 I3)) / I1 and beta = 2 M / I1, the tilt obeys
// u'^2 = f(u) = (1 - u^2)(alpha - beta u) - (b - a u)^2, a cubic with roots u2 <= u1 <= 1 < u3.
// The tilt nutates between theta1 = acos(u1) and theta2 = acos(u2).
#pragma once

#include "lab/physics/top.h"

#include <optional>

struct SteadyPrecession {
    double slow = 0, fast = 0;  // rad/s; one root only (slow == fast) at the horizontal
};

// Roots of I1 cos(t0) W^2 - L3 W + M = 0, or nothing when no steady precession exists at t0.
std::optional<SteadyPrecession> SteadyPrecessionRates(const TopParameters& p, double theta0, double spin);

// The fast-top approximation of the slow rate: M / L3.
double FastTopPrecession(const TopParameters& p, double spin);

// Frequency of small nutations about steady precession at rate omega:
// w_n^2 = (a - 2 omega cos t)^2 + omega^2 sin^2 t.
double SmallNutationFrequency(const TopParameters& p, double theta0, double spin, double omega);

// Upright rotation is stable above w_c = sqrt(4 M I1) / I3.
double SleepingThreshold(const TopParameters& p);

enum class TraceShape { STEADY, WAVES, LOOPS, CUSPS };

struct NutationBounds {
    double u1 = 1, u2 = 1, u3 = 1;  // the cubic's roots, u2 <= u1 <= 1 < u3
    double theta1 = 0, theta2 = 0;  // rad, theta1 <= theta2
    double period = 0;              // s; the small-nutation limit when theta1 == theta2
    TraceShape shape = TraceShape::STEADY;
};

// The turning points, period and shape that the state's invariants give; nothing for a top
// without gravity or spin-less cases where the cubic degenerates (M <= 0).
std::optional<NutationBounds> NutationOf(const TopParameters& p, const TopState& s);

// K(m), the complete elliptic integral of the first kind with parameter m = k^2, by the
// arithmetic-geometric mean: K = pi / (2 AGM(1, sqrt(1 - m))).
double EllipticK(double m);

const char* TraceShapeName(TraceShape shape);
