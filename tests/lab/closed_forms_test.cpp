// The closed forms against the reference values, which an independent high-order integration
// and a symbolic derivation agree on to 1e-11 or better.
#include "lab/physics/closed_forms.h"
#include "lab/physics/floor.h"
#include "physics_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

NutationBounds BoundsOf(const TopParameters& p, const TopState& s) {
    const auto bounds = NutationOf(p, s);
    EXPECT_TRUE(bounds.has_value());
    return bounds.value_or(NutationBounds{});
}

TEST(SteadyPrecessionTest, BothRootsAtSixtyDegreesAndTheFastTopApproximation) {
    const auto rates = SteadyPrecessionRates(ToyTop(), 60 * DEGREE, 200);
    ASSERT_TRUE(rates.has_value());
    EXPECT_NEAR(rates->slow, 1.981634374, 1e-9);
    EXPECT_NEAR(rates->fast, 198.018366, 1e-6);
    EXPECT_NEAR(FastTopPrecession(ToyTop(), 200), 1.962, 1e-3);
}

TEST(SteadyPrecessionTest, NoneForASlowTopAboveTheHorizontalOneAtTheHorizontal) {
    EXPECT_FALSE(SteadyPrecessionRates(ToyTop(), 60 * DEGREE, 10).has_value());
    const auto level = SteadyPrecessionRates(ToyTop(), 90 * DEGREE, 200);
    ASSERT_TRUE(level.has_value());
    EXPECT_NEAR(level->slow, 0.03924 / (1e-4 * 200), 1e-9);
    // Below the horizontal the top hangs: the two roots have opposite signs.
    const auto hanging = SteadyPrecessionRates(ToyTop(), 120 * DEGREE, 200);
    ASSERT_TRUE(hanging.has_value());
    EXPECT_LT(hanging->slow * hanging->fast, 0);
}

TEST(SteadyPrecessionTest, SmallNutationFrequencyTendsToTheFastTopValue) {
    const double slow = SteadyPrecessionRates(ToyTop(), 60 * DEGREE, 200)->slow;
    const double frequency = SmallNutationFrequency(ToyTop(), 60 * DEGREE, 200, slow);
    EXPECT_NEAR(frequency / (1e-4 * 200 / 2e-4), 1, 0.03);
    EXPECT_GT(std::abs(frequency - 100), 0.5);  // the correction is real, not zero
}

TEST(CuspTest, TurningPointsPeriodAndShape) {
    const TopParameters p = ToyTop();
    const NutationBounds n = BoundsOf(p, Release(p, 60 * DEGREE, 0, 200));
    EXPECT_NEAR(n.theta1 / DEGREE, 60, 1e-9);
    EXPECT_NEAR(n.theta2 / DEGREE, 62.00423957, 1e-8);
    EXPECT_NEAR(n.period, 64.04213855e-3, 6e-12);  // half the reference's last digit
    EXPECT_GT(n.u3, 1);
    EXPECT_EQ(n.shape, TraceShape::CUSPS);
}

TEST(CuspTest, NutationFrequencyAtThreeSpins) {
    const TopParameters p = ToyTop();
    const double spins[] = {100, 200, 300};
    const double expected[] = {46.7722, 98.1102, 148.7126};
    for (int i = 0; i < 3; ++i) {
        const NutationBounds n = BoundsOf(p, Release(p, 60 * DEGREE, 0, spins[i]));
        EXPECT_NEAR(2 * std::numbers::pi / n.period, expected[i], 1e-4) << "spin " << spins[i];
    }
}

