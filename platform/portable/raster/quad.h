// Four pixels in one 128-bit vector (SSE2 on x86-64, NEON on ARM64: present on every machine
// the project builds for, so no run-time choice is needed). The row loops use it where -O2
// would otherwise leave a pixel loop scalar. Loads and stores are unaligned.
#pragma once

#include <cstdint>
#include <cstring>

namespace zg::raster {

using Quad = std::uint32_t __attribute__((vector_size(16)));
constexpr int quad_pixels = 4;

inline Quad load_quad(const std::uint32_t* p) {
    Quad q;
    std::memcpy(&q, p, sizeof q);
    return q;
}

inline void store_quad(std::uint32_t* p, Quad q) { std::memcpy(p, &q, sizeof q); }

inline Quad splat_quad(std::uint32_t v) { return Quad{v, v, v, v}; }

}  // namespace zg::raster
