// Clip regions through the public calls: every family of drawing call writes exactly the
// pixels it writes without a clip region, limited to the clip region; and the clip calls
// return what Wine returns (each expectation measured under Wine first).
#include <platform/win32.h>

#include "../dib_canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int side = 24;
constexpr unsigned background = 0xCCCCCCCCu;

// A top-down 32-bit DIB section in a memory DC, 0xCC-filled, with a patterned corner so that
// blits within the DC copy something visible.
class Canvas : public zg_test::DibCanvas {
public:
    explicit Canvas(int w = side, int h = side) : DibCanvas(w, h, background) {
        for (int i = 0; i < 8; ++i) pixels()[i * w + i] = 0x00102030u * static_cast<unsigned>(i + 1);
    }
};

// A clip region with a hole and a detached piece: three bands, several rectangles per band.
void select_test_clip(HDC dc) {
    IntersectClipRect(dc, 3, 2, 19, 17);
    ExcludeClipRect(dc, 8, 7, 13, 11);
    HRGN extra = CreateRectRgn(20, 19, 23, 23);
    ExtSelectClipRgn(dc, extra, RGN_OR);
    DeleteObject(extra);
}

bool inside_test_clip(int x, int y) {
    const bool frame = x >= 3 && x < 19 && y >= 2 && y < 17 && !(x >= 8 && x < 13 && y >= 7 && y < 11);
    return frame || (x >= 20 && x < 23 && y >= 19 && y < 23);
}

using Drawing = std::function<void(HDC)>;

std::vector<std::pair<std::string, Drawing>> drawings() {
    static const POINT zig[] = {{-2, 22}, {12, -3}, {15, 26}, {25, 1}};
    static const POINT curve[] = {{0, 23}, {5, -10}, {20, 40}, {23, 0}};
    static const POINT tri[] = {{1, 1}, {23, 9}, {4, 22}};
    return {
        {"Rectangle", [](HDC dc) { Rectangle(dc, 1, 1, 22, 21); }},
        {"Ellipse", [](HDC dc) { Ellipse(dc, 0, 0, 24, 22); }},
        {"RoundRect", [](HDC dc) { RoundRect(dc, 1, 0, 23, 24, 9, 7); }},
        // Boxes wider than the outline stepper takes, drawn row by row from the corner ellipse.
        {"Ellipse wider than 2^20", [](HDC dc) { Ellipse(dc, -1100000, 1, 1100020, 23); }},
        {"RoundRect wider than 2^20", [](HDC dc) { RoundRect(dc, -1100000, 2, 22, 21, 1000000, 12); }},
        {"Pie", [](HDC dc) { Pie(dc, 0, 0, 24, 24, 24, 5, 0, 12); }},
        {"Chord", [](HDC dc) { Chord(dc, 0, 2, 24, 22, 24, 4, 0, 20); }},
        {"Arc", [](HDC dc) { Arc(dc, 1, 1, 23, 23, 0, 0, 23, 23); }},
        {"Polygon", [](HDC dc) { Polygon(dc, tri, 3); }},
        {"Polyline", [](HDC dc) { Polyline(dc, zig, 4); }},
        {"PolyBezier", [](HDC dc) { PolyBezier(dc, curve, 4); }},
        {"LineTo",
         [](HDC dc) {
             MoveToEx(dc, 0, 5, nullptr);
             LineTo(dc, 24, 17);
         }},
        {"SetPixel",
         [](HDC dc) {
             for (int i = 0; i < side; ++i) SetPixel(dc, i, (i * 7) % side, RGB(9, 8, 7));
         }},
        {"PatBlt", [](HDC dc) { PatBlt(dc, 2, 1, 20, 22, PATINVERT); }},
        {"BitBlt within the DC", [](HDC dc) { BitBlt(dc, 1, 2, 22, 20, dc, 0, 0, SRCCOPY); }},
        {"StretchBlt within the DC", [](HDC dc) { StretchBlt(dc, 0, 0, 24, 24, dc, 0, 0, 8, 8, SRCCOPY); }},
        {"InvertRgn",
         [](HDC dc) {
             HRGN r = CreateEllipticRgn(-4, -2, 26, 25);
             InvertRgn(dc, r);
             DeleteObject(r);
         }},
        {"TextOutA", [](HDC dc) { TextOutA(dc, -1, 2, "WMW", 3); }},
    };
}

