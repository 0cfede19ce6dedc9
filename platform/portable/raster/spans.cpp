// Span fills; see spans.h. The copy case is std::fill_n, which the compiler turns into wide
// stores, so a large fill runs at memory speed.
#include "raster/spans.h"

#include <algorithm>
#include <cstring>

namespace zg::raster {

namespace {

constexpr int block_pixels = 8;

// Copy fills: a pixel whose four bytes are equal is memset (the C library's widest stores);
// any other is stored a 32-byte block at a time. A fixed-size memcpy compiles to vector
// stores at -O2, where a plain per-pixel loop is not vectorised and runs at a quarter of
// memory speed.
void copy_run(std::uint32_t* p, int n, std::uint32_t pixel) {
    if ((pixel & 0xFFu) * 0x01010101u == pixel) {
        std::memset(p, static_cast<int>(pixel & 0xFFu), static_cast<std::size_t>(n) * 4u);
        return;
    }
    std::uint32_t block[block_pixels];
    std::fill_n(block, block_pixels, pixel);
    int i = 0;
    for (; i + block_pixels <= n; i += block_pixels) std::memcpy(p + i, block, sizeof block);
    for (; i < n; ++i) p[i] = pixel;
}

// The other mix modes, two pixels per 64-bit word.
void mix_run(std::uint32_t* p, int n, Mix mix) {
    if (mix.is_copy()) {
        copy_run(p, n, mix.x);
        return;
    }
    const std::uint64_t a = (std::uint64_t{mix.a} << 32) | mix.a, x = (std::uint64_t{mix.x} << 32) | mix.x;
    int i = 0;
    for (; i + 2 <= n; i += 2) {
        std::uint64_t pair;
        std::memcpy(&pair, p + i, sizeof pair);
        pair = (pair & a) ^ x;
        std::memcpy(p + i, &pair, sizeof pair);
    }
    if (i < n) p[i] = mix.apply(p[i]);
}

}  // namespace

void fill_span(Surface& surface, int y, int x0, int x1, Mix mix) {
    if (x1 <= x0 || mix.is_nop()) return;
    mix_run(surface.row(y) + x0, x1 - x0, mix);
}

void fill_rect(Surface& surface, const Rect& r, Mix mix) {
    const Rect c = intersect(r, surface.bounds());
    if (c.empty() || mix.is_nop()) return;
    for (int y = c.top; y < c.bottom; ++y) mix_run(surface.row(y) + c.left, c.width(), mix);
    surface.add_damage(c);
}

void fill_region(Surface& surface, const Region& region, Mix mix) {
    const Rect box = intersect(region.extents, surface.bounds());
    if (box.empty() || mix.is_nop()) return;
    for (const Rect& r : region.rects) {
        const Rect c = intersect(r, box);
        for (int y = c.top; y < c.bottom; ++y) mix_run(surface.row(y) + c.left, c.width(), mix);
    }
    surface.add_damage(box);
}

}  // namespace zg::raster
