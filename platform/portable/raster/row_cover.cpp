// See row_cover.h.
#include "raster/row_cover.h"

#include <algorithm>
#include <bit>

namespace zg::raster {

namespace {

constexpr std::uint8_t spilled = 0x80;
thread_local bool storage_lent = false;

}  // namespace

// The storage kept between calls on this thread, lent to one cover at a time (a cover made
// while another is alive allocates its own).
RowCover::Storage& RowCover::kept() {
    thread_local Storage storage;
    return storage;
}

RowCover::RowCover(const Rect& clip, bool bitmap)
    : m_clip(clip), m_rows(static_cast<std::size_t>(std::max(clip.height(), 0))) {
    if (!storage_lent) {
        m_store = std::move(kept());
        storage_lent = true;
        m_owns = true;
    }
    for (Pending& p : m_pending) p.row = no_row;
    m_store.spill.clear();
    if (bitmap && !clip.empty()) {
        m_words = (static_cast<std::size_t>(clip.width()) + 63) / 64;
        m_store.bits.assign(m_words * m_rows, 0);
        return;
    }
    m_store.count.assign(m_rows, 0);
    if (m_store.spans.size() < m_rows * own) m_store.spans.resize(m_rows * own);
    m_store.spill.clear();
}

void RowCover::set_long_bits(std::uint64_t* words, unsigned first, unsigned last, std::uint64_t head,
                             std::uint64_t tail) {
    words[first] |= head;
    for (unsigned i = first + 1; i < last; ++i) words[i] = ~0ULL;
    words[last] |= tail;
}

// The runs of set bits of a row, as spans in surface columns.
std::span<const Span> RowCover::bit_spans(std::size_t row) {
    const std::uint64_t* words = &m_store.bits[row * m_words];
    std::vector<Span>& out = m_store.merged;
    out.clear();
    bool open = false;
    int start = 0;
    for (std::size_t w = 0; w < m_words; ++w) {
        const std::uint64_t v = words[w];
        if (v == (open ? ~0ULL : 0)) continue;
        const int base = m_clip.left + static_cast<int>(w * 64);
        int bit = 0;
        while (bit < 64) {
            const std::uint64_t rest = (open ? ~v : v) >> bit;
            if (rest == 0) break;
            bit += std::countr_zero(rest);
            if (open)
                out.push_back({start, base + bit});
            else
                start = base + bit;
            open = !open;
        }
    }
    if (open) out.push_back({start, m_clip.right});
    return out;
}

void RowCover::flush_pending() {
    for (Pending& p : m_pending) {
        if (p.row != no_row) add_row_span(p.row, p.x0, p.x1);
        p.row = no_row;
    }
}

RowCover::~RowCover() {
    if (!m_owns) return;
    kept() = std::move(m_store);
    storage_lent = false;
}

void RowCover::add_rect(long long left, long long top, long long right, long long bottom) {
    for (long long y = std::max<long long>(top, m_clip.top); y < std::min<long long>(bottom, m_clip.bottom); ++y)
        add(y, left, right);
}

void RowCover::add_rows(long long y, const long long* x0, const long long* x1, std::size_t count) {
    const auto row = static_cast<std::uint32_t>(y - m_clip.top);
    const long long left = m_clip.left, right = m_clip.right;
    for (std::size_t i = 0; i < count; ++i) {
        const int a = static_cast<int>(std::clamp(x0[i], left, right));
        const int b = static_cast<int>(std::clamp(x1[i], left, right));
        if (a >= b) continue;
        if (m_words != 0)
            set_bits(row + static_cast<std::uint32_t>(i), a - m_clip.left, b - m_clip.left);
        else
            add_pending(row + static_cast<std::uint32_t>(i), a, b);
    }
}

void RowCover::add_row_span(std::size_t row, int a, int b) {
    Span* s = &m_store.spans[row * own];
    std::uint8_t& count = m_store.count[row];
    const std::size_t n = count & ~spilled;
    // Apart from and right of every span of the row: what a row crossed left to right gets.
    if (n > 0 && a > s[n - 1].x1) {
        if (n < own) {
            s[n] = {a, b};
            ++count;
        } else {
            m_store.spill.push_back({static_cast<std::uint32_t>(row), {a, b}});
            count |= spilled;
        }
        return;
    }
    std::size_t i = 0;
    while (i < n && s[i].x1 < a) ++i;
    if (i < n && s[i].x0 <= b) {
        // Joins span i, and with it every later span it now reaches.
        s[i].x0 = std::min(s[i].x0, a);
        int end = std::max(s[i].x1, b);
        std::size_t j = i + 1;
        for (; j < n && s[j].x0 <= end; ++j) end = std::max(end, s[j].x1);
        s[i].x1 = end;
        if (j > i + 1) {
            std::copy(s + j, s + n, s + i + 1);
            count = static_cast<std::uint8_t>((count & spilled) | (n - (j - i - 1)));
        }
        return;
    }
    if (n < own) {
        std::copy_backward(s + i, s + n, s + n + 1);
        s[i] = {a, b};
        count = static_cast<std::uint8_t>((count & spilled) | (n + 1));
        return;
    }
    m_store.spill.push_back({static_cast<std::uint32_t>(row), {a, b}});
    count |= spilled;
}

// Orders the spilled spans by row (a counting sort, each row's in the order they came).
void RowCover::sort_spill() {
    if (m_store.spill.empty()) return;
    std::vector<std::uint32_t>& start = m_store.spill_start;
    start.assign(m_rows + 1, 0);
    for (const Piece& p : m_store.spill) ++start[p.row + 1];
    for (std::size_t i = 0; i < m_rows; ++i) start[i + 1] += start[i];
    std::vector<std::uint32_t>& next = m_store.spill_next;
    next.assign(start.begin(), start.end() - 1);
    std::vector<Piece>& ordered = m_store.spill_ordered;
    ordered.resize(m_store.spill.size());
    for (const Piece& p : m_store.spill) ordered[next[p.row]++] = p;
    std::swap(m_store.spill, ordered);
}

std::span<const Span> RowCover::row_spans(std::size_t row) {
    const std::uint8_t count = m_store.count[row];
    const Span* own_spans = &m_store.spans[row * own];
    if ((count & spilled) == 0) return {own_spans, static_cast<std::size_t>(count)};
    std::vector<Span>& merged = m_store.merged;
    const std::size_t kept_own = count & ~spilled;
    const std::uint32_t first = m_store.spill_start[row], end = m_store.spill_start[row + 1];
    merged.resize(kept_own + (end - first));
    std::copy(own_spans, own_spans + kept_own, merged.begin());
    for (std::uint32_t i = first; i < end; ++i) merged[kept_own + (i - first)] = m_store.spill[i].span;
    auto by_left = [](const Span& a, const Span& b) { return a.x0 < b.x0; };
    if (!std::is_sorted(merged.begin(), merged.end(), by_left)) std::sort(merged.begin(), merged.end(), by_left);
    std::size_t out = 0;
    for (const Span& s : merged) {
        if (out > 0 && s.x0 <= merged[out - 1].x1) {
            merged[out - 1].x1 = std::max(merged[out - 1].x1, s.x1);
            continue;
        }
        merged[out++] = s;
    }
    return {merged.data(), out};
}

Region RowCover::region() {
    RegionBuilder builder;
    std::vector<Span> row;
    for_each_row([&](int y, std::span<const Span> spans) {
        row.assign(spans.begin(), spans.end());
        builder.add_row(y, row);
    });
    return builder.finish();
}

}  // namespace zg::raster
