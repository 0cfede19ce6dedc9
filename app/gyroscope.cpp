// Drawing the gyroscope: the wipe, the post and the figure, each a short run of library calls
// over the numbers that ComputeFigure gives. The pen and brush are set twice in the figure on
// purpose: the pivot ball is drawn with a fresh pair of the same colours.
#include "app/gyroscope.h"

#include "app/colors.h"

#include <graphics/window.h>

void ClearDrawingArea(window& w) {
    SetPenAndBrush(w, WHITE);
    w.DrawRectangle(201, 71, 1000, 700, FILLED, 0, 0);
}

void DrawPost(window& w) {
    SetPenAndBrush(w, POST_GREY);
    w.DrawRectangle(595, 500, 605, 700, FILLED, 0, 0);
}

namespace {

void SetFigurePen(window& w, const GyroscopeFigure& figure) {
    const auto shade = static_cast<unsigned char>(figure.shade);
    w.SetPen(color(64, shade, shade), PEN_WIDTH);
    w.SetBrush(FIGURE_BRUSH);
}

}  // namespace

void DrawGyroscope(window& w, const SimulationState& state) {
    const GyroscopeFigure figure = ComputeFigure(state);
    SetFigurePen(w, figure);
    w.DrawCircle(figure.tipX, figure.tipY, figure.tipRadius, FILLED);
    w.DrawLine(AXIS_START_X, AXIS_START_Y, figure.tipX, figure.tipY, FRAME);
    w.DrawCircle(figure.middleX, figure.middleY, figure.middleRadius, FILLED);
    SetFigurePen(w, figure);
    w.DrawCircle(PIVOT_X, PIVOT_Y, PIVOT_RADIUS, FILLED);
    if (figure.post == PostCover::OVER_FIGURE) DrawPost(w);
}

void DrawMovingFrame(window& w, SimulationState& state) {
    ClearDrawingArea(w);
    DrawPost(w);
    int x = 0, y = 0;
    w.GetMousePosition(x, y);
    if (IsOverDrawingArea(x, y)) AdvanceMotion(state);
    DrawGyroscope(w, state);
}
