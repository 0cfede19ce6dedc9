// Eight pixels in one 256-bit vector, for row loops compiled twice: for processors with AVX2,
// where an operation on an octet is one instruction, and for the rest, where the compiler splits
// it into 128-bit halves. The choice between the two is made once, when the program loads, where
// the toolchain supports it (GCC and Clang on x86-64 ELF systems); elsewhere there is one version.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && defined(__ELF__) && !defined(__clang_analyzer__)
#define ZG_ROW_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define ZG_ROW_CLONES
#endif

namespace zg::raster {

using Octet = std::uint32_t __attribute__((vector_size(32)));
constexpr int octet_pixels = 8;

// By reference: a 256-bit value passed or returned by value would change the calling convention
// between the two compiled versions.
inline void load_octet(Octet& o, const std::uint32_t* p) { std::memcpy(&o, p, sizeof o); }
inline void store_octet(std::uint32_t* p, const Octet& o) { std::memcpy(p, &o, sizeof o); }

}  // namespace zg::raster
