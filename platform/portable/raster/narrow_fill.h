// Rows of a few pixels of one colour, as the sides of a wide frame are: a call into the C
// library's fill or a loop per row costs several times the stores, so each row is two
// overlapping block stores, the block size chosen once for all the rows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zg::raster {

// The widest row narrow_fill takes.
inline constexpr int narrow_pixels = 16;

// Sets n pixels (1 <= n < narrow_pixels) on each of `rows` rows, from p, rows `stride` pixels apart.
void narrow_fill(std::uint32_t* p, std::ptrdiff_t stride, int rows, int n, std::uint32_t pixel);

}  // namespace zg::raster
