// Wide pen strokes; see stroke.h.
#include "raster/stroke.h"

#include "raster/ellipse.h"
#include "raster/polygon.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace zg::raster {

namespace {

// Spans per row over a fixed range of rows, merged only at the end. The pieces of all rows share
// one list (a list per row cost an allocation for every row a stroke touches, which was most of
// a thin frame's time); each row remembers its latest piece, which a neighbouring piece of the
// outline mostly overlaps and joins.
class Coverage {
public:
    Coverage(const Rect& clip) : m_clip(clip), m_last(static_cast<std::size_t>(std::max(clip.height(), 0)), none) {}

    void add(long long y, long long x0, long long x1) {
        if (y < m_clip.top || y >= m_clip.bottom) return;
        const int a = static_cast<int>(std::clamp<long long>(x0, m_clip.left, m_clip.right));
        const int b = static_cast<int>(std::clamp<long long>(x1, m_clip.left, m_clip.right));
        if (a >= b) return;
        const auto row = static_cast<std::uint32_t>(y - m_clip.top);
        std::uint32_t& last = m_last[row];
        if (last != none) {
            Piece& piece = m_pieces[last];
            if (a <= piece.x1 && b >= piece.x0) {
                piece.x0 = std::min(a, piece.x0);
                piece.x1 = std::max(b, piece.x1);
                return;
            }
        }
        last = static_cast<std::uint32_t>(m_pieces.size());
        m_pieces.push_back({row, a, b});
    }

    void add_rect(long long l, long long t, long long r, long long b) {
        for (long long y = std::max<long long>(t, m_clip.top); y < std::min<long long>(b, m_clip.bottom); ++y)
            add(y, l, r);
    }

    const Rect& clip() const { return m_clip; }

    Region finish() {
        // The pieces by row, each row's in the order they came (a counting sort).
        const std::size_t rows = m_last.size();
        std::vector<std::uint32_t> first(rows + 1, 0);
        for (const Piece& piece : m_pieces) ++first[piece.row + 1];
        for (std::size_t i = 0; i < rows; ++i) first[i + 1] += first[i];
        std::vector<std::uint32_t> next(first.begin(), first.end() - 1);
        std::vector<Span> ordered(m_pieces.size());
        for (const Piece& piece : m_pieces) ordered[next[piece.row]++] = {piece.x0, piece.x1};
        RegionBuilder builder;
        std::vector<Span> spans;
        for (std::size_t i = 0; i < rows; ++i) {
            if (first[i] == first[i + 1]) continue;
            spans.assign(ordered.begin() + first[i], ordered.begin() + first[i + 1]);
            builder.add_row(m_clip.top + static_cast<int>(i), spans);
        }
        return builder.finish();
    }

private:
    struct Piece {
        std::uint32_t row;
        int x0, x1;
    };
    static constexpr std::uint32_t none = UINT32_MAX;
    Rect m_clip;
    std::vector<std::uint32_t> m_last;  // per row, the index of its latest piece, or none
    std::vector<Piece> m_pieces;
};

// ceil(num / den) for den > 0, exact.
long long ceil_div(long long num, long long den) { return num >= 0 ? (num + den - 1) / den : -((-num) / den); }

// Scan-converts a parallelogram with the polygon rules of polygon.h. Being convex, each row
// crosses exactly two of its non-horizontal edges, so the winding fill is the span between the
// smallest and largest crossing; this runs once per segment of a wide outline, so it avoids
// the general converter's allocations.
void add_parallelogram(Coverage& cov, const POINT (&p)[4]) {
    long long top = p[0].y, bottom = p[0].y;
    for (const POINT& q : p) {
        top = std::min<long long>(top, q.y);
        bottom = std::max<long long>(bottom, q.y);
    }
    top = std::max<long long>(top, cov.clip().top);
    bottom = std::min<long long>(bottom, cov.clip().bottom);
    for (long long y = top; y < bottom; ++y) {
        long long lo = LLONG_MAX, hi = LLONG_MIN;
        for (int i = 0; i < 4; ++i) {
            const POINT& a = p[i];
            const POINT& b = p[(i + 1) % 4];
            if (a.y == b.y) continue;
            const POINT& t = a.y < b.y ? a : b;
            const POINT& u = a.y < b.y ? b : a;
            if (y < t.y || y >= u.y) continue;
            const long long x =
                t.x + ceil_div((y - t.y) * (static_cast<long long>(u.x) - t.x), static_cast<long long>(u.y) - t.y);
            lo = std::min(lo, x);
            hi = std::max(hi, x);
        }
        if (lo < hi) cov.add(y, lo, hi);
    }
}

long long gdi_round(double v) { return static_cast<long long>(std::floor(v + 0.5)); }

void add_segment(Coverage& cov, POINT p1, POINT p2, int width) {
    const long long dx = static_cast<long long>(p2.x) - p1.x, dy = static_cast<long long>(p2.y) - p1.y;
    if (dx == 0 && dy == 0) return;
    if (dy == 0) {
        const long long top = p1.y - width / 2;
        cov.add_rect(std::min(p1.x, p2.x), top, std::max(p1.x, p2.x), top + width);
        return;
    }
    if (dx == 0) {
        const long long left = p1.x - width / 2;
        cov.add_rect(left, std::min(p1.y, p2.y), left + width, std::max(p1.y, p2.y));
        return;
    }
    // The body's corners: the pen's width split across the segment's normal, the wider half on
    // one side, rounded as GDI rounds.
    const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    const double width_x = width * std::abs(static_cast<double>(dy)) / len;
    const double width_y = width * std::abs(static_cast<double>(dx)) / len;
    POINT narrow{static_cast<LONG>(gdi_round(width_x / 2)), static_cast<LONG>(gdi_round(width_y / 2))};
    POINT wide{static_cast<LONG>(gdi_round((width_x + 1) / 2)), static_cast<LONG>(gdi_round((width_y + 1) / 2))};
    if (dx < 0) {
        wide.y = -wide.y;
        narrow.y = -narrow.y;
    }
    if (dy < 0) {
        std::swap(narrow, wide);
        narrow.x = -narrow.x;
        wide.x = -wide.x;
    }
    const POINT quad[4] = {{p1.x - narrow.x, p1.y + narrow.y},
                           {p1.x + wide.x, p1.y - wide.y},
                           {p2.x + wide.x, p2.y - wide.y},
                           {p2.x - narrow.x, p2.y + narrow.y}};
    add_parallelogram(cov, quad);
}

}  // namespace

