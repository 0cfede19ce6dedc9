// Picking a row of pixels from a source row by a table of columns, out[i] = line[columns[i]]:
// the inner loop of every stretch that does not merge pixels. Where each group of eight
// destination pixels reads within eight neighbouring source pixels (any enlargement, mirrored or
// not, and mild reductions) a group is one load and one permutation, eight pixels a step, on a
// processor with AVX2; elsewhere, and for the other tables, one pixel at a time.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zg::raster {

class ColumnPicks {
public:
    // columns[i] is in [0, source_width) for every i.
    ColumnPicks(std::span<const std::int32_t> columns, int source_width);

    std::size_t size() const { return m_columns.size(); }

    // out[i] = line[columns[i]] for every i; line holds the source_width pixels of one row.
    void pick(std::uint32_t* out, const std::uint32_t* line) const;

private:
    std::vector<std::int32_t> m_columns;
    // For groups of eight: the first source pixel of the group's window and, eight per group,
    // each destination pixel's place in it. Empty when some group reads wider than eight.
    std::vector<std::int32_t> m_window_starts, m_places;
};

}  // namespace zg::raster
