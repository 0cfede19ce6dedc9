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
    // With `bitmap`, the rows are kept as one bit per pixel instead: setting a span costs a
    // few word operations whatever the row already holds, and reading costs a scan of the
    // clip rectangle's words. The choice for shapes that put many spans in few words.
    explicit RowCover(const Rect& clip, bool bitmap = false);
    ~RowCover();
    RowCover(const RowCover&) = delete;
    RowCover& operator=(const RowCover&) = delete;

    const Rect& clip() const { return m_clip; }

    // Adds [x0, x1) on row y, both cut to the clip rectangle.
    void add(long long y, long long x0, long long x1) {
        if (y < m_clip.top || y >= m_clip.bottom) return;
        const int a = m_clip.column_within(x0), b = m_clip.column_within(x1);
        if (a >= b) return;
        const auto row = static_cast<std::uint32_t>(y - m_clip.top);
        if (m_words != 0)
            set_bits(row, a - m_clip.left, b - m_clip.left);
        else
            add_pending(row, a, b);
    }

    void add_rect(long long left, long long top, long long right, long long bottom);

    // Adds [x0[i], x1[i]) on row y + i for each i below count; the rows lie within the clip
    // rectangle's, the columns are cut to it (an empty span adds nothing).
    void add_rows(long long y, const long long* x0, const long long* x1, std::size_t count);

    // Calls emit(y, spans) for every row with something in it, top to bottom; the spans are
    // sorted, apart (never touching) and valid until the next call.
    template <class Emit>
    void for_each_row(Emit&& emit) {
        flush_pending();
        sort_spill();
        for (std::size_t row = 0; row < m_rows; ++row) {
            const std::span<const Span> spans = m_words != 0 ? bit_spans(row) : row_spans(row);
            if (!spans.empty()) emit(m_clip.top + static_cast<int>(row), spans);
        }
    }

    Region region();

private:
    void add_pending(std::uint32_t row, int a, int b) {
        Pending& p = m_pending[row % pending_rows];
        if (p.row == row && a <= p.x1 && b >= p.x0) {
            p.x0 = a < p.x0 ? a : p.x0;
            p.x1 = b > p.x1 ? b : p.x1;
            return;
        }
        if (p.row != no_row) add_row_span(p.row, p.x0, p.x1);
        p = {row, a, b};
    }

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
        std::vector<std::uint64_t> bits;
    };
    struct Pending {
        std::uint32_t row;
        int x0, x1;
    };
    static constexpr std::uint32_t pending_rows = 64, no_row = UINT32_MAX;
    static Storage& kept();
    void flush_pending();
    // a, b counted from the clip's left
    void set_bits(std::uint32_t row, int a, int b) {
        std::uint64_t* words = &m_store.bits[row * m_words];
        const auto from = static_cast<unsigned>(a), to = static_cast<unsigned>(b - 1);
        const unsigned first = from / 64, last = to / 64;
        const std::uint64_t head = ~0ULL << (from % 64), tail = ~0ULL >> (63 - to % 64);
        if (first == last) {
            words[first] |= head & tail;
            return;
        }
        set_long_bits(words, first, last, head, tail);
    }
    static void set_long_bits(std::uint64_t* words, unsigned first, unsigned last, std::uint64_t head,
                              std::uint64_t tail);
    std::span<const Span> bit_spans(std::size_t row);
    void add_row_span(std::size_t row, int a, int b);
    void sort_spill();
    std::span<const Span> row_spans(std::size_t row);

    Rect m_clip;
    std::size_t m_rows;
    Storage m_store;
    bool m_owns = false;
    std::size_t m_words = 0;  // words per row of the bitmap, 0 without one
    Pending m_pending[pending_rows];
};

}  // namespace zg::raster
