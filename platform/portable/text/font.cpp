// Realised fonts over FreeType; see font.h.
//
// Metric formulas (checked against Wine's TrueType rasteriser for every lfHeight from -60 to
// 60 with Liberation Sans): ascent = winAscent, descent = winDescent, internal leading =
// winAscent + winDescent - unitsPerEm, external leading = the hhea line gap less what the
// win metrics already add over hhea, each scaled to ppem and rounded half up.
//
// lfWidth (measured under Wine against FreeType's own glyphs, every printable character of
// Liberation Sans, Serif and Mono at several sizes and widths): the stretch is |lfWidth|
// divided by the font's natural average width in whole pixels, as a rounded 16.16 fraction;
// glyphs are hinted at the em size and their outlines then stretched; an advance is the
// hinted advance stretched and rounded up. tmAveCharWidth becomes |lfWidth| and
// tmMaxCharWidth stretches with it. A width over 100 cell heights is ignored.
#include "text/font.h"

#include "text/glyph_ink.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GASP_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

namespace zg::text {

namespace {

constexpr int k_max_ppem = 1000;              // keeps one glyph's bitmap bounded
constexpr int k_default_cell_height = 16;     // what lfHeight 0 asks for
constexpr FT_Fixed k_italic_shear = 0x0366A;  // tan(12 degrees) in 16.16
constexpr FT_Fixed k_unit_scale = 0x10000;
constexpr long long k_width_limit = 100;  // cell heights; wider requests keep the natural width

long long floor_div(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

bool has(Synthesis set, Synthesis flag) { return (static_cast<int>(set) & static_cast<int>(flag)) != 0; }

BYTE family_of(FT_Face face, const TT_OS2* os2) {
    if (FT_IS_FIXED_WIDTH(face)) return FF_MODERN;
    if (os2 == nullptr) return FF_SWISS;
    const BYTE family_kind = os2->panose[0];
    const BYTE serif_style = os2->panose[1];
    if (family_kind == 3) return FF_SCRIPT;
    if (serif_style >= 11 && serif_style <= 15) return FF_SWISS;
    if (serif_style >= 2 && serif_style <= 10) return FF_ROMAN;
    return FF_SWISS;
}

// tmPitchAndFamily: TMPF_FIXED_PITCH (1) is set for variable-pitch fonts, as Windows has it;
// TMPF_VECTOR (2) and TMPF_TRUETYPE (4) for every scalable face here.
BYTE pitch_and_family(FT_Face face, const TT_OS2* os2) {
    const BYTE pitch = FT_IS_FIXED_WIDTH(face) ? 0 : 1;
    return static_cast<BYTE>(family_of(face, os2) | 0x06 | pitch);
}

}  // namespace

int scale_units(long long units, int ppem, int units_per_em) {
    if (units_per_em <= 0) return 0;
    return static_cast<int>(floor_div(2 * units * ppem + units_per_em, 2LL * units_per_em));
}

int ppem_for_height(long long lf_height, int units_per_em, int cell_units) {
    if (lf_height == 0) lf_height = k_default_cell_height;
    if (lf_height < 0) return static_cast<int>(std::min<long long>(-lf_height, k_max_ppem));
    if (cell_units <= 0 || units_per_em <= 0) return static_cast<int>(std::min<long long>(lf_height, k_max_ppem));
    lf_height = std::min<long long>(lf_height, 4LL * k_max_ppem);
    int ppem = scale_units(units_per_em, static_cast<int>(lf_height), cell_units);
    if (scale_units(cell_units, ppem, units_per_em) > lf_height) --ppem;
    return std::clamp(ppem, 1, k_max_ppem);
}

long width_scale_for(long long lf_width, int ppem, int cell_height, int natural_average) {
    const long long width = lf_width < 0 ? -lf_width : lf_width;
    if (width == 0 || natural_average <= 0 || ppem <= 0 || width > k_width_limit * cell_height) return k_unit_scale;
    // A glyph's bitmap stays within what the largest em allows, k_max_ppem squared pixels:
    // a stretch that Windows would take past it is drawn narrower here.
    const long long widest = static_cast<long long>(k_max_ppem) * k_max_ppem / ppem * natural_average / ppem;
    return FT_DivFix(static_cast<FT_Long>(std::min(width, std::max(widest, 1LL))), natural_average);
}

std::shared_ptr<FaceFile> FaceFile::open(FT_LibraryRec_* library, const std::string& file, int index) {
    FT_Face face = nullptr;
    if (library == nullptr || FT_New_Face(library, file.c_str(), index, &face) != 0) return nullptr;
    if (face == nullptr) return nullptr;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    return std::shared_ptr<FaceFile>(new FaceFile(face));
}

FaceFile::~FaceFile() { FT_Done_Face(m_face); }

int FaceFile::units_per_em() const { return m_face->units_per_EM; }

long long FaceFile::cell_units() const {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        return static_cast<long long>(os2->usWinAscent) + os2->usWinDescent;
    }
    return static_cast<long long>(m_face->ascender) - m_face->descender;
}

int ppem_for_request(const FaceFile& face, const LOGFONTA& request) {
    return ppem_for_height(request.lfHeight, face.units_per_em(), static_cast<int>(face.cell_units()));
}

std::unique_ptr<Font> Font::open(std::shared_ptr<FaceFile> file, Synthesis synthesis, const LOGFONTA& request) {
    if (!file) return nullptr;
    FT_Size size = nullptr;
    if (FT_New_Size(file->face(), &size) != 0 || size == nullptr) return nullptr;
    std::unique_ptr<Font> font(new Font(std::move(file), size, request, synthesis));
    if (FT_Activate_Size(size) != 0) return nullptr;
    const int ppem = ppem_for_request(*font->m_file, request);
    if (FT_Set_Pixel_Sizes(font->m_face, 0, static_cast<FT_UInt>(ppem)) != 0) return nullptr;
    font->compute_metrics();
    return font;
}

Font::Font(std::shared_ptr<FaceFile> file, FT_SizeRec_* size, const LOGFONTA& request, Synthesis synthesis)
    : m_file(std::move(file)), m_face(m_file->face()), m_size(size), m_request(request), m_synthesis(synthesis),
      m_face_name(m_face->family_name != nullptr ? m_face->family_name : "") {
    m_advances.fill(-1);
}

// The size goes with the font; the face stays for the file's other fonts.
Font::~Font() { FT_Done_Size(m_size); }

void Font::compute_metrics() {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_HHEA));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_POST));
    const int upem = m_face->units_per_EM;
    long long win_ascent = m_face->ascender;
    long long win_descent = -m_face->descender;
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        win_ascent = os2->usWinAscent;
        win_descent = os2->usWinDescent;
    }
    const long long cell = win_ascent + win_descent;
    const int ppem = ppem_for_request(*m_file, m_request);

    FontMetrics& m = m_metrics;
    m.ppem = ppem;
    m.ascent = scale_units(win_ascent, ppem, upem);
    m.descent = scale_units(win_descent, ppem, upem);
    m.internal_leading = scale_units(cell - upem, ppem, upem);
    if (hhea != nullptr) {
        const long long hhea_cell = hhea->Ascender - hhea->Descender;
        m.external_leading = scale_units(std::max<long long>(0, hhea->Line_Gap - (cell - hhea_cell)), ppem, upem);
    }
    m.ave_char_width = os2 != nullptr ? scale_units(os2->xAvgCharWidth, ppem, upem) : ppem / 2;
    m.max_char_width = scale_units(m_face->bbox.xMax - m_face->bbox.xMin, ppem, upem);
    m.weight = os2 != nullptr ? os2->usWeightClass : FW_NORMAL;
    if (has(m_synthesis, Synthesis::Bold)) m.weight = FW_BOLD;
    if (post != nullptr) {
        m.underline_position = scale_units(post->underlinePosition, ppem, upem);
        m.underline_thickness = std::max(1, scale_units(post->underlineThickness, ppem, upem));
    }
    if (os2 != nullptr) {
        m.strikeout_position = scale_units(os2->yStrikeoutPosition, ppem, upem);
        m.strikeout_thickness = std::max(1, scale_units(os2->yStrikeoutSize, ppem, upem));
    }
    m.pitch_and_family = pitch_and_family(m_face, os2);
    apply_width();
    // The font's own table says at which sizes greys help; without one, always.
    const FT_Int gasp = FT_Get_Gasp(m_face, static_cast<FT_UInt>(ppem));
    m_antialiased = gasp == FT_GASP_NO_TABLE || (gasp & FT_GASP_DO_GRAY) != 0;
}

