// The scene renderer: draws every scene of the corpus (or those whose name contains the
// filter given as the second argument) and writes them all to one file. Format per scene, little
// endian: u32 name length, name bytes, i32 width, i32 height, u32 note count, i64 notes, then
// width * height u32 pixels, rows top to bottom, as the DIB section holds them.
#include "scene.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scene_render OUTPUT [NAME-FILTER]\n");
        return 2;
    }
    std::vector<scenes::Scene> all;
    scenes::add_shape_scenes(all);
    scenes::add_line_scenes(all);
    scenes::add_region_scenes(all);
    scenes::add_blit_scenes(all);
    scenes::add_clip_scenes(all);
    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "scene_render: cannot write %s\n", argv[1]);
        return 2;
    }
    int drawn = 0;
    for (const scenes::Scene& s : all) {
        if (argc > 2 && s.name.find(argv[2]) == std::string::npos) continue;
        if (!render(s, out)) {
            std::fprintf(stderr, "scene_render: cannot set up scene %s\n", s.name.c_str());
            std::fclose(out);
            return 1;
        }
        ++drawn;
    }
    std::fclose(out);
    std::printf("%d scenes\n", drawn);
    return 0;
}
