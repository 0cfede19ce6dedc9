// The named colours: the count, the values that differ from other colour tables, and the names.
#include <graphics/palette.h>

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

TEST(Palette, Has144DistinctNamesWithoutNumberedShades) {
    EXPECT_EQ(NAMED_COLOR_COUNT, 144u);
    std::set<std::string> names;
    for (const NamedColor& entry : NAMED_COLORS) {
        const std::string name(entry.name);
        EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(name.back()))) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 144u);
    EXPECT_STREQ(NAMED_COLORS[0].name, "SNOW");
    EXPECT_STREQ(NAMED_COLORS[143].name, "LIGHTGREEN");
    EXPECT_STREQ(NAMED_COLORS[96].name, "INDIAN_RED");
    EXPECT_EQ(NAMED_COLORS[96].value, INDIAN_RED);
}

TEST(Palette, ValuesFollowTheX11Database) {
    EXPECT_EQ(WHITE, color(255, 255, 255));
    EXPECT_EQ(BLACK, color(0, 0, 0));
    EXPECT_EQ(SNOW, color(255, 250, 250));
    EXPECT_EQ(GRAY, color(190, 190, 190));
    EXPECT_EQ(GREY, GRAY);
    EXPECT_EQ(LIGHTGRAY, color(211, 211, 211));
    EXPECT_EQ(DARKGREY, color(169, 169, 169));
    EXPECT_EQ(GREEN, color(0, 255, 0));
    EXPECT_EQ(MAROON, color(176, 48, 96));
    EXPECT_EQ(PURPLE, color(160, 32, 240));
    EXPECT_EQ(NAVYBLUE, NAVY);
    EXPECT_EQ(NAVY, color(0, 0, 128));
    EXPECT_EQ(INDIAN_RED, INDIANRED);
    EXPECT_EQ(INDIANRED, color(205, 92, 92));
    EXPECT_EQ(LIGHTSLATEBLUE, color(132, 112, 255));
    EXPECT_EQ(LIGHTGOLDENROD, color(238, 221, 130));
    EXPECT_EQ(VIOLETRED, color(208, 32, 144));
    EXPECT_EQ(DARKMAGENTA, color(139, 0, 139));
    EXPECT_EQ(LIGHTGREEN, color(144, 238, 144));
}
