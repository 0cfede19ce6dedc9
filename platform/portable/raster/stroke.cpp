// Wide pen strokes; see stroke.h.
#include "raster/stroke.h"

#include "raster/ellipse.h"
#include "raster/polygon.h"
#include "raster/row_cover.h"
#include "raster/span_painter.h"
#include "raster/stroke_outline.h"
#include "raster/stroke_parts.h"
#include "raster/spans.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace zg::raster {

namespace {

// ceil(num / den) and floor(num / den) for den > 0, exact.
long long ceil_div(long long num, long long den) { return num >= 0 ? (num + den - 1) / den : -((-num) / den); }
long long floor_div(long long num, long long den) { return -ceil_div(-num, den); }

// Walks one edge's rows [first, last), with x the ceiling of the exact crossing kept by an
// integer remainder instead of a division per row, and widens each row's bounds.
void walk_edge(const POINT& t, const POINT& u, long long first, long long last, long long top, QuadRows& rows) {
    const long long den = static_cast<long long>(u.y) - t.y, run = static_cast<long long>(u.x) - t.x;
    const long long num = (first - t.y) * run;
    long long q = ceil_div(num, den), r = q * den - num;
    const long long step = floor_div(run, den), extra = run - step * den;
    for (long long y = first; y < last; ++y) {
        const long long x = t.x + q;
        const auto i = static_cast<std::size_t>(y - top);
        rows.lo[i] = std::min(rows.lo[i], x);
        rows.hi[i] = std::max(rows.hi[i], x);
        q += step;
        r -= extra;
        if (r < 0) {
            ++q;
            r += den;
        }
    }
}

// Walks one edge's rows [first, last) like walk_edge, writing each row's crossing.
void trace_edge(const POINT& t, const POINT& u, long long first, long long last, long long* xs) {
    const long long den = static_cast<long long>(u.y) - t.y, run = static_cast<long long>(u.x) - t.x;
    const long long num = (first - t.y) * run;
    long long q = ceil_div(num, den), r = q * den - num;
    const long long step = floor_div(run, den), extra = run - step * den;
    for (long long y = first; y < last; ++y) {
        *xs++ = t.x + q;
        q += step;
        r -= extra;
        if (r < 0) {
            ++q;
            r += den;
        }
    }
}

// Scan-converts a parallelogram with the polygon rules of polygon.h. Being convex, each row
// crosses exactly two of its non-horizontal edges, so the winding fill is the span between the
// smallest and largest crossing. When it has an area, one of the two edges runs down and the
// other up as the corners go round, and the orientation tells which is on the left; a flat
// one takes both crossings of each row as they come.
// Returns the row count, the first row in `top`.
std::size_t parallelogram_rows(const POINT (&p)[4], const Rect& clip, QuadRows& rows, long long& top) {
    top = p[0].y;
    long long bottom = p[0].y;
    for (const POINT& q : p) {
        top = std::min<long long>(top, q.y);
        bottom = std::max<long long>(bottom, q.y);
    }
    top = std::max<long long>(top, clip.top);
    bottom = std::min<long long>(bottom, clip.bottom);
    if (top >= bottom) return 0;
    const long long turn = (static_cast<long long>(p[1].x) - p[0].x) * (static_cast<long long>(p[3].y) - p[0].y) -
                           (static_cast<long long>(p[1].y) - p[0].y) * (static_cast<long long>(p[3].x) - p[0].x);
    const auto count = static_cast<std::size_t>(bottom - top);
    if (turn == 0) {
        rows.lo.assign(count, LLONG_MAX);
        rows.hi.assign(count, LLONG_MIN);
    } else {
        rows.lo.resize(count);
        rows.hi.resize(count);
    }
    for (int i = 0; i < 4; ++i) {
        const POINT& a = p[i];
        const POINT& b = p[(i + 1) % 4];
        if (a.y == b.y) continue;
        const POINT& t = a.y < b.y ? a : b;
        const POINT& u = a.y < b.y ? b : a;
        const long long first = std::max<long long>(t.y, top), last = std::min<long long>(u.y, bottom);
        if (first >= last) continue;
        if (turn == 0)
            walk_edge(t, u, first, last, top, rows);
        else
            trace_edge(t, u, first, last,
                       &((a.y < b.y) == (turn > 0) ? rows.hi : rows.lo)[static_cast<std::size_t>(first - top)]);
    }
    return count;
}

long long gdi_round(double v) { return static_cast<long long>(std::floor(v + 0.5)); }

// The body of a slanted segment: the pen's width split across the segment's normal, the wider
// half on one side, rounded as GDI rounds.
void slanted_body(POINT p1, POINT p2, int width, POINT (&quad)[4]) {
    const long long dx = static_cast<long long>(p2.x) - p1.x, dy = static_cast<long long>(p2.y) - p1.y;
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
    quad[0] = {p1.x - narrow.x, p1.y + narrow.y};
    quad[1] = {p1.x + wide.x, p1.y - wide.y};
    quad[2] = {p2.x + wide.x, p2.y - wide.y};
    quad[3] = {p2.x - narrow.x, p2.y + narrow.y};
}

template <class Cover>
void add_segment(Cover& cov, POINT p1, POINT p2, int width, QuadRows& rows) {
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
    POINT quad[4];
    slanted_body(p1, p2, width, quad);
    long long top = 0;
    const std::size_t count = parallelogram_rows(quad, cov.clip(), rows, top);
    if (count > 0) cov.add_rows(top, rows.lo.data(), rows.hi.data(), count);
}

}  // namespace

