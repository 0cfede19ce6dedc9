// Conversions, energies and the floor of the heavy symmetric top. With e3 = (sin t sin f,
// -sin t cos f, cos t) the axis moves as de3/dt = t' e_t + f' sin t e_f, and L = I1 e3 x de3/dt
// + I3 w3 e3; going back, de3/dt = (L / I1) x e3 gives both rates by projection.
#include "lab/physics/top.h"

#include <cmath>

namespace {

// The unit vectors along increasing theta and increasing phi at the given angles.
Vector3 ThetaDirection(double theta, double phi) {
    return {std::cos(theta) * std::sin(phi), -std::cos(theta) * std::cos(phi), -std::sin(theta)};
}

Vector3 PhiDirection(double phi) { return {std::cos(phi), std::sin(phi), 0}; }

Vector3 AxisFromAngles(double theta, double phi) {
    return {std::sin(theta) * std::sin(phi), -std::sin(theta) * std::cos(phi), std::cos(theta)};
}

}  // namespace

TopState FromEuler(const TopParameters& p, const EulerMotion& m) {
    const Vector3 axis = AxisFromAngles(m.theta, m.phi);
    const Vector3 axisRate =
        m.thetaRate * ThetaDirection(m.theta, m.phi) + m.phiRate * std::sin(m.theta) * PhiDirection(m.phi);
    TopState s;
    s.axis = axis;
    s.momentum = p.transverseInertia * Cross(axis, axisRate) + p.axialInertia * m.spin * axis;
    return s;
}

EulerMotion ToEuler(const TopParameters& p, const TopState& s) {
    const Vector3 e = s.axis;
    EulerMotion m;
    m.theta = std::atan2(std::hypot(e.x, e.y), e.z);
    m.phi = std::atan2(e.x, -e.y);
    const bool moving = CheckTop(p) == TopFault::NONE;  // a refused top reads its angles only
    const Vector3 axisRate = moving ? Cross((1 / p.transverseInertia) * s.momentum, e) : Vector3{};
    m.thetaRate = Dot(axisRate, ThetaDirection(m.theta, m.phi));
    const double sine = std::sin(m.theta);
    m.phiRate = sine > 1e-12 ? Dot(axisRate, PhiDirection(m.phi)) / sine : 0;
    m.spin = SpinRate(p, s);
    m.psiRate = m.spin - m.phiRate * std::cos(m.theta);
    return m;
}

double SpinRate(const TopParameters& p, const TopState& s) {
    return CheckTop(p) == TopFault::NONE ? Dot(s.momentum, s.axis) / p.axialInertia : 0;
}

TopEnergy Energy(const TopParameters& p, const TopState& s) {
    if (CheckTop(p) != TopFault::NONE) return {};
    const double axial = Dot(s.momentum, s.axis);
    TopEnergy e;
    e.kinetic = Dot(s.momentum, s.momentum) / (2 * p.transverseInertia) +
                (1 / (2 * p.axialInertia) - 1 / (2 * p.transverseInertia)) * axial * axial;
    e.potential = p.GravityTorque() * s.axis.z;
    return e;
}

TopInvariants InvariantsOf(const TopParameters& p, const TopState& s) {
    return {Norm(s.axis), s.momentum.z, Dot(s.momentum, s.axis), Energy(p, s).Total()};
}

double RimClearance(const TopParameters& p, const TopState& s) {
    const double sine = std::hypot(s.axis.x, s.axis.y);
    return p.pivotHeight + p.arm * s.axis.z - p.diskRadius * sine;
}
