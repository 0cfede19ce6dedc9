// Checks of the rasteriser's shortcuts against the plain computations they replace: a polyline
// drawn with its unit-step runs joined against its segments drawn one by one, and the polygon
// converter's stepped edge crossings against the exact crossing of every row.
#include "raster/ellipse.h"
#include "raster/line.h"
#include "raster/polygon.h"
#include "raster/runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

namespace zg::raster {
namespace {

__extension__ typedef __int128 Wide;

bool same_points(const std::vector<POINT>& a, const std::vector<POINT>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const POINT& p, const POINT& q) { return p.x == q.x && p.y == q.y; });
}

TEST(UnitRuns, JoinsOnlyEqualUnitSteps) {
    // Right, right, down-right, down-right, a jump of two, then up.
    const std::vector<POINT> path{{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 2}, {6, 2}, {8, 2}, {8, 1}};
    EXPECT_TRUE(same_points(join_unit_runs(path), {{0, 0}, {2, 0}, {4, 2}, {6, 2}, {8, 2}, {8, 1}}));
    // Ends stay even inside a run; short paths and repeated points come back as they are.
    EXPECT_TRUE(same_points(join_unit_runs(std::vector<POINT>{{5, 5}, {5, 6}, {5, 7}, {5, 8}}), {{5, 5}, {5, 8}}));
    EXPECT_TRUE(same_points(join_unit_runs(std::vector<POINT>{{1, 1}, {2, 2}}), {{1, 1}, {2, 2}}));
    EXPECT_TRUE(same_points(join_unit_runs(std::vector<POINT>{{1, 1}, {1, 1}, {1, 1}}), {{1, 1}, {1, 1}, {1, 1}}));
    EXPECT_TRUE(join_unit_runs(std::vector<POINT>{}).empty());
}

// Each segment drawn on its own, the way the polyline is defined.
void draw_segments(Surface& s, const std::vector<POINT>& path, PathClose close, Mix mix) {
    for (std::size_t i = 1; i < path.size(); ++i) draw_thin_line(s, s.bounds(), path[i - 1], path[i], mix);
    if (close == PathClose::Closed && path.size() > 1) draw_thin_line(s, s.bounds(), path.back(), path.front(), mix);
}

// Damage is a rectangle to present, and may be larger than the pixels drawn: a joined run that
// leaves the surface keeps the box of its visible part whole. It must cover the segments'
// damage, and equal it for a path inside the surface.
void expect_same_pixels(const std::vector<POINT>& path, PathClose close, bool inside = false) {
    // XOR shows a pixel lit twice as well as one lit once, so the counts must agree too.
    const Mix mix = make_mix(R2_XORPEN, 0x00ABCDEFu);
    Surface joined(64, 48, 0x11111111u), single(64, 48, 0x11111111u);
    const Rect whole = joined.bounds();
    draw_thin_polyline(joined, std::span<const Rect>(&whole, 1), path, close, mix);
    draw_segments(single, path, close, mix);
    EXPECT_TRUE(std::equal(joined.data(), joined.data() + 64 * 48, single.data()));
    const Rect a = joined.take_damage(), b = single.take_damage();
    EXPECT_TRUE(a.left <= b.left && a.top <= b.top && a.right >= b.right && a.bottom >= b.bottom);
    if (inside) {
        EXPECT_TRUE(a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom);
    }
}

TEST(UnitRuns, PolylinesLightTheSamePixels) {
    std::mt19937 rng(12);
    std::uniform_int_distribution<int> step(-1, 1), jump(-9, 9), kind(0, 5);
    for (int trial = 0; trial < 200; ++trial) {
        // Random walks that go off the surface, cross themselves, repeat steps and jump.
        std::vector<POINT> path{{32, 24}};
        POINT dir{1, 0};
        for (int i = 0; i < 80; ++i) {
            const int k = kind(rng);
            if (k == 0) dir = {step(rng), step(rng)};
            const POINT d = k == 5 ? POINT{jump(rng), jump(rng)} : dir;
            path.push_back({path.back().x + d.x, path.back().y + d.y});
        }
        expect_same_pixels(path, trial % 2 ? PathClose::Closed : PathClose::Open);
    }
    expect_same_pixels(round_rect_outline({3, 2, 60, 45}, 57, 43), PathClose::Closed, true);
    expect_same_pixels(round_rect_outline({3, 2, 60, 45}, 20, 12), PathClose::Closed, true);
    expect_same_pixels(arc_outline({-10, 5, 50, 70}, {30, 1}, {-5, -20}, AD_COUNTERCLOCKWISE), PathClose::Open);
}

