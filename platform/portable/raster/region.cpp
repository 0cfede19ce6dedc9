// Banded region algebra (see region.h): the combine operations sweep both regions band by
// band, merge the x-spans of the two bands with the operation's truth table, and append the
// result, merging it into the previous band when that band touches it and has the same spans.
#include "raster/region.h"

#include <platform/win32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <climits>

namespace zg::raster {

namespace {

// Appends bands to a region, merging equal adjacent bands. Spans must be sorted and disjoint.
class BandWriter {
public:
    explicit BandWriter(Region& out) : m_out(out) {}

    void add(int top, int bottom, const std::vector<Span>& spans) {
        if (spans.empty() || top >= bottom) return;
        if (extends_previous(top, spans)) {
            for (std::size_t i = m_band_start; i < m_out.rects.size(); ++i) m_out.rects[i].bottom = bottom;
            return;
        }
        m_band_start = m_out.rects.size();
        for (const Span& s : spans) m_out.rects.push_back({s.x0, top, s.x1, bottom});
    }

    void finish() {
        m_out.extents = {};
        for (const Rect& r : m_out.rects) m_out.extents = unite(m_out.extents, r);
    }

private:
    bool extends_previous(int top, const std::vector<Span>& spans) const {
        const std::size_t count = m_out.rects.size() - m_band_start;
        if (count == 0 || count != spans.size() || m_out.rects.back().bottom != top) return false;
        for (std::size_t i = 0; i < count; ++i) {
            const Rect& r = m_out.rects[m_band_start + i];
            if (r.left != spans[i].x0 || r.right != spans[i].x1) return false;
        }
        return true;
    }

    Region& m_out;
    std::size_t m_band_start = 0;
};

// Whether spans are already non-empty, sorted and apart, as the scan converters give them.
bool spans_in_order(const std::vector<Span>& spans) {
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (spans[i].x0 >= spans[i].x1) return false;
        if (i > 0 && spans[i - 1].x1 >= spans[i].x0) return false;
    }
    return true;
}

void normalise_spans(std::vector<Span>& spans) {
    if (spans_in_order(spans)) return;
    std::erase_if(spans, [](const Span& s) { return s.x0 >= s.x1; });
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.x0 < b.x0; });
    std::size_t out = 0;
    for (const Span& s : spans) {
        if (out > 0 && s.x0 <= spans[out - 1].x1) {
            spans[out - 1].x1 = std::max(spans[out - 1].x1, s.x1);
            continue;
        }
        spans[out++] = s;
    }
    spans.resize(out);
}

bool keep(CombineOp op, bool in_a, bool in_b) {
    switch (op) {
    case CombineOp::And: return in_a && in_b;
    case CombineOp::Or: return in_a || in_b;
    case CombineOp::Xor: return in_a != in_b;
    case CombineOp::Diff: return in_a && !in_b;
    }
    return false;
}

// Merges two sorted disjoint span lists by a sweep over their boundaries.
void merge_spans(const std::vector<Span>& a, const std::vector<Span>& b, CombineOp op, std::vector<Span>& out) {
    out.clear();
    std::size_t i = 0, j = 0;
    bool in_a = false, in_b = false, inside = false;
    int start = 0;
    while (i < a.size() || j < b.size()) {
        const int xa = i < a.size() ? (in_a ? a[i].x1 : a[i].x0) : INT_MAX;
        const int xb = j < b.size() ? (in_b ? b[j].x1 : b[j].x0) : INT_MAX;
        const int x = std::min(xa, xb);
        if (xa == x) {
            in_a = !in_a;
            if (!in_a) ++i;
        }
        if (xb == x) {
            in_b = !in_b;
            if (!in_b) ++j;
        }
        const bool now = keep(op, in_a, in_b);
        if (now == inside) continue;
        if (now)
            start = x;
        else if (!out.empty() && out.back().x1 == start)
            out.back().x1 = x;
        else
            out.push_back({start, x});
        inside = now;
    }
}

// Walks the bands of one region in y order.
class BandCursor {
public:
    explicit BandCursor(const Region& r) : m_rects(r.rects) {}
    bool done() const { return m_index >= m_rects.size(); }
    int top() const { return m_rects[m_index].top; }
    int bottom() const { return m_rects[m_index].bottom; }
    void next() {
        const int t = top();
        while (!done() && m_rects[m_index].top == t) ++m_index;
    }
    void spans(std::vector<Span>& out) const {
        out.clear();
        for (std::size_t i = m_index; i < m_rects.size() && m_rects[i].top == top(); ++i)
            out.push_back({m_rects[i].left, m_rects[i].right});
    }

private:
    const std::vector<Rect>& m_rects;
    std::size_t m_index = 0;
};

// Where the next band boundary at or after y lies for one cursor, and its spans there.
int next_edge(const BandCursor& c, int y, std::vector<Span>& spans) {
    spans.clear();
    if (c.done()) return INT_MAX;
    if (c.top() > y) return c.top();
    c.spans(spans);
    return c.bottom();
}

}  // namespace

