// The ternary raster operations against their definition: bit (4p + 2s + d) of the code's index
// is the result for pattern bit p, source bit s and destination bit d, bit by bit.
#include "raster/rop3.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace zg::raster {
namespace {

std::uint32_t by_definition(std::uint8_t index, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t r = 0;
    for (int bit = 0; bit < 32; ++bit) {
        const unsigned entry = 4 * ((p >> bit) & 1u) + 2 * ((s >> bit) & 1u) + ((d >> bit) & 1u);
        r |= static_cast<std::uint32_t>((index >> entry) & 1u) << bit;
    }
    return r;
}

TEST(Rop3, EveryCodeMatchesItsTruthTable) {
    std::mt19937 engine(12);
    auto rng = [&engine] { return static_cast<std::uint32_t>(engine()); };
    for (int index = 0; index < 256; ++index) {
        for (int trial = 0; trial < 16; ++trial) {
            const std::uint32_t p = rng(), s = rng(), d = rng();
            const Rop3 op = make_rop3(static_cast<std::uint8_t>(index), p);
            ASSERT_EQ(op.apply(s, d), by_definition(static_cast<std::uint8_t>(index), p, s, d)) << "code " << index;
        }
    }
}

TEST(Rop3, InputsUsedAndNamedCodes) {
    EXPECT_TRUE(rop_uses_source(0xCC));
    EXPECT_FALSE(rop_uses_pattern(0xCC));
    EXPECT_TRUE(rop_uses_pattern(0xF0));
    EXPECT_FALSE(rop_uses_source(0xF0));
    EXPECT_FALSE(rop_uses_source(0x55));
    EXPECT_FALSE(rop_uses_pattern(0x55));
    EXPECT_TRUE(rop_uses_pattern(0xFB) && rop_uses_source(0xFB));
    EXPECT_TRUE(make_rop3(0xCC, 0x123456).is_copy());
    EXPECT_TRUE(make_rop3(0x66, 0).reads_destination());
    EXPECT_FALSE(make_rop3(0x33, 0).reads_destination());
    // A sourceless code is the mix of the span fills.
    const Mix m = make_rop3(0x5A, 0x00FF00FF).as_mix();
    EXPECT_EQ(m.apply(0x0F0F0F0F), 0x0FF00FF0u);
}

// The vector rows against one pixel at a time, at every length up to two vector steps and a
// tail, and in place (source and destination the same row).
TEST(Rop3, RowsMatchSinglePixelsAtEveryLength) {
    std::mt19937 engine(7);
    auto rng = [&engine] { return static_cast<std::uint32_t>(engine()); };
    for (const int index : {0xCC, 0x33, 0x88, 0xE2, 0xFB, 0x1D}) {
        const Rop3 op = make_rop3(static_cast<std::uint8_t>(index), rng());
        for (int n = 0; n <= 19; ++n) {
            std::vector<std::uint32_t> src(static_cast<std::size_t>(n)), dst(src.size());
            for (auto& v : src) v = rng();
            for (auto& v : dst) v = rng();
            std::vector<std::uint32_t> expected(dst.size());
            for (std::size_t i = 0; i < dst.size(); ++i) expected[i] = op.apply(src[i], dst[i]);
            rop_row(dst.data(), src.data(), n, op);
            EXPECT_EQ(dst, expected) << "code " << index << " length " << n;
            for (std::size_t i = 0; i < dst.size(); ++i) expected[i] = op.apply(dst[i], dst[i]);
            rop_row(dst.data(), dst.data(), n, op);
            EXPECT_EQ(dst, expected) << "in place, code " << index << " length " << n;
        }
    }
}

}  // namespace
}  // namespace zg::raster
