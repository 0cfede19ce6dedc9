// The realised fonts. A request is matched to a font file once (fontconfig is slow), and a
// realised font is that file at a pixel size: requests that differ only in ways GDI ignores
// share it. Everything is bounded and the least recently used goes first, so a program that
// asks for thousands of sizes or face names holds a few megabytes, not gigabytes.
#pragma once

#include "text/font.h"

#include <platform/win32.h>

#include <cstddef>
#include <memory>

namespace zg::text {

// The realised font for a request; null only if no face at all can be loaded. The cache may
// forget it at a later call; the caller's reference keeps it alive as long as it needs it.
std::shared_ptr<Font> realise_font(const LOGFONTA& request);

// What the cache holds now, to check its bounds.
struct FontCacheCounts {
    std::size_t matches = 0;
    std::size_t fonts = 0;
    std::size_t files = 0;        // FreeType faces open, one per font file
    std::size_t glyph_bytes = 0;  // coverage kept by the cached fonts
};
FontCacheCounts font_cache_counts();

// The request behind a DC with no font of its own: a bold sans-serif face with a 16-pixel
// cell and an average width of 7, standing in for Windows' System font (the stock one).
LOGFONTA default_logfont();

// Which face fontconfig picks for a request (face name first, then the family's stand-in:
// Arial for FF_SWISS and FF_DONTCARE, Times New Roman, Courier New, a cursive face), and
// whether bold or italic must be synthesised. Empty file when fontconfig finds nothing.
FaceChoice match_face(const LOGFONTA& request);

}  // namespace zg::text
