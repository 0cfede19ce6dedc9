// The font cache's bounds and the pen's range: a program that asks for endless sizes or face
// names, or draws a huge line, must hold bounded memory and mappings and never wrap around.
#include "surface/surface.h"
#include "text/font_cache.h"
#include "text/lru_cache.h"
#include "text/text_draw.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

namespace zg::text {
namespace {

LOGFONTA request(LONG height, const std::string& face = "") {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FF_SWISS;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return lf;
}

// Resident kilobytes now, from /proc.
long resident_kb() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    }
    return -1;
}

long mapping_count() {
    std::ifstream maps("/proc/self/maps");
    long lines = 0;
    for (std::string line; std::getline(maps, line);) ++lines;
    return lines;
}

// A repeated request is answered from memory: it must still be the font of that request,
// and only bytes up to the face name's terminator may be ignored.
TEST(FontCache, RepeatedRequestsGetTheirOwnFont) {
    LOGFONTA plain = request(-15, "Liberation Sans");
    const auto first = realise_font(plain);
    ASSERT_NE(first, nullptr);
    std::memset(plain.lfFaceName + 16, 'x', LF_FACESIZE - 17);  // after the terminator
    EXPECT_EQ(realise_font(plain), first);
    LOGFONTA underlined = plain;
    underlined.lfUnderline = 1;
    const auto second = realise_font(underlined);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->underline());
    EXPECT_FALSE(realise_font(plain)->underline());
    EXPECT_EQ(realise_font(plain), first);
    EXPECT_EQ(realise_font(request(-16, "Liberation Sans"))->metrics().ppem, 16);
}

TEST(LruCache, ForgetsTheLeastRecentlyUsedAndFindRefreshes) {
    LruCache<int> cache(2);
    cache.insert("a", 1);
    cache.insert("b", 2);
    ASSERT_NE(cache.find("a"), nullptr);  // now b is the oldest
    cache.insert("c", 3);
    EXPECT_EQ(cache.find("b"), nullptr);
    ASSERT_NE(cache.find("a"), nullptr);
    EXPECT_EQ(*cache.find("a"), 1);
    cache.insert("a", 10);  // replacing keeps one entry
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(*cache.find("a"), 10);
    int calls = 0;
    cache.shrink_while([&calls] { return ++calls < 100; });
    EXPECT_EQ(cache.size(), 1u) << "the newest entry stays";
    EXPECT_NE(cache.find("a"), nullptr);
}

// AddressSanitizer keeps freed memory aside, so the resident size says nothing there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool k_resident_size_meaningful = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool k_resident_size_meaningful = false;
#else
constexpr bool k_resident_size_meaningful = true;
#endif
#else
constexpr bool k_resident_size_meaningful = true;
#endif

TEST(FontCacheBounds, AThousandSizesEachDrawnHoldFewMegabytes) {
    Surface surface(64, 32, 0xFFFFFF);
    const long before = resident_kb();
    ASSERT_GT(before, 0);
    const LONG sizes = k_resident_size_meaningful ? 1000 : 200;
    for (LONG size = 1; size <= sizes; ++size) {
        auto font = realise_font(request(-size));
        ASSERT_NE(font, nullptr) << size;
        draw_text(surface, {surface.bounds()}, *font, 0, 0, "abc", {0, 0, Background::Transparent});
    }
    const long grown_kb = resident_kb() - before;
    if (k_resident_size_meaningful) {
        EXPECT_LT(grown_kb, 64 * 1024) << "resident size grew by " << grown_kb << " kB";
    }
    const FontCacheCounts counts = font_cache_counts();
    EXPECT_LE(counts.fonts, 32u);
    EXPECT_LE(counts.glyph_bytes, (std::size_t{16} << 20) + Font::k_glyph_budget);
    EXPECT_LE(counts.files, 4u) << "every size of one face shares its file";
}

TEST(FontCacheBounds, ThousandsOfUnknownFaceNamesMapTheFileOnce) {
    realise_font(request(-14, "Warm-up Face"));
    const long before = mapping_count();
    for (int i = 0; i < 3000; ++i) {
        auto font = realise_font(request(-14, "No Such Face " + std::to_string(i)));
        ASSERT_NE(font, nullptr) << i;
        EXPECT_GT(font->advance('W'), 0);
    }
    EXPECT_LT(mapping_count() - before, 32) << "mappings grew from " << before;
    EXPECT_LE(font_cache_counts().matches, 64u);
}

TEST(FontCacheBounds, AFontStaysUsableAfterTheCacheForgetsIt) {
    auto kept = realise_font(request(-30));
    ASSERT_NE(kept, nullptr);
    const int advance = kept->advance('M');
    for (LONG size = 40; size < 140; ++size) ASSERT_NE(realise_font(request(-size)), nullptr);
    EXPECT_EQ(kept->glyph('M').extent_advance, advance);
    EXPECT_FALSE(kept->glyph('M').coverage.empty());
}

TEST(FontCacheBounds, OneHugeFontKeepsItsGlyphsWithinItsBudget) {
    auto font = realise_font(request(-1000));
    ASSERT_NE(font, nullptr);
    for (int c = 'A'; c <= 'Z'; ++c) {
        EXPECT_GT(font->glyph(static_cast<unsigned char>(c)).width, 0) << char(c);
        EXPECT_LE(font->glyph_bytes(), Font::k_glyph_budget);
    }
}

// 10 MiB of 'W' at 1000 pixels per em move the pen about 2^33 pixels: far past any int.
TEST(TextPen, AHugeLineRightOfTheSurfaceNeverWrapsOntoIt) {
    constexpr std::uint32_t paper = 0x00FF00;
    Surface surface(1000, 1200, paper);
    auto font = realise_font(request(-1000));
    ASSERT_NE(font, nullptr);
    const std::string line(std::size_t{10} << 20, 'W');
    draw_text(surface, {surface.bounds()}, *font, 1200, 0, line, {0, 0, Background::Transparent});
    long changed = 0;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) changed += surface.row(y)[x] != paper ? 1 : 0;
    }
    EXPECT_EQ(changed, 0);
}

TEST(TextPen, AHugeLineFromTheLeftStillDrawsWhereItIsVisible) {
    constexpr std::uint32_t paper = 0x00FF00;
    Surface surface(200, 40, paper);
    auto font = realise_font(request(-20));
    ASSERT_NE(font, nullptr);
    const std::string line(std::size_t{1} << 20, 'W');
    const int start = -font->glyph('W').advance * 1000 + 3;  // 1000 glyphs before the edge
    draw_text(surface, {surface.bounds()}, *font, start, 0, line, {0, 0, Background::Transparent});
    // The same pixels as the short line drawn where the 1001st glyph lands.
    Surface expected(200, 40, paper);
    draw_text(expected, {expected.bounds()}, *font, 3 - font->glyph('W').advance, 0, std::string(20, 'W'),
              {0, 0, Background::Transparent});
    for (int y = 0; y < 40; ++y) {
        ASSERT_EQ(0, std::memcmp(surface.row(y), expected.row(y), 200 * sizeof(std::uint32_t))) << y;
    }
}

}  // namespace
}  // namespace zg::text
