// Compares two scene files (scene_render output from two platforms): for each scene the share
// of identical pixels and whether the notes agree; for every scene that differs, a PPM image
// with the two renderings and a map of the differing pixels (red) side by side.
//
// Usage: scene_compare A B OUTDIR [KNOWN-DEVIATIONS]. Exit status 1 when a scene differs and
// no line of the known-deviation file names it (a line is "pattern reason", where a pattern
// ending in '*' matches every scene name with that prefix); 2 on unreadable input.
#include "tool_args.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct SceneData {
    int width = 0, height = 0;
    std::vector<std::int64_t> notes;
    std::vector<std::uint32_t> pixels;
};

template <class T>
bool get(std::ifstream& in, T& v) {
    return static_cast<bool>(in.read(reinterpret_cast<char*>(&v), sizeof v));
}

bool read_scene(std::ifstream& in, std::string& name, SceneData& s) {
    std::uint32_t len = 0, count = 0;
    if (!get(in, len) || len > 4096) return false;
    name.assign(len, '\0');
    if (!in.read(name.data(), len) || !get(in, s.width) || !get(in, s.height) || !get(in, count)) return false;
    if (s.width < 0 || s.height < 0 || s.width > 1 << 14 || s.height > 1 << 14 || count > 1u << 20) return false;
    s.notes.resize(count);
    for (auto& n : s.notes)
        if (!get(in, n)) return false;
    s.pixels.resize(static_cast<std::size_t>(s.width) * static_cast<std::size_t>(s.height));
    return static_cast<bool>(
        in.read(reinterpret_cast<char*>(s.pixels.data()), static_cast<std::streamsize>(s.pixels.size() * 4)));
}

bool read_file(const char* path, std::vector<std::string>& order, std::map<std::string, SceneData>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string name;
    SceneData s;
    while (in.peek() != EOF) {
        if (!read_scene(in, name, s)) return false;
        order.push_back(name);
        out[name] = s;
    }
    return true;
}

struct Deviation {
    std::string pattern, reason;
};

std::vector<Deviation> read_deviations(const char* path) {
    std::vector<Deviation> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        Deviation d;
        words >> d.pattern;
        std::getline(words, d.reason);
        out.push_back(d);
    }
    return out;
}

const Deviation* known(const std::vector<Deviation>& list, const std::string& name) {
    for (const Deviation& d : list) {
        const bool prefix = !d.pattern.empty() && d.pattern.back() == '*';
        const std::string stem = prefix ? d.pattern.substr(0, d.pattern.size() - 1) : d.pattern;
        if (prefix ? name.rfind(stem, 0) == 0 : name == stem) return &d;
    }
    return nullptr;
}

void write_rgb(std::FILE* f, std::uint32_t p) {
    const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                  static_cast<unsigned char>(p)};
    std::fwrite(rgb, 1, 3, f);
}

void write_diff(const std::string& path, const SceneData& a, const SceneData& b) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    const int w = a.width, gap = 4;
    std::fprintf(f, "P6\n%d %d\n255\n", 3 * w + 2 * gap, a.height);
    for (int y = 0; y < a.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x) write_rgb(f, a.pixels[row + static_cast<std::size_t>(x)]);
        for (int x = 0; x < gap; ++x) write_rgb(f, 0x00FF00FF);
        for (int x = 0; x < w; ++x) write_rgb(f, b.pixels[row + static_cast<std::size_t>(x)]);
        for (int x = 0; x < gap; ++x) write_rgb(f, 0x00FF00FF);
        for (int x = 0; x < w; ++x) {
            const std::size_t i = row + static_cast<std::size_t>(x);
            write_rgb(f, a.pixels[i] == b.pixels[i] ? 0x00404040 : 0x00FF0000);
        }
    }
    std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* usage = "scene_compare A B OUTDIR [KNOWN-DEVIATIONS]";
    if (std::optional<int> status = tools::check_path_arguments(argc, argv, usage)) return *status;
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return 2;
    }
    std::vector<std::string> order, order_b;
    std::map<std::string, SceneData> a, b;
    if (!read_file(argv[1], order, a) || !read_file(argv[2], order_b, b)) {
        std::fprintf(stderr, "scene_compare: cannot read %s or %s\n", argv[1], argv[2]);
        return 2;
    }
    const std::vector<Deviation> deviations = argc > 4 ? read_deviations(argv[4]) : std::vector<Deviation>{};
    int identical = 0, unexpected = 0, tolerated = 0;
    std::size_t pixels = 0, same_pixels = 0;
    for (const std::string& name : order) {
        auto other = b.find(name);
        const SceneData& sa = a[name];
        if (other == b.end() || other->second.width != sa.width || other->second.height != sa.height) {
            std::printf("MISSING %s\n", name.c_str());
            ++unexpected;
            continue;
        }
        const SceneData& sb = other->second;
        std::size_t same = 0;
        for (std::size_t i = 0; i < sa.pixels.size(); ++i) same += sa.pixels[i] == sb.pixels[i];
        pixels += sa.pixels.size();
        same_pixels += same;
        const bool notes_same = sa.notes == sb.notes;
        if (same == sa.pixels.size() && notes_same) {
            ++identical;
            continue;
        }
        const Deviation* d = known(deviations, name);
        const double share =
            sa.pixels.empty() ? 100.0 : 100.0 * static_cast<double>(same) / static_cast<double>(sa.pixels.size());
        std::printf("%s %s %.3f%% identical (%zu pixels differ)%s\n", d ? "KNOWN" : "DIFF", name.c_str(), share,
                    sa.pixels.size() - same, notes_same ? "" : ", notes differ");
        if (!notes_same) {
            for (std::size_t i = 0; i < std::max(sa.notes.size(), sb.notes.size()); ++i) {
                const long long va = i < sa.notes.size() ? sa.notes[i] : -999,
                                vb = i < sb.notes.size() ? sb.notes[i] : -999;
                if (va != vb) std::printf("    note %zu: %lld vs %lld\n", i, va, vb);
            }
        }
        write_diff(std::string(argv[3]) + "/" + name + ".ppm", sa, sb);
        d ? ++tolerated : ++unexpected;
    }
    std::printf("%zu scenes: %d identical, %d known deviations, %d unexpected differences\n", order.size(), identical,
                tolerated, unexpected);
    std::printf("%zu pixels: %zu identical (%.4f%%)\n", pixels, same_pixels,
                pixels == 0 ? 100.0 : 100.0 * static_cast<double>(same_pixels) / static_cast<double>(pixels));
    return unexpected == 0 ? 0 : 1;
}
