// The web build's stand-in for the part of fontconfig's interface the text code uses: patterns
// of families, a weight and a slant, matched against the fixed face table (text/face_table.h),
// since a browser has no fontconfig and no font directories. Only the web build puts this folder
// on the include path; natively the real fontconfig answers.
#pragma once

#include <string>
#include <vector>

using FcChar8 = unsigned char;
using FcBool = int;
constexpr FcBool FcFalse = 0;
constexpr FcBool FcTrue = 1;

enum FcResult { FcResultMatch, FcResultNoMatch, FcResultTypeMismatch, FcResultNoId, FcResultOutOfMemory };
enum FcMatchKind { FcMatchPattern, FcMatchFont };

inline constexpr const char* FC_FAMILY = "family";
inline constexpr const char* FC_WEIGHT = "weight";
inline constexpr const char* FC_SLANT = "slant";
inline constexpr const char* FC_SCALABLE = "scalable";
inline constexpr const char* FC_FILE = "file";
inline constexpr const char* FC_INDEX = "index";
constexpr int FC_WEIGHT_REGULAR = 80;
constexpr int FC_SLANT_ROMAN = 0;
constexpr int FC_SLANT_ITALIC = 100;

struct FcConfig {};

struct FcPattern {
    std::vector<std::string> families;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    std::string file;  // set on a match
};

FcConfig* FcInitLoadConfigAndFonts();
void FcConfigDestroy(FcConfig* config);
FcPattern* FcPatternCreate();
void FcPatternDestroy(FcPattern* pattern);
FcBool FcPatternAddString(FcPattern* pattern, const char* object, const FcChar8* value);
FcBool FcPatternAddInteger(FcPattern* pattern, const char* object, int value);
FcBool FcPatternAddBool(FcPattern* pattern, const char* object, FcBool value);
FcResult FcPatternGetInteger(const FcPattern* pattern, const char* object, int n, int* value);
FcResult FcPatternGetString(const FcPattern* pattern, const char* object, int n, FcChar8** value);
FcBool FcConfigSubstitute(FcConfig* config, FcPattern* pattern, FcMatchKind kind);
void FcDefaultSubstitute(FcPattern* pattern);
FcPattern* FcFontMatch(FcConfig* config, FcPattern* pattern, FcResult* result);
int FcWeightFromOpenType(int weight);
int FcWeightToOpenType(int weight);
