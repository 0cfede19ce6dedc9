// The pulled-apart rectangle frame against stroking the whole outline, pixel set for pixel set,
// over sizes on both sides of the cut-over, pen widths, positions and clips that cut corners.
#include "raster/frame.h"
#include "raster/stroke.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zg::raster
