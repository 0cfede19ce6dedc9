// The text module's parts without a DC: the code page, GDI's size rule, font matching, the
// glyph cache, and painting on a bare surface (clipping, damage, blending).
#include "surface/surface.h"
#include "text/cp1252.h"
#include "text/font_cache.h"
#include "text/text_draw.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zg::text {
namespace {

LOGFONTA request(LONG height, LONG weight, BYTE family = FF_SWISS, const char* face = "") {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = family;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

TEST(Cp1252, MapsTheHighControlsAndLeavesTheUndefinedOnesEmpty) {
    EXPECT_EQ(cp1252_to_unicode('A'), U'A');
    EXPECT_EQ(cp1252_to_unicode(0xE9), U'\u00E9');
    EXPECT_EQ(cp1252_to_unicode(0x80), U'\u20AC');
    EXPECT_EQ(cp1252_to_unicode(0x92), U'\u2019');
    EXPECT_EQ(cp1252_to_unicode(0x9F), U'\u0178');
    EXPECT_EQ(cp1252_to_unicode(0xA0), U'\u00A0');
    for (const int undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(cp1252_to_unicode(static_cast<unsigned char>(undefined)), 0u) << undefined;
    }
}

TEST(FontSize, PositiveHeightTakesTheLargestEmWhoseCellFits) {
    // Liberation Sans: 2048 units per em, a cell of 1854 + 434 units. Wine picks these ppems.
    EXPECT_EQ(ppem_for_height(10, 2048, 2288), 9);
    EXPECT_EQ(ppem_for_height(13, 2048, 2288), 12);
    EXPECT_EQ(ppem_for_height(14, 2048, 2288), 12) << "ppem 13 would make a 15-pixel cell";
    EXPECT_EQ(ppem_for_height(24, 2048, 2288), 21);
    EXPECT_EQ(ppem_for_height(33, 2048, 2288), 29);
    EXPECT_EQ(ppem_for_height(-14, 2048, 2288), 14);
    EXPECT_EQ(ppem_for_height(0, 2048, 2288), 14) << "0 asks for a cell of 16";
}

TEST(FontSize, ExtremeHeightsStayBoundedAndPositive) {
    EXPECT_GE(ppem_for_height(1, 2048, 2288), 1);
    EXPECT_LE(ppem_for_height(2147483647LL, 2048, 2288), 1000);
    EXPECT_LE(ppem_for_height(-2147483648LL, 2048, 2288), 1000);
    EXPECT_GE(ppem_for_height(5, 2048, 0), 1);
}

TEST(FontSize, ScaledUnitsRoundHalfUpOnBothSides) {
    EXPECT_EQ(scale_units(1854, 12, 2048), 11);  // 10.86
    EXPECT_EQ(scale_units(434, 12, 2048), 3);    // 2.54
    EXPECT_EQ(scale_units(1024, 1, 2048), 1);    // 0.5 rounds up
    EXPECT_EQ(scale_units(-67, 14, 2048), 0);    // -0.46
    EXPECT_EQ(scale_units(-200, 14, 2048), -1);  // -1.37
}

TEST(FontWidth, TheStretchIsTheWidthOverTheNaturalAverageAsARoundedFraction) {
    // The System font: em 14, cell 16, natural average 9, width 7.
    EXPECT_EQ(width_scale_for(7, 14, 16, 9), 50972);   // 7 / 9 = 50972.4 / 65536
    EXPECT_EQ(width_scale_for(5, 14, 16, 9), 36409);   // 36408.9 rounds up
    EXPECT_EQ(width_scale_for(-7, 14, 16, 9), 50972);  // the sign is ignored
    EXPECT_EQ(width_scale_for(9, 14, 16, 9), 0x10000);
}

TEST(FontWidth, NoWidthAWidthBeyondAHundredCellsOrNoAverageMeansNoStretch) {
    EXPECT_EQ(width_scale_for(0, 14, 16, 9), 0x10000);
    EXPECT_EQ(width_scale_for(1600, 14, 16, 9), 11650844);  // 1600 / 9, within the limit
    EXPECT_EQ(width_scale_for(1601, 14, 16, 9), 0x10000);
    EXPECT_EQ(width_scale_for(-2147483647 - 1LL, 14, 16, 9), 0x10000);
    EXPECT_EQ(width_scale_for(7, 14, 16, 0), 0x10000);
    EXPECT_EQ(width_scale_for(7, 0, 0, 9), 0x10000);
}

TEST(FontWidth, AStretchedGlyphStaysWithinTheLargestEmsArea) {
    // A glyph is at most 1000 x 1000 pixels: at an em of 500, four times its natural width.
    EXPECT_EQ(width_scale_for(50000, 500, 550, 250), 4 * 0x10000);
    EXPECT_EQ(width_scale_for(900, 500, 550, 250), 235930);  // 3.6, below the bound
    EXPECT_EQ(width_scale_for(100000, 1000, 1100, 500), 0x10000);
}

TEST(FontMatching, UnknownFaceNamesFallBackByFamily) {
    std::shared_ptr<Font> swiss = realise_font(request(14, FW_NORMAL, FF_SWISS, "No Such Face 1234"));
    std::shared_ptr<Font> arial = realise_font(request(14, FW_NORMAL, FF_DONTCARE, "Arial"));
    ASSERT_NE(swiss, nullptr);
    ASSERT_NE(arial, nullptr);
    EXPECT_EQ(swiss->face_name(), arial->face_name());
    std::shared_ptr<Font> roman = realise_font(request(14, FW_NORMAL, FF_ROMAN));
    ASSERT_NE(roman, nullptr);
    EXPECT_NE(roman->face_name(), arial->face_name());
}

TEST(FontMatching, AFaceNameWithoutTerminatorIsReadToTheFieldsEnd) {
    LOGFONTA lf = request(14, FW_NORMAL);
    std::memset(lf.lfFaceName, 'A', LF_FACESIZE);
    EXPECT_NE(realise_font(lf), nullptr);
}

TEST(FontCache, TheSameRequestIsOneFontAndGlyphsAreKept) {
    std::shared_ptr<Font> a = realise_font(request(14, FW_BOLD));
    std::shared_ptr<Font> b = realise_font(request(14, FW_BOLD));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a.get(), b.get());
    EXPECT_NE(a.get(), realise_font(request(14, FW_NORMAL)).get());
    const Glyph* first = &a->glyph('V');
    EXPECT_EQ(first, &a->glyph('V'));
    EXPECT_GT(first->advance, 0);
    EXPECT_FALSE(first->coverage.empty());
}

TEST(FontSynthesis, MissingItalicIsSlantedAndKeepsTheAdvance) {
    std::shared_ptr<Font> upright = realise_font(request(20, FW_NORMAL, FF_SWISS, "DejaVu Sans Mono"));
    LOGFONTA lf = request(20, FW_NORMAL, FF_SWISS, "DejaVu Sans Mono");
    lf.lfItalic = 1;
    std::shared_ptr<Font> slanted = realise_font(lf);
    ASSERT_NE(upright, nullptr);
    ASSERT_NE(slanted, nullptr);
    EXPECT_EQ(slanted->advance('l'), upright->advance('l'));
    EXPECT_TRUE(slanted->italic());
}

class Painting : public ::testing::Test {
protected:
    static constexpr std::uint32_t k_paper = 0x00FF00;
    Surface m_surface{120, 40, k_paper};
    std::shared_ptr<Font> m_font = realise_font(request(14, FW_BOLD));
};

TEST_F(Painting, OpaqueIsClippedToTheGivenRectangles) {
    ASSERT_NE(m_font, nullptr);
    const Rect clip{10, 0, 20, 40};
    draw_text(m_surface, {clip}, *m_font, 0, 0, "Vitesse", {RGB(0, 0, 0), RGB(0, 0, 255), Background::Opaque});
    std::uint32_t p = 0;
    ASSERT_TRUE(m_surface.get(9, 5, p));
    EXPECT_EQ(p, k_paper);
    ASSERT_TRUE(m_surface.get(20, 5, p));
    EXPECT_EQ(p, k_paper);
    ASSERT_TRUE(m_surface.get(10, m_font->metrics().height() - 1, p));
    EXPECT_EQ(p, 0x0000FFu);
    const Rect damage = m_surface.take_damage();
    EXPECT_GE(damage.left, 10);
    EXPECT_LE(damage.right, 20);
}

TEST_F(Painting, UnderlineSpansTheAdvanceBelowTheBaseline) {
    LOGFONTA lf = request(14, FW_NORMAL);
    lf.lfUnderline = 1;
    std::shared_ptr<Font> font = realise_font(lf);
    ASSERT_NE(font, nullptr);
    draw_text(m_surface, {m_surface.bounds()}, *font, 0, 0, "ab", {RGB(255, 0, 0), 0, Background::Transparent});
    const FontMetrics& m = font->metrics();
    const int row = m.ascent - m.underline_position - m.underline_thickness / 2;
    const int width = text_width(*font, "ab");
    for (int x = 0; x < width; ++x) EXPECT_EQ(m_surface.row(row)[x], 0xFF0000u) << x;
    EXPECT_EQ(m_surface.row(row)[width], k_paper);
}

}  // namespace
}  // namespace zg::text
