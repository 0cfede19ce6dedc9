// How a glyph's coverage becomes pixels, as Windows' TrueType text does it (measured under
// Wine, see tools/textprobe): coverage is one of 17 levels, 0 (none) to 16 (full); a pixel
// at level 16 takes the text colour; levels 0 and 1 leave it as it was; the levels between
// mix text and pixel along a curve that depends on which of the two is lighter, per channel:
//
//   the text over black at level k gives  lo_k = t * G[k] / 255
//   the text over white at level k gives  hi_k = t + (255 - t) * G[16 - k] / 255
//   a pixel d lighter than t moves to     t + (d - t) * (hi_k - t) / (255 - t)
//   a pixel d darker than t moves to      t - (t - d) * (t - lo_k) / t
//
// with G the table below (255 * (k / 16) ^ 0.43, a gamma-like curve) and every division
// truncated. So dark text on light paper is thinner than a straight mix, light text on dark
// paper bolder, and 14-pixel labels on grey are not smeared.
#pragma once

#include "surface/surface.h"
#include "text/font.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zg::text {

constexpr int k_full_level = 16;

// 8-bit antialiased coverage to a level: 0 stays 0, 1..15 is level 0, each further 15 one
// level up, 241..255 full.
constexpr std::uint8_t level_of_coverage(std::uint8_t coverage) {
    return static_cast<std::uint8_t>(coverage == 0 ? 0 : (coverage - 1) / 15);
}

// The text colour's mixes for every level, per channel, ready for many pixels. Each mix's
// truncated division is a multiplication by a 32.32 factor, exact for every product of two
// bytes (the error stays under 2^-16, less than the 1/255 a quotient's fraction is short of
// the next integer). Text in a font drawn in two levels never mixes, so it may skip the
// factors (with_greys false); over() then only knows levels 0, 1 and 16. Text mostly lies
// on one background, so an Ink also remembers its last mix at each level (mix_again).
class Ink {
public:
    explicit Ink(std::uint32_t pixel, bool with_greys = true);
    std::uint32_t pixel() const { return m_pixel; }
    bool with_greys() const { return m_with_greys; }
    // The pixel d after ink of the given level (0..16) lands on it.
    std::uint32_t over(std::uint32_t d, int level) const;
    // The same for a level from 2 to 16.
    std::uint32_t mix(std::uint32_t d, int level) const {
        return channel_mix(d >> 16, 0, level) << 16 | channel_mix(d >> 8, 1, level) << 8 | channel_mix(d, 2, level);
    }

    // mix(), answered from memory when the pixel is the one mixed last at this level.
    std::uint32_t mix_again(std::uint32_t d, int level) {
        Remembered& last = m_last[level];
        if (last.under != d) last = {d, mix(d, level)};
        return last.out;
    }

private:
    struct Remembered {
        std::uint32_t under = 0xFFFFFFFFu;
        std::uint32_t out = 0;  // mix(under): the constructor sets it
    };

    std::uint32_t channel_mix(std::uint32_t d, int c, int level) const {
        const std::uint32_t t = m_text[c];
        d &= 0xFF;
        if (d > t) return t + static_cast<std::uint32_t>(((d - t) * m_lighter[level][c]) >> 32);
        return t - static_cast<std::uint32_t>(((t - d) * m_darker[level][c]) >> 32);
    }

    std::uint32_t m_pixel;
    bool m_with_greys;
    std::array<std::uint32_t, 3> m_text{};  // red, green, blue
    // (hi_k - t) / (255 - t) and (t - lo_k) / t in 32.32, [level][channel]
    std::array<std::array<std::uint64_t, 3>, k_full_level + 1> m_lighter{}, m_darker{};
    std::array<Remembered, k_full_level + 1> m_last{};
};

// Where the glyph's coverage inks, row by row, left to right. Empty when the coverage does
// not hold width * height levels.
std::vector<InkSpan> ink_spans(const Glyph& glyph);

// Writes one glyph's spans with its first row at `top` and first column at `left`, only
// inside `area` (which the caller has clipped to the surface).
void ink_glyph(Surface& surface, const Rect& area, const Glyph& glyph, int left, int top, Ink& ink);

}  // namespace zg::text
