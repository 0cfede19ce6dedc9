// The random scene generator: a seed always means the same calls, a selection keeps exactly the
// calls it names, and malformed selections are refused rather than drawn.
#include "random_scenes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

namespace {

bool same_calls(const std::vector<scenes::RandomCall>& a, const std::vector<scenes::RandomCall>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || std::memcmp(a[i].v, b[i].v, sizeof a[i].v) != 0) return false;
    return true;
}

TEST(RandomScenes, ASeedAlwaysGivesTheSameCallsAndSeedsDiffer) {
    EXPECT_TRUE(same_calls(scenes::random_calls(42), scenes::random_calls(42)));
    EXPECT_FALSE(same_calls(scenes::random_calls(42), scenes::random_calls(43)));
    // Over a few hundred seeds every kind of call turns up, and lengths stay within 2 to 9.
    std::set<std::string> kinds;
    for (std::uint32_t seed = 0; seed < 400; ++seed) {
        const auto calls = scenes::random_calls(seed);
        ASSERT_GE(calls.size(), 2u);
        ASSERT_LE(calls.size(), 9u);
        for (const auto& c : calls) kinds.insert(scenes::kind_name(c));
    }
    EXPECT_EQ(kinds.size(), 28u);
    EXPECT_EQ(kinds.count("?"), 0u);
}

TEST(RandomScenes, ASpecKeepsTheCallsItNamesInItsOrder) {
    const auto all = scenes::random_calls(7);
    ASSERT_GE(all.size(), 3u);
    const auto kept = scenes::kept_calls("7:2.0");
    ASSERT_TRUE(kept.has_value());
    ASSERT_EQ(kept->size(), 2u);
    EXPECT_TRUE(same_calls(*kept, {all[2], all[0]}));
    const auto scene = scenes::random_scene("7:2.0");
    ASSERT_TRUE(scene.has_value());
    EXPECT_EQ(scene->name, "random_7_2.0");
    EXPECT_EQ(scenes::random_scene("7")->name, "random_7");
    EXPECT_TRUE(same_calls(*scenes::kept_calls("7"), all));
    EXPECT_TRUE(scenes::kept_calls("7:99")->empty());  // indices past the end keep nothing
}

TEST(RandomScenes, MalformedSpecsAreRefused) {
    for (const char* bad : {"", "x", "-1", "4294967296", "7;1", "7:a", "7:1.-2", "7:1,2"})
        EXPECT_FALSE(scenes::random_scene(bad).has_value()) << bad;
}

TEST(RandomScenes, DescriptionsNameTheCallAndItsNumbers) {
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
        for (const auto& c : scenes::random_calls(seed)) {
            const std::string text = scenes::describe(c);
            EXPECT_EQ(text.rfind(scenes::kind_name(c) + "(", 0), 0u) << text;
            EXPECT_NE(text.find(std::to_string(c.v[7]) + ")"), std::string::npos) << text;
        }
    }
}

// The known-deviation list tells cases apart by the sizes the description adds to shape calls:
// the box, and with a wide inside-frame pen selected before, the box inside the pen.
TEST(RandomScenes, ShapeDescriptionsGiveTheBoxAndTheBoxInsideAFramePen) {
    scenes::RandomCall pen;  // kinds and values as the generator numbers them
    pen.kind = 0;
    pen.v[7] = 6 + 7 * 5;  // PS_INSIDEFRAME, width 5
    scenes::RandomCall thin_pen = pen;
    thin_pen.v[7] = 6 + 7 * 1;  // PS_INSIDEFRAME, width 1: not shrunk
    scenes::RandomCall pie;
    pie.kind = 12;
    pie.v[0] = 40, pie.v[1] = 9, pie.v[2] = 10, pie.v[3] = 12;  // reversed corners: 30 by 3
    ASSERT_EQ(scenes::kind_name(pie), "Pie");
    const auto lines = scenes::describe_calls({pie, pen, pie, thin_pen, pie});
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[0].ends_with(")  box 30x3")) << lines[0];
    EXPECT_EQ(lines[1], scenes::describe(pen));
    EXPECT_TRUE(lines[2].ends_with(")  box 30x3, inside the pen 26x-1")) << lines[2];
    EXPECT_TRUE(lines[4].ends_with(")  box 30x3")) << lines[4];
    scenes::RandomCall round = pie;
    round.kind = 9;
    round.v[4] = 64 + 2, round.v[5] = 20;  // the corner's numbers are taken modulo 32, then cut to the box
    ASSERT_EQ(scenes::kind_name(round), "RoundRect");
    EXPECT_TRUE(scenes::describe_calls({round})[0].ends_with(")  box 30x3, corner 2x3"))
        << scenes::describe_calls({round})[0];
}

// The deviation list tells Wine's faulty tall narrow regions apart by the region's size as the
// generator creates it: an elliptic one widened to a quarter of its height, a rounded one's
// corner cut to the box, and no note for the call that selects no region.
TEST(RandomScenes, ClipRegionDescriptionsGiveTheRegionAsCreated) {
    scenes::RandomCall clip;
    clip.kind = 6;
    clip.v[0] = 23, clip.v[1] = 44, clip.v[2] = 23, clip.v[3] = 2;  // 0 by 42, plus 6 each way
    clip.v[7] = 26081;                                              // elliptic, RGN_OR
    ASSERT_EQ(scenes::kind_name(clip), "ExtSelectClipRgn");
    EXPECT_TRUE(scenes::describe_calls({clip})[0].ends_with(")  elliptic region 12x48"))
        << scenes::describe_calls({clip})[0];
    clip.v[7] = 2, clip.v[4] = 16 + 3, clip.v[5] = 15;  // rounded; corner 9 by 21, cut to 6 by 21
    EXPECT_TRUE(scenes::describe_calls({clip})[0].ends_with(")  rounded region 6x48, corner 6x21"))
        << scenes::describe_calls({clip})[0];
    clip.v[7] = 9, clip.v[6] = 0;  // RGN_COPY of no region
    EXPECT_TRUE(scenes::describe_calls({clip})[0].ends_with(")")) << scenes::describe_calls({clip})[0];
}

TEST(RandomScenes, EveryFixedSelectionNamesCallsOfItsSeed) {
    for (const std::string& selection : scenes::fixed_random_selections()) {
        const auto kept = scenes::kept_calls(selection);
        ASSERT_TRUE(kept.has_value()) << selection;
        const std::size_t colon = selection.find(':');
        ASSERT_NE(colon, std::string::npos) << selection << ": a fixed scene keeps the calls it was shrunk to";
        const auto all = scenes::kept_calls(selection.substr(0, colon));
        const std::size_t named = 1 + static_cast<std::size_t>(std::count(selection.begin(), selection.end(), '.'));
        EXPECT_EQ(kept->size(), named) << selection << ": an index past the seed's calls";
        EXPECT_LE(kept->size(), all->size()) << selection;
    }
}

}  // namespace
