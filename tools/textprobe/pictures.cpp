// The text probe's pictures; see pictures.h. Written against <platform/win32.h> only, so the
// same source draws natively and on Windows.
#include "pictures.h"

#include <platform/win32.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct Face {
    const char* tag;
    const char* name;  // "" asks by family only, as the simulator does
    BYTE family;
};

struct Style {
    const char* tag;
    LONG weight;
    BYTE italic, underline, strikeout;
};

struct Paint {
    const char* tag;
    int mode;
    COLORREF paper, text, background;
};

constexpr Face k_faces[] = {
    {"sans", "Liberation Sans", FF_SWISS},
    {"serif", "Liberation Serif", FF_ROMAN},
    {"mono", "Liberation Mono", FF_MODERN},
    {"swiss", "", FF_SWISS},
};
constexpr int k_sizes[] = {8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 24, 28, 32, 40, 48, 56, 64, 72};
constexpr Style k_styles[] = {
    {"plain", FW_NORMAL, 0, 0, 0}, {"bold", FW_BOLD, 0, 0, 0},     {"italic", FW_NORMAL, 1, 0, 0},
    {"under", FW_NORMAL, 0, 1, 0}, {"strike", FW_NORMAL, 0, 0, 1},
};
constexpr Paint k_paints[] = {
    {"transparent", TRANSPARENT, RGB(250, 245, 220), RGB(20, 30, 120), RGB(0, 0, 0)},
    {"opaque", OPAQUE, RGB(128, 128, 128), RGB(255, 255, 255), RGB(0, 64, 32)},
};
const char k_line[] = "Vitesse R\xE9initialiser Wgjy 0123 (f/i)";

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
};

std::string name_of(const Face& f, int size, const Style& s, const Paint& p) {
    return std::string(f.tag) + "-" + std::to_string(size) + "-" + s.tag + "-" + p.tag + ".ppm";
}

LOGFONTA logfont(const Face& f, int size, const Style& s) {
    LOGFONTA lf{};
    lf.lfHeight = size;  // a cell height, as the library asks
    lf.lfWeight = s.weight;
    lf.lfItalic = s.italic;
    lf.lfUnderline = s.underline;
    lf.lfStrikeOut = s.strikeout;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = f.family;
    std::strncpy(lf.lfFaceName, f.name, LF_FACESIZE - 1);
    return lf;
}

// Draws the line into a fresh DIB section and reads its pixels back.
Picture draw(HDC dc, const LOGFONTA& lf, int size, const Paint& paint) {
    Picture pic;
    pic.width = size * 22;
    pic.height = size * 2;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pic.width;
    info.bmiHeader.biHeight = -pic.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) return {};
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    HBRUSH paper = CreateSolidBrush(paint.paper);
    HGDIOBJ old_brush = SelectObject(dc, paper);
    PatBlt(dc, 0, 0, pic.width, pic.height, PATCOPY);
    SelectObject(dc, old_brush);
    DeleteObject(paper);
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, paint.mode);
    SetBkColor(dc, paint.background);
    SetTextColor(dc, paint.text);
    TextOutA(dc, size / 2, size / 2, k_line, static_cast<int>(sizeof k_line - 1));
    GdiFlush();
    const auto* px = static_cast<const std::uint8_t*>(bits);
    pic.rgb.reserve(static_cast<std::size_t>(pic.width) * pic.height * 3);
    for (int i = 0; i < pic.width * pic.height; ++i) {
        pic.rgb.insert(pic.rgb.end(), {px[4 * i + 2], px[4 * i + 1], px[4 * i]});
    }
    SelectObject(dc, old_font);
    DeleteObject(font);
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    return pic;
}

bool save(const std::string& path, const Picture& pic) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << pic.width << ' ' << pic.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(pic.rgb.data()), static_cast<std::streamsize>(pic.rgb.size()));
    return static_cast<bool>(out);
}

bool load(const std::string& path, Picture& pic) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int max = 0;
    if (!(in >> magic >> pic.width >> pic.height >> max) || magic != "P6" || max != 255) return false;
    if (pic.width <= 0 || pic.height <= 0 || pic.width > 1 << 14 || pic.height > 1 << 14) return false;
    in.get();
    pic.rgb.resize(static_cast<std::size_t>(pic.width) * pic.height * 3);
    in.read(reinterpret_cast<char*>(pic.rgb.data()), static_cast<std::streamsize>(pic.rgb.size()));
    return static_cast<bool>(in);
}

