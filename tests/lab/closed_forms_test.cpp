// The closed forms against the reference values, which an independent high-order integration
// and a symbolic derivation agree on to 1e-11 or better.
#include "lab/physics/closed_forms.h"
#include "physics_support.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(NutationOfTest, RefusesATopWithoutWeightOrInertia) {
    TopParameters weightless = ToyTop();
    weightless.mass = 0;
    EXPECT_FALSE(NutationOf(weightless, Release(ToyTop(), 1, 0, 200)).has_value());
    TopParameters flat = ToyTop();
    flat.axialInertia = 0;
    EXPECT_FALSE(NutationOf(flat, TopState{}).has_value());
}

}  // namespace
