// The precession meter unwraps phi across the branch cut and averages over the window asked for.
#include "lab/physics/precession_meter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(PrecessionMeterTest, UnwrapsAcrossTheBranchCutInBothDirections) {
    for (double rate : {3.0, -3.0}) {
        PrecessionMeter meter(10);
        for (int i = 0; i <= 4000; ++i) {
            const double t = i * 1e-3;
            meter.Add(t, std::remainder(rate * t, 2 * std::numbers::pi), rate);
        }
        double measured = 0;
        ASSERT_TRUE(meter.MeanRate(2.5, measured));
        EXPECT_NEAR(measured, rate, 1e-9);
    }
}

TEST(PrecessionMeterTest, InterpolatesACurvedAzimuthFromItsRates) {
    // phi = t^3 sampled every 0.1 s: a cubic is interpolated exactly, a straight line would be
    // off by up to 7.5e-4 rad in the middle of a step.
    PrecessionMeter meter(10);
    for (int i = 0; i <= 20; ++i) {
        const double t = i * 0.1;
        meter.Add(t, t * t * t, 3 * t * t);
    }
    double rate = 0;
    ASSERT_TRUE(meter.MeanRate(1.25, rate));
    EXPECT_NEAR(rate, (8 - 0.75 * 0.75 * 0.75) / 1.25, 1e-12);
}

TEST(PrecessionMeterTest, NoRateBeforeTheWindowIsFilledOrForABadWindow) {
    PrecessionMeter meter(1);
    double rate = 7;
    EXPECT_FALSE(meter.MeanRate(0.1, rate));
    meter.Add(0, 0, 2);
    meter.Add(0.05, 0.1, 2);
    EXPECT_FALSE(meter.MeanRate(0.1, rate));
    EXPECT_FALSE(meter.MeanRate(0, rate));
    EXPECT_FALSE(meter.MeanRate(std::nan(""), rate));
    EXPECT_EQ(rate, 7);
    for (int i = 2; i <= 40; ++i) meter.Add(i * 0.05, i * 0.1, 2);
    ASSERT_TRUE(meter.MeanRate(0.5, rate));
    EXPECT_NEAR(rate, 2, 1e-12);
    EXPECT_FALSE(meter.MeanRate(1.5, rate));  // older samples were dropped
}

}  // namespace