TEST(PresetShapeTest, RangesAndShapesForEachInitialPrecessionRate) {
    const TopParameters p = ToyTop();
    const double slow = SteadyPrecessionRates(p, 60 * DEGREE, 200)->slow;
    struct Case {
        double factor, low, high;
        TraceShape shape;
    };
    const Case cases[] = {{1, 60, 60, TraceShape::STEADY},
                          {0.5, 60, 61.00251, TraceShape::WAVES},
                          {0, 60, 62.00424, TraceShape::CUSPS},
                          {-1, 60, 64.00471, TraceShape::LOOPS},
                          {1.5, 58.99686, 60, TraceShape::WAVES}};
    for (const Case& c : cases) {
        const NutationBounds n = BoundsOf(p, Release(p, 60 * DEGREE, c.factor * slow, 200));
        EXPECT_NEAR(n.theta1 / DEGREE, c.low, 2e-5) << "factor " << c.factor;
        EXPECT_NEAR(n.theta2 / DEGREE, c.high, 2e-5) << "factor " << c.factor;
        EXPECT_EQ(n.shape, c.shape) << "factor " << c.factor;
    }
}

TEST(SleepingTopTest, ThresholdAndHowFarANearlyUprightTopLeans) {
    const TopParameters p = ToyTop();
    EXPECT_NEAR(SleepingThreshold(p), 56.0286, 1e-4);
    const double spins[] = {200, 100, 60, 57, 55, 50};
    const double widest[] = {0.0208342, 0.0241452, 0.0557606, 0.1048085, 0.3968, 0.9373};
    const double digit[] = {1e-7, 1e-7, 1e-7, 1e-7, 1e-4, 1e-4};  // last digit of the reference
    for (int i = 0; i < 6; ++i) {
        const NutationBounds n = BoundsOf(p, Release(p, 0.02, 0, spins[i]));
        EXPECT_NEAR(n.theta2, widest[i], 0.6 * digit[i]) << "spin " << spins[i];
        EXPECT_NEAR(n.theta1, 0.02, 1e-9);
    }
}

TEST(EllipticTest, KnownValuesAndTheLimit) {
    EXPECT_DOUBLE_EQ(EllipticK(0), std::numbers::pi / 2);
    EXPECT_NEAR(EllipticK(0.5), 1.8540746773013719, 1e-14);
    EXPECT_NEAR(EllipticK(0.99), 3.6956373629898747, 1e-13);
    EXPECT_TRUE(std::isinf(EllipticK(1)));
}

// Random tops from slow to very fast (a^2 / beta up to 1e7, where rounding of the state starts
// to blur the boundaries): the boundaries read as boundaries, and near misses of 1e-6 do not.
TEST(ShapeBoundaryTest, SteadyCuspsAndTheirNearMissesOnRandomTops) {
    std::mt19937_64 random(20);
    const auto spread = [&](double low, double high) {
        return std::exp(std::uniform_real_distribution<double>(std::log(low), std::log(high))(random));
    };
    for (int i = 0; i < 300; ++i) {
        TopParameters p = ToyTop();
        p.mass = spread(1e-3, 1e2), p.arm = spread(1e-3, 1), p.axialInertia = spread(1e-6, 1);
        p.transverseInertia = p.mass * p.arm * p.arm + spread(1e-6, 1);
        const double beta = 2 * p.GravityTorque() / p.transverseInertia;
        const double spin = std::sqrt(spread(1, 1e7) * beta) * p.transverseInertia / p.axialInertia;
        const double tilt = std::uniform_real_distribution<double>(0.01, 3.13)(random);
        const auto rates = SteadyPrecessionRates(p, tilt, spin);
        if (!rates) continue;
        const auto shape = [&](double phiRate) {
            EulerMotion m;
            m.theta = tilt, m.spin = spin, m.phiRate = phiRate;
            return TraceShapeName(BoundsOf(p, FromEuler(p, m)).shape);
        };
        const std::string top = "top " + std::to_string(i);
        EXPECT_STREQ(shape(rates->slow), "steady") << top;
        EXPECT_STREQ(shape(rates->fast), "steady") << top;
        EXPECT_STREQ(shape(0), "cusps") << top;
        EXPECT_STREQ(shape((1 - 1e-6) * rates->slow), "waves") << top;
        EXPECT_STREQ(shape(1e-6 * rates->slow), "waves") << top;
        EXPECT_STREQ(shape(-1e-6 * rates->slow), "loops") << top;
    }
}

