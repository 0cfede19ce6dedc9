// The top in perspective and the two plots with the readouts: the geometry is computed by pure
// functions (tested by value), the drawing hands those numbers to the library.
//
// The scene is drawn in picture units where the axis' tip lies at distance 1 from the pivot, so
// the trace lies on the unit sphere. The camera aims at the pivot, so the sphere's outline on the
// screen is exactly a circle about the pivot's image, of radius SphereOutlineRadius().
#pragma once

#include "lab/experiment.h"
#include "lab/physics/vector3.h"

#include <vector>

class window;

struct ScreenPoint {
    int x = 0, y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Where the scene's pieces go in the 1000 x 700 window.
inline constexpr int SCENE_LEFT = 201, SCENE_TOP = 71, SCENE_RIGHT = 610, SCENE_BOTTOM = 700;
inline constexpr int PIVOT_SCREEN_X = 405, PIVOT_SCREEN_Y = 300;
inline constexpr int PLOT_LEFT = 660, PLOT_RIGHT = 990;
inline constexpr int THETA_PLOT_TOP = 90, THETA_PLOT_BOTTOM = 260;
inline constexpr int ENERGY_PLOT_TOP = 300, ENERGY_PLOT_BOTTOM = 470;
inline constexpr int READOUT_LEFT = 620, READOUT_TOP = 500, READOUT_LINE = 17;

struct Projection {
    ScreenPoint point;
    double depth = 0;  // distance along the view direction; larger is farther
};

Projection Project(Vector3 p);
int SphereOutlineRadius();

// The trace colour for a point `age` of the way from newest (0) to oldest (1): a red that fades
// towards white, always with green == blue < red.
struct TraceColour {
    int red, green, blue;
};
TraceColour TraceColourAt(double age);

// Screen points of the trace, oldest first, each with its age band, leaving out points that have
// not moved 2 pixels from the last kept one within the same band.
struct TraceVertex {
    ScreenPoint point;
    int band;
};
inline constexpr int TRACE_BANDS = 8;
std::vector<TraceVertex> TraceVertices(const std::deque<Vector3>& trace);

// Draws an open polyline with one library call: a polygon that runs along the points and back
// along them has the polyline as its outline. A frame makes a thousand calls fewer this way.
void DrawPolyline(window& w, const std::vector<ScreenPoint>& points);

// Plot geometry: value v in [low, high] to a row of the plot [top, bottom).
int PlotRow(double v, double low, double high, int top, int bottom);

void DrawScene(window& w, const Experiment& experiment);
void DrawPlots(window& w, const Experiment& experiment, const LabReadouts& readouts);
void DrawReadouts(window& w, const LabReadouts& readouts);
