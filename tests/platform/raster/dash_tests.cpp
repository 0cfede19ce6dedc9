// Styled one-pixel pens through the public drawing calls, on tiny bitmaps. Every expectation was
// measured under Wine first; the same tests run there in the Windows build.
#include <platform/win32.h>

#include "../dib_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr unsigned background = 0x00CCCCCCu;
constexpr COLORREF pen_colour = RGB(0, 0, 0xFF);  // pixel 0x0000FF
constexpr COLORREF gap_colour = RGB(0xFF, 0, 0);  // pixel 0xFF0000

// A top-down DIB section in a memory DC, filled with the background, with a pen of the given
// style selected, the gap colour as background colour and the null brush.
class StyledBitmap : public zg_test::DibCanvas {
public:
    StyledBitmap(int w, int h, int style, int pen_width = 1)
        : DibCanvas(w, h, background), m_pen(CreatePen(style, pen_width, pen_colour)) {
        m_old_pen = SelectObject(dc(), m_pen);
        SelectObject(dc(), GetStockObject(NULL_BRUSH));
        SetBkColor(dc(), gap_colour);
    }
    ~StyledBitmap() {
        SelectObject(dc(), m_old_pen);
        DeleteObject(m_pen);
    }
    StyledBitmap(const StyledBitmap&) = delete;
    StyledBitmap& operator=(const StyledBitmap&) = delete;

    // '#' pen, 'o' gap, '.' untouched; under R2_XORPEN 'X' and 'x' for the same mixed with the
    // background.
    char code(int x, int y) const {
        switch (at(x, y) & 0xFFFFFFu) {
        case background: return '.';
        case 0x0000FFu: return '#';
        case 0xFF0000u: return 'o';
        case background ^ 0x0000FFu: return 'X';
        case background ^ 0xFF0000u: return 'x';
        default: return '?';
        }
    }
    std::string row(int y) const {
        std::string s;
        for (int x = 0; x < width(); ++x) s += code(x, y);
        return s;
    }
    std::string picture() const {
        std::string s;
        for (int y = 0; y < height(); ++y) s += row(y) + "\n";
        return s;
    }

private:
    HPEN m_pen;
    HGDIOBJ m_old_pen = nullptr;
};

void line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

std::string twice(const std::string& s) { return s + s; }

TEST(DashedPens, EachStyleRepeatsItsRunsFromTheFirstPixel) {
    struct Case {
        int style;
        std::string period;
    };
    const Case cases[] = {{PS_DASH, "##################oooooo"},
                          {PS_DOT, "###ooo###ooo###ooo###ooo"},
                          {PS_DASHDOT, "#########oooooo###oooooo"},
                          {PS_DASHDOTDOT, "#########ooo###ooo###ooo"}};
    for (const Case& c : cases) {
        for (int width : {0, 1}) {
            StyledBitmap b(50, 2, c.style, width);
            line(b.dc(), 0, 0, 48, 0);
            line(b.dc(), 48, 1, 0, 1);  // the other way: counted from x = 48 down
            EXPECT_EQ(b.row(0), twice(c.period) + "..") << c.style;
            const std::string backwards(c.period.rbegin(), c.period.rend());
            // Appended rather than "." + ...: GCC 12's Release build warns of an overlap there.
            std::string expected(1, '.');
            expected += twice(backwards);
            expected += '.';
            EXPECT_EQ(b.row(1), expected) << c.style;
        }
    }
}