struct Tally {
    long long same = 0, total = 0;
    void add(const Tally& t) {
        same += t.same;
        total += t.total;
    }
    double percent() const { return total == 0 ? 0.0 : 100.0 * static_cast<double>(same) / static_cast<double>(total); }
};

// Pixels of equal colour; pictures of different sizes count as wholly different.
Tally compare(const Picture& a, const Picture& b) {
    Tally t{0, static_cast<long long>(a.width) * a.height};
    if (a.width != b.width || a.height != b.height) return t;
    for (std::size_t i = 0; i + 2 < a.rgb.size(); i += 3) {
        t.same += std::memcmp(&a.rgb[i], &b.rgb[i], 3) == 0 ? 1 : 0;
    }
    return t;
}

}  // namespace

int write_pictures(const char* dir) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) return 1;
    int failures = 0;
    for (const Face& f : k_faces) {
        for (const int size : k_sizes) {
            for (const Style& s : k_styles) {
                for (const Paint& p : k_paints) {
                    const Picture pic = draw(dc, logfont(f, size, s), size, p);
                    if (pic.rgb.empty() || !save(std::string(dir) + "/" + name_of(f, size, s, p), pic)) ++failures;
                }
            }
        }
    }
    DeleteDC(dc);
    if (failures != 0) std::fprintf(stderr, "textprobe: %d pictures not written\n", failures);
    return failures == 0 ? 0 : 1;
}

namespace {

// "<picture> <pixels> <cause>" lines; "#" starts a comment. False when the file cannot be read.
bool read_deviations(const char* path, std::map<std::string, long long>& listed) {
    std::ifstream in(path);
    if (!in) return false;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        char name[128] = {};
        long long pixels = 0;
        if (std::sscanf(line.c_str(), "%127s %lld", name, &pixels) == 2) listed[name] += pixels;
    }
    return true;
}

// Every picture's differing pixels against the list; prints each mismatch.
int check_deviations(const std::map<std::string, long long>& differing, const char* path) {
    std::map<std::string, long long> listed;
    if (!read_deviations(path, listed)) {
        std::fprintf(stderr, "textprobe: cannot read %s\n", path);
        return 1;
    }
    int mismatches = 0;
    for (const auto& [name, pixels] : differing) {
        const auto found = listed.find(name);
        const long long expected = found == listed.end() ? 0 : found->second;
        if (pixels == expected) continue;
        std::printf("%s: %lld pixels differ, %lld listed\n", name.c_str(), pixels, expected);
        ++mismatches;
    }
    std::printf("%d pictures differ from the deviation list\n", mismatches);
    return mismatches == 0 ? 0 : 1;
}

}  // namespace

int compare_pictures(const char* first_dir, const char* second_dir, const char* deviations) {
    std::map<std::string, long long> differing;
    std::map<std::string, Tally> by_style;
    Tally overall;
    int missing = 0;
    for (const Face& f : k_faces) {
        for (const int size : k_sizes) {
            Tally row;
            for (const Style& s : k_styles) {
                for (const Paint& p : k_paints) {
                    const std::string name = name_of(f, size, s, p);
                    Picture a, b;
                    if (!load(std::string(first_dir) + "/" + name, a) ||
                        !load(std::string(second_dir) + "/" + name, b)) {
                        ++missing;
                        continue;
                    }
                    const Tally t = compare(a, b);
                    differing[name] = t.total - t.same;
                    row.add(t);
                    by_style[std::string(s.tag) + " " + p.tag].add(t);
                }
            }
            overall.add(row);
            std::printf("%-6s %3d px  %9.5f %% identical  (%lld of %lld)\n", f.tag, size, row.percent(), row.same,
                        row.total);
        }
    }
    for (const auto& [style, t] : by_style) std::printf("%-20s %9.5f %% identical\n", style.c_str(), t.percent());
    std::printf("overall %9.5f %% identical (%lld of %lld), %d pictures missing\n", overall.percent(), overall.same,
                overall.total, missing);
    if (missing != 0) return 1;
    return deviations == nullptr ? 0 : check_deviations(differing, deviations);
}