// The tops the issue found giving NaN, a zero or negative step, or garbage, and a few more.
TEST(RefusalTest, EveryEntryPointRefusesATopItCannotSimulate) {
    struct Bad {
        double TopParameters::*member;
        double value;
        TopFault fault;
    };
    const Bad bad[] = {{&TopParameters::axialInertia, 0, TopFault::AXIAL_INERTIA},
                       {&TopParameters::transverseInertia, 0, TopFault::TRANSVERSE_INERTIA},
                       {&TopParameters::transverseInertia, -2e-4, TopFault::TRANSVERSE_INERTIA},
                       {&TopParameters::transverseInertia, 1e-4, TopFault::PIVOT_INERTIA},  // below m l^2
                       {&TopParameters::mass, -0.1, TopFault::MASS},
                       {&TopParameters::mass, 1e-9, TopFault::MASS},
                       {&TopParameters::arm, NAN, TopFault::NOT_FINITE},
                       {&TopParameters::gravity, HUGE_VAL, TopFault::NOT_FINITE},
                       {&TopParameters::spinFriction, -1e-6, TopFault::FRICTION}};
    for (const Bad& b : bad) {
        TopParameters p = ToyTop();
        p.*b.member = b.value;
        EXPECT_EQ(CheckTop(p), b.fault) << TopFaultText(b.fault);
        TopState s = Release(ToyTop(), 1, 0, 200);
        const TopState before = s;
        EXPECT_FALSE(NutationOf(p, s).has_value()) << TopFaultText(b.fault);
        EXPECT_FALSE(StableStep(p, s, 1e-3).has_value()) << TopFaultText(b.fault);
        EXPECT_FALSE(StepTop(p, s, 1e-3, Integrator::FOURTH_ORDER)) << TopFaultText(b.fault);
        EXPECT_EQ(s.momentum.x, before.momentum.x);
        EXPECT_EQ(SleepingThreshold(p), 0);
        EXPECT_EQ(Energy(p, s).Total(), 0);
    }
    EXPECT_EQ(CheckTop(ToyTop()), TopFault::NONE);
}

TEST(RefusalTest, BadStatesAndStepsAreRefusedToo) {
    const TopParameters p = ToyTop();
    TopState s = Release(p, 1, 0, 200);
    for (double h : {0.0, -1e-3, double(NAN), HUGE_VAL}) {
        EXPECT_FALSE(StepTop(p, s, h, Integrator::SECOND_ORDER)) << h;
        EXPECT_FALSE(StableStep(p, s, h).has_value()) << h;
    }
    EXPECT_EQ(s.time, 0);
    TopState broken = s;
    broken.momentum.y = NAN;
    EXPECT_FALSE(NutationOf(p, broken).has_value());
    EXPECT_FALSE(StepTop(p, broken, 1e-3, Integrator::SECOND_ORDER));
    broken = s;
    broken.axis = {};
    EXPECT_FALSE(NutationOf(p, broken).has_value());
}

TEST(FloorContactTest, TheTiltsWhereTheRimMeetsTheTableAndReleasesThatReachThem) {
    TopParameters p = ToyTop();
    const auto contact = FloorContactTilts(p);
    ASSERT_TRUE(contact.has_value());
    EXPECT_NEAR(contact->first / DEGREE, 98.29, 0.01);  // "rests on the table from about 98"
    EXPECT_NEAR(RimClearance(p, Release(p, contact->first, 0, 0)), 0, 1e-15);
    EXPECT_NEAR(RimClearance(p, Release(p, contact->last, 0, 0)), 0, 1e-15);
    EXPECT_LT(contact->last, std::numbers::pi);  // the pivot stands 1 cm above the arm's length
    EXPECT_FALSE(ReachesFloor(p, Release(p, 60 * DEGREE, 0, 200)));
    EXPECT_TRUE(ReachesFloor(p, Release(p, 60 * DEGREE, 0, 20)));  // a slow top falls far
    EXPECT_TRUE(ReachesFloor(p, Release(p, 100 * DEGREE, 0, 200)));
    EXPECT_FALSE(ReachesFloor(p, Release(p, 170 * DEGREE, 0, 200)));
    p.pivotHeight = 1;
    EXPECT_FALSE(FloorContactTilts(p).has_value());
}

}  // namespace
