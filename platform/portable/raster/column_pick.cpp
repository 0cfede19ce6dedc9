// See column_pick.h.
#include "raster/column_pick.h"

#include <algorithm>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include "raster/octet.h"

#include <immintrin.h>
#endif

namespace zg::raster {

namespace {

constexpr int group = 8;

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
[[gnu::target("avx2")]] void pick_groups(std::uint32_t* out, const std::uint32_t* line, const std::int32_t* starts,
                                         const std::int32_t* places, std::size_t groups) {
    for (std::size_t g = 0; g < groups; ++g) {
        const __m256i window = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(line + starts[g]));
        const __m256i place = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(places + g * group));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + g * group), _mm256_permutevar8x32_epi32(window, place));
    }
}

bool have_groups() {
    static const bool avx2 = cpu_has_avx2();
    return avx2;
}
#else
void pick_groups(std::uint32_t*, const std::uint32_t*, const std::int32_t*, const std::int32_t*, std::size_t) {}
bool have_groups() { return false; }
#endif

}  // namespace

ColumnPicks::ColumnPicks(std::span<const std::int32_t> columns, int source_width)
    : m_columns(columns.begin(), columns.end()) {
    const std::size_t groups = m_columns.size() / group;
    if (!have_groups() || source_width < group || groups == 0) return;
    m_window_starts.resize(groups);
    m_places.resize(groups * group);
    for (std::size_t g = 0; g < groups; ++g) {
        const auto first = m_columns.begin() + static_cast<std::ptrdiff_t>(g * group);
        const auto [lo, hi] = std::minmax_element(first, first + group);
        // The window stays inside the row: at the right edge it starts earlier.
        const std::int32_t start = std::min(*lo, source_width - group);
        if (*hi - start >= group) {
            m_window_starts.clear();
            m_places.clear();
            return;
        }
        m_window_starts[g] = start;
        for (int i = 0; i < group; ++i) m_places[g * group + static_cast<std::size_t>(i)] = first[i] - start;
    }
}

void ColumnPicks::pick(std::uint32_t* out, const std::uint32_t* line) const {
    std::size_t i = 0;
    if (!m_window_starts.empty()) {
        pick_groups(out, line, m_window_starts.data(), m_places.data(), m_window_starts.size());
        i = m_window_starts.size() * group;
    }
    for (; i < m_columns.size(); ++i) out[i] = line[m_columns[i]];
}

}  // namespace zg::raster
