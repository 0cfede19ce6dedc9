// Pixel tests of tiny bitmaps through the public drawing calls. Every expectation was measured
// under Wine (which reproduces Windows' GDI) before it was written down here.
#include <platform/win32.h>

#include "../dib_canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr unsigned background = 0xCCCCCCCCu;

// A 10 x 10 (or other) top-down DIB section in a memory DC, 0xCC-filled.
class Bitmap : public zg_test::DibCanvas {
public:
    explicit Bitmap(int w = 10, int h = 10) : DibCanvas(w, h, background) {}

    // The picture as rows of '#' (changed) and '.' (background).
    std::string picture() const {
        std::string s;
        for (int y = 0; y < height(); ++y) {
            for (int x = 0; x < width(); ++x) s += at(x, y) == background ? '.' : '#';
            s += '\n';
        }
        return s;
    }
};

std::string rows(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines) s += std::string(l) + "\n";
    return s;
}

TEST(Rectangle, ThinPenRunsOnTheBoxEdgesWithTheBrushStrictlyInside) {
    Bitmap b;
    SelectObject(b.dc(), GetStockObject(BLACK_PEN));
    SelectObject(b.dc(), GetStockObject(WHITE_BRUSH));
    ASSERT_TRUE(Rectangle(b.dc(), 1, 1, 6, 5));
    EXPECT_EQ(b.at(1, 1), 0u);
    EXPECT_EQ(b.at(5, 4), 0u);
    EXPECT_EQ(b.at(2, 2), 0x00FFFFFFu);
    EXPECT_EQ(b.at(4, 3), 0x00FFFFFFu);
    EXPECT_EQ(b.at(6, 5), background);
}

TEST(Rectangle, NullPenFillsOnePixelLessToTheRightAndBottom) {
    Bitmap b;
    SelectObject(b.dc(), GetStockObject(NULL_PEN));
    SelectObject(b.dc(), GetStockObject(BLACK_BRUSH));
    ASSERT_TRUE(Rectangle(b.dc(), 1, 1, 5, 4));
    EXPECT_EQ(b.picture(), rows({"..........", ".###......", ".###......", "..........", "..........", "..........",
                                 "..........", "..........", "..........", ".........."}));
}

TEST(Rectangle, WideInsideFramePenStaysInsideTheBox) {
    Bitmap b(14, 14);
    HPEN pen = CreatePen(PS_INSIDEFRAME, 5, RGB(0, 0, 0));
    SelectObject(b.dc(), pen);
    SelectObject(b.dc(), GetStockObject(NULL_BRUSH));
    ASSERT_TRUE(Rectangle(b.dc(), 1, 1, 12, 12));
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(b.at(i, 0), background);
        EXPECT_EQ(b.at(0, i), background);
        EXPECT_EQ(b.at(12, i), background);
    }
    EXPECT_EQ(b.at(6, 1), 0u);
    EXPECT_EQ(b.at(11, 6), 0u);
    EXPECT_EQ(b.at(1, 1), background);  // round joins leave the corner pixel out
    SelectObject(b.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(Ellipse, SmallSizesFollowTheMidpointRule) {
    Bitmap b;
    SelectObject(b.dc(), GetStockObject(BLACK_PEN));
    SelectObject(b.dc(), GetStockObject(NULL_BRUSH));
    Ellipse(b.dc(), 0, 0, 3, 3);
    Ellipse(b.dc(), 5, 0, 9, 4);
    EXPECT_EQ(b.picture(), rows({".#....##..", "#.#..#..#.", ".#...#..#.", "......##..", "..........", "..........",
                                 "..........", "..........", "..........", ".........."}));
}

TEST(Ellipse, NotModeLeavesTheOutlineRingUnchanged) {
    Bitmap b;
    SelectObject(b.dc(), GetStockObject(BLACK_PEN));
    SelectObject(b.dc(), GetStockObject(WHITE_BRUSH));
    SetROP2(b.dc(), R2_NOT);
    Ellipse(b.dc(), 1, 1, 9, 9);
    EXPECT_EQ(b.at(1, 4), background);   // outline: inverted twice
    EXPECT_EQ(b.at(4, 4), ~background);  // interior: inverted once
    EXPECT_EQ(b.at(0, 0), background);
}

TEST(Lines, ExcludeTheLastPixelAndTakeTheSamePixelsEitherWay) {
    Bitmap forward, backward;
    for (Bitmap* b : {&forward, &backward}) SelectObject(b->dc(), GetStockObject(BLACK_PEN));
    MoveToEx(forward.dc(), 1, 1, nullptr);
    LineTo(forward.dc(), 8, 5);
    MoveToEx(backward.dc(), 8, 5, nullptr);
    LineTo(backward.dc(), 1, 1);
    EXPECT_EQ(forward.at(1, 1), 0u);
    EXPECT_EQ(forward.at(8, 5), background);
    int lit = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            lit += forward.at(x, y) == 0u;
            // The two differ only in their excluded end pixel.
            if ((x == 1 && y == 1) || (x == 8 && y == 5)) continue;
            EXPECT_EQ(forward.at(x, y), backward.at(x, y)) << x << "," << y;
        }
    EXPECT_EQ(lit, 7);
    POINT pos{};
    GetCurrentPositionEx(backward.dc(), &pos);
    EXPECT_EQ(pos.x, 1);
    EXPECT_EQ(pos.y, 1);
}

