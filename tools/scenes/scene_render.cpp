// The scene renderer: draws every scene of the corpus (or those whose name contains the
// filter given as the second argument), or random scenes (random_scenes.h), and writes them
// all to one file. Format per scene, little
// endian: u32 name length, name bytes, i32 width, i32 height, u32 note count, i64 notes, then
// width * height u32 pixels, rows top to bottom, as the DIB section holds them.
// Each scene is on disk before its line "drawn NAME BYTES" (BYTES: the file's length so far)
// goes to the standard output, so a driver that has to stop a renderer stuck in a scene knows
// which scenes are complete and where the file must be cut.
#include "random_scenes.h"
#include "scene.h"
#include "tool_args.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

template <class T>
void put(std::FILE* f, const T& v) {
    std::fwrite(&v, sizeof v, 1, f);
}

bool render(const scenes::Scene& scene, std::FILE* out) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = scene.width;
    info.bmiHeader.biHeight = -scene.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || bitmap == nullptr || bits == nullptr) return false;
    const std::size_t count = static_cast<std::size_t>(scene.width) * static_cast<std::size_t>(scene.height);
    std::memset(bits, 0xCC, count * 4);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<long long> notes;
    scene.draw(scenes::Canvas{dc, notes});
    GdiFlush();
    put(out, static_cast<std::uint32_t>(scene.name.size()));
    std::fwrite(scene.name.data(), 1, scene.name.size(), out);
    put(out, static_cast<std::int32_t>(scene.width));
    put(out, static_cast<std::int32_t>(scene.height));
    put(out, static_cast<std::uint32_t>(notes.size()));
    for (long long n : notes) put(out, static_cast<std::int64_t>(n));
    std::fwrite(bits, 4, count, out);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return true;
}

// Random scenes named on the command line: "--random FIRST COUNT" for a run of seeds, or
// "--selections FILE" for a file of scene selections, one a line (as the shrinking step writes them).
std::optional<std::vector<scenes::Scene>> random_selection(int argc, char** argv) {
    std::vector<std::string> selections;
    if (argc == 5 && std::strcmp(argv[2], "--random") == 0) {
        const unsigned long first = std::strtoul(argv[3], nullptr, 10), count = std::strtoul(argv[4], nullptr, 10);
        for (unsigned long i = 0; i < count; ++i) selections.push_back(std::to_string(first + i));
    } else if (argc == 4 && std::strcmp(argv[2], "--selections") == 0) {
        std::ifstream in(argv[3]);
        if (!in) {
            std::fprintf(stderr, "scene_render: cannot read %s\n", argv[3]);
            return std::vector<scenes::Scene>{};
        }
        for (std::string line; std::getline(in, line);)
            if (!line.empty()) selections.push_back(line);
    } else {
        return std::nullopt;
    }
    std::vector<scenes::Scene> out;
    for (const std::string& selection : selections) {
        std::optional<scenes::Scene> scene = scenes::random_scene(selection);
        if (!scene) {
            std::fprintf(stderr, "scene_render: bad scene selection '%s'\n", selection.c_str());
            return std::vector<scenes::Scene>{};
        }
        out.push_back(std::move(*scene));
    }
    return out;
}

int describe(const char* selection) {
    const auto calls = scenes::kept_calls(selection);
    if (!calls) {
        std::fprintf(stderr, "scene_render: bad scene selection '%s'\n", selection);
        return 2;
    }
    for (const std::string& line : scenes::describe_calls(*calls)) std::printf("%s\n", line.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* usage =
        "scene_render OUTPUT [NAME-FILTER | --random FIRST COUNT | --selections FILE]\n"
        "       scene_render --describe SELECTION";
    if (std::optional<int> status = tools::answer_help(argc, argv, usage)) return *status;
    if (argc == 3 && std::strcmp(argv[1], "--describe") == 0) return describe(argv[2]);
    // The output is a path: a first word starting with '-' is a mistyped option, never a file.
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: %s\n", usage);
        return 2;
    }
    const bool known_option =
        argc > 2 && (std::strcmp(argv[2], "--random") == 0 || std::strcmp(argv[2], "--selections") == 0);
    if (argc > 2 && argv[2][0] == '-' && !known_option) {
        std::fprintf(stderr, "scene_render: unknown option '%s'\nusage: %s\n", argv[2], usage);
        return 2;
    }
    const std::optional<std::vector<scenes::Scene>> random = random_selection(argc, argv);
    if (random && random->empty()) return 2;
    const std::vector<scenes::Scene> all = random ? *random : scenes::corpus();
    const char* filter = !random && argc > 2 ? argv[2] : nullptr;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "scene_render: cannot write %s\n", argv[1]);
        return 2;
    }
    int drawn = 0;
    for (const scenes::Scene& s : all) {
        if (filter != nullptr && s.name.find(filter) == std::string::npos) continue;
        if (!render(s, out)) {
            std::fprintf(stderr, "scene_render: cannot set up scene %s\n", s.name.c_str());
            std::fclose(out);
            return 1;
        }
        ++drawn;
        std::fflush(out);
        std::printf("drawn %s %ld\n", s.name.c_str(), std::ftell(out));
        std::fflush(stdout);
    }
    std::fclose(out);
    std::printf("%d scenes\n", drawn);
    return 0;
}
