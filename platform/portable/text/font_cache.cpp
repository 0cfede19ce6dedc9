// Font matching through fontconfig and the cache of realised fonts; see font_cache.h.
//
// fontconfig's own aliases do the Windows-to-system name mapping (Arial -> Liberation Sans,
// Times New Roman -> Liberation Serif, Courier New -> Liberation Mono). The request's face
// name is asked for first and the family's stand-in second, so an unknown face name falls
// back by family, as GDI's mapper does.
#include "text/font_cache.h"

#include "text/lru_cache.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace zg::text {

namespace {

constexpr int k_bold_threshold = FW_SEMIBOLD;  // requests from here up want a bold face

std::string face_name_of(const LOGFONTA& request) {
    const char* name = request.lfFaceName;
    return std::string(name, strnlen(name, LF_FACESIZE));
}

const char* family_stand_in(BYTE pitch_and_family) {
    switch (pitch_and_family & 0xF0) {
    case FF_ROMAN: return "Times New Roman";
    case FF_MODERN: return "Courier New";
    case FF_SCRIPT: return "cursive";
    default: return "Arial";
    }
}

int requested_weight(const LOGFONTA& request) {
    if (request.lfWeight <= 0) return FW_NORMAL;
    return std::min<int>(request.lfWeight, 1000);
}

// A fontconfig pattern released on every path out, an exception (out of memory) included.
struct PatternRelease {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternRelease>;

// Null when fontconfig cannot build the pattern.
PatternPtr pattern_for(const LOGFONTA& request) {
    const std::string face = face_name_of(request);
    PatternPtr owned(FcPatternCreate());
    FcPattern* pattern = owned.get();
    if (pattern == nullptr) return nullptr;
    const auto bytes = [](const char* s) { return reinterpret_cast<const FcChar8*>(s); };
    bool built = face.empty() || FcPatternAddString(pattern, FC_FAMILY, bytes(face.c_str())) != FcFalse;
    built =
        built && FcPatternAddString(pattern, FC_FAMILY, bytes(family_stand_in(request.lfPitchAndFamily))) != FcFalse;
    built =
        built && FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(requested_weight(request))) != FcFalse;
    built = built &&
            FcPatternAddInteger(pattern, FC_SLANT, request.lfItalic != 0 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN) != FcFalse;
    built = built && FcPatternAddBool(pattern, FC_SCALABLE, FcTrue) != FcFalse;
    if (built) return owned;
    return nullptr;
}

Synthesis synthesis_for(const LOGFONTA& request, FcPattern* match) {
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) != FcResultMatch) weight = FC_WEIGHT_REGULAR;
    if (FcPatternGetInteger(match, FC_SLANT, 0, &slant) != FcResultMatch) slant = FC_SLANT_ROMAN;
    const bool want_bold = requested_weight(request) >= k_bold_threshold;
    const bool fake_bold = want_bold && FcWeightToOpenType(weight) < k_bold_threshold;
    const bool fake_italic = request.lfItalic != 0 && slant == FC_SLANT_ROMAN;
    return static_cast<Synthesis>((fake_bold ? 1 : 0) | (fake_italic ? 2 : 0));
}

// Matching depends on the face name, weight, slant and family only, not on the size.
std::string match_key(const LOGFONTA& request) {
    return face_name_of(request) + '|' + std::to_string(requested_weight(request)) + '|' +
           (request.lfItalic != 0 ? 'i' : 'r') + '|' + std::to_string(request.lfPitchAndFamily);
}

std::string file_key(const FaceChoice& choice) { return choice.file + '#' + std::to_string(choice.index); }

// A realised font is the matched file at a pixel size and width, with the request's decorations.
std::string font_key(const std::string& file, Synthesis synthesis, int ppem, const LOGFONTA& request) {
    const long long width = request.lfWidth < 0 ? -static_cast<long long>(request.lfWidth) : request.lfWidth;
    return file + '|' + std::to_string(static_cast<int>(synthesis)) + '|' + std::to_string(ppem) + '|' +
           std::to_string(width) + '|' + (request.lfItalic != 0 ? 'i' : '-') + (request.lfUnderline != 0 ? 'u' : '-') +
           (request.lfStrikeOut != 0 ? 's' : '-');
}

// Requests that realise the same font the same way: every field, and the face name up to its
// terminator (what follows it in the array is not part of the request).
bool same_request(const LOGFONTA& a, const LOGFONTA& b) {
    return std::memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName)) == 0 &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

struct Match {
    std::shared_ptr<FaceFile> file;  // null: nothing loadable matched
    std::string file_key;
    Synthesis synthesis = Synthesis::None;
};

FaceChoice match_in(FcConfig* config, const LOGFONTA& request) {
    if (config == nullptr) return {};
    const PatternPtr pattern = pattern_for(request);
    if (pattern == nullptr) return {};
    FcResult result = FcResultNoMatch;
    PatternPtr match;
    if (FcConfigSubstitute(config, pattern.get(), FcMatchPattern) != FcFalse) {
        FcDefaultSubstitute(pattern.get());
        match.reset(FcFontMatch(config, pattern.get(), &result));
    }
    if (match == nullptr) return {};
    FaceChoice choice;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
        choice.file = reinterpret_cast<const char*>(file);
    }
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &choice.index) != FcResultMatch) choice.index = 0;
    choice.synthesis = synthesis_for(request, match.get());
    return choice;
}

