// The geometry of a stretched side on its own: the closed-form stepper against the walk it
// stands for, clipping against the unclipped side, mirrors, and sources beyond the picture.
#include "raster/column_pick.h"
#include "raster/stretch_axis.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace zg::raster {
namespace {

struct Span {
    long long lo, hi;
    bool operator==(const Span&) const = default;
};

// GDI's walk written out step by step: the longer side advances one pixel a step and the
// shorter one whenever the error, started at 3*minor - 2*major, is positive.
std::vector<Span> walk(long long source, long long dest) {
    const long long minor = std::min(source, dest), major = std::max(source, dest);
    std::vector<Span> runs(static_cast<std::size_t>(dest), Span{-1, -1});
    long long err = 3 * minor - 2 * major, other = 0;
    for (long long i = 0; i < major && other < minor; ++i) {
        const long long s = dest > source ? other : i, d = dest > source ? i : other;
        Span& run = runs[static_cast<std::size_t>(d)];
        run = run.lo < 0 ? Span{s, s} : Span{run.lo, s};
        if (err > 0) {
            ++other;
            err -= 2 * major;
        }
        err += 2 * minor;
    }
    return runs;
}

std::vector<AxisSample> whole_side(long long source, long long dest, Keep keep = Keep::First) {
    return map_axis({0, dest, false}, {0, source, false}, static_cast<int>(source), 0, static_cast<int>(dest), keep,
                    SinglePixel::All);
}

TEST(StretchAxis, ClosedFormFollowsTheWalkForEveryPairOfSmallSides) {
    for (long long source = 1; source <= 40; ++source) {
        for (long long dest = 1; dest <= 40; ++dest) {
            const std::vector<Span> runs = walk(source, dest);
            const std::vector<AxisSample> first = whole_side(source, dest), last = whole_side(source, dest, Keep::Last);
            for (std::size_t d = 0; d < runs.size(); ++d) {
                ASSERT_EQ((Span{first[d].lo, first[d].hi}), runs[d]) << source << " -> " << dest << " at " << d;
                ASSERT_EQ(first[d].pick, runs[d].lo);
                ASSERT_EQ(last[d].pick, runs[d].hi);
            }
        }
    }
}

TEST(StretchAxis, OnePixelTakesAllOrAllButTheLastSourcePixel) {
    const Extent one{5, 6, false}, seven{0, 7, false};
    const AxisSample all = map_axis(one, seven, 7, 5, 6, Keep::Last, SinglePixel::All)[0];
    const AxisSample short_run = map_axis(one, seven, 7, 5, 6, Keep::Last, SinglePixel::AllButLast)[0];
    EXPECT_EQ(all.hi, 6);
    EXPECT_EQ(short_run.hi, 5);
    EXPECT_EQ(short_run.pick, 5);
}

bool same(const AxisSample& a, const AxisSample& b) { return a.pick == b.pick && a.lo == b.lo && a.hi == b.hi; }

// Every orientation, at sides of up to 2^32 pixels: the samples of a window equal the same
// pixels of a wider window, so clipping never moves a pixel.
TEST(StretchAxis, AClippedSideReadsWhatTheUnclippedOneReadsThere) {
    const long long big = 1LL << 32;
    const struct {
        Extent dst, src;
        int size;
    } sides[] = {{{-big / 2, big / 2, false}, {0, 7, false}, 7}, {{-3, 9, false}, {-big, big, false}, 1000},
                 {{-big / 2, big / 2, true}, {-2, 5, false}, 4}, {{-big / 2, big / 2, false}, {-2, 9, true}, 5},
                 {{-40, 61, true}, {1, big, true}, 1 << 30},     {{-40, 61, false}, {-5, 17, false}, 8}};
    for (const auto& side : sides) {
        for (Keep keep : {Keep::First, Keep::Last}) {
            const auto wide = map_axis(side.dst, side.src, side.size, -20, 40, keep, SinglePixel::AllButLast);
            for (int lo = -20; lo < 40; lo += 7) {
                const auto narrow = map_axis(side.dst, side.src, side.size, lo, lo + 9, keep, SinglePixel::AllButLast);
                for (int i = 0; i < 9 && lo + i < 40; ++i)
                    EXPECT_TRUE(same(narrow[static_cast<std::size_t>(i)], wide[static_cast<std::size_t>(lo + i + 20)]))
                        << "window at " << lo << ", pixel " << i;
            }
        }
    }
}

// A source wholly inside the picture, walked backwards, reads the mirror image of the forward
// walk; a destination walked backwards lays the forward walk down in reverse.
TEST(StretchAxis, MirrorsReverseTheForwardWalk) {
    for (long long source : {3, 7, 12}) {
        for (long long dest : {2, 5, 12, 30}) {
            const Extent dst{0, dest, false}, src{0, source, false};
            const auto ahead = map_axis(dst, src, 20, 0, static_cast<int>(dest), Keep::First, SinglePixel::All);
            const auto mirrored =
                map_axis(dst, {0, source, true}, 20, 0, static_cast<int>(dest), Keep::Last, SinglePixel::All);
            const auto flipped =
                map_axis({0, dest, true}, src, 20, 0, static_cast<int>(dest), Keep::First, SinglePixel::All);
            for (std::size_t d = 0; d < ahead.size(); ++d) {
                EXPECT_EQ(mirrored[d].pick, source - 1 - ahead[d].pick) << source << " -> " << dest;
                EXPECT_EQ(mirrored[d].hi - mirrored[d].lo, ahead[d].hi - ahead[d].lo);
                EXPECT_TRUE(same(flipped[d], ahead[ahead.size() - 1 - d])) << source << " -> " << dest;
            }
        }
    }
}

// Eight source pixels from -3 onto four, on a picture four wide: runs of two, the first wholly
// before the picture, the second and last cut to it with the kept pixel held at its edge.
TEST(StretchAxis, RunsBeyondThePictureAreCutAndKeepTheEdgePixel) {
    const Extent dst{0, 4, false}, src{-3, 5, false};
    const auto first = map_axis(dst, src, 4, 0, 4, Keep::First, SinglePixel::All);
    const auto last = map_axis(dst, src, 4, 0, 4, Keep::Last, SinglePixel::All);
    EXPECT_TRUE(first[0].empty());
    EXPECT_EQ((Span{first[1].lo, first[1].hi}), (Span{0, 0}));
    EXPECT_EQ(first[1].pick, 0);
    EXPECT_EQ((Span{last[2].lo, last[2].hi}), (Span{1, 2}));
    EXPECT_EQ((Span{last[3].lo, last[3].hi}), (Span{3, 3}));
    EXPECT_EQ(last[3].pick, 3);
    const SampleRange range = valid_range(first);
    EXPECT_EQ(range.first, 1);
    EXPECT_EQ(range.last, 3);
    EXPECT_FALSE(one_to_one(first, range));
    const auto copy = map_axis({0, 6, false}, {-2, 4, false}, 4, 0, 6, Keep::Last, SinglePixel::All);
    EXPECT_EQ(valid_range(copy).first, 2);
    EXPECT_TRUE(one_to_one(copy, valid_range(copy)));
}

TEST(StretchAxis, ANegativeExtentCoversItsStartPixel) {
    const Extent back = extent_from(10, -3), ahead = extent_from(10, 3);
    EXPECT_EQ((Span{back.lo, back.hi}), (Span{8, 11}));
    EXPECT_TRUE(back.reversed);
    EXPECT_EQ(back.at(0), 10);
    EXPECT_EQ((Span{ahead.lo, ahead.hi}), (Span{10, 13}));
    EXPECT_EQ(ahead.at(0), 10);
    EXPECT_EQ(extent_from(-5, 0).length(), 0);
}

// The eight-at-a-time picking (where the processor has it) against one pixel at a time, over the
// tables of enlarged, mirrored, reduced and clipped sides, on rows exactly the picture's width
// (a window read past the row's end would show under AddressSanitizer).
TEST(ColumnPicks, PickWhatTheTableNames) {
    std::mt19937 random(22);
    for (int round = 0; round < 3000; ++round) {
        const int source = 1 + static_cast<int>(random() % 40), dest = 1 + static_cast<int>(random() % 120);
        const bool mirrored = random() % 3 == 0;
        const int vis_lo = static_cast<int>(random() % static_cast<unsigned>(dest));
        const int vis_hi = vis_lo + 1 + static_cast<int>(random() % static_cast<unsigned>(dest - vis_lo));
        const std::vector<AxisSample> samples =
            map_axis({0, dest, mirrored}, {0, source, false}, source, vis_lo, vis_hi, Keep::Last, SinglePixel::All);
        std::vector<std::int32_t> columns;
        for (const AxisSample& s : samples) columns.push_back(static_cast<std::int32_t>(s.pick));
        std::vector<std::uint32_t> line(static_cast<std::size_t>(source)), out(columns.size(), 0);
        for (std::size_t i = 0; i < line.size(); ++i)
            line[i] = 0x01000000u * static_cast<std::uint32_t>(round) + static_cast<std::uint32_t>(i);
        ColumnPicks(columns, source).pick(out.data(), line.data());
        for (std::size_t i = 0; i < columns.size(); ++i)
            ASSERT_EQ(out[i], line[static_cast<std::size_t>(columns[i])])
                << source << " -> " << dest << (mirrored ? " mirrored" : "") << ", pixel " << i;
    }
}

}  // namespace
}  // namespace zg::raster
