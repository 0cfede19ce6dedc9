// The gyroscope's motion step and figure, checked against worked values that a one-pixel or
// one-ulp slip would break: the float storage of the tip, the double truncation of the middle ball,
// the cosine of the angle taken as radians.
#include "app/gyroscope.h"

#include <gtest/gtest.h>

namespace {

void ExpectFigure(const GyroscopeFigure& f, int shade, int tipX, int tipY, int tipRadius, int middleX, int middleY,
                  int middleRadius, PostCover post) {
    EXPECT_EQ(f.shade, shade);
    EXPECT_EQ(f.tipX, tipX);
    EXPECT_EQ(f.tipY, tipY);
    EXPECT_EQ(f.tipRadius, tipRadius);
    EXPECT_EQ(f.middleX, middleX);
    EXPECT_EQ(f.middleY, middleY);
    EXPECT_EQ(f.middleRadius, middleRadius);
    EXPECT_EQ(f.post, post);
}

TEST(SimulationStateTest, StartsAtTheInitialValuesInSinglePrecision) {
    const SimulationState s;
    static_assert(sizeof(s.angle) == 4 && sizeof(s.phase) == 4 && sizeof(s.friction) == 4);
    EXPECT_EQ(s.angle, 45.0f);
    EXPECT_EQ(s.phase, 90.0f);
    EXPECT_EQ(s.rotationSpeed, 6.0f);
    EXPECT_EQ(s.nutation, 100.0f);
    EXPECT_EQ(s.friction, 0.0f);
    EXPECT_EQ(DEGREE_FACTOR, 0.017444444444444446);
}

TEST(ComputeFigureTest, InitialStateStandsInFrontOfThePost) {
    ExpectFigure(ComputeFigure(SimulationState{}), 128, 741, 358, 3, 670, 429, 2, PostCover::BEHIND_FIGURE);
}

TEST(ComputeFigureTest, AfterOneMotionStepThePostCoversTheFigure) {
    SimulationState s;
    AdvanceMotion(s);
    ExpectFigure(ComputeFigure(s), 121, 752, 372, 2, 676, 436, 1, PostCover::OVER_FIGURE);
}

TEST(ComputeFigureTest, UprightAxisIsNotCoveredSinceZeroIsNotNegative) {
    SimulationState s;
    s.angle = 0;
    ExpectFigure(ComputeFigure(s), 128, 600, 300, 3, 600, 400, 2, PostCover::BEHIND_FIGURE);
}

TEST(ComputeFigureTest, LevelAxisTowardsAndAwayFromTheViewer) {
    SimulationState s;
    s.angle = 90;
    s.phase = 0;
    ExpectFigure(ComputeFigure(s), 207, 600, 499, 4, 600, 499, 3, PostCover::BEHIND_FIGURE);
    s.phase = 180;
    const GyroscopeFigure away = ComputeFigure(s);
    EXPECT_EQ(away.shade, 48);
    EXPECT_EQ(away.tipRadius, 1);
    EXPECT_EQ(away.middleRadius, 0);
    EXPECT_EQ(away.post, PostCover::OVER_FIGURE);
}

TEST(AdvanceMotionTest, FiveStepsFollowTheWorkedSequence) {
    const float angles[] = {50.25321960449219f, 60.25246810913086f, 51.791664123535156f, 52.23766326904297f,
                            48.33073043823242f};
    const float phases[] = {96, 102, 108, 114, 120};
    SimulationState s;
    for (int i = 0; i < 5; ++i) {
        AdvanceMotion(s);
        EXPECT_EQ(s.angle, angles[i]) << "step " << i + 1;
        EXPECT_EQ(s.phase, phases[i]) << "step " << i + 1;
    }
    EXPECT_EQ(s.rotationSpeed, 6.0f);
    EXPECT_EQ(s.nutation, 100.0f);
    EXPECT_EQ(s.friction, 0.0f);
}

TEST(AdvanceMotionTest, AngleIsNotClampedAndPhaseUsesTheCurrentSpeed) {
    SimulationState s;
    s.angle = 95;  // cos(95 rad) is positive: the angle grows further past 90
    s.rotationSpeed = 11;
    AdvanceMotion(s);
    EXPECT_GT(s.angle, 95.0f);
    EXPECT_EQ(s.phase, 101.0f);
    s.angle = -3;  // cos(-3 rad) is negative: it sinks further below 0
    AdvanceMotion(s);
    EXPECT_LT(s.angle, -3.0f);
}

TEST(IsOverDrawingAreaTest, AllFourLimitsAreStrict) {
    EXPECT_TRUE(IsOverDrawingArea(202, 72));
    EXPECT_TRUE(IsOverDrawingArea(999, 699));
    EXPECT_FALSE(IsOverDrawingArea(201, 300));
    EXPECT_FALSE(IsOverDrawingArea(1000, 300));
    EXPECT_FALSE(IsOverDrawingArea(500, 71));
    EXPECT_FALSE(IsOverDrawingArea(500, 700));
    EXPECT_FALSE(IsOverDrawingArea(-1, -1));  // no mouse message yet
}

}  // namespace
