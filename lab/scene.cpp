// The top in perspective: the table with the shadows of the disk and axis on it, the post, the
// sphere's outline, the disk, the fading trace and the axis. The disk is drawn see-through (a pale
// fill and a dark rim) before the trace and the axis, so neither is ever hidden by it; the post
// still goes behind the disk when the disk lies beyond the pivot. The shadows, cast straight down,
// show how high the disk is: a resting disk touches its own shadow.
#include "lab/scene.h"

#include <graphics/window.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double DISTANCE = 6;
constexpr double OUTLINE_PIXELS = 150;

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

// The points of a circle in 3-D about `centre`, in the plane normal to `normal`.
std::vector<Vector3> CirclePoints(Vector3 centre, Vector3 normal, double radius) {
    Vector3 a, b;
    Perpendiculars(Normalized(normal), a, b);
    std::vector<Vector3> points;
    for (int i = 0; i < CIRCLE_POINTS; ++i) {
        const double t = 2 * std::numbers::pi * i / CIRCLE_POINTS;
        points.push_back(centre + radius * (std::cos(t) * a + std::sin(t) * b));
    }
    return points;
}

void DrawPolygon3d(window& w, const Camera& camera, const std::vector<Vector3>& points, DrawStyle style) {
    std::vector<int> xs, ys;
    for (const Vector3& p : points) {
        const ScreenPoint s = Project(p, camera).point;
        xs.push_back(s.x), ys.push_back(s.y);
    }
    w.DrawPolygon(xs.data(), ys.data(), static_cast<int>(xs.size()), style);
}

void DrawLine3d(window& w, const Camera& camera, Vector3 from, Vector3 to) {
    const ScreenPoint a = Project(from, camera).point, b = Project(to, camera).point;
    w.DrawLine(a.x, a.y, b.x, b.y, FRAME);
}

void DrawTable(window& w, const Camera& camera, double depth) {
    w.SetPen(150, 140, 120, 1);
    w.SetBrush(235, 225, 205);
    DrawPolygon3d(w, camera, CirclePoints({0, 0, -depth}, UP, TABLE_RADIUS), FILLED);
}

// The disk and the axis cast straight down onto the table.
void DrawShadows(window& w, const Camera& camera, Vector3 axis, double diskRadius, double depth) {
    std::vector<Vector3> rim = CirclePoints(DISK_CENTRE * axis, axis, diskRadius);
    for (Vector3& p : rim) p.z = -depth;
    w.SetPen(200, 190, 170, 1);
    w.SetBrush(200, 190, 170);
    DrawPolygon3d(w, camera, rim, FILLED);
    w.SetPen(180, 170, 150, 3);
    DrawLine3d(w, camera, {0, 0, -depth}, {axis.x, axis.y, -depth});
}

void DrawPostPiece(window& w, const Camera& camera, double depth) {
    w.SetPen(150, 150, 150, 5);
    DrawLine3d(w, camera, {0, 0, -depth}, {0, 0, 0});
}

// One polyline a colour band, each run joined to the first point of the next band.
void DrawTrace(window& w, const Camera& camera, const std::deque<TracePoint>& trace, double span) {
    const std::vector<TraceVertex> vertices = TraceVertices(trace, span, camera);
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

// A pale fill, lighter where the disk faces away, and a dark rim: what lies behind shows
// through because it is drawn afterwards.
void DrawDisk(window& w, const Camera& camera, Vector3 axis, double radius) {
    const Vector3 centre = DISK_CENTRE * axis;
    const double facing = std::abs(Dot(axis, Normalized(camera.position - centre)));
    w.SetPen(20, 40, 120, 2);
    w.SetBrush(200 + static_cast<int>(20 * facing), 215 + static_cast<int>(20 * facing), 245);
    DrawPolygon3d(w, camera, CirclePoints(centre, axis, radius), FILLED);
}

void DrawAxis(window& w, const Camera& camera, Vector3 axis) {
    w.SetPen(50, 50, 50, 3);
    DrawLine3d(w, camera, {0, 0, 0}, axis);
    w.SetBrush(50, 50, 50);
    const ScreenPoint tip = Project(axis, camera).point;
    w.DrawCircle(tip.x, tip.y, 4, FILLED);
}

}  // namespace

void LabView::Turn(double azimuthStep, double elevationStep) {
    azimuth = std::remainder(azimuth + azimuthStep, 2 * std::numbers::pi);
    elevation = std::clamp(elevation + elevationStep, MIN_ELEVATION, MAX_ELEVATION);
}

