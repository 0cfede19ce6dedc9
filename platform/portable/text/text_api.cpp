// The text calls of GDI: TextOutA/W, GetTextExtentPoint32A/W, GetTextMetricsA, GetTextFaceA.
//
// Each resolves the DC's font (the selected font object's request, or the default font when
// the DC has none) through the font cache. "A" text is Windows-1252 bytes, "W" text UTF-16
// units; both draw one glyph a unit and share everything else. Results for bad arguments are
// Wine's: a bad DC or a negative count fails; an empty or null text with a zero count
// succeeds (the extent of nothing is 0 x 0).
#include "dc/device_context.h"
#include "dc/visible_area.h"
#include "text/font_cache.h"
#include "text/text_draw.h"
#include "memory_guard.h"

#include <platform/win32.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

using zg::DeviceContext;
using zg::text::Font;

constexpr long long k_coordinate_limit = 1LL << 28;  // beyond it nothing can be visible

std::shared_ptr<Font> font_of(DeviceContext& dc) {
    const zg::FontObject* font = dc.font_object();
    return zg::text::realise_font(font != nullptr ? font->logfont : zg::text::default_logfont());
}

// The reference point's offset to the cell's top-left corner, from the alignment flags.
// TA_CENTER and TA_BASELINE include the bits of TA_RIGHT and TA_BOTTOM, so test them first.
long long horizontal_offset(UINT align, int width) {
    if ((align & TA_CENTER) == TA_CENTER) return -(width / 2);
    if ((align & TA_RIGHT) != 0) return -width;
    return 0;
}

long long vertical_offset(UINT align, const zg::text::FontMetrics& m) {
    if ((align & TA_BASELINE) == TA_BASELINE) return -m.ascent;
    if ((align & TA_BOTTOM) != 0) return -m.height();
    return 0;
}

// With TA_UPDATECP the current position moves by the advance: right for left-aligned text,
// left for right-aligned text, not at all for centred text.
long long advanced_x(UINT align, long long x, int width) {
    if ((align & TA_CENTER) == TA_CENTER) return x;
    if ((align & TA_RIGHT) != 0) return x - width;
    return x + width;
}

int clamp_coordinate(long long v) { return static_cast<int>(std::clamp(v, -k_coordinate_limit, k_coordinate_limit)); }

template <typename Unit>
void paint(DeviceContext& dc, Font& font, long long left, long long top, std::basic_string_view<Unit> text) {
    zg::Surface* surface = dc.surface();
    if (surface == nullptr) return;
    const zg::text::TextPaint colours{
        dc.text_color, dc.bk_color,
        dc.bk_mode == OPAQUE ? zg::text::Background::Opaque : zg::text::Background::Transparent};
    // The visible rectangles lie inside the surface already; draw_text cuts them to the text.
    const zg::VisibleArea visible(dc, *surface);
    zg::text::draw_text(*surface, visible.rects(), font, clamp_coordinate(left), clamp_coordinate(top), text, colours);
}

template <typename Unit>
BOOL text_out(HDC hdc, int x, int y, const Unit* text, int count) {
    return zg::within_memory(FALSE, [&]() -> BOOL {
        DeviceContext* dc = zg::lookup_dc(hdc);
        if (dc == nullptr || count < 0) return FALSE;
        if (count == 0) return TRUE;
        if (text == nullptr) return FALSE;
        const std::shared_ptr<Font> font = font_of(*dc);
        if (font == nullptr) return FALSE;
        const std::basic_string_view<Unit> units(text, static_cast<std::size_t>(count));
        const int width = zg::text::text_width(*font, units);
        const UINT align = dc->text_align;
        const bool update_cp = (align & TA_UPDATECP) != 0;
        const long long ref_x = update_cp ? dc->position.x : x;
        const long long ref_y = update_cp ? dc->position.y : y;
        paint(*dc, *font, ref_x + horizontal_offset(align, width), ref_y + vertical_offset(align, font->metrics()),
              units);
        if (update_cp) {
            dc->position.x =
                static_cast<LONG>(std::clamp<long long>(advanced_x(align, ref_x, width), INT_MIN, INT_MAX));
        }
        return TRUE;
    });
}

template <typename Unit>
BOOL text_extent(HDC hdc, const Unit* text, int count, LPSIZE size) {
    return zg::within_memory(FALSE, [&]() -> BOOL {
        DeviceContext* dc = zg::lookup_dc(hdc);
        if (dc == nullptr || size == nullptr || count < 0) return FALSE;
        if (count == 0 || text == nullptr) {
            *size = {0, 0};
            return TRUE;
        }
        const std::shared_ptr<Font> font = font_of(*dc);
        if (font == nullptr) return FALSE;
        size->cx = zg::text::text_width(*font, std::basic_string_view<Unit>(text, static_cast<std::size_t>(count)));
        size->cy = font->metrics().height();
        return TRUE;
    });
}

}  // namespace

extern "C" {

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) { return text_out(hdc, x, y, text, count); }

BOOL WINAPI TextOutW(HDC hdc, int x, int y, LPCWSTR text, int count) { return text_out(hdc, x, y, text, count); }

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    return text_extent(hdc, text, count, size);
}

BOOL WINAPI GetTextExtentPoint32W(HDC hdc, LPCWSTR text, int count, LPSIZE size) {
    return text_extent(hdc, text, count, size);
}

BOOL WINAPI GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics) {
    return zg::within_memory(FALSE, [&]() -> BOOL {
        DeviceContext* dc = zg::lookup_dc(hdc);
        if (dc == nullptr || metrics == nullptr) return FALSE;
        const std::shared_ptr<Font> font = font_of(*dc);
        if (font == nullptr) return FALSE;
        const zg::text::FontMetrics& m = font->metrics();
        TEXTMETRICA tm{};
        tm.tmHeight = m.height();
        tm.tmAscent = m.ascent;
        tm.tmDescent = m.descent;
        tm.tmInternalLeading = m.internal_leading;
        tm.tmExternalLeading = m.external_leading;
        tm.tmAveCharWidth = m.ave_char_width;
        tm.tmMaxCharWidth = m.max_char_width;
        tm.tmWeight = m.weight;
        tm.tmDigitizedAspectX = 96;
        tm.tmDigitizedAspectY = 96;
        tm.tmFirstChar = 30;
        tm.tmLastChar = 255;
        tm.tmDefaultChar = 31;
        tm.tmBreakChar = 32;
        tm.tmItalic = font->italic() ? 255 : 0;
        tm.tmUnderlined = font->underline() ? 255 : 0;
        tm.tmStruckOut = font->strikeout() ? 255 : 0;
        tm.tmPitchAndFamily = m.pitch_and_family;
        tm.tmCharSet = ANSI_CHARSET;
        *metrics = tm;
        return TRUE;
    });
}

// Without a buffer: the name's length with its terminator. With one: as much of the name as
// fits with a terminator, and the number of characters copied.
int WINAPI GetTextFaceA(HDC hdc, int count, LPSTR name) {
    DeviceContext* dc = zg::lookup_dc(hdc);
    if (dc == nullptr) return 0;
    const std::shared_ptr<Font> font = font_of(*dc);
    if (font == nullptr) return 0;
    const std::string& face = font->face_name();
    if (name == nullptr) return static_cast<int>(face.size()) + 1;
    if (count <= 0) return 0;
    const std::size_t copied = std::min(face.size(), static_cast<std::size_t>(count) - 1);
    std::memcpy(name, face.data(), copied);
    name[copied] = '\0';
    return static_cast<int>(copied);
}

}  // extern "C"
