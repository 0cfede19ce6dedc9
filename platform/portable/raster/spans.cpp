// Span fills; see spans.h. The copy case is std::fill_n, which the compiler turns into wide
// stores, so a large fill runs at memory speed.
#include "raster/spans.h"

#include <algorithm>
#include <cstring>

namespace zg::raster {

namespace {

// Copy fills write a short pattern and then double it with memcpy, which the C library runs
// with the widest stores the machine has (a plain loop is not vectorised at -O2).
void copy_run(std::uint32_t* p, int n, std::uint32_t pixel) {
    const int head = std::min(n, 16);
    std::fill_n(p, head, pixel);
    for (int done = head; done < n;) {
        const int chunk = std::min(done, n - done);
        std::memcpy(p + done, p, static_cast<std::size_t>(chunk) * 4u);
        done += chunk;
    }
}

void mix_run(std::uint32_t* p, int n, Mix mix) {
    if (mix.is_copy()) {
        copy_run(p, n, mix.x);
        return;
    }
    const std::uint32_t a = mix.a, x = mix.x;
    for (int i = 0; i < n; ++i) p[i] = (p[i] & a) ^ x;
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
