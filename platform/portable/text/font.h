// Realised fonts: a LOGFONTA request turned into a FreeType face at a pixel size, with the
// metrics GDI reports for it and a cache of rendered glyphs.
//
// Sizes follow GDI: a negative lfHeight is the em height in pixels (ppem); a positive one the
// cell height (ascent + descent), met by the largest ppem whose rounded cell does not exceed
// it; 0 means a cell of 16. A non-zero lfWidth asks for that average character width: the
// glyphs are hinted at the em size and then stretched or squeezed sideways (see
// width_scale_for). Every metric is a font-unit value scaled to ppem and rounded,
// as Windows' TrueType rasteriser reports them. Advances are FreeType's hinted integer
// advances. Fonts of one font file share one FreeType face (one file mapping), each with a
// FreeType size object of its own; the cache (font_cache.h) decides how long a font lives.
#pragma once

#include <platform/win32.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;
struct FT_LibraryRec_;
struct FT_SizeRec_;

namespace zg::text {

// A stretch of one glyph row whose levels are all 2 or more, the only levels that change
// pixels; solid when all of them are full. Drawing a glyph walks its spans: a solid one is a
// fill with the text colour, the others mix pixel by pixel, and the rest is never visited.
struct InkSpan {
    int row = 0;
    int left = 0;
    int length = 0;
    int first_level = 0;  // index of its first level in the glyph's coverage
    bool solid = false;
};

// A rendered glyph: rows of coverage levels 0 to 16 (glyph_ink.h), placed relative to the pen
// on the baseline. Sizes the font's gasp table marks for greys are antialiased; the others
// are drawn in two levels, 0 and 16, as Windows draws them.
struct Glyph {
    int left = 0;  // columns from the pen position to the bitmap's first column
    int top = 0;   // rows from the baseline up to the bitmap's first row
    int width = 0;
    int height = 0;
    int advance = 0;                     // pixels the pen moves when the glyph is drawn
    int extent_advance = 0;              // what the glyph adds to the text's extent
    std::vector<std::uint8_t> coverage;  // width * height, row by row, 0 = none, 16 = full
    std::vector<InkSpan> spans;          // where the coverage inks, as ink_spans() finds it
    std::size_t bytes() const { return coverage.size() + spans.size() * sizeof(InkSpan); }
};

// What GetTextMetricsA reports, plus the decoration lines, all in pixels.
struct FontMetrics {
    int ppem = 0;
    int ascent = 0;
    int descent = 0;
    int internal_leading = 0;
    int external_leading = 0;
    int ave_char_width = 0;
    int max_char_width = 0;
    int weight = FW_NORMAL;
    int underline_position = 0;  // above the baseline (negative: below)
    int underline_thickness = 1;
    int strikeout_position = 0;  // above the baseline
    int strikeout_thickness = 1;
    BYTE pitch_and_family = 0;  // TEXTMETRICA's tmPitchAndFamily
    int height() const { return ascent + descent; }
};

enum class Synthesis : std::uint8_t { None = 0, Bold = 1, Italic = 2, BoldItalic = 3 };

// Where a request's face lives, as font matching found it.
struct FaceChoice {
    std::string file;
    int index = 0;
    Synthesis synthesis = Synthesis::None;
};

// One opened font file: the FreeType face every size of it draws from. Null when the file
// cannot be opened as a scalable face.
class FaceFile {
public:
    static std::shared_ptr<FaceFile> open(FT_LibraryRec_* library, const std::string& file, int index);
    ~FaceFile();
    FaceFile(const FaceFile&) = delete;
    FaceFile& operator=(const FaceFile&) = delete;

    FT_FaceRec_* face() const { return m_face; }
    int units_per_em() const;
    long long cell_units() const;  // winAscent + winDescent, what positive heights measure

private:
    explicit FaceFile(FT_FaceRec_* face) : m_face(face) {}
    FT_FaceRec_* m_face;
};

class Font {
public:
    // Null when FreeType cannot give the face another size.
    static std::unique_ptr<Font> open(std::shared_ptr<FaceFile> face, Synthesis synthesis, const LOGFONTA& request);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const FontMetrics& metrics() const { return m_metrics; }
    const std::string& face_name() const { return m_face_name; }
    bool underline() const { return m_request.lfUnderline != 0; }
    bool strikeout() const { return m_request.lfStrikeOut != 0; }
    bool italic() const { return m_request.lfItalic != 0; }
    bool antialiased() const { return m_antialiased; }

    // The glyph of one character (a Unicode code point; a UTF-16 unit, surrogates included,
    // which no font maps), rendered on first use and kept while the font's glyphs stay under
    // k_glyph_budget bytes; past it the kept glyphs are dropped first. So a reference stays
    // valid until the next glyph() call on this font, no longer. A character the face lacks
    // is its default glyph (index 0, the box), as GDI draws it: no other face stands in.
    const Glyph& glyph(char32_t code);
    int advance(char32_t code);  // the extent advance; see Glyph
    std::size_t glyph_bytes() const { return m_glyph_bytes; }

    static constexpr std::size_t k_glyph_budget = std::size_t{4} << 20;

private:
    Font(std::shared_ptr<FaceFile> face, FT_SizeRec_* size, const LOGFONTA& request, Synthesis synthesis);
    void compute_metrics();
    void apply_width();
    Glyph render(char32_t code) const;
    std::unique_ptr<Glyph>& slot_for(char32_t code);
    int stretched(long advance_26_6) const;
    void forget_glyphs();

    std::shared_ptr<FaceFile> m_file;
    FT_FaceRec_* m_face;
    FT_SizeRec_* m_size;
    LOGFONTA m_request;
    Synthesis m_synthesis;
    bool m_antialiased = true;  // greys at this size, or two levels only
    long m_x_scale = 0x10000;   // sideways stretch for lfWidth, 16.16
    FontMetrics m_metrics;
    std::string m_face_name;
    // Latin-1 in arrays, every other character in maps: most text never leaves the arrays.
    std::array<std::unique_ptr<Glyph>, 256> m_glyphs{};
    std::array<int, 256> m_advances{};  // -1 until known; kept when glyphs are dropped
    std::unordered_map<char32_t, std::unique_ptr<Glyph>> m_other_glyphs;
    std::unordered_map<char32_t, int> m_other_advances;
    std::size_t m_glyph_bytes = 0;
};

// The ppem a request gets in a face (see ppem_for_height).
int ppem_for_request(const FaceFile& face, const LOGFONTA& request);

// The ppem GDI chooses for an lfHeight in a face of the given em and cell (winAscent +
// winDescent) sizes, in font units.
int ppem_for_height(long long lf_height, int units_per_em, int cell_units);

// The sideways stretch (16.16) that gives a font of the given em, cell height and natural
// average width the requested lfWidth; 0x10000 when the width is 0 or out of range.
long width_scale_for(long long lf_width, int ppem, int cell_height, int natural_average);

// A font-unit value at ppem pixels per em, rounded half up as GDI rounds metrics.
int scale_units(long long units, int ppem, int units_per_em);

}  // namespace zg::text
