// Text layout and painting; see text_draw.h.
//
// Underline and strike-out are filled rectangles across the whole advance, thickness rows
// high, their top row at baseline - position - thickness / 2, which is where Windows (and
// Wine) put them.
#include "text/text_draw.h"

#include <algorithm>
#include <cstdint>

namespace zg::text {

namespace {

constexpr long long k_max_width = 1LL << 28;  // far past any surface; keeps sums in range

// One channel of src over dst at coverage a (0..255), rounded.
inline std::uint32_t blend_channel(std::uint32_t src, std::uint32_t dst, std::uint32_t a) {
    const std::uint32_t v = src * a + dst * (255 - a) + 128;
    return (v + (v >> 8)) >> 8;
}

inline std::uint32_t blend(std::uint32_t src, std::uint32_t dst, std::uint32_t a) {
    if (a == 255) return src;
    const std::uint32_t r = blend_channel((src >> 16) & 0xFF, (dst >> 16) & 0xFF, a);
    const std::uint32_t g = blend_channel((src >> 8) & 0xFF, (dst >> 8) & 0xFF, a);
    const std::uint32_t b = blend_channel(src & 0xFF, dst & 0xFF, a);
    return (r << 16) | (g << 8) | b;
}

void fill(Surface& surface, const Rect& area, std::uint32_t pixel) {
    for (int y = area.top; y < area.bottom; ++y) {
        std::fill(surface.row(y) + area.left, surface.row(y) + area.right, pixel);
    }
}

// Blends one glyph's coverage with its first row at `top` and first column at `left`.
void blend_glyph(Surface& surface, const Rect& clip, const Glyph& glyph, int left, int top,
                 std::uint32_t pixel) {
    const Rect box = intersect({left, top, left + glyph.width, top + glyph.height}, clip);
    if (box.empty()) return;
    for (int y = box.top; y < box.bottom; ++y) {
        const std::uint8_t* cov = glyph.coverage.data() +
                                  static_cast<std::ptrdiff_t>(y - top) * glyph.width - left;
        std::uint32_t* row = surface.row(y);
        for (int x = box.left; x < box.right; ++x) {
            if (cov[x] != 0) row[x] = blend(pixel, row[x], cov[x]);
        }
    }
}

Rect decoration(int x, int width, int baseline, int position, int thickness) {
    const int top = baseline - position - thickness / 2;
    return {x, top, x + width, top + thickness};
}

void paint_in(Surface& surface, const Rect& clip, Font& font, int x, int top,
              std::string_view bytes, const TextPaint& paint, int width) {
    const FontMetrics& m = font.metrics();
    const std::uint32_t ink = to_pixel(paint.text_color);
    if (paint.background == Background::Opaque) {
        fill(surface, intersect({x, top, x + width, top + m.height()}, clip), to_pixel(paint.bk_color));
    }
    const int baseline = top + m.ascent;
    // The pen runs in 64 bits and stops at the clip's right edge: advances are never
    // negative, and no glyph reaches further than an em beyond its pen position.
    const long long reach = m.ppem;
    long long pen = x;
    for (const char c : bytes) {
        if (pen - reach >= clip.right) break;
        const auto byte = static_cast<unsigned char>(c);
        if (pen + 2 * reach < clip.left) {
            pen += font.advance(byte);
            continue;
        }
        const Glyph& g = font.glyph(byte);
        blend_glyph(surface, clip, g, static_cast<int>(pen) + g.left, baseline - g.top, ink);
        pen += g.advance;
    }
    if (font.underline()) {
        fill(surface, intersect(decoration(x, width, baseline, m.underline_position, m.underline_thickness), clip), ink);
    }
    if (font.strikeout()) {
        fill(surface, intersect(decoration(x, width, baseline, m.strikeout_position, m.strikeout_thickness), clip), ink);
    }
}

}  // namespace

int text_width(Font& font, std::string_view bytes) {
    long long width = 0;
    for (const char c : bytes) {
        width = std::min<long long>(width + font.advance(static_cast<unsigned char>(c)), k_max_width);
    }
    return static_cast<int>(width);
}

void draw_text(Surface& surface, const std::vector<Rect>& clips, Font& font, int x, int top,
               std::string_view bytes, const TextPaint& paint) {
    const int width = text_width(font, bytes);
    // Glyphs may overhang their cell (italics, accents): the damage covers the ink too.
    const int overhang = font.metrics().ppem;
    const Rect reach{x - overhang, top - overhang, x + width + overhang,
                     top + font.metrics().height() + overhang};
    for (const Rect& clip : clips) {
        const Rect area = intersect(intersect(clip, surface.bounds()), reach);
        if (area.empty()) continue;
        paint_in(surface, area, font, x, top, bytes, paint, width);
        surface.add_damage(area);
    }
}

}  // namespace zg::text
