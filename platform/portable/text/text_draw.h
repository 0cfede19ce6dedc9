// Laying out and painting a line of text in a realised font: pure functions of a surface, a
// font and the colours, so they are tested without any DC. Text is either Windows-1252 bytes
// (the "A" calls) or UTF-16 units (the "W" calls), one glyph a byte or a unit.
//
// Glyph coverage is inked over what is there in the text colour (glyph_ink.h); in OPAQUE mode the text's extent rectangle (its advances by the cell height) is first
// filled with the background colour. The mix mode never applies to text. Everything is
// clipped to the given rectangles (the surface, or the DC's clip region within it), and the
// painted area is added to the surface's damage.
#pragma once

#include "surface/surface.h"
#include "text/font.h"

#include <platform/win32.h>

#include <span>
#include <string_view>
#include <vector>

namespace zg::text {

enum class Background : std::uint8_t { Transparent, Opaque };

struct TextPaint {
    COLORREF text_color = 0;
    COLORREF bk_color = 0;
    Background background = Background::Transparent;
};

// Sum of the hinted advances.
int text_width(Font& font, std::string_view bytes);
int text_width(Font& font, std::u16string_view units);

// Paints the text with the top-left corner of its cell at (x, top).
void draw_text(Surface& surface, std::span<const Rect> clips, Font& font, int x, int top, std::string_view bytes,
               const TextPaint& paint);
void draw_text(Surface& surface, const std::vector<Rect>& clips, Font& font, int x, int top, std::string_view bytes,
               const TextPaint& paint);
void draw_text(Surface& surface, std::span<const Rect> clips, Font& font, int x, int top, std::u16string_view units,
               const TextPaint& paint);

}  // namespace zg::text
