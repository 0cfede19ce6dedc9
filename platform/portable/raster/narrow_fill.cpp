// See narrow_fill.h.
#include "raster/narrow_fill.h"

#include <cstring>

namespace zg::raster {

namespace {

// Rows of n pixels, block <= n < 2 * block: a block at each end of the row, meeting or overlapping.
template <int block>
void fill_blocks(std::uint32_t* p, std::ptrdiff_t stride, int rows, int n, std::uint32_t pixel) {
    std::uint32_t pixels[block];
    for (std::uint32_t& v : pixels) v = pixel;
    for (int y = 0; y < rows; ++y, p += stride) {
        std::memcpy(p, pixels, sizeof pixels);
        std::memcpy(p + n - block, pixels, sizeof pixels);
    }
}

}  // namespace

void narrow_fill(std::uint32_t* p, std::ptrdiff_t stride, int rows, int n, std::uint32_t pixel) {
    if (n < 2) {
        for (int y = 0; y < rows; ++y, p += stride) *p = pixel;
    } else if (n < 4) {
        fill_blocks<2>(p, stride, rows, n, pixel);
    } else if (n < 8) {
        fill_blocks<4>(p, stride, rows, n, pixel);
    } else {
        fill_blocks<8>(p, stride, rows, n, pixel);
    }
}

}  // namespace zg::raster
