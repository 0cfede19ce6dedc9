// Glyph levels to pixels; see glyph_ink.h for the rule and where it comes from.
#include "text/glyph_ink.h"

namespace zg::text {

namespace {

// 255 * (k / 16) ^ 0.43, as measured: the white text over black at each level (and, read
// backwards, black text over white).
constexpr std::array<int, k_full_level + 1> k_curve = {0,   77,  104, 124, 140, 154, 167, 178, 189,
                                                       199, 208, 217, 225, 233, 240, 248, 255};

constexpr int shift_of(int channel) { return 16 - 8 * channel; }  // red, green, blue

int channel_over(int t, int d, int lo, int hi) {
    if (d > t) return t + (d - t) * (hi - t) / (255 - t);
    if (d < t) return t - (t - d) * (t - lo) / t;
    return t;
}

}  // namespace

Ink::Ink(std::uint32_t pixel) : m_pixel(pixel & 0xFFFFFFu) {
    for (int c = 0; c < 3; ++c) {
        const int t = static_cast<int>((m_pixel >> shift_of(c)) & 0xFF);
        for (int k = 0; k <= k_full_level; ++k) {
            m_lo[c][k] = static_cast<std::uint8_t>(t * k_curve[k] / 255);
            m_hi[c][k] = static_cast<std::uint8_t>(t + (255 - t) * k_curve[k_full_level - k] / 255);
        }
    }
}

std::uint32_t Ink::over(std::uint32_t d, int level) const {
    if (level <= 1) return d;
    if (level >= k_full_level) return m_pixel;
    std::uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
        const int s = shift_of(c);
        const int t = static_cast<int>((m_pixel >> s) & 0xFF);
        const int v = channel_over(t, static_cast<int>((d >> s) & 0xFF), m_lo[c][level], m_hi[c][level]);
        out |= static_cast<std::uint32_t>(v) << s;
    }
    return out;
}

void ink_glyph(Surface& surface, const Rect& area, const Glyph& glyph, int left, int top, const Ink& ink) {
    const Rect box = intersect({left, top, left + glyph.width, top + glyph.height}, area);
    if (box.empty()) return;
    for (int y = box.top; y < box.bottom; ++y) {
        const std::uint8_t* level = glyph.coverage.data() + static_cast<std::ptrdiff_t>(y - top) * glyph.width - left;
        std::uint32_t* row = surface.row(y);
        for (int x = box.left; x < box.right; ++x) {
            if (level[x] > 1) row[x] = ink.over(row[x], level[x]);
        }
    }
}

}  // namespace zg::text
