// The pulled-apart rectangle frame against stroking the whole outline, pixel set for pixel set,
// over sizes on both sides of the cut-over, pen widths, positions and clips that cut corners;
// and a one-pixel pen's frame against the same outline drawn as a polyline.
#include "../dib_canvas.h"
#include "raster/frame.h"
#include "raster/stroke.h"

#include <gtest/gtest.h>

#include <random>

namespace zg::raster {
namespace {

Region outline_stroke(long long l, long long t, long long r, long long b, int width, const Rect& clip) {
    const std::vector<POINT> path{{static_cast<LONG>(l), static_cast<LONG>(t)},
                                  {static_cast<LONG>(r), static_cast<LONG>(t)},
                                  {static_cast<LONG>(r), static_cast<LONG>(b)},
                                  {static_cast<LONG>(l), static_cast<LONG>(b)}};
    return wide_stroke(path, PathClose::Closed, width, clip);
}

TEST(RectangleFrame, SamePixelsAsTheStrokedOutline) {
    const Rect clips[] = {{0, 0, 1000, 700}, {35, 20, 240, 200}, {-50, -50, 60, 60}};
    int compared = 0;
    for (const int width : {2, 3, 4, 5, 8, 13}) {
        for (const int w : {1, 9, 40, 79, 81, 150, 700}) {
            for (const int h : {2, 50, 90, 300}) {
                for (const Rect& clip : clips) {
                    const long long l = 30 - width, t = 25;
                    const Region fast = rectangle_frame(l, t, l + w, t + h, width, clip);
                    const Region slow = outline_stroke(l, t, l + w, t + h, width, clip);
                    ASSERT_TRUE(is_valid(fast)) << width << " " << w << "x" << h;
                    ASSERT_TRUE(equal(fast, slow)) << "width " << width << " box " << w << "x" << h;
                    ++compared;
                }
            }
        }
    }
    EXPECT_EQ(compared, 6 * 7 * 4 * 3);
}

TEST(RectangleFrame, AFrameFarOutsideTheClipIsEmptyOrExact) {
    const Rect clip{0, 0, 300, 200};
    EXPECT_TRUE(rectangle_frame(1000, 1000, 5000, 4000, 3, clip).empty());
    const Region around = rectangle_frame(-2000, -2000, 2299, 2199, 7, clip);
    EXPECT_TRUE(around.empty());
    const Region huge = rectangle_frame(-(1LL << 30), 10, 1LL << 30, 150, 3, clip);
    EXPECT_TRUE(equal(huge, outline_stroke(-(1LL << 30), 10, 1LL << 30, 150, 3, clip)));
    EXPECT_EQ(huge.extents.left, 0);
    EXPECT_EQ(huge.extents.right, 300);
}

// A one-pixel pen's Rectangle writes each pixel of its edge once, as the closed polyline around
// it does: compared under mixes that show a pixel written twice, boxes partly off the picture
// and clip regions that cut them.
TEST(ThinRectangleFrame, SamePixelsAsTheClosedPolyline) {
    std::mt19937 random(7);
    auto coordinate = [&] { return static_cast<int>(random() % 90) - 20; };
    for (int round = 0; round < 400; ++round) {
        zg_test::DibCanvas frame(50, 40, 0x00123456), line(50, 40, 0x00123456);
        const int x1 = coordinate(), y1 = coordinate(), x2 = coordinate(), y2 = coordinate();
        const int l = std::min(x1, x2), t = std::min(y1, y2), r = std::max(x1, x2), b = std::max(y1, y2);
        if (r - l < 2 || b - t < 2) continue;  // thinner boxes take the general path
        const int rop2 = round % 3 == 0 ? R2_COPYPEN : round % 3 == 1 ? R2_XORPEN : R2_NOT;
        HRGN clip = round % 2 == 0 ? CreateRectRgn(coordinate(), coordinate(), coordinate(), coordinate()) : nullptr;
        for (HDC dc : {frame.dc(), line.dc()}) {
            SetROP2(dc, rop2);
            SelectClipRgn(dc, clip);
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            SelectObject(dc, GetStockObject(WHITE_PEN));
        }
        Rectangle(frame.dc(), x1, y1, x2, y2);
        const POINT path[] = {{r - 1, t}, {l, t}, {l, b - 1}, {r - 1, b - 1}, {r - 1, t}};
        Polyline(line.dc(), path, 5);
        if (clip != nullptr) DeleteObject(clip);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 50; ++x)
                ASSERT_EQ(frame.at(x, y), line.at(x, y)) << "box " << l << "," << t << "," << r << "," << b << " pixel "
                                                         << x << "," << y << " rop2 " << rop2;
    }
}

}  // namespace
}  // namespace zg::raster
