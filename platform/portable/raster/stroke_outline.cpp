// Wide strokes of outlines; see stroke_outline.h.
#include "raster/stroke_outline.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>

namespace zg::raster {

namespace {

bool unit_step(int dx, int dy) { return dx >= -1 && dx <= 1 && (dy == 1 || dy == -1); }

// The disc row on row y of the disc at (x, 0), if it reaches that row.
std::optional<Span> disc_row(const Pen& pen, long long y, int x) {
    const long long k = y - pen.top;
    if (k < 0 || k >= static_cast<long long>(pen.left.size())) return std::nullopt;
    const auto i = static_cast<std::size_t>(k);
    return Span{x + pen.left[i], x + pen.right[i]};
}

// The pieces of the extras of one step on row y, touching ones joined, in order.
std::vector<Span> extra_pieces(const std::vector<Rect>& extra, int y) {
    std::vector<Span> pieces;
    for (const Rect& r : extra) {
        if (y < r.top || y >= r.bottom) continue;
        if (!pieces.empty() && r.left <= pieces.back().x1)
            pieces.back().x1 = std::max(pieces.back().x1, r.right);
        else
            pieces.push_back({r.left, r.right});
    }
    return pieces;
}

// Whether a piece of row y touches the span of the step's two discs on that row.
bool touches_discs(const Pen& pen, int dx, int dy, int y, const Span& piece) {
    const std::optional<Span> a = disc_row(pen, y, 0), b = disc_row(pen, y - dy, dx);
    if (!a && !b) return false;
    const int x0 = std::min(a ? a->x0 : INT_MAX, b ? b->x0 : INT_MAX);
    const int x1 = std::max(a ? a->x1 : INT_MIN, b ? b->x1 : INT_MIN);
    return piece.x0 <= x1 && piece.x1 >= x0;
}

// The extras of one step by row: one span touching the discs folds, anything else is loose.
void split_step(Pen& pen, int dx, int dy) {
    std::vector<StepRow>& fold = pen.fold[dy + 1][dx + 1];
    std::vector<StepRow>& loose = pen.loose[dy + 1][dx + 1];
    fold.clear();
    loose.clear();
    const std::vector<Rect>& extra = pen.step_extra[dy + 1][dx + 1];
    if (extra.empty()) return;
    for (int y = extra.front().top; y < extra.back().bottom; ++y) {
        const std::vector<Span> pieces = extra_pieces(extra, y);
        if (pieces.size() == 1 && touches_discs(pen, dx, dy, y, pieces.front())) {
            fold.push_back({y, pieces.front().x0, pieces.front().x1});
            continue;
        }
        for (const Span& piece : pieces) loose.push_back({y, piece.x0, piece.x1});
    }
}

// Beyond any column a run or pen reaches, and far from overflowing when a disc row is added.
constexpr int far_column = 1 << 30;

// Widens row spans [lo[i], hi[i]) by the disc row (l, r) of the runs [x0[i], x1[i]].
void widen_rows(int* __restrict lo, int* __restrict hi, const int* __restrict x0, const int* __restrict x1,
                std::size_t count, int l, int r) {
    for (std::size_t i = 0; i < count; ++i) {
        lo[i] = std::min(lo[i], x0[i] + l);
        hi[i] = std::max(hi[i], x1[i] + r);
    }
}

// Sets row spans [lo[i], hi[i]) to the disc row (l, r) of the runs [x0[i], x1[i]].
void first_rows(int* __restrict lo, int* __restrict hi, const int* __restrict x0, const int* __restrict x1,
                std::size_t count, int l, int r) {
    for (std::size_t i = 0; i < count; ++i) {
        lo[i] = x0[i] + l;
        hi[i] = x1[i] + r;
    }
}

}  // namespace

void plan_outline_steps(Pen& pen) {
    pen.any_loose = false;
    for (int dy = -1; dy <= 1; dy += 2)
        for (int dx = -1; dx <= 1; ++dx) {
            split_step(pen, dx, dy);
            pen.any_loose = pen.any_loose || !pen.loose[dy + 1][dx + 1].empty();
        }
}

OutlineRows& OutlineRows::kept() {
    thread_local OutlineRows rows;
    return rows;
}

bool OutlineRows::build(std::span<const POINT> points, PathClose close, const Pen& pen, const Rect& box) {
    m_pen = &pen;
    m_box = box;
    m_painter = nullptr;
    m_rows.assign(static_cast<std::size_t>(box.height()), Row{0, {}});
    collect_runs(points, close);
    return add_pieces();
}

void OutlineRows::paint(std::span<const POINT> points, PathClose close, const Pen& pen, SpanPainter& painter) {
    m_pen = &pen;
    m_box = painter.clip();
    m_painter = &painter;
    m_rows.clear();
    collect_runs(points, close);
    add_pieces();
    m_painter = nullptr;
}

// The pieces of the runs collected: each chain's rows, then what links it to the next.
bool OutlineRows::add_pieces() {
    for (std::size_t begin = 0; begin < m_run_count;) {
        // A chain: runs one row apart in one direction, joined by one-pixel steps.
        std::size_t end = begin + 1;
        int step = 0;
        for (; end < m_run_count; ++end) {
            const Run &a = m_runs[end - 1], &b = m_runs[end];
            const int dy = b.row - a.row;
            if (!unit_step(b.first - a.last, dy) || (step != 0 && dy != step)) break;
            step = dy;
        }
        if (!add_chain(begin, end, step)) return false;
        if (end < m_run_count && !add_link(m_runs[end - 1], m_runs[end])) return false;
        begin = end;
    }
    return true;
}

void OutlineRows::collect_runs(std::span<const POINT> points, PathClose close) {
    if (m_runs.size() < points.size() + 1) m_runs.resize(points.size() + 1);
    Run* run = m_runs.data();
    const POINT& p = points.front();
    *run = {p.y, p.x, p.x, p.x, p.x};
    auto visit = [&run](const POINT& q) {
        if (q.y != run->row) {
            *++run = {q.y, q.x, q.x, q.x, q.x};
            return;
        }
        run->x0 = std::min(run->x0, q.x);
        run->x1 = std::max(run->x1, q.x);
        run->last = q.x;
    };
    for (std::size_t i = 1; i < points.size(); ++i) visit(points[i]);
    if (close == PathClose::Closed) visit(points.front());
    m_run_count = static_cast<std::size_t>(run - m_runs.data()) + 1;
}

// The chain of runs [begin, end), `step` rows apart (0 for a single run): each output row the
// span from the least left to the greatest right of its disc rows and folded step extras.
bool OutlineRows::add_chain(std::size_t begin, std::size_t end, int step) {
    const auto n = static_cast<int>(end - begin), w = m_pen->width;
    const int low = step < 0 ? m_runs[end - 1].row : m_runs[begin].row;
    const long long first_row = static_cast<long long>(low) + m_pen->top;
    if (first_row >= m_box.bottom || first_row + n + w - 1 <= m_box.top) return true;
    spread_discs(begin, end, low);
    fold_steps(begin, end, first_row);
    const int* lo = m_lo.data();
    const int* hi = m_hi.data();
    const auto rows = static_cast<std::size_t>(n + w - 1);
    if (!add_rows(first_row, rows, [lo, hi](std::size_t t) { return Span{lo[t], hi[t]}; })) return false;
    for (std::size_t i = begin; m_pen->any_loose && i + 1 < end; ++i)
        if (!add_step(m_runs[i], m_runs[i + 1], m_pen->loose)) return false;
    return true;
}

// m_lo, m_hi: on each row from the chain's lowest run's first disc row, the least left and
// greatest right of the disc rows the chain's runs put there.
void OutlineRows::spread_discs(std::size_t begin, std::size_t end, int low) {
    // The runs in row order, padded to a multiple of 8 with columns that change nothing, so
    // that the loops below have no remainder to handle and may run on vectors.
    const std::size_t n = end - begin, padded = (n + 7) & ~std::size_t{7};
    m_x0.resize(padded);
    m_x1.resize(padded);
    for (std::size_t i = begin; i < end; ++i) {
        const auto at = static_cast<std::size_t>(m_runs[i].row - low);
        m_x0[at] = m_runs[i].x0;
        m_x1[at] = m_runs[i].x1;
    }
    std::fill(m_x0.begin() + static_cast<std::ptrdiff_t>(n), m_x0.end(), far_column);
    std::fill(m_x1.begin() + static_cast<std::ptrdiff_t>(n), m_x1.end(), -far_column);
    // The first disc row sets the rows it reaches, the others widen them.
    const auto w = static_cast<std::size_t>(m_pen->width);
    m_lo.resize(padded + w);
    m_hi.resize(padded + w);
    first_rows(m_lo.data(), m_hi.data(), m_x0.data(), m_x1.data(), padded, m_pen->left[0], m_pen->right[0]);
    std::fill(m_lo.begin() + static_cast<std::ptrdiff_t>(padded), m_lo.end(), INT_MAX);
    std::fill(m_hi.begin() + static_cast<std::ptrdiff_t>(padded), m_hi.end(), INT_MIN);
    for (std::size_t k = 1; k < w; ++k)
        widen_rows(&m_lo[k], &m_hi[k], m_x0.data(), m_x1.data(), padded, m_pen->left[k], m_pen->right[k]);
}

// Widens m_lo, m_hi by what the bodies of the chain's steps add beyond their discs.
void OutlineRows::fold_steps(std::size_t begin, std::size_t end, long long first_row) {
    for (std::size_t i = begin; i + 1 < end; ++i) {
        const Run &a = m_runs[i], &b = m_runs[i + 1];
        const long long base = static_cast<long long>(a.row) - first_row;
        for (const StepRow& f : m_pen->fold[b.row - a.row + 1][b.first - a.last + 1]) {
            const auto t = static_cast<std::size_t>(base + f.row);
            m_lo[t] = std::min(m_lo[t], a.last + f.x0);
            m_hi[t] = std::max(m_hi[t], a.last + f.x1);
        }
    }
}

// What joins two chains: a one-pixel step's extras, or the body of a longer segment.
bool OutlineRows::add_link(const Run& a, const Run& b) {
    const int dx = b.first - a.last, dy = b.row - a.row;
    if (unit_step(dx, dy)) return add_step(a, b, m_pen->fold) && add_step(a, b, m_pen->loose);
    if (dx == 0) {
        // A vertical body: the same columns on every row it crosses.
        const int x0 = a.last - m_pen->width / 2;
        const Span columns{x0, x0 + m_pen->width};
        const int top = std::min(a.row, b.row);
        return add_rows(top, static_cast<std::size_t>(std::abs(dy)), [columns](std::size_t) { return columns; });
    }
    long long top = 0;
    const std::size_t count = body_rows({a.last, a.row}, {b.first, b.row}, m_pen->width, m_box, m_body, top);
    if (m_painter != nullptr) {
        m_painter->add_rows(top, m_body.lo.data(), m_body.hi.data(), count);
        return true;
    }
    // Rows the body's edges never crossed (a flat body) hold an empty span.
    const long long left = m_box.left, right = m_box.right;
    const long long* lo = m_body.lo.data();
    const long long* hi = m_body.hi.data();
    return add_rows(top, count, [lo, hi, left, right](std::size_t i) {
        return Span{static_cast<int>(std::clamp(lo[i], left, right)), static_cast<int>(std::clamp(hi[i], left, right))};
    });
}

// The rows of the step from a to b that `part` (the pen's fold or loose rows) holds.
bool OutlineRows::add_step(const Run& a, const Run& b, const std::vector<StepRow> (&part)[3][3]) {
    for (const StepRow& f : part[b.row - a.row + 1][b.first - a.last + 1])
        if (!add(static_cast<long long>(a.row) + f.row, static_cast<long long>(a.last) + f.x0,
                 static_cast<long long>(a.last) + f.x1))
            return false;
    return true;
}

// Unites [a, b) with a row holding spans already; false when the row is full.
bool OutlineRows::unite(Row& row, int a, int b) {
    Span* s = row.spans;
    const std::size_t n = row.count;
    std::size_t i = 0;
    while (i < n && s[i].x1 < a) ++i;
    if (i == n || s[i].x0 > b) {
        if (n == slots) return false;
        for (std::size_t j = n; j > i; --j) s[j] = s[j - 1];
        s[i] = {a, b};
        row.count = n + 1;
        return true;
    }
    if (a < s[i].x0) s[i].x0 = a;
    if (b <= s[i].x1) return true;
    // Reaching right, the span may now join the ones after it.
    std::size_t j = i + 1;
    int reach = b;
    for (; j < n && s[j].x0 <= reach; ++j) reach = std::max(reach, s[j].x1);
    s[i].x1 = reach;
    if (j == i + 1) return true;
    std::size_t out = i + 1;
    for (; j < n; ++j) s[out++] = s[j];
    row.count = out;
    return true;
}

}  // namespace zg::raster