namespace {

// Round caps up to this width are built as GDI builds them, row by row with the midpoint
// stepping; wider ones (absurd pens) as the circle of the same width, computed only on the
// clip rectangle's rows, so their cost does not grow with the width.
constexpr long long max_exact_cap = 1 << 14;

void add_circle_cap(Coverage& cov, POINT p, long long width) {
    const double r = static_cast<double>(width) / 2;
    for (long long y = cov.clip().top; y < cov.clip().bottom; ++y) {
        const double dy = static_cast<double>(y - p.y);
        if (std::abs(dy) > r) continue;
        const long long half = static_cast<long long>(std::floor(std::sqrt(r * r - dy * dy)));
        cov.add(y, p.x - half, p.x + half + 1);
    }
}

// True when the round cap at p alone covers all of clip: every corner of the rectangle lies
// well inside the cap's circle (radius about width / 2).
bool cap_covers(POINT p, long long width, const Rect& clip) {
    const double radius = static_cast<double>(width) / 2 - 2;
    if (radius <= 0) return false;
    const double dx =
        std::max(std::abs(static_cast<double>(p.x) - clip.left), std::abs(static_cast<double>(p.x) - clip.right));
    const double dy =
        std::max(std::abs(static_cast<double>(p.y) - clip.top), std::abs(static_cast<double>(p.y) - clip.bottom));
    return dx * dx + dy * dy < radius * radius;
}

// Adds the cap's rows that fall inside the clip rectangle (the cap's rects are in row order).
void add_cap(Coverage& cov, const Region& cap, POINT p) {
    const long long first_row = static_cast<long long>(cov.clip().top) - p.y;
    auto it = std::lower_bound(cap.rects.begin(), cap.rects.end(), first_row,
                               [](const Rect& r, long long row) { return r.bottom <= row; });
    for (; it != cap.rects.end() && static_cast<long long>(it->top) + p.y < cov.clip().bottom; ++it)
        cov.add_rect(static_cast<long long>(it->left) + p.x, static_cast<long long>(it->top) + p.y,
                     static_cast<long long>(it->right) + p.x, static_cast<long long>(it->bottom) + p.y);
}

}  // namespace

Region wide_stroke(std::span<const POINT> in, PathClose close, int pen_width, const Rect& clip) {
    // A path of a single point has no segment and leaves no mark (two equal points do: a
    // zero-length segment still gets its round caps).
    if (in.size() < 2 || clip.empty()) return {};
    // Points beyond +-2^29 are pulled in so the body arithmetic cannot overflow; the stroke of
    // such a line is then only approximately where Windows would put it.
    constexpr LONG limit = 1 << 29;
    std::vector<POINT> points(in.begin(), in.end());
    for (POINT& p : points) p = {std::clamp(p.x, -limit, limit), std::clamp(p.y, -limit, limit)};
    if (cap_covers(points.front(), pen_width, clip)) return make_rect_region(clip);
    const int width = pen_width;
    const long long half = width / 2, rest = (width + 1LL) / 2 + 1;
    const bool exact_cap = width <= max_exact_cap;
    const Region disc = exact_cap ? round_rect_region(-half, -half, rest, rest, rest + half, rest + half) : Region{};
    Rect box = points_box(points);
    box = {static_cast<int>(std::max<long long>(static_cast<long long>(box.left) - width, clip.left)),
           static_cast<int>(std::max<long long>(static_cast<long long>(box.top) - width, clip.top)),
           static_cast<int>(std::min<long long>(static_cast<long long>(box.right) + width, clip.right)),
           static_cast<int>(std::min<long long>(static_cast<long long>(box.bottom) + width, clip.bottom))};
    if (box.empty()) return {};
    Coverage cov(box);
    for (std::size_t i = 1; i < points.size(); ++i) add_segment(cov, points[i - 1], points[i], width);
    if (close == PathClose::Closed) add_segment(cov, points.back(), points.front(), width);
    // Every vertex ends a segment, so every vertex gets the round cap, even where a segment
    // has zero length.
    for (const POINT& p : points) {
        if (exact_cap)
            add_cap(cov, disc, p);
        else
            add_circle_cap(cov, p, width);
    }
    return cov.finish();
}

}  // namespace zg::raster
