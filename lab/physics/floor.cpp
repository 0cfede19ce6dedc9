// The rim's clearance as a function of the tilt alone: h + l cos(t) - R sin(t), which is
// h + rho cos(t + delta) with rho = sqrt(l^2 + R^2) and delta = atan2(R, l). It falls from the
// upright to its lowest at t = pi - delta, then rises again towards the hanging position.
#include "lab/physics/floor.h"

#include "lab/physics/closed_forms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double ClearanceAt(const TopParameters& p, double theta) {
    return p.pivotHeight + p.arm * std::cos(theta) - p.diskRadius * std::sin(theta);
}

}  // namespace

std::optional<FloorContact> FloorContactTilts(const TopParameters& p) {
    if (CheckTop(p) != TopFault::NONE) return std::nullopt;
    const double rho = std::hypot(p.arm, p.diskRadius), delta = std::atan2(p.diskRadius, p.arm);
    if (p.pivotHeight > rho) return std::nullopt;
    const double gamma = std::acos(-p.pivotHeight / rho);  // in [pi/2, pi]: t + delta at first contact
    return FloorContact{gamma - delta, std::min(2 * std::numbers::pi - gamma - delta, std::numbers::pi)};
}

double LowestRimClearance(const TopParameters& p, double theta1, double theta2) {
    const double lowest = std::numbers::pi - std::atan2(p.diskRadius, p.arm);
    const double ends = std::min(ClearanceAt(p, theta1), ClearanceAt(p, theta2));
    return theta1 <= lowest && lowest <= theta2 ? std::min(ends, ClearanceAt(p, lowest)) : ends;
}

bool ReachesFloor(const TopParameters& p, const TopState& s) {
    if (CheckTop(p) != TopFault::NONE || !IsUsableState(s) || RimClearance(p, s) <= 0) return true;
    const auto nutation = NutationOf(p, s);
    return !nutation || LowestRimClearance(p, nutation->theta1, nutation->theta2) <= 0;
}
