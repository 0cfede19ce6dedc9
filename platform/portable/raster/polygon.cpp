// Polygon scan conversion; see polygon.h. An active edge list sorted by upper y keeps each row
// to the edges that cross it.
#include "raster/polygon.h"

#include "raster/runs.h"
#include "raster/spans.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace zg::raster {

namespace {

__extension__ typedef __int128 Wide;

struct Edge {
    long long x_top, y_top, y_bottom, dx, dy;  // dy > 0
    int dir;                                   // +1 when the path runs downwards
};

// The edges in order of their upper row. A curve's outline gives hundreds of edges, so they are
// ordered through 64-bit keys (upper row, then position in the path) rather than by moving the
// edges themselves about; equal rows keep the path's order.
std::vector<Edge> build_edges(const std::vector<POINT>& points) {
    std::vector<Edge> unordered;
    std::vector<std::uint64_t> keys;
    unordered.reserve(points.size());
    keys.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const POINT& a = points[i];
        const POINT& b = points[(i + 1) % points.size()];
        if (a.y == b.y) continue;
        const POINT& top = a.y < b.y ? a : b;
        const POINT& bottom = a.y < b.y ? b : a;
        // The row biased to unsigned, so that keys order as rows do.
        const std::uint64_t row = static_cast<std::uint32_t>(top.y) ^ 0x80000000u;
        keys.push_back(row << 32 | unordered.size());
        unordered.push_back({top.x, top.y, bottom.y, static_cast<long long>(bottom.x) - top.x,
                             static_cast<long long>(bottom.y) - top.y, a.y < b.y ? 1 : -1});
    }
    std::sort(keys.begin(), keys.end());
    std::vector<Edge> edges;
    edges.reserve(unordered.size());
    for (const std::uint64_t key : keys) edges.push_back(unordered[key & 0xFFFFFFFFu]);
    return edges;
}

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

struct Crossing {
    long long x;
    int dir;
};

void push_span(std::vector<Span>& spans, long long x0, long long x1, const Rect& clip) {
    const int a = static_cast<int>(std::clamp<long long>(x0, clip.left, clip.right));
    const int b = static_cast<int>(std::clamp<long long>(x1, clip.left, clip.right));
    if (a >= b) return;
    if (!spans.empty() && spans.back().x1 >= a) {
        spans.back().x1 = std::max(spans.back().x1, b);
        return;
    }
    spans.push_back({a, b});
}

void spans_of_row(std::vector<Crossing>& xs, FillRule rule, const Rect& clip, std::vector<Span>& spans) {
    spans.clear();
    // Most rows of most polygons cross two edges: one span, whatever the rule (a closed path
    // crosses a row as often downwards as upwards).
    if (xs.size() == 2) {
        push_span(spans, std::min(xs[0].x, xs[1].x), std::max(xs[0].x, xs[1].x), clip);
        return;
    }
    // Rows cross few edges, and the order changes little from row to row: insertion sort.
    for (std::size_t i = 1; i < xs.size(); ++i) {
        const Crossing c = xs[i];
        std::size_t j = i;
        for (; j > 0 && xs[j - 1].x > c.x; --j) xs[j] = xs[j - 1];
        xs[j] = c;
    }
    if (rule == FillRule::Alternate) {
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) push_span(spans, xs[i].x, xs[i + 1].x, clip);
        return;
    }
    int count = 0;
    long long start = 0;
    for (const Crossing& c : xs) {
        const int before = count;
        count += c.dir;
        if (before == 0 && count != 0) start = c.x;
        if (before != 0 && count == 0) push_span(spans, start, c.x, clip);
    }
}

// The scan itself, for a sink with row(y, spans) for any row and one(y, x0, x1) for a row of
// a single span (x0 < x1, already clamped). Rows where exactly two edges cross run in a loop of
// their own until an edge starts or ends: most rows of most polygons, and a row there is two
// steps of the edge walks and one span, with no lists.
template <class Sink>
void scan_rows(const std::vector<POINT>& given, FillRule rule, const Rect& clip, Sink& sink) {
    if (given.size() < 2 || clip.empty()) return;
    // A run of equal unit steps crosses each row where its single edge does, exactly, so a
    // curve's outline scans as far fewer edges.
    const std::vector<POINT> joined = given.size() > 3 ? join_unit_runs(given) : std::vector<POINT>{};
    const std::vector<Edge> edges = build_edges(given.size() > 3 ? joined : given);
    if (edges.empty()) return;
    std::vector<EdgeWalk> active;
    std::vector<Crossing> xs;
    std::vector<Span> spans;
    active.reserve(edges.size());
    xs.reserve(edges.size());
    spans.reserve(edges.size() / 2 + 1);
    std::size_t next = 0;
    long long first_end = LLONG_MAX;  // the first row below an active edge's end
    long long y = std::max<long long>(edges.front().y_top, clip.top);
    for (; y < clip.bottom; ++y) {
        for (; next < edges.size() && edges[next].y_top <= y; ++next) {
            if (edges[next].y_bottom <= y) continue;  // wholly above the clip
            active.emplace_back().start(edges[next], y);
            first_end = std::min(first_end, edges[next].y_bottom);
        }
        if (y >= first_end) {  // an edge has ended: drop it, find the next end
            std::erase_if(active, [y](const EdgeWalk& w) { return w.edge->y_bottom <= y; });
            first_end = LLONG_MAX;
            for (const EdgeWalk& w : active) first_end = std::min(first_end, w.edge->y_bottom);
        }
        if (active.empty() && next == edges.size()) break;
        if (active.empty()) {  // a gap between parts: jump to the next edge
            y = edges[next].y_top - 1;
            continue;
        }
        if (active.size() == 2) {
            const long long next_top = next < edges.size() ? edges[next].y_top : LLONG_MAX;
            const long long stop = std::min({first_end, next_top, static_cast<long long>(clip.bottom)});
            EdgeWalk& p = active[0];
            EdgeWalk& q = active[1];
            for (; y < stop; ++y) {
                const long long px = p.x(), qx = q.x();
                const int a = static_cast<int>(std::clamp<long long>(std::min(px, qx), clip.left, clip.right));
                const int b = static_cast<int>(std::clamp<long long>(std::max(px, qx), clip.left, clip.right));
                if (a < b) sink.one(static_cast<int>(y), a, b);
                p.next_row();
                q.next_row();
            }
            --y;  // the loop's step brings y back to stop
            continue;
        }
        xs.clear();
        for (EdgeWalk& w : active) {
            xs.push_back({w.x(), w.edge->dir});
            w.next_row();
        }
        spans_of_row(xs, rule, clip, spans);
        if (!spans.empty()) sink.row(static_cast<int>(y), spans);
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
    Rect touched{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    void one(int y, int x0, int x1) {
        fill_span(surface, y, x0, x1, mix);
        touched = {std::min(touched.left, x0), std::min(touched.top, y), std::max(touched.right, x1), y + 1};
    }
    void row(int y, std::vector<Span>& spans) {
        for (const Span& span : spans) fill_span(surface, y, span.x0, span.x1, mix);
        touched = {std::min(touched.left, spans.front().x0), std::min(touched.top, y),
                   std::max(touched.right, spans.back().x1), y + 1};
    }
};

}  // namespace

void scan_polygon(const std::vector<POINT>& points, FillRule rule, const Rect& clip, const RowSink& row) {
    ListSink sink{row};
    scan_rows(points, rule, clip, sink);
}

void fill_polygon(Surface& surface, const std::vector<POINT>& points, FillRule rule, Mix mix) {
    if (mix.is_nop()) return;
    FillSink sink{surface, mix};
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
