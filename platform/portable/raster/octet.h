// Eight pixels in one 256-bit vector, for row loops compiled twice: for processors with AVX2,
// where an operation on an octet is one instruction, and for the rest, where the compiler splits
// it into 128-bit halves. RowVersions<body>::run picks one of the two on its first call, from
// what the processor reports, and keeps it; on other processors there is one version.
//
// The choice is an ordinary function pointer rather than GCC's target_clones: a clone's resolver
// runs while the program is being relocated, before a sanitizer's runtime is ready, and
// ThreadSanitizer then crashes at load.
#pragma once

#include <cstdint>
#include <cstring>

namespace zg::raster {

using Octet = std::uint32_t __attribute__((vector_size(32)));
constexpr int octet_pixels = 8;

// By reference: a 256-bit value passed or returned by value would change the calling convention
// between the two compiled versions.
inline void load_octet(Octet& o, const std::uint32_t* p) { std::memcpy(&o, p, sizeof o); }
inline void store_octet(std::uint32_t* p, const Octet& o) { std::memcpy(p, &o, sizeof o); }

// A row loop, `body` (declared always_inline, so that each version compiles it for its own
// processor), and the versions of it that the processor can run.
template <auto body>
struct RowVersions;

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

bool cpu_has_avx2();

template <class... Args, void (*body)(Args...)>
struct RowVersions<body> {
    [[gnu::target("avx2")]] static void avx2(Args... args) { body(args...); }
    static void base(Args... args) { body(args...); }
    static void run(Args... args) {
        static void (*const chosen)(Args...) = cpu_has_avx2() ? &avx2 : &base;
        chosen(args...);
    }
};

#else

template <class... Args, void (*body)(Args...)>
struct RowVersions<body> {
    static void run(Args... args) { body(args...); }
};

#endif

}  // namespace zg::raster