TEST(DashedPens, PixelsAreCountedAlongTheMajorAxisInEveryOctant) {
    // The line's k-th step lights the pixel in row or column k from the start; with a dash of
    // 18 on and 6 off, steps 18 to 23 are the gap whatever the direction.
    const POINT ends[] = {{30, 7},  {30, -7},  {-30, 7}, {-30, -7}, {7, 30},   {-7, 30},
                          {7, -30}, {-7, -30}, {30, 30}, {-30, 30}, {30, -30}, {-30, -30}};
    for (const POINT& e : ends) {
        for (bool inwards : {false, true}) {
            StyledBitmap b(64, 64, PS_DASH);
            const POINT from = inwards ? POINT{32 + e.x, 32 + e.y} : POINT{32, 32};
            const POINT to = inwards ? POINT{32, 32} : POINT{32 + e.x, 32 + e.y};
            line(b.dc(), from.x, from.y, to.x, to.y);
            const bool x_major = std::abs(e.x) > std::abs(e.y);
            const int sx = to.x > from.x ? 1 : -1, sy = to.y > from.y ? 1 : -1;
            for (int k = 0; k < 30; ++k) {
                std::string lit;
                for (int i = 0; i < 64; ++i) {
                    const char c = x_major ? b.code(from.x + sx * k, i) : b.code(i, from.y + sy * k);
                    if (c != '.') lit += c;
                }
                EXPECT_EQ(lit, k % 24 < 18 ? "#" : "o") << e.x << "," << e.y << " inwards " << inwards << " step " << k;
            }
        }
    }
}

TEST(DashedPens, PatternRunsOnAcrossTheVerticesOfOneCallAndRestartsWithTheNext) {
    StyledBitmap b(8, 8, PS_DOT);
    const POINT path[] = {{0, 0}, {4, 0}, {4, 7}};
    ASSERT_TRUE(Polyline(b.dc(), path, 3));
    MoveToEx(b.dc(), 0, 2, nullptr);
    LineTo(b.dc(), 2, 2);
    LineTo(b.dc(), 2, 7);
    EXPECT_EQ(b.picture(),
              "###oo...\n"
              "....o...\n"
              "###.#...\n"
              "..#.#...\n"
              "..#.#...\n"
              "..o.o...\n"
              "..o.o...\n"
              "........\n");
}

TEST(DashedPens, GapsTakeTheBackgroundColourThroughTheMixModeOnlyWhenOpaque) {
    StyledBitmap b(30, 3, PS_DASHDOT);
    SetROP2(b.dc(), R2_XORPEN);
    line(b.dc(), 0, 0, 30, 0);
    SetBkMode(b.dc(), TRANSPARENT);
    line(b.dc(), 0, 1, 30, 1);
    SetROP2(b.dc(), R2_NOP);
    SetBkMode(b.dc(), OPAQUE);
    line(b.dc(), 0, 2, 30, 2);
    EXPECT_EQ(b.row(0), "XXXXXXXXXxxxxxxXXXxxxxxxXXXXXX");
    EXPECT_EQ(b.row(1), "XXXXXXXXX......XXX......XXXXXX");
    EXPECT_EQ(b.row(2), std::string(30, '.'));
}

TEST(DashedPens, ClippingAndTheSurfaceEdgeDoNotMoveThePattern) {
    StyledBitmap b(30, 2, PS_DASH);
    IntersectClipRect(b.dc(), 10, 0, 25, 1);
    line(b.dc(), 0, 0, 30, 0);
    SelectClipRgn(b.dc(), nullptr);
    line(b.dc(), -10, 1, 30, 1);
    EXPECT_EQ(b.row(0), "..........########oooooo#.....");
    EXPECT_EQ(b.row(1), "########oooooo################");
}

TEST(DashedPens, RectangleStartsAtTheTopRightCornerAndRunsCounterClockwise) {
    StyledBitmap b(24, 20, PS_DASHDOTDOT);
    ASSERT_TRUE(Rectangle(b.dc(), 1, 1, 22, 18));
    EXPECT_EQ(b.picture(),
              "........................\n"
              ".###ooo###ooo#########..\n"
              ".o...................o..\n"
              ".o...................o..\n"
              ".o...................o..\n"
              ".#...................#..\n"
              ".#...................#..\n"
              ".#...................#..\n"
              ".#...................o..\n"
              ".#...................o..\n"
              ".#...................o..\n"
              ".#...................#..\n"
              ".#...................#..\n"
              ".#...................#..\n"
              ".o...................o..\n"
              ".o...................o..\n"
              ".o...................o..\n"
              ".###ooo###ooo#########..\n"
              "........................\n"
              "........................\n");
}

