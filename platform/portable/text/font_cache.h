// The realised fonts, one per distinct request (the LOGFONTA's fields and its face name up
// to the first zero byte), made on first use and kept until exit, so selecting the same
// request into many DCs, or re-creating it, costs one lookup.
#pragma once

#include "text/font.h"

#include <platform/win32.h>

namespace zg::text {

// The realised font for a request; null only if no face at all can be loaded.
Font* realise_font(const LOGFONTA& request);

// The request behind a DC with no font of its own: a bold sans-serif face with a 16-pixel
// cell, standing in for Windows' System font.
LOGFONTA default_logfont();

// Which face fontconfig picks for a request (face name first, then the family's stand-in:
// Arial for FF_SWISS and FF_DONTCARE, Times New Roman, Courier New, a cursive face), and
// whether bold or italic must be synthesised. Empty file when fontconfig finds nothing.
FaceChoice match_face(const LOGFONTA& request);

}  // namespace zg::text