// FreeType, fontconfig and the fonts, released at exit in dependency order. Bounded: at
// most k_match_entries remembered matches, k_font_entries realised fonts whose glyphs
// together stay near k_glyph_bytes, and one FreeType face per font file in use.
class FontCache {
public:
    static constexpr std::size_t k_match_entries = 64;
    static constexpr std::size_t k_font_entries = 32;
    static constexpr std::size_t k_glyph_bytes = std::size_t{16} << 20;

    // FreeType's default TrueType interpreter (v40) gives the advances Wine reports; the
    // classic v35 one was measured 1 to 4 pixels off on 20-character labels.
    FontCache() : m_config(FcInitLoadConfigAndFonts()) {
        if (FT_Init_FreeType(&m_library) != 0) m_library = nullptr;
    }
    ~FontCache() {
        m_last.reset();
        m_fonts.clear();
        m_matches.clear();
        m_files.clear();
        if (m_library != nullptr) FT_Done_FreeType(m_library);
        if (m_config != nullptr) FcConfigDestroy(m_config);
    }
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    FcConfig* config() const { return m_config; }

    // A program draws many strings in one font in a row: the last request is answered without
    // building keys. Its font is the newest of the cache, so the memo never keeps alive a font
    // the cache has let go; its glyphs grow within the font's own budget until the next miss
    // weighs all fonts again.
    std::shared_ptr<Font> get(const LOGFONTA& request) {
        if (m_last && same_request(request, m_last_request)) return m_last;
        std::shared_ptr<Font> font = lookup(request);
        if (font) {
            m_last = font;
            m_last_request = request;
        }
        return font;
    }

    FontCacheCounts counts() const {
        std::size_t files = 0;
        for (const auto& entry : m_files) files += entry.second.expired() ? 0 : 1;
        return {m_matches.size(), m_fonts.size(), files, glyph_bytes()};
    }

private:
    std::shared_ptr<Font> lookup(const LOGFONTA& request) {
        const Match& match = matched(request);
        if (!match.file) return nullptr;
        const int ppem = ppem_for_request(*match.file, request);
        const std::string key = font_key(match.file_key, match.synthesis, ppem, request);
        std::shared_ptr<Font> font;
        if (std::shared_ptr<Font>* hit = m_fonts.find(key)) {
            font = *hit;
        } else {
            font = Font::open(match.file, match.synthesis, request);
            if (!font) return nullptr;
            m_fonts.insert(key, font);
        }
        m_fonts.shrink_while([this] { return glyph_bytes() > k_glyph_bytes; });
        return font;
    }

    const Match& matched(const LOGFONTA& request) {
        const std::string key = match_key(request);
        if (const Match* hit = m_matches.find(key)) return *hit;
        const FaceChoice choice = match_in(m_config, request);
        Match match{nullptr, file_key(choice), choice.synthesis};
        if (!choice.file.empty()) match.file = open_file(choice);
        return m_matches.insert(key, std::move(match));
    }

    // One FaceFile per file in use: fonts and matches hold it, this map only finds it.
    std::shared_ptr<FaceFile> open_file(const FaceChoice& choice) {
        const std::string key = file_key(choice);
        if (auto found = m_files.find(key); found != m_files.end()) {
            if (std::shared_ptr<FaceFile> alive = found->second.lock()) return alive;
        }
        std::erase_if(m_files, [](const auto& entry) { return entry.second.expired(); });
        std::shared_ptr<FaceFile> file = FaceFile::open(m_library, choice.file, choice.index);
        if (file) m_files[key] = file;
        return file;
    }

    std::size_t glyph_bytes() const {
        std::size_t total = 0;
        m_fonts.for_each([&total](const std::shared_ptr<Font>& font) { total += font->glyph_bytes(); });
        return total;
    }

    FcConfig* m_config = nullptr;
    FT_Library m_library = nullptr;
    LruCache<Match> m_matches{k_match_entries};
    LruCache<std::shared_ptr<Font>> m_fonts{k_font_entries};
    std::map<std::string, std::weak_ptr<FaceFile>> m_files;
    std::shared_ptr<Font> m_last;  // what the last request realised
    LOGFONTA m_last_request{};
};

FontCache& cache() {
    static FontCache instance;
    return instance;
}

}  // namespace

FaceChoice match_face(const LOGFONTA& request) { return match_in(cache().config(), request); }

std::shared_ptr<Font> realise_font(const LOGFONTA& request) { return cache().get(request); }

FontCacheCounts font_cache_counts() { return cache().counts(); }

LOGFONTA default_logfont() {
    LOGFONTA request{};
    request.lfHeight = 16;
    request.lfWidth = 7;
    request.lfWeight = FW_BOLD;
    request.lfCharSet = DEFAULT_CHARSET;
    request.lfPitchAndFamily = FF_SWISS;
    return request;
}

}  // namespace zg::text
