// Spans painted straight onto a surface in one colour, as a wide stroke's pieces come: a pen
// that ignores the pixels under it (a copy mix) sets each pixel of the stroke to one value, so
// a pixel that several pieces cover comes out as if painted once, and the pieces need no union
// first. Takes the pieces as RowCover does (row_cover.h) and keeps the painted rectangle.
#pragma once

#include "raster/mix.h"
#include "raster/spans.h"
#include "surface/surface.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

namespace zg::raster {

// A short run of one pixel value: four pixels to a store, the last store overlapping the one
// before it where the length is not a multiple of four (both write the same value).
inline void fill_short(std::uint32_t* p, int n, std::uint32_t pixel) {
    if (n >= 4) {
        const std::uint32_t quad[4] = {pixel, pixel, pixel, pixel};
        for (int i = 0; i + 4 < n; i += 4) std::memcpy(p + i, quad, sizeof quad);
        std::memcpy(p + n - 4, quad, sizeof quad);
        return;
    }
    if (n >= 2) {
        const std::uint64_t pair = (std::uint64_t{pixel} << 32) | pixel;
        std::memcpy(p, &pair, sizeof pair);
        std::memcpy(p + n - 2, &pair, sizeof pair);
        return;
    }
    if (n == 1) *p = pixel;
}

class SpanPainter {
public:
    // clip lies within the surface; the mix is a copy.
    SpanPainter(Surface& surface, const Rect& clip, Mix copy) : m_surface(surface), m_clip(clip), m_mix(copy) {}

    const Rect& clip() const { return m_clip; }

    // Paints [x0, x1) on row y, cut to the clip rectangle.
    void add(long long y, long long x0, long long x1) {
        if (y < m_clip.top || y >= m_clip.bottom) return;
        const int a = m_clip.column_within(x0), b = m_clip.column_within(x1);
        if (a >= b) return;
        paint(static_cast<int>(y), a, b);
        note({a, static_cast<int>(y), b, static_cast<int>(y) + 1});
    }

    void add_rect(long long left, long long top, long long right, long long bottom) {
        for (long long y = std::max<long long>(top, m_clip.top); y < std::min<long long>(bottom, m_clip.bottom); ++y)
            add(y, left, right);
    }

    // [x0[i], x1[i]) on row y + i for each i below count (rows within the clip rectangle's).
    void add_rows(long long y, const long long* x0, const long long* x1, std::size_t count) {
        paint_rows(y, count, [x0, x1](std::size_t i) { return std::pair<long long, long long>{x0[i], x1[i]}; });
    }

    // Paints span(i) (a pair of columns) on row first + i for each i below count, all cut to
    // the clip rectangle.
    template <class SpanOf>
    void paint_rows(long long first, std::size_t count, SpanOf&& span) {
        const long long from = std::max<long long>(first, m_clip.top);
        const long long to = std::min<long long>(first + static_cast<long long>(count), m_clip.bottom);
        if (from >= to) return;
        // Everything the loop reads is kept in locals: the pixel stores could alias the members.
        const long long left = m_clip.left, right = m_clip.right;
        const std::uint32_t pixel = m_mix.x;
        const std::ptrdiff_t stride = m_surface.stride();
        std::uint32_t* row = m_surface.row(static_cast<int>(from));
        Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (long long y = from; y < to; ++y, row += stride) {
            // Cut before narrowing: a row no edge crossed holds the widest empty span.
            const auto [x0, x1] = span(static_cast<std::size_t>(y - first));
            const long long cut0 = std::max<long long>(x0, left), cut1 = std::min<long long>(x1, right);
            if (cut0 >= cut1) continue;
            const auto a = static_cast<int>(cut0), b = static_cast<int>(cut1);
            if (b - a < short_span)
                fill_short(row + a, b - a, pixel);
            else
                fill_span(m_surface, static_cast<int>(y), a, b, m_mix);
            box = {std::min(box.left, a), std::min(box.top, static_cast<int>(y)), std::max(box.right, b),
                   static_cast<int>(y) + 1};
        }
        if (box.left < box.right) note(box);
    }

    // [a, b) on row y, already within the clip rectangle and not empty.
    void paint(int y, int a, int b) {
        // A stroke's spans are mostly a few pixels: those are written in place, without the
        // call that picks the widest stores for long runs.
        if (b - a < short_span)
            fill_short(m_surface.row(y) + a, b - a, m_mix.x);
        else
            fill_span(m_surface, y, a, b, m_mix);
    }

    // Widens the painted box by r (which holds painted pixels on its first and last row).
    void note(const Rect& r) {
        m_painted = {std::min(m_painted.left, r.left), std::min(m_painted.top, r.top),
                     std::max(m_painted.right, r.right), std::max(m_painted.bottom, r.bottom)};
    }

    // The bounding box of what was painted (empty when nothing was).
    const Rect& painted() const { return m_painted; }

private:
    Surface& m_surface;
    Rect m_clip;
    static constexpr int short_span = 16;
    Mix m_mix;
    Rect m_painted{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};

}  // namespace zg::raster
