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

// Roots of I1 cos(t0) W^2 - L3 W + M = 0, or nothing when no steady precession exists at t0 (or
// the top is refused, see CheckTop).
std::optional<SteadyPrecession> SteadyPrecessionRates(const TopParameters& p, double theta0, double spin);

// The fast-top approximation of the slow rate: M / L3 (0 for a refused top).
double FastTopPrecession(const TopParameters& p, double spin);

// Frequency of small nutations about steady precession at rate omega:
// w_n^2 = (a - 2 omega cos t)^2 + omega^2 sin^2 t (0 for a refused top).
double SmallNutationFrequency(const TopParameters& p, double theta0, double spin, double omega);

// Upright rotation is stable above w_c = sqrt(4 M I1) / I3 (0 for a refused top).
double SleepingThreshold(const TopParameters& p);

// STEADY: no nutation (its width is below 1e-9 of the cusps' width at the same tilt and spin).
// CUSPS: the tip stops at the upper turning point (its speed there below 1e-9 of its speed at
// the lower one). LOOPS: phi' changes sign between the turning points. WAVES: it keeps its sign;
// a trace through the pole counts as waves, since the tip crosses it without stopping. For very
// fast tops the 1e-9 widens to what rounding of the state can do (see nutation.cpp).
enum class TraceShape { STEADY, WAVES, LOOPS, CUSPS };

struct NutationBounds {
    double u1 = 1, u2 = 1, u3 = 1;  // the cubic's roots, u2 <= u1 <= 1 <= u3 (unless balancing)
    double theta1 = 0, theta2 = 0;  // rad, theta1 <= theta2
    // s; the small-nutation limit when theta1 == theta2; infinite when balancing
    double period = 0;
    TraceShape shape = TraceShape::STEADY;
    // Upright at rest below the sleeping threshold: the exact motion stays upright (theta1 =
    // theta2 = 0, shape STEADY), but the balance is unstable and any disturbance topples it,
    // down to u3 = a^2 / beta - 1 (then below 1).
    bool balancing = false;
};

// The turning points, period and shape that the state's invariants give; nothing for a top
// CheckTop refuses or a state that is not usable. Found on the cubic written about the state's
// own tilt u0, f(u0 + x) = c0 + c1 x + c2 x^2 + beta x^3, whose coefficients come from the state
// without cancellation (c0 = u0'^2 >= 0), with one root in [u0, 1] and one in [-1, u0].
std::optional<NutationBounds> NutationOf(const TopParameters& p, const TopState& s);

// K(m), the complete elliptic integral of the first kind with parameter m = k^2, by the
// arithmetic-geometric mean: K = pi / (2 AGM(1, sqrt(1 - m))); infinite for m >= 1.
double EllipticK(double m);
// The same from the complementary parameter 1 - m, which near m = 1 keeps the digits that
// 1 - m computed from m would lose.
double EllipticKComplementary(double complement);

const char* TraceShapeName(TraceShape shape);