void Font::apply_width() {
    FontMetrics& m = m_metrics;
    m_x_scale = width_scale_for(m_request.lfWidth, m.ppem, m.height(), m.ave_char_width);
    if (m_x_scale == k_unit_scale) return;
    m.max_char_width = static_cast<int>(FT_MulFix(m.max_char_width * 64L, m_x_scale) + 32) >> 6;
    m.ave_char_width = static_cast<int>(FT_MulFix(m.ave_char_width * 64L, m_x_scale) + 32) >> 6;
}

// A hinted advance in 26.6 pixels, in whole pixels after the stretch: rounded up when
// stretched, as Windows does, rounded when not (hinted advances are whole pixels then).
int Font::stretched(long advance_26_6) const {
    if (m_x_scale == k_unit_scale) return static_cast<int>((advance_26_6 + 32) >> 6);
    return static_cast<int>((FT_MulFix(advance_26_6, m_x_scale) + 63) >> 6);
}

std::unique_ptr<Glyph>& Font::slot_for(char32_t code) {
    if (code < m_glyphs.size()) return m_glyphs[code];
    return m_other_glyphs[code];
}

const Glyph& Font::glyph(char32_t code) {
    std::unique_ptr<Glyph>& slot = slot_for(code);
    if (slot) return *slot;
    auto fresh = std::make_unique<Glyph>(render(code));
    const int extent_advance = fresh->extent_advance;
    if (m_glyph_bytes + fresh->bytes() > k_glyph_budget) forget_glyphs();
    m_glyph_bytes += fresh->bytes();
    std::unique_ptr<Glyph>& kept = slot_for(code);  // forgetting may have emptied the map
    kept = std::move(fresh);
    if (code < m_advances.size()) {
        m_advances[code] = extent_advance;
    } else {
        m_other_advances[code] = extent_advance;
    }
    return *kept;
}