// Draws with a pen of the width and a brush; the wide pen draws in XOR mode, so that a pixel
// drawn twice would show as well as one drawn outside.
void draw_with_pen(HDC dc, int width, const Drawing& draw) {
    HPEN pen = CreatePen(PS_SOLID, width, RGB(0x10, 0x70, 0xC0));
    HBRUSH brush = CreateSolidBrush(RGB(0xE0, 0x40, 0x20));
    HGDIOBJ old_pen = SelectObject(dc, pen), old_brush = SelectObject(dc, brush);
    SetROP2(dc, width == 1 ? R2_COPYPEN : R2_XORPEN);
    draw(dc);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);
}

// How many pixels inside the clip region the drawing changed; fails on any pixel that differs
// from the unclipped drawing inside, or from the background outside.
int compare_with_unclipped(const std::string& name, int width, const Drawing& draw) {
    const Canvas untouched;
    Canvas free, clipped;
    draw_with_pen(free.dc(), width, draw);
    select_test_clip(clipped.dc());
    draw_with_pen(clipped.dc(), width, draw);
    int inside_changed = 0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool inside = inside_test_clip(x, y);
            const unsigned original = untouched.at(x, y);
            const unsigned expected = inside ? free.at(x, y) : original;
            EXPECT_EQ(clipped.at(x, y), expected) << name << ", pen width " << width << ", at " << x << ", " << y;
            if (clipped.at(x, y) != expected) return inside_changed;
            inside_changed += inside && expected != original;
        }
    }
    return inside_changed;
}

TEST(Clipping, EveryCallWritesItsUnclippedPixelsInsideTheClipRegionAndNothingElse) {
    for (const auto& [name, draw] : drawings()) {
        for (int width : {1, 5}) {
            EXPECT_GT(compare_with_unclipped(name, width, draw), 0) << name << " drew nothing inside the clip region";
        }
    }
}

TEST(Clipping, AnEmptyClipRegionStopsAllDrawingButSetPixelStillReturnsItsColour) {
    Canvas c;
    // The first clip rectangle counts as simple, even empty; the box tells the truth.
    EXPECT_EQ(IntersectClipRect(c.dc(), 5, 5, 5, 9), SIMPLEREGION);
    RECT box{};
    EXPECT_EQ(GetClipBox(c.dc(), &box), NULLREGION);
    for (const auto& entry : drawings()) draw_with_pen(c.dc(), 5, entry.second);
    Canvas untouched;
    EXPECT_EQ(std::memcmp(c.pixels(), untouched.pixels(), side * side * 4), 0);
    EXPECT_EQ(SetPixel(c.dc(), 1, 1, RGB(1, 2, 3)), RGB(1, 2, 3));
    // GetPixel reads through the clip region.
    EXPECT_EQ(GetPixel(c.dc(), 0, 0), RGB(0x10, 0x20, 0x30));
}

struct ClipBox {
    int kind;
    RECT box;
};

ClipBox clip_box(HDC dc) {
    ClipBox b{};
    b.kind = GetClipBox(dc, &b.box);
    return b;
}

void expect_box(HDC dc, int kind, RECT box) {
    const ClipBox b = clip_box(dc);
    EXPECT_EQ(b.kind, kind);
    EXPECT_EQ(b.box.left, box.left);
    EXPECT_EQ(b.box.top, box.top);
    EXPECT_EQ(b.box.right, box.right);
    EXPECT_EQ(b.box.bottom, box.bottom);
}

