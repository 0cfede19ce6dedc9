// The icons of the two programs, drawn with the library itself at the size asked for, so each
// size is drawn, not scaled down from a large picture: `program_icon gyroscope|lab SIZE` opens a
// SIZE x SIZE window and draws the icon in it. scripts/make-icons.sh takes the picture with the
// headless display's snapshot and turns the key colour of the corners transparent.
//
// Both icons show a top on its post, its axis tilted and its disk square to the axis: the
// simulator's on its own panel blue, the lab's on white with the table, the disk in the lab's
// blue and the trace of its tip. Coordinates are those of a 256-pixel design, scaled.
#include <graphics/window.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>

namespace {

// The corners outside the rounded square; make-icons.sh makes this colour transparent.
constexpr color KEY(255, 0, 255);

enum class Program { GYROSCOPE, LAB };

struct Canvas {
    window& w;
    double scale;
    int at(double design) const { return static_cast<int>(std::lround(design * scale)); }
    int width(double design) const { return std::max(1, at(design)); }
};

// The design's pivot, the axis's direction (tilted 40 degrees to the right) and its length.
constexpr double PIVOT_X = 118, PIVOT_Y = 150, TILT = 40 * std::numbers::pi / 180, AXIS = 96;

double TipX(double along) { return PIVOT_X + along * std::sin(TILT); }
double TipY(double along) { return PIVOT_Y - along * std::cos(TILT); }

void DrawBackground(const Canvas& c, Program program) {
    c.w.SetPen(KEY, 1);
    c.w.SetBrush(KEY);
    c.w.DrawRectangle(0, 0, c.at(256), c.at(256), FILLED);
    const color face = program == Program::GYROSCOPE ? color(12, 180, 243) : color(255, 255, 255);
    const color rim = program == Program::GYROSCOPE ? color(6, 120, 170) : color(12, 180, 243);
    c.w.SetPen(rim, c.width(8));
    c.w.SetBrush(face);
    c.w.DrawRectangle(c.at(4), c.at(4), c.at(252), c.at(252), FILLED, c.at(64), c.at(64));
}

void DrawTable(const Canvas& c) {
    c.w.SetPen(color(190, 175, 150), c.width(2));
    c.w.SetBrush(color(236, 226, 206));
    c.w.DrawEllipse(c.at(40), c.at(196), c.at(216), c.at(236), FILLED);
}

void DrawPost(const Canvas& c) {
    c.w.SetPen(color(150, 150, 150), 1);
    c.w.SetBrush(color(150, 150, 150));
    c.w.DrawRectangle(c.at(PIVOT_X - 7), c.at(PIVOT_Y), c.at(PIVOT_X + 7), c.at(222), FILLED);
}

// The disk seen from the side: an ellipse square to the axis, as a polygon of 24 points.
void DrawDisk(const Canvas& c, const color& fill) {
    constexpr int POINTS = 24;
    constexpr double RADIUS = 58, THICKNESS = 12, ALONG = 62;
    int xs[POINTS], ys[POINTS];
    for (int i = 0; i < POINTS; ++i) {
        const double a = 2 * std::numbers::pi * i / POINTS;
        const double across = RADIUS * std::cos(a), depth = THICKNESS * std::sin(a);
        xs[i] = c.at(TipX(ALONG + depth) + across * std::cos(TILT));
        ys[i] = c.at(TipY(ALONG + depth) + across * std::sin(TILT));
    }
    c.w.SetPen(color(20, 40, 60), c.width(4));
    c.w.SetBrush(fill);
    c.w.DrawPolygon(xs, ys, POINTS, FILLED);
}

void DrawAxis(const Canvas& c) {
    c.w.SetPen(color(30, 30, 30), c.width(9));
    c.w.DrawLine(c.at(PIVOT_X), c.at(PIVOT_Y), c.at(TipX(AXIS)), c.at(TipY(AXIS)), FRAME);
    c.w.SetBrush(color(30, 30, 30));
    c.w.DrawCircle(c.at(PIVOT_X), c.at(PIVOT_Y), c.width(8), FILLED);
}

// The tip's path: precession round the vertical with nutation loops, as the lab draws it.
void DrawTrace(const Canvas& c) {
    c.w.SetPen(color(200, 30, 30), c.width(4));
    double lastX = 0, lastY = 0;
    for (int i = 0; i <= 120; ++i) {
        const double t = i / 120.0;
        const double sweep = std::numbers::pi * (0.15 + 0.7 * t), loop = 2 * std::numbers::pi * 6 * t;
        const double x = 128 - 100 * std::cos(sweep) + 9 * std::sin(loop);
        const double y = 46 + 30 * std::sin(sweep) * 0.35 - 9 * std::cos(loop) + 9;
        if (i > 0) c.w.DrawLine(c.at(lastX), c.at(lastY), c.at(x), c.at(y), FRAME);
        lastX = x;
        lastY = y;
    }
}

void DrawIcon(window& w, Program program, int size) {
    const Canvas c{w, size / 256.0};
    DrawBackground(c, program);
    if (program == Program::LAB) DrawTable(c);
    DrawPost(c);
    if (program == Program::LAB && size >= 32) DrawTrace(c);
    DrawAxis(c);
    DrawDisk(c, program == Program::GYROSCOPE ? color(64, 128, 128) : color(40, 90, 220));
}

int Usage() {
    std::fputs("usage: program_icon gyroscope|lab SIZE   (SIZE from 16 to 512)\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Usage();
    const bool lab = std::strcmp(argv[1], "lab") == 0;
    if (!lab && std::strcmp(argv[1], "gyroscope") != 0) return Usage();
    char* end = nullptr;
    const long size = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || size < 16 || size > 512) return Usage();
    window w(static_cast<int>(size), static_cast<int>(size), CW_USEDEFAULT, 0);
    w.SetTitle(lab ? "Gyroscope lab icon" : "Gyroscope icon");
    DrawIcon(w, lab ? Program::LAB : Program::GYROSCOPE, static_cast<int>(size));
    return 0;
}
