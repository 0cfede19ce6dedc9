// The union of spans added in any order, row by row over a fixed rectangle: what a wide pen's
// pieces (bodies and discs) build before the stroke is painted or turned into a region.
//
// A span first meets the pending span of its row in a small table indexed by the row (a
// direct-mapped cache): the pieces of a stroke overlap their neighbours along the outline, so
// most spans join the pending one with two comparisons, and a row's pending span moves on only
// when something apart from it arrives. Each row keeps up to a few sorted, disjoint spans of
// its own, which a span joins where it overlaps or touches one of them; rows that collect more
// separate spans (a zigzag crossing one row many times) put the rest in one shared list,
// sorted out when the rows are read. The storage is reused from call to call on the same
// thread.
#pragma once

#include "raster/region.h"

#include <climits>
#include <cstdint>
#include <span>
#include <vector>

namespace zg::raster {

class RowCover {
public:
    explicit RowCover(const Rect& clip);
    ~RowCover();
    RowCover(const RowCover&) = delete;
    RowCover& operator=(const RowCover&) = delete;

    const Rect& clip() const { return m_clip; }

    // Adds [x0, x1) on row y, both cut to the clip rectangle.
    void add(long long y, long long x0, long long x1) {
        if (y < m_clip.top || y >= m_clip.bottom) return;
        const int a = static_cast<int>(x0 < m_clip.left ? m_clip.left : x0 > m_clip.right ? m_clip.right : x0);
        const int b = static_cast<int>(x1 < m_clip.left ? m_clip.left : x1 > m_clip.right ? m_clip.right : x1);
        if (a < b) add_inside(static_cast<std::uint32_t>(y - m_clip.top), a, b);
    }

    // The same for a span the caller knows to be non-empty and inside the clip rectangle, on
    // row number `row` counted from its top.
    void add_inside(std::uint32_t row, int a, int b) {
        Pending& p = m_pending[row % pending_rows];
        if (p.row == row && a <= p.x1 && b >= p.x0) {
            p.x0 = a < p.x0 ? a : p.x0;
            p.x1 = b > p.x1 ? b : p.x1;
            return;
        }
        if (p.row != no_row) add_row_span(p.row, p.x0, p.x1);
        p = {row, a, b};
    }

    void add_rect(long long left, long long top, long long right, long long bottom);

    // Calls emit(y, spans) for every row with something in it, top to bottom; the spans are
    // sorted, apart (never touching) and valid until the next call.
    template <class Emit>
    void for_each_row(Emit&& emit) {
        flush_pending();
        sort_spill();
        for (std::size_t row = 0; row < m_rows; ++row) {
            const std::span<const Span> spans = row_spans(row);
            if (!spans.empty()) emit(m_clip.top + static_cast<int>(row), spans);
        }
    }

    Region region();

private:
    static constexpr std::uint8_t own = 4;  // spans a row keeps of its own
    struct Piece {
        std::uint32_t row;
        Span span;
    };
    struct Storage {
        std::vector<std::uint8_t> count;  // per row: its own spans, and bit 7 once it spilled
        std::vector<Span> spans;          // own spans, `own` per row
        std::vector<Piece> spill;
        std::vector<std::uint32_t> spill_start, spill_next;
        std::vector<Piece> spill_ordered;
        std::vector<Span> merged;
    };
    struct Pending {
        std::uint32_t row;
        int x0, x1;
    };
    static constexpr std::uint32_t pending_rows = 64, no_row = UINT32_MAX;
    static Storage& kept();
    void flush_pending();
    void add_row_span(std::size_t row, int a, int b);
    void sort_spill();
    std::span<const Span> row_spans(std::size_t row);

    Rect m_clip;
    std::size_t m_rows;
    Storage m_store;
    bool m_owns = false;
    Pending m_pending[pending_rows];
};

}  // namespace zg::raster