TEST(DashedPens, EllipseStartsAtTheRightEndOfItsUpperRightQuarter) {
    StyledBitmap b(10, 10, PS_DOT);
    SetROP2(b.dc(), R2_XORPEN);
    ASSERT_TRUE(Ellipse(b.dc(), 2, 2, 8, 8));
    EXPECT_EQ(b.picture(),
              "..........\n"
              "..........\n"
              "....xX....\n"
              "...x..X...\n"
              "..x....X..\n"
              "..X....x..\n"
              "...X..x...\n"
              "....Xx....\n"
              "..........\n"
              "..........\n");
}

TEST(DashedPens, UnderClockwiseArcsARectangleRunsClockwiseFromTheBottomRightInAnyCornerOrder) {
    const std::string expected =
        "................\n"
        "................\n"
        "..o###ooo####...\n"
        "..o.........#...\n"
        "..o.........#...\n"
        "..#.........#...\n"
        "..#.........#...\n"
        "..#.........#...\n"
        "..o.........o...\n"
        "..oo#########...\n"
        "................\n"
        "................\n"
        "................\n";
    for (const RECT& r : {RECT{2, 2, 13, 10}, RECT{13, 10, 2, 2}, RECT{13, 2, 2, 10}}) {
        for (int width : {0, 1}) {
            StyledBitmap b(16, 13, PS_DASHDOTDOT, width);
            EXPECT_EQ(SetArcDirection(b.dc(), AD_CLOCKWISE), AD_COUNTERCLOCKWISE);
            ASSERT_TRUE(Rectangle(b.dc(), r.left, r.top, r.right, r.bottom));
            EXPECT_EQ(b.picture(), expected) << r.left << "," << r.top << " width " << width;
        }
    }
}

// The rows of picture between top and bottom in reverse order.
std::string flipped(const std::string& picture, int width, int top, int bottom) {
    const std::size_t row = static_cast<std::size_t>(width) + 1;
    std::string out = picture;
    for (int y = top; y < bottom; ++y)
        out.replace(static_cast<std::size_t>(y) * row, row, picture,
                    static_cast<std::size_t>(top + bottom - 1 - y) * row, row);
    return out;
}

TEST(DashedPens, UnderClockwiseArcsEllipsesAndRoundedBoxesRunTheirOutlineMirroredTopToBottom) {
    struct Case {
        RECT box;
        int corner_w, corner_h;  // 0: Ellipse
    };
    const Case cases[] = {{{2, 3, 27, 18}, 0, 0},  {{26, 17, 3, 2}, 0, 0},  {{4, 2, 11, 21}, 0, 0},
                          {{1, 1, 28, 20}, 12, 9}, {{27, 2, 2, 21}, 7, 30}, {{2, 19, 13, 4}, 11, 15}};
    for (const Case& c : cases) {
        bool direction_shows = false;  // in some style, else the case proves nothing
        for (int style : {PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT}) {
            std::string pictures[2];
            for (int dir : {AD_COUNTERCLOCKWISE, AD_CLOCKWISE}) {
                StyledBitmap b(30, 23, style, dir == AD_CLOCKWISE ? 0 : 1);
                SetArcDirection(b.dc(), dir);
                const RECT& r = c.box;
                ASSERT_TRUE(c.corner_w == 0
                                ? Ellipse(b.dc(), r.left, r.top, r.right, r.bottom)
                                : RoundRect(b.dc(), r.left, r.top, r.right, r.bottom, c.corner_w, c.corner_h));
                pictures[dir == AD_CLOCKWISE] = b.picture();
            }
            const int top = std::min(c.box.top, c.box.bottom), bottom = std::max(c.box.top, c.box.bottom);
            direction_shows = direction_shows || pictures[1] != pictures[0];
            EXPECT_EQ(pictures[1], flipped(pictures[0], 30, top, bottom))
                << c.box.left << "," << c.box.top << " style " << style;
        }
        EXPECT_TRUE(direction_shows) << c.box.left << "," << c.box.top;
    }
}

TEST(DashedPens, WiderPensDrawSolid) {
    StyledBitmap b(30, 4, PS_DASH, 2);
    line(b.dc(), 2, 1, 28, 1);
    EXPECT_EQ(b.row(0), ".############################.");
    EXPECT_EQ(b.row(1), ".############################.");
}

}  // namespace