TEST(Lines, AHalfwayTieGoesToTheSmallerCoordinate) {
    Bitmap b;
    SelectObject(b.dc(), GetStockObject(BLACK_PEN));
    MoveToEx(b.dc(), 0, 0, nullptr);
    LineTo(b.dc(), 4, 2);  // exact y at x = 1 is 0.5
    EXPECT_EQ(b.at(1, 0), 0u);
    EXPECT_EQ(b.at(1, 1), background);
    EXPECT_EQ(b.at(3, 1), 0u);
}

TEST(Regions, InvertRgnInvertsEachPixelOnceAndTwiceRestores) {
    Bitmap b;
    HRGN a = CreateRectRgn(0, 0, 6, 6), c = CreateRectRgn(3, 3, 9, 9), u = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(u, a, c, RGN_OR), COMPLEXREGION);
    ASSERT_TRUE(InvertRgn(b.dc(), u));
    EXPECT_EQ(b.at(4, 4), ~background);
    EXPECT_EQ(b.at(8, 8), ~background);
    EXPECT_EQ(b.at(7, 1), background);
    InvertRgn(b.dc(), u);
    EXPECT_EQ(b.picture(), Bitmap().picture());
    for (HRGN r : {a, c, u}) DeleteObject(r);
}

TEST(Regions, EllipticRegionIsOnePixelSmallerThanTheEllipse) {
    HRGN r = CreateEllipticRgn(0, 0, 10, 10);
    RECT box{};
    EXPECT_EQ(GetRgnBox(r, &box), COMPLEXREGION);
    EXPECT_EQ(box.right, 9);
    EXPECT_EQ(box.bottom, 9);
    EXPECT_TRUE(PtInRegion(r, 4, 0));
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_FALSE(PtInRegion(r, 9, 4));
    DeleteObject(r);
}

TEST(Regions, PolygonFillModesDifferOnASelfIntersectingStar) {
    const POINT star[] = {{50, 0}, {80, 95}, {0, 35}, {100, 35}, {20, 95}};
    HRGN alt = CreatePolygonRgn(star, 5, ALTERNATE), wind = CreatePolygonRgn(star, 5, WINDING);
    EXPECT_FALSE(PtInRegion(alt, 50, 50));
    EXPECT_TRUE(PtInRegion(wind, 50, 50));
    EXPECT_TRUE(PtInRegion(alt, 50, 10));
    HRGN other = CreatePolygonRgn(star, 5, 7);  // any other mode is alternate
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(PtInRegion(other, 50, 50));
    DeleteObject(other);
    DeleteObject(alt);
    DeleteObject(wind);
}

TEST(Blits, NegativeExtentsCoverTheStartPixel) {
    Bitmap b;
    SelectObject(b.dc(), GetStockObject(BLACK_BRUSH));
    ASSERT_TRUE(PatBlt(b.dc(), 5, 5, -3, -2, PATCOPY));
    EXPECT_EQ(b.at(5, 5), 0u);
    EXPECT_EQ(b.at(3, 4), 0u);
    EXPECT_EQ(b.at(2, 4), background);
    EXPECT_EQ(b.at(5, 3), background);
}

