// Damage against pixels: every scene of the corpus is drawn into a DIB section whose damage was
// just taken, and every pixel the scene changed must lie inside the damage the surface recorded
// since. A drawing path that writes pixels without recording them would leave a real window
// showing stale pixels there; this finds it without a display.
#include "dc/device_context.h"
#include "scene.h"
#include "surface/surface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kBackground = 0xCCCCCCCCu;

struct Undamaged {
    int count = 0;
    int x = 0, y = 0;  // the first one found
};

Undamaged undamaged_changes(const std::uint32_t* bits, int width, int height, const zg::Rect& damage) {
    Undamaged out;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inside = x >= damage.left && x < damage.right && y >= damage.top && y < damage.bottom;
            if (inside || bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x] == kBackground)
                continue;
            if (out.count++ == 0) out = {1, x, y};
        }
    }
    return out;
}

// Draws one scene as the scene renderer does and returns its changes outside the damage;
// changed counts every pixel the scene changed, so a scene that draws nothing is seen.
Undamaged draw_and_check(const scenes::Scene& scene, int& changed) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), scene.width, -scene.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    EXPECT_NE(bits, nullptr);
    if (bits == nullptr) return {};
    const std::size_t count = static_cast<std::size_t>(scene.width) * static_cast<std::size_t>(scene.height);
    std::memset(bits, 0xCC, count * 4);
    HGDIOBJ old = SelectObject(dc, bitmap);
    zg::Surface* surface = zg::lookup_dc(dc)->surface();
    surface->take_damage();
    std::vector<long long> notes;
    scene.draw(scenes::Canvas{dc, notes});
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const Undamaged result = undamaged_changes(pixels, scene.width, scene.height, surface->damage());
    changed = 0;
    for (std::size_t i = 0; i < count; ++i) changed += pixels[i] != kBackground ? 1 : 0;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return result;
}

TEST(SceneDamage, EveryChangedPixelLiesInsideTheRecordedDamage) {
    const std::vector<scenes::Scene> all = scenes::corpus();
    ASSERT_GT(all.size(), 100u);
    int drawing_scenes = 0;
    for (const scenes::Scene& scene : all) {
        int changed = 0;
        const Undamaged u = draw_and_check(scene, changed);
        drawing_scenes += changed > 0 ? 1 : 0;
        EXPECT_EQ(u.count, 0) << scene.name << ": " << u.count << " changed pixels outside the damage, first at ("
                              << u.x << ", " << u.y << ")";
    }
    // Nearly every scene draws something; if none did, the check above would hold vacuously.
    EXPECT_GT(drawing_scenes * 10, static_cast<int>(all.size()) * 9);
}

}  // namespace
