// Shape primitives. Each pumps once, tests its style, and then either brackets one native drawing
// call with SelectDrawStyle/RestoreDrawStyle, or (INVERTED rounded rectangles, triangles, circles,
// ellipses) inverts a native region covering the shape; an INVERTED polygon is filled with the
// NOT mix and no pen instead (InvertPolygon says why). Corners and points go to the
// native call unchanged; coordinates the library computes itself (circle boxes, arc points) are
// computed in 64 bits and saturated, so extreme arguments never overflow.
#include <graphics/library_internal.h>
#include <graphics/window.h>

#include <cmath>
#include <memory>
#include <new>
#include <utility>

namespace {

using graphics_detail::ReportFatal;
using graphics_detail::Saturate;

struct StyleMessages {
    const char* filled;
    const char* frame;
    const char* inverted;

    const char* For(DrawStyle style) const {
        if (style == FILLED) {
            return filled;
        }
        return style == FRAME ? frame : inverted;
    }
};

constexpr StyleMessages kRectangleMessages{"Fatal Error: Failed to draw filled style in DrawRectangle!",
                                           "Fatal Error: Failed to draw frame style in DrawRectangle!",
                                           "Fatal Error: Failed to draw inverted style in DrawRectangle!"};
constexpr StyleMessages kRoundedMessages{"Fatal Error: Failed to draw filled style in DrawRectangle (rounded)!",
                                         "Fatal Error: Failed to draw frame style in DrawRectangle (rounded)!",
                                         "Fatal Error: Failed to draw inverted style in DrawRectangle (rounded)!"};
constexpr StyleMessages kTriangleMessages{"Fatal Error: Failed to draw filled style in DrawTriangle!",
                                          "Fatal Error: Failed to draw frame style in DrawTriangle!",
                                          "Fatal Error: Failed to draw inverted style in DrawTriangle!"};
constexpr StyleMessages kPolygonMessages{"Fatal Error: Failed to draw filled style in DrawPolygon!",
                                         "Fatal Error: Failed to draw frame style in DrawPolygon!",
                                         "Fatal Error: Failed to draw inverted style in DrawPolygon!"};
constexpr StyleMessages kCircleMessages{"Fatal Error: Failed to draw filled style in DrawCircle!",
                                        "Fatal Error: Failed to draw frame style in DrawCircle!",
                                        "Fatal Error: Failed to draw inverted style in DrawCircle!"};
constexpr StyleMessages kEllipseMessages{"Fatal Error: Failed to draw filled style in DrawEllipse!",
                                         "Fatal Error: Failed to draw frame style in DrawEllipse!",
                                         "Fatal Error: Failed to draw inverted style in DrawEllipse!"};
constexpr StyleMessages kArcMessages{"Fatal Error: Failed to draw filled style in DrawArc!",
                                     "Fatal Error: Failed to draw frame style in DrawArc!",
                                     "Fatal Error: Failed to draw inverted style in DrawArc!"};

constexpr double kPi = 3.141592653589793;

// trunc(value) as a 64-bit integer; NaN and infinities give 0, huge values are bounded.
long long TruncToLong(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double bound = 4.0e18;
    return static_cast<long long>(std::trunc(std::fmax(-bound, std::fmin(bound, value))));
}

// The point at angle on the ellipse of half-axes (a, b) centred at (cx, cy), y pointing down.
POINT ArcPoint(long long cx, long long cy, long long a, long long b, double angle) {
    const long long dx = TruncToLong(std::cos(angle) * static_cast<double>(a));
    const long long dy = TruncToLong(std::sin(angle) * static_cast<double>(b));
    return POINT{Saturate(cx + dx), Saturate(cy - dy)};
}

}  // namespace

bool window::AcceptsStyle(DrawStyle style, StyleSet accepted) {
    const bool accepts =
        accepted == StyleSet::FrameOnly ? style == FRAME : (style == FILLED || style == FRAME || style == INVERTED);
    if (!accepts) {
        ReportFatal("Fatal Error: You have tried to use an invalid or unimplemented drawstyle!");
    }
    return accepts;
}

// Region inversion: the region is created by the caller and always deleted here; only the
// inversion's result is looked at.
void window::InvertRegion(HRGN region, const char* failure) {
    if (InvertRgn(dcActive, region) != 1) {
        ReportFatal(failure);
    }
    DeleteObject(region);
}

void window::DrawLine(int x1, int y1, int x2, int y2, DrawStyle style, std::source_location where) {
    const graphics_detail::CallScope scope("DrawLine", where, x1, y1, x2, y2, style);
    PumpMessages();
    if (!AcceptsStyle(style, StyleSet::FrameOnly)) {
        return;
    }
    SelectDrawStyle(FRAME);
    if (MoveToEx(dcActive, x1, y1, nullptr) != 1) {
        ReportFatal("Fatal Error: Failed to MoveToEx in DrawLine!");
    }
    if (LineTo(dcActive, x2, y2) != 1) {
        ReportFatal("Fatal Error: Failed to draw in DrawLine!");
    }
    RestoreDrawStyle();
}