namespace {

template <class Cover>
void add_circle_cap(Cover& cov, POINT p, long long width) {
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

bool disc_rows(const Region& disc, int width, Pen& pen) {
    pen.top = disc.extents.top;
    const auto rows = static_cast<std::size_t>(std::max(disc.extents.height(), 0));
    pen.left.assign(rows, INT_MAX);
    pen.right.assign(rows, INT_MIN);
    for (const Rect& r : disc.rects)
        for (int y = r.top; y < r.bottom; ++y) {
            const auto i = static_cast<std::size_t>(y - pen.top);
            if (pen.left[i] != INT_MAX) return false;
            pen.left[i] = r.left;
            pen.right[i] = r.right;
        }
    if (pen.top != -(width / 2) || rows != static_cast<std::size_t>(width)) return false;
    for (std::size_t i = 0; i < rows; ++i)
        if (pen.left[i] > 0 || pen.right[i] < 1) return false;
    return true;
}

std::vector<Rect> step_extra(const Region& disc, int dx, int dy, int width) {
    const int margin = width + 4;
    RowCover body({-margin, -margin, margin, margin});
    QuadRows rows;
    add_segment(body, {0, 0}, {dx, dy}, width, rows);
    Region ends = disc;
    offset(ends, dx, dy);
    ends = combine(ends, disc, CombineOp::Or);
    return combine(body.region(), ends, CombineOp::Diff).rects;
}

}  // namespace

const Pen& pen_for(int width) {
    thread_local Pen pen;
    if (pen.width == width) return pen;
    const long long half = width / 2, rest = (width + 1LL) / 2 + 1;
    pen.disc = round_rect_region(-half, -half, rest, rest, rest + half, rest + half);
    const Region& disc = pen.disc;
    pen.width = width;
    pen.sweeps = disc_rows(disc, width, pen);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) pen.step_extra[dy + 1][dx + 1] = step_extra(disc, dx, dy, width);
    plan_outline_steps(pen);
    return pen;
}

std::size_t body_rows(POINT p1, POINT p2, int width, const Rect& clip, QuadRows& rows, long long& top) {
    const long long dx = static_cast<long long>(p2.x) - p1.x, dy = static_cast<long long>(p2.y) - p1.y;
    if (dy == 0 || dx == 0) {
        // A rectangle: rows [y0, y1) of columns [x0, x1).
        const long long x0 = dy == 0 ? std::min(p1.x, p2.x) : p1.x - width / 2;
        const long long x1 = dy == 0 ? std::max(p1.x, p2.x) : x0 + width;
        const long long y0 = dy == 0 ? p1.y - width / 2 : std::min(p1.y, p2.y);
        const long long y1 = dy == 0 ? y0 + width : std::max(p1.y, p2.y);
        top = std::max<long long>(y0, clip.top);
        const long long bottom = std::min<long long>(y1, clip.bottom);
        if (top >= bottom) return 0;
        rows.lo.assign(static_cast<std::size_t>(bottom - top), x0);
        rows.hi.assign(static_cast<std::size_t>(bottom - top), x1);
        return rows.lo.size();
    }
    POINT quad[4];
    slanted_body(p1, p2, width, quad);
    return parallelogram_rows(quad, clip, rows, top);
}

