// How glyphs become pixels: the coverage levels, the ink curve, and which sizes are drawn in
// two levels. The expected values were read from Wine's TextOutA (GetGlyphOutline's 17-level
// bitmaps laid over TextOutA's output), so a change of formula shows here first.
#include "surface/surface.h"
#include "text/font_cache.h"
#include "text/glyph_ink.h"
#include "text/text_draw.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace zg::text {
namespace {

LOGFONTA request(LONG height, LONG weight = FW_NORMAL) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FF_SWISS;
    std::strncpy(lf.lfFaceName, "Liberation Sans", LF_FACESIZE - 1);
    return lf;
}

std::uint32_t grey(int v) { return static_cast<std::uint32_t>(v * 0x010101); }

// One grey ink over one grey pixel at levels 2 to 15, as Wine drew them.
void expect_row(int text, int paper, const std::array<int, 14>& wine) {
    const Ink ink(grey(text));
    for (int level = 2; level <= 15; ++level) {
        EXPECT_EQ(ink.over(grey(paper), level), grey(wine[level - 2]))
            << "text " << text << " over " << paper << " at level " << level;
    }
}

TEST(GlyphLevels, CoverageFallsIntoSeventeenLevelsAsWindowsCountsThem) {
    EXPECT_EQ(level_of_coverage(0), 0);
    EXPECT_EQ(level_of_coverage(15), 0);
    EXPECT_EQ(level_of_coverage(16), 1);
    EXPECT_EQ(level_of_coverage(30), 1);
    EXPECT_EQ(level_of_coverage(31), 2);
    EXPECT_EQ(level_of_coverage(128), 8);
    EXPECT_EQ(level_of_coverage(240), 15);
    EXPECT_EQ(level_of_coverage(241), 16);
    EXPECT_EQ(level_of_coverage(255), 16);
}

TEST(GlyphInk, DarkTextOnLighterPaperFollowsWinesCurve) {
    expect_row(0, 255, {240, 233, 225, 217, 208, 199, 189, 178, 167, 154, 140, 124, 104, 77});
    expect_row(32, 192, {181, 177, 172, 167, 161, 156, 150, 143, 136, 128, 119, 109, 96, 80});
    expect_row(224, 255, {253, 252, 251, 250, 249, 248, 246, 245, 244, 242, 241, 239, 236, 233});
}

TEST(GlyphInk, LightTextOnDarkerPaperIsBolderThanAStraightMix) {
    expect_row(255, 0, {104, 124, 140, 154, 167, 178, 189, 199, 208, 217, 225, 233, 240, 248});
    expect_row(160, 64, {103, 111, 117, 122, 127, 131, 135, 139, 142, 146, 149, 152, 154, 157});
    expect_row(32, 0, {13, 15, 17, 19, 20, 22, 23, 24, 26, 27, 28, 29, 30, 31});
}

TEST(GlyphInk, EndsAndEqualColoursAndChannelsApart) {
    const Ink ink(0x0000FF);  // blue text
    EXPECT_EQ(ink.over(0xFFFFFF, 0), 0xFFFFFFu);
    EXPECT_EQ(ink.over(0xFFFFFF, 1), 0xFFFFFFu) << "level 1 leaves the pixel";
    EXPECT_EQ(ink.over(0xFFFFFF, 16), 0x0000FFu);
    EXPECT_EQ(ink.over(0x0000FF, 8), 0x0000FFu);
    // Each channel on its own: red and green as black over white, blue unchanged.
    EXPECT_EQ(ink.over(0xFFFFFF, 8), 0xBDBDFFu);
}

TEST(GlyphInk, GlyphsStayInsideTheGivenArea) {
    Glyph g;
    g.width = 4;
    g.height = 2;
    g.coverage.assign(8, k_full_level);
    g.spans = ink_spans(g);
    Surface surface(6, 3, 0xFFFFFF);
    Ink black(0);
    ink_glyph(surface, {1, 0, 3, 3}, g, 0, 1, black);
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(surface.row(0)[x], 0xFFFFFFu) << x;
        EXPECT_EQ(surface.row(1)[x], (x == 1 || x == 2) ? 0u : 0xFFFFFFu) << x;
    }
}

