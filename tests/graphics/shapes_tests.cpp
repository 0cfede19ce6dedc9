// Shape primitives: each is compared pixel for pixel with the native call it must make, drawn on
// the same window with the same pen and brush; refused styles draw nothing and change nothing.
#include "test_support.h"

#include <functional>

using namespace graphics_test;

namespace {

constexpr const char* kDrawStyleMessage = "Fatal Error: You have tried to use an invalid or unimplemented drawstyle!\n";
constexpr double kPi = 3.141592653589793;

// A pen and brush that show up on white: a blue 1-pixel pen and a red brush.
void UseColours(window& w, int penWidth = 1) {
    w.SetPen(0, 0, 255, penWidth);
    w.SetBrush(255, 0, 0);
}

// The native call with the window's own pen and brush selected, as the FILLED style does.
void DrawDirectly(window& w, const std::function<void(HDC)>& draw) {
    const HDC dc = WindowInspector::Active(w);
    const HGDIOBJ pen = SelectObject(dc, WindowInspector::Pen(w));
    const HGDIOBJ brush = SelectObject(dc, WindowInspector::Brush(w));
    SetROP2(dc, R2_COPYPEN);
    draw(dc);
    SelectObject(dc, pen);
    SelectObject(dc, brush);
}

// The pixels of the region after drawing with the library and after the direct native call.
struct Comparison {
    std::vector<COLORREF> library;
    std::vector<COLORREF> native;
};

Comparison Compare(window& w, const std::function<void()>& libraryDraw, const std::function<void(HDC)>& nativeDraw,
                   RECT area = RECT{0, 0, 120, 80}) {
    const HDC dc = WindowInspector::Active(w);
    Comparison result;
    Wipe(w);
    UseColours(w);
    libraryDraw();
    result.library = Snapshot(dc, area.left, area.top, area.right, area.bottom);
    Wipe(w);
    UseColours(w);
    DrawDirectly(w, nativeDraw);
    result.native = Snapshot(dc, area.left, area.top, area.right, area.bottom);
    return result;
}

int CountColour(const std::vector<COLORREF>& pixels, COLORREF wanted) {
    int count = 0;
    for (COLORREF pixel : pixels) {
        count += pixel == wanted ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST(Shapes, RectanglesMakeTheNativeSquareOrRoundedCall) {
    auto w = OpenWindow();
    const Comparison square = Compare(
        *w, [&] { w->DrawRectangle(5, 5, 60, 40, FILLED, 0, 0); }, [](HDC dc) { Rectangle(dc, 5, 5, 60, 40); });
    EXPECT_EQ(square.library, square.native);
    EXPECT_GT(CountColour(square.library, RGB(255, 0, 0)), 0);
    const Comparison rounded = Compare(
        *w, [&] { w->DrawRectangle(5, 5, 60, 40, FILLED, 0, 5); }, [](HDC dc) { RoundRect(dc, 5, 5, 60, 40, 0, 5); });
    EXPECT_EQ(rounded.library, rounded.native);
}

TEST(Shapes, CircleUsesTheBoxAroundItsCentre) {
    auto w = OpenWindow();
    const Comparison circle = Compare(
        *w, [&] { w->DrawCircle(60, 50, 4, FILLED); }, [](HDC dc) { Ellipse(dc, 56, 46, 64, 54); });
    EXPECT_EQ(circle.library, circle.native);
    EXPECT_GT(CountColour(circle.library, RGB(0, 0, 255)), 0);
}

TEST(Shapes, ArcComputesItsPointsFromDegreesOrRadians) {
    auto w = OpenWindow();
    const Comparison degrees = Compare(
        *w, [&] { w->DrawArc(0, 0, 101, 51, 0.0, 90.0, FILLED, 0); },
        [](HDC dc) { Pie(dc, 0, 0, 101, 51, 100, 25, 50, 0); });
    EXPECT_EQ(degrees.library, degrees.native);
    const Comparison radians = Compare(
        *w, [&] { w->DrawArc(0, 0, 101, 51, 0.0, kPi / 2, FRAME, 1); },
        [](HDC dc) { Arc(dc, 0, 0, 101, 51, 100, 25, 50, 0); });
    EXPECT_EQ(radians.library, radians.native);
    const Comparison eighth = Compare(
        *w, [&] { w->DrawArc(0, 0, 101, 51, 45.0, 90.0, FRAME, 2); },
        [](HDC dc) { Arc(dc, 0, 0, 101, 51, 85, 8, 50, 0); });
    EXPECT_EQ(eighth.library, eighth.native);
}

TEST(Shapes, BezierAndPolygonPassTheirPointsInOrder) {
    auto w = OpenWindow();
    const Comparison bezier = Compare(
        *w, [&] { w->DrawBezier(5, 70, 30, 5, 80, 5, 110, 70, FRAME); },
        [](HDC dc) {
            const POINT points[] = {{5, 70}, {30, 5}, {80, 5}, {110, 70}};
            PolyBezier(dc, points, 4);
        });
    EXPECT_EQ(bezier.library, bezier.native);
    const int xs[] = {10, 100, 20, 90, 55};
    const int ys[] = {10, 10, 70, 70, 0};
    const Comparison polygon = Compare(
        *w, [&] { w->DrawPolygon(xs, ys, 5, FILLED); },
        [](HDC dc) {
            const POINT points[] = {{10, 10}, {100, 10}, {20, 70}, {90, 70}, {55, 0}};
            Polygon(dc, points, 5);
        });
    EXPECT_EQ(polygon.library, polygon.native);
}

TEST(Shapes, RefusedStylesReportAndDrawNothing) {
    auto w = OpenWindow();
    const HDC dc = WindowInspector::Active(*w);
    Wipe(*w);
    UseColours(*w);
    SetROP2(dc, R2_MERGEPEN);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    const std::vector<COLORREF> before = Snapshot(dc, 0, 0, 120, 80);
    const int xs[] = {1, 50, 1};
    const int ys[] = {1, 1, 50};
    const std::string output = CaptureOutput([&] {
        w->DrawLine(0, 0, 100, 60, FILLED);
        w->DrawLine(0, 0, 100, 60, INVERTED);
        w->DrawBezier(0, 0, 10, 10, 20, 10, 30, 0, FILLED);
        w->DrawRectangle(0, 0, 50, 50, static_cast<DrawStyle>(0), 0, 0);
        w->DrawArc(0, 0, 101, 51, 0.0, 90.0, static_cast<DrawStyle>(4), 0);
        w->DrawPolygon(xs, ys, 3, static_cast<DrawStyle>(7));
    });
    std::string expected;
    for (int i = 0; i < 6; ++i) {
        expected += kDrawStyleMessage;
    }
    EXPECT_EQ(output, expected);
    EXPECT_EQ(Snapshot(dc, 0, 0, 120, 80), before);
    EXPECT_EQ(GetROP2(dc), R2_MERGEPEN);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
}

TEST(Shapes, PolygonRefusesCountsOutsideItsIndexAndMissingArrays) {
    auto w = OpenWindow();
    const int xs[] = {1, 50, 1};
    const int ys[] = {1, 1, 50};
    EXPECT_EQ(CaptureOutput([&] { w->DrawPolygon(xs, ys, -1, FILLED); }),
              "Fatal Error: Point count out of range in DrawPolygon!\n");
    EXPECT_EQ(CaptureOutput([&] { w->DrawPolygon(xs, ys, 65536, FILLED); }),
              "Fatal Error: Point count out of range in DrawPolygon!\n");
    EXPECT_EQ(CaptureOutput([&] { w->DrawPolygon(nullptr, ys, 3, FILLED); }),
              "Fatal Error: Missing coordinate array in DrawPolygon!\n");
    EXPECT_EQ(CaptureOutput([&] { w->DrawPolygon(nullptr, nullptr, 0, FRAME); }),
              "Fatal Error: Failed to draw frame style in DrawPolygon!\n");
    ArmAllocationFailure(true);
    EXPECT_THROW(w->DrawPolygon(xs, ys, 3, FILLED), error);
    ArmAllocationFailure(false);
}

TEST(Shapes, InvertedStylesInvertThePixelsOfTheShape) {
    auto w = OpenWindow();
    const HDC dc = WindowInspector::Active(*w);
    Wipe(*w);
    SetROP2(dc, R2_MERGEPEN);
    // Region inversion leaves the mix mode alone.
    w->DrawRectangle(10, 10, 40, 40, INVERTED, 8, 8);
    EXPECT_EQ(GetROP2(dc), R2_MERGEPEN);
    w->DrawCircle(70, 25, 10, INVERTED);
    w->DrawTriangle(90, 10, 118, 10, 104, 40, INVERTED);
    EXPECT_EQ(GetPixel(dc, 25, 25), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 70, 25), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 104, 15), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 255, 255)) << "the rounded corner stays outside";
    w->DrawRectangle(20, 50, 40, 70, INVERTED, 0, 0);
    EXPECT_EQ(GetROP2(dc), R2_NOT);
    EXPECT_EQ(GetPixel(dc, 30, 60), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 20, 50), RGB(0, 0, 0));
}

TEST(Shapes, DrawPixelSetsOnePixelWhateverThePenWidth) {
    auto w = OpenWindow();
    const HDC dc = WindowInspector::Active(*w);
    Wipe(*w);
    w->SetPen(12, 180, 243, 5);
    const HPEN pen = WindowInspector::Pen(*w);
    w->DrawPixel(10, 20);
    EXPECT_EQ(GetPixel(dc, 10, 20), RGB(12, 180, 243));
    EXPECT_EQ(CountColour(Snapshot(dc, 5, 15, 16, 26), RGB(255, 255, 255)), 11 * 11 - 1);
    EXPECT_EQ(WindowInspector::Pen(*w), pen);
    EXPECT_EQ(WindowInspector::PenWidth(*w), 5);
}
