// The top in perspective: the table, the post, the sphere's outline, the fading trace, the axis
// and the disk. Pieces are painted far to near: the disk and axis go behind the post when the disk
// lies beyond the pivot, and the axis goes over the disk when its tip points towards the viewer.
#include "lab/scene.h"

#include <graphics/window.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// A camera 6 units from the pivot, 20 degrees above the horizontal, on the -y side.
constexpr double ELEVATION = 20 * std::numbers::pi / 180;
constexpr double DISTANCE = 6;
constexpr double OUTLINE_PIXELS = 150;
const double FOCAL = OUTLINE_PIXELS * std::sqrt(DISTANCE * DISTANCE - 1);
const Vector3 CAMERA{0, -std::cos(ELEVATION) * DISTANCE, std::sin(ELEVATION) * DISTANCE};
const Vector3 FORWARD{0, std::cos(ELEVATION), -std::sin(ELEVATION)};
const Vector3 RIGHT{1, 0, 0};
const Vector3 CAMERA_UP{0, std::sin(ELEVATION), std::cos(ELEVATION)};

// The disk's centre sits at 0.55 of the axis; the disk's radius and the table's depth below the
// pivot follow at the same scale, so the picture shows the rim meeting the table when the top
// comes to rest, within limits that keep an extreme arm drawable.
constexpr double DISK_CENTRE = 0.55, TABLE_RADIUS = 0.9;

struct Proportions {
    double diskRadius, tableDepth;
};

Proportions ProportionsOf(const TopParameters& p) {
    const double scale = DISK_CENTRE / p.arm;
    return {std::clamp(scale * p.diskRadius, 0.1, 0.8), std::clamp(scale * p.pivotHeight, 0.3, 2.4)};
}
constexpr int CIRCLE_POINTS = 32;

int Round(double v) { return static_cast<int>(std::lround(v)); }

// Two unit vectors perpendicular to the unit vector n and to each other.
void Perpendiculars(Vector3 n, Vector3& a, Vector3& b) {
    const Vector3 helper = std::abs(n.z) < 0.9 ? UP : Vector3{1, 0, 0};
    a = Normalized(Cross(n, helper));
    b = Cross(n, a);
}

void DrawCircleIn3d(window& w, Vector3 centre, Vector3 normal, double radius, DrawStyle style) {
    Vector3 a, b;
    Perpendiculars(Normalized(normal), a, b);
    int xs[CIRCLE_POINTS], ys[CIRCLE_POINTS];
    for (int i = 0; i < CIRCLE_POINTS; ++i) {
        const double t = 2 * std::numbers::pi * i / CIRCLE_POINTS;
        const ScreenPoint s = Project(centre + radius * (std::cos(t) * a + std::sin(t) * b)).point;
        xs[i] = s.x, ys[i] = s.y;
    }
    w.DrawPolygon(xs, ys, CIRCLE_POINTS, style);
}

void DrawLine3d(window& w, Vector3 from, Vector3 to) {
    const ScreenPoint a = Project(from).point, b = Project(to).point;
    w.DrawLine(a.x, a.y, b.x, b.y, FRAME);
}

void DrawTable(window& w, double depth) {
    w.SetPen(150, 140, 120, 1);
    w.SetBrush(235, 225, 205);
    DrawCircleIn3d(w, {0, 0, -depth}, UP, TABLE_RADIUS, FILLED);
}

void DrawPostPiece(window& w, double depth) {
    w.SetPen(150, 150, 150, 5);
    DrawLine3d(w, {0, 0, -depth}, {0, 0, 0});
}

// One polyline a colour band, each run joined to the first point of the next band.
void DrawTrace(window& w, const std::deque<Vector3>& trace) {
    const std::vector<TraceVertex> vertices = TraceVertices(trace);
    std::vector<ScreenPoint> run;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        run.push_back(vertices[i].point);
        const bool runEnds = i + 1 == vertices.size() || vertices[i + 1].band != vertices[i].band;
        if (!runEnds) continue;
        if (i + 1 < vertices.size()) run.push_back(vertices[i + 1].point);
        const TraceColour c = TraceColourAt((vertices[i].band + 0.5) / TRACE_BANDS);
        w.SetPen(c.red, c.green, c.blue, 1);
        DrawPolyline(w, run);
        run.clear();
    }
}

