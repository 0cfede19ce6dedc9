// The top in perspective and the two plots with the readouts: the geometry is computed by pure
// functions (tested by value), the drawing hands those numbers to the library.
//
// The scene is drawn in picture units where the axis' tip lies at distance 1 from the pivot, so
// the trace lies on the unit sphere. The camera aims at the pivot from any direction the person
// turns it to, so the sphere's outline on the screen is exactly a circle about the pivot's
// image, of radius SphereOutlineRadius().
#pragma once

#include "lab/experiment.h"
#include "lab/physics/vector3.h"

#include <numbers>
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
inline constexpr int THETA_PLOT_TOP = 114, THETA_PLOT_BOTTOM = 194;
inline constexpr int ENERGY_PLOT_TOP = 236, ENERGY_PLOT_BOTTOM = 316;
inline constexpr int RATE_PLOT_TOP = 358, RATE_PLOT_BOTTOM = 438;
inline constexpr int READOUT_LEFT = 620, READOUT_TOP = 466, READOUT_LINE = 17;

struct Projection {
    ScreenPoint point;
    double depth = 0;  // distance along the view direction; larger is farther
};

// Where the person looks from: turned about the vertical (azimuth 0 looks along +y), raised
// above the table, and zoomed about the pivot. Every value is kept within its limits.
struct LabView {
    static constexpr double MIN_ELEVATION = -0.5, MAX_ELEVATION = 1.5;  // rad
    static constexpr double MIN_ZOOM = 0.6, MAX_ZOOM = 1.3;
    double azimuth = 0;
    double elevation = 20 * std::numbers::pi / 180;
    double zoom = 1;

    void Turn(double azimuthStep, double elevationStep);
    void Zoom(double factor);
};

// A camera 6 units from the pivot along the view's direction, aimed at the pivot.
struct Camera {
    Vector3 position, forward, right, up;
    double focal = 0;  // pixels per unit of lateral offset at unit depth
};
Camera CameraOf(const LabView& view);

Projection Project(Vector3 p, const Camera& camera);
Projection Project(Vector3 p);  // from the starting view
int SphereOutlineRadius(const LabView& view = {});

// What the right side shows, and how: the plots' time window, the third plot's quantity, the
// trace's length and the view. Changed by keys and clicks; never restarts the motion.
enum class PlotWindow { LAST_SECOND, LAST_TEN_SECONDS, WHOLE_RUN };
enum class RatePlot { PHI_RATE, SPIN };
inline constexpr double TRACE_LENGTHS[] = {0.25, 0.5, 1, 2, 5, 10, 20};  // s
inline constexpr int TRACE_LENGTH_COUNT = 7;

struct LabDisplay {
    LabView view;
    int traceLength = 3;  // index into TRACE_LENGTHS
    PlotWindow window = PlotWindow::LAST_SECOND;
    RatePlot rate = RatePlot::PHI_RATE;
    bool help = false;
};

// The trace colour for a point `age` of the way from newest (0) to oldest (1): a red that fades
// towards white, always with green == blue < red.
struct TraceColour {
    int red, green, blue;
};
TraceColour TraceColourAt(double age);

// Screen points of the trace's last `span` seconds, oldest first, each with its age band, leaving
// out points that have not moved 2 pixels from the last kept one within the same band.
struct TraceVertex {
    ScreenPoint point;
    int band;
};
inline constexpr int TRACE_BANDS = 8;
std::vector<TraceVertex> TraceVertices(const std::deque<TracePoint>& trace, double span, const Camera& camera);

// Draws an open polyline with one library call: a polygon that runs along the points and back
// along them has the polyline as its outline. A frame makes a thousand calls fewer this way.
void DrawPolyline(window& w, const std::vector<ScreenPoint>& points);

// Plot geometry: value v in [low, high] to a row of the plot [top, bottom).
int PlotRow(double v, double low, double high, int top, int bottom);

void DrawScene(window& w, const Experiment& experiment, const LabDisplay& display);
void DrawPlots(window& w, const Experiment& experiment, const LabReadouts& readouts, const LabDisplay& display);
void DrawReadouts(window& w, const LabReadouts& readouts);
// The help panel over the scene and the plots: every key and what every readout symbol means.
void DrawHelp(window& w);
