// The web build's face table against fontconfig itself: for the face names and families the
// library asks for, at every GDI weight, upright and italic, the table must pick the file
// fontconfig picks here, with the same weight and slant (which decide synthesis).
#include "text/face_table.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Choice {
    std::string file;
    int weight = 0, slant = 0;
};

Choice fontconfig_choice(const std::vector<std::string>& families, int weight, int slant) {
    FcPattern* pattern = FcPatternCreate();
    for (const std::string& family : families)
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight);
    FcPatternAddInteger(pattern, FC_SLANT, slant);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    Choice choice;
    FcChar8* file = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        choice.file = reinterpret_cast<const char*>(file);
    if (match != nullptr) {
        FcPatternGetInteger(match, FC_WEIGHT, 0, &choice.weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &choice.slant);
        FcPatternDestroy(match);
    }
    return choice;
}

TEST(FaceTable, ChoosesWhatFontconfigChooses) {
    const std::vector<std::vector<std::string>> requests{
        {"Arial"},
        {"Times New Roman"},
        {"Courier New"},
        {"cursive"},
        {"", "Arial"},
        {"Liberation Sans", "Arial"},
        {"Liberation Serif"},
        {"Liberation Mono", "Arial"},
        {"Helvetica"},
        {"No Such Face", "Arial"},
        {"No Such Face", "Times New Roman"},
        {"DejaVu Sans"},
        {"Courier", "Arial"},
        {"No Such Face", "cursive"},
    };
    int compared = 0;
    for (const auto& families : requests) {
        for (int gdi_weight = 100; gdi_weight <= 900; gdi_weight += 100) {
            for (int slant : {0, 100}) {
                const int weight = FcWeightFromOpenType(gdi_weight);
                const Choice expected = fontconfig_choice(families, weight, slant);
                if (expected.file.empty()) continue;
                const zg::text::TableFace got = zg::text::choose_table_face(families, weight, slant);
                SCOPED_TRACE(families.front() + " weight " + std::to_string(gdi_weight) + " slant " +
                             std::to_string(slant));
                EXPECT_EQ(got.file, expected.file);
                EXPECT_EQ(got.weight, expected.weight);
                EXPECT_EQ(got.slant, expected.slant);
                EXPECT_EQ(zg::text::fc_weight_from_opentype(gdi_weight), weight);
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 200);
    // fontconfig keeps the configuration it loaded for the questions above until FcFini: free it,
    // so that the leak check sees only what the program itself holds.
    FcFini();
}

}  // namespace
