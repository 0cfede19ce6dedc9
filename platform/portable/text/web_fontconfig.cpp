// The fontconfig stand-in of the web build (web/fontconfig/fontconfig.h): patterns are plain
// structures, a match is the face table's choice.
#include "text/face_table.h"

#include <fontconfig/fontconfig.h>

#include <cstring>
#include <string>
#include <unistd.h>

namespace {

bool is(const char* object, const char* name) { return std::strcmp(object, name) == 0; }

}  // namespace

FcConfig* FcInitLoadConfigAndFonts() { return new FcConfig(); }
void FcConfigDestroy(FcConfig* config) { delete config; }
FcPattern* FcPatternCreate() { return new FcPattern(); }
void FcPatternDestroy(FcPattern* pattern) { delete pattern; }

FcBool FcPatternAddString(FcPattern* pattern, const char* object, const FcChar8* value) {
    if (pattern == nullptr || value == nullptr || !is(object, FC_FAMILY)) return FcFalse;
    pattern->families.emplace_back(reinterpret_cast<const char*>(value));
    return FcTrue;
}

FcBool FcPatternAddInteger(FcPattern* pattern, const char* object, int value) {
    if (pattern == nullptr) return FcFalse;
    if (is(object, FC_WEIGHT)) pattern->weight = value;
    if (is(object, FC_SLANT)) pattern->slant = value;
    return FcTrue;
}

FcBool FcPatternAddBool(FcPattern* pattern, const char*, FcBool) { return pattern != nullptr ? FcTrue : FcFalse; }

FcResult FcPatternGetInteger(const FcPattern* pattern, const char* object, int n, int* value) {
    if (pattern == nullptr || n != 0) return FcResultNoId;
    if (is(object, FC_WEIGHT))
        *value = pattern->weight;
    else if (is(object, FC_SLANT))
        *value = pattern->slant;
    else if (is(object, FC_INDEX))
        *value = 0;
    else
        return FcResultNoMatch;
    return FcResultMatch;
}

FcResult FcPatternGetString(const FcPattern* pattern, const char* object, int n, FcChar8** value) {
    if (pattern == nullptr || n != 0 || !is(object, FC_FILE) || pattern->file.empty()) return FcResultNoMatch;
    *value = reinterpret_cast<FcChar8*>(const_cast<char*>(pattern->file.c_str()));
    return FcResultMatch;
}

FcBool FcConfigSubstitute(FcConfig*, FcPattern* pattern, FcMatchKind) { return pattern != nullptr ? FcTrue : FcFalse; }
void FcDefaultSubstitute(FcPattern*) {}

// The pages carry the Liberation faces only (DejaVu Sans would add a third to every page's
// download, for the faces no program here asks for): a table face the page lacks becomes
// Liberation Sans of the same weight and slant.
FcPattern* FcFontMatch(FcConfig*, FcPattern* pattern, FcResult* result) {
    zg::text::TableFace face = zg::text::choose_table_face(pattern->families, pattern->weight, pattern->slant);
    if (access(face.file, R_OK) != 0) {
        const std::string fallback[] = {"Liberation Sans"};
        face = zg::text::choose_table_face(fallback, pattern->weight, pattern->slant);
    }
    auto* match = new FcPattern{{}, face.weight, face.slant, face.file};
    *result = FcResultMatch;
    return match;
}

int FcWeightFromOpenType(int weight) { return zg::text::fc_weight_from_opentype(weight); }
int FcWeightToOpenType(int weight) { return zg::text::fc_weight_to_opentype(weight); }
