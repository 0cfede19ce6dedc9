// The heavy symmetric top on a fixed pivot: its parameters, its state, conversions from and to
// Euler angles, its energies and invariants, the floor, and the step that advances it.
//
// Conventions: z up; Euler angles z-x-z (phi precession, theta tilt from the upward vertical, psi
// spin). I1 is the transverse moment about the pivot (it includes m l^2), I3 the moment about the
// symmetry axis. The state is the unit symmetry axis e3 and the angular momentum L about the pivot,
// both in space axes, which has no singularity at theta = 0 where Euler angles have one.
// Equations: de3/dt = (L / I1) x e3, dL/dt = M (z x e3) + friction torques, M = m g l.
// Friction: spin friction -k w3 e3 and pivot friction -c L_perp / I1.
#pragma once

#include "lab/physics/vector3.h"

#include <cmath>
#include <optional>

struct TopParameters {
    double mass = 0.1;                // kg
    double arm = 0.04;                // m, pivot to centre of mass
    double transverseInertia = 2e-4;  // I1 about the pivot, kg m^2
    double axialInertia = 1e-4;       // I3, kg m^2
    double gravity = 9.81;            // m/s^2
    double spinFriction = 0;          // k, N m s
    double pivotFriction = 0;         // c, N m s
    double diskRadius = 0.0447;       // m, the rim that can touch the floor
    double pivotHeight = 0.05;        // m, pivot above the floor

    double GravityTorque() const { return mass * gravity * arm; }  // M = m g l
};

// Why a top cannot be simulated, or NONE. Every quantity must be finite; mass, arm, gravity and
// both inertias positive and within the range of real tops (a milligram to ten tonnes, a
// micrometre to a hundred metres), so that no product or quotient of them under- or overflows;
// I1 about the pivot at least m l^2 (it includes it: an I1 about the centre of mass is refused);
// frictions, disk radius and pivot height not negative.
enum class TopFault {
    NONE,
    NOT_FINITE,
    MASS,
    ARM,
    GRAVITY,
    TRANSVERSE_INERTIA,
    AXIAL_INERTIA,
    PIVOT_INERTIA,
    FRICTION,
    FLOOR
};
// Inline, since every step asks.
inline TopFault CheckTop(const TopParameters& p) {
    // NONE inside [low, high]; NaN and infinities fail the comparisons and are told apart after.
    const auto range = [](double value, double low, double high, TopFault fault) {
        if (low <= value && value <= high) return TopFault::NONE;
        return std::isfinite(value) ? fault : TopFault::NOT_FINITE;
    };
    constexpr double ANY = 1.7e308;
    const TopFault faults[] = {
        range(p.mass, 1e-6, 1e4, TopFault::MASS), range(p.arm, 1e-6, 100, TopFault::ARM),
        range(p.gravity, 1e-3, 1e3, TopFault::GRAVITY),
        range(p.transverseInertia, 1e-15, 1e6, TopFault::TRANSVERSE_INERTIA),
        range(p.axialInertia, 1e-15, 1e6, TopFault::AXIAL_INERTIA),
        // A relative allowance for an I1 written as I1cm + m l^2 in decimal, rounded either way.
        range(p.transverseInertia - p.mass * p.arm * p.arm * (1 - 1e-12), 0, ANY, TopFault::PIVOT_INERTIA),
        range(p.spinFriction, 0, ANY, TopFault::FRICTION), range(p.pivotFriction, 0, ANY, TopFault::FRICTION),
        range(p.diskRadius, 0, ANY, TopFault::FLOOR), range(p.pivotHeight, 0, ANY, TopFault::FLOOR)};
    for (TopFault fault : faults)
        if (fault != TopFault::NONE) return fault;
    return TopFault::NONE;
}
// One sentence a program can show for the fault.
const char* TopFaultText(TopFault fault);

struct TopState {
    Vector3 axis{0, 0, 1};  // e3, unit
    Vector3 momentum;       // L about the pivot
    double time = 0;        // s
    double dissipated = 0;  // J taken out by friction since the start
};

struct EulerMotion {
    double theta = 0, phi = 0;          // rad
    double thetaRate = 0, phiRate = 0;  // rad/s
    double spin = 0;                    // w3 = psi' + phi' cos(theta), rad/s
    double psiRate = 0;                 // rad/s
};

struct TopEnergy {
    double kinetic = 0, potential = 0;
    double Total() const { return kinetic + potential; }
};

// Finite, with an axis of nonzero length: a state the step and the closed forms accept.
bool IsUsableState(const TopState& s);

// Angles and rates to the state; at theta = 0 phi only orients the axis' direction of motion.
TopState FromEuler(const TopParameters& p, const EulerMotion& motion);
// The state back to angles and rates. At the pole, where phi' is undefined, it reads 0; for a
// top CheckTop refuses, all rates read 0.
EulerMotion ToEuler(const TopParameters& p, const TopState& s);

// Both are 0 for a top CheckTop refuses.
double SpinRate(const TopParameters& p, const TopState& s);  // w3 = (L . e3) / I3
TopEnergy Energy(const TopParameters& p, const TopState& s);

// What the frictionless motion conserves: |e3| = 1, Lz = L . z, L3 = L . e3, and the energy.
struct TopInvariants {
    double axisLength, verticalMomentum, axialMomentum, energy;
};
TopInvariants InvariantsOf(const TopParameters& p, const TopState& s);

// Height of the lowest point of the disk's rim above the floor, for a disk of radius diskRadius
// centred on the axis at the arm's distance from the pivot. The top rests when it reaches 0.
double RimClearance(const TopParameters& p, const TopState& s);

enum class Integrator { SECOND_ORDER, FOURTH_ORDER };

// One step of length h: the symmetric splitting damp h/2, kick h/2, drift h (the free top
// exactly), kick h/2, damp h/2 (Hairer, Lubich & Wanner, Geometric Numerical Integration, VII.5);
// FOURTH_ORDER composes three of them with Yoshida's triple-jump weights. Refuses (false, the
// state untouched) a top CheckTop refuses, a state that is not usable, or a step that is not
// positive and finite.
bool StepTop(const TopParameters& p, TopState& s, double h, Integrator order);

// The largest step that keeps the drift's rotation angle |L| h / I1 and the kick's h sqrt(M / I1)
// at 0.1 or below, never above maxStep; nothing for a refused top, a state that is not usable,
// a maxStep that is not positive and finite, or a motion so fast that the step would underflow.
std::optional<double> StableStep(const TopParameters& p, const TopState& s, double maxStep);
