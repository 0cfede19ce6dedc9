// Ternary raster operations (the codes of BitBlt, PatBlt, StretchBlt and the DIB transfers).
//
// Bits 16-23 of a code are a truth table: bit (4 * pattern + 2 * source + destination) is the
// result for those three input bits. Brushes here are solid, so the pattern is one constant
// word; for a given brush pixel each of the four (source, destination) combinations then
// selects a constant mask, and the whole operation folds into the algebraic normal form
//     r = c0 ^ (c1 & s) ^ (c2 & d) ^ (c3 & s & d)
// evaluated on whole 32-bit words (the reserved byte takes part, as in a 32-bit DIB). A code
// without a source has c1 = c3 = 0 and is the mix dst = (dst & c2) ^ c0 of the span fills.
#pragma once

#include "raster/mix.h"

#include <cstdint>

namespace zg::raster {

constexpr std::uint8_t rop_index(std::uint32_t rop) { return static_cast<std::uint8_t>(rop >> 16); }

// An input matters when flipping it changes some entry of the table.
constexpr bool rop_uses_pattern(std::uint8_t index) { return ((index >> 4) ^ index) & 0x0F; }
constexpr bool rop_uses_source(std::uint8_t index) { return ((index >> 2) ^ index) & 0x33; }

struct Rop3 {
    std::uint32_t c0 = 0, c1 = ~0u, c2 = 0, c3 = 0;  // SRCCOPY
    constexpr std::uint32_t apply(std::uint32_t s, std::uint32_t d) const {
        return c0 ^ (c1 & s) ^ (c2 & d) ^ (c3 & s & d);
    }
    constexpr bool is_copy() const { return c0 == 0 && c1 == ~0u && c2 == 0 && c3 == 0; }
    constexpr bool reads_destination() const { return c2 != 0 || c3 != 0; }
    // The same operation for a code without a source.
    constexpr Mix as_mix() const { return Mix{c2, c0}; }
};

constexpr Rop3 make_rop3(std::uint8_t index, std::uint32_t pattern) {
    auto all = [](unsigned bit) { return bit != 0 ? ~0u : 0u; };
    auto mask = [&](unsigned s, unsigned d) {
        const unsigned entry = 2 * s + d;
        return (pattern & all((index >> (4 + entry)) & 1u)) | (~pattern & all((index >> entry) & 1u));
    };
    const std::uint32_t m00 = mask(0, 0), m01 = mask(0, 1), m10 = mask(1, 0), m11 = mask(1, 1);
    return Rop3{m00, m00 ^ m10, m00 ^ m01, m00 ^ m01 ^ m10 ^ m11};
}

// dst[i] = rop(src[i], dst[i]) for n pixels; src and dst must not overlap unless equal.
void rop_row(std::uint32_t* dst, const std::uint32_t* src, int n, const Rop3& rop);

}  // namespace zg::raster
