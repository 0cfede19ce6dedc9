// The random scene generator: a seed always means the same calls, a selection keeps exactly the
// calls it names, and malformed selections are refused rather than drawn.
#include "random_scenes.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(kinds.size(), 26u);
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

}  // namespace
