// The gyroscope: its simulation state, its motion step, and its figure on a post.
//
// The figure is computed apart from its drawing: ComputeFigure is a pure function of the state
// (points, radii, shade, whether the post covers the figure), and DrawGyroscope only hands those
// numbers to the library. Precision matters here because the worked values are exact: the
// parameters are single precision, every sine and cosine takes a double formed from them, and
// each screen coordinate is truncated toward zero.
#pragma once

class window;

struct SimulationState {
    float angle = 45;         // axis from the upward vertical, degrees
    float phase = 90;         // precession azimuth, degrees; never reduced to one turn
    float rotationSpeed = 6;  // degrees added to phase per moving frame
    float nutation = 100;     // per cent; held and shown by the panel only
    float friction = 0;       // held and shown by the panel only
};

// Degrees to radians with pi taken as 3.14, as the worked values assume.
inline constexpr double DEGREE_FACTOR = 3.14 / 180;

// Whether the post is painted again over the figure (the axis leans behind it).
enum class PostCover { BEHIND_FIGURE, OVER_FIGURE };

struct GyroscopeFigure {
    int shade = 0;  // green and blue of the pen
    int tipX = 0, tipY = 0, tipRadius = 0;
    int middleX = 0, middleY = 0, middleRadius = 0;
    PostCover post = PostCover::BEHIND_FIGURE;
};

// Fixed geometry of the drawing area and the post, in window client pixels.
inline constexpr int AXIS_START_X = 600, AXIS_START_Y = 498;
inline constexpr int PIVOT_X = 600, PIVOT_Y = 496, PIVOT_RADIUS = 4;

GyroscopeFigure ComputeFigure(const SimulationState& state);

// One step of precession and nutation; only angle and phase change.
void AdvanceMotion(SimulationState& state);

// True for 201 < x < 1000 and 71 < y < 700.
bool IsOverDrawingArea(int x, int y);

// Paints the drawing area white; leaves the pen and brush white (the reset button relies on it).
void ClearDrawingArea(window& w);
void DrawPost(window& w);
void DrawGyroscope(window& w, const SimulationState& state);

// The drawing part of a frame: wipe, post, one motion step when the cursor is over the drawing
// area, figure.
void DrawMovingFrame(window& w, SimulationState& state);
