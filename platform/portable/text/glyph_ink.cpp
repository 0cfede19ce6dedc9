// Glyph levels to pixels; see glyph_ink.h for the rule and where it comes from.
#include "text/glyph_ink.h"

#include <algorithm>
#include <cstddef>

namespace zg::text {

namespace {

// 255 * (k / 16) ^ 0.43, as measured: the white text over black at each level (and, read
// backwards, black text over white).
constexpr std::array<int, k_full_level + 1> k_curve = {0,   77,  104, 124, 140, 154, 167, 178, 189,
                                                       199, 208, 217, 225, 233, 240, 248, 255};

constexpr int shift_of(int channel) { return 16 - 8 * channel; }  // red, green, blue

// 2^32 / divisor rounded up; 0 for a divisor of 0 (no pixel lies on that side of the text).
std::uint64_t reciprocal(std::uint32_t divisor) {
    if (divisor == 0) return 0;
    return ((std::uint64_t{1} << 32) + divisor - 1) / divisor;
}

}  // namespace

Ink::Ink(std::uint32_t pixel, bool with_greys) : m_pixel(pixel & 0xFFFFFFu), m_with_greys(with_greys) {
    for (int c = 0; c < 3; ++c) m_text[c] = (m_pixel >> shift_of(c)) & 0xFF;
    // Full ink mixes to the text colour (its factors stay 0), which the memory starts with.
    m_last[k_full_level].out = m_pixel;
    if (!with_greys) return;
    for (int c = 0; c < 3; ++c) {
        const std::uint32_t t = m_text[c];
        const std::uint64_t above = reciprocal(255 - t), below = reciprocal(t);
        for (int k = 2; k < k_full_level; ++k) {
            const std::uint32_t lo = t * k_curve[k] / 255;
            const std::uint32_t hi = t + (255 - t) * k_curve[k_full_level - k] / 255;
            m_lighter[k][c] = (hi - t) * above;
            m_darker[k][c] = (t - lo) * below;
            m_last[k].out |= hi << shift_of(c);  // what white (and so 0xFFFFFFFF) becomes
        }
    }
}

std::uint32_t Ink::over(std::uint32_t d, int level) const {
    if (level <= 1) return d;
    if (level >= k_full_level) return m_pixel;
    return mix(d, level);
}

namespace {

// The end of the stretch of inking levels (2 and up) that starts at `from`, and whether all
// of them are full.
int span_end(const std::uint8_t* levels, int from, int width, bool& solid) {
    solid = true;
    int end = from;
    for (; end < width && levels[end] > 1; ++end) solid = solid && levels[end] == k_full_level;
    return end;
}

void ink_span(std::uint32_t* out, int count, const std::uint8_t* levels, Ink& ink) {
    // Every level through the memory, full ink too: text on one background then takes no
    // branch that depends on the level.
    for (int i = 0; i < count; ++i) out[i] = ink.mix_again(out[i], levels[i]);
}

}  // namespace

std::vector<InkSpan> ink_spans(const Glyph& glyph) {
    std::vector<InkSpan> spans;
    if (glyph.width <= 0 || glyph.height <= 0) return spans;
    if (glyph.coverage.size() != static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height)) {
        return spans;
    }
    for (int y = 0; y < glyph.height; ++y) {
        const std::uint8_t* levels = glyph.coverage.data() + static_cast<std::ptrdiff_t>(y) * glyph.width;
        for (int x = 0; x < glyph.width; ++x) {
            if (levels[x] <= 1) continue;
            bool solid = true;
            const int end = span_end(levels, x, glyph.width, solid);
            spans.push_back({y, x, end - x, y * glyph.width + x, solid});
            x = end;
        }
    }
    return spans;
}

namespace {

// `count` pixels of the span from its `skip`th on.
void ink_part(std::uint32_t* out, int count, const InkSpan& span, int skip, const Glyph& glyph, Ink& ink) {
    if (span.solid) {
        std::fill_n(out, count, ink.pixel());
    } else {
        ink_span(out, count, glyph.coverage.data() + span.first_level + skip, ink);
    }
}

// Most glyphs lie wholly inside the area: their spans need no cutting.
void ink_whole(Surface& surface, const Glyph& glyph, int left, int top, Ink& ink) {
    for (const InkSpan& span : glyph.spans) {
        ink_part(surface.row(top + span.row) + left + span.left, span.length, span, 0, glyph, ink);
    }
}

void ink_clipped(Surface& surface, const Rect& box, const Glyph& glyph, int left, int top, Ink& ink) {
    for (const InkSpan& span : glyph.spans) {
        const int y = top + span.row;
        if (y < box.top) continue;
        if (y >= box.bottom) break;
        const int from = std::max(left + span.left, box.left);
        const int to = std::min(left + span.left + span.length, box.right);
        if (from < to) ink_part(surface.row(y) + from, to - from, span, from - left - span.left, glyph, ink);
    }
}

}  // namespace

void ink_glyph(Surface& surface, const Rect& area, const Glyph& glyph, int left, int top, Ink& ink) {
    const Rect whole{left, top, left + glyph.width, top + glyph.height};
    const Rect box = intersect(whole, area);
    if (box.empty()) return;
    const bool inside =
        box.left == whole.left && box.top == whole.top && box.right == whole.right && box.bottom == whole.bottom;
    if (inside) {
        ink_whole(surface, glyph, left, top, ink);
    } else {
        ink_clipped(surface, box, glyph, left, top, ink);
    }
}

}  // namespace zg::text
