// Polygon scan conversion; see polygon.h.
#include "raster/polygon.h"

#include "raster/spans.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>

namespace zg::raster {

namespace {

__extension__ typedef __int128 Wide;

struct Edge {
    long long x_top, y_top, y_bottom, dx, dy;  // dy > 0
    int dir;                                   // +1 when the path runs downwards
};

// An edge's crossing on successive rows, stepped without division: after start(y) the
// crossing is ceil(x_top + (y - y_top) * dx / dy), held as a floor quotient q and remainder
// 0 <= r < dy; each row adds dx / dy and dx % dy (both floored) to them. One exact 128-bit
// division per edge replaces one per edge and row, which dominated small fills.
struct EdgeWalk {
    const Edge* edge = nullptr;
    long long q = 0, r = 0, step_q = 0, step_r = 0;

    void start(const Edge& e, long long y) {
        edge = &e;
        q = e.x_top;
        r = 0;
        if (y != e.y_top) {  // only an edge cut by the clip's top starts below its vertex
            const Wide num = Wide(y - e.y_top) * e.dx;
            Wide quot = num / e.dy, rem = num % e.dy;
            if (rem < 0) {
                --quot;
                rem += e.dy;
            }
            q += static_cast<long long>(quot);
            r = static_cast<long long>(rem);
        }
        step_q = e.dx / e.dy;
        step_r = e.dx % e.dy;
        if (step_r < 0) {
            --step_q;
            step_r += e.dy;
        }
    }
    long long x() const { return r != 0 ? q + 1 : q; }
    void next_row() {
        q += step_q;
        r += step_r;
        if (r >= edge->dy) {
            r -= edge->dy;
            ++q;
        }
    }
};

// Where an edge crosses a row, clamped to the clip's columns (which changes no span: clamping
// keeps the order of crossings apart from ties, and the spans between tied crossings are
// empty), and which way the edge runs.
struct Crossing {
    int x;
    int dir;
};

void push_span(std::vector<Span>& spans, int a, int b) {
    if (a >= b) return;
    if (!spans.empty() && spans.back().x1 >= a) {
        spans.back().x1 = std::max(spans.back().x1, b);
        return;
    }
    spans.push_back({a, b});
}

void spans_of_row(Crossing* xs, std::size_t n, FillRule rule, std::vector<Span>& spans) {
    spans.clear();
    // Rows cross few edges: insertion sort.
    for (std::size_t i = 1; i < n; ++i) {
        const Crossing c = xs[i];
        std::size_t j = i;
        for (; j > 0 && xs[j - 1].x > c.x; --j) xs[j] = xs[j - 1];
        xs[j] = c;
    }
    if (rule == FillRule::Alternate) {
        for (std::size_t i = 0; i + 1 < n; i += 2) push_span(spans, xs[i].x, xs[i + 1].x);
        return;
    }
    int count = 0, start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int before = count;
        count += xs[i].dir;
        if (before == 0 && count != 0) start = xs[i].x;
        if (before != 0 && count == 0) push_span(spans, start, xs[i].x);
    }
}

// The edge from a to b, or nullopt for a horizontal one (it crosses no row).
std::optional<Edge> edge_of(const POINT& a, const POINT& b) {
    if (a.y == b.y) return std::nullopt;
    const POINT& top = a.y < b.y ? a : b;
    const POINT& bottom = a.y < b.y ? b : a;
    return Edge{top.x,
                top.y,
                bottom.y,
                static_cast<long long>(bottom.x) - top.x,
                static_cast<long long>(bottom.y) - top.y,
                a.y < b.y ? 1 : -1};
}

// Calls put(row, crossing) for every row of [y0, y1) the edge covers.
template <class Put>
void edge_crossings(const Edge& e, long long y0, long long y1, const Rect& clip, Put&& put) {
    const long long first = std::max(e.y_top, y0), end = std::min(e.y_bottom, y1);
    if (first >= end) return;
    auto clamp_x = [&](long long x) { return static_cast<int>(std::clamp<long long>(x, clip.left, clip.right)); };
    // A curve's outline is mostly one-row edges, which cross at their upper end.
    if (e.dy == 1) {
        put(first, Crossing{clamp_x(e.x_top), e.dir});
        return;
    }
    EdgeWalk walk;
    walk.start(e, first);
    for (long long y = first; y < end; ++y) {
        put(y, Crossing{clamp_x(walk.x()), e.dir});
        walk.next_row();
    }
}

// Rows are scanned in bands of at most this many crossings (a band holds one row at least),
// so that a polygon of many long edges needs bounded memory.
constexpr std::size_t band_crossings = std::size_t{1} << 18;

// The crossings of rows [y0, y1) sorted into spans and handed to the sink: one(y, x0, x1) for a
// row of one span, row(y, spans) for others. Counted from base, the first row's start, ends[r]
// is where row y0 + r's crossings end (each row's start where the previous row's end); each
// edge's crossing of a row goes into the row's last free place, so once all are in, ends[r] is
// where row r's begin.
template <class Sink>
void scan_band(const std::vector<POINT>& points, FillRule rule, const Rect& clip, long long y0, long long y1,
               std::size_t base, std::size_t* ends, Sink& sink) {
    const auto rows = static_cast<std::size_t>(y1 - y0);
    // Every place is written before it is read: no need to clear them first (a plain new[] of a
    // trivial type leaves them as they are; emscripten's library has no make_unique_for_overwrite).
    const std::size_t total = ends[rows - 1] - base;
    const std::unique_ptr<Crossing[]> xs(new Crossing[total]);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::optional<Edge> e = edge_of(points[i], points[(i + 1) % points.size()]);
        if (!e) continue;
        edge_crossings(*e, y0, y1, clip, [&](long long y, Crossing c) { xs[--ends[y - y0] - base] = c; });
    }
    std::vector<Span> spans;
    for (std::size_t r = 0; r < rows; ++r) {
        Crossing* row = xs.get() + (ends[r] - base);
        const std::size_t n = (r + 1 < rows ? ends[r + 1] : base + total) - ends[r];
        const int y = static_cast<int>(y0 + static_cast<long long>(r));
        // Most rows of most polygons cross two edges: one span, whatever the rule (a closed
        // path crosses a row as often downwards as upwards).
        if (n == 2) {
            const int a = std::min(row[0].x, row[1].x), b = std::max(row[0].x, row[1].x);
            if (a < b) sink.one(y, a, b);
            continue;
        }
        spans_of_row(row, n, rule, spans);
        if (!spans.empty()) sink.row(y, spans);
    }
}

