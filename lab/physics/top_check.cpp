// What the physics says about the tops and states it refuses (CheckTop itself is inline in
// top.h). Its ranges reach far beyond any top a lab holds; within them M = m g l, beta = 2 M / I1,
// a = L3 / I1 and the cubic's coefficients stay many orders of magnitude away from under- and
// overflow, so a refused top is one whose numbers would be meaningless, not merely unusual.
#include "lab/physics/top.h"

#include <cmath>

namespace {

bool Finite(Vector3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

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
