// Row evaluation of ternary raster operations; see rop3.h. The copy is memcpy; every other
// code runs the normal form four pixels to a 128-bit vector (a width every x86-64 and ARM64
// has), because at -O2 the compiler does not vectorise the plain loop and it would run at a
// fraction of memory speed.
#include "raster/rop3.h"

#include <cstring>

namespace zg::raster {

namespace {

using Quad = std::uint32_t __attribute__((vector_size(16)));
constexpr int quad_pixels = 4;

Quad load(const std::uint32_t* p) {
    Quad q;
    std::memcpy(&q, p, sizeof q);
    return q;
}

void store(std::uint32_t* p, Quad q) { std::memcpy(p, &q, sizeof q); }

Quad splat(std::uint32_t v) { return Quad{v, v, v, v}; }

// Codes that ignore the destination: r = c0 ^ (c1 & s).
void source_only_row(std::uint32_t* dst, const std::uint32_t* src, int n, const Rop3& rop) {
    const Quad c0 = splat(rop.c0), c1 = splat(rop.c1);
    int i = 0;
    for (; i + quad_pixels <= n; i += quad_pixels) store(dst + i, c0 ^ (c1 & load(src + i)));
    for (; i < n; ++i) dst[i] = rop.apply(src[i], 0);
}

void general_row(std::uint32_t* dst, const std::uint32_t* src, int n, const Rop3& rop) {
    const Quad c0 = splat(rop.c0), c1 = splat(rop.c1), c2 = splat(rop.c2), c3 = splat(rop.c3);
    int i = 0;
    for (; i + quad_pixels <= n; i += quad_pixels) {
        const Quad s = load(src + i), d = load(dst + i);
        store(dst + i, c0 ^ (c1 & s) ^ (c2 & d) ^ (c3 & s & d));
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