namespace {

// The bodies the discs leave anything of: along the path (joined is true), horizontal
// segments are inside the swept discs, and so are most one-pixel steps.
template <class Cover>
void add_body(Cover& cov, POINT p1, POINT p2, bool joined, const Pen* pen, int width, QuadRows& rows) {
    if (pen != nullptr && pen->sweeps) {
        const long long dx = static_cast<long long>(p2.x) - p1.x, dy = static_cast<long long>(p2.y) - p1.y;
        if (dy == 0 && joined) return;
        if (std::abs(dx) <= 1 && std::abs(dy) <= 1) {
            for (const Rect& r : pen->step_extra[dy + 1][dx + 1])
                for (long long y = r.top; y < r.bottom; ++y)
                    cov.add(y + p1.y, static_cast<long long>(r.left) + p1.x, static_cast<long long>(r.right) + p1.x);
            return;
        }
    }
    add_segment(cov, p1, p2, width, rows);
}

// A row of path points joined by horizontal segments (consecutive along the path): their
// discs and bodies give one span per disc row, from the first disc's left to the last's
// right, since the bodies fill the row between.
struct Run {
    long long row, x0, x1;
    std::size_t end;  // the index of the first point after the run
};

std::vector<Run> runs_of(std::span<const POINT> points) {
    std::vector<Run> runs;
    runs.reserve(points.size());
    runs.push_back({points[0].y, points[0].x, points[0].x, 1});
    for (std::size_t i = 1; i < points.size(); ++i) {
        const POINT& p = points[i];
        Run& last = runs.back();
        if (p.y == last.row) {
            last.x0 = std::min<long long>(last.x0, p.x);
            last.x1 = std::max<long long>(last.x1, p.x);
            last.end = i + 1;
            continue;
        }
        runs.push_back({p.y, p.x, p.x, i + 1});
    }
    return runs;
}

// Whether run b carries on the section ending with run a, one row further in the direction
// step (0: not chosen yet, then set): each run's pieces of an output row cover at least
// [x0, x1 + 1), as every disc row spans the point's own column, so runs whose columns touch
// or overlap across the row give touching pieces, and a section's pieces of any one output
// row join into one span.
bool carries_on(const Run& a, const Run& b, long long& step) {
    const long long d = b.row - a.row;
    if ((d != 1 && d != -1) || (step != 0 && d != step)) return false;
    if (b.x0 > a.x1 + 1 || a.x0 > b.x1 + 1) return false;
    step = d;
    return true;
}

// The discs of a section: each output row the span from the least left to the greatest right
// of the disc rows its runs give it.
template <class Cover>
void add_section(Cover& cov, std::span<const Run> runs, long long step, const Pen& pen, std::vector<long long>& ends) {
    const long long rows = static_cast<long long>(pen.left.size());
    const long long low = std::min(runs.front().row, runs.back().row);
    const long long high = std::max(runs.front().row, runs.back().row);
    // The runs' ends in row order, the run on row low + i at 2 i and 2 i + 1.
    ends.resize(2 * runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const Run& run = runs[step < 0 ? runs.size() - 1 - i : i];
        ends[2 * i] = run.x0;
        ends[2 * i + 1] = run.x1;
    }
    for (long long y = low + pen.top; y < high + pen.top + rows; ++y) {
        const long long first = std::max(low, y - pen.top - rows + 1), last = std::min(high, y - pen.top);
        const long long* end = &ends[static_cast<std::size_t>(2 * (first - low))];
        const auto k = static_cast<std::size_t>(y - pen.top - first);  // the disc row of the first run
        long long lo = LLONG_MAX, hi = LLONG_MIN;
        for (std::size_t i = 0; i <= static_cast<std::size_t>(last - first); ++i) {
            lo = std::min(lo, end[2 * i] + pen.left[k - i]);
            hi = std::max(hi, end[2 * i + 1] + pen.right[k - i]);
        }
        cov.add(y, lo, hi);
    }
}

// The body of the segment leaving a run: a one-pixel step within a section adds the pixels
// its body reaches beyond its two discs, found once for the pen.
template <class Cover>
void add_leaving(Cover& cov, POINT from, POINT to, const Pen& pen, QuadRows& quad) {
    const int dx = to.x - from.x, dy = to.y - from.y;
    if (dx < -1 || dx > 1 || dy < -1 || dy > 1) {
        add_body(cov, from, to, true, &pen, pen.width, quad);
        return;
    }
    for (const Rect& r : pen.step_extra[dy + 1][dx + 1])
        for (int y = r.top; y < r.bottom; ++y)
            cov.add(static_cast<long long>(y) + from.y, static_cast<long long>(r.left) + from.x,
                    static_cast<long long>(r.right) + from.x);
}

// The discs of every point, a section of runs at a time, each followed by the bodies of the
// segments that leave its runs, so that pieces come roughly in path order (a row crossed left
// to right gets its spans in order).
template <class Cover>
void add_swept(Cover& cov, std::span<const POINT> points, PathClose close, const Pen& pen, QuadRows& quad) {
    const std::vector<Run> runs = runs_of(points);
    std::vector<long long> ends;
    for (std::size_t j = 0; j < runs.size();) {
        std::size_t e = j + 1;
        long long step = 0;
        while (e < runs.size() && carries_on(runs[e - 1], runs[e], step)) ++e;
        add_section(cov, std::span<const Run>(runs).subspan(j, e - j), step, pen, ends);
        for (std::size_t k = j; k < e; ++k)
            if (runs[k].end < points.size()) add_leaving(cov, points[runs[k].end - 1], points[runs[k].end], pen, quad);
        j = e;
    }
    if (close == PathClose::Closed) add_body(cov, points.back(), points.front(), false, &pen, pen.width, quad);
}

// The disc of each point on its own (a pen whose disc add_discs cannot sweep).
template <class Cover>
void add_each_disc(Cover& cov, std::span<const POINT> points, const Pen& pen) {
    for (const POINT& p : points)
        for (const Rect& r : pen.disc.rects)
            cov.add_rect(static_cast<long long>(r.left) + p.x, static_cast<long long>(r.top) + p.y,
                         static_cast<long long>(r.right) + p.x, static_cast<long long>(r.bottom) + p.y);
}

}  // namespace

