// Tests of the rasteriser's pure functions: mix modes, one-pixel lines, polygon spans and the
// midpoint ellipse, on surfaces and geometry alone.
#include "raster/bezier.h"
#include "raster/ellipse.h"
#include "raster/line.h"
#include "raster/mix.h"
#include "raster/polygon.h"
#include "raster/spans.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <utility>

namespace zg::raster {
namespace {

// The binary mix modes written out as Windows documents them.
std::uint32_t reference_mix(int rop, std::uint32_t p, std::uint32_t d) {
    switch (rop) {
    case R2_BLACK: return 0;
    case R2_NOTMERGEPEN: return ~(d | p);
    case R2_MASKNOTPEN: return d & ~p;
    case R2_NOTCOPYPEN: return ~p;
    case R2_MASKPENNOT: return p & ~d;
    case R2_NOT: return ~d;
    case R2_XORPEN: return d ^ p;
    case R2_NOTMASKPEN: return ~(d & p);
    case R2_MASKPEN: return d & p;
    case R2_NOTXORPEN: return ~(d ^ p);
    case R2_NOP: return d;
    case R2_MERGENOTPEN: return d | ~p;
    case R2_COPYPEN: return p;
    case R2_MERGEPENNOT: return p | ~d;
    case R2_MERGEPEN: return d | p;
    default: return ~0u;  // R2_WHITE
    }
}

TEST(Mix, EveryModeIsAnAndXorPairMatchingItsTruthTable) {
    std::mt19937 rng(7);
    for (int rop = R2_BLACK; rop <= R2_WHITE; ++rop) {
        for (int i = 0; i < 200; ++i) {
            const auto p = static_cast<std::uint32_t>(rng()), d = static_cast<std::uint32_t>(rng());
            EXPECT_EQ(make_mix(rop, p).apply(d), reference_mix(rop, p, d)) << "mode " << rop;
        }
    }
    EXPECT_TRUE(make_mix(R2_COPYPEN, 0x123456).is_copy());
    EXPECT_TRUE(make_mix(R2_NOP, 0x123456).is_nop());
}

std::set<std::pair<int, int>> line_pixels(POINT a, POINT b, const Rect& clip) {
    std::set<std::pair<int, int>> out;
    walk_thin_line(a, b, clip, [&](int x, int y) { out.insert({x, y}); });
    return out;
}

TEST(ThinLine, SamePixelsInEitherDirectionApartFromTheExcludedEnds) {
    const Rect clip{-100, -100, 100, 100};
    for (int dx = -9; dx <= 9; ++dx) {
        for (int dy = -9; dy <= 9; ++dy) {
            const POINT a{0, 0}, b{dx, dy};
            auto forward = line_pixels(a, b, clip), backward = line_pixels(b, a, clip);
            forward.insert({dx, dy});
            backward.insert({0, 0});
            EXPECT_EQ(forward, backward) << dx << "," << dy;
            EXPECT_EQ(line_pixels(a, b, clip).size(), static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy))));
        }
    }
}

TEST(ThinLine, ClippingKeepsExactlyThePixelsInside) {
    const Rect wide{-1000, -1000, 1000, 1000}, clip{3, 2, 17, 11};
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-30, 40);
    for (int i = 0; i < 300; ++i) {
        const POINT a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        std::set<std::pair<int, int>> expected;
        for (const auto& p : line_pixels(a, b, wide))
            if (p.first >= clip.left && p.first < clip.right && p.second >= clip.top && p.second < clip.bottom)
                expected.insert(p);
        EXPECT_EQ(line_pixels(a, b, clip), expected);
    }
}

// The runs of a flat line are exactly its pixels, each once, clipped or not;
// lines that are not flat enough are refused.
TEST(ThinLine, FlatLinesAsRunsLightTheSamePixels) {
    std::mt19937 rng(13);
    std::uniform_int_distribution<int> coord(-400, 400);
    const Rect clips[] = {{-1000, -1000, 1000, 1000}, {-50, -30, 90, 60}};
    int walked = 0;
    for (int i = 0; i < 2000; ++i) {
        const POINT a{coord(rng) / 8, coord(rng) / 8}, b{coord(rng), coord(rng) / 4};
        for (const Rect& clip : clips) {
            std::vector<std::pair<int, int>> runs;
            const bool flat = walk_thin_runs(a, b, clip, [&](int y, int x0, int x1) {
                EXPECT_LT(x0, x1);
                for (int x = x0; x < x1; ++x) runs.push_back({x, y});
            });
            const bool wanted = std::abs(b.x - a.x) > 2 * std::abs(b.y - a.y) && a.x >= clip.left && a.x < clip.right;
            ASSERT_EQ(flat, wanted) << a.x << "," << a.y << " " << b.x << "," << b.y;
            if (!flat) continue;
            ++walked;
            std::set<std::pair<int, int>> lit(runs.begin(), runs.end());
            EXPECT_EQ(lit.size(), runs.size());
            EXPECT_EQ(lit, line_pixels(a, b, clip)) << a.x << "," << a.y << " " << b.x << "," << b.y;
        }
    }
    EXPECT_GT(walked, 1000);
}

