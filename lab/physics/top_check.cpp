// Which tops and states the physics accepts. The ranges reach far beyond any top a lab holds;
// within them M = m g l, beta = 2 M / I1, a = L3 / I1 and the cubic's coefficients stay many
// orders of magnitude away from under- and overflow, so a refused top is one whose numbers
// would be meaningless, not merely unusual.
#include "lab/physics/top.h"

#include <cmath>

namespace {

bool Within(double value, double low, double high) { return low <= value && value <= high; }

bool AllFinite(const TopParameters& p) {
    const double values[] = {p.mass,         p.arm,           p.transverseInertia, p.axialInertia, p.gravity,
                             p.spinFriction, p.pivotFriction, p.diskRadius,        p.pivotHeight};
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

bool Finite(Vector3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

TopFault CheckTop(const TopParameters& p) {
    if (!AllFinite(p)) return TopFault::NOT_FINITE;
    if (!Within(p.mass, 1e-6, 1e4)) return TopFault::MASS;
    if (!Within(p.arm, 1e-6, 100)) return TopFault::ARM;
    if (!Within(p.gravity, 1e-3, 1e3)) return TopFault::GRAVITY;
    if (!Within(p.transverseInertia, 1e-15, 1e6)) return TopFault::TRANSVERSE_INERTIA;
    if (!Within(p.axialInertia, 1e-15, 1e6)) return TopFault::AXIAL_INERTIA;
    // A relative allowance for an I1 written as I1cm + m l^2 in decimal, rounded either way.
    if (p.transverseInertia < p.mass * p.arm * p.arm * (1 - 1e-12)) return TopFault::PIVOT_INERTIA;
    if (p.spinFriction < 0 || p.pivotFriction < 0) return TopFault::FRICTION;
    if (p.diskRadius < 0 || p.pivotHeight < 0) return TopFault::FLOOR;
    return TopFault::NONE;
}

const char* TopFaultText(TopFault fault) {
    switch (fault) {
    case TopFault::NONE: return "the top can be simulated";
    case TopFault::NOT_FINITE: return "a parameter is not a finite number";
    case TopFault::MASS: return "the mass must lie between 1 mg and 10 t";
    case TopFault::ARM: return "the arm must lie between 1 um and 100 m";
    case TopFault::GRAVITY: return "gravity must lie between 0.001 and 1000 m/s^2";
    case TopFault::TRANSVERSE_INERTIA: return "I1 must lie between 1e-15 and 1e6 kg m^2";
    case TopFault::AXIAL_INERTIA: return "I3 must lie between 1e-15 and 1e6 kg m^2";
    case TopFault::PIVOT_INERTIA: return "I1 about the pivot must include m l^2";
    case TopFault::FRICTION: return "a friction coefficient is negative";
    case TopFault::FLOOR: return "the disk radius or the pivot height is negative";
    }
    return "unknown fault";
}

bool IsUsableState(const TopState& s) {
    return Finite(s.axis) && Finite(s.momentum) && std::isfinite(s.time) && std::isfinite(s.dissipated) &&
           Norm(s.axis) > 0;
}
