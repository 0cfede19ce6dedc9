// Scenes of text: every printable character in fonts whose requests go beyond the text
// probe's plain sizes (a DC's own System font, fonts stretched or squeezed by lfWidth, at
// antialiased and at two-level sizes), drawn transparent over paper and opaque over a
// coloured background, so that a glyph, an advance or a box that differs shows; and the DC's
// own font under the state random call sequences give it (alignment, mix modes, clip
// regions, the surface's edges, bytes above 127, odd heights).
#include "scene.h"

#include <array>
#include <string>

namespace scenes {

namespace {

struct TextFont {
    const char* name;
    LONG height;
    LONG width;
    LONG weight;
    const char* face;  // nullptr: the DC's own font, nothing selected
    int scene_w, scene_h;
};

constexpr std::array<TextFont, 9> text_fonts{{
    {"system", 0, 0, 0, nullptr, 240, 112},
    {"width_bold_7", 16, 7, FW_BOLD, "Liberation Sans", 240, 112},
    {"width_bold_negative", 16, -7, FW_BOLD, "Liberation Sans", 240, 112},
    {"width_squeezed", 12, 4, FW_NORMAL, "Liberation Sans", 160, 80},
    {"width_stretched", -20, 15, FW_NORMAL, "Liberation Sans", 480, 140},
    {"width_two_level", 8, 9, FW_NORMAL, "Liberation Sans", 300, 56},
    {"width_serif_two_level", 16, 5, FW_NORMAL, "Liberation Serif", 180, 100},
    {"width_mono", 16, 11, FW_NORMAL, "Liberation Mono", 360, 112},
    {"width_beyond_limit", 9, 901, FW_NORMAL, "Liberation Sans", 300, 64},
}};

constexpr int chars_per_row = 32;

// The printable characters of Windows-1252 from 32 up, in rows, each row drawn twice:
// transparent in dark ink, then opaque in light ink on a dark box.
void draw_characters(HDC dc, int scene_h) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int line = tm.tmHeight > 0 ? static_cast<int>(tm.tmHeight) : 16;
    std::string all;
    for (int c = 32; c < 127; ++c) all += static_cast<char>(c);
    int y = 1;
    for (std::size_t start = 0; start < all.size() && y < scene_h; start += chars_per_row) {
        const std::string row = all.substr(start, chars_per_row);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(20, 30, 120));
        TextOutA(dc, 2, y, row.c_str(), static_cast<int>(row.size()));
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, RGB(0, 64, 32));
        SetTextColor(dc, RGB(250, 240, 200));
        TextOutA(dc, 2, y + line, row.c_str(), static_cast<int>(row.size()));
        y += 2 * line;
    }
}

HFONT create_font(const TextFont& f) {
    LOGFONTA lf{};
    lf.lfHeight = f.height;
    lf.lfWidth = f.width;
    lf.lfWeight = f.weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    for (int i = 0; i < LF_FACESIZE - 1 && f.face[i] != '\0'; ++i) lf.lfFaceName[i] = f.face[i];
    return CreateFontIndirectA(&lf);
}

