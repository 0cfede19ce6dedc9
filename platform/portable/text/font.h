// Realised fonts: a LOGFONTA request turned into a FreeType face at a pixel size, with the
// metrics GDI reports for it and a cache of rendered glyphs.
//
// Sizes follow GDI: a negative lfHeight is the em height in pixels (ppem); a positive one the
// cell height (ascent + descent), met by the largest ppem whose rounded cell does not exceed
// it; 0 means a cell of 16. Every metric is a font-unit value scaled to ppem and rounded,
// as Windows' TrueType rasteriser reports them. Advances are FreeType's hinted integer
// advances. A font is text-module state: it lives in the cache (font_cache.h) until exit.
#pragma once

#include <platform/win32.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace zg::text {

// A rendered glyph: 8-bit coverage rows, placed relative to the pen on the baseline.
struct Glyph {
    int left = 0;     // columns from the pen position to the bitmap's first column
    int top = 0;      // rows from the baseline up to the bitmap's first row
    int width = 0;
    int height = 0;
    int advance = 0;  // pixels the pen moves
    std::vector<std::uint8_t> coverage;  // width * height, row by row, 0 = none, 255 = full
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
    BYTE pitch_and_family = 0;   // TEXTMETRICA's tmPitchAndFamily
    int height() const { return ascent + descent; }
};

enum class Synthesis : std::uint8_t { None = 0, Bold = 1, Italic = 2, BoldItalic = 3 };

// Where a request's face lives, as font matching found it.
struct FaceChoice {
    std::string file;
    int index = 0;
    Synthesis synthesis = Synthesis::None;
};

class Font {
public:
    // Null when the file cannot be opened as a scalable face.
    static std::unique_ptr<Font> open(FT_LibraryRec_* library, const FaceChoice& choice,
                                      const LOGFONTA& request);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const FontMetrics& metrics() const { return m_metrics; }
    const std::string& face_name() const { return m_face_name; }
    bool underline() const { return m_request.lfUnderline != 0; }
    bool strikeout() const { return m_request.lfStrikeOut != 0; }
    bool italic() const { return m_request.lfItalic != 0; }

    // The glyph of one Windows-1252 byte, rendered on first use and kept.
    const Glyph& glyph(unsigned char byte);
    int advance(unsigned char byte) { return glyph(byte).advance; }

private:
    Font(FT_FaceRec_* face, const LOGFONTA& request, Synthesis synthesis);
    void compute_metrics();
    Glyph render(unsigned char byte) const;

    FT_FaceRec_* m_face;
    LOGFONTA m_request;
    Synthesis m_synthesis;
    FontMetrics m_metrics;
    std::string m_face_name;
    std::array<std::unique_ptr<Glyph>, 256> m_glyphs{};
};

// The ppem GDI chooses for an lfHeight in a face of the given em and cell (winAscent +
// winDescent) sizes, in font units.
int ppem_for_height(long long lf_height, int units_per_em, int cell_units);

// A font-unit value at ppem pixels per em, rounded half up as GDI rounds metrics.
int scale_units(long long units, int ppem, int units_per_em);

}  // namespace zg::text
