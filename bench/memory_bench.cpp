// The memory limits the fills and copies are measured against: every way of storing the same
// rows this machine offers, so that "at memory speed" has a figure. The fill is the simulator's
// wipe area (629 rows of 799 pixels in a 1000 x 700 picture), the copy the whole picture to a
// second one, row by row and as one block. Besides the C library (memset, wmemset, memcpy,
// memmove) it tries the string instructions (rep stos / rep movs), 32-byte vector stores and
// non-temporal stores that bypass the caches. BitBlt, StretchDIBits, GetDIBits and the filled
// Rectangle cannot be faster than the fastest of these; raster_bench and raster_timing measure them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ZG_X86_STORES 1
#endif

namespace {

constexpr int width = 1000, height = 700, left = 201, top = 71;
constexpr std::size_t picture_bytes = std::size_t{width} * height * 4;
constexpr std::uint32_t white = 0x00FFFFFFu;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
using Pixels = std::unique_ptr<std::uint32_t, FreeDeleter>;

// Page-aligned, as a DIB section's pixels are, and touched once so no page fault is timed.
Pixels picture(unsigned char fill) {
    auto* p = static_cast<std::uint32_t*>(std::aligned_alloc(4096, picture_bytes));
    if (p != nullptr) std::memset(p, fill, picture_bytes);
    return Pixels(p);
}

template <class RowFill>
void fill_rows(benchmark::State& state, RowFill fill) {
    Pixels pixels = picture(0);
    if (!pixels) {
        state.SkipWithError("out of memory");
        return;
    }
    for (auto _ : state) {
        for (int y = top; y < height; ++y) fill(pixels.get() + std::size_t{width} * y + left, width - left);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{height - top} * (width - left) * 4);
}

template <class RowCopy>
void copy_rows(benchmark::State& state, RowCopy copy) {
    Pixels from = picture(1), to = picture(2);
    if (!from || !to) {
        state.SkipWithError("out of memory");
        return;
    }
    for (auto _ : state) {
        for (int y = 0; y < height; ++y)
            copy(to.get() + std::size_t{width} * y, from.get() + std::size_t{width} * y, width);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(picture_bytes));
}

void BM_FillMemset(benchmark::State& state) {
    fill_rows(state, [](std::uint32_t* p, int n) { std::memset(p, 0xFF, std::size_t(n) * 4); });
}
BENCHMARK(BM_FillMemset);

void BM_FillWmemset(benchmark::State& state) {
    fill_rows(state, [](std::uint32_t* p, int n) {
        std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(white), std::size_t(n));
    });
}
BENCHMARK(BM_FillWmemset);

void BM_CopyMemcpyRows(benchmark::State& state) {
    copy_rows(state, [](std::uint32_t* d, const std::uint32_t* s, int n) { std::memcpy(d, s, std::size_t(n) * 4); });
}
BENCHMARK(BM_CopyMemcpyRows);

void BM_CopyMemmoveWhole(benchmark::State& state) {
    Pixels from = picture(1), to = picture(2);
    if (!from || !to) {
        state.SkipWithError("out of memory");
        return;
    }
    for (auto _ : state) {
        std::memmove(to.get(), from.get(), picture_bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(picture_bytes));
}
BENCHMARK(BM_CopyMemmoveWhole);

#ifdef ZG_X86_STORES

void rep_stos(std::uint32_t* p, std::uint32_t value, std::size_t n) {
    asm volatile("rep stosl" : "+D"(p), "+c"(n) : "a"(value) : "memory");
}
void rep_movs(void* d, const void* s, std::size_t bytes) {
    asm volatile("rep movsb" : "+D"(d), "+S"(s), "+c"(bytes) : : "memory");
}

__attribute__((target("avx2"))) void avx2_fill(std::uint32_t* p, int n, bool streaming) {
    const __m256i v = _mm256_set1_epi32(static_cast<int>(white));
    int i = 0;
    if (streaming)
        for (; i < n && reinterpret_cast<std::uintptr_t>(p + i) % 32 != 0; ++i) p[i] = white;
    for (; i + 8 <= n; i += 8) {
        if (streaming)
            _mm256_stream_si256(reinterpret_cast<__m256i*>(p + i), v);
        else
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + i), v);
    }
    for (; i < n; ++i) p[i] = white;
}

__attribute__((target("avx2"))) void avx2_copy(std::uint32_t* d, const std::uint32_t* s, int n, bool streaming) {
    int i = 0;
    if (streaming)
        for (; i < n && reinterpret_cast<std::uintptr_t>(d + i) % 32 != 0; ++i) d[i] = s[i];
    for (; i + 8 <= n; i += 8) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        if (streaming)
            _mm256_stream_si256(reinterpret_cast<__m256i*>(d + i), v);
        else
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), v);
    }
    for (; i < n; ++i) d[i] = s[i];
}

bool has_avx2(benchmark::State& state) {
    if (__builtin_cpu_supports("avx2")) return true;
    state.SkipWithError("this machine has no AVX2");
    return false;
}

void BM_FillRepStos(benchmark::State& state) {
    fill_rows(state, [](std::uint32_t* p, int n) { rep_stos(p, white, std::size_t(n)); });
}
BENCHMARK(BM_FillRepStos);

void BM_FillAvx2(benchmark::State& state) {
    if (has_avx2(state)) fill_rows(state, [](std::uint32_t* p, int n) { avx2_fill(p, n, false); });
}
BENCHMARK(BM_FillAvx2);

void BM_FillAvx2Streaming(benchmark::State& state) {
    if (has_avx2(state))
        fill_rows(state, [](std::uint32_t* p, int n) {
            avx2_fill(p, n, true);
            _mm_sfence();
        });
}
BENCHMARK(BM_FillAvx2Streaming);

void BM_CopyRepMovsRows(benchmark::State& state) {
    copy_rows(state, [](std::uint32_t* d, const std::uint32_t* s, int n) { rep_movs(d, s, std::size_t(n) * 4); });
}
BENCHMARK(BM_CopyRepMovsRows);

void BM_CopyAvx2Rows(benchmark::State& state) {
    if (has_avx2(state))
        copy_rows(state, [](std::uint32_t* d, const std::uint32_t* s, int n) { avx2_copy(d, s, n, false); });
}
BENCHMARK(BM_CopyAvx2Rows);

void BM_CopyAvx2StreamingRows(benchmark::State& state) {
    if (has_avx2(state))
        copy_rows(state, [](std::uint32_t* d, const std::uint32_t* s, int n) {
            avx2_copy(d, s, n, true);
            _mm_sfence();
        });
}
BENCHMARK(BM_CopyAvx2StreamingRows);

#endif  // ZG_X86_STORES

}  // namespace