TEST(ClipCalls, ExtSelectClipRgnCombinesWithTheSurfaceWhenThereIsNoClipRegion) {
    Canvas c(20, 10);
    HRGN q = CreateRectRgn(-5, 4, 8, 30);
    expect_box(c.dc(), SIMPLEREGION, {0, 0, 20, 10});
    EXPECT_EQ(ExtSelectClipRgn(c.dc(), q, RGN_AND), SIMPLEREGION);
    expect_box(c.dc(), SIMPLEREGION, {0, 4, 8, 10});
    SelectClipRgn(c.dc(), nullptr);
    EXPECT_EQ(ExtSelectClipRgn(c.dc(), q, RGN_OR), COMPLEXREGION);
    expect_box(c.dc(), COMPLEXREGION, {0, 0, 20, 10});
    SelectClipRgn(c.dc(), nullptr);
    EXPECT_EQ(ExtSelectClipRgn(c.dc(), q, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(ExtSelectClipRgn(c.dc(), nullptr, RGN_DIFF), ERROR);  // a null region only resets
    EXPECT_EQ(ExtSelectClipRgn(c.dc(), q, 0), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(c.dc(), q, RGN_COPY + 1), ERROR);
    expect_box(c.dc(), COMPLEXREGION, {0, 0, 20, 10});
    EXPECT_EQ(ExtSelectClipRgn(c.dc(), nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(c.dc(), -10, -10, 50, 50), NULLREGION);
    expect_box(c.dc(), NULLREGION, {0, 0, 0, 0});
    DeleteObject(q);
}

TEST(ClipCalls, TheClipRegionStaysInDeviceCoordinatesAcrossBitmaps) {
    Canvas c(20, 10);
    EXPECT_EQ(IntersectClipRect(c.dc(), 3, 3, 50, 50), SIMPLEREGION);
    expect_box(c.dc(), SIMPLEREGION, {3, 3, 20, 10});
    HBITMAP big = CreateCompatibleBitmap(c.dc(), 40, 40);
    HGDIOBJ small = SelectObject(c.dc(), big);
    expect_box(c.dc(), SIMPLEREGION, {3, 3, 40, 40});  // the rectangle was kept whole
    // ExcludeClipRect without a clip region starts from the surface of the moment.
    SelectClipRgn(c.dc(), nullptr);
    SelectObject(c.dc(), small);
    EXPECT_EQ(ExcludeClipRect(c.dc(), 3, 3, 8, 50), COMPLEXREGION);
    SelectObject(c.dc(), big);
    expect_box(c.dc(), COMPLEXREGION, {0, 0, 20, 10});
    SelectObject(c.dc(), small);
    DeleteObject(big);
}

TEST(ClipCalls, GetClipBoxOfAClipRegionOffTheSurfaceIsUnnormalisedAndNull) {
    Canvas c(20, 10);
    EXPECT_EQ(IntersectClipRect(c.dc(), 30, 30, 40, 40), SIMPLEREGION);
    expect_box(c.dc(), NULLREGION, {30, 30, 20, 10});
    EXPECT_EQ(IntersectClipRect(c.dc(), 40, 40, 30, 30), SIMPLEREGION);  // corners are ordered
    HRGN r = CreateRectRgn(0, 0, 5, 5);
    EXPECT_EQ(SelectClipRgn(c.dc(), r), SIMPLEREGION);
    HRGN more = CreateRectRgn(0, 0, 30, 30);
    CombineRgn(r, r, more, RGN_OR);  // the DC holds a copy
    DeleteObject(more);
    expect_box(c.dc(), SIMPLEREGION, {0, 0, 5, 5});
    DeleteObject(r);
    expect_box(c.dc(), SIMPLEREGION, {0, 0, 5, 5});
}

// Tall narrow elliptic regions (seen for boxes 6 to 11 wide and 21 or more tall): the rows at
// the box's top and bottom edges hold no pixel, and here no rectangle either, so ORing the region
// with the surface, whose bottom the ellipse's last pixel row meets, leaves a rectangle.
TEST(ClipCalls, TheEmptyEndRowsOfATallNarrowEllipseAreNotPartOfTheClipRegion) {
    Canvas c(64, 48);
    HRGN e = CreateEllipticRgn(23, 2, 29, 50);
    EXPECT_FALSE(PtInRegion(e, 25, 2) || PtInRegion(e, 25, 48));
    EXPECT_TRUE(PtInRegion(e, 25, 3) && PtInRegion(e, 25, 47));
#ifndef _WIN32
    // Wine keeps those rows as zero-width rectangles and answers COMPLEXREGION, a box of 2 to 49
    // (random-deviations.txt).
    RECT box{};
    EXPECT_EQ(GetRgnBox(e, &box), COMPLEXREGION);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.bottom, 48);
    EXPECT_EQ(ExtSelectClipRgn(c.dc(), e, RGN_OR), SIMPLEREGION);
    expect_box(c.dc(), SIMPLEREGION, {0, 0, 64, 48});
#endif
    DeleteObject(e);
}

TEST(ClipCalls, BadHandlesFail) {
    Canvas c;
    HDC bad = reinterpret_cast<HDC>(static_cast<INT_PTR>(0x1234));
    RECT box{};
    EXPECT_EQ(GetClipBox(bad, &box), ERROR);
    EXPECT_EQ(IntersectClipRect(bad, 0, 0, 1, 1), ERROR);
    EXPECT_EQ(ExcludeClipRect(bad, 0, 0, 1, 1), ERROR);
    EXPECT_EQ(SelectClipRgn(bad, nullptr), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(c.dc(), reinterpret_cast<HRGN>(static_cast<INT_PTR>(0x1234)), RGN_AND), ERROR);
    expect_box(c.dc(), SIMPLEREGION, {0, 0, side, side});
}

}  // namespace