// ceil(num / den) for den > 0.
long long ceil_div(Wide num, long long den) {
    Wide q = num / den;
    if (num % den != 0 && num > 0) ++q;
    return static_cast<long long>(q);
}

// The alternate-rule spans of row y computed from scratch, clamped to clip.
std::vector<Span> reference_row(const std::vector<POINT>& pts, long long y, const Rect& clip) {
    std::vector<long long> xs;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        POINT a = pts[i], b = pts[(i + 1) % pts.size()];
        if (a.y == b.y) continue;
        if (a.y > b.y) std::swap(a, b);
        if (y < a.y || y >= b.y) continue;
        xs.push_back(a.x +
                     ceil_div(Wide(y - a.y) * (static_cast<long long>(b.x) - a.x), static_cast<long long>(b.y) - a.y));
    }
    std::sort(xs.begin(), xs.end());
    std::vector<Span> spans;
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
        const int x0 = static_cast<int>(std::clamp<long long>(xs[i], clip.left, clip.right));
        const int x1 = static_cast<int>(std::clamp<long long>(xs[i + 1], clip.left, clip.right));
        if (x0 >= x1) continue;
        if (!spans.empty() && spans.back().x1 >= x0)
            spans.back().x1 = std::max(spans.back().x1, x1);
        else
            spans.push_back({x0, x1});
    }
    return spans;
}

void expect_rows_match(const std::vector<POINT>& pts, const Rect& clip) {
    std::vector<std::vector<Span>> got(static_cast<std::size_t>(clip.height()));
    scan_polygon(pts, FillRule::Alternate, clip,
                 [&](int y, std::vector<Span>& spans) { got.at(static_cast<std::size_t>(y - clip.top)) = spans; });
    for (int y = clip.top; y < clip.bottom; ++y) {
        const std::vector<Span> want = reference_row(pts, y, clip);
        const std::vector<Span>& have = got[static_cast<std::size_t>(y - clip.top)];
        ASSERT_EQ(have.size(), want.size()) << "row " << y;
        for (std::size_t i = 0; i < want.size(); ++i) {
            EXPECT_EQ(have[i].x0, want[i].x0) << "row " << y;
            EXPECT_EQ(have[i].x1, want[i].x1) << "row " << y;
        }
    }
}

TEST(PolygonSteps, CrossingsMatchExactOnesWithClippedTops) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> near(-40, 140), far(-(1 << 30), 1 << 30);
    for (int trial = 0; trial < 100; ++trial) {
        std::vector<POINT> pts(3 + trial % 6);
        for (POINT& p : pts) p = {near(rng), near(rng)};
        // Clips that start above, inside and below the shape's first rows.
        expect_rows_match(pts, {-50, -50 + trial, 150, 60 + trial});
    }
    // Edges far outside: steep and flat ones whose products need more than 64 bits.
    for (int trial = 0; trial < 20; ++trial) {
        const std::vector<POINT> pts{
            {far(rng), far(rng)}, {far(rng), far(rng)}, {near(rng), near(rng)}, {far(rng), 50}};
        expect_rows_match(pts, {-100, 0, 200, 100});
    }
}

// Rows are scanned in bands of a bounded number of crossings: 700 edges each crossing all 480
// rows (about 336,000 crossings) take two bands, and the rows at the cut must be whole.
TEST(PolygonSteps, ManyLongEdgesScanInBands) {
    std::vector<POINT> pts;
    for (int i = 0; i < 700; ++i) pts.push_back({i * 3 + (i % 7), i % 2 == 0 ? -5 : 490});
    expect_rows_match(pts, {0, 0, 2200, 480});
}

