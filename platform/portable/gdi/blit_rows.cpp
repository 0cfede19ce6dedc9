// See blit_rows.h. Within one surface the rows are visited in the order that reads each source
// row before it is overwritten, and a row that overlaps itself sideways goes through a copy.
#include "gdi/blit_rows.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace zg::gdi {

namespace {

// The bytes a block spans, from its lowest address to one past its highest.
struct Extent {
    std::uintptr_t low, high;
};
Extent extent(const RowBlock& b) {
    const std::uint32_t* last = b.first + static_cast<std::ptrdiff_t>(b.rows - 1) * b.stride;
    const std::uint32_t* low = b.stride >= 0 ? b.first : last;
    const std::uint32_t* high = (b.stride >= 0 ? last : b.first) + b.width;
    return {reinterpret_cast<std::uintptr_t>(low), reinterpret_cast<std::uintptr_t>(high)};
}

}  // namespace

bool blocks_meet(const RowBlock& a, const RowBlock& b) {
    if (a.rows <= 0 || b.rows <= 0 || a.width <= 0 || b.width <= 0) return false;
    const Extent x = extent(a), y = extent(b);
    return x.high > y.low && y.high > x.low;
}

void copy_rows(std::uint32_t* out, std::ptrdiff_t out_stride, const std::uint32_t* in, std::ptrdiff_t in_stride,
               int width, int rows) {
    if (width <= 0 || rows <= 0) return;
    const std::size_t bytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    const bool contiguous = out_stride == width && in_stride == width;
    // Blocks that share memory keep memmove's order, on one thread; apart, the rows may be
    // copied in any order and a large copy is split across cores.
    if (blocks_meet({out, out_stride, width, rows}, {in, in_stride, width, rows})) {
        if (contiguous) {
            std::memmove(out, in, bytes * static_cast<std::size_t>(rows));
            return;
        }
        for (int y = 0; y < rows; ++y) std::memmove(out + y * out_stride, in + y * in_stride, bytes);
        return;
    }
    raster::for_row_chunks(rows, bytes, [&](int first, int end) {
        if (contiguous) {
            std::memcpy(out + static_cast<std::ptrdiff_t>(first) * width,
                        in + static_cast<std::ptrdiff_t>(first) * width, bytes * static_cast<std::size_t>(end - first));
            return;
        }
        for (int y = first; y < end; ++y) std::memcpy(out + y * out_stride, in + y * in_stride, bytes);
    });
}

void blit_rect(Surface& dst, const Rect& r, const Surface& src, PixelPoint from, const raster::Rop3& op) {
    if (r.empty()) return;
    const bool same = &src == &dst;
    if (!same && op.is_copy()) {
        copy_rows(dst.row(r.top) + r.left, dst.stride(), src.row(from.y) + from.x, src.stride(), r.width(), r.height());
        dst.add_damage(r);
        return;
    }
    // Rows of memory apart are independent of each other, and a large block is split across
    // cores; otherwise each source row is read before it is overwritten, below.
    const std::uint32_t* first_in = src.row(from.y) + from.x;
    if (!blocks_meet({dst.row(r.top) + r.left, dst.stride(), r.width(), r.height()},
                     {first_in, src.stride(), r.width(), r.height()})) {
        raster::for_row_chunks(
            r.height(), static_cast<std::size_t>(r.width()) * sizeof(std::uint32_t), [&](int first, int end) {
                for (int i = first; i < end; ++i)
                    raster::rop_row(dst.row(r.top + i) + r.left, first_in + i * src.stride(), r.width(), op);
            });
        dst.add_damage(r);
        return;
    }
    const bool upwards = same && from.y < r.top;
    const bool same_rows = same && from.y == r.top && from.x != r.left;
    const std::size_t bytes = static_cast<std::size_t>(r.width()) * sizeof(std::uint32_t);
    std::vector<std::uint32_t> scratch(same_rows ? static_cast<std::size_t>(r.width()) : 0);
    for (int i = 0; i < r.height(); ++i) {
        const int y = upwards ? r.bottom - 1 - i : r.top + i;
        const std::uint32_t* in = src.row(from.y + (y - r.top)) + from.x;
        std::uint32_t* out = dst.row(y) + r.left;
        if (same_rows) {
            std::memcpy(scratch.data(), in, bytes);
            in = scratch.data();
        }
        raster::rop_row(out, in, r.width(), op);
    }
    dst.add_damage(r);
}

}  // namespace zg::gdi