TEST(Blits, GetDIBitsCountsScanLinesFromTheBottomInBothOrientations) {
    Bitmap b(4, 6);
    for (int y = 0; y < 6; ++y) SetPixel(b.dc(), 0, y, RGB(0, 0, y + 1));
    HBITMAP bm = static_cast<HBITMAP>(GetCurrentObject(b.dc(), OBJ_BITMAP));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -6, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    unsigned out[4 * 2] = {};
    ASSERT_EQ(GetDIBits(b.dc(), bm, 1, 2, out, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out[0], 4u);  // lines 1..2 from the bottom are picture rows 4 and 3, top first
    EXPECT_EQ(out[4], 5u);
    info.bmiHeader.biHeight = 6;
    ASSERT_EQ(GetDIBits(b.dc(), bm, 1, 2, out, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out[0], 5u);
    EXPECT_EQ(out[4], 4u);
}

// The row order a DIB header's height asks for: bottom-up when it is positive.
zg_test::DibCanvas::Rows rows_of(int height) {
    return height > 0 ? zg_test::DibCanvas::Rows::BottomUp : zg_test::DibCanvas::Rows::TopDown;
}

// Unscaled copies go as one block where the rows follow each other in both memories and row by
// row elsewhere: every pairing of row orders, whole rows or part of them, lands the same pixels.
TEST(Blits, UnscaledCopiesLandEveryPixelInEitherRowOrder) {
    constexpr int w = 5, h = 4;
    for (const int src_h : {h, -h}) {
        for (const int dst_h : {h, -h}) {
            for (const int x0 : {0, 2}) {
                zg_test::DibCanvas src(w, h, 0, rows_of(src_h)), dst(w, h, 0, rows_of(dst_h)),
                    moved(w, h, 0, rows_of(dst_h));
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) SetPixel(src.dc(), x, y, RGB(x + 1, y + 1, 7));
                ASSERT_TRUE(BitBlt(dst.dc(), x0, 0, w - x0, h, src.dc(), 0, 0, SRCCOPY));
                // A 1:1 stretch from one pixel right and down: the last row and column have no source.
                ASSERT_TRUE(StretchBlt(moved.dc(), 0, 0, w, h, src.dc(), 1, 1, w, h, SRCCOPY));
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        EXPECT_EQ(GetPixel(dst.dc(), x, y), x < x0 ? 0 : RGB(x - x0 + 1, y + 1, 7)) << x << "," << y;
                        const bool inside = x < w - 1 && y < h - 1;
                        EXPECT_EQ(GetPixel(moved.dc(), x, y), inside ? RGB(x + 2, y + 2, 7) : 0) << x << "," << y;
                    }
                }
                // GetDIBits hands out whole rows in the order the buffer's header asks for.
                for (const int out_h : {h, -h}) {
                    BITMAPINFO info{};
                    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, out_h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
                    unsigned out[w * h] = {};
                    ASSERT_EQ(GetDIBits(src.dc(), src.bitmap(), 0, h, out, &info, DIB_RGB_COLORS), h);
                    for (int j = 0; j < h; ++j) {
                        const unsigned row = out_h < 0 ? j : h - 1 - j;
                        EXPECT_EQ(out[j * w + 3], (4u << 16) | ((row + 1) << 8) | 7u) << j;
                    }
                }
            }
        }
    }
}

TEST(SetPixelCall, UsesTheMixModeAndReturnsTheColourEvenOutside) {
    Bitmap b;
    EXPECT_EQ(SetPixel(b.dc(), -1, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
    SetROP2(b.dc(), R2_NOT);
    SetPixel(b.dc(), 2, 2, RGB(9, 8, 7));
    EXPECT_EQ(b.at(2, 2), ~background);
}

TEST(BadInput, InvalidHandlesFailWithoutDrawing) {
    HDC bogus = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x7777));
    EXPECT_FALSE(Rectangle(nullptr, 0, 0, 5, 5));
    EXPECT_FALSE(Ellipse(bogus, 0, 0, 5, 5));
    EXPECT_FALSE(LineTo(bogus, 3, 3));
    EXPECT_FALSE(InvertRgn(bogus, nullptr));
    EXPECT_EQ(CombineRgn(nullptr, nullptr, nullptr, RGN_OR), ERROR);
    EXPECT_EQ(GetRgnBox(nullptr, nullptr), ERROR);
    Bitmap b;
#ifndef _WIN32
    EXPECT_FALSE(Polygon(b.dc(), nullptr, 3));  // Windows itself faults on this one
#endif
    EXPECT_FALSE(Polyline(b.dc(), nullptr, 0));
    EXPECT_FALSE(FillRgn(b.dc(), nullptr, nullptr));
    HRGN r = CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(CombineRgn(r, r, r, 0), ERROR);
    DeleteObject(r);
    EXPECT_EQ(b.picture(), Bitmap().picture());
}