TEST(ThinLine, HugeCoordinatesVisitOnlyTheClipRectangle) {
    int visited = 0;
    walk_thin_line({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, {0, 0, 50, 50}, [&](int x, int y) {
        EXPECT_EQ(x, y);
        ++visited;
    });
    EXPECT_EQ(visited, 50);
}

TEST(Polygon, CrossingsAreCeiledAndSpansHalfOpen) {
    // A triangle with a slanted left edge: x = 10 - y / 2 from (10, 0) to (0, 20).
    const std::vector<POINT> tri{{10, 0}, {30, 20}, {0, 20}};
    std::vector<std::pair<int, Span>> rows;
    scan_polygon(tri, FillRule::Alternate, {-100, -100, 100, 100}, [&](int y, std::vector<Span>& spans) {
        rows.push_back({y, spans.at(0)});
    });
    // Row 0 is the apex, the empty span [10, 10); row 20 holds the bottom vertices and is not
    // covered; so rows 1..19 remain.
    ASSERT_EQ(rows.size(), 19u);
    EXPECT_EQ(rows.front().first, 1);
    EXPECT_EQ(rows.front().second.x0, 10);  // 9.5 rounds up
    EXPECT_EQ(rows.front().second.x1, 11);
    EXPECT_EQ(rows.back().first, 19);
    EXPECT_EQ(rows.back().second.x0, 1);  // 0.5 rounds up
    EXPECT_EQ(rows.back().second.x1, 29);
}

TEST(Ellipse, QuadrantOfSmallBoxes) {
    const std::vector<POINT> q3 = ellipse_quadrant(3, 3);
    ASSERT_EQ(q3.size(), 2u);
    EXPECT_EQ(q3[0].x, 2);
    EXPECT_EQ(q3[0].y, 1);
    EXPECT_EQ(q3[1].x, 1);
    EXPECT_EQ(q3[1].y, 2);
    for (int size = 3; size < 60; ++size) {
        const std::vector<POINT> q = ellipse_quadrant(size, size);
        for (std::size_t i = 1; i < q.size(); ++i) {  // consecutive points are 8-connected
            EXPECT_LE(std::abs(q[i].x - q[i - 1].x), 1);
            EXPECT_LE(std::abs(q[i].y - q[i - 1].y), 1);
        }
        EXPECT_EQ(q.front().x, size - 1);
        EXPECT_EQ(q.front().y, size / 2);
    }
}

TEST(Spans, FillRectClipsAndRecordsDamage) {
    Surface s(8, 6, 0u);
    fill_rect(s, {-5, 4, 3, 100}, make_mix(R2_COPYPEN, 0xABCDEF));
    std::uint32_t p = 0;
    ASSERT_TRUE(s.get(2, 5, p));
    EXPECT_EQ(p, 0xABCDEFu);
    ASSERT_TRUE(s.get(3, 5, p));
    EXPECT_EQ(p, 0u);
    const Rect d = s.take_damage();
    EXPECT_EQ(d.left, 0);
    EXPECT_EQ(d.top, 4);
    EXPECT_EQ(d.right, 3);
    EXPECT_EQ(d.bottom, 6);
}

// Narrow copy fills (the sides of wide frames) write exactly their rectangle, at every width the
// block stores cover and at every offset from the row's start.
TEST(Spans, NarrowFillsWriteExactlyTheirRectangle) {
    for (int w = 1; w < 20; ++w) {
        for (int left = 0; left < 9; ++left) {
            Surface s(32, 5, 0u);
            fill_rect(s, {left, 1, left + w, 4}, make_mix(R2_COPYPEN, 0x123456));
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 32; ++x) {
                    std::uint32_t p = 0;
                    ASSERT_TRUE(s.get(x, y, p));
                    const bool inside = x >= left && x < left + w && y >= 1 && y < 4;
                    ASSERT_EQ(p, inside ? 0x123456u : 0u)
                        << "width " << w << " left " << left << " at " << x << "," << y;
                }
        }
    }
}

// Within 28.4 fixed point (2^27 pixels) every segment ends exactly on its end point, after at
// most eight levels of halving; beyond it the arithmetic wraps as GDI's does, and must still
// give a bounded polyline without undefined behaviour (the sanitizers watch this test).
TEST(Bezier, SegmentsEndOnTheirEndPointsAndStayWithinEightLevels) {
    std::mt19937 random(7);
    for (int bits : {3, 10, 20, 27}) {
        std::uniform_int_distribution<LONG> coordinate(-(1 << (bits - 1)), (1 << (bits - 1)) - 1);
        for (int i = 0; i < 200; ++i) {
            POINT points[7];
            for (POINT& p : points) p = {coordinate(random), coordinate(random)};
            const std::vector<POINT> line = flatten_beziers(points, 7);
            ASSERT_LE(line.size(), 1u + 2 * 256);
            EXPECT_EQ(line.front().x, points[0].x);
            EXPECT_EQ(line.back().x, points[6].x);
            EXPECT_EQ(line.back().y, points[6].y);
        }
    }
}

TEST(Bezier, ExtremeCoordinatesGiveABoundedPolyline) {
    const POINT extremes[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}, {0, 0},
                              {-1, INT_MIN},      {INT_MAX, 1}};
    for (const POINT& a : extremes)
        for (const POINT& b : extremes) {
            const POINT curve[] = {a, b, extremes[2], b};
            EXPECT_LE(flatten_beziers(curve, 4).size(), 257u);
        }
    EXPECT_TRUE(flatten_beziers(extremes, 0).empty());
    EXPECT_EQ(flatten_beziers(extremes, 3).size(), 1u);
}

}  // namespace
}  // namespace zg::raster
