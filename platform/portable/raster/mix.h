// The sixteen binary mix modes of SetROP2 reduced to one and/xor pair, dst = (dst & a) ^ x,
// computed once per call from the pen or brush pixel. R2_COPYPEN is a = 0, x = colour, which
// the span loops turn into a plain fill.
//
// A mode r encodes its truth table in r - 1: bit (2 * pen + dst) is the result for that pen
// bit and destination bit. All 32 bits take part, as in a 32-bit DIB on Windows, so R2_NOT
// also inverts the reserved byte.
#pragma once

#include <cstdint>

namespace zg::raster {

struct Mix {
    std::uint32_t a = 0;
    std::uint32_t x = 0;
    constexpr bool is_copy() const { return a == 0; }
    constexpr bool is_nop() const { return a == ~0u && x == 0; }
    constexpr std::uint32_t apply(std::uint32_t dst) const { return (dst & a) ^ x; }
};

// rop2 outside 1..16 is treated as R2_COPYPEN; callers validate earlier.
constexpr Mix make_mix(int rop2, std::uint32_t pixel) {
    if (rop2 < 1 || rop2 > 16) rop2 = 13;
    const unsigned code = static_cast<unsigned>(rop2 - 1);
    auto all = [](unsigned bit) { return bit != 0 ? ~0u : 0u; };
    const std::uint32_t f00 = all(code & 1u), f01 = all((code >> 1) & 1u);
    const std::uint32_t f10 = all((code >> 2) & 1u), f11 = all((code >> 3) & 1u);
    Mix m;
    m.x = (pixel & f10) | (~pixel & f00);
    m.a = (pixel & (f10 ^ f11)) | (~pixel & (f00 ^ f01));
    return m;
}

}  // namespace zg::raster