#ifndef _WIN32
// Wine itself hangs on some of these; the portable implementation promises bounded work.
TEST(BadInput, HugeCoordinatesAreClippedNotOverflowed) {
    Bitmap b;
    SelectObject(b.dc(), GetStockObject(BLACK_PEN));
    SelectObject(b.dc(), GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(Rectangle(b.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ(b.at(5, 5), 0x00FFFFFFu);
    MoveToEx(b.dc(), INT_MIN, 5, nullptr);
    EXPECT_TRUE(LineTo(b.dc(), INT_MAX, 5));
    EXPECT_EQ(b.at(0, 5), 0u);
    EXPECT_EQ(b.at(9, 5), 0u);
    const POINT huge[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}};
    EXPECT_TRUE(Polygon(b.dc(), huge, 3));
    Ellipse(b.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // may fail, must not hang
    HPEN wide = CreatePen(PS_SOLID, 7, RGB(0, 0, 0));
    SelectObject(b.dc(), wide);
    MoveToEx(b.dc(), -100000000, -3, nullptr);
    EXPECT_TRUE(LineTo(b.dc(), 100000000, 9));
    SelectObject(b.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(wide);
}
#endif

// Shapes in small boxes at the ends of the coordinate range: mirroring their outline added two
// coordinates near INT_MIN in int (undefined behaviour, which the sanitizer build reports), and a
// wrapped sum would have drawn onto the bitmap.
TEST(BadInput, SmallBoxesAtTheEndsOfIntDrawNothingHere) {
    Bitmap b;
    SelectObject(b.dc(), GetStockObject(BLACK_PEN));
    SelectObject(b.dc(), GetStockObject(WHITE_BRUSH));
    for (const int edge : {INT_MIN, INT_MAX - 41}) {
        Ellipse(b.dc(), edge, edge, edge + 40, edge + 30);
        RoundRect(b.dc(), edge, 2, edge + 40, 8, 12, 4);
        RoundRect(b.dc(), 2, edge, 8, edge + 40, 4, 12);
        Arc(b.dc(), edge, edge, edge + 40, edge + 30, edge, edge, edge + 40, edge);
        Pie(b.dc(), edge, edge, edge + 41, edge + 31, edge + 40, edge + 15, edge, edge + 15);
        Chord(b.dc(), edge, edge, edge + 41, edge + 31, edge + 40, edge + 15, edge, edge + 15);
    }
    EXPECT_EQ(b.picture(), Bitmap().picture());
}

TEST(Arcs, EndPointsFollowTheOutlineOfWine) {
    // Counter-clockwise from the right to the bottom of a 9 x 9 circle: the path ends on the
    // bottom apex, which (as the last point of an open path) stays unpainted.
    Bitmap b;
    SelectObject(b.dc(), GetStockObject(BLACK_PEN));
    EXPECT_TRUE(Arc(b.dc(), 0, 0, 9, 9, 34, 4, 4, 34));
    EXPECT_EQ(b.picture(), rows({"...###....", ".##...##..", ".#.....#..", "#.......#.", "#.......#.", "#.........",
                                 ".#........", ".##.......", "...#......", ".........."}));
    // Clockwise with the same radials runs the other way round: the lower-right quarter, which
    // stops two points short of the bottom apex.
    Bitmap cw;
    SelectObject(cw.dc(), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SetArcDirection(cw.dc(), AD_CLOCKWISE), AD_COUNTERCLOCKWISE);
    EXPECT_TRUE(Arc(cw.dc(), 0, 0, 9, 9, 34, 4, 4, 34));
    EXPECT_EQ(cw.picture(), rows({"..........", "..........", "..........", "..........", "........#.", "........#.",
                                  ".......#..", "......##..", "..........", ".........."}));
}

TEST(Arcs, WidePenOnAOnePointPathDrawsNothingButTwoEqualPointsDrawTheCap) {
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    Bitmap one;
    HGDIOBJ old = SelectObject(one.dc(), pen);
    EXPECT_TRUE(Arc(one.dc(), 0, 0, 3, 3, 31, 1, 1, -29));  // the arc is a single outline point
    EXPECT_EQ(one.picture(), Bitmap().picture());
    SelectObject(one.dc(), old);
    Bitmap two;
    old = SelectObject(two.dc(), pen);
    EXPECT_TRUE(Arc(two.dc(), 0, 0, 3, 3, 31, 2, 2, -29));  // the same point twice
    EXPECT_EQ(two.picture(), rows({"..#.......", ".###......", "..#.......", "..........", "..........", "..........",
                                   "..........", "..........", "..........", ".........."}));
    SelectObject(two.dc(), old);
    DeleteObject(pen);
}

TEST(Arcs, InsideFramePenWiderThanTheBoxFails) {
    HPEN pen = CreatePen(PS_INSIDEFRAME, 16, RGB(0, 0, 0));
    Bitmap b;
    HGDIOBJ old = SelectObject(b.dc(), pen);
    EXPECT_FALSE(Arc(b.dc(), 0, 0, 10, 10, 10, 0, 0, 10));
    EXPECT_FALSE(Pie(b.dc(), 0, 0, 10, 10, 10, 0, 0, 10));
    EXPECT_EQ(b.picture(), Bitmap().picture());
    SelectObject(b.dc(), old);
    DeleteObject(pen);
}

TEST(Arcs, InsideFramePenWiderThanOneSideSucceedsAndDrawsNothing) {
    HPEN pen = CreatePen(PS_INSIDEFRAME, 5, RGB(0, 0, 0));
    Bitmap b(20, 20);
    HGDIOBJ old = SelectObject(b.dc(), pen);
    // Three pixels wide: the pen turns the width inside out, not the height. (The other way
    // round Wine draws out of bounds, so that case has no reference.)
    EXPECT_TRUE(Arc(b.dc(), 2, 1, 5, 18, 20, 0, 0, 20));
    EXPECT_TRUE(Chord(b.dc(), 5, 18, 2, 1, 0, 20, 20, 0));
    EXPECT_TRUE(Pie(b.dc(), 2, 1, 5, 18, 0, 0, 20, 20));
    // One side a pixel short and the other no longer than the pen: the call fails.
    EXPECT_FALSE(Arc(b.dc(), 2, 1, 5, 5, 20, 0, 0, 20));
    EXPECT_FALSE(Chord(b.dc(), 1, 2, 5, 5, 0, 20, 20, 0));
    EXPECT_EQ(b.picture(), Bitmap(20, 20).picture());
    SelectObject(b.dc(), old);
    DeleteObject(pen);
}

TEST(Pens, NegativeWidthIsItsMagnitude) {
    auto line_with = [](int width) {
        Bitmap b(20, 20);
        HPEN pen = CreatePen(PS_SOLID, width, RGB(0, 0, 0));
        HGDIOBJ old = SelectObject(b.dc(), pen);
        MoveToEx(b.dc(), 2, 2, nullptr);
        EXPECT_TRUE(LineTo(b.dc(), 15, 9));
        SelectObject(b.dc(), old);
        DeleteObject(pen);
        return b.picture();
    };
    EXPECT_EQ(line_with(-5), line_with(5));
    EXPECT_NE(line_with(5), line_with(1));
}

#ifndef _WIN32
// Wine's own arithmetic overflows on these (it may paint nothing); the portable stroke covers
// whatever the pen can reach, and the work is bounded by the surface, not by the width.
TEST(Pens, AbsurdWidthsCoverTheSurfaceQuickly) {
    for (int style : {PS_SOLID, PS_INSIDEFRAME}) {
        for (int width : {100000, 1000000000, INT_MAX}) {
            Bitmap b(20, 20);
            HPEN pen = CreatePen(style, width, RGB(0, 0, 0));
            HGDIOBJ old = SelectObject(b.dc(), pen);
            SelectObject(b.dc(), GetStockObject(NULL_BRUSH));
            EXPECT_TRUE(Ellipse(b.dc(), 3, 3, 15, 15));
            MoveToEx(b.dc(), 2, 2, nullptr);
            EXPECT_TRUE(LineTo(b.dc(), 15, 9));
            EXPECT_TRUE(Rectangle(b.dc(), 3, 3, 15, 15));
            EXPECT_EQ(b.picture().find('.'), std::string::npos) << style << " " << width;
            SelectObject(b.dc(), old);
            DeleteObject(pen);
        }
    }
}
#endif

TEST(Blit, OverlappingCopyWithinOneBitmapMovesTheOriginalPixels) {
    Bitmap b;
    for (int i = 0; i < 10; ++i) SetPixel(b.dc(), i, i, RGB(i * 20, 0, 0));
    std::vector<unsigned> before;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) before.push_back(b.at(x, y));
    // Right and down by one, then left and up by two: each overlaps its own source.
    ASSERT_TRUE(BitBlt(b.dc(), 1, 1, 9, 9, b.dc(), 0, 0, SRCCOPY));
    for (int y = 1; y < 10; ++y)
        for (int x = 1; x < 10; ++x) ASSERT_EQ(b.at(x, y), before[static_cast<std::size_t>((y - 1) * 10 + x - 1)]);
    ASSERT_TRUE(BitBlt(b.dc(), 0, 0, 8, 8, b.dc(), 2, 2, SRCCOPY));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(b.at(x, y), before[static_cast<std::size_t>((y + 1) * 10 + x + 1)]);
}

}  // namespace