void DrawDisk(window& w, Vector3 axis, double radius) {
    const Vector3 centre = DISK_CENTRE * axis;
    const double facing = std::abs(Dot(axis, Normalized(CAMERA - centre)));
    w.SetPen(20, 40, 120, 1);
    w.SetBrush(40 + static_cast<int>(60 * facing), 90 + static_cast<int>(80 * facing),
               200 + static_cast<int>(55 * facing));
    DrawCircleIn3d(w, centre, axis, radius, FILLED);
}

void DrawAxis(window& w, Vector3 axis) {
    w.SetPen(50, 50, 50, 3);
    DrawLine3d(w, {0, 0, 0}, axis);
    w.SetBrush(50, 50, 50);
    const ScreenPoint tip = Project(axis).point;
    w.DrawCircle(tip.x, tip.y, 4, FILLED);
}

void DrawSpinningBody(window& w, Vector3 axis, double diskRadius) {
    const bool tipTowardsViewer = Dot(axis, FORWARD) < 0;
    if (!tipTowardsViewer) DrawAxis(w, axis);
    DrawDisk(w, axis, diskRadius);
    if (tipTowardsViewer) DrawAxis(w, axis);
}

}  // namespace

Projection Project(Vector3 p) {
    const Vector3 relative = p - CAMERA;
    Projection out;
    out.depth = Dot(relative, FORWARD);
    const double scale = FOCAL / std::max(out.depth, 1e-6);
    out.point = {PIVOT_SCREEN_X + Round(scale * Dot(relative, RIGHT)),
                 PIVOT_SCREEN_Y - Round(scale * Dot(relative, CAMERA_UP))};
    return out;
}

void DrawPolyline(window& w, const std::vector<ScreenPoint>& points) {
    if (points.size() < 2) return;
    std::vector<int> xs, ys;
    for (const ScreenPoint& p : points) xs.push_back(p.x), ys.push_back(p.y);
    for (std::size_t i = points.size() - 1; i-- > 1;) xs.push_back(points[i].x), ys.push_back(points[i].y);
    w.DrawPolygon(xs.data(), ys.data(), static_cast<int>(xs.size()), FRAME);
}

int SphereOutlineRadius() { return Round(OUTLINE_PIXELS); }

TraceColour TraceColourAt(double age) {
    const double a = std::clamp(age, 0.0, 1.0);
    const int fade = static_cast<int>(200 * a);
    return {210 + static_cast<int>(45 * a), 20 + fade, 20 + fade};
}

std::vector<TraceVertex> TraceVertices(const std::deque<Vector3>& trace) {
    std::vector<TraceVertex> out;
    const double count = static_cast<double>(Experiment::TRACE_CAPACITY);
    for (std::size_t i = 0; i < trace.size(); ++i) {
        const double age = static_cast<double>(trace.size() - 1 - i) / count;
        const TraceVertex v{Project(trace[i]).point, std::min(TRACE_BANDS - 1, static_cast<int>(age * TRACE_BANDS))};
        const bool last = i + 1 == trace.size();
        if (!out.empty() && !last && v.band == out.back().band &&
            std::max(std::abs(v.point.x - out.back().point.x), std::abs(v.point.y - out.back().point.y)) < 2)
            continue;
        out.push_back(v);
    }
    return out;
}

void DrawScene(window& w, const Experiment& experiment) {
    w.SetPen(255, 255, 255, 1);
    w.SetBrush(255, 255, 255);
    w.DrawRectangle(SCENE_LEFT, SCENE_TOP, SCENE_RIGHT, SCENE_BOTTOM, FILLED, 0, 0);
    const Proportions sizes = ProportionsOf(experiment.Parameters());
    DrawTable(w, sizes.tableDepth);
    w.SetPen(200, 200, 200, 1);
    w.DrawCircle(PIVOT_SCREEN_X, PIVOT_SCREEN_Y, SphereOutlineRadius(), FRAME);
    DrawTrace(w, experiment.Trace());
    const Vector3 axis = experiment.State().axis;
    const bool diskBeyondPivot = Project(DISK_CENTRE * axis).depth > DISTANCE;
    if (!diskBeyondPivot) DrawPostPiece(w, sizes.tableDepth);
    DrawSpinningBody(w, axis, sizes.diskRadius);
    if (diskBeyondPivot) DrawPostPiece(w, sizes.tableDepth);
}
