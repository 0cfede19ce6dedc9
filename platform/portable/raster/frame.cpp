// See frame.h.
#include "raster/frame.h"

#include "raster/spans.h"
#include "raster/stroke.h"

#include <algorithm>
#include <cstdlib>

namespace zg::raster {

namespace {

// Coordinates beyond this take the general path: the pulled-apart stroke is computed in int.
constexpr long long frame_limit = 1LL << 28;
constexpr int pen_limit = 1 << 12;

// Moves coordinates past `cut` by `by`: the small stroke pulled apart along one axis.
int pull(int v, int cut, int by) { return v > cut ? v + by : v; }

Region pulled_apart(const Region& small, int cut_x, int dx, int cut_y, int dy) {
    Region out;
    out.rects.reserve(small.rects.size());
    for (const Rect& r : small.rects)
        out.rects.push_back(
            {pull(r.left, cut_x, dx), pull(r.top, cut_y, dy), pull(r.right, cut_x, dx), pull(r.bottom, cut_y, dy)});
    const Rect& e = small.extents;
    out.extents = {pull(e.left, cut_x, dx), pull(e.top, cut_y, dy), pull(e.right, cut_x, dx),
                   pull(e.bottom, cut_y, dy)};
    return out;
}

Region stroke_of(long long left, long long top, long long right, long long bottom, int width, const Rect& clip) {
    const std::vector<POINT> path{{static_cast<LONG>(left), static_cast<LONG>(top)},
                                  {static_cast<LONG>(right), static_cast<LONG>(top)},
                                  {static_cast<LONG>(right), static_cast<LONG>(bottom)},
                                  {static_cast<LONG>(left), static_cast<LONG>(bottom)}};
    return wide_stroke(path, PathClose::Closed, width, clip);
}

// The small stroke depends only on its size and the pen, which stay the same from frame to
// frame for a program that wipes one area: the last one is kept (one per thread).
const Region& small_stroke(int sw, int sh, int width) {
    struct Kept {
        int sw = -1, sh = -1, width = -1;
        Region stroke;
    };
    thread_local Kept kept;
    if (kept.sw != sw || kept.sh != sh || kept.width != width) {
        const int margin = width + 2;
        kept.stroke = stroke_of(0, 0, sw, sh, width, {-margin, -margin, sw + margin + 1, sh + margin + 1});
        kept.sw = sw;
        kept.sh = sh;
        kept.width = width;
    }
    return kept.stroke;
}

}  // namespace

Region rectangle_frame(long long left, long long top, long long right, long long bottom, int width, const Rect& clip) {
    const long long w = right - left, h = bottom - top, side = 4LL * width + 8;
    const bool far = std::max({std::abs(left), std::abs(top), std::abs(right), std::abs(bottom)}) > frame_limit;
    if (far || width > pen_limit || (w <= 2 * side && h <= 2 * side))
        return stroke_of(left, top, right, bottom, width, clip);
    const int sw = static_cast<int>(std::min(w, 2 * side)), sh = static_cast<int>(std::min(h, 2 * side));
    Region big =
        pulled_apart(small_stroke(sw, sh, width), sw / 2, static_cast<int>(w - sw), sh / 2, static_cast<int>(h - sh));
    offset(big, static_cast<int>(left), static_cast<int>(top));
    const Rect& e = big.extents;
    if (e.left >= clip.left && e.top >= clip.top && e.right <= clip.right && e.bottom <= clip.bottom) return big;
    return combine(big, make_rect_region(clip), CombineOp::And);
}

namespace {

bool within(long long v, int lo, int hi) { return v >= lo && v < hi; }

// Pixel p on each of n rows. A frame's side costs a cache line per pixel, so the loop is kept
// to the stores and one pointer step per two rows.
void copy_column(std::uint32_t* p, std::ptrdiff_t stride, int n, std::uint32_t pixel) {
    for (; n % 4 != 0; --n, p += stride) *p = pixel;
    const std::ptrdiff_t four = 4 * stride;
    for (std::uint32_t* const end = p + (n / 4) * four; p != end; p += four)
        p[0] = p[stride] = p[2 * stride] = p[3 * stride] = pixel;
}

// Column x (when inside clip) of rows [y0, y1), and column x2 likewise.
void two_columns(Surface& surface, long long x, long long x2, int y0, int y1, const Rect& clip, Mix mix) {
    const bool first = within(x, clip.left, clip.right), second = within(x2, clip.left, clip.right);
    if (!first && !second) return;
    const int a = static_cast<int>(first ? x : x2), b = static_cast<int>(second ? x2 : x);
    std::uint32_t* p = surface.row(y0);
    const std::ptrdiff_t stride = surface.stride();
    if (mix.is_copy()) {
        copy_column(p + a, stride, y1 - y0, mix.x);
        if (b != a) copy_column(p + b, stride, y1 - y0, mix.x);
        return;
    }
    // Each pixel once: with one column inside, a and b are the same pixel.
    for (int y = y0; y < y1; ++y, p += stride) {
        p[a] = mix.apply(p[a]);
        if (b != a) p[b] = mix.apply(p[b]);
    }
}

}  // namespace

void thin_rectangle_frame(Surface& surface, long long left, long long top, long long right, long long bottom,
                          const Rect& clip, Mix mix) {
    const int x0 = static_cast<int>(std::max<long long>(left, clip.left));
    const int x1 = static_cast<int>(std::min<long long>(right, clip.right));
    if (x0 >= x1 || mix.is_nop()) return;
    if (within(top, clip.top, clip.bottom)) fill_span(surface, static_cast<int>(top), x0, x1, mix);
    if (within(bottom - 1, clip.top, clip.bottom)) fill_span(surface, static_cast<int>(bottom - 1), x0, x1, mix);
    const int y0 = static_cast<int>(std::max<long long>(top + 1, clip.top));
    const int y1 = static_cast<int>(std::min<long long>(bottom - 1, clip.bottom));
    if (y0 < y1) two_columns(surface, left, right - 1, y0, y1, clip, mix);
    const int t = static_cast<int>(std::max<long long>(top, clip.top));
    const int b = static_cast<int>(std::min<long long>(bottom, clip.bottom));
    if (t < b) surface.add_damage({x0, t, x1, b});
}

}  // namespace zg::raster