// fill_polygon writes on an 80 x 60 surface what reference_row says, and damages it.
void expect_fill_matches(const std::vector<POINT>& pts, int trial) {
    Surface s(80, 60, 0x01010101u);
    fill_polygon(s, pts, FillRule::Alternate, make_mix(R2_XORPEN, 0x00FFFFFFu));
    Rect painted{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < 60; ++y) {
        std::vector<bool> inside(80, false);
        for (const Span& span : reference_row(pts, y, s.bounds()))
            for (int x = span.x0; x < span.x1; ++x) inside[static_cast<std::size_t>(x)] = true;
        for (int x = 0; x < 80; ++x) {
            const std::uint32_t want = inside[static_cast<std::size_t>(x)] ? 0x01FEFEFEu : 0x01010101u;
            ASSERT_EQ(s.row(y)[x], want) << "trial " << trial << " at " << x << "," << y;
            if (inside[static_cast<std::size_t>(x)]) {
                painted = {std::min(painted.left, x), std::min(painted.top, y), std::max(painted.right, x + 1),
                           std::max(painted.bottom, y + 1)};
            }
        }
    }
    const Rect d = s.take_damage();
    if (painted.left < painted.right) {
        EXPECT_TRUE(d.left <= painted.left && d.top <= painted.top && d.right >= painted.right &&
                    d.bottom >= painted.bottom);
    }
}

// fill_polygon writes on the surface what scan_polygon's rows say, for the alternate rule of
// reference_row, shapes that leave the surface included.
TEST(PolygonSteps, DirectFillPaintsTheScannedRows) {
    std::mt19937 rng(9);
    std::uniform_int_distribution<int> near(-20, 100);
    for (int trial = 0; trial < 100; ++trial) {
        std::vector<POINT> pts(3 + trial % 6);
        for (POINT& p : pts) p = {near(rng), near(rng)};
        expect_fill_matches(pts, trial);
    }
}

// Triangles walk their edges directly: vertices sharing a row, on one line, far above the
// surface (a long edge cut by its top) or beside it.
TEST(PolygonSteps, TrianglesFillTheScannedRows) {
    std::mt19937 rng(4);
    const int ys[] = {-100000, -7, 0, 13, 13, 40, 59, 60, 75};
    std::uniform_int_distribution<int> pick_y(0, 8), x(-30, 110);
    for (int trial = 0; trial < 400; ++trial) {
        std::vector<POINT> pts(3);
        for (POINT& p : pts) p = {x(rng), ys[pick_y(rng)]};
        if (trial % 10 == 0) pts[2] = {2 * pts[1].x - pts[0].x, 2 * pts[1].y - pts[0].y};
        expect_fill_matches(pts, trial);
    }
}

// Lines wholly inside the clip take a pointer walk of their own, pixel by pixel or, for long
// runs, a run at a time; it must light the pixels of the general walk, in every octant, in both
// directions and with a mix that shows double hits. Steep lines up to 160 pixels long give
// runs of every length and both run lengths of a slope.
TEST(ThinLines, LinesInsideTheClipLightTheWalkedPixels) {
    std::mt19937 rng(5);
    constexpr int size = 160;
    std::uniform_int_distribution<int> coord(0, size - 1), len(0, 3), side(-12, 12);
    for (int trial = 0; trial < 3000; ++trial) {
        POINT p0{coord(rng), coord(rng)}, p1{coord(rng), coord(rng)};
        if (len(rng) == 0)
            p1 = {std::clamp<LONG>(p0.x + len(rng) - 1, 0, size - 1),
                  std::clamp<LONG>(p0.y + len(rng) * 2 - 3, 0, size - 1)};
        if (trial % 3 == 0) p1.x = std::clamp<LONG>(p0.x + side(rng), 0, size - 1);
        if (trial % 3 == 1) p1.y = std::clamp<LONG>(p0.y + side(rng), 0, size - 1);
        for (const Mix mix : {make_mix(R2_COPYPEN, 0x00123456u), make_mix(R2_XORPEN, 0x00ABCDEFu)}) {
            Surface drawn(size, size, 0x11111111u), walked(size, size, 0x11111111u);
            draw_thin_line(drawn, drawn.bounds(), p0, p1, mix);
            walk_thin_line(p0, p1, walked.bounds(),
                           [&](int x, int y) { walked.row(y)[x] = mix.apply(walked.row(y)[x]); });
            ASSERT_TRUE(std::equal(drawn.data(), drawn.data() + size * size, walked.data()))
                << p0.x << "," << p0.y << " to " << p1.x << "," << p1.y;
        }
    }
}

}  // namespace
}  // namespace zg::raster
