// Region algebra against a bitmap model: random regions are combined with every operation, and
// each result must keep the banded invariants and hold exactly the pixels the model holds. The
// model checks the pixels; the pinned checksum over every rectangle of every result checks the
// band structure too (how the same pixels are cut into rectangles), which the model cannot see.
#include "raster/region.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>

namespace zg::raster {
namespace {

constexpr int side = 24;
using Model = std::bitset<side * side>;

Model model_of(const Region& r) {
    Model m;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) m[static_cast<std::size_t>(y * side + x)] = contains(r, x, y);
    return m;
}

Region random_region(std::mt19937& rng) {
    std::uniform_int_distribution<int> c(0, side);
    Region r;
    const int rects = static_cast<int>(rng() % 4);
    for (int i = 0; i < rects; ++i) {
        int x0 = c(rng), x1 = c(rng), y0 = c(rng), y1 = c(rng);
        if (x0 > x1) std::swap(x0, x1);
        if (y0 > y1) std::swap(y0, y1);
        r = combine(r, make_rect_region({x0, y0, x1, y1}), CombineOp::Or);
    }
    return r;
}

TEST(RegionAlgebra, RandomCombinationsMatchTheBitmapModel) {
    std::mt19937 rng(2024);
    std::uint64_t checksum = 0;
    for (int i = 0; i < 400; ++i) {
        const Region a = random_region(rng), b = random_region(rng);
        const Model ma = model_of(a), mb = model_of(b);
        const std::pair<CombineOp, Model> cases[] = {{CombineOp::And, ma & mb},
                                                     {CombineOp::Or, ma | mb},
                                                     {CombineOp::Xor, ma ^ mb},
                                                     {CombineOp::Diff, ma & ~mb}};
        for (const auto& [op, expected] : cases) {
            const Region r = combine(a, b, op);
            ASSERT_TRUE(is_valid(r));
            ASSERT_EQ(model_of(r), expected);
            for (const Rect& rect : r.rects)
                checksum = checksum * 31 +
                           static_cast<std::uint64_t>(rect.left + 7 * rect.top + 13 * rect.right + 17 * rect.bottom);
        }
    }
    // Equal pixel sets have equal band structure, so the sequence of rectangles is fixed: any
    // change in how results are banded, merged or ordered changes this value.
    EXPECT_EQ(checksum, 5119316920661190291u);
    const Region x = combine(make_rect_region({0, 0, 4, 4}), make_rect_region({0, 4, 4, 8}), CombineOp::Or);
    EXPECT_EQ(x.rects.size(), 1u);  // adjacent equal bands merge
}

// Each invariant broken once, on a region that is otherwise fine.
TEST(RegionInvariants, EachBrokenInvariantIsSeen) {
    auto region = [](std::vector<Rect> rects, Rect extents) {
        Region r;
        r.rects = std::move(rects);
        r.extents = extents;
        return r;
    };
    EXPECT_TRUE(is_valid(region({{0, 0, 2, 2}, {4, 0, 6, 2}, {1, 3, 5, 4}}, {0, 0, 6, 4})));
    EXPECT_FALSE(is_valid(region({{0, 0, 4, 2}, {3, 0, 6, 2}}, {0, 0, 6, 2}))) << "overlap within a band";
    EXPECT_FALSE(is_valid(region({{4, 0, 6, 2}, {0, 0, 2, 2}}, {0, 0, 6, 2}))) << "band not sorted by x";
    EXPECT_FALSE(is_valid(region({{0, 0, 2, 2}, {4, 0, 6, 3}}, {0, 0, 6, 3}))) << "one band, two bottoms";
    EXPECT_FALSE(is_valid(region({{0, 3, 2, 4}, {0, 0, 2, 2}}, {0, 0, 2, 4}))) << "bands not sorted";
    EXPECT_FALSE(is_valid(region({{0, 0, 2, 3}, {0, 2, 2, 4}}, {0, 0, 2, 4}))) << "bands overlap";
    EXPECT_FALSE(is_valid(region({{0, 0, 2, 2}, {3, 3, 3, 4}}, {0, 0, 3, 4}))) << "empty rectangle";
    EXPECT_FALSE(is_valid(region({{0, 0, 2, 2}}, {0, 0, 3, 2}))) << "extents too large";
    EXPECT_FALSE(is_valid(region({}, {0, 0, 1, 1}))) << "extents of an empty region";
}

// Debug and sanitizer builds check every result as it is made; a release build compiles the
// check out.
TEST(RegionInvariants, ABrokenRegionStopsADebugBuildWhereItIsMade) {
#ifdef NDEBUG
    GTEST_SKIP() << "release build: the check is compiled out";
#else
    Region bad;
    bad.rects = {{0, 0, 4, 2}, {3, 0, 6, 2}};
    bad.extents = {0, 0, 6, 2};
    EXPECT_DEATH(check_invariants(bad), "region invariants broken: 2 rectangles, extents 0,0-6,2");
    check_invariants(combine(bad, Region{}, CombineOp::And));  // a valid (empty) result passes
#endif
}

TEST(RegionAlgebra, ComplexityAndOffset) {
    Region r = make_rect_region({2, 2, 6, 6});
    EXPECT_EQ(complexity(r), SIMPLEREGION);
    EXPECT_EQ(complexity(Region{}), NULLREGION);
    r = combine(r, make_rect_region({8, 2, 9, 3}), CombineOp::Or);
    EXPECT_EQ(complexity(r), COMPLEXREGION);
    offset(r, -2, 3);
    EXPECT_TRUE(contains(r, 0, 5));
    EXPECT_FALSE(contains(r, 2, 2));
    EXPECT_EQ(r.extents.left, 0);
    EXPECT_EQ(r.extents.bottom, 9);
    offset(r, INT32_MAX, 0);  // saturates instead of wrapping
    EXPECT_TRUE(is_valid(r) || r.empty());
}

TEST(RegionBuilderTest, RowsMergeUnlessAskedToKeepThem) {
    std::vector<Span> row{{5, 9}, {1, 3}, {2, 4}};
    RegionBuilder merged;
    for (int y = 0; y < 3; ++y) {
        std::vector<Span> copy = row;
        merged.add_row(y, copy);
    }
    const Region m = merged.finish();
    ASSERT_EQ(m.rects.size(), 2u);
    EXPECT_EQ(m.rects[0].left, 1);
    EXPECT_EQ(m.rects[0].right, 4);
    EXPECT_EQ(m.rects[0].bottom, 3);
    RegionBuilder kept(BandMerge::Keep);
    for (int y = 0; y < 3; ++y) {
        std::vector<Span> copy = row;
        kept.add_row(y, copy);
    }
    EXPECT_EQ(kept.finish().rects.size(), 6u);
}

}  // namespace
}  // namespace zg::raster