void window::DrawRectangle(int x1, int y1, int x2, int y2, DrawStyle style, int cornerWidth, int cornerHeight,
                           std::source_location where) {
    const graphics_detail::CallScope scope("DrawRectangle", where, x1, y1, x2, y2, style, cornerWidth, cornerHeight);
    PumpMessages();
    if (!AcceptsStyle(style, StyleSet::AllStyles)) {
        return;
    }
    if (cornerWidth == 0 && cornerHeight == 0) {
        SelectDrawStyle(style);
        if (Rectangle(dcActive, x1, y1, x2, y2) != 1) {
            ReportFatal(kRectangleMessages.For(style));
        }
        RestoreDrawStyle();
        return;
    }
    if (style == INVERTED) {
        InvertRegion(CreateRoundRectRgn(x1, y1, x2, y2, cornerWidth, cornerHeight), kRoundedMessages.inverted);
        return;
    }
    SelectDrawStyle(style);
    if (RoundRect(dcActive, x1, y1, x2, y2, cornerWidth, cornerHeight) != 1) {
        ReportFatal(kRoundedMessages.For(style));
    }
    RestoreDrawStyle();
}

void window::DrawTriangle(int x1, int y1, int x2, int y2, int x3, int y3, DrawStyle style, std::source_location where) {
    const graphics_detail::CallScope scope("DrawTriangle", where, x1, y1, x2, y2, x3, y3, style);
    const POINT points[3] = {{x1, y1}, {x2, y2}, {x3, y3}};
    PumpMessages();
    if (!AcceptsStyle(style, StyleSet::AllStyles)) {
        return;
    }
    if (style == INVERTED) {
        InvertRegion(CreatePolygonRgn(points, 3, WINDING), kTriangleMessages.inverted);
        return;
    }
    SelectDrawStyle(style);
    if (Polygon(dcActive, points, 3) != 1) {
        ReportFatal(kTriangleMessages.For(style));
    }
    RestoreDrawStyle();
}

// Counts outside 0 to 65535, and missing arrays for a non-empty polygon, are refused before
// anything is read or allocated.
void window::DrawPolygon(const int* xCoordinates, const int* yCoordinates, int count, DrawStyle style,
                         std::source_location where) {
    const graphics_detail::CallScope scope("DrawPolygon", where, xCoordinates, yCoordinates, count, style);
    if (count < 0 || count > 65535) {
        PumpMessages();
        ReportFatal("Fatal Error: Point count out of range in DrawPolygon!");
        return;
    }
    if (count > 0 && (xCoordinates == nullptr || yCoordinates == nullptr)) {
        PumpMessages();
        ReportFatal("Fatal Error: Missing coordinate array in DrawPolygon!");
        return;
    }
    std::unique_ptr<POINT[]> points(new (std::nothrow) POINT[static_cast<std::size_t>(count)]);
    if (!points) {
        throw OUT_OF_MEMORY;
    }
    for (int i = 0; i < count; ++i) {
        points[static_cast<std::size_t>(i)] = POINT{xCoordinates[i], yCoordinates[i]};
    }
    PumpMessages();
    if (!AcceptsStyle(style, StyleSet::AllStyles)) {
        return;
    }
    if (style == INVERTED) {
        InvertPolygon(points.get(), count);
        return;
    }
    SelectDrawStyle(style);
    SetLastError(ERROR_SUCCESS);
    const BOOL drawn = Polygon(dcActive, points.get(), count);
    RestoreDrawStyle();
    if (drawn != 1) {
        FailDrawing(kPolygonMessages.For(style));
    }
}

// The inverted polygon is the polygon's interior painted with the NOT mix and no outline: the
// native call builds that interior only where the window has pixels, whereas a polygon region
// would be built whole, however far its points lie (a zigzag over a small window can need
// gigabytes). Its interior is the region's, nonzero winding as before.
void window::InvertPolygon(const POINT* points, int count) {
    penOld = SelectObject(dcActive, GetStockObject(NULL_PEN));
    brshOld = SelectObject(dcActive, GetStockObject(BLACK_BRUSH));
    SetROP2(dcActive, R2_NOT);
    const int fillMode = SetPolyFillMode(dcActive, WINDING);
    SetLastError(ERROR_SUCCESS);
    const BOOL drawn = Polygon(dcActive, points, count);
    SetPolyFillMode(dcActive, fillMode);
    RestoreDrawStyle();
    if (drawn != 1) {
        FailDrawing(kPolygonMessages.inverted);
    }
}

