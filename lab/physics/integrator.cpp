// The splitting integrator. Each part is an exact flow: friction alone scales the axial and
// transverse parts of L by exponentials (e3 fixed), gravity alone adds a constant torque (e3
// fixed), and the free symmetric top turns e3 rigidly about the fixed L at the rate |L| / I1.
// The energy the friction part removes is added to `dissipated` exactly, so E + dissipated is
// conserved up to the splitting error alone.
#include "lab/physics/top.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

void Damp(const TopParameters& p, TopState& s, double h) {
    if (p.spinFriction == 0 && p.pivotFriction == 0) return;
    const double axial = Dot(s.momentum, s.axis);
    const Vector3 transverse = s.momentum - axial * s.axis;
    const double axialAfter = axial * std::exp(-p.spinFriction * h / p.axialInertia);
    const double transverseScale = std::exp(-p.pivotFriction * h / p.transverseInertia);
    s.momentum = axialAfter * s.axis + transverseScale * transverse;
    const double transverseSquared = Dot(transverse, transverse);
    s.dissipated += (axial * axial - axialAfter * axialAfter) / (2 * p.axialInertia) +
                    transverseSquared * (1 - transverseScale * transverseScale) / (2 * p.transverseInertia);
}

void Kick(const TopParameters& p, TopState& s, double h) { s.momentum += (h * p.GravityTorque()) * Cross(UP, s.axis); }

// Rodrigues' rotation of e3 about the unit vector n = L / |L| by the angle |L| h / I1.
void Drift(const TopParameters& p, TopState& s, double h) {
    const double size = Norm(s.momentum);
    if (size == 0) return;
    const Vector3 n = (1 / size) * s.momentum;
    const double angle = size * h / p.transverseInertia;
    const double c = std::cos(angle), sn = std::sin(angle);
    const Vector3 e = s.axis;
    s.axis = c * e + sn * Cross(n, e) + ((1 - c) * Dot(n, e)) * n;
}

void SymmetricStep(const TopParameters& p, TopState& s, double h) {
    Damp(p, s, h / 2);
    Kick(p, s, h / 2);
    Drift(p, s, h);
    Kick(p, s, h / 2);
    Damp(p, s, h / 2);
    s.time += h;
}

}  // namespace

bool StepTop(const TopParameters& p, TopState& s, double h, Integrator order) {
    if (!(h > 0) || !std::isfinite(h) || CheckTop(p) != TopFault::NONE || !IsUsableState(s)) return false;
    if (order == Integrator::SECOND_ORDER) {
        SymmetricStep(p, s, h);
        return true;
    }
    // Yoshida's triple jump: weights w, 1 - 2w, w with w = 1 / (2 - 2^(1/3)).
    static const double outer = 1 / (2 - std::cbrt(2.0));
    const double start = s.time;
    SymmetricStep(p, s, outer * h);
    SymmetricStep(p, s, (1 - 2 * outer) * h);
    SymmetricStep(p, s, outer * h);
    s.time = start + h;
    return true;
}

std::optional<double> StableStep(const TopParameters& p, const TopState& s, double maxStep) {
    if (!(maxStep > 0) || !std::isfinite(maxStep) || CheckTop(p) != TopFault::NONE || !IsUsableState(s))
        return std::nullopt;
    double h = std::min(maxStep, 0.1 * std::sqrt(p.transverseInertia / p.GravityTorque()));
    const double size = Norm(s.momentum);
    if (size > 0) h = std::min(h, 0.1 * p.transverseInertia / size);
    if (!(h >= std::numeric_limits<double>::min())) return std::nullopt;
    return h;
}
