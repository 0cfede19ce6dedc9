// The program's pure parts: the panel's hit boxes and steps, the presets and the experiment that
// runs them, the perspective and the trace's colours.
#include "lab/lab_panel.h"
#include "lab/scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <numbers>

namespace {

constexpr double DEGREE = std::numbers::pi / 180;

int CentreX(const LabBox& b) { return (b.left + b.right) / 2; }
int CentreY(const LabBox& b) { return (b.top + b.bottom) / 2; }

TEST(LabPanelTest, EveryBoxIsFoundAtItsCentreAndNothingOnItsLimits) {
    for (const LabField& field : LAB_FIELDS) {
        const LabBox minus = MinusBox(field), plus = PlusBox(field);
        const LabTarget down = FindLabTarget(CentreX(minus), CentreY(minus));
        EXPECT_EQ(down.action, LabAction::DECREASE) << field.label;
        EXPECT_EQ(down.field, &field);
        const LabTarget up = FindLabTarget(CentreX(plus), CentreY(plus));
        EXPECT_EQ(up.action, LabAction::INCREASE) << field.label;
        EXPECT_EQ(up.field, &field);
        EXPECT_EQ(FindLabTarget(minus.left, CentreY(minus)).action, LabAction::NONE);
        EXPECT_EQ(FindLabTarget(CentreX(field.frame), CentreY(minus)).action, LabAction::NONE);  // the value
    }
    EXPECT_EQ(FindLabTarget(CentreX(RUN_BOX), CentreY(RUN_BOX)).action, LabAction::RUN_PAUSE);
    EXPECT_EQ(FindLabTarget(CentreX(RESET_BOX), CentreY(RESET_BOX)).action, LabAction::RESET);
    EXPECT_EQ(FindLabTarget(CentreX(EXIT_BOX), CentreY(EXIT_BOX)).action, LabAction::EXIT);
    EXPECT_EQ(FindLabTarget(CentreX(EXIT_BOX), EXIT_BOX.bottom).action, LabAction::NONE);
    EXPECT_EQ(FindLabTarget(500, 300).action, LabAction::NONE);
}

TEST(LabPanelTest, StepsStopAtTheLimitsAndComeBackOntoTheGrid) {
    const LabField& spin = LAB_FIELDS[1];
    LabControls c;
    c.spin = 400;
    EXPECT_FALSE(ApplyStep(spin, LabAction::INCREASE, c));
    EXPECT_EQ(c.spin, 400);
    EXPECT_TRUE(ApplyStep(spin, LabAction::DECREASE, c));
    EXPECT_EQ(c.spin, 390);
    c.spin = 57;  // off the grid of 10
    EXPECT_TRUE(ApplyStep(spin, LabAction::INCREASE, c));
    EXPECT_EQ(c.spin, 60);
    c.spin = 57;
    EXPECT_TRUE(ApplyStep(spin, LabAction::DECREASE, c));
    EXPECT_EQ(c.spin, 50);
    const LabField& arm = LAB_FIELDS[4];
    c.arm = 1;
    EXPECT_FALSE(ApplyStep(arm, LabAction::DECREASE, c));
    EXPECT_EQ(FieldText(arm, c), "1.0");
}

TEST(LabPanelTest, PresetStepsChangeEverythingButTheTimeScale) {
    const LabField& preset = LAB_FIELDS[0];
    LabControls c;
    c.timeScale = 20;
    c.preset = 5;
    EXPECT_TRUE(ApplyStep(preset, LabAction::INCREASE, c));
    EXPECT_EQ(c.preset, 6);
    EXPECT_EQ(c.spinFriction, 5);
    EXPECT_EQ(c.timeScale, 20);
    EXPECT_EQ(FieldText(preset, c), "spin friction");
    c.preset = PRESET_COUNT - 1;
    EXPECT_FALSE(ApplyStep(preset, LabAction::INCREASE, c));
    c.preset = 0;
    EXPECT_FALSE(ApplyStep(preset, LabAction::DECREASE, c));
}

TEST(PresetTest, ReferenceTopAndTheShapeEachPresetPromises) {
    const TopParameters p = ParametersOf(LabControls{});
    EXPECT_NEAR(p.transverseInertia, 2e-4, 1e-18);
    EXPECT_NEAR(p.axialInertia, 1e-4, 1e-18);
    EXPECT_NEAR(p.GravityTorque(), 0.03924, 1e-15);
    const TraceShape shapes[] = {TraceShape::STEADY, TraceShape::WAVES, TraceShape::CUSPS, TraceShape::LOOPS};
    for (int i = 0; i < 4; ++i) {
        const Experiment e(PRESETS[i].controls);
        EXPECT_EQ(e.Readouts().nutation->shape, shapes[i]) << PRESETS[i].name;
    }
    const Experiment sleeping(PRESETS[4].controls), falling(PRESETS[5].controls);
    EXPECT_GT(sleeping.Readouts().spin, sleeping.Readouts().sleepingThreshold);
    EXPECT_LT(falling.Readouts().spin, falling.Readouts().sleepingThreshold);
    EXPECT_LT(sleeping.Readouts().nutation->theta2, 1.1 * DEGREE);
    EXPECT_GT(falling.Readouts().nutation->theta2, 30 * DEGREE);
}

TEST(ExperimentTest, AdvanceRecordsEverySubstepAndRefusesNonsense) {
    Experiment e(PRESETS[2].controls);
    e.Advance(0.05);
    EXPECT_NEAR(e.State().time, 0.05, 1e-15);
    // The release and 50 substeps of 1 ms: |L| h / I1 = 0.02 * 1e-3 / 2e-4 = 0.1 exactly.
    EXPECT_EQ(e.Trace().size(), 51u);
    for (double bad : {0.0, -1.0, std::nan(""), HUGE_VAL}) e.Advance(bad);
    EXPECT_NEAR(e.State().time, 0.05, 1e-15);
    e.Advance(3);
    EXPECT_EQ(e.Trace().size(), 3052u);  // every substep of 3.05 s (3001 in the 3 s), within TRACE_SPAN
    e.Advance(20);
    EXPECT_GE(e.Trace().front().time, e.State().time - Experiment::TRACE_SPAN);
    EXPECT_GE(e.Samples().front().time, e.State().time - Experiment::PLOT_SPAN);
    const LabReadouts r = e.Readouts();
    ASSERT_TRUE(r.measuredPrecession.has_value());
    EXPECT_NEAR(*r.measuredPrecession, 1.980413098, 2e-6);
    EXPECT_LT(std::abs(r.energyDrift), 1e-6);
}

TEST(ExperimentTest, SpinFrictionLowersTheTopUntilItsRimRestsOnTheTable) {
    Experiment e(PRESETS[6].controls);
    for (int frame = 0; frame < 1200 && !e.Resting(); ++frame) e.Advance(0.05);
    ASSERT_TRUE(e.Resting());
    EXPECT_LE(RimClearance(e.Parameters(), e.State()), 0);
    EXPECT_GT(e.State().time, 40);
    const double restedAt = e.State().time;
    e.Advance(1);
    EXPECT_EQ(e.State().time, restedAt);
    EXPECT_GT(e.State().dissipated, 0);
}

TEST(ExperimentTest, FrictionActsOnTheRunningMotionWithoutARestart) {
    Experiment e(PRESETS[2].controls);
    e.Advance(1);
    LabControls c = PRESETS[2].controls;
    c.pivotFriction = 20;
    e.SetFriction(c);
    EXPECT_NEAR(e.State().time, 1, 1e-12);
    EXPECT_NEAR(e.Parameters().pivotFriction, 2e-5, 1e-18);
}

TEST(SceneTest, TheUnitSphereProjectsInsideItsOutlineAndTouchesIt) {
    const Projection pivot = Project({0, 0, 0});
    EXPECT_EQ(pivot.point, (ScreenPoint{PIVOT_SCREEN_X, PIVOT_SCREEN_Y}));
    double farthest = 0;
    for (int i = 0; i < 90; ++i) {
        for (int j = 0; j < 180; ++j) {
            const double t = i * 2 * DEGREE, f = j * 2 * DEGREE;
            const ScreenPoint s = Project({std::sin(t) * std::cos(f), std::sin(t) * std::sin(f), std::cos(t)}).point;
            farthest = std::max(farthest, std::hypot(s.x - PIVOT_SCREEN_X, s.y - PIVOT_SCREEN_Y));
        }
    }
    EXPECT_LE(farthest, SphereOutlineRadius() + 1);
    EXPECT_GE(farthest, SphereOutlineRadius() - 1);
    EXPECT_LT(Project({0, 0, 1}).point.y, PIVOT_SCREEN_Y);           // up is up
    EXPECT_GT(Project({1, 0, 0}).point.x, PIVOT_SCREEN_X);           // x to the right
    EXPECT_GT(Project({0, 1, 0}).depth, Project({0, -1, 0}).depth);  // +y away from the viewer
}

TEST(SceneTest, TraceFadesFromRedTowardsWhiteAndDropsSubpixelMoves) {
    for (double age : {0.0, 0.3, 0.99, 1.0}) {
        const TraceColour c = TraceColourAt(age);
        EXPECT_EQ(c.green, c.blue);
        EXPECT_GE(c.red - c.green, 20);
    }
    EXPECT_GT(TraceColourAt(0.9).green, TraceColourAt(0.1).green + 150);
    std::deque<TracePoint> trace;
    for (int i = 0; i < 100; ++i) trace.push_back({Normalized({1e-5 * i, -1, 1}), 1e-3 * i});  // under a pixel
    const std::vector<TraceVertex> kept = TraceVertices(trace, 1, CameraOf({}));
    ASSERT_EQ(kept.size(), 2u);  // the first and the newest
    EXPECT_EQ(kept.back().band, 0);
    const std::vector<TraceVertex> recent = TraceVertices(trace, 0.0105, CameraOf({}));  // the last 11 points
    EXPECT_LE(recent.size(), 11u);
    EXPECT_EQ(recent.front().band, TRACE_BANDS - 1);
}

TEST(PlotTest, RowsSpanThePlotAndClamp) {
    EXPECT_EQ(PlotRow(0, 0, 10, 100, 201), 200);
    EXPECT_EQ(PlotRow(10, 0, 10, 100, 201), 100);
    EXPECT_EQ(PlotRow(5, 0, 10, 100, 201), 150);
    EXPECT_EQ(PlotRow(-5, 0, 10, 100, 201), 200);
    EXPECT_EQ(PlotRow(1, 3, 3, 100, 200), 150);
}

TEST(LabPanelTest, TheTiltStopsWhereTheRimWouldTouchAndALongerArmReleasesResting) {
    const LabField& tilt = LAB_FIELDS[2];
    LabControls c;
    const double limit = LargestReleaseTilt(ParametersOf(c));
    EulerMotion at;
    at.theta = limit;
    EXPECT_NEAR(RimClearance(ParametersOf(c), FromEuler(ParametersOf(c), at)), 0, 1e-12);
    EXPECT_EQ(TiltLimitDegrees(c), 98);  // 5 cm + 4 cm cos(t) - 4.47 cm sin(t) = 0 at 98.3 deg
    c.tilt = 98;
    EXPECT_FALSE(ApplyStep(tilt, LabAction::INCREASE, c));
    EXPECT_EQ(c.tilt, 98);
    EXPECT_FALSE(Experiment(c).Resting());
    c.arm = 8;  // beyond the horizontal a longer arm lowers the rim: it touches from 93.9 deg
    const Experiment resting(c);
    EXPECT_TRUE(resting.Resting());
    EXPECT_FALSE(resting.Readouts().nutation.has_value());
    EXPECT_TRUE(resting.Readouts().resting);
}

TEST(LabPanelTest, EveryFieldHasAKeyDownAndUpAndActionKeysIgnoreCase) {
    for (const LabField& field : LAB_FIELDS) {
        EXPECT_EQ(KeyTarget(ASCII_KEY, field.key).action, LabAction::DECREASE) << field.label;
        EXPECT_EQ(KeyTarget(ASCII_KEY, field.key).field, &field);
        EXPECT_EQ(KeyTarget(ASCII_KEY, static_cast<char>(field.key - 'a' + 'A')).action, LabAction::INCREASE);
    }
    EXPECT_EQ(KeyTarget(ASCII_KEY, ' ').action, LabAction::RUN_PAUSE);
    EXPECT_EQ(KeyTarget(ASCII_KEY, 'R').action, LabAction::RESET);
    EXPECT_EQ(KeyTarget(ASCII_KEY, 'i').action, LabAction::SAVE_IMAGE);
    EXPECT_EQ(KeyTarget(ARROW_KEY, 4).action, LabAction::TURN_LEFT);
    EXPECT_EQ(KeyTarget(ESCAPE_KEY, 1).action, LabAction::CLOSE_HELP);
    EXPECT_EQ(KeyTarget(ASCII_KEY, 'z').action, LabAction::NONE);
    EXPECT_EQ(FindLabTarget(CentreX(IMAGE_BOX), CentreY(IMAGE_BOX)).action, LabAction::SAVE_IMAGE);
    EXPECT_EQ(FindLabTarget(CentreX(WINDOW_BOXES[2]), CentreY(WINDOW_BOXES[2])).action, LabAction::WINDOW_RUN);
}

TEST(SceneTest, TheViewTurnsAndZoomsWithinItsLimits) {
    LabView view;
    view.Turn(std::numbers::pi / 2, 10);
    EXPECT_EQ(view.elevation, LabView::MAX_ELEVATION);
    view.Zoom(100);
    EXPECT_EQ(view.zoom, LabView::MAX_ZOOM);
    const Camera camera = CameraOf(view);
    // Turned a quarter about the vertical, +x now points away from the viewer.
    EXPECT_GT(Project({1, 0, 0}, camera).depth, Project({-1, 0, 0}, camera).depth);
    EXPECT_EQ(Project({0, 0, 0}, camera).point, (ScreenPoint{PIVOT_SCREEN_X, PIVOT_SCREEN_Y}));
    const ScreenPoint top = Project({0, 0, 1}, camera).point;  // seen from nearly above: near the pivot
    EXPECT_LT(std::hypot(top.x - PIVOT_SCREEN_X, top.y - PIVOT_SCREEN_Y), 0.1 * SphereOutlineRadius(view));
    EXPECT_EQ(SphereOutlineRadius(view), 195);
}

TEST(HistoryTest, AnHourInBoundedBucketsKeepsEveryExtreme) {
    RunHistory history;
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (int i = 0; i < 3600000; ++i) {  // an hour of 1 ms substeps
        const double t = i * 1e-3, theta = std::sin(100 * t) + 1e-4 * t;
        history.Add({t, theta, 0, 0, 0, 0, 0});
        lowest = std::min(lowest, theta), highest = std::max(highest, theta);
    }
    EXPECT_LE(history.Bands().size(), RunHistory::CAPACITY);
    EXPECT_GT(history.Bands().size(), RunHistory::CAPACITY / 2);
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (const PlotBand& b : history.Bands()) low = std::min(low, b.low.theta), high = std::max(high, b.high.theta);
    EXPECT_EQ(low, lowest);
    EXPECT_EQ(high, highest);
    EXPECT_EQ(history.Bands().front().time, 0);
}

TEST(CsvTest, EveryRowHasTheHeadersColumnsAndMissingReadoutsAreEmpty) {
    Experiment e(PRESETS[2].controls);
    EXPECT_NE(CsvLine(e.CsvRowNow()).find(",cusps,"), std::string::npos);  // at the release
    e.Advance(0.2);
    const auto count = [](const std::string& line) { return std::count(line.begin(), line.end(), ',') + 1; };
    EXPECT_EQ(count(CsvHeader()), CsvColumnCount());
    EXPECT_EQ(count(CsvLine(e.CsvRowNow())), CsvColumnCount());
    CsvRow resting;
    EXPECT_NE(CsvLine(resting).find(",,,,,"), std::string::npos);  // theta1, theta2, T and shape empty
    EXPECT_NEAR(e.CsvRowNow().time, 0.2, 1e-12);
}

}  // namespace
