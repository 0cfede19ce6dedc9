// Row evaluation of ternary raster operations; see rop3.h. The copy is memcpy; every other
// code runs the normal form four pixels to a vector (raster/quad.h).
#include "raster/rop3.h"

#include "raster/quad.h"

#include <cstring>

namespace zg::raster {

namespace {

// Codes that ignore the destination: r = c0 ^ (c1 & s).
void source_only_row(std::uint32_t* dst, const std::uint32_t* src, int n, const Rop3& rop) {
    const Quad c0 = splat_quad(rop.c0), c1 = splat_quad(rop.c1);
    int i = 0;
    for (; i + quad_pixels <= n; i += quad_pixels) store_quad(dst + i, c0 ^ (c1 & load_quad(src + i)));
    for (; i < n; ++i) dst[i] = rop.apply(src[i], 0);
}

void general_row(std::uint32_t* dst, const std::uint32_t* src, int n, const Rop3& rop) {
    const Quad c0 = splat_quad(rop.c0), c1 = splat_quad(rop.c1), c2 = splat_quad(rop.c2), c3 = splat_quad(rop.c3);
    int i = 0;
    for (; i + quad_pixels <= n; i += quad_pixels) {
        const Quad s = load_quad(src + i), d = load_quad(dst + i);
        store_quad(dst + i, c0 ^ (c1 & s) ^ (c2 & d) ^ (c3 & s & d));
    }
    for (; i < n; ++i) dst[i] = rop.apply(src[i], dst[i]);
}

}  // namespace

void rop_row(std::uint32_t* dst, const std::uint32_t* src, int n, const Rop3& rop) {
    if (n <= 0) return;
    if (rop.is_copy()) {
        if (dst != src) std::memcpy(dst, src, static_cast<std::size_t>(n) * sizeof *dst);
        return;
    }
    if (!rop.reads_destination()) {
        source_only_row(dst, src, n, rop);
        return;
    }
    general_row(dst, src, n, rop);
}

}  // namespace zg::raster
