// NutationOf against a reference of 54 releases of six tops computed at 80 digits by
// nutation_reference.py: steady slow and fast roots, waves, cusps and loops and their near
// misses, starts with theta' != 0, near the pole and through it, upright above and below the
// sleeping threshold, hanging, pendulums without spin, and fast tops with u3 >> 1.
#include "lab/physics/closed_forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

struct Body {
    double mass, arm, transverseInertia, axialInertia;
};

enum class PhiRate { RATE, SLOW, FAST };  // phi'0 in rad/s, or a factor of a steady rate

struct Case {
    const char* name;
    Body top;
    double theta0, thetaRate;
    PhiRate kind;
    double value, spin;
    double theta1, theta2, period;
    TraceShape shape;
    bool balancing;
};

constexpr double INF = std::numeric_limits<double>::infinity();
#include "nutation_reference.inc"

// The measured largest errors are 7.2e-15 rad and 2e-14 of the period (the printed line);
// the bounds leave room for another libm, far below the 1e-5 of the closed forms before.
constexpr double THETA_TOLERANCE = 1e-13, PERIOD_TOLERANCE = 1e-12;

TopParameters ParametersOf(const Body& b) {
    TopParameters p;
    p.mass = b.mass, p.arm = b.arm, p.transverseInertia = b.transverseInertia, p.axialInertia = b.axialInertia;
    return p;
}

// As the program releases a top: phi'0 from the steady rate computed in double precision.
TopState Released(const Case& c, const TopParameters& p) {
    EulerMotion m;
    m.theta = c.theta0, m.thetaRate = c.thetaRate, m.spin = c.spin, m.phiRate = c.value;
    if (c.kind != PhiRate::RATE) {
        const auto rates = SteadyPrecessionRates(p, c.theta0, c.spin);
        EXPECT_TRUE(rates.has_value()) << c.name;
        if (rates) m.phiRate = c.value * (c.kind == PhiRate::SLOW ? rates->slow : rates->fast);
    }
    return FromEuler(p, m);
}

double PeriodError(double period, double expected) {
    if (std::isinf(expected)) return std::isinf(period) ? 0 : INF;
    return std::abs(period / expected - 1);
}

TEST(NutationReferenceTest, TurningPointsPeriodAndShapeOfEveryRelease) {
    double worstTheta1 = 0, worstTheta2 = 0, worstPeriod = 0;
    for (const Case& c : CASES) {
        const TopParameters p = ParametersOf(c.top);
        const auto n = NutationOf(p, Released(c, p));
        ASSERT_TRUE(n.has_value()) << c.name;
        EXPECT_NEAR(n->theta1, c.theta1, THETA_TOLERANCE) << c.name;
        EXPECT_NEAR(n->theta2, c.theta2, THETA_TOLERANCE) << c.name;
        EXPECT_LE(PeriodError(n->period, c.period), PERIOD_TOLERANCE) << c.name << ": " << n->period;
        EXPECT_EQ(TraceShapeName(n->shape), std::string(TraceShapeName(c.shape))) << c.name;
        EXPECT_EQ(n->balancing, c.balancing) << c.name;
        worstTheta1 = std::max(worstTheta1, std::abs(n->theta1 - c.theta1));
        worstTheta2 = std::max(worstTheta2, std::abs(n->theta2 - c.theta2));
        worstPeriod = std::max(worstPeriod, PeriodError(n->period, c.period));
    }
    std::printf("NutationOf, %zu releases: largest error theta1 %.1e rad, theta2 %.1e rad, period %.1e relative\n",
                std::size(CASES), worstTheta1, worstTheta2, worstPeriod);
}

}  // namespace
