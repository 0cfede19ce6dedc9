// The row loop under every unscaled transfer: one destination rectangle, already clipped to
// both surfaces, combined with the source pixels at a given origin by a ternary raster operation.
// Callers that clip to several visible rectangles call it once per rectangle.
#pragma once

#include "raster/rop3.h"
#include "raster/row_split.h"
#include "surface/surface.h"

namespace zg::gdi {

struct PixelPoint {
    int x = 0, y = 0;
};

// Copies `rows` rows of `width` pixels between blocks of the given strides (in pixels, either
// may be negative). Rows that follow each other in both blocks go as one copy: a large copy
// runs faster than the same bytes in row-sized pieces. Blocks that meet are copied in memmove's
// order; apart, a large copy is split across cores.
void copy_rows(std::uint32_t* out, std::ptrdiff_t out_stride, const std::uint32_t* in, std::ptrdiff_t in_stride,
               int width, int rows);

// A block of `rows` rows of `width` pixels starting at `first`, rows `stride` pixels apart
// (either sign).
struct RowBlock {
    const std::uint32_t* first;
    std::ptrdiff_t stride;
    int width, rows;
};

// True when the two blocks' address ranges meet: then rows must be handled in the order that
// reads each before it is overwritten, on one thread.
bool blocks_meet(const RowBlock& a, const RowBlock& b);

// Calls rows(first, end) over the destination's rows [0, out.rows) for a transfer reading `in`:
// split across cores when the blocks are apart, as one call in top-to-bottom order when they meet.
template <class Rows>
void transfer_rows(const RowBlock& out, const RowBlock& in, Rows&& rows) {
    if (blocks_meet(out, in)) {
        rows(0, out.rows);
        return;
    }
    raster::for_row_chunks(out.rows, static_cast<std::size_t>(out.width) * sizeof(std::uint32_t), rows);
}

// r lies inside dst and r moved to `from` lies inside src; src may be dst, overlapping.
void blit_rect(Surface& dst, const Rect& r, const Surface& src, PixelPoint from, const raster::Rop3& op);

}  // namespace zg::gdi
