// The wide stroke against its definition painted pixel by pixel into a bitmap: one body per
// segment (a rectangle when horizontal or vertical, else the quadrilateral scan-converted with
// the polygon rules) and the pen's disc at every vertex. Random polylines and the dense outlines
// of ellipses, rounded rectangles and arcs, open and closed, at many widths and clips.
#include "raster/ellipse.h"
#include "raster/span_painter.h"
#include "raster/spans.h"
#include "raster/stroke.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zg::raster {
namespace {

class Bitmap {
public:
    explicit Bitmap(const Rect& clip)
        : m_clip(clip), m_bits(static_cast<std::size_t>(clip.width()) * clip.height(), false) {}

    void set(long long y, long long x0, long long x1) {
        if (y < m_clip.top || y >= m_clip.bottom) return;
        for (long long x = std::max<long long>(x0, m_clip.left); x < std::min<long long>(x1, m_clip.right); ++x)
            m_bits[static_cast<std::size_t>((y - m_clip.top) * m_clip.width() + (x - m_clip.left))] = true;
    }

    Region region() const {
        RegionBuilder builder;
        std::vector<Span> spans;
        for (int y = m_clip.top; y < m_clip.bottom; ++y) {
            spans.clear();
            for (int x = m_clip.left; x < m_clip.right; ++x)
                if (m_bits[static_cast<std::size_t>((y - m_clip.top) * m_clip.width() + (x - m_clip.left))])
                    spans.push_back({x, x + 1});
            if (!spans.empty()) builder.add_row(y, spans);
        }
        return builder.finish();
    }

private:
    Rect m_clip;
    std::vector<bool> m_bits;
};

long long ceil_div(long long n, long long d) { return n >= 0 ? (n + d - 1) / d : -((-n) / d); }

void paint_quad(Bitmap& bits, const POINT (&p)[4]) {
    for (long long y = -200; y < 400; ++y) {
        long long lo = 1LL << 40, hi = -(1LL << 40);
        for (int i = 0; i < 4; ++i) {
            const POINT& a = p[i];
            const POINT& b = p[(i + 1) % 4];
            const POINT& t = a.y < b.y ? a : b;
            const POINT& u = a.y < b.y ? b : a;
            if (a.y == b.y || y < t.y || y >= u.y) continue;
            const long long x = t.x + ceil_div((y - t.y) * static_cast<long long>(u.x - t.x), u.y - t.y);
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        if (lo < hi) bits.set(y, lo, hi);
    }
}

long long gdi_round(double v) { return static_cast<long long>(std::floor(v + 0.5)); }

void paint_segment(Bitmap& bits, POINT p1, POINT p2, int w) {
    const long long dx = p2.x - p1.x, dy = p2.y - p1.y;
    if (dx == 0 && dy == 0) return;
    if (dy == 0) {
        for (long long y = p1.y - w / 2; y < p1.y - w / 2 + w; ++y)
            bits.set(y, std::min(p1.x, p2.x), std::max(p1.x, p2.x));
        return;
    }
    if (dx == 0) {
        for (long long y = std::min(p1.y, p2.y); y < std::max(p1.y, p2.y); ++y)
            bits.set(y, p1.x - w / 2, p1.x - w / 2 + w);
        return;
    }
    const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    const double wx = w * std::abs(static_cast<double>(dy)) / len, wy = w * std::abs(static_cast<double>(dx)) / len;
    POINT n{static_cast<LONG>(gdi_round(wx / 2)), static_cast<LONG>(gdi_round(wy / 2))};
    POINT f{static_cast<LONG>(gdi_round((wx + 1) / 2)), static_cast<LONG>(gdi_round((wy + 1) / 2))};
    if (dx < 0) {
        n.y = -n.y;
        f.y = -f.y;
    }
    if (dy < 0) {
        std::swap(n, f);
        n.x = -n.x;
        f.x = -f.x;
    }
    const POINT quad[4] = {
        {p1.x - n.x, p1.y + n.y}, {p1.x + f.x, p1.y - f.y}, {p2.x + f.x, p2.y - f.y}, {p2.x - n.x, p2.y + n.y}};
    paint_quad(bits, quad);
}

Region reference(const std::vector<POINT>& path, PathClose close, int w, const Rect& clip) {
    Bitmap bits(clip);
    if (path.size() < 2) return {};
    for (std::size_t i = 1; i < path.size(); ++i) paint_segment(bits, path[i - 1], path[i], w);
    if (close == PathClose::Closed) paint_segment(bits, path.back(), path.front(), w);
    const long long half = w / 2, rest = (w + 1) / 2 + 1;
    const Region disc = round_rect_region(-half, -half, rest, rest, rest + half, rest + half);
    for (const POINT& p : path)
        for (const Rect& r : disc.rects)
            for (long long y = r.top; y < r.bottom; ++y) bits.set(p.y + y, p.x + r.left, p.x + r.right);
    return bits.region();
}

void expect_same(const std::vector<POINT>& path, PathClose close, int w, const Rect& clip, const char* what) {
    const Region fast = wide_stroke(path, close, w, clip);
    ASSERT_TRUE(is_valid(fast)) << what;
    ASSERT_TRUE(equal(fast, reference(path, close, w, clip)))
        << what << " width " << w << " points " << path.size() << " closed " << (close == PathClose::Closed);
}

const Rect clips[] = {{-10, -10, 150, 150}, {20, 30, 90, 75}};

TEST(WideStroke, RandomPolylinesMatchTheirDefinition) {
    std::mt19937 random(7);
    auto coord = [&](int spread) {
        return static_cast<LONG>(std::uniform_int_distribution<int>(-spread, 140 + spread)(random));
    };
    for (int round = 0; round < 600; ++round) {
        // Every fourth path a long zigzag, whose many crossings per row the stroke keeps in a bitmap.
        const int count = round % 4 == 3 ? 40 : std::uniform_int_distribution<int>(2, 7)(random);
        std::vector<POINT> path;
        for (int i = 0; i < count; ++i) {
            // Short steps, repeated points and long lines alike.
            if (i > 0 && round % 3 == 0)
                path.push_back({path.back().x + coord(0) % 3 - 1, path.back().y + coord(0) % 3 - 1});
            else
                path.push_back({coord(20), coord(20)});
        }
        const int w = std::uniform_int_distribution<int>(2, 14)(random);
        expect_same(path, round % 2 ? PathClose::Closed : PathClose::Open, w, clips[round % 2], "polyline");
    }
}

TEST(WideStroke, CurveOutlinesMatchTheirDefinition) {
    std::mt19937 random(11);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 300; ++round) {
        const Rect box{pick(-5, 40), pick(-5, 40), pick(45, 130), pick(45, 130)};
        const int w = pick(2, 21);
        std::vector<POINT> path = round % 3 == 0
                                      ? round_rect_outline(box, pick(3, box.width()), pick(3, box.height()))
                                      : arc_outline(box, {pick(-50, 50), pick(-50, 50)}, {pick(-50, 50), pick(-50, 50)},
                                                    round % 2 ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
        if (round % 5 == 1) path.push_back({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
        expect_same(path, round % 3 == 2 ? PathClose::Open : PathClose::Closed, w, clips[round % 2], "curve");
    }
}

// Painting against the definition, on both of its routes: a copy paints the pieces as they come
// (the outline rows; at widths 6 and 20 some step extras do not touch their discs and go loose);
// other mixes paint the union, XOR showing a pixel painted twice as undone.
TEST(WideStroke, PaintingMatchesTheDefinition) {
    std::mt19937 random(13);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 200; ++round) {
        const Rect box{pick(-30, 60), pick(-30, 60), pick(61, 190), pick(61, 190)};
        const int w = round % 4 == 0 ? 6 : round % 4 == 1 ? 20 : pick(2, 40);
        std::vector<POINT> path = round % 2 ? round_rect_outline(box, pick(3, box.width()), pick(3, box.height()))
                                            : arc_outline(box, {pick(-60, 60), pick(-60, 60)},
                                                          {pick(-60, 60), pick(-60, 60)}, AD_COUNTERCLOCKWISE);
        if (round % 5 == 2) path.push_back({pick(0, 160), pick(0, 150)});
        if (round % 7 == 3) {
            // A zigzag of long segments, many per row.
            path.clear();
            for (int i = 0; i < 40; ++i) path.push_back({pick(-20, 180), pick(-20, 170)});
        }
        const PathClose close = round % 3 == 0 ? PathClose::Open : PathClose::Closed;
        Surface copied(160, 150, 0), xored(160, 150, 0), expected(160, 150, 0);
        paint_wide_stroke(copied, path, close, w, make_mix(R2_COPYPEN, 0xFFFFFF));
        paint_wide_stroke(xored, path, close, w, make_mix(R2_XORPEN, 0xFFFFFF));
        const Region stroke = reference(path, close, w, expected.bounds());
        fill_region(expected, stroke, make_mix(R2_COPYPEN, 0xFFFFFF));
        const Rect damage = copied.damage();
        if (!stroke.rects.empty()) {
            ASSERT_TRUE(damage.left == stroke.extents.left && damage.top == stroke.extents.top &&
                        damage.right == stroke.extents.right && damage.bottom == stroke.extents.bottom)
                << "damage, width " << w << " round " << round;
        }
        for (int y = 0; y < 150; ++y) {
            ASSERT_TRUE(std::equal(copied.row(y), copied.row(y) + 160, expected.row(y)))
                << "copy, row " << y << " width " << w << " round " << round;
            ASSERT_TRUE(std::equal(xored.row(y), xored.row(y) + 160, expected.row(y)))
                << "xor, row " << y << " width " << w << " round " << round;
        }
    }
}

// A comb: long teeth cross every row between them more often than the outline rows keep apart,
// few enough that the bitmap does not pay, so the stroke starts on the outline rows, gives up
// and takes the general union.
TEST(WideStroke, ACombCrossingRowsOftenMatchesItsDefinition) {
    for (int w : {2, 5, 9}) {
        std::vector<POINT> comb;
        for (int tooth = 0; tooth < 7; ++tooth) {
            comb.push_back({10 + 45 * tooth, 10});
            comb.push_back({10 + 45 * tooth + 1, 130});
            comb.push_back({10 + 45 * tooth + 9, 130});
            comb.push_back({10 + 45 * tooth + 9, 10});
        }
        expect_same(comb, PathClose::Open, w, {-10, -10, 340, 150}, "comb");
    }
}

// The arc's outline written a quarter at a time against the outline walked point by point, as
// its definition reads: the point numbered from the +x axis through the mirrored quarters, the
// radials' points found by a linear search.
std::vector<POINT> arc_walked(const Rect& box, POINT start, POINT end, int direction) {
    std::vector<POINT> q = ellipse_quadrant(box.width(), box.height());
    for (POINT& p : q) p = {p.x - box.width() / 2, p.y - box.height() / 2};
    const long long count = static_cast<long long>(q.size());
    auto point = [&](long long i) {
        const long long k = i % count;
        const POINT f = q[static_cast<std::size_t>(k)], b = q[static_cast<std::size_t>(count - 1 - k)];
        const POINT mirrored[4] = {f, {-b.x, b.y}, {-f.x, -f.y}, {b.x, -b.y}};
        return mirrored[i / count];
    };
    auto position = [&](long long rx, long long ry) {
        const long long quarter = ry >= 0 ? (rx >= 0 ? 0 : 1) : (rx < 0 ? 2 : 3);
        for (long long i = quarter * count; i < (quarter + 1) * count; ++i) {
            const long long turn = rx * point(i).y - ry * point(i).x;
            if (turn > 0 || (turn == 0 && ry >= 0)) return i;
        }
        return (quarter + 1) * count;
    };
    const bool cw = direction == AD_CLOCKWISE;
    const long long from = position(start.x, cw ? start.y : -start.y);
    long long to = position(end.x, cw ? end.y : -end.y);
    if (to <= from) to += 4 * count;
    std::vector<POINT> out;
    for (long long i = from; i < to; ++i) {
        const long long at = i % (4 * count), quarter = at / count;
        const POINT d = point(at);
        const bool left = quarter == 1 || quarter == 2, lower = (quarter >= 2) != cw;
        const long long x = (left ? box.right - 1 - box.width() / 2 : box.left + box.width() / 2) + d.x;
        const long long y =
            (lower ? box.top + box.height() / 2 : box.bottom - 1 - box.height() / 2) + (cw ? d.y : -d.y);
        out.push_back({static_cast<LONG>(x), static_cast<LONG>(y)});
    }
    return out;
}

TEST(ArcOutline, MatchesTheOutlineWalkedPointByPoint) {
    std::mt19937 random(17);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 400; ++round) {
        const Rect box{pick(-40, 40), pick(-40, 40), pick(41, 300), pick(41, 300)};
        // Radials on the axes and through outline points (ties) as well as anywhere.
        auto radial = [&]() -> POINT {
            if (round % 4 == 0) return {pick(-1, 1) * pick(0, 90), 0};
            if (round % 4 == 1) return {0, pick(-1, 1) * pick(0, 90)};
            return {pick(-150, 150), pick(-150, 150)};
        };
        const POINT start = radial(), end = radial();
        const int direction = round % 2 ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE;
        const std::vector<POINT> fast = arc_outline(box, start, end, direction);
        const std::vector<POINT> walked = arc_walked(box, start, end, direction);
        ASSERT_EQ(fast.size(), walked.size()) << "round " << round;
        for (std::size_t i = 0; i < fast.size(); ++i)
            ASSERT_TRUE(fast[i].x == walked[i].x && fast[i].y == walked[i].y) << "round " << round << " point " << i;
    }
}

// Short runs are written with stores that overlap: exactly the run's pixels change.
TEST(SpanPainter, ShortRunsWriteExactlyTheirPixels) {
    for (int n = 0; n < 40; ++n) {
        for (int at = 0; at < 3; ++at) {
            std::vector<std::uint32_t> row(48, 7);
            fill_short(row.data() + at, n, 9);
            for (int x = 0; x < 48; ++x)
                ASSERT_EQ(row[static_cast<std::size_t>(x)], x >= at && x < at + n ? 9u : 7u) << n << " at " << at;
        }
    }
}

}  // namespace
}  // namespace zg::raster