// The mixes multiply by 32.32 factors instead of dividing: for every text and paper byte and
// every grey level they must give the truncated quotients of the rule in glyph_ink.h, with
// lo_k and hi_k read back as the ink over black and over white.
TEST(GlyphInk, FactorsGiveTheTruncatedQuotientsForEveryByte) {
    int wrong = 0;
    for (int t = 0; t < 256; ++t) {
        const Ink ink(grey(t));
        for (int level = 2; level < k_full_level; ++level) {
            const int lo = static_cast<int>(ink.over(0, level) & 0xFF);
            const int hi = static_cast<int>(ink.over(0xFFFFFF, level) & 0xFF);
            for (int d = 0; d < 256; ++d) {
                int want = t;
                if (d > t) want = t + (d - t) * (hi - t) / (255 - t);
                if (d < t) want = t - (t - d) * (t - lo) / t;
                wrong += ink.over(grey(d), level) != grey(want) ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

// A remembered mix is only reused for the very same pixel, whatever its top byte.
TEST(GlyphInk, RememberedMixesMatchFreshOnes) {
    Ink ink(RGB(30, 140, 220));
    const Ink fresh(RGB(30, 140, 220));
    const std::array<std::uint32_t, 6> paper = {0xFFFFFFFFu, 0x00FFFFFFu, 0xFF123456u, 0x00123456u, 0x00123456u, 0};
    for (int level = 2; level < k_full_level; ++level) {
        for (const std::uint32_t d : paper) EXPECT_EQ(ink.mix_again(d, level), fresh.over(d, level)) << d;
    }
}

TEST(GlyphInk, SpansCoverTheInkingLevelsAndSayWhichAreSolid) {
    Glyph g;
    g.width = 8;
    g.height = 2;
    g.coverage = {0, 16, 16, 1, 5, 16, 0, 2, 16, 0, 0, 0, 0, 0, 1, 1};
    const std::vector<InkSpan> spans = ink_spans(g);
    ASSERT_EQ(spans.size(), 4u);
    const auto expect_span = [&](std::size_t i, int row, int left, int length, bool solid) {
        EXPECT_EQ(spans[i].row, row) << i;
        EXPECT_EQ(spans[i].left, left) << i;
        EXPECT_EQ(spans[i].length, length) << i;
        EXPECT_EQ(spans[i].first_level, row * g.width + left) << i;
        EXPECT_EQ(spans[i].solid, solid) << i;
    };
    expect_span(0, 0, 1, 2, true);
    expect_span(1, 0, 4, 2, false);
    expect_span(2, 0, 7, 1, false);
    expect_span(3, 1, 0, 1, true);
    g.coverage.pop_back();
    EXPECT_TRUE(ink_spans(g).empty()) << "coverage shorter than the glyph";
}

// Drawn through its spans, a grey glyph cut by any area gives what its levels give pixel by
// pixel, and nothing outside the area changes.
TEST(GlyphInk, SpansDrawWhatTheLevelsSayInsideAndOutsideTheArea) {
    const auto font = realise_font(request(-24));
    ASSERT_NE(font, nullptr);
    const Glyph& g = font->glyph('W');
    ASSERT_GT(g.width, 4);
    const std::uint32_t paper = 0x3070B0;
    const std::array<Rect, 4> areas = {Rect{0, 0, 60, 60}, Rect{12, 12, 60, 60}, Rect{0, 0, 14, 16},
                                       Rect{13, 5, 15, 40}};
    for (const Rect& area : areas) {
        Surface surface(60, 60, paper);
        Ink ink(0xF0E010);
        ink_glyph(surface, area, g, 10, 10, ink);
        int wrong = 0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                const bool in_glyph = x >= 10 && x < 10 + g.width && y >= 10 && y < 10 + g.height;
                const bool in_area = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                const int level =
                    in_glyph && in_area ? g.coverage[static_cast<std::size_t>((y - 10) * g.width + x - 10)] : 0;
                wrong += surface.row(y)[x] != ink.over(paper, level) ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << area.left << ',' << area.top << ',' << area.right << ',' << area.bottom;
    }
}

// Liberation Sans asks for greys up to 8 pixels per em and from 18 on; between, Windows
// draws two levels.
TEST(GlyphRendering, TheFontsGaspTableChoosesGreysOrTwoLevels) {
    const auto small = realise_font(request(-8));
    const auto label = realise_font(request(-12));
    const auto large = realise_font(request(-24));
    ASSERT_TRUE(small && label && large);
    EXPECT_TRUE(small->antialiased());
    EXPECT_FALSE(label->antialiased());
    EXPECT_TRUE(large->antialiased());
    for (const std::uint8_t level : label->glyph('a').coverage) EXPECT_TRUE(level == 0 || level == k_full_level);
    bool some_grey = false;
    for (const std::uint8_t level : large->glyph('a').coverage) some_grey |= level > 0 && level < k_full_level;
    EXPECT_TRUE(some_grey);
}

// Wine's opaque box for this line at a 14-pixel cell is 189 wide, while its two-level
// glyphs move the pen 190 pixels: extents come from the greys' hinting.
TEST(GlyphRendering, TwoLevelTextKeepsTheExtentOfItsGreyHinting) {
    const auto font = realise_font(request(14));
    ASSERT_NE(font, nullptr);
    const std::string line = "Vitesse R\xE9initialiser Wgjy 0123 (f/i)";
    EXPECT_EQ(text_width(*font, line), 189);
    int pen = 0;
    for (const char c : line) pen += font->glyph(static_cast<unsigned char>(c)).advance;
    EXPECT_EQ(pen, 190);
}

TEST(GlyphRendering, OpaqueBoxAndUnderlineSpanTheExtentNotThePen) {
    LOGFONTA lf = request(14);
    lf.lfUnderline = 1;
    const auto font = realise_font(lf);
    ASSERT_NE(font, nullptr);
    Surface surface(220, 20, 0x808080);
    const std::string line = "Vitesse R\xE9initialiser Wgjy 0123 (f/i)";
    draw_text(surface, {surface.bounds()}, *font, 0, 0, line, {RGB(255, 255, 255), RGB(0, 0, 0), Background::Opaque});
    EXPECT_EQ(surface.row(1)[188], 0u);
    EXPECT_EQ(surface.row(1)[189], 0x808080u);
}

}  // namespace
}  // namespace zg::text
