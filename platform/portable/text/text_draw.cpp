// Text layout and painting; see text_draw.h.
//
// Underline and strike-out are filled rectangles across the whole advance, thickness rows
// high, their top row at baseline - position - thickness / 2, which is where Windows (and
// Wine) put them.
#include "text/text_draw.h"

#include "text/cp1252.h"
#include "text/glyph_ink.h"

#include <algorithm>
#include <cstdint>

namespace zg::text {

namespace {

constexpr long long k_max_width = 1LL << 28;  // far past any surface; keeps sums in range

void fill(Surface& surface, const Rect& area, std::uint32_t pixel) {
    for (int y = area.top; y < area.bottom; ++y) {
        std::fill(surface.row(y) + area.left, surface.row(y) + area.right, pixel);
    }
}

Rect decoration(int x, int width, int baseline, int position, int thickness) {
    const int top = baseline - position - thickness / 2;
    return {x, top, x + width, top + thickness};
}

// The ink of the last text drawn, with the mixes it remembers: labels come in few colours,
// one after another. The text module runs on one thread (as the font cache does).
Ink& ink_for(std::uint32_t pixel, bool with_greys) {
    static Ink last(0, false);
    if (last.pixel() != (pixel & 0xFFFFFFu) || (with_greys && !last.with_greys())) last = Ink(pixel, with_greys);
    return last;
}

// The character of one unit of text: a Windows-1252 byte, or a UTF-16 unit as it is.
char32_t code_of(char byte) { return cp1252_to_unicode(static_cast<unsigned char>(byte)); }
char32_t code_of(char16_t unit) { return unit; }

template <typename Unit>
int width_of(Font& font, std::basic_string_view<Unit> text) {
    long long width = 0;
    for (const Unit unit : text) {
        width = std::min<long long>(width + font.advance(code_of(unit)), k_max_width);
    }
    return static_cast<int>(width);
}

template <typename Unit>
void paint_in(Surface& surface, const Rect& clip, Font& font, int x, int top, std::basic_string_view<Unit> text,
              const TextPaint& paint, int width) {
    const FontMetrics& m = font.metrics();
    Ink& ink = ink_for(to_pixel(paint.text_color), font.antialiased());
    if (paint.background == Background::Opaque) {
        fill(surface, intersect({x, top, x + width, top + m.height()}, clip), to_pixel(paint.bk_color));
    }
    const int baseline = top + m.ascent;
    // Ink stays within the cell's rows, as Wine draws it: accents of capitals that hinting
    // lifts above the ascent (À at a 10-pixel cell) are cut there.
    const Rect glyph_clip = intersect(clip, {clip.left, top, clip.right, top + m.height()});
    // The pen runs in 64 bits and stops at the clip's right edge: advances are never
    // negative, and no glyph reaches further than an em beyond its pen position.
    const long long reach = m.ppem;
    long long pen = x;
    for (const Unit unit : text) {
        if (pen - reach >= clip.right) break;
        const char32_t code = code_of(unit);
        if (pen + 2 * reach < clip.left) {
            pen += font.glyph(code).advance;
            continue;
        }
        const Glyph& g = font.glyph(code);
        ink_glyph(surface, glyph_clip, g, static_cast<int>(pen) + g.left, baseline - g.top, ink);
        pen += g.advance;
    }
    if (font.underline()) {
        fill(surface, intersect(decoration(x, width, baseline, m.underline_position, m.underline_thickness), clip),
             ink.pixel());
    }
    if (font.strikeout()) {
        fill(surface, intersect(decoration(x, width, baseline, m.strikeout_position, m.strikeout_thickness), clip),
             ink.pixel());
    }
}

template <typename Unit>
void draw_units(Surface& surface, std::span<const Rect> clips, Font& font, int x, int top,
                std::basic_string_view<Unit> text, const TextPaint& paint) {
    const int width = width_of(font, text);
    // Glyphs may overhang their cell (italics, accents): the damage covers the ink too.
    const int overhang = font.metrics().ppem;
    const Rect reach{x - overhang, top - overhang, x + width + overhang, top + font.metrics().height() + overhang};
    for (const Rect& clip : clips) {
        const Rect area = intersect(intersect(clip, surface.bounds()), reach);
        if (area.empty()) continue;
        paint_in(surface, area, font, x, top, text, paint, width);
        surface.add_damage(area);
    }
}

}  // namespace

int text_width(Font& font, std::string_view bytes) { return width_of(font, bytes); }

int text_width(Font& font, std::u16string_view units) { return width_of(font, units); }

void draw_text(Surface& surface, std::span<const Rect> clips, Font& font, int x, int top, std::string_view bytes,
               const TextPaint& paint) {
    draw_units(surface, clips, font, x, top, bytes, paint);
}

void draw_text(Surface& surface, std::span<const Rect> clips, Font& font, int x, int top, std::u16string_view units,
               const TextPaint& paint) {
    draw_units(surface, clips, font, x, top, units, paint);
}

void draw_text(Surface& surface, const std::vector<Rect>& clips, Font& font, int x, int top, std::string_view bytes,
               const TextPaint& paint) {
    draw_text(surface, std::span<const Rect>(clips), font, x, top, bytes, paint);
}

}  // namespace zg::text