namespace {

// What a stroke needs before its pieces are added: the points pulled in so the body arithmetic
// cannot overflow (the stroke of a line beyond +-2^29 is then only approximately where
// Windows would put it) and the rows and columns it can reach within the clip rectangle.
struct Prepared {
    std::span<const POINT> points;  // the caller's, or `pulled` when some were pulled in
    std::vector<POINT> pulled;
    Rect box;
    bool whole_clip = false;  // a cap alone covers the clip rectangle
};

Prepared prepare(std::span<const POINT> in, int width, const Rect& clip) {
    constexpr LONG limit = 1 << 29;
    Prepared out;
    LONG left = in[0].x, top = in[0].y, right = in[0].x, bottom = in[0].y;
    for (const POINT& p : in) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const bool far = left < -limit || right > limit || top < -limit || bottom > limit;
    out.points = in;
    if (far) {
        out.pulled.assign(in.begin(), in.end());
        for (POINT& p : out.pulled) p = {std::clamp(p.x, -limit, limit), std::clamp(p.y, -limit, limit)};
        out.points = out.pulled;
        left = std::clamp(left, -limit, limit);
        right = std::clamp(right, -limit, limit);
        top = std::clamp(top, -limit, limit);
        bottom = std::clamp(bottom, -limit, limit);
    }
    if (cap_covers(out.points.front(), width, clip)) {
        out.whole_clip = true;
        return out;
    }
    // The points' box grown by the pen on every side (a disc reaches width / 2 + 1 at most).
    out.box = {static_cast<int>(std::max<long long>(static_cast<long long>(left) - width, clip.left)),
               static_cast<int>(std::max<long long>(static_cast<long long>(top) - width, clip.top)),
               static_cast<int>(std::min<long long>(right + 1LL + width, clip.right)),
               static_cast<int>(std::min<long long>(bottom + 1LL + width, clip.bottom))};
    return out;
}

// A bitmap of the reachable rectangle pays when it has a good deal fewer words than the
// stroke's bodies add spans, about one per row each segment crosses (the discs of outlines
// made of one-pixel steps add few spans, a span per row of each section).
bool bitmap_pays(const Prepared& prepared) {
    const Rect& box = prepared.box;
    const long long words = (box.width() + 63LL) / 64 * box.height();
    if (words > (1LL << 21)) return false;
    // Rows the segments cross, each counted up to the box's height.
    long long segment_rows = 0;
    const std::span<const POINT> p = prepared.points;
    for (std::size_t i = 1; i < p.size(); ++i)
        segment_rows += std::min<long long>(std::abs(static_cast<long long>(p[i].y) - p[i - 1].y), box.height());
    return 4 * words <= segment_rows;
}

template <class Cover>
void add_stroke(Cover& cov, std::span<const POINT> points, PathClose close, int width) {
    const Pen* pen = width <= max_exact_cap ? &pen_for(width) : nullptr;
    QuadRows rows;
    if (pen != nullptr && pen->sweeps) {
        add_swept(cov, points, close, *pen, rows);
        return;
    }
    for (std::size_t i = 1; i < points.size(); ++i) add_body(cov, points[i - 1], points[i], true, pen, width, rows);
    if (close == PathClose::Closed) add_body(cov, points.back(), points.front(), false, pen, width, rows);
    // Every vertex ends a segment, so every vertex gets the round cap, even where a segment
    // has zero length.
    if (pen == nullptr) {
        for (const POINT& p : points) add_circle_cap(cov, p, width);
    } else {
        add_each_disc(cov, points, *pen);
    }
}

}  // namespace

