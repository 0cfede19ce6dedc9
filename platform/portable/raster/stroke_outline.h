// The wide stroke of outlines: paths made mostly of one-pixel steps and of horizontal and
// vertical segments (ellipses, rounded rectangles, arcs, chords and pies), whose stroke crosses
// each row a few times. The same pixels as the general union of stroke.h, built with less work:
//
// The path is cut into chains of rows, each going one way (up or down the page) by one-pixel
// steps; the points of a row are one run. A chain gives each row one span: the least left and
// greatest right of the disc rows its runs put there (every disc row holds its point's column,
// and the runs of a chain touch, so their pieces of a row touch), widened by what the bodies of
// its steps add beyond their discs where the pen has checked that it touches them (Pen::fold;
// the rest, Pen::loose, are pieces of their own). The pieces of chains, of the steps between chains and of the bodies of longer segments are then
// united in a few spans per row; a path that would need more is left to the general union.
// With a copy mix the pieces of any path are painted as they come instead (span_painter.h).
#pragma once

#include "raster/line.h"
#include "raster/region.h"
#include "raster/span_painter.h"
#include "raster/stroke_parts.h"

#include <algorithm>
#include <span>
#include <vector>

namespace zg::raster {

// Works out pen.fold and pen.loose from its disc rows and step extras.
void plan_outline_steps(Pen& pen);

class OutlineRows {
public:
    static constexpr int slots = 4;  // spans kept apart per row

    // The storage kept between calls on this thread (one stroke at a time).
    static OutlineRows& kept();

    // Builds the stroke of the path on the rows and columns of box (every pixel of the clip
    // the stroke can reach lies in it). False, with nothing usable built, when a row would
    // hold more than `slots` spans apart. The pen must sweep.
    bool build(std::span<const POINT> points, PathClose close, const Pen& pen, const Rect& box);

    // Paints the stroke's pieces straight through the painter (on its clip rectangle) instead.
    void paint(std::span<const POINT> points, PathClose close, const Pen& pen, SpanPainter& painter);

    // Calls emit(y, spans) for every row with something in it, top to bottom; the spans are
    // sorted and apart.
    template <class Emit>
    void for_each_row(Emit&& emit) const {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            const Row& row = m_rows[i];
            if (row.count > 0) emit(m_box.top + static_cast<int>(i), std::span<const Span>(row.spans, row.count));
        }
    }

private:
    // A row of path points joined by horizontal segments: its columns, and those of its first
    // and last point along the path.
    struct Run {
        int row, x0, x1, first, last;
    };
    struct Row {
        std::size_t count;
        Span spans[slots];
    };

    void collect_runs(std::span<const POINT> points, PathClose close);
    bool add_pieces();
    bool add_chain(std::size_t begin, std::size_t end, int step);
    void spread_discs(std::size_t begin, std::size_t end, int low);
    void fold_steps(std::size_t begin, std::size_t end, long long first_row);
    bool add_link(const Run& a, const Run& b);
    bool add_step(const Run& a, const Run& b, const std::vector<StepRow> (&part)[3][3]);

    // Unites [x0, x1) with row y's spans (both cut to the box); false when the row is full.
    bool add(long long y, long long x0, long long x1) {
        if (m_painter != nullptr) {
            m_painter->add(y, x0, x1);
            return true;
        }
        if (y < m_box.top || y >= m_box.bottom) return true;
        const int a = static_cast<int>(x0 < m_box.left ? m_box.left : x0 > m_box.right ? m_box.right : x0);
        const int b = static_cast<int>(x1 < m_box.left ? m_box.left : x1 > m_box.right ? m_box.right : x1);
        if (a >= b) return true;
        Row& row = m_rows[static_cast<std::size_t>(y - m_box.top)];
        if (row.count == 0) {
            row.spans[0] = {a, b};
            row.count = 1;
            return true;
        }
        return unite(row, a, b);
    }
    bool unite(Row& row, int a, int b);

    // Adds span(t) on row first + t for t below count: add() with the rows cut to the box once.
    template <class SpanOf>
    bool add_rows(long long first, std::size_t count, SpanOf&& span) {
        if (m_painter != nullptr) {
            m_painter->paint_rows(first, count, [&span](std::size_t t) {
                const Span s = span(t);
                return std::pair<int, int>{s.x0, s.x1};
            });
            return true;
        }
        const long long from = std::max<long long>(first, m_box.top);
        const long long to = std::min<long long>(first + static_cast<long long>(count), m_box.bottom);
        Row* row = m_rows.data() + (from - m_box.top);
        for (long long y = from; y < to; ++y, ++row) {
            const Span s = span(static_cast<std::size_t>(y - first));
            const int a = std::max(s.x0, m_box.left), b = std::min(s.x1, m_box.right);
            if (a >= b) continue;
            if (row->count == 0) {
                row->spans[0] = {a, b};
                row->count = 1;
            } else if (!unite(*row, a, b)) {
                return false;
            }
        }
        return true;
    }

    const Pen* m_pen = nullptr;
    SpanPainter* m_painter = nullptr;  // pieces go to it instead of the rows
    Rect m_box;
    std::vector<Row> m_rows;
    std::vector<Run> m_runs;
    std::size_t m_run_count = 0;
    std::vector<int> m_x0, m_x1, m_lo, m_hi;
    QuadRows m_body;
};

}  // namespace zg::raster
