// The scene corpus shared by the scene renderer: each scene is one small named drawing into a
// 0xCC-filled 32-bit top-down DIB section of its own size. A scene may also note values (return
// codes, region boxes) that the compare tool checks alongside the pixels. Written only against
// <platform/win32.h>, so the same corpus draws on the portable platform and on Windows.
#pragma once

#include <platform/win32.h>

#include <functional>
#include <string>
#include <vector>

namespace scenes {

struct Canvas {
    HDC dc;
    std::vector<long long>& notes;
    void note(long long v) const { notes.push_back(v); }
};

struct Scene {
    std::string name;
    int width;
    int height;
    std::function<void(const Canvas&)> draw;
};

// Pen descriptions used across scenes.
struct PenSpec {
    int style;
    int width;
    std::string name() const;
};
const std::vector<PenSpec>& corpus_pens();

// Selects a new pen and brush (nullptr colour for the null brush), returns the old ones so the
// scene can restore and delete them with restore_objects().
struct Selection {
    HDC dc;
    HGDIOBJ old_pen, old_brush;
    HPEN pen;
    HBRUSH brush;
};
Selection select_objects(HDC dc, const PenSpec& pen, COLORREF pen_color, bool null_brush, COLORREF brush_color);
void restore_objects(const Selection& s);

// The header of a 32-bit BI_RGB picture; a negative height makes it top-down.
inline BITMAPINFO dib_info(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void add_shape_scenes(std::vector<Scene>& out);
void add_line_scenes(std::vector<Scene>& out);
void add_region_scenes(std::vector<Scene>& out);
void add_blit_scenes(std::vector<Scene>& out);
void add_rop_scenes(std::vector<Scene>& out);
void add_dib_sign_scenes(std::vector<Scene>& out);
void add_clip_scenes(std::vector<Scene>& out);
void add_stretch_scenes(std::vector<Scene>& out);
void add_dash_scenes(std::vector<Scene>& out);
void add_text_scenes(std::vector<Scene>& out);
void add_wide_text_scenes(std::vector<Scene>& out);
void add_random_fixed_scenes(std::vector<Scene>& out);  // random_scenes.h

// The whole fixed corpus, in the order scene_render draws it; the damage test walks the same list.
inline std::vector<Scene> corpus() {
    std::vector<Scene> all;
    add_shape_scenes(all);
    add_line_scenes(all);
    add_region_scenes(all);
    add_blit_scenes(all);
    add_rop_scenes(all);
    add_dib_sign_scenes(all);
    add_clip_scenes(all);
    add_stretch_scenes(all);
    add_dash_scenes(all);
    add_text_scenes(all);
    add_wide_text_scenes(all);
    add_random_fixed_scenes(all);
    return all;
}

}  // namespace scenes
