// The font files of the web build and the choice among them: a fixed table standing in for
// fontconfig, which a browser has not, that picks the file fontconfig picks on Debian with the
// same fonts installed (fonts-liberation, fonts-dejavu-core); tests/platform/text/ checks that
// against fontconfig itself.
//
// Fontconfig's rules as far as they matter here: the pattern's families are tried in order, by
// name ignoring case and blanks, through the metric aliases (Arial, Helvetica, Arimo -> Liberation
// Sans; Times New Roman, Times, Tinos -> Liberation Serif; Courier New, Courier, Cousine ->
// Liberation Mono), where a family's own name and its Windows name outrank the weaker aliases;
// with none known, DejaVu Sans. Within the family the nearest slant wins, then
// the nearest weight, the heavier on a tie. Weights and slants are fontconfig's (FC_WEIGHT_*,
// FC_SLANT_*), not GDI's.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zg::text {

struct TableFace {
    const char* file;  // the path Debian installs it at; the web build preloads it there
    int weight;        // fontconfig's scale: 40 extra light, 80 regular, 200 bold
    int slant;         // 0 roman, 100 italic, 110 oblique
};

TableFace choose_table_face(std::span<const std::string> families, int weight, int slant);

// Fontconfig's weight for an OpenType (and GDI) weight, and back: piecewise linear between the
// named weights, as FcWeightFromOpenType and FcWeightToOpenType are.
int fc_weight_from_opentype(int weight);
int fc_weight_to_opentype(int weight);

}  // namespace zg::text
