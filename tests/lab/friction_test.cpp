// The friction laws: spin friction decays w3 exponentially and conserves E - L3^2 / (2 I3); pivot
// friction conserves L3 and damps the nutation at about c / I1 while the mean tilt grows. In
// both, the energy lost equals the energy dissipated.
#include "lab/physics/closed_forms.h"
#include "physics_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double MILLISECOND = 1e-3;

double SpinFreeEnergy(const TopParameters& p, const TopState& s) {
    const double axial = Dot(s.momentum, s.axis);
    return Energy(p, s).Total() - axial * axial / (2 * p.axialInertia);
}

TEST(SpinFrictionTest, SpinDecaysExactlyAndTheTopSinksAsTheReferenceSays) {
    TopParameters p = ToyTop();
    const double slow = SteadyPrecessionRates(p, 60 * DEGREE, 200)->slow;
    TopState s = Release(p, 60 * DEGREE, slow, 200);
    p.spinFriction = 5e-6;
    const double e0 = Energy(p, s).Total(), free0 = SpinFreeEnergy(p, s);
    Integrate(p, s, MILLISECOND, 500, Integrator::FOURTH_ORDER);
    EXPECT_NEAR(Tilt(s) / DEGREE, 60.03, 0.01);
    Integrate(p, s, MILLISECOND, 19500, Integrator::FOURTH_ORDER);
    EXPECT_NEAR(SpinRate(p, s), 200 * std::exp(-1.0), 1e-9);
    EXPECT_NEAR(Tilt(s) / DEGREE, 63.89, 0.05);
    EXPECT_NEAR(SpinFreeEnergy(p, s), free0, 1e-6 * p.GravityTorque());
    EXPECT_NEAR(Energy(p, s).Total() + s.dissipated, e0, 1e-6 * p.GravityTorque());
    Integrate(p, s, MILLISECOND, 20000, Integrator::FOURTH_ORDER);
    EXPECT_NEAR(Tilt(s) / DEGREE, 90.76, 0.2);
}

// Width of the tilt's swing and its mean over the next 0.2 s: three nutation periods, short
// enough for the slow fall of the mean tilt to add little to the width.
struct Swing {
    double width, mean;
};

Swing NextSwing(const TopParameters& p, TopState& s) {
    double low = 10, high = -10;
    Integrate(p, s, MILLISECOND, 200, Integrator::FOURTH_ORDER, [&](const TopState& t) {
        low = std::min(low, Tilt(t));
        high = std::max(high, Tilt(t));
    });
    return {high - low, (high + low) / 2};
}

TEST(PivotFrictionTest, NutationDecaysAtTheReferenceRateAndTheTopFalls) {
    TopParameters p = ToyTop();
    p.pivotFriction = 2e-5;
    TopState s = Release(p, 60 * DEGREE, 0, 200);
    const double l3 = Dot(s.momentum, s.axis), e0 = Energy(p, s).Total();
    const Swing first = NextSwing(p, s);
    EXPECT_NEAR(first.mean / DEGREE, 61.06, 0.1);
    Integrate(p, s, MILLISECOND, 9800, Integrator::FOURTH_ORDER);
    const Swing later = NextSwing(p, s);
    EXPECT_NEAR(std::log(first.width / later.width) / 10, 0.1010, 0.004);
    Integrate(p, s, MILLISECOND, 19300, Integrator::FOURTH_ORDER);
    double low = 10, high = -10;
    Integrate(p, s, MILLISECOND, 1000, Integrator::FOURTH_ORDER,
              [&](const TopState& t) { low = std::min(low, Tilt(t)), high = std::max(high, Tilt(t)); });
    EXPECT_NEAR((low + high) / 2 / DEGREE, 64.08, 0.1);
    EXPECT_NEAR(Dot(s.momentum, s.axis), l3, 1e-12 * l3);  // rounding alone, whatever the libm
    EXPECT_GT(s.dissipated, 0);
    EXPECT_NEAR(Energy(p, s).Total() + s.dissipated, e0, 1e-6 * p.GravityTorque());
}

TEST(FloorTest, TheRimTouchesTheFloorJustBelowTheHorizontal) {
    const TopParameters p = ToyTop();
    EXPECT_GT(RimClearance(p, Release(p, 90 * DEGREE, 0, 0)), 0);
    EXPECT_LT(RimClearance(p, Release(p, 100 * DEGREE, 0, 0)), 0);
    EXPECT_NEAR(RimClearance(p, Release(p, 0, 0, 0)), 0.09, 1e-15);
}

}  // namespace
