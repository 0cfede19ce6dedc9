// Span fills; see spans.h. A copy fill of any colour is one call of the C library's 32-bit
// fill (wmemset, whose wchar_t is 32 bits here), which picks the widest stores the machine has
// at run time; a plain loop is not vectorised at -O2 and a fixed-size block copy stops at 16-byte
// stores, both well short of memset speed. Other mixes read, mix and write eight pixels at a
// time, in one AVX2 instruction each where the processor has it.
#include "raster/spans.h"

#include "raster/narrow_fill.h"
#include "raster/octet.h"
#include "raster/row_split.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace zg::raster {

namespace {

static_assert(sizeof(wchar_t) == sizeof(std::uint32_t), "the copy fill needs a 32-bit wchar_t");

// Below this many pixels the call into the C library costs more than the stores: the sides
// of a wide frame are runs of a few pixels on every row.
constexpr int short_run = 16;

void copy_run(std::uint32_t* p, int n, std::uint32_t pixel) {
    if (n < short_run) {
        for (int i = 0; i < n; ++i) p[i] = pixel;
        return;
    }
    std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(pixel), static_cast<std::size_t>(n));
}

[[gnu::always_inline]] inline void mix_pixels(std::uint32_t* p, int n, Mix mix) {
    const Octet a = Octet{} + mix.a, x = Octet{} + mix.x;
    int i = 0;
    for (; i + octet_pixels <= n; i += octet_pixels) {
        Octet v;
        load_octet(v, p + i);
        v = (v & a) ^ x;
        store_octet(p + i, v);
    }
    for (; i < n; ++i) p[i] = mix.apply(p[i]);
}

}  // namespace

void mix_run(std::uint32_t* p, int n, Mix mix) {
    if (mix.is_copy()) {
        copy_run(p, n, mix.x);
        return;
    }
    // Short runs (the sides of a frame, a line's steps) without the call to the chosen version.
    if (n < octet_pixels) {
        for (int i = 0; i < n; ++i) p[i] = mix.apply(p[i]);
        return;
    }
    RowVersions<mix_pixels>::run(p, n, mix);
}

namespace {

// A rectangle within the surface, its rows split across cores when it is large.
void fill_rows(Surface& surface, const Rect& c, Mix mix) {
    if (mix.is_copy() && c.width() < narrow_pixels) {
        narrow_fill(surface.row(c.top) + c.left, surface.stride(), c.height(), c.width(), mix.x);
        return;
    }
    for_row_chunks(c.height(), static_cast<std::size_t>(c.width()) * sizeof(std::uint32_t), [&](int first, int end) {
        for (int y = c.top + first; y < c.top + end; ++y) mix_run(surface.row(y) + c.left, c.width(), mix);
    });
}

}  // namespace

void fill_rect(Surface& surface, const Rect& r, Mix mix) {
    const Rect c = intersect(r, surface.bounds());
    if (c.empty() || mix.is_nop()) return;
    fill_rows(surface, c, mix);
    surface.add_damage(c);
}

void fill_region(Surface& surface, const Region& region, Mix mix) {
    const Rect box = intersect(region.extents, surface.bounds());
    if (box.empty() || mix.is_nop()) return;
    // A region wholly on the surface (the usual shape) needs no clipping rectangle by rectangle.
    const Rect& e = region.extents;
    const bool inside = box.left == e.left && box.top == e.top && box.right == e.right && box.bottom == e.bottom;
    for (const Rect& r : region.rects) {
        const Rect c = inside ? r : intersect(r, box);
        if (!c.empty()) fill_rows(surface, c, mix);
    }
    surface.add_damage(box);
}

}  // namespace zg::raster