// The scan: every edge puts its crossing of each row it covers into that row's bucket (the
// rows' counts found first, each edge adding one at its first row and taking one away below
// its last), so no edge list is sorted or kept active; then each row's few crossings are
// sorted into spans.
template <class Sink>
void scan_rows(const std::vector<POINT>& points, FillRule rule, const Rect& clip, Sink& sink) {
    if (points.size() < 2 || clip.empty()) return;
    long long lo = LLONG_MAX, hi = LLONG_MIN;
    for (const POINT& p : points) {
        lo = std::min<long long>(lo, p.y);
        hi = std::max<long long>(hi, p.y);
    }
    const long long y0 = std::max<long long>(lo, clip.top), y1 = std::min<long long>(hi, clip.bottom);
    if (y0 >= y1) return;
    const auto rows = static_cast<std::size_t>(y1 - y0);
    // ends[0] stays 0, the start of the first row; row r's count, then its end, is ends[r + 1].
    std::vector<std::size_t> ends(rows + 2, 0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::optional<Edge> e = edge_of(points[i], points[(i + 1) % points.size()]);
        if (!e) continue;
        const long long first = std::max(e->y_top, y0), end = std::min(e->y_bottom, y1);
        if (first >= end) continue;
        ++ends[static_cast<std::size_t>(first - y0) + 1];
        --ends[static_cast<std::size_t>(end - y0) + 1];
    }
    // Counts per row, summed into running ends.
    std::size_t count = 0, end = 0;
    for (std::size_t r = 1; r <= rows; ++r) {
        count += ends[r];
        end += count;
        ends[r] = end;
    }
    std::size_t base = 0;
    for (std::size_t r0 = 0; r0 < rows;) {
        std::size_t r1 = rows;
        if (end - base > band_crossings)
            for (r1 = r0 + 1; r1 < rows && ends[r1 + 1] - base <= band_crossings;) ++r1;
        const std::size_t band_end = ends[r1];
        scan_band(points, rule, clip, y0 + static_cast<long long>(r0), y0 + static_cast<long long>(r1), base,
                  ends.data() + r0 + 1, sink);
        base = band_end;
        r0 = r1;
    }
}

