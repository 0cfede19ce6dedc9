// The fixed face table of the web build; see face_table.h.
#include "text/face_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace zg::text {
namespace {

// Names in lower case without blanks; empty ones unused. A strong name (the family's own, and the
// Windows name it stands in for) wins over a weak alias anywhere in the pattern's list: fontconfig
// binds them so ("Courier, Arial" is Arial's face, "Courier, cursive" Courier's).
struct Family {
    std::array<std::string_view, 2> strong;
    std::array<std::string_view, 3> weak;
    std::array<TableFace, 5> faces;  // null files unused
};

// Paths are whole literals so the table needs no strings built at run time.
const std::array<Family, 4> families_table{{
    {{"liberationsans", "arial"},
     {"helvetica", "arimo", ""},
     {{{"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", 80, 0},
       {"/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf", 200, 0},
       {"/usr/share/fonts/truetype/liberation/LiberationSans-Italic.ttf", 80, 100},
       {"/usr/share/fonts/truetype/liberation/LiberationSans-BoldItalic.ttf", 200, 100},
       {nullptr, 0, 0}}}},
    {{"liberationserif", "timesnewroman"},
     {"times", "tinos", ""},
     {{{"/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf", 80, 0},
       {"/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf", 200, 0},
       {"/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf", 80, 100},
       {"/usr/share/fonts/truetype/liberation/LiberationSerif-BoldItalic.ttf", 200, 100},
       {nullptr, 0, 0}}}},
    {{"liberationmono", "couriernew"},
     {"courier", "cousine", ""},
     {{{"/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf", 80, 0},
       {"/usr/share/fonts/truetype/liberation/LiberationMono-Bold.ttf", 200, 0},
       {"/usr/share/fonts/truetype/liberation/LiberationMono-Italic.ttf", 80, 100},
       {"/usr/share/fonts/truetype/liberation/LiberationMono-BoldItalic.ttf", 200, 100},
       {nullptr, 0, 0}}}},
    {{"dejavusans", ""},
     {"", "", ""},
     {{{"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 80, 0},
       {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 200, 0},
       {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf", 80, 110},
       {"/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf", 200, 110},
       {"/usr/share/fonts/truetype/dejavu/DejaVuSans-ExtraLight.ttf", 40, 0}}}},
}};

std::string folded(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (c != ' ' && c != '\t') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& names, const std::string& key) {
    return !key.empty() && std::find(names.begin(), names.end(), key) != names.end();
}

// The first strong name of the list, else its first weak one, else DejaVu Sans.
const Family& family_of(std::span<const std::string> families) {
    const Family* weak = nullptr;
    for (const std::string& name : families) {
        const std::string key = folded(name);
        for (const Family& family : families_table) {
            if (listed(family.strong, key)) return family;
            if (weak == nullptr && listed(family.weak, key)) weak = &family;
        }
    }
    return weak != nullptr ? *weak : families_table.back();
}

// Nearer slant first, then nearer weight, then the heavier.
bool better(const TableFace& a, const TableFace& b, int weight, int slant) {
    const int slant_a = std::abs(a.slant - slant), slant_b = std::abs(b.slant - slant);
    if (slant_a != slant_b) return slant_a < slant_b;
    const int weight_a = std::abs(a.weight - weight), weight_b = std::abs(b.weight - weight);
    if (weight_a != weight_b) return weight_a < weight_b;
    return a.weight > b.weight;
}

// fontconfig's named weights: OpenType value, fontconfig value.
constexpr std::array<std::pair<int, int>, 11> weight_map{{
    {0, 0},
    {100, 0},
    {200, 40},
    {300, 50},
    {350, 55},
    {380, 75},
    {400, 80},
    {500, 100},
    {600, 180},
    {700, 200},
    {800, 205},
}};
constexpr std::pair<int, int> heaviest{900, 210};
constexpr std::pair<int, int> extra_black{1000, 215};

int interpolate(int x, std::pair<int, int> from, std::pair<int, int> to, bool forward) {
    const auto [x0, y0] = forward ? from : std::pair{from.second, from.first};
    const auto [x1, y1] = forward ? to : std::pair{to.second, to.first};
    if (x1 == x0) return y0;
    return y0 + (x - x0) * (y1 - y0) / (x1 - x0);
}

int map_weight(int value, bool forward) {
    std::array<std::pair<int, int>, 13> points{};
    std::copy(weight_map.begin(), weight_map.end(), points.begin());
    points[11] = heaviest;
    points[12] = extra_black;
    const auto key = [forward](const std::pair<int, int>& p) { return forward ? p.first : p.second; };
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (value <= key(points[i])) return interpolate(value, points[i - 1], points[i], forward);
    }
    return forward ? extra_black.second : extra_black.first;
}

}  // namespace

TableFace choose_table_face(std::span<const std::string> families, int weight, int slant) {
    const Family& family = family_of(families);
    TableFace best = family.faces.front();
    for (const TableFace& face : family.faces) {
        if (face.file != nullptr && better(face, best, weight, slant)) best = face;
    }
    return best;
}

int fc_weight_from_opentype(int weight) { return map_weight(std::clamp(weight, 1, 1000), true); }
int fc_weight_to_opentype(int weight) { return map_weight(std::clamp(weight, 0, 215), false); }

}  // namespace zg::text