namespace {

// The stroke's pieces painted as they come (a copy needs no union): through the outline rows
// when the pen sweeps, else through the general pieces.
void paint_pieces(const Prepared& prepared, PathClose close, int width, SpanPainter& painter) {
    if (width <= max_exact_cap) {
        const Pen& pen = pen_for(width);
        if (pen.sweeps) {
            OutlineRows::kept().paint(prepared.points, close, pen, painter);
            return;
        }
    }
    add_stroke(painter, prepared.points, close, width);
}

// Calls emit(y, spans) for every row of the stroke, top to bottom: from the outline rows when
// the path is one for them, else from the general union.
template <class Emit>
void for_each_stroke_row(const Prepared& prepared, PathClose close, int width, Emit&& emit) {
    const bool bitmap = bitmap_pays(prepared);
    if (!bitmap && width <= max_exact_cap) {
        const Pen& pen = pen_for(width);
        OutlineRows& rows = OutlineRows::kept();
        if (pen.sweeps && rows.build(prepared.points, close, pen, prepared.box)) {
            rows.for_each_row(emit);
            return;
        }
    }
    RowCover cov(prepared.box, bitmap);
    add_stroke(cov, prepared.points, close, width);
    cov.for_each_row(emit);
}

}  // namespace

Region wide_stroke(std::span<const POINT> in, PathClose close, int width, const Rect& clip) {
    // A path of a single point has no segment and leaves no mark (two equal points do: a
    // zero-length segment still gets its round caps).
    if (in.size() < 2 || clip.empty()) return {};
    const Prepared prepared = prepare(in, width, clip);
    if (prepared.whole_clip) return make_rect_region(clip);
    if (prepared.box.empty()) return {};
    RegionBuilder builder;
    std::vector<Span> row;
    for_each_stroke_row(prepared, close, width, [&](int y, std::span<const Span> spans) {
        row.assign(spans.begin(), spans.end());
        builder.add_row(y, row);
    });
    return builder.finish();
}

void paint_wide_stroke(Surface& surface, std::span<const POINT> in, PathClose close, int width, Mix mix) {
    const Rect clip = surface.bounds();
    if (in.size() < 2 || clip.empty() || mix.is_nop()) return;
    const Prepared prepared = prepare(in, width, clip);
    if (prepared.whole_clip) {
        fill_rect(surface, clip, mix);
        return;
    }
    if (prepared.box.empty()) return;
    if (mix.is_copy()) {
        SpanPainter painter(surface, prepared.box, mix);
        paint_pieces(prepared, close, width, painter);
        if (!painter.painted().empty()) surface.add_damage(painter.painted());
        return;
    }
    // Any other mix must see each pixel once: the union first.
    Rect damage{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for_each_stroke_row(prepared, close, width, [&](int y, std::span<const Span> spans) {
        for (const Span& s : spans) fill_span(surface, y, s.x0, s.x1, mix);
        if (damage.top == INT_MAX) damage.top = y;
        damage.bottom = y + 1;
        damage.left = std::min(damage.left, spans.front().x0);
        damage.right = std::max(damage.right, spans.back().x1);
    });
    if (damage.left < damage.right) surface.add_damage(damage);
}

}  // namespace zg::raster