Region make_rect_region(const Rect& r) {
    Region region;
    if (r.empty()) return region;
    region.rects.push_back(r);
    region.extents = r;
    check_invariants(region);
    return region;
}

// The open band's rectangles sit at the end of the region already, from m_band_start on; only
// their bottom is settled when the band closes, so a row that extends the band costs one compare.
void RegionBuilder::close_band() {
    for (std::size_t i = m_band_start; i < m_region.rects.size(); ++i) m_region.rects[i].bottom = m_band_bottom;
    m_band_start = m_region.rects.size();
}

void RegionBuilder::open_band(int top, int bottom, const std::vector<Span>& spans) {
    close_band();
    for (const Span& s : spans) m_region.rects.push_back({s.x0, top, s.x1, bottom});
    m_band_bottom = bottom;
}

void RegionBuilder::add_band(int top, int bottom, std::vector<Span>& spans) {
    normalise_spans(spans);
    if (spans.empty() || top >= bottom) return;
    open_band(top, bottom, spans);
}

bool RegionBuilder::extends_band(int y, const std::vector<Span>& spans) const {
    const std::size_t count = m_region.rects.size() - m_band_start;
    if (m_merge != BandMerge::Merge || count == 0 || m_band_bottom != y || spans.size() != count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const Rect& r = m_region.rects[m_band_start + i];
        if (r.left != spans[i].x0 || r.right != spans[i].x1) return false;
    }
    return true;
}

void RegionBuilder::add_row(int y, std::vector<Span>& spans) {
    normalise_spans(spans);
    if (spans.empty()) return;
    if (extends_band(y, spans)) {
        m_band_bottom = y + 1;
        return;
    }
    open_band(y, y + 1, spans);
}

Region RegionBuilder::finish() {
    close_band();
    BandWriter(m_region).finish();
    check_invariants(m_region);
    return std::move(m_region);
}

Region combine(const Region& a, const Region& b, CombineOp op) {
    Region out;
    BandWriter writer(out);
    BandCursor ca(a), cb(b);
    std::vector<Span> sa, sb, merged;
    int y = INT_MIN;
    while (!ca.done() || !cb.done()) {
        if (!ca.done() && ca.bottom() <= y) {
            ca.next();
            continue;
        }
        if (!cb.done() && cb.bottom() <= y) {
            cb.next();
            continue;
        }
        const int lowest = std::min(ca.done() ? INT_MAX : ca.top(), cb.done() ? INT_MAX : cb.top());
        y = std::max(y, lowest);
        const int y2 = std::min(next_edge(ca, y, sa), next_edge(cb, y, sb));
        merge_spans(sa, sb, op, merged);
        writer.add(y, y2, merged);
        y = y2;
    }
    writer.finish();
    check_invariants(out);
    return out;
}

namespace {
int add_saturated(int v, int d) {
    const long long r = static_cast<long long>(v) + d;
    return static_cast<int>(std::clamp<long long>(r, INT_MIN, INT_MAX));
}
}  // namespace

void offset(Region& region, int dx, int dy) {
    for (Rect& r : region.rects) {
        r = {add_saturated(r.left, dx), add_saturated(r.top, dy), add_saturated(r.right, dx),
             add_saturated(r.bottom, dy)};
    }
    std::erase_if(region.rects, [](const Rect& r) { return r.empty(); });
    BandWriter(region).finish();
    check_invariants(region);
}

bool contains(const Region& region, int x, int y) {
    const Rect& e = region.extents;
    if (x < e.left || x >= e.right || y < e.top || y >= e.bottom) return false;
    return std::any_of(region.rects.begin(), region.rects.end(),
                       [&](const Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}

bool equal(const Region& a, const Region& b) {
    return std::equal(a.rects.begin(), a.rects.end(), b.rects.begin(), b.rects.end(), [](const Rect& p, const Rect& q) {
        return p.left == q.left && p.top == q.top && p.right == q.right && p.bottom == q.bottom;
    });
}

int complexity(const Region& region) {
    if (region.rects.empty()) return NULLREGION;
    return region.rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool is_valid(const Region& region) {
    Rect box{};
    for (std::size_t i = 0; i < region.rects.size(); ++i) {
        const Rect& r = region.rects[i];
        if (r.empty()) return false;
        box = unite(box, r);
        if (i == 0) continue;
        const Rect& p = region.rects[i - 1];
        const bool same_band = p.top == r.top;
        if (same_band && (p.bottom != r.bottom || p.right >= r.left)) return false;
        if (!same_band && p.bottom > r.top) return false;
    }
    const Rect& e = region.extents;
    return box.left == e.left && box.top == e.top && box.right == e.right && box.bottom == e.bottom;
}

void check_invariants(const Region& region) {
#ifndef NDEBUG
    if (is_valid(region)) return;
    std::fprintf(stderr, "region invariants broken: %zu rectangles, extents %d,%d-%d,%d\n", region.rects.size(),
                 region.extents.left, region.extents.top, region.extents.right, region.extents.bottom);
    std::abort();
#else
    (void)region;
#endif
}

}  // namespace zg::raster