// A native call that failed for want of memory throws the library's `error`; any other failure
// is reported and the program goes on.
void window::FailDrawing(const char* failure) {
    if (GetLastError() == ERROR_NOT_ENOUGH_MEMORY) {
        throw OUT_OF_MEMORY;
    }
    ReportFatal(failure);
}

void window::DrawCircle(int centreX, int centreY, int radius, DrawStyle style, std::source_location where) {
    const graphics_detail::CallScope scope("DrawCircle", where, centreX, centreY, radius, style);
    const long long r = radius;
    const int left = Saturate(centreX - r);
    const int top = Saturate(centreY - r);
    const int right = Saturate(centreX + r);
    const int bottom = Saturate(centreY + r);
    PumpMessages();
    if (!AcceptsStyle(style, StyleSet::AllStyles)) {
        return;
    }
    if (style == INVERTED) {
        InvertRegion(CreateEllipticRgn(left, top, right, bottom), kCircleMessages.inverted);
        return;
    }
    SelectDrawStyle(style);
    if (Ellipse(dcActive, left, top, right, bottom) != 1) {
        ReportFatal(kCircleMessages.For(style));
    }
    RestoreDrawStyle();
}

void window::DrawEllipse(int x1, int y1, int x2, int y2, DrawStyle style, std::source_location where) {
    const graphics_detail::CallScope scope("DrawEllipse", where, x1, y1, x2, y2, style);
    PumpMessages();
    if (!AcceptsStyle(style, StyleSet::AllStyles)) {
        return;
    }
    if (style == INVERTED) {
        InvertRegion(CreateEllipticRgn(x1, y1, x2, y2), kEllipseMessages.inverted);
        return;
    }
    SelectDrawStyle(style);
    if (Ellipse(dcActive, x1, y1, x2, y2) != 1) {
        ReportFatal(kEllipseMessages.For(style));
    }
    RestoreDrawStyle();
}

void window::DrawArc(int x1, int y1, int x2, int y2, double startAngle, double endAngle, DrawStyle style, int angleUnit,
                     std::source_location where) {
    const graphics_detail::CallScope scope("DrawArc", where, x1, y1, x2, y2, startAngle, endAngle, style, angleUnit);
    PumpMessages();
    const long long a = (static_cast<long long>(x2) - x1) / 2;
    const long long b = (static_cast<long long>(y2) - y1) / 2;
    const long long cx = (static_cast<long long>(x1) + x2) / 2;
    const long long cy = (static_cast<long long>(y1) + y2) / 2;
    if (angleUnit != 1) {
        startAngle = (kPi / 180.0) * startAngle;
        endAngle = (kPi / 180.0) * endAngle;
    }
    const POINT start = ArcPoint(cx, cy, a, b, startAngle);
    const POINT end = ArcPoint(cx, cy, a, b, endAngle);
    if (!AcceptsStyle(style, StyleSet::AllStyles)) {
        return;
    }
    SelectDrawStyle(style);
    const BOOL drawn = style == FRAME ? Arc(dcActive, x1, y1, x2, y2, start.x, start.y, end.x, end.y)
                                      : Pie(dcActive, x1, y1, x2, y2, start.x, start.y, end.x, end.y);
    if (drawn != 1) {
        ReportFatal(kArcMessages.For(style));
    }
    RestoreDrawStyle();
}

void window::DrawBezier(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, DrawStyle style,
                        std::source_location where) {
    const graphics_detail::CallScope scope("DrawBezier", where, x1, y1, x2, y2, x3, y3, x4, y4, style);
    const POINT points[4] = {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
    PumpMessages();
    if (!AcceptsStyle(style, StyleSet::FrameOnly)) {
        return;
    }
    SelectDrawStyle(FRAME);
    if (PolyBezier(dcActive, points, 4) != 1) {
        ReportFatal("Fatal Error: Failed to draw in DrawBezier!");
    }
    RestoreDrawStyle();
}

// A one-pixel line from (x, y) to (x + 1, y + 1) sets only (x, y). A temporary one-pixel pen of
// the pen colour stands in for the current pen, which is put back even if pumping throws.
void window::DrawPixel(int x, int y, std::source_location where) {
    const graphics_detail::CallScope scope("DrawPixel", where, x, y);
    struct PenSwap {
        window& owner;
        HPEN kept;
        ~PenSwap() {
            if (DeleteObject(owner.penObject) != 1) {
                ReportFatal("Fatal Error: Failed to delete penObject in SetPen!");
            }
            owner.penObject = kept;
        }
    } swap{*this, std::exchange(penObject, CreatePen(PS_INSIDEFRAME, 1, graphics_detail::ToNative(penColor)))};
    DrawLine(x, y, Saturate(static_cast<long long>(x) + 1), Saturate(static_cast<long long>(y) + 1), FRAME);
}