// A sink that hands every row to a RowSink as a list.
struct ListSink {
    const RowSink& to;
    std::vector<Span> single{Span{0, 0}};
    void row(int y, std::vector<Span>& spans) { to(y, spans); }
    void one(int y, int x0, int x1) {
        single.resize(1);
        single[0] = {x0, x1};
        to(y, single);
    }
};

// A sink that fills each span on a surface and keeps the box of what it filled.
struct FillSink {
    Surface& surface;
    Mix mix;
    // Rows come top to bottom: the first row filled is the top of what was touched.
    Rect touched{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    void one(int y, int x0, int x1) {
        fill_span(surface, y, x0, x1, mix);
        touch(y, x0, x1);
    }
    void row(int y, std::vector<Span>& spans) {
        for (const Span& span : spans) fill_span(surface, y, span.x0, span.x1, mix);
        touch(y, spans.front().x0, spans.back().x1);
    }
    void touch(int y, int x0, int x1) {
        if (touched.top == INT_MAX) touched.top = y;
        touched.left = std::min(touched.left, x0);
        touched.right = std::max(touched.right, x1);
        touched.bottom = y + 1;
    }
};

// Rows [from, to) of a triangle between the walks of two of its edges, each started at from.
void fill_between(EdgeWalk& a, EdgeWalk& b, long long from, long long to, const Rect& clip, FillSink& sink) {
    auto clamp_x = [&](long long x) { return static_cast<int>(std::clamp<long long>(x, clip.left, clip.right)); };
    for (long long y = from; y < to; ++y) {
        const int xa = clamp_x(a.x()), xb = clamp_x(b.x());
        if (xa != xb) sink.one(static_cast<int>(y), std::min(xa, xb), std::max(xa, xb));
        a.next_row();
        b.next_row();
    }
}

// A triangle crosses every row it covers twice, on its long edge (top to bottom vertex) and
// on one of the two others: the rows go straight to the sink, without the crossing buckets,
// and give what the scan gives.
void fill_triangle(const std::vector<POINT>& points, const Rect& clip, FillSink& sink) {
    POINT v[3] = {points[0], points[1], points[2]};
    std::sort(v, v + 3, [](const POINT& p, const POINT& q) { return p.y < q.y; });
    const long long y0 = std::max<long long>(v[0].y, clip.top), y1 = std::min<long long>(v[2].y, clip.bottom);
    if (y0 >= y1 || clip.empty()) return;
    const Edge long_edge = *edge_of(v[0], v[2]);
    EdgeWalk along;
    along.start(long_edge, y0);
    for (int i = 0; i < 2; ++i) {
        const std::optional<Edge> e = edge_of(v[i], v[i + 1]);
        if (!e) continue;
        const long long from = std::max(e->y_top, y0), to = std::min(e->y_bottom, y1);
        if (from >= to) continue;
        EdgeWalk side;
        side.start(*e, from);
        fill_between(along, side, from, to, clip, sink);
    }
}

}  // namespace

void scan_polygon(const std::vector<POINT>& points, FillRule rule, const Rect& clip, const RowSink& row) {
    ListSink sink{row};
    scan_rows(points, rule, clip, sink);
}

void fill_polygon(Surface& surface, const std::vector<POINT>& points, FillRule rule, Mix mix) {
    if (mix.is_nop()) return;
    FillSink sink{surface, mix};
    if (points.size() == 3)
        fill_triangle(points, surface.bounds(), sink);
    else
        scan_rows(points, rule, surface.bounds(), sink);
    if (sink.touched.left < sink.touched.right) surface.add_damage(sink.touched);
}

Region polygon_region(const std::vector<POINT>& points, FillRule rule, const Rect& clip) {
    RegionBuilder builder;
    scan_polygon(points, rule, clip, [&](int y, std::vector<Span>& spans) { builder.add_row(y, spans); });
    return builder.finish();
}

Rect points_box(std::span<const POINT> points) {
    if (points.empty()) return {};
    Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const POINT& p : points) {
        box.left = std::min(box.left, static_cast<int>(p.x));
        box.top = std::min(box.top, static_cast<int>(p.y));
        box.right = std::max(box.right, static_cast<int>(p.x));
        box.bottom = std::max(box.bottom, static_cast<int>(p.y));
    }
    box.right = box.right == INT_MAX ? INT_MAX : box.right + 1;
    box.bottom = box.bottom == INT_MAX ? INT_MAX : box.bottom + 1;
    return box;
}

}  // namespace zg::raster