void draw_in(const Canvas& c, const TextFont& f) {
    PatBlt(c.dc, 0, 0, f.scene_w, f.scene_h, WHITENESS);
    if (f.face == nullptr) {
        draw_characters(c.dc, f.scene_h);
        return;
    }
    HFONT font = create_font(f);
    HGDIOBJ old = SelectObject(c.dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(c.dc, &tm);
    c.note(tm.tmAveCharWidth);
    c.note(tm.tmMaxCharWidth);
    SIZE extent{};
    GetTextExtentPoint32A(c.dc, "Wg|Ax", 5, &extent);
    c.note(extent.cx);
    draw_characters(c.dc, f.scene_h);
    SelectObject(c.dc, old);
    DeleteObject(font);
}

// The DC's state around one TextOutA call, each in a scene of its own.
void aligned(HDC dc) {
    const UINT aligns[] = {TA_LEFT | TA_TOP, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BOTTOM, TA_CENTER | TA_BOTTOM};
    int y = 20;
    for (const UINT align : aligns) {
        SetTextAlign(dc, align);
        TextOutA(dc, 60, y, "Wg|Ax", 5);
        y += 20;
    }
    SetTextAlign(dc, TA_UPDATECP);
    MoveToEx(dc, 3, 86, nullptr);
    TextOutA(dc, 0, 0, "Wg", 2);
    TextOutA(dc, 0, 0, "|Ax", 3);
}

void mixed(HDC dc) {
    int y = 0;
    for (const int rop : {R2_XORPEN, R2_NOT, R2_BLACK, R2_MERGEPEN}) {
        SetROP2(dc, rop);
        SetBkMode(dc, y % 40 == 0 ? OPAQUE : TRANSPARENT);
        TextOutA(dc, 4, y, "Wg|Ax", 5);
        y += 22;
    }
}

void clipped(HDC dc) {
    HRGN ellipse = CreateEllipticRgn(10, 5, 90, 60);
    SelectClipRgn(dc, ellipse);
    DeleteObject(ellipse);
    ExcludeClipRect(dc, 40, 0, 46, 100);
    TextOutA(dc, 8, 10, "Wg|Ax Wg|Ax", 11);
    TextOutA(dc, 8, 30, "Wg|Ax Wg|Ax", 11);
}

void at_edges(HDC dc) {
    TextOutA(dc, -9, -7, "Wg|Ax", 5);
    TextOutA(dc, 100, 80, "Wg|Ax", 5);
    TextOutA(dc, -30000, 40, "Wg|Ax", 5);
    TextOutA(dc, 20, 40, "", 0);
}

void high_bytes(HDC dc) {
    std::string all;
    for (int c = 128; c < 256; ++c) all += static_cast<char>(c);
    for (std::size_t start = 0; start < all.size(); start += chars_per_row) {
        const std::string row = all.substr(start, chars_per_row);
        TextOutA(dc, 2, 1 + static_cast<int>(start / chars_per_row) * 16, row.c_str(), static_cast<int>(row.size()));
    }
}

void odd_heights(HDC dc) {
    int y = 0;
    for (const int height : {0, 1, -1, 5, -7, 33}) {
        const TextFont f{"", static_cast<LONG>(height), 0, FW_NORMAL, "Arial", 0, 0};
        HFONT font = create_font(f);
        HGDIOBJ old = SelectObject(dc, font);
        TextOutA(dc, 2, y, "Wg|Ax", 5);
        SelectObject(dc, old);
        DeleteObject(font);
        y += 20;
    }
}

struct StateScene {
    const char* name;
    int scene_w, scene_h;
    void (*draw)(HDC);
};

constexpr std::array<StateScene, 6> state_scenes{{
    {"aligned", 120, 100, aligned},
    {"mix_modes", 100, 90, mixed},
    {"clip_region", 100, 64, clipped},
    {"edges", 120, 90, at_edges},
    {"high_bytes", 240, 64, high_bytes},
    {"odd_heights", 200, 150, odd_heights},
}};

void draw_state(const Canvas& c, const StateScene& s) {
    HBRUSH paper = CreateSolidBrush(RGB(200, 220, 240));
    HGDIOBJ old_brush = SelectObject(c.dc, paper);
    PatBlt(c.dc, 0, 0, s.scene_w, s.scene_h, PATCOPY);
    SelectObject(c.dc, old_brush);
    DeleteObject(paper);
    SetTextColor(c.dc, RGB(120, 20, 40));
    SetBkColor(c.dc, RGB(250, 250, 180));
    s.draw(c.dc);
}

}  // namespace

void add_text_scenes(std::vector<Scene>& out) {
    for (const TextFont& f : text_fonts) {
        out.push_back({std::string("text_") + f.name, f.scene_w, f.scene_h, [f](const Canvas& c) { draw_in(c, f); }});
    }
    for (const StateScene& s : state_scenes) {
        out.push_back(
            {std::string("text_state_") + s.name, s.scene_w, s.scene_h, [s](const Canvas& c) { draw_state(c, s); }});
    }
}

}  // namespace scenes
