// Scenes of UTF-16 text through TextOutW and GetTextExtentPoint32W: a physics label with Greek
// letters, symbols and a subscript, Latin and Greek alphabets, and characters the font lacks
// (a subscript digit, a CJK ideograph, U+FFFF and a surrogate pair), in the window library's
// default font (Arial 10) and its bold 14. The extents are noted beside the pixels, with the
// Windows-1252 "é" measured by TextOutA's twin for comparison.
#include "scene.h"

#include <array>
#include <string>
#include <string_view>

namespace scenes {

namespace {

using WideText = std::basic_string<WCHAR>;

WideText wide(std::u16string_view text) { return WideText(text.begin(), text.end()); }

struct WideFont {
    const char* name;
    LONG height;
    LONG weight;
};

constexpr std::array<WideFont, 2> wide_fonts{{{"arial_10", 10, FW_NORMAL}, {"arial_bold_14", 14, FW_BOLD}}};

const std::array<std::u16string_view, 5> wide_lines{{
    u"Param\u00e8tres : \u03b8 = 45\u00b0, \u03c9\u2083 = 200 rad/s",
    u"\u00b0 \u00b2 \u00b3 \u00b1 \u00d7 \u03c9 \u03b8 \u03c6 \u03c8 \u03a9 \u00b5 \u2192 "
    u"\u00e9\u00e8\u00ea\u00e0\u00e7\u0153\u20ac",
    u"\u0391\u0392\u0393\u0394\u0398\u039b\u039e\u03a0\u03a3\u03a6\u03a8\u03a9 "
    u"\u03b1\u03b2\u03b3\u03b4\u03b5\u03bb\u03bc\u03c0\u03c3",
    u"\u00c0\u00c9\u00ce\u00d5\u00dc\u00df\u00e6\u00f8\u0142\u0161\u017e\u0151",
    u"\u2083\u4e2d\uffff\xd83d\xde00|",
}};

HFONT create_font(const WideFont& f) {
    LOGFONTA lf{};
    lf.lfHeight = f.height;
    lf.lfWeight = f.weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    const std::string_view face = "Arial";
    face.copy(lf.lfFaceName, face.size());
    return CreateFontIndirectA(&lf);
}

void note_extent(const Canvas& c, const WideText& text) {
    SIZE extent{};
    c.note(GetTextExtentPoint32W(c.dc, text.c_str(), static_cast<int>(text.size()), &extent));
    c.note(extent.cx);
    c.note(extent.cy);
}

void draw_wide(const Canvas& c, const WideFont& f) {
    PatBlt(c.dc, 0, 0, 400, 120, WHITENESS);
    HFONT font = create_font(f);
    HGDIOBJ old = SelectObject(c.dc, font);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, RGB(20, 30, 120));
    int y = 2;
    for (const std::u16string_view line : wide_lines) {
        const WideText text = wide(line);
        TextOutW(c.dc, 2, y, text.c_str(), static_cast<int>(text.size()));
        note_extent(c, text);
        y += f.height + 8;
    }
    SIZE narrow{};
    GetTextExtentPoint32A(c.dc, "\xe9", 1, &narrow);
    c.note(narrow.cx);
    SelectObject(c.dc, old);
    DeleteObject(font);
}

}  // namespace

void add_wide_text_scenes(std::vector<Scene>& out) {
    for (const WideFont& f : wide_fonts) {
        out.push_back({std::string("text_wide_") + f.name, 400, 120, [f](const Canvas& c) { draw_wide(c, f); }});
    }
}

}  // namespace scenes