int Font::advance(char32_t code) {
    if (code < m_advances.size()) {
        return m_advances[code] < 0 ? glyph(code).extent_advance : m_advances[code];
    }
    const auto known = m_other_advances.find(code);
    return known != m_other_advances.end() ? known->second : glyph(code).extent_advance;
}

void Font::forget_glyphs() {
    for (std::unique_ptr<Glyph>& slot : m_glyphs) slot.reset();
    m_other_glyphs.clear();
    m_glyph_bytes = 0;
}

namespace {

// The bitmap FreeType rendered, as levels 0 to 16.
void copy_levels(const FT_Bitmap& bitmap, Glyph& out) {
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.coverage.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    auto level = out.coverage.begin();
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < out.width; ++x, ++level) {
            *level = mono ? static_cast<std::uint8_t>(((src[x / 8] >> (7 - x % 8)) & 1) * k_full_level)
                          : level_of_coverage(src[x]);
        }
    }
}

}  // namespace

Glyph Font::render(char32_t code) const {
    Glyph out;
    const FT_UInt index = code == 0 ? 0 : FT_Get_Char_Index(m_face, code);
    if (FT_Activate_Size(m_size) != 0) return out;
    // Extents always come from the antialiasing hinting; two-level glyphs are hinted for two
    // levels and placed by their own advances, so a line's extent can differ from the sum of
    // its pen moves by a pixel, as it does on Windows.
    if (FT_Load_Glyph(m_face, index, FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP) != 0) return out;
    out.extent_advance = stretched(m_face->glyph->advance.x);
    if (!m_antialiased && FT_Load_Glyph(m_face, index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) return out;
    FT_GlyphSlot slot = m_face->glyph;
    out.advance = stretched(slot->advance.x);
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return out;
    if (has(m_synthesis, Synthesis::Italic)) {
        FT_Matrix shear{k_unit_scale, k_italic_shear, 0, k_unit_scale};
        FT_Outline_Transform(&slot->outline, &shear);
    }
    if (m_x_scale != k_unit_scale) {
        FT_Matrix stretch{m_x_scale, 0, 0, k_unit_scale};
        FT_Outline_Transform(&slot->outline, &stretch);
    }
    if (has(m_synthesis, Synthesis::Bold)) {
        // One pixel of extra stem width, and one of advance, as Windows' simulated bold.
        if (FT_Outline_EmboldenXY(&slot->outline, 64, 0) != 0) return out;
        out.advance += 1;
        out.extent_advance += 1;
    }
    const FT_Render_Mode mode = m_antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
    if (FT_Render_Glyph(slot, mode) != 0) return out;
    const FT_Bitmap& bitmap = slot->bitmap;
    const bool known = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY || bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!known || bitmap.buffer == nullptr) return out;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    copy_levels(bitmap, out);
    out.spans = ink_spans(out);
    return out;
}

}  // namespace zg::text
