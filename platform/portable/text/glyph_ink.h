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

namespace zg::text {

constexpr int k_full_level = 16;

// 8-bit antialiased coverage to a level: 0 stays 0, 1..15 is level 0, each further 15 one
// level up, 241..255 full.
constexpr std::uint8_t level_of_coverage(std::uint8_t coverage) {
    return static_cast<std::uint8_t>(coverage == 0 ? 0 : (coverage - 1) / 15);
}

// The text colour's mixes for every level, per channel, ready for many pixels.
class Ink {
public:
    explicit Ink(std::uint32_t pixel);
    std::uint32_t pixel() const { return m_pixel; }
    // The pixel d after ink of the given level (0..16) lands on it.
    std::uint32_t over(std::uint32_t d, int level) const;

private:
    std::uint32_t m_pixel;
    std::array<std::array<std::uint8_t, k_full_level + 1>, 3> m_lo{}, m_hi{};  // [channel][level]
};

// Writes one glyph with its first row at `top` and first column at `left`, only inside
// `area` (which the caller has clipped to the surface).
void ink_glyph(Surface& surface, const Rect& area, const Glyph& glyph, int left, int top, const Ink& ink);

}  // namespace zg::text
