// The pure half of the gyroscope: the motion step and the figure's numbers.
//
// In space the tip lies 200 * (sA*sB, cA, sA*cB) from the base point (600, 500): right, up and
// towards the viewer. The screen keeps the first two; the third sets the shade, the ball radii and
// whether the post hides the figure. The tip is stored in float before truncation while the middle
// ball is truncated straight from double: mixing the two up moves a ball by a pixel.
#include "app/gyroscope.h"

#include <cmath>

namespace {

constexpr double BASE_X = 600, BASE_Y = 500;
constexpr double AXIS_LENGTH = 200, MIDDLE_DISTANCE = 100;

int Truncate(double v) { return static_cast<int>(v); }
int Truncate(float v) { return static_cast<int>(v); }

}  // namespace

GyroscopeFigure ComputeFigure(const SimulationState& state) {
    const double a = static_cast<double>(state.angle) * DEGREE_FACTOR;
    const double b = static_cast<double>(state.phase) * DEGREE_FACTOR;
    const double sA = std::sin(a), cA = std::cos(a), sB = std::sin(b), cB = std::cos(b);
    const double towardsViewer = sA * cB;

    GyroscopeFigure figure;
    figure.shade = Truncate(128 + 80 * towardsViewer);
    figure.tipX = Truncate(static_cast<float>(BASE_X + AXIS_LENGTH * sA * sB));
    figure.tipY = Truncate(static_cast<float>(BASE_Y - AXIS_LENGTH * cA));
    figure.tipRadius = Truncate(3 + 2 * towardsViewer);
    figure.middleX = Truncate(BASE_X + MIDDLE_DISTANCE * sA * sB);
    figure.middleY = Truncate(BASE_Y - MIDDLE_DISTANCE * cA);
    figure.middleRadius = Truncate(2 + 2 * towardsViewer);
    figure.post = 80 * towardsViewer < 0 ? PostCover::OVER_FIGURE : PostCover::BEHIND_FIGURE;
    return figure;
}

void AdvanceMotion(SimulationState& state) {
    state.phase = state.phase + state.rotationSpeed;
    // The cosine takes the angle's number as radians, without DEGREE_FACTOR: this is what makes
    // the nutation wobble irregularly, and it is never clamped.
    const double angle = static_cast<double>(state.angle);
    state.angle = static_cast<float>(angle + 10 * std::cos(angle));
}

bool IsOverDrawingArea(int x, int y) { return 201 < x && x < 1000 && 71 < y && y < 700; }