void LabView::Zoom(double factor) { zoom = std::clamp(zoom * factor, MIN_ZOOM, MAX_ZOOM); }

Camera CameraOf(const LabView& view) {
    const double ca = std::cos(view.azimuth), sa = std::sin(view.azimuth);
    const double ce = std::cos(view.elevation), se = std::sin(view.elevation);
    Camera c;
    c.forward = {sa * ce, ca * ce, -se};
    c.position = -DISTANCE * c.forward;
    c.right = {ca, -sa, 0};
    c.up = {sa * se, ca * se, ce};
    c.focal = view.zoom * OUTLINE_PIXELS * std::sqrt(DISTANCE * DISTANCE - 1);
    return c;
}

Projection Project(Vector3 p, const Camera& camera) {
    const Vector3 relative = p - camera.position;
    Projection out;
    out.depth = Dot(relative, camera.forward);
    const double scale = camera.focal / std::max(out.depth, 1e-6);
    out.point = {PIVOT_SCREEN_X + Round(scale * Dot(relative, camera.right)),
                 PIVOT_SCREEN_Y - Round(scale * Dot(relative, camera.up))};
    return out;
}

Projection Project(Vector3 p) { return Project(p, CameraOf({})); }

void DrawPolyline(window& w, const std::vector<ScreenPoint>& points) {
    if (points.size() < 2) return;
    std::vector<int> xs, ys;
    for (const ScreenPoint& p : points) xs.push_back(p.x), ys.push_back(p.y);
    for (std::size_t i = points.size() - 1; i-- > 1;) xs.push_back(points[i].x), ys.push_back(points[i].y);
    w.DrawPolygon(xs.data(), ys.data(), static_cast<int>(xs.size()), FRAME);
}

int SphereOutlineRadius(const LabView& view) { return Round(view.zoom * OUTLINE_PIXELS); }

TraceColour TraceColourAt(double age) {
    const double a = std::clamp(age, 0.0, 1.0);
    const int fade = static_cast<int>(200 * a);
    return {210 + static_cast<int>(45 * a), 20 + fade, 20 + fade};
}

std::vector<TraceVertex> TraceVertices(const std::deque<TracePoint>& trace, double span, const Camera& camera) {
    std::vector<TraceVertex> out;
    if (trace.empty() || !(span > 0)) return out;
    const double now = trace.back().time;
    auto first = std::lower_bound(trace.begin(), trace.end(), now - span,
                                  [](const TracePoint& p, double t) { return p.time < t; });
    for (auto it = first; it != trace.end(); ++it) {
        const double age = (now - it->time) / span;
        const TraceVertex v{Project(it->axis, camera).point,
                            std::min(TRACE_BANDS - 1, static_cast<int>(age * TRACE_BANDS))};
        const bool last = it + 1 == trace.end();
        if (!out.empty() && !last && v.band == out.back().band &&
            std::max(std::abs(v.point.x - out.back().point.x), std::abs(v.point.y - out.back().point.y)) < 2)
            continue;
        out.push_back(v);
    }
    return out;
}

void DrawScene(window& w, const Experiment& experiment, const LabDisplay& display) {
    w.SetPen(255, 255, 255, 1);
    w.SetBrush(255, 255, 255);
    w.DrawRectangle(SCENE_LEFT, SCENE_TOP, SCENE_RIGHT, SCENE_BOTTOM, FILLED, 0, 0);
    const Camera camera = CameraOf(display.view);
    const Proportions sizes = ProportionsOf(experiment.Parameters());
    const Vector3 axis = experiment.State().axis;
    DrawTable(w, camera, sizes.tableDepth);
    DrawShadows(w, camera, axis, sizes.diskRadius, sizes.tableDepth);
    w.SetPen(200, 200, 200, 1);
    w.DrawCircle(PIVOT_SCREEN_X, PIVOT_SCREEN_Y, SphereOutlineRadius(display.view), FRAME);
    const bool diskBeyondPivot = Project(DISK_CENTRE * axis, camera).depth > DISTANCE;
    if (!diskBeyondPivot) DrawPostPiece(w, camera, sizes.tableDepth);
    DrawDisk(w, camera, axis, sizes.diskRadius);
    if (diskBeyondPivot) DrawPostPiece(w, camera, sizes.tableDepth);
    DrawTrace(w, camera, experiment.Trace(), TRACE_LENGTHS[display.traceLength]);
    DrawAxis(w, camera, axis);
}
